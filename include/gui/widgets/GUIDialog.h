// The windows of the portable dialogs (QvDialog.h): CGUIDialog hands every command,
// notification, update probe and help request to the portable layer and closes itself after
// the handler that terminated its portable dialog has returned; CGUIResizeDialog adds the
// resizable layout (anchored children, size grip, minimum size, saved placement) and
// CResizeDialog is the same on a plain framework dialog.
#pragma once
#include <ResizableLayout.h>
#include <framework.h>
#include <vekkel.h>

#include "quarnel_api.h"

class QvRootDialog;
class QvRootDialogView;

// The dialog base of the platform dialogs: its virtual DoModal runs them modally.
using CGUIDialogBase = CDialog;

class QUARNEL_API CGUIDialog : public CGUIDialogBase {
  DECLARE_DYNAMIC(CGUIDialog)
 public:
  enum : unsigned {
    kModeless = 0x1,
    kClosing = 0x2,
    kDeleteWithPortable = 0x4,
  };
  CGUIDialog();
  CGUIDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd, BOOL bDeleteWithPortable);
  CGUIDialog(UINT nIDTemplate, CWnd* pParentWnd, BOOL bDeleteWithPortable);
  ~CGUIDialog() override;

  BOOL IsModeless() const { return (m_flags & kModeless) != 0; }
  BOOL InDestroy() const { return (m_flags & kClosing) != 0; }
  BOOL ShouldBeDeleted() const { return (m_flags & kDeleteWithPortable) != 0; }
  void SetModeless() { m_flags |= kModeless; }
  // Before each run of the portable dialog: neither modeless nor closing yet.
  void PrepareRun() { m_flags &= ~(kModeless | kClosing); }

  // The portable dialog entered for this window; null when none.
  QvRootDialog* GetPortableDialog();

  // Closes the window once: EndDialog with the portable dialog's code when modal,
  // DestroyWindow when modeless.
  void CloseItNow();
  void SetCancelPushButton(unsigned short id) { m_cancelID = id; }
  unsigned short GetCancelPushButton() const { return m_cancelID; }
  void SetDialogIconID(unsigned short id) { m_iconID = id; }
  // A tooltip for the child `id` (text in UTF-8); the tooltip control is made on first use.
  void SetTooltip(unsigned short id, const QvString& text);
  CToolTipCtrl* GetTooltipCtrl() const { return m_tooltip; }

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;

 protected:
  void SharedConstruct(BOOL bDeleteWithPortable);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  void OnOK() override;      // UpdateData(TRUE) only: the dialog stays open
  void OnCancel() override;  // nothing

  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnPaint();
  afx_msg HCURSOR OnQueryDragIcon();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnDestroy();
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()

 private:
  unsigned m_flags = 0;
  unsigned short m_cancelID = 0;
  CToolTipCtrl* m_tooltip = nullptr;
  unsigned short m_iconID = 0;
  HWND m_proposedFocus = NULL;  // wParam of WM_INITDIALOG
};

// The resizable layout of a dialog, shared by both resizable dialogs below: the dialog calls
// these from its handlers of the same names.
class QUARNEL_API CResizeDialogLayout : public CResizableLayout,
                                        public CResizableGrip,
                                        public CResizableMinMax,
                                        public CResizableState {
 public:
  // Saves the placement under the section when the window is destroyed, and restores it now.
  void EnableSaveRestore(LPCTSTR pszSection, BOOL bRectOnly = FALSE);
  BOOL CanbeResized() const { return m_bArranging; }
  void SetCanbeResized(BOOL bArranging) { m_bArranging = bArranging; }
  BOOL IsInitialised() const { return m_bInitDone; }

  // Opened for the application's dialog and for tests.
  using CResizableLayout::AddAnchor;
  using CResizableLayout::AddAnchorCallback;
  using CResizableLayout::ArrangeLayout;
  using CResizableLayout::RemoveAllAnchors;
  using CResizableMinMax::SetMaxTrackSize;
  using CResizableMinMax::SetMinTrackSize;

 protected:
  CWnd* GetResizableWnd() override = 0;
  // WM_CREATE after the default: a sizing frame instead of the modal one, and the grip.
  int LayoutCreate(int created);
  // Before the dialog's own initialisation: its present size is the smallest it may take.
  void LayoutBeforeInit();
  // After it: the layout is live, and follows a size the initialisation gave the window.
  void LayoutAfterInit();
  void LayoutMinMax(MINMAXINFO* lpMMI);
  void LayoutSize(UINT nType);
  void LayoutEraseBkgnd(CDC* pDC) { ClipChildren(pDC, FALSE); }
  void LayoutDestroy();

 private:
  BOOL m_bEnableSaveRestore = FALSE;
  BOOL m_bRectOnly = FALSE;
  CString m_sSection;
  BOOL m_bInitDone = FALSE;
  BOOL m_bArranging = FALSE;
};

// The members both resizable dialogs declare alike: their handlers call the layout.
#define QUARNEL_RESIZE_DIALOG_MEMBERS()                       \
 public:                                                      \
  BOOL OnInitDialog() override;                               \
                                                              \
 protected:                                                   \
  CWnd* GetResizableWnd() override { return this; }           \
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);            \
  afx_msg void OnSize(UINT nType, int cx, int cy);            \
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);        \
  afx_msg void OnDestroy();                                   \
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);                        \
  DECLARE_MESSAGE_MAP()

class QUARNEL_API CGUIResizeDialog : public CGUIDialog, public CResizeDialogLayout {
  DECLARE_DYNAMIC(CGUIResizeDialog)
 public:
  CGUIResizeDialog() = default;
  CGUIResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, BOOL bDeleteWithPortable)
      : CGUIDialog(nIDTemplate, pParentWnd, bDeleteWithPortable) {}
  QUARNEL_RESIZE_DIALOG_MEMBERS()
};

class QUARNEL_API CResizeDialog : public CDialog, public CResizeDialogLayout {
  DECLARE_DYNAMIC(CResizeDialog)
 public:
  CResizeDialog() = default;
  explicit CResizeDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL) : CDialog(nIDTemplate, pParentWnd) {}
  explicit CResizeDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL) : CDialog(lpszTemplateName, pParentWnd) {}
  QUARNEL_RESIZE_DIALOG_MEMBERS()
};

// The window of a dialog-shaped portable view: a form view from the template of its id,
// bound to the view both ways. It deletes the view when it is deleted (at its window's end).
class QUARNEL_API CGUIFormView : public CFormView {
  DECLARE_DYNAMIC(CGUIFormView)
 public:
  explicit CGUIFormView(UINT nIDTemplate);
  ~CGUIFormView() override;

  // Binds the view and makes the window (the framework's default class, no title, no scroll
  // bars); FALSE when it cannot be made.
  BOOL Create(QvRootDialogView* view, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
              CCreateContext* pContext = NULL);
  QvRootDialogView* GetKernelView() const { return m_view; }
  // The view is being deleted by someone else: the window no longer reaches it.
  void ForgetKernelView(QvRootDialogView* view);

  void OnInitialUpdate() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // Makes the view the active command target; runs only for a class that maps WM_SETFOCUS.
  afx_msg void OnSetFocus(CWnd* pOldWnd);

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()

 private:
  QvRootDialogView* m_view = nullptr;
};
