// The portable view's model: conversions between client pixels and image units at any unit,
// resolution, zoom, scroll and origin; scroll ranges, bar divisors and scrolling; the root
// view's state and ScrollTo; units switched while printing.
#include "pview_fixture.h"

#include <splitter_panes.h>
#include <test_support.h>
#include <math.h>
#include <process.h>

#include <string>

namespace {

TEST(PortableViewModel, RootViewStartsAsPixelsOneToOneWithoutScrollBarsWhenAsked) {
  FunctionView plain, bare(true);
  EXPECT_EQ(plain.GetViewStyle(), 0u);
  EXPECT_EQ(bare.GetViewStyle(), static_cast<unsigned long>(QVVIEW_NO_SCROLLBARS));
  EXPECT_EQ(plain.GetUnitType(), QvPixelUnit);
  EXPECT_EQ(plain.GetResolutionX(), 72);
  EXPECT_EQ(plain.GetResolutionY(), 72);
  long n = 0, d = 0;
  plain.GetZoomFactor(n, d);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(d, 1);
  EXPECT_TRUE(plain.GetImageSize() == QvSize(0, 0));
  plain.SetImageSize(QvSize(10, 20), true);
  EXPECT_EQ(plain.GetViewStyle(), static_cast<unsigned long>(QVVIEW_STOP_AT_FAR_EDGE));
  plain.SetImageSize(QvSize(10, 20), false);
  EXPECT_EQ(plain.GetViewStyle(), 0u);
  // Without a window nothing draws and every question answers nothing.
  EXPECT_EQ(plain.QvTextWidth("abc"), 0u);
  EXPECT_FALSE(plain.ScrollBy(QvSize(10, 10), true));
}

struct Conversion {
  const char* what;
  bool twips;
  float twipsPerPixel;  // of the surface
  long num, den;        // zoom
  long offsetX, offsetY;
  long originX, originY;
  int client;           // client x (and y)
  int image;            // what it converts to
  int imageBack;        // an image coordinate
  int clientBack;       // what that converts to
};

TEST(PortableViewModel, ConversionsByTable) {
  const Conversion cases[] = {
      {"pixels 1:1", false, 15.0f, 1, 1, 0, 0, 0, 0, 10, 10, 10, 10},
      {"twips at 96 dpi", true, 15.0f, 1, 1, 0, 0, 0, 0, 10, 150, 7, 0},
      {"twips at 96 dpi, half a pixel rounds away from zero", true, 15.0f, 1, 1, 0, 0, 0, 0, -1, -15, 8, 1},
      {"twips at 72 dpi", true, 20.0f, 1, 1, 0, 0, 0, 0, 10, 200, 30, 2},
      {"twips at 120 dpi zoomed 3/2", true, 12.0f, 3, 2, 0, 0, 0, 0, 10, 80, -12, -2},
      {"pixels zoomed 2/1: 1.5 rounds to 2", false, 15.0f, 2, 1, 0, 0, 0, 0, 3, 2, 5, 10},
      {"pixels zoomed 2/1: -1.5 rounds to -2", false, 15.0f, 2, 1, 0, 0, 0, 0, -3, -2, -5, -10},
      {"pixels zoomed 1/2", false, 15.0f, 1, 2, 0, 0, 0, 0, 7, 14, 7, 4},
      {"scrolled by 100 pixels", false, 15.0f, 1, 1, 100, 100, 0, 0, 10, 110, 110, 10},
      {"scrolled and twips", true, 15.0f, 1, 1, 20, 20, 0, 0, 0, 300, 0, -20},
      {"origin moved", false, 15.0f, 1, 1, 0, 0, 50, 50, 10, -40, -40, 10},
      {"negative client coordinates", false, 15.0f, 1, 1, 0, 0, 0, 0, -25, -25, -25, -25},
      {"equal zoom terms are no zoom", true, 15.0f, 7, 7, 0, 0, 0, 0, 10, 150, 150, 10},
  };
  for (const Conversion& c : cases) {
    ModelView v;
    v.SetTwipsPerPixel(c.twipsPerPixel, c.twipsPerPixel);
    v.SetUnitType(c.twips ? QvTwipsUnit : QvPixelUnit);
    v.SetZoomFactor(c.num, c.den);
    v.SetClientOffset(c.offsetX, c.offsetY);
    v.QvSetOrigin(QvPoint(c.originX, c.originY));
    EXPECT_EQ(v.ClientToImageX(c.client), c.image) << c.what;
    EXPECT_EQ(v.ClientToImageY(c.client), c.image) << c.what;
    EXPECT_EQ(v.ImageToClientX(c.imageBack), c.clientBack) << c.what;
    EXPECT_EQ(v.ImageToClientY(c.imageBack), c.clientBack) << c.what;
    QvPoint p(c.client, c.client);
    v.QvClientToImagePoint(p);
    EXPECT_TRUE(p == QvPoint(c.image, c.image)) << c.what;
  }
}

TEST(PortableViewModel, WidthsAndRectanglesConvertWithTheFactors) {
  ModelView v;
  v.SetUnitType(QvTwipsUnit);  // 15 twips a pixel
  EXPECT_EQ(v.ClientToImageWidth(3), 45);
  EXPECT_EQ(v.ImageToClientWidth(22), 1);   // 1.47
  EXPECT_EQ(v.ImageToClientWidth(23), 2);   // 1.53
  EXPECT_EQ(v.ImageToClientHeight(-23), -2);
  RECT c;
  EXPECT_TRUE(v.ImageToClientRect(QvRect(150, 300, 450, 600), c));
  EXPECT_EQ(c.left, 10);
  EXPECT_EQ(c.top, 20);
  EXPECT_EQ(c.right, 30);
  EXPECT_EQ(c.bottom, 40);
  // While painting, a rectangle that misses the paint box is refused.
  v.SetFlags(GUIVIEW_PAINTING, 0);
  EXPECT_FALSE(v.ImageToClientRect(QvRect(150, 300, 450, 600), c)) << "the paint box is empty";
}

TEST(PortableViewModel, ZoomThatIsNoRatioIsRefused) {
  ModelView v;
  v.SetZoomFactor(0, 1);
  v.SetZoomFactor(1, 0);
  v.SetZoomFactor(-2, 1);
  EXPECT_EQ(v.FactorX(), 1.0f);
  EXPECT_TRUE(isfinite(v.FactorY()));
}

// Switching units while printing converts the factors in place by the surface's twips per
// pixel, whatever its resolution: a 72 or 60 dpi printer neither divides by zero nor loses
// the factors.
TEST(PortableViewModel, UnitSwitchWhilePrintingBelow96DpiKeepsFiniteFactors) {
  for (float dpi : {60.0f, 72.0f, 96.0f, 600.0f}) {
    ModelView v;
    v.SetTwipsPerPixel(1440.0f / dpi, 1440.0f / dpi);
    v.SetUnitType(QvTwipsUnit);
    const float twips = v.FactorX();
    v.SetFlags(GUIVIEW_PRINTING, 0);
    v.SetUnitType(QvPixelUnit);
    EXPECT_TRUE(isfinite(v.FactorX())) << dpi;
    EXPECT_FLOAT_EQ(v.FactorX(), 1.0f) << dpi;
    EXPECT_FLOAT_EQ(v.FactorY(), 1.0f) << dpi;
    v.SetUnitType(QvPixelUnit);  // no switch: no second scaling
    EXPECT_FLOAT_EQ(v.FactorX(), 1.0f) << dpi;
    v.SetUnitType(QvTwipsUnit);
    EXPECT_FLOAT_EQ(v.FactorX(), twips) << dpi;
  }
}

TEST(PortableViewScrolling, WideImageGetsABarDivisor) {
  struct Case {
    bool twips;
    long width;
    short divisor;
    int barMax;
  } cases[] = {
      {false, 32767, 1, 32767},
      {false, 32768, 2, 16384},
      {false, 100000, 4, 25000},
      {true, 1500000, 4, 25000},  // 100,000 pixels at 15 twips
  };
  for (const Case& c : cases) {
    ViewWindow w;
    ASSERT_TRUE(w.ok());
    w.view->SetUnitType(c.twips ? QvTwipsUnit : QvPixelUnit);
    w.view->SetImageSize(QvSize(c.width, 100), false);
    EXPECT_EQ(w.window->GetHScrollDivisor(), c.divisor) << c.width;
    int lo = -1, hi = -1;
    GetScrollRange(w.hwnd(), SB_HORZ, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, c.barMax) << c.width;
  }
}

TEST(PortableViewScrolling, ScrollByClampsToTheRangeAndReportsOnlyMoves) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  w.view->SetImageSize(QvSize(1000, 800), false);
  EXPECT_FALSE(w.view->ScrollBy(QvSize(-10, -10), true)) << "already at the start";
  EXPECT_TRUE(w.view->ScrollBy(QvSize(5000, 0), false));
  EXPECT_EQ(w.view->GetHScroll(), 0u) << "a trial moves nothing";
  EXPECT_TRUE(w.view->ScrollBy(QvSize(5000, 30), true));
  EXPECT_EQ(w.view->GetHScroll(), 1000u);
  EXPECT_EQ(w.view->GetVScroll(), 30u);
  EXPECT_TRUE(w.window->GetClientOffset() == QvPoint(1000, 30));
  EXPECT_EQ(GetScrollPos(w.hwnd(), SB_HORZ), 1000);
  EXPECT_FALSE(w.view->ScrollBy(QvSize(1, 0), true)) << "at the end";
  EXPECT_TRUE(w.view->ScrollBy(QvSize(-2000, -2000), true));
  EXPECT_TRUE(w.window->GetClientOffset() == QvPoint(0, 0));
  // Accessors go through the origin.
  w.view->QvSetOrigin(QvPoint(100, 0));
  w.view->SetHScroll(50);
  EXPECT_EQ(w.window->GetScrollPosition().x, 150);
  EXPECT_EQ(w.view->GetHScroll(), 50u);
}

TEST(PortableViewScrolling, FarEdgeStopAndScrollCodes) {
  ViewWindow w(WS_HSCROLL | WS_VSCROLL, false, 200, 150);
  ASSERT_TRUE(w.ok());
  RECT client;
  GetClientRect(w.hwnd(), &client);
  w.view->SetImageSize(QvSize(1000, 1000), true);
  EXPECT_EQ(w.window->GetScrollMaximum().x, 1000 - client.right);
  EXPECT_EQ(w.window->GetScrollMaximum().y, 1000 - client.bottom);
  w.view->SetVScrollIncrement(40);
  EXPECT_TRUE(w.window->OnScroll(0xFF | (SB_LINEDOWN << 8), 0, TRUE));
  EXPECT_EQ(w.view->GetVScroll(), 40u);
  EXPECT_TRUE(w.window->OnScroll(0xFF | (SB_PAGEDOWN << 8), 0, TRUE));
  EXPECT_EQ(w.view->GetVScroll(), static_cast<unsigned long>(40 + client.bottom));
  EXPECT_FALSE(w.window->OnScroll(0xFF | (SB_THUMBTRACK << 8), 10, TRUE)) << "the thumb is followed on release";
  EXPECT_TRUE(w.window->OnScroll(0xFF | (SB_BOTTOM << 8), 0, TRUE));
  EXPECT_EQ(w.view->GetVScroll(), static_cast<unsigned long>(1000 - client.bottom));
  EXPECT_TRUE(w.window->OnScroll(SB_THUMBPOSITION | 0xFF00, 123, TRUE));
  EXPECT_EQ(w.view->GetHScroll(), 123u);
  EXPECT_TRUE(w.window->KeyboardScroll(VK_HOME));
  EXPECT_EQ(w.view->GetHScroll(), 0u);
  EXPECT_FALSE(w.window->KeyboardScroll('A'));
}

// The keys' scrolling, with and without Ctrl, from several positions (increments 40 across and
// 30 down; a page is the view's height less an increment, in whole increments).
void HoldCtrl(bool down) { testing_support::HoldKey(VK_CONTROL, down); }

struct KeyCase {
  UINT key;
  bool ctrl;
  long fromX, fromY;
  long toX, toY;  // -1: a page (vertical), -2: a page less than fromY (vertical)
};

TEST(PortableViewScrolling, KeysScrollByTable) {
  ViewWindow w(WS_HSCROLL | WS_VSCROLL, false, 200, 150);
  ASSERT_TRUE(w.ok());
  w.view->SetImageSize(QvSize(1000, 1000), false);
  w.view->SetHScrollIncrement(40);
  w.view->SetVScrollIncrement(30);
  RECT client;
  GetClientRect(w.hwnd(), &client);
  const long page = (client.bottom - 30) / 30 * 30;
  ASSERT_GT(page, 0);
  const KeyCase cases[] = {
      {VK_NEXT, false, 0, 0, 0, -1},     {VK_PRIOR, false, 0, 500, 0, -2}, {VK_PRIOR, false, 0, 10, 0, 0},
      {VK_END, false, 0, 70, 1000, 70},  {VK_HOME, false, 300, 70, 0, 70}, {VK_NEXT, true, 5, 70, 5, 1000},
      {VK_PRIOR, true, 5, 70, 5, 0},     {VK_END, true, 5, 70, 1000, 1000}, {VK_HOME, true, 300, 200, 0, 0},
      {VK_RIGHT, true, 0, 0, 40, 0},     {VK_LEFT, true, 100, 0, 60, 0},   {VK_DOWN, true, 0, 0, 0, 30},
      {VK_UP, true, 0, 100, 0, 70},      {VK_LEFT, true, 10, 0, 0, 0},     // stops at the edge
  };
  for (const KeyCase& c : cases) {
    w.view->SetHScroll(static_cast<unsigned long>(c.fromX));
    w.view->SetVScroll(static_cast<unsigned long>(c.fromY));
    HoldCtrl(c.ctrl);
    EXPECT_TRUE(w.window->KeyboardScroll(c.key)) << c.key << (c.ctrl ? " with Ctrl" : "");
    HoldCtrl(false);
    const long toY = c.toY == -1 ? page : c.toY == -2 ? c.fromY - page : c.toY;
    EXPECT_EQ(w.view->GetHScroll(), static_cast<unsigned long>(c.toX)) << c.key << (c.ctrl ? " with Ctrl" : "");
    EXPECT_EQ(w.view->GetVScroll(), static_cast<unsigned long>(toY)) << c.key << (c.ctrl ? " with Ctrl" : "");
  }
  // Arrows scroll only with Ctrl; other keys never.
  EXPECT_FALSE(w.window->KeyboardScroll(VK_DOWN));
  EXPECT_FALSE(w.window->KeyboardScroll(VK_F5));
}

// A view that is a pane of a splitter scrolls by keys together with the panes that share its
// row (vertically) and its column (horizontally); the pane in neither stays.
TEST(PortableViewScrolling, KeysScrollThePanesOfAParentSplitter) {
  FunctionView* views[2][2] = {};
  ModelView* windows[2][2] = {};
  testing_support::SplitterOfFour four;
  ASSERT_TRUE(four.Create([&](int r, int c, CSplitterWnd& splitter, UINT id) {
    views[r][c] = new FunctionView;
    windows[r][c] = new ModelView;
    if (!windows[r][c]->Create(views[r][c], WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, RECT{0, 0, 200, 150},
                               &splitter, id))
      return false;
    views[r][c]->SetImageSize(QvSize(1000, 1000), false);
    views[r][c]->SetHScrollIncrement(40);
    views[r][c]->SetVScrollIncrement(30);
    return true;
  }));
  struct Case {
    UINT key;
    bool ctrl;
    long x, y;  // where pane (0, 0) goes; y -1: a page further, -2: where it was
  };
  const Case cases[] = {
      {VK_NEXT, false, 0, -1},          // a page down: its row goes with it
      {VK_END, false, 1000, -2},        // to the right end: its column goes with it
      {VK_HOME, true, 0, 0},            // both
      {VK_END, true, 1000, 1000},       // both
      {VK_UP, true, 1000, 970},
      {VK_LEFT, true, 960, 970},
  };
  RECT client;
  GetClientRect(windows[0][0]->m_hWnd, &client);
  const long page = (client.bottom - 30) / 30 * 30;
  ASSERT_GT(page, 0);
  long x = 0, y = 0;
  for (const Case& k : cases) {
    HoldCtrl(k.ctrl);
    EXPECT_TRUE(windows[0][0]->KeyboardScroll(k.key)) << k.key;
    HoldCtrl(false);
    x = k.x;
    y = k.y == -1 ? y + page : k.y == -2 ? y : k.y;
    SCOPED_TRACE(std::to_string(k.key) + (k.ctrl ? " with Ctrl" : ""));
    EXPECT_EQ(views[0][0]->GetHScroll(), static_cast<unsigned long>(x));
    EXPECT_EQ(views[0][0]->GetVScroll(), static_cast<unsigned long>(y));
    EXPECT_EQ(views[0][1]->GetVScroll(), static_cast<unsigned long>(y)) << "same row";
    EXPECT_EQ(views[0][1]->GetHScroll(), 0u) << "another column";
    EXPECT_EQ(views[1][0]->GetHScroll(), static_cast<unsigned long>(x)) << "same column";
    EXPECT_EQ(views[1][0]->GetVScroll(), 0u) << "another row";
    EXPECT_EQ(views[1][1]->GetHScroll(), 0u);
    EXPECT_EQ(views[1][1]->GetVScroll(), 0u);
  }
}

TEST(PortableViewScrolling, NoScrollBarsHidesThem) {
  ViewWindow w(WS_HSCROLL | WS_VSCROLL, true);
  ASSERT_TRUE(w.ok());
  w.view->SetImageSize(QvSize(5000, 5000), false);
  const LONG style = GetWindowLong(w.hwnd(), GWL_STYLE);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_FALSE(style & WS_VSCROLL);
  EXPECT_TRUE(w.view->ScrollBy(QvSize(10, 10), true)) << "the view still scrolls";
}

TEST(PortableViewScrolling, UnchangedImageSizeDoesNotRepaint) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  w.view->SetImageSize(QvSize(100, 100), false);
  UpdateWindow(w.hwnd());
  MSG msg;
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  ValidateRect(w.hwnd(), NULL);
  RECT box;
  ASSERT_FALSE(GetUpdateRect(w.hwnd(), &box, FALSE));
  w.view->SetImageSize(QvSize(100, 100), false);
  EXPECT_FALSE(GetUpdateRect(w.hwnd(), &box, FALSE));
  w.view->SetImageSize(QvSize(150, 100), false);
  EXPECT_TRUE(GetUpdateRect(w.hwnd(), &box, FALSE)) << "the new strip is repainted";
}

TEST(PortableViewScrolling, ScrollToBringsAPointIntoView) {
  ViewWindow w(WS_HSCROLL | WS_VSCROLL, false, 200, 150);
  ASSERT_TRUE(w.ok());
  w.view->SetImageSize(QvSize(2000, 2000), false);
  w.view->ScrollTo(QvPoint(50, 50), QvSize(10, 10), true, false);
  EXPECT_EQ(w.view->GetHScroll(), 0u) << "already in view";
  RECT client;
  GetClientRect(w.hwnd(), &client);
  w.view->ScrollTo(QvPoint(500, 60), QvSize(10, 10), true, false);
  EXPECT_EQ(w.view->GetHScroll(), static_cast<unsigned long>(500 - client.right + 10));
  EXPECT_EQ(w.view->GetVScroll(), 0u);
  w.view->ScrollTo(QvPoint(5, 60), QvSize(10, 10), false, false);
  EXPECT_NE(w.view->GetHScroll(), 0u) << "without bringIntoView nothing moves";
}

// An image size set from another thread is sent to the window's thread and applied there.
struct SizeFromThread {
  FunctionView* view;
};

unsigned __stdcall SetSizeFromThread(void* arg) {
  SizeFromThread* job = static_cast<SizeFromThread*>(arg);
  job->view->SetImageSize(QvSize(5000, 4000), false);
  return 0;
}

TEST(PortableViewWindow, ImageSizeFromAnotherThreadIsAppliedOnTheWindowsThread) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  const unsigned long previousMain = Get_MainThreadID();
  Set_MainThreadID(GetCurrentThreadId());
  SizeFromThread job = {w.view};
  HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, SetSizeFromThread, &job, 0, NULL));
  ASSERT_NE(thread, static_cast<HANDLE>(NULL));
  // The window's thread takes the sent message while it waits.
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  CloseHandle(thread);
  Set_MainThreadID(previousMain);
  EXPECT_TRUE(w.view->GetImageSize() == QvSize(5000, 4000));
  ASSERT_EQ(w.view->sizeThreads.size(), 2u) << "called on the other thread, then again on the window's";
  EXPECT_NE(w.view->sizeThreads[0], GetCurrentThreadId());
  EXPECT_EQ(w.view->sizeThreads[1], GetCurrentThreadId());
  EXPECT_GT(w.window->GetScrollMaximum().x, 0) << "the window's scroll range follows";
}

TEST(PortableViewWindow, CreateBindsBothWaysAndCallsTheCallback) {
  static int created = 0;
  created = 0;
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
  FunctionView* view = new FunctionView;
  view->SetCreateCBack([] { ++created; });
  CGUIView* window = new CGUIView;
  ASSERT_TRUE(window->Create(view, WS_CHILD, RECT{0, 0, 50, 50}, CWnd::FromHandle(parent), 1));
  EXPECT_EQ(created, 1);
  EXPECT_EQ(view->GetPlatformView(), window);
  EXPECT_EQ(view->GetMFCCWnd(), window);
  EXPECT_EQ(GUIGetQvGUIContainer(window), view);
  EXPECT_EQ(window->GetPortableView(), view);
  EXPECT_NE(window->GetDrawingDC(), static_cast<HDC>(NULL)) << "the window's own DC is prepared";
  EXPECT_FALSE(window->Create(NULL, NULL, WS_CHILD, RECT{0, 0, 5, 5}, CWnd::FromHandle(parent), 2));
  DestroyWindow(parent);  // the view window goes with it, and the portable view with the window
}

}  // namespace

namespace {

// Clicking a view inside a frame makes it the frame's active view; clicking a control view,
// which lives in a container, does not.
TEST(PortableViewWindow, ControlViewNeverBecomesTheActiveView) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(NULL, _T("views"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CGUIView* plain = new CGUIView;
  CControlView* control = new CControlView;
  ASSERT_TRUE(plain->Create(new FunctionView, WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 100}, frame, 1));
  ASSERT_TRUE(control->Create(new FunctionView, WS_CHILD | WS_VISIBLE, RECT{100, 0, 200, 100}, frame, 2));
  const LPARAM click = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
  control->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd), click);
  EXPECT_EQ(frame->GetActiveView(), static_cast<CView*>(NULL));
  plain->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd), click);
  EXPECT_EQ(frame->GetActiveView(), plain);
  frame->DestroyWindow();
}

}  // namespace
