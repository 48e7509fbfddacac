// The portable view's window: creation and binding, the DC it draws on, the coordinate model
// (units, zoom, origin, scrolling) and the scroll bars.
#include "GUIView.h"
#include "GUIViewBinding.h"

#include "DrawingResources.h"
#include <fw_printres.h>
#include "QvView.h"
#include "SplitterScroll.h"
#include "UIUtilities.h"

#include <math.h>

IMPLEMENT_DYNAMIC(CGUIView, CView)
IMPLEMENT_DYNAMIC(CControlView, CGUIView)

BEGIN_MESSAGE_MAP(CGUIView, CView)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_DESTROY()
ON_MESSAGE(WM_QV_SETIMAGESIZE, OnSetImageSize)
ON_MESSAGE(WM_CHAR, OnCharMessage)
ON_WM_KEYDOWN()
ON_MESSAGE(WM_LBUTTONDOWN, OnMouseButton)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseButton)
ON_MESSAGE(WM_LBUTTONUP, OnMouseButton)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnMouseButton)
ON_MESSAGE(WM_RBUTTONDOWN, OnMouseButton)
ON_WM_MBUTTONDOWN()
ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheelMessage)
ON_WM_SETCURSOR()
ON_WM_SYSCOMMAND()
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CControlView, CGUIView)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

namespace {
const int kMaxBarPosition = 32767;
const float kDefaultTwipsPerPixel = 15.0f;
bool s_printOldFont = false;
}  // namespace

CGUIView::CGUIView()
    : CDrawingCore(GUIVIEW_UNCLAMPED_PAINT, 0),
      m_view(nullptr),
      m_imageWidth(0),
      m_imageHeight(0),
      m_hIncrement(100),
      m_vIncrement(100),
      m_hDivisor(1),
      m_vDivisor(1),
      m_platformVersion(GUIGetWindowsVersion()),
      m_firstPage(0),
      m_lastPage(0),
      m_ownDC(false) {}

CGUIView::~CGUIView() {
  UnprepareCurrentDC();
  QvView* view = m_view;
  m_view = nullptr;
  if (view) {
    view->m_platformView = nullptr;
    view->SetMFCCWnd(nullptr);
    delete view;
  }
}

QvView* CGUIView::DetachView() {
  QvView* view = m_view;
  m_view = nullptr;
  if (view) {
    GUISetQvGUIContainer(this, nullptr);
    view->m_platformView = nullptr;
    view->SetMFCCWnd(nullptr);
  }
  return view;
}

BOOL CGUIView::Create(LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd*, UINT, CCreateContext*) { return FALSE; }

BOOL CGUIView::Create(QvView* view, DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context) {
  auto link = [this, view](bool on) {
    m_view = on ? view : nullptr;
    if (view) view->m_platformView = on ? this : nullptr;
  };
  if (!CreateBoundViewWindow(this, view, link, CS_OWNDC | CS_DBLCLKS, style, rect, parent, id, context)) return FALSE;
  if (view && view->GetUnitType() == QvTwipsUnit)
    m_flags |= GUIVIEW_TWIPS;
  else
    m_flags &= ~static_cast<unsigned long>(GUIVIEW_TWIPS);
  uih::WindowDC dc(m_hWnd);
  if (dc && PrepareNewDCForDrawing(dc.Get())) {
    dc.Release();
    m_ownDC = true;
  }
  return TRUE;
}

void CGUIView::OnInitialUpdate() {
  if (m_view) m_view->OnInit();
  CView::OnInitialUpdate();
}

void CGUIView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
  CView::OnActivateView(activate, activated, deactivated);
  if (activate) QvCommandHandler::SetActiveTarget(m_view);
}

void CGUIView::SetPrintOldFont(bool value) { s_printOldFont = value; }
bool CGUIView::GetPrintOldFont() { return s_printOldFont; }

// ---------------------------------------------------------------------------------------------
// DC

BOOL CGUIView::PrepareNewDCForDrawing(HDC dc) {
  if (dc == NULL) return FALSE;
  if (m_hDC != NULL) UnprepareCurrentDC();
  quarnel::HoldDrawingResources(quarnel::kPortableViews);
  BeginDevice(dc);
  HDC info = MeasureDC();
  const int resX = GetDeviceCaps(info, LOGPIXELSX), resY = GetDeviceCaps(info, LOGPIXELSY);
  if (resX > 0 && resY > 0) {
    if (m_view) m_view->SetResolution(resX, resY);
    m_twipsPerPixelX = 1440.0f / static_cast<float>(resX);
    m_twipsPerPixelY = 1440.0f / static_cast<float>(resY);
  }
  PrepareConversionFactors();
  FinishDevice();
  DropFonts();
  return TRUE;
}

void CGUIView::UnprepareCurrentDC() {
  // The DC gets its own objects back before the view's are deleted.
  HDC dc = m_hDC;
  EndDevice();
  DropFonts();
  if (dc != NULL && m_ownDC && m_hWnd != NULL) ::ReleaseDC(m_hWnd, dc);
  m_ownDC = false;
}

void CGUIView::PrepareOwnDC() {
  if (m_hWnd == NULL) return;
  uih::WindowDC own(m_hWnd);
  if (own && PrepareNewDCForDrawing(own.Get())) {
    own.Release();
    m_ownDC = true;
  }
}

CGUIView::SurfaceState CGUIView::SaveSurfaceState() const {
  SurfaceState s;
  s.core = SaveCoreState();
  s.scrollPos = m_scrollPos;
  s.resolutionX = m_view ? m_view->GetResolutionX() : 0;
  s.resolutionY = m_view ? m_view->GetResolutionY() : 0;
  s.ownDC = m_hDC != NULL && m_ownDC;
  s.penFore = QvGetPenForeColor();
  s.penBack = QvGetPenBackColor();
  s.fillFore = QvGetFillForeColor();
  s.fillBack = QvGetFillBackColor();
  s.lineWidth = static_cast<unsigned short>(m_lineWidth);
  s.dash = static_cast<QvDashLine>(m_dash);
  s.mode = QvGetDrawMode();
  s.pattern = QvGetFillPattern();
  return s;
}

void CGUIView::RestoreSurfaceState(const SurfaceState& s) {
  RestoreCoreState(s.core);
  m_scrollPos = s.scrollPos;
  if (m_view) m_view->SetResolution(s.resolutionX, s.resolutionY);
  DropFonts();
  if (s.ownDC) PrepareOwnDC();
  // Preparing a DC resets the drawing attributes.
  QvSetPenForeColor(s.penFore);
  QvSetPenBackColor(s.penBack);
  QvSetFillForeColor(s.fillFore);
  QvSetFillBackColor(s.fillBack);
  QvSetLineWidth(s.lineWidth);
  QvSetDashLine(s.dash);
  QvSetDrawMode(s.mode);
  QvSetFillPattern(s.pattern);
}

// ---------------------------------------------------------------------------------------------
// Model

void CGUIView::PrepareConversionFactors() { ComputeConversionFactors(0, 0); }

void CGUIView::SetUnitType(QvImageUnitType type) { SwitchUnit(type == QvTwipsUnit, 0, 0); }

void CGUIView::SetZoomFactor(long num, long den) {
  if (num <= 0 || den <= 0) return;  // no ratio to zoom by
  if (num == den) {
    m_flags &= ~static_cast<unsigned long>(GUIVIEW_ZOOMED);
  } else {
    m_zoomRatio = static_cast<float>(num) / static_cast<float>(den);
    m_zoomNum = num;
    m_zoomDen = den;
    m_flags |= GUIVIEW_ZOOMED;
  }
  PrepareConversionFactors();
  ComputePenWidthInPixels();
  DropFonts();
  UpdateScrollers(TRUE);
  if (m_hWnd != NULL) ::InvalidateRect(m_hWnd, NULL, TRUE);
}

void CGUIView::SetImageSize(QvSize size, int stopAtFarEdge) {
  if (size.cx == m_imageWidth && size.cy == m_imageHeight && !stopAtFarEdge) return;
  const long oldW = m_imageWidth, oldH = m_imageHeight;
  m_imageWidth = size.cx;
  m_imageHeight = size.cy;
  UpdateScrollers(FALSE);
  if (oldW == size.cx && oldH == size.cy) return;
  const long maxW = oldW > size.cx ? oldW : size.cx, maxH = oldH > size.cy ? oldH : size.cy;
  QvInvalRect(QvRect(oldW < size.cx ? oldW : size.cx, 0, maxW, maxH), true);
  QvInvalRect(QvRect(0, oldH < size.cy ? oldH : size.cy, maxW, maxH), true);
}

void CGUIView::GetViewRect(QvRect& rect) {
  RECT client = {0, 0, 0, 0};
  if (m_hWnd != NULL) ::GetClientRect(m_hWnd, &client);
  ClientToImageRect(client, rect);
}

// ---------------------------------------------------------------------------------------------
// Conversions

void CGUIView::ClientToImageRect(const RECT& client, QvRect& image) const {
  RECT r;
  ClientToImageRectCore(client, r);
  image.Set(r.left, r.top, r.right, r.bottom);
}

BOOL CGUIView::ImageToClientRect(const QvRect& image, RECT& client) const {
  const RECT r = {image.left, image.top, image.right, image.bottom};
  return ImageToClientRectCulled(r, client);
}

HRGN CGUIView::ImageRectToClientRgn(const QvRect& image) const {
  const RECT r = {image.left, image.top, image.right, image.bottom};
  return ImageRectToClientRgnCore(r);
}

void CGUIView::QvClientToImagePoint(QvPoint& p) const {
  p.x = ClientToImageX(p.x);
  p.y = ClientToImageY(p.y);
}
void CGUIView::QvImageToClientPoint(QvPoint& p) const {
  p.x = ImageToClientX(p.x);
  p.y = ImageToClientY(p.y);
}
void CGUIView::QvImageToScreenPoint(QvPoint& p) const {
  QvImageToClientPoint(p);
  POINT s = {p.x, p.y};
  if (m_hWnd != NULL) ::ClientToScreen(m_hWnd, &s);
  p = QvPoint(s.x, s.y);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

// An image distance along one axis in client pixels: through the twips per pixel for a twips
// image, then the zoom.
int CGUIView::ClientScroll(long v, bool horizontal) const {
  double p = static_cast<double>(v);
  if (m_flags & GUIVIEW_TWIPS) p = RoundToNearestInt(p / (horizontal ? m_twipsPerPixelX : m_twipsPerPixelY));
  if (m_flags & GUIVIEW_ZOOMED) p = RoundToNearestInt(p * m_zoomRatio);
  return static_cast<int>(p);
}

namespace {
// A position in scroll-bar units before the divisor: pixels of the unzoomed image.
long BarUnits(long v, bool twips, float twipsPerPixel) {
  return twips ? RoundToNearestInt(static_cast<double>(v) / twipsPerPixel) : v;
}
}  // namespace

void CGUIView::UpdateScrollers(BOOL force) {
  QvRect view;
  GetViewRect(view);
  const unsigned long style = m_view ? m_view->GetViewStyle() : 0;
  const bool stop = (style & QVVIEW_STOP_AT_FAR_EDGE) != 0;
  const long mx = m_imageWidth - (stop ? view.right - view.left : 0);
  const long my = m_imageHeight - (stop ? view.bottom - view.top : 0);
  m_scrollMax = QvPoint(mx < 1 ? 0 : mx, my < 1 ? 0 : my);
  const bool twips = (m_flags & GUIVIEW_TWIPS) != 0;
  bool divisorChanged[2] = {false, false};
  const DWORD windowStyle = m_hWnd != NULL ? static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)) : 0;
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    const int bar = h ? SB_HORZ : SB_VERT;
    if (style & QVVIEW_NO_SCROLLBARS) {
      if (m_hWnd != NULL && (windowStyle & (h ? WS_HSCROLL : WS_VSCROLL))) {
        ::SetScrollRange(m_hWnd, bar, 0, 0, TRUE);
        ::ShowScrollBar(m_hWnd, bar, FALSE);
      }
      continue;
    }
    const long units = BarUnits(h ? m_scrollMax.x : m_scrollMax.y, twips, h ? m_twipsPerPixelX : m_twipsPerPixelY);
    short& divisor = h ? m_hDivisor : m_vDivisor;
    const short d = static_cast<short>(ScrollBarDivisor(units, 0x7FFF));
    divisorChanged[axis] = d != divisor;
    divisor = d;
    if (m_hWnd != NULL) ::SetScrollRange(m_hWnd, bar, 0, units / d, TRUE);
  }
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    long& pos = h ? m_scrollPos.x : m_scrollPos.y;
    const long max = h ? m_scrollMax.x : m_scrollMax.y;
    bool forced = force != FALSE;
    if (pos > max) {
      pos = max;
      forced = true;
    }
    if (!forced && !divisorChanged[axis]) continue;
    long& offset = h ? m_scroll.x : m_scroll.y;
    offset = ClientScroll(pos, h);
    if (m_hWnd != NULL && (h || forced)) ::InvalidateRect(m_hWnd, NULL, TRUE);
    if (divisorChanged[axis] && m_hWnd != NULL)
      ::SetScrollPos(m_hWnd, h ? SB_HORZ : SB_VERT, offset / (h ? m_hDivisor : m_vDivisor), TRUE);
  }
}

int CGUIView::ScrollBy(const QvSize& delta, int doScroll) {
  const unsigned long style = m_view ? m_view->GetViewStyle() : 0;
  const bool twips = (m_flags & GUIVIEW_TWIPS) != 0;
  long step[2] = {0, 0};
  bool moved = false;
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    const long d = h ? delta.cx : delta.cy;
    if (d == 0) continue;
    long& pos = h ? m_scrollPos.x : m_scrollPos.y;
    const long max = h ? m_scrollMax.x : m_scrollMax.y;
    const long long wanted = static_cast<long long>(pos) + d;
    const long next = wanted < 0 ? 0 : wanted > max ? max : static_cast<long>(wanted);
    const long by = next - pos;
    if (by == 0) continue;
    moved = true;
    if (!doScroll) continue;
    pos = next;
    long pixels = ClientScroll(by, h);
    const float tpp = h ? m_twipsPerPixelX : m_twipsPerPixelY;
    const short divisor = h ? m_hDivisor : m_vDivisor;
    const long thumb = BarUnits(next, twips, tpp);
    if (!(style & QVVIEW_NO_SCROLLBARS) && m_hWnd != NULL) ::SetScrollPos(m_hWnd, h ? SB_HORZ : SB_VERT, thumb / divisor, TRUE);
    // The client offset lands exactly on the start or the end of the range.
    const long offset = h ? m_scroll.x : m_scroll.y;
    if (next == 0 || offset + pixels < 0) {
      pixels = -offset;
    } else {
      const long pixelMax = ClientScroll(max, h);
      const long barMax = BarUnits(max, twips, tpp) / divisor;
      if (thumb == barMax * divisor || pixelMax < offset + pixels) pixels = pixelMax - offset;
    }
    step[axis] = pixels;
  }
  if (!doScroll) return moved ? 1 : 0;
  m_scroll.x += step[0];
  m_scroll.y += step[1];
  if ((step[0] != 0 || step[1] != 0) && m_hWnd != NULL) ::ScrollWindow(m_hWnd, -step[0], -step[1], NULL, NULL);
  RealignPatternBrush();
  return moved ? 1 : 0;
}

BOOL CGUIView::OnScroll(UINT code, UINT pos, BOOL doScroll) {
  QvRect view;
  GetViewRect(view);
  long step[2] = {0, 0};
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    const UINT c = h ? (code & 0xFF) : ((code >> 8) & 0xFF);
    const long p = h ? m_scrollPos.x : m_scrollPos.y;
    switch (c) {
      case SB_LINEUP: step[axis] = -(h ? m_hIncrement : m_vIncrement); break;
      case SB_LINEDOWN: step[axis] = h ? m_hIncrement : m_vIncrement; break;
      case SB_PAGEUP: step[axis] = -(h ? view.right - view.left : view.bottom - view.top); break;
      case SB_PAGEDOWN: step[axis] = h ? view.right - view.left : view.bottom - view.top; break;
      case SB_THUMBPOSITION: {
        double target = static_cast<double>(pos) * (h ? m_hDivisor : m_vDivisor);
        if (m_flags & GUIVIEW_TWIPS) target = RoundToNearestInt(target * (h ? m_twipsPerPixelX : m_twipsPerPixelY));
        step[axis] = static_cast<long>(target) - p;
        break;
      }
      case SB_TOP: step[axis] = -p; break;
      case SB_BOTTOM: step[axis] = (h ? m_scrollMax.x : m_scrollMax.y) - p; break;
      default: break;  // the thumb is followed on release only
    }
  }
  if (step[0] == 0 && step[1] == 0) return FALSE;
  return ScrollBy(QvSize(step[0], step[1]), doScroll);
}

BOOL CGUIView::OnScrollBy(CSize units, BOOL doScroll) {
  return ScrollBy(QvSize(RoundToNearestInt(static_cast<double>(units.cx) * m_hDivisor * m_factorX),
                         RoundToNearestInt(static_cast<double>(units.cy) * m_vDivisor * m_factorY)),
                  doScroll);
}

BOOL CGUIView::KeyboardScroll(UINT key) {
  if (key >= 47) return FALSE;
  const long h = static_cast<long>(GetHScroll()), v = static_cast<long>(GetVScroll());
  long dx = 0, dy = 0;
  if (::GetKeyState(VK_CONTROL) >= 0) {
    QvRect view;
    GetViewRect(view);
    long page = (view.bottom - view.top) - m_vIncrement;
    if (m_vIncrement != 0) page = page / m_vIncrement * m_vIncrement;
    switch (key) {
      case VK_PRIOR: dy = v < kMaxBarPosition && v < page ? -v : -page; break;
      case VK_NEXT: dy = page; break;
      case VK_END: dx = m_imageWidth - h; break;
      case VK_HOME: dx = -h; break;
      default: return FALSE;
    }
  } else {
    switch (key) {
      case VK_PRIOR: dy = -v; break;
      case VK_NEXT: dy = m_imageHeight - v; break;
      case VK_END:
        dx = m_imageWidth - h;
        dy = m_imageHeight - v;
        break;
      case VK_HOME:
        dx = -h;
        dy = -v;
        break;
      case VK_LEFT: dx = -m_hIncrement; break;
      case VK_UP: dy = -m_vIncrement; break;
      case VK_RIGHT: dx = m_hIncrement; break;
      case VK_DOWN: dy = m_vIncrement; break;
      default: return FALSE;
    }
  }
  if (!ScrollPanesOfParentSplitter(this, dx, dy, static_cast<double>(m_hDivisor) * m_factorX,
                                   static_cast<double>(m_vDivisor) * m_factorY))
    ScrollBy(QvSize(dx, dy), TRUE);
  return TRUE;
}

void CGUIView::SetHScroll(unsigned long pos) {
  ScrollBy(QvSize(static_cast<long>(pos) + m_origin.x - m_scrollPos.x, 0), TRUE);
}
void CGUIView::SetVScroll(unsigned long pos) {
  ScrollBy(QvSize(0, static_cast<long>(pos) + m_origin.y - m_scrollPos.y), TRUE);
}

// ---------------------------------------------------------------------------------------------
// Window messages

void CGUIView::OnPaint() {
  uih::OwnedRgn update(CreateRectRgn(0, 0, 0, 0));
  const int type = update ? ::GetUpdateRgn(m_hWnd, update.Get(), FALSE) : ERROR;
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  bool preparedHere = false;
  if (dc != NULL && type != NULLREGION && type != ERROR) {
    m_flags |= GUIVIEW_PAINTING;
    ::GetClientRect(m_hWnd, &m_cullRect);
    if (dc == m_hDC) {
      // The window's own DC may have been drawn on by others since it was prepared.
      ForgetSelection();
      SelectClipRgn(dc, update.Get());
    } else {
      preparedHere = PrepareNewDCForDrawing(dc) != FALSE;
    }
    m_hBaseRgn = update.Get();
    QvRect image;
    ClientToImageRect(ps.rcPaint, image);
    if (!(m_flags & GUIVIEW_UNCLAMPED_PAINT)) {
      if (image.right > m_imageWidth) image.right = m_imageWidth;
      if (image.bottom > m_imageHeight) image.bottom = m_imageHeight;
    }
    if (m_view && image.right > image.left && image.bottom > image.top) m_view->Draw(image);
    SelectClipRgn(dc, NULL);
    m_hBaseRgn = NULL;
    m_flags &= ~static_cast<unsigned long>(GUIVIEW_PAINTING);
  }
  ::EndPaint(m_hWnd, &ps);
  if (preparedHere) {
    // The paint DC is gone: the window's own DC comes back.
    UnprepareCurrentDC();
    uih::WindowDC own(m_hWnd);
    if (own && PrepareNewDCForDrawing(own.Get())) {
      own.Release();
      m_ownDC = true;
    }
  }
}

BOOL CGUIView::OnEraseBkgnd(CDC* dc) {
  if (m_background >= 0x01000000 || !m_hBackBrush || dc == NULL) return static_cast<BOOL>(Default());
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::FillRect(dc->m_hDC, &client, m_hBackBrush.Get());
  return TRUE;
}

void CGUIView::OnSize(UINT, int, int) {
  Default();
  if (m_view && (m_view->GetViewStyle() & QVVIEW_STOP_AT_FAR_EDGE)) UpdateScrollers(FALSE);
}

void CGUIView::OnHScroll(UINT code, UINT pos, CScrollBar*) { OnScroll((code & 0xFF) | 0xFF00, pos, TRUE); }
void CGUIView::OnVScroll(UINT code, UINT pos, CScrollBar*) { OnScroll(0xFF | ((code & 0xFF) << 8), pos, TRUE); }

void CGUIView::OnDestroy() {
  if (m_view) m_view->OnTerminate();
  CView::OnDestroy();
}

LRESULT CGUIView::OnSetImageSize(WPARAM wParam, LPARAM lParam) {
  if (m_view && lParam != 0) m_view->SetImageSize(*reinterpret_cast<const QvSize*>(lParam), wParam != 0);
  return 0;
}

CControlView::CControlView() = default;
CControlView::~CControlView() = default;

int CControlView::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
