// Drop shadows: which windows get them, where the two shadow windows stand as their owner
// moves, hides, shows and goes, their pixels and opacity, and the tables' limits.
#include <gtest/gtest.h>

#include <Ombrel.h>

#include <dib_canvas.h>
#include <handle_counts.h>
#include <recorder.h>
#include <test_support.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::ExpectedMsg;
using testing_support::kOptional;
using testing_support::kSent;
using testing_support::Recorder;

const wchar_t kClass[] = L"ShadowsTestWindow";
const wchar_t kPlainClass[] = L"ShadowsTestPlain";

struct Search {
  HWND owner;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectShadow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  wchar_t name[32] = {};
  GetClassNameW(w, name, 32);
  if (lstrcmpW(name, L"OmbrelShadow") == 0 && GetWindow(w, GW_OWNER) == s->owner) s->found.push_back(w);
  return TRUE;
}

// The shadow windows owned by `owner`, bottom one first (the wider one).
std::vector<HWND> ShadowsOf(HWND owner) {
  Search search{owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectShadow, reinterpret_cast<LPARAM>(&search));
  if (search.found.size() == 2) {
    RECT a, b;
    GetWindowRect(search.found[0], &a);
    GetWindowRect(search.found[1], &b);
    if (a.right - a.left < b.right - b.left) std::swap(search.found[0], search.found[1]);
  }
  return search.found;
}

RECT RectOf(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  return r;
}

// The alpha bytes of a shadow, drawn through WM_PRINTCLIENT.
class ShadowPixels {
 public:
  explicit ShadowPixels(HWND shadow) {
    const RECT r = RectOf(shadow);
    m_canvas = std::make_unique<testing_support::DibCanvas>(r.right - r.left, r.bottom - r.top, RGB(1, 2, 3));
    SendMessageW(shadow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_canvas->dc()), PRF_CLIENT);
    GdiFlush();
    DIBSECTION ds = {};
    GetObjectW(m_canvas->bitmap(), sizeof ds, &ds);
    m_bits = static_cast<const DWORD*>(ds.dsBm.bmBits);
  }
  int Alpha(int x, int y) const { return static_cast<int>(m_bits[y * m_canvas->width() + x] >> 24); }
  int MaxAlpha() const {
    int m = 0;
    for (int i = 0; i < m_canvas->width() * m_canvas->height(); ++i) m = std::max(m, static_cast<int>(m_bits[i] >> 24));
    return m;
  }

 private:
  std::unique_ptr<testing_support::DibCanvas> m_canvas;
  const DWORD* m_bits = nullptr;
};

class Shadows : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    wc.lpszClassName = kPlainClass;
    RegisterClassW(&wc);
    // The system keeps objects it makes for windows (its cache of window DCs grows with the
    // most windows shown at once, and stays): made here, for as many windows as a test
    // shows, before any test counts.
    OmbrelBegin(GetModuleHandleW(NULL));
    std::vector<HWND> warm;
    for (int i = 0; i < 140; ++i) {
      const DWORD style = (i % 2 ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_VISIBLE;
      warm.push_back(CreateWindowExW(0, kClass, L"", style, i, i, 100, 100, NULL, NULL, NULL, NULL));
    }
    for (HWND w : warm) {
      SetWindowPos(w, NULL, 10, 10, 120, 90, SWP_NOZORDER | SWP_NOACTIVATE);
      ShowWindow(w, SW_HIDE);
      ShowWindow(w, SW_SHOWNOACTIVATE);
    }
    for (HWND w : warm) DestroyWindow(w);
    OmbrelEnd();
    testing_support::PumpMessages();
  }
  void SetUp() override {
    m_before = testing_support::GuiCounts::Now();
    ASSERT_EQ(OmbrelBegin(GetModuleHandleW(NULL)), 1);
  }
  void TearDown() override {
    for (HWND w : m_windows)
      if (IsWindow(w)) DestroyWindow(w);
    OmbrelEnd();
    testing_support::PumpMessages();
    EXPECT_EQ(testing_support::GuiCounts::Now(), m_before);
  }
  HWND Make(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, const wchar_t* cls = kClass, HWND parent = NULL,
            RECT r = {100, 100, 400, 300}) {
    HWND w = CreateWindowExW(0, cls, L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, NULL,
                             GetModuleHandleW(NULL), NULL);
    EXPECT_NE(w, nullptr);
    m_windows.push_back(w);
    return w;
  }
  testing_support::GuiCounts m_before{};
  std::vector<HWND> m_windows;
};

TEST_F(Shadows, StandAlongTheRightAndBottomEdgesAndFollowMoves) {
  HWND w = Make();
  std::vector<HWND> s = ShadowsOf(w);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_TRUE(IsWindowVisible(s[0]) && IsWindowVisible(s[1]));
  EXPECT_EQ(GetWindowLongW(s[0], GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
  EXPECT_EQ(SendMessageW(s[0], WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  RECT b = RectOf(s[0]), r = RectOf(s[1]);
  const RECT wantB = {102, 300, 102 + 305, 307}, wantR = {400, 105, 407, 300};
  EXPECT_TRUE(EqualRect(&b, &wantB));
  EXPECT_TRUE(EqualRect(&r, &wantR));

  // Moving the window (no resize) moves each shadow once, without activating it.
  Recorder().Pump();
  Recorder().Reset();
  Recorder().UnwatchAll();
  Recorder().Watch(s[0]);
  Recorder().Watch(s[1]);
  testing_support::SubclassedControl watchBottom(s[0]), watchRight(s[1]);
  SetWindowPos(w, NULL, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Recorder().Pump();
  const ExpectedMsg kMoved[] = {
      // SetWindowPos of the bottom shadow from the owner's WM_MOVE, then of the right shadow.
      {WM_WINDOWPOSCHANGING, kSent, 0, 0}, {WM_WINDOWPOSCHANGED, kSent, 0, 0}, {WM_MOVE, kSent, 0, 0},
      {WM_WINDOWPOSCHANGING, kSent, 0, 0}, {WM_WINDOWPOSCHANGED, kSent, 0, 0}, {WM_MOVE, kSent, 0, 0},
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kMoved));
  Recorder().UnwatchAll();
  b = RectOf(s[0]);
  r = RectOf(s[1]);
  EXPECT_EQ(b.left, 152);
  EXPECT_EQ(b.top, 320);
  EXPECT_EQ(r.left, 450);
  EXPECT_EQ(r.top, 125);

  // Resizing: the shadows take the new lengths.
  SetWindowPos(w, NULL, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  b = RectOf(s[0]);
  r = RectOf(s[1]);
  EXPECT_EQ(b.right - b.left, 205);
  EXPECT_EQ(r.bottom - r.top, 95);
}

TEST_F(Shadows, HidingTakesThemAwayShowingMakesNewOnesDestroyingLeavesNone) {
  HWND w = Make();
  const int windowsShown = testing_support::ThreadWindowCount();  // the window, its shadows, the system's
  const std::string classesShown = testing_support::ThreadWindowClasses();
  std::vector<HWND> first = ShadowsOf(w);
  ASSERT_EQ(first.size(), 2u);

  // Hiding by ShowWindow or by SetWindowPos alone.
  ShowWindow(w, SW_HIDE);
  EXPECT_TRUE(ShadowsOf(w).empty());
  EXPECT_EQ(testing_support::ThreadWindowCount(), windowsShown - 2)
      << "shown: " << classesShown << "; hidden: " << testing_support::ThreadWindowClasses();
  EXPECT_FALSE(IsWindow(first[0]) || IsWindow(first[1]));
  ShowWindow(w, SW_SHOWNOACTIVATE);
  EXPECT_EQ(ShadowsOf(w).size(), 2u);
  SetWindowPos(w, NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(ShadowsOf(w).empty());
  SetWindowPos(w, NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  std::vector<HWND> again = ShadowsOf(w);
  ASSERT_EQ(again.size(), 2u);

  // Destruction: the shadows go with the window (recorded on the shadows). The moves that
  // showing the window left queued are drained first.
  Recorder().Pump();
  Recorder().Reset();
  Recorder().UnwatchAll();
  Recorder().Watch(again[0]);
  Recorder().Watch(again[1]);
  testing_support::SubclassedControl watchBottom(again[0]), watchRight(again[1]);
  DestroyWindow(w);
  Recorder().Pump();
  const ExpectedMsg kDestroyed[] = {
      // Owned windows go before their owner, each hidden (optional: a window already hidden
      // is not hidden again) and destroyed; the hook's own destruction then finds them gone.
      // Optional first: the owner hidden on its way out may restack each shadow once (no
      // WM_WINDOWPOSCHANGING is sent for it); whether it does depends on which window is active,
      // and other programs on the shared desktop can take the activation.
      {WM_WINDOWPOSCHANGED, kSent | kOptional, 0, 0}, {WM_WINDOWPOSCHANGED, kSent | kOptional, 0, 0},
      {WM_WINDOWPOSCHANGING, kSent | kOptional, 0, 0}, {WM_WINDOWPOSCHANGED, kSent | kOptional, 0, 0},
      {WM_DESTROY, kSent, 0, 0}, {WM_NCDESTROY, kSent, 0, 0},
      {WM_WINDOWPOSCHANGING, kSent | kOptional, 0, 0}, {WM_WINDOWPOSCHANGED, kSent | kOptional, 0, 0},
      {WM_DESTROY, kSent, 0, 0}, {WM_NCDESTROY, kSent, 0, 0},
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kDestroyed));
  Recorder().UnwatchAll();
  EXPECT_EQ(testing_support::ThreadWindowCount(), 0);
}

TEST_F(Shadows, WhichWindowsGetThem) {
  HWND top = Make();
  HWND child = Make(WS_CHILD | WS_VISIBLE, kClass, top, {0, 0, 50, 50});
  HWND popup = Make(WS_POPUP | WS_VISIBLE, kClass, NULL, {0, 0, 50, 50});
  EXPECT_EQ(OmbrelExcludeClass(kPlainClass), 1);
  HWND plain = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, kPlainClass);
  const ATOM atom = static_cast<ATOM>(GetClassLongPtrW(top, GCW_ATOM));
  EXPECT_EQ(OmbrelExcludeClass(MAKEINTATOM(atom)), 1);
  HWND byAtom = Make();
  EXPECT_EQ(ShadowsOf(top).size(), 2u);
  EXPECT_TRUE(ShadowsOf(child).empty());
  EXPECT_EQ(ShadowsOf(popup).size(), 2u);
  EXPECT_TRUE(ShadowsOf(plain).empty());
  EXPECT_TRUE(ShadowsOf(byAtom).empty());

  // Excluding a shadowed window takes its shadows away; unexcluding lets a later showing...
  EXPECT_EQ(OmbrelExcludeWindow(popup), 1);
  EXPECT_TRUE(ShadowsOf(popup).empty());
  ShowWindow(popup, SW_HIDE);
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(ShadowsOf(popup).empty());  // ...not bring them back: the window has no entry
}

TEST_F(Shadows, TablesHoldAtMost128AndExclusionsGoWithTheirWindows) {
  // Windows of the system on this thread (its input-method window) may hold entries too:
  // the table is full after at most 128 of ours.
  std::vector<HWND> many;
  while (many.size() < 130) {
    many.push_back(Make(WS_POPUP | WS_VISIBLE, kClass, NULL, {0, 0, 20, 20}));
    if (ShadowsOf(many.back()).empty()) break;
  }
  EXPECT_GE(many.size(), 120u);
  EXPECT_LE(many.size(), 129u);
  EXPECT_TRUE(ShadowsOf(many.back()).empty());
  // Removing the first entry leaves the others shadowed and makes room for one more.
  DestroyWindow(many[0]);
  EXPECT_EQ(ShadowsOf(many[1]).size(), 2u);
  EXPECT_EQ(ShadowsOf(many[many.size() - 2]).size(), 2u);
  HWND more = Make(WS_POPUP | WS_VISIBLE, kClass, NULL, {0, 0, 20, 20});
  EXPECT_EQ(ShadowsOf(more).size(), 2u);
  for (HWND w : many) DestroyWindow(w);

  // Exclusions of destroyed windows do not fill the table.
  for (int i = 0; i < 200; ++i) {
    HWND w = Make(WS_POPUP, kClass, NULL, {0, 0, 20, 20});
    ASSERT_EQ(OmbrelExcludeWindow(w), 1) << "window " << i;
    DestroyWindow(w);
  }
}

TEST_F(Shadows, PixelsFadeOutwardsAndFollowTheOpacity) {
  HWND w = Make();
  std::vector<HWND> s = ShadowsOf(w);
  ASSERT_EQ(s.size(), 2u);
  {
    ShadowPixels bottom(s[0]), right(s[1]);
    struct Px {
      const ShadowPixels* p;
      int x, y, alpha;
    } cases[] = {
        {&bottom, 6, 0, 100},   // inner corner of the left square
        {&bottom, 0, 0, 0},     // its outer end
        {&bottom, 150, 0, 100}, {&bottom, 150, 3, 50}, {&bottom, 150, 6, 0},
        {&bottom, 298, 0, 100}, {&bottom, 304, 0, 0},  // the mirrored square at the right end
        {&right, 0, 6, 100},    // inner corner of the top square
        {&right, 0, 0, 0},      {&right, 3, 100, 50}, {&right, 6, 100, 0},
    };
    for (const Px& c : cases) EXPECT_EQ(c.p->Alpha(c.x, c.y), c.alpha) << c.x << "," << c.y;
  }
  // The opacity scales the alpha and stays across hiding and showing; 0 draws as 1.
  OmbrelSetWindowShadowAlpha(w, 128);
  EXPECT_EQ(ShadowPixels(ShadowsOf(w)[1]).MaxAlpha(), 100 * 128 / 255);
  ShowWindow(w, SW_HIDE);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  s = ShadowsOf(w);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(ShadowPixels(s[0]).MaxAlpha(), 100 * 128 / 255);
  EXPECT_EQ(ShadowPixels(s[1]).MaxAlpha(), 100 * 128 / 255);
  OmbrelSetWindowShadowAlpha(w, 0);
  EXPECT_EQ(ShadowPixels(ShadowsOf(w)[0]).MaxAlpha(), 100 * 1 / 255);
}

TEST_F(Shadows, WindowsThinnerThanTheShadowOffsets) {
  struct Case {
    int height, rightHeight, innerAlpha;
  } cases[] = {{6, 1, 100}, {5, 0, -1}, {3, 0, -1}, {1, 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    HWND w = Make(WS_POPUP | WS_VISIBLE, kClass, NULL, {10, 10, 60, 10 + c.height});
    std::vector<HWND> s = ShadowsOf(w);
    ASSERT_EQ(s.size(), 2u);
    RECT r = RectOf(s[1]);
    EXPECT_EQ(r.bottom - r.top, c.rightHeight);
    if (c.innerAlpha >= 0) {
      EXPECT_EQ(ShadowPixels(s[1]).Alpha(0, 0), c.innerAlpha);
    }
    DestroyWindow(w);
  }
}

TEST(ShadowsStopped, EndDestroysEveryShadowAndBeginTwiceIsOne) {
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  ASSERT_EQ(OmbrelBegin(GetModuleHandleW(NULL)), 1);
  EXPECT_EQ(OmbrelBegin(GetModuleHandleW(NULL)), 1);
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, NULL, NULL, NULL, NULL);
  EXPECT_EQ(ShadowsOf(w).size(), 2u);
  OmbrelEnd();
  EXPECT_TRUE(ShadowsOf(w).empty());
  // Stopped: new windows get none.
  HWND later = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, NULL, NULL, NULL, NULL);
  EXPECT_TRUE(ShadowsOf(later).empty());
  DestroyWindow(w);
  DestroyWindow(later);
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

}  // namespace

namespace {

// The box's text, read by a timer inside the box's own modal loop, which then ends it.
std::wstring g_boxText;
UINT_PTR g_boxTimer = 0;
BOOL CALLBACK ReadBox(HWND w, LPARAM) {
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  wchar_t caption[64] = {};
  GetWindowTextW(w, caption, 64);
  if (lstrcmpW(caption, L"Shadow error") != 0) return TRUE;
  wchar_t text[512] = {};
  GetDlgItemTextW(w, 0xFFFF, text, 512);  // the box's static text
  g_boxText = text;
  PostMessageW(w, WM_COMMAND, IDOK, 0);
  return FALSE;
}
void CALLBACK CloseBox(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), ReadBox, 0);
  if (!g_boxText.empty()) KillTimer(NULL, g_boxTimer);
}

TEST(ShadowsErrorBox, ShowsTheSystemTextOfTheError) {
  wchar_t expected[256] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, ERROR_ACCESS_DENIED, 0, expected,
                 128, NULL);
  ASSERT_NE(expected[0], 0);
  g_boxText.clear();
  g_boxTimer = SetTimer(NULL, 0, 10, CloseBox);
  EXPECT_EQ(OmbrelDisplayWinError(ERROR_ACCESS_DENIED, L"Shadow error"), IDOK);
  KillTimer(NULL, g_boxTimer);
  std::wstring want(expected);
  while (!want.empty() && (want.back() == L'\n' || want.back() == L'\r' || want.back() == L' ')) want.pop_back();
  EXPECT_NE(g_boxText.find(want), std::wstring::npos);
}

}  // namespace
