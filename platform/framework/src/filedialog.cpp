// The Explorer-style open and save dialog.
#include "fw_filedialog.h"

#include "fw_coll.h"

#include <dlgs.h>

namespace {
// The file dialog whose run has begun on this thread and whose child is not bound yet.
thread_local CFileDialog* t_pStarting = NULL;

// The name part of a path: after its last backslash, slash or colon.
LPCTSTR NamePart(LPCTSTR path) {
  LPCTSTR name = path;
  for (LPCTSTR p = path; *p != 0; ++p)
    if (*p == _T('\\') || *p == _T('/') || *p == _T(':')) name = p + 1;
  return name;
}
}  // namespace

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog) {
  memset(&m_ofn, 0, sizeof(m_ofn));
  m_szFileTitle[0] = 0;
  m_szFileName[0] = 0;
  m_ofn.lStructSize = dwSize != 0 && dwSize <= sizeof(m_ofn) ? dwSize : static_cast<DWORD>(sizeof(m_ofn));
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK;
  m_ofn.lpfnHook = FileHookProc;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = MAX_PATH;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = 64;
  if (lpszDefExt != NULL) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName != NULL) lstrcpyn(m_szFileName, lpszFileName, MAX_PATH);
  if (lpszFilter != NULL && *lpszFilter != 0) {
    m_strFilter = lpszFilter;
    // The system reads the list up to two zeros: the text's own end gives the second.
    LPTSTR p = m_strFilter.GetBuffer();
    for (; *p != 0; ++p)
      if (*p == _T('|')) *p = 0;
    m_strFilter.ReleaseBuffer(static_cast<int>(p - m_strFilter.GetString()));
    m_ofn.lpstrFilter = m_strFilter;
  }
}

CFileDialog::~CFileDialog() {
  if (t_pStarting == this) t_pStarting = NULL;
}

CFileDialog* PASCAL CFileDialog::GetStartingDialog() { return t_pStarting; }

UINT_PTR CALLBACK CFileDialog::FileHookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT fileOk = ::RegisterWindowMessage(FILEOKSTRING);
  static const UINT selChange = ::RegisterWindowMessage(LBSELCHSTRING);
  static const UINT shareViolation = ::RegisterWindowMessage(SHAREVISTRING);
  if (message != fileOk && message != selChange && message != shareViolation)
    return HookProc(hWnd, message, wParam, lParam);
  CFileDialog* dialog = DYNAMIC_DOWNCAST(CFileDialog, CWnd::FromHandlePermanent(hWnd));
  if (dialog == NULL || (dialog->m_ofn.Flags & OFN_EXPLORER) != 0) return 0;
  // The answer goes back to the system's procedure, which called the hook itself.
  if (message == fileOk) return dialog->OnFileNameOK() ? 1 : 0;
  if (message == shareViolation) return dialog->OnShareViolation(reinterpret_cast<LPCTSTR>(lParam));
  // A selection in the file list (lst1, the only list that names files).
  if (wParam == lst1 && HIWORD(lParam) == CD_LBSELCHANGE) dialog->OnFileNameChange();
  return 0;
}

INT_PTR CFileDialog::DoModal() {
  HWND owner = PreModal();
  AfxUnhookWindowCreate();  // the hook binds the child, not the system's dialog
  m_ofn.hwndOwner = owner;
  CFileDialog* outer = t_pStarting;
  t_pStarting = (m_ofn.Flags & OFN_ENABLEHOOK) != 0 ? this : NULL;
  BOOL ok = FALSE;
  try {
    ok = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
  } catch (...) {
    t_pStarting = outer;
    PostModal();
    throw;
  }
  t_pStarting = outer;
  PostModal();
  return ok ? IDOK : IDCANCEL;
}

BOOL CFileDialog::OnInitDialog() { return TRUE; }

HWND CFileDialog::GetCommonDialog() const {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return NULL;
  if ((m_ofn.Flags & OFN_EXPLORER) == 0) return m_hWnd;
  return ::GetParent(m_hWnd);
}

CString CFileDialog::AskText(UINT message) const {
  CString text;
  HWND dlg = GetCommonDialog();
  if (dlg == NULL) return text;
  const LRESULT size = ::SendMessage(dlg, message, 0, 0);
  if (size <= 0) return text;
  const LRESULT got = ::SendMessage(dlg, message, static_cast<WPARAM>(size + 1),
                                    reinterpret_cast<LPARAM>(text.GetBuffer(static_cast<int>(size + 1))));
  text.ReleaseBuffer(got > 0 ? -1 : 0);
  return text;
}

CString CFileDialog::GetPathName() const {
  if (GetCommonDialog() != NULL && (m_ofn.Flags & OFN_EXPLORER) != 0) return AskText(CDM_GETFILEPATH);
  return m_ofn.lpstrFile != NULL ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const { return CString(NamePart(GetPathName())); }

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind(_T('.'));
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind(_T('.'));
  return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
  if ((m_ofn.Flags & OFN_EXPLORER) == 0) return CString();
  return AskText(CDM_GETFOLDERPATH);
}

// An old-style dialog knows no CDM_ requests: its controls are its own children.
void CFileDialog::SetControlText(int nID, LPCTSTR lpsz) {
  HWND dlg = GetCommonDialog();
  if (dlg == NULL) return;
  if ((m_ofn.Flags & OFN_EXPLORER) == 0)
    ::SetDlgItemText(dlg, nID, lpsz);
  else
    ::SendMessage(dlg, CDM_SETCONTROLTEXT, nID, reinterpret_cast<LPARAM>(lpsz));
}

void CFileDialog::HideControl(int nID) {
  HWND dlg = GetCommonDialog();
  if (dlg == NULL) return;
  if ((m_ofn.Flags & OFN_EXPLORER) == 0)
    ::ShowWindow(::GetDlgItem(dlg, nID), SW_HIDE);
  else
    ::SendMessage(dlg, CDM_HIDECONTROL, nID, 0);
}

void CFileDialog::SetDefExt(LPCSTR lpsz) {
  if (HWND dlg = GetCommonDialog()) ::SendMessageA(dlg, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(lpsz));
}

// A multiple choice in the record is the folder, a zero, then each name ended by a zero and
// a second zero at the end; a single choice is one full path.
POSITION CFileDialog::GetStartPosition() const {
  if (m_ofn.lpstrFile == NULL || m_ofn.lpstrFile[0] == 0) return NULL;
  return reinterpret_cast<POSITION>(m_ofn.lpstrFile);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  LPCTSTR p = reinterpret_cast<LPCTSTR>(pos);
  const LPCTSTR start = m_ofn.lpstrFile;
  if (p == NULL || start == NULL) {
    pos = NULL;
    return CString();
  }
  if ((m_ofn.Flags & (OFN_ALLOWMULTISELECT | OFN_EXPLORER)) == OFN_ALLOWMULTISELECT) return NextOldStyleName(pos);
  const size_t folderLength = lstrlen(start);
  const bool multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0 && start[folderLength + 1] != 0;
  if (!multiple) {
    pos = NULL;
    return CString(start);
  }
  if (p == start) p = start + folderLength + 1;
  CString path(start);
  if (path.Right(1) != _T("\\")) path += _T('\\');
  path += p;
  p += lstrlen(p) + 1;
  pos = *p != 0 ? reinterpret_cast<POSITION>(const_cast<LPTSTR>(p)) : NULL;
  return path;
}

// The old-style dialog's choice of several files is one line: the folder and each name (short
// names, so no blanks inside) after a blank; one file alone is its full path.
CString CFileDialog::NextOldStyleName(POSITION& pos) const {
  const LPCTSTR start = m_ofn.lpstrFile;
  LPCTSTR p = reinterpret_cast<LPCTSTR>(pos);
  LPCTSTR folderEnd = start;
  while (*folderEnd != 0 && *folderEnd != _T(' ')) ++folderEnd;
  LPCTSTR first = folderEnd;
  while (*first == _T(' ')) ++first;
  if (*first == 0) {
    pos = NULL;
    return CString(start, static_cast<int>(folderEnd - start));
  }
  if (p == start) p = first;
  LPCTSTR end = p;
  while (*end != 0 && *end != _T(' ')) ++end;
  CString path(start, static_cast<int>(folderEnd - start));
  if (path.Right(1) != _T("\\")) path += _T('\\');
  path += CString(p, static_cast<int>(end - p));
  while (*end == _T(' ')) ++end;
  pos = *end != 0 ? reinterpret_cast<POSITION>(const_cast<LPTSTR>(end)) : NULL;
  return path;
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CCommonDialog::OnNotify(wParam, lParam, pResult)) return TRUE;
  OFNOTIFY* notify = reinterpret_cast<OFNOTIFY*>(lParam);
  // Only the system's dialog speaks in CDN_ codes.
  if (notify->hdr.hwndFrom != GetCommonDialog()) return FALSE;
  OFNOTIFY* outer = m_pofnTemp;
  m_pofnTemp = notify;
  LRESULT result = 0;
  BOOL handled = TRUE;
  switch (notify->hdr.code) {
    case CDN_INITDONE:
      OnInitDone();
      break;
    case CDN_SELCHANGE:
      OnFileNameChange();
      break;
    case CDN_FOLDERCHANGE:
      OnFolderChange();
      break;
    case CDN_TYPECHANGE:
      OnTypeChange();
      break;
    case CDN_SHAREVIOLATION:
      result = OnShareViolation(notify->pszFile);
      break;
    case CDN_FILEOK:
      result = OnFileNameOK() ? 1 : 0;
      break;
    default:
      handled = FALSE;
      break;
  }
  m_pofnTemp = outer;
  if (!handled) return FALSE;
  // The system reads the answer of a dialog procedure from the dialog's result slot.
  if (m_hWnd != NULL) ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, result);
  *pResult = result;
  return TRUE;
}

void CFileDialog::OnOK() { Default(); }
void CFileDialog::OnCancel() { Default(); }

BOOL CFileDialog::OnFileNameOK() { return FALSE; }
UINT CFileDialog::OnShareViolation(LPCTSTR) { return OFN_SHAREWARN; }
void CFileDialog::OnInitDone() {}
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}
