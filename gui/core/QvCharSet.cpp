// The character set of a font face, found by enumeration and kept per face name.
#include "QvHourGlass.h"

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

}  // namespace

void SetCharSetFromFaceName(HDC dc, LOGFONTW& font, int noCache) {
  CString face(font.lfFaceName);
  CObject* cached = nullptr;
  if (noCache == 0 && s_charSets.Lookup(face, cached)) {
    font.lfCharSet = static_cast<CCharSet*>(cached)->m_charSet;
    return;
  }
  const BYTE pitchAndFamily = font.lfPitchAndFamily;
  font.lfPitchAndFamily = 0;
  CHARSETINFO info = {};
  BYTE candidate =
      TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info, TCI_SRCCODEPAGE)
          ? static_cast<BYTE>(info.ciCharset)
          : 0;
  font.lfCharSet = candidate;
  FirstFont first;
  EnumFontFamiliesExW(dc, &font, TakeFirst, reinterpret_cast<LPARAM>(&first), 0);
  if (!first.found) {
    font.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &font, TakeFirst, reinterpret_cast<LPARAM>(&first), 0);
    if (!first.found) EnumFontFamiliesW(dc, font.lfFaceName, TakeFirst, reinterpret_cast<LPARAM>(&first));
  }
  const BYTE result = first.found ? first.charSet : candidate;
  if (noCache == 0) {
    if (s_charSets.Lookup(face, cached)) delete cached;
    s_charSets.SetAt(face, new CCharSet(result));
  }
  font.lfCharSet = result;
  font.lfPitchAndFamily = pitchAndFamily;
}
