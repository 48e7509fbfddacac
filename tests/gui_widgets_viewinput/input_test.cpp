// The portable view's input: characters and keys, mouse buttons and moves, the wheel with its
// Shift and Ctrl forms, the system close, and middle-button panning with its popup.
#include "../gui_widgets_view/pview_fixture.h"

#include <QvModifier.h>
#include <UIPanPacer.h>
#include <recorder.h>
#include <test_support.h>

#include <set>
#include <string>
#include <vector>

namespace {

using testing_support::ExpectedMsg;
using testing_support::Recorder;
using testing_support::SubclassedControl;
using testing_support::kSent;
using testing_support::kWparam;

// A portable view that writes down what reaches it.
class InputView : public QvView {
 public:
  InputView() : QvView(nullptr, false) {}
  struct Call {
    std::string what;
    QvPoint a, b, c;
    bool flag;
    char ch;
  };
  std::vector<Call> calls;
  bool allowClose = true;
  bool onKeyboardChar(char c) override {
    calls.push_back({"char", {}, {}, {}, false, c});
    return true;
  }
  bool onKeyboardSpecial(QvKeyCode) override {
    calls.push_back({"special", {}, {}, {}, false, 0});
    return true;
  }
  void onMouseDown(const QvPoint& p, const QvModifier& m) override { calls.push_back({"down", p, {}, {}, m.IsCtrl(), 0}); }
  void onMouseMove(const QvPoint& down, const QvPoint& prev, const QvPoint& cur, const QvModifier&, bool left) override {
    calls.push_back({"move", down, prev, cur, left, 0});
  }
  void onMouseUp(const QvPoint& down, const QvPoint& cur, const QvModifier&) override {
    calls.push_back({"up", down, cur, {}, false, 0});
  }
  void onMouseDblClick(const QvPoint& p, const QvModifier&) override { calls.push_back({"dblclk", p, {}, {}, false, 0}); }
  void onRightMouseDown(const QvPoint& p, const QvModifier& m) override {
    calls.push_back({"rdown", p, {}, {}, m.IsShift(), 0});
  }
  void onMouseDatazoom(const QvPoint& p, bool up) override { calls.push_back({"datazoom", p, {}, {}, up, 0}); }
  void onMouseZooming(const QvPoint& p, bool up) override { calls.push_back({"zooming", p, {}, {}, up, 0}); }
  bool OnSystemClose() override { return allowClose; }
};

// A view window exposing the panning step of the shared core.
class PanView : public ModelView {
 public:
  using CDrawingCore::PanStep;
};

struct InputWindow {
  HWND parent = NULL;
  InputView* view = nullptr;
  PanView* window = nullptr;
  InputWindow() {
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 260, 200, NULL, NULL, NULL, NULL);
    view = new InputView;
    window = new PanView;
    const RECT r = {0, 0, 200, 150};
    if (parent == NULL || !window->Create(view, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, r, CWnd::FromHandle(parent), 1)) {
      delete window;
      delete view;
      window = nullptr;
      view = nullptr;
    }
  }
  ~InputWindow() {
    if (window != nullptr && IsWindow(hwnd())) DestroyWindow(hwnd());
    if (parent != NULL) DestroyWindow(parent);
  }
  HWND hwnd() const { return window->m_hWnd; }
};

class PortableViewInput : public testing::Test {
 protected:
  InputWindow w;
  void SetUp() override {
    ASSERT_TRUE(w.window != nullptr);
    w.view->SetImageSize(QvSize(2000, 2000), false);
    Recorder().Reset();
    w.view->calls.clear();
  }
};

// --- Characters -------------------------------------------------------------------------------

TEST_F(PortableViewInput, CharactersReachTheViewOnlyAsThemselves) {
  // The table's non-ASCII letters are those of the Western code page the tests run with.
  ASSERT_EQ(GetACP(), 1252u);
  // A window of the earlier edition gets its WM_CHAR in the code page: the system has already
  // narrowed what has no byte there, so only the letters the code page holds are typed to it.
  const bool unicodeWindow = IsWindowUnicode(w.hwnd()) != FALSE;
  struct Case {
    const char* what;
    wchar_t typed;
    bool delivered;  // false: the character has no byte of the code page, or is a control
    char as;
  } const cases[] = {
      {"a letter", L'A', true, 'A'},
      {"space, the first delivered", L' ', true, ' '},
      {"backspace is a control character", 0x08, false, 0},
      {"escape", 0x1B, false, 0},
      {"e acute is in the code page", 0x00E9, true, static_cast<char>(0xE9)},
      {"the euro sign sits at 0x80", 0x20AC, true, static_cast<char>(0x80)},
      // Narrowing took the low byte: U+0142 became 'B'; best fit would make it 'l'.
      {"l with stroke has no byte", 0x0142, false, 0},
      {"Cyrillic", 0x0416, false, 0},
      {"a lone surrogate", 0xD83D, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!unicodeWindow && c.typed >= 0x100 && !c.delivered) continue;  // never reaches such a window
    w.view->calls.clear();
    SendMessageW(w.hwnd(), WM_CHAR, c.typed, 1);
    if (!c.delivered) {
      EXPECT_TRUE(w.view->calls.empty());
      continue;
    }
    ASSERT_EQ(w.view->calls.size(), 1u);
    EXPECT_EQ(w.view->calls[0].what, "char");
    EXPECT_EQ(w.view->calls[0].ch, c.as);
  }
}

TEST(TypedCharacter, AnAnsiWindowsByteIsTheCharacter) {
  char c = 0;
  EXPECT_TRUE(CGUIView::TypedCharacter(false, 0xE9, c));
  EXPECT_EQ(c, static_cast<char>(0xE9));
  EXPECT_FALSE(CGUIView::TypedCharacter(false, 0x0D, c));
}

TEST_F(PortableViewInput, KeysScrollOrReachTheViewAsSpecialKeys) {
  w.view->SetVScrollIncrement(10);
  SendMessageW(w.hwnd(), WM_KEYDOWN, VK_NEXT, 1);  // a scroll key: scrolled, not handed on
  EXPECT_GT(w.window->GetVScroll(), 0u);
  EXPECT_TRUE(w.view->calls.empty());
  // Without Ctrl the arrows do not scroll: they are the view's.
  SendMessageW(w.hwnd(), WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_EQ(w.view->calls.size(), 1u);
  EXPECT_EQ(w.view->calls[0].what, "special");
  w.view->calls.clear();
  SendMessageW(w.hwnd(), WM_KEYDOWN, VK_F5, 1);
  ASSERT_EQ(w.view->calls.size(), 1u);
  EXPECT_EQ(w.view->calls[0].what, "special");
  w.view->calls.clear();
  SendMessageW(w.hwnd(), WM_KEYDOWN, 'Q', 1);  // no code of its own
  EXPECT_TRUE(w.view->calls.empty());
}

// --- Mouse ----------------------------------------------------------------------------------

TEST_F(PortableViewInput, ADragReportsTheDownAndPreviousPointsInImageUnits) {
  w.window->SetUnitType(QvTwipsUnit);
  w.window->SetTwipsPerPixel(15.0f, 15.0f);
  SendMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 20));
  EXPECT_EQ(GetCapture(), w.hwnd());
  EXPECT_EQ(GetFocus(), w.hwnd());
  SendMessageW(w.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 24));
  SendMessageW(w.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(15, 30));
  SendMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(16, 31));
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
  SendMessageW(w.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
  const auto& k = w.view->calls;
  ASSERT_EQ(k.size(), 5u);
  EXPECT_EQ(k[0].what, "down");
  EXPECT_TRUE(k[0].a == QvPoint(150, 300));
  EXPECT_TRUE(k[0].flag);  // Ctrl held
  EXPECT_EQ(k[1].what, "move");
  EXPECT_TRUE(k[1].a == QvPoint(150, 300));
  EXPECT_TRUE(k[1].b == QvPoint(150, 300));
  EXPECT_TRUE(k[1].c == QvPoint(180, 360));
  EXPECT_TRUE(k[1].flag);
  EXPECT_TRUE(k[2].b == QvPoint(180, 360));  // the previous point follows the pointer
  EXPECT_TRUE(k[2].c == QvPoint(225, 450));
  EXPECT_EQ(k[3].what, "up");
  EXPECT_TRUE(k[3].a == QvPoint(150, 300));
  EXPECT_TRUE(k[3].b == QvPoint(240, 465));
  EXPECT_EQ(k[4].what, "move");
  EXPECT_FALSE(k[4].flag);  // no button
}

TEST_F(PortableViewInput, RightButtonAndDoubleClickCarryTheirPoints) {
  SendMessageW(w.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(7, 8));
  SendMessageW(w.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(9, 11));
  const auto& k = w.view->calls;
  ASSERT_EQ(k.size(), 2u);
  EXPECT_EQ(k[0].what, "rdown");
  EXPECT_TRUE(k[0].a == QvPoint(7, 8));
  EXPECT_TRUE(k[0].flag);
  EXPECT_EQ(k[1].what, "dblclk");
  EXPECT_TRUE(k[1].a == QvPoint(9, 11));
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
}

TEST_F(PortableViewInput, TheWheelPointComesFromTheScreen) {
  w.view->SetVScrollIncrement(25);
  POINT s = {30, 40};
  ClientToScreen(w.hwnd(), &s);
  ASSERT_TRUE(s.x != 30 || s.y != 40);  // the view is away from the screen's corner
  struct Case {
    const char* what;
    WORD keys;
    short delta;
    const char* call;  // nullptr: scrolled
    bool up;
    unsigned long vscroll;
  } const cases[] = {
      {"Shift up: data zoom", MK_SHIFT, WHEEL_DELTA, "datazoom", true, 0},
      {"Ctrl down: zooming", MK_CONTROL, -WHEEL_DELTA, "zooming", false, 0},
      {"plain down: a line", 0, -WHEEL_DELTA, nullptr, false, 25},
      {"plain down again", 0, -WHEEL_DELTA, nullptr, false, 50},
      {"plain up", 0, WHEEL_DELTA, nullptr, false, 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    w.view->calls.clear();
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(c.keys, c.delta), MAKELPARAM(s.x, s.y)), 0);
    EXPECT_EQ(w.window->GetVScroll(), c.vscroll);
    if (c.call == nullptr) {
      EXPECT_TRUE(w.view->calls.empty());
      continue;
    }
    ASSERT_EQ(w.view->calls.size(), 1u);
    EXPECT_EQ(w.view->calls[0].what, c.call);
    EXPECT_TRUE(w.view->calls[0].a == QvPoint(30, 40 + static_cast<long>(c.vscroll)));
    EXPECT_EQ(w.view->calls[0].flag, c.up);
  }
}

// --- System close ---------------------------------------------------------------------------

TEST_F(PortableViewInput, TheContainerMayRefuseTheSystemClose) {
  SubclassedControl spy(w.hwnd());
  Recorder().Watch(w.hwnd());
  w.view->allowClose = false;
  Recorder().Reset();
  // The container answers false: the command is dropped, nothing closes.
  SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Recorder().Pump();
  const ExpectedMsg refused[] = {{WM_SYSCOMMAND, kSent | kWparam, SC_CLOSE, 0}, {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(refused));
  EXPECT_TRUE(IsWindow(w.hwnd()));
  // Allowed: default processing closes the window.
  w.view->allowClose = true;
  Recorder().Reset();
  SendMessageW(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_GE(Recorder().Count(WM_CLOSE), 1u);
  Recorder().UnwatchAll();
}

// --- Panning --------------------------------------------------------------------------------

TEST(PortableViewPanning, StepsFollowThePointersDistanceInPixelsForEveryUnit) {
  InputWindow w;
  ASSERT_TRUE(w.window != nullptr);
  struct Case {
    int distance;
    long pixels;
  } const cases[] = {{4, 0}, {7, 1}, {30, 15}, {-4, 0}, {-7, -1}, {-30, -15}, {10, 1}, {11, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.distance);
    w.window->SetUnitType(QvPixelUnit);
    SIZE s = w.window->PanStep(c.distance, 0, 1);
    EXPECT_EQ(s.cx, c.pixels);
    EXPECT_EQ(s.cy, 0);
    // A twips view pans as fast on the screen: 15 twips a pixel.
    w.window->SetUnitType(QvTwipsUnit);
    w.window->SetTwipsPerPixel(15.0f, 15.0f);
    s = w.window->PanStep(0, c.distance, 1);
    EXPECT_EQ(s.cy, c.pixels * 15);
    EXPECT_EQ(w.window->ImageToClientHeight(s.cy), c.pixels);
  }
}

// What the timer steps saw while the view panned.
struct PanWatch {
  HWND view = NULL;
  int step = 0;
  HWND popup = NULL;
  RECT popupRect = {};
  bool popupActive = false;
  bool captureHeld = false;
  bool stillPanningAfterRelease = false;
} g_watch;

// One step per tick, inside the panning loop's own pump.
void CALLBACK WatchPanning(HWND, UINT, UINT_PTR id, DWORD) {
  PanWatch& s = g_watch;
  switch (s.step++) {
    case 0:
      s.popup = FindWindowW(L"PanningWindow", NULL);
      if (s.popup != NULL) GetWindowRect(s.popup, &s.popupRect);
      s.popupActive = s.popup != NULL && (GetActiveWindow() == s.popup || GetForegroundWindow() == s.popup);
      s.captureHeld = GetCapture() == s.view;
      // The middle button comes up without the pointer having moved.
      PostMessageW(s.view, WM_MBUTTONUP, 0, MAKELPARAM(100, 50));
      break;
    case 1:
      s.stillPanningAfterRelease = GetCapture() == s.view && FindWindowW(L"PanningWindow", NULL) != NULL;
      PostMessageW(s.view, WM_KEYDOWN, VK_SHIFT, 0);
      KillTimer(NULL, id);
      break;
    default: KillTimer(NULL, id); break;
  }
}

TEST_F(PortableViewInput, AMiddleClickWithoutMovingPansUntilAKeyAndThePopupNeverActivates) {
  struct Case {
    const char* what;
    POINT pointer;  // where the pointer is, from the point of the click, when the view sees it
  } const cases[] = {
      {"the pointer where the button went down", {0, 0}},
      // The pointer moved a little before the click was handled: not a move of the panning.
      {"the pointer already a little away", {2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetForegroundWindow(w.parent);
    POINT anchor = {100, 50};
    ClientToScreen(w.hwnd(), &anchor);
    ASSERT_TRUE(SetCursorPos(anchor.x + c.pointer.x, anchor.y + c.pointer.y));
    g_watch = PanWatch();
    g_watch.view = w.hwnd();
    ASSERT_NE(SetTimer(NULL, 0, 50, WatchPanning), 0u);
    SendMessageW(w.hwnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 50));
    EXPECT_EQ(g_watch.step, 2);
    ASSERT_NE(g_watch.popup, static_cast<HWND>(NULL));
    EXPECT_EQ(g_watch.popupRect.right - g_watch.popupRect.left, 28);
    EXPECT_EQ(g_watch.popupRect.bottom - g_watch.popupRect.top, 28);
    EXPECT_EQ(g_watch.popupRect.left, anchor.x - 14);
    EXPECT_EQ(g_watch.popupRect.top, anchor.y - 14);
    EXPECT_FALSE(g_watch.popupActive);
    EXPECT_TRUE(g_watch.captureHeld);
    EXPECT_TRUE(g_watch.stillPanningAfterRelease);
    // Ended: no capture, no popup, the pointer never moved so nothing scrolled.
    EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
    EXPECT_EQ(FindWindowW(L"PanningWindow", NULL), static_cast<HWND>(NULL));
    EXPECT_EQ(w.window->GetHScroll(), 0u);
    EXPECT_EQ(w.window->GetVScroll(), 0u);
  }
}

HWND g_panned = NULL;
void CALLBACK EndPanningWithAKey(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  PostMessageW(g_panned, WM_KEYDOWN, VK_SHIFT, 0);
}

// A twips view pans by whole pixels' worth of twips: the same screen speed as a pixel view.
TEST_F(PortableViewInput, ATwipsViewPansAtThePointersPixelSpeed) {
  w.window->SetUnitType(QvTwipsUnit);
  w.window->SetTwipsPerPixel(15.0f, 15.0f);
  w.view->SetImageSize(QvSize(200000, 200000), false);
  POINT anchor = {100, 50};
  ClientToScreen(w.hwnd(), &anchor);
  ASSERT_TRUE(SetCursorPos(anchor.x + 30, anchor.y));  // 15 pixels a pass
  g_panned = w.hwnd();
  ASSERT_NE(SetTimer(NULL, 0, 200, EndPanningWithAKey), 0u);
  SendMessageW(w.hwnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 50));
  const unsigned long h = w.window->GetHScroll();
  EXPECT_GT(h, 0u);
  EXPECT_EQ(h % 225, 0u);  // 15 pixels of 15 twips a pass
  EXPECT_EQ(w.window->GetClientOffset().x, static_cast<long>(h / 15));
  EXPECT_EQ(w.window->GetVScroll(), 0u);
}

// --- Panning cursors -------------------------------------------------------------------------

// The module of the library, where its own cursors are.
HMODULE LibraryModule() {
  HMODULE module = NULL;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&CPanPacer::Speed)), &module);
  return module;
}

// The panning cursors by the way the view moves: the pointer's offset from where panning
// started, in screen pixels.
struct PanCursorCase {
  const char* what;
  POINT offset;
  WORD id;
};
const PanCursorCase kPanCursors[] = {
    {"at the anchor: neutral", {0, 0}, 112},
    {"left", {-30, 0}, 107},
    {"up-left", {-30, -30}, 111},
    {"up", {0, -30}, 110},
    {"up-right", {30, -30}, 109},
    {"right", {30, 0}, 117},
    {"down-right", {30, 30}, 113},
    {"down", {0, 30}, 114},
    {"down-left", {-30, 30}, 115},
    {"within 4 pixels: neutral again", {3, -3}, 112},
    {"one axis within 10 pixels: straight", {40, 8}, 117},
    {"both beyond 10 but far from the diagonal: straight", {-40, 15}, 107},
    {"both beyond 10 and near the diagonal: diagonal", {-24, 15}, 115},
};

TEST(PanningCursors, EveryCursorIsTheLibrarysOwnWithItsHotSpotInTheMiddle) {
  HMODULE library = LibraryModule();
  ASSERT_NE(library, static_cast<HMODULE>(NULL));
  ASSERT_NE(library, GetModuleHandleW(NULL));
  std::set<std::string> pictures;
  for (WORD id : {107, 109, 110, 111, 112, 113, 114, 115, 117}) {
    SCOPED_TRACE(id);
    HCURSOR cursor = LoadCursorW(library, MAKEINTRESOURCEW(id));
    ASSERT_NE(cursor, static_cast<HCURSOR>(NULL));
    // The framework's resource search finds them in the library: the test program has none.
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_CURSOR), library);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 16u);
    BITMAP mask = {};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, info.hbmColor != NULL ? 32 : 64);  // monochrome: both masks in one
    std::string bits(static_cast<size_t>(mask.bmWidthBytes) * static_cast<size_t>(mask.bmHeight), '\0');
    GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), &bits[0]);
    pictures.insert(bits);
    if (info.hbmMask != NULL) DeleteObject(info.hbmMask);
    if (info.hbmColor != NULL) DeleteObject(info.hbmColor);
  }
  // Each way has a picture of its own.
  EXPECT_EQ(pictures.size(), 9u);
}

// The pointer moved through the cases while the view pans; for each, the cursor the panning
// loop set once it has seen the pointer there.
struct CursorWatch {
  HWND view = NULL;
  POINT anchor = {};
  size_t next = 0;
  bool moved = false;
  int waited = 0;
  std::vector<WORD> seen;  // the case's id when its cursor was set, 0 when it never was
} g_cursors;

void CALLBACK WatchPanCursors(HWND, UINT, UINT_PTR id, DWORD) {
  CursorWatch& w = g_cursors;
  if (w.next == sizeof kPanCursors / sizeof kPanCursors[0]) {
    KillTimer(NULL, id);
    PostMessageW(w.view, WM_KEYDOWN, VK_SHIFT, 0);  // ends panning
    return;
  }
  const PanCursorCase& c = kPanCursors[w.next];
  if (!w.moved) {
    testing_support::MouseTo(POINT{w.anchor.x + c.offset.x, w.anchor.y + c.offset.y});
    w.moved = true;
    w.waited = 0;
    return;
  }
  HCURSOR expected = LoadCursorW(LibraryModule(), MAKEINTRESOURCEW(c.id));
  const bool set = GetCursor() == expected;
  // Each case's cursor differs from the one before: the loop shows it at its next pass.
  if (!set && ++w.waited < 100) return;
  w.seen.push_back(set ? c.id : 0);
  ++w.next;
  w.moved = false;
}

TEST_F(PortableViewInput, EachWayOfPanningShowsItsCursor) {
  for (size_t i = 1; i < sizeof kPanCursors / sizeof kPanCursors[0]; ++i)
    ASSERT_NE(kPanCursors[i].id, kPanCursors[i - 1].id) << "each case must change the cursor";
  POINT anchor = {100, 75};
  ClientToScreen(w.hwnd(), &anchor);
  ASSERT_TRUE(SetCursorPos(anchor.x, anchor.y));
  SetCursor(LoadCursor(NULL, IDC_ARROW));
  g_cursors = CursorWatch();
  g_cursors.view = w.hwnd();
  g_cursors.anchor = anchor;
  ASSERT_NE(SetTimer(NULL, 0, 30, WatchPanCursors), 0u);
  SendMessageW(w.hwnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 75));
  std::vector<WORD> expected;
  for (const PanCursorCase& c : kPanCursors) expected.push_back(c.id);
  EXPECT_EQ(g_cursors.seen, expected);
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
}

}  // namespace
