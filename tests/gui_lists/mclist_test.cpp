// The portable multi-column list on a real list view child of a portable container: its
// binding, notifications, selection, whole texts, sorting with item data, column widths by
// percentage, the column layout saved per user, and its own copy of the row images.
#include <GUIPlatformGlue.h>
#include <QvGUIContainer.h>
#include <QvImage.h>
#include <QvMCListBox.h>

#include <functional>
#include <string>

#include "lists_test.h"
#include <commctrl.h>
#include "test_support.h"

using namespace testing_support;

namespace {

const unsigned short kListId = 300;

// A framework window whose children's notifications go through the portable routing.
class PortableParent : public ListParent {
 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    return GUIOnNotify(this, wParam, lParam, result);
  }
};

struct Seen {
  std::string kind;
  NotificationCode code;
  LONG_PTR value;
};

class Container : public QvGUIContainer {
 public:
  Container() : QvGUIContainer(nullptr, 0) {}
  bool OnControlNotification(QvControlNotification& n) override {
    seen.push_back({n.m_control ? n.m_control->GetRuntimeClass()->GetName() : "", n.m_code, n.m_value});
    if (onNotify) onNotify(n);
    return true;
  }
  std::vector<Seen> seen;
  std::function<void(QvControlNotification&)> onNotify;
};

class MCList : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    SetConfigurationNames("QvListsTest", "lists", "lists");
    ASSERT_TRUE(parent.Make(600, 400));
    container = new Container;
    container->SetMFCCWnd(&parent);
    GUISetQvGUIContainer(&parent, container);
  }
  void TearDown() override {
    delete container;
    if (parent.m_hWnd) parent.DestroyWindow();
    PumpMessages();
  }
  // A report list view child (no border) of that size, bound as a multi-column list.
  QvMCListBox* MakeList(int width, int height, DWORD style = LVS_REPORT, unsigned short id = kListId) {
    child = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_SHAREIMAGELISTS | style, 0, 0, width,
                            height, parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), NULL, NULL);
    EXPECT_TRUE(child);
    QvMCListBox* list = nullptr;
    EXPECT_TRUE(container->GetControlFromID(list, id, 0));
    return list;
  }
  // Columns "A", "B", ... and rows of the given texts in column 0 ("<text>-<column>" after).
  void Fill(QvMCListBox* list, int columns, std::vector<std::string> rows) {
    for (int c = 0; c < columns; ++c) ASSERT_EQ(list->AddColumn(QvString(std::string(1, 'A' + c)), -1), c);
    for (size_t r = 0; r < rows.size(); ++r) {
      ASSERT_EQ(list->AddItem(-1), static_cast<long>(r));
      for (int c = 0; c < columns; ++c)
        ASSERT_TRUE(list->SetCellText(c, r, QvString(c == 0 ? rows[r] : rows[r] + "-" + std::to_string(c))));
    }
  }
  std::vector<std::string> Column(QvMCListBox* list, long column) {
    std::vector<std::string> out;
    for (long r = 0; r < list->GetCount(); ++r) {
      QvString text;
      list->GetCellText(column, r, text);
      out.push_back(text.c_str());
    }
    return out;
  }
  std::vector<int> Widths(QvMCListBox* list) {
    std::vector<int> out;
    for (long c = 0; c < list->GetColumnsCount(); ++c) out.push_back(list->GetColumnWidth(c));
    return out;
  }
  std::vector<long> Selected(QvMCListBox* list) {
    QvArraySLong rows;
    list->GetSelected(rows);
    std::vector<long> out;
    for (long i = 0; i < rows.GetSize(); ++i) out.push_back(rows[i]);
    return out;
  }
  // The list child gone, a new container for the parent.
  void Rebind() {
    DestroyWindow(child);
    delete container;
    container = new Container;
    container->SetMFCCWnd(&parent);
    GUISetQvGUIContainer(&parent, container);
  }
  void ClickHeader(int x) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(child, LVM_GETHEADER, 0, 0));
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    PumpMessages();
  }

  PortableParent parent;
  Container* container = nullptr;
  HWND child = NULL;
};

QvArrayQvString Texts(std::initializer_list<std::string> texts) {
  QvArrayQvString out;
  for (const auto& t : texts) out.Add(QvString(t));
  return out;
}

TEST_F(MCList, BindsAListViewAndIsFoundByTheContainer) {
  QvMCListBox* list = MakeList(300, 200);
  ASSERT_TRUE(list);
  EXPECT_TRUE(list->GetPlatformControl()->IsKindOf(RUNTIME_CLASS(CGUIListView)));
  EXPECT_EQ(list->m_ownsPlatformControl, 1);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  EXPECT_FALSE(style & LVS_SHAREIMAGELISTS);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  QvMCListBox* again = nullptr;
  EXPECT_TRUE(container->GetControlFromID(again, kListId, 0));
  EXPECT_EQ(again, list);
  const QvRuntimeClass* kind = QvGUIContainer::GetControlClassForChild(child);
  ASSERT_TRUE(kind);
  EXPECT_EQ(kind, QV_RUNTIME_CLASS(QvMCListBox));
  EXPECT_EQ(QvControl::GetPlatformClass(QV_RUNTIME_CLASS(QvMCListBox)), RUNTIME_CLASS(CGUIListView));
}

TEST_F(MCList, NotificationsOfAListNotYetAskedFor) {
  // A list view that no one asked for yet: the container makes a list for the call.
  HWND bare = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, parent.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId + 1)), NULL, NULL);
  ASSERT_TRUE(bare);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(bare, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(bare, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  HWND header = reinterpret_cast<HWND>(SendMessageW(bare, LVM_GETHEADER, 0, 0));
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 5));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
  PumpMessages();
  ASSERT_FALSE(container->seen.empty());
  EXPECT_EQ(container->seen[0].kind, "QvMCListBox");
  EXPECT_EQ(container->seen[0].code, 1004);
  EXPECT_EQ(container->seen[0].value, 1);
  EXPECT_EQ(container->LookupControl(kListId + 1), nullptr) << "the list made for the call is gone";
}

TEST_F(MCList, PercentWidths) {
  struct Case {
    const char* what;
    int width;
    std::vector<unsigned short> percents;
    std::vector<int> widths;
  } const cases[] = {
      {"30, 30, 30 of 200: no gap small enough to fill", 200, {30, 30, 30}, {60, 60, 60}},
      {"33, 33, 32 of 100: the last takes the rest", 100, {33, 33, 34}, {33, 33, 34}},
      {"33, 33, 32 of 100", 100, {33, 33, 32}, {33, 33, 34}},
      {"a short array leaves the other columns", 200, {25}, {50, 100, 100}},
      {"no percentage", 200, {}, {100, 100, 100}},
      {"more percentages than columns", 200, {10, 10, 10, 10}, {20, 20, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QvMCListBox* list = MakeList(c.width, 100);
    Fill(list, 3, {});
    QvArrayUShort percents;
    for (unsigned short p : c.percents) percents.Add(p);
    list->DistribPercentWidths(percents);
    EXPECT_EQ(Widths(list), c.widths);
    Rebind();
  }
}

TEST_F(MCList, HeaderClicksSortUpThenDownWithTheItemData) {
  QvMCListBox* list = MakeList(400, 200);
  Fill(list, 2, {"pear", "apple", "fig", "Banana"});
  // Item data: pointer-sized values that follow their rows.
  const LONG_PTR base = static_cast<LONG_PTR>(sizeof(void*) == 8 ? 0x7FF000000000LL : 0x70000000L);
  for (long r = 0; r < 4; ++r) ASSERT_TRUE(list->SetItemData(0, r, reinterpret_cast<void*>(base + r)));
  container->onNotify = [&](QvControlNotification& n) {
    if (n.m_code == 1004) static_cast<QvMCListBox*>(n.m_control)->SortOnColumnHit(static_cast<long>(n.m_value), false);
  };
  EXPECT_TRUE(list->IsNextSortAscending());
  ClickHeader(50);
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"apple", "Banana", "fig", "pear"}));
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"apple-1", "Banana-1", "fig-1", "pear-1"}));
  const LONG_PTR ascendingData[] = {base + 1, base + 3, base + 2, base + 0};
  for (long r = 0; r < 4; ++r) EXPECT_EQ(reinterpret_cast<LONG_PTR>(list->GetItemData(0, r)), ascendingData[r]) << r;
  EXPECT_FALSE(list->IsNextSortAscending());
  ClickHeader(50);
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"pear", "fig", "Banana", "apple"}));
  const LONG_PTR descendingData[] = {base + 0, base + 2, base + 3, base + 1};
  for (long r = 0; r < 4; ++r) EXPECT_EQ(reinterpret_cast<LONG_PTR>(list->GetItemData(0, r)), descendingData[r]) << r;

  // Numbers by value, not by text; equal numbers keep no order of their own.
  list->DeleteAllItems();
  const char* numbers[] = {"10", "9", "100", "-3"};
  for (long r = 0; r < 4; ++r) {
    list->AddItem(-1);
    list->SetCellText(0, r, QvString(numbers[r]));
  }
  list->SortOnColumnHit(0, true);  // up again after the two clicks
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"-3", "9", "10", "100"}));
  list->SortOnColumnHit(0, true);
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"100", "10", "9", "-3"}));
  // Out of range: nothing.
  list->SortByColumn(5, true, nullptr);
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"100", "10", "9", "-3"}));
}

TEST_F(MCList, LongCellsAreReadWhole) {
  QvMCListBox* list = MakeList(400, 200, LVS_REPORT);
  const std::string common(200, 'x');
  const std::string first = common + std::string(100, 'a');
  const std::string second = common + std::string(100, 'b');
  Fill(list, 1, {first, second, "short"});
  QvString text;
  ASSERT_TRUE(list->GetCellText(0, 1, text));
  EXPECT_EQ(std::string(text.c_str()), second);
  ASSERT_TRUE(list->FindItem(0, 0, text));
  EXPECT_EQ(std::string(text.c_str()), first);
  long row = -1;
  ASSERT_TRUE(list->FindItem(0, QvString(second), row));
  EXPECT_EQ(row, 1);
  EXPECT_FALSE(list->FindItem(0, QvString(common), row));
  EXPECT_EQ(row, -1);
  // Selection by whole texts in one pass; a text matching nothing makes the answer false.
  EXPECT_TRUE(list->Select(QvString(second), 0, true));
  EXPECT_TRUE(list->IsSelected(QvString(second), 0, true));
  EXPECT_FALSE(list->IsSelected(QvString(first), 0, true));
  QvArrayQvString selected;
  ASSERT_TRUE(list->GetSelected(selected, 0));
  ASSERT_EQ(selected.GetSize(), 1);
  EXPECT_EQ(std::string(selected[0].c_str()), second);
  // A header text longer than any buffer guess.
  const std::string title(700, 'T');
  ASSERT_TRUE(list->SetHeaderText(0, QvString(title)));
  ASSERT_TRUE(list->GetHeaderText(0, text));
  EXPECT_EQ(std::string(text.c_str()), title);
  EXPECT_EQ(list->FindHeader(QvString(title)), 0);
}

TEST_F(MCList, SelectionByRowsAndTexts) {
  QvMCListBox* list = MakeList(300, 200, LVS_REPORT);
  Fill(list, 2, {"apple", "fig", "pear", "kiwi"});
  EXPECT_TRUE(list->IsMultipleSelEnabled());
  EXPECT_FALSE(list->Select(Texts({"APPLE", "pear", "plum"}), 0, true)) << "plum matches no row";
  EXPECT_EQ(Selected(list), (std::vector<long>{0, 2}));
  EXPECT_TRUE(list->Select(Texts({"fig-1"}), 1, true));
  EXPECT_EQ(Selected(list), (std::vector<long>{0, 1, 2}));
  EXPECT_EQ(list->GetSelectedCount(), 3);
  list->DeselectAll();
  EXPECT_TRUE(Selected(list).empty());
  // One selection at a time: a new row deselects the others.
  list->EnableMultipleSel(false);
  EXPECT_FALSE(list->IsMultipleSelEnabled());
  list->SelectAll();  // the list view selects every row whatever its style
  EXPECT_TRUE(list->Select(3L, true));
  EXPECT_EQ(Selected(list), (std::vector<long>{3}));
  long row = -1;
  EXPECT_TRUE(list->GetSelected(row));
  EXPECT_EQ(row, 3);
  EXPECT_EQ(SendMessageW(child, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 3) << "focus on the selection";
  EXPECT_FALSE(list->Select(9L, true));
  // With selection off the program still selects and deselects.
  list->EnableSelection(false);
  EXPECT_TRUE(list->Select(QvString("FIG"), 0, true));
  EXPECT_EQ(Selected(list), (std::vector<long>{1}));
  list->DeselectAll();
  EXPECT_FALSE(list->GetSelected(row));
  EXPECT_EQ(row, -1);
}

TEST_F(MCList, CellsRowsAndFont) {
  QvMCListBox* list = MakeList(300, 200);
  EXPECT_EQ(list->m_extra, 0u);
  Fill(list, 2, {"one", "two"});
  EXPECT_EQ(list->m_extra, 1u) << "the font is set once";
  QvListCell cell;
  cell.SetText(QvString("three"));
  cell.SetPictureIndex(2);
  int data = 0;
  cell.SetItemData(&data);
  EXPECT_TRUE(list->SetCell(0, 1, cell));
  QvListCell read;
  ASSERT_TRUE(list->GetCell(0, 1, read));
  QvString text;
  EXPECT_TRUE(read.GetText(text));
  EXPECT_STREQ(text.c_str(), "three");
  EXPECT_EQ(read.GetPictureIndex(), 2);
  void* got = nullptr;
  EXPECT_TRUE(read.GetItemData(got));
  EXPECT_EQ(got, &data);
  EXPECT_EQ(list->GetCellPictureIndex(0, 1), 2);
  EXPECT_FALSE(list->GetCell(0, 7, read));
  EXPECT_FALSE(list->GetCellText(0, 7, text));
  EXPECT_EQ(list->GetItemData(0, 7), nullptr);
  EXPECT_EQ(list->GetColumnWidth(5), -1);
  EXPECT_EQ(list->AddItem(0), 0);
  EXPECT_EQ(list->GetCount(), 3);
  EXPECT_FALSE(list->GetCellText(0, 0, text)) << "an empty cell";
  EXPECT_TRUE(list->DeleteItem(QvString("ONE"), 0));
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"", "three"}));
  // Two columns of the same title: the later one is found.
  EXPECT_EQ(list->AddColumn(QvString("A"), -1), 2);
  EXPECT_EQ(list->FindHeader(QvString("A")), 2);
  EXPECT_EQ(list->FindHeader(QvString("Z")), -1);
  EXPECT_TRUE(list->DeleteColumn(2L));
  EXPECT_TRUE(list->DeleteColumn(QvString("B")));
  EXPECT_EQ(list->GetColumnsCount(), 1);
  EXPECT_FALSE(list->DeleteColumn(QvString("B")));
  list->DeleteAllColumns();
  EXPECT_EQ(list->GetColumnsCount(), 0);
}

TEST_F(MCList, ColumnLayoutIsSavedPerUser) {
  struct Case {
    const char* what;
    int columns;
    std::string stored;  // empty: written by SaveColumnsLayout from `widths`
    std::vector<int> widths;
    bool restored;
    std::vector<int> after;  // the widths after the restore (from all 10)
  } const cases[] = {
      {"saved and restored", 3, "", {120, 80, 60}, true, {120, 80, 60}},
      {"two widths on three columns", 3, "70,90", {}, true, {70, 90, 10}},
      {"more widths than columns", 2, "30,40,50", {}, false, {30, 40}},
      {"not a number", 3, "50,x,30", {}, false, {50, 10, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QvMCListBox* list = MakeList(400, 100);
    Fill(list, c.columns, {});
    for (size_t i = 0; i < c.widths.size(); ++i) list->SetColumnWidth(static_cast<long>(i), static_cast<unsigned short>(c.widths[i]));
    if (c.stored.empty()) {
      ASSERT_TRUE(list->SaveColumnsLayout(nullptr));
    } else {
      ASSERT_GE(SetUserKeyStringValue("%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\MCListForTabs",
                                      list->GetLayoutValueName().c_str(), c.stored.c_str()), 0);
    }
    for (int i = 0; i < c.columns; ++i) list->SetColumnWidth(i, 10);
    EXPECT_EQ(list->RestoreColumnsLayout(nullptr), c.restored);
    EXPECT_EQ(Widths(list), c.after);
    Rebind();
  }
}

TEST_F(MCList, LayoutsOfManyColumnsAndOfTwoDialogs) {
  // 150 columns: the stored text is far longer than any fixed buffer.
  QvMCListBox* list = MakeList(400, 100);
  for (int i = 0; i < 150; ++i) ASSERT_EQ(list->AddColumn(QvString("C"), -1), i);
  std::vector<int> widths;
  for (int i = 0; i < 150; ++i) {
    widths.push_back(100 + i * 3);
    list->SetColumnWidth(i, static_cast<unsigned short>(widths.back()));
  }
  ASSERT_TRUE(list->SaveColumnsLayout(nullptr));
  for (int i = 0; i < 150; ++i) list->SetColumnWidth(i, 5);
  EXPECT_TRUE(list->RestoreColumnsLayout(nullptr));
  EXPECT_EQ(Widths(list), widths);
  DestroyWindow(child);

  // Two containers with lists of the same id keep layouts of their own.
  struct Dialog {
    const char* prefs;
    int width;
  } const dialogs[] = {{"First", 111}, {"Second", 222}};
  for (const Dialog& d : dialogs) {
    container->SetUserPrefsRegistryName(d.prefs);
    QvMCListBox* l = MakeList(400, 100, LVS_REPORT, kListId + 5);
    l->AddColumn(QvString("A"), -1);
    l->SetColumnWidth(0, static_cast<unsigned short>(d.width));
    ASSERT_TRUE(l->SaveColumnsLayout(nullptr));
    Rebind();
  }
  container->SetUserPrefsRegistryName("First");
  QvMCListBox* first = MakeList(400, 100, LVS_REPORT, kListId + 5);
  first->AddColumn(QvString("A"), -1);
  EXPECT_NE(first->GetLayoutValueName(), first->GetOldLayoutValueName());
  EXPECT_TRUE(first->RestoreColumnsLayout(nullptr));
  EXPECT_EQ(first->GetColumnWidth(0), 111);

  // A layout saved under the name of old, before it was qualified, is still read.
  ASSERT_GE(SetUserKeyStringValue("%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\MCListForTabs",
                                  first->GetOldLayoutValueName().c_str(), "77"), 0);
  container->SetUserPrefsRegistryName("Third");
  EXPECT_TRUE(first->RestoreColumnsLayout(nullptr));
  EXPECT_EQ(first->GetColumnWidth(0), 77);
}

TEST_F(MCList, TheListHasItsOwnCopyOfTheImages) {
  QvImageList* images = new QvImageList(0, 16);  // no resource: filled below
  CGUIImageList& strip = images->GetImageList();
  ASSERT_FALSE(strip.GetSafeHandle()) << "no resource, no images";
  ASSERT_TRUE(strip.Create(16, 16, ILC_COLOR32, 2, 0));
  HIMAGELIST handle = strip.GetSafeHandle();
  ASSERT_TRUE(ImageList_SetImageCount(handle, 2));
  QvMCListBox* list = MakeList(300, 200);
  ASSERT_TRUE(list->SetImageList(images, 0));
  HIMAGELIST shown = reinterpret_cast<HIMAGELIST>(SendMessageW(child, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_TRUE(shown);
  EXPECT_NE(shown, handle);
  EXPECT_EQ(ImageList_GetImageCount(shown), 2);
  ASSERT_TRUE(list->SetImageList(images, 0));  // a second copy replaces the first
  EXPECT_TRUE(list->SetImageList(images, 1)) << "other kinds are accepted and ignored";
  // The list goes, and with it its copy: the portable list's images are still there.
  DestroyWindow(child);
  EXPECT_EQ(ImageList_GetImageCount(handle), 2);
  delete images;
}

}  // namespace
