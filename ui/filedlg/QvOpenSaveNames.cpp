// The open/save dialog's typed names: filters and their extensions and folders, the rewrite
// of the edit box, the length limit of a saved path, the highlighted shortcut, and the
// existence checks.
#include <QvOpenSaveDlg.h>
#include <UIUtilities.h>
#include <shlobj.h>
#include <vekkel.h>

namespace {
const int kMaxSavedPath = 254;
const UINT kFolderMissingLabel = 31269, kFileMissingLabel = 31268;

// The extension of the n-th pattern (0-based) of a pattern text: after its first dot; empty
// when it has none or it is a wildcard.
CString PatternExtension(const CString& patterns, int n) {
  int start = 0;
  for (int i = 0; i < n && start >= 0; ++i) {
    start = patterns.Find(_T(';'), start);
    if (start >= 0) ++start;
  }
  if (start < 0) return CString();
  int end = patterns.Find(_T(';'), start);
  CString pattern = end < 0 ? patterns.Mid(start) : patterns.Mid(start, end - start);
  pattern.Trim();
  const int dot = pattern.Find(_T('.'));
  if (dot < 0) return CString();
  CString ext = pattern.Mid(dot + 1).Left(MAX_PATH);
  if (ext.FindOneOf(_T("*?")) >= 0) return CString();
  return ext;
}

// TRUE when one of the patterns ends with the dot and the extension, whole ("*.rep" for
// "rep"), ignoring case.
BOOL PatternsHaveExtension(const CString& patterns, const CString& ext) {
  int start = 0;
  while (start <= patterns.GetLength()) {
    int end = patterns.Find(_T(';'), start);
    if (end < 0) end = patterns.GetLength();
    CString pattern = patterns.Mid(start, end - start);
    pattern.Trim();
    const int dot = pattern.Find(_T('.'));
    if (dot >= 0 && pattern.Mid(dot + 1).CompareNoCase(ext) == 0) return TRUE;
    start = end + 1;
  }
  return FALSE;
}

bool IsDriveName(const CString& name) {
  const int n = name.GetLength();
  return (n == 2 || (n == 3 && name[2] == _T('\\'))) && _istalpha(name[0]) && name[1] == _T(':');
}

bool IsUNC(const CString& name) {
  CString text = name;
  text.TrimLeft();
  return text.Left(2) == _T("\\\\");
}

// A wildcard pattern: optional blanks, an asterisk, optional blanks, a dot.
bool IsWildcardPattern(const CString& text) {
  int i = 0;
  const int n = text.GetLength();
  while (i < n && text[i] == _T(' ')) ++i;
  if (i >= n || text[i] != _T('*')) return false;
  ++i;
  while (i < n && text[i] == _T(' ')) ++i;
  return i < n && text[i] == _T('.');
}
}  // namespace

// Filters.

void CQvOpenSaveDlg::InitDirectories(LPCTSTR lpszFilter, LPCTSTR lpszFolders) {
  m_folders.clear();
  m_bPerFilterFolders = FALSE;
  if (lpszFilter == NULL) return;
  CString filter(lpszFilter), folders(lpszFolders != NULL ? lpszFolders : _T(""));
  int at = 0, folderAt = 0;
  auto next = [](const CString& text, int& pos) {
    if (pos > text.GetLength()) return CString();
    int end = text.Find(_T('|'), pos);
    if (end < 0) end = text.GetLength();
    CString item = text.Mid(pos, end - pos);
    pos = end + 1;
    return item;
  };
  for (;;) {
    const CString description = next(filter, at);
    const CString pattern = next(filter, at);
    CString folder = next(folders, folderAt);
    if (!folder.IsEmpty() && m_bOldStyle) {
      TCHAR shortPath[MAX_PATH];
      const DWORD n = ::GetShortPathName(folder, shortPath, MAX_PATH);
      if (n > 0 && n < MAX_PATH) folder = shortPath;
    }
    OSDSTRUCT entry(description, pattern, folder);
    if (!entry.NotEmpty()) break;
    m_folders.push_back(entry);
    if (!folder.IsEmpty()) m_bPerFilterFolders = TRUE;
  }
}

LPCTSTR CQvOpenSaveDlg::StructToString(const OSDSTRUCT* pEntries, DWORD count) {
  static CString s_text;
  s_text.Empty();
  for (DWORD i = 0; pEntries != NULL && i < count; ++i)
    s_text += pEntries[i].m_strDescription + _T("|") + pEntries[i].m_strPattern + _T("|");
  s_text += _T("|");
  if (s_text.GetLength() < 2) s_text = _T("||");
  return s_text;
}

BOOL CQvOpenSaveDlg::KnownExtension(LPCTSTR name, DWORD& index) {
  index = 0;
  if (name == NULL) return FALSE;
  CString ext(name);
  const int dot = ext.ReverseFind(_T('.'));
  if (dot >= 0) ext = ext.Mid(dot + 1);
  if (ext.IsEmpty()) return FALSE;
  for (size_t i = 0; i < m_folders.size(); ++i)
    if (PatternsHaveExtension(m_folders[i].m_strPattern, ext)) {
      index = static_cast<DWORD>(i + 1);
      return TRUE;
    }
  return FALSE;
}

DWORD CQvOpenSaveDlg::GetStartFilterIndex(LPCTSTR lpszFileName) {
  DWORD index = 0;
  if (lpszFileName != NULL && _tcschr(lpszFileName, _T('.')) != NULL && KnownExtension(lpszFileName, index))
    return index;
  if (!m_strDefExtension.IsEmpty() && KnownExtension(_T(".") + m_strDefExtension, index)) return index;
  return 1;
}

LPCTSTR CQvOpenSaveDlg::GetDefaultDirectory() {
  if (m_folders.empty()) return NULL;
  if (m_strDefExtension.IsEmpty()) {
    m_strDefaultDirectory = m_folders[0].m_strFolder;
  } else {
    DWORD index = 0;
    if (!KnownExtension(_T(".") + m_strDefExtension, index)) return NULL;
    m_strDefaultDirectory = m_folders[index - 1].m_strFolder;
  }
  return m_strDefaultDirectory.IsEmpty() ? NULL : m_strDefaultDirectory.GetString();
}

// The names.

BOOL CQvOpenSaveDlg::SetExtension(LPTSTR name, size_t capacity, LPCTSTR ext) {
  if (name == NULL || ext == NULL) return FALSE;
  CString result(name);
  const int dot = result.ReverseFind(_T('.'));
  if (dot >= 0) result = result.Left(dot);
  result += ext;
  if (static_cast<size_t>(result.GetLength()) + 1 > capacity) return FALSE;
  memcpy(name, result.GetString(), (result.GetLength() + 1) * sizeof(TCHAR));
  return TRUE;
}

void CQvOpenSaveDlg::RemoveFirstExtension(LPTSTR name) { RemoveNthExtension(name, 1); }

void CQvOpenSaveDlg::RemoveLastExtension(LPTSTR name) {
  if (name == NULL) return;
  if (LPTSTR dot = _tcsrchr(name, _T('.'))) *dot = 0;
}

void CQvOpenSaveDlg::RemoveNthExtension(LPTSTR name, int n) {
  if (name == NULL || n < 1) return;
  for (LPTSTR p = name; *p != 0; ++p)
    if (*p == _T('.') && --n == 0) {
      *p = 0;
      return;
    }
}

// The system dialog's edit box.

HWND CQvOpenSaveDlg::EditBox() const {
  HWND box = m_hCommonDlg != NULL ? ::GetDlgItem(m_hCommonDlg, edt1) : NULL;
  if (box == NULL) return NULL;
  TCHAR kind[16] = _T("");
  ::GetClassName(box, kind, 16);
  if (lstrcmpi(kind, _T("ComboBox")) == 0) {
    HWND inner = ::FindWindowEx(box, NULL, _T("Edit"), NULL);
    if (inner != NULL) return inner;
  }
  return box;
}

CString CQvOpenSaveDlg::EditText() const {
  CString text;
  HWND box = m_hCommonDlg != NULL ? ::GetDlgItem(m_hCommonDlg, edt1) : NULL;
  if (box == NULL) return text;
  const int length = ::GetWindowTextLength(box);
  if (length > 0) {
    ::GetWindowText(box, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
  }
  return text;
}

void CQvOpenSaveDlg::SetEditText(const CString& text) {
  // (Not CDM_SETCONTROLTEXT: old-style dialogs do not answer it.)
  if (m_hCommonDlg != NULL) ::SetDlgItemText(m_hCommonDlg, edt1, text);
}

void CQvOpenSaveDlg::SetDefaultExtension(const CString& ext) {
  m_strDefExtension = ext;
  m_ofn.lpstrDefExt = m_strDefExtension.IsEmpty() ? NULL : m_strDefExtension.GetString();
  if (m_hCommonDlg != NULL)
    ::SendMessage(m_hCommonDlg, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(m_strDefExtension.GetString()));
}

CString CQvOpenSaveDlg::GetCurrentPathName() {
  if (m_bOldStyle) {
    // An old-style dialog answers no CDM_ request: the typed name in the dialog's folder,
    // which is the process's current folder while it runs.
    CString typed = EditText();
    typed.Trim();
    if (typed.IsEmpty()) return typed;
    const DWORD n = ::GetFullPathName(typed, 0, NULL, NULL);
    CString path;
    const DWORD got = n > 0 ? ::GetFullPathName(typed, n + 1, path.GetBuffer(n + 1), NULL) : 0;
    path.ReleaseBuffer(got > 0 && got <= n ? static_cast<int>(got) : 0);
    return path;
  }
  CString spec = AskText(CDM_GETSPEC);
  if (spec.IsEmpty()) return spec;
  // A typed whole path is the name itself (some systems put the folder before it anyway).
  CString typed = spec;
  typed.Trim();
  if (typed.Left(2) == _T("\\\\") || (typed.GetLength() > 2 && typed[1] == _T(':') && typed[2] == _T('\\')))
    return typed;
  CString path = AskText(CDM_GETFILEPATH);
  path.Trim();
  return path;
}

void CQvOpenSaveDlg::GetCurrentSpec(CString& spec) {
  spec = GetCurrentPathName();
  if (m_bOldStyle && !spec.IsEmpty()) {
    const DWORD n = ::GetShortPathName(spec, NULL, 0);
    if (n > 0) {
      CString shortPath;
      const DWORD got = ::GetShortPathName(spec, shortPath.GetBuffer(n + 1), n + 1);
      shortPath.ReleaseBuffer(got > 0 && got <= n ? static_cast<int>(got) : 0);
      if (!shortPath.IsEmpty()) spec = shortPath;
    }
  }
}

namespace {
// Whether a typed name stands for an existing folder, resolved against the dialog's folder
// when it is relative.
bool IsExistingFolder(const CString& name, const CString& base) {
  if (name.IsEmpty()) return false;
  if (IsDriveName(name)) {
    TCHAR root[4] = {name[0], _T(':'), _T('\\'), 0};
    return ::GetDriveType(root) > DRIVE_NO_ROOT_DIR;
  }
  CString path = name;
  const bool absolute = path.Left(1) == _T("\\") || (path.GetLength() > 1 && path[1] == _T(':'));
  if (!absolute && !base.IsEmpty()) path = base + (base.Right(1) == _T("\\") ? _T("") : _T("\\")) + name;
  const DWORD attributes = ::GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
}  // namespace

void CQvOpenSaveDlg::CleanEditBox() {
  if (m_hCommonDlg == NULL) return;
  CString text = EditText();
  const CString folder = GetFolderPath();
  // The typed extension: from the trimmed name's last dot, unless that dot lies in a folder
  // part or the whole name is a folder.
  CString trimmed = text;
  trimmed.Trim();
  CString ext;
  const int dot = trimmed.ReverseFind(_T('.'));
  if (dot >= 0 && trimmed.Mid(dot).Find(_T('\\')) < 0 && !IsExistingFolder(trimmed, folder)) {
    ext = trimmed.Mid(dot);
    text = text.Left(text.ReverseFind(_T('.')));
  }
  text.TrimLeft();
  if (!ext.IsEmpty()) {
    text += ext;
  } else {
    text.TrimRight();
    if (text == _T("\\")) return;
    const CString defaultExt = m_strDefExtension.IsEmpty() ? CString() : _T(".") + m_strDefExtension;
    if (!IsUNC(text)) {
      if (!text.IsEmpty() && !IsExistingFolder(text, folder)) text += defaultExt;
    } else {
      BOOL isFolder = FALSE;
      COpenSaveSystem* system = COpenSaveSystem::Get();
      if (system->GetShellAttributes(text, isFolder) && isFolder) {
        OSVERSIONINFO version = {};
        const bool win95 = system->GetVersion(version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
        if (text.Right(1) != _T("\\") && !win95) text += _T('\\');
      } else if (!text.IsEmpty()) {
        text += defaultExt;
      }
    }
  }
  // The work buffer holds nMaxFile characters: a longer name is left as typed.
  if (static_cast<DWORD>(text.GetLength()) >= m_ofn.nMaxFile) return;
  SetEditText(text);
}

void CQvOpenSaveDlg::OnTypeChange() {
  CFileDialog::OnTypeChange();
  if (!m_bPerFilterFolders || m_bBusy || m_hCommonDlg == NULL) return;
  DWORD filter = m_ofn.nFilterIndex;
  if (HWND types = ::GetDlgItem(m_hCommonDlg, cmb1)) {
    const LRESULT selection = ::SendMessage(types, CB_GETCURSEL, 0, 0);
    if (selection >= 0) filter = static_cast<DWORD>(selection + 1);
  }
  if (filter < 1 || filter > m_folders.size()) return;
  m_bBusy = TRUE;
  const CString ext = PatternExtension(m_folders[filter - 1].m_strPattern, 0);
  if (!ext.IsEmpty()) SetDefaultExtension(ext);
  CString text = EditText();
  text.TrimLeft();
  const int dot = text.ReverseFind(_T('.'));
  if (dot >= 0 && text.Mid(dot).Find(_T('\\')) < 0 && !m_strDefExtension.IsEmpty()) {
    text = text.Left(dot + 1) + m_strDefExtension;
    if (static_cast<DWORD>(text.GetLength()) < m_ofn.nMaxFile) SetEditText(text);
  }
  m_bBusy = FALSE;
}

void CQvOpenSaveDlg::OnFileNameChange() {
  CFileDialog::OnFileNameChange();
  if (m_hCommonDlg == NULL) return;
  if (!IsOpenDialog()) {
    const CString path = AskText(CDM_GETFILEPATH), spec = AskText(CDM_GETSPEC);
    int folderLength = 0;
    if (!spec.IsEmpty() && path.GetLength() >= spec.GetLength() && path.Right(spec.GetLength()) == spec)
      folderLength = path.GetLength() - spec.GetLength();
    // Never 0: the edit box would take that for "no limit".
    const int limit = kMaxSavedPath - folderLength < 1 ? 1 : kMaxSavedPath - folderLength;
    if (HWND box = EditBox()) {
      ::SendMessage(box, EM_LIMITTEXT, limit, 0);
      const CString text = EditText();
      if (text.GetLength() > limit) ::SetWindowText(box, text.Left(limit));
    }
  }
  if (m_bBusy) return;
  const CString text = EditText();
  if (!IsWildcardPattern(text)) return;
  CString ext = text.Mid(text.Find(_T('.')) + 1);
  ext.Trim();
  if (ext.IsEmpty() || ext.FindOneOf(_T("*?")) >= 0) return;
  SetDefaultExtension(ext);
  DWORD index = 0;
  if (KnownExtension(_T(".") + ext, index) && index != m_ofn.nFilterIndex) m_ofn.nFilterIndex = index;
}

void CQvOpenSaveDlg::UpdateSelection() {
  for (int i = 0; i < 4; ++i) m_productPane.CheckItem(i, 0);
  if (m_shell32.m_bUsable)
    for (int i = 0; i < 3; ++i) m_commonPane.CheckItem(i, 0);
  const CString folder = GetFolderPath();
  // A folder outside the file system has no path (some systems give the shell's parsing
  // name, "::{...}", instead).
  if (folder.IsEmpty() || folder.Left(2) == _T("::")) {
    // The computer?
    if (m_pShellBrowser == NULL || !m_shell32.m_bUsable || m_shell32.m_pfnGetSpecialFolderLocation == NULL ||
        m_shell32.m_pfnGetDesktopFolder == NULL || m_hCommonDlg == NULL)
      return;
    const LRESULT size = ::SendMessage(m_hCommonDlg, CDM_GETFOLDERIDLIST, 0, 0);
    if (size <= 0) return;
    std::vector<BYTE> current(static_cast<size_t>(size));
    if (::SendMessage(m_hCommonDlg, CDM_GETFOLDERIDLIST, size, reinterpret_cast<LPARAM>(current.data())) <= 0) return;
    LPITEMIDLIST computer = NULL;
    IShellFolder* desktop = NULL;
    if (SUCCEEDED(m_shell32.m_pfnGetSpecialFolderLocation(NULL, CSIDL_DRIVES, reinterpret_cast<void**>(&computer))) &&
        SUCCEEDED(m_shell32.m_pfnGetDesktopFolder(reinterpret_cast<void**>(&desktop))) && computer != NULL &&
        desktop != NULL) {
      auto name = [desktop](LPCITEMIDLIST list) {
        CString text;
        STRRET ret = {};
        if (SUCCEEDED(desktop->GetDisplayNameOf(list, SHGDN_FORPARSING | SHGDN_FORADDRESSBAR, &ret)) &&
            ret.uType == STRRET_WSTR && ret.pOleStr != NULL) {
          text = ret.pOleStr;
          ::CoTaskMemFree(ret.pOleStr);
        }
        return text;
      };
      const CString here = name(reinterpret_cast<LPCITEMIDLIST>(current.data())), there = name(computer);
      if (!here.IsEmpty() && here.CompareNoCase(there) == 0) {
        m_tiles.SetActiveMasterTile(1);
        m_commonPane.CheckItem(1, 1);
      }
    }
    if (desktop != NULL) desktop->Release();
    if (computer != NULL) ::CoTaskMemFree(computer);
    return;
  }
  auto same = [](CString a, CString b) {
    a.TrimRight(_T('\\'));
    b.TrimRight(_T('\\'));
    return !a.IsEmpty() && a.CompareNoCase(b) == 0;
  };
  for (int i = 0; i < 4; ++i) {
    CString pattern = gQvShortcuts[i].m_strPattern, found;
    if (!pattern.IsEmpty() && FindExtensionPath(pattern, found) && same(found, folder)) {
      m_tiles.SetActiveMasterTile(0);
      m_productPane.CheckItem(i, 1);
      return;
    }
  }
  if (!m_shell32.m_bUsable) return;
  for (int i = 0; i < 3; ++i)
    if (same(gBuiltinShortcuts[i].m_strPath, folder)) {
      m_tiles.SetActiveMasterTile(1);
      m_commonPane.CheckItem(i, 1);
      return;
    }
}

// The existence checks.

namespace {
bool Exists(const CString& name) {
  if (IsUNC(name)) {
    BOOL isFolder = FALSE;
    return COpenSaveSystem::Get()->GetShellAttributes(name, isFolder) != FALSE;
  }
  if (IsDriveName(name)) {
    TCHAR root[4] = {name[0], _T(':'), _T('\\'), 0};
    return ::GetDriveType(root) > DRIVE_NO_ROOT_DIR;
  }
  WIN32_FIND_DATA data;
  HANDLE found = ::FindFirstFile(name, &data);
  if (found == INVALID_HANDLE_VALUE) return false;
  ::FindClose(found);
  return true;
}

void TellMissing(UINT label, const CString& spec) {
  CString text(QvGetMyLabel(label).ToWide().c_str());
  // The host's text is no format: only its first %s is replaced.
  const int at = text.Find(_T("%s"));
  if (at >= 0) text = text.Left(at) + spec + text.Mid(at + 2);
  UIMessageBox(text, MB_OK | MB_ICONEXCLAMATION, 0);
}
}  // namespace

BOOL CQvOpenSaveDlg::IsValidFileSpec(CString& out) {
  CString spec;
  GetCurrentSpec(spec);
  if (m_hCommonDlg != NULL && IsWildcardPattern(EditText())) {
    out = spec;
    out.Trim();
    return TRUE;
  }
  if (m_bPathMustExist) {
    const int slash = spec.ReverseFind(_T('\\'));
    bool folderExists = false;
    if (spec.Find(_T(':')) >= 0 || slash >= 0) {
      const CString folderPart = slash >= 2 ? spec.Left(slash) : spec;
      folderExists = slash >= 2 ? Exists(folderPart) : IsDriveName(folderPart.Left(2));
    }
    if (!folderExists) {
      TellMissing(kFolderMissingLabel, spec);
      return FALSE;
    }
  }
  if (m_bFileMustExist && !Exists(spec)) {
    TellMissing(kFileMissingLabel, spec);
    return FALSE;
  }
  if (m_ofn.lpstrFile != NULL && !spec.IsEmpty() && static_cast<DWORD>(spec.GetLength()) < m_ofn.nMaxFile)
    lstrcpyn(m_ofn.lpstrFile, spec, spec.GetLength() + 1);
  out = spec;
  return TRUE;
}
