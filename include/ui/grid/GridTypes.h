// Value types of the grid control: a cell's address, an inclusive range of cells, the item
// record of GetItem/SetItem and of display requests, and the codes the grid uses.
#pragma once
#include <windows.h>

#include <fw_string.h>

// Cell state bits (a cell's state word, GetItemState/SetItemState, GV_ITEM::nState).
#define GVIS_FOCUSED 0x0001
#define GVIS_SELECTED 0x0002
#define GVIS_DROPHILITED 0x0004
#define GVIS_READONLY 0x0008
#define GVIS_FIXED 0x0010
#define GVIS_FIXEDROW 0x0020
#define GVIS_FIXEDCOL 0x0040
#define GVIS_MODIFIED 0x0080

// GetNextItem: the states searched for and the direction.
#define GVNI_FOCUSED 0x0001
#define GVNI_SELECTED 0x0002
#define GVNI_DROPHILITED 0x0004
#define GVNI_READONLY 0x0008
#define GVNI_FIXED 0x0010
#define GVNI_MODIFIED 0x0020
#define GVNI_ABOVE 0x0100
#define GVNI_BELOW 0x0200
#define GVNI_TOLEFT 0x0400
#define GVNI_TORIGHT 0x0800
#define GVNI_ALL (GVNI_BELOW | GVNI_TORIGHT | GVNI_TOLEFT)

// GV_ITEM::mask bits.
#define GVIF_TEXT 0x0001
#define GVIF_IMAGE 0x0002
#define GVIF_PARAM 0x0004
#define GVIF_STATE 0x0008
#define GVIF_BKCLR 0x0010
#define GVIF_FGCLR 0x0020
#define GVIF_FORMAT 0x0040
#define GVIF_FONT 0x0080
#define GVIF_MARGIN 0x0100
#define GVIF_ALL 0xFFFFFFFF

// Grid lines.
#define GVL_NONE 0
#define GVL_HORZ 1
#define GVL_VERT 2
#define GVL_BOTH 3

// Auto-size styles: the rows whose cells are measured.
#define GVS_HEADER 1
#define GVS_DATA 2
#define GVS_BOTH 3

// Notification codes sent to the owner.
#define GVN_BEGINDRAG (-109)
#define GVN_BEGINLABELEDIT (-175)
#define GVN_BEGINRDRAG (-111)
#define GVN_COLUMNCLICK (-108)
#define GVN_DELETEITEM (-103)
#define GVN_ENDLABELEDIT (-176)
#define GVN_SELCHANGING (-100)
#define GVN_SELCHANGED (-101)
#define GVN_GETDISPINFO (-177)
#define GVN_ODCACHEHINT (-113)

// "No colour of its own": take the default cell's.
#define CLR_GRID_DEFAULT 0xFF000000

class CCellID {
 public:
  int row, col;
  explicit CCellID(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}
  int IsValid() const { return row >= 0 && col >= 0; }
  int operator==(const CCellID& rhs) const { return row == rhs.row && col == rhs.col; }
  int operator!=(const CCellID& rhs) const { return !operator==(rhs); }
};

class CCellRange {
 public:
  CCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
      : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol) {}
  void Set(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1) {
    m_nMinRow = minRow, m_nMinCol = minCol, m_nMaxRow = maxRow, m_nMaxCol = maxCol;
  }
  int IsValid() const {
    return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 && m_nMinRow <= m_nMaxRow &&
           m_nMinCol <= m_nMaxCol;
  }
  int InRange(int row, int col) const {
    return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
  }
  int InRange(const CCellID& id) const { return InRange(id.row, id.col); }
  int Count() const { return (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1); }
  CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }
  int GetMinRow() const { return m_nMinRow; }
  int GetMinCol() const { return m_nMinCol; }
  int GetMaxRow() const { return m_nMaxRow; }
  int GetMaxCol() const { return m_nMaxCol; }
  void SetMinRow(int n) { m_nMinRow = n; }
  void SetMinCol(int n) { m_nMinCol = n; }
  void SetMaxRow(int n) { m_nMaxRow = n; }
  void SetMaxCol(int n) { m_nMaxCol = n; }
  int GetRowSpan() const { return m_nMaxRow - m_nMinRow + 1; }
  int GetColSpan() const { return m_nMaxCol - m_nMinCol + 1; }
  int operator==(const CCellRange& r) const {
    return m_nMinRow == r.m_nMinRow && m_nMinCol == r.m_nMinCol && m_nMaxRow == r.m_nMaxRow &&
           m_nMaxCol == r.m_nMaxCol;
  }
  int operator!=(const CCellRange& r) const { return !operator==(r); }

 protected:
  int m_nMinRow, m_nMinCol, m_nMaxRow, m_nMaxCol;
};

// One cell's attributes; the fields named by mask are read or written.
struct GV_ITEM {
  int row, col;
  UINT mask;
  UINT nState;
  UINT nFormat;
  int iImage;
  COLORREF crBkClr;
  COLORREF crFgClr;
  LPARAM lParam;  // pointer-sized
  LOGFONT lfFont;
  UINT nMargin;
  CString strText;
};

// A display request of a virtual grid: the owner (or the callback) fills item.
struct GV_DISPINFO {
  NMHDR hdr;
  GV_ITEM item;
};

// Sent before a run of cell requests of a virtual grid; all -1 when the run is over.
struct GV_CACHEHINT {
  NMHDR hdr;
  CCellRange range;
};

// The row and column a notification is about.
struct NM_GRIDVIEW {
  NMHDR hdr;
  int iRow;
  int iColumn;
};

// The display callback of a virtual grid: answers non-zero when it filled the record.
typedef BOOL(CALLBACK* GRIDCALLBACK)(GV_DISPINFO*, LPARAM);
