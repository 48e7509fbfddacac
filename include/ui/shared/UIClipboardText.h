// The clipboard's Unicode text, as the controls' paste checks read it.
#pragma once
#include <windows.h>

#include <string>

namespace quarnel {

// The clipboard's Unicode text (the system makes it from CF_TEXT too), read no further than
// its memory block; false when it holds none or cannot be opened.
inline bool ClipboardText(HWND owner, std::wstring& text) {
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(owner)) return false;
  bool got = false;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
      const size_t room = ::GlobalSize(data) / sizeof(wchar_t);
      size_t n = 0;
      while (n < room && p[n]) ++n;  // bounded by the block
      text.assign(p, n);
      got = true;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return got;
}

}  // namespace quarnel
