#include "GridText.h"

#include <limits.h>

namespace grid_text {

std::wstring WideFrom(const wchar_t* text, size_t length) { return std::wstring(text, length); }

std::wstring WideFrom(const char* text, size_t length, UINT codePage) {
  std::wstring out;
  if (length == 0) return out;
  if (length > static_cast<size_t>(INT_MAX)) AfxThrowMemoryException();
  const int n = ::MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), NULL, 0);
  if (n <= 0) return out;
  out.resize(static_cast<size_t>(n));
  ::MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), &out[0], n);
  return out;
}

CString FromWide(const wchar_t* text, size_t length) {
#ifdef _UNICODE
  return CString(text, static_cast<int>(length));
#else
  const std::string bytes = BytesFrom(std::wstring(text, length), CP_ACP);
  return CString(bytes.data(), static_cast<int>(bytes.size()));
#endif
}

std::string BytesFrom(const std::wstring& text, UINT codePage, bool* lossless) {
  std::string out;
  if (lossless != NULL) *lossless = true;
  if (text.empty()) return out;
  if (text.size() > static_cast<size_t>(INT_MAX)) AfxThrowMemoryException();
  const int length = static_cast<int>(text.size());
  // UTF-8 has a form for everything; the ANSI code page is asked whether it used a default.
  BOOL usedDefault = FALSE;
  const bool ask = codePage != CP_UTF8 && lossless != NULL;
  const int n = ::WideCharToMultiByte(codePage, ask ? WC_NO_BEST_FIT_CHARS : 0, text.data(), length, NULL, 0, NULL,
                                      ask ? &usedDefault : NULL);
  if (n <= 0) {
    if (lossless != NULL) *lossless = false;
    return out;
  }
  out.resize(static_cast<size_t>(n));
  ::WideCharToMultiByte(codePage, ask ? WC_NO_BEST_FIT_CHARS : 0, text.data(), length, &out[0], n, NULL, NULL);
  if (ask && usedDefault) *lossless = false;
  return out;
}

}  // namespace grid_text
