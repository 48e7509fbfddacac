// The platform utilities: portable key codes, the cancel key, the Windows version and wheel
// lines, resources of the module chain and masked image lists from a bitmap strip.
#include <GUIPlatformUtilities.h>
#include <gtest/gtest.h>

#include <string.h>

#include "dib_canvas.h"

using testing_support::DibCanvas;

namespace {

// The thread's key state with Ctrl and Shift as given, for the scope.
class KeyState {
 public:
  KeyState(bool ctrl, bool shift) {
    GetKeyboardState(m_saved);
    BYTE state[256];
    memcpy(state, m_saved, sizeof state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
  }
  ~KeyState() { SetKeyboardState(m_saved); }
  KeyState(const KeyState&) = delete;
  KeyState& operator=(const KeyState&) = delete;

 private:
  BYTE m_saved[256];
};

TEST(KeyCodes, ConvertTheirKeysWithTheModifiers) {
  struct Case {
    UINT key;
    bool ctrl, shift;
    int answer;
    QvKeyCode code;
  } const cases[] = {
      {VK_RETURN, false, false, 1, VK_RETURN + 256},
      {VK_DELETE, false, true, 1, VK_DELETE + 1024},
      {VK_F5, true, false, 1, 628},  // F5 (116) with Ctrl
      {VK_F12, true, true, 1, VK_F12 + 1536},
      {VK_APPS, false, false, 1, VK_APPS + 256},
      {0x2F, false, false, 1, 0x2F + 256},  // the last key below '0'
      {'0', false, false, 0, 0},
      {'A', true, false, 0, 0},  // letters have no portable code
      {VK_F13, false, false, 0, 0},
  };
  for (const Case& c : cases) {
    KeyState state(c.ctrl, c.shift);
    QvKeyCode code = 0;
    EXPECT_EQ(GUIVirtualKeyToQvKeyCode(c.key, code), c.answer) << c.key;
    EXPECT_EQ(code, c.code) << c.key;
  }
}

// Key presses waiting in the queue, taken by the cancel test only when the first is Escape.
TEST(CancelKey, TakesOnlyEscapeFromTheQueue) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_TRUE(window);
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);

  EXPECT_FALSE(CancelKeyHasBeenPushed());  // nothing waiting
  PostMessageW(window, WM_KEYDOWN, 'A', 1);
  EXPECT_FALSE(CancelKeyHasBeenPushed());
  EXPECT_FALSE(QvTestCancelKey());
  // The typed-ahead key is still there for the window.
  ASSERT_TRUE(PeekMessageW(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('A'));

  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(CancelKeyHasBeenPushed());
  EXPECT_FALSE(PeekMessageW(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));  // taken
  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(QvTestCancelKey());
  EXPECT_FALSE(CancelKeyHasBeenPushed());

  SetCancelKeyForQuit(true);
  EXPECT_TRUE(GetCancelKeyForQuit());
  EXPECT_TRUE(CancelKeyHasBeenPushed());
  EXPECT_TRUE(QvTestCancelKey());
  SetCancelKeyForQuit(false);
  EXPECT_FALSE(CancelKeyHasBeenPushed());
  DestroyWindow(window);
}

TEST(Platform, VersionAndWheelLines) {
  EXPECT_EQ(GUIGetWindowsVersion(), QvWinNT4);  // Windows NT 4 and later
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(GUIGetWheelScrollLines(), lines);
}

TEST(Resources, DialogTemplateCopiedAndDataFound) {
  HMODULE program = GetModuleHandleW(NULL);
  HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(500), reinterpret_cast<LPCWSTR>(RT_DIALOG));
  ASSERT_TRUE(found);
  const DWORD size = SizeofResource(program, found);
  void* copy = LoadDialogTemplateResource(500);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(GlobalSize(GlobalHandle(copy)), size);
  EXPECT_EQ(memcmp(copy, LockResource(LoadResource(program, found)), size), 0);
  EXPECT_EQ(GlobalFree(GlobalHandle(copy)), nullptr);
  EXPECT_EQ(LoadDialogTemplateResource(501), nullptr);

  const unsigned short* data = static_cast<const unsigned short*>(GUIGetResourceRCDATA(600));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data[0], 0x1234);
  EXPECT_EQ(data[2], 0x9ABC);
  EXPECT_EQ(GUIGetResourceRCDATA(601), nullptr);
}

TEST(Resources, ProcListsAreMadeOnceAndKept) {
  QvArrayLPVoid* dp = QvGetDPVBAProcList();
  QvArrayLPVoid* links = QvGetHyperlinkVBAProcList();
  ASSERT_NE(dp, nullptr);
  EXPECT_NE(dp, links);
  EXPECT_EQ(QvGetDPVBAProcList(), dp);
  dp->Add(dp);
  EXPECT_EQ(QvGetDPVBAProcList()->GetSize(), 1);
  dp->RemoveAll();
}

// The strip holds a red and a blue 8 x 8 square in 16 x 16 cells; its masks leave the rest
// transparent.
TEST(ImageList, MadeFromTheHalvesOfTheStrip) {
  CImageList list;
  ASSERT_NE(CreateImageListFromBitmap(&list, 800, 16), 0);
  EXPECT_EQ(list.GetImageCount(), 2);
  int cx = 0, cy = 0;
  ASSERT_TRUE(list.GetIconSize(&cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  const COLORREF green = RGB(0, 128, 0);
  for (int image = 0; image < 2; ++image) {
    DibCanvas canvas(16, 16, green);
    ASSERT_TRUE(canvas.valid());
    ASSERT_TRUE(ImageList_Draw(list.m_hImageList, image, canvas.dc(), 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(canvas.At(8, 8), image == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255)) << image;
    EXPECT_EQ(canvas.CountOf(image == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255)), 64) << image;
    EXPECT_EQ(canvas.CountOf(green), 256 - 64) << image;
  }

  CImageList missing;
  EXPECT_EQ(CreateImageListFromBitmap(&missing, 801, 16), 0);
  EXPECT_EQ(missing.m_hImageList, nullptr);
}

}  // namespace
