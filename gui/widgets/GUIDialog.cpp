// The windows of the portable dialogs.
#include "GUIDialog.h"

#include <commctrl.h>
#include <solvane.h>
#include <ulmora.h>

#include "GUIPlatformGlue.h"
#include "QvDialog.h"
#include "QvGUIContainer.h"
#include "QvModifier.h"
#include "UITrace.h"

namespace {
UlmLogger s_log("GUIDialog");

bool IsClass(HWND hWnd, const TCHAR* cls) {
  TCHAR name[64] = {0};
  ::GetClassName(hWnd, name, 63);
  return lstrcmpi(name, cls) == 0;
}

// A trackbar's scrolling as the portable notification of its control; true when taken.
bool TranslateTrackbarScroll(CWnd* window, UINT nSBCode, CScrollBar* pScrollBar) {
  if (!pScrollBar || !pScrollBar->m_hWnd || !IsClass(pScrollBar->m_hWnd, TRACKBAR_CLASS)) return false;
  QvGUIContainer* container = GUIGetQvGUIContainer(window);
  return container && GUITranslateControlNotification(
                          container, static_cast<unsigned short>(::GetDlgCtrlID(pScrollBar->m_hWnd)),
                          static_cast<int>(nSBCode), NULL);
}

// SC_CLOSE asks the container whether the window may close.
bool SystemCloseRefused(CWnd* window, UINT nID) {
  if ((nID & 0xFFF0) != SC_CLOSE) return false;
  QvGUIContainer* container = GUIGetQvGUIContainer(window);
  return container && !container->OnSystemClose();
}
}  // namespace

IMPLEMENT_DYNAMIC(CGUIDialog, CGUIDialogBase)

BEGIN_MESSAGE_MAP(CGUIDialog, CGUIDialogBase)
  ON_WM_SHOWWINDOW()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_COMMANDHELP, &CGUIDialog::OnCommandHelp)
  ON_WM_CTLCOLOR()
  ON_WM_SETCURSOR()
  ON_WM_SYSCOMMAND()
  ON_WM_DESTROY()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CGUIDialog::CGUIDialog() { SharedConstruct(TRUE); }

CGUIDialog::CGUIDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd, BOOL bDeleteWithPortable)
    : CGUIDialogBase(lpszTemplateName, pParentWnd) {
  SharedConstruct(bDeleteWithPortable);
}

CGUIDialog::CGUIDialog(UINT nIDTemplate, CWnd* pParentWnd, BOOL bDeleteWithPortable)
    : CGUIDialogBase(nIDTemplate, pParentWnd) {
  SharedConstruct(bDeleteWithPortable);
}

CGUIDialog::~CGUIDialog() {
  delete m_tooltip;
  m_tooltip = nullptr;
}

void CGUIDialog::SharedConstruct(BOOL bDeleteWithPortable) {
  m_flags = bDeleteWithPortable ? unsigned{kDeleteWithPortable} : 0u;
  m_cancelID = 0;
  m_tooltip = nullptr;
  m_iconID = 0;
}

QvRootDialog* CGUIDialog::GetPortableDialog() { return dynamic_cast<QvRootDialog*>(GUIGetQvGUIContainer(this)); }

void CGUIDialog::CloseItNow() {
  if (m_flags & kClosing) return;
  m_flags |= kClosing;
  if (!m_hWnd) return;
  if (IsModeless()) {
    DestroyWindow();
    return;
  }
  QvRootDialog* portable = GetPortableDialog();
  EndDialog(portable ? portable->GetResultCode() : 0);
}

void CGUIDialog::SetTooltip(unsigned short id, const QvString& text) {
  if (!m_hWnd) return;
  if (!m_tooltip) {
    m_tooltip = new CToolTipCtrl;
    if (!m_tooltip->Create(this)) {
      UI_TRACE_FAILED(s_log, "CToolTipCtrl::Create");
      delete m_tooltip;
      m_tooltip = nullptr;
      return;
    }
    m_tooltip->Activate(TRUE);
  }
  CWnd* child = GetDlgItem(id);
  if (!child) return;
  m_tooltip->AddTool(child, CString(ucs2string::FromUtf8(text.c_str()).c_str()));
}

BOOL CGUIDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (GUIOnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CGUIDialogBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CGUIDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_tooltip && m_tooltip->m_hWnd) m_tooltip->RelayEvent(pMsg);
  return CGUIDialogBase::PreTranslateMessage(pMsg);
}

LRESULT CGUIDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) m_proposedFocus = reinterpret_cast<HWND>(wParam);
  return CGUIDialogBase::WindowProc(message, wParam, lParam);
}

BOOL CGUIDialog::OnInitDialog() {
  const HWND proposed = m_proposedFocus;
  CGUIDialogBase::OnInitDialog();
  if (QvRootDialog* portable = GetPortableDialog()) {
    if (portable->OnInit() && !portable->IsTerminated())
      portable->RestoreUserPrefs();
    else
      portable->DestroyPlatform();
  }
  // A dialog that set the focus itself keeps it.
  return m_hWnd && ::GetFocus() == proposed ? TRUE : FALSE;
}

BOOL CGUIDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  HWND sender = reinterpret_cast<HWND>(lParam);
  // A control that is hidden but enabled may not act.
  if (sender && ::IsWindowEnabled(sender) && !::IsWindowVisible(sender)) return TRUE;
  UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (id == IDCANCEL && m_cancelID != 0) {
    id = m_cancelID;
    sender = ::GetDlgItem(m_hWnd, m_cancelID);
  }
  const bool handled = GUIOnCommand(this, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(sender));
  QvRootDialog* portable = GetPortableDialog();
  if (portable && portable->IsTerminated()) {
    portable->DestroyPlatform();
    return TRUE;
  }
  return handled ? TRUE : FALSE;
}

BOOL CGUIDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const bool handled = GUIOnNotify(this, wParam, lParam, pResult);
  QvRootDialog* portable = GetPortableDialog();
  if (portable && portable->IsTerminated()) {
    portable->DestroyPlatform();
    *pResult = 1;
    return TRUE;
  }
  return handled ? TRUE : FALSE;
}

void CGUIDialog::OnOK() { UpdateData(TRUE); }

void CGUIDialog::OnCancel() {}

void CGUIDialog::OnShowWindow(BOOL bShow, UINT nStatus) {
  if (bShow) {
    if (CWinApp* app = AfxGetApp())
      for (int i = 0; i < 20; ++i) app->DoWaitCursor(-1);
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
  }
  CGUIDialogBase::OnShowWindow(bShow, nStatus);
}

BOOL CGUIDialog::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (::GetCursor() == ::LoadCursor(NULL, IDC_WAIT)) return FALSE;
  return CGUIDialogBase::OnSetCursor(pWnd, nHitTest, message);
}

void CGUIDialog::OnSysCommand(UINT nID, LPARAM lParam) {
  if (SystemCloseRefused(this, nID)) return;
  CGUIDialogBase::OnSysCommand(nID, lParam);
}

BOOL CGUIDialog::OnEraseBkgnd(CDC* pDC) {
  if (IsIconic()) return TRUE;
  return CGUIDialogBase::OnEraseBkgnd(pDC);
}

void CGUIDialog::OnPaint() {
  if (!IsIconic()) {
    CGUIDialogBase::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  CRect client;
  GetClientRect(&client);
  const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  if (HCURSOR icon = OnQueryDragIcon()) ::DrawIcon(dc.GetSafeHdc(), x, y, icon);
}

HCURSOR CGUIDialog::OnQueryDragIcon() {
  if (m_iconID != 0) return ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(m_iconID));
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->m_hWnd) return NULL;
  TCHAR cls[256] = {0};
  ::GetClassName(main->m_hWnd, cls, 255);
  WNDCLASS wc = {};
  if (!::GetClassInfo(AfxGetInstanceHandle(), cls, &wc)) return NULL;
  return wc.hIcon;
}

LRESULT CGUIDialog::OnCommandHelp(WPARAM, LPARAM) { return GUIOnCommandHelp(this) ? TRUE : FALSE; }

HBRUSH CGUIDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CGUIDialogBase::OnCtlColor(pDC, pWnd, nCtlColor);
  GUIOnCtlColor(this, pDC, pWnd, nCtlColor);
  return brush;
}

void CGUIDialog::OnDestroy() {
  if (QvRootDialog* portable = GetPortableDialog()) {
    portable->OnTerminate();
    portable->SaveUserPrefs();
  }
  CGUIDialogBase::OnDestroy();
}

void CGUIDialog::PostNcDestroy() {
  CGUIDialogBase::PostNcDestroy();
  // A modeless portable dialog that goes with its window is deleted now (which may delete
  // this object too: nothing is touched afterwards).
  QvRootDialog* portable = GetPortableDialog();
  if (portable && !portable->IsModal() && portable->IsDeleteOnClose()) delete portable;
}

void CGUIDialog::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (TranslateTrackbarScroll(this, nSBCode, pScrollBar)) return;
  CGUIDialogBase::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CGUIDialog::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (TranslateTrackbarScroll(this, nSBCode, pScrollBar)) return;
  CGUIDialogBase::OnVScroll(nSBCode, nPos, pScrollBar);
}

// ---------------------------------------------------------------------------------------------
// The resizable layout of both resizable dialogs

void CResizeDialogLayout::EnableSaveRestore(LPCTSTR pszSection, BOOL bRectOnly) {
  m_sSection = pszSection;
  m_bRectOnly = bRectOnly;
  m_bEnableSaveRestore = TRUE;
  LoadWindowRect(pszSection, bRectOnly);
}

int CResizeDialogLayout::LayoutCreate(int created) {
  if (created == -1) return -1;
  CWnd* wnd = GetResizableWnd();
  const DWORD style = static_cast<DWORD>(::GetWindowLong(wnd->m_hWnd, GWL_STYLE));
  ::SetWindowLong(wnd->m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~DS_MODALFRAME) | WS_POPUP | WS_THICKFRAME));
  ::SetWindowPos(wnd->m_hWnd, NULL, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  return InitGrip() ? 0 : -1;
}

void CResizeDialogLayout::LayoutBeforeInit() {
  CWnd* wnd = GetResizableWnd();
  CRect rc;
  ::GetWindowRect(wnd->m_hWnd, &rc);
  SetMinTrackSize(rc.Size());
  UpdateGripPos();
}

void CResizeDialogLayout::LayoutAfterInit() {
  m_bInitDone = TRUE;
  if (GetResizableWnd()->m_hWnd) LayoutSize(SIZE_RESTORED);
}

void CResizeDialogLayout::LayoutMinMax(MINMAXINFO* lpMMI) {
  if (m_bInitDone) MinMaxInfo(lpMMI);
}

void CResizeDialogLayout::LayoutSize(UINT nType) {
  if (nType == SIZE_MAXSHOW || nType == SIZE_MAXHIDE || !m_bInitDone) return;
  m_bArranging = TRUE;
  UpdateGripPos();
  ArrangeLayout();
  m_bArranging = FALSE;
}

void CResizeDialogLayout::LayoutDestroy() {
  if (m_bEnableSaveRestore) SaveWindowRect(m_sSection, m_bRectOnly);
  RemoveAllAnchors();
  m_bInitDone = FALSE;  // a next window of this object starts afresh
}

// The message handlers are the same for both resizable dialogs; only the base differs.
#define QUARNEL_RESIZE_DIALOG_HANDLERS(Class, Base)                                                  \
  BEGIN_MESSAGE_MAP(Class, Base)                                                                     \
    ON_WM_GETMINMAXINFO()                                                                            \
    ON_WM_SIZE()                                                                                     \
    ON_WM_CREATE()                                                                                   \
    ON_WM_DESTROY()                                                                                  \
    ON_WM_ERASEBKGND()                                                                               \
  END_MESSAGE_MAP()                                                                                  \
  BOOL Class::OnInitDialog() {                                                                       \
    LayoutBeforeInit();                                                                              \
    const BOOL result = Base::OnInitDialog();                                                        \
    LayoutAfterInit();                                                                               \
    return result;                                                                                   \
  }                                                                                                  \
  void Class::OnGetMinMaxInfo(MINMAXINFO* lpMMI) { LayoutMinMax(lpMMI); }                           \
  void Class::OnSize(UINT nType, int cx, int cy) {                                                   \
    Base::OnSize(nType, cx, cy);                                                                     \
    LayoutSize(nType);                                                                               \
  }                                                                                                  \
  int Class::OnCreate(LPCREATESTRUCT lpCreateStruct) { return LayoutCreate(Base::OnCreate(lpCreateStruct)); } \
  void Class::OnDestroy() {                                                                          \
    LayoutDestroy();                                                                                 \
    Base::OnDestroy();                                                                               \
  }                                                                                                  \
  BOOL Class::OnEraseBkgnd(CDC* pDC) {                                                               \
    LayoutEraseBkgnd(pDC);                                                                           \
    return Base::OnEraseBkgnd(pDC);                                                                  \
  }

IMPLEMENT_DYNAMIC(CGUIResizeDialog, CGUIDialog)
QUARNEL_RESIZE_DIALOG_HANDLERS(CGUIResizeDialog, CGUIDialog)

IMPLEMENT_DYNAMIC(CResizeDialog, CDialog)
QUARNEL_RESIZE_DIALOG_HANDLERS(CResizeDialog, CDialog)

// ---------------------------------------------------------------------------------------------
// CGUIFormView

IMPLEMENT_DYNAMIC(CGUIFormView, CFormView)

BEGIN_MESSAGE_MAP(CGUIFormView, CFormView)
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
  ON_WM_DESTROY()
  ON_WM_SYSCOMMAND()
  ON_MESSAGE(WM_COMMANDHELP, &CGUIFormView::OnCommandHelp)
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CGUIFormView::CGUIFormView(UINT nIDTemplate) : CFormView(nIDTemplate) {}

CGUIFormView::~CGUIFormView() {
  QvRootDialogView* view = m_view;
  m_view = nullptr;
  if (view) {
    GUISetQvGUIContainer(this, nullptr);
    view->SetMFCCWnd(nullptr);
    delete view;
  }
}

void CGUIFormView::ForgetKernelView(QvRootDialogView* view) {
  if (m_view != view) return;
  GUISetQvGUIContainer(this, nullptr);
  m_view = nullptr;
}

BOOL CGUIFormView::Create(QvRootDialogView* view, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          CCreateContext* pContext) {
  if (!view) return FALSE;
  m_view = view;
  GUISetQvGUIContainer(this, view);
  view->SetMFCCWnd(this);
  return CFormView::Create(NULL, _T(""), dwStyle & ~(WS_HSCROLL | WS_VSCROLL), rect, pParentWnd, nID, pContext);
}

void CGUIFormView::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  if (m_view) {
    m_view->OnInitView();
    m_view->RestoreUserPrefs();
  }
}

BOOL CGUIFormView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (GUIOnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFormView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CGUIFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
  if (bActivate && m_view) QvCommandHandler::SetActiveTarget(m_view);
}

void CGUIFormView::OnSetFocus(CWnd* pOldWnd) {
  if (m_view) QvCommandHandler::SetActiveTarget(m_view);
  CFormView::OnSetFocus(pOldWnd);
}

BOOL CGUIFormView::OnCommand(WPARAM wParam, LPARAM lParam) { return GUIOnCommand(this, wParam, lParam) ? TRUE : FALSE; }

BOOL CGUIFormView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return GUIOnNotify(this, wParam, lParam, pResult) ? TRUE : FALSE;
}

void CGUIFormView::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_view) m_view->onMouseDown(QvPoint(point.x, point.y), QvModifier::FromKeyFlags(nFlags));
  CFormView::OnLButtonDown(nFlags, point);
}

void CGUIFormView::OnRButtonDown(UINT nFlags, CPoint point) {
  if (m_view) m_view->onRightMouseDown(QvPoint(point.x, point.y), QvModifier::FromKeyFlags(nFlags));
  CFormView::OnRButtonDown(nFlags, point);
}

void CGUIFormView::OnDestroy() {
  if (m_view) {
    m_view->OnTerminate();
    m_view->SaveUserPrefs();
  }
  CFormView::OnDestroy();
}

void CGUIFormView::OnSysCommand(UINT nID, LPARAM lParam) {
  if (SystemCloseRefused(this, nID)) return;
  CFormView::OnSysCommand(nID, lParam);
}

LRESULT CGUIFormView::OnCommandHelp(WPARAM, LPARAM) { return GUIOnCommandHelp(this) ? TRUE : FALSE; }

void CGUIFormView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (TranslateTrackbarScroll(this, nSBCode, pScrollBar)) return;
  CFormView::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CGUIFormView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (TranslateTrackbarScroll(this, nSBCode, pScrollBar)) return;
  CFormView::OnVScroll(nSBCode, nPos, pScrollBar);
}
