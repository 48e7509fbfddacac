// The splitter of document frames with command buttons beside its horizontal scroll bar:
// where the buttons go, their tips, the command a pressed button runs, and what it leaves.
#include <gtest/gtest.h>

#include <framework.h>

#include <string>
#include <vector>

#include "UICommandCenter.h"
#include "UISplitterWnd.h"
#include "handle_counts.h"
#include "test_support.h"

using testing_support::GuiCounts;
using testing_support::PumpMessages;

namespace {

const WORD kZoomIn = 41001, kZoomOut = 41002, kFit = 41003;
std::vector<UINT> g_commands;

class Pane : public CView {
  DECLARE_DYNCREATE(Pane)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(Pane, CView)

class Frame : public CFrameWnd {
 public:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam == 0) g_commands.push_back(LOWORD(wParam));
    return CFrameWnd::OnCommand(wParam, lParam);
  }
};

// Commands known to the command centre for the test's life.
class Commands : public ::testing::Test {
 protected:
  void SetUp() override {
    for (WORD id : {kZoomIn, kZoomOut, kFit}) {
      auto* c = new CUICommand;
      c->m_wID = id;
      ASSERT_EQ(CUICommandCenter::GetCommandCenter().AddCommand(c), 1);
    }
  }
  void TearDown() override {
    for (WORD id : {kZoomIn, kZoomOut, kFit}) delete CUICommandCenter::GetCommandCenter().RemoveCommand(id);
  }
  static CUICommand* Command(WORD id) { return CUICommandCenter::GetCommandCenter().GetCommand(id); }
};

std::string RectOf(CWnd* parent, HWND child) {
  CRect r;
  ::GetWindowRect(child, &r);
  parent->ScreenToClient(&r);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::wstring TipFor(CUISplitterWnd* splitter, UINT_PTR idFrom) {
  NMTTDISPINFOW info = {};
  info.hdr.hwndFrom = splitter->GetToolTip()->m_hWnd;
  info.hdr.idFrom = idFrom;
  info.hdr.code = TTN_NEEDTEXTW;
  info.uFlags = TTF_IDISHWND;
  wcscpy(info.szText, L"stale");
  splitter->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return info.szText;
}

TEST_F(Commands, ButtonsSitLeftOfTheShortenedScrollBarInTheOrderOfAdding) {
  auto* frame = new Frame;
  ASSERT_TRUE(frame->Create(NULL, _T("doc"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300)));
  CUISplitterWnd* splitter = new CUISplitterWnd;
  ASSERT_TRUE(splitter->CreateStatic(frame, 1, 2, WS_CHILD | WS_VISIBLE | WS_HSCROLL));
  ASSERT_TRUE(splitter->CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(200, 0), NULL));
  ASSERT_TRUE(splitter->CreateView(0, 1, RUNTIME_CLASS(Pane), CSize(0, 0), NULL));
  splitter->m_cyHScroll = 16;
  splitter->MoveWindow(0, 0, 400, 300);
  splitter->RecalcLayout();
  HWND hBar = ::GetDlgItem(splitter->m_hWnd, AFX_IDW_HSCROLL_FIRST);
  EXPECT_EQ(RectOf(splitter, hBar), "0,284,200,300");

  splitter->AddCommandInScrollBar(NULL, TRUE);  // nothing at all
  EXPECT_EQ(splitter->GetToolTip(), nullptr);
  splitter->AddCommandInScrollBar(Command(kFit), FALSE);  // only the tooltip control
  ASSERT_NE(splitter->GetToolTip(), nullptr);
  EXPECT_EQ(splitter->GetButtonCount(), 0);
  for (WORD id : {kZoomIn, kZoomOut, kFit}) splitter->AddCommandInScrollBar(Command(id), TRUE);
  ASSERT_EQ(splitter->GetButtonCount(), 3);
  EXPECT_EQ(RectOf(splitter, hBar), "60,284,200,300");
  EXPECT_EQ(RectOf(splitter, splitter->GetButton(0)->m_hWnd), "0,284,20,300");
  EXPECT_EQ(RectOf(splitter, splitter->GetButton(1)->m_hWnd), "20,284,40,300");
  EXPECT_EQ(RectOf(splitter, splitter->GetButton(2)->m_hWnd), "40,284,60,300");
  EXPECT_EQ(splitter->GetButton(2)->GetDlgCtrlID(), kFit);
  // A new layout (a resize) keeps them there.
  splitter->MoveWindow(0, 0, 300, 200);
  EXPECT_EQ(RectOf(splitter, hBar), "60,184,200,200");
  EXPECT_EQ(RectOf(splitter, splitter->GetButton(0)->m_hWnd), "0,184,20,200");

  // Tips: the second part of the command's string; none for a window that is no button, nor
  // for a command string without a tip.
  EXPECT_EQ(TipFor(splitter, reinterpret_cast<UINT_PTR>(splitter->GetButton(0)->m_hWnd)), L"Zoom in");
  EXPECT_EQ(TipFor(splitter, reinterpret_cast<UINT_PTR>(splitter->GetButton(1)->m_hWnd)), L"Zoom out");
  EXPECT_EQ(TipFor(splitter, reinterpret_cast<UINT_PTR>(splitter->GetButton(2)->m_hWnd)), L"");
  EXPECT_EQ(TipFor(splitter, reinterpret_cast<UINT_PTR>(hBar)), L"");

  // A pressed button runs its command through the frame.
  g_commands.clear();
  splitter->GetButton(1)->SendMessage(BM_CLICK);
  PumpMessages();
  EXPECT_EQ(g_commands, std::vector<UINT>{kZoomOut});
  frame->DestroyWindow();
  delete splitter;
}

TEST_F(Commands, NothingLeftAfterManySplittersWithButtons) {
  auto make = [this]() {
    auto* frame = new Frame;
    ASSERT_TRUE(frame->Create(NULL, _T("doc"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200)));
    CUISplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(frame, 1, 1, WS_CHILD | WS_VISIBLE | WS_HSCROLL));
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(0, 0), NULL));
    for (WORD id : {kZoomIn, kZoomOut}) splitter.AddCommandInScrollBar(Command(id), TRUE);
    ::UpdateWindow(frame->m_hWnd);
    frame->DestroyWindow();
  };
  make();
  PumpMessages();
  const GuiCounts before = GuiCounts::Now();
  for (int i = 0; i < 100; ++i) make();
  PumpMessages();
  EXPECT_EQ(GuiCounts::Now(), before);
}

}  // namespace
