#include "QvConfigKeys.h"

#include <windows.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

SRWLOCK s_namesLock = SRWLOCK_INIT;

struct Names {
  std::string company = "Qv";
  std::string application;
  std::string shortName;
};

std::string ProgramName() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return "Application";
  std::wstring name(path, n);
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  return QvString(name.c_str(), name.size()).str();
}

Names& TheNames() {
  static Names names = [] {
    Names n;
    n.application = n.shortName = ProgramName();
    return n;
  }();
  return names;
}

// Placeholder name to its replacement; false for an unknown name.
bool Replacement(const std::string& name, const Names& names, std::string& out) {
  const std::string app = "Software\\" + names.company + "\\" + names.application;
  if (name == "QVGENERALCFG") out = "Software\\" + names.company + "\\General";
  else if (name == "QVDESKTOPCFG") out = app + "\\Desktop";
  else if (name == "CURRENT_USER_PREFS") out = "UserPrefs";
  else if (name == "APPSHORTNAME") out = names.shortName;
  else if (name == "APPLICATION_PREFS") out = app + "\\Preferences";
  else if (name == "APPCONFIG") out = app + "\\Configuration";
  else return false;
  return true;
}

// The expanded key as UTF-16, or false for an invalid key.
bool ExpandWide(const char* key, std::wstring& wide) {
  QvString expanded;
  if (!ExpandConfigurationKey(key, expanded)) return false;
  wide = expanded.ToWide();
  return true;
}

std::wstring Wide(const char* text) { return QvString(text).ToWide(); }

// Reads a value from the user's key, else from the machine's.
long ReadValue(const char* key, const char* value, DWORD& type, std::vector<BYTE>& data) {
  std::wstring path;
  if (!value || !ExpandWide(key, path)) return QVKEY_E_BADKEY;
  const std::wstring name = Wide(value);
  long result = QVKEY_E_NOTFOUND;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    HKEY h;
    LONG rc = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &h);
    if (rc == ERROR_FILE_NOT_FOUND) continue;
    if (rc != ERROR_SUCCESS) { result = QVKEY_E_ACCESS; continue; }
    DWORD size = 0;
    rc = RegQueryValueExW(h, name.c_str(), NULL, &type, NULL, &size);
    // The value may grow between the two calls.
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
      data.resize(size);
      DWORD got = size;
      rc = RegQueryValueExW(h, name.c_str(), NULL, &type, size ? data.data() : NULL, &got);
      if (rc == ERROR_SUCCESS) { data.resize(got); break; }
      if (rc == ERROR_MORE_DATA) size = got > size ? got : size * 2 + 16;
    }
    RegCloseKey(h);
    if (rc == ERROR_SUCCESS) return 0;
    if (rc != ERROR_FILE_NOT_FOUND) result = QVKEY_E_ACCESS;
  }
  return result;
}

long WriteValue(const char* key, const char* value, DWORD type, const void* data, DWORD size) {
  std::wstring path;
  if (!value || !ExpandWide(key, path)) return QVKEY_E_BADKEY;
  HKEY h;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &h,
                      NULL) != ERROR_SUCCESS)
    return QVKEY_E_ACCESS;
  LONG rc = RegSetValueExW(h, Wide(value).c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(h);
  return rc == ERROR_SUCCESS ? 0L : long(QVKEY_E_ACCESS);
}

}  // namespace

void SetConfigurationNames(const char* company, const char* application, const char* shortName) {
  AcquireSRWLockExclusive(&s_namesLock);
  Names& names = TheNames();
  if (company && *company) names.company = company;
  if (application && *application) names.application = application;
  if (shortName && *shortName) names.shortName = shortName;
  ReleaseSRWLockExclusive(&s_namesLock);
}

bool ExpandConfigurationKey(const char* key, QvString& expanded) {
  expanded.Empty();
  if (!key) return false;
  AcquireSRWLockShared(&s_namesLock);
  const Names names = TheNames();
  ReleaseSRWLockShared(&s_namesLock);
  std::string out;
  for (const char* p = key; *p;) {
    if (*p != '%') { out += *p++; continue; }
    const char* end = strchr(p + 1, '%');
    std::string replacement;
    if (!end || !Replacement(std::string(p + 1, end), names, replacement)) return false;
    out += replacement;
    p = end + 1;
  }
  // Outer backslashes are dropped; an empty key or an empty name inside it is invalid.
  size_t first = out.find_first_not_of('\\');
  if (first == std::string::npos) return false;
  out = out.substr(first, out.find_last_not_of('\\') - first + 1);
  if (out.find("\\\\") != std::string::npos) return false;
  expanded = QvString(out);
  return true;
}

long GetKeyStringValue(const char* key, const char* value, QvString& text) {
  text.Empty();
  DWORD type = 0;
  std::vector<BYTE> data;
  long rc = ReadValue(key, value, type, data);
  if (rc < 0) return rc;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return QVKEY_E_WRONGTYPE;
  std::wstring wide(data.size() / 2, L'\0');
  if (!wide.empty()) memcpy(&wide[0], data.data(), wide.size() * 2);
  size_t end = wide.find(L'\0');
  if (end != std::wstring::npos) wide.resize(end);
  text = QvString(wide.c_str(), wide.size());
  return static_cast<long>(text.GetLength());
}

long GetKeyStringValue(const char* key, const char* value, char* buffer, unsigned long size) {
  if (!buffer || size == 0) return QVKEY_E_BADKEY;
  buffer[0] = 0;
  QvString text;
  long rc = GetKeyStringValue(key, value, text);
  if (rc < 0) return rc;
  if (text.GetLength() + 1 > size) return QVKEY_E_TOOLARGE;
  memcpy(buffer, text.c_str(), text.GetLength() + 1);
  return static_cast<long>(text.GetLength());
}

long SetUserKeyStringValue(const char* key, const char* value, const char* text) {
  if (!text) return QVKEY_E_BADKEY;
  const std::wstring wide = Wide(text);
  return WriteValue(key, value, REG_SZ, wide.c_str(),
                    static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

long GetKeyDWORDValue(const char* key, const char* value, unsigned long& data) {
  DWORD type = 0;
  std::vector<BYTE> bytes;
  long rc = ReadValue(key, value, type, bytes);
  if (rc < 0) return rc;
  if (type != REG_DWORD || bytes.size() != sizeof(DWORD)) return QVKEY_E_WRONGTYPE;
  DWORD v;
  memcpy(&v, bytes.data(), sizeof v);
  data = v;
  return sizeof(DWORD);
}

long SetUserKeyDWORDValue(const char* key, const char* value, unsigned long data) {
  DWORD v = static_cast<DWORD>(data);
  return WriteValue(key, value, REG_DWORD, &v, sizeof v);
}

long GetKeyBinaryValue(const char* key, const char* value, void* buffer, unsigned long size) {
  if (!buffer && size) return QVKEY_E_BADKEY;
  DWORD type = 0;
  std::vector<BYTE> bytes;
  long rc = ReadValue(key, value, type, bytes);
  if (rc < 0) return rc;
  if (type != REG_BINARY) return QVKEY_E_WRONGTYPE;
  if (bytes.size() > size) return QVKEY_E_TOOLARGE;
  if (!bytes.empty()) memcpy(buffer, bytes.data(), bytes.size());
  return static_cast<long>(bytes.size());
}

long SetUserKeyBinaryValue(const char* key, const char* value, const void* data,
                           unsigned long size) {
  if (!data && size) return QVKEY_E_BADKEY;
  return WriteValue(key, value, REG_BINARY, data, size);
}
