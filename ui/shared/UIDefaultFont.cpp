// The default GUI font: face and size from the configuration, one font shared by the controls.
#include "UIUtilities.h"

#include <QvConfigKeys.h>

#include <stdlib.h>
#include <wchar.h>

#include <string>

namespace {

const char kFontSettings[] = "%QVGENERALCFG%\\Font Settings";

std::wstring s_faceName;        // empty until read
QvString s_faceNameUtf8;        // empty until asked for
bool s_haveUtf8 = false;
LOGFONTW s_logFont;
CFont s_font;                   // kept until unload
bool s_fontMade = false;

// The "Size" value as a font height: a number written as text (or a DWORD); -11 when unset.
LONG ConfiguredHeight() {
  char text[100] = "";
  const long got = GetKeyStringValue(kFontSettings, "Size", text, sizeof(text));
  if (got > 0 && text[0] != '\0') {
    char* end = NULL;
    const long height = strtol(text, &end, 10);
    if (end != text) return height;
  } else if (got == QVKEY_E_WRONGTYPE) {
    unsigned long value = 0;
    if (GetKeyDWORDValue(kFontSettings, "Size", value) >= 0) return static_cast<LONG>(static_cast<int>(value));
  }
  return -11;
}

}  // namespace

CString GUIDefaultFontFaceName() {
  if (s_faceName.empty()) {
    char face[100] = "";
    if (GetKeyStringValue(kFontSettings, "Font", face, sizeof(face)) > 0 && face[0] != '\0')
      s_faceName = QvString(face).ToWide();
    if (s_faceName.empty()) s_faceName = L"Tahoma";
  }
  return CString(s_faceName.c_str());
}

QvString GUIDefaultFontFaceName_() {
  if (!s_haveUtf8) {
    GUIDefaultFontFaceName();
    s_faceNameUtf8 = QvString(s_faceName.c_str());
    s_haveUtf8 = true;
  }
  return s_faceNameUtf8;
}

CFont* UIGetDefaultGUIFont2() {
  if (!s_fontMade) {
    s_fontMade = true;
    LOGFONTW lf = {};
    // The height never depends on whether the face name was asked for before.
    lf.lfHeight = ConfiguredHeight();
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    GUIDefaultFontFaceName();
    // A longer configured name is cut to what the structure holds.
    wcsncpy(lf.lfFaceName, s_faceName.c_str(), LF_FACESIZE - 1);
    lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
    s_logFont = lf;
    if (HFONT font = CreateFontIndirectW(&lf)) s_font.Attach(font);
  }
  return &s_font;
}

HFONT UIGetDefaultGUIFont() { return static_cast<HFONT>(UIGetDefaultGUIFont2()->GetSafeHandle()); }

void GetDefaultLogFont(LOGFONTW& lf) {
  UIGetDefaultGUIFont2();
  lf = s_logFont;
}
