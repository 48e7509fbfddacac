// The text of a window, for the dialog tests.
#pragma once
#include <windows.h>

#include <string>

inline std::wstring TextOf(HWND h) {
  wchar_t text[256] = {};
  ::GetWindowTextW(h, text, 256);
  return text;
}
