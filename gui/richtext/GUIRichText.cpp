// The platform rich-text label (see GUIRichText.h).
#include "GUIRichText.h"

#include <QvColor.h>
#include <UIHandles.h>
#include <UIUtilities.h>

IMPLEMENT_DYNCREATE(CGUIRichText, CStatic)

using namespace uih;

namespace {

// The fonts every label shares, kept while a label lives (the UI thread makes and ends labels).
struct SharedFonts {
  int live = 0;
  OwnedFont title, body, bold;
};
SharedFonts& Fonts() {
  static SharedFonts fonts;
  return fonts;
}

HFONT MakeFont(const LOGFONTW& base, LONG height, LONG weight) {
  LOGFONTW lf = base;
  lf.lfHeight = height;
  if (weight) lf.lfWeight = weight;
  return ::CreateFontIndirectW(&lf);
}

UINT DrawFormat(WORD style) {
  // Every style wraps at words; the emphasised ones draw unclipped as they always did (they are
  // measured at the width they draw, so nothing spills past the label).
  return (style == CGUIRichText::kEmphasis || style == CGUIRichText::kEmphasisToo)
             ? DT_WORDBREAK | DT_NOCLIP
             : DT_WORDBREAK;
}

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(window, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

}  // namespace

CGUIRichText::CGUIRichText() {
  SharedFonts& fonts = Fonts();
  if (fonts.live++ == 0) {
    LOGFONTW base = {};
    GetDefaultLogFont(base);
    fonts.title.Reset(MakeFont(base, -20, 0));
    fonts.body.Reset(MakeFont(base, -11, FW_NORMAL));
    fonts.bold.Reset(MakeFont(base, -11, FW_BOLD));
  }
}

CGUIRichText::~CGUIRichText() {
  SharedFonts& fonts = Fonts();
  if (--fonts.live == 0) {
    // A window that outlives its label must not keep a deleted font.
    if (::IsWindow(m_hWnd)) ::SendMessageW(m_hWnd, WM_SETFONT, 0, FALSE);
    fonts.title.Reset();
    fonts.body.Reset();
    fonts.bold.Reset();
  }
}

int CGUIRichText::GetLiveCount() { return Fonts().live; }

HFONT CGUIRichText::StyleFont() const {
  SharedFonts& fonts = Fonts();
  switch (m_style) {
    case kTitle: return fonts.title.Get();
    case kBullet:
    case kEmphasis:
    case kEmphasisToo: return fonts.bold.Get();
    case kOwnColor: {
      HFONT own = m_hWnd ? reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)) : NULL;
      return own ? own : UIGetDefaultGUIFont();
    }
    default: return fonts.body.Get();
  }
}

BOOL CGUIRichText::SetStyle(WORD style) {
  if (style > kOwnColor) return FALSE;  // refused before anything is stored
  m_style = style;
  if (style != kOwnColor && m_hWnd)
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(StyleFont()), FALSE);
  AdjustSize();
  RepaintBehind();
  return TRUE;
}

BOOL CGUIRichText::SetText(const wchar_t* text) {
  if (!m_hWnd) return FALSE;
  ::SetWindowTextW(m_hWnd, text ? text : L"");
  AdjustSize();
  RepaintBehind();
  return TRUE;
}

void CGUIRichText::SetColor(const QvColor& color) {
  m_color = RGB(color.red >> 8, color.green >> 8, color.blue >> 8);
  if (m_hWnd) {
    RepaintBehind();
    ::UpdateWindow(m_hWnd);
  }
}

void CGUIRichText::RepaintBehind() {
  // The label draws no background: the parent repaints the area first, or the old text stays.
  HWND parent = m_hWnd ? ::GetParent(m_hWnd) : NULL;
  if (!parent) {
    if (m_hWnd) ::InvalidateRect(m_hWnd, NULL, TRUE);
    return;
  }
  RECT area = {};
  ::GetWindowRect(m_hWnd, &area);
  ::MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&area), 2);
  ::RedrawWindow(parent, &area, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CGUIRichText::AdjustSize() {
  if (!m_hWnd || m_style == kOwnColor) return;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  // Measured at the width the text is drawn in, so that every wrapped line fits.
  RECT measure = client;
  if (m_style == kBullet) measure.right -= kBulletIndent;
  if (measure.right < measure.left + 1) measure.right = measure.left + 1;
  int height = 0;
  {
    WindowDC dc(m_hWnd);
    if (!dc) return;
    Selection font(dc.Get(), StyleFont());
    const std::wstring text = WindowText(m_hWnd);
    height = ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &measure,
                         DT_WORDBREAK | DT_NOCLIP | DT_CALCRECT);
  }
  if (m_style == kBullet) height += kBulletTop;
  RECT window = {};
  ::GetWindowRect(m_hWnd, &window);
  const int frame = (window.bottom - window.top) - (client.bottom - client.top);
  ::SetWindowPos(m_hWnd, NULL, 0, 0, window.right - window.left, height + frame,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CGUIRichText::DrawBullet(HDC dc) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(kBulletBitmap), RT_BITMAP);
  OwnedBitmap bullet(static_cast<HBITMAP>(
      ::LoadImageW(module, MAKEINTRESOURCEW(kBulletBitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  BITMAP info = {};
  if (!bullet || !::GetObjectW(bullet.Get(), sizeof info, &info) || info.bmWidth < 2) return;
  const int w = info.bmWidth / 2, h = info.bmHeight;
  OwnedBitmap pictureBits(::CreateCompatibleBitmap(dc, w, h));  // outlives the DCs it is selected into
  MemoryDC source(dc);
  MemoryDC picture(dc);
  if (!source.Get() || !picture.Get() || !pictureBits || !source.Select(bullet.Get()) ||
      !picture.Select(pictureBits.Get()))
    return;
  // The picture with black where the mask (right half, white = background) lets the
  // background show, then the background cleared under the picture, then both combined.
  ::BitBlt(picture.Get(), 0, 0, w, h, source.Get(), w, 0, NOTSRCCOPY);
  ::BitBlt(picture.Get(), 0, 0, w, h, source.Get(), 0, 0, SRCAND);
  ::BitBlt(dc, 0, 0, w, h, source.Get(), w, 0, SRCAND);
  ::BitBlt(dc, 0, 0, w, h, picture.Get(), 0, 0, SRCPAINT);
}

void CGUIRichText::Draw(HDC dc) {
  if (!m_hWnd || !dc) return;
  SavedDC saved(dc);
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  ::SetBkMode(dc, TRANSPARENT);
  if (m_style == kEmphasis || m_style == kEmphasisToo) ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  else if (m_style == kOwnColor) ::SetTextColor(dc, m_color);
  Selection font(dc, StyleFont());
  if (m_style == kBullet) {
    DrawBullet(dc);
    client.left += kBulletIndent;
    client.top += kBulletTop;
  }
  const std::wstring text = WindowText(m_hWnd);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DrawFormat(m_style));
}

LRESULT CGUIRichText::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(m_hWnd, &ps);
      if (dc) Draw(dc);
      ::EndPaint(m_hWnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Draw(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // transparent: the parent's background stays
    default:
      return CStatic::WindowProc(message, wParam, lParam);
  }
}
