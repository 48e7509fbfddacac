// The library's print preview on the "PDF" printer: page-up by a tenth of the document kept
// at the first page, the page text in the main window's status, the labels of the one/two-page
// button, and page setup handed to the main window.
#include <QvPreviewView.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_cmd_ui.h"
#include "test_support.h"

using testing_support::PumpMessages;
using testing_support::RecordingCmdUI;

namespace {

class PreviewApp : public CWinApp {
 public:
  PreviewApp() : CWinApp(_T("QvPreviewTest")) {}
};
PreviewApp g_app;

class PagesView : public CView {
 public:
  UINT pages = 100;
  void OnDraw(CDC*) override {}
  void PostNcDestroy() override {}

 protected:
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    pInfo->SetMaxPage(pages);
    return DoPreparePrinting(pInfo);
  }
  void OnPrint(CDC*, CPrintInfo*) override {}
};

// The main window: keeps the status texts it is given and the commands posted to it.
class MainFrame : public CFrameWnd {
 public:
  std::vector<CString> status;
  std::vector<UINT> commands;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETMESSAGESTRING && lParam != 0) status.push_back(reinterpret_cast<LPCTSTR>(lParam));
    if (message == WM_COMMAND && LOWORD(wParam) == ID_QV_PAGESETUP) commands.push_back(LOWORD(wParam));
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
};

class QvPreview : public testing::Test {
 protected:
  void SetUp() override {
    frame = new MainFrame;
    ASSERT_TRUE(frame->Create(NULL, _T("Report"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 600)));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), frame, AFX_IDW_PANE_FIRST));
    frame->SetActiveView(&view);
    g_app.m_pMainWnd = frame;
    ASSERT_TRUE(view.DoPrintPreview(RUNTIME_CLASS(CQvPreviewView)));
    preview = DYNAMIC_DOWNCAST(CQvPreviewView, frame->GetActiveView());
    ASSERT_NE(preview, nullptr);
  }
  void TearDown() override {
    g_app.m_pMainWnd = NULL;
    if (CPreviewView* p = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView())) p->ClosePreview();
    CQvPreviewView::SetPageButtonLabels(NULL, NULL);
    view.DestroyWindow();
    frame->DestroyWindow();
    PumpMessages();
  }
  CString Update(UINT id, bool* enabled = nullptr) {
    RecordingCmdUI ui(id);
    preview->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, NULL);
    if (enabled) *enabled = ui.enabled;
    return ui.text;
  }
  MainFrame* frame = nullptr;
  PagesView view;
  CQvPreviewView* preview = nullptr;
};

// Page-up goes back a tenth of the document, and never before the first page (from page 3 of
// 100 it reaches page 1, not page 0 nor a wrapped-around number).
TEST_F(QvPreview, PageUpGoesBackATenthAndStopsAtTheFirstPage) {
  struct Step {
    UINT code;
    UINT page;
  };
  const Step steps[] = {{SB_BOTTOM, 100}, {SB_PAGEUP, 90}, {SB_PAGEUP, 80}, {SB_TOP, 1}, {SB_LINEDOWN, 2},
                        {SB_LINEDOWN, 3}, {SB_PAGEUP, 1},  {SB_PAGEUP, 1},  {SB_LINEUP, 1}};
  for (const Step& s : steps) {
    preview->SendMessage(WM_VSCROLL, s.code, 0);
    EXPECT_EQ(preview->GetCurrentPage(), s.page) << s.code;
  }
}

TEST_F(QvPreview, ThePageTextGoesToTheMainWindowsStatusWithTheLastPage) {
  frame->status.clear();
  preview->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_FALSE(frame->status.empty());
  EXPECT_EQ(frame->status.back(), CString(_T("Page 2 / 100")));
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(frame->status.back(), CString(_T("Pages 2-3 / 100")));
}

TEST_F(QvPreview, TheOneTwoPageButtonShowsTheLabelsSetAndKeepsThemBounded) {
  bool enabled = false;
  EXPECT_EQ(Update(AFX_ID_PREVIEW_NUMPAGE, &enabled), CString(_T("&Two Page")));
  EXPECT_TRUE(enabled);
  CQvPreviewView::SetPageButtonLabels(_T("Single"), _T("Facing"));
  EXPECT_EQ(Update(AFX_ID_PREVIEW_NUMPAGE), CString(_T("Facing")));
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(preview->GetPagesShown(), 2u);
  EXPECT_EQ(Update(AFX_ID_PREVIEW_NUMPAGE), CString(_T("Single")));
  // Oversized labels are cut to 259 characters; nothing beyond them is written.
  const CString longOne(_T('o'), 1000), longTwo(_T('t'), 5000);
  CQvPreviewView::SetPageButtonLabels(longOne, longTwo);
  EXPECT_EQ(CQvPreviewView::GetPageButtonLabel(FALSE), CString(_T('o'), 259));
  EXPECT_EQ(CQvPreviewView::GetPageButtonLabel(TRUE), CString(_T('t'), 259));
  // Zoomed in, the button is disabled.
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
  Update(AFX_ID_PREVIEW_NUMPAGE, &enabled);
  EXPECT_FALSE(enabled);
}

TEST_F(QvPreview, PageSetupClosesThePreviewAndAsksTheMainWindow) {
  bool enabled = false;
  Update(ID_QV_PREVIEW_PAGESETUP, &enabled);
  EXPECT_TRUE(enabled);
  frame->SendMessage(WM_COMMAND, ID_QV_PREVIEW_PAGESETUP);
  EXPECT_EQ(frame->GetActiveView(), &view);
  PumpMessages();
  EXPECT_EQ(frame->commands, std::vector<UINT>{ID_QV_PAGESETUP});
}

}  // namespace
