// The leak counters see each kind of object they name come and go.
#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "handle_counts.h"

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {
namespace {

TEST(GdiObjectCount, CountsEachKindOfObjectWhileItLives) {
  struct Case {
    const char* kind;
    std::function<HGDIOBJ()> make;
  };
  LOGFONTW font = {};
  font.lfHeight = -12;
  const Case cases[] = {
      {"brush", [] { return HGDIOBJ(CreateSolidBrush(RGB(1, 2, 3))); }},
      {"pen", [] { return HGDIOBJ(CreatePen(PS_DASH, 1, RGB(1, 2, 3))); }},
      {"bitmap", [] { return HGDIOBJ(CreateBitmap(4, 4, 1, 1, NULL)); }},
      {"region", [] { return HGDIOBJ(CreateRectRgn(0, 0, 3, 3)); }},
      {"font", [&font] { return HGDIOBJ(CreateFontIndirectW(&font)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const int before = GdiObjectCount();
    HGDIOBJ h = c.make();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GdiObjectCount(), before + 1);
    DeleteObject(h);
    EXPECT_EQ(GdiObjectCount(), before);
  }
  DeleteDC(CreateCompatibleDC(NULL));  // the first DC makes the process's default objects
  const int before = GdiObjectCount();
  HDC dc = CreateCompatibleDC(NULL);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GdiObjectCount(), before + 1);
  DeleteDC(dc);
  EXPECT_EQ(GdiObjectCount(), before);
}

// The system's colour brushes, made on first use and kept, are made by the first count: a
// window that first uses one (an inactive frame's border) between two counts leaves them
// equal. Printed counts name the kinds.
TEST(GdiObjectCount, IncludesEverySystemColourBrushAndNamesTheKinds) {
  const int before = GdiObjectCount();
  for (int colour = 0; colour <= COLOR_MENUBAR; ++colour) ASSERT_NE(GetSysColorBrush(colour), nullptr);
  EXPECT_EQ(GdiObjectCount(), before);

  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const std::string kinds = GdiObjectKinds();
  DeleteObject(brush);
  const size_t at = kinds.find("brush ");
  ASSERT_NE(at, std::string::npos) << kinds;
  EXPECT_GE(std::stoi(kinds.substr(at + 6)), COLOR_MENUBAR + 1 + 1) << kinds;  // theirs and ours
}

HWND Window(DWORD style, HWND parent) {
  return CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 10, 10, parent, NULL, NULL, NULL);
}

TEST(ThreadWindowCount, CountsTopLevelChildAndMessageOnlyWindowsOfThisThread) {
  const int before = ThreadWindowCount();
  HWND top = Window(WS_POPUP, NULL);
  HWND child = Window(WS_CHILD, top);
  HWND grandchild = Window(WS_CHILD, child);
  HWND message = Window(0, HWND_MESSAGE);
  HWND messageChild = Window(WS_CHILD, message);
  for (HWND h : {top, child, grandchild, message, messageChild}) ASSERT_NE(h, nullptr);
  EXPECT_EQ(ThreadWindowCount(), before + 5);

  // A window of another thread is not this thread's.
  HANDLE made = CreateEventW(NULL, TRUE, FALSE, NULL), checked = CreateEventW(NULL, TRUE, FALSE, NULL);
  std::thread other([made, checked] {
    HWND w = Window(WS_POPUP, NULL);
    SetEvent(made);
    WaitForSingleObject(checked, INFINITE);
    DestroyWindow(w);
  });
  WaitForSingleObject(made, INFINITE);
  EXPECT_EQ(ThreadWindowCount(), before + 5);
  SetEvent(checked);
  other.join();
  CloseHandle(made);
  CloseHandle(checked);

  DestroyWindow(top);
  EXPECT_EQ(ThreadWindowCount(), before + 2);
  DestroyWindow(message);
  EXPECT_EQ(ThreadWindowCount(), before);
}

TEST(MenuCount, CountsMenusUntilDestroyedEvenWithTheirWindow) {
  const int before = MenuCount();
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(MenuCount(), before + 2);
  ASSERT_TRUE(AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"&File"));
  EXPECT_EQ(MenuCount(), before + 2);
  HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, NULL, bar, NULL, NULL);
  ASSERT_NE(frame, nullptr);
  DestroyWindow(frame);  // the window's menu and its pop-up go with it
  EXPECT_EQ(MenuCount(), before);
  HMENU lone = CreatePopupMenu();
  EXPECT_EQ(MenuCount(), before + 1);
  DestroyMenu(lone);
  EXPECT_EQ(MenuCount(), before);
}

TEST(DibCanvas, StartsFilledAndCountsWhatIsDrawn) {
  DibCanvas canvas(10, 6, RGB(1, 2, 3));
  ASSERT_TRUE(canvas.valid());
  EXPECT_EQ(canvas.CountOf(RGB(1, 2, 3)), 60);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT r = {2, 1, 5, 3};
  FillRect(canvas.dc(), &r, red);
  DeleteObject(red);
  EXPECT_EQ(canvas.At(2, 1), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(4, 2), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(5, 2), RGB(1, 2, 3));  // right and bottom edges are outside
  EXPECT_EQ(canvas.At(4, 3), RGB(1, 2, 3));
  EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0), r), 6);
  const RECT row = {0, 1, 10, 2};
  EXPECT_EQ(canvas.CountOtherThan(RGB(1, 2, 3), row), 3);
  canvas.Fill(RGB(0, 0, 0));
  EXPECT_EQ(canvas.CountOf(RGB(0, 0, 0)), 60);
}

}  // namespace
}  // namespace testing_support
