// CGUIListView: the list control of the portable multi-column list (QvMCListBox binds a
// report-style list view child to it). It can refuse the user's selection changes, take the
// Tab key, keep the column widths in proportion to its width (the weights live in memory
// only), tell its parent of a context-menu request (WM_NOTIFY code kGUIListContextMenu) and
// of the portable key of a key press (WM_NOTIFY code -98 with the key code after the header).
#pragma once
#include <framework.h>

#include <vector>

#include "GUIListViewRecords.h"
#include "quarnel_api.h"

enum { kGUIListContextMenu = -96 };

class QUARNEL_API CGUIListView : public CListCtrl {
  DECLARE_DYNCREATE(CGUIListView)
 public:
  enum Flags : unsigned short { kSelectionEnabled = 0x1, kProcessTab = 0x4 };

  CGUIListView() = default;

  // With selection off, the user's clicks and keys still move the focus but no longer change
  // which rows are selected; the program's own changes (SetItemState, UnselectAll, ...) pass.
  void EnableSelection(BOOL enable);
  BOOL IsSelectionEnabled() const { return (m_flags & kSelectionEnabled) != 0; }
  // Asks for the Tab key (WM_GETDLGCODE), so that the dialog does not move the focus on.
  void EnableProcessTabKey(BOOL enable);
  // On: each size change gives every column its share of the width, the shares taken from
  // the widths at the first size change and again after each drag of a column edge.
  void SetAutoResizeColumns(bool on) { m_autoResize = on; }
  bool GetAutoResizeColumns() const { return m_autoResize; }
  // The weights: one per column, then their total (empty before the first use).
  const std::vector<int>& GetColumnWeights() const { return m_weights; }

  // Clears the selected state of every row in one change.
  void UnselectAll();
  // When the focused row is not selected, the first selected row takes the focus.
  void PutFocusOnSel();
  // The cell under the mouse cursor: pt receives (column, row); FALSE over no cell.
  BOOL GetCellUnderCursor(POINT& pt);
  // The cell at a client point (horizontal scrolling and column order counted): cell
  // receives (column, row); FALSE over no cell.
  BOOL GetCellAt(POINT client, POINT& cell) const;

  // Columns and items through their records (the common control's answers).
  int InsertColumn(int index, const CGUIListViewColumn& column);
  BOOL SetColumn(int index, const CGUIListViewColumn& column);
  // Reads the fields of the record's mask (the text into the record's buffer).
  BOOL GetColumn(int index, CGUIListViewColumn& column) const;
  int InsertItem(const CGUIListViewItem& item);
  BOOL SetItem(const CGUIListViewItem& item);
  BOOL GetItem(CGUIListViewItem& item) const;

  unsigned short m_flags = kSelectionEnabled;
  bool m_nextSortDescending = false;  // the direction of the portable list's next sort on a header click

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void SaveColumnWeights();
  void ResizeColumns(int cx);
  // A refused change of the user's that also moved the focus: the focus moves alone.
  void MoveFocusOnly(int item);

  std::vector<int> m_weights;
  bool m_autoResize = false;
  int m_userInput = 0;  // depth of the user's mouse and key messages being handled
};
