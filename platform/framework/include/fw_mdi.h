// Multiple-document frames: the main frame holds the MDI client window, in the pane that its
// bars leave; its document frames are MDI children of that client. The main frame shows the
// active document frame's menu, lists the document frames in its window menu (the system's
// list, ids from AFX_IDM_FIRST_MDICHILD), lets the active document frame translate keys first
// and sends commands to the active document frame before its own handlers.
#pragma once
#include "fw_view.h"

// Child id of the first document frame in the system's window list.
#define AFX_IDM_FIRST_MDICHILD 0xFF00
// The window commands the main frame handles.
#define AFX_IDM_WINDOW_NEW 0xE130
#define AFX_IDM_WINDOW_ARRANGE 0xE131
#define AFX_IDM_WINDOW_CASCADE 0xE132
#define AFX_IDM_WINDOW_TILE_HORZ 0xE133
#define AFX_IDM_WINDOW_TILE_VERT 0xE134
#define AFX_IDM_WINDOW_SPLIT 0xE135

class CMDIChildWnd;

class FW_API CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)

 public:
  CMDIFrameWnd();
  ~CMDIFrameWnd() override;

  // Makes the MDI client (child id AFX_IDW_PANE_FIRST) listing the document frames in
  // pWindowMenu (none: no list). Called by OnCreateClient.
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  // The popup of hMenuBar that holds the window commands (AFX_IDM_WINDOW_NEW..AFX_IDM_WINDOW_SPLIT);
  // failing that the popup before the last one (or the only one); NULL for no popup.
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

  // The active document frame (NULL: none, or not a framework CMDIChildWnd); pbMaximized
  // receives whether it is maximised.
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDIMaximize(CWnd* pWnd);
  void MDIRestore(CWnd* pWnd);
  void MDINext();
  void MDIPrev();
  void MDICascade(int nType = 0);
  void MDITile(int nType = MDITILE_HORIZONTAL);
  void MDIIconArrange();
  // Shows the menu pair (frame menu, window menu popup) through the client; answers the menu
  // shown before. pFrameMenu NULL keeps the frame menu, pWindowMenu NULL the window list.
  CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

  // The active document frame, or the main frame itself without one.
  CFrameWnd* GetActiveFrame() override;
  // Without a document frame: the default menu (or hMenuAlt) with its window popup.
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  // "<frame title> - <active document frame's text>" with FWS_ADDTOTITLE and an active
  // document frame that is not maximised; the frame title otherwise (the system adds a
  // maximised frame's text itself).
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  // Commands go to the active document frame first, then to the main frame.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // Keys: the active document frame's accelerators, the system's MDI keys (Ctrl+F4,
  // Ctrl+F6), then the main frame's own accelerators.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND m_hWndMDIClient = NULL;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  // A menu command without a sender that no handler takes still ends here; the window list
  // ids activate their document frame.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  afx_msg BOOL OnMDIWindowCmd(UINT nID);
  // The context of the active document frame's tracked item, else the main frame's.
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};

class FW_API CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;

  // Creates the document frame in pParentWnd's client (NULL: the application's main window)
  // through WM_MDICREATE; pContext makes the view as for any frame.
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
  // The resources of nIDResource: its menu becomes the shared menu shown while this frame is
  // active (owned by this frame), its accelerators this frame's own.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
  // Shows the frame, activates it (maximised when the active one was) and updates its title.
  void ActivateFrame(int nCmdShow = -1) override;
  BOOL DestroyWindow() override;
  // The main frame (the client's parent).
  CMDIFrameWnd* GetMDIFrame() const;

  void MDIDestroy() { DestroyWindow(); }
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();

  // Chooses the menu while the frame activates or deactivates: hMenuAlt, else the document's
  // (none here), else the shared menu; the main frame shows it with its window popup. When the
  // last document frame deactivates (pActivateWnd NULL), the main frame's default menu.
  virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  // Keys go to this frame's own accelerators, translated for the main frame.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HMENU m_hMenuShared = NULL;
  BOOL m_bOwnsSharedMenu = FALSE;  // set by LoadFrame; the menu is destroyed with the frame
  BOOL m_bPseudoInactive = FALSE;  // active only because the client needs an active child

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // WM_CREATE arrives with an MDICREATESTRUCT; the context is in its lParam.
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg void OnSize(UINT nType, int cx, int cy);

  DECLARE_MESSAGE_MAP()
};
