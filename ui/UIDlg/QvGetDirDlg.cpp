#include <QvGetDirDlg.h>
#include <shlobj.h>

CQvGetDirDlg::CQvGetDirDlg(LPCTSTR initialFolder, LPCTSTR title, CWnd* parent)
    : m_strInitialFolder(initialFolder), m_strTitle(title), m_pParent(parent) {}

CQvGetDirDlg::~CQvGetDirDlg() {}

int CALLBACK CQvGetDirDlg::BrowseCallback(HWND hWnd, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) ::SendMessage(hWnd, BFFM_SETSELECTION, TRUE, data);
  return 0;
}

INT_PTR CQvGetDirDlg::DoModal() {
  TCHAR name[MAX_PATH] = {};
  BROWSEINFO bi = {};
  bi.hwndOwner = m_pParent->GetSafeHwnd();
  bi.pszDisplayName = name;
  bi.lpszTitle = m_strTitle;
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  if (!m_strInitialFolder.IsEmpty()) {
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_strInitialFolder));
  }
  LPITEMIDLIST items = ::SHBrowseForFolder(&bi);
  if (items == NULL) return IDCANCEL;
  TCHAR path[MAX_PATH] = {};
  const BOOL got = ::SHGetPathFromIDList(items, path);
  ::CoTaskMemFree(items);
  if (!got) return IDCANCEL;
  m_strFolder = path;
  return IDOK;
}

void CQvGetDirDlg::GetFolderName(CString& folder) { folder = m_strFolder; }
