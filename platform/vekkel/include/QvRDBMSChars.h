// Whether a name (bytes of the language's ANSI code page, zero-terminated) is made only of
// characters that the database accepts in that language: ASCII letters, digits and '_', and
// whole double-byte characters of the code page (a lead byte followed by a valid trail byte).
// Single-byte characters above 0x7F (such as half-width katakana), a lead byte without its
// trail byte, and null names are refused; an empty name passes.
#pragma once
#include "vekkel_api.h"

VEKKEL_API bool IsEnabledShiftJISRDBMSChars(const char* name);             // code page 932
VEKKEL_API bool IsEnabledKSC5601RDBMSChars(const char* name);              // code page 949
VEKKEL_API bool IsEnabledSimplifiedChineseRDBMSChars(const char* name);    // code page 936
VEKKEL_API bool IsEnabledTraditionalChineseRDBMSChars(const char* name);   // code page 950
