// The frames' status bar with stacks of template bars: a template bar is a set of panes, each
// holding pane items (text, indicator, progress bar, image) drawn side by side. Showing a
// template bar puts it on top of its status bar's stack; hiding the top one shows the one
// below; an empty stack shows the standard indicators. Items are added, changed and removed
// through QvTemplateBar or, from any window of the thread, through four messages of the bar.
#pragma once
#include <framework.h>
#include <fw_statusbar.h>

#include <vector>

#include "quarnel_api.h"

class CUIStatusBar;
class QvTemplateBar;

enum QVSB_ITEMTYPE { QVSB_NOITEM = 0, QVSB_TEXT = 1, QVSB_INDICATOR = 2, QVSB_PROGRESS = 3, QVSB_IMAGE = 4 };
// The framework's pane styles (SBPS_...), plus QVSB_JOIN.
typedef DWORD QVSB_ITEMSTYLE;
#define QVSB_JOIN 0x1000  // into the preceding item's pane instead of a new pane

// An item as the messages and AddItem/AddItems/SetItem take it.
struct paneItem {
  QVSB_ITEMTYPE type;
  QVSB_ITEMSTYLE style;
  LONG value;   // text: character count (0: as long as the text); indicator: label id;
                // progress: width in pixels; image: image index
  void* data;   // text: the text; image: a CImageList; else NULL
};

// What the add and set messages point to in wParam: the template bar (NULL: the active one,
// filled in by the status bar) and the position (add) or item id (set).
struct QvStatusItemRef {
  QvTemplateBar* bar;
  short number;
};

// Messages of CUIStatusBar.
#define QVSB_SHOWHIDE WM_USER               // wParam bar (NULL active), lParam non-zero hides; 1
#define QVSB_ADDITEM (WM_USER + 1000)       // wParam QvStatusItemRef*, lParam paneItem*; id or -1
#define QVSB_DELETEITEM (WM_USER + 1001)    // wParam bar (NULL active), lParam id; 1, 0 refused
#define QVSB_SETITEM (WM_USER + 1002)       // wParam QvStatusItemRef*, lParam paneItem*; 1, 0 refused

const WORD QVSB_NOID = 0xFFFF;

class QUARNEL_API CPaneItem : public CObject {
  DECLARE_DYNAMIC(CPaneItem)
 public:
  virtual int GetWidth() { return m_width; }
  virtual void SetWidth(int width) { m_width = width; }
  // Draws at (x, y) within a slot of the given height and width.
  virtual void Draw(HDC dc, int x, int y, int height, int paneWidth) = 0;
  // The width the item needs on the status bar.
  virtual int CalcWidth(CWnd* statusBar) = 0;
  virtual QVSB_ITEMTYPE GetType() const = 0;

 protected:
  int m_width = -1;
};

class QUARNEL_API QvTextPaneItem : public CPaneItem {
  DECLARE_DYNAMIC(QvTextPaneItem)
 public:
  // alignment: the SetTextAlign value, TA_LEFT (0), TA_RIGHT (2) or TA_CENTER (6).
  QvTextPaneItem(LPCTSTR text, int chars, int alignment);
  void Draw(HDC dc, int x, int y, int height, int paneWidth) override;
  int CalcWidth(CWnd* statusBar) override;
  QVSB_ITEMTYPE GetType() const override { return QVSB_TEXT; }
  void SetText(LPCTSTR text, int alignment);
  const CString& GetText() const { return m_text; }

 protected:
  CString m_text;
  int m_chars;
  int m_alignment;
};

class QUARNEL_API QvIndicatorPaneItem : public QvTextPaneItem {
  DECLARE_DYNAMIC(QvIndicatorPaneItem)
 public:
  QvIndicatorPaneItem(DWORD labelId, CWnd* statusBar);
  QVSB_ITEMTYPE GetType() const override { return QVSB_INDICATOR; }
  DWORD GetLabelId() const { return m_labelId; }

 private:
  DWORD m_labelId;
};

class QUARNEL_API QvProgressPaneItem : public CPaneItem {
  DECLARE_DYNAMIC(QvProgressPaneItem)
 public:
  // A hidden progress control, child of the status bar.
  QvProgressPaneItem(CWnd* statusBar, int width, DWORD style, DWORD exStyle);
  ~QvProgressPaneItem() override;
  void Draw(HDC dc, int x, int y, int height, int paneWidth) override;
  // The width asked for, bounded by the bar.
  int CalcWidth(CWnd* statusBar) override;
  QVSB_ITEMTYPE GetType() const override { return QVSB_PROGRESS; }
  CProgressCtrl* GetControl() { return m_progress.GetSafeHwnd() ? &m_progress : NULL; }
  void Hide();

 private:
  CProgressCtrl m_progress;
  int m_requested;  // the width asked for
};

class QUARNEL_API QvImagePaneItem : public CPaneItem {
  DECLARE_DYNAMIC(QvImagePaneItem)
 public:
  QvImagePaneItem(CImageList* images, int image);
  void Draw(HDC dc, int x, int y, int height, int paneWidth) override;
  int CalcWidth(CWnd*) override;
  QVSB_ITEMTYPE GetType() const override { return QVSB_IMAGE; }
  void SetImage(CImageList* images, int image);

 private:
  CImageList* m_images;  // borrowed
  int m_image;
};

// The items of one pane (owned) and its style.
class QUARNEL_API CPane : public CObject {
 public:
  explicit CPane(UINT style) : m_style(style) {}
  ~CPane() override;
  int GetWidth() const;
  std::vector<CPaneItem*> m_items;
  UINT m_style;
};

class QUARNEL_API QvTemplateBar : public CObject {
  DECLARE_DYNAMIC(QvTemplateBar)
 public:
  QvTemplateBar();
  explicit QvTemplateBar(CUIStatusBar* bar);
  ~QvTemplateBar() override;
  QvTemplateBar(const QvTemplateBar&) = delete;
  QvTemplateBar& operator=(const QvTemplateBar&) = delete;

  // Joins the status bar and adds item 0: an empty text in a pane without borders.
  BOOL Create(CUIStatusBar* bar);

  // Each returns the new item's id; QVSB_NOID when the item cannot be made. A negative
  // position, or one at or past the item count, appends.
  WORD AddItem(QVSB_ITEMTYPE type, int value, void* data, QVSB_ITEMSTYLE style, short position = -1);
  WORD AddItem(const paneItem* item, short position = -1);
  // The first of count consecutive ids.
  WORD AddItems(int count, const paneItem* items, short position = -1);
  WORD AddTextItem(LPCTSTR text, int alignment, QVSB_ITEMSTYLE style, short position = -1);
  WORD AddTextItem(int chars, int alignment, QVSB_ITEMSTYLE style, short position = -1);
  WORD AddIndicatorItem(int labelId, QVSB_ITEMSTYLE style, short position = -1);
  WORD AddImageItem(CImageList* images, int image, QVSB_ITEMSTYLE style, short position = -1);
  WORD AddProgressItem(int width, DWORD style, DWORD exStyle, QVSB_ITEMSTYLE itemStyle, short position = -1);

  // FALSE for an id that is not in use.
  BOOL DeleteItem(short id);
  // A text record sets the text (centred); an image record sets the image; FALSE otherwise.
  BOOL SetItem(short id, const paneItem* item);
  BOOL SetItemText(short id, LPCTSTR text, int alignment);
  BOOL SetItemImage(short id, CImageList* images, int image);
  QVSB_ITEMTYPE GetItemType(short id);
  // NULL for an item of another kind, or without a status bar.
  CProgressCtrl* GetItemProgress(short id);
  int GetItemCount() const { return static_cast<int>(m_positionIds.size()); }

  void Show();
  void Hide();

  WORD Index2ID(int position) const;
  int ID2Index(short id) const;  // 0xFFFF when not in use
  BOOL IsShown() const { return m_bShown; }
  CUIStatusBar* GetStatusBar() const { return m_pBar; }
  const std::vector<CPane*>& GetPanes() const { return m_panes; }

 private:
  WORD AddItemObject(CPaneItem* item, QVSB_ITEMSTYLE style, short position, int idCount = 1);
  CPaneItem* ItemAt(int position, int* paneIndex = NULL, int* itemIndex = NULL) const;
  WORD NewIds(int count);
  void Rebuild();
  CPaneItem* Make(const paneItem& record);

  std::vector<CPane*> m_panes;
  CUIStatusBar* m_pBar = NULL;
  BOOL m_bShown = FALSE;
  std::vector<WORD> m_positionIds;  // the id of each position
  std::vector<bool> m_idInUse;
  friend class CUIStatusBar;
};

class QUARNEL_API CUIStatusBar : public CStatusBar {
  DECLARE_DYNAMIC(CUIStatusBar)
 public:
  CUIStatusBar();
  ~CUIStatusBar() override;

  void Show(QvTemplateBar* bar);
  void Hide(QvTemplateBar* bar);
  void Detach(QvTemplateBar* bar);
  QvTemplateBar* GetActiveBar() const { return m_stack.empty() ? NULL : m_stack.back(); }
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // Whether a template bar belongs to this status bar (made for it and not yet deleted).
  BOOL IsOwnBar(const QvTemplateBar* bar) const;
  // The framework pane index of a template bar's pane, and the item's rectangle in the bar.
  BOOL GetItemRect(const QvTemplateBar* bar, int position, CRect& rect);
  // A width an item or pane asks for, bounded by the bar: 0 to its client width (the virtual
  // screen's width while it has none).
  static int BoundWidth(CWnd* statusBar, long long width);

 protected:
  afx_msg LRESULT OnShowHide(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnAddItem(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetItem(WPARAM wParam, LPARAM lParam);
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  // The template bar a message names: NULL or this bar's own; NULL when refused.
  QvTemplateBar* MessageBar(QvTemplateBar* named);

 private:
  void ShowStandardIndicators();
  std::vector<QvTemplateBar*> m_stack;  // the last is the active bar; owned
  std::vector<QvTemplateBar*> m_known;  // every template bar made for this status bar
  friend class QvTemplateBar;
  DECLARE_MESSAGE_MAP()
};

// The older pane interface: clients of the bar's messages.
class QUARNEL_API CSBPane {
 public:
  CSBPane(CUIStatusBar& bar, QVSB_ITEMTYPE type, QVSB_ITEMSTYLE style, int value, void* data);
  virtual ~CSBPane();
  CSBPane(const CSBPane&) = delete;
  CSBPane& operator=(const CSBPane&) = delete;
  // Adds the item at a position; FALSE when no id came back.
  virtual BOOL Create(int position);
  WORD GetId() const { return m_id; }

 protected:
  WORD Send(const paneItem& item, short position);
  void DeleteId(WORD id);
  paneItem m_item;
  QvTemplateBar* m_pTemplate = NULL;
  short m_position = -1;
  WORD m_id = QVSB_NOID;
  HWND m_hBar;
};

class QUARNEL_API CSBTextPane : public CSBPane {
 public:
  CSBTextPane(CUIStatusBar& bar, LPCTSTR text);
  BOOL SetText(LPCTSTR text);
};

class QUARNEL_API CSBProgressPane : public CSBPane {
 public:
  CSBProgressPane(CUIStatusBar& bar, int range);
  ~CSBProgressPane() override;
  BOOL Create(int position) override;
  // The position shown in text and on the progress control.
  void SetPos(int pos);
  CProgressCtrl* GetProgress() const { return m_pProgress; }

 private:
  WORD m_ids[3] = {QVSB_NOID, QVSB_NOID, QVSB_NOID};
  CProgressCtrl* m_pProgress = NULL;
};
