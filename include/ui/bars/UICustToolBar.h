// Flat toolbars and the customisable toolbars of command-centre commands: image, text,
// drop-down menu and control buttons, made from a resource list of command ids, pruned by the
// user's rights and kept current in idle time.
#pragma once
#include "quarnel_api.h"

#include <fw_bars.h>
#include <fw_oledata.h>

class CUICommand;
class CCustToolBar;

// The clipboard format "DragQvCommand" of commands dragged between toolbars: registered on
// first use, 0 until then.
extern QUARNEL_API UINT icfDragCommand;

// The 80-byte block a dragged command travels in. It names the command, it does not carry it:
// the command is looked up in the command centre (or, for a drop-down menu button, is the
// temporary command of the drag in progress) in the process that made the block.
struct QUARNEL_API CommandDragPayload {
  DWORD dwSourceBar;   // window of the source toolbar (handles are 32-bit significant)
  LONG nSourceIndex;   // index of the dragged button in the source toolbar
  DWORD dwProcessId;   // the process that made the block; any other one is refused
  DWORD dwCommandId;
  DWORD dwToken;       // non-zero: the temporary command of the drag in progress
  BYTE reserved[60];   // zero
};
static_assert(sizeof(CommandDragPayload) == 80, "the payload block is 80 bytes");

// The drop source of a command drag: the system's cursors.
class QUARNEL_API CCommandDropSource : public COleDropSource {
 public:
  SCODE GiveFeedback(DROPEFFECT dropEffect) override;
};

// A toolbar's drop target for dragged commands; counted, deleted at the last Release.
class QUARNEL_API CCommandDropTarget : public IDropTarget {
 public:
  explicit CCommandDropTarget(CCustToolBar* pBar) : m_pBar(pBar) {}
  virtual ~CCommandDropTarget() = default;

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  STDMETHOD(DragEnter)(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  STDMETHOD(DragLeave)() override;
  STDMETHOD(Drop)(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

  CCustToolBar* m_pBar;
  int m_nIndex = -1;  // the button under the cursor
  LONG m_cRef = 1;
  BOOL m_bOffered = FALSE;  // the drag in progress offers the format

  // Whether the screen point lies in the after half of the indexed button.
  BOOL IsAfter(POINTL pt) const;
  // Takes the button under the screen point as the indexed one (kept when there is none).
  void TrackIndex(POINTL pt);
  // Disconnects the target from its bar (the bar is going).
  void Detach() { m_pBar = NULL; }
};

// Framework button style bits (see fw_bars.h): disabled, checked, pressed, indeterminate.
enum : UINT {
  UI_TBBS_CHECKED = 0x10000,
  UI_TBBS_PRESSED = 0x20000,
  UI_TBBS_DISABLED = 0x40000,
  UI_TBBS_INDETERMINATE = 0x100000,
};

// The update probe of a flat toolbar's button, on the framework's packed button styles.
// Checks as the framework's probe does (with the check-box style).
class QUARNEL_API CFlatToolCmdUI : public CToolCmdUI {
 public:
  // Disabling also drops the check and pressed states.
  void Enable(BOOL bOn = TRUE) override;
};

class QUARNEL_API CFlatToolBar : public CToolBar {
  DECLARE_DYNAMIC(CFlatToolBar)

 public:
  // The framework toolbar with the flat style added.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) override;
  using CToolBar::Create;

  // Button records in the framework's packing: the enabled state bit inverted.
  virtual void _GetButton(int nIndex, TBBUTTON* pButton);
  // Applies only what differs from the button (by index); 0 when nothing differed.
  virtual int _SetButton(int nIndex, TBBUTTON* pButton);
  // Applies the record to the button at nIndex (by index: buttons sharing an id stay apart).
  virtual int _SetButton(int nIndex, TBBUTTONINFOW* pInfo);
  void SetButtonStyle(int nIndex, UINT nStyle) override;
  virtual BOOL SetButtonText(int nIndex, LPCWSTR lpszText);
  // At most 512 characters; empty when there is no such button.
  virtual void GetButtonText(int nIndex, CString& rText);
  using CToolBar::GetButtonText;

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  // Appends image `index` (of the given width) of `source` to the strip: a new strip as wide
  // as the old plus width replaces *strip (the old one is deleted). The result is the index of
  // the appended image, or the old image count when nothing could be made.
  static int AppendBitmapForToolbar(HBITMAP* strip, HBITMAP source, int index, int width);
  // The same from a bitmap resource of the module chain, loaded once per id and face colour
  // (light grey shown as the button face).
  static int AppendBitmapForToolbar(HBITMAP* strip, UINT bitmapId, int index, int width);
  // The cached bitmap of a resource id in the current face colour; NULL when it cannot be
  // loaded. The cache owns it.
  static HBITMAP GetToolbarBitmap(UINT bitmapId);

 protected:
  // Set when buttons changed their sizes: GetItemRect lays the bar out first.
  BOOL m_bDelayedButtonLayout = TRUE;

  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
  DECLARE_MESSAGE_MAP()
};

// What a button's data word points to (buttons with style bit 0x10).
struct QUARNEL_API TBBUTTON_DATAS {
  enum Kind { kMenu = 0, kText = 1, kControl = 2 };
  TBBUTTON_DATAS(HMENU menu, CCmdUI* probe);
  TBBUTTON_DATAS(CWnd* control, CCmdUI* probe);
  explicit TBBUTTON_DATAS(CCmdUI* probe);
  ~TBBUTTON_DATAS();
  TBBUTTON_DATAS& operator=(const TBBUTTON_DATAS& other);
  TBBUTTON_DATAS(const TBBUTTON_DATAS&) = delete;

  int m_nKind;
  CCmdUI* m_pCmdUI;  // owned
  int m_nTextWidth = -1;  // the text's width in the bar's font, once measured
  union {
    HMENU m_hMenu;
    CWnd* m_pControl;
  };
};

// The control window of a control button, NULL for any other button. Only records that a
// toolbar made and still holds count: a stray data word is never followed.
QUARNEL_API CWnd* IsControlButton(TBBUTTON* pButton);
// The menu of a drop-down menu button, else NULL.
QUARNEL_API HMENU IsDropDownButton(TBBUTTON* pButton);

class QUARNEL_API CCustToolBar : public CFlatToolBar {
  DECLARE_DYNAMIC(CCustToolBar)

 public:
  CCustToolBar();
  ~CCustToolBar() override;

  // A visible top bar (0x50002800) loaded from the resource list; 1 whenever the window was made.
  virtual int CreateAndLoad(CWnd* pParentWnd, UINT nID, UINT nResourceId, UINT nTitleLabel);
  virtual int Create(CWnd* pParentWnd, UINT nID, UINT nTitleLabel, DWORD dwStyle);
  using CFlatToolBar::Create;
  // Rebuilds the buttons from the resource list (fromResource) or from the current ids; the
  // result is whether buttons remain, 0 when the list cannot be read or is malformed.
  virtual int Reload(int fromResource);
  virtual int MustBeFirstOnLeft() { return 0; }
  virtual int MustBeAloneVertically() { return 0; }
  virtual int GetRealClientArea(CRect& rect);
  virtual int GetButtonWidth(TBBUTTON* pButton);
  virtual int GetButtonHeight(TBBUTTON* pButton);
  virtual HMENU GetButtonMenu(int nIndex);
  virtual void DrawDropDownMenu(HDC hDC, CRect& rect);
  virtual void OnInsertDropDownMenu(UINT nID);
  virtual void OnControlResize(UINT nID);
  virtual void RecalcControlPos();
  virtual int DropDownIconSize() { return 9; }
  // The first id above 0xDF00 that no button has; 0 when all up to 0xDFFF are taken.
  virtual UINT GetUniqueMenuButtonId();
  virtual int CheckSecurityCommands();
  virtual HFONT GetDefaultFont(int create);
  virtual int CanOpen() { return 1; }
  virtual int CanClose() { return 1; }
  virtual int AppearInToolbarDialog() { return GetCount() > 0; }
  virtual int SaveWithMainToolbars() { return 1; }
  virtual void DoNcPaint(CDC* pDC);
  virtual void EnableDocking(DWORD dwDockStyle);
  virtual CSize CalcSize(TBBUTTON* pButtons, int nCount);
  virtual CSize CalcLayout(DWORD dwMode, int nLength);

  // Adds the command's button at index (NULL: a separator); 0 when nothing was added.
  int AddCommand(int nIndex, CUICommand* pCommand, int bRelayoutFrame);
  // Shows the drop-down menus of the bar from the button of id on (see the menu bar), tracked as
  // cool menus (defined with them, in ui/menus).
  void DoMenu(int nID);
  // Drags a command off button nIndex (selected first); the button goes when the drop was a
  // move. The source may be given (NULL: a CCommandDropSource). The effect of the drop.
  DROPEFFECT DoDrag(CUICommand* pCommand, UINT nIndex);
  DROPEFFECT DoDrag(CUICommand* pCommand, UINT nIndex, COleDropSource* pDropSource);
  void Select(int nIndex);
  void Unselect();
  int GetSelected() const { return m_nSelected; }
  // The narrowest width that keeps the row count (or, vertically, fits the length).
  CSize SizeToolBar(TBBUTTON* pButtons, int nCount, int nLength, BOOL bVert);
  void WrapToolBar(TBBUTTON* pButtons, int nCount, int nWidth);

  void GetItemRect(int nIndex, LPRECT lpRect) const override;
  BOOL SetButtonText(int nIndex, LPCWSTR lpszText) override;
  using CFlatToolBar::SetButtonText;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  int IsCustomizingToolBar() const { return m_bCustomizing; }
  // Enters or leaves customisation mode: buttons can be dragged off and dropped onto the bar
  // only while it is on (the bar's drop target is registered for that time).
  void SetCustomizingToolBar(int customizing);
  // The insertion point (TB_GETINSERTMARK): button index and flags (TBIMHT_AFTER), -1 when none.
  int GetInsertIndex() const { return m_nInsertIndex; }
  // The bar's drop target, made on first use (a reference the caller releases).
  CCommandDropTarget* GetDropTarget();
  // The button under a client point, -1 when none.
  int ButtonAt(CPoint point);
  int IsPersistentToolBar() const { return m_bPersistent; }
  void SetPersistentToolBar(int persistent) { m_bPersistent = persistent; }
  int CheckEffectiveCommandStatus() const { return m_bCheckEffective; }
  void SetCheckEffectiveCommandStatus(int on) { m_bCheckEffective = on; }
  UINT GetResourceId() const { return m_nResourceId; }

  // Reads a button list resource: 16-bit command ids ending with 0, within the resource's
  // size. FALSE (ids emptied) for a missing resource, an odd size, a list without its end
  // or one longer than kMaxButtonList.
  static BOOL ReadButtonList(UINT nResourceId, CWordArray& ids);
  enum { kMaxButtonList = 4096 };

  static CCustToolBar* sSelected;
  // The calling thread's WH_MOUSE hook for the tooltips, there while any customisable toolbar
  // of the thread lives (NULL otherwise), and the number of those toolbars. Each thread that
  // makes toolbars has its own: a hook sees only the messages of the thread it was set on.
  static HHOOK TooltipHookOfThread();
  static int TooltipHookUsersOfThread();

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL GetFlyByText(UINT nID, CString& text) override;
  // The menus of the buttons report to the main window; their commands reach it first.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Borders and the gripper: the margins of the client area inside the window.
  CRect InsideMargins() const;
  // The button's rectangle from the bar's own sums of widths and heights.
  CRect OwnItemRect(int nIndex);
  // The 6-pixel strip of the insertion point, centred on the edge of its button (left or
  // right, top or bottom); empty when there is none.
  CRect InsertionStrip() const;
  // A 2-pixel black line through the strip with an arrow at each end pointing at it.
  void DrawInsertionPoint(HDC hDC);
  // The index of the button a custom-draw record is about, -1 when none.
  int IndexOfDrawnItem(const NMCUSTOMDRAW& cd);
  // Image `image` of the bar's lists centred in rect, in the look of the custom-draw state.
  void DrawButtonImage(HDC hDC, const CRect& rect, int image, UINT state);
  // Inserts a drop-down menu button (styles 0x18) with the menu and the text; its id is the
  // given one, or with 0 a free one of its own.
  int InsertMenuButton(int nIndex, HMENU hMenu, const CString& text, UINT nID = 0);
  void DeleteAllButtons();
  // Adds the image buttons and separators gathered while loading in one go.
  void FlushPendingButtons();
  void SetSizesByFlag();
  // The normal image list from the strip; the disabled and hot ones are dropped, to be made
  // from the strip when first drawn.
  void MakeImageLists();
  // The image list of a look (0 normal, 1 disabled, 2 hot), made on first use and given to the
  // control; NULL when there is no strip.
  HIMAGELIST ImagesOfLook(int look);
  // The strip and the image lists made again in the current colours, for the same buttons.
  void RemakeImages();

  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSysColorChange();
  afx_msg void OnDestroy();
  afx_msg void OnNcPaint();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnGetItemRect(WPARAM wParam, LPARAM lParam);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnGetObject(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg LRESULT OnSetInsertMark(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetInsertMark(WPARAM wParam, LPARAM lParam);

  UINT m_nResourceId = 0;
  int m_nSelected = -1;
  int m_bCustomizing = 0;
  int m_bPersistent = 1;
  int m_bKeep = 1;
  DWORD m_dwExtraStyle = 0x4200;  // TBSTYLE_REGISTERDROP | TBSTYLE_WRAPABLE
  int m_nInsertIndex = -1;
  int m_nInsertFlags = -1;
  HBITMAP m_hStrip = NULL;  // owned
  int m_bMenuBar = 0;
  UINT m_nTitleLabel = 0;
  HMENU m_hSysMenu = NULL;
  int m_nTrackIndex = -1;
  int m_nNextIndex = -1;
  int m_bDone = 1;
  HMENU m_hMenuSelected = NULL;
  HMENU m_hMenuOpen = NULL;
  int m_bSubMenuSelected = 0;
  HWND m_hWndPopup = NULL;
  int m_bCheckEffective = 1;
  HFONT m_hFont = NULL;  // owned
  HIMAGELIST m_hImages = NULL;
  HIMAGELIST m_hImagesDisabled = NULL;
  HIMAGELIST m_hImagesHot = NULL;
  DWORD m_dwDockStyle = 0;
  int m_nWidthSum = 0;  // the buttons' widths while below three quarters of the screen
  int m_nFloatWidth = 0;  // the width a floating bar was last laid out in
  CCommandDropTarget* m_pDropTarget = NULL;  // one reference held
  BOOL m_bDropRegistered = FALSE;  // registered with the system while customising

  friend class CCommandDropTarget;

  DECLARE_MESSAGE_MAP()
};

// Module-wide toolbar settings: large buttons (0 at load), tooltips (1), hot keys in
// tooltips (1). Each pointer may be NULL.
QUARNEL_API void UIGetToolBarParams(int* large, int* tooltips, int* hotKeys);
QUARNEL_API void UISetLargeButton(int large);
QUARNEL_API void UISetShowHK(int show);
// Sets or clears CBRS_TOOLTIPS on every control bar of the main frame when the flag changes.
QUARNEL_API void UISetShowTT(int show);
// One WM_NOTIFY per control bar of the main frame with the bar's window, id and the code.
QUARNEL_API int NotifyAllControlBars(int code);
