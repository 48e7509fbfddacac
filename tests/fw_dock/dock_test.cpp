// Docking: bars in rows on the frame's sides, floating frames, the saved layout in the
// application profile, and dragging a bar with the mouse.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_app.h>
#include <fw_dock.h>

#include <functional>
#include <string>
#include <vector>

#include "dock_fixture.h"
#include "test_support.h"

namespace {

// A bar of a given length and depth: lying along a side when horizontal, across when vertical.
class Bar : public CControlBar {
 public:
  explicit Bar(CSize size, DWORD dockStyle = CBRS_ALIGN_ANY) : m_size(size), m_dock(dockStyle) {
    m_dwStyle = CBRS_ALIGN_TOP;
  }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }
  BOOL Make(CFrameWnd* frame, UINT id) {
    if (!Create(NULL, _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, m_size.cx, m_size.cy), frame, id)) return FALSE;
    EnableDocking(m_dock);
    return TRUE;
  }

 private:
  CSize m_size;
  DWORD m_dock;
};

std::string Text(const RECT& r) { return testing_support::RectText(r); }

std::string RectIn(CWnd* parent, CWnd* child) { return testing_support::RectInParent(parent->m_hWnd, child->m_hWnd); }

std::string ScreenRect(CWnd* wnd) {
  CRect r;
  wnd->GetWindowRect(&r);
  return Text(r);
}

using DockFrame = testing_support::DockingFrame<CFrameWnd, CDockBar>;

CRect ScreenOf(CWnd* wnd, CRect r) {
  wnd->ClientToScreen(&r);
  return r;
}

const UINT A = 0xE840, B = 0xE841, C = 0xE842, D = 0xE843, E = 0xE844;

TEST(DockBarRows, BarsGoIntoRowsAtTheDropPlaceAndWrapWhenTheSideIsShort) {
  DockFrame f;
  ASSERT_NE(f.frame, nullptr);
  Bar a(CSize(60, 20)), b(CSize(80, 20)), c(CSize(50, 24)), d(CSize(40, 20)), e(CSize(30, 10));
  ASSERT_TRUE(a.Make(f.frame, A) && b.Make(f.frame, B) && c.Make(f.frame, C) && d.Make(f.frame, D) &&
              e.Make(f.frame, E));
  CDockBar* top = f.Side(AFX_IDW_DOCKBAR_TOP);
  ASSERT_NE(top, nullptr);
  f.frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);  // a new row
  f.Layout();
  // Dropped right of a in its row: the row grows; without a place: a new last row.
  f.frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, ScreenOf(top, CRect(70, 2, 150, 22)));
  f.frame->DockControlBar(&c, AFX_IDW_DOCKBAR_TOP);
  f.Layout();
  // Dropped over the second row, left of nothing later: the row's end; above every row: a first row.
  f.frame->DockControlBar(&d, AFX_IDW_DOCKBAR_TOP, ScreenOf(top, CRect(55, 25, 95, 45)));
  f.Layout();
  f.frame->DockControlBar(&e, AFX_IDW_DOCKBAR_TOP, ScreenOf(top, CRect(100, -40, 130, -30)));
  f.Layout();
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_TOP), (std::vector<int>{0, int(E), 0, int(A), int(B), 0, int(C), int(D), 0}));
  const CRect cl = f.Client();
  EXPECT_EQ(RectIn(top, &e), Text(CRect(0, 0, 30, 10)));
  EXPECT_EQ(RectIn(top, &a), Text(CRect(0, 10, 60, 30)));
  EXPECT_EQ(RectIn(top, &b), Text(CRect(60, 10, 140, 30)));
  EXPECT_EQ(RectIn(top, &c), Text(CRect(0, 30, 50, 54)));
  EXPECT_EQ(RectIn(top, &d), Text(CRect(50, 30, 90, 50)));
  EXPECT_EQ(RectIn(f.frame, top), Text(CRect(0, 0, cl.right, 54)));
  EXPECT_EQ(RectIn(f.frame, &f.pane), Text(CRect(0, 54, cl.right, cl.bottom)));
  EXPECT_EQ(a.GetParent(), top);
  EXPECT_EQ(a.m_pDockBar, top);
  EXPECT_EQ(f.frame->GetControlBar(B), &b);  // found though it is no child of the frame

  // A short side wraps b below a for now; the rows themselves stay.
  f.frame->MoveWindow(0, 0, 130, 300);
  EXPECT_EQ(RectIn(top, &a), Text(CRect(0, 10, 60, 30)));
  EXPECT_EQ(RectIn(top, &b), Text(CRect(0, 30, 80, 50)));
  EXPECT_EQ(RectIn(top, &c), Text(CRect(0, 50, 50, 74)));
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_TOP).size(), 9u);

  // A hidden bar keeps its place and gives its room back; an emptied row goes.
  f.frame->ShowControlBar(&a, FALSE, FALSE);
  EXPECT_EQ(RectIn(top, &b), Text(CRect(0, 10, 80, 30)));
  a.DestroyWindow();
  e.DestroyWindow();
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_TOP), (std::vector<int>{0, int(B), 0, int(C), int(D), 0}));
  EXPECT_EQ(f.frame->GetControlBar(A), nullptr);
}

TEST(DockBarSides, EachSideTakesItsEdgeAndTurnsTheBar) {
  struct Case {
    UINT side;
    DWORD align;
    CRect dock, bar;  // in the client of 380 x 260 (dock), in the dock bar (bar)
  };
  DockFrame probe;
  ASSERT_NE(probe.frame, nullptr);
  const CRect cl = probe.Client();
  const Case cases[] = {
      {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, CRect(0, 0, cl.right, 20), CRect(0, 0, 60, 20)},
      {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, CRect(0, cl.bottom - 20, cl.right, cl.bottom), CRect(0, 0, 60, 20)},
      {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, CRect(0, 0, 20, cl.bottom), CRect(0, 0, 20, 60)},
      {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, CRect(cl.right - 20, 0, cl.right, cl.bottom), CRect(0, 0, 20, 60)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "side " << std::hex << k.side);
    DockFrame f;
    ASSERT_NE(f.frame, nullptr);
    Bar a(CSize(60, 20));
    ASSERT_TRUE(a.Make(f.frame, A));
    f.frame->DockControlBar(&a, k.side);
    f.Layout();
    EXPECT_EQ(RectIn(f.frame, f.Side(k.side)), Text(k.dock));
    EXPECT_EQ(RectIn(f.Side(k.side), &a), Text(k.bar));
    EXPECT_EQ(a.GetBarStyle() & CBRS_ALIGN_ANY, k.align);
    CRect pane;
    ::SubtractRect(&pane, &cl, &k.dock);
    EXPECT_EQ(RectIn(f.frame, &f.pane), Text(pane));
  }
}

TEST(DockBarSides, NoSideForTheBarIsRefusedAndTheBarStaysPut) {
  DockFrame f(400, 300, CBRS_ALIGN_TOP);
  ASSERT_NE(f.frame, nullptr);
  EXPECT_EQ(f.frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT), nullptr);
  Bar a(CSize(60, 20)), leftOnly(CSize(60, 20), CBRS_ALIGN_LEFT);
  ASSERT_TRUE(a.Make(f.frame, A) && leftOnly.Make(f.frame, B));
  f.frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  f.frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);  // the frame has no left side
  f.frame->DockControlBar(&leftOnly);                 // no side the bar may dock at
  f.frame->DockControlBar(&a, static_cast<CDockBar*>(NULL));
  f.frame->DockControlBar(NULL, AFX_IDW_DOCKBAR_TOP);
  f.Layout();
  EXPECT_EQ(a.m_pDockBar, f.Side(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(leftOnly.m_pDockBar, nullptr);
  EXPECT_EQ(leftOnly.GetParent(), f.frame);
  EXPECT_EQ(f.Entries(AFX_IDW_DOCKBAR_TOP), (std::vector<int>{0, int(A), 0}));
}

TEST(FloatingBars, FloatToggleCloseAndDockAgain) {
  DockFrame f;
  ASSERT_NE(f.frame, nullptr);
  Bar a(CSize(60, 20)), b(CSize(80, 20));
  ASSERT_TRUE(a.Make(f.frame, A) && b.Make(f.frame, B));
  f.frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  f.frame->DockControlBar(&b, AFX_IDW_DOCKBAR_LEFT);
  f.Layout();
  const std::string docked = ScreenRect(&a);

  f.frame->FloatControlBar(&a, CPoint(450, 320));
  f.Layout();
  ASSERT_TRUE(a.IsFloating());
  ASSERT_NE(a.m_pDockBar, nullptr);
  EXPECT_TRUE(a.m_pDockBar->m_bFloating);
  CWnd* mini = a.m_pDockBar->GetParent();
  ASSERT_TRUE(mini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  EXPECT_EQ(::GetWindow(mini->m_hWnd, GW_OWNER), f.frame->m_hWnd);
  CRect w, c;
  mini->GetWindowRect(&w);
  mini->GetClientRect(&c);
  EXPECT_EQ(w.TopLeft(), CPoint(450, 320));
  EXPECT_EQ(c.Size(), CSize(60, 20));
  EXPECT_TRUE(mini->IsWindowVisible());
  EXPECT_EQ(f.frame->GetControlBar(A), &a);
  const CRect cl = f.Client();
  EXPECT_EQ(RectIn(f.frame, &f.pane), Text(CRect(20, 0, cl.right, cl.bottom)));  // the top side is empty

  // Closing the floating frame hides the bar; showing the bar shows its frame again.
  mini->SendMessage(WM_CLOSE);
  EXPECT_FALSE(a.IsWindowVisible());
  EXPECT_FALSE(mini->IsWindowVisible());
  f.frame->ShowControlBar(&a, TRUE, FALSE);
  EXPECT_TRUE(mini->IsWindowVisible());

  // Double click on the caption docks it back at its most recent place; the empty frame goes.
  const HWND miniWnd = mini->m_hWnd;
  mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(455, 325));
  testing_support::PumpMessages();
  EXPECT_FALSE(::IsWindow(miniWnd));
  EXPECT_FALSE(a.IsFloating());
  EXPECT_EQ(a.m_pDockBar, f.Side(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(ScreenRect(&a), docked);

  // A double click on a docked bar floats it where it floated last.
  a.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(a.IsFloating());
  a.m_pDockBar->GetParent()->GetWindowRect(&w);
  EXPECT_EQ(w.TopLeft(), CPoint(450, 320));
  // Docking it by call moves it out of its floating frame.
  f.frame->DockControlBar(&a, AFX_IDW_DOCKBAR_RIGHT);
  testing_support::PumpMessages();
  f.Layout();
  EXPECT_EQ(a.m_pDockBar, f.Side(AFX_IDW_DOCKBAR_RIGHT));
  EXPECT_EQ(RectIn(f.frame, &a), Text(CRect(cl.right - 20, 0, cl.right, 60)));
}

// The application with its profile in the registry.
class DockApp : public CWinApp {
 public:
  DockApp() : CWinApp(_T("FwdockTest")) {}
};

#ifdef UNICODE
const TCHAR kKey[] = _T("QuarnelFwdockTestsU");
#else
const TCHAR kKey[] = _T("QuarnelFwdockTestsA");
#endif

class BarState : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    app.SetRegistryKey(kKey);
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    CString path = CString(_T("Software\\")) + kKey;
    RegDeleteTree(HKEY_CURRENT_USER, path);
  }
  DockApp app;
};

// Four bars: a and b in one top row, c on the left, d floating.
struct Layout {
  DockFrame f;
  Bar a{CSize(60, 20)}, b{CSize(80, 20)}, c{CSize(50, 24)}, d{CSize(40, 16)};
  bool Make() {
    return f.frame != NULL && a.Make(f.frame, A) && b.Make(f.frame, B) && c.Make(f.frame, C) && d.Make(f.frame, D);
  }
  void Default() {
    for (Bar* bar : {&a, &b, &c, &d}) f.frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    f.Layout();
  }
  void Arrange() {
    f.frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    f.Layout();
    f.frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, ScreenOf(f.Side(AFX_IDW_DOCKBAR_TOP), CRect(70, 0, 150, 20)));
    f.frame->DockControlBar(&c, AFX_IDW_DOCKBAR_LEFT);
    f.frame->FloatControlBar(&d, CPoint(450, 320));
    f.Layout();
  }
  std::string Shape() {
    std::string s;
    for (Bar* bar : {&a, &b, &c, &d})
      s += ScreenRect(bar) + (bar->IsFloating() ? " floating" : "") + (bar->IsWindowVisible() ? "" : " hidden") + "; ";
    return s;
  }
};

TEST_F(BarState, SavedDestroyedAndRestoredGivesTheSameLayout) {
  std::string saved;
  {
    Layout l;
    ASSERT_TRUE(l.Make());
    l.Arrange();
    l.f.frame->ShowControlBar(&l.b, FALSE, FALSE);
    saved = l.Shape();
    l.f.frame->SaveBarState(_T("Bars"));
  }
  Layout l;
  ASSERT_TRUE(l.Make());
  l.Default();
  EXPECT_NE(l.Shape(), saved);
  l.f.frame->LoadBarState(_T("Bars"));
  l.f.Layout();
  EXPECT_EQ(l.Shape(), saved);
  EXPECT_EQ(l.f.Entries(AFX_IDW_DOCKBAR_TOP), (std::vector<int>{0, int(A), int(B), 0}));
  EXPECT_EQ(l.f.Entries(AFX_IDW_DOCKBAR_LEFT), (std::vector<int>{0, int(C), 0}));
  // The floating frame made anew has the bar's title as its caption, and follows it.
  CFrameWnd* floating = DYNAMIC_DOWNCAST(CFrameWnd, l.d.m_pDockBar->GetParent());
  ASSERT_NE(floating, nullptr);
  CString caption;
  floating->GetWindowText(caption);
  EXPECT_EQ(caption, CString(_T("bar")));
  l.d.SetWindowText(_T("Totals"));
  floating->RecalcLayout();
  floating->GetWindowText(caption);
  EXPECT_EQ(caption, CString(_T("Totals")));
  // The floating bar docks back at the side it was dragged from last.
  l.d.m_pDockContext->ToggleDocking();
  EXPECT_EQ(l.d.m_pDockBar, l.f.Side(AFX_IDW_DOCKBAR_TOP));
}

// Finds the record of the bar (or dock bar) with the id.
CString RecordOf(CWinApp& app, UINT id) {
  for (int i = 0; i < 64; ++i) {
    CString section;
    section.Format(_T("Bars-Bar%d"), i);
    if (app.GetProfileInt(section, _T("BarID"), 0) == id) return section;
  }
  return CString();
}

TEST_F(BarState, DamagedStateIsRefusedAndTheLayoutStays) {
  struct Damage {
    const char* what;
    std::function<void(CWinApp&)> apply;
  };
  const Damage damages[] = {
      {"nothing damaged (the state applies)", nullptr},
      {"no summary", [](CWinApp& a) { a.WriteProfileString(_T("Bars-Summary"), NULL, NULL); }},
      {"negative count", [](CWinApp& a) { a.WriteProfileInt(_T("Bars-Summary"), _T("Bars"), -1); }},
      {"huge count", [](CWinApp& a) { a.WriteProfileInt(_T("Bars-Summary"), _T("Bars"), 100000); }},
      {"count as text", [](CWinApp& a) { a.WriteProfileString(_T("Bars-Summary"), _T("Bars"), _T("7")); }},
      {"count past the records", [](CWinApp& a) { a.WriteProfileInt(_T("Bars-Summary"), _T("Bars"), 40); }},
      {"record without id", [](CWinApp& a) { a.WriteProfileString(RecordOf(a, A), _T("BarID"), NULL); }},
      {"id out of range", [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, A), _T("BarID"), 0x12345); }},
      {"visible not a flag", [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, B), _T("Visible"), 5); }},
      {"position out of range", [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, B), _T("XPos"), 40000); }},
      {"dock bar with a huge list",
       [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, AFX_IDW_DOCKBAR_TOP), _T("Bars"), 1000000); }},
      {"dock bar list cut short",
       [](CWinApp& a) { a.WriteProfileString(RecordOf(a, AFX_IDW_DOCKBAR_TOP), _T("Bar#1"), NULL); }},
      {"a bar on two sides",
       [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, AFX_IDW_DOCKBAR_LEFT), _T("Bar#0"), A); }},
      {"a bar twice in a row",
       [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, AFX_IDW_DOCKBAR_TOP), _T("Bar#1"), A); }},
      {"a bar record naming a dock bar",
       [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, A), _T("BarID"), AFX_IDW_DOCKBAR_RIGHT); }},
      {"a side record naming a bar",
       [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, AFX_IDW_DOCKBAR_LEFT), _T("BarID"), B); }},
      {"most recent side not a side", [](CWinApp& a) { a.WriteProfileInt(RecordOf(a, A), _T("MRUDockID"), A); }},
  };
  {
    Layout l;
    ASSERT_TRUE(l.Make());
    l.Arrange();
    l.f.frame->SaveBarState(_T("Bars"));
  }
  ASSERT_FALSE(RecordOf(app, A).IsEmpty());
  ASSERT_FALSE(RecordOf(app, AFX_IDW_DOCKBAR_TOP).IsEmpty());
  const CString path = CString(_T("Software\\")) + kKey + _T("\\FwdockTest");
  const CString copy = path + _T("Copy");
  HKEY good = NULL;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, copy, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &good, NULL), ERROR_SUCCESS);
  HKEY source = NULL;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &source), ERROR_SUCCESS);
  ASSERT_EQ(RegCopyTree(source, NULL, good), ERROR_SUCCESS);
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    // Back to the good state, then one damage.
    RegDeleteTree(source, NULL);
    ASSERT_EQ(RegCopyTree(good, NULL, source), ERROR_SUCCESS);
    if (damage.apply) damage.apply(app);
    Layout l;
    ASSERT_TRUE(l.Make());
    l.Default();
    const std::string before = l.Shape();
    l.f.frame->LoadBarState(_T("Bars"));
    l.f.Layout();
    testing_support::PumpMessages();
    if (damage.apply)
      EXPECT_EQ(l.Shape(), before);
    else
      EXPECT_NE(l.Shape(), before);
  }
  RegCloseKey(source);
  RegCloseKey(good);
}

TEST_F(BarState, UnknownBarsAreSkippedAndFloatingFramesStayOnTheScreen) {
  {
    Layout l;
    ASSERT_TRUE(l.Make());
    l.Arrange();
    l.f.frame->SaveBarState(_T("Bars"));
  }
  // A bar the program no longer makes, and a floating frame far off the screen.
  app.WriteProfileInt(RecordOf(app, AFX_IDW_DOCKBAR_LEFT), _T("Bar#0"), 0xE8F0);
  CString floating;
  for (int i = 0; i < 64 && floating.IsEmpty(); ++i) {
    CString section;
    section.Format(_T("Bars-Bar%d"), i);
    if (app.GetProfileInt(section, _T("BarID"), 0) == AFX_IDW_DOCKBAR_FLOAT) floating = section;
  }
  ASSERT_FALSE(floating.IsEmpty());
  app.WriteProfileInt(floating, _T("XPos"), 30000);
  app.WriteProfileInt(floating, _T("YPos"), -30000);
  Layout l;
  ASSERT_TRUE(l.Make());
  l.Default();
  l.f.frame->LoadBarState(_T("Bars"));
  l.f.Layout();
  testing_support::PumpMessages();
  EXPECT_EQ(l.f.Entries(AFX_IDW_DOCKBAR_TOP), (std::vector<int>{0, int(A), int(B), 0, int(C), 0}));  // c stays
  ASSERT_TRUE(l.d.IsFloating());
  CRect w;
  l.d.m_pDockBar->GetParent()->GetWindowRect(&w);
  EXPECT_GE(w.left, 0);
  EXPECT_LT(w.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(w.top, 0);
}

}  // namespace
