// File versions of modules, and the version a DLL reports through its DllGetVersion.
#pragma once
#include "quarnel_api.h"

#include <shlwapi.h>

#include <string>

class QUARNEL_API CModuleVersion {
 public:
  CModuleVersion();
  // Reads the version resource of a module file; false when it has none.
  bool GetFileVersionInfo(const wchar_t* path);
  bool IsValid() const { return m_valid; }
  // Most and least significant halves of the fixed file version.
  DWORD GetVersionMS() const { return m_versionMS; }
  DWORD GetVersionLS() const { return m_versionLS; }
  // The language name of the first translation, UTF-8; empty when none.
  const std::string& GetLanguageName() const { return m_language; }

 private:
  bool m_valid;
  DWORD m_versionMS, m_versionLS;
  std::string m_language;
};

// Loads a DLL by name and asks its exported "DllGetVersion" for its version (the 20-byte
// DLLVERSIONINFO; cbSize is set here). E_INVALIDARG for null arguments,
// HRESULT_FROM_WIN32 of the load error when the DLL cannot be loaded, E_NOTIMPL when it has no
// DllGetVersion, else what DllGetVersion answers.
QUARNEL_API HRESULT QueryDllVersion(const wchar_t* dllName, DLLVERSIONINFO* info);
