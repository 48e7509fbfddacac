// Keys of the dynamic menus: the bar's accelerator table, the edit shortcuts typed as
// characters, and the raw table translation of Win32s.
#include "dynmenus_test.h"

#include <QvStandardShortCuts.h>

using namespace dynmenus_test;

namespace {

enum : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };

// Holds the modifier keys in the thread's key state (GetKeyState reads it); released after.
class HeldKeys {
 public:
  explicit HeldKeys(unsigned modifiers) {
    BYTE state[256] = {};
    if (modifiers & kShift) state[VK_SHIFT] = 0x80;
    if (modifiers & kCtrl) state[VK_CONTROL] = 0x80;
    if (modifiers & kAlt) state[VK_MENU] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() {
    BYTE state[256] = {};
    SetKeyboardState(state);
  }
};

std::string Describe(const ACCEL& a) {
  return std::to_string(a.fVirt) + "/" + std::to_string(a.key) + "->" + std::to_string(a.cmd);
}

TEST_F(DynamicMenuTest, AcceleratorsComeFromTheMenusStandardShortcutsThenTheToolbarsList) {
  QvListLPQvFirst toolbarCommands;
  toolbarCommands.AddTail(GUIGetCommandDefFromID(ID_REFRESH));
  Set_GlobalListStandardShortCutCommandDef(&toolbarCommands);
  RegisterOnFrame();
  Set_GlobalListStandardShortCutCommandDef(nullptr);

  HACCEL table = GetAcceleratorForUpdateFrameMenu(&bar);
  ASSERT_TRUE(table);
  EXPECT_EQ(GetAcceleratorForUpdateFrameMenu(CMenu::FromHandle(PopupNamed(bar.m_hMenu, "&Edit"))), table);
  ACCEL entries[16] = {};
  const int count = CopyAcceleratorTableW(table, entries, 16);
  std::vector<std::string> got;
  for (int i = 0; i < count; ++i) got.push_back(Describe(entries[i]));
  // Escape first; Ctrl+X (Cut) is an editing key and stays with the edit controls.
  const ACCEL expected[] = {{FVIRTKEY, VK_ESCAPE, 41216},
                            {FVIRTKEY | FCONTROL, 'O', ID_OPEN},
                            {FVIRTKEY | FCONTROL | FSHIFT, 'P', ID_PRINT},
                            {FVIRTKEY, VK_F7, ID_OPTIONS},
                            {FVIRTKEY, VK_F5, ID_REFRESH}};
  std::vector<std::string> want;
  for (const ACCEL& a : expected) want.push_back(Describe(a));
  EXPECT_EQ(got, want);
}

TEST_F(DynamicMenuTest, TypedEditCharactersGiveTheirCommands) {
  const struct {
    unsigned c, modifiers, command;
  } cases[] = {
      {3, 0, 40803},  {22, 0, 40805},         {24, 0, 40801},     {26, 0, 40797},
      {8, kAlt, 40797}, {8, 0, 0},            {8, kAlt | kCtrl, 0},
      {45, kCtrl, 40803}, {45, kShift, 40805}, {45, 0, 0},         {45, kCtrl | kShift, 0},
      {46, kShift, 40801}, {46, 0, 40809},     {46, kCtrl, 0},     {46, kShift | kAlt, 0},
      {'A', 0, 0},
  };
  for (const auto& c : cases) {
    HeldKeys held(c.modifiers);
    EXPECT_EQ(GetEditCmdFromChar(c.c), c.command) << c.c << " with " << c.modifiers;
  }
  // Delete runs Clear through the portable road; Ctrl+Delete runs nothing.
  {
    HeldKeys held(0);
    EXPECT_TRUE(ScanSpecificShortCut(46, 0, 0));
  }
  {
    HeldKeys held(kCtrl);
    EXPECT_FALSE(ScanSpecificShortCut(46, 0, 0));
  }
  EXPECT_EQ(target.executed, std::vector<unsigned short>{ID_EDIT_CLEAR_KEY});
  // A command the rights refuse is not run.
  Rights::status[1001] = 2;  // the edit commands' security id
  target.executed.clear();
  HeldKeys held(0);
  EXPECT_FALSE(ScanSpecificShortCut(46, 0, 0));
  EXPECT_TRUE(target.executed.empty());
}

TEST_F(DynamicMenuTest, RawTableTranslatesKeyDownsWithExactlyTheirModifiers) {
  frame = new MenuFrame;
  ASSERT_TRUE(frame->GetSafeHwnd());
  ACCEL table[] = {{FVIRTKEY | FCONTROL, 'O', ID_OPEN}, {FVIRTKEY, VK_F7, ID_OPTIONS}, {0, 0, 0}};
  const struct {
    UINT message;
    WPARAM key;
    unsigned modifiers;
    int answer;
    WPARAM command;  // the WM_COMMAND's wParam, 0 for none
  } cases[] = {
      {WM_KEYDOWN, 'O', kCtrl, 1, MAKEWPARAM(ID_OPEN, 1)},
      {WM_KEYDOWN, 'O', 0, 0, 0},
      {WM_KEYDOWN, 'O', kCtrl | kShift, 0, 0},
      {WM_KEYDOWN, VK_F7, 0, 1, MAKEWPARAM(ID_OPTIONS, 1)},
      {WM_KEYUP, VK_F7, 0, 0, 0},
      {WM_KEYDOWN, VK_F8, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.message << " " << c.key << " " << c.modifiers);
    HeldKeys held(c.modifiers);
    frame->commands.clear();
    MSG msg = {frame->m_hWnd, c.message, c.key, 0, 0, {0, 0}};
    EXPECT_EQ(GUIWin32sTranslateAccelerator(frame->m_hWnd, table, &msg), c.answer);
    EXPECT_EQ(frame->commands, c.command ? std::vector<WPARAM>{c.command} : std::vector<WPARAM>{});
  }
  // An empty table, or none, translates nothing.
  ACCEL empty[] = {{0, 0, 0}};
  MSG msg = {frame->m_hWnd, WM_KEYDOWN, VK_F7, 0, 0, {0, 0}};
  EXPECT_EQ(GUIWin32sTranslateAccelerator(frame->m_hWnd, empty, &msg), 0);
  EXPECT_EQ(GUIWin32sTranslateAccelerator(frame->m_hWnd, nullptr, &msg), 0);
}

}  // namespace
