// The application's profile: HKCU\Software\<registry key>\<profile name>\<section> when a
// registry key is set, else the .INI file m_pszProfileName.
#include <stdio.h>
#include <stdlib.h>

#include "fw_app.h"

namespace {

// Closes a registry key at the end of the scope.
class RegKey {
 public:
  explicit RegKey(HKEY h = NULL) : m_h(h) {}
  ~RegKey() {
    if (m_h != NULL) ::RegCloseKey(m_h);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  operator HKEY() const { return m_h; }
 private:
  HKEY m_h;
};

// Opens the key, made when missing; NULL on failure.
HKEY CreateKey(HKEY parent, LPCTSTR path) {
  HKEY hKey = NULL;
  DWORD disposition;
  if (::RegCreateKeyEx(parent, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL, &hKey,
                       &disposition) != ERROR_SUCCESS)
    return NULL;
  return hKey;
}

CString ToHex(const BYTE* p, UINT n) {
  static const TCHAR digits[] = _T("0123456789ABCDEF");
  CString s;
  LPTSTR buf = s.GetBufferSetLength(static_cast<int>(n * 2));
  for (UINT i = 0; i < n; ++i) {
    buf[2 * i] = digits[p[i] >> 4];
    buf[2 * i + 1] = digits[p[i] & 15];
  }
  s.ReleaseBuffer(static_cast<int>(n * 2));
  return s;
}

int HexDigit(TCHAR c) {
  if (c >= _T('0') && c <= _T('9')) return c - _T('0');
  if (c >= _T('A') && c <= _T('F')) return c - _T('A') + 10;
  if (c >= _T('a') && c <= _T('f')) return c - _T('a') + 10;
  return -1;
}

}  // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  free(const_cast<LPTSTR>(m_pszRegistryKey));
  m_pszRegistryKey = lpszRegistryKey != NULL ? _tcsdup(lpszRegistryKey) : NULL;
  // The application's name names its key.
  free(const_cast<LPTSTR>(m_pszProfileName));
  m_pszProfileName = _tcsdup(m_pszAppName != NULL ? m_pszAppName : AfxGetAppName());
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() {
  if (m_pszRegistryKey == NULL || m_pszProfileName == NULL) return NULL;
  CString path = CString(_T("Software\\")) + m_pszRegistryKey + _T("\\") + m_pszProfileName;
  return CreateKey(HKEY_CURRENT_USER, path);
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) {
  if (lpszSection == NULL) return NULL;
  RegKey app(GetAppRegistryKey());
  return app != NULL ? CreateKey(app, lpszSection) : NULL;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
  if (lpszSection == NULL || lpszEntry == NULL) return static_cast<UINT>(nDefault);
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    DWORD value, type, size = sizeof value;
    if (section == NULL ||
        ::RegQueryValueEx(section, lpszEntry, NULL, &type, reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
      return static_cast<UINT>(nDefault);
    return value;
  }
  if (m_pszProfileName == NULL) return static_cast<UINT>(nDefault);
  return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  if (lpszSection == NULL || lpszEntry == NULL) return FALSE;
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    DWORD value = static_cast<DWORD>(nValue);
    return section != NULL && ::RegSetValueEx(section, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                              sizeof value) == ERROR_SUCCESS;
  }
  if (m_pszProfileName == NULL) return FALSE;
  TCHAR text[16];
  _sntprintf(text, _countof(text), _T("%d"), nValue);
  return ::WritePrivateProfileString(lpszSection, lpszEntry, text, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  CString result(lpszDefault != NULL ? lpszDefault : _T(""));
  if (lpszSection == NULL || lpszEntry == NULL) return result;
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    DWORD type, size = 0;
    if (section == NULL || ::RegQueryValueEx(section, lpszEntry, NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return result;
    CString value;
    int chars = static_cast<int>(size / sizeof(TCHAR));
    LPTSTR buf = value.GetBufferSetLength(chars + 1);
    DWORD got = static_cast<DWORD>((chars + 1) * sizeof(TCHAR));
    if (::RegQueryValueEx(section, lpszEntry, NULL, &type, reinterpret_cast<LPBYTE>(buf), &got) != ERROR_SUCCESS) {
      value.ReleaseBuffer(0);
      return result;
    }
    buf[got / sizeof(TCHAR) < static_cast<DWORD>(chars + 1) ? got / sizeof(TCHAR) : chars] = 0;
    value.ReleaseBuffer();
    return value;
  }
  if (m_pszProfileName == NULL) return result;
  // Grow until the value fits (the API answers size - 1 when it truncates).
  for (DWORD size = 256;; size *= 2) {
    CString value;
    DWORD n = ::GetPrivateProfileString(lpszSection, lpszEntry, result, value.GetBufferSetLength(static_cast<int>(size)),
                                        size, m_pszProfileName);
    value.ReleaseBuffer(static_cast<int>(n));
    if (n < size - 1 || size >= (1u << 24)) return value;
  }
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  if (lpszSection == NULL) return FALSE;
  if (m_pszRegistryKey != NULL) {
    if (lpszEntry == NULL) {
      RegKey app(GetAppRegistryKey());
      if (app == NULL) return FALSE;
      LONG rc = ::RegDeleteTree(app, lpszSection);
      if (rc == ERROR_SUCCESS) rc = ::RegDeleteKey(app, lpszSection);
      return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    RegKey section(GetSectionKey(lpszSection));
    if (section == NULL) return FALSE;
    if (lpszValue == NULL) {
      LONG rc = ::RegDeleteValue(section, lpszEntry);
      return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    DWORD bytes = static_cast<DWORD>((lstrlen(lpszValue) + 1) * sizeof(TCHAR));
    return ::RegSetValueEx(section, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), bytes) ==
           ERROR_SUCCESS;
  }
  if (m_pszProfileName == NULL) return FALSE;
  return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  if (ppData == NULL || pBytes == NULL) return FALSE;
  *ppData = NULL;
  *pBytes = 0;
  if (lpszSection == NULL || lpszEntry == NULL) return FALSE;
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    DWORD type, size = 0;
    if (section == NULL || ::RegQueryValueEx(section, lpszEntry, NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
      return FALSE;
    LPBYTE data = new BYTE[size != 0 ? size : 1];
    if (::RegQueryValueEx(section, lpszEntry, NULL, &type, data, &size) != ERROR_SUCCESS) {
      delete[] data;
      return FALSE;
    }
    *ppData = data;
    *pBytes = size;
    return TRUE;
  }
  // In an .INI file the bytes are hexadecimal digits; anything else is not a value.
  CString text = GetProfileString(lpszSection, lpszEntry, NULL);
  int len = text.GetLength();
  if (len == 0 || (len & 1)) return FALSE;
  LPBYTE data = new BYTE[len / 2];
  for (int i = 0; i < len / 2; ++i) {
    int hi = HexDigit(text[2 * i]), lo = HexDigit(text[2 * i + 1]);
    if (hi < 0 || lo < 0) {
      delete[] data;
      return FALSE;
    }
    data[i] = static_cast<BYTE>(hi << 4 | lo);
  }
  *ppData = data;
  *pBytes = static_cast<UINT>(len / 2);
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  if (lpszSection == NULL || lpszEntry == NULL || (pData == NULL && nBytes != 0)) return FALSE;
  if (m_pszRegistryKey != NULL) {
    RegKey section(GetSectionKey(lpszSection));
    return section != NULL && ::RegSetValueEx(section, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
  }
  return WriteProfileString(lpszSection, lpszEntry, ToHex(pData, nBytes));
}
