// The status bar window, its models, borders and panes.
#include "QvStatusBar.h"

#include "QvStatus.h"

#include <solvane.h>

#include <string>
#include <vector>

#include "StatusImages.h"
#include "UIHandles.h"
#include "UITrace.h"
#include "UIUtilities.h"

QV_IMPLEMENT_CLASS(QvStatusBar, QV_RUNTIME_CLASS(QvRootStatusBar))
QV_IMPLEMENT_CLASS(QvStatusModel, QV_RUNTIME_CLASS(QvRootStatusModel))
QV_IMPLEMENT_CLASS(QvStatusBorder, QV_RUNTIME_CLASS(QvRootStatusBorder))

IMPLEMENT_DYNAMIC(CGUIStatusBar, CStatusBar)

namespace {
UlmLogger s_log("StatusBar");

// The shared status font and the bar windows that use it.
HFONT s_statusFont = NULL;
int s_statusFontUsers = 0;

CWnd* s_temporaryMainWindow = nullptr;

// The window a bar without a container goes into.
CWnd* MainWindow() { return s_temporaryMainWindow ? s_temporaryMainWindow : AfxGetMainWnd(); }

HWND BarWindow(QvStatusBar* bar) {
  CWnd* window = bar ? bar->GetMFCCWnd() : nullptr;
  return window ? window->GetSafeHwnd() : NULL;
}
}  // namespace

HFONT GUIGetStatusFont() { return s_statusFont; }

CWnd* Get_GlobalTemporayAccessforMFCMainWindow() { return s_temporaryMainWindow; }
void Set_GlobalTemporayAccessforMFCMainWindow(CWnd* window) { s_temporaryMainWindow = window; }

// ---------------------------------------------------------------------------------------
// The bar.

QvStatusBar::QvStatusBar(QvGUIContainer* container) : QvRootStatusBar(container) {}

QvStatusBar::~QvStatusBar() {
  // The status message must not keep panes of this bar.
  if (QvStatusMessage* message = Get_GlobalStatusMsg()) message->LeaveBar(this);
  for (long i = 0; i < m_models.GetSize(); ++i) delete m_models.GetAt(i);
  m_models.RemoveAll();
  m_active.RemoveAll();
  CWnd* window = GetMFCCWnd();
  SetMFCCWnd(nullptr);
  GUISetQvGUIContainer(window, nullptr);
  delete window;
  if (m_usesFont && --s_statusFontUsers == 0 && s_statusFont) {
    ::DeleteObject(s_statusFont);
    s_statusFont = NULL;
  }
}

bool QvStatusBar::CreatePlatform(bool flag) {
  if (!QvGUIContainer::CreatePlatform(flag)) return false;
  GUISetQvGUIContainer(GetMFCCWnd(), this);
  return true;
}

CWnd* QvStatusBar::OnCreatePlatform() {
  CWnd* parent = m_container ? m_container->GetMFCCWnd() : MainWindow();
  auto* window = new CGUIStatusBar(this);
  static const UINT kIndicators[] = {0, 0xE701, 0xE702, 0xE703, 0};
  if (!parent || !window->Create(parent, 0x50008208, AFX_IDW_STATUS_BAR) || !window->SetIndicators(kIndicators, 5)) {
    UI_TRACE_REFUSED(s_log, parent ? "the status bar window could not be made" : "no window to put the status bar in");
    delete window;
    return nullptr;
  }
  if (!s_statusFont) {
    LOGFONTW lf;
    GetDefaultLogFont(lf);
    s_statusFont = ::CreateFontIndirectW(&lf);
    if (!s_statusFont) UI_TRACE_FAILED(s_log, "CreateFontIndirectW");
    window->SetFont(UIGetDefaultGUIFont2(), TRUE);
  }
  ++s_statusFontUsers;
  m_usesFont = true;
  return window;
}

void QvStatusBar::Show(bool show) {
  CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, MainWindow());
  CGUIStatusBar* window = GetStatusBarWindow();
  if (frame && window) frame->ShowControlBar(window, show, TRUE);
}

void QvStatusBar::OnResize() {
  QvRootStatusBar::OnResize();
  if (QvStatusModel* top = GetModelOnTop()) top->ActivateModel(true);
}

unsigned short QvStatusBar::GetModelsWidth() {
  CGUIStatusBar* window = GetStatusBarWindow();
  const long height = window && window->GetSafeHwnd() ? window->GetHeight() : 0;
  return m_width > height ? static_cast<unsigned short>(m_width - height) : 0;
}

unsigned short QvStatusBar::GetPartSpacing() {
  int borders[3] = {0, 0, 0};
  HWND window = BarWindow(this);
  if (window) ::SendMessageW(window, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  return static_cast<unsigned short>(borders[2] > 0 ? borders[2] : 0);
}

QvStatusModel* QvStatusBar::GetModelOnTop() const {
  return m_active.GetSize() > 0 ? GetActiveAt(m_active.GetSize() - 1) : nullptr;
}

CGUIStatusBar* QvStatusBar::GetStatusBarWindow() const { return static_cast<CGUIStatusBar*>(GetMFCCWnd()); }

// ---------------------------------------------------------------------------------------
// Models.

QvStatusModel::QvStatusModel(QvStatusBar* bar) : QvRootStatusModel(bar) {
  CWnd* window = bar ? bar->GetMFCCWnd() : nullptr;
  if (!window || !window->GetSafeHwnd()) return;
  uih::WindowDC dc(window->GetSafeHwnd());
  CFont* font = window->GetFont();
  uih::Selection selected(dc.Get(), font ? static_cast<HFONT>(font->GetSafeHandle()) : NULL);
  TEXTMETRICW tm = {};
  if (dc.Get() && ::GetTextMetricsW(dc.Get(), &tm)) m_charUnit = static_cast<unsigned short>(tm.tmAveCharWidth);
}

QvStatusModel::~QvStatusModel() {
  for (long i = 0; i < m_borders.GetSize(); ++i) delete m_borders.GetAt(i);
  m_borders.RemoveAll();
}

bool QvStatusModel::CreatePlatform(bool) { return true; }
void QvStatusModel::Show(bool) {}

QvStatusBorder* QvStatusModel::AddBorder(QvPaneBorder type, bool left) {
  auto* border = new QvStatusBorder(type, left);
  border->SetModel(this);
  return border;
}

void QvStatusModel::ActivateModel(bool show) {
  HWND window = BarWindow(m_bar);
  if (!window) return;
  if (!show) {
    for (long b = 0; b < GetBorderCount(); ++b) {
      QvStatusBorder* border = GetBorder(b);
      for (long i = 0; i < border->GetPaneCount(); ++i) {
        auto* pane = dynamic_cast<QvProgressPane*>(border->GetPane(i));
        CProgressCtrl* control = pane ? pane->GetControl() : nullptr;
        if (control && control->GetSafeHwnd()) control->ShowWindow(SW_HIDE);
      }
    }
    int edge = -1;
    ::SendMessageW(window, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
    ::SendMessageW(window, SB_SETTEXTW, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L""));
    return;
  }
  const long count = GetBorderCount();
  if (count + 1 > 255) {
    UI_TRACE_REFUSED(s_log, "more borders than a status bar has parts");
    return;
  }
  // One part per border, then a trailing part to the end of the bar.
  std::vector<int> edges;
  for (long b = 0; b < count; ++b) edges.push_back(GetBorder(b)->GetPosition() + GetBorder(b)->GetRealWidth());
  edges.push_back(-1);
  ::SendMessageW(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (long b = 0; b < count; ++b) {
    QvStatusBorder* border = GetBorder(b);
    const WPARAM part = static_cast<WPARAM>(b) | border->GetPartStyle();
    if (border->IsPlainText()) {
      const std::wstring text = static_cast<QvTextPane*>(border->GetPane(0))->GetText().ToWide();
      ::SendMessageW(window, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text.c_str()));
    } else {
      ::SendMessageW(window, SB_SETTEXTW, part | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(border));
    }
  }
  ::RedrawWindow(window, NULL, NULL, RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------------------
// Borders.

QvStatusBorder::QvStatusBorder(QvPaneBorder type, bool left) : QvRootStatusBorder(type, left) {}

QvStatusBorder::~QvStatusBorder() {
  for (long i = 0; i < m_panes.GetSize(); ++i) delete m_panes.GetAt(i);
  m_panes.RemoveAll();
}

QvTextPane* QvStatusBorder::AddTextPane(bool elastic, unsigned char chars) {
  auto* pane = new QvTextPane(elastic, chars);
  pane->SetBorder(this);
  const long wanted = static_cast<long>(chars) * (m_model ? m_model->GetCharUnit() : 0);
  const unsigned short width = static_cast<unsigned short>(wanted > 65535 ? 65535 : wanted);
  pane->SetWidth(width);
  pane->SetDefinedWidth(width);
  return pane;
}

QvPicturePane* QvStatusBorder::AddPicturePane(QvImageList* list) {
  auto* pane = new QvPicturePane(list);
  pane->SetBorder(this);
  const unsigned short width = static_cast<unsigned short>(StatusImageWidth(list) + 2);
  pane->SetWidth(width);
  pane->SetDefinedWidth(width);
  return pane;
}

QvProgressPane* QvStatusBorder::AddProgressPane(unsigned char units, bool) {
  auto* pane = new QvProgressPane(units);
  pane->SetBorder(this);
  const unsigned short width = static_cast<unsigned short>(units * 10);
  pane->SetWidth(width);
  pane->SetDefinedWidth(width);
  QvStatusBar* bar = m_model ? m_model->GetParentStatusBar() : nullptr;
  if (bar && bar->GetMFCCWnd()) pane->CreateControl(bar->GetMFCCWnd());
  return pane;
}

bool QvStatusBorder::IsPlainText() {
  return GetPaneCount() == 1 && dynamic_cast<QvTextPane*>(GetPane(0)) != nullptr;
}

UINT QvStatusBorder::GetPartStyle() {
  switch (GetBorderType()) {
    case QvPaneNoBorder:
      return SBT_NOBORDERS;
    case QvPaneRaised:
      return SBT_POPOUT;
    default:
      return 0;
  }
}
