// The tree list: an owner-drawn tree shown as a flat list of rows (window class "QvTreeList").
// Every item is a row of one array in display order; the tree is carried by each item's level
// (TreeListItems). Items are addressed by their row or, with kByID, by their id, which is
// never reused and survives every change, a sort included.
//
// Each row shows, left to right: tree lines and the expand button (kLines, kButtons), a check
// box (kChecks, three states), the application's images for the item's type and the label in
// one of four fonts (bold, italic). Labels are edited in place (CTreeEdit) after a click on
// the only selected label, and a label cut by the client edges shows in a tooltip window
// (CTooltipWnd) under the pointer.
//
// Events go to the parent as WM_NOTIFY with an NMHDR {window, control id, code} (codes below);
// the item and part of the last notification are read back with GetLastNotifItem and
// GetLastItemPosition. The list answers WM_SETFONT/WM_GETFONT, WM_SETREDRAW (nested through
// FreezeRedraw) and WM_PRINTCLIENT, and frees its state on WM_NCDESTROY.
//
// Failure values: operations on a bad item answer 0, false or -1 and change nothing.
#pragma once
#include <framework.h>

#include <memory>
#include <string>
#include <vector>

#include "TreeListItems.h"
#include "UIHandles.h"
#include "quarnel_api.h"

class CTreeEdit;
class CTooltipWnd;
class QvDragSel;

// The value after the header of the key notifications (-97, -98).
struct TreeListKeyNotify {
  NMHDR hdr;
  long value;
};

class QUARNEL_API CGUITreeList : public CWnd {
  DECLARE_DYNCREATE(CGUITreeList)
 public:
  // The list's flags (GetFlags / SetFlags).
  enum : DWORD {
    kInitialised = 0x1,
    kHasFocus = 0x2,
    kByID = 0x4,
    kMultipleSel = 0x8,
    kButtons = 0x10,
    kLines = 0x20,
    kChecks = 0x40,
    kTooltips = 0x80,
    kRangesPending = 0x100,
    kEditEnabled = 0x200,
    kEditDisabled = 0x400,
    kEditTimer = 0x800,
    kEditing = 0x1000,
    kDragEnabled = 0x2000,
    kAutoScrolled = 0x4000,
    kClickPending = 0x8000,
    kEditCancelling = 0x10000,
    kHoldNotify = 0x20000,
    kNotifyHeld = 0x40000,
    kNoSelectDisabled = 0x80000,
    kNotifySelectDisabled = 0x100000,
    kNoCheckDisabled = 0x200000,
    kNotifyCheckDisabled = 0x400000,
    kTabKey = 0x800000,
  };
  // Parts of a row (hit-testing).
  enum Part { kNowhere = 0, kButtonPart = 1, kCheckPart = 2, kImagePart = 3, kLabelPart = 4 };
  // Item types (GetItemType, images).
  enum Type { kBadItem = 0, kTerminal = 1, kClosedContainer = 2, kOpenContainer = 3 };
  // Notification codes.
  enum : int {
    kNotifyFocus = 100,
    kNotifyKillFocus = 101,
    kNotifyClick = 102,
    kNotifyRightClick = 103,
    kNotifyDoubleClick = 104,
    kNotifySelection = 105,
    kNotifyCheck = 106,
    kNotifyText = 107,
    kNotifyExpanded = 108,
    kNotifyCollapsed = 109,
    kNotifyBeginDrag = 110,
    kNotifyEditArmed = 111,
    kNotifyContextMenu = -96,
    kNotifyEditCommand = -97,
    kNotifyKey = -98,
  };
  // Item style bits (GetItemStyle / SetItemStyle).
  enum : BYTE { kBold = 0x1, kItalic = 0x2, kGreyed = 0x10 };
  // The timer that starts editing after a click on the selected label.
  enum { kEditTimerId = 1000, kEditorId = 100 };
  // Posted to itself: the horizontal range is measured once after a batch of changes.
  enum : UINT { kMeasureMessage = WM_APP + 0x3A1 };
  // Images of the list's own bitmap (256): the expand buttons and the check boxes.
  enum { kOwnBitmap = 256, kOpenButtonImage = 0, kClosedButtonImage = 1, kCheckImage = 2 };
  static const long kNone = -1;

  CGUITreeList();
  ~CGUITreeList() override;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Fonts, brushes, the own images and the row height; sets kInitialised. False on failure.
  bool Initialize();

  int GetCount() const { return static_cast<int>(m_items.Count()); }
  // New items (see the item arguments above); the new item, or -1.
  long AddSuccessor(long item, const wchar_t* text);
  long AddDescendant(long item, const wchar_t* text);
  long AddPredecessor(long item, const wchar_t* text);
  BOOL DeleteItem(long item, bool withDescendants);
  BOOL DeleteDescendants(long item);
  // Copies or moves src (with its subtree, or alone) after dst's subtree, or as dst's last
  // child. A move keeps ids and state; copies are new items (see TreeListItems::MoveOrCopy).
  // 0 for a bad item, when a moved container would leave its descendants behind, or when dst
  // lies in src's subtree.
  BOOL CopyOrMove(long src, long dst, bool withDescendants, bool move, bool asChild);
  BOOL Expand(long item, bool notify = true, bool recurse = false);
  BOOL ExpandEx(long item, bool recurse, bool notify);
  BOOL Collapse(long item);
  BOOL Select(long item, bool on, bool notify);
  void DeselectAll();
  BOOL IsSelected(long item) const;
  long GetSelected() const;
  long GetNextSelected(long after) const;
  int GetSelectedCount() const;
  BOOL GiveFocusToItem(long item);
  long GetFocusItem() const;
  BOOL SetItemCheckBoxState(long item, int state, bool propagate, bool redraw = true);
  int GetItemCheckBoxState(long item) const;  // -1 for a bad item
  BOOL GetItemText(long item, std::wstring& text) const;
  BOOL SetItemText(long item, const wchar_t* text, bool notify);
  void* GetItemData(long item) const;
  BOOL SetItemData(long item, void* data);
  const TreeListItem* GetItemDataPtr(long item) const;
  int GetItemType(long item) const;
  // Whether every ancestor of the item is open.
  BOOL IsItemShown(long item) const;
  int GetItemStyle(long item) const;  // -1 for a bad item
  BOOL SetItemStyle(long item, BYTE style);
  // The item's image pair for a type (1 to 3), or the defaults with item -1.
  BOOL GetItemImages(int type, long item, short& first, short& second) const;
  BOOL SetItemImages(int type, long item, short first, short second);
  // The application's images (not owned); another list resets every image to none.
  void SetImageList(HIMAGELIST list, int imageWidth);
  BOOL ForceContainer(long item);
  BOOL ForceTerminal(long item);
  long GetNextItem(long item) const;
  long GetPreviousItem(long item) const;
  long GetSuccessor(long item) const;
  long GetPredecessor(long item) const;
  long GetAncestor(long item) const;
  long GetDescendant(long item) const;
  int CountDescendants(long item, bool recursive) const;
  long FindItem(const void* data) const;
  long ReverseFindItem(const void* data) const;
  long FindItem(const wchar_t* text) const;
  long GetFirstVisibleItem() const;
  BOOL SetFirstVisibleItem(long item) { return ForceItemInView(item, true, true); }
  BOOL ForceItemInView(long item, bool expandParents, bool asTop);
  // The row rectangle of a shown row on screen (client coordinates); FALSE otherwise.
  BOOL GetItemRect(long item, RECT* rect) const;
  // x0 level start, x1 after the button column, x2 after the check box, x3 after the image
  // column, x4 after the label. FALSE for a bad item.
  BOOL GetItemXPositions(long item, int x[5]) const;
  void SetFlags(DWORD flags);
  DWORD GetFlags() const { return m_flags; }
  void SetCheckBoxFlags(WORD flags);
  WORD GetCheckBoxFlags() const { return m_checkFlags; }
  void EnableOnlineEdit(bool on, int limit, bool allowDisabled);
  BOOL EditItem(long item);
  // Ends a running edit without storing its text, and hides the tooltip.
  void CancelOnlineEditIfAny();
  void SetDragAndDropFlags(WORD flags);
  WORD GetDragAndDropFlags() const { return m_dragFlags; }
  // Drop feedback for a drag at the selection's position; the drop ends it and answers the
  // list's control id.
  void HandleDragOver(QvDragSel* sel);
  int HandleDrop(QvDragSel* sel);
  long GetDropItem() const;
  void EnableProcessTabKey(bool on);
  void FreezeRedraw(bool freeze);
  long GetLastNotifItem() const { return ToOuter(m_lastNotifyRow); }
  int GetLastItemPosition() const { return m_lastNotifyPart; }
  // Orders the children of parent (-1: the roots), stable, each with its subtree; ids and state
  // stay. `compare` answers > 0 when a should follow b.
  typedef int (*CompareFunc)(CGUITreeList* list, long a, long b, void* data);
  BOOL SortDescendants(CompareFunc compare, long parent, void* data);
  BOOL SortDescendants(bool ascending, long parent);

  // Row geometry.
  int GetRowHeight() const { return m_rowHeight; }
  int GetIndent() const { return m_indent; }
  // The shown row under a client point (-1 none) and its part.
  long HitTest(POINT pt, int* part) const;
  // Draws the visible rows into dc (client coordinates) as the paint does.
  void DrawRows(HDC dc, const RECT& clip);
  // The editor while it is attached; null otherwise.
  CTreeEdit* GetEditor() const;
  CTooltipWnd* GetTooltip() const { return m_tooltip.get(); }
  HFONT GetItemFont(const TreeListItem& item) const;

  // Called by the editor and the tooltip window.
  void OnEditorClosed(bool changed);
  bool StoreEditedText(const std::wstring& text);
  bool AcceptEditChar(wchar_t c);
  void OnTooltipGone();
  void RelayMouse(UINT message, WPARAM keys, POINT listPoint);
  long EditedRow() const { return m_editRow; }
  int TextWidth(TreeListItem& item) const;
  bool IsEditCallbackRefusing(int phase, LONG_PTR value);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PreSubclassWindow() override;

 private:
  friend class CTreeEdit;
  friend class CTooltipWnd;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Index or id to row; -1 when bad.
  long ToRow(long item) const;
  long ToOuter(long row) const;
  bool ValidRow(long row) const { return row >= 0 && static_cast<size_t>(row) < m_items.Count(); }
  TreeListItem* Row(long row) const { return ValidRow(row) ? m_items.At(static_cast<size_t>(row)) : nullptr; }
  // A new item of `level` at `row`; with appendTo (a row, or -1 for the roots) the new last
  // child of that row instead. The new item (index or id), or -1.
  enum : long { kAtRow = -2 };
  long InsertRow(size_t row, unsigned short level, const wchar_t* text, long appendTo = kAtRow);
  void DeleteRows(long first, long end);
  // Notifies the parent; false when the list did not survive it.
  bool Notify(int code, long row = -1, int part = 0, long value = 0);
  void StructureChanged();
  // Nothing is drawn now: no window, redraw frozen or off, or the window hidden.
  bool RedrawOff() const;
  // A change of rows at or before `row` moves the scroll position.
  void RowsChangedAt(long row);
  void StopEditTimer();
  bool LowLevelSelect(long row, bool on);
  void SelectRow(long row, bool single, bool range, bool notify);
  void CheckRow(long row, int state, bool propagate, bool notify);
  void ExpandRow(long row, bool recurse, bool notify);
  void CollapseRow(long row, bool notify);
  void SetFocusRow(long row);
  long FocusRow() const;
  void MakeFonts();
  void UpdateScrollers();
  int RowsPerPage() const;
  size_t TopPos() const;
  void SetTop(long row);
  void ScrollBy(int dx, int dy);
  void ScrollRows(int rows);
  void PutRowInView(long row);
  void InvalidateRow(long row);
  void InvalidateFrom(long row);
  long RowAtY(int y) const;
  int RowTop(long row) const;  // client y, or INT_MIN when not on screen above/below
  int ImageColumn(const TreeListItem& item) const;
  void RowX(long row, int x[5]) const;
  // lines[level]: the ancestor at that level has a following sibling (its line runs on).
  void DrawRow(HDC dc, long row, int top, const std::vector<char>& lines);
  void OnPaint(HDC dc);
  void OnVScroll(int code);
  void OnHScroll(int code);
  void OnLButtonDown(UINT keys, POINT pt);
  void OnLButtonUp(UINT keys, POINT pt);
  void OnLButtonDblClk(UINT keys, POINT pt);
  void OnMouseMove(UINT keys, POINT pt);
  void OnMouseWheel(UINT keys, short delta, POINT screen);
  void HandleClick(long row, int part, UINT keys);
  bool OnKeyDown(UINT key);
  bool OnChar(wchar_t c);
  void ShowTooltip(long row);
  void HideTooltip();
  bool EditRow(long row);
  long NextShownRow(long row) const;
  long PreviousShownRow(long row) const;
  long LastShownRow() const;

  TreeListItems m_items;
  DWORD m_flags = 0xB0;
  WORD m_checkFlags = 0;
  int m_freeze = 0;
  int m_indent = 16;
  int m_rowHeight = 17;
  int m_textHeight = 13;
  uih::OwnedFont m_fonts[4];  // normal, bold, italic, bold italic
  HFONT m_windowFont = NULL;  // the font set by WM_SETFONT (not owned)
  uih::OwnedBrush m_windowBrush, m_highlightBrush, m_disabledBrush, m_dotBrush;
  uih::OwnedBitmap m_dotBitmap;
  uih::OwnedImageList m_ownImages;
  HIMAGELIST m_appImages = NULL;  // the application's, not owned
  int m_appImageWidth = 0;
  short m_defaultImages[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
  bool m_terminalImages = false, m_containerImages = false;  // an image column for the kind
  const TreeListItem* m_top = nullptr;  // the top row's record; null: the first shown row
  mutable size_t m_topPos = 0;          // shown rows before the top row, when m_topPosKnown
  mutable bool m_topPosKnown = true;
  bool m_widestKnown = false;           // m_widest and the horizontal range are up to date
  uih::OwnedDC m_measureDC;             // measures label widths
  bool m_measurePosted = false, m_measuring = false;
  long m_focusId = -1;  // the item with the focus flag
  int m_hScroll = 0;                    // pixels
  int m_hMax = 0;
  int m_widest = 0;
  long m_anchor = -1;
  long m_lastNotifyRow = -1;
  int m_lastNotifyPart = 0;
  POINT m_downPoint = {0, 0};
  POINT m_lastMouse = {-1, -1};
  const TreeListItem* m_clickItem = nullptr;  // the record a pending click or edit timer is for
  long m_editRow = -1;
  std::unique_ptr<CTreeEdit> m_editor;
  int m_editLimit = 32000;
  WORD m_dragFlags = 0;
  const TreeListItem* m_dropItem = nullptr;
  DWORD m_dropArrival = 0;
  std::unique_ptr<CTooltipWnd> m_tooltip;
  std::unique_ptr<CTooltipWnd> m_oldTooltip;  // its window gone, deleted with the next one
  const TreeListItem* m_tooltipItem = nullptr;
  std::shared_ptr<bool> m_alive;  // false once the window is gone; notifiers hold a copy
};

// Writes the items from the first selected one (or the first) to the end into a text file, one
// line per item: four blanks per level (levels 1 to 999), the text. 0 written; 1 not a tree
// list; 2 the file cannot be opened; 3 empty list; 4 nothing selected; 5 an item could not be
// read; 6 a write failed (told in a message box; the file is closed).
QUARNEL_API int DumpTreeList(CWnd* window, const wchar_t* path, bool fromSelected);
