// CWnd: a window object bound to an HWND, its message dispatch and the Win32 window functions.
//
// Binding. An object made by Create/CreateEx is bound by a per-thread creation hook before
// the window receives its first message, so WM_NCCREATE and WM_CREATE reach the object,
// whatever the window class. SubclassWindow binds an existing window. Bound objects are the
// thread's permanent map; FromHandle gives a borrowing temporary object for other windows,
// deleted at idle time.
//
// Lifetime. WM_NCDESTROY unbinds the object and then calls PostNcDestroy (which deletes
// heap-allocated window classes that own themselves). The destructor of an object still
// bound destroys its window.
#pragma once
#include "fw_gdi.h"
#include "fw_geometry.h"
#include "fw_msgmap.h"
#include "fw_string.h"
#include "fw_thread_state.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CListBox;
class CDataExchange;
class CCreateContext;
class CWinThread;

// m_nFlags.
#define WF_TOOLTIPS 0x0001        // tooltips of the children on
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008       // RunModalLoop is running
#define WF_CONTINUEMODAL 0x0010   // RunModalLoop goes on
#define WF_TRACKINGTOOLTIPS 0x0400

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001      // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002     // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004     // show the window when the queue first runs empty

// Tool flag of OnToolHitTest: the tool is not a toolbar button.
#define TTF_NOTBUTTON 0x80000000

// RepositionBars modes.
#define reposDefault 0
#define reposQuery 1
#define reposExtra 2

// The fields of a TOOLINFO that every version has; OnToolHitTest fills only these unless
// the caller's record is larger.
struct AFX_OLDTOOLINFO {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPTSTR lpszText;
};

class FW_API CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd();
  explicit CWnd(HWND hWnd);  // a borrowing object (used for temporary ones)
  ~CWnd() override;

  HWND m_hWnd = NULL;
  HWND m_hWndOwner = NULL;  // owner of a child that should not notify its parent
  UINT m_nFlags = 0;
  WNDPROC m_pfnSuper = NULL;  // the procedure this object's window procedure stands in for
  int m_nModalResult = 0;

  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  // NULL also when called through a NULL pointer.
  HWND GetSafeHwnd() const {
    const CWnd* self = this;
    __asm__("" : "+r"(self));  // keep the test: callers rely on it through NULL pointers
    return self == NULL ? NULL : self->m_hWnd;
  }
  operator HWND() const { return GetSafeHwnd(); }
  BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
  BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

  // Handle maps of the calling thread.
  static CWnd* PASCAL FromHandle(HWND hWnd);
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  static void PASCAL DeleteTempMap();
  BOOL Attach(HWND hWndNew);
  HWND Detach();

  // Subclassing: the window's procedure becomes the framework's; messages the object does not
  // handle go on to the previous procedure. UnsubclassWindow puts the previous one back.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // Creation.
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                        int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                        LPVOID lpParam = NULL);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
  virtual BOOL DestroyWindow();

  // Message handling.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Default processing of the message being handled.
  LRESULT Default();
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Offers pMsg to PreTranslateMessage of its window and each parent up to hWndStop.
  static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  virtual void PreSubclassWindow();
  virtual void PostNcDestroy();
  virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
  virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

  // Reflection: a notification a child sent to its parent is first offered to the child.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
  static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);

  // Modal loop of dialogs and modal windows.
  virtual int RunModalLoop(DWORD dwFlags = 0);
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int nResult);

  // Data exchange (implemented with the dialog support).
  virtual void DoDataExchange(CDataExchange* pDX);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  // Idle update of the child controls through pTarget's update handlers.
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  // Sends to every child (every descendant with bDeep); bOnlyPerm: only to framework windows.
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);
  // Lays out the control bars with ids nIDFirst..nIDLast (WM_SIZEPARENT) and puts the child
  // nIDLeftOver in the rest.
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                      LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);

  // Tooltips of the children (and of OnToolHitTest's tools).
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  BOOL EnableTrackingToolTips(BOOL bEnable = TRUE);
  static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
  void FilterToolTipMessage(MSG* pMsg);
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

  // Window state.
  DWORD GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }
  DWORD GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
  LONG_PTR GetWindowLongPtr(int nIndex) const { return ::GetWindowLongPtr(m_hWnd, nIndex); }
  LONG_PTR SetWindowLongPtr(int nIndex, LONG_PTR dwNewLong) { return ::SetWindowLongPtr(m_hWnd, nIndex, dwNewLong); }

  // Text.
  void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
  }
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;

  // Geometry.
  void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
  void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
  void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
  }
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2);
  }
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
  }
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                 bRepaint);
  }
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
  }
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const {
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
  }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
  void CenterWindow(CWnd* pAlternateOwner = NULL);
  int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

  // Painting.
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
  CDC* GetDC();
  CDC* GetWindowDC();
  CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
  int ReleaseDC(CDC* pDC);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
  void Print(CDC* pDC, DWORD dwFlags) const;
  void PrintClient(CDC* pDC, DWORD dwFlags) const;
  BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
  void UnlockWindowUpdate() { ::LockWindowUpdate(NULL); }
  int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                     LPRECT lpRectUpdate, UINT flags);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL) {
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
  }

  // Relations.
  CWnd* GetParent() const { return CWnd::FromHandle(::GetParent(m_hWnd)); }
  CWnd* SetParent(CWnd* pWndNewParent) { return CWnd::FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : NULL; }
  CWnd* GetTopLevelParent() const;
  CWnd* GetTopLevelOwner() const;
  CWnd* GetParentOwner() const;
  CWnd* GetWindow(UINT nCmd) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nCmd)); }
  CWnd* GetTopWindow() const { return CWnd::FromHandle(::GetTopWindow(m_hWnd)); }
  CWnd* GetLastActivePopup() const { return CWnd::FromHandle(::GetLastActivePopup(m_hWnd)); }
  CWnd* ChildWindowFromPoint(POINT point) const { return CWnd::FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
  CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const {
    return CWnd::FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
  }
  // The window that should own a message box or modal dialog opened for pParent.
  static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
  static HWND PASCAL GetSafeOwner_(HWND hWnd, HWND* pWndTop);
  static CWnd* PASCAL GetActiveWindow() { return CWnd::FromHandle(::GetActiveWindow()); }
  CWnd* SetActiveWindow() { return CWnd::FromHandle(::SetActiveWindow(m_hWnd)); }
  static CWnd* PASCAL GetForegroundWindow() { return CWnd::FromHandle(::GetForegroundWindow()); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  static CWnd* PASCAL GetFocus() { return CWnd::FromHandle(::GetFocus()); }
  CWnd* SetFocus() { return CWnd::FromHandle(::SetFocus(m_hWnd)); }
  static CWnd* PASCAL GetCapture() { return CWnd::FromHandle(::GetCapture()); }
  CWnd* SetCapture() { return CWnd::FromHandle(::SetCapture(m_hWnd)); }
  static CWnd* PASCAL GetDesktopWindow() { return CWnd::FromHandle(::GetDesktopWindow()); }
  static CWnd* PASCAL WindowFromPoint(POINT point) { return CWnd::FromHandle(::WindowFromPoint(point)); }
  static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) {
    return CWnd::FromHandle(::FindWindow(lpszClassName, lpszWindowName));
  }

  // Dialog items.
  CWnd* GetDlgItem(int nID) const { return CWnd::FromHandle(::GetDlgItem(m_hWnd, nID)); }
  void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
  void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
  int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
    return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
  }
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
  }
  void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
  UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
  }
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
  }
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
  }
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
  }
  void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1); }

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
  }
  BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendNotifyMessage(m_hWnd, message, wParam, lParam);
  }
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
  }
  BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
  static const MSG* PASCAL GetCurrentMessage();

  // Menus.
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
  CMenu* GetSystemMenu(BOOL bRevert) const;
  BOOL HiliteMenuItem(CMenu* pMenu, UINT nIDHiliteItem, UINT nHilite);

  // Scroll bars.
  int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
  }
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
  }
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
  BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) {
    return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
  }
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  }
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
  }
  int GetScrollLimit(int nBar) const;

  // Caret, clipboard, drag.
  BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }
  void DragAcceptFiles(BOOL bAccept = TRUE);
  void CreateSolidCaret(int nWidth, int nHeight) { ::CreateCaret(m_hWnd, NULL, nWidth, nHeight); }
  void ShowCaret() { ::ShowCaret(m_hWnd); }
  void HideCaret() { ::HideCaret(m_hWnd); }
  static void PASCAL SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }
  BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

  // Handlers with default processing, for handlers of derived classes to call.
 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnClose();
  afx_msg void OnPaint();
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnIconEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
  afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
  afx_msg void OnEnterSizeMove();
  afx_msg void OnExitSizeMove();
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnCancelMode();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  afx_msg HCURSOR OnQueryDragIcon();
  afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
  afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
  afx_msg void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnXButtonDown(UINT nFlags, UINT nButton, CPoint point);
  afx_msg void OnXButtonUp(UINT nFlags, UINT nButton, CPoint point);
  afx_msg void OnXButtonDblClk(UINT nFlags, UINT nButton, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  // The scroll handlers first offer the message to the scroll bar control that sent it.
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnInitMenu(CMenu* pMenu);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  // The owner-draw and colour handlers first reflect the message to the control (and, for
  // menus, hand owner-draw items to the CMenu object of the menu).
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
  afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
  afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);

  DECLARE_MESSAGE_MAP()

 private:
  friend LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
  friend LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
  // AfxCallWndProc with the thread state already at hand.
  static LRESULT FwCallWndProc(_AFX_THREAD_STATE* ts, CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam,
                               LPARAM lParam);
  friend class CWinThread;
  void FwNcDestroyCleanup();
  BOOL FwCreateToolTip();
  void FwDispatchToHandler(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* pResult);
  BOOL FwBindCreatedWindow(HWND hWnd);
  friend LRESULT CALLBACK FwCbtFilterHook(int code, WPARAM wParam, LPARAM lParam);
};

// The framework's window procedure, and the call of one object's WindowProc with the
// thread's last message saved and every exception caught.
FW_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
FW_API WNDPROC AFXAPI AfxGetAfxWndProc();
FW_API LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

// Window creation on this thread binds the next created window (other than the thread's IME
// window) to pWnd. AfxUnhookWindowCreate answers whether that happened, and clears the hook.
FW_API void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
FW_API BOOL AFXAPI AfxUnhookWindowCreate();

// A window class with the framework's window procedure behaviour and the given style,
// cursor, background and icon; the name is made from them and is valid until the next call
// on this thread. NULL when registration fails.
FW_API LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                                          HICON hIcon = NULL);

// Moves a control bar inside a WM_SIZEPARENT layout (deferred when lpLayout has hDWP).
FW_API void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// The window class name of the framework's default windows.
#define AFX_WND _T("AfxWnd")
