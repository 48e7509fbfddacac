// What the open/save dialog asks the system, the shell's special-folder functions, and the
// dialog's filter entries.
#include <QvOpenSaveDlg.h>
#include <shellapi.h>
#include <shlobj.h>

OSDSTRUCT::OSDSTRUCT() {}

OSDSTRUCT::OSDSTRUCT(LPCTSTR description, LPCTSTR pattern, LPCTSTR folder)
    : m_strDescription(description != NULL ? description : _T("")),
      m_strPattern(pattern != NULL ? pattern : _T("")),
      m_strFolder(folder != NULL ? folder : _T("")) {}

OSDSTRUCT::OSDSTRUCT(const OSDSTRUCT& other)
    : m_strDescription(other.m_strDescription), m_strPattern(other.m_strPattern), m_strFolder(other.m_strFolder) {}

OSDSTRUCT& OSDSTRUCT::operator=(const OSDSTRUCT& other) {
  m_strDescription = other.m_strDescription;
  m_strPattern = other.m_strPattern;
  m_strFolder = other.m_strFolder;
  return *this;
}

OSDSTRUCT::~OSDSTRUCT() {}

BOOL OSDSTRUCT::NotEmpty() const {
  return !m_strDescription.IsEmpty() || !m_strPattern.IsEmpty() || !m_strFolder.IsEmpty();
}

namespace {
COpenSaveSystem s_system;
COpenSaveSystem* s_current = &s_system;
}  // namespace

COpenSaveSystem::~COpenSaveSystem() {}

BOOL COpenSaveSystem::GetVersion(OSVERSIONINFO& info) {
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return ::GetVersionEx(&info);
#pragma GCC diagnostic pop
}

BOOL COpenSaveSystem::GetShellVersion(DWORD& major, DWORD& minor) {
  major = minor = 0;
  wchar_t path[MAX_PATH];
  if (::GetSystemDirectoryW(path, MAX_PATH) == 0 || wcslen(path) + 13 >= MAX_PATH) return FALSE;
  wcscat(path, L"\\shell32.dll");
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return FALSE;
  std::vector<BYTE> data(size);
  VS_FIXEDFILEINFO* info = NULL;
  UINT length = 0;
  if (!::GetFileVersionInfoW(path, 0, size, data.data()) ||
      !::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || info == NULL)
    return FALSE;
  major = HIWORD(info->dwFileVersionMS);
  minor = LOWORD(info->dwFileVersionMS);
  return TRUE;
}

BOOL COpenSaveSystem::GetShellAttributes(LPCTSTR path, BOOL& isFolder) {
  isFolder = FALSE;
  SHFILEINFOW info = {};
  info.dwAttributes = SFGAO_FOLDER;
  if (path == NULL ||
      ::SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED) == 0)
    return FALSE;
  isFolder = (info.dwAttributes & SFGAO_FOLDER) != 0;
  return TRUE;
}

COpenSaveSystem* COpenSaveSystem::Get() { return s_current; }

COpenSaveSystem* COpenSaveSystem::Set(COpenSaveSystem* system) {
  COpenSaveSystem* previous = s_current;
  s_current = system != NULL ? system : &s_system;
  return previous;
}

Shell32Info::Shell32Info()
    : m_bUsable(FALSE), m_hShell32(NULL), m_pfnGetSpecialFolderPath(NULL), m_pfnGetSpecialFolderLocation(NULL),
      m_pfnGetDesktopFolder(NULL) {
  DWORD major = 0, minor = 0;
  if (!COpenSaveSystem::Get()->GetShellVersion(major, minor)) return;
  if (major < 4 || (major == 4 && minor < 71)) return;
  m_hShell32 = ::LoadLibraryW(L"shell32.dll");
  if (m_hShell32 == NULL) return;
  m_pfnGetSpecialFolderPath =
      reinterpret_cast<PFN_GETPATH>(reinterpret_cast<void*>(::GetProcAddress(m_hShell32, "SHGetSpecialFolderPathW")));
  m_pfnGetSpecialFolderLocation = reinterpret_cast<PFN_GETLOCATION>(
      reinterpret_cast<void*>(::GetProcAddress(m_hShell32, "SHGetSpecialFolderLocation")));
  m_pfnGetDesktopFolder =
      reinterpret_cast<PFN_GETDESKTOP>(reinterpret_cast<void*>(::GetProcAddress(m_hShell32, "SHGetDesktopFolder")));
  m_bUsable = TRUE;
}

Shell32Info::~Shell32Info() {
  if (m_hShell32 != NULL) ::FreeLibrary(m_hShell32);
  m_hShell32 = NULL;
  m_bUsable = FALSE;
  m_pfnGetSpecialFolderPath = NULL;
  m_pfnGetSpecialFolderLocation = NULL;
  m_pfnGetDesktopFolder = NULL;
}
