// Text in the portable view: fonts, text at the current position, text laid out in
// rectangles, vertical text and measures.
#include "GUIView.h"
#include "QvView.h"
#include "UIUtilities.h"

#include <solvane.h>

#include <algorithm>
#include <string>

namespace {
std::wstring Wide(const QvString& text) { return text.ToWide(); }

// The character extra of a DC set to 0 and its alignment to the top-left for the scope.
struct TextAlignScope {
  HDC dc;
  UINT align;
  explicit TextAlignScope(HDC d, UINT a) : dc(d), align(d ? SetTextAlign(d, a) : 0) {}
  ~TextAlignScope() {
    if (dc) SetTextAlign(dc, align == GDI_ERROR ? 0 : align);
  }
};
// The advances of a line with `extra` pixels shared among its blanks after the leading ones.
std::vector<int> Advances(HDC dc, const wchar_t* s, int len, int extra, int blanks) {
  std::vector<int> ends(static_cast<size_t>(len)), advances(static_cast<size_t>(len));
  SIZE size = {0, 0};
  GetTextExtentExPointW(dc, s, len, 0, NULL, ends.data(), &size);
  int lead = 0;
  while (lead < len && s[lead] == L' ') ++lead;
  for (int i = 0, k = 0; i < len; ++i) {
    advances[static_cast<size_t>(i)] = ends[static_cast<size_t>(i)] - (i > 0 ? ends[static_cast<size_t>(i - 1)] : 0);
    if (i >= lead && s[i] == L' ') advances[static_cast<size_t>(i)] += extra / blanks + (k++ < extra % blanks ? 1 : 0);
  }
  return advances;
}
}  // namespace

HFONT CGUIView::CreateFontWithlfEscapement(int escapement) {
  LOGFONTW lf;
  const QvFont font = m_view ? m_view->GetCurrentFont() : QvFont();
  QvFontToLOGFONT(font, lf);
  double height = -static_cast<double>(font.m_size);
  if (m_flags & (GUIVIEW_ZOOMED | GUIVIEW_OFFSCREEN)) height *= m_zoomRatio;
  if (!(m_flags & GUIVIEW_PRINT_FLAGS)) {
    const int dpi = m_hDC != NULL ? GetDeviceCaps(MeasureDC(), LOGPIXELSY) : 96;
    height = height * (dpi > 0 ? dpi : 96) / 72.0;
  }
  const int rounded = RoundToNearestInt(height);
  lf.lfHeight = rounded == 0 ? -1 : rounded;
  lf.lfEscapement = lf.lfOrientation = escapement;
  return CreateFontIndirectW(&lf);
}

void CGUIView::SelectFont(int escapement) {
  uih::OwnedFont& font = escapement == 900 ? m_font90 : escapement == 2700 ? m_font270 : m_font;
  if (!font) font.Reset(CreateFontWithlfEscapement(escapement));
  if (!font) return;  // the previous font stays
  if (m_hDC != NULL) SelectObject(m_hDC, font.Get());
  if (m_hAttribDC != NULL) SelectObject(m_hAttribDC, font.Get());
  if (!(m_flags & GUIVIEW_PEN_COLORS)) PrepareColors(true);
}

void CGUIView::DropFonts() {
  for (uih::OwnedFont* font : {&m_font, &m_font90, &m_font270}) {
    if (!*font) continue;
    for (HDC dc : {static_cast<HDC>(m_hDC), static_cast<HDC>(m_hAttribDC)})
      if (dc != NULL && GetCurrentObject(dc, OBJ_FONT) == font->Get()) SelectObject(dc, GetStockObject(SYSTEM_FONT));
    font->Reset();
  }
}

// ---------------------------------------------------------------------------------------------
// Layout

int CGUIView::LayOutText(HDC dc, const wchar_t* text, int len, int width, bool justify, std::vector<TextLine>& lines) {
  lines.clear();
  int total = 0;
  std::vector<int> extents;
  for (int pos = 0; pos < len;) {
    const wchar_t* rest = text + pos;
    const int n = len - pos;
    // Only what can fit is of interest: a line never holds more characters than pixels.
    const int measured = std::min(n, width > 0 ? width + 1 : 1);
    extents.assign(static_cast<size_t>(measured), 0);
    int fit = 0;
    SIZE size = {0, 0};
    GetTextExtentExPointW(dc, rest, measured, width, &fit, extents.data(), &size);
    if (size.cy == 0) {
      TEXTMETRICW tm = {};
      GetTextMetricsW(dc, &tm);
      size.cy = tm.tmHeight;
    }
    TextLine line = {pos, 0, 0, static_cast<int>(size.cy), false};
    int next;
    const wchar_t* feed = fit > 1 ? std::find(rest + 1, rest + fit, L'\n') : rest + fit;
    if (rest[0] == L'\n' || fit == 0) {
      next = pos + 1;  // an empty line for the line feed, or the character that does not fit
    } else if (feed != rest + fit) {
      line.length = static_cast<int>(feed - rest);
      line.paragraphEnd = justify;
      next = pos + line.length + 1;
      if (next < len && text[next] == L'\r') ++next;
    } else if (fit >= n) {
      line.length = n;
      next = len;
    } else {
      int blank = fit;
      while (blank >= 1 && rest[blank] != L' ') --blank;
      int end = blank;
      while (end > 1 && rest[end - 1] == L' ') --end;
      if (blank >= 1 && !(blank > 1 && end == 1)) {
        line.length = end;
        next = pos + blank + 1;
      } else {
        line.length = fit;
        next = pos + fit;
      }
    }
    if (line.length > 0) line.width = extents[static_cast<size_t>(line.length - 1)];
    lines.push_back(line);
    total += line.height;
    pos = next;
  }
  return total;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CGUIView::QvDrawText(const QvString& text) {
  if (m_hDC == NULL) return;
  SelectFont(0);
  POINT p = {0, 0};
  GetCurrentPositionEx(m_hDC, &p);
  if ((m_flags & GUIVIEW_PAINTING) && (p.x > m_cullRect.right || p.y > m_cullRect.bottom)) return;
  const std::wstring wide = Wide(text);
  TextOutW(m_hDC, p.x, p.y, wide.c_str(), static_cast<int>(wide.size()));
}

void CGUIView::QvDrawTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha, bool,
                                short) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  SelectFont(0);
  const std::wstring wide = Wide(text);
  const int W = c.right - c.left, H = c.bottom - c.top;
  std::vector<TextLine> lines;
  const int total = LayOutText(MeasureDC(), wide.c_str(), static_cast<int>(wide.size()), W, ha == QvAlignJustify, lines);
  int y = va == QvAlignBottom ? c.bottom - total : va == QvAlignVCenter ? c.top + ((H - total) >> 1) : c.top;
  for (size_t i = 0; i < lines.size(); y += lines[i].height, ++i) {
    const TextLine& line = lines[i];
    if (line.length == 0 || y >= c.bottom || y + line.height <= c.top) continue;
    const wchar_t* s = wide.c_str() + line.start;
    int blanks = 0;
    if (ha == QvAlignJustify && i + 1 < lines.size() && !line.paragraphEnd && line.width < W) {
      int k = 0;
      while (k < line.length && s[k] == L' ') ++k;
      for (; k < line.length; ++k) blanks += s[k] == L' ';
    }
    int x = ha == QvAlignRight ? c.right - line.width : ha == QvAlignHCenter ? c.left + (W - line.width) / 2 : c.left;
    int drawn = line.width;
    std::vector<int> advances;
    if (blanks > 0) {
      x = c.left;
      drawn = W;
      TEXTMETRICW tm = {};
      GetTextMetricsW(m_hDC, &tm);
      if (tm.tmBreakChar == L' ') {
        SetTextJustification(m_hDC, W - line.width, blanks);
      } else {
        // A font whose break character is not the blank is not stretched by GDI: the extra
        // width goes to the blanks through the advances.
        advances = Advances(m_hDC, s, line.length, W - line.width, blanks);
      }
    }
    const bool inside = x >= c.left && x + drawn <= c.right && y >= c.top && y + line.height <= c.bottom;
    if (inside && advances.empty())
      TextOutW(m_hDC, x, y, s, line.length);
    else
      ExtTextOutW(m_hDC, x, y, inside ? 0 : ETO_CLIPPED, &c, s, static_cast<UINT>(line.length),
                  advances.empty() ? NULL : advances.data());
    if (ha == QvAlignJustify) SetTextJustification(m_hDC, 0, 0);
  }
}

void CGUIView::QvDrawVertTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha,
                                    QvVertDrawStyle style) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  SelectFont(style == QvVertUp ? 900 : style == QvVertDown ? 2700 : 0);
  const std::wstring wide = Wide(text);
  const int n = static_cast<int>(wide.size());
  TEXTMETRICW tm = {};
  GetTextMetricsW(MeasureDC(), &tm);
  const int th = tm.tmHeight;
  const int midX = c.left + (c.right - c.left) / 2, midY = c.top + (c.bottom - c.top) / 2;
  if (style == QvVertStacked) {
    const UINT align = ha == QvAlignRight ? TA_RIGHT : ha == QvAlignHCenter ? TA_CENTER : 0;
    const int x = ha == QvAlignRight ? c.right : ha == QvAlignHCenter ? midX : c.left;
    int y = va == QvAlignBottom   ? c.bottom - n * th
            : va == QvAlignVCenter ? c.top + (c.bottom - c.top - n * th) / 2
                                   : c.top;
    TextAlignScope scope(m_hDC, align);
    for (int i = 0; i < n; ++i, y += th) TextOutW(m_hDC, x, y, wide.c_str() + i, 1);
    SetTextAlign(m_hDC, 0);
    return;
  }
  // Along the text: the vertical alignment; across it: the horizontal one.
  const bool up = style == QvVertUp;
  UINT align = 0;
  int y = midY;
  if (va == QvAlignVCenter) {
    align = TA_CENTER;
  } else if ((va == QvAlignTop) == up) {
    align = TA_RIGHT;
    y = va == QvAlignTop ? c.top : c.bottom;
  } else {
    y = va == QvAlignTop ? c.top : c.bottom;
  }
  int x = c.left;
  if (ha == QvAlignHCenter) {
    x = up ? midX - th / 2 : midX + th / 2;
  } else if ((ha == QvAlignRight) == up) {
    x = ha == QvAlignRight ? c.right : c.left;
    align |= 8;  // the bottom of the characters on the line
  } else {
    x = ha == QvAlignRight ? c.right : c.left;
  }
  TextAlignScope scope(m_hDC, align);
  TextOutW(m_hDC, x, y, wide.c_str(), n);
  SetTextAlign(m_hDC, 0);
}

// ---------------------------------------------------------------------------------------------
// Measures

void CGUIView::QvGetVertTextRect(QvRect& r, const QvString& text, QvVertDrawStyle style) {
  r.Set(0, 0, 0, 0);
  if (m_hDC == NULL) return;
  SelectFont(0);
  HDC dc = MeasureDC();
  const std::wstring wide = Wide(text);
  const int n = static_cast<int>(wide.size());
  if (style == QvVertStacked) {
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    int widest = 0;
    for (int i = 0; i < n; ++i) {
      SIZE one = {0, 0};
      GetTextExtentPoint32W(dc, wide.c_str() + i, 1, &one);
      widest = std::max(widest, static_cast<int>(one.cx));
    }
    r.right = RoundToNearestInt(m_factorX * static_cast<double>(widest));
    r.bottom = RoundToNearestInt(m_factorY * static_cast<double>(tm.tmHeight) * n);
    return;
  }
  if (GetOutlineTextMetricsW(dc, 0, NULL) == 0) return;  // only outline fonts turn
  SIZE extent = {0, 0};
  GetTextExtentPoint32W(dc, wide.c_str(), n, &extent);
  r.right = RoundToNearestInt(m_factorX * static_cast<double>(extent.cy));
  r.bottom = RoundToNearestInt(m_factorY * static_cast<double>(extent.cx));
}

unsigned long CGUIView::QvTextWidth(const QvString& text) {
  if (m_hDC == NULL) return 0;
  SelectFont(0);
  const std::wstring wide = Wide(text);
  return MeasureTextWidth(MeasureDC(), wide.c_str(), static_cast<int>(wide.size()));
}

unsigned long CGUIView::QvTextHeight(const QvString& text, unsigned long width, unsigned short) {
  if (m_hDC == NULL) return 0;
  SelectFont(0);
  const std::wstring wide = Wide(text);
  const double pixels = static_cast<double>(width) / m_factorX;
  std::vector<TextLine> lines;
  const int total = LayOutText(MeasureDC(), wide.c_str(), static_cast<int>(wide.size()),
                               pixels > 0x7FFFFFFF ? 0x7FFFFFFF : RoundToNearestInt(pixels), false, lines);
  return static_cast<unsigned long>(RoundToNearestInt(m_factorY * static_cast<double>(total)));
}

QvFontInfo CGUIView::QvGetFontInfo() {
  QvFontInfo info = {0, 0, 0, 0};
  if (m_hDC == NULL) return info;
  SelectFont(0);
  const FontMetrics m = MeasureFont(MeasureDC());
  info.ascent = m.ascent;
  info.descent = m.descent;
  info.externalLeading = m.externalLeading;
  info.maxCharWidth = m.maxCharWidth;
  return info;
}
