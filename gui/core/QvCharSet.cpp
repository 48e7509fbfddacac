// The character set of a font face, found by enumeration and kept per face name.
#include "QvHourGlass.h"

#include <framework.h>
#include <wchar.h>

namespace {

class CCharSet : public CObject {
 public:
  explicit CCharSet(BYTE charSet) : m_charSet(charSet) {}
  BYTE m_charSet;
};

// Owns its entries.
class CMapFaceNameToCharSet : public CMapStringToOb {
 public:
  CMapFaceNameToCharSet() : CMapStringToOb(10) {}
  ~CMapFaceNameToCharSet() override {
    POSITION pos = GetStartPosition();
    while (pos) {
      CString key;
      CObject* value;
      GetNextAssoc(pos, key, value);
      delete value;
    }
    RemoveAll();
  }
};

CMapFaceNameToCharSet s_charSets;

struct FirstFont {
  bool found = false;
  BYTE charSet = 0;
};

int CALLBACK TakeFirst(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
  FirstFont* first = reinterpret_cast<FirstFont*>(param);
  first->found = true;
  first->charSet = font->lfCharSet;
  return 0;  // the first font is enough
}

// The cache key: the face name as it stands in the LOGFONTW, at most LF_FACESIZE characters
// whether a zero ends it or not, kept exactly. Narrow keys (ANSI edition) hold each UTF-16
// unit as its own UTF-8 sequence, surrogates included, so that no two names share a key.
CString FaceKey(const WCHAR* face, size_t length) {
#ifdef _UNICODE
  return CString(face, static_cast<int>(length));
#else
  CString key;
  for (size_t i = 0; i < length; ++i) {
    const unsigned unit = face[i];
    if (unit < 0x80) {
      key += static_cast<char>(unit);
    } else if (unit < 0x800) {
      key += static_cast<char>(0xC0 | (unit >> 6));
      key += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      key += static_cast<char>(0xE0 | (unit >> 12));
      key += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      key += static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return key;
#endif
}

}  // namespace

void SetCharSetFromFaceName(HDC dc, LOGFONTW& font, int noCache) {
  const size_t length = wcsnlen(font.lfFaceName, LF_FACESIZE);
  const CString face = FaceKey(font.lfFaceName, length);
  CObject* cached = nullptr;
  if (noCache == 0 && s_charSets.Lookup(face, cached)) {
    font.lfCharSet = static_cast<CCharSet*>(cached)->m_charSet;
    return;
  }
  // GDI is asked with a copy whose face name ends within its array.
  LOGFONTW query = font;
  query.lfFaceName[LF_FACESIZE - 1] = L'\0';
  query.lfPitchAndFamily = 0;
  CHARSETINFO info = {};
  const BYTE candidate =
      TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info, TCI_SRCCODEPAGE)
          ? static_cast<BYTE>(info.ciCharset)
          : 0;
  query.lfCharSet = candidate;
  FirstFont first;
  EnumFontFamiliesExW(dc, &query, TakeFirst, reinterpret_cast<LPARAM>(&first), 0);
  if (!first.found) {
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &query, TakeFirst, reinterpret_cast<LPARAM>(&first), 0);
    if (!first.found) EnumFontFamiliesW(dc, query.lfFaceName, TakeFirst, reinterpret_cast<LPARAM>(&first));
  }
  const BYTE result = first.found ? first.charSet : candidate;
  if (noCache == 0) {
    if (s_charSets.Lookup(face, cached)) delete cached;
    s_charSets.SetAt(face, new CCharSet(result));
  }
  font.lfCharSet = result;
}
