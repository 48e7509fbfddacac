// CGUIVirtualListView: a list of any number of rows of which only the visible ones exist. A
// plain window holds a header control (id 8) and, below it, a report-style list control
// (id 9) without header or scroll bars of its own that holds exactly the rows on view; the
// window keeps the first row on view and its own scroll bars, and asks the owner's callback
// for the text of every cell it shows. Header and list are as wide as the columns (at least
// as wide as the window); the horizontal bar moves them sideways.
//
// The vertical bar runs from 0 to 32767 whatever the number of rows; one mapping turns a
// thumb position into a first row and back, 0 being the first page and 32767 the last.
#pragma once
#include <framework.h>

#include "UIHandles.h"
#include "quarnel_api.h"

// Fills `buffer` (capacity characters, the terminating zero included) with the text of a
// cell; the answer is not used. `userValue` is the value given with the callback.
typedef int (*GUIVirtualListTextCallback)(int row, int column, wchar_t* buffer, int capacity, LONG_PTR userValue);

class QUARNEL_API CGUIVirtualListView : public CWnd {
  DECLARE_DYNCREATE(CGUIVirtualListView)
 public:
  enum { kHeaderId = 8, kListId = 9, kThumbRange = 32767, kColumnWidth = 100 };

  CGUIVirtualListView() = default;
  ~CGUIVirtualListView() override;

  // The window (empty title, a client edge), its header and list; FALSE when any of them
  // cannot be made.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // The callback is asked only for rows below the count.
  void SetTextCallback(GUIVirtualListTextCallback callback, LONG_PTR userValue);
  // Negative counts are taken as 0. The view goes back to the first row, nothing selected.
  void SetItemsCount(int count);
  int GetItemsCount() const { return m_total; }
  void DeleteAllItems();

  // A column of width 100 with its title; the index, -1 when it cannot be made.
  int InsertColumn(int index, const wchar_t* title);
  int AddColumn(const wchar_t* title) { return InsertColumn(GetColumnsCount(), title); }
  void DeleteAllColumns();
  int GetColumnsCount() const;
  // The sum of the column widths.
  int GetColumnsWidth() const;

  // The first row on view, the rows on view, the selected row (-1 none).
  int GetFirstVisibleRow() const { return m_first; }
  int GetVisibleCount() const { return m_visible; }
  int GetSelectedRow() const { return m_selected; }
  // Selects a row (-1: none); it is shown selected whenever it is on view.
  void SelectRow(int row);
  // Scrolls so that the row is on view (first page, last page or the page it starts).
  void EnsureRowVisible(int row);
  // The thumb position that shows `first` at the top, and the first row of a thumb position.
  int ThumbFromFirst(int first) const;
  int FirstFromThumb(int thumb) const;
  // The horizontal scroll offset in pixels.
  int GetHorizontalOffset() const { return m_hOffset; }

  CHeaderCtrl& GetHeader() { return m_header; }
  CListCtrl& GetList() { return m_list; }

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int OnCreate();
  void OnSize();
  void OnVScroll(int code, int thumb);
  void OnHScroll(int code, int thumb);
  bool OnListNotify(NMHDR* header, LRESULT& result);
  void OnHeaderNotify(NMHDR* header);
  // Header and list placed for the client size and horizontal offset.
  void Layout();
  void UpdateScrollBars();
  // The list holds `count` callback items.
  void SetListItemCount(int count);
  // Makes `first` the first row on view (clamped), keeping the selection; lines reuse items.
  void MoveTo(int first, bool setThumb);
  void ShowSelection();
  void DrawTrackLine(int x);
  // WM_PRINTCLIENT: the background, then header and list in their places.
  void PrintClient(HDC dc);
  int PageRows() const;
  int MaxFirst() const { return m_total > m_visible ? m_total - m_visible : 0; }

  CHeaderCtrl m_header;
  CListCtrl m_list;
  int m_total = 0;
  int m_first = 0;
  int m_selected = -1;
  int m_visible = 0;
  int m_trackX = -1;
  int m_hOffset = 0;
  int m_headerHeight = 0;
  GUIVirtualListTextCallback m_callback = nullptr;
  LONG_PTR m_userValue = 0;
  uih::OwnedFont m_ownFont;  // from the default log font
  HFONT m_font = NULL;       // the font in use (the own one, or one given by WM_SETFONT)
  int m_changing = 0;        // the view changes the list's items or states itself
  bool m_inLayout = false;
  bool m_updatingBars = false;
};
