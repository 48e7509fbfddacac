// The status bar with stacks of template bars: panes and items added, joined, split and
// removed; ids; the stack and the standard indicators; items drawn side by side; the
// messages through which other windows edit items, with hostile arguments refused.
#include <gtest/gtest.h>

#include <UIStatusBar.h>
#include <child_process.h>
#include <dib_canvas.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "recorder.h"
#include "test_support.h"

namespace {

int g_barsDeleted = 0;
class CountedBar : public QvTemplateBar {
 public:
  explicit CountedBar(CUIStatusBar* bar) : QvTemplateBar(bar) {}
  ~CountedBar() override { ++g_barsDeleted; }
};

class UIStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, _T("status"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 240)));
    bar = new CUIStatusBar;
    ASSERT_TRUE(bar->Create(frame));
    frame->RecalcLayout();
  }
  void TearDown() override {
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    delete bar;
  }
  // Items per pane of a template bar.
  static std::vector<size_t> Shape(const QvTemplateBar& t) {
    std::vector<size_t> shape;
    for (CPane* pane : t.GetPanes()) shape.push_back(pane->m_items.size());
    return shape;
  }
  std::wstring ControlText(int pane) {
    wchar_t buffer[64] = {};
    ::SendMessageW(bar->m_hWnd, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  CFrameWnd* frame = NULL;
  CUIStatusBar* bar = NULL;
};

TEST_F(UIStatus, ANewTemplateBarShowsOneEmptyBorderlessStretchingMessagePane) {
  EXPECT_EQ(4, bar->GetCount());  // nothing stacked yet: the standard indicators
  QvTemplateBar t(bar);
  EXPECT_EQ(1, t.GetItemCount());
  t.SetItemText(0, _T("Before showing"), TA_LEFT);  // the message pane keeps it
  EXPECT_EQ(0, t.Index2ID(0));
  t.Show();
  EXPECT_EQ(&t, bar->GetActiveBar());
  EXPECT_TRUE(t.IsShown());
  EXPECT_EQ(1, bar->GetCount());
  EXPECT_EQ(static_cast<UINT>(SBPS_NOBORDERS | SBPS_STRETCH), bar->GetPaneStyle(0) & (SBPS_NOBORDERS | SBPS_STRETCH));
  EXPECT_EQ(_T("Before showing"), bar->GetPaneText(0));
  t.SetItemText(0, _T("Ready"), TA_LEFT);
  EXPECT_EQ(_T("Ready"), bar->GetPaneText(0));
  t.Hide();
}

TEST_F(UIStatus, ItemsJoinSplitAndLeavePanes) {
  QvTemplateBar t(bar);
  const WORD a = t.AddTextItem(_T("alpha"), TA_LEFT, 0);
  const WORD b = t.AddTextItem(_T("beta"), TA_LEFT, QVSB_JOIN);
  EXPECT_EQ((std::vector<size_t>{1, 2}), Shape(t));  // b joined a's pane
  // Before b, in a pane of its own: a's pane is split there, b follows the new item.
  const WORD c = t.AddTextItem(_T("gamma"), TA_LEFT, 0, 2);
  EXPECT_EQ((std::vector<size_t>{1, 1, 2}), Shape(t));
  EXPECT_EQ(c, t.Index2ID(2));
  EXPECT_EQ(b, t.Index2ID(3));
  // Before the first item of a pane: a new pane before it.
  const WORD d = t.AddTextItem(_T("delta"), TA_LEFT, 0, 1);
  EXPECT_EQ((std::vector<size_t>{1, 1, 1, 2}), Shape(t));
  EXPECT_EQ(1, t.ID2Index(static_cast<short>(d)));
  // Joined at a position: into the preceding item's pane.
  t.AddTextItem(_T("eps"), TA_LEFT, QVSB_JOIN, 2);
  EXPECT_EQ((std::vector<size_t>{1, 2, 1, 2}), Shape(t));

  EXPECT_TRUE(t.DeleteItem(static_cast<short>(a)));
  EXPECT_EQ((std::vector<size_t>{1, 2, 2}), Shape(t));  // a was alone in its pane: the pane went too
  EXPECT_EQ(0xFFFF, t.ID2Index(static_cast<short>(a)));
  EXPECT_FALSE(t.DeleteItem(static_cast<short>(a)));  // gone
  EXPECT_EQ(QVSB_NOITEM, t.GetItemType(static_cast<short>(a)));
  EXPECT_EQ(QVSB_TEXT, t.GetItemType(static_cast<short>(c)));
  EXPECT_EQ(QVSB_NOID, t.AddItem(static_cast<QVSB_ITEMTYPE>(9), 0, NULL, 0));
}

TEST_F(UIStatus, AddItemsTakesConsecutiveIdsAllInUse) {
  QvTemplateBar t(bar);
  t.AddTextItem(_T("one"), TA_LEFT, 0);
  const WORD gap = t.AddTextItem(_T("two"), TA_LEFT, 0);
  t.AddTextItem(_T("three"), TA_LEFT, 0);
  t.DeleteItem(static_cast<short>(gap));  // a free id between used ones
  const paneItem records[] = {{QVSB_TEXT, 0, 0, const_cast<LPTSTR>(_T("x"))},
                              {QVSB_PROGRESS, QVSB_JOIN, 40, NULL},
                              {QVSB_TEXT, QVSB_JOIN, 0, const_cast<LPTSTR>(_T("z"))}};
  const WORD first = t.AddItems(3, records);
  ASSERT_NE(QVSB_NOID, first);
  for (int i = 0; i < 3; ++i) EXPECT_NE(0xFFFF, t.ID2Index(static_cast<short>(first + i))) << i;
  EXPECT_EQ(QVSB_PROGRESS, t.GetItemType(static_cast<short>(first + 1)));
  EXPECT_NE(nullptr, t.GetItemProgress(static_cast<short>(first + 1)));
  EXPECT_EQ(nullptr, t.GetItemProgress(static_cast<short>(first)));
  EXPECT_EQ(6, t.GetItemCount());
}

TEST_F(UIStatus, TheStackShowsItsTopAndAnEmptyStackTheStandardIndicators) {
  QvTemplateBar first(bar), second(bar);
  first.AddTextItem(_T("first"), TA_LEFT, 0);
  second.AddTextItem(_T("second"), TA_LEFT, 0);
  second.AddTextItem(_T("more"), TA_LEFT, 0);
  first.Show();
  EXPECT_EQ(2, bar->GetCount());
  second.Show();
  EXPECT_EQ(&second, bar->GetActiveBar());
  EXPECT_FALSE(first.IsShown());
  EXPECT_EQ(3, bar->GetCount());
  second.Hide();
  EXPECT_EQ(&first, bar->GetActiveBar());
  EXPECT_TRUE(first.IsShown());
  EXPECT_EQ(2, bar->GetCount());
  first.Hide();
  EXPECT_EQ(nullptr, bar->GetActiveBar());
  ASSERT_EQ(4, bar->GetCount());
  EXPECT_EQ(_T("CAP"), bar->GetPaneText(1));
  EXPECT_EQ(_T("NUM"), bar->GetPaneText(2));
  EXPECT_EQ(_T("SCRL"), bar->GetPaneText(3));
}

TEST_F(UIStatus, AnIndicatorFirstInItsPaneMakesAnOrdinaryPaneWithItsLabel) {
  QvTemplateBar t(bar);
  t.AddIndicatorItem(4001, 0);
  t.Show();
  ASSERT_EQ(2, bar->GetCount());
  EXPECT_EQ(4001u, bar->GetItemID(1));
  EXPECT_EQ(_T("IND"), bar->GetPaneText(1));
  EXPECT_EQ(0u, bar->GetPaneStyle(1) & SBPS_OWNERDRAW);
  t.Hide();
}

TEST_F(UIStatus, ItemsOfAPaneAreDrawnSideBySide) {
  QvTemplateBar t(bar);
  const WORD a = t.AddTextItem(_T("WWWW"), TA_LEFT, 0);
  const WORD b = t.AddTextItem(_T("MMMM"), TA_LEFT, QVSB_JOIN);
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 1, 0));
  HICON icon = ::LoadIcon(NULL, IDI_APPLICATION);
  images.Add(icon);
  const WORD c = t.AddImageItem(&images, 0, QVSB_JOIN);
  t.Show();
  CRect ra, rb, rc;
  ASSERT_TRUE(bar->GetItemRect(&t, t.ID2Index(static_cast<short>(a)), ra));
  ASSERT_TRUE(bar->GetItemRect(&t, t.ID2Index(static_cast<short>(b)), rb));
  ASSERT_TRUE(bar->GetItemRect(&t, t.ID2Index(static_cast<short>(c)), rc));
  EXPECT_EQ(ra.right, rb.left);
  EXPECT_EQ(rb.right, rc.left);
  EXPECT_EQ(16, rc.Width());

  // The pane drawn as the control asks for it, into a canvas.
  CRect client, pane;
  bar->GetClientRect(&client);
  bar->CStatusBar::GetItemRect(1, &pane);
  testing_support::DibCanvas canvas(client.Width(), client.Height());
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  canvas.Fill(face);
  DRAWITEMSTRUCT dis = {};
  dis.hwndItem = bar->m_hWnd;
  dis.hDC = canvas.dc();
  dis.itemID = 1;
  dis.rcItem = pane;
  bar->DrawItem(&dis);
  // Each item's own slot holds its ink (inside the pane's borders).
  for (const CRect& r : {ra, rb, rc}) {
    CRect inner(r.left + 1, r.top + 3, r.right - 1, r.bottom - 3);
    EXPECT_GT(canvas.CountOtherThan(face, inner), 0) << r.left;
  }
  t.Hide();
}

TEST_F(UIStatus, ATextChangeInvalidatesItsItemAndPaintsNothingYet) {
  QvTemplateBar t(bar);
  const WORD id = t.AddTextItem(_T("short"), TA_LEFT, 0);
  frame->ShowWindow(SW_SHOWNA);
  t.Show();
  bar->UpdateWindow();
  CRect before;
  ASSERT_TRUE(bar->GetItemRect(&t, t.ID2Index(static_cast<short>(id)), before));
  testing_support::Recorder().Reset();
  testing_support::SubclassedControl logged(bar->m_hWnd);
  t.SetItemText(static_cast<short>(id), _T("a much longer text"), TA_LEFT);
  EXPECT_EQ(0u, testing_support::Recorder().Count(WM_PAINT));
  CRect update;
  EXPECT_TRUE(bar->GetUpdateRect(&update));
  CRect after;
  ASSERT_TRUE(bar->GetItemRect(&t, t.ID2Index(static_cast<short>(id)), after));
  EXPECT_GT(after.Width(), before.Width());  // the pane grew for the wider text
  t.Hide();
  frame->ShowWindow(SW_HIDE);
}

TEST_F(UIStatus, MessagesFillInTheActiveBarAndRefuseWhatIsNotTheirs) {
  paneItem text = {QVSB_TEXT, 0, 0, const_cast<LPTSTR>(_T("by message"))};
  QvStatusItemRef ref = {NULL, -1};
  // No active bar yet.
  EXPECT_EQ(-1, bar->SendMessage(QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&text)));

  QvTemplateBar t(bar);
  t.Show();
  LRESULT id = bar->SendMessage(QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&text));
  ASSERT_GT(id, 0);
  EXPECT_EQ(&t, ref.bar);

  CUIStatusBar other;
  ASSERT_TRUE(other.Create(frame, WS_CHILD, AFX_IDW_STATUS_BAR + 1));
  QvTemplateBar foreign(&other);
  int junk[8] = {};
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT expected;
  };
  QvStatusItemRef foreignRef = {&foreign, -1};
  QvStatusItemRef junkRef = {reinterpret_cast<QvTemplateBar*>(junk), -1};
  QvStatusItemRef badId = {NULL, 999};
  paneItem badType = {static_cast<QVSB_ITEMTYPE>(7), 0, 0, NULL};
  paneItem badText = {QVSB_TEXT, 0, 0, reinterpret_cast<void*>(0x10)};
  paneItem badImages = {QVSB_IMAGE, 0, 0, reinterpret_cast<void*>(0x20)};
  const Case cases[] = {
      {"another status bar's template bar", QVSB_ADDITEM, reinterpret_cast<WPARAM>(&foreignRef),
       reinterpret_cast<LPARAM>(&text), -1},
      {"a pointer to no template bar", QVSB_ADDITEM, reinterpret_cast<WPARAM>(&junkRef), reinterpret_cast<LPARAM>(&text), -1},
      {"an unreadable record", QVSB_ADDITEM, 0x30, reinterpret_cast<LPARAM>(&text), -1},
      {"an unreadable item", QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), 0x40, -1},
      {"an unknown item type", QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&badType), -1},
      {"an unreadable text", QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&badText), -1},
      {"an unreadable image list", QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&badImages), -1},
      {"set of an id not in use", QVSB_SETITEM, reinterpret_cast<WPARAM>(&badId), reinterpret_cast<LPARAM>(&text), 0},
      {"set with an unreadable record", QVSB_SETITEM, 0x30, reinterpret_cast<LPARAM>(&text), 0},
      {"delete of an id not in use", QVSB_DELETEITEM, 0, 999, 0},
      {"delete on another bar's template bar", QVSB_DELETEITEM, reinterpret_cast<WPARAM>(&foreign), 0, 0},
      {"show of a pointer to no template bar", QVSB_SHOWHIDE, reinterpret_cast<WPARAM>(junk), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ref.bar = NULL;
    EXPECT_EQ(c.expected, bar->SendMessage(c.message, c.wParam, c.lParam));
  }
  EXPECT_EQ(2, t.GetItemCount());
  EXPECT_EQ(&t, bar->GetActiveBar());
  EXPECT_EQ(1, bar->SendMessage(QVSB_DELETEITEM, 0, id));
  EXPECT_EQ(1, t.GetItemCount());
  other.DestroyWindow();
  t.Hide();
}

// Run only as the child of the test below: the item messages with their records in a
// read-only page, one naming the bar and one leaving it to the status bar.
TEST_F(UIStatus, DISABLED_ItemMessagesWithReadOnlyRecords) {
  QvTemplateBar t(bar);
  t.Show();
  paneItem text = {QVSB_TEXT, 0, 0, const_cast<LPTSTR>(_T("read only"))};
  auto* page = static_cast<QvStatusItemRef*>(::VirtualAlloc(NULL, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(nullptr, page);
  DWORD old = 0;
  auto protect = [&](DWORD how) { ASSERT_TRUE(::VirtualProtect(page, 4096, how, &old)); };
  page[0] = {&t, -1};
  page[1] = {NULL, -1};
  protect(PAGE_READONLY);
  const LRESULT id = bar->SendMessage(QVSB_ADDITEM, reinterpret_cast<WPARAM>(&page[0]), reinterpret_cast<LPARAM>(&text));
  EXPECT_GT(id, 0);  // the named bar needs no writing
  EXPECT_EQ(-1, bar->SendMessage(QVSB_ADDITEM, reinterpret_cast<WPARAM>(&page[1]), reinterpret_cast<LPARAM>(&text)));
  protect(PAGE_READWRITE);
  page[0].number = static_cast<short>(id);
  page[1].number = static_cast<short>(id);
  protect(PAGE_READONLY);
  EXPECT_EQ(1, bar->SendMessage(QVSB_SETITEM, reinterpret_cast<WPARAM>(&page[0]), reinterpret_cast<LPARAM>(&text)));
  EXPECT_EQ(0, bar->SendMessage(QVSB_SETITEM, reinterpret_cast<WPARAM>(&page[1]), reinterpret_cast<LPARAM>(&text)));
  EXPECT_EQ(2, t.GetItemCount());
  EXPECT_EQ(nullptr, page[1].bar);
  ::VirtualFree(page, 0, MEM_RELEASE);
  t.Hide();
}

// A record in read-only memory is never written into: the messages answer, nothing faults.
TEST_F(UIStatus, ItemMessagesNeverWriteIntoAReadOnlyRecord) {
  EXPECT_EQ(0, testing_support::RunThisProgram(
                   L"--gtest_also_run_disabled_tests --gtest_filter=UIStatus.DISABLED_ItemMessagesWithReadOnlyRecords"));
}

// Items asking for more room than there is get no more than the bar's width, however added.
TEST_F(UIStatus, ItemAndPaneWidthsAreBoundedByTheBar) {
  QvTemplateBar t(bar);
  t.AddProgressItem(0x7FFFFFF0, PBS_SMOOTH, 0, 0);
  t.AddTextItem(0x7FFFFFF0, TA_LEFT, 0);
  QvStatusItemRef ref = {&t, -1};
  paneItem progress = {QVSB_PROGRESS, 0, 0x7FFFFFF0, NULL};
  ASSERT_GT(bar->SendMessage(QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&progress)), 0);
  paneItem wide = {QVSB_TEXT, QVSB_JOIN, 0x7FFFFFF0, const_cast<LPTSTR>(_T("x"))};
  ASSERT_GT(bar->SendMessage(QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&wide)), 0);
  t.Show();
  CRect client;
  bar->GetClientRect(&client);
  ASSERT_GT(client.Width(), 0);
  ASSERT_EQ(4, bar->GetCount());
  for (int i = 1; i < bar->GetCount(); ++i) {
    UINT id = 0, style = 0;
    int width = -1;
    bar->GetPaneInfo(i, id, style, width);
    EXPECT_GE(width, 0) << i;
    EXPECT_LE(width, client.Width()) << i;
  }
  for (int position = 1; position < t.GetItemCount(); ++position) {
    CRect item;
    ASSERT_TRUE(bar->GetItemRect(&t, position, item)) << position;
    EXPECT_GE(item.Width(), 0) << position;
    EXPECT_LE(item.Width(), client.Width()) << position;
  }
  t.Hide();
}

TEST_F(UIStatus, OlderPanesAddChangeAndRemoveTheirItems) {
  QvTemplateBar t(bar);
  t.Show();
  {
    CSBTextPane pane(*bar, _T("hello"));
    ASSERT_TRUE(pane.Create(-1));
    EXPECT_EQ(2, t.GetItemCount());
    EXPECT_TRUE(pane.SetText(_T("world")));
    CSBProgressPane progress(*bar, 50);
    ASSERT_TRUE(progress.Create(-1));
    EXPECT_EQ(5, t.GetItemCount());
    EXPECT_EQ((std::vector<size_t>{1, 1, 3}), Shape(t));
    progress.SetPos(7);
    progress.SetPos(9);
    ASSERT_NE(nullptr, progress.GetProgress());
    EXPECT_EQ(9, progress.GetProgress()->SendMessage(PBM_GETPOS));  // set, not stepped
    int low = -1, high = -1;
    progress.GetProgress()->GetRange(low, high);
    EXPECT_EQ(50, high);
  }
  // Each pane took its items along, at once.
  EXPECT_EQ(1, t.GetItemCount());
  t.Hide();
}

TEST_F(UIStatus, TheStatusBarDeletesTheTemplateBarsLeftOnItsStack) {
  g_barsDeleted = 0;
  auto* kept = new CountedBar(bar);
  auto* stacked = new CountedBar(bar);
  auto* top = new CountedBar(bar);
  stacked->Show();
  top->Show();
  frame->DestroyWindow();
  delete bar;
  bar = NULL;
  EXPECT_EQ(2, g_barsDeleted);
  delete kept;  // the host's own, after its status bar
  EXPECT_EQ(3, g_barsDeleted);
}

}  // namespace
