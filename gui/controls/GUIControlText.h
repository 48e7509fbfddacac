// Texts of the platform controls: typed characters, the clipboard's text, window texts.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "UIClipboardText.h"

namespace gui_widgets {

// The character of a WM_CHAR, also from a window of the ANSI character set.
inline wchar_t TypedChar(HWND window, WPARAM wParam) {
  if (::IsWindowUnicode(window)) return static_cast<wchar_t>(wParam);
  const char c = static_cast<char>(wParam);
  wchar_t wide = 0;
  return ::MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1) == 1 ? wide : 0;
}

using quarnel::ClipboardText;

// The window text, whatever its length.
inline std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data(), got > 0 ? got : 0);
}

// The text of item `index` of a list or combo box (lengthMessage LB_GETTEXTLEN or
// CB_GETLBTEXTLEN, textMessage LB_GETTEXT or CB_GETLBTEXT), whatever its length, also from a
// window of the ANSI character set; false (and empty) for a bad index.
inline bool ItemText(HWND window, UINT lengthMessage, UINT textMessage, long index, std::wstring& text) {
  text.clear();
  const bool unicode = ::IsWindowUnicode(window) != FALSE;
  const WPARAM at = static_cast<WPARAM>(index);
  const LRESULT length = unicode ? ::SendMessageW(window, lengthMessage, at, 0) : ::SendMessageA(window, lengthMessage, at, 0);
  if (length < 0) return false;
  if (unicode) {
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    if (::SendMessageW(window, textMessage, at, reinterpret_cast<LPARAM>(buffer.data())) < 0) return false;
    text = buffer.data();
    return true;
  }
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  if (::SendMessageA(window, textMessage, at, reinterpret_cast<LPARAM>(buffer.data())) < 0) return false;
  const int wide = ::MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, NULL, 0);
  if (wide <= 0) return true;
  std::vector<wchar_t> converted(static_cast<size_t>(wide), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, converted.data(), wide);
  text = converted.data();
  return true;
}

}  // namespace gui_widgets
