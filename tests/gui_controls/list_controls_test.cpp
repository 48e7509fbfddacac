// List boxes and combo boxes on real dialog children: notifications, the operations by
// table, long item texts, and combo items drawn with their images in pixels.
#include <algorithm>
#include <functional>
#include <string>

#include "dib_canvas.h"
#include "test_support.h"
#include "widgets_test.h"

using namespace testing_support;

namespace {

using ListControls = WidgetsTest;


QvArrayQvString Texts(std::initializer_list<const char*> texts) {
  QvArrayQvString out;
  for (const char* t : texts) out.Add(QvString(t));
  return out;
}

QvArraySLong Indices(std::initializer_list<long> indices) {
  QvArraySLong out;
  for (long i : indices) out.Add(i);
  return out;
}

std::vector<long> Selected(QvListBox* list) {
  QvArraySLong indices;
  EXPECT_TRUE(list->GetSelected(indices));
  std::vector<long> out;
  for (long i = 0; i < indices.GetSize(); ++i) out.push_back(indices[i]);
  return out;
}

TEST_F(ListControls, NotificationsArriveAsPortableNotifications) {
  const int kDownCode = 256 + VK_DOWN;
  const NotificationCase cases[] = {
      // The focus comes to the list: LBN_SETFOCUS.
      {"list focus", [](WidgetsTest& t) { SetFocus(t.Child(kList)); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kList, LBN_SETFOCUS), 0}, {0, 0, 0, 0}},
       {{kList, 600, 0}}},
      // Down arrow in the focused list (first item selected): the selection moves, then the
      // portable key follows the list's own handling.
      {"list key down",
       [](WidgetsTest& t) {
         SetFocus(t.Child(kList));
         SendMessageW(t.Child(kList), LB_SETCURSEL, 0, 0);
         Recorder().Clear();
         t.container->seen.clear();
         SendMessageW(t.Child(kList), WM_KEYDOWN, VK_DOWN, 0);
       },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kList, LBN_SELCHANGE), 0},
        {WM_NOTIFY, kParentSent | kWparam, kList, 0},
        {0, 0, 0, 0}},
       {{kList, 602, 0}, {kList, 604, kDownCode}}},
      // The focus leaves the list for the push button.
      {"list focus lost",
       [](WidgetsTest& t) {
         SetFocus(t.Child(kList));
         Recorder().Clear();
         t.container->seen.clear();
         SetFocus(t.Child(kPush));
       },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kList, LBN_KILLFOCUS), 0}, {0, 0, 0, 0}},
       {{kList, 601, 0}}},
      // Double click on the first item.
      {"list double click",
       [](WidgetsTest& t) { SendMessageW(t.Child(kList), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 3)); },
       {{WM_COMMAND, kParentSent | kWparam | kOptional, Cmd(kList, LBN_SETFOCUS), 0},  // Wine focuses first
        {WM_COMMAND, kParentSent | kWparam | kOptional, Cmd(kList, LBN_SELCHANGE), 0},  // the item was not current
        {WM_COMMAND, kParentSent | kWparam, Cmd(kList, LBN_DBLCLK), 0},
        {0, 0, 0, 0}},
       {}},  // compared below by code: focus and selection may come first
      // The combo's focus, selection by key, drop-down and close-up.
      {"combo focus", [](WidgetsTest& t) { SetFocus(t.Child(kDropList)); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kDropList, CBN_SETFOCUS), 0}, {0, 0, 0, 0}},
       {{kDropList, 703, 0}}},
      {"combo key down",
       [](WidgetsTest& t) {
         SetFocus(t.Child(kDropList));
         Recorder().Clear();
         t.container->seen.clear();
         SendMessageW(t.Child(kDropList), WM_KEYDOWN, VK_DOWN, 0);
       },
       {{WM_COMMAND, kParentSent | kWparam | kOptional, Cmd(kDropList, CBN_SELENDOK), 0},  // no portable code
        {WM_COMMAND, kParentSent | kWparam, Cmd(kDropList, CBN_SELCHANGE), 0},
        {0, 0, 0, 0}},
       {{kDropList, 700, 0}}},
      {"combo drop down and close up",
       [](WidgetsTest& t) {
         SendMessageW(t.Child(kDropList), CB_SHOWDROPDOWN, TRUE, 0);
         SendMessageW(t.Child(kDropList), CB_SHOWDROPDOWN, FALSE, 0);
       },
       {{WM_COMMAND, kParentSent | kWparam | kOptional, Cmd(kDropList, CBN_SETFOCUS), 0},  // dropping focuses
        {WM_COMMAND, kParentSent | kWparam, Cmd(kDropList, CBN_DROPDOWN), 0},
        {WM_COMMAND, kParentSent | kWparam | kOptional, Cmd(kDropList, CBN_SELENDCANCEL), 0},  // no portable code
        {WM_COMMAND, kParentSent | kWparam, Cmd(kDropList, CBN_CLOSEUP), 0},
        {0, 0, 0, 0}},
       {}},
  };
  for (const NotificationCase& c : cases) {
    SCOPED_TRACE(c.what);
    QvListBox* list = Get<QvListBox>(kList);
    QvComboBox* combo = Get<QvComboBox>(kDropList);
    if (list->GetCount() == 0) list->AddItem(Texts({"one", "two", "three"}));
    if (combo->GetCount() == 0) combo->AddItem(Texts({"red", "green", "blue"}));
    combo->Select(0L);
    Focus(kPush);
    ExpectNotifications(*this, c, /*emptyPortableUnchecked=*/true);
  }
}

// The double click and the drop-down reach the container with their codes.
TEST_F(ListControls, ClickAndDropCodes) {
  Get<QvListBox>(kList)->AddItem(Texts({"one", "two"}));
  Get<QvComboBox>(kDropList)->AddItem(Texts({"red", "green"}));
  SendMessageW(Child(kList), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 3));
  SendMessageW(Child(kDropList), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(Child(kDropList), CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();
  std::vector<NotificationCode> codes;
  for (const Seen& s : container->seen) codes.push_back(s.code);
  auto has = [&codes](NotificationCode c) { return std::find(codes.begin(), codes.end(), c) != codes.end(); };
  EXPECT_TRUE(has(603));
  EXPECT_TRUE(has(701));
  EXPECT_TRUE(has(702));
}

// Typing into the edit of a drop-down combo: 725 for each change.
TEST_F(ListControls, EditComboTypingWithRealInput) {
  QvEditComboBox* combo = Get<QvEditComboBox>(kDropDown);
  ASSERT_TRUE(combo);
  Focus(kDropDown);
  container->seen.clear();
  TypeKeys({'A', 'B'});
  PumpMessages();
  QvString text;
  combo->GetText(text);
  EXPECT_STREQ(text.c_str(), "ab");
  EXPECT_EQ(std::count_if(container->seen.begin(), container->seen.end(), [](const Seen& s) { return s.code == 725; }), 2);
  combo->SetMaxCharLimit(3);
  EXPECT_EQ(combo->GetMaxCharLimit(), 3);
  TypeKeys({'C', 'D', 'E'});
  PumpMessages();
  combo->GetText(text);
  EXPECT_STREQ(text.c_str(), "abc") << "limited to 3 characters";
}

// Single, multiple and extended selection lists by table.
TEST_F(ListControls, ListBoxOperations) {
  for (unsigned short id : {kList, kMultiList, kExtendedList}) {
    SCOPED_TRACE(id);
    QvListBox* list = Get<QvListBox>(id);
    ASSERT_TRUE(list);
    const bool multi = id != kList;
    list->AddItem(Texts({"alpha", "beta", "gamma", "delta"}));
    EXPECT_EQ(list->GetCount(), 4);
    EXPECT_EQ(list->AddItem(QvString("first"), 0), 0);
    EXPECT_EQ(list->AddItem(QvString("last"), -1), 5);
    EXPECT_EQ(list->IsMultipleSelEnabled(), id == kMultiList);

    long index = 9;
    EXPECT_FALSE(list->GetSelected(index));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(list->Select(2L, true));
    EXPECT_TRUE(list->GetSelected(index));
    EXPECT_EQ(index, 2);
    QvString text;
    EXPECT_TRUE(list->GetSelected(text));
    EXPECT_STREQ(text.c_str(), "beta");
    EXPECT_TRUE(list->IsSelected(2L));
    EXPECT_TRUE(list->IsSelected(QvString("beta")));
    EXPECT_FALSE(list->IsSelected(QvString("none")));
    EXPECT_FALSE(list->Select(QvString("none"), true));
    EXPECT_EQ(list->GetSelectedCount(), 1);
    if (multi) {
      EXPECT_TRUE(list->Select(Indices({0, 4}), true));
      EXPECT_EQ(Selected(list), (std::vector<long>{0, 2, 4}));
      // A missing text makes the result false; the others are selected as asked.
      list->DeselectAll();
      EXPECT_FALSE(list->Select(Texts({"alpha", "none", "delta"}), true));
      EXPECT_EQ(Selected(list), (std::vector<long>{1, 4}));
      QvArrayQvString texts;
      EXPECT_TRUE(list->GetSelected(texts));
      ASSERT_EQ(texts.GetSize(), 2);
      EXPECT_STREQ(texts[1].c_str(), "delta");
      list->SelectAll();
      EXPECT_EQ(list->GetSelectedCount(), 6);
      list->DeselectAll();
      EXPECT_EQ(list->GetSelectedCount(), 0);
    } else {
      EXPECT_TRUE(list->Select(QvString("gamma"), false));  // single: clears
      EXPECT_FALSE(list->GetSelected(index));
    }

    int data = 0;
    list->SetItemData(1, &data);
    list->SetItemData(3, &data);
    EXPECT_EQ(list->GetItemData(1), &data);
    EXPECT_EQ(list->GetItemData(99), nullptr);
    EXPECT_TRUE(list->FindItem(static_cast<const void*>(&data), index));
    EXPECT_EQ(index, 1) << "the first item with the data";
    EXPECT_TRUE(list->FindItem(QvString("delta"), index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(list->FindItem(QvString("none"), index));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(list->FindItem(5L, text));
    EXPECT_STREQ(text.c_str(), "last");
    EXPECT_FALSE(list->FindItem(6L, text));
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_TRUE(list->DeleteItem(QvString("first")));
    EXPECT_FALSE(list->DeleteItem(QvString("first")));
    EXPECT_TRUE(list->DeleteItem(0L));
    EXPECT_FALSE(list->DeleteItem(40L));
    EXPECT_EQ(list->GetCount(), 4);
    list->AddItem(Texts({"e", "f", "g", "h", "i", "j", "k"}));
    list->SetItemVisible(QvString("h"));
    EXPECT_EQ(SendMessageW(Child(id), LB_GETTOPINDEX, 0, 0), 7);
    list->Sort(true);
    EXPECT_TRUE(list->IsSorted());
    // A list marked sorted adds with LB_ADDSTRING instead of inserting at the index (the
    // system sorts only lists made sorted).
    EXPECT_EQ(list->AddItem(QvString("aaa"), 2), 11);
    list->Sort(false);
    EXPECT_FALSE(list->IsSorted());
    list->DeleteAllItems();
    EXPECT_EQ(list->GetCount(), 0);
  }
}

// The caret of an extended-selection list is not its selection.
TEST_F(ListControls, ExtendedListCaretIsNotTheSelection) {
  QvListBox* list = Get<QvListBox>(kExtendedList);
  list->AddItem(Texts({"one", "two", "three"}));
  SendMessageW(Child(kExtendedList), LB_SETCARETINDEX, 1, FALSE);
  long index = 9;
  EXPECT_FALSE(list->GetSelected(index));
  EXPECT_EQ(index, -1);
  QvString text("x");
  EXPECT_FALSE(list->GetSelected(text));
  EXPECT_TRUE(text.IsEmpty());
  list->Select(2L, true);
  EXPECT_TRUE(list->GetSelected(index));
  EXPECT_EQ(index, 2);
}

// Combo boxes by table; the mends: a failed delete answers false, a replaced text keeps the
// item's data, item texts of any length.
TEST_F(ListControls, ComboBoxOperations) {
  for (unsigned short id : {kDropList, kDropDown}) {
    SCOPED_TRACE(id);
    QvComboBox* combo = Get<QvComboBox>(id);
    ASSERT_TRUE(combo);
    combo->AddItem(Texts({"one", "two", "one"}));
    EXPECT_EQ(combo->AddItem(QvString("zero"), 0), 0);
    EXPECT_EQ(combo->AddItem(QvString("end")), 4);
    EXPECT_EQ(combo->GetCount(), 5);
    EXPECT_EQ(combo->GetSelectedCount(), 0);
    long index = 7;
    EXPECT_FALSE(combo->GetSelected(index));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(combo->Select(QvString("two")));
    EXPECT_TRUE(combo->GetSelected(index));
    EXPECT_EQ(index, 2);
    QvString text;
    EXPECT_TRUE(combo->GetSelected(text));
    EXPECT_STREQ(text.c_str(), "two");
    EXPECT_EQ(combo->GetSelectedCount(), 1);
    EXPECT_FALSE(combo->Select(QvString("none")));
    EXPECT_FALSE(combo->Select(17L));
    combo->DeselectAll();
    EXPECT_FALSE(combo->GetSelected(index));

    int a = 0, b = 0;
    combo->SetItemData(1, &a);
    combo->SetItemData(3, &a);
    combo->SetItemData(2, &b);
    EXPECT_TRUE(combo->FindItem(static_cast<const void*>(&a), index));
    EXPECT_EQ(index, 3) << "searched from the last item";
    EXPECT_TRUE(combo->FindItemCaseSens(QvString("one"), index));
    EXPECT_EQ(index, 3) << "the later of the equal texts";
    EXPECT_TRUE(combo->FindItem(QvString("two"), index));
    EXPECT_EQ(index, 2);

    // A new text in place keeps the item's data and selection.
    combo->Select(2L);
    EXPECT_TRUE(combo->SetItemText(2, QvString("deux")));
    EXPECT_EQ(combo->GetCount(), 5);
    EXPECT_TRUE(combo->FindItem(2L, text));
    EXPECT_STREQ(text.c_str(), "deux");
    EXPECT_EQ(combo->GetItemData(2), &b);
    EXPECT_TRUE(combo->GetSelected(index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(combo->SetItemText(9, QvString("x")));

    EXPECT_FALSE(combo->DeleteItem(9L)) << "no such item";
    EXPECT_FALSE(combo->DeleteItem(-1L));
    EXPECT_TRUE(combo->DeleteItem(0L));
    EXPECT_TRUE(combo->DeleteItem(QvString("end")));
    EXPECT_FALSE(combo->DeleteItem(QvString("end")));
    EXPECT_EQ(combo->GetCount(), 3);

    combo->Sort(true);
    EXPECT_TRUE(combo->IsSorted());
    combo->Sort(false);
    combo->DeleteAllItems();
    EXPECT_EQ(combo->GetCount(), 0);

    // Item texts over 1,000 and over 65,535 characters.
    for (size_t length : {1500u, 70000u}) {
      std::string utf8(length, 'q');
      utf8 += "\xE2\x82\xAC";  // a three-byte character at the end
      const long at = combo->AddItem(QvString(utf8.c_str()));
      ASSERT_GE(at, 0);
      EXPECT_TRUE(combo->FindItem(at, text));
      EXPECT_EQ(text.str(), utf8);
      combo->Select(at);
      EXPECT_TRUE(combo->GetSelected(text));
      EXPECT_EQ(text.str(), utf8);
    }
  }
  QvListBox* list = Get<QvListBox>(kList);
  const std::string longText(70000, 'z');
  ASSERT_EQ(list->AddItem(QvString(longText.c_str()), -1), 0);
  QvString text;
  EXPECT_TRUE(list->FindItem(0L, text));
  EXPECT_EQ(text.str(), longText);
}

// An edit combo keeps its sets and limit; read-only only changes the painting.
TEST_F(ListControls, EditComboSettings) {
  QvEditComboBox* combo = Get<QvEditComboBox>(kDropDown);
  CGUIComboBox* platform = dynamic_cast<CGUIComboBox*>(combo->GetPlatformControl());
  ASSERT_TRUE(platform);
  combo->SetAuthorizedChar(QvString("abc"));
  combo->SetFilteredChar(QvString("x"));
  EXPECT_STREQ(platform->m_authorizedChars.c_str(), "abc");
  EXPECT_STREQ(platform->m_filteredChars.c_str(), "x");
  combo->SetMaxCharLimit(-1);
  EXPECT_EQ(combo->GetMaxCharLimit(), -1);
  combo->SetReadOnly(true);
  EXPECT_TRUE(platform->IsReadOnly());
  EXPECT_TRUE(IsWindowEnabled(Child(kDropDown)));
}

// The item text colour: the system's window text colour unless one is set, also after the
// colour is cleared again.
TEST_F(ListControls, ComboItemTextColour) {
  QvComboBox* combo = Get<QvComboBox>(kDropList);
  CGUIComboBox* platform = dynamic_cast<CGUIComboBox*>(combo->GetPlatformControl());
  ASSERT_TRUE(platform);
  // A window text colour other than black, for the test's length.
  const int element = COLOR_WINDOWTEXT;
  const COLORREF saved = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF blue = RGB(0, 0, 160);
  SetSysColors(1, &element, &blue);
  EXPECT_EQ(platform->GetItemTextColor(), blue);
  combo->SetTextColor(QvColor(0xC800, 0, 0));
  EXPECT_EQ(platform->GetItemTextColor(), RGB(0xC8, 0, 0));
  combo->SetDefaultTextColor();
  EXPECT_EQ(platform->GetItemTextColor(), blue) << "not black";
  SetSysColors(1, &element, &saved);
}

// The combo's edit and list draw their text in the colour of the portable control.
TEST_F(ListControls, ComboChildrenTakeTheTextColour) {
  QvEditComboBox* combo = Get<QvEditComboBox>(kDropDown);
  DibCanvas canvas(4, 4);
  SetTextColor(canvas.dc(), RGB(1, 2, 3));
  HWND edit = GetWindow(Child(kDropDown), GW_CHILD);
  ASSERT_TRUE(edit);
  SendMessageW(Child(kDropDown), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(canvas.dc()), reinterpret_cast<LPARAM>(edit));
  EXPECT_NE(GetTextColor(canvas.dc()), RGB(0, 0x80, 0));
  combo->SetTextColor(QvColor(0, 0x80FF, 0));
  SendMessageW(Child(kDropDown), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(canvas.dc()), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0x80, 0));
}

// Images make the combo owner-drawn in place: same id, items, data, selection and z-order
// place; each item is drawn with its image and its text.
class OwnerDrawnCombo : public ListControls {
 protected:
  void SetUp() override {
    ListControls::SetUp();
    images.Create(16, 16, ILC_COLOR24, 2, 0);
    for (COLORREF c : {RGB(255, 0, 0), RGB(0, 160, 0)}) {
      DibCanvas strip(16, 16, c);
      HBITMAP copy = static_cast<HBITMAP>(CopyImage(strip.bitmap(), IMAGE_BITMAP, 0, 0, 0));
      ImageList_Add(images.m_hImageList, copy, NULL);
      DeleteObject(copy);
    }
    ASSERT_EQ(ImageList_GetImageCount(images.m_hImageList), 2);
  }
  void Draw(DibCanvas& canvas, int index, UINT state, RECT rc) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.hwndItem = Child(kDropList);
    item.itemID = static_cast<UINT>(index);
    item.itemState = state;
    item.hDC = canvas.dc();
    item.rcItem = rc;
    platform->DrawItem(&item);
  }
  CImageList images;
  CGUIComboBox* platform = nullptr;
};

TEST_F(OwnerDrawnCombo, ItemsDrawnWithTheirImages) {
  QvComboBox* combo = Get<QvComboBox>(kDropList);
  combo->AddItem(Texts({"red", "green", "plain"}));
  int data = 5;
  combo->SetItemData(1, &data);
  combo->Select(1L);
  platform = dynamic_cast<CGUIComboBox*>(combo->GetPlatformControl());
  ASSERT_TRUE(platform);
  HWND before = Child(kDropList);
  HWND previous = GetWindow(before, GW_HWNDPREV);
  EXPECT_FALSE(combo->SetItemImage(0, 0)) << "no image list yet";

  platform->SetImageList(&images, false);
  HWND after = Child(kDropList);
  EXPECT_NE(after, before) << "made again";
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(platform->m_hWnd, after);
  EXPECT_EQ(combo->GetPlatformWindow(), after);
  EXPECT_TRUE(GetWindowLongW(after, GWL_STYLE) & CBS_OWNERDRAWFIXED);
  EXPECT_EQ(GetWindow(after, GW_HWNDPREV), previous) << "its place in the z-order and tab order";
  EXPECT_EQ(combo->GetCount(), 3);
  QvString text;
  EXPECT_TRUE(combo->FindItem(1L, text));
  EXPECT_STREQ(text.c_str(), "green");
  EXPECT_EQ(combo->GetItemData(1), &data);
  long index;
  EXPECT_TRUE(combo->GetSelected(index));
  EXPECT_EQ(index, 1);

  EXPECT_TRUE(combo->SetItemImage(0, 0));
  EXPECT_TRUE(combo->SetItemImage(1, 1));
  EXPECT_FALSE(combo->SetItemImage(3, 1));
  EXPECT_EQ(combo->GetItemImage(2), -1);
  // Inserting and deleting move the images with their items.
  combo->AddItem(QvString("new"), 0);
  EXPECT_EQ(combo->GetItemImage(0), -1);
  EXPECT_EQ(combo->GetItemImage(1), 0);
  combo->DeleteItem(0L);
  EXPECT_EQ(combo->GetItemImage(0), 0);
  EXPECT_EQ(combo->GetItemImage(1), 1);

  const COLORREF window = GetSysColor(COLOR_WINDOW), text_ = GetSysColor(COLOR_WINDOWTEXT);
  const RECT rc = {0, 0, 120, 18};
  {  // the red item in the list part: image at x + 1, text after it
    DibCanvas canvas(120, 18, RGB(1, 2, 3));
    Draw(canvas, 0, 0, rc);
    EXPECT_EQ(canvas.CountOf(RGB(1, 2, 3)), 0);
    EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0), RECT{1, 0, 17, 16}), 16 * 16);
    EXPECT_EQ(canvas.At(0, 5), window);
    EXPECT_GT(canvas.CountOf(text_, RECT{21, 0, 120, 18}), 0) << "text in the window text colour";
    EXPECT_EQ(canvas.CountOf(text_, RECT{0, 0, 21, 18}), 0);
  }
  {  // selected: highlight behind, highlight text
    DibCanvas canvas(120, 18);
    Draw(canvas, 1, ODS_SELECTED, rc);
    EXPECT_EQ(canvas.CountOf(RGB(0, 160, 0), RECT{1, 0, 17, 16}), 16 * 16);
    EXPECT_EQ(canvas.At(100, 17), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_HIGHLIGHTTEXT), RECT{21, 0, 120, 18}), 0);
  }
  {  // an item without image leaves the image's room empty
    DibCanvas canvas(120, 18);
    Draw(canvas, 2, 0, rc);
    EXPECT_EQ(canvas.CountOtherThan(window, RECT{0, 0, 20, 18}), 0);
    EXPECT_GT(canvas.CountOf(text_, RECT{20, 0, 120, 18}), 0);
  }
  {  // the selection field shows no image unless asked
    DibCanvas canvas(120, 18);
    Draw(canvas, 0, ODS_COMBOBOXEDIT, RECT{3, 0, 120, 18});
    EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0)), 0);
    platform->SetImageList(&images, true);
    Draw(canvas, 0, ODS_COMBOBOXEDIT, RECT{3, 0, 120, 18});
    EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0)), 16 * 16);
  }
  {  // read-only and disabled backgrounds
    DibCanvas canvas(120, 18);
    combo->SetReadOnly(true);
    Draw(canvas, 2, 0, rc);
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNFACE));
    combo->SetReadOnly(false);
    combo->Enable(false);
    Draw(canvas, 2, 0, rc);
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_GRAYTEXT)), 0);
    combo->Enable(true);
  }
  combo->AdjustDroppedWidth();
  EXPECT_GE(SendMessageW(after, CB_GETDROPPEDWIDTH, 0, 0), 16 + 4 + 6);
  platform->SetImageList(nullptr, false);
  EXPECT_EQ(combo->GetItemImage(0), -1);
  EXPECT_EQ(platform->GetImageList(), nullptr);
}

}  // namespace
