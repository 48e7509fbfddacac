// Hot-key texts in menu and tooltip form, standard shortcuts, and the tooltip-text handler.
#include <gtest/gtest.h>

#include <QvEffectiveCommands.h>
#include <QvHotKeyText.h>

#include <string.h>

#include "guicore_test.h"

namespace {

const unsigned kShift = QVMOD_SHIFT, kCtrl = QVMOD_CTRL, kAlt = QVMOD_ALT;

TEST(HotKeyText, MenuAndTooltipForms) {
  struct Case {
    unsigned key, modifiers;
    const char* name;  // the key's name; the texts follow from it
    const char* modifierText;
  } cases[] = {
      {'S', kCtrl, "S", "Ctrl"},
      {'A', kAlt | kCtrl | kShift, "A", "Alt+Ctrl+Shift"},
      {'5', kShift, "5", "Shift"},
      {VK_F5, 0, "F5", ""},
      {VK_F24, kAlt, "F24", "Alt"},
      {VK_RETURN, kAlt, "Enter", "Alt"},
      {VK_DELETE, kCtrl | kShift, "Del", "Ctrl+Shift"},
      {VK_INSERT, 0, "Ins", ""},
      {VK_SPACE, kCtrl, "Space", "Ctrl"},
      {VK_PRIOR, 0, "PgUp", ""},
      {VK_NEXT, 0, "PgDown", ""},
      {VK_LEFT, kAlt, "Lft", "Alt"},
      {VK_NUMPAD5, 0, "Num 5", ""},
      {VK_MULTIPLY, 0, "Num *", ""},
      {VK_DIVIDE, kCtrl, "Num /", "Ctrl"},
      // Keys without a printable character of their own get names.
      {VK_ESCAPE, 0, "Esc", ""},
      {VK_BACK, kAlt, "Backspace", "Alt"},
      {VK_TAB, kCtrl, "Tab", "Ctrl"},
      {VK_NUMLOCK, 0, "Num Lock", ""},
      {VK_SCROLL, 0, "Scroll Lock", ""},
      {VK_PAUSE, 0, "Pause", ""},
  };
  for (const Case& c : cases) {
    std::string prefix = *c.modifierText ? std::string(c.modifierText) + "+" : std::string();
    QvString menu, tooltip, name, modifiers;
    ASSERT_TRUE(GetHotKeyText(menu, c.key, c.modifiers, false)) << c.name;
    ASSERT_TRUE(GetHotKeyText(tooltip, c.key, c.modifiers, true)) << c.name;
    EXPECT_EQ(menu.str(), "\t" + prefix + c.name);
    EXPECT_EQ(tooltip.str(), " (" + prefix + c.name + ")");
    EXPECT_TRUE(GetKeyName(name, c.key));
    EXPECT_STREQ(name.c_str(), c.name);
    EXPECT_EQ(GetModifiersText(modifiers, c.modifiers), *c.modifierText != 0);
    if (*c.modifierText) {
      EXPECT_STREQ(modifiers.c_str(), c.modifierText);
    }
  }
  QvString untouched("keep");
  EXPECT_FALSE(GetHotKeyText(untouched, 0, kCtrl, false));
  EXPECT_FALSE(GetHotKeyText(untouched, 0, 0, true));
  EXPECT_FALSE(GetKeyName(untouched, 0));
  EXPECT_FALSE(GetModifiersText(untouched, 0));
  EXPECT_STREQ(untouched.c_str(), "keep");
}

TEST(HotKeyText, StandardShortcutsLeaveTheEditingKeysToEditControls) {
  struct Case {
    unsigned key, modifiers;
    bool standard;
  } cases[] = {
      {0, 0, false},          {0, kCtrl, false},
      {VK_BACK, kAlt, false}, {VK_BACK, kAlt | kCtrl, true}, {VK_BACK, 0, true},
      {VK_INSERT, kShift, false}, {VK_INSERT, kCtrl, false}, {VK_INSERT, kCtrl | kShift, true},
      {VK_INSERT, kAlt | kShift, true}, {VK_INSERT, 0, true},
      {VK_DELETE, 0, false},  {VK_DELETE, kCtrl, false}, {VK_DELETE, kShift, true}, {VK_DELETE, kAlt, true},
      {'C', kCtrl, false},    {'V', kCtrl, false}, {'X', kCtrl, false}, {'Y', kCtrl, false}, {'Z', kCtrl, false},
      {'C', kCtrl | kShift, true}, {'Z', kCtrl | kAlt, true}, {'C', 0, true}, {'Y', kCtrl | kShift, true},
      {'S', kCtrl, true},     {VK_F5, 0, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsStandardShortCut(c.key, c.modifiers), c.standard) << c.key << "/" << c.modifiers;
}

// ---------------------------------------------------------------------------------------

class ToolTips : public PortableLayerTest {
 protected:
  void SetUp() override {
    PortableLayerTest::SetUp();
    m_hotKeyCtrl = Get_GlobalHotKeyCtrl();
  }
  void TearDown() override {
    Set_GlobalHotKeyCtrl(m_hotKeyCtrl);
    Set_GlobalMapCmdToEffectiveCmd(nullptr);
    PortableLayerTest::TearDown();
  }
  std::wstring AskW(UINT_PTR id, UINT flags = 0) {
    NMTTDISPINFOW info = {};
    info.hdr.code = TTN_NEEDTEXTW;
    info.hdr.idFrom = id;
    info.uFlags = flags;
    wcscpy(info.szText, L"before");
    LRESULT result = 99;
    EXPECT_EQ(QvGlobalOnToolTipText(0, &info.hdr, &result), TRUE);
    EXPECT_EQ(result, 0);
    return info.szText;
  }
  unsigned long m_hotKeyCtrl = 2;
};

TEST_F(ToolTips, TextWithHotKeyWhenHotKeysAreShown) {
  EXPECT_EQ(Get_GlobalHotKeyCtrl(), 2u);  // not set yet counts as shown
  EXPECT_EQ(AskW(100), L"Save the report (Ctrl+S)");
  Set_GlobalHotKeyCtrl(0);
  EXPECT_EQ(AskW(100), L"Save the report");
  Set_GlobalHotKeyCtrl(1);
  EXPECT_EQ(AskW(102), L"Preview");  // no hot key
  EXPECT_EQ(AskW(4711), L"before");  // no command: no text
}

TEST_F(ToolTips, RedirectedCommandShowsTheEffectiveCommand) {
  QvMapUShortUShort map;
  Set_GlobalMapCmdToEffectiveCmd(&map);
  SetEffectiveCmdInCmdMap(101, 100);
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(101), 100);
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(102), 102);
  EXPECT_EQ(AskW(101), L"Save the report (Ctrl+S)");
  RemoveEffectiveCmdFromCmdMap(101);
  EXPECT_EQ(AskW(101), L"Refresh the view (F5)");
  Set_GlobalMapCmdToEffectiveCmd(nullptr);
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(101), 101);
  SetEffectiveCmdInCmdMap(101, 100);  // no map: nothing happens
}

TEST_F(ToolTips, WindowIdsAnsiFormAndCutTexts) {
  HWND parent = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  HWND button = CreateWindowW(L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent, reinterpret_cast<HMENU>(100), NULL, NULL);
  ASSERT_TRUE(parent && button);
  EXPECT_EQ(AskW(reinterpret_cast<UINT_PTR>(button), TTF_IDISHWND), L"Save the report (Ctrl+S)");

  NMTTDISPINFOA info = {};
  info.hdr.code = TTN_NEEDTEXTA;
  info.hdr.idFrom = 100;
  LRESULT result = 5;
  EXPECT_EQ(QvGlobalOnToolTipText(0, &info.hdr, &result), TRUE);
  EXPECT_STREQ(info.szText, "Save the report (Ctrl+S)");
  EXPECT_EQ(info.lpszText, info.szText);

  // A text longer than the buffer is cut to 79 characters.
  std::wstring full = L"A tooltip text that goes on and on, well past the eighty characters a tooltip "
                      L"buffer holds (Alt+Ctrl+Shift+F1)";
  EXPECT_EQ(AskW(120), full.substr(0, 79));
  memset(info.szText, 'z', sizeof info.szText);
  info.hdr.idFrom = 120;
  QvGlobalOnToolTipText(0, &info.hdr, &result);
  EXPECT_EQ(std::string(info.szText), std::string(full.begin(), full.begin() + 79));
  DestroyWindow(parent);
}

}  // namespace
