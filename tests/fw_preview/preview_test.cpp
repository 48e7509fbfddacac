// Print preview against the real "PDF" printer: the preview takes the view's place and gives
// it back, moves through the pages the job has (as many as printing the job gives), zooms by
// clicks and commands, shows one or two pages, and draws what the view prints.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_printres.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dib_canvas.h"
#include "print_output.h"
#include "recording_cmd_ui.h"
#include "test_support.h"

using testing_support::DialogDriver;
using testing_support::PumpMessages;
using testing_support::RecordingCmdUI;

namespace {

class PreviewApp : public CWinApp {
 public:
  PreviewApp() : CWinApp(_T("FwPreviewTest")) {}
};
PreviewApp g_app;

// A view of `pages` pages, each a black block whose width grows with the page number.
class PagesView : public CView {
 public:
  UINT pages = 3;
  std::vector<UINT> printed;
  std::vector<std::string> calls;
  bool previewJob = false;

  void OnDraw(CDC*) override {}
  void PostNcDestroy() override {}
  using CView::OnFilePrint;

 protected:
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    calls.push_back("prepare");
    previewJob = pInfo->m_bPreview != FALSE;
    pInfo->SetMaxPage(pages);
    return DoPreparePrinting(pInfo);
  }
  void OnBeginPrinting(CDC*, CPrintInfo*) override { calls.push_back("begin"); }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    printed.push_back(pInfo->m_nCurPage);
    const CRect& r = pInfo->m_rectDraw;
    CRect block(r.left, r.top, r.left + r.Width() * static_cast<int>(pInfo->m_nCurPage) / 4, r.top + r.Height() / 2);
    ::FillRect(pDC->m_hDC, &block, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
  void OnEndPrinting(CDC*, CPrintInfo*) override { calls.push_back("end"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PagesView, CView)
  ON_COMMAND(ID_FILE_PRINT, &PagesView::OnFilePrint)
END_MESSAGE_MAP()

class PreviewFixture : public testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, _T("Report"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 600)));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), frame, AFX_IDW_PANE_FIRST));
    frame->SetActiveView(&view);
    frame->RecalcLayout();
    g_app.m_pMainWnd = frame;
    PumpMessages();
  }
  void TearDown() override {
    g_app.m_pMainWnd = NULL;
    if (CPreviewView* p = Preview()) p->ClosePreview();
    view.DestroyWindow();
    frame->DestroyWindow();
    PumpMessages();
  }
  CPreviewView* Preview() { return DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()); }
  bool Update(CPreviewView* p, UINT id, CString* text = nullptr) {
    RecordingCmdUI ui(id);
    p->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, NULL);
    if (text) *text = ui.text;
    return ui.enabled;
  }
  CFrameWnd* frame = nullptr;
  PagesView view;
};

TEST_F(PreviewFixture, ThePreviewTakesTheViewsPlaceAndGivesItBack) {
  ASSERT_TRUE(view.DoPrintPreview());
  CPreviewView* p = Preview();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(view.previewJob);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"prepare", "begin"}));
  EXPECT_EQ(::GetDlgCtrlID(p->m_hWnd), AFX_IDW_PANE_FIRST);
  EXPECT_FALSE(view.IsWindowVisible());
  // The bar of the preview's commands shows above it.
  HWND bar = ::GetDlgItem(frame->m_hWnd, AFX_IDW_PREVIEW_BAR);
  ASSERT_NE(bar, static_cast<HWND>(NULL));
  EXPECT_TRUE(::IsWindowVisible(bar));
  EXPECT_NE(::GetDlgItem(bar, AFX_ID_PREVIEW_NUMPAGE), static_cast<HWND>(NULL));
  CRect barRc, viewRc;
  ::GetWindowRect(bar, &barRc);
  p->GetWindowRect(&viewRc);
  EXPECT_LE(barRc.bottom, viewRc.top);
  EXPECT_EQ(p->GetCurrentPage(), 1u);
  EXPECT_EQ(p->GetZoomState(), 0u);

  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
  EXPECT_EQ(frame->GetActiveView(), &view);
  EXPECT_TRUE(view.IsWindowVisible());
  EXPECT_EQ(::GetDlgCtrlID(view.m_hWnd), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(::GetDlgItem(frame->m_hWnd, AFX_IDW_PREVIEW_BAR), static_cast<HWND>(NULL));
  EXPECT_EQ(view.calls.back(), "end");
}

TEST_F(PreviewFixture, ThePagesInPreviewAreThePagesPrinted) {
  for (UINT pages : {1u, 3u, 5u}) {
    view.pages = pages;
    ASSERT_TRUE(view.DoPrintPreview());
    CPreviewView* p = Preview();
    ASSERT_NE(p, nullptr);
    // Next until the command is disabled: every page is reached once.
    UINT shown = 1;
    while (Update(p, AFX_ID_PREVIEW_NEXT) && shown < 100) {
      frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
      ++shown;
    }
    EXPECT_EQ(p->GetCurrentPage(), pages);
    EXPECT_FALSE(Update(p, AFX_ID_PREVIEW_NEXT));
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);

    const std::string path = testing_support::TempPath("fwpreview");
    DeleteFileA(path.c_str());
    std::wstring wpath(path.begin(), path.end());
    DialogDriver driver({{0x420,
                          [](HWND dlg) {
                            DialogDriver::SetCheck(dlg, 0x410, true);
                            DialogDriver::Press(dlg, IDOK);
                          }},
                         {0x47C, [=](HWND dlg) {
                            DialogDriver::SetText(dlg, 0x47C, wpath);
                            DialogDriver::Press(dlg, IDOK);
                          }}});
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(testing_support::PostScriptPages(testing_support::ReadFile(path)), static_cast<int>(shown)) << pages;
    DeleteFileA(path.c_str());
  }
}

TEST_F(PreviewFixture, ClicksCycleTheZoomAndTheCommandsStepIt) {
  ASSERT_TRUE(view.DoPrintPreview());
  CPreviewView* p = Preview();
  ASSERT_NE(p, nullptr);
  PumpMessages();
  for (UINT expected : {1u, 2u, 0u, 1u}) {
    const CRect page = p->GetPageRect(0);
    const CPoint at = page.CenterPoint() - p->GetDeviceScrollPosition();
    p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(p->GetZoomState(), expected);
  }
  // Zoomed in, the page is larger than zoomed out and the view scrolls over it.
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_EQ(p->GetZoomState(), 2u);
  EXPECT_FALSE(Update(p, AFX_ID_PREVIEW_ZOOMIN));
  EXPECT_TRUE(p->GetStyle() & WS_VSCROLL);
  const CRect large = p->GetPageRect(0);
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
  EXPECT_EQ(p->GetZoomState(), 0u);
  EXPECT_FALSE(Update(p, AFX_ID_PREVIEW_ZOOMOUT));
  EXPECT_LT(p->GetPageRect(0).Height(), large.Height());
  // Clicking beside the pages changes nothing.
  p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(p->GetZoomState(), 0u);
}

TEST_F(PreviewFixture, TheOneTwoPageButtonOffersTheOtherModeAndShowsTwoPages) {
  ASSERT_TRUE(view.DoPrintPreview());
  CPreviewView* p = Preview();
  ASSERT_NE(p, nullptr);
  CString text;
  EXPECT_TRUE(Update(p, AFX_ID_PREVIEW_NUMPAGE, &text));
  EXPECT_EQ(text, CString(_T("&Two Page")));
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(p->GetPagesShown(), 2u);
  EXPECT_TRUE(Update(p, AFX_ID_PREVIEW_NUMPAGE, &text));
  EXPECT_EQ(text, CString(_T("&One Page")));
  const CRect first = p->GetPageRect(0), second = p->GetPageRect(1);
  EXPECT_GT(second.left, first.right);
  EXPECT_EQ(second.Size(), first.Size());
  // Zoomed in, the button is disabled.
  frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_FALSE(Update(p, AFX_ID_PREVIEW_NUMPAGE));
}

TEST_F(PreviewFixture, APageIsDrawnAsThePrinterWouldPrintIt) {
  ASSERT_TRUE(view.DoPrintPreview());
  CPreviewView* p = Preview();
  ASSERT_NE(p, nullptr);
  // Pages 1 and 2 drawn into 200 x 260 rectangles: the black block covers a quarter and a half
  // of the printable width, in the page's upper half.
  for (UINT page : {1u, 2u}) {
    testing_support::DibCanvas canvas(200, 260);
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = canvas.dc();
    p->DrawPage(&dc, page, CRect(0, 0, 200, 260));
    dc.m_hDC = dc.m_hAttribDC = NULL;
    int black = 0;
    for (int x = 0; x < 200; ++x)
      if (canvas.At(x, 60) == RGB(0, 0, 0)) ++black;
    EXPECT_NEAR(black, 200 * static_cast<int>(page) / 4, 24) << page;
    EXPECT_NE(canvas.At(100, 240), RGB(0, 0, 0)) << page;
  }
}

}  // namespace
