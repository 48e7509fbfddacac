// The item list of a context menu: where items go, their flags, and items added by command
// (status, redirections, rights).
#include <string>
#include <vector>

#include "contextmenu_test.h"

using namespace ctxmenu_test;

namespace {

// The list as "level:text" entries ("-" for a separator).
std::vector<std::string> Items(const QvContextMenu& menu) {
  std::vector<std::string> out;
  for (long i = 0; i < menu.GetCount(); ++i) {
    const QvString* text = menu.GetItemText(i);
    out.push_back(std::to_string(menu.GetItemLevel(i)) + ":" + (text ? text->str() : "-"));
  }
  return out;
}

TEST(ContextMenuList, ItemsGoAfterTheirParentsDescendants) {
  QvContextMenu menu;
  EXPECT_EQ(menu.AddSuccessor(QvString("A"), -1, nullptr), 0);
  EXPECT_EQ(menu.AddSuccessor(QvString("B"), -1, nullptr), 1);
  EXPECT_EQ(menu.AddDescendant(QvString("A1"), 0, nullptr), 1);   // right after its parent
  EXPECT_EQ(menu.AddDescendant(QvString("A2"), 0, nullptr), 2);   // after A1
  EXPECT_EQ(menu.AddDescendant(QvString("A1a"), 1, nullptr), 2);  // under A1, before A2
  EXPECT_EQ(menu.AddSuccessor(QvString("A3"), 1, nullptr), 3);    // after A1 and its child
  EXPECT_EQ(menu.AddSuccessor(QvString("C"), 0, nullptr), 5);     // after all of A's
  EXPECT_EQ(menu.AddSuccessor(static_cast<QvString*>(nullptr), -1, nullptr), 7);  // a separator
  EXPECT_EQ(Items(menu), (std::vector<std::string>{"0:A", "1:A1", "2:A1a", "1:A3", "1:A2", "0:C", "0:B", "0:-"}));

  // Out of range, or a separator as parent: no item.
  EXPECT_EQ(menu.AddDescendant(QvString("x"), 7, nullptr), -1);
  EXPECT_EQ(menu.AddDescendant(QvString("x"), 8, nullptr), -1);
  EXPECT_EQ(menu.AddDescendant(QvString("x"), -1, nullptr), -1);
  EXPECT_EQ(menu.AddSuccessor(QvString("x"), -2, nullptr), -1);
  EXPECT_EQ(menu.AddSuccessor(QvString("x"), 8, nullptr), -1);
  EXPECT_EQ(menu.GetCount(), 8);
}

TEST(ContextMenuList, FlagsDataAndCommandIds) {
  QvContextMenu menu;
  int data = 0;
  long a = menu.AddSuccessor(QvString("A"), -1, &data);
  EXPECT_EQ(menu.GetItemData(a), &data);
  EXPECT_TRUE(menu.IsItemEnabled(a));
  EXPECT_FALSE(menu.IsItemChecked(a));
  menu.CheckItem(a, true);
  menu.EnableItem(a, false);
  EXPECT_TRUE(menu.IsItemChecked(a));
  EXPECT_FALSE(menu.IsItemEnabled(a));
  menu.EnableItem(a, true);
  menu.CheckItem(a, false);
  EXPECT_TRUE(menu.IsItemEnabled(a));
  EXPECT_FALSE(menu.IsItemChecked(a));
  EXPECT_EQ(menu.GetCommandID(a), 0);
  // Out of range: nothing happens, the answers are empty.
  for (long bad : {-1L, 1L, 1000L}) {
    menu.EnableItem(bad, false);
    menu.CheckItem(bad, true);
    EXPECT_FALSE(menu.IsItemEnabled(bad));
    EXPECT_FALSE(menu.IsItemChecked(bad));
    EXPECT_EQ(menu.GetItemData(bad), nullptr);
    EXPECT_EQ(menu.GetCommandID(bad), 0);
  }
}

TEST_F(ContextMenuTest, CommandItemsFollowStatusAndRights) {
  QvContextMenu menu;
  const long open = menu.AddSuccessorByCmd(100, -1, nullptr);
  ASSERT_EQ(open, 0);
  EXPECT_EQ(*menu.GetItemText(open), "&Open");  // the popup-menu text
  EXPECT_EQ(menu.GetCommandID(open), 100);
  EXPECT_TRUE(menu.IsItemEnabled(open));

  EXPECT_FALSE(menu.IsItemEnabled(menu.AddSuccessorByCmd(101, -1, nullptr)));  // rights 2: disabled
  EXPECT_FALSE(menu.IsItemEnabled(menu.AddSuccessorByCmd(108, -1, nullptr)));  // the target disables
  EXPECT_EQ(*menu.GetItemText(2), "&Zoom (menu text)");                         // no popup text: the menu text
  EXPECT_EQ(menu.AddSuccessorByCmd(103, -1, nullptr), -1);                      // rights 0: no item
  EXPECT_EQ(menu.AddSuccessorByCmd(999, -1, nullptr), -1);                      // no definition
  EXPECT_EQ(menu.GetCount(), 3);

  // A redirected command's item is the effective command's.
  const long redirected = menu.AddSuccessorByCmd(105, -1, nullptr);
  EXPECT_EQ(menu.GetCommandID(redirected), 104);
  EXPECT_EQ(*menu.GetItemText(redirected), "&Print");
  // Redirections in a circle end at the first command seen again.
  const long cycle = menu.AddDescendantByCmd(106, open, nullptr);
  EXPECT_EQ(cycle, 1);
  EXPECT_EQ(menu.GetCommandID(cycle), 106);
}

}  // namespace
