// QvFont: a font of the portable layer (face name, size in points, style bits), its stream
// operators, its platform description, and the default font measures of Far-East systems.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

// Bits of QvFont::m_style.
enum {
  QVFONT_BOLD = 0x01,
  QVFONT_ITALIC = 0x02,
  QVFONT_UNDERLINE = 0x04,
  QVFONT_STRIKEOUT = 0x08,
};

extern QUARNEL_API const char* const cstrQvDefaultFontName;  // "Arial"
extern QUARNEL_API const unsigned short cusQvDefaultFontSize;  // 12

// Label of the default face name.
enum { IDL_QVFONT_DEFAULT_FACE = 390103 };

class QUARNEL_API QvFont {
 public:
  // The default font: the face of label 390103 (blanks trimmed; "Arial" when the label is
  // missing or blank), 12 points (9 on a double-byte user interface), no style.
  QvFont();
  QvFont(const QvString& face, unsigned short size, unsigned char style)
      : m_faceName(face), m_size(size), m_style(style) {}
  bool operator==(const QvFont& o) const {
    return m_faceName == o.m_faceName && m_size == o.m_size && m_style == o.m_style;
  }

  QvString m_faceName;  // UTF-8
  unsigned short m_size;
  unsigned char m_style;
};

// Face name as text, size as unsigned short, style as a byte. Reading replaces the face by
// its name on the current ANSI code page (in the earlier edition: on the user-interface
// language's code page) when the origin information knows one. A read that fails leaves the
// font as it was.
QUARNEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvFont& f);
QUARNEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvFont& f);

// The platform description: the whole structure cleared, then the face (at most 31
// characters, never half a surrogate pair), height minus the size, weight 700 when bold,
// the style flags, DEFAULT_CHARSET and CLIP_LH_ANGLES.
QUARNEL_API void QvFontToLOGFONT(const QvFont& font, LOGFONTW& lf);

// The face of the system's message font (in the earlier edition: of the user-interface
// language) in UTF-8, in a module buffer of 32 bytes that every call fills anew (never cut
// inside a character).
QUARNEL_API char* GetQvDBCSFontName();
QUARNEL_API unsigned short GetQvDBCSCaptionFontSize();  // 12
// The size in points of the system's status-bar font, measured once.
QUARNEL_API unsigned short GetQvDBCSTextFontSize();

// A host function on window handles that the layer keeps for the host (input-method glue).
typedef HWND (*QvImmFunct)(HWND);
QUARNEL_API QvImmFunct Get_ImmFunct();
QUARNEL_API void Set_ImmFunct(QvImmFunct funct);
