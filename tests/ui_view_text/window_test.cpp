// The view as a window: scroll bars, scrolling by bar, keys and wheel, painting and panning.
#include <UIView.h>
#include <splitter_panes.h>
#include <gtest/gtest.h>
#include <recorder.h>
#include <test_support.h>
#include <test_view.h>

#include "dib_canvas.h"

#include <string>
using testing_support::DibCanvas;

using testing_support::ExpectedMsg;
using testing_support::Recorder;
using testing_support::SubclassedControl;

namespace {

class WindowView : public TestDrawView {
 public:
  using TestDrawView::TestDrawView;
  POINT zoomPoint = {0, 0};
  int zooms = 0;
  bool zoomUp = false;
  void OnMouseZooming(POINT p, int up) override {
    zoomPoint = p;
    zoomUp = up != 0;
    ++zooms;
  }
};

// A visible pixel-unit view of 200 x 100 client pixels with both bars, over an image of
// 1000 x 800, in a visible popup parent; scroll increments 100.
class ViewWindow : public ::testing::Test {
 protected:
  HWND parent = NULL;
  WindowView view;

  void SetUp() override {
    parent = CreateWindowEx(0, _T("STATIC"), _T(""), WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, NULL, NULL, NULL,
                            NULL);
    ASSERT_NE(parent, static_cast<HWND>(NULL));
    RECT frame = {0, 0, 200, 100};
    AdjustWindowRect(&frame, WS_CHILD | WS_HSCROLL | WS_VSCROLL, FALSE);
    frame.right += GetSystemMetrics(SM_CXVSCROLL);
    frame.bottom += GetSystemMetrics(SM_CYHSCROLL);
    OffsetRect(&frame, -frame.left, -frame.top);
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, frame,
                            CWnd::FromHandle(parent), 1));
    view.OnInitialUpdate();
    view.SetImageSize(CSize(1000, 800), 0);
    SetForegroundWindow(parent);
    SetFocus(view.m_hWnd);
    Recorder().Reset();
  }
  void TearDown() override {
    if (view.m_hWnd != NULL) view.DestroyWindow();
    if (parent != NULL) DestroyWindow(parent);
  }
  POINT Doc() const { return view.GetDocumentScroll(); }
  // Pans from the middle-button press at (100, 50), the pointer kept there, until `end` runs
  // from a thread timer inside the panning loop and ends it.
  void PanAtTheAnchorUntil(TIMERPROC end) {
    SetTimer(NULL, 0, 100, end);
    POINT anchor = {100, 50};
    ClientToScreen(view.m_hWnd, &anchor);
    SetCursorPos(anchor.x, anchor.y);
    SendMessage(view.m_hWnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 50));
  }
  void Key(WORD vk, bool ctrl) {
    INPUT in[4] = {};
    int n = 0;
    auto add = [&](WORD k, bool up) {
      in[n].type = INPUT_KEYBOARD;
      in[n].ki.wVk = k;
      in[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      ++n;
    };
    if (ctrl) add(VK_CONTROL, false);
    add(vk, false);
    add(vk, true);
    if (ctrl) add(VK_CONTROL, true);
    SetForegroundWindow(parent);
    SetFocus(view.m_hWnd);
    SendInput(n, in, sizeof(INPUT));
    Recorder().Pump();
  }
};

TEST_F(ViewWindow, BarsCoverTheImageAndScrollByTheirCodes) {
  int lo = 0, hi = 0;
  GetScrollRange(view.m_hWnd, SB_VERT, &lo, &hi);
  EXPECT_EQ(hi, 800);
  struct Step {
    const char* name;
    UINT message;
    WORD code, pos;
    LONG x, y;  // document position after it
  };
  const Step steps[] = {
      {"line down", WM_VSCROLL, SB_LINEDOWN, 0, 0, 100},
      {"thumb track does not scroll", WM_VSCROLL, SB_THUMBTRACK, 500, 0, 100},
      {"thumb position does", WM_VSCROLL, SB_THUMBPOSITION, 500, 0, 500},
      {"page down by the view height", WM_VSCROLL, SB_PAGEDOWN, 0, 0, 600},
      {"bottom", WM_VSCROLL, SB_BOTTOM, 0, 0, 800},
      {"line down at the bottom stays", WM_VSCROLL, SB_LINEDOWN, 0, 0, 800},
      {"page right by the view width", WM_HSCROLL, SB_PAGEDOWN, 0, 200, 800},
      {"line left", WM_HSCROLL, SB_LINEUP, 0, 100, 800},
      {"top", WM_VSCROLL, SB_TOP, 0, 100, 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    SendMessage(view.m_hWnd, s.message, MAKEWPARAM(s.code, s.pos), 0);
    EXPECT_EQ(Doc().x, s.x);
    EXPECT_EQ(Doc().y, s.y);
    EXPECT_EQ(view.GetClientScroll().x, s.x);
    EXPECT_EQ(view.GetClientScroll().y, s.y);
    EXPECT_EQ(GetScrollPos(view.m_hWnd, SB_VERT), s.y);
  }
}

TEST_F(ViewWindow, WideImagesDivideTheBarRange) {
  view.SetImageSize(CSize(100000, 800), 0);
  int lo = 0, hi = 0;
  GetScrollRange(view.m_hWnd, SB_HORZ, &lo, &hi);
  EXPECT_EQ(hi, 25000);
  SendMessage(view.m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1000), 0);
  EXPECT_EQ(Doc().x, 4000);
}

TEST_F(ViewWindow, ResizeFollowingViewsShrinkTheRangeToZero) {
  WindowView follow(UIVIEW_RESIZE_SCROLLS);
  ASSERT_TRUE(follow.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 150), CWnd::FromHandle(parent), 2));
  follow.SetImageSize(CSize(100, 100), UIVIEW_RESIZE_SCROLLS);
  follow.SetImageSize(CSize(300, 100), 0);
  EXPECT_EQ(follow.GetScrollRange().cx, 150);
  SendMessage(follow.m_hWnd, WM_HSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(follow.GetDocumentScroll().x, 150);
  // The window grows over the image: nothing is left to scroll.
  SetWindowPos(follow.m_hWnd, NULL, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(follow.GetScrollRange().cx, 0);
  EXPECT_EQ(follow.GetDocumentScroll().x, 0);
  EXPECT_EQ(follow.GetClientScroll().x, 0);
  follow.DestroyWindow();
}

// One key press through SendInput: the view gets the key down and up; Ctrl comes as its own
// key messages when held.
const ExpectedMsg kEndKey[] = {
    {WM_KEYDOWN, testing_support::kPosted | testing_support::kWparam, VK_END, 0},
    {WM_KEYUP, testing_support::kPosted | testing_support::kWparam, VK_END, 0},
    {0, 0, 0, 0},
};

TEST_F(ViewWindow, KeysScrollByTheirSteps) {
  SubclassedControl log(view.m_hWnd);
  Recorder().Watch(view.m_hWnd);
  // Painting comes when Wine gets to it; the sequence speaks of the keys and the scrolling.
  struct Unpainted {
    Unpainted() {
      for (UINT m : {WM_PAINT, WM_ERASEBKGND, WM_NCPAINT}) Recorder().Ignore(m);
    }
    ~Unpainted() {
      for (UINT m : {WM_PAINT, WM_ERASEBKGND, WM_NCPAINT}) Recorder().Unignore(m);
    }
  } unpainted;
  Recorder().Reset();
  view.SetVScrollIncrement(30);
  // End alone: to the right edge of the image, the vertical position kept.
  Key(VK_END, false);
  EXPECT_TRUE(Recorder().Matches(kEndKey));
  EXPECT_EQ(Doc().x, 1000);
  EXPECT_EQ(Doc().y, 0);
  struct Press {
    const char* name;
    WORD vk;
    bool ctrl;
    LONG x, y;
  };
  // The page is the view height (100) less the increment (30), in whole increments: 60.
  const Press presses[] = {
      {"home: left edge only", VK_HOME, false, 0, 0},
      {"next: one page", VK_NEXT, false, 0, 60},
      {"ctrl+down: one increment", VK_DOWN, true, 0, 90},
      {"ctrl+right: one increment", VK_RIGHT, true, 100, 90},
      {"ctrl+end: both ends", VK_END, true, 1000, 800},
      {"prior: one page back", VK_PRIOR, false, 1000, 740},
      {"ctrl+home: the top-left corner", VK_HOME, true, 0, 0},
      {"prior at the top stays", VK_PRIOR, false, 0, 0},
      {"ctrl+next: the image bottom", VK_NEXT, true, 0, 800},
      {"ctrl+up", VK_UP, true, 0, 770},
  };
  for (const Press& p : presses) {
    SCOPED_TRACE(p.name);
    Key(p.vk, p.ctrl);
    EXPECT_EQ(Doc().x, p.x);
    EXPECT_EQ(Doc().y, p.y);
  }
  Recorder().UnwatchAll();
}

// A view that is a pane of a splitter scrolls by keys together with the panes that share its
// row (vertically) and its column (horizontally); the pane in neither stays.
TEST(ViewSplitter, KeysScrollThePanesOfTheParentSplitter) {
  WindowView panes[2][2];
  testing_support::SplitterOfFour four;
  ASSERT_TRUE(four.Create([&panes](int r, int c, CSplitterWnd& splitter, UINT id) {
    WindowView& v = panes[r][c];
    if (!v.Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 200, 150), &splitter, id))
      return false;
    v.OnInitialUpdate();
    v.SetImageSize(CSize(1000, 800), 0);
    v.SetHScrollIncrement(40);
    v.SetVScrollIncrement(30);
    return true;
  }));
  const struct {
    UINT key;
    bool ctrl;
    LONG x, y;  // where pane (0, 0) goes
  } presses[] = {
      {VK_END, false, 1000, 0},  {VK_HOME, false, 0, 0},    {VK_NEXT, true, 0, 800},
      {VK_UP, true, 0, 770},     {VK_RIGHT, true, 40, 770}, {VK_HOME, true, 0, 0},
      {VK_END, true, 1000, 800},
  };
  for (const auto& p : presses) {
    SCOPED_TRACE(std::to_string(p.key) + (p.ctrl ? " with Ctrl" : ""));
    testing_support::HoldKey(VK_CONTROL, p.ctrl);
    EXPECT_TRUE(panes[0][0].KeyboardScroll(p.key));
    testing_support::HoldKey(VK_CONTROL, false);
    EXPECT_EQ(panes[0][0].GetDocumentScroll().x, p.x);
    EXPECT_EQ(panes[0][0].GetDocumentScroll().y, p.y);
    EXPECT_EQ(panes[0][1].GetDocumentScroll().y, p.y) << "same row";
    EXPECT_EQ(panes[0][1].GetDocumentScroll().x, 0) << "another column";
    EXPECT_EQ(panes[1][0].GetDocumentScroll().x, p.x) << "same column";
    EXPECT_EQ(panes[1][0].GetDocumentScroll().y, 0) << "another row";
    EXPECT_EQ(panes[1][1].GetDocumentScroll().x, 0);
    EXPECT_EQ(panes[1][1].GetDocumentScroll().y, 0);
  }
}

TEST_F(ViewWindow, WheelScrollsOneLineAndZoomsAtNegativeScreenPoints) {
  SendMessage(view.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(50, 50));
  EXPECT_EQ(Doc().y, 100);
  SendMessage(view.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50));
  EXPECT_EQ(Doc().y, 0);
  // Left of and above the primary monitor.
  SendMessage(view.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, WHEEL_DELTA),
              MAKELPARAM(static_cast<WORD>(-50), static_cast<WORD>(-30)));
  POINT origin = {0, 0};
  ClientToScreen(view.m_hWnd, &origin);
  EXPECT_EQ(view.zooms, 1);
  EXPECT_TRUE(view.zoomUp);
  EXPECT_EQ(view.zoomPoint.x, -50 - origin.x);
  EXPECT_EQ(view.zoomPoint.y, -30 - origin.y);
  EXPECT_EQ(Doc().y, 0);
}

TEST(ViewPaint, ThePaintDCIsNotKeptAfterPainting) {
  HWND parent = CreateWindowEx(0, _T("STATIC"), _T(""), WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
  WindowView view;
  ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), CWnd::FromHandle(parent), 1));
  ASSERT_EQ(view.GetCurrentDC(), static_cast<HDC>(NULL));
  InvalidateRect(view.m_hWnd, NULL, TRUE);
  UpdateWindow(view.m_hWnd);
  EXPECT_EQ(view.draws, 1);
  EXPECT_EQ(view.GetCurrentDC(), static_cast<HDC>(NULL));
  view.DestroyWindow();
  DestroyWindow(parent);
}

// A host view made with new and destroyed through the window pointer, as the framework's own
// windows are: the window goes, and the view with it (the framework's views delete themselves).
class HeapView : public CMFCUIView {
 public:
  explicit HeapView(bool* gone) : m_gone(gone) {}
  ~HeapView() override { *m_gone = true; }
  void OnDraw(CDC*) override {}

 private:
  bool* m_gone;
};

TEST(ViewLife, DestroyWindowDestroysTheViewsWindow) {
  HWND parent = CreateWindowEx(0, _T("STATIC"), _T(""), WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
  ASSERT_NE(parent, static_cast<HWND>(NULL));
  bool gone = false;
  HeapView* view = new HeapView(&gone);
  ASSERT_TRUE(view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), CWnd::FromHandle(parent), 1));
  view->OnInitialUpdate();
  const HWND hwnd = view->m_hWnd;
  CWnd* wnd = view;
  EXPECT_TRUE(wnd->DestroyWindow());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(GetWindow(parent, GW_CHILD), static_cast<HWND>(NULL));
  EXPECT_TRUE(gone);
  if (!gone && IsWindow(hwnd)) ::DestroyWindow(hwnd);  // the fault's window, not left behind
  DestroyWindow(parent);
}

// Ends the panning loop from its own message pump: a key message in the thread's queue (one
// from SendInput would go to whichever window is in the foreground when tests run side by side).
HWND g_panned = NULL;
void CALLBACK EndPanning(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  PostMessage(g_panned, WM_KEYDOWN, VK_SHIFT, 0);
}

TEST_F(ViewWindow, PanningScrollsWithThePointerAndEndsWithoutCapture) {
  POINT anchor = {100, 50};
  ClientToScreen(view.m_hWnd, &anchor);
  ASSERT_TRUE(SetCursorPos(anchor.x + 20, anchor.y));
  g_panned = view.m_hWnd;
  SetTimer(NULL, 0, 200, EndPanning);
  // Pressed at the anchor, the button still down: the loop runs until the key.
  SendMessage(view.m_hWnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 50));
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
  EXPECT_EQ(FindWindowW(L"PanningWindow", NULL), static_cast<HWND>(NULL));
  // 20 pixels right: 10 a pass, never vertical.
  EXPECT_GT(Doc().x, 0);
  EXPECT_EQ(Doc().x % 10, 0);
  EXPECT_EQ(Doc().y, 0);
}

void CALLBACK QuitWhilePanning(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  PostQuitMessage(7);
}

// The host quits while the user pans: panning ends and the host's loop still gets WM_QUIT
// with its exit code.
TEST_F(ViewWindow, PanningEndsOnQuitAndPassesTheQuitOn) {
  PanAtTheAnchorUntil(QuitWhilePanning);
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
  EXPECT_EQ(FindWindowW(L"PanningWindow", NULL), static_cast<HWND>(NULL));
  MSG msg = {};
  ASSERT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

void CALLBACK TakeCapture(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  ReleaseCapture();
}

TEST_F(ViewWindow, PanningEndsWhenTheCaptureIsTaken) {
  PanAtTheAnchorUntil(TakeCapture);
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
  EXPECT_EQ(Doc().x, 0);
  EXPECT_EQ(Doc().y, 0);
}

}  // namespace

namespace {

TEST_F(ViewWindow, GrowingTheImageInvalidatesOnlyTheNewStrips) {
  ValidateRect(view.m_hWnd, NULL);
  view.SetImageSize(CSize(1000, 800), 0);  // unchanged: nothing to repaint
  RECT box;
  EXPECT_FALSE(GetUpdateRect(view.m_hWnd, &box, FALSE));
  view.SetImageSize(CSize(150, 60), 0);
  view.SetImageSize(CSize(180, 90), 0);
  ValidateRect(view.m_hWnd, NULL);
  view.SetImageSize(CSize(190, 95), 0);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetUpdateRgn(view.m_hWnd, rgn, FALSE), NULLREGION);
  EXPECT_TRUE(PtInRegion(rgn, 185, 10));  // the strip right of the old width
  EXPECT_TRUE(PtInRegion(rgn, 10, 92));   // the strip below the old height
  EXPECT_FALSE(PtInRegion(rgn, 100, 50)); // what was there before
  DeleteObject(rgn);
}

TEST_F(ViewWindow, MeasuringBelowFullZoomNeitherRepaintsNorChangesTheZoom) {
  view.SetZoomFactor(150, 200);
  ValidateRect(view.m_hWnd, NULL);
  EXPECT_GT(view.QvTextWidth(L"width", 5, true), 0ul);
  RECT box;
  EXPECT_FALSE(GetUpdateRect(view.m_hWnd, &box, FALSE));
  long num = 0, den = 0;
  view.GetZoomFactor(num, den);
  EXPECT_EQ(num, 150);
  EXPECT_EQ(den, 200);
}

TEST_F(ViewWindow, TextAtTheCurrentPositionIsCulledBeyondTheCullingRectangle) {
  DibCanvas canvas(64, 32);
  RECT all = {0, 0, 64, 32};
  FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
  UIFont font;
  font.size = 10;
  font.face = L"Arial";
  view.QvSetFont(font);
  view.SetCullingRect(RECT{0, 0, 20, 20});
  view.SetModeFlags(UIVIEW_CULLING, 0);
  view.QvMoveTo(POINT{30, 2});
  view.QvDrawText(L"x", 1);
  EXPECT_EQ(canvas.CountOf(RGB(255, 255, 255)), 64 * 32);
  view.QvMoveTo(POINT{2, 2});
  view.QvDrawText(L"Hi", 2);
  EXPECT_LT(canvas.CountOf(RGB(255, 255, 255)), 64 * 32);
  view.SetModeFlags(0, UIVIEW_CULLING);
  view.UnprepareCurrentDC();
}

}  // namespace
