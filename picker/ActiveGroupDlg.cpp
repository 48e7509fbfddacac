// CActiveGroupDlg: the groups by age, their members and the chosen group.
#include "ActiveGroupDlg.h"

#include <time.h>

#include "PickerSupport.h"
#include "Trace.h"
#include "WexModule.h"

using tessvik::FieldText;
using tessvik::LoadText;

namespace {
const UINT kStrMembersTitle = 1455, kStrSummary = 1457, kGroupIcon = 107;

CString TextOfId(const VARIANT& id) {
  VARIANT text;
  VariantInit(&text);
  CString out;
  if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&id), 0, VT_BSTR)) && V_BSTR(&text) != NULL)
    out = CString(V_BSTR(&text));
  VariantClear(&text);
  return out;
}
}  // namespace

BEGIN_MESSAGE_MAP(CActiveGroupDlg, CDialog)
  ON_CONTROL(BN_CLICKED, IDC_RECENT, &CActiveGroupDlg::OnRecentChanged)
  ON_NOTIFY(TVN_SELCHANGED, IDC_GROUPS, &CActiveGroupDlg::OnGroupChanged)
END_MESSAGE_MAP()

CActiveGroupDlg::CActiveGroupDlg(CWnd* pParent) : CDialog(IDD, pParent), m_chosen(GUID_NULL) {
  TESSVIK_TRACE("CActiveGroupDlg::CActiveGroupDlg");
  m_option.cbSize = sizeof(m_option);
  m_option.dwAgeLimitHours = 0;
}

CActiveGroupDlg::~CActiveGroupDlg() { TESSVIK_TRACE("CActiveGroupDlg::~CActiveGroupDlg"); }

void CActiveGroupDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GROUPS, m_tree);
  DDX_Control(pDX, IDC_MEMBERS, m_members);
  DDX_Check(pDX, IDC_RECENT, m_bRecent);
}

LRESULT CActiveGroupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return tessvik::EndingOnFault(this, [&] { return CDialog::WindowProc(message, wParam, lParam); });
}

BOOL CActiveGroupDlg::OnInitDialog() {
  TESSVIK_TRACE("CActiveGroupDlg::OnInitDialog");
  CDialog::OnInitDialog();
  m_userDir = static_cast<IUserDirectory*>(GetModule(&IID_IUserDirectory));
  UpdateData(FALSE);  // binds the controls
  m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 100, 0);
  if (HICON icon = AfxGetApp() != NULL ? AfxGetApp()->LoadIcon(kGroupIcon) : NULL) m_images.Add(icon);
  m_tree.SetImageList(&m_images, TVSIL_NORMAL);
  m_members.InsertColumn(0, LoadText(kStrMembersTitle), LVCFMT_CENTER, 150);
  auto* images = static_cast<IImageService*>(GetModule(&IID_IImageService));
  HIMAGELIST icons = NULL;
  if (images != NULL) images->GetImageList(0, &icons);
  m_members.ModifyStyle(0, LVS_SHAREIMAGELISTS);  // the host's icons
  if (icons != NULL) m_members.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
  m_bRecent = FALSE;
  FillGroups(TRUE);
  UpdateData(FALSE);
  return TRUE;
}

BOOL CActiveGroupDlg::QueryGroup(const CString& id, HostGroupQuery* query) {
  if (m_userDir == NULL) return FALSE;
  memset(query, 0, sizeof(*query));
  query->cbSize = sizeof(*query);
  VARIANT v = tessvik::TextVariant(id);
  HRESULT hr = m_userDir->GetGroupQuery(v, query);
  VariantClear(&v);
  return hr == S_OK;
}

BOOL CActiveGroupDlg::FillGroups(BOOL all) {
  TESSVIK_TRACE("CActiveGroupDlg::FillGroups");
  m_bAll = all;
  GetAGOption(&m_option);
  __int64 now = LocalTimeToServerTime(static_cast<__int64>(time(NULL)));
  // The plug-in data object is held while the groups are read.
  IUnknown* data = NULL;
  IUnknown* target = NULL;
  if (auto* plugin = static_cast<IPluginData*>(GetModule(&IID_IPluginData))) {
    if (SUCCEEDED(plugin->GetDataObject(&IID_IPluginDataObject, &data)) && data != NULL)
      data->QueryInterface(IID_IPluginDataTarget, reinterpret_cast<void**>(&target));
  }
  BOOL inserted = FALSE;
  auto* org = static_cast<IOrgDirectory*>(GetModule(&IID_IOrgDirectory));
  if (org != NULL) {
    tessvik::VariantArray ids(kMaxGroups);
    DWORD count = kMaxGroups;
    VARIANT root = tessvik::Number(0);
    // A list longer than the room is refused whole, never shown in part.
    if (SUCCEEDED(org->GetMembers(HOSTDIR_ROOT, root, ids.items.data(), &count)) && count <= kMaxGroups) {
      for (DWORD i = 0; i < count; ++i) {
        CString id = TextOfId(ids.items[i]);
        HostGroupQuery q;
        if (id.IsEmpty() || !QueryGroup(id, &q) || q.state != 1) continue;
        __int64 ageHours = (now - static_cast<__int64>(q.created)) / 3600;
        if (!all && ageHours >= static_cast<__int64>(m_option.dwAgeLimitHours)) continue;
        HTREEITEM item = m_tree.InsertItem(FieldText(q.name, sizeof(q.name)), 0, 0, TVI_ROOT, TVI_LAST);
        if (item == NULL) continue;
        m_groupIds[item] = id;
        inserted = TRUE;
      }
    }
  }
  if (target != NULL) target->Release();
  if (data != NULL) data->Release();
  return inserted;
}

void CActiveGroupDlg::OnRecentChanged() {
  TESSVIK_TRACE("CActiveGroupDlg::OnRecentChanged");
  UpdateData(TRUE);
  m_tree.DeleteAllItems();
  m_groupIds.clear();
  m_members.DeleteAllItems();
  FillGroups(!m_bRecent);
}

void CActiveGroupDlg::OnGroupChanged(NMHDR* pNMHDR, LRESULT* pResult) {
  TESSVIK_TRACE("CActiveGroupDlg::OnGroupChanged");
  *pResult = 0;
  HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
  if (item == NULL) return;
  auto found = m_groupIds.find(item);
  HostGroupQuery q;
  if (found == m_groupIds.end() || !QueryGroup(found->second, &q)) return;
  m_chosen = q.guid;
  CString summary;
  summary.Format(CString("%s ") + LoadText(kStrSummary), static_cast<LPCSTR>(FieldText(q.name, sizeof(q.name))),
                 static_cast<int>(q.memberCount));
  SetDlgItemText(IDC_SUMMARY, summary);
  m_members.DeleteAllItems();
  // The record lists at most its own number of members, whatever the count says.
  DWORD listed = q.memberCount < ARRAYSIZE(q.members) ? q.memberCount : ARRAYSIZE(q.members);
  auto* host = static_cast<IHostService*>(GetModule(&IID_IHostService));
  for (DWORD i = 0; i < listed && m_userDir != NULL; ++i) {
    VARIANT id;
    VariantInit(&id);
    V_VT(&id) = VT_I4;
    V_I4(&id) = static_cast<LONG>(q.members[i]);
    HostUserDetail d;
    memset(&d, 0, sizeof(d));
    d.cbSize = sizeof(d);
    if (m_userDir->GetUserDetail(id, &d) != S_OK) continue;
    DWORD presence = 0;
    if (host != NULL) host->GetPresence(id, &presence);
    CString row;
    row.Format("%s (%d)", static_cast<LPCSTR>(FieldText(d.familyName, sizeof(d.familyName))),
               static_cast<int>(d.uin));
    m_members.InsertItem(m_members.GetItemCount(), row, GetFaceImage(presence));
  }
}

void CActiveGroupDlg::OnOK() { EndDialog(IDOK); }

void CActiveGroupDlg::OnCancel() { EndDialog(IDCANCEL); }
