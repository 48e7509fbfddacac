// Anchored children, the size grip, tracking limits and the saved placement, on real windows.
#include <ResizableLayout.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

using testing_support::PumpMessages;
using testing_support::RectInParent;
using testing_support::RectText;

namespace {

// A popup without frame (client = window) that lays out its children on WM_SIZE and answers
// WM_GETMINMAXINFO; the mix-ins' protected members are opened for the tests.
class LayoutWnd : public CWnd, public CResizableLayout, public CResizableGrip, public CResizableMinMax,
                  public CResizableState {
 public:
  bool Make(int width, int height, DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0) {
    return CreateEx(exStyle, AfxRegisterWndClass(0), _T("Layout"), style, 10, 10, width, height, NULL, 0) != FALSE;
  }
  HWND Child(const TCHAR* cls, DWORD style, int x, int y, int cx, int cy, int id) {
    return ::CreateWindowEx(0, cls, _T(""), WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AfxGetInstanceHandle(), NULL);
  }
  // Sets the client size (the popup has no frame) and lets WM_SIZE arrange.
  void Resize(int width, int height) {
    SetWindowPos(NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ~LayoutWnd() override {
    if (m_hWnd) DestroyWindow();
  }

  using CResizableGrip::GetSizeGrip;
  using CResizableGrip::InitGrip;
  using CResizableGrip::UpdateGripPos;
  using CResizableLayout::AddAnchor;
  using CResizableLayout::AddAnchorCallback;
  using CResizableLayout::ArrangeLayout;
  using CResizableLayout::ClipChildren;
  using CResizableLayout::LikesClipping;
  using CResizableLayout::NeedsRefresh;
  using CResizableLayout::RemoveAllAnchors;
  using CResizableMinMax::MinMaxInfo;
  using CResizableMinMax::ResetMinTrackSize;
  using CResizableMinMax::SetMaximizedRect;
  using CResizableMinMax::SetMaxTrackSize;
  using CResizableMinMax::SetMinTrackSize;
  using CResizableState::LoadWindowRect;
  using CResizableState::SaveWindowRect;

  // What a callback entry does: null answers FALSE.
  std::function<BOOL(LayoutInfo&)> callback;
  bool arrangeOnSize = true;

 protected:
  CWnd* GetResizableWnd() override { return this; }
  BOOL ArrangeLayoutCallback(LayoutInfo& layout) override { return callback ? callback(layout) : FALSE; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SIZE && arrangeOnSize) {
      LRESULT r = CWnd::WindowProc(message, wParam, lParam);
      UpdateGripPos();
      ArrangeLayout();
      return r;
    }
    if (message == WM_GETMINMAXINFO) {
      LRESULT r = CWnd::WindowProc(message, wParam, lParam);
      MinMaxInfo(reinterpret_cast<LPMINMAXINFO>(lParam));
      return r;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

struct AnchorCase {
  const char* what;
  CSize tl, br;
  RECT before;       // the child in a 200 x 100 client area
  const char* after;  // ... once the area is 301 x 151
};

// Anchor points are percent of the client size truncated toward zero: 50% of 301 is 150.
const AnchorCase kAnchorCases[] = {
    {"fixed", ANCHOR_TOP_LEFT, ANCHOR_TOP_LEFT, {10, 10, 60, 30}, "10,10,60,30"},
    {"stretched with the parent", ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT, {10, 10, 190, 90}, "10,10,291,141"},
    {"moves with the bottom-right corner at constant size", ANCHOR_BOTTOM_RIGHT, ANCHOR_NONE, {140, 70, 190, 90},
     "241,121,291,141"},
    {"stays centred (truncated anchor point)", ANCHOR_MIDDLE_CENTER, ANCHOR_NONE, {90, 40, 110, 60}, "140,65,160,85"},
    {"widens along the top", ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT, {5, 5, 195, 20}, "5,5,296,20"},
    {"left half grows with the middle", ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_CENTER, {0, 0, 100, 100}, "0,0,150,151"},
    {"right half follows the middle", ANCHOR_TOP_CENTER, ANCHOR_BOTTOM_RIGHT, {100, 0, 200, 100}, "150,0,301,151"},
    {"bottom strip", ANCHOR_BOTTOM_LEFT, ANCHOR_BOTTOM_RIGHT, {0, 80, 200, 100}, "0,131,301,151"},
};

TEST(ResizableLayout, ChildrenFollowTheirAnchorsWhenTheParentGrowsAndShrinks) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(200, 100));
  std::vector<HWND> children;
  int id = 100;
  for (const AnchorCase& c : kAnchorCases) {
    const RECT& r = c.before;
    children.push_back(w.Child(_T("BUTTON"), BS_PUSHBUTTON, r.left, r.top, r.right - r.left, r.bottom - r.top, id++));
    ASSERT_TRUE(w.AddAnchor(children.back(), c.tl, c.br)) << c.what;
  }
  w.Resize(301, 151);
  for (size_t i = 0; i < children.size(); ++i)
    EXPECT_EQ(RectInParent(w.m_hWnd, children[i]), kAnchorCases[i].after) << kAnchorCases[i].what;
  // Back to the first size: every child is where it started.
  w.Resize(200, 100);
  for (size_t i = 0; i < children.size(); ++i)
    EXPECT_EQ(RectInParent(w.m_hWnd, children[i]), RectText(kAnchorCases[i].before)) << kAnchorCases[i].what;
}

// A combo box is anchored by its dropped-down rectangle: stretched, it is given the height of
// box and list, not of the box alone, so that its list keeps its height. (The earlier edition
// anchors it by its window rectangle.)
TEST(ResizableLayout, AStretchedComboBoxIsGivenItsDroppedDownHeight) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(200, 100));
  HWND combo = w.Child(_T("COMBOBOX"), CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 100, 90, 1);
  RECT box, dropped;
  ::GetWindowRect(combo, &box);
  ::SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  ASSERT_GT(dropped.bottom - dropped.top, box.bottom - box.top + 20);
  // The first position change the combo box is asked for (it then fits itself to its box).
  static WINDOWPOS s_last;
  static bool s_armed;
  static WNDPROC s_comboProc;
  s_last = WINDOWPOS{};
  s_armed = false;
  s_comboProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(
      combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_WINDOWPOSCHANGING && s_armed) {
          s_last = *reinterpret_cast<WINDOWPOS*>(lp);
          s_armed = false;
        }
        return ::CallWindowProc(s_comboProc, h, m, wp, lp);
      })));
  ASSERT_TRUE(w.AddAnchor(combo, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT));
  s_armed = true;
  w.Resize(260, 130);
  EXPECT_EQ(s_last.hwnd, combo);
  EXPECT_EQ(s_last.x, 10);
  EXPECT_EQ(s_last.y, 10);
  EXPECT_EQ(s_last.cx, 160);
#ifdef UNICODE
  EXPECT_EQ(s_last.cy, dropped.bottom - dropped.top);
#else
  EXPECT_EQ(s_last.cy, box.bottom - box.top);
#endif
  ::GetWindowRect(combo, &box);
  EXPECT_EQ(RectInParent(w.m_hWnd, combo), RectText(CRect(10, 10, 170, 10 + box.bottom - box.top)));
  ::SetWindowLongPtr(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_comboProc));
}

// A list box scrolled near its right end would show a gap once widened: it is redrawn after
// the arrangement; one scrolled to its left end is not.
TEST(ResizableLayout, AWidenedListBoxScrolledToItsRightEndIsRedrawn) {
  struct Case {
    WPARAM scroll;
    BOOL refresh;
  };
  for (const Case& c : {Case{SB_RIGHT, TRUE}, Case{SB_LEFT, FALSE}}) {
    LayoutWnd w;
    ASSERT_TRUE(w.Make(200, 100));
    HWND list = w.Child(_T("LISTBOX"), WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 10, 10, 100, 60, 1);
    ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("A long line")));
    ::SendMessage(list, LB_SETHORIZONTALEXTENT, 600, 0);
    ::SendMessage(list, WM_HSCROLL, c.scroll, 0);
    ASSERT_TRUE(w.AddAnchor(list, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT));
    EXPECT_TRUE(w.ArrayLayout(0).bAdjHScroll);
    EXPECT_FALSE(w.ArrayLayout(0).bNeedRefresh);
    w.Resize(260, 100);
    EXPECT_EQ(w.ArrayLayout(0).bNeedRefresh, c.refresh) << c.scroll;
  }
}

TEST(ResizableLayout, AnchorsAreRefusedForMissingControlsAndForeignWindows) {
  LayoutWnd w, other;
  ASSERT_TRUE(w.Make(200, 100));
  ASSERT_TRUE(other.Make(50, 50));
  HWND mine = w.Child(_T("BUTTON"), 0, 10, 10, 20, 20, 7);
  HWND foreign = other.Child(_T("BUTTON"), 0, 10, 10, 20, 20, 8);
  EXPECT_FALSE(w.AddAnchor(99u, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT));
  EXPECT_FALSE(w.AddAnchor(8u, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT));  // the other window's id
  EXPECT_FALSE(w.AddAnchor(foreign, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT));
  EXPECT_FALSE(w.AddAnchor(static_cast<HWND>(NULL), ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT));
  EXPECT_EQ(w.GetAnchorCount(), 0);
  EXPECT_TRUE(w.AddAnchor(7u, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT));
  ASSERT_EQ(w.GetAnchorCount(), 1);
  EXPECT_EQ(w.ArrayLayout(0).hWnd, mine);
  // No entry without a window was made, so no callback is ever asked.
  int asked = 0;
  w.callback = [&](CResizableLayout::LayoutInfo&) {
    ++asked;
    return FALSE;
  };
  w.Resize(250, 120);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(RectInParent(w.m_hWnd, mine), "10,10,80,50");
}

TEST(ResizableLayout, AChildDestroyedMeanwhileDoesNotStopTheOthersFromMoving) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(200, 100));
  HWND a = w.Child(_T("BUTTON"), 0, 10, 10, 40, 20, 1);
  HWND gone = w.Child(_T("BUTTON"), 0, 60, 10, 40, 20, 2);
  HWND c = w.Child(_T("BUTTON"), 0, 110, 10, 40, 20, 3);
  HWND d = w.Child(_T("BUTTON"), 0, 160, 10, 40, 20, 4);
  // Newest first: d, c, gone, a; the batch meets the dead window after d and c.
  for (HWND h : {a, gone, c, d}) ASSERT_TRUE(w.AddAnchor(h, ANCHOR_BOTTOM_RIGHT, ANCHOR_NONE));
  ::DestroyWindow(gone);
  w.Resize(300, 150);
  EXPECT_EQ(RectInParent(w.m_hWnd, a), "110,60,150,80");
  EXPECT_EQ(RectInParent(w.m_hWnd, c), "210,60,250,80");
  EXPECT_EQ(RectInParent(w.m_hWnd, d), "260,60,300,80");
  // The next pass (still with the dead entry) works as well.
  w.Resize(200, 100);
  EXPECT_EQ(RectInParent(w.m_hWnd, a), "10,10,50,30");
  EXPECT_EQ(RectInParent(w.m_hWnd, d), "160,10,200,30");
}

TEST(ResizableLayout, CallbackEntriesSeeTheMovedChildrenAndAreSkippedWhenTheyDecline) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(200, 100));
  HWND anchored = w.Child(_T("BUTTON"), 0, 150, 80, 40, 20, 1);
  HWND placed = w.Child(_T("BUTTON"), 0, 0, 0, 10, 10, 2);
  w.AddAnchorCallback(5);  // declines
  w.AddAnchorCallback(6);  // places `placed` under the anchored child, across the width
  ASSERT_TRUE(w.AddAnchor(anchored, ANCHOR_BOTTOM_RIGHT, ANCHOR_NONE));
  ASSERT_EQ(w.GetAnchorCount(), 3);
  EXPECT_EQ(w.ArrayLayout(0).hWnd, anchored);  // anchored children come before callbacks

  std::vector<UINT> asked;
  std::string seenByFirst;
  w.callback = [&](CResizableLayout::LayoutInfo& l) {
    asked.push_back(l.nCallbackID);
    if (l.nCallbackID == 5) {
      seenByFirst = RectInParent(w.m_hWnd, anchored);
      return FALSE;
    }
    l.hWnd = placed;
    l.sizeTypeTL = ANCHOR_TOP_LEFT;
    l.sizeTypeBR = ANCHOR_TOP_RIGHT;
    l.sizeMarginTL = CSize(5, 2);
    l.sizeMarginBR = CSize(-5, 12);
    return TRUE;
  };
  w.Resize(260, 130);
  EXPECT_EQ(asked, (std::vector<UINT>{5, 6}));
  EXPECT_EQ(seenByFirst, "210,110,250,130");  // already moved when the first callback ran
  EXPECT_EQ(RectInParent(w.m_hWnd, placed), "5,2,255,12");
  // The callback filled a copy: the stored entry keeps no window.
  EXPECT_EQ(w.ArrayLayout(2).hWnd, static_cast<HWND>(NULL));
}

TEST(ResizableLayout, GroupBoxesGetClipSiblingsAndStayOutOfClipping) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(200, 100));
  HWND group = w.Child(_T("BUTTON"), BS_GROUPBOX, 5, 5, 190, 90, 1);
  HWND push = w.Child(_T("BUTTON"), BS_PUSHBUTTON, 20, 20, 40, 20, 2);
  HWND label = w.Child(_T("STATIC"), SS_LEFT, 70, 20, 40, 20, 3);
  HWND etched = w.Child(_T("STATIC"), SS_ETCHEDHORZ, 120, 20, 40, 2, 4);
  ASSERT_TRUE(w.AddAnchor(group, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT));
  EXPECT_TRUE(::GetWindowLong(group, GWL_STYLE) & WS_CLIPSIBLINGS);
  EXPECT_FALSE(w.LikesClipping(group));
  EXPECT_TRUE(w.LikesClipping(push));
  EXPECT_FALSE(w.LikesClipping(label));
  EXPECT_TRUE(w.LikesClipping(etched));
  EXPECT_TRUE(w.NeedsRefresh(label));
  EXPECT_FALSE(w.NeedsRefresh(etched));
  EXPECT_FALSE(w.NeedsRefresh(push));

  // Erasing through a DC clipped by ClipChildren leaves the push button and the etched line
  // alone, and paints under the group box and the text.
  HDC screen = ::GetDC(NULL);
  HDC mem = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, 200, 100);
  ::ReleaseDC(NULL, screen);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  ::PatBlt(mem, 0, 0, 200, 100, WHITENESS);
  CDC* dc = CDC::FromHandle(mem);
  w.ClipChildren(dc, FALSE);
  ::PatBlt(mem, 0, 0, 200, 100, BLACKNESS);
  EXPECT_EQ(::GetPixel(mem, 30, 30), RGB(255, 255, 255)) << "push button";
  EXPECT_EQ(::GetPixel(mem, 130, 21), RGB(255, 255, 255)) << "etched line";
  EXPECT_EQ(::GetPixel(mem, 80, 30), RGB(0, 0, 0)) << "text";
  EXPECT_EQ(::GetPixel(mem, 10, 80), RGB(0, 0, 0)) << "group box";
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
}

TEST(ResizableGrip, SitsInTheCornerAnswersAsTheCornerAndIsDisabledWhileMaximised) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(200, 100, WS_POPUP | WS_VISIBLE | WS_THICKFRAME));
  ASSERT_TRUE(w.InitGrip());
  HWND grip = w.GetSizeGrip()->m_hWnd;
  ASSERT_TRUE(::IsWindow(grip));
  EXPECT_TRUE(::GetWindowLong(grip, GWL_STYLE) & SBS_SIZEGRIP);
  EXPECT_TRUE(::IsWindowVisible(grip));
  CRect client;
  w.GetClientRect(&client);
  const int cx = ::GetSystemMetrics(SM_CXVSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
  EXPECT_EQ(RectInParent(w.m_hWnd, grip), RectText(CRect(client.right - cx, client.bottom - cy, client.right, client.bottom)));
  EXPECT_EQ(::SendMessage(grip, WM_NCHITTEST, 0, 0), HTBOTTOMRIGHT);
  // Only the lower-right triangle is the grip's.
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(grip, rgn), ERROR);
  EXPECT_FALSE(::PtInRegion(rgn, 1, 1));
  EXPECT_TRUE(::PtInRegion(rgn, cx - 1, cy - 1));
  ::DeleteObject(rgn);

  w.Resize(300, 160);
  w.GetClientRect(&client);
  EXPECT_EQ(RectInParent(w.m_hWnd, grip), RectText(CRect(client.right - cx, client.bottom - cy, client.right, client.bottom)));
  w.ShowWindow(SW_MAXIMIZE);
  PumpMessages();
  EXPECT_FALSE(::IsWindowEnabled(grip));
  w.ShowWindow(SW_RESTORE);
  PumpMessages();
  EXPECT_TRUE(::IsWindowEnabled(grip));

  // The grip undoes its subclassing when it is destroyed.
  EXPECT_NE(::GetProp(grip, _T("ResizableGrip")), static_cast<HANDLE>(NULL));
  ::DestroyWindow(grip);
  EXPECT_FALSE(::IsWindow(grip));
}

TEST(ResizableGrip, AnswersAsTheBottomLeftCornerInARightToLeftWindow) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(200, 100, WS_POPUP | WS_VISIBLE | WS_THICKFRAME, WS_EX_LAYOUTRTL));
  ASSERT_TRUE(w.InitGrip());
  HWND grip = w.GetSizeGrip()->m_hWnd;
  ASSERT_TRUE(::GetWindowLong(grip, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);  // inherited from the parent
  EXPECT_EQ(::SendMessage(grip, WM_NCHITTEST, 0, 0), HTBOTTOMLEFT);
}

TEST(ResizableMinMax, TheMinimumTrackingSizeHoldsWhenTheWindowIsSizedBelowIt) {
  LayoutWnd w;
  ASSERT_TRUE(w.Make(300, 200, WS_POPUP | WS_VISIBLE | WS_THICKFRAME));
  w.SetMinTrackSize(CSize(250, 150));
  w.Resize(100, 60);
  CRect rc;
  w.GetWindowRect(&rc);
  EXPECT_EQ(rc.Size(), CSize(250, 150));
  w.Resize(400, 300);  // above it: as asked
  w.GetWindowRect(&rc);
  EXPECT_EQ(rc.Size(), CSize(400, 300));
  w.SetMaxTrackSize(CSize(450, 320));
  w.Resize(600, 500);
  w.GetWindowRect(&rc);
  EXPECT_EQ(rc.Size(), CSize(450, 320));
  w.ResetMinTrackSize();
  w.Resize(100, 60);
  w.GetWindowRect(&rc);
  EXPECT_EQ(rc.Size(), CSize(100, 60));
}

TEST(ResizableMinMax, OnlyTheLimitsThatAreSetReachTheRecord) {
  LayoutWnd w;
  MINMAXINFO mmi = {};
  mmi.ptMinTrackSize = {1, 2};
  mmi.ptMaxTrackSize = {3, 4};
  mmi.ptMaxPosition = {5, 6};
  mmi.ptMaxSize = {7, 8};
  w.MinMaxInfo(&mmi);
  EXPECT_EQ(CPoint(mmi.ptMinTrackSize), CPoint(1, 2));
  EXPECT_EQ(CPoint(mmi.ptMaxTrackSize), CPoint(3, 4));
  EXPECT_EQ(CPoint(mmi.ptMaxPosition), CPoint(5, 6));
  w.SetMaximizedRect(CRect(10, 20, 110, 70));
  w.MinMaxInfo(&mmi);
  EXPECT_EQ(CPoint(mmi.ptMaxPosition), CPoint(10, 20));
  EXPECT_EQ(CPoint(mmi.ptMaxSize), CPoint(100, 50));
  EXPECT_EQ(CPoint(mmi.ptMinTrackSize), CPoint(1, 2));
}

// The application with its profile in the registry.
class StateApp : public CWinApp {
 public:
  StateApp() : CWinApp(_T("ResizableTest")) {}
};

#ifdef UNICODE
const TCHAR kKey[] = _T("QuarnelResizableTestsU");
#else
const TCHAR kKey[] = _T("QuarnelResizableTestsA");
#endif

class ResizableState : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    app.SetRegistryKey(kKey);
    ASSERT_TRUE(w.Make(200, 100, WS_POPUP | WS_VISIBLE | WS_THICKFRAME));
  }
  void TearDown() override { Clean(); }
  static void Clean() { RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kKey); }
  std::string Place() {
    CRect rc;
    w.GetWindowRect(&rc);
    return RectText(rc);
  }
  StateApp app;
  LayoutWnd w;
};

TEST_F(ResizableState, ThePlacementIsSavedAndRestoredWholeOrRectangleOnly) {
  w.MoveWindow(40, 50, 320, 210);
  ASSERT_TRUE(w.SaveWindowRect(_T("Dlg"), FALSE));
  EXPECT_TRUE(app.GetProfileString(_T("Dlg"), _T("WindowPlacement")) == _T("40,50,360,260,1,0"));
  w.MoveWindow(0, 0, 100, 100);
  ASSERT_TRUE(w.LoadWindowRect(_T("Dlg"), FALSE));
  EXPECT_EQ(Place(), "40,50,360,260");

  w.MoveWindow(70, 80, 200, 150);
  ASSERT_TRUE(w.SaveWindowRect(_T("Rect"), TRUE));
  w.MoveWindow(0, 0, 100, 100);
  ASSERT_TRUE(w.LoadWindowRect(_T("Rect"), TRUE));
  EXPECT_EQ(Place(), "70,80,270,230");
  EXPECT_FALSE(w.LoadWindowRect(_T("Nothing saved"), TRUE));
}

TEST_F(ResizableState, DamagedOrUnusablePlacementsAreIgnored) {
  const char* const values[] = {
      "10,10,200,200,1",          // five numbers
      "ten,10,200,200,1,0",       // text
      "10,10,200,200,1,0,7",      // seven
      "10,10,200,200,1,0x",       // trailing garbage
      "10,10,200,200,1,",         // an empty sixth
      "200,200,10,10,1,0",        // negative size
      "10,10,10,200,1,0",         // no width
      "5000,5000,5300,5200,1,0",  // on no monitor
      "-900,-900,-700,-700,1,0",  // nor there
      "0,0,90000,90000,1,0",      // far larger than any screen
      "10,10,200,200,77,0",       // no such show command
      "10,10,200,200,0,0",        // hidden: the window would not show at the next start
      "10,10,200,200,11,0",       // forced minimising is no placement's
      "10,10,200,200,-1,0",
      "10,10,200,200,1,99999999999999999999",  // out of range
  };
  w.MoveWindow(30, 40, 220, 120);
  for (const char* value : values) {
    app.WriteProfileString(_T("Dlg"), _T("WindowPlacement"), CString(value));
    EXPECT_FALSE(w.LoadWindowRect(_T("Dlg"), FALSE)) << value;
    EXPECT_FALSE(w.LoadWindowRect(_T("Dlg"), TRUE)) << value;
    EXPECT_EQ(Place(), "30,40,250,160") << value;
    EXPECT_TRUE(w.IsWindowVisible()) << value;
  }
  // Partly on the screen is fine.
  app.WriteProfileString(_T("Dlg"), _T("WindowPlacement"), _T(" -50 , 10,150,110,1,0"));
  EXPECT_TRUE(w.LoadWindowRect(_T("Dlg"), TRUE));
  EXPECT_EQ(Place(), "-50,10,150,110");
}

}  // namespace
