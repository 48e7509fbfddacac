// Text conversions of the grid's clipboard and files: the grid's strings to and from UTF-16,
// the ANSI code page and UTF-8.
#pragma once
#include <framework.h>

#include <string>

namespace grid_text {

// UTF-16 from UTF-16 or from the ANSI code page (length in units of the source).
std::wstring WideFrom(const wchar_t* text, size_t length);
std::wstring WideFrom(const char* text, size_t length, UINT codePage = CP_ACP);
// The grid's own string type from UTF-16.
CString FromWide(const wchar_t* text, size_t length);
inline CString FromWide(const std::wstring& text) { return FromWide(text.data(), text.size()); }
// Bytes in a code page from UTF-16; *lossless false when a character has no form there.
std::string BytesFrom(const std::wstring& text, UINT codePage, bool* lossless = NULL);
inline std::wstring WideOf(const CString& text) { return WideFrom(text.GetString(), static_cast<size_t>(text.GetLength())); }

}  // namespace grid_text
