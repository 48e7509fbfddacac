// Sizable docking in the MDI frames: a document frame that docks, floats and keeps its own bars
// with their sizes in the profile, and the main frame restoring a saved bar layout.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_app.h>
#include <fw_bars.h>
#include <fw_dock.h>

#include <functional>
#include <string>
#include <vector>

#include "SizeDockBar.h"
#include "UIMDIFrame.h"
#include "UISizeDialogBar.h"
#include "test_support.h"
#include "uimdi_ids.h"

namespace {

using testing_support::PumpMessages;
using testing_support::RectText;

class Main : public CUIMDIFrameWnd {
 public:
  ~Main() override {
    if (m_hMenu != NULL) ::DestroyMenu(m_hMenu);
  }
  HMENU GetFrameMenu(BOOL) override {
    if (m_hMenu == NULL) m_hMenu = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MAIN));
    return m_hMenu;
  }

 private:
  HMENU m_hMenu = NULL;
};

class DockDoc : public CUIMDIChildWndSizeDock {};

const UINT S = 0xE860, P = 0xE861, Q = 0xE862, R = 0xE863;

// The bars a frame docks: a sizable dialog bar and three toolbars.
struct Bars {
  CUISizeDialogBar s;
  CToolBar p, q, r;
  bool Make(CFrameWnd* frame) {
    if (!s.Create(frame, IDD_SIZE_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, S)) return false;
    s.EnableDocking(CBRS_ALIGN_ANY);
    const UINT buttons[] = {ID_CMD_NEW, ID_CMD_PRINT};
    CToolBar* tools[] = {&p, &q, &r};
    const UINT ids[] = {P, Q, R};
    for (int i = 0; i < 3; ++i) {
      if (!tools[i]->CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), ids[i]) ||
          !tools[i]->SetButtons(buttons, 2))
        return false;
      tools[i]->CControlBar::EnableDocking(CBRS_ALIGN_ANY);
    }
    return true;
  }
  std::vector<CControlBar*> All() { return {&s, &p, &q, &r}; }
  // Where each bar is (screen), floating or hidden, and the sizable bar's sizes.
  std::string Shape() {
    std::string text;
    for (CControlBar* bar : All()) {
      CRect rect;
      bar->GetWindowRect(&rect);
      text += RectText(rect) + (bar->IsFloating() ? " floating" : "") + (bar->IsWindowVisible() ? "" : " hidden") + "; ";
    }
    char sizes[96];
    snprintf(sizes, sizeof sizes, "horz %ldx%ld vert %ldx%ld float %ldx%ld", s.m_sizeHorz.cx, s.m_sizeHorz.cy,
             s.m_sizeVert.cx, s.m_sizeVert.cy, s.m_sizeFloat.cx, s.m_sizeFloat.cy);
    return text + sizes;
  }
};

#ifdef UNICODE
const TCHAR kKey[] = _T("QuarnelUimdiDockTestsU");
#else
const TCHAR kKey[] = _T("QuarnelUimdiDockTestsA");
#endif

class DockFrames : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    app.SetRegistryKey(kKey);
    g_exp_bQATest = 1;  // the Windows menu: these frames need no menu bar
    main = new Main;
    ASSERT_TRUE(main->LoadFrame(IDR_MAIN));
    main->MoveWindow(0, 0, 800, 600);
    main->ShowWindow(SW_SHOW);
  }
  void TearDown() override {
    if (main != nullptr && ::IsWindow(main->m_hWnd)) main->DestroyWindow();
    PumpMessages();
    g_exp_bQATest = 0;
    Clean();
  }
  static void Clean() { RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kKey); }
  DockDoc* NewDoc() {
    auto* doc = new DockDoc;
    if (!doc->LoadFrame(IDR_DOC, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, main)) return nullptr;
    doc->EnableDocking(CBRS_ALIGN_ANY);
    doc->MoveWindow(0, 0, 600, 400);
    doc->ActivateFrame();
    return doc;
  }
  // Everything docked at the top, in creation order: the layout before any is restored.
  static void Default(CFrameWnd* frame, Bars& bars) {
    for (CControlBar* bar : bars.All()) frame->DockControlBar(bar, static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
    frame->RecalcLayout();
  }
  // The sizable bar on the left made 40 pixels wider, p on the bottom, q floating, r hidden.
  template <class FRAME>
  static void Arrange(FRAME* frame, Bars& bars) {
    frame->DockControlBarEx(&bars.s, DYNAMIC_DOWNCAST(CDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)), NULL);
    frame->DockControlBarEx(&bars.p, DYNAMIC_DOWNCAST(CDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)), NULL);
    frame->DockControlBarEx(&bars.r, DYNAMIC_DOWNCAST(CDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)), NULL);
    frame->FloatControlBar(&bars.q, CPoint(520, 330));
    frame->RecalcLayout();
    DYNAMIC_DOWNCAST(CSizeDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT))->MoveSplitter(0, 40);
    frame->ShowControlBar(&bars.r, FALSE, FALSE);
    frame->RecalcLayout();
  }

  // A document frame's bars arranged and saved in "Doc"; its shapes by default and as saved.
  bool SaveArranged(std::string* byDefault, std::string* saved) {
    DockDoc* doc = NewDoc();
    Bars bars;
    if (doc == nullptr || !bars.Make(doc)) return false;
    Default(doc, bars);
    if (byDefault != NULL) *byDefault = bars.Shape();
    Arrange(doc, bars);
    if (saved != NULL) *saved = bars.Shape();
    doc->SaveBarState(_T("Doc"));
    doc->MDIDestroy();
    PumpMessages();
    return true;
  }

  CWinApp app{_T("UimdiDock")};
  Main* main = nullptr;
};

TEST_F(DockFrames, ADocumentFrameDocksOnItsOwnSizableSides) {
  DockDoc* doc = NewDoc();
  ASSERT_NE(doc, nullptr);
  // Its own four sizable sides, inside the document frame; its floating frames are sizable.
  for (UINT side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM}) {
    CControlBar* bar = doc->GetControlBar(side);
    ASSERT_NE(bar, nullptr) << side;
    EXPECT_TRUE(bar->IsKindOf(RUNTIME_CLASS(CSizeDockBar))) << side;
    EXPECT_EQ(::GetParent(bar->m_hWnd), doc->m_hWnd);
  }
  EXPECT_EQ(doc->m_pFloatingFrameClass, RUNTIME_CLASS(CSizableMiniDockFrameWnd));
  Bars bars;
  ASSERT_TRUE(bars.Make(doc));
  // Docked by its alignment (the top), then on the left in a column of its own, as wide as
  // its vertical size.
  EXPECT_TRUE(doc->DockControlBarEx(&bars.s, NULL, NULL));
  EXPECT_EQ(bars.s.m_pDockBar, doc->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  Default(doc, bars);
  Arrange(doc, bars);
  EXPECT_EQ(bars.s.m_pDockBar, doc->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  CRect client, rs;
  doc->GetClientRect(&client);
  bars.s.GetWindowRect(&rs);
  doc->ScreenToClient(&rs);
  EXPECT_EQ(rs.Width(), bars.s.m_sizeVert.cx);
  EXPECT_EQ(bars.s.m_sizeVert.cx, bars.s.GetDefaultSize().cx + 40);
  EXPECT_TRUE(bars.q.IsFloating());
  EXPECT_TRUE(bars.q.m_pDockBar->GetParent()->IsKindOf(RUNTIME_CLASS(CSizableMiniDockFrameWnd)));
  // The main frame's sides hold none of them.
  for (CControlBar* bar : bars.All()) EXPECT_NE(bar->m_pDockSite, static_cast<CFrameWnd*>(main));
  doc->MDIDestroy();
}

TEST_F(DockFrames, ADocumentFrameSavesItsLayoutAndADamagedOneLeavesTheDefault) {
  std::string saved, byDefault;
  ASSERT_TRUE(SaveArranged(&byDefault, &saved));
  ASSERT_NE(saved, byDefault);
  EXPECT_EQ(app.GetProfileInt(_T("Doc"), _T("Version"), 0), 2u);
  LPBYTE data = NULL;
  UINT bytes = 0;
  CString sizeEntry;
  sizeEntry.Format(_T("BarSize_%u"), S);
  ASSERT_TRUE(app.GetProfileBinary(_T("Doc"), sizeEntry, &data, &bytes));
  delete[] data;
  EXPECT_EQ(bytes, 24u);
  auto restore = [&]() -> std::string {
    DockDoc* doc = NewDoc();
    if (doc == nullptr) return "no frame";
    Bars bars;
    if (!bars.Make(doc)) return "no bars";
    Default(doc, bars);
    doc->LoadBarState(_T("Doc"));
    doc->RecalcLayout();
    std::string shape = bars.Shape();
    doc->MDIDestroy();
    PumpMessages();
    return shape;
  };
  EXPECT_EQ(restore(), saved);

  // Damaged, cut short or oversized values: the stored layout is not used, the default stays.
  const BYTE cut[23] = {};
  const struct {
    const char* what;
    std::function<void()> damage;
    bool layoutLoads;  // the records are sound: only the bad size is left out
  } cases[] = {
      {"another version", [&] { app.WriteProfileInt(_T("Doc"), _T("Version"), 1); }, false},
      {"too many bars", [&] { app.WriteProfileInt(_T("Doc-Summary"), _T("Bars"), 100000); }, false},
      {"a record cut short", [&] { app.WriteProfileString(_T("Doc-Bar0"), _T("BarID"), NULL); }, false},
      {"a record's value of another type", [&] { app.WriteProfileString(_T("Doc-Bar1"), _T("Visible"), _T("yes")); },
       false},
      {"a size cut short", [&] { app.WriteProfileBinary(_T("Doc"), sizeEntry, const_cast<BYTE*>(cut), sizeof cut); },
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SaveArranged(NULL, NULL));
    c.damage();
    const std::string shape = restore();
    if (c.layoutLoads) {
      EXPECT_NE(shape, byDefault);
      EXPECT_NE(shape, saved);  // the sizable bar keeps its template's sizes
    } else {
      EXPECT_EQ(shape, byDefault);
    }
  }
}

TEST_F(DockFrames, TheMainFrameRestoresASavedLayoutAndRefusesOneThatDoesNotFit) {
  std::string saved, byDefault;
  {
    Bars bars;
    ASSERT_TRUE(bars.Make(main));
    Default(main, bars);
    byDefault = bars.Shape();
    Arrange(main, bars);
    saved = bars.Shape();
    CUIDockState state;
    main->GetDockState(state);
    state.SaveState(_T("Main"));
    main->SaveBarSizes(_T("Main"), TRUE);
    main->DestroyWindow();
    PumpMessages();
  }
  main = new Main;
  ASSERT_TRUE(main->LoadFrame(IDR_MAIN));
  main->MoveWindow(0, 0, 800, 600);
  main->ShowWindow(SW_SHOW);
  Bars bars;
  ASSERT_TRUE(bars.Make(main));
  Default(main, bars);
  // q hidden at the default layout's last look at the sides (the saved layout shows it): the
  // restored layout shows the bars as saved, without making room for a bar that reappears.
  main->ShowControlBar(&bars.q, FALSE, FALSE);
  main->RecalcLayout();
  ASSERT_GT(DYNAMIC_DOWNCAST(CSizeDockBar, main->GetControlBar(AFX_IDW_DOCKBAR_TOP))->m_arrHiddenBars.GetSize(), 0);
  main->SaveBarSizes(_T("Main"), FALSE);

  CDockState state;
  ASSERT_TRUE(state.LoadState(_T("Main")));
  // A copy that lists the sizable bar on two sides does not fit: nothing changes.
  CDockState twice;
  ASSERT_TRUE(twice.LoadState(_T("Main")));
  for (INT_PTR i = 0; i < twice.m_arrBarInfo.GetSize(); ++i) {
    auto* info = static_cast<CControlBarInfo*>(twice.m_arrBarInfo[i]);
    if (info->m_bDockBar && info->m_nBarID == AFX_IDW_DOCKBAR_BOTTOM) info->m_arrBarID.Add(S);
  }
  const std::string before = bars.Shape();
  main->SetDockState(twice);
  main->RecalcLayout();
  EXPECT_EQ(bars.Shape(), before);
  EXPECT_EQ(bars.s.m_pDockBar, main->GetControlBar(AFX_IDW_DOCKBAR_TOP));

  main->SetDockState(state);
  for (UINT side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM})
    EXPECT_EQ(DYNAMIC_DOWNCAST(CSizeDockBar, main->GetControlBar(side))->m_arrHiddenBars.GetSize(), 0) << side;
  // The layout follows at idle time.
  PumpMessages();
  main->SendMessage(WM_IDLEUPDATECMDUI);
  EXPECT_EQ(bars.Shape(), saved);
  EXPECT_TRUE(bars.q.m_pDockBar->GetParent()->IsWindowVisible());
  EXPECT_EQ(byDefault == saved, false);
}

}  // namespace
