#include "SensitiveWnd.h"

#include "UITrace.h"

#include <framework.h>

#include <stdlib.h>
#include <wchar.h>

#include <string>

namespace {

UlmLogger s_log("SensitiveWnd");

const TCHAR kZoneMark = 0x0007, kZoneSeparator = 0x000C;

// The character set's own functions for both editions.
const TCHAR* Find(const TCHAR* p, TCHAR ch) {
  for (; *p != 0; ++p)
    if (*p == ch) return p;
  return NULL;
}
size_t SpanUntilBlankOrLineEnd(const TCHAR* p) {
  size_t n = 0;
  while (p[n] != 0 && p[n] != _T(' ') && p[n] != _T('\n')) ++n;
  return n;
}
long ToLong(const TCHAR* p) {
#ifdef UNICODE
  return wcstol(p, NULL, 10);
#else
  return strtol(p, NULL, 10);
#endif
}

SIZE Extent(HDC dc, const TCHAR* text, int length) {
  SIZE size = {0, 0};
  if (length > 0) ::GetTextExtentPoint32(dc, text, length, &size);
  return size;
}

}  // namespace

IMPLEMENT_DYNAMIC(CSensitiveWnd, CWnd)

BEGIN_MESSAGE_MAP(CSensitiveWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, &CSensitiveWnd::OnSetText)
  ON_MESSAGE(WM_SETFONT, &CSensitiveWnd::OnSetFont)
  ON_MESSAGE(WM_GETFONT, &CSensitiveWnd::OnGetFont)
  ON_MESSAGE(WM_PRINTCLIENT, &CSensitiveWnd::OnPrintClient)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_NCHITTEST()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CSensitiveWnd::CSensitiveWnd() : m_highlightBrush(::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT))) {
  // The library's hand cursor when a module of the chain has one, else the system's.
  HINSTANCE module = AfxFindResourceHandle(_T("HAND_CURSOR"), RT_GROUP_CURSOR);
  if (module != NULL) m_handCursor = ::LoadCursor(module, _T("HAND_CURSOR"));
  if (m_handCursor == NULL) m_handCursor = ::LoadCursor(NULL, IDC_HAND);
}

CSensitiveWnd::~CSensitiveWnd() = default;

BOOL CSensitiveWnd::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* pParent, UINT id) {
  return CWnd::Create(NULL, text, style | WS_CHILD | WS_HSCROLL | WS_VSCROLL, rect, pParent, id);
}

const CSensibleZone* CSensitiveWnd::GetZone(int index) const {
  if (index < 0 || index >= GetZoneCount()) return NULL;
  return &m_zones[static_cast<size_t>(index)];
}

CString CSensitiveWnd::GetLine(int index) const {
  if (index < 0 || index >= GetLineCount()) return CString();
  return CString(m_lines[static_cast<size_t>(index)].text.c_str());
}

void CSensitiveWnd::MakeFonts(HFONT from) {
  LOGFONT lf = {};
  if (from == NULL || ::GetObject(from, sizeof(lf), &lf) != sizeof(lf))
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfUnderline = 0;
  m_normalFont.Reset(::CreateFontIndirect(&lf));
  lf.lfUnderline = 1;
  m_underlinedFont.Reset(::CreateFontIndirect(&lf));
  if (!m_normalFont || !m_underlinedFont) UI_TRACE_FAILED(s_log, "CreateFontIndirect");
}

int CSensitiveWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  HWND parent = ::GetParent(m_hWnd);
  MakeFonts(parent != NULL ? reinterpret_cast<HFONT>(::SendMessage(parent, WM_GETFONT, 0, 0)) : NULL);
  // The background is painted on WM_ERASEBKGND: the window class, which every window of the
  // framework shares, is left as it is.
  ShowScrollBar(SB_BOTH, TRUE);
  if (cs->lpszName != NULL) m_text = cs->lpszName;
  return 0;
}

void CSensitiveWnd::OnDestroy() {
  DefaultReset();
  m_hovered = m_pressed = -1;
  CWnd::OnDestroy();
}

void CSensitiveWnd::DefaultReset() {
  m_zones.clear();
  m_lines.clear();
  m_widest = 0;
}

void CSensitiveWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  ComputeString(cx, cy, m_text);
}

LRESULT CSensitiveWnd::OnSetText(WPARAM, LPARAM text) {
  const LRESULT result = Default();
  m_text = text != 0 ? reinterpret_cast<LPCTSTR>(text) : _T("");
  CRect client;
  GetClientRect(&client);
  ComputeString(client.Width(), client.Height(), m_text);
  Invalidate();
  return result;
}

LRESULT CSensitiveWnd::OnSetFont(WPARAM font, LPARAM redraw) {
  MakeFonts(reinterpret_cast<HFONT>(font));
  CRect client;
  GetClientRect(&client);
  ComputeString(client.Width(), client.Height(), m_text);
  if (redraw) Invalidate();
  return 0;
}

LRESULT CSensitiveWnd::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_normalFont.Get()); }

LRESULT CSensitiveWnd::OnPrintClient(WPARAM dc, LPARAM) {
  DrawArea(reinterpret_cast<HDC>(dc));
  return 0;
}

void CSensitiveWnd::ComputeString(int width, int height, const TCHAR* text) {
  (void)width;
  (void)height;
  // The zones the mouse is on, known by id across the rebuild.
  const int hoveredId = m_hovered >= 0 ? m_zones[static_cast<size_t>(m_hovered)].m_id : 0;
  const int pressedId = m_pressed >= 0 ? m_zones[static_cast<size_t>(m_pressed)].m_id : 0;
  const bool wasHovered = m_hovered >= 0, wasPressed = m_pressed >= 0;
  m_hovered = m_pressed = -1;
  DefaultReset();
  try {
    uih::WindowDC dc(m_hWnd);
    if (!dc) throw std::bad_alloc();
    uih::Selection font(dc.Get(), m_normalFont.Get());
    TEXTMETRIC tm = {};
    ::GetTextMetrics(dc.Get(), &tm);
    m_fontHeight = tm.tmHeight;
    m_externalLeading = tm.tmExternalLeading;
    Layout(dc.Get(), text != NULL ? text : _T(""));
  } catch (...) {
    DefaultReset();
    UI_TRACE_FAILED(s_log, "CSensitiveWnd::ComputeString");
  }
  for (size_t i = 0; i < m_zones.size(); ++i) {
    if (wasHovered && m_hovered < 0 && m_zones[i].m_id == hoveredId) m_hovered = static_cast<int>(i);
    if (wasPressed && m_pressed < 0 && m_zones[i].m_id == pressedId) m_pressed = static_cast<int>(i);
  }
  RepositionScrollBars();
  if (wasHovered && m_hovered < 0) NotifyParent(SensitiveLeft, hoveredId);
}

// One pass over the text; every piece is measured once, and a line's width is the sum of its
// pieces, so the layout stays linear in the length of the text.
void CSensitiveWnd::Layout(HDC dc, const TCHAR* text) {
  const int pitch = m_fontHeight + m_externalLeading;
  Line line;
  int lineWidth = 0;
  auto append = [&](const TCHAR* piece, int length, int zone) -> int {
    if (length <= 0 && zone < 0) return 0;
    const int width = Extent(dc, piece, length).cx;
    line.runs.push_back(Run{static_cast<int>(line.text.size()), length, lineWidth, width, zone});
    line.text.append(piece, static_cast<size_t>(length));
    lineWidth += width;
    if (lineWidth > m_widest) m_widest = lineWidth;
    return width;
  };
  auto endLine = [&]() {
    m_lines.push_back(std::move(line));
    line = Line();
    lineWidth = 0;
  };

  const TCHAR* p = text;
  while (*p != 0) {
    // 1. Leading blanks stay on the line.
    const TCHAR* blanks = p;
    while (*p == _T(' ')) ++p;
    append(blanks, static_cast<int>(p - blanks), -1);
    if (*p == 0) break;

    if (*p == kZoneMark) {
      // 2. A zone: label, separator, digits, separator. Mark-up that ends before its second
      // separator makes no zone: its label shows as plain text and the rest is dropped.
      const TCHAR* label = p + 1;
      const TCHAR* labelEnd = Find(label, kZoneSeparator);
      const TCHAR* idEnd = labelEnd != NULL ? Find(labelEnd + 1, kZoneSeparator) : NULL;
      if (idEnd == NULL) {
        const int length = labelEnd != NULL ? static_cast<int>(labelEnd - label) : static_cast<int>(std::char_traits<TCHAR>::length(label));
        append(label, length, -1);
        break;
      }
      const int id = static_cast<int>(ToLong(labelEnd + 1));
      const int length = static_cast<int>(labelEnd - label);
      const int top = static_cast<int>(m_lines.size()) * pitch;
      const int left = lineWidth;
      const SIZE size = Extent(dc, label, length);
      const RECT rect = {left, top, left + size.cx + 1, top + (length > 0 ? size.cy : m_fontHeight)};
      if (rect.right > m_widest) m_widest = rect.right;
      append(label, length, static_cast<int>(m_zones.size()));
      m_zones.emplace_back(id, static_cast<int>(m_lines.size()), rect, CString(label, length));
      p = idEnd + 1;
      continue;
    }

    // 3. A word with the blank after it, or up to the line's end.
    const size_t span = SpanUntilBlankOrLineEnd(p);
    const TCHAR* end = p + span;
    if (*end == _T(' ')) {
      append(p, static_cast<int>(span + 1), -1);
      p = end + 1;
    } else {
      append(p, static_cast<int>(span), -1);
      endLine();
      p = *end == 0 ? end : end + 1;
    }
  }
  if (!line.text.empty() || !line.runs.empty()) endLine();
}

void CSensitiveWnd::RepositionScrollBars() {
  if (m_hWnd == NULL) return;
  CRect client;
  GetClientRect(&client);
  const int total = GetLinePitch() * GetLineCount();
  SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, total,
                   static_cast<UINT>(client.Height()), 0, 0};
  ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
  ::EnableScrollBar(m_hWnd, SB_VERT, total > client.Height() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
  si.nMax = m_widest + 15;
  si.nPage = static_cast<UINT>(client.Width());
  ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
  ::EnableScrollBar(m_hWnd, SB_HORZ, m_widest > client.Width() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
  ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

CRect CSensitiveWnd::GetScrolledRect(int index) const {
  const CSensibleZone* zone = GetZone(index);
  if (zone == NULL) return CRect(0, 0, 0, 0);
  CRect r(zone->m_rect);
  r.OffsetRect(-::GetScrollPos(m_hWnd, SB_HORZ), -::GetScrollPos(m_hWnd, SB_VERT));
  return r;
}

int CSensitiveWnd::IsInZone(int x, int y) const {
  const POINT pt = {x + ::GetScrollPos(m_hWnd, SB_HORZ), y + ::GetScrollPos(m_hWnd, SB_VERT)};
  for (size_t i = 0; i < m_zones.size(); ++i)
    if (::PtInRect(&m_zones[i].m_rect, pt)) return static_cast<int>(i);
  return -1;
}

BOOL CSensitiveWnd::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  ::FillRect(pDC->GetSafeHdc(), &client, ::GetSysColorBrush(COLOR_WINDOW));
  return TRUE;
}

void CSensitiveWnd::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (dc != NULL) DrawArea(dc);
  ::EndPaint(m_hWnd, &ps);
}

// Only the lines in view are drawn; each run is drawn at the place the layout gave it.
void CSensitiveWnd::DrawArea(HDC dc) {
  CRect client;
  GetClientRect(&client);
  uih::SavedDC saved(dc);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  uih::Selection font(dc, m_normalFont.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  const int pitch = GetLinePitch();
  if (pitch <= 0) return;
  const int dx = ::GetScrollPos(m_hWnd, SB_HORZ), dy = ::GetScrollPos(m_hWnd, SB_VERT);
  const int first = dy / pitch;
  const int last = (dy + client.Height()) / pitch;
  for (int i = first; i <= last && i < GetLineCount(); ++i) {
    const Line& line = m_lines[static_cast<size_t>(i)];
    const int y = i * pitch - dy;
    for (const Run& run : line.runs) {
      const TCHAR* s = line.text.c_str() + run.start;
      if (run.zone < 0) {
        ::TextOut(dc, run.x - dx, y, s, run.length);
        continue;
      }
      // The label's own box at its place on the line; the zone's rectangle (what the mouse
      // finds) is laid out to the same place.
      const CRect r(run.x - dx, y, run.x - dx + run.width + 1, y + m_fontHeight);
      const bool hovered = run.zone == m_hovered && CRect().IntersectRect(&r, &client);
      const int oldMode = ::SetBkMode(dc, OPAQUE);
      const COLORREF oldText = ::GetTextColor(dc), oldBack = ::GetBkColor(dc);
      if (hovered) {
        ::FillRect(dc, &r, m_highlightBrush.Get());
        ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
        ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        ::TextOut(dc, r.left, r.top, s, run.length);
      } else {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOW));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
        uih::Selection underlined(dc, m_underlinedFont.Get());
        ::TextOut(dc, r.left, r.top, s, run.length);
      }
      ::SetTextColor(dc, oldText);
      ::SetBkColor(dc, oldBack);
      ::SetBkMode(dc, oldMode);
    }
  }
}

LRESULT CSensitiveWnd::OnNcHitTest(CPoint point) {
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL), barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  if (point.y >= client.bottom && point.y < client.bottom + barHeight && point.x < client.right) return HTHSCROLL;
  if (point.x >= client.right && point.x < client.right + barWidth && point.y < client.bottom) return HTVSCROLL;
  return HTCLIENT;
}

BOOL CSensitiveWnd::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) {
  POINT pt;
  if (hitTest == HTCLIENT && ::GetCursorPos(&pt) && ::ScreenToClient(m_hWnd, &pt) && IsInZone(pt.x, pt.y) >= 0) {
    ::SetCursor(m_handCursor);
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, hitTest, message);
}

void CSensitiveWnd::InvalidateZone(int index) {
  const CRect r = GetScrolledRect(index);
  if (!r.IsRectEmpty()) InvalidateRect(&r, FALSE);
}

void CSensitiveWnd::OnMouseMove(UINT flags, CPoint point) {
  CWnd::OnMouseMove(flags, point);
  const int zone = IsInZone(point.x, point.y);
  if (zone == m_hovered) return;
  if (m_hovered >= 0) {
    const int left = m_hovered;
    m_hovered = -1;
    InvalidateZone(left);
    if (!NotifyParent(SensitiveLeft, m_zones[static_cast<size_t>(left)].m_id)) return;
  }
  if (zone >= 0 && zone < GetZoneCount()) {
    m_hovered = zone;
    InvalidateZone(zone);
    NotifyParent(SensitiveEntered, m_zones[static_cast<size_t>(zone)].m_id);
  }
}

void CSensitiveWnd::OnLButtonDown(UINT flags, CPoint point) {
  CWnd::OnLButtonDown(flags, point);
  m_pressed = IsInZone(point.x, point.y);
}

void CSensitiveWnd::OnLButtonUp(UINT flags, CPoint point) {
  CWnd::OnLButtonUp(flags, point);
  const int pressed = m_pressed;
  m_pressed = -1;
  if (pressed >= 0 && IsInZone(point.x, point.y) == pressed)
    NotifyParent(SensitiveClicked, m_zones[static_cast<size_t>(pressed)].m_id);
}

BOOL CSensitiveWnd::NotifyParent(int code, int id) {
  const HWND self = m_hWnd;
  HWND parent = ::GetParent(self);
  if (parent != NULL)
    ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                  reinterpret_cast<LPARAM>(self));
  // The parent may have destroyed this window, or its object, while it handled the message.
  return ::IsWindow(self) && CWnd::FromHandlePermanent(self) == this;
}

void CSensitiveWnd::Scroll(int bar, UINT code) {
  SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(m_hWnd, bar, &si)) return;
  const int page = static_cast<int>(si.nPage);
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    // The 32-bit position: the one the message carries is cut to 16 bits.
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  const int highest = si.nMax - (page > 0 ? page - 1 : 0);
  if (pos > highest) pos = highest;
  if (pos < si.nMin) pos = si.nMin;
  if (pos == si.nPos) return;
  si.fMask = SIF_POS;
  si.nPos = pos;
  ::SetScrollInfo(m_hWnd, bar, &si, TRUE);
  Invalidate();
  UpdateWindow();
}

void CSensitiveWnd::OnHScroll(UINT code, UINT, CScrollBar*) { Scroll(SB_HORZ, code); }
void CSensitiveWnd::OnVScroll(UINT code, UINT, CScrollBar*) { Scroll(SB_VERT, code); }
