// Far-East line-breaking rules: which characters may not begin and which may not end a line in
// Japanese, Korean, Simplified and Traditional Chinese, and the lead-byte and blank tests of the
// double-byte code pages. The language and the double-byte switch are gOrgInfo's; every rule
// answers false while that switch is off or the language is none of the four.
#pragma once
#include "quarnel_api.h"

// Byte text in the UI language's code page. A lead byte directly before the terminating zero
// counts as a one-byte character.
QUARNEL_API bool IsFarEastLeadByte(unsigned char c);     // whatever the double-byte switch
QUARNEL_API bool IsLanguageLeadByte(unsigned char c);    // false while the switch is off
QUARNEL_API bool IsLanguageBlank(const char* p);         // ASCII or ideographic blank
QUARNEL_API bool FarEastMayNotBegin(const char* p);      // the character at p
QUARNEL_API bool FarEastMayNotEnd(const char* p);
// Length in bytes of the character at p: 0 at the terminator, 2 for a lead byte with its trail.
QUARNEL_API int FarEastCharLength(const char* p);

// The same rules for UTF-16 text: the tables turned into code points with the language's
// code page, once per language.
QUARNEL_API bool FarEastRulesActive();
QUARNEL_API bool FarEastMayNotBeginW(wchar_t c);
QUARNEL_API bool FarEastMayNotEndW(wchar_t c);
// IsLanguageBlank for UTF-16: the ASCII blank or the language's ideographic space; false while
// the switch is off.
QUARNEL_API bool IsLanguageBlankW(wchar_t c);
// True for a character the language's code page writes in one byte (ASCII, and the half-width
// katakana in Japanese): only at such characters does a line break back to a blank.
QUARNEL_API bool FarEastSingleByteW(wchar_t c);
