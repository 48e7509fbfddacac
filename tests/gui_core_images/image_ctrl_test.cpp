// The image control and image drawing: display modes and states in pixels, sizing, the
// control's states drawn, clicks through SendInput with their notifications, and the
// window's life.
#include <gtest/gtest.h>

#include <GUIImageCtrl.h>
#include <GUIInitialisations.h>

#include "bitmaps.h"
#include "dib_canvas.h"
#include "guiimages_ids.h"
#include "handle_counts.h"
#include "recorder.h"
#include "test_support.h"

#include <commctrl.h>

#include <vector>

using testing_support::DibCanvas;
using testing_support::ExpectedMsg;
using testing_support::GuiCounts;
using testing_support::LoggingParent;
using testing_support::Recorder;
using testing_support::kOptional;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;

namespace {

const int kClick = NM_CLICK, kDblClk = NM_DBLCLK;

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0), kWhite = RGB(255, 255, 255),
               kBlack = RGB(0, 0, 0), kLight = RGB(192, 192, 192);

COLORREF Sys(int index) { return GetSysColor(index); }

// A w x h bitmap (screen-compatible) drawn by the function on a DIB canvas.
template <class Draw>
CBitmap* MakeBitmap(int w, int h, Draw draw) {
  DibCanvas canvas(w, h, kWhite);
  draw(canvas.dc());
  return imagetest::CopyToBitmap(canvas);
}

void Fill(HDC dc, RECT r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

// A plain 4 x 4 image: red, its right column blue.
CBitmap* Plain() {
  return MakeBitmap(4, 4, [](HDC dc) {
    Fill(dc, {0, 0, 4, 4}, kRed);
    Fill(dc, {3, 0, 4, 4}, kBlue);
  });
}

// A pair image 8 x 4: the left half black with a red square at 1..2; the mask opaque
// (black) under the square and in the whole right column of the image, white elsewhere.
CBitmap* Pair() {
  return MakeBitmap(8, 4, [](HDC dc) {
    Fill(dc, {0, 0, 4, 4}, kBlack);
    Fill(dc, {1, 1, 3, 3}, kRed);
    Fill(dc, {4, 0, 8, 4}, kWhite);
    Fill(dc, {5, 1, 7, 3}, kBlack);
    Fill(dc, {7, 0, 8, 4}, kBlack);
  });
}

TEST(DrawImageInState, PlainImagesByDisplayMode) {
  QvImage image(Plain(), false);
  DibCanvas canvas(16, 16, kGreen);
  CDC* dc = CDC::FromHandle(canvas.dc());
  struct Case {
    int display;
    RECT rect;
    int red, blue;  // pixels expected
    POINT blueAt;
  } cases[] = {
      {QvImageClip, {2, 2, 4, 5}, 6, 0, {-1, -1}},     // clipped to 2 x 3
      {QvImageStretch, {0, 0, 8, 8}, 48, 16, {7, 7}},  // twice the size
      {0, {1, 1, 2, 2}, 12, 4, {4, 4}},                // natural size from the corner
      {QvImageCentre, {0, 0, 10, 8}, 12, 4, {6, 2}},   // moved by (3, 2)
  };
  for (const Case& c : cases) {
    canvas.Fill(kGreen);
    RECT r = c.rect;
    DrawImageInState(dc, &r, &image, c.display, 0);
    EXPECT_EQ(canvas.CountOf(kRed), c.red) << c.display;
    EXPECT_EQ(canvas.CountOf(kBlue), c.blue) << c.display;
    if (c.blueAt.x >= 0) {
      EXPECT_EQ(canvas.At(c.blueAt.x, c.blueAt.y), kBlue) << c.display;
    }
  }
  // The button face first, the highlight frame last (two pixels inside the rectangle).
  canvas.Fill(kGreen);
  RECT r = {0, 0, 10, 10};
  DrawImageInState(dc, &r, &image, QvImageCentre, QvDrawFillFace | QvDrawHighlight);
  EXPECT_EQ(canvas.At(0, 0), Sys(COLOR_BTNFACE));
  EXPECT_EQ(canvas.At(1, 1), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(2, 5), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(3, 3), kRed);
  EXPECT_EQ(canvas.At(10, 10), kGreen);

  canvas.Fill(kGreen);
  DrawImageInState(dc, &r, nullptr, 0, QvDrawFillFace);
  EXPECT_EQ(canvas.CountOf(kGreen), 256);
}

TEST(DrawImageInState, PairImagesAreTransparentThroughTheirMask) {
  QvImage image(Pair(), true);
  DibCanvas canvas(8, 8, kGreen);
  RECT r = {2, 2, 6, 6};
  DrawImageInState(CDC::FromHandle(canvas.dc()), &r, &image, 0, QvDrawPair);
  EXPECT_EQ(canvas.At(2, 2), kGreen);  // transparent
  EXPECT_EQ(canvas.At(3, 3), kRed);
  EXPECT_EQ(canvas.At(5, 2), kBlack);  // the opaque right column
  EXPECT_EQ(canvas.At(6, 3), kGreen);  // nothing past the image
}

TEST(DrawImageInState, TheDisabledLookStaysInsideTheImage) {
  QvImage image(Pair(), true);
  DibCanvas canvas(10, 6, kGreen);
  RECT r = {1, 1, 9, 5};
  DrawImageInState(CDC::FromHandle(canvas.dc()), &r, &image, 0, QvDrawPair | QvDrawDisabled);
  // The square is dark enough to read as 0 in one bit per pixel only where it is black: the
  // opaque right column (x = 3 of the image) is black, so it gets the shadow.
  EXPECT_EQ(canvas.At(1 + 3, 1), Sys(COLOR_BTNSHADOW));
  // Its highlight would fall on x = 4, past the image: the background stays.
  EXPECT_EQ(canvas.At(1 + 4, 1), kGreen);
  EXPECT_EQ(canvas.At(1 + 0, 1), kGreen);  // transparent pixels keep the background
  EXPECT_EQ(canvas.CountOf(kGreen, RECT{5, 0, 10, 6}), 5 * 6);
}

TEST(DrawImageInState, DibImagesUseTheirOwnRoutine) {
  // A DIB image stretched to the rectangle whatever the mode and the state.
  QvImage image;
  std::string bits(4 * 2 * 3, '\0');
  for (size_t i = 0; i < bits.size(); i += 3) bits[i] = char(255);  // blue
  auto u32 = [](unsigned long v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  auto u16 = [](unsigned v) { return std::string{char(v), char(v >> 8)}; };
  const std::string header = u32(40) + u32(4) + u32(2) + u16(1) + u16(24) + std::string(24, '\0');
  const std::string file = u16(0x4D42) + u32(54 + bits.size()) + u32(0) + u32(54) + header + bits;
  const std::string path = testing_support::TempPath("ctrl_dib") + ".bmp";
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fwrite(file.data(), 1, file.size(), f);
  fclose(f);
  ASSERT_TRUE(image.LoadDIBImage(path.c_str()));
  DibCanvas canvas(12, 12, kGreen);
  RECT r = {0, 0, 8, 8};
  DrawImageInState(CDC::FromHandle(canvas.dc()), &r, &image, QvImageCentre, QvDrawFillFace | QvDrawHighlight);
  EXPECT_EQ(canvas.CountOf(kBlue), 64);
}

// --- the control ---------------------------------------------------------------------------

class ImageCtrl : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
    parent = std::make_unique<LoggingParent>(WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND(NULL), RECT{0, 0, 200, 150});
    parent->answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT*) {
      if (msg == WM_NOTIFY) {
        codes.push_back(static_cast<int>(reinterpret_cast<NMHDR*>(lp)->code));
        if (onNotify) onNotify(reinterpret_cast<NMHDR*>(lp));
      }
      return false;
    };
    ASSERT_TRUE(ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 30), CWnd::FromHandle(parent->hwnd()), 7));
  }
  void TearDown() override {
    if (ctrl.m_hWnd != NULL) ctrl.DestroyWindow();
    parent.reset();
    PlatformGUIRelease();
  }
  // The control drawn by WM_PRINTCLIENT on a canvas of its size.
  std::unique_ptr<DibCanvas> Drawn() {
    RECT rc;
    ctrl.GetClientRect(&rc);
    auto canvas = std::make_unique<DibCanvas>(rc.right, rc.bottom, kGreen);
    ctrl.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
    return canvas;
  }
  SIZE Size() {
    RECT rc;
    ctrl.GetWindowRect(&rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
  }
  // Clicks at (5, 5) and (20, 15) by turns: two clicks are never taken for a double click.
  void Click(bool twice) {
    POINT p = (clicks++ % 2) == 0 ? POINT{5, 5} : POINT{20, 15};
    ctrl.ClientToScreen(&p);
    SetForegroundWindow(parent->hwnd());
    SetCursorPos(p.x, p.y);
    std::vector<INPUT> in;
    for (int i = 0; i < (twice ? 2 : 1); ++i)
      for (DWORD flag : {DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)}) {
        INPUT one = {};
        one.type = INPUT_MOUSE;
        one.mi.dwFlags = flag;
        in.push_back(one);
      }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    Recorder().Pump();
  }

  std::unique_ptr<LoggingParent> parent;
  CGUIImageCtrl ctrl;
  std::vector<int> codes;
  std::function<void(NMHDR*)> onNotify;
  int clicks = 0;
};

TEST_F(ImageCtrl, FitsItselfToTheImageWithItsReliefAndPair) {
  QvImage pair(Pair(), true), plain(Plain(), false);
  EXPECT_TRUE(ctrl.SetImage(&pair, QvImageFit));
  EXPECT_EQ(Size().cx, 4 + 1);  // pair allowance
  EXPECT_EQ(Size().cy, 4 + 1);
  EXPECT_EQ(ctrl.GetFlags() & QIMF_PAIR, QIMF_PAIR);
  EXPECT_EQ(ctrl.GetStyle() & 0xF, 0xEu);
  ctrl.SetRelief(2, false);
  EXPECT_EQ(Size().cx, 4 + 4);  // the relief's allowance, no pair allowance
  ctrl.SetImage(&plain, QvImageFit);
  EXPECT_EQ(Size().cx, 4 + 4);
  EXPECT_EQ(ctrl.GetFlags() & QIMF_PAIR, 0);  // the plain image clears the pair bit
  // No image: cleared, nothing drawn, the window keeps its size.
  EXPECT_TRUE(ctrl.SetImage(nullptr, QvImageFit));
  EXPECT_EQ(ctrl.SendMessage(QIM_GETIMAGE), 0);
  EXPECT_EQ(Size().cx, 4 + 4);
  auto canvas = Drawn();
  EXPECT_EQ(canvas->CountOf(kRed), 0);
}

TEST_F(ImageCtrl, ItsStatesShowAsEdgesAndFrames) {
  QvImage plain(Plain(), false);
  ctrl.SetImage(&plain, QvImageCentre);
  ctrl.SetCheckMode(true);
  struct Case {
    const char* what;
    int relief;
    bool flat, checked;
    COLORREF topLeft;   // the edge's outer top-left pixel
    bool highlight;     // the highlight frame shows
  } cases[] = {
      {"raised", 1, false, false, Sys(COLOR_3DLIGHT), false},
      {"raised, checked: inverted", 1, false, true, Sys(COLOR_BTNSHADOW), false},
      {"sunken", 2, false, false, Sys(COLOR_BTNSHADOW), false},
      {"sunken, checked: inverted", 2, false, true, Sys(COLOR_3DLIGHT), false},
      {"flat raised, checked: not inverted", 1, true, true, Sys(COLOR_3DLIGHT), true},
      {"no relief, checked", 0, false, true, Sys(COLOR_BTNFACE), true},
      {"no relief", 0, false, false, Sys(COLOR_BTNFACE), false},
  };
  for (const Case& c : cases) {
    ctrl.SetRelief(c.relief, c.flat);
    ctrl.Check(c.checked, false);
    EXPECT_EQ(ctrl.IsChecked(), c.checked) << c.what;
    auto canvas = Drawn();
    EXPECT_EQ(canvas->At(0, 0), c.topLeft) << c.what;
    const int in = c.relief != 0 ? 2 : 0;  // the frame lies inside the edge
    EXPECT_EQ(canvas->At(in + 1, in + 5) == Sys(COLOR_HIGHLIGHT), c.highlight) << c.what;
    EXPECT_EQ(canvas->CountOf(kRed), 12) << c.what;
  }
  // Outside check mode Check does nothing.
  ctrl.Check(true, false);
  ctrl.SetCheckMode(false);
  ctrl.Check(false, true);
  EXPECT_TRUE(ctrl.IsChecked());
  EXPECT_TRUE(codes.empty());
}

TEST_F(ImageCtrl, ASunkenPairImageMovesOnePixel) {
  QvImage pair(Pair(), true);
  ctrl.SetImage(&pair, QvImageCentre);
  ctrl.SetRelief(1, false);
  ctrl.SetWindowPos(NULL, 0, 0, 8, 8, SWP_NOMOVE | SWP_NOZORDER);
  auto raised = Drawn();
  EXPECT_EQ(raised->At(3, 3), kRed);  // (2, 2) inside the edge, then the square at 1
  ctrl.SetRelief(2, false);
  auto sunken = Drawn();
  EXPECT_EQ(sunken->At(3, 3), Sys(COLOR_BTNFACE));
  EXPECT_EQ(sunken->At(4, 4), kRed);
  ctrl.SetRelief(2, true);  // flat: no offset
  EXPECT_EQ(Drawn()->At(3, 3), kRed);
}

// A click on a control in check mode (id 7, parent's child): the parent hears of the button
// press, then gets NM_CLICK and the check change.
const ExpectedMsg kCheckClick[] = {
    {WM_PARENTNOTIFY, kSent | kParent | kWparam, WM_LBUTTONDOWN, 0},
    {WM_MOUSEACTIVATE, kSent | kParent | kOptional, 0, 0},  // asked only while the parent is not yet active
    {WM_NOTIFY, kSent | kParent | kWparam, 7, 0},  // NM_CLICK
    {WM_NOTIFY, kSent | kParent | kWparam, 7, 0},  // the check change
    {0, 0, 0, 0},
};

TEST_F(ImageCtrl, ClicksNotifyTheParentAndFlipTheCheck) {
  QvImage plain(Plain(), false);
  ctrl.SetImage(&plain, QvImageClip);
  Recorder().Watch(parent->hwnd());
  Recorder().Ignore(WM_SETCURSOR);
  Recorder().Reset();
  Click(false);
  EXPECT_EQ(codes, std::vector<int>{kClick});
  EXPECT_FALSE(ctrl.IsChecked());

  ctrl.SetCheckMode(true);
  codes.clear();
  Recorder().Reset();
  Click(false);
  EXPECT_TRUE(Recorder().Matches(kCheckClick));
  EXPECT_EQ(codes, (std::vector<int>{kClick, QIMN_CHECKCHANGED}));
  EXPECT_TRUE(ctrl.IsChecked());

  // A double click: a click, then the double click; each flips the check.
  codes.clear();
  Click(true);
  EXPECT_EQ(codes, (std::vector<int>{kClick, QIMN_CHECKCHANGED, kDblClk, QIMN_CHECKCHANGED}));
  EXPECT_TRUE(ctrl.IsChecked());
  Recorder().Unignore(WM_SETCURSOR);
  Recorder().UnwatchAll();
}

TEST_F(ImageCtrl, AControlDestroyedByItsParentOnAClickIsLeftAlone) {
  QvImage plain(Plain(), false);
  ctrl.SetImage(&plain, QvImageClip);
  ctrl.SetCheckMode(true);
  onNotify = [this](NMHDR* nm) {
    if (nm->code == static_cast<UINT>(NM_CLICK)) ::DestroyWindow(nm->hwndFrom);
  };
  Click(false);
  EXPECT_EQ(codes, std::vector<int>{kClick});  // no check change from a dead control
  EXPECT_EQ(ctrl.m_hWnd, HWND(NULL));
}

TEST_F(ImageCtrl, KeepsItsFontAndHoldsRedrawing) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  ctrl.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(ctrl.SendMessage(WM_GETFONT)), font);

  ctrl.ValidateRect(NULL);
  ctrl.SetRedraw(FALSE);
  QvImage plain(Plain(), false);
  ctrl.SetImage(&plain, QvImageClip);
  RECT update;
  EXPECT_FALSE(ctrl.GetUpdateRect(&update));
  ctrl.SetRedraw(TRUE);
  EXPECT_TRUE(ctrl.GetUpdateRect(&update));
}

TEST(ImageCtrlLife, WindowsFreeTheirStateAndLeakNothing) {
  ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
  LoggingParent parent(WS_OVERLAPPEDWINDOW, NULL, RECT{0, 0, 100, 100});
  const GuiCounts before = GuiCounts::Now();
  for (int i = 0; i < 3; ++i) {
    QvImage pair(Pair(), true);
    CGUIImageCtrl ctrl;
    ASSERT_TRUE(ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), CWnd::FromHandle(parent.hwnd()), 1));
    ctrl.SetImage(&pair, QvImageCentre);
    ctrl.SetRelief(2, false);
    ctrl.UpdateWindow();
    ctrl.DestroyWindow();
  }
  // Made by name, as the portable control map does.
  CObject* made = RUNTIME_CLASS(CGUIImageCtrl)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CGUIImageCtrl)));
  delete made;
  // A plain window of the class, made and destroyed without the framework.
  HWND raw = CreateWindowW(L"QvImageCtrl", L"", WS_CHILD, 0, 0, 10, 10, parent.hwnd(), NULL, NULL, NULL);
  ASSERT_NE(raw, HWND(NULL));
  EXPECT_NE(GetWindowLongPtr(raw, 0), 0);
  DestroyWindow(raw);
  EXPECT_EQ(GuiCounts::Now(), before);
  PlatformGUIRelease();
}

}  // namespace
