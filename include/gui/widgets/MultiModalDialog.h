// CMultiModalDialog: the dialog base of the portable layer's platform dialogs. Its modal run
// lets several user-interface threads of one process each have a modal dialog at the same
// time:
// - every thread has its current modal dialog (keyed by the thread that owns the top-level
//   window of the calling context, or by the calling thread itself when it has no window);
//   a modal dialog started while one is current becomes that one's child;
// - a dialog registered while it already has its window tells the current modal dialogs of
//   the other threads that they are disabled (a state flag, kept by its sender) and tells them
//   again when it ends;
// - activating a window of a modal dialog that another thread runs brings that dialog and its
//   owner forward.
// The shared registry is locked; the cross-thread messages are sent outside the lock. A
// dialog's owner is only ever a window of this process: the desktop or another process's
// window is never taken as the parent and never disabled.
#pragma once
#include <framework.h>
#include <fw_dialog.h>

#include "quarnel_api.h"

class QUARNEL_API CMultiModalDialog : public CDialog {
  DECLARE_DYNAMIC(CMultiModalDialog)
 public:
  // What the current modal dialog is (GetCurrentModalType).
  enum eModalType {
    eNoModal = 0,        // no current modal dialog, or it does not answer
    eMultiModal = 1,     // a multi-modal dialog
    eUnknownModal = 4,   // a dialog answered the question without saying
  };

  CMultiModalDialog();
  explicit CMultiModalDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
  explicit CMultiModalDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  ~CMultiModalDialog() override;

  // The current modal dialog of the calling context; NULL when none. When there is none and
  // no visible window of the context was found, *foreground (when given) receives the
  // foreground window's object.
  static CWnd* PASCAL GetCurrentModalDialog(CWnd** foreground);
  // Makes dialog (may be NULL) the current modal dialog of the calling context.
  static void PASCAL SetCurrentModalDialog(CWnd* dialog);
  static eModalType PASCAL GetCurrentModalType();
  // Tells the current modal dialogs of every other thread to be enabled or disabled.
  static void PASCAL EnableTopLevelDialogs(CWnd* sender, BOOL enable);
  // For the host, when one of its top-level windows changes activation: activating a window
  // of a modal dialog of another thread brings that dialog's owner and the window forward.
  static void PASCAL TopLevelActivate(UINT state, CWnd* window);

  void AddModalDialog(CWnd* dialog);
  void RemoveModalDialog(CWnd* dialog);
  INT_PTR DoModal() override;

  // thread id -> the current modal dialog (CWnd*) of that thread. Reach it only through the
  // operations above: they hold the registry's lock.
  static CMapPtrToPtr c_mappedModalDialogs;
  // The multi-modal dialog that most recently started its modal run in the process.
  static CMultiModalDialog* c_pCurrentMMD;
  // TRUE when SetCurrentModalDialog found no window of the caller to key by.
  static int c_bNoDialogMapped;
  static CTypedPtrArray<CPtrArray, CWnd*> c_allocatedWindows;
  static UINT c_uEnableChildrenMessage;  // "multimodaldlg_EnableChildrenNotify"
  static UINT c_uGetModalTypeMessage;    // "multimodaldlg_GetModalTypeNotify"

 protected:
  // The parent of the modal run: the current modal dialog, else the framework's safe owner
  // of the given parent (or of the caller's foreground window); only windows of this process.
  HWND PreModal();
  void EnableWindowAndChildren(BOOL enable, CWnd* sender);
  void SavePreviousModalDialog(CWnd* dialog);
  void RestorePreviousModalDialog();

  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg LRESULT OnEnableWindowAndChildren(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetModalType(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 protected:
  CWnd* m_pPreviousModalDialog = NULL;  // the thread's current dialog before this one
  BOOL m_bRegistered = FALSE;
  BOOL m_bActivating = FALSE;
  CMultiModalDialog* m_pPreviousProcessModal = NULL;  // c_pCurrentMMD before this one
  BOOL m_bActivatedByAppSwitch = FALSE;
  CMapPtrToWord m_childStates;
  BOOL m_bEnabled = TRUE;
  CWnd* m_pDisabler = NULL;  // the dialog that disabled this one; only it enables it again
};
