// The frames of the portable windows: CGUIFrameWnd (single document) and CGUIMDIFrameWnd
// (multiple documents). Each finds its portable container through the window map
// (GUIGetQvGUIContainer) and puts the frame on the portable command road: commands and
// notifications go to GUIOnCommand and GUIOnNotify, update probes to GUIOnCmdMsg while the
// container is the active target, status prompts, tooltips and help ids come from the
// portable command definitions (through the effective-command map), a close from the system
// menu asks the container first, and the container ends with the window.
#pragma once
#include <framework.h>
#include <fw_mdi.h>

#include "quarnel_api.h"

class QUARNEL_API CGUIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CGUIFrameWnd)

 public:
  CGUIFrameWnd();
  // Deletes the portable container still entered for the frame.
  ~CGUIFrameWnd() override;

  // The portable road first while the frame's container is the active target (or there is
  // neither container nor target); then the framework's routing.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // The message-bar text of the command's portable definition; the text is left as it is
  // when the definition has none.
  void GetMessageString(UINT nID, CString& rMessage) const override;
  // The window text is the portable window's caption (SetCaption): only a frame that adds
  // the document's title to it (FWS_ADDTOTITLE) has it rebuilt.
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // The tracked menu item's help context from its definition; outside a menu the help of the
  // container; else the framework's help.
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg void OnInitMenu(CMenu* pMenu);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  // SC_CLOSE is refused when the container's OnSystemClose answers false.
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  // The container's OnTerminate, then the framework's handling.
  afx_msg void OnDestroy();
  // The tooltip of the portable command (QvGlobalOnToolTipText).
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

  DECLARE_MESSAGE_MAP()
};

class QUARNEL_API CGUIMDIFrameWnd : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CGUIMDIFrameWnd)

 public:
  CGUIMDIFrameWnd();
  ~CGUIMDIFrameWnd() override;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void GetMessageString(UINT nID, CString& rMessage) const override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  // Whether the frame shows a print preview (FALSE: the framework has no preview mode here).
  BOOL m_bPreview = FALSE;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg void OnInitMenu(CMenu* pMenu);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnDestroy();
  // Only the default window procedure.
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  // A change of height moves the minimised document frames by the same amount, so that they
  // stay at the bottom of the client.
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

  DECLARE_MESSAGE_MAP()
};
