// QvMCListBox: the portable multi-column list, bound to a report-style list view child
// through a CGUIListView. Rows of cells under a header of named columns, with selection,
// images, item data per row, sorting by a column and a column layout saved per user.
//
// Rows and columns are 0-based; every cell operation takes the column first and the row
// second. Texts are UTF-8 and are read whole, whatever their length. An invalid row or
// column gives the list view's refusal: false, -1, an empty text or null data.
//
// Portable notifications of the list (the container translates the list view's):
//   1000/1001 focus gained/lost, 1002 a row's selected state changed (the change record),
//   1003 double click (row, -1 none), 1004 column header clicked (the column), 1005 right
//   click (row low word, column high word, -1 none) or context-menu request (the selected
//   row), 1006 portable key, 1007 text request (the request record), 1008 cache hint and
//   1009 find request of a virtual list.
#pragma once
#include <QvControl.h>
#include <QvListCell.h>
#include <vekkel.h>

#include "quarnel_api.h"

class CGUIListView;
class QvImageList;
class IQvConfKey;

// Orders two cell texts for a sort in that direction: negative, zero or positive.
typedef int (*QvMCListCompare)(const QvString& a, const QvString& b, bool ascending);

// The record of a text request of the list (notification 1007); made by the host's code,
// the list makes none.
class QUARNEL_API QvMCListBoxNeedTextNotification : public QvControlNotification {
  QV_DECLARE_CLASS(QvMCListBoxNeedTextNotification)
 public:
  QvMCListBoxNeedTextNotification(unsigned short id, QvControl* control, NotificationCode code, LONG_PTR value)
      : QvControlNotification(id, control, code, value) {}
  ~QvMCListBoxNeedTextNotification() override;
};

class QUARNEL_API QvMCListBox : public QvControl {
  QV_DECLARE_CREATABLE(QvMCListBox)
 public:
  QvMCListBox() = default;

  virtual void EnableProcessTabKey(bool enable);
  // Off: the user's clicks and keys move the focus only; the program still selects.
  virtual void EnableSelection(bool enable);
  // Selecting in a single-selection list deselects the others first; the focus then goes to
  // the selection. Texts match cells of the column ignoring case; a text (or row) that
  // matches nothing makes the answer false (the others are still done).
  virtual bool Select(const QvArrayQvString& texts, long column, bool select);
  virtual bool Select(const QvString& text, long column, bool select);
  virtual bool Select(const QvArraySLong& rows, bool select);
  virtual bool Select(long row, bool select);
  // The cell texts of the selected rows in the column.
  virtual bool GetSelected(QvArrayQvString& texts, long column);
  virtual bool GetSelected(QvString& text, long column);  // of the first selected row
  virtual bool GetSelected(QvArraySLong& rows);
  virtual bool GetSelected(long& row);  // the first selected row; -1 and false when none
  virtual void DeselectAll();
  virtual void SelectAll();
  // Whether the first row whose cell equals the text is selected; false when none is.
  virtual bool IsSelected(const QvString& text, long column, bool caseSensitive);
  virtual bool IsSelected(long row);
  virtual long GetCount();
  virtual long GetSelectedCount();
  virtual void EnableMultipleSel(bool enable);
  virtual bool IsMultipleSelEnabled();
  // No effect; IsSorted answers false.
  virtual void Sort(const QvArraySLong& rows, bool ascending);
  virtual void Sort(bool ascending);
  virtual bool IsSorted();
  // Sorts the rows by the column's texts (a null compare: the user's order); every row keeps
  // its item data. Nothing for a column out of range or fewer than two rows.
  virtual void SortByColumn(long column, bool ascending, QvMCListCompare compare);
  // Sorts by the column, ascending first, then each call on the other way.
  virtual void SortOnColumnHit(long column, bool numeric);
  virtual bool IsNextSortAscending();
  // An empty row at `row` (-1: at the end); its index, -1 when it cannot be added.
  virtual long AddItem(long row);
  virtual bool DeleteItem(const QvString& text, long column);
  virtual bool DeleteItem(long row);
  virtual void DeleteAllItems();
  // The first row whose cell equals the text, ignoring case; -1 and false when none.
  virtual bool FindItem(long column, const QvString& text, long& row);
  virtual bool FindItem(long column, long row, QvString& text);
  // Writes the parts of the cell that are set, in one change.
  virtual bool SetCell(long column, long row, const QvListCell& cell);
  virtual bool GetCell(long column, long row, QvListCell& cell);
  virtual bool SetCellText(long column, long row, const QvString& text);
  // The list asks for the text when it draws it (notification 1007).
  virtual bool SetCellTextAsCallback(long column, long row);
  // False when the cell is empty.
  virtual bool GetCellText(long column, long row, QvString& text);
  virtual bool SetCellPictureIndex(long column, long row, short index);
  virtual short GetCellPictureIndex(long column, long row);
  virtual bool SetItemVisible(const QvString& text, long column);
  virtual bool SetItemVisible(long row);
  virtual void FreezeRedraw(bool freeze);
  // Kind 0: the small images of the rows. The list gets its own copy of the images, so that
  // the list and the portable image list each free only their own. Other kinds are ignored.
  virtual bool SetImageList(QvImageList* list, long kind);
  // Index -1: at the end. The new column's index, -1 when it cannot be added.
  virtual long AddColumn(const QvString& title, long index);
  virtual long AddColumn(const QvArrayQvString& titles, long index);
  virtual bool DeleteColumn(const QvString& title);
  virtual bool DeleteColumn(long column);
  virtual void DeleteAllColumns();
  virtual short GetColumnWidth(long column);  // -1 for an invalid column
  virtual bool SetColumnWidth(long column, unsigned short width);
  // Widths as percentages of the client width, one per column; the last column takes what
  // rounding leaves. Columns without a percentage keep their width.
  virtual void DistribPercentWidths(const QvArrayUShort& percents);
  virtual unsigned short GetColumnsCount();
  // The column widths, saved per user under the list's name (its dialog id, qualified by
  // the dialog it lives in); the key is not used. Restore reads a layout of any length and
  // falls back to the name the layouts had before they were qualified.
  virtual bool SaveColumnsLayout(IQvConfKey* key);
  virtual bool RestoreColumnsLayout(IQvConfKey* key);
  virtual bool SetHeaderText(long column, const QvString& text);
  virtual bool GetHeaderText(long column, QvString& text);
  // The last column with that title; -1 when none.
  virtual long FindHeader(const QvString& text);
  virtual bool SetItemData(long column, long row, void* data);
  virtual void* GetItemData(long column, long row);
  virtual void SetReadOnly(bool readOnly);
  virtual void SetAutoResizeColumns(bool on);
  virtual bool GetAutoResizeColumns();

  // The value name of the saved layout, and the one used before names were qualified.
  QvString GetLayoutValueName() const;
  QvString GetOldLayoutValueName() const;

 protected:
  CGUIListView* List() const;
  HWND Window() const { return GetPlatformWindow(); }

 private:
  // The shared default GUI font, set once.
  void ApplyFontOnce();
  bool IsSingleSelection() const;
  bool SetSelected(long row, bool select);
};
