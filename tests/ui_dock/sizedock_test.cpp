// Sizable docking: rows with splitters, the row's length shared among sizable bars, splitters
// that change a row's depth, drop places, and the bar layout with the bar sizes saved in the
// application profile.
#include <gtest/gtest.h>

#include <SizeDockBar.h>
#include <UISizeDockFrame.h>
#include <fw_app.h>

#include <string>
#include <vector>

#include "dock_fixture.h"
#include "test_support.h"

namespace {

using testing_support::RectText;

// A bar of fixed size (a toolbar's part in the rows).
class PlainBar : public CControlBar {
 public:
  explicit PlainBar(CSize size) : m_size(size) { m_dwStyle = CBRS_ALIGN_TOP; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }

 private:
  CSize m_size;
};

// A sizable bar: its sizes when floating, lying along a side and standing upright.
class SizeBar : public CControlBar, public CSizableDockedBar {
 public:
  explicit SizeBar(CSize size) : m_float(size), m_horz(size), m_vert(size.cy, size.cx) { m_dwStyle = CBRS_ALIGN_TOP; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return IsFloating() ? m_float : bHorz ? m_horz : m_vert; }
  CSize GetHorzSize() const override { return m_horz; }
  CSize GetVertSize() const override { return m_vert; }
  void SetHorzSize(CSize size) override { m_horz = size; }
  void SetVertSize(CSize size) override { m_vert = size; }
  CSize GetFloatSize() const override { return m_float; }
  void SetFloatSize(CSize size) override { m_float = size; }

  CSize m_float, m_horz, m_vert;
};

template <class B>
bool Make(B& bar, CFrameWnd* frame, UINT id) {
  if (!bar.Create(NULL, _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, id)) return false;
  bar.EnableDocking(CBRS_ALIGN_ANY);
  return true;
}

// A frame that records the notifications it gets.
class Frame : public CUIMDIFrameWndSizeDock {
 public:
  std::vector<NMHDR> notes;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    notes.push_back(*reinterpret_cast<NMHDR*>(lParam));
    return CUIMDIFrameWndSizeDock::OnNotify(wParam, lParam, pResult);
  }
};

struct SizeFrame : testing_support::DockingFrame<Frame, CSizeDockBar> {
  CSplitterRect* Splitter(UINT side, int i) const {
    return static_cast<CSplitterRect*>(Side(side)->m_arrSplitters[i]);
  }
};

std::string In(CWnd* parent, CWnd* child) { return testing_support::RectInParent(parent->m_hWnd, child->m_hWnd); }

const UINT S = 0xE840, T = 0xE841, P = 0xE842, Q = 0xE843;

TEST(SizeDockLayout, TopSideRowsTheLastSplitterAndTheSharedLength) {
  SizeFrame f;
  ASSERT_NE(f.frame, nullptr);
  SizeBar s(CSize(100, 50));
  PlainBar p(CSize(60, 20));
  ASSERT_TRUE(Make(s, f.frame, S) && Make(p, f.frame, P));
  ASSERT_TRUE(f.frame->DockControlBarEx(&s, f.Side(AFX_IDW_DOCKBAR_TOP), NULL));
  ASSERT_TRUE(f.frame->DockControlBarEx(&p, NULL, NULL));  // its alignment: the top
  f.frame->RecalcLayout();
  const CRect cl = f.Client();
  CSizeDockBar* top = f.Side(AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_TOP), (std::vector<int>{0, int(S), 0, int(P), 0}));
  // The sizable bar takes its row's length; the bars overlap the side's edges by the double
  // border; one splitter follows the last row.
  EXPECT_EQ(s.m_horz, CSize(cl.right, 50));
  EXPECT_EQ(In(top, &s), RectText(CRect(-2, -2, cl.right - 2, 48)));
  EXPECT_EQ(In(top, &p), RectText(CRect(-2, 46, 58, 66)));
  ASSERT_EQ(top->m_arrSplitters.GetSize(), 1);
  EXPECT_EQ(f.Splitter(AFX_IDW_DOCKBAR_TOP, 0)->m_type, CSplitterRect::horizontal);
  EXPECT_EQ(RectText(f.Splitter(AFX_IDW_DOCKBAR_TOP, 0)->m_rect), RectText(CRect(0, 64, cl.right, 72)));
  EXPECT_EQ(f.Splitter(AFX_IDW_DOCKBAR_TOP, 0)->m_nRow, 4);
  EXPECT_EQ(In(f.frame, top), RectText(CRect(0, 0, cl.right, 74)));
  EXPECT_EQ(In(f.frame, &f.pane), RectText(CRect(0, 74, cl.right, cl.bottom)));

  // A wider frame: the sizable bar follows the length.
  f.frame->MoveWindow(0, 0, 500, 300);
  EXPECT_EQ(s.m_horz, CSize(f.Client().right, 50));
  EXPECT_EQ(In(top, &s), RectText(CRect(-2, -2, f.Client().right - 2, 48)));
}

TEST(SizeDockLayout, RowSharingGivesTheSurplusByLengthTheLastTakingTheRest) {
  SizeFrame f;
  ASSERT_NE(f.frame, nullptr);
  SizeBar a(CSize(100, 40)), b(CSize(200, 30));
  ASSERT_TRUE(Make(a, f.frame, S) && Make(b, f.frame, T));
  CSizeDockBar* bottom = f.Side(AFX_IDW_DOCKBAR_BOTTOM);
  f.frame->DockControlBarEx(&a, bottom, NULL);
  bottom->m_arrBars.InsertAt(2, &b);  // b in a's row, before the layout shares anything
  b.SetParent(bottom);
  b.m_pDockBar = bottom;
  // 100 + 200 + 8 between them, and 101 more: 33 and 68.
  bottom->ShareRow(1, 100 + 200 + 8 + 101);
  EXPECT_EQ(a.m_horz, CSize(133, 40));
  EXPECT_EQ(b.m_horz, CSize(268, 40));  // and the row's depth
  CRect r;
  b.GetWindowRect(&r);
  EXPECT_EQ(r.Size(), CSize(268, 40));
  // A shrinking row never makes a length negative: what one cannot give, the next does.
  bottom->ShareRow(1, 8 + 50);
  EXPECT_EQ(a.m_horz.cx + b.m_horz.cx, 50);
  EXPECT_GE(a.m_horz.cx, 0);
  EXPECT_GE(b.m_horz.cx, 0);
  // The frame's layout shares the side's length.
  f.frame->RecalcLayout();
  EXPECT_EQ(a.m_horz.cx + b.m_horz.cx + 8, f.Client().right);
}

TEST(SizeDockSplitters, BottomRowsEachHaveOneAndTheyChangeTheRowDepth) {
  SizeFrame f;
  ASSERT_NE(f.frame, nullptr);
  SizeBar a(CSize(100, 40)), b(CSize(100, 30));
  PlainBar p(CSize(60, 30));
  ASSERT_TRUE(Make(a, f.frame, S) && Make(b, f.frame, T) && Make(p, f.frame, P));
  CSizeDockBar* bottom = f.Side(AFX_IDW_DOCKBAR_BOTTOM);
  f.frame->DockControlBarEx(&a, bottom, NULL);
  f.frame->DockControlBarEx(&p, bottom, NULL);
  f.frame->RecalcLayout();
  // b dropped at the left end of p's row.
  CRect rp;
  p.GetWindowRect(&rp);
  f.frame->DockControlBarEx(&b, bottom, CRect(rp.left - 40, rp.top, rp.left + 60, rp.top + 30));
  f.frame->RecalcLayout();
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_BOTTOM), (std::vector<int>{0, int(S), 0, int(T), int(P), 0}));
  // Each row holding a sizable bar has its splitter in front, just above the row.
  ASSERT_EQ(bottom->m_arrSplitters.GetSize(), 2);
  for (int i = 0; i < 2; ++i) {
    CSplitterRect* sp = f.Splitter(AFX_IDW_DOCKBAR_BOTTOM, i);
    EXPECT_EQ(sp->m_type, CSplitterRect::horizontal);
    EXPECT_EQ(sp->m_rect.Height(), 8);
    EXPECT_EQ(sp->m_rect.Width(), f.Client().right);
    EXPECT_EQ(sp->m_nRow, i == 0 ? 1 : 3);
    SizeBar* first = i == 0 ? &a : &b;
    CRect r;
    first->GetWindowRect(&r);
    bottom->ScreenToClient(&r);
    EXPECT_EQ(sp->m_rect.bottom, r.top);
  }
  // Up deepens the row; down as far as the plain bar's depth and no further.
  bottom->MoveSplitter(1, -25);
  EXPECT_EQ(b.m_horz.cy, 55);
  bottom->MoveSplitter(1, 100);
  EXPECT_EQ(b.m_horz.cy, 30);
  const int depthA = a.m_horz.cy;
  bottom->MoveSplitter(0, 15);
  EXPECT_EQ(a.m_horz.cy, depthA - 15);

  // Dragged with the mouse: 20 pixels up; then far down, where the limit stops it at the
  // plain bar's depth.
  for (const int move : {-20, 100}) {
    CSplitterRect* sp = f.Splitter(AFX_IDW_DOCKBAR_BOTTOM, 1);
    const CPoint from = sp->m_rect.CenterPoint();
    const int before = b.m_horz.cy;
    bottom->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + move));
    bottom->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x, from.y + move));
    bottom->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(bottom->m_pSplitCapture, nullptr);
    EXPECT_EQ(b.m_horz.cy, move < 0 ? before - move : 30);
  }
  CRect rb;
  b.GetWindowRect(&rb);
  EXPECT_EQ(rb.Height(), 30);

  // A right click asks the frame for its bar menu.
  f.frame->notes.clear();
  bottom->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(f.frame->notes.size(), 1u);
  EXPECT_EQ(f.frame->notes[0].code, static_cast<UINT>(NM_RCLICK));
  EXPECT_EQ(f.frame->notes[0].hwndFrom, bottom->m_hWnd);
  EXPECT_EQ(f.frame->notes[0].idFrom, static_cast<UINT_PTR>(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST(SizeDockLayout, LeftSideGivesASizableBarAColumnOfItsOwn) {
  SizeFrame f;
  ASSERT_NE(f.frame, nullptr);
  SizeBar s(CSize(100, 40));
  PlainBar p(CSize(60, 20));
  ASSERT_TRUE(Make(s, f.frame, S) && Make(p, f.frame, P));
  CSizeDockBar* left = f.Side(AFX_IDW_DOCKBAR_LEFT);
  f.frame->DockControlBarEx(&p, left, NULL);
  f.frame->RecalcLayout();
  CRect rp;
  p.GetWindowRect(&rp);
  // Dropped below p, in its column.
  f.frame->DockControlBarEx(&s, left, CRect(rp.left, rp.bottom + 4, rp.left + 20, rp.bottom + 60));
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_LEFT), (std::vector<int>{0, int(P), int(S), 0}));
  f.frame->RecalcLayout();
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_LEFT), (std::vector<int>{0, int(P), 0, int(S), 0}));
  CRect rs;
  s.GetWindowRect(&rs);
  p.GetWindowRect(&rp);
  EXPECT_EQ(rs.left, rp.right - 2);  // the next column
  // One splitter right of the last column, one pixel further out.
  ASSERT_EQ(left->m_arrSplitters.GetSize(), 1);
  left->ScreenToClient(&rs);
  EXPECT_EQ(f.Splitter(AFX_IDW_DOCKBAR_LEFT, 0)->m_type, CSplitterRect::vertical);
  EXPECT_EQ(f.Splitter(AFX_IDW_DOCKBAR_LEFT, 0)->m_rect.left, rs.right - 2 + 1);
}

TEST(SizeDockLayout, AHiddenFrameWithoutALayoutGivesThePlainSize) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(NULL, _T("hidden"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CSizeDockBar* bar = new CSizeDockBar;
  bar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(bar->Create(frame, CBRS_ALIGN_TOP | WS_CHILD | WS_VISIBLE, AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(bar->CalcFixedLayout(TRUE, TRUE), CSize(32767, 0));
  EXPECT_EQ(bar->CalcFixedLayout(FALSE, FALSE), CSize(0, 0));
  frame->DestroyWindow();
}

TEST(SizeDockFrame, DockingWithoutASideIsRefused) {
  CUIMDIFrameWndSizeDock* frame = new CUIMDIFrameWndSizeDock;
  ASSERT_TRUE(frame->Create(NULL, _T("top only"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  frame->EnableDocking(CBRS_ALIGN_TOP);
  PlainBar p(CSize(60, 20));
  ASSERT_TRUE(Make(p, frame, P));
  p.SetBarStyle(CBRS_ALIGN_LEFT);
  EXPECT_FALSE(frame->DockControlBarEx(&p, NULL, NULL));
  EXPECT_EQ(p.m_pDockBar, nullptr);
  EXPECT_FALSE(frame->DockControlBarEx(NULL, NULL, NULL));
  p.SetBarStyle(CBRS_ALIGN_TOP);
  EXPECT_TRUE(frame->DockControlBarEx(&p, NULL, NULL));
  EXPECT_TRUE(p.m_pDockBar->IsKindOf(RUNTIME_CLASS(CSizeDockBar)));
  frame->DestroyWindow();
}

// Exposes the tracker's adjustment with a starting rectangle.
class Tracker : public CQvRectTracker {
 public:
  Tracker(CRect start, UINT style, CRect limit) : CQvRectTracker(&start, style) {
    m_rectStart = start;
    m_rectLimit = limit;
  }
};

TEST(QvRectTracker, MovesStayInTheLimitAndTheFlagsKeepAnAxis) {
  const CRect start(10, 10, 30, 20), limit(0, 0, 100, 100);
  struct Case {
    UINT style;
    int handle;
    CRect proposed, expected;
  } cases[] = {
      {0, CRectTracker::hitMiddle, CRect(50, 50, 70, 60), CRect(50, 50, 70, 60)},
      // The left edge stops at the limit's left and right, the top 10 above the limit's bottom.
      {0, CRectTracker::hitMiddle, CRect(-20, -5, 0, 5), CRect(0, 0, 20, 10)},
      {0, CRectTracker::hitMiddle, CRect(150, 150, 170, 160), CRect(100, 90, 120, 100)},
      // A resize is clipped to the limit.
      {0, CRectTracker::hitBottomRight, CRect(10, 10, 130, 40), CRect(10, 10, 100, 40)},
      {CQvRectTracker::keepTopBottom, CRectTracker::hitMiddle, CRect(40, 60, 60, 70), CRect(40, 10, 60, 20)},
      {CQvRectTracker::keepLeftRight, CRectTracker::hitMiddle, CRect(40, 60, 60, 70), CRect(10, 60, 30, 70)},
  };
  for (const Case& c : cases) {
    Tracker t(start, c.style, limit);
    CRect r = c.proposed;
    t.AdjustRect(c.handle, &r);
    EXPECT_EQ(RectText(r), RectText(c.expected)) << "style " << c.style << " handle " << c.handle;
  }
  EXPECT_EQ(CQvRectTracker::HandleOfHitTest(HTBOTTOMLEFT), CRectTracker::hitBottomLeft);
  EXPECT_EQ(CQvRectTracker::HandleOfHitTest(HTCAPTION), CRectTracker::hitMiddle);
}

class DockApp : public CWinApp {
 public:
  DockApp() : CWinApp(_T("UidockTest")) {}
};

#ifdef UNICODE
const TCHAR kKey[] = _T("QuarnelUidockTestsU");
#else
const TCHAR kKey[] = _T("QuarnelUidockTestsA");
#endif

class SizeDockState : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    app.SetRegistryKey(kKey);
  }
  void TearDown() override { Clean(); }
  static void Clean() { RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kKey); }
  DockApp app;
};

// A sizable bar on the left and one floating, a plain bar on the top.
struct Saved {
  SizeFrame f;
  SizeBar s{CSize(100, 40)}, t{CSize(120, 50)};
  PlainBar p{CSize(60, 20)};
  bool Make() { return f.frame != NULL && ::Make(s, f.frame, S) && ::Make(t, f.frame, T) && ::Make(p, f.frame, P); }
  void Default() {
    for (CControlBar* bar : std::vector<CControlBar*>{&s, &t, &p}) f.frame->DockControlBarEx(bar, f.Side(AFX_IDW_DOCKBAR_TOP), NULL);
    f.frame->RecalcLayout();
  }
  std::string Shape() {
    std::string text;
    for (CControlBar* bar : std::vector<CControlBar*>{&s, &t, &p}) {
      CRect r;
      bar->GetWindowRect(&r);
      text += RectText(r) + (bar->IsFloating() ? " floating; " : "; ");
    }
    char sizes[128];
    snprintf(sizes, sizeof sizes, "s %ldx%ld %ldx%ld t %ldx%ld", s.m_vert.cx, s.m_vert.cy, s.m_horz.cx, s.m_horz.cy,
             t.m_float.cx, t.m_float.cy);
    return text + sizes;
  }
};

TEST_F(SizeDockState, SavedAndRestoredWithTheBarSizes) {
  std::string saved;
  {
    Saved l;
    ASSERT_TRUE(l.Make());
    l.f.frame->DockControlBarEx(&l.s, l.f.Side(AFX_IDW_DOCKBAR_LEFT), NULL);
    l.f.frame->DockControlBarEx(&l.p, l.f.Side(AFX_IDW_DOCKBAR_TOP), NULL);
    l.f.frame->FloatControlBar(&l.t, CPoint(500, 300));
    l.f.frame->RecalcLayout();
    l.f.Side(AFX_IDW_DOCKBAR_LEFT)->MoveSplitter(0, 30);  // the left column 30 wider
    l.t.m_float = CSize(150, 70);
    l.f.frame->FloatControlBar(&l.t, CPoint(500, 300));
    saved = l.Shape();
    l.f.frame->SaveBarState(_T("Layout"));
  }
  EXPECT_EQ(app.GetProfileInt(_T("Layout"), _T("Version"), 0), 2u);
  LPBYTE data = NULL;
  UINT bytes = 0;
  ASSERT_TRUE(app.GetProfileBinary(_T("Layout"), _T("BarSize_59456"), &data, &bytes));  // 0xE840
  delete[] data;
  EXPECT_EQ(bytes, 24u);
  Saved l;
  ASSERT_TRUE(l.Make());
  l.Default();
  EXPECT_NE(l.Shape(), saved);
  l.f.frame->LoadBarState(_T("Layout"));
  l.f.frame->RecalcLayout();
  EXPECT_EQ(l.Shape(), saved);
}

TEST_F(SizeDockState, AnotherVersionOrDamagedSizesLeaveTheDefaults) {
  {
    Saved l;
    ASSERT_TRUE(l.Make());
    l.f.frame->DockControlBarEx(&l.s, l.f.Side(AFX_IDW_DOCKBAR_LEFT), NULL);
    l.f.frame->RecalcLayout();
    l.f.frame->SaveBarState(_T("Layout"));
  }
  // Another version: nothing is used.
  app.WriteProfileInt(_T("Layout"), _T("Version"), 1);
  {
    Saved l;
    ASSERT_TRUE(l.Make());
    l.Default();
    const std::string before = l.Shape();
    l.f.frame->LoadBarState(_T("Layout"));
    l.f.frame->RecalcLayout();
    EXPECT_EQ(l.Shape(), before);
  }
  app.WriteProfileInt(_T("Layout"), _T("Version"), 2);
  // Sizes cut short, too long, of the wrong type or beyond the screen: the layout loads, the
  // damaged sizes are left alone or kept on the screen.
  const BYTE shortValue[23] = {};
  BYTE longValue[25] = {};
  INT32 huge[6] = {100000, 100000, -5, 40, 70000, 70000};
  struct Case {
    const char* what;
    const BYTE* data;
    UINT bytes;
  } cases[] = {{"23 bytes", shortValue, sizeof shortValue},
               {"25 bytes", longValue, sizeof longValue},
               {"a string", NULL, 0},
               {"beyond the screen", reinterpret_cast<BYTE*>(huge), sizeof huge}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.data != NULL)
      app.WriteProfileBinary(_T("Layout"), _T("BarSize_59456"), const_cast<BYTE*>(c.data), c.bytes);
    else
      app.WriteProfileString(_T("Layout"), _T("BarSize_59456"), _T("24 bytes of text......."));
    Saved l;
    ASSERT_TRUE(l.Make());
    l.Default();
    const CSize vert = l.s.m_vert;
    l.f.frame->LoadBarState(_T("Layout"));
    l.f.frame->RecalcLayout();
    EXPECT_EQ(l.s.m_pDockBar, l.f.Side(AFX_IDW_DOCKBAR_LEFT));  // the rest of the layout loaded
    if (c.data == reinterpret_cast<BYTE*>(huge)) {
      EXPECT_EQ(l.s.m_float, CSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
      EXPECT_EQ(l.s.m_horz.cx, 0);
    } else {
      EXPECT_EQ(l.s.m_vert.cx, vert.cx);
    }
  }
}

}  // namespace
