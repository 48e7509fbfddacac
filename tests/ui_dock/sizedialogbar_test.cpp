// Sizable dialog bars: their three sizes, their floating frame, the drag that carries their
// sizes and the prompt, and the saved layout without the custom toolbars that are not kept.
#include <gtest/gtest.h>

#include <UICustToolBar.h>
#include <UISizeDialogBar.h>
#include <UISizeDockFrame.h>
#include <fw_app.h>

#include <algorithm>
#include <vector>

#include "dock_fixture.h"
#include "test_support.h"

namespace {

using testing_support::RectText;

// A frame that records the prompts it is asked to show.
class PromptFrame : public CUIMDIFrameWndSizeDock {
 public:
  std::vector<UINT> prompts;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETMESSAGESTRING) prompts.push_back(static_cast<UINT>(wParam));
    return CUIMDIFrameWndSizeDock::WindowProc(message, wParam, lParam);
  }
};

using Frame = testing_support::DockingFrame<PromptFrame, CSizeDockBar>;

// A bar the user may not close.
class KeptBar : public CUISizeDialogBar {
 public:
  BOOL CanClose() override { return FALSE; }
};

const UINT B = 0xE850;
const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC;

bool MakeBar(CUISizeDialogBar& bar, CFrameWnd* frame, UINT id = B) {
  if (!bar.Create(frame, 200, kBarStyle, id)) return false;
  bar.EnableDocking(CBRS_ALIGN_ANY);
  return true;
}

void Pump() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
}

// The floating frame holding a bar.
CWnd* MiniOf(CControlBar& bar) { return bar.m_pDockBar != NULL ? bar.m_pDockBar->GetParent() : NULL; }

CRect WindowRect(CWnd* wnd) {
  CRect r;
  wnd->GetWindowRect(&r);
  return r;
}

TEST(UISizeDialogBar, KeepsItsThreeSizesAndAnswersThemBySide) {
  Frame f;
  ASSERT_NE(f.frame, nullptr);
  CUISizeDialogBar bar;
  ASSERT_TRUE(MakeBar(bar, f.frame));
  const CSize tmpl = bar.GetDefaultSize();
  ASSERT_GT(tmpl.cx, 0);
  EXPECT_EQ(bar.GetFloatSize(), tmpl);
  EXPECT_EQ(bar.GetHorzSize(), tmpl);
  EXPECT_EQ(bar.GetVertSize(), tmpl);
  EXPECT_FALSE(bar.MustBeFirstOnLeft());
  EXPECT_TRUE(bar.MustBeAloneVertically());
  EXPECT_NE(dynamic_cast<CDragDockContext*>(bar.m_pDockContext), nullptr);
  EXPECT_EQ(bar.m_hWndOwner, f.frame->m_hWnd);  // its parent made its owner

  bar.SetHorzSize(CSize(300, 44));
  bar.SetVertSize(CSize(90, 200));
  bar.SetFloatSize(CSize(150, 80));
  EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), CSize(300, 44));
  EXPECT_EQ(bar.CalcFixedLayout(FALSE, FALSE), CSize(90, 200));
  ASSERT_TRUE(f.frame->DockControlBarEx(&bar, f.Side(AFX_IDW_DOCKBAR_LEFT), NULL));
  f.Layout();
  EXPECT_EQ(WindowRect(&bar).Width(), 90);
  f.frame->FloatControlBar(&bar, CPoint(500, 300));
  EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), CSize(150, 80));
}

TEST(UISizeDialogBar, ItsFloatingFrameSizesItAndKeepsItOpenWhenItMayNotClose) {
  Frame f;
  ASSERT_NE(f.frame, nullptr);
  KeptBar bar;
  ASSERT_TRUE(MakeBar(bar, f.frame));
  bar.SetFloatSize(CSize(150, 80));
  f.frame->FloatControlBar(&bar, CPoint(500, 300));
  auto* mini = DYNAMIC_DOWNCAST(CSizableMiniDockFrameWnd, MiniOf(bar));
  ASSERT_NE(mini, nullptr);
  EXPECT_TRUE(mini->GetStyle() & WS_THICKFRAME);
  EXPECT_EQ(mini->IsDblClicked(), 0);
  mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(510, 310));
  EXPECT_EQ(mini->IsDblClicked(), CSizableMiniDockFrameWnd::sizableBar);
  EXPECT_TRUE(mini->GetStyle() & WS_THICKFRAME);  // a sizable bar's frame keeps its sizing border
  CRect client;
  mini->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(150, 80));

  // The user sizes the frame: the bar's floating size follows the client.
  CRect window = WindowRect(mini);
  mini->SetWindowPos(NULL, 0, 0, window.Width() + 40, window.Height() + 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  mini->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(190, 100));
  EXPECT_EQ(bar.GetFloatSize(), CSize(190, 100));
  EXPECT_EQ(WindowRect(&bar).Size(), CSize(190, 100));

  // Its system menu: no Size item, and Close under the framework's own name.
  HMENU menu = ::GetSystemMenu(mini->m_hWnd, FALSE);
  ASSERT_NE(menu, (HMENU)NULL);
  EXPECT_EQ(::GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
  TCHAR text[64] = {};
  ::GetMenuString(menu, SC_CLOSE, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, _T("Hide"));

  mini->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  EXPECT_TRUE(::IsWindow(mini->m_hWnd));
  EXPECT_TRUE(mini->IsWindowVisible());
  EXPECT_TRUE(bar.IsWindowVisible());
}

// A drag driven by posted mouse and key messages while the context's loop runs.
struct Drag {
  Frame f;
  CUISizeDialogBar bar;
  bool Make() {
    if (f.frame == NULL || !MakeBar(bar, f.frame)) return false;
    f.frame->DockControlBarEx(&bar, f.Side(AFX_IDW_DOCKBAR_TOP), NULL);
    f.frame->ShowWindow(SW_SHOWNOACTIVATE);
    f.Layout();
    Pump();
    f.frame->prompts.clear();
    return true;
  }
  void Post(UINT message, WPARAM wParam, CPoint screen) {
    CPoint client = screen;
    bar.ScreenToClient(&client);
    bar.PostMessage(message, wParam, MAKELPARAM(client.x, client.y));
  }
};

TEST(DragDockContext, DraggedOffTheFrameTheBarFloatsAtItsFloatingSize) {
  Drag d;
  ASSERT_TRUE(d.Make());
  d.bar.SetFloatSize(CSize(170, 60));
  const CPoint start = WindowRect(&d.bar).TopLeft() + CPoint(5, 5);
  const CPoint end = start + CPoint(800, 500);
  d.Post(WM_MOUSEMOVE, MK_LBUTTON, end);
  d.Post(WM_LBUTTONUP, 0, end);
  d.bar.m_pDockContext->StartDrag(start);
  EXPECT_TRUE(d.bar.IsFloating());
  EXPECT_EQ(d.f.frame->prompts, (std::vector<UINT>{CDragDockContext::kDragPrompt, AFX_IDS_IDLEMESSAGE}));
  CWnd* mini = MiniOf(d.bar);
  ASSERT_NE(DYNAMIC_DOWNCAST(CSizableMiniDockFrameWnd, mini), nullptr);
  CRect client;
  mini->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(170, 60));
  // The drop point lies inside the floating frame's outline.
  EXPECT_TRUE(WindowRect(mini).PtInRect(end)) << RectText(WindowRect(mini));
  EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

TEST(DragDockContext, DroppedOnTheLeftSideTheBarStandsAloneAtItsVerticalWidth) {
  Drag d;
  ASSERT_TRUE(d.Make());
  d.bar.SetVertSize(CSize(90, 10));
  CRect client = d.f.Client();
  d.f.frame->ClientToScreen(&client);
  const CPoint start = WindowRect(&d.bar).TopLeft() + CPoint(5, 5);
  const CPoint end(client.left + 2, client.CenterPoint().y);
  d.Post(WM_MOUSEMOVE, MK_LBUTTON, end);
  d.Post(WM_LBUTTONUP, 0, end);
  d.bar.m_pDockContext->StartDrag(start);
  d.f.Layout();
  CSizeDockBar* left = d.f.Side(AFX_IDW_DOCKBAR_LEFT);
  ASSERT_EQ(d.bar.m_pDockBar, left);
  EXPECT_EQ(d.f.Entries(AFX_IDW_DOCKBAR_LEFT), (std::vector<int>{0, static_cast<int>(B), 0}));
  EXPECT_EQ(WindowRect(&d.bar).Width(), 90);
  EXPECT_EQ(d.bar.m_pDockContext->m_uMRUDockID, static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(d.f.frame->prompts, (std::vector<UINT>{CDragDockContext::kDragPrompt, AFX_IDS_IDLEMESSAGE}));
}

TEST(DragDockContext, EscapeOrTheRightButtonLeaveTheBarAndRestoreTheIdlePrompt) {
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i == 0 ? "Escape" : "right button");
    Drag d;
    ASSERT_TRUE(d.Make());
    const CRect before = WindowRect(&d.bar);
    const CPoint start = before.TopLeft() + CPoint(5, 5);
    d.Post(WM_MOUSEMOVE, MK_LBUTTON, start + CPoint(800, 500));
    if (i == 0)
      d.bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    else
      d.Post(WM_RBUTTONDOWN, MK_RBUTTON, start + CPoint(800, 500));
    d.Post(WM_LBUTTONUP, 0, start + CPoint(800, 500));  // after the loop: an ordinary release
    d.bar.m_pDockContext->StartDrag(start);
    Pump();
    EXPECT_FALSE(d.bar.IsFloating());
    EXPECT_EQ(d.bar.m_pDockBar, d.f.Side(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(WindowRect(&d.bar), before);
    EXPECT_EQ(d.f.frame->prompts, (std::vector<UINT>{CDragDockContext::kDragPrompt, AFX_IDS_IDLEMESSAGE}));
  }
}

// The saved layout and the custom toolbars.
class DockApp : public CWinApp {
 public:
  DockApp() : CWinApp(_T("UidockBarsTest")) {}
};
#ifdef UNICODE
const TCHAR kKey[] = _T("QuarnelUidockBarsTestsU");
#else
const TCHAR kKey[] = _T("QuarnelUidockBarsTestsA");
#endif

class NotWithMain : public CCustToolBar {
 public:
  int SaveWithMainToolbars() override { return 0; }
};

TEST(SizableMiniDockFrameWnd, AFrameOfAnotherBarLosesItsSizingBorder) {
  Frame f;
  ASSERT_NE(f.frame, nullptr);
  CControlBar plain;
  ASSERT_TRUE(plain.Create(NULL, _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), f.frame, 0xE855));
  plain.EnableDocking(CBRS_ALIGN_ANY);
  f.frame->FloatControlBar(&plain, CPoint(500, 300));
  auto* mini = DYNAMIC_DOWNCAST(CSizableMiniDockFrameWnd, MiniOf(plain));
  ASSERT_NE(mini, nullptr);
  EXPECT_TRUE(mini->GetStyle() & WS_THICKFRAME);
  mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(510, 310));
  EXPECT_EQ(mini->IsDblClicked(), CSizableMiniDockFrameWnd::ordinary);
  EXPECT_FALSE(mini->GetStyle() & WS_THICKFRAME);
  EXPECT_TRUE(mini->GetStyle() & MFS_MOVEFRAME);
}

TEST(UIDockState, CustomToolbarsNotKeptAreNeitherCollectedNorCounted) {
  ::RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kKey);
  DockApp app;
  app.SetRegistryKey(kKey);
  Frame f;
  ASSERT_NE(f.frame, nullptr);
  CUISizeDialogBar bar;
  CCustToolBar kept, passing;
  NotWithMain apart;
  ASSERT_TRUE(MakeBar(bar, f.frame));
  ASSERT_TRUE(kept.Create(f.frame, 0xE860, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  ASSERT_TRUE(passing.Create(f.frame, 0xE861, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  ASSERT_TRUE(apart.Create(f.frame, 0xE862, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  kept.SetPersistentToolBar(1);
  passing.SetPersistentToolBar(0);
  apart.SetPersistentToolBar(1);

  CUIDockState state;
  f.frame->GetDockState(state);
  std::vector<UINT> ids;
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
    ids.push_back(static_cast<CControlBarInfo*>(state.m_arrBarInfo[i])->m_nBarID);
  EXPECT_NE(std::find(ids.begin(), ids.end(), 0xE860u), ids.end());
  EXPECT_NE(std::find(ids.begin(), ids.end(), 0xE861u), ids.end());
  EXPECT_EQ(std::find(ids.begin(), ids.end(), 0xE862u), ids.end());  // not collected
  const UINT collected = static_cast<UINT>(ids.size());

  // The dialog bar floats and its frame is sized: the new floating size is saved.
  f.frame->FloatControlBar(&bar, CPoint(500, 300));
  CWnd* mini = MiniOf(bar);
  ASSERT_NE(mini, nullptr);
  CRect window = WindowRect(mini), client;
  mini->GetClientRect(&client);
  mini->SetWindowPos(NULL, 0, 0, window.Width() - client.Width() + 210, window.Height() - client.Height() + 70,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  f.frame->GetDockState(state);
  const UINT withFloating = static_cast<UINT>(state.m_arrBarInfo.GetSize());

  f.frame->SaveBarState(_T("Layout"));
  EXPECT_EQ(app.GetProfileInt(_T("Layout-Summary"), _T("Bars"), 0), withFloating - 1);  // the passing one
  EXPECT_GE(withFloating, collected);
  EXPECT_EQ(app.GetProfileInt(_T("Layout"), _T("Version"), 0), 2u);
  LPBYTE data = NULL;
  UINT bytes = 0;
  CString entry;
  entry.Format(_T("BarSize_%u"), B);
  ASSERT_TRUE(app.GetProfileBinary(_T("Layout"), entry, &data, &bytes));
  ASSERT_EQ(bytes, 24u);
  INT32 sizes[6];
  memcpy(sizes, data, sizeof sizes);
  delete[] data;
  EXPECT_EQ(sizes[0], 210);
  EXPECT_EQ(sizes[1], 70);
  f.frame->DestroyWindow();
  ::RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kKey);
}

}  // namespace
