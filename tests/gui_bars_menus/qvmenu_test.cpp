// Portable menus: popups and items added to a framework menu by command id.
#include "dynmenus_test.h"

#include "handle_counts.h"

using namespace dynmenus_test;

namespace {

using Texts_ = std::vector<std::string>;

TEST_F(DynamicMenuTest, SubMenusAreAddedByCommandAndRemovedWhereverTheyStandNow) {
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  {
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 1, _T("first"));
    QvMenu menu(&popup);
    QvSubMenu* file = menu.AddSubMenu(ID_FILE_POPUP, -1);
    ASSERT_TRUE(file);
    EXPECT_EQ(menu.GetSubMenu(ID_FILE_POPUP), file);
    EXPECT_EQ(menu.AddSubMenu(ID_FILE_POPUP, 0), nullptr);  // one sub-menu per id
    EXPECT_EQ(menu.AddSubMenu(999, 0), nullptr);            // no definition
    QvSubMenu* edit = menu.AddSubMenu(ID_EDIT_POPUP, 0);
    ASSERT_TRUE(edit);
    EXPECT_EQ(Texts(popup.m_hMenu), (Texts_{"&Edit", "first", "&File"}));

    // Items carry the command's menu text without its hot key.
    EXPECT_TRUE(file->AddItem(ID_OPEN, -1));
    EXPECT_TRUE(file->AddItem(ID_SAVE, 0));
    EXPECT_FALSE(file->AddItem(999, 0));
    EXPECT_EQ(Texts(PopupNamed(popup.m_hMenu, "&File")), (Texts_{"&Save", "&Open"}));
    EXPECT_TRUE(file->RemoveItem(ID_SAVE));
    EXPECT_FALSE(file->RemoveItem(ID_SAVE));
    EXPECT_EQ(Texts(PopupNamed(popup.m_hMenu, "&File")), Texts_{"&Open"});

    // File was appended at position 1 and stands at 2 now: that item goes, not "first".
    EXPECT_TRUE(menu.RemoveSubMenu(ID_FILE_POPUP));
    EXPECT_EQ(Texts(popup.m_hMenu), (Texts_{"&Edit", "first"}));
    EXPECT_EQ(menu.GetSubMenu(ID_FILE_POPUP), nullptr);
    EXPECT_FALSE(menu.RemoveSubMenu(ID_FILE_POPUP));
    EXPECT_TRUE(menu.UpdateByCommand(ID_OPEN));
    EXPECT_FALSE(edit->UpdateByCommand(ID_OPEN));

    // A nested sub-menu.
    ASSERT_TRUE(edit->AddSubMenu(ID_RECENT_POPUP, -1));
    HMENU editHandle = PopupNamed(popup.m_hMenu, "&Edit");
    ASSERT_TRUE(editHandle);
    EXPECT_EQ(Texts(editHandle), Texts_{"&Recent"});
  }
  // The portable objects went before the menu: its popups stayed with it and went with it.
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

TEST_F(DynamicMenuTest, SubMenusLeftInALiveMenuStayValidAfterThePortableMenuGoes) {
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  HMENU file = NULL;
  {
    QvMenu menu(&popup);
    ASSERT_TRUE(menu.AddSubMenu(ID_FILE_POPUP, -1));
    ASSERT_TRUE(menu.GetSubMenu(ID_FILE_POPUP)->AddItem(ID_OPEN, -1));
    file = PopupNamed(popup.m_hMenu, "&File");
  }
  ASSERT_TRUE(file);
  EXPECT_TRUE(IsMenu(file));
  EXPECT_EQ(Texts(file), Texts_{"&Open"});
  // A sub-menu that someone else took out of the menu is destroyed with its portable object.
  HMENU taken = NULL;
  {
    QvMenu menu(&popup);
    ASSERT_TRUE(menu.AddSubMenu(ID_EDIT_POPUP, -1));
    taken = PopupNamed(popup.m_hMenu, "&Edit");
    ASSERT_TRUE(RemoveMenu(popup.m_hMenu, 1, MF_BYPOSITION));
  }
  EXPECT_FALSE(IsMenu(taken));
}

}  // namespace
