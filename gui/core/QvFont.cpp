// The portable font: default, streams, platform description and Far-East measures.
#include "QvFont.h"
#include "UIHandles.h"

#include "UITrace.h"

#include <brevin.h>
#include <solvane.h>

#include <string.h>

const char* const cstrQvDefaultFontName = "Arial";
const unsigned short cusQvDefaultFontSize = 12;

namespace {
UlmLogger s_log("QvFont");
char s_dbcsFontName[32];
unsigned short s_dbcsTextFontSize = 0;  // 0: not measured yet
QvImmFunct s_immFunct = nullptr;

// The length of the longest start of `text` that fits `limit` bytes without cutting a
// UTF-8 character.
size_t Utf8Fit(const char* text, size_t limit) {
  size_t n = strlen(text);
  if (n <= limit) return n;
  while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80) --limit;
  return limit;
}
}  // namespace

QvFont::QvFont() : m_faceName(cstrQvDefaultFontName), m_size(cusQvDefaultFontSize), m_style(0) {
  QvString face;
  if (QvFindLabel(IDL_QVFONT_DEFAULT_FACE, face)) {
    face.Trim();
    if (!face.IsEmpty()) m_faceName = face;
  }
  if (gOrgInfo.GetOrgDBCS() == 1) m_size = 9;
}

QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvFont& f) {
  return out << f.m_faceName << f.m_size << f.m_style;
}

QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvFont& f) {
  QvFont read(QvString(), 0, 0);
  in >> read.m_faceName >> read.m_size >> read.m_style;
  if (in.Failed()) return in;
#ifdef _UNICODE
  const char* local = gOrgInfo.GetFontName(GetACP(), read.m_faceName.c_str());
#else
  // The earlier edition names fonts as the user-interface language does.
  const char* local = gOrgInfo.GetFontName(gOrgInfo.GetCodePage(), read.m_faceName.c_str());
#endif
  if (local && *local) read.m_faceName = local;
  f = read;
  return in;
}

void QvFontToLOGFONT(const QvFont& font, LOGFONTW& lf) {
  memset(&lf, 0, sizeof lf);
  ucs2string face = ucs2string::FromUtf8(font.m_faceName.c_str());
  const wchar_t* w = face.c_str();
  size_t n = wcslen(w);
  if (n > LF_FACESIZE - 1) {
    n = LF_FACESIZE - 1;
    if (w[n - 1] >= 0xD800 && w[n - 1] <= 0xDBFF) --n;  // keep surrogate pairs whole
  }
  wmemcpy(lf.lfFaceName, w, n);
  lf.lfHeight = -static_cast<LONG>(font.m_size);
  lf.lfWeight = (font.m_style & QVFONT_BOLD) ? FW_BOLD : 0;
  lf.lfItalic = (font.m_style & QVFONT_ITALIC) ? 1 : 0;
  lf.lfUnderline = (font.m_style & QVFONT_UNDERLINE) ? 1 : 0;
  lf.lfStrikeOut = (font.m_style & QVFONT_STRIKEOUT) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfClipPrecision = CLIP_LH_ANGLES;
}

char* GetQvDBCSFontName() {
#ifndef _UNICODE
  // The earlier edition takes the face of the user-interface language.
  size_t fit = Utf8Fit(gOrgInfo.GetUIFontName(), sizeof s_dbcsFontName - 1);
  memcpy(s_dbcsFontName, gOrgInfo.GetUIFontName(), fit);
  s_dbcsFontName[fit] = 0;
  return s_dbcsFontName;
#else
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  s_dbcsFontName[0] = 0;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    UI_TRACE_FAILED(s_log, "SystemParametersInfoW");
    return s_dbcsFontName;
  }
  wchar_t face[17] = {};
  wcsncpy(face, metrics.lfMessageFont.lfFaceName, 16);
  qv_utf8string utf8(face);
  size_t n = Utf8Fit(utf8.c_str(), sizeof s_dbcsFontName - 1);
  memcpy(s_dbcsFontName, utf8.c_str(), n);
  s_dbcsFontName[n] = 0;
  return s_dbcsFontName;
#endif
}

unsigned short GetQvDBCSCaptionFontSize() { return 12; }

unsigned short GetQvDBCSTextFontSize() {
  if (s_dbcsTextFontSize == 0) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      const uih::WindowDC screen(NULL);
      int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
      LONG height = metrics.lfStatusFont.lfHeight < 0 ? -metrics.lfStatusFont.lfHeight : metrics.lfStatusFont.lfHeight;
      s_dbcsTextFontSize = static_cast<unsigned short>(MulDiv(height, 72, dpi > 0 ? dpi : 96));
    } else {
      UI_TRACE_FAILED(s_log, "SystemParametersInfoW");
    }
  }
  return s_dbcsTextFontSize;
}

QvImmFunct Get_ImmFunct() { return s_immFunct; }
void Set_ImmFunct(QvImmFunct funct) { s_immFunct = funct; }
