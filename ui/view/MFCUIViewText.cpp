// Text in the GDI view: fonts, line breaking measured on the measuring DC, text in rectangles
// with alignment, justification, fill characters and links, vertical text, measuring.
#include "FarEastRules.h"
#include "UILinks.h"
#include "UIUtilities.h"
#include "UIView.h"

#include <string.h>
#include <wchar.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const long kUnlimited = 0x7FFFFFFF;

// The character extra and text alignment of a DC set to 0 for the scope.
class NeutralText {
 public:
  explicit NeutralText(HDC dc) : m_dc(dc), m_extra(0), m_align(0) {
    if (dc == NULL) return;
    m_extra = SetTextCharacterExtra(dc, 0);
    m_align = SetTextAlign(dc, 0);
  }
  ~NeutralText() {
    if (m_dc == NULL) return;
    SetTextCharacterExtra(m_dc, m_extra);
    if (m_align != GDI_ERROR) SetTextAlign(m_dc, m_align);
  }
  NeutralText(const NeutralText&) = delete;
  NeutralText& operator=(const NeutralText&) = delete;

 private:
  HDC m_dc;
  int m_extra;
  UINT m_align;
};

// The text with its links replaced by their captions, when it has any.
struct ShownText {
  std::unique_ptr<wchar_t[]> replaced;
  const wchar_t* text;
  int len;
  ShownText(CArrayLinkDefs& links, const wchar_t* source, int length) : text(source), len(length) {
    links.RemoveAll();
    if (source == NULL || length <= 0) return;
    int n = length;
    if (!links.LocateLinksInString(source, n)) return;
    replaced.reset(links.ReplaceLinks(source, length));
    if (replaced) {
      text = replaced.get();
      len = static_cast<int>(wcslen(text));
    }
  }
};

CArrayLinkDefs& UnscannedLinks() {
  static CArrayLinkDefs links;
  return links;
}

// The font's break character. Some fonts report a printable character there although their
// words are separated by blanks; their break character is the blank.
wchar_t BreakChar(const TEXTMETRICW& tm) {
  const wchar_t c = tm.tmBreakChar;
  return c == L' ' || c == 0x3000 || c == 0x00A0 ? c : L' ';
}

// A line of the legacy layout: broken at the last space that fits, or at a line feed.
struct LegacyLine {
  int start, length;
  bool endsWithLineFeed;
  SIZE size;
};

std::vector<LegacyLine> LegacyLines(HDC dc, const wchar_t* text, int len, int maxWidth) {
  std::vector<LegacyLine> lines;
  for (int pos = 0; pos < len;) {
    int end = pos;
    while (end < len && text[end] != L'\n') ++end;
    int fit = 0;
    SIZE size = {};
    GetTextExtentExPointW(dc, text + pos, end - pos, maxWidth, &fit, NULL, &size);
    LegacyLine line = {pos, end - pos, end < len, {}};
    int next = end + 1;
    if (fit < end - pos) {
      if (fit < 1) fit = 1;
      int space = -1;
      for (int i = pos + fit; i > pos; --i)
        if (i < end && text[i] == L' ') {
          space = i;
          break;
        }
      line.length = space > pos ? space - pos : fit;
      line.endsWithLineFeed = false;
      next = space > pos ? space + 1 : pos + fit;
    } else if (next < len && text[next] == L'\r') {
      ++next;
    }
    GetTextExtentPoint32W(dc, text + line.start, line.length, &line.size);
    if (line.length == 0) {
      TEXTMETRICW tm = {};
      GetTextMetricsW(dc, &tm);
      line.size.cy = tm.tmHeight;
    }
    lines.push_back(line);
    pos = next;
  }
  return lines;
}

int TextLength(const wchar_t* text, int len) { return text == NULL || len < 0 ? 0 : len; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Fonts

HFONT CMFCUIView::CreateFontWithlfEscapement(int escapement, bool forMeasuring) {
  LOGFONTW lf = {};
  const wchar_t* face = m_font.face.c_str();
  if (face != NULL) wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  lf.lfWeight = (m_font.style & 1) ? FW_BOLD : FW_DONTCARE;
  lf.lfItalic = (m_font.style & 2) ? TRUE : FALSE;
  lf.lfUnderline = (m_font.style & 4) ? TRUE : FALSE;
  lf.lfStrikeOut = (m_font.style & 8) ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfClipPrecision = CLIP_LH_ANGLES;
  lf.lfEscapement = lf.lfOrientation = escapement;
  double s = -static_cast<double>(m_font.size);
  long height;
  if (forMeasuring) {
    const int k = (m_flags & UIVIEW_TWIPS) ? 20 : 1;
    height = RoundToNearestInt(GetDeviceCaps(m_hMeasureDC.Get(), LOGPIXELSY) * s * k / 72.0);
  } else {
    if (m_flags & (UIVIEW_ZOOMED | UIVIEW_ZOOM_FONTS)) s *= m_zoomRatio;
    if (m_flags & UIVIEW_PRINT_FLAGS) {
      height = RoundToNearestInt(s);
    } else if (m_hAttribDC != NULL) {
      SIZE we = {1, 1}, ve = {1, 1};
      GetWindowExtEx(m_hAttribDC, &we);
      GetViewportExtEx(m_hAttribDC, &ve);
      height = MulDiv(static_cast<int>(s) * we.cy, GetDeviceCaps(m_hAttribDC, LOGPIXELSY), 72 * (ve.cy ? ve.cy : 1));
    } else {
      height = MulDiv(static_cast<int>(s), m_hDC != NULL ? GetDeviceCaps(m_hDC, LOGPIXELSY) : 96, 72);
    }
  }
  lf.lfHeight = height == 0 ? -1 : height;
  return CreateFontIndirectW(&lf);
}

void CMFCUIView::EnsureMeasureDC() {
  if (m_hMeasureDC) return;
  m_hMeasureDC.Reset(CreateCompatibleDC(m_hDC));
  if (m_hMeasureDC) m_hMeasureSavedFont = static_cast<HFONT>(GetCurrentObject(m_hMeasureDC.Get(), OBJ_FONT));
}

// Fonts are made on first need and kept until the font, the zoom or the DC changes.
void CMFCUIView::PrepareFont(int angle) {
  EnsureMeasureDC();
  uih::OwnedFont& font = angle == 90 ? m_hVertFont90 : angle == 270 ? m_hVertFont270 : m_hTextFont;
  if (!font) font.Reset(CreateFontWithlfEscapement(angle * 10, false));
  // The prepared fonts stay selected while the DC is prepared; DropPreparedFonts and
  // UnprepareCurrentDC put the DCs' own back.
  if (font) {
    if (m_hDC != NULL && GetCurrentObject(m_hDC, OBJ_FONT) != font.Get()) SelectObject(m_hDC, font.Get());
    if (m_hAttribDC != NULL && GetCurrentObject(m_hAttribDC, OBJ_FONT) != font.Get())
      SelectObject(m_hAttribDC, font.Get());
  }
  if (angle == 0 && !GetPrintOldFont() && m_hMeasureDC) {
    if (!m_hMeasureFont) m_hMeasureFont.Reset(CreateFontWithlfEscapement(0, true));
    if (m_hMeasureFont && GetCurrentObject(m_hMeasureDC.Get(), OBJ_FONT) != m_hMeasureFont.Get())
      SelectObject(m_hMeasureDC.Get(), m_hMeasureFont.Get());
  }
  if (!(m_flags & UIVIEW_PEN_COLORS)) PrepareColors(true);
}

// ---------------------------------------------------------------------------------------------
// Line breaking

int CMFCUIView::CallCalcTextLines(wchar_t const* text, QvSize size, bool wrap, TextLineInfoArray& lines) {
  NeutralText keep(OutputDC());
  PrepareFont(0);
  const int len = text != NULL ? static_cast<int>(wcslen(text)) : 0;
  SIZE s = {size.cx, size.cy};
  CalcTextLines(m_hMeasureDC.Get(), text, len, s, wrap ? 1 : 0, lines);
  return TRUE;
}

namespace {

// How many of the line's characters stay on it when the first `fit` fit and line[fit] does
// not: up to the last character followed by a blank, else all that fit.
int WordBreak(const wchar_t* line, int fit, wchar_t brk) {
  for (int i = fit; i >= 1; --i) {
    const wchar_t c = line[i - 1];
    if (c != brk && c != 0x00A0 && line[i] == brk) return i;
  }
  return fit;
}

// The same under the Far-East rules: a character that may not begin a line stays at the end of
// this one, one that may not end a line moves down to the next; only a one-byte character
// breaks back to a blank, any other may break anywhere. Always at least one character, so a
// run of forbidden characters longer than a line still moves on.
int FarEastBreak(const wchar_t* line, int fit, wchar_t brk) {
  const wchar_t at = line[fit];
  if (FarEastMayNotBeginW(at)) return fit + 1;
  int take = fit;
  if (fit > 1 && FarEastMayNotEndW(line[fit - 1]))
    take = fit - 1;
  else if (fit > 1 && FarEastMayNotBeginW(line[fit - 1]))
    take = fit - 2;
  else if (FarEastSingleByteW(at))
    take = WordBreak(line, fit, brk);
  return take >= 1 ? take : fit;
}

}  // namespace

int CMFCUIView::CalcTextLines(HDC dc, wchar_t const* text, int len, SIZE size, int wrap,
                              TextLineInfoArray& lines) {
  len = TextLength(text, len);
  const bool twips = (m_flags & UIVIEW_TWIPS) != 0;
  const int lpx = GetDeviceCaps(dc, LOGPIXELSX) > 0 ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  const int lpy = GetDeviceCaps(dc, LOGPIXELSY) > 0 ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (twips) {
    if (size.cx < kUnlimited) size.cx = MulDiv(size.cx, lpx, 72);
    if (size.cy < kUnlimited) size.cy = MulDiv(size.cy, lpy, 72);
  }
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  int lineHeight = tm.tmHeight + tm.tmExternalLeading;
  if (lineHeight <= 0) lineHeight = 1;
  const long maxLines = size.cy / lineHeight + 1;
  const wchar_t brk = BreakChar(tm);
  auto backX = [&](int v) { return twips ? MulDiv(v, 72, lpx) : v; };
  auto backY = [&](int v) { return twips ? MulDiv(v, 72, lpy) : v; };
  const long long maxExtent = wrap ? size.cx : kUnlimited;
  auto blanksOf = [brk](const wchar_t* s, int n) {
    short b = 0;
    for (int i = 0; i < n; ++i)
      if (s[i] == brk || s[i] == 0x00A0) ++b;
    return b;
  };

  const bool farEast = FarEastRulesActive();
  // Each paragraph is measured once: the partial extents give every line's fit and width.
  std::vector<int> extents;
  int pos = 0;
  while (pos < len && lines.GetSize() < maxLines) {
    int lf = pos;
    while (lf < len && text[lf] != L'\n') ++lf;
    int end = lf;
    if (wrap)
      while (end > pos && text[end - 1] == brk) --end;
    const int n = end - pos;
    const wchar_t* para = text + pos;
    if (n == 0) {
      lines.Add(TextLineInfo{para, 0, 0, backY(lineHeight), true, 0});
    } else {
      extents.resize(static_cast<size_t>(n));
      SIZE whole = {};
      GetTextExtentExPointW(dc, para, n, 0, NULL, extents.data(), &whole);
      const int height = backY(tm.tmHeight);
      int cur = 0;
      for (bool first = true; lines.GetSize() < maxLines; first = false) {
        if (!first)
          while (cur < n && para[cur] == brk) ++cur;
        if (cur >= n) break;
        const int base = cur > 0 ? extents[static_cast<size_t>(cur - 1)] : 0;
        const long long limit = base + maxExtent;
        const int fitEnd = static_cast<int>(
            std::upper_bound(extents.begin() + cur, extents.end(), limit, [](long long v, int e) { return v < e; }) -
            extents.begin());
        if (fitEnd >= n) {
          lines.Add(TextLineInfo{para + cur, n - cur, backX(extents[static_cast<size_t>(n - 1)] - base), height, true,
                                 blanksOf(para + cur, n - cur)});
          break;
        }
        int fit = fitEnd - cur;
        if (fit < 1) fit = 1;
        const int take = farEast ? FarEastBreak(para + cur, fit, brk) : WordBreak(para + cur, fit, brk);
        lines.Add(TextLineInfo{para + cur, take, backX(extents[static_cast<size_t>(cur + take - 1)] - base), height,
                               false, blanksOf(para + cur, take)});
        cur += take;
      }
    }
    pos = lf + 1;
    if (pos < len && text[pos] == L'\r') ++pos;
  }
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Text at the current position and in rectangles

void CMFCUIView::QvDrawText(wchar_t const* text, int len) {
  if (m_hDC == NULL || (len = TextLength(text, len)) == 0) return;
  PrepareFont(0);
  POINT p = {};
  GetCurrentPositionEx(m_hDC, &p);
  if ((m_flags & UIVIEW_CULLING) && (p.x > m_cullRect.right || p.y > m_cullRect.bottom)) return;
  TextOutW(m_hDC, p.x, p.y, text, len);
}

void CMFCUIView::QvDrawTextInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                  QvHorizontalAlign ha, int wrap, short s) {
  QvDrawTextLinesInRect(text, len, r, va, ha, wrap, s, 0, 0);
}

CArrayLinkDefs* CMFCUIView::GetGlobalArrayLink() {
  static CArrayLinkDefs links;
  return &links;
}

CArrayLinkDefs* CMFCUIView::CurrentLinkArray() { return m_hyperlinkScan ? GetGlobalArrayLink() : &UnscannedLinks(); }

void CMFCUIView::QvDrawTextLinesInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                       QvHorizontalAlign ha, int wrap, short s, long first, long last) {
  if (GetPrintOldFont()) {
    QvDrawTextInRect41(text, TextLength(text, len), r, va, ha, wrap, s);
    return;
  }
  CArrayLinkDefs* links = CurrentLinkArray();
  const ShownText shown(*links, text, TextLength(text, len));
  DrawTextInRectHelper(shown.text, shown.len, r, va, ha, wrap, s, true,
                       SupportedHyperlinks() != 0 && links->GetSize() > 0 ? links : NULL, first, last);
  SupportedHyperlinks() = 1;
}

void CMFCUIView::DrawTextInRectHelper(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                      QvHorizontalAlign ha, int wrap, short, bool draw, CArrayLinkDefs* links,
                                      long first, long last) {
  RECT c;
  HDC out = OutputDC();
  if (out == NULL || !ImageToClientRect(r, c)) return;
  const int W = RoundToNearestInt((static_cast<double>(r.right) - r.left) / m_factorX);
  const int H = RoundToNearestInt((static_cast<double>(r.bottom) - r.top) / m_factorY);
  const std::wstring fill = m_fillCharacter.ToWide();
  NeutralText keep(out);
  PrepareFont(0);
  HDC mdc = m_hMeasureDC.Get();
  const bool range = first != 0 || last != 0;
  const long limit = va == QvAlignBottom || va == QvAlignVCenter || range ? kUnlimited : r.bottom - r.top;
  TextLineInfoArray lines;
  CalcTextLines(mdc, text, len, SIZE{r.right - r.left, limit}, wrap, lines);
  const long n = lines.GetSize();
  if (!range) {
    first = 0;
    last = n;
  }
  if (last > n) last = n;
  if (first < 0) first = 0;

  TEXTMETRICW mtm = {};
  GetTextMetricsW(mdc, &mtm);
  double lineHeight = mtm.tmHeight + mtm.tmExternalLeading, leading = mtm.tmExternalLeading;
  if (m_flags & UIVIEW_TWIPS) {
    const double lpy = GetDeviceCaps(mdc, LOGPIXELSY) > 0 ? GetDeviceCaps(mdc, LOGPIXELSY) : 96;
    lineHeight = lineHeight * 72.0 / lpy;
    leading = leading * 72.0 / lpy;
  }
  const long count = last > first ? last - first : 0;
  const int clientTotal = RoundToNearestInt((lineHeight * count - leading) / m_factorY);
  const double step = lineHeight / m_factorY;
  TEXTMETRICW otm = {};
  GetTextMetricsW(out, &otm);
  const wchar_t brk = BreakChar(otm);
  int blankWidth = 0;
  GetCharWidthW(out, brk, brk, &blankWidth);

  int y = va == QvAlignBottom ? c.bottom - clientTotal : va == QvAlignVCenter ? (H - clientTotal) / 2 + c.top : c.top;
  double drift = 0;
  const bool showLinks = links != NULL && CanDisplayHyperlinks();
  std::vector<int> dx;
  RECT clip = c;
  ++clip.right;
  for (long i = first; i < last; ++i) {
    const TextLineInfo& line = lines.Line(i);
    const int lineCy = RoundToNearestInt(line.cy / m_factorY);
    int x = c.left;
    int width = 0;
    if (line.length > 0 && y < c.bottom && y + lineCy > c.top) {
      const int target = RoundToNearestInt(line.cx / m_factorX);
      SetTextJustification(out, 0, 0);
      // One measure gives the device width and, where needed, every advance.
      const int offset = static_cast<int>(line.text - text);
      bool linked = false;
      if (links != NULL)
        for (int k = 0; k < links->GetSize() && !linked; ++k)
          linked = links->GetAt(k)->m_nStart < offset + line.length && links->GetAt(k)->m_nEnd > offset;
      const bool advances = wrap || linked;
      SIZE extent = {};
      dx.resize(static_cast<size_t>(line.length));
      if (advances)
        GetTextExtentExPointW(out, line.text, line.length, 0, NULL, dx.data(), &extent);
      else
        GetTextExtentPoint32W(out, line.text, line.length, &extent);
      const int device = extent.cx;
      const int b = line.blanks;
      const bool justify = ha == QvAlignJustify && !line.endsParagraph;
      const int goal = justify ? W : target;
      int spread = 0;
      if (b > 0 && device != goal) {
        spread = goal - device;
        const int shrink = b * blankWidth * 5 / 10;
        if (spread < -shrink) spread = -shrink;
      }
      width = device + spread;
      x = ha == QvAlignRight ? c.right - width : ha == QvAlignHCenter ? (W - width) / 2 + c.left : c.left;
      bool adjusted = false;  // advances differ from the font's own: they must be given
      if (advances) {
        for (int k = line.length - 1; k > 0; --k) dx[static_cast<size_t>(k)] -= dx[static_cast<size_t>(k - 1)];
        if (spread != 0) {
          adjusted = true;
          // As SetTextJustification spreads it: evenly over the break characters, the
          // remainder to the first ones.
          const int each = spread / b;
          int rest = spread % b;
          for (int k = 0; k < line.length; ++k) {
            if (line.text[k] != brk) continue;
            dx[static_cast<size_t>(k)] += each;
            if (rest != 0) {
              dx[static_cast<size_t>(k)] += rest > 0 ? 1 : -1;
              rest += rest > 0 ? -1 : 1;
            }
          }
        }
        if (wrap) {
          long sum = 0;
          for (int k = 0; k < line.length; ++k) sum += dx[static_cast<size_t>(k)];
          if (sum > W) {
            adjusted = true;
            const long excess = sum - W;
            const double every = static_cast<double>(line.length) / excess;
            for (long e = 0; e < excess; ++e) {
              const int at = static_cast<int>(e * every);
              if (at < line.length) --dx[static_cast<size_t>(at)];
            }
          }
        }
      } else if (spread != 0) {
        SetTextJustification(m_hDC, spread, b);
      }
      const bool inside = x >= c.left && x + width <= c.right && y >= c.top && y + lineCy <= c.bottom;
      auto output = [&](int sx, int from, int to) {
        if (!draw || m_hDC == NULL) return;
        const INT* advance = adjusted ? dx.data() + from : NULL;
        if (inside && advance == NULL)
          TextOutW(m_hDC, sx, y, line.text + from, to - from);
        else
          ExtTextOutW(m_hDC, sx, y, inside ? 0 : ETO_CLIPPED, inside ? NULL : &clip, line.text + from, to - from,
                      advance);
      };
      if (!linked) {
        output(x, 0, line.length);
      } else {
        // Segments cut at the link boundaries; link segments in the link's look, and where
        // each was drawn kept for hit testing.
        int at = 0, sx = x;
        while (at < line.length) {
          QvLinkDef* link = NULL;
          int next = line.length;
          for (int k = 0; k < links->GetSize(); ++k) {
            QvLinkDef* l = links->GetAt(k);
            const int ls = l->m_nStart - offset, le = l->m_nEnd - offset;
            if (ls <= at && le > at) {
              link = l;
              next = std::min(next, le);
            } else if (ls > at) {
              next = std::min(next, ls);
            }
          }
          int segment = 0;
          for (int k = at; k < next; ++k) segment += dx[static_cast<size_t>(k)];
          if (link != NULL) {
            uih::Selection linkFont;
            if (showLinks && draw && m_hDC != NULL)
              linkFont = uih::Selection::Adopt(m_hDC, links->SelectLinkFont(m_hDC, *link));
            output(sx, at, next);
            if (linkFont) {
              linkFont.Restore();
              SetTextColor(m_hDC, DeviceColor(m_penFore));
            }
            RECT drawn = {sx, y, sx + segment, y + lineCy}, image;
            ClientToImageRect(drawn, image);
            link->AddRect(image);
          } else {
            output(sx, at, next);
          }
          sx += segment;
          at = next;
        }
      }
    }
    if (draw && !fill.empty() && i == count - 1 && y < c.bottom && y + lineCy > c.top)
      PadStringWith(line.text, line.length, m_fillCharacter, c, x, y);
    const int whole = RoundToNearestInt(step);
    y += whole;
    drift += step - whole;
    if (drift > 0.5) {
      ++y;
      drift -= 1;
    } else if (drift < -0.5) {
      --y;
      drift += 1;
    }
    SetTextJustification(out, 0, 0);
    if (m_hDC != NULL && m_hDC != out) SetTextJustification(m_hDC, 0, 0);
  }
}

void CMFCUIView::QvDrawTextInRect41(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                    QvHorizontalAlign ha, int wrap, short s) {
  RECT c;
  HDC out = OutputDC();
  if (out == NULL || m_hDC == NULL || !ImageToClientRect(r, c)) return;
  PrepareFont(0);
  const int W = c.right - c.left, H = c.bottom - c.top;
  RECT clip = c;
  auto alignX = [&](int w) {
    return ha == QvAlignRight ? c.right - w : ha == QvAlignHCenter ? c.left + (W - w) / 2 : c.left;
  };
  auto alignY = [&](int h) {
    return va == QvAlignBottom ? c.bottom - h : va == QvAlignVCenter ? c.top + (H - h) / 2 : c.top;
  };
  const bool hasLineFeed = std::find(text, text + len, L'\n') != text + len;
  if (!hasLineFeed) {
    SIZE size = {};
    GetTextExtentPoint32W(out, text, len, &size);
    if (size.cx <= W || !wrap) {
      const int x = alignX(size.cx), y = alignY(size.cy);
      const bool tight = (m_flags & UIVIEW_RASTER_DISPLAY) && !(m_flags & UIVIEW_PREVIEW) && s == 1 && W - size.cx < 2;
      if (size.cx <= W && !tight) {
        TextOutW(m_hDC, x, y, text, len);
      } else {
        const int extra = tight ? SetTextCharacterExtra(m_hDC, GetTextCharacterExtra(m_hDC) + 1) : 0;
        ExtTextOutW(m_hDC, x, y, ETO_CLIPPED, &clip, text, static_cast<UINT>(len), NULL);
        if (tight) SetTextCharacterExtra(m_hDC, extra);
      }
      return;
    }
  }
  const std::vector<LegacyLine> lines = LegacyLines(out, text, len, W);
  int total = 0;
  for (const LegacyLine& l : lines) total += l.size.cy;
  int y = alignY(total);
  for (size_t i = 0; i < lines.size(); ++i) {
    const LegacyLine& l = lines[i];
    const wchar_t* t = text + l.start;
    int width = l.size.cx;
    if (ha == QvAlignJustify && i + 1 < lines.size() && width < W && !l.endsWithLineFeed) {
      int lead = 0, spaces = 0;
      while (lead < l.length && t[lead] == L' ') ++lead;
      for (int k = lead; k < l.length; ++k) spaces += t[k] == L' ';
      if (spaces > 0) {
        SetTextJustification(m_hDC, W - width, spaces);
        width = W;
      }
    }
    const int x = alignX(width);
    if (x >= c.left && x + width <= c.right && y >= c.top && y + l.size.cy <= c.bottom)
      TextOutW(m_hDC, x, y, t, l.length);
    else
      ExtTextOutW(m_hDC, x, y, ETO_CLIPPED, &clip, t, static_cast<UINT>(l.length), NULL);
    SetTextJustification(m_hDC, 0, 0);
    if (i + 1 == lines.size() && !m_fillCharacter.IsEmpty()) PadStringWith(t, l.length, m_fillCharacter, c, x, y);
    y += l.size.cy;
  }
}

void CMFCUIView::PadStringWith(wchar_t const* text, int len, QvString const& fillText, RECT const& clientRect, int x,
                               int y) {
  HDC out = OutputDC();
  const std::wstring fill = fillText.ToWide();
  if (out == NULL || m_hDC == NULL || fill.empty()) return;
  SIZE extent = {};
  GetTextExtentPoint32W(out, text, len, &extent);
  FLOAT c = 0;
  if (!GetCharWidthFloatW(out, fill[0], fill[0], &c) || c == 0) return;
  const int count = static_cast<int>((clientRect.right - clientRect.left - extent.cx) / c);
  if (count < 1) return;
  std::wstring repeated;
  repeated.reserve(static_cast<size_t>(count) + fill.size());
  while (static_cast<int>(repeated.size()) < count) repeated += fill;
  ExtTextOutW(m_hDC, x + extent.cx, y, ETO_CLIPPED, &clientRect, repeated.c_str(), static_cast<UINT>(count), NULL);
}

// ---------------------------------------------------------------------------------------------
// Measuring

unsigned long CMFCUIView::QvTextWidth(wchar_t const* text, int len, bool withDrawingDC) {
  // Below 100 % the drawn width is taken at 100 %: the fields are set directly and put back,
  // so the window is neither invalidated nor zoomed again.
  const bool unzoom = (m_flags & UIVIEW_ZOOMED) && m_zoomRatio < 1.0f;
  const long num = m_zoomNum, den = m_zoomDen;
  const unsigned long flags = m_flags;
  if (unzoom) {
    m_zoomNum = m_zoomDen = 100;
    m_flags &= ~UIVIEW_ZOOMED;
    PrepareConversionFactors();
    DropPreparedFonts();
  }
  const ShownText shown(UnscannedLinks(), text, TextLength(text, len));
  PrepareFont(0);
  HDC mdc = m_hMeasureDC.Get(), out = OutputDC();
  const int lpy = mdc != NULL && GetDeviceCaps(mdc, LOGPIXELSY) > 0 ? GetDeviceCaps(mdc, LOGPIXELSY) : 96;
  unsigned long widest = 0;
  for (int pos = 0; pos < shown.len;) {
    int lf = pos;
    while (lf < shown.len && shown.text[lf] != L'\n') ++lf;
    int end = lf;
    if (end > pos && lf < shown.len && shown.text[end - 1] == L'\r') --end;
    if (end == pos && lf >= shown.len) break;
    SIZE extent = {};
    long width = 0;
    if (!GetPrintOldFont() && mdc != NULL) {
      GetTextExtentPoint32W(mdc, shown.text + pos, end - pos, &extent);
      width = (m_flags & UIVIEW_TWIPS) ? MulDiv(extent.cx, 72, lpy) : extent.cx;
    }
    if ((withDrawingDC || GetPrintOldFont()) && out != NULL) {
      GetTextExtentPoint32W(out, shown.text + pos, end - pos, &extent);
      width = std::max(width, static_cast<long>(RoundToNearestInt(m_factorX * extent.cx)));
    }
    widest = std::max(widest, static_cast<unsigned long>(width));
    pos = lf + 1;
  }
  if (unzoom) {
    m_zoomNum = num;
    m_zoomDen = den;
    m_flags = flags;
    PrepareConversionFactors();
    DropPreparedFonts();
  }
  return widest;
}

unsigned long CMFCUIView::QvTextHeight(wchar_t const* text, int len, unsigned long width, unsigned short s) {
  return QvTextHeightEx(text, len, width, s, NULL);
}

unsigned long CMFCUIView::QvTextHeightEx(wchar_t const* text, int len, unsigned long width, unsigned short,
                                         long* lineCount) {
  const ShownText shown(UnscannedLinks(), text, TextLength(text, len));
  PrepareFont(0);
  if (GetPrintOldFont()) {
    // The legacy measure, on the drawing side.
    HDC out = OutputDC();
    if (out == NULL) return 0;
    const long w = RoundToNearestInt(static_cast<double>(width) / m_factorX);
    const std::vector<LegacyLine> lines = LegacyLines(out, shown.text, shown.len, static_cast<int>(w));
    long sum = 0;
    for (const LegacyLine& l : lines) sum += l.size.cy;
    if (lineCount != NULL) *lineCount = static_cast<long>(lines.size());
    return static_cast<unsigned long>(RoundToNearestInt(m_factorY * static_cast<double>(sum)));
  }
  HDC mdc = m_hMeasureDC.Get();
  if (mdc == NULL) return 0;
  TextLineInfoArray lines;
  const long w = width > static_cast<unsigned long>(kUnlimited) ? kUnlimited : static_cast<long>(width);
  CalcTextLines(mdc, shown.text, shown.len, SIZE{w, kUnlimited}, 1, lines);
  TEXTMETRICW tm = {};
  GetTextMetricsW(mdc, &tm);
  int height = tm.tmHeight, leading = tm.tmExternalLeading;
  if (m_flags & UIVIEW_TWIPS) {
    const int lpy = GetDeviceCaps(mdc, LOGPIXELSY) > 0 ? GetDeviceCaps(mdc, LOGPIXELSY) : 96;
    height = MulDiv(height, 72, lpy);
    leading = MulDiv(leading, 72, lpy);
  }
  if (lineCount != NULL) *lineCount = lines.GetSize();
  const long total = (height + leading) * lines.GetSize() - leading;
  return total > 0 ? static_cast<unsigned long>(total) : 0;
}

UIFontInfo CMFCUIView::QvGetFontInfo() {
  UIFontInfo info = {0, 0, 0, 0};
  HDC out = OutputDC();
  if (out == NULL) return info;
  PrepareFont(0);
  const FontMetrics m = MeasureFont(out);
  // The framework's metrics are 16 bits wide.
  info.ascent = static_cast<unsigned short>(m.ascent);
  info.descent = static_cast<unsigned short>(m.descent);
  info.externalLeading = static_cast<unsigned short>(m.externalLeading);
  info.maxCharWidth = static_cast<unsigned short>(m.maxCharWidth);
  return info;
}

// ---------------------------------------------------------------------------------------------
// Vertical text

void CMFCUIView::QvDrawVertTextInRect(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                      QvHorizontalAlign ha, QvVertDrawStyle style) {
  const ShownText shown(*CurrentLinkArray(), text, TextLength(text, len));
  SupportedHyperlinks() = 1;
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  PrepareFont(style == QvVertUp ? 90 : style == QvVertDown ? 270 : 0);
  HDC dc = m_hDC;
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  const int th = tm.tmHeight;
  const int l = c.left, t = c.top, rr = c.right, b = c.bottom;
  const int midX = l + (rr - l) / 2, midY = t + (b - t) / 2;
  if (style == QvVertStacked) {
    UINT align = TA_LEFT;
    int x = l;
    if (ha == QvAlignRight) {
      x = rr;
      align = TA_RIGHT;
    } else if (ha == QvAlignHCenter) {
      x = midX;
      align = TA_CENTER;
    }
    int y = va == QvAlignBottom ? b - th * shown.len : va == QvAlignVCenter ? t + ((b - th * shown.len) - t) / 2 : t;
    SetTextAlign(dc, align);
    for (int i = 0; i < shown.len; ++i, y += th) TextOutW(dc, x, y, shown.text + i, 1);
  } else {
    const bool up = style == QvVertUp;
    UINT align;
    int y;
    if (va == QvAlignTop) {
      align = up ? TA_RIGHT : TA_LEFT;
      y = t;
    } else if (va == QvAlignVCenter) {
      align = TA_CENTER;
      y = midY;
    } else {
      align = up ? TA_LEFT : TA_RIGHT;
      y = b;
    }
    int x;
    if (ha == QvAlignRight) {
      x = rr;
      if (up) align |= TA_BOTTOM;
    } else if (ha == QvAlignHCenter) {
      x = up ? midX - th / 2 : midX + th / 2;
    } else {
      x = l;
      if (!up) align |= TA_BOTTOM;
    }
    SetTextAlign(dc, align);
    TextOutW(dc, x, y, shown.text, shown.len);
  }
  SetTextAlign(dc, 0);
}

void CMFCUIView::QvGetVertTextRect(RECT& out, wchar_t const* text, int len, QvVertDrawStyle style) {
  const ShownText shown(UnscannedLinks(), text, TextLength(text, len));
  SetRectEmpty(&out);
  HDC dc = OutputDC();
  if (dc == NULL) return;
  PrepareFont(0);
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  if (style == QvVertStacked) {
    int widest = 0;
    for (int i = 0; i < shown.len; ++i) {
      SIZE one = {};
      GetTextExtentPoint32W(dc, shown.text + i, 1, &one);
      widest = std::max(widest, static_cast<int>(one.cx));
    }
    out.right = RoundToNearestInt(m_factorX * static_cast<double>(widest));
    out.bottom = RoundToNearestInt(m_factorY * static_cast<double>(tm.tmHeight) * shown.len);
    return;
  }
  // Only outline fonts turn.
  if (GetOutlineTextMetricsW(dc, 0, NULL) == 0) return;
  SIZE extent = {};
  GetTextExtentPoint32W(dc, shown.text, shown.len, &extent);
  out.right = RoundToNearestInt(m_factorX * static_cast<double>(extent.cy));
  out.bottom = RoundToNearestInt(m_factorY * static_cast<double>(extent.cx));
}

// ---------------------------------------------------------------------------------------------
// Links

bool CMFCUIView::QvGetLinkAtPoint(wchar_t const* text, int len, RECT const& r, QvVerticalAlign va,
                                  QvHorizontalAlign ha, int wrap, POINT& p, QvLinkDef& link) {
  CArrayLinkDefs links;
  const ShownText shown(links, text, TextLength(text, len));
  if (links.GetSize() == 0) return false;
  DrawTextInRectHelper(shown.text, shown.len, r, va, ha, wrap, 0, false, &links, 0, 0);
  const QvLinkDef* hit = links.LocateLink(p, POINT{0, 0}, NULL);
  if (hit == NULL) return false;
  link = *hit;
  return true;
}

bool CMFCUIView::OnClickOnLink(QvLinkDef const& link, POINT, bool b) {
  if (b) return false;
  CArrayLinkDefs::OpenLink(link);
  return true;
}

bool CMFCUIView::LocateLinksInString(char const* text, int len, CArrayLinkDefs& links) {
  links.RemoveAll();
  if (text == NULL || len <= 0) return false;
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, len, NULL, 0);
  if (n <= 0) return false;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, len, &wide[0], n);
  int length = n;
  return links.LocateLinksInString(wide.c_str(), length);
}
