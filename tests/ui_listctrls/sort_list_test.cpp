// The sortable list: header clicks sort up, then down; the arrow the header draws; the texts it
// shows (one line, at most 254 characters, never past the caller's buffer); the release of row
// data.
#include <SortListCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "dib_canvas.h"
#include "listctrls_test.h"

using listctrls_testing::kListId;
using listctrls_testing::ListTest;
using testing_support::DibCanvas;

namespace {

struct Row {
  int key;
  CString text;
};

// The callbacks' user value is the test's row store.
struct Store {
  std::vector<Row> rows;
  int compared = 0;
};

long CALLBACK NeedText(DWORD_PTR user, DWORD_PTR data, CString* text, int column) {
  const Row* row = reinterpret_cast<const Row*>(data);
  (void)user;
  if (column == 0)
    *text = row->text;
  else
    text->Format(_T("%d"), row->key);
  return 0;
}

long CALLBACK Compare(DWORD_PTR user, DWORD_PTR data1, DWORD_PTR data2, int column) {
  Store* store = reinterpret_cast<Store*>(user);
  ++store->compared;
  const Row* a = reinterpret_cast<const Row*>(data1);
  const Row* b = reinterpret_cast<const Row*>(data2);
  if (column == 0) return a->text.Compare(b->text);
  return a->key - b->key;
}

// Counts the row data it is asked to release.
class CountingSortList : public CSortListCtrl {
 public:
  void OnDeleteItem(DWORD_PTR data) override { released.push_back(data); }
  std::vector<DWORD_PTR> released;
};

class SortList : public ListTest {
 protected:
  void Make() {
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SORTASCENDING | LVS_NOSORTHEADER,
                            CRect(0, 0, 400, 200), &parent, kListId));
    list.InsertColumn(0, _T("Name"), LVCFMT_LEFT, 150);
    list.InsertColumn(1, _T("Key"), LVCFMT_LEFT, 100);
    store.rows = {{3, _T("cherry")}, {1, _T("banana")}, {2, _T("apple")}};
    list.SetData(reinterpret_cast<DWORD_PTR>(&store));
    list.SetNeedTextCallback(&NeedText);
    list.SetSortItemCallback(&Compare);
    for (Row& r : store.rows) ASSERT_GE(list.InsertItem(&r), 0);
  }
  std::vector<int> Keys() {
    std::vector<int> keys;
    for (int i = 0; i < list.GetItemCount(); ++i) keys.push_back(reinterpret_cast<const Row*>(list.GetItemData(i))->key);
    return keys;
  }
  void ClickHeader(int column) {
    CRect item;
    list.GetSortHeader().GetItemRect(column, item);
    const CPoint at = item.CenterPoint();
    ::SendMessage(list.GetSortHeader().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessage(list.GetSortHeader().m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
  }

  CountingSortList list;
  Store store;
};

TEST_F(SortList, TheStylesOfASelfSortingListAreRemovedAndTheHeaderIsTheSortHeader) {
  Make();
  EXPECT_EQ(list.GetStyle() & (LVS_SORTASCENDING | LVS_NOSORTHEADER), 0u);
  EXPECT_EQ(list.GetSortHeader().m_hWnd, reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER)));
  EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
  // Rows keep the order of insertion until sorted.
  EXPECT_EQ(Keys(), (std::vector<int>{3, 1, 2}));
}

TEST_F(SortList, TheSameHeaderSortsUpThenDownAnotherHeaderUp) {
  Make();
  struct Step {
    int column;
    std::vector<int> keys;
    BOOL ascending;
  } steps[] = {
      {1, {1, 2, 3}, TRUE},   // first click on "Key"
      {1, {3, 2, 1}, FALSE},  // the same header again
      {0, {2, 1, 3}, TRUE},   // "Name": apple, banana, cherry
      {1, {1, 2, 3}, TRUE},   // back to "Key": ascending again
  };
  for (const Step& s : steps) {
    ClickHeader(s.column);
    EXPECT_EQ(Keys(), s.keys) << "column " << s.column;
    EXPECT_EQ(list.GetSortColumn(), s.column);
    EXPECT_EQ(list.IsAscending(), s.ascending);
    EXPECT_EQ(list.GetSortHeader().GetSortColumn(), s.column);
    EXPECT_EQ(list.GetSortHeader().IsAscending(), s.ascending);
  }
  EXPECT_GT(store.compared, 0);
}

TEST_F(SortList, SortColumnAnswersThePreviousColumnAndMakesTheItemOwnerDrawn) {
  Make();
  EXPECT_EQ(list.SortColumn(1, FALSE), -1);
  EXPECT_EQ(Keys(), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(list.SortColumn(0, TRUE), 1);
  for (int c = 0; c < 2; ++c) {
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    ASSERT_TRUE(list.GetSortHeader().GetItem(c, &item));
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW) << "column " << c;  // column 1 stays owner-drawn
  }
}

TEST_F(SortList, ShownTextsAreOneLineAndBoundedByTheBuffer) {
  const CString longText(_T('z'), 300);
  struct Case {
    const char* what;
    CString text;
    int capacity;
    CString shown;
  } cases[] = {
      {"two lines", _T("first\r\nsecond"), 260, _T("first second")},
      {"a bare line feed", _T("a\nb"), 260, _T("a b")},
      {"300 characters", longText, 260, CString(_T('z'), 254)},
      {"255 characters", CString(_T('z'), 255), 300, CString(_T('z'), 254)},
      {"a 16-character buffer", longText, 16, CString(_T('z'), 15)},
      {"a 1-character buffer", _T("abc"), 1, _T("")},
  };
  for (const Case& c : cases) {
    TCHAR buffer[300 + 8];
    for (TCHAR& ch : buffer) ch = _T('#');
    CSortListCtrl::CopyShownText(c.text, buffer, c.capacity);
    EXPECT_EQ(CString(buffer), c.shown) << c.what;
    // Nothing written past the caller's capacity.
    for (int i = c.capacity; i < 308; ++i) ASSERT_EQ(buffer[i], _T('#')) << c.what << " at " << i;
  }
}

TEST_F(SortList, TheListAsksForTextsIntoTheCallersBufferWithoutOverrunningIt) {
  Make();
  store.rows[0].text = CString(_T('q'), 300);
  // A caller's 16-character buffer with a guard behind it.
  struct {
    TCHAR text[16];
    TCHAR guard[8];
  } buffer;
  for (TCHAR& ch : buffer.text) ch = _T('#');
  for (TCHAR& ch : buffer.guard) ch = _T('!');
  LVITEM item = {};
  item.iSubItem = 0;
  item.pszText = buffer.text;
  item.cchTextMax = 16;
  const int length = static_cast<int>(list.SendMessage(LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(length, 15);
  EXPECT_EQ(CString(item.pszText), CString(_T('q'), 15));
  for (TCHAR ch : buffer.guard) EXPECT_EQ(ch, _T('!'));
  // The full text: its first 254 characters.
  EXPECT_EQ(list.GetItemText(0, 0), CString(_T('q'), 254));
}

TEST_F(SortList, RowDataIsReleasedOnlyWhenAsked) {
  struct Case {
    const char* what;
    BOOL free;
    int how;  // 0 one row, 1 all rows, 2 the window
    size_t released;
  } cases[] = {
      {"one row", TRUE, 0, 1},          {"all rows", TRUE, 1, 3},          {"the window", TRUE, 2, 3},
      {"one row, kept", FALSE, 0, 0},  {"all rows, kept", FALSE, 1, 0}, {"the window, kept", FALSE, 2, 0},
  };
  for (const Case& c : cases) {
    Make();
    list.SetFreeItemData(c.free);
    list.released.clear();
    const DWORD_PTR second = list.GetItemData(1);
    if (c.how == 0) {
      EXPECT_TRUE(list.DeleteItem(1));
    } else if (c.how == 1) {
      EXPECT_TRUE(list.DeleteAllItems());
    } else {
      list.DestroyWindow();
    }
    ASSERT_EQ(list.released.size(), c.released) << c.what;
    if (c.how == 0 && c.free) {
      EXPECT_EQ(list.released[0], second) << c.what;
    }
    if (list.GetSafeHwnd() != NULL) list.DestroyWindow();
  }
}

// The arrow's pixels in the sort column: the rows of the header bitmap that hold the arrow's
// colours, and the longest horizontal run of them (the arrow's base).
struct ArrowScan {
  int top = -1, bottom = -1;  // first and last row with arrow pixels
  int baseRow = -1;           // the row of the longest run
};
ArrowScan ScanArrow(const DibCanvas& canvas, const CRect& item) {
  const COLORREF light = ::GetSysColor(COLOR_3DHIGHLIGHT), shadow = ::GetSysColor(COLOR_3DSHADOW);
  ArrowScan scan;
  int longest = 0;
  // Only the right part of the item, inside its edges: the arrow goes there, the text does not.
  for (int y = item.top + 2; y < item.bottom - 2; ++y) {
    int run = 0, best = 0;
    bool any = false;
    for (int x = item.right - item.Width() / 3; x < item.right - 2; ++x) {
      const COLORREF c = canvas.At(x, y);
      const bool arrow = c == light || c == shadow;
      any = any || arrow;
      run = arrow ? run + 1 : 0;
      if (run > best) best = run;
    }
    if (!any) continue;
    if (scan.top < 0) scan.top = y;
    scan.bottom = y;
    if (best > longest) {
      longest = best;
      scan.baseRow = y;
    }
  }
  return scan;
}

TEST_F(SortList, TheSortColumnShowsAnArrowPointingTheSortDirection) {
  Make();
  // Column 0 was the sort column once: it stays drawn by the header, without an arrow.
  list.SortColumn(0, TRUE);
  CSortHeader& header = list.GetSortHeader();
  CRect item, other;
  header.GetItemRect(1, item);
  header.GetItemRect(0, other);
  CRect client;
  header.GetClientRect(client);
  struct Case {
    BOOL ascending;
    bool baseAtBottom;
  } cases[] = {{TRUE, true}, {FALSE, false}};
  for (const Case& c : cases) {
    list.SortColumn(1, c.ascending);
    DibCanvas canvas(client.Width(), client.Height());
    ASSERT_TRUE(canvas.valid());
    header.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    const ArrowScan arrow = ScanArrow(canvas, item);
    ASSERT_GE(arrow.top, 0) << "no arrow drawn";
    EXPECT_GT(arrow.bottom - arrow.top, 2);
    EXPECT_EQ(arrow.baseRow, c.baseAtBottom ? arrow.bottom : arrow.top) << (c.ascending ? "up" : "down");
    // The column sorted before has none.
    EXPECT_EQ(ScanArrow(canvas, other).top, -1);
  }
}

}  // namespace
