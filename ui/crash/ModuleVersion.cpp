// File versions of modules and DllGetVersion.
#include "UIModuleVersion.h"

#include <vector>

CModuleVersion::CModuleVersion() : m_valid(false), m_versionMS(0), m_versionLS(0) {}

bool CModuleVersion::GetFileVersionInfo(const wchar_t* path) {
  m_valid = false;
  m_versionMS = m_versionLS = 0;
  m_language.clear();
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return false;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(path, 0, size, block.data())) return false;
  VS_FIXEDFILEINFO* fixed = NULL;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
      fixed == NULL || length < sizeof(VS_FIXEDFILEINFO))
    return false;
  m_versionMS = fixed->dwFileVersionMS;
  m_versionLS = fixed->dwFileVersionLS;
  m_valid = true;
  DWORD* translation = NULL;
  if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                     reinterpret_cast<void**>(&translation), &length) &&
      translation != NULL && length >= sizeof(DWORD)) {
    wchar_t name[128];
    DWORD n = VerLanguageNameW(LOWORD(*translation), name, 128);
    if (n > 0 && n < 128) {
      char utf8[512];
      int m = WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, sizeof utf8, NULL, NULL);
      if (m > 0) m_language = utf8;
    }
  }
  return true;
}

HRESULT QueryDllVersion(const wchar_t* dllName, DLLVERSIONINFO* info) {
  if (dllName == NULL || info == NULL) return E_INVALIDARG;
  HMODULE module = LoadLibraryW(dllName);
  if (module == NULL) return HRESULT_FROM_WIN32(GetLastError());
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
  HRESULT hr = E_NOTIMPL;
  if (getVersion != NULL) {
    ZeroMemory(info, sizeof *info);
    info->cbSize = sizeof *info;
    hr = getVersion(info);
  }
  FreeLibrary(module);
  return hr;
}
