// CMobileGroupDlg: the mobile groups, their members, and adding the caller's contacts.
#include "MobileGroupDlg.h"

#include <Pellix.h>

#include "PickerSupport.h"
#include "Trace.h"
#include "WexModule.h"

using tessvik::FieldText;
using tessvik::LoadText;
using tessvik::Number;

namespace {
const UINT kStrAlreadyMember = 1957, kMemberBitmap = 308, kGroupIcon = 420;

// "<mobile number>.0.3": a mobile contact's id.
VARIANT MobileId(const MobileGroupRecord& r) {
  CString text;
  text.Format("%s.0.%d", static_cast<LPCSTR>(FieldText(r.mobile, sizeof(r.mobile))), 3);
  return tessvik::TextVariant(text);
}
}  // namespace

BEGIN_MESSAGE_MAP(CMobileGroupDlg, CDialog)
  ON_NOTIFY(NM_CLICK, IDC_GROUPS, &CMobileGroupDlg::OnGroupChosen)
  ON_NOTIFY(LVN_KEYDOWN, IDC_GROUPS, &CMobileGroupDlg::OnGroupChosen)
END_MESSAGE_MAP()

CMobileGroupDlg::CMobileGroupDlg(CWnd* pParent, MobileGroupRecord* records, int count, VARIANT* result)
    : CDialog(IDD, pParent), m_records(records), m_count(count), m_result(result) {
  TESSVIK_TRACE("CMobileGroupDlg::CMobileGroupDlg");
}

CMobileGroupDlg::~CMobileGroupDlg() { TESSVIK_TRACE("CMobileGroupDlg::~CMobileGroupDlg"); }

void CMobileGroupDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_MEMBERS, m_memberList);
  DDX_Control(pDX, IDC_GROUPS, m_groupList);
}

LRESULT CMobileGroupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return tessvik::EndingOnFault(this, [&] { return CDialog::WindowProc(message, wParam, lParam); });
}

BOOL CMobileGroupDlg::OnInitDialog() {
  TESSVIK_TRACE("CMobileGroupDlg::OnInitDialog");
  CDialog::OnInitDialog();
  UpdateData(FALSE);  // binds the lists
  if (m_images.Create(kMemberBitmap, 16, 16, RGB(192, 192, 192)))
    m_memberList.SetImageList(&m_images, LVSIL_SMALL);
  m_memberList.InsertColumn(0, _T("1"), LVCFMT_LEFT, 200);
  m_memberList.InsertColumn(1, _T("2"), LVCFMT_LEFT, 100);
  auto* images = static_cast<IImageService*>(GetModule(&IID_IImageService));
  int groupImage = tessvik::ImageIndex(images, kGroupIcon);
  HIMAGELIST icons = NULL;
  if (images != NULL) images->GetImageList(0, &icons);
  m_groupList.ModifyStyle(0, LVS_SHAREIMAGELISTS);  // the host's icons
  if (icons != NULL) m_groupList.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
  m_groupList.InsertColumn(0, _T("3"), LVCFMT_LEFT, 100);
  m_groupList.InsertColumn(1, _T("4"), LVCFMT_LEFT, 100);
  m_orgDir = static_cast<IOrgDirectory*>(GetModule(&IID_IOrgDirectory));
  m_userDir = static_cast<IUserDirectory*>(GetModule(&IID_IUserDirectory));
  if (m_orgDir != NULL) {
    HostDirEntry entries[kMaxGroups];
    memset(entries, 0, sizeof(entries));
    for (HostDirEntry& e : entries) e.cbSize = sizeof(e);
    // More groups than the room are refused whole, never shown in part, whether the
    // directory tells so by their count, by its answer or by the count it gives back.
    DWORD total = 0;
    bool tooMany = SUCCEEDED(m_orgDir->GetChildCount(HOSTDIR_MOBILEGROUP, Number(0), &total)) && total > kMaxGroups;
    DWORD count = kMaxGroups;
    if (!tooMany && SUCCEEDED(m_orgDir->GetChildren(HOSTDIR_MOBILEGROUP, Number(0), entries, &count)) &&
        count <= kMaxGroups) {
      for (DWORD i = 0; i < count; ++i) {
        int row = m_groupList.InsertItem(0, FieldText(entries[i].name, sizeof(entries[i].name)), groupImage);
        m_groupList.SetItemData(row, entries[i].id);
      }
    }
  }
  CString caption;
  caption.Format(m_count > 1 ? "%s(%s) ..." : "%s(%s)",
                 static_cast<LPCSTR>(FieldText(m_records[0].name, sizeof(m_records[0].name))),
                 static_cast<LPCSTR>(FieldText(m_records[0].mobile, sizeof(m_records[0].mobile))));
  SetDlgItemText(IDC_CAPTION, caption);
  CWnd* name = GetDlgItem(IDC_NAME);
  if (name == NULL) return TRUE;
  name->SetFocus();
  return FALSE;
}

void CMobileGroupDlg::OnGroupChosen(NMHDR*, LRESULT* pResult) {
  TESSVIK_TRACE("CMobileGroupDlg::OnGroupChosen");
  *pResult = 0;
  int row = m_groupList.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) return;
  SetDlgItemText(IDC_NAME, m_groupList.GetItemText(row, 0));
  m_memberList.DeleteAllItems();
  if (m_orgDir == NULL) return;
  tessvik::VariantArray ids(kMaxMembers);
  DWORD count = kMaxMembers;
  VARIANT group = Number(static_cast<DWORD>(m_groupList.GetItemData(row)));
  // More members than the room: none are listed rather than a part.
  if (FAILED(m_orgDir->GetMembers(HOSTDIR_MOBILEGROUP, group, ids.items.data(), &count)) || count > kMaxMembers)
    return;
  for (DWORD i = 0; i < count && m_userDir != NULL; ++i) {
    HostUserRecord r;
    memset(&r, 0, sizeof(r));
    r.cbSize = sizeof(r);
    if (m_userDir->GetUserRecord(ids.items[i], &r) != S_OK) continue;
    CString text;
    text.Format("%s(%s)", static_cast<LPCSTR>(FieldText(r.name, sizeof(r.name))),
                static_cast<LPCSTR>(FieldText(r.phone, sizeof(r.phone))));
    m_memberList.InsertItem(m_memberList.GetItemCount(), text);
  }
}

void CMobileGroupDlg::OnOK() {
  TESSVIK_TRACE("CMobileGroupDlg::OnOK");
  CString name;
  GetDlgItemText(IDC_NAME, name);
  name.Trim();
  if (name.IsEmpty()) {
    if (CWnd* edit = GetDlgItem(IDC_NAME)) edit->SetFocus();
    return;
  }
  if (m_orgDir == NULL || m_userDir == NULL) return;  // nowhere to put them: stays open
  // An existing group of that name, else a new one.
  DWORD group = 0;
  bool found = false;
  for (int i = 0; i < m_groupList.GetItemCount() && !found; ++i) {
    CString text = m_groupList.GetItemText(i, 0);
    text.Trim();
    if (text == name) {
      group = static_cast<DWORD>(m_groupList.GetItemData(i));
      found = true;
    }
  }
  if (!found) {
    HostDirEntry entry;
    memset(&entry, 0, sizeof(entry));
    entry.cbSize = sizeof(entry);
    entry.kind = HOSTDIR_MOBILEGROUP;
    lstrcpynA(entry.name, name, sizeof(entry.name));
    if (FAILED(m_orgDir->NewId(HOSTDIR_MOBILEGROUP, &group)) ||
        FAILED(m_orgDir->SetEntry(HOSTDIR_MOBILEGROUP, 0, group, &entry)))
      return;  // no group to add to: reported by staying open
  }
  VARIANT groupId = Number(group);
  for (int i = 0; i < m_count; ++i) {
    VARIANT member = MobileId(m_records[i]);
    DWORD exists = 0;
    m_orgDir->HasMember(HOSTDIR_MOBILEGROUP, groupId, member, &exists);
    if (exists == 1) {
      CString message;
      message.Format(LoadText(kStrAlreadyMember), static_cast<LPCSTR>(name),
                     static_cast<LPCSTR>(FieldText(m_records[i].mobile, sizeof(m_records[i].mobile))));
      MessageBox(message, NULL, MB_ICONINFORMATION);
    } else if (exists == 0) {
      m_userDir->StoreUserRecord(member, reinterpret_cast<HostUserRecord*>(&m_records[i]));
      m_orgDir->AddMember(HOSTDIR_MOBILEGROUP, groupId, member);
    }
    VariantClear(&member);
  }
  if (auto* store = static_cast<IMobileGroupStore*>(GetModule(&IID_IMobileGroupStore))) {
    VARIANT empty;
    VariantInit(&empty);
    store->Refresh(HOSTDIR_MOBILEGROUP, empty, 1);
  }
  if (m_result != NULL) {
    CBoid set(1024);
    set.Add(BOID_GROUP, group);
    VARIANT out;
    VariantInit(&out);
    if (set.Output(&out)) *m_result = out;  // an out parameter
  }
  EndDialog(IDOK);
}

void CMobileGroupDlg::OnCancel() { EndDialog(IDCANCEL); }
