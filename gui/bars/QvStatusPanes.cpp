// Status panes, their platform records, and the drawing of owner-drawn parts.
#include <solvane.h>

#include "QvStatusBar.h"
#include "StatusImages.h"
#include "UIHandles.h"

QV_IMPLEMENT_CLASS(QvPane, QV_RUNTIME_CLASS(QvRootPane))
QV_IMPLEMENT_CLASS(QvTextPane, QV_RUNTIME_CLASS(QvPane))
QV_IMPLEMENT_CLASS(QvPicturePane, QV_RUNTIME_CLASS(QvPane))
QV_IMPLEMENT_CLASS(QvProgressPane, QV_RUNTIME_CLASS(QvPane))
QV_IMPLEMENT_CLASS(QvTimeProgressPane, QV_RUNTIME_CLASS(QvProgressPane))

IMPLEMENT_DYNAMIC(CGUIPane, CObject)
IMPLEMENT_DYNAMIC(CGUITextPane, CGUIPane)
IMPLEMENT_DYNAMIC(CGUIImagePane, CGUIPane)
IMPLEMENT_DYNAMIC(CGUIProgressPane, CGUIPane)
IMPLEMENT_DYNAMIC(CGUITimeProgressPane, CGUIProgressPane)
IMPLEMENT_DYNAMIC(CTimeProgressCtrl, CProgressCtrl)

namespace {
// The pulse of the time progress controls: one for the process.
int s_pulseLevel = 0;
bool s_pulseUp = true;
int s_pulseColor = 0;

void AdvancePulse() {
  if (s_pulseUp) {
    if (s_pulseLevel >= 255) {
      s_pulseColor = 255;
      s_pulseLevel = 254;
      s_pulseUp = false;
    } else {
      s_pulseColor = s_pulseLevel++;
    }
  } else {
    if (s_pulseLevel <= 0) {
      s_pulseColor = 0;
      s_pulseLevel = 1;
      s_pulseUp = true;
    } else {
      s_pulseColor = s_pulseLevel--;
    }
  }
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Panes.

QvPane::QvPane(bool elastic) : QvRootPane(elastic) {}
QvPane::~QvPane() { delete m_platform; }

bool QvPane::IsShown() const {
  QvStatusModel* model = m_border ? m_border->GetModel() : nullptr;
  QvStatusBar* bar = model ? model->GetParentStatusBar() : nullptr;
  return bar && bar->IsModelOnTop(model);
}

CRect QvPane::GetPaneRect() const {
  QvStatusModel* model = m_border ? m_border->GetModel() : nullptr;
  CWnd* window = model ? model->GetParentStatusBar()->GetMFCCWnd() : nullptr;
  if (!IsShown() || !window || !window->GetSafeHwnd()) return CRect(0, 0, 0, 0);
  CRect client;
  window->GetClientRect(&client);
  QvPane* self = const_cast<QvPane*>(this);
  const int x = m_border->GetPosition() + self->GetPosition();
  return CRect(x, client.top, x + self->GetRealWidth(), client.bottom);
}

void QvPane::Refresh(bool now) {
  if (!IsShown()) return;
  CWnd* window = m_border->GetModel()->GetParentStatusBar()->GetMFCCWnd();
  if (!window || !window->GetSafeHwnd()) return;
  const CRect rect = GetPaneRect();
  ::InvalidateRect(window->GetSafeHwnd(), &rect, FALSE);
  if (now) ::UpdateWindow(window->GetSafeHwnd());
}

QvTextPane::QvTextPane(bool elastic, unsigned char) : QvPane(elastic) { m_platform = new CGUITextPane; }

const QvString& QvTextPane::GetText() const { return static_cast<CGUITextPane*>(m_platform)->m_text; }

void QvTextPane::SetText(const QvString& text) {
  static_cast<CGUITextPane*>(m_platform)->m_text = text;
  if (!IsShown()) return;
  if (m_border->IsPlainText()) {
    QvStatusModel* model = m_border->GetModel();
    CWnd* window = model->GetParentStatusBar()->GetMFCCWnd();
    const long part = model->IndexOfBorder(m_border);
    if (!window || part < 0) return;
    const std::wstring wide = text.ToWide();
    ::SendMessageW(window->GetSafeHwnd(), SB_SETTEXTW, static_cast<WPARAM>(part) | m_border->GetPartStyle(),
                   reinterpret_cast<LPARAM>(wide.c_str()));
    return;
  }
  // Painted with the bar's next paint: a burst of texts costs one paint.
  Refresh(false);
}

QvPicturePane::QvPicturePane(QvImageList* list) : QvPane(false) { m_platform = new CGUIImagePane(list); }

void QvPicturePane::SetImage(short index) {
  static_cast<CGUIImagePane*>(m_platform)->m_index = index;
  Refresh(true);
}

short QvPicturePane::GetImage() const { return static_cast<CGUIImagePane*>(m_platform)->m_index; }
QvImageList* QvPicturePane::GetImageList() const { return static_cast<CGUIImagePane*>(m_platform)->m_list; }

QvProgressPane::QvProgressPane() : QvPane(false) {}
QvProgressPane::QvProgressPane(unsigned char) : QvPane(false) { m_platform = new CGUIProgressPane; }

CProgressCtrl* QvProgressPane::GetControl() const {
  auto* platform = static_cast<CGUIProgressPane*>(m_platform);
  return platform ? platform->m_control : nullptr;
}

bool QvProgressPane::CreateControl(CWnd* parent) {
  CProgressCtrl* control = GetControl();
  return control && parent && control->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent, 0);
}

void QvProgressPane::SetRange(long min, long max) {
  CProgressCtrl* control = GetControl();
  if (control && control->GetSafeHwnd()) control->SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(min), max);
  Refresh(true);
}

void QvProgressPane::SetValue(long value) {
  CProgressCtrl* control = GetControl();
  if (control && control->GetSafeHwnd()) control->SendMessage(PBM_SETPOS, static_cast<WPARAM>(value));
  Refresh(true);
}

QvTimeProgressPane::QvTimeProgressPane(unsigned char) {
  m_platform = new CGUITimeProgressPane;
}

void QvTimeProgressPane::SetValue(long) {
  CProgressCtrl* control = GetControl();
  if (control && control->GetSafeHwnd())
    control->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------------------
// Platform records.

CGUIProgressPane::CGUIProgressPane() : m_control(new CProgressCtrl) {}
CGUIProgressPane::~CGUIProgressPane() { delete m_control; }
CGUITimeProgressPane::CGUITimeProgressPane() : CGUIProgressPane(new CTimeProgressCtrl) {}

BEGIN_MESSAGE_MAP(CTimeProgressCtrl, CProgressCtrl)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CTimeProgressCtrl::GetPulseColor() { return s_pulseColor; }

void CTimeProgressCtrl::OnPaint() {
  if (!::GetUpdateRect(m_hWnd, NULL, FALSE)) return;
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  AdvancePulse();
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  uih::OwnedBrush brush(::CreateSolidBrush(RGB(s_pulseColor, 0, 0)));
  if (dc && brush) ::FillRect(dc, &client, brush.Get());
  ::EndPaint(m_hWnd, &ps);
}

BOOL CTimeProgressCtrl::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }

// ---------------------------------------------------------------------------------------
// The bar window.

BEGIN_MESSAGE_MAP(CGUIStatusBar, CStatusBar)
  ON_MESSAGE(WM_SIZEPARENT, &CGUIStatusBar::OnSizeParent)
  ON_MESSAGE(WM_SETTEXT, &CGUIStatusBar::OnSetText)
  ON_WM_SIZE()
END_MESSAGE_MAP()

void CGUIStatusBar::OnSize(UINT, int, int) { Default(); }

void CGUIStatusBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

int CGUIStatusBar::GetHeight() const {
  if (m_laidOutHeight >= 0) return m_laidOutHeight;
  CRect rect;
  GetWindowRect(&rect);
  return rect.Height();
}

LRESULT CGUIStatusBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  const long roomBefore = layout ? layout->rect.bottom - layout->rect.top : 0;
  const LRESULT result = CStatusBar::OnSizeParent(wParam, lParam);
  if (m_bar && (GetStyle() & WS_VISIBLE) && layout && layout->hDWP) {
    // The window moves when the frame's layout ends: the models go by the height it takes.
    m_laidOutHeight = roomBefore - (layout->rect.bottom - layout->rect.top);
    const long width = layout->rect.right - layout->rect.left;
    m_bar->SetWidth(static_cast<unsigned short>(width < 0 ? 0 : width > 65535 ? 65535 : width));
    m_bar->OnResize();
  }
  return result;
}

LRESULT CGUIStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  const int index = CommandToIndex(0);
  if (index < 0) return -1;
  // An owner-drawn part becomes a plain text part; the part keeps its frame either way.
  const DWORD type = HIWORD(SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(index))) & ~SBT_OWNERDRAW;
  SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam), FALSE);  // the bar's record of its text
  const BOOL done = static_cast<BOOL>(
      SendMessage(SB_SETTEXT, static_cast<WPARAM>(index) | type, lParam ? lParam : reinterpret_cast<LPARAM>(_T(""))));
  return done ? 0 : -1;
}

void CGUIStatusBar::DrawItem(LPDRAWITEMSTRUCT dis) {
  auto* border = reinterpret_cast<QvStatusBorder*>(dis->itemData);
  if (!border) return;
  const RECT item = dis->rcItem;
  for (long i = 0; i < border->GetPaneCount(); ++i) {
    auto* pane = static_cast<QvPane*>(border->GetPane(i));
    CGUIPane* platform = pane->GetPlatformPane();
    if (!platform) continue;
    const int left = item.left + pane->GetPosition();
    if (platform->IsKindOf(RUNTIME_CLASS(CGUIImagePane))) {
      auto* image = static_cast<CGUIImagePane*>(platform);
      StatusDrawImage(image->m_list, image->m_index, dis->hDC, left, item.top);
    } else if (platform->IsKindOf(RUNTIME_CLASS(CGUIProgressPane))) {
      CProgressCtrl* control = static_cast<CGUIProgressPane*>(platform)->m_control;
      if (control && control->GetSafeHwnd())
        control->SetWindowPos(NULL, left, item.top, pane->GetRealWidth(), item.bottom - item.top - 1,
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else if (platform->IsKindOf(RUNTIME_CLASS(CGUITextPane))) {
      const std::wstring text = static_cast<CGUITextPane*>(platform)->m_text.ToWide();
      RECT rect = item;
      rect.left = left + 1;
      rect.right = rect.left + pane->GetRealWidth();
      uih::Selection font(dis->hDC, GUIGetStatusFont());
      const int mode = ::SetBkMode(dis->hDC, TRANSPARENT);
      const COLORREF back = ::SetBkColor(dis->hDC, ::GetSysColor(COLOR_BTNFACE));
      const COLORREF fore = ::SetTextColor(dis->hDC, ::GetSysColor(COLOR_BTNTEXT));
      UINT format = DT_SINGLELINE | DT_VCENTER;
      if (pane->m_alignment & 1) {
        SIZE extent = {0, 0};
        ::GetTextExtentPoint32W(dis->hDC, text.c_str(), static_cast<int>(text.size()), &extent);
        if (extent.cx < rect.right - rect.left) {
          rect.right -= 2;
          format |= DT_RIGHT;
        }
      }
      ::DrawTextW(dis->hDC, text.c_str(), static_cast<int>(text.size()), &rect, format);
      ::SetTextColor(dis->hDC, fore);
      ::SetBkColor(dis->hDC, back);
      ::SetBkMode(dis->hDC, mode);
    }
  }
}
