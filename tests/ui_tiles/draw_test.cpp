// The tile control on screen: its geometry against the drawn headers for every number of
// masters and every active one, the header's parts, the arrows and the facet slide, the facet
// menu, the cursor, hot tracking and clicks.
#include "tile_fixture.h"

#include <TileControl.h>

using namespace tile_test;
using testing_support::GdiObjectCount;
using testing_support::Recorder;
using testing_support::SubclassedControl;

namespace {

const int kNarrowW = 60, kNarrowH = 210;

// Every pixel of the client area: the hit test names the master whose header holds the
// pixel, and nothing else; each header is drawn where its rectangle lies (raised top-left
// frame, face inside); outside the headers only the background, the active header's under
// line and the control's border are drawn.
TEST_F(TileTest, HitTestAgreesWithTheDrawnHeadersForEveryLayout) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                 back = GetSysColor(COLOR_BTNSHADOW), line = GetSysColor(COLOR_3DDKSHADOW);
  for (int n = 1; n <= 8; ++n) {
    HWND h = Make(parent.hwnd(), kNarrowW, kNarrowH);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(SendMessageW(h, TLM_SETNUMMASTERS, 8, 0), 8);
    for (int i = 0; i < n; ++i) {
      MasterTile m = Master(2, false);
      ASSERT_EQ(SendMessageW(h, TLM_ADDMASTER, Ptr(&m), 0), i);
    }
    TileControl* o = TileControl::FromWindow(h);
    ASSERT_NE(o, nullptr);
    MINMAXINFO mmi = {};
    SendMessageW(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.y, n * 25) << n;
    for (int a = -1; a < n; ++a) {
      if (a >= 0) {
        ASSERT_EQ(SendMessageW(h, TLM_SETACTIVEMASTER, a, 0), 1);
      }
      const std::string layout = std::to_string(n) + " masters, active " + std::to_string(a);
      DibCanvas canvas(kNarrowW, kNarrowH);
      ASSERT_TRUE(canvas.valid());
      SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
      GdiFlush();
      std::vector<CRect> rects;
      for (int i = 0; i < n; ++i) rects.push_back(o->MasterRect(i));
      // Headers are 23 pixels high inside their 25-pixel slots: masters up to the active one
      // from the top, the others from the bottom.
      for (int i = 0; i < n; ++i) {
        const CRect& r = rects[i];
        const int top = i <= a ? 1 + 23 * i : kNarrowH - 24 - 23 * (n - 1 - i);
        EXPECT_EQ(r, CRect(1, top, kNarrowW - 1, top + 23)) << layout << " master " << i;
        EXPECT_EQ(canvas.At(r.left, r.top), light) << layout << " master " << i;
        EXPECT_EQ(canvas.At(r.left + 1, r.top + 1), face) << layout << " master " << i;
      }
      int mismatches = 0;
      for (int y = 1; y < kNarrowH - 1 && mismatches < 5; ++y) {
        for (int x = 1; x < kNarrowW - 1 && mismatches < 5; ++x) {
          int holder = -1;
          for (int i = 0; i < n; ++i)
            if (rects[i].PtInRect(CPoint(x, y))) holder = i;
          int hit = -2;
          const int code = o->HitTest(CPoint(x, y), hit);
          bool ok = hit == holder;
          if (holder >= 0) {
            ok = ok && (holder == a ? code != TLHT_MASTER && code != TLHT_CONTENT : code == TLHT_MASTER);
          } else {
            const COLORREF c = canvas.At(x, y);
            const bool underLine = a >= 0 && y == rects[a].bottom && c == line;
            ok = ok && (code == TLHT_CONTENT || code == TLHT_NOMASTER) && (c == back || underLine);
          }
          if (!ok) {
            ++mismatches;
            ADD_FAILURE() << layout << " at " << x << "," << y << ": hit " << hit << " code " << code << ", header "
                          << holder;
          }
        }
      }
    }
    DestroyWindow(h);
  }
}

// The active header's parts: the image and menu button, the arrows, the caption between.
TEST_F(TileTest, TheActiveHeaderShowsItsFacetsImageArrowsAndCaption) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 3, 0, false));
  HBITMAP red = MakeImage(RGB(255, 0, 0));
  TC_MASTERDESC first = {TCMD_BYINDEX | TCMD_RECORD, 0};
  TC_FACETRECORD rec = {0, NULL, red, 1};
  ASSERT_EQ(Send(TLM_SETTILEBITMAP, Ptr(&first), reinterpret_cast<LPARAM>(&rec)), 0);
  DibCanvas canvas(160, 300);
  Print(canvas);
  GdiFlush();
  const CRect r = Object()->MasterRect(0);
  const CRect image = TileControl::AreaRect(r, 0), left = TileControl::AreaRect(r, 3),
              right = TileControl::AreaRect(r, 4), caption = TileControl::AreaRect(r, 5);
  EXPECT_EQ(image, CRect(4, 4, 20, 20));
  EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0), image), 256);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_GT(canvas.CountOtherThan(face, left), 0);   // the left arrow
  EXPECT_GT(canvas.CountOtherThan(face, right), 0);  // the right arrow
  EXPECT_GT(canvas.CountOtherThan(face, caption), 0);
  // Hit codes of the parts.
  int m = -1;
  struct Part {
    CRect rect;
    int code;
  } parts[] = {{image, TLHT_FACETMENU}, {TileControl::AreaRect(r, 1), TLHT_LEFTARROW},
               {TileControl::AreaRect(r, 2), TLHT_RIGHTARROW}, {caption, TLHT_CAPTION}};
  for (const Part& p : parts) EXPECT_EQ(Object()->HitTest(p.rect.CenterPoint(), m), p.code) << p.code;
  EXPECT_EQ(Object()->HitTest(CPoint(r.right - 2, r.top + 1), m), TLHT_ACTIVEHEADER);
  EXPECT_EQ(Object()->HitTest(CPoint(500, 5), m), TLHT_OUTSIDE);
}

// A caption wider than its part is cut and reported so; a short one is not.
TEST_F(TileTest, TruncationFollowsTheCaptionsWidth) {
  ASSERT_NO_FATAL_FAILURE(Fill(1, 1, 0, false));
  TC_MASTERDESC first = {TCMD_BYINDEX | TCMD_RECORD, 0};
  struct Case {
    const wchar_t* caption;
    int cut;
  } cases[] = {{L"Short", 0}, {L"A caption far too long for a header of this control's width", 1}};
  for (const Case& c : cases) {
    Tile t(c.caption, NULL, NULL, 0);
    TC_FACETRECORD rec = {0, &t, NULL, 0};
    ASSERT_EQ(Send(TLM_SETTILE, Ptr(&first), reinterpret_cast<LPARAM>(&rec)), 1);
    DibCanvas canvas(160, 300);
    Print(canvas);
    int cut = -1;
    ASSERT_EQ(Send(TLM_GETTRUNCATION, 0, reinterpret_cast<LPARAM>(&cut)), 1);
    EXPECT_EQ(cut, c.cut) << c.caption;
  }
}

// Clicks on the arrows move through the facets and wrap both ways; each slide takes about
// 100 ms; the shown window follows the facet.
TEST_F(TileTest, ArrowsWrapBothWaysAndSlideForAboutATenthOfASecond) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 3, 0));
  const CRect r = Object()->MasterRect(0);
  const CPoint left = TileControl::AreaRect(r, 1).CenterPoint(), right = TileControl::AreaRect(r, 2).CenterPoint();
  LARGE_INTEGER frequency;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  struct Step {
    CPoint at;
    int facet;
  } steps[] = {{right, 1}, {right, 2}, {right, 0}, {left, 2}, {left, 1}};
  for (const Step& s : steps) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s.at.x, s.at.y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(s.at.x, s.at.y));
    QueryPerformanceCounter(&end);
    const double ms = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart;
    EXPECT_EQ(Object()->GetActiveTile(0), s.facet);
    EXPECT_GE(ms, 95.0) << s.facet;
    EXPECT_LT(ms, 1000.0) << s.facet;
    HWND shown = ShownWindow(0);
    EXPECT_TRUE(IsWindowVisible(shown)) << s.facet;
    int visible = 0;
    for (int i = 0; i < 3; ++i) {
      const Tile* t = Object()->TileAt(0, i);
      if (IsWindowVisible(t->GetClientObject()->GetCoreObject())) ++visible;
    }
    EXPECT_EQ(visible, 1) << s.facet;
  }
}

// A press on one header and a release on another does nothing; a disabled master's header
// reacts only with the interaction bit that allows it.
TEST_F(TileTest, ClicksActivateOnlyWhereTheyBeganAndOnEnabledMasters) {
  ASSERT_NO_FATAL_FAILURE(Fill(3, 1, 0, false));
  const CPoint one = Object()->MasterRect(1).CenterPoint(), two = Object()->MasterRect(2).CenterPoint();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(one.x, one.y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(two.x, two.y));
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), 0);
  ASSERT_EQ(Send(TLM_ENABLEMASTER, 2, MAKELPARAM(0, 0)), 1);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(two.x, two.y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(two.x, two.y));
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), 0);
  Send(TLM_SETINTERACTION, TCFI_ALLOWALL);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(two.x, two.y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(two.x, two.y));
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), 2);
  // Clicking master 1 now (it sits at the top).
  const CPoint again = Object()->MasterRect(1).CenterPoint();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(again.x, again.y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(again.x, again.y));
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), 1);
  // Level 0: clicks do nothing.
  Send(TLM_SETINTERACTION, TCFI_ALLOWNONE);
  const CPoint last = Object()->MasterRect(2).CenterPoint();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(last.x, last.y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
  EXPECT_EQ(Send(TLM_GETACTIVEMASTER), 1);
}

// Hot tracking: the header under the mouse is hot, the content area and the outside are not;
// the hot arrow's bitmap lives only while the mouse is on it.
TEST_F(TileTest, HotTrackingFollowsTheMouseAndFreesTheHotArrows) {
  ASSERT_NO_FATAL_FAILURE(Fill(3, 3, 0, false));
  TileControl* o = Object();
  const int gdi = GdiObjectCount();
  o->HandleHilite(o->MasterRect(2).CenterPoint());
  EXPECT_EQ(o->GetHotMaster(), 2);
  o->HandleHilite(TileControl::AreaRect(o->MasterRect(0), 2).CenterPoint());
  EXPECT_EQ(o->GetHotMaster(), 0);
  EXPECT_EQ(o->GetHotItem().m_code, TLHT_RIGHTARROW);
  EXPECT_EQ(GdiObjectCount(), gdi + 1);  // the hot right arrow
  o->HandleHilite(TileControl::AreaRect(o->MasterRect(0), 1).CenterPoint());
  EXPECT_EQ(GdiObjectCount(), gdi + 1);  // the hot left arrow instead
  CRect area;
  o->GetClientArea(area);
  o->HandleHilite(area.CenterPoint());
  EXPECT_EQ(o->GetHotMaster(), -1);
  EXPECT_EQ(GdiObjectCount(), gdi);
}

// The cursor over the image and the arrows: the hand with two facets or more; with one it
// stays as it was. Elsewhere the arrow.
TEST_F(TileTest, TheHandCursorNeedsTwoFacets) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 1, 0, false));
  SetForegroundWindow(parent.hwnd());
  const HCURSOR beam = LoadCursor(NULL, IDC_IBEAM), hand = LoadCursor(NULL, IDC_HAND),
                arrow = LoadCursor(NULL, IDC_ARROW);
  const CPoint image = TileControl::AreaRect(Object()->MasterRect(0), 0).CenterPoint();
  POINT at = Screen(image.x, image.y);
  SetCursorPos(at.x, at.y);
  SetCursor(beam);
  EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(tile), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
  EXPECT_EQ(GetCursor(), beam);
  TC_MASTERDESC first = {TCMD_BYINDEX | TCMD_TILE, 0};
  Tile second(L"Second", NULL, NULL, 0);
  ASSERT_EQ(Send(TLM_ADDTILE, Ptr(&first), reinterpret_cast<LPARAM>(&second)), 1);
  EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(tile), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
  EXPECT_EQ(GetCursor(), hand);
  const CPoint header = Object()->MasterRect(1).CenterPoint();
  at = Screen(header.x, header.y);
  SetCursorPos(at.x, at.y);
  EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(tile), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
  EXPECT_EQ(GetCursor(), arrow);
}

std::vector<WORD> s_keys;
void CALLBACK TypeKeysNow(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  testing_support::TypeKeys(s_keys);
}
void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  EndMenu();
}

// The facet menu: opened by a click on the image with two facets or more (never with one),
// its first item reaches facet 0.
TEST_F(TileTest, TheFacetMenuReachesFacetZeroAndNeedsTwoFacets) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 1, 0, false));
  SetForegroundWindow(parent.hwnd());
  SubclassedControl watch(tile);
  Recorder().Watch(tile);
  const CPoint image = TileControl::AreaRect(Object()->MasterRect(0), 0).CenterPoint();
  auto click = [&] {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(image.x, image.y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(image.x, image.y));
  };
  // One facet: no menu.
  const UINT_PTR end = SetTimer(NULL, 0, 2000, EndAnyMenu);
  Recorder().Reset();
  click();
  EXPECT_EQ(Recorder().Count(WM_ENTERMENULOOP), 0u);
  KillTimer(NULL, end);
  // Three facets, the last active: Down and Return choose the first item.
  TC_MASTERDESC first = {TCMD_BYINDEX | TCMD_TILE, 0};
  Tile b(L"Second", NULL, NULL, 0), c(L"Third", NULL, NULL, 0);
  ASSERT_EQ(Send(TLM_ADDTILE, Ptr(&first), reinterpret_cast<LPARAM>(&b)), 1);
  ASSERT_EQ(Send(TLM_ADDTILE, Ptr(&first), reinterpret_cast<LPARAM>(&c)), 2);
  TC_MASTERDESC byIndex = {TCMD_BYINDEX | TCMD_INDEX, 0};
  ASSERT_EQ(Send(TLM_SETACTIVETILE, Ptr(&byIndex), 2), 1);
  s_keys = {VK_DOWN, VK_RETURN};
  const UINT_PTR type = SetTimer(NULL, 0, 100, TypeKeysNow);
  const UINT_PTR stop = SetTimer(NULL, 0, 5000, EndAnyMenu);
  Recorder().Reset();
  click();
  Recorder().Pump();
  KillTimer(NULL, type);
  KillTimer(NULL, stop);
  EXPECT_EQ(Recorder().Count(WM_ENTERMENULOOP), 1u);
  EXPECT_GE(Recorder().Count(WM_MEASUREITEM), 1u);
  EXPECT_EQ(Object()->GetActiveTile(0), 0);
  EXPECT_EQ(Object()->GetFacetMenu().m_hMenu, nullptr);  // destroyed after tracking
  Recorder().UnwatchAll();
}

}  // namespace
