// Bounded registry reads for the crash report's system description.
#include "RegistryRead.h"

#include <vector>

namespace {

std::wstring Widen(const char* text) {
  std::wstring out;
  while (*text) out += static_cast<wchar_t>(static_cast<unsigned char>(*text++));
  return out;
}

// The value's raw data, at most `limit` wide characters; type in *type.
bool ReadRaw(HKEY root, const char* subkey, const char* value, size_t limit, DWORD* type,
             std::vector<wchar_t>* data) {
  HKEY key;
  if (RegOpenKeyExW(root, Widen(subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  data->assign(limit + 1, L'\0');
  DWORD bytes = static_cast<DWORD>(limit * sizeof(wchar_t));
  LONG rc = RegQueryValueExW(key, Widen(value).c_str(), NULL, type,
                             reinterpret_cast<BYTE*>(data->data()), &bytes);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return false;
  data->resize(bytes / sizeof(wchar_t));
  return true;
}

std::string ToUtf8(const wchar_t* text, size_t length) {
  if (length == 0) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), NULL, 0, NULL, NULL);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &out[0], n, NULL, NULL);
  return out;
}

}  // namespace

bool RegReadString(HKEY root, const char* subkey, const char* value, std::string* out) {
  DWORD type = 0;
  std::vector<wchar_t> data;
  if (!ReadRaw(root, subkey, value, 1024, &type, &data)) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_BINARY) return false;
  size_t length = 0;
  while (length < data.size() && data[length] != L'\0') ++length;
  *out = ToUtf8(data.data(), length);
  return true;
}

bool RegReadStrings(HKEY root, const char* subkey, const char* value, std::string* out) {
  DWORD type = 0;
  std::vector<wchar_t> data;
  if (!ReadRaw(root, subkey, value, 4096, &type, &data) || type != REG_MULTI_SZ) return false;
  while (!data.empty() && data.back() == L'\0') data.pop_back();
  *out = ToUtf8(data.data(), data.size());
  return true;
}
