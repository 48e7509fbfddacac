// The earlier edition's check of a name typed in the platform save dialog: a ".unv" file must
// have a short base name (8 bytes at most) made of characters that the database accepts in the
// user-interface language. Names are bytes of the UI language's ANSI code page.
#pragma once
#include "quarnel_api.h"

// Labels of the information messages that refuse a name.
enum { IDL_QV_SAVENAME_TOO_LONG = 31255, IDL_QV_SAVENAME_BAD_CHARS = 31256 };

// The verdict on a typed name: refuse (nonzero) or accept (0); *label receives the label of
// the message to show (0 for none). A bare drive ("C:") is refused without a message; other
// names are checked only when the dialog's current filter is the ".unv" one.
QUARNEL_API int QvJudgeSaveName(const char* typedName, bool unvFilter, unsigned long* label);
// As QvJudgeSaveName, showing the refusal's message in an information box without a title.
QUARNEL_API int QvCheckSaveName(const char* typedName, bool unvFilter);

// The name with its single-byte letters A-Z lowered; the bytes of double-byte characters of
// the code page are kept as they are.
QUARNEL_API void QvLowerSingleByte(char* name, unsigned int codePage);
// Whether the byte is in the character class whose inside is `body` (as between "[" and "]"):
// ranges "a-z" and single bytes; a backslash makes the next byte plain (so "\]", "\\" and
// "\^" stand for themselves), and "]" and "^" inside the body are plain bytes too.
QUARNEL_API bool QvCharClassHas(const char* body, unsigned char c);
