// CFriendsListDlg: directory browsing, adding and removing rows, search, context menus and
// the chosen set.
#include "FriendsListDlg.h"

#include <Pellix.h>

#include <vector>

#include "PickerSupport.h"
#include "Trace.h"
#include "WexModule.h"

using tessvik::ImageIndex;
using tessvik::LoadText;
using tessvik::Number;
using tessvik::VariantArray;

namespace {

const UINT kStrSelectedTitle = 1458, kStrUpOneLevel = 1460, kStrAllDepartments = 1857;
const int kMaxTreeDepth = 32;  // a directory whose parents loop ends here

bool SameVariantId(const VARIANT& a, const VARIANT& b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  if (V_VT(&a) == VT_BSTR) return VarBstrCmp(V_BSTR(&a), V_BSTR(&b), LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
  if (V_VT(&a) == VT_UI4) return V_UI4(&a) == V_UI4(&b);
  return false;
}

// Row kind <-> id-set type.
int TypeOfRow(DWORD kind) {
  switch (kind) {
    case CFriendsListDlg::ROW_USER: return BOID_USER;
    case CFriendsListDlg::ROW_GROUP: return BOID_GROUP;
    case CFriendsListDlg::ROW_DEPARTMENT: return BOID_DEPARTMENT;
    case CFriendsListDlg::ROW_MOBILE: return BOID_MOBILEGROUP;
    default: return 0;
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CFriendsListDlg, CDialog)
  ON_CONTROL(EN_CHANGE, IDC_SEARCH, &CFriendsListDlg::OnSearchChange)
  ON_NOTIFY(LVN_KEYDOWN, IDC_USERS, &CFriendsListDlg::OnUsersKeyDown)
  ON_NOTIFY(NM_DBLCLK, IDC_SELECTED, &CFriendsListDlg::OnSelectedDblClk)
  ON_NOTIFY(NM_RCLICK, IDC_SELECTED, &CFriendsListDlg::OnSelectedRClick)
  ON_CONTROL(CBN_SELCHANGE, IDC_COMBO, &CFriendsListDlg::OnComboChange)
  ON_NOTIFY(NM_DBLCLK, IDC_USERS, &CFriendsListDlg::OnUsersDblClk)
  ON_NOTIFY(NM_RCLICK, IDC_USERS, &CFriendsListDlg::OnUsersRClick)
  ON_WM_DESTROY()
  ON_CONTROL(BN_CLICKED, IDC_RADIO_DEPARTMENTS, &CFriendsListDlg::OnRadioChange)
  ON_CONTROL(BN_CLICKED, IDC_RADIO_GROUPS, &CFriendsListDlg::OnRadioChange)
  ON_CONTROL(BN_CLICKED, IDC_RADIO_MOBILE, &CFriendsListDlg::OnRadioChange)
  ON_CONTROL(BN_CLICKED, IDC_RADIO_OTHERGROUPS, &CFriendsListDlg::OnRadioChange)
  ON_MESSAGE(WM_KICKIDLE, &CFriendsListDlg::OnKickIdle)
  ON_COMMAND(IDC_ADD, &CFriendsListDlg::OnAdd)
  ON_UPDATE_COMMAND_UI(IDC_ADD, &CFriendsListDlg::OnUpdateAdd)
  ON_COMMAND(IDC_ADDALL, &CFriendsListDlg::OnAddAll)
  ON_UPDATE_COMMAND_UI(IDC_ADDALL, &CFriendsListDlg::OnUpdateAddAll)
  ON_COMMAND(IDC_REMOVE, &CFriendsListDlg::OnRemove)
  ON_UPDATE_COMMAND_UI(IDC_REMOVE, &CFriendsListDlg::OnUpdateRemove)
  ON_COMMAND(IDC_REMOVEALL, &CFriendsListDlg::OnRemoveAll)
  ON_UPDATE_COMMAND_UI(IDC_REMOVEALL, &CFriendsListDlg::OnUpdateRemoveAll)
END_MESSAGE_MAP()

CFriendsListDlg::CFriendsListDlg(CWnd* pParent, const VARIANT& initial, int kind, DWORD flags)
    : CDialog(IDD, pParent), m_kind(kind), m_flags(flags) {
  TESSVIK_TRACE("CFriendsListDlg::CFriendsListDlg");
  VariantInit(&m_result);
  VariantInit(&m_initial);
  VariantCopy(&m_initial, const_cast<VARIANT*>(&initial));
}

CFriendsListDlg::~CFriendsListDlg() {
  VariantClear(&m_result);
  VariantClear(&m_initial);
}

VARIANT CFriendsListDlg::DetachResult() {
  VARIANT v = m_result;
  VariantInit(&m_result);
  return v;
}

int CALLBACK CFriendsListDlg::CompareRows(LPARAM a, LPARAM b, LPARAM) {
  const Row* r1 = reinterpret_cast<const Row*>(a);
  const Row* r2 = reinterpret_cast<const Row*>(b);
  if (r1 == NULL || r2 == NULL) return 0;
  if (r1->kind != r2->kind) return r1->kind < r2->kind ? -1 : 1;
  if (r1->kind >= ROW_DEPARTMENT && r1->kind <= ROW_MOBILE && r1->id != r2->id) return r1->id < r2->id ? -1 : 1;
  return 0;
}

void CFriendsListDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_USERS, m_users);
  DDX_Control(pDX, IDC_COMBO, m_combo);
  DDX_Control(pDX, IDC_SELECTED, m_selected);
  DDX_Text(pDX, IDC_SEARCH, m_search);
  DDX_Radio(pDX, IDC_RADIO_DEPARTMENTS, m_radio);
}

LRESULT CFriendsListDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return tessvik::EndingOnFault(this, [&] { return CDialog::WindowProc(message, wParam, lParam); });
}

BOOL CFriendsListDlg::OnInitDialog() {
  TESSVIK_TRACE("CFriendsListDlg::OnInitDialog");
  CDialog::OnInitDialog();
  m_readOnly = (m_flags & 0x40) != 0;
  m_userDir = static_cast<IUserDirectory*>(GetModule(&IID_IUserDirectory));
  m_orgDir = static_cast<IOrgDirectory*>(GetModule(&IID_IOrgDirectory));
  auto* images = static_cast<IImageService*>(GetModule(&IID_IImageService));
  m_imgGroup = ImageIndex(images, 420);
  m_imgUp = ImageIndex(images, 6004);
  m_imgMobile = ImageIndex(images, 409);
  m_radio = 0;
  UpdateData(FALSE);  // binds the controls

  HIMAGELIST icons = NULL;
  if (images != NULL) images->GetImageList(0, &icons);
  for (CListCtrl* list : {&m_users, &m_selected}) {
    // The icons are the host's: the lists must not destroy them.
    list->ModifyStyle(0, LVS_SHAREIMAGELISTS);
    if (icons != NULL) list->SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
    list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  }
  m_users.InsertColumn(0, _T("ww"), LVCFMT_CENTER, 200);
  m_selected.InsertColumn(0, LoadText(kStrSelectedTitle), LVCFMT_CENTER, 170);
  ApplyUserListStyle();
  if (CWnd* w = GetDlgItem(IDC_RADIO_OTHERGROUPS)) w->EnableWindow((m_flags & 0x04) != 0);
  if (CWnd* w = GetDlgItem(IDC_RADIO_MOBILE)) w->EnableWindow((m_flags & 0x20) != 0);
  bool lockPresets = !(m_flags & 0x08) && V_VT(&m_initial) != VT_EMPTY;
  if (m_readOnly || lockPresets) {
    if (CWnd* w = GetDlgItem(IDC_REMOVE)) w->EnableWindow(FALSE);
    if (CWnd* w = GetDlgItem(IDC_REMOVEALL)) w->EnableWindow(FALSE);
  }
  UpdateData(FALSE);
  OnRadioChange();
  InitSelectedItems();
  if (CWnd* edit = GetDlgItem(IDC_SEARCH)) edit->SetFocus();
  return FALSE;
}

// Single selection in the user list unless the caller allows many.
void CFriendsListDlg::ApplyUserListStyle() {
  if (m_flags & 0x02)
    m_users.ModifyStyle(LVS_SINGLESEL, 0);
  else
    m_users.ModifyStyle(0, LVS_SINGLESEL);
}

CFriendsListDlg::Row* CFriendsListDlg::RowAt(CListCtrl& list, int index) const {
  return index < 0 ? NULL : reinterpret_cast<Row*>(list.GetItemData(index));
}

int CFriendsListDlg::InsertRow(CListCtrl& list, const CString& text, int image, Row* row) {
  LVITEM item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = list.GetItemCount();
  item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(text));
  item.iImage = image;
  item.lParam = reinterpret_cast<LPARAM>(row);
  int at = list.InsertItem(&item);
  if (at < 0) {
    VariantClear(&row->vid);
    delete row;
  }
  return at;
}

void CFriendsListDlg::DeleteRow(CListCtrl& list, int index) {
  Row* row = RowAt(list, index);
  list.DeleteItem(index);
  if (row != NULL) {
    VariantClear(&row->vid);
    delete row;
  }
}

void CFriendsListDlg::FreeRows(CListCtrl& list) {
  if (list.GetSafeHwnd() == NULL) return;
  for (int i = list.GetItemCount() - 1; i >= 0; --i) DeleteRow(list, i);
}

void CFriendsListDlg::OnDestroy() {
  FreeRows(m_users);
  FreeRows(m_selected);
  CDialog::OnDestroy();
}

LRESULT CFriendsListDlg::OnKickIdle(WPARAM, LPARAM) {
  UpdateDialogControls(this, FALSE);
  return 0;
}

// Directory.

HRESULT CFriendsListDlg::FetchChildren(DWORD kind, DWORD parent, HostDirEntry* entries, DWORD* count) {
  *count = 0;
  if (m_orgDir == NULL) return S_OK;
  VARIANT p = Number(parent);
  DWORD total = 0;
  if (SUCCEEDED(m_orgDir->GetChildCount(kind, p, &total)) && total > kMaxChildren) return kTooMany;
  for (DWORD i = 0; i < kMaxChildren; ++i) {
    entries[i] = HostDirEntry();
    entries[i].cbSize = sizeof(HostDirEntry);
  }
  DWORD n = kMaxChildren;
  HRESULT hr = m_orgDir->GetChildren(kind, p, entries, &n);
  if (hr == HRESULT_FROM_WIN32(ERROR_MORE_DATA) || n > kMaxChildren) return kTooMany;
  if (FAILED(hr)) return S_OK;  // nothing to show
  *count = n;
  return S_OK;
}

HRESULT CFriendsListDlg::CollectMembers(DWORD parent, bool recursive, VARIANT* ids, DWORD* count, int depth) {
  if (m_orgDir == NULL || depth > kMaxTreeDepth) return S_OK;
  DWORD room = kMaxMembers - *count;
  DWORD n = room;
  HRESULT hr = m_orgDir->GetMembers(m_dirKind, Number(parent), ids + *count, &n);
  if (hr == HRESULT_FROM_WIN32(ERROR_MORE_DATA) || n > room) return kTooMany;
  if (SUCCEEDED(hr)) *count += n;
  if (!recursive) return S_OK;
  std::vector<HostDirEntry> children(kMaxChildren);
  DWORD nChildren = 0;
  HRESULT hc = FetchChildren(m_dirKind, parent, children.data(), &nChildren);
  if (FAILED(hc)) return hc;
  for (DWORD i = 0; i < nChildren; ++i) {
    HRESULT h = CollectMembers(children[i].id, true, ids, count, depth + 1);
    if (FAILED(h)) return h;
  }
  return S_OK;
}

int CFriendsListDlg::FaceOf(const VARIANT& id) {
  DWORD presence = 0;
  if (auto* host = static_cast<IHostService*>(GetModule(&IID_IHostService))) host->GetPresence(id, &presence);
  return GetFaceImage(presence);
}

CString CFriendsListDlg::UserText(const HostUserDetail& d, bool preset) const {
  CString text;
  text.Format(preset && !(m_flags & 0x08) ? _T("*%s %s(%d)") : _T(" %s %s(%d)"), d.familyName, d.givenName,
              static_cast<int>(d.uin));
  return text;
}

HRESULT CFriendsListDlg::FillUserList(DWORD parent) {
  TESSVIK_TRACE("CFriendsListDlg::FillUserList");
  m_users.SetRedraw(FALSE);
  FreeRows(m_users);
  HRESULT result = S_OK;
  if (parent != 0) InsertRow(m_users, LoadText(kStrUpOneLevel), m_imgUp, new Row{ROW_UP, parent, {}, 0});
  std::vector<HostDirEntry> children(kMaxChildren);
  DWORD nChildren = 0;
  result = FetchChildren(m_dirKind, parent, children.data(), &nChildren);
  DWORD rowKind = m_dirKind == HOSTDIR_MOBILEGROUP ? ROW_MOBILE : m_dirKind == HOSTDIR_OTHERGROUP ? ROW_DEPARTMENT
                                                                                                 : ROW_GROUP;
  VariantArray members(kMaxMembers);
  DWORD nMembers = 0;
  if (SUCCEEDED(result)) {
    for (DWORD i = 0; i < nChildren; ++i) {
      children[i].name[sizeof(children[i].name) - 1] = 0;
      CString text;
      text.Format(_T(" %s"), children[i].name);
      InsertRow(m_users, text, m_imgGroup, new Row{rowKind, children[i].id, {}, 0});
    }
    bool direct = m_dirKind == HOSTDIR_OTHERGROUP || m_dirKind == HOSTDIR_GROUP;
    result = CollectMembers(parent, !direct, members.items.data(), &nMembers, 0);
  }
  if (FAILED(result)) {
    // Refused whole: no partial level is shown.
    for (int i = m_users.GetItemCount() - 1; i >= (parent != 0 ? 1 : 0); --i) DeleteRow(m_users, i);
    nMembers = 0;
  }
  CString self;
  self.Format(_T("%d.0.%d"), static_cast<int>(GetSelfUin()), 1);
  for (DWORD i = 0; i < nMembers; ++i) {
    const VARIANT& id = members.items[i];
    if (V_VT(&id) != VT_BSTR || m_userDir == NULL) continue;
    HostUserDetail d = {};
    d.cbSize = sizeof(d);
    if (FAILED(m_userDir->GetUserDetail(id, &d))) continue;
    d.familyName[sizeof(d.familyName) - 1] = d.givenName[sizeof(d.givenName) - 1] = d.mobile[sizeof(d.mobile) - 1] = 0;
    if (m_dirKind == HOSTDIR_MOBILEGROUP) {
      bool listed = false;
      for (int r = 0; r < m_users.GetItemCount() && !listed; ++r) {
        const Row* row = RowAt(m_users, r);
        listed = row != NULL && row->kind == ROW_USER && SameVariantId(row->vid, id);
      }
      if (listed) continue;
      FaceOf(id);  // presence asked as for every listed user
      CString text;
      text.Format(_T(" %s(%s)"), d.familyName, d.mobile);
      Row* row = new Row{ROW_USER, 0, {}, 0};
      VariantCopy(&row->vid, const_cast<VARIANT*>(&id));
      InsertRow(m_users, text, m_imgMobile, row);
      continue;
    }
    if (IsLimitUser(d.uin)) continue;
    if (m_kind == HOSTDIR_MOBILEGROUP && d.mobile[0] == 0) continue;
    if (!(m_flags & 0x10) && CStringW(V_BSTR(&id)) == CStringW(self)) continue;
    Row* row = new Row{ROW_USER, 0, {}, 0};
    VariantCopy(&row->vid, const_cast<VARIANT*>(&id));
    InsertRow(m_users, UserText(d, false), FaceOf(id), row);
  }
  m_users.SortItems(&CFriendsListDlg::CompareRows, 0);
  m_users.SetRedraw(TRUE);
  m_users.Invalidate();
  m_lastFill = result;
  return result;
}

void CFriendsListDlg::AddComboTree(DWORD parent, int depth) {
  if (depth > kMaxTreeDepth) return;
  std::vector<HostDirEntry> children(kMaxChildren);
  DWORD n = 0;
  if (FAILED(FetchChildren(m_dirKind, parent, children.data(), &n))) return;
  CString indent;
  for (int i = 0; i < depth; ++i) indent += _T("    ");
  for (DWORD i = 0; i < n; ++i) {
    children[i].name[sizeof(children[i].name) - 1] = 0;
    CString text;
    text.Format(_T("%s%s"), static_cast<LPCTSTR>(indent), children[i].name);
    int at = m_combo.AddString(text);
    if (at >= 0) m_combo.SetItemData(at, children[i].id);
    AddComboTree(children[i].id, depth + 1);
  }
}

void CFriendsListDlg::SelectComboEntry(DWORD id) {
  for (int i = 0; i < m_combo.GetCount(); ++i)
    if (m_combo.GetItemData(i) == id) {
      m_combo.SetCurSel(i);
      return;
    }
}

void CFriendsListDlg::OnRadioChange() {
  UpdateData(TRUE);
  static const DWORD kinds[] = {HOSTDIR_DEPARTMENT, HOSTDIR_OTHERGROUP, HOSTDIR_GROUP, HOSTDIR_MOBILEGROUP};
  const DWORD fallback = HOSTDIR_DEPARTMENT;
  m_dirKind = m_radio >= 0 && m_radio < 4 ? kinds[m_radio] : fallback;
  m_combo.ResetContent();
  if (m_dirKind == HOSTDIR_DEPARTMENT) {
    int at = m_combo.AddString(LoadText(kStrAllDepartments));
    if (at >= 0) m_combo.SetItemData(at, 0);
  }
  AddComboTree(0, 0);
  UpdateData(FALSE);
  m_combo.SetCurSel(0);
  FillUserList(0);
}

void CFriendsListDlg::OnComboChange() {
  int sel = m_combo.GetCurSel();
  if (sel >= 0) FillUserList(static_cast<DWORD>(m_combo.GetItemData(sel)));
}

// The initial set.

void CFriendsListDlg::InitSelectedItems() {
  CBoid set(1024);
  if (!set.Input(m_initial, 0x7FFFFFFF)) return;
  BYTE preset = (m_flags & 0x08) ? 0 : 1;
  const char* mark = preset ? "*" : " ";
  for (int i = 0; i < set.GetCount(); ++i) {
    int type = set.GetType(i);
    const VARIANT& id = set.GetId(i);
    CString text;
    int image = m_imgGroup;
    Row* row = NULL;
    if (type == BOID_USER || type == BOID_USER_ALT) {
      HostUserDetail d = {};
      d.cbSize = sizeof(d);
      if (m_userDir == NULL || FAILED(m_userDir->GetUserDetail(id, &d))) continue;
      d.familyName[sizeof(d.familyName) - 1] = d.givenName[sizeof(d.givenName) - 1] = 0;
      text = UserText(d, true);
      image = FaceOf(id);
      row = new Row{ROW_USER, 0, {}, preset};
    } else if (type == BOID_CONTACT) {
      HostUserRecord r = {};
      r.cbSize = sizeof(r);
      if (m_userDir == NULL || FAILED(m_userDir->GetUserRecord(id, &r))) continue;
      r.name[sizeof(r.name) - 1] = r.phone[sizeof(r.phone) - 1] = 0;
      text.Format(_T("%s%s (%s)"), mark, r.name, r.phone);
      image = m_imgMobile;
      row = new Row{ROW_USER, 0, {}, preset};
    } else {
      DWORD kind, rowKind;
      if (type == BOID_GROUP && (m_flags & 0x01)) {
        kind = HOSTDIR_GROUP, rowKind = ROW_GROUP;
      } else if (type == BOID_MOBILEGROUP && (m_flags & 0x20)) {
        kind = HOSTDIR_MOBILEGROUP, rowKind = ROW_MOBILE;
      } else if (type == BOID_DEPARTMENT && (m_flags & 0x01)) {
        kind = HOSTDIR_DEPARTMENT, rowKind = ROW_DEPARTMENT;
      } else {
        continue;
      }
      HostDirEntry e = {};
      e.cbSize = sizeof(e);
      if (m_orgDir == NULL || FAILED(m_orgDir->GetEntry(kind, id, &e))) continue;
      e.name[sizeof(e.name) - 1] = 0;
      text.Format(_T("%s%s"), mark, e.name);
      row = new Row{rowKind, set.GetNumber(i), {}, preset};
    }
    if (row->kind == ROW_USER) VariantCopy(&row->vid, const_cast<VARIANT*>(&id));
    InsertRow(m_selected, text, image, row);
  }
}

// Adding and removing.

bool CFriendsListDlg::IsAddable(const Row& row) const {
  if (row.kind == ROW_UP) return false;
  if (row.kind != ROW_USER && (!(m_flags & 0x01) || m_dirKind == HOSTDIR_GROUP)) return false;
  return true;
}

bool CFriendsListDlg::IsInSelected(const Row& row) const {
  CListCtrl& list = const_cast<CListCtrl&>(m_selected);
  for (int i = 0; i < list.GetItemCount(); ++i) {
    const Row* r = RowAt(list, i);
    if (r == NULL || r->kind != row.kind) continue;
    if (row.kind == ROW_USER ? SameVariantId(r->vid, row.vid) : r->id == row.id) return true;
  }
  return false;
}

void CFriendsListDlg::AddSelectedUsers() {
  if (m_readOnly) return;
  bool multiple = (m_flags & 0x02) != 0;
  if (!multiple && m_selected.GetItemCount() > 0) return;
  for (int i = m_users.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_users.GetNextItem(i, LVNI_SELECTED)) {
    const Row* row = RowAt(m_users, i);
    if (row == NULL || !IsAddable(*row)) continue;
    if (!multiple && m_selected.GetItemCount() > 0) break;
    if (IsInSelected(*row)) continue;
    Row* copy = new Row{row->kind, row->id, {}, 0};
    VariantCopy(&copy->vid, const_cast<VARIANT*>(&row->vid));
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    m_users.GetItem(&item);
    InsertRow(m_selected, m_users.GetItemText(i, 0), item.iImage, copy);
  }
  m_search.Empty();
  SetDlgItemText(IDC_SEARCH, _T(""));
}

void CFriendsListDlg::OnAdd() { AddSelectedUsers(); }

void CFriendsListDlg::OnUpdateAdd(CCmdUI* pCmdUI) {
  bool multiple = (m_flags & 0x02) != 0;
  bool any = m_users.GetSelectedCount() > 0;
  bool allAddable = true;
  for (int i = m_users.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_users.GetNextItem(i, LVNI_SELECTED)) {
    const Row* row = RowAt(m_users, i);
    allAddable = allAddable && row != NULL && IsAddable(*row);
  }
  bool room = multiple ? allAddable : m_selected.GetItemCount() == 0;
  pCmdUI->Enable(room && any && !m_readOnly);
}

void CFriendsListDlg::OnAddAll() {
  for (int i = 0; i < m_users.GetItemCount(); ++i) m_users.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
  AddSelectedUsers();
  for (int i = 1; i < m_users.GetItemCount(); ++i) m_users.SetItemState(i, 0, LVIS_SELECTED);
}

void CFriendsListDlg::OnUpdateAddAll(CCmdUI* pCmdUI) {
  int n = m_users.GetItemCount();
  const Row* first = RowAt(m_users, 0);
  bool onlyUp = n == 1 && first != NULL && first->kind == ROW_UP;
  pCmdUI->Enable(n > 0 && !onlyUp && !m_readOnly);
}

void CFriendsListDlg::RemoveRows(bool onlySelected) {
  if (m_readOnly) return;
  bool removePresets = (m_flags & 0x08) != 0;
  for (int i = m_selected.GetItemCount() - 1; i >= 0; --i) {
    if (onlySelected && !(m_selected.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED)) continue;
    const Row* row = RowAt(m_selected, i);
    if (row != NULL && row->preset && !removePresets) continue;
    DeleteRow(m_selected, i);
  }
}

void CFriendsListDlg::OnRemove() { RemoveRows(true); }

void CFriendsListDlg::OnUpdateRemove(CCmdUI* pCmdUI) {
  bool any = m_selected.GetSelectedCount() > 0, preset = false;
  for (int i = m_selected.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_selected.GetNextItem(i, LVNI_SELECTED)) {
    const Row* row = RowAt(m_selected, i);
    preset = preset || (row != NULL && row->preset);
  }
  pCmdUI->Enable(any && !preset && !m_readOnly);
}

void CFriendsListDlg::OnRemoveAll() { RemoveRows(false); }

void CFriendsListDlg::OnUpdateRemoveAll(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_selected.GetItemCount() > 0 && (m_flags & 0x08) && !m_readOnly);
}

void CFriendsListDlg::OnSelectedDblClk(NMHDR*, LRESULT* pResult) {
  RemoveRows(true);
  *pResult = 0;
}

void CFriendsListDlg::OnUsersDblClk(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  if (m_readOnly) return;
  const Row* row = RowAt(m_users, m_users.GetNextItem(-1, LVNI_FOCUSED));
  if (row == NULL) return;
  if (row->kind == ROW_USER) {
    AddSelectedUsers();
    return;
  }
  DWORD target = row->id;
  if (row->kind == ROW_UP) {
    HostDirEntry e = {};
    e.cbSize = sizeof(e);
    if (m_orgDir == NULL || FAILED(m_orgDir->GetEntry(m_dirKind, Number(row->id), &e))) return;
    target = e.parentId;
  }
  SelectComboEntry(target);
  FillUserList(target);
}

// Context menus of the host.

void CFriendsListDlg::ShowContextMenu(CListCtrl& list) {
  auto* menu = static_cast<IContextMenuService*>(GetModule(&IID_IContextMenuService));
  if (menu == NULL) return;
  CBoid set(1024);
  int rows = 0;
  bool group = false;
  for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED)) {
    const Row* row = RowAt(list, i);
    if (row == NULL || row->kind == ROW_UP) continue;
    ++rows;
    if (row->kind == ROW_USER) {
      set.Add(BOID_USER, row->vid, 0x7FFFFFFF);
    } else {
      group = true;
      set.Add(TypeOfRow(row->kind), row->id);
    }
  }
  VARIANT v;
  if (!set.Output(&v)) return;
  menu->Section(1);
  if (rows > 1 || group) {
    menu->AddItem(MF_SEPARATOR, NULL, "", 0);
    menu->Section(3);
  }
  menu->Show(list.GetSafeHwnd(), v, 0);
  VariantClear(&v);
}

void CFriendsListDlg::OnSelectedRClick(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  ShowContextMenu(m_selected);
}

void CFriendsListDlg::OnUsersRClick(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  const Row* focused = RowAt(m_users, m_users.GetNextItem(-1, LVNI_FOCUSED));
  if (focused != NULL && focused->kind != ROW_UP) ShowContextMenu(m_users);
}

// Search and keys.

void CFriendsListDlg::OnSearchChange() {
  UpdateData(TRUE);
  CString s = m_search;
  m_users.ModifyStyle(0, LVS_SINGLESEL);
  long number = _ttol(s);
  for (int i = 0; i < m_users.GetItemCount() && !s.IsEmpty(); ++i) {
    CString text = m_users.GetItemText(i, 0);
    bool hit = false;
    int open = text.Find(_T('('));
    if (number > 0 && open >= 0 && text.Find(_T(')'), open) >= 0) hit = text.Find(s, open) > open;
    if (!hit && text.GetLength() > s.GetLength() && text[0] == _T(' '))
      hit = text.Mid(1, s.GetLength()).CompareNoCase(s) == 0;
    if (hit) {
      m_users.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      m_users.EnsureVisible(i, FALSE);
      break;
    }
  }
  ApplyUserListStyle();  // back to the style the caller's flags ask for
  if (CEdit* edit = static_cast<CEdit*>(GetDlgItem(IDC_SEARCH))) {
    edit->SetFocus();
    int end = ::GetWindowTextLength(edit->GetSafeHwnd());
    edit->SetSel(end, end);
  }
}

void CFriendsListDlg::OnUsersKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  WORD key = reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    UpdateData(TRUE);
    m_search += static_cast<TCHAR>(key);
    SetDlgItemText(IDC_SEARCH, m_search);
  }
}

BOOL CFriendsListDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    HWND search = ::GetDlgItem(m_hWnd, IDC_SEARCH);
    if ((pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN) && pMsg->hwnd == search) {
      m_users.SetFocus();
      return TRUE;
    }
    if (pMsg->wParam == VK_DELETE) {
      if (pMsg->hwnd == m_selected.GetSafeHwnd() && !m_readOnly) RemoveRows(true);
      return TRUE;  // never reaches the search edit
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CFriendsListDlg::OnOK() {
  TESSVIK_TRACE("CFriendsListDlg::OnOK");
  CBoid set(1024);
  for (int i = 0; i < m_selected.GetItemCount(); ++i) {
    const Row* row = RowAt(m_selected, i);
    if (row == NULL) continue;
    if (row->kind == ROW_USER)
      set.Add(BOID_USER, row->vid, 0x7FFFFFFF);
    else
      set.Add(TypeOfRow(row->kind), row->id);
  }
  VariantClear(&m_result);
  set.Output(&m_result);
  EndDialog(IDOK);
}

void CFriendsListDlg::OnCancel() { EndDialog(IDCANCEL); }
