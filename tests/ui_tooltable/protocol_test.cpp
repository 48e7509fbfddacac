// The tool table's message protocol: items, layout, styles, states and the failure values of
// bad arguments.
#include "table_fixture.h"

#include <ControlClasses.h>
#include <handle_counts.h>

#include <climits>
#include <vector>

using namespace tooltable_test;

namespace {

class Protocol : public TableTest {
 protected:
  // Three owner-drawn items with ids 101..103.
  void AddThree() {
    for (DWORD id = 101; id <= 103; ++id) ASSERT_EQ(AddOwnerDraw(table, id), static_cast<LRESULT>(id - 100));
  }
};

TEST_F(Protocol, MessagesNamingNoItemAnswerMinusOne) {
  AddThree();
  struct Case {
    const char* name;
    UINT msg;
    tagTT_ITEMINFO rec;
  };
  tagTT_ITEMINFO badHow = At(1);
  badHow.how = 3;
  const Case records[] = {
      {"position 0", 0, At(0)},           {"position past the end", 0, At(4)},
      {"negative position", 0, At(static_cast<DWORD>(-1))},
      {"unknown id", 0, ById(999)},       {"unknown way of naming", 0, badHow},
  };
  const UINT messages[] = {TTBLM_DELETEITEM,   TTBLM_REDRAWITEM,  TTBLM_GETITEM,      TTBLM_SETITEM,
                           TTBLM_GETITEMSTATE, TTBLM_SETITEMSTATE, TTBLM_GETITEMDATA, TTBLM_SETITEMDATA};
  for (const Case& c : records)
    for (UINT m : messages) {
      SCOPED_TRACE(testing::Message() << c.name << ", message " << std::hex << m);
      EXPECT_EQ(Send(table, m, 0, c.rec), -1);
    }
  // A null record is refused by every message that takes one.
  for (UINT m : {TTBLM_ADDITEM, TTBLM_INSERTITEM, TTBLM_DELETEITEM, TTBLM_GETITEM, TTBLM_SETITEM, TTBLM_HITTEST,
                 TTBLM_GETITEMSTATE, TTBLM_SETITEMSTATE})
    EXPECT_EQ(SendMessageW(table, m, 0, 0), -1) << std::hex << m;
  // Insertion behind a missing item, an unknown type, a window item without a window.
  tagTT_ITEMINFO rec = Rec(TTBL_OWNERDRAW, 9);
  rec.how = TTBL_BYPOSITION;
  rec.posOrId = 4;
  EXPECT_EQ(Send(table, TTBLM_INSERTITEM, 0, rec), -1);
  EXPECT_EQ(Add(table, Rec(3, 9)), -1);
  EXPECT_EQ(Add(table, Rec(TTBL_WINDOW, 9, reinterpret_cast<HANDLE>(0x1234))), -1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMITEMS, 0, 0), 3);
  EXPECT_EQ(SendMessageW(table, TTBLM_RESERVED, 5, 5), -1);
}

TEST_F(Protocol, SearchesThatFindNothingAnswerMinusOne) {
  AddThree();
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEMID, 102, 0), 2);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEMID, 555, 0), -1);
  HWND button = CreateWindowW(L"BUTTON", L"b", WS_CHILD, 0, 0, 10, 10, parent.hwnd(), NULL, NULL, NULL);
  ASSERT_EQ(Add(table, Rec(TTBL_WINDOW, 104, button)), 4);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEM, reinterpret_cast<WPARAM>(button), MAKELPARAM(TTBL_WINDOW, 0)), 104);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEM, reinterpret_cast<WPARAM>(button), MAKELPARAM(TTBL_WINDOW, 1)), 4);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEM, reinterpret_cast<WPARAM>(button), MAKELPARAM(TTBL_BITMAP, 1)), -1);
  EXPECT_EQ(GetParent(button), table) << "a window item's child belongs to the table";
}

TEST_F(Protocol, AddInsertDeleteKeepOrderAndAnswerPositions) {
  AddThree();
  tagTT_ITEMINFO rec = Rec(TTBL_OWNERDRAW, 200);
  rec.how = TTBL_BYPOSITION;
  rec.posOrId = 0;
  EXPECT_EQ(Send(table, TTBLM_INSERTITEM, 0, rec), 1) << "position 0 inserts at the head";
  rec = Rec(TTBL_OWNERDRAW, 201);
  rec.how = TTBL_BYID;
  rec.posOrId = 102;
  EXPECT_EQ(Send(table, TTBLM_INSERTITEM, 0, rec), 4) << "behind the item with id 102 (now at 3)";
  std::vector<DWORD> ids;
  for (DWORD p = 1; p <= 5; ++p) {
    tagTT_ITEMINFO g = At(p);
    ASSERT_EQ(SendMessageW(table, TTBLM_GETITEM, 0, reinterpret_cast<LPARAM>(&g)), static_cast<LRESULT>(p));
    ids.push_back(g.id);
  }
  EXPECT_EQ(ids, (std::vector<DWORD>{200, 101, 102, 201, 103}));
  // Deleting the first item deletes only it.
  EXPECT_EQ(Send(table, TTBLM_DELETEITEM, 0, At(1)), 1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMITEMS, 0, 0), 4);
  EXPECT_EQ(Send(table, TTBLM_DELETEITEM, 0, ById(103)), 4);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEMID, 201, 0), 3);
  // An add answers the position and names it in the record.
  tagTT_ITEMINFO added = Rec(TTBL_OWNERDRAW, 300);
  EXPECT_EQ(SendMessageW(table, TTBLM_ADDITEM, 0, reinterpret_cast<LPARAM>(&added)), 4);
  EXPECT_EQ(added.how, static_cast<DWORD>(TTBL_BYPOSITION));
  EXPECT_EQ(added.posOrId, 4u);
}

TEST_F(Protocol, HiliteSelectionAndFocusFollowTheirItemsAcrossInsertAndDelete) {
  AddThree();
  SetState(table, 2, TTBLS_SELECTED);
  SendMessageW(table, TTBLM_SETHILITE, 3, 0);
  SetState(table, 3, TTBLS_FOCUSED | TTBLS_HILITED);
  tagTT_ITEMINFO rec = Rec(TTBL_OWNERDRAW, 200);
  rec.how = TTBL_BYPOSITION;
  rec.posOrId = 0;
  ASSERT_EQ(Send(table, TTBLM_INSERTITEM, 0, rec), 1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETHILITE, 0, 0), 4);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 4);
  // The selected item (now at 3) stays the one a single-selection table deselects.
  SetState(table, 1, TTBLS_SELECTED);
  EXPECT_EQ(State(table, 3) & TTBLS_SELECTED, 0u);
  // Deleting the hilited and focused item leaves neither behind; positions after it move down.
  ASSERT_EQ(Send(table, TTBLM_DELETEITEM, 0, At(4)), 4);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETHILITE, 0, 0), 0);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 0);
  SetState(table, 2, TTBLS_HILITED);
  ASSERT_EQ(Send(table, TTBLM_DELETEITEM, 0, At(1)), 1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETHILITE, 0, 0), 1);
  EXPECT_EQ(State(table, 1) & TTBLS_HILITED, static_cast<DWORD>(TTBLS_HILITED));
}

TEST_F(Protocol, LayoutSizesTheWindowToTheGrid) {
  // Empty: 3 x separation + cell width by 2 x separation.
  SendMessageW(table, TTBLM_CLEAR, 0, 0);
  EXPECT_EQ(WindowSize(table).cx, 28);
  EXPECT_EQ(WindowSize(table).cy, 8);
  ASSERT_EQ(SendMessageW(table, TTBLM_SETNUMCOLS, 0, 3), 1);
  for (DWORD id = 1; id <= 7; ++id) AddOwnerDraw(table, id);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMROWS, 0, 0), 3);
  EXPECT_EQ(WindowSize(table).cx, 3 * 20 + 8);
  EXPECT_EQ(WindowSize(table).cy, 3 * 20 + 8);
  // Item 5 sits in row 1, column 1.
  RECT c = Cell(table, 5);
  EXPECT_EQ(c.left, 4 * 2 + 16);
  EXPECT_EQ(c.top, 4 * 2 + 16);
  EXPECT_EQ(c.right - c.left, 16);
  // A span item after item 7 closes its row and takes one of its own; the next item opens a row.
  AddOwnerDraw(table, 8, TTBLF_SPAN);
  AddOwnerDraw(table, 9);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMROWS, 0, 0), 5);
  c = Cell(table, 8);
  EXPECT_EQ(c.top, 3 * 20 + 4);
  EXPECT_EQ(c.left, 4);
  EXPECT_EQ(c.right - c.left, 3 * 20 - 4) << "as wide as the columns";
  EXPECT_EQ(Cell(table, 9).top, 4 * 20 + 4);
  EXPECT_EQ(Cell(table, 9).left, 4);
}

TEST_F(Protocol, SpanCellsStayInsideTheTableAndCentreWhole) {
  ASSERT_EQ(SendMessageW(table, TTBLM_SETNUMCOLS, 0, 4), 1);
  AddOwnerDraw(table, 1);
  AddOwnerDraw(table, 2);
  AddOwnerDraw(table, 3, TTBLF_SPAN);
  // Two columns in use: the span cell covers them, not four.
  const SIZE size = WindowSize(table);
  RECT span = Cell(table, 3);
  EXPECT_EQ(span.right - span.left, 2 * 20 - 4);
  EXPECT_LE(span.right, size.cx);
  // Centred: the span cell's own width is centred in the client width.
  SendMessageW(table, TTBLM_SETTABLESTYLE, TTBLT_CENTERSPAN, 0);
  span = Cell(table, 3);
  EXPECT_EQ(span.left, (size.cx - (2 * 20 - 4) + 1) / 2);
  EXPECT_EQ(span.right - span.left, 2 * 20 - 4);
}

TEST_F(Protocol, MetricsSeparationAndColumnsTakeOnlyValidValues) {
  AddThree();
  struct Case {
    const char* name;
    UINT msg;
    LPARAM value;
    LRESULT result;
    LRESULT after;  // the getter's answer afterwards
    UINT getter;
  };
  const Case cases[] = {
      {"y separation only", TTBLM_SETITEMSEP, MAKELPARAM(0, 5), MAKELONG(4, 4), MAKELONG(4, 5), TTBLM_GETITEMSEP},
      {"zero changes nothing", TTBLM_SETITEMSEP, 0, MAKELONG(4, 5), MAKELONG(4, 5), TTBLM_GETITEMSEP},
      {"negative separation", TTBLM_SETITEMSEP, MAKELPARAM(-2, 3), -1, MAKELONG(4, 5), TTBLM_GETITEMSEP},
      {"cell size", TTBLM_SETITEMMETRICS, MAKELPARAM(24, 20), MAKELONG(16, 16), MAKELONG(24, 20),
       TTBLM_GETITEMMETRICS},
      {"negative cell width", TTBLM_SETITEMMETRICS, MAKELPARAM(-1, 20), -1, MAKELONG(24, 20), TTBLM_GETITEMMETRICS},
      {"two columns", TTBLM_SETNUMCOLS, 2, 1, 2, TTBLM_GETNUMCOLS},
      {"no columns", TTBLM_SETNUMCOLS, 0, -1, 2, TTBLM_GETNUMCOLS},
      {"negative columns", TTBLM_SETNUMCOLS, -3, -1, 2, TTBLM_GETNUMCOLS},
      {"too many columns", TTBLM_SETNUMCOLS, 40000, -1, 2, TTBLM_GETNUMCOLS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SendMessageW(table, c.msg, 0, c.value), c.result);
    EXPECT_EQ(SendMessageW(table, c.getter, 0, 0), c.after);
  }
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMROWS, 0, 0), 2);
}

TEST_F(Protocol, ColumnsFollowTheUserWideningTheTable) {
  for (DWORD id = 1; id <= 6; ++id) AddOwnerDraw(table, id);
  ASSERT_EQ(SendMessageW(table, TTBLM_GETNUMCOLS, 0, 0), 1);
  // Dragged from the right edge to 75 pixels: (75 - 4) / 20 = 3 columns, snapped to the grid.
  RECT rc = {0, 0, 75, 30};
  SendMessageW(table, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMCOLS, 0, 0), 3);
  EXPECT_EQ(rc.right, 4 + 3 * 20 + 4);
  EXPECT_EQ(rc.bottom, 4 + 2 * 20 + 4);
  // The run after the last span item counts: 2 items before a span, 4 after it allow 4 columns.
  SendMessageW(table, TTBLM_CLEAR, 0, 0);
  AddOwnerDraw(table, 1);
  AddOwnerDraw(table, 2);
  AddOwnerDraw(table, 3, TTBLF_SPAN);
  for (DWORD id = 4; id <= 7; ++id) AddOwnerDraw(table, id);
  rc = {0, 0, 500, 30};
  SendMessageW(table, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMCOLS, 0, 0), 4);
  // A left edge cannot resize the table.
  rc = {-50, 0, 500, 30};
  SendMessageW(table, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMCOLS, 0, 0), 4);
  EXPECT_EQ(rc.right - rc.left, WindowSize(table).cx);
  // A cell width of one pixel never divides by zero.
  SendMessageW(table, TTBLM_SETITEMSEP, 0, MAKELPARAM(1, 1));
  SendMessageW(table, TTBLM_SETITEMMETRICS, 0, MAKELPARAM(1, 1));
  rc = {0, 0, 0, 0};
  SendMessageW(table, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rc));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMCOLS, 0, 0), 1);
}

TEST_F(Protocol, StylesStatesAndStateArrays) {
  AddThree();
  ASSERT_EQ(SendMessageW(table, TTBLM_SETTABLESTYLE, TTBLT_MULTISEL, 0), 0);
  for (DWORD p = 1; p <= 3; ++p) SetState(table, p, TTBLS_SELECTED);
  // Back to single selection is refused while several items are selected.
  EXPECT_EQ(SendMessageW(table, TTBLM_SETTABLESTYLE, 0, 0), -1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETTABLESTYLE, 0, 0), TTBLT_MULTISEL);
  short positions[3] = {0, 0, 0};
  EXPECT_EQ(SendMessageW(table, TTBLM_GETSTATEARRAY, MAKEWPARAM(1, 1), reinterpret_cast<LPARAM>(positions)), 3);
  EXPECT_EQ(positions[0], 1);
  EXPECT_EQ(positions[1], 0) << "nothing written beyond the maximum";
  SetState(table, 2, TTBLS_DISABLED);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETSTATEARRAY, MAKEWPARAM(3, 0), reinterpret_cast<LPARAM>(positions)), 1);
  EXPECT_EQ(positions[0], 2);
  // A disabled or neutral item cannot be selected, hilited or focused.
  SetState(table, 2, TTBLS_DISABLED | TTBLS_SELECTED | TTBLS_HILITED | TTBLS_FOCUSED);
  EXPECT_EQ(State(table, 2), static_cast<DWORD>(TTBLS_DISABLED));
  EXPECT_EQ(SendMessageW(table, TTBLM_SETRELAY, 1, 0), 0);
  EXPECT_EQ(SendMessageW(table, TTBLM_SETRELAY, 0, 0), TTBLT_RELAY);
  EXPECT_EQ(SendMessageW(table, TTBLM_SETTABLEVALUE, 0, 77), 0);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETTABLEVALUE, 0, 0), 77);
  EXPECT_EQ(Send(table, TTBLM_SETITEMDATA, 55, At(1)), 0);
  EXPECT_EQ(Send(table, TTBLM_GETITEMDATA, 0, At(1)), 55);
  EXPECT_EQ(SendMessageW(table, TTBLM_SETHILITE, 9, 0), -1);
  // Hilite with skip passes the disabled item.
  EXPECT_EQ(SendMessageW(table, TTBLM_SETHILITE, 2, 1), 1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETHILITE, 0, 0), 3);
}

TEST_F(Protocol, TheItemCountGoesBeyondSixteenBits) {
  ShowWindow(parent.hwnd(), SW_HIDE);
  SendMessageW(table, TTBLM_SETNUMCOLS, 0, 1000);
  const int n = SHRT_MAX + 100;
  for (int i = 0; i < n; ++i) ASSERT_EQ(AddOwnerDraw(table, static_cast<DWORD>(i)), i + 1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMITEMS, 0, 0), n);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEMID, static_cast<WPARAM>(n - 1), 0), n);
  tagTT_ITEMINFO last = At(static_cast<DWORD>(n));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETITEM, 0, reinterpret_cast<LPARAM>(&last)), n);
}

TEST_F(Protocol, SetItemReplacesTheObjectAndReleasesTheOldOneItOwned) {
  HBITMAP first = MaskedStrip(16, 16, RGB(255, 0, 0));
  HBITMAP second = MaskedStrip(16, 16, RGB(0, 0, 255));
  ASSERT_EQ(Add(table, Rec(TTBL_BITMAP, 1, first, TTBLF_AUTODISPOSE)), 1);
  tagTT_ITEMINFO set = Rec(TTBL_BITMAP, 2, second, TTBLF_AUTODISPOSE | TTBLF_SPAN);
  set.how = TTBL_BYPOSITION;
  set.posOrId = 1;
  set.mask = TTBLMASK_OBJECT;
  EXPECT_EQ(SendMessageW(table, TTBLM_SETITEM, 0, reinterpret_cast<LPARAM>(&set)), 1);
  BITMAP bm;
  EXPECT_EQ(GetObjectW(first, sizeof bm, &bm), 0) << "the replaced bitmap is freed";
  EXPECT_NE(GetObjectW(second, sizeof bm, &bm), 0);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEMID, 2, 0), 1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMROWS, 0, 0), 1);
  // Only the data group changes with mask 0x10.
  tagTT_ITEMINFO data = At(1);
  data.data = 9;
  data.id = 555;
  data.mask = TTBLMASK_DATA;
  EXPECT_EQ(SendMessageW(table, TTBLM_SETITEM, 0, reinterpret_cast<LPARAM>(&data)), 1);
  EXPECT_EQ(Send(table, TTBLM_GETITEMDATA, 0, At(1)), 9);
  EXPECT_EQ(SendMessageW(table, TTBLM_FINDITEMID, 2, 0), 1);
}

TEST_F(Protocol, OwnedIconsAreDestroyedAsIcons) {
  HICON icon = CopyIcon(LoadIconW(NULL, MAKEINTRESOURCEW(32512)));  // IDI_APPLICATION
  ASSERT_NE(icon, static_cast<HICON>(NULL));
  ASSERT_EQ(Add(table, Rec(TTBL_ICON, 1, icon, TTBLF_AUTODISPOSE)), 1);
  ASSERT_EQ(Send(table, TTBLM_DELETEITEM, 0, At(1)), 1);
  ICONINFO info;
  EXPECT_FALSE(GetIconInfo(icon, &info)) << "the icon is gone";
}

// Creates a table with owned objects of every kind, paints and clears it, and destroys it.
void MakeUseAndDestroy(HWND parent, HWND* ownedChild) {
  HWND table = MakeTable(parent);
  ASSERT_NE(table, static_cast<HWND>(NULL));
  HWND owned = CreateWindowW(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, NULL, NULL, NULL);
  Add(table, Rec(TTBL_WINDOW, 1, owned, TTBLF_AUTODISPOSE));
  Add(table, Rec(TTBL_BITMAP, 2, MaskedStrip(16, 16, RGB(1, 2, 3)), TTBLF_AUTODISPOSE));
  Add(table, Rec(TTBL_BITMAP, 3, MaskedStrip(16, 16, RGB(1, 2, 3)), TTBLF_AUTODISPOSE | TTBLF_SPAN));
  Add(table, Rec(TTBL_SEPARATOR, 4, NULL, TTBLF_NEUTRAL));
  SetState(table, 2, TTBLS_SELECTED);
  UpdateWindow(parent);
  SendMessageW(table, TTBLM_CLEAR, 0, 0);
  Add(table, Rec(TTBL_BITMAP, 5, MaskedStrip(16, 16, RGB(1, 2, 3)), TTBLF_AUTODISPOSE));
  Add(table, Rec(TTBL_WINDOW, 6, CreateWindowW(L"BUTTON", L"y", WS_CHILD, 0, 0, 10, 10, parent, NULL, NULL, NULL),
                 TTBLF_AUTODISPOSE));
  UpdateWindow(parent);
  DestroyWindow(table);
  *ownedChild = owned;
}

TEST(ToolTableLifetime, ItemsAndTheirObjectsGoWithTheWindow) {
  NotifyParent parent;
  HWND owned = NULL;
  MakeUseAndDestroy(parent.hwnd(), &owned);  // the system's own first-use objects are made now
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  MakeUseAndDestroy(parent.hwnd(), &owned);
  EXPECT_FALSE(IsWindow(owned));
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

TEST(ToolTableLifetime, TheClassIsRegisteredOnceAndAgainHarmlessly) {
  HMODULE q = GetModuleHandleW(L"quarnel.dll");
  ASSERT_NE(q, static_cast<HMODULE>(NULL));
  EXPECT_TRUE(RegisterToolTableClass(q));
  EXPECT_TRUE(RegisterToolTableClass(q));
  WNDCLASSW wc;
  ASSERT_TRUE(GetClassInfoW(q, L"QvToolTable32", &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_GLOBALCLASS | CS_DBLCLKS));
}

TEST(ToolTableFreeFunctions, PostedRecordsReachTheParentAndNothingIsPostedWithoutOne) {
  NotifyParent parent;
  HWND table = MakeTable(parent.hwnd(), 12);
  Recorder().Reset();
  EXPECT_TRUE(PostNotification(table, TTBLN_CLOSE, 5));
  Recorder().Pump();
  EXPECT_EQ(parent.posted, 1);
  const ExpectedMsg posted[] = {
      {WM_NOTIFY, testing_support::kPosted | testing_support::kParent | testing_support::kWparam |
                      testing_support::kLparam, TTBLN_CLOSE, 5},
      kEnd};
  EXPECT_TRUE(Recorder().Matches(posted));
  // A window without a parent: nothing is allocated or sent.
  HWND lonely = CreateWindowExW(0, L"QvToolTable32", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  EXPECT_FALSE(PostNotification(lonely, TTBLN_CLOSE, 0));
  EXPECT_EQ(SendNotification(lonely, TTBLN_CLOSE, 0), 0);
  DestroyWindow(lonely);
  DestroyWindow(table);
}

TEST_F(Protocol, CommonControlMessages) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(table, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(table, WM_GETFONT, 0, 0)), font);
  EXPECT_EQ(SendMessageW(table, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  SendMessageW(table, TTBLM_SETTABLESTYLE, TTBLT_WANTTAB, 0);
  EXPECT_EQ(SendMessageW(table, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTTAB);
  // Redrawing off: changes paint nothing until it is on again, then the window is invalid.
  AddThree();
  UpdateWindow(table);
  SendMessageW(table, WM_SETREDRAW, FALSE, 0);
  SetState(table, 1, TTBLS_SELECTED);
  SendMessageW(table, WM_SETREDRAW, TRUE, 0);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(table, &update, FALSE));
  // Messages above the private range go to the default procedure.
  EXPECT_EQ(SendMessageW(table, WM_USER + 0x40, 1, 1), 0);
}

}  // namespace
