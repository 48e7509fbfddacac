// Documents, views and the frame that shows them.
//
// A document keeps the list of its views; a view is a child window that draws its document
// in OnDraw (painting and printing alike) and tells its frame when it becomes active; a frame
// makes its client view from a creation context, keeps it in the pane rectangle left over by
// its bars, and knows its active view.
//
// Lifetime. Views and frames are made on the heap and delete themselves after WM_NCDESTROY.
// A view leaves its document's list when it is destroyed; a document with m_bAutoDelete set
// deletes itself when its last view leaves it.
#pragma once
#include "fw_coll.h"
#include "fw_string.h"
#include "fw_wnd.h"

class CControlBar;
class CDC;
class CDocument;
class CFrameWnd;
class CPrintInfo;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;
class CView;

// Frame styles in the low word of the window style: the document's title goes into the
// frame's title, and before it rather than after it.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
// Help context bases of commands and of frames (WM_COMMANDHELP).
#define HID_BASE_COMMAND 0x00010000UL
#define HID_BASE_RESOURCE 0x00020000UL
// The command that starts the frame's help mode (the host binds Shift+F1 to it).
#define ID_CONTEXT_HELP 0xE145

// Control id of the client view inside its frame.
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF

// What the frame's OnCreateClient needs to make the view of a document.
class FW_API CCreateContext {
 public:
  CRuntimeClass* m_pNewViewClass = nullptr;  // class of the view to make (DYNCREATE)
  CDocument* m_pCurrentDoc = nullptr;        // document the new view joins
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class FW_API CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  // The active document's title, with ":<n>" when m_nWindow is above 0; empty without one.
  CString GetDocumentTitlePart();
  // Loads the accelerators of that name into m_hAccelTable (unless it has a table); FALSE
  // when there is no such resource.
  BOOL LoadAccelTable(LPCTSTR lpszResourceName);
  virtual void SetTitle(LPCTSTR lpszTitle);
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  // The view list. AddView ignores a view already in a document; RemoveView ignores one that
  // is not in this document.
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  POSITION GetFirstViewPosition() const;
  CView* GetNextView(POSITION& rPosition) const;
  // OnUpdate of every view but the sender.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

  // Called after the view list changed; deletes the document when it has no view left and
  // m_bAutoDelete is set.
  virtual void OnChangedViewList();
  virtual void DeleteContents() {}

  BOOL m_bAutoDelete;  // TRUE at construction

 protected:
  CString m_strTitle;
  BOOL m_bModified;
  CPtrList m_viewList;
};

class FW_API CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CDocument* GetDocument() const { return m_pDocument; }
  // The nearest ancestor window whose object is a CFrameWnd; NULL when none.
  CFrameWnd* GetParentFrame() const;

  // Commands go to the view's own handlers, then to its document's.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  virtual BOOL IsSelected(const CObject* pDocItem) const;
  // Sets up a DC before OnDraw; the base does nothing.
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
  // After the view was made and joined its document: OnUpdate(NULL, 0, NULL).
  virtual void OnInitialUpdate();
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
  // Scroll hooks of views that scroll; the base scrolls nothing and answers FALSE.
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

  // Draws the document on a screen, printer or memory DC.
  virtual void OnDraw(CDC* pDC) = 0;

  // The printer of the job: a direct or preview job takes the application's printer
  // (the default one), else the print dialog runs through the application. FALSE when
  // there is no printer DC afterwards or the dialog was cancelled.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  // Shows the view's pages in print preview (a CPreviewView of the class given, the
  // framework's when NULL, in the view's place in its frame). FALSE when the job is refused or
  // has no printer, or the preview cannot be made.
  BOOL DoPrintPreview(CRuntimeClass* pPreviewViewClass = NULL);

 protected:
  CView();
  ~CView() override;

  // The document changed: the base invalidates the whole window.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  // Printing hooks; the base refuses to print and draws a page with OnDraw.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  // Whether the print loop prepares each page's DC again once StartPage has run (starting a
  // page resets a printer DC's state on some platforms); the base answers TRUE.
  virtual BOOL PrepareDCAfterStartPage() const { return TRUE; }

  // Without a class name: the framework's class of frames and views (window background).
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  // WM_INITIALUPDATE (sent by the frame): OnInitialUpdate.
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
  // WM_PRINTCLIENT: OnPrepareDC and OnDraw on the given DC.
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT (views map them to it): the framework's print
  // loop over the pages the job asks for.
  afx_msg void OnFilePrint();
  // The print job OnFilePrint runs, on a job record of the caller's: OnPreparePrinting, the
  // output file when the job prints to a file, OnBeginPrinting, the pages between StartDoc
  // and EndDoc, OnEndPrinting. The main window is disabled meanwhile; bInteractive adds the
  // printing status dialog and a message when the document cannot be started. TRUE only
  // when every page went to the printer: a job refused, cancelled or aborted answers FALSE.
  BOOL RunPrintJob(CPrintInfo* pInfo, BOOL bInteractive);

  CDocument* m_pDocument;

  DECLARE_MESSAGE_MAP()

  friend class CDocument;
  friend class CPreviewView;
};

class FW_API CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd();
  ~CFrameWnd() override;

  static const CRect rectDefault;  // CW_USEDEFAULT position and size

  // Creates the frame window; the context, when given, makes the client view.
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
              DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
  // Creates the frame from the resources with id nIDResource: its menu (RT_MENU), its
  // accelerators (RT_ACCELERATOR, kept in m_hAccelTable) and its title (the string's first
  // line-feed separated part). FALSE when the window or a named menu cannot be made.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
  // Shows the frame (nCmdShow -1: as it is, or restored when minimised), brings it to the
  // top and brings its title up to date.
  virtual void ActivateFrame(int nCmdShow = -1);
  // Without FWS_ADDTOTITLE, or without a document, the window text is the frame title.
  // Otherwise "<frame title> - <document>", or "<document> - <frame title>" with
  // FWS_PREFIXTITLE; the document part carries ":<n>" when m_nWindow is above 0.
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  // Shows hMenuAlt, or the default menu m_hMenuDefault, as the frame's menu.
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  // The frame's own accelerators (NULL: none).
  virtual HACCEL GetDefaultAccelerator() { return m_hAccelTable; }
  // While a modal window runs over the frame: the frame and the top-level windows it owns are
  // disabled; EndModalState enables those it disabled. The calls nest.
  void BeginModalState();
  void EndModalState();
  BOOL InModalState() const { return m_cModalStack > 0; }
  // The title without the document part, as LoadFrame or the caller set it.
  void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
  const CString& GetTitle() const { return m_strTitle; }
  // The active document's title, with ":<n>" when m_nWindow is above 0; empty without one.
  CString GetDocumentTitlePart();
  // Loads the accelerators of that name into m_hAccelTable (unless it has a table); FALSE
  // when there is no such resource.
  BOOL LoadAccelTable(LPCTSTR lpszResourceName);

  BOOL PreTranslateMessage(MSG* pMsg) override;

  HMENU m_hMenuDefault = NULL;  // the menu shown without a document menu (owned from LoadFrame)
  HACCEL m_hAccelTable = NULL;  // owned; destroyed with the frame
  UINT m_nIDHelp = 0;           // the frame's resource id, the base of its help context
  UINT m_nIDTracking = 0;       // the menu item being tracked (WM_MENUSELECT), 0 when none
  int m_nWindow = -1;           // the frame's number among its document's frames, -1: none
  BOOL m_bAutoMenuEnable = TRUE;  // items without an update handler or command are disabled

  // Makes a view of pContext->m_pNewViewClass as a child with the given id; NULL on failure.
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  // OnInitialUpdate of every view of the frame, makes the first view active and shows the
  // frame when bMakeVisible is set.
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

  virtual CView* GetActiveView() const { return m_pViewActive; }
  // Tells the old and the new view (OnActivateView) when bNotify is set.
  virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  // Lays the bars out (WM_SIZEPARENT) and gives the pane AFX_IDW_PANE_FIRST the rest.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // The bar with child id nID, NULL when there is none.
  CControlBar* GetControlBar(UINT nID);
  // Shows or hides the bar; the layout follows now, or at the next RecalcLayout with bDelay.
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);

  // The status prompt of a command: the text of its string resource up to the first line
  // feed (after it comes the tooltip); empty when the id has no string.
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  // Shows the text in the message bar (the status bar, AFX_IDW_STATUS_BAR); the id form shows
  // the command's prompt.
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  virtual CWnd* GetMessageBar();

  // Docking (fw_dock.h). EnableDocking makes the dock bars of the sides in dwDockStyle.
  void EnableDocking(DWORD dwDockStyle);
  // The same with dock bars of a class derived from CDockBar; a failed creation throws the
  // framework's resource exception.
  void EnableDocking(DWORD dwDockStyle, CRuntimeClass* pDockBarClass);
  // nDockBarID 0: the first side the bar may dock at. lpRect (screen) chooses the row and place.
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
  // Floats the bar in a new floating frame whose top left is point (screen).
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
  CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  // The side whose dock bar rect (screen) touches, among dwDockStyle; 0 when none.
  DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = NULL);
  // The saved layout in the application profile; a missing or damaged one changes nothing.
  void LoadBarState(LPCTSTR lpszProfileName);
  void SaveBarState(LPCTSTR lpszProfileName) const;
  // FALSE, and nothing changed, when the state does not fit the frame's bars.
  BOOL SetDockState(const CDockState& state);
  void GetDockState(CDockState& state) const;
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);
  // The layout runs at the next idle time (several requests make one layout).
  void DelayRecalcLayout(BOOL bNotify = TRUE);

  CPtrList m_listControlBars;  // CControlBar*, in order of creation
  CRuntimeClass* m_pFloatingFrameClass = NULL;  // NULL: CMiniDockFrameWnd
  DWORD m_dwDockStyle = 0;
  enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
  UINT m_nIdleFlags = 0;

  // Commands go to the active view (and its document), then to the frame's own handlers,
  // then to the application.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Help mode (ID_CONTEXT_HELP): the mouse is captured with the help cursor (IDC_HELP) until a
  // click picks what to explain or Escape, the right button, a click outside the frame's windows
  // or a lost capture cancels. A click gives the context of the window under it (the first
  // window from there up to the frame that answers WM_HELPHITTEST, else its frame's resource
  // context); a command chosen from a menu or by its accelerator meanwhile gives that command's
  // context (HID_BASE_COMMAND + id) and does not run. The picked context goes to the frame as
  // WM_COMMANDHELP. Nothing happens while help mode or a modal state already runs.
  afx_msg void OnContextHelp();
  BOOL IsInHelpMode() const { return m_bHelpMode; }
  // Whether the caption was last drawn active (it may be while a floating frame is active).
  BOOL IsCaptionActive() const { return m_bCaptionActive; }
  // Whether hWnd is a floating frame of this frame that keeps its caption in step with it.
  BOOL IsSyncFloating(HWND hWnd) const;
  // One message of the help loop; TRUE ends help mode with *pContext picked (0: cancelled).
  virtual BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext);
  // In help mode: takes a command chosen from a menu or an accelerator as the help pick (TRUE);
  // FALSE outside help mode, where the command runs.
  BOOL PickHelpCommand(UINT nID);

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  // Update probes for the popup's items (the system menu excepted), then the default.
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  // Keeps m_nIDTracking: the item's id, 0 when the menu closes or a popup is selected.
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  // WM_COMMANDHELP: lParam the help context, 0 for the tracked item's (0x10000 + id) or the
  // frame's own (0x20000 + m_nIDHelp); opens it with WinHelp and answers TRUE.
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  CString m_strTitle;
  int m_cModalStack = 0;
  CPtrArray m_modalDisabled;  // windows BeginModalState disabled
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  // Tells the active view (OnActivateFrame) after the default activation. Losing the
  // activation to a window its caption stays active for, the caption is drawn active again.
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  // WM_NCACTIVATE: the caption stays active while the window becoming active is one it keeps
  // in step with (KeepsCaptionActiveFor), then the floating frames in step with this frame
  // (MFS_SYNCACTIVE) take the same state.
  afx_msg LRESULT OnNcActivateSync(WPARAM wParam, LPARAM lParam);
  // Whether the caption stays active when hWndNext becomes the active window: for a frame, one
  // of its floating frames that keep in step with it.
  virtual BOOL KeepsCaptionActiveFor(HWND hWndNext) const;
  // Gives the floating frames in step with this frame the caption state.
  void SyncFloatingCaptions(BOOL bActive);
  BOOL m_bCaptionActive = FALSE;  // the state the caption was last drawn in
  // WM_SETMESSAGESTRING: wParam a command id (AFX_IDS_IDLEMESSAGE: the idle prompt) or 0 with
  // the text in lParam; answers the id shown before.
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  // A delayed layout runs.
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  // TTN_NEEDTEXT (ANSI and wide) of the framework's tooltips: the text after the line feed
  // of the command's string resource.
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  // The menu items with a bar's id are checked while the bar is visible, and toggle it.
  afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  afx_msg BOOL OnBarCheck(UINT nID);

  CView* m_pViewActive;
  UINT m_nIDLastMessage = 0;  // the id whose prompt the message bar shows

  // Help mode: its cursor while it runs, the context of the window under a screen point, and
  // whether a window takes part (the frame, its children and the windows it owns).
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  DWORD HelpContextAt(HWND hWnd, CPoint screen);
  BOOL IsHelpTarget(HWND hWnd) const;
  BOOL m_bHelpMode = FALSE;
  DWORD m_dwHelpPicked = 0;
  HCURSOR m_hHelpCursor = NULL;

 private:
  BOOL m_bInRecalcLayout = FALSE;
  void ForgetControlBars();

  DECLARE_MESSAGE_MAP()

  friend class CView;
};
