// The framework classes over the tool table: the item record, the window wrapper and the
// container with its tooltips and relayed notifications.
#include "container_fixture.h"
#include "table_fixture.h"

#include <ToolTableWnd.h>
#include <handle_counts.h>

using namespace tooltable_test;
using testing_support::SubclassedControl;

namespace {

TEST(ToolTableItemRecord, ConstructorsSetTypeObjectFlagsAndState) {
  CToolTableItem reset;
  tagTT_ITEMINFO r = reset;
  EXPECT_EQ(r.mask, static_cast<DWORD>(TTBLMASK_ALL));
  EXPECT_TRUE(reset.Enabled());
  CToolTableItem sep(TTBL_SEPARATOR, 5, reinterpret_cast<void*>(0x1234), 0, 0, 9);
  EXPECT_EQ(sep.Type(), TTBL_SEPARATOR);
  EXPECT_EQ(static_cast<tagTT_ITEMINFO>(sep).flags, static_cast<DWORD>(TTBLF_NEUTRAL | TTBLF_SPAN));
  EXPECT_FALSE(sep.Enabled());
  EXPECT_EQ(static_cast<tagTT_ITEMINFO>(sep).object, static_cast<HANDLE>(NULL));
  EXPECT_EQ(sep.ID(), 5u);
  HWND fake = reinterpret_cast<HWND>(0x10);
  CToolTableItem full(TTBL_WINDOW, fake, 7, 8, 1, 0, 1, 1, 1, 0, 1, 1, 1);
  EXPECT_EQ(full.Window(), fake);
  EXPECT_EQ(full.Bitmap(), static_cast<HBITMAP>(NULL));
  EXPECT_TRUE(full.Spanned() && full.Selected() && full.Focused() && full.Hilited() && full.AutoDispose() &&
              full.Centered() && full.Fit());
  EXPECT_FALSE(full.Enabled());
  EXPECT_EQ(full.Data(), 8u);
  full.SetItemPos(3, FALSE);
  unsigned long posOrId = 0;
  int byPosition = 1;
  full.Pos(posOrId, byPosition);
  EXPECT_EQ(posOrId, 3u);
  EXPECT_EQ(byPosition, 0);
  CToolTableItem copy = full;
  EXPECT_EQ(copy.ID(), 7u);
}

class Wrapper : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(table.Create(CWnd::FromHandle(parent.hwnd()), 5, 5, 21, 3, 20, 18, 2, 3, TRUE, FALSE));
    Recorder().Reset();
  }
  NotifyParent parent;
  CToolTable table;
};

TEST_F(Wrapper, CreateSetsTheGridAndStyle) {
  short w = 0, h = 0, x = 0, y = 0;
  EXPECT_EQ(table.GetItemMetrics(w, h), MAKELONG(20, 18));
  EXPECT_EQ(w, 20);
  EXPECT_EQ(table.GetItemSep(x, y), MAKELONG(2, 3));
  EXPECT_EQ(y, 3);
  EXPECT_EQ(table.GetNumCols(), 3);
  EXPECT_EQ(table.GetTableStyle(), TTBLT_MULTISEL);
  EXPECT_EQ(table.GetDlgCtrlID(), 21);
  EXPECT_EQ(table.AddSeparator(), 1);
  EXPECT_EQ(table.AddOwnerDraw(40, 0, FALSE), 2);
  EXPECT_EQ(table.FindItemID(40), 2);
  EXPECT_EQ(table.GetItemState(1, TRUE), TTBLS_DISABLED);
}

TEST_F(Wrapper, SetModesCombineBitsAndRefuseUnknownModes) {
  table.AddOwnerDraw(1, 0, FALSE);
  EXPECT_EQ(table.SetItemState(1, TRUE, TTBLS_SELECTED, CToolTable::Add), 0);
  EXPECT_EQ(table.SetItemState(1, TRUE, TTBLS_HILITED, CToolTable::Add), TTBLS_SELECTED);
  EXPECT_EQ(table.SetItemState(1, TRUE, TTBLS_SELECTED, CToolTable::Remove), TTBLS_SELECTED | TTBLS_HILITED);
  EXPECT_EQ(table.GetItemState(1, TRUE), TTBLS_HILITED);
  SubclassedControl spy(table.m_hWnd);
  Recorder().Clear();
  // A missing item with a mode that reads first, and a mode of 3: -1 and no state message.
  EXPECT_EQ(table.SetItemState(99, FALSE, TTBLS_SELECTED, CToolTable::Add), -1);
  EXPECT_EQ(table.SetTableStyle(TTBLT_RELAY, static_cast<CToolTable::SetMode>(3)), -1);
  EXPECT_EQ(Recorder().Count(TTBLM_SETITEMSTATE), 0u);
  EXPECT_EQ(Recorder().Count(TTBLM_SETTABLESTYLE), 0u);
  EXPECT_EQ(Recorder().Count(TTBLM_GETTABLESTYLE), 0u);
  EXPECT_EQ(table.SetTableStyle(TTBLT_RELAY, CToolTable::Add), TTBLT_MULTISEL);
  EXPECT_EQ(table.GetTableStyle(), TTBLT_MULTISEL | TTBLT_RELAY);
}

class Container : public testing::Test {
 protected:
  void SetUp() override {
    owner.deletesPosted = false;  // the container's hook frees them
    ASSERT_TRUE(container.Make(CWnd::FromHandle(owner.hwnd()), 31));
    container.bounds = container.frames = container.items = 0;
    Recorder().Reset();
  }
  NotifyParent owner;
  TestContainer container;
};

TEST_F(Container, ForwardersAnswerMinusOneWithoutATable) {
  CToolTableContainer bare;
  short a = 0, b = 0;
  EXPECT_EQ(bare.AddOwnerDraw(1, 0, FALSE), -1);
  EXPECT_EQ(bare.GetNumItems(), -1);
  EXPECT_EQ(bare.GetItemSep(a, b), -1);
  EXPECT_EQ(bare.SetItemToolTip(L"x", 1, TRUE), 0);
  CString text(_T("left"));
  bare.GetItemToolTip(text, 1, TRUE);
  EXPECT_TRUE(text.IsEmpty());
  tagTT_CLICKSTRUCT hit = {};
  EXPECT_EQ(bare.HitTest(hit, NULL), -1);
  bare.SetHilite(1, 0);  // nothing happens
}

TEST_F(Container, TooltipsFollowTheirItemsThroughInsertAndDelete) {
  for (DWORD id = 1; id <= 4; ++id) ASSERT_EQ(container.AddOwnerDraw(id, 0, FALSE), static_cast<int>(id));
  EXPECT_EQ(container.SetItemToolTip(L"third \u00e9", 3, TRUE), 1);
  EXPECT_EQ(container.SetItemToolTip(L"fourth", 4, TRUE), 1);
  EXPECT_EQ(container.SetItemToolTip(NULL, 4, TRUE), 0);
  EXPECT_EQ(container.SetItemToolTip(L"none", 9, TRUE), 0);
  tagTT_ITEMINFO head = {};
  head.how = TTBL_BYPOSITION;
  head.posOrId = 0;
  head.type = TTBL_OWNERDRAW;
  head.id = 10;
  ASSERT_EQ(container.InsertItem(head), 1);
  CString text;
  container.GetItemToolTip(text, 4, TRUE);
  EXPECT_TRUE(text == CString(L"third \u00e9"));
  container.GetItemToolTip(text, 3, FALSE);
  EXPECT_TRUE(text == CString(L"third \u00e9")) << "by id";
  ASSERT_EQ(container.DeleteItem(1, TRUE), 1);
  container.GetItemToolTip(text, 4, TRUE);
  EXPECT_TRUE(text == CString(L"fourth"));
  // Far beyond the first 16 entries the array grows.
  for (DWORD id = 5; id <= 40; ++id) container.AddOwnerDraw(id, 0, FALSE);
  EXPECT_EQ(container.SetItemToolTip(L"late", 40, TRUE), 1);
  container.GetItemToolTip(text, 40, TRUE);
  EXPECT_TRUE(text == CString(L"late"));
}

TEST_F(Container, TableNotificationsReachTheOwnerUnderTheContainersName) {
  // Bitmap items without bitmaps: nothing to draw, no drawing notifications.
  container.AddBitmap(NULL, 1, 0, FALSE, FALSE, FALSE, FALSE);
  container.AddBitmap(NULL, 2, 0, FALSE, FALSE, FALSE, FALSE);
  container.bounds = container.items = 0;
  Recorder().Clear();
  container.SetItemState(2, TRUE, TTBLS_SELECTED, CToolTable::Replace);
  container.SetNumCols(1);
  // Selection, then the new size (bounds hook) and the metrics (items hook).
  const ExpectedMsg expected[] = {Note(TTBLN_SELCHANGE, MAKELONG(1, 2)), NoteAny(TTBLN_RESIZED),
                                  NoteAny(TTBLN_METRICSCHANGED), Note(TTBLN_REDRAWN, 0), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(container.bounds, 1);
  EXPECT_EQ(container.items, 1);
  // The hooks of the container's owner have the records under the container's name.
  owner.onNotify = [this](const tagNM_TOOLTABLE* nm) -> LRESULT {
    EXPECT_EQ(nm->hdr.hwndFrom, container.m_hWnd);
    EXPECT_EQ(nm->hdr.idFrom, 31u);
    return 0;
  };
  container.SetItemState(1, TRUE, TTBLS_SELECTED, CToolTable::Replace);
  // A posted record reaches the owner once; the hook frees it after.
  EXPECT_TRUE(container.Post(TTBLN_CLOSE, 3));
  Recorder().Pump();
  EXPECT_EQ(owner.posted, 1);
}

TEST_F(Container, TheWheelStepsTheFocusAndCloseHides) {
  for (DWORD id = 1; id <= 3; ++id) container.AddOwnerDraw(id, 0, FALSE);
  container.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(container.GetFocus(), 1) << "towards the user: forward";
  container.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(container.GetFocus(), 3) << "away: backward, wrapping";
  Recorder().Clear();
  container.Close();
  EXPECT_FALSE(container.IsWindowVisible());
  const ExpectedMsg expected[] = {Note(TTBLN_CLOSE, 0), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
}

TEST(ContainerLifetime, TheOwnedTableGoesWithTheContainer) {
  NotifyParent owner;
  owner.deletesPosted = false;
  const int before = CountingTable::destroyed;
  HWND tableWindow = NULL;
  {
    TestContainer container;
    ASSERT_TRUE(container.Make(CWnd::FromHandle(owner.hwnd()), 5));
    tableWindow = container.TableWindow();
    container.AddBitmap(MaskedStrip(16, 16, RGB(1, 1, 1)), 1, 0, FALSE, FALSE, FALSE, TRUE);
    container.SetItemToolTip(L"tip", 1, TRUE);
  }
  EXPECT_EQ(CountingTable::destroyed, before + 1);
  EXPECT_FALSE(IsWindow(tableWindow));
}

}  // namespace

namespace {

TEST_F(Container, MovingIsReportedAndOnlyTheRightEdgesResize) {
  for (DWORD id = 1; id <= 6; ++id) container.AddBitmap(NULL, id, 0, FALSE, FALSE, FALSE, FALSE);
  Recorder().Clear();
  RECT moving = {120, 130, 320, 330};
  container.SendMessage(WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&moving));
  const ExpectedMsg moved[] = {Note(TTBLN_MOVED, MAKELONG(120, 130)), kEnd};
  EXPECT_TRUE(Recorder().Matches(moved));
  // A move saves the window rectangle; a left edge gets it back.
  container.SetWindowPos(NULL, 100, 100, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT saved;
  container.GetWindowRect(&saved);
  RECT left = {50, 100, 300, 300};
  container.SendMessage(WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&left));
  EXPECT_TRUE(EqualRect(&left, &saved));
  // The right edge: the table takes as many columns as fit, and the rectangle snaps to them.
  RECT right = {100, 100, 100 + 4 + 3 * 20 + 7, 300};
  container.SendMessage(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&right));
  EXPECT_EQ(container.GetNumCols(), 3);
  EXPECT_EQ(right.right, 100 + 4 + 3 * 20 + 4);
}

}  // namespace
