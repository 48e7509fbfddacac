// Print jobs of the drawing view on the real "PDF" printer, printed to a file whose pages
// are counted: page order, copies and collation, the status dialog and its Cancel, blind
// mode, the print zoom during the page and the print-to-file dialog.
#include <gtest/gtest.h>

#include <QvPreviewView.h>
#include <UIView.h>
#include <fw_printres.h>
#include <test_view.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dib_canvas.h"
#include "print_output.h"
#include "test_support.h"

using testing_support::DialogDriver;
using testing_support::DibCanvas;

namespace {

const int kFileNameCombo = 0x47C, kCopies = 0x482, kPrintToFile = 0x410;

CWinApp g_app(_T("ViewPrintTest"));

// A view of `pages` pages that records which page it prints and writes its number on it.
class PagesView : public TestDrawView {
 public:
  PagesView() : TestDrawView(UIVIEW_TWIPS) {}
  long pages = 3;
  int blind = 1;
  bool toFile = true;
  std::vector<long> printed;
  std::function<void(long)> onPage;
  long zoomNum = 0, zoomDen = 0;
  bool mainEnabled = true;
  bool statusShown = false;
  CString statusWhere;

  int pageCalls = 0;
  void SetCollation(DWORD c) { m_collation = c; }
  int PrintAPage(CDC& dc, CPrintInfo& info, CString& format, int& aborted) override {
    ++pageCalls;
    return TestDrawView::PrintAPage(dc, info, format, aborted);
  }
  int HasCustomPageManagement() override { return 1; }
  long GetNumberOfPages() override { return pages; }
  int IsInBlindMode() override { return blind; }
  void UpdatePrinterInfoIsNeeded(CPrintDialog* pd, int) override {
    if (toFile) pd->m_pd.Flags |= PD_PRINTTOFILE;
  }
  void PrintOnePage(long page) override {
    printed.push_back(page);
    GetZoomFactor(zoomNum, zoomDen);
    CWnd* main = AfxGetMainWnd();
    mainEnabled = main == NULL || main->IsWindowEnabled();
    CQvPrintingDialog* status = CQvPrintingDialog::GetCurrent();
    statusShown = status != NULL && status->IsWindowVisible();
    if (status != NULL) status->GetDlgItemText(203, statusWhere);
    UIFont f;
    f.size = 24;
    f.style = 0;
    f.face = L"Arial";
    QvSetFont(f);
    wchar_t text[32];
    wsprintfW(text, L"Page %ld", page);
    QvDrawTextInRect(text, lstrlenW(text), RECT{1440, 1440, 8000, 3000}, QvAlignTop, QvAlignLeft, 0, 0);
    if (onPage) onPage(page);
  }
};

// A host view whose direct print command (the shell's "print" and "print to" send it) prints
// pages 1 and 2.
class DirectPagesView : public PagesView {
 public:
  UIPrintResult result = UIPrintFailed;
  int commands = 0;
  afx_msg void OnPrintDirect() {
    ++commands;
    result = Print(1, 2);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DirectPagesView, PagesView)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, &DirectPagesView::OnPrintDirect)
END_MESSAGE_MAP()

class ViewPrintJob : public testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, _T("Quarterly report"), WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), frame, AFX_IDW_PANE_FIRST));
    view.OnInitialUpdate();
    g_app.m_pMainWnd = frame;
    g_app.SelectPrinter(NULL, NULL);
    path = testing_support::TempPath("viewprint");
  }
  void TearDown() override {
    g_app.m_pMainWnd = NULL;
    g_app.SelectPrinter(NULL, NULL);
    view.DestroyWindow();
    frame->DestroyWindow();
    testing_support::PumpMessages();
    DeleteFileA(path.c_str());
  }
  // Prints with the file name typed into the print-to-file dialog.
  UIPrintResult PrintToFile(long from, long to) {
    DeleteFileA(path.c_str());  // no overwrite question
    std::wstring wpath(path.begin(), path.end());
    DialogDriver driver({{kFileNameCombo, [=](HWND dlg) {
                            DialogDriver::SetText(dlg, kFileNameCombo, wpath);
                            DialogDriver::Press(dlg, IDOK);
                          }}});
    return view.Print(from, to);
  }
  int PagesInFile() const { return testing_support::PostScriptPages(testing_support::ReadFile(path)); }
  // The application's printer with that many copies.
  void SetCopies(short copies) {
    PRINTDLG pd = {};
    ASSERT_TRUE(g_app.GetPrinterDeviceDefaults(&pd));
    DEVMODE* dm = static_cast<DEVMODE*>(GlobalLock(g_app.m_hDevMode));
    dm->dmCopies = copies;
    dm->dmFields |= DM_COPIES;
    GlobalUnlock(g_app.m_hDevMode);
  }

  // The view's preview command; the preview that took the view's place, or NULL.
  CQvPreviewView* OpenPreview() {
    frame->SetActiveView(&view);
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    return DYNAMIC_DOWNCAST(CQvPreviewView, frame->GetActiveView());
  }

  CFrameWnd* frame = nullptr;
  PagesView view;
  std::string path;
};

TEST_F(ViewPrintJob, PagesInTheOrderAskedFor) {
  struct Case {
    long from, to;
    std::vector<long> pages;
  };
  const Case cases[] = {{1, 3, {1, 2, 3}}, {3, 1, {3, 2, 1}}, {2, 2, {2}}, {2, 9, {2, 3}}};
  for (const Case& c : cases) {
    view.printed.clear();
    EXPECT_EQ(PrintToFile(c.from, c.to), UIPrinted) << c.from << "-" << c.to;
    EXPECT_EQ(view.printed, c.pages) << c.from << "-" << c.to;
    EXPECT_EQ(PagesInFile(), static_cast<int>(c.pages.size())) << c.from << "-" << c.to;
  }
}

// A job that is gone when the view ends it: a message the host posted while the last page
// went out is handled by the abort procedure and ends the job first, so that the view's own
// EndDoc fails. Print must say that its job did not end as it should.
HDC g_jobToEnd = NULL;
LRESULT CALLBACK EndTheJob(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP && g_jobToEnd != NULL) {
    ::EndDoc(g_jobToEnd);
    g_jobToEnd = NULL;
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(ViewPrintJob, AJobThatCannotEndIsReportedAsFailed) {
  WNDCLASS wc = {};
  wc.lpfnWndProc = EndTheJob;
  wc.hInstance = GetModuleHandle(NULL);
  wc.lpszClassName = _T("ViewPrintJobEnder");
  RegisterClass(&wc);
  HWND ender = CreateWindow(_T("ViewPrintJobEnder"), _T(""), WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
  ASSERT_NE(ender, nullptr);
  view.onPage = [&](long page) {
    if (page != 2) return;
    g_jobToEnd = view.GetCurrentDC();
    PostMessage(ender, WM_APP, 0, 0);
  };
  EXPECT_EQ(PrintToFile(1, 2), UIPrintFailed);
  EXPECT_EQ(view.printed, (std::vector<long>{1, 2}));
  EXPECT_EQ(g_jobToEnd, nullptr);  // the job was ended under the view
  EXPECT_EQ(CQvPrintingDialog::GetCurrent(), nullptr);
  EXPECT_TRUE(frame->IsWindowEnabled());
  DestroyWindow(ender);
}

// The shell's "print to" command: the command line names the printer, its driver and port, and
// the direct print command prints there without a dialog; a printer that cannot be had gives
// the framework's message that the job could not start, and nothing is printed.
TEST_F(ViewPrintJob, DirectPrintingTakesThePrinterTheCommandLineNames) {
  DirectPagesView direct;
  ASSERT_TRUE(direct.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), frame, AFX_IDW_PANE_FIRST + 1));
  direct.OnInitialUpdate();
  struct Case {
    const TCHAR* printer;
    UIPrintResult result;
    std::vector<long> printed;
    const wchar_t* message;  // of the message box shown, NULL when none
  };
  const Case cases[] = {
      {_T("PDF"), UIPrinted, {1, 2}, NULL},
      {_T("No such printer"), UIPrintFailed, {}, L"Failed to start the print job."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(CStringA(c.printer)));
    CCommandLineInfo line;
    const TCHAR* params[] = {_T("pt"), _T("C:\\docs\\q1.qvr"), c.printer, _T("winspool"), _T("CUPS:PDF")};
    for (int i = 0; i < 5; ++i) line.ParseParam(params[i], i == 0, i == 4);
    g_app.SetCommandLineInfo(&line);
    direct.printed.clear();
    direct.commands = 0;
    DeleteFileA(path.c_str());
    std::wstring wpath(path.begin(), path.end()), shown;
    // The file dialog of the printed job, or the message box of the refused one.
    DialogDriver::Step fileName = {kFileNameCombo, [=](HWND dlg) {
                                     DialogDriver::SetText(dlg, kFileNameCombo, wpath);
                                     DialogDriver::Press(dlg, IDOK);
                                   }};
    DialogDriver::Step messageBox = {0xFFFF, [&](HWND box) {
                                       wchar_t text[128] = {};
                                       GetDlgItemTextW(box, 0xFFFF, text, 128);
                                       shown = text;
                                       DialogDriver::Press(box, IDOK);
                                     }};
    DialogDriver driver({c.message != NULL ? messageBox : fileName});
    direct.SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(direct.commands, 1);
    EXPECT_EQ(direct.result, c.result);
    EXPECT_EQ(direct.printed, c.printed);
    EXPECT_EQ(shown, c.message != NULL ? c.message : L"");
    if (c.result == UIPrinted) {
      EXPECT_EQ(PagesInFile(), 2);
    }
  }
  g_app.SetCommandLineInfo(NULL);
  direct.DestroyWindow();
}

TEST_F(ViewPrintJob, CopiesInARowOrCollated) {
  SetCopies(2);
  EXPECT_EQ(PrintToFile(1, 2), UIPrinted);
  EXPECT_EQ(view.printed, (std::vector<long>{1, 1, 2, 2}));
  const std::string ps = testing_support::ReadFile(path);
  EXPECT_EQ(testing_support::PostScriptPages(ps), 4);
  EXPECT_EQ(ps.find("copies=2"), std::string::npos) << ps.substr(0, 300);

  view.printed.clear();
  view.SetCollation(1);
  EXPECT_EQ(PrintToFile(1, 2), UIPrinted);
  EXPECT_EQ(view.printed, (std::vector<long>{1, 2, 1, 2}));
  EXPECT_EQ(PagesInFile(), 4);
}

// Cancel while page 1 prints: nothing after it goes through the printer, the job is
// aborted and reports the failure.
TEST_F(ViewPrintJob, CancelStopsAfterTheCurrentPageAndReportsIt) {
  view.blind = 0;
  SetCopies(2);
  view.onPage = [](long page) {
    if (page == 1 && CQvPrintingDialog::GetCurrent() != NULL)
      CQvPrintingDialog::GetCurrent()->PostMessage(WM_COMMAND, IDCANCEL, 0);
  };
  EXPECT_EQ(PrintToFile(1, 3), UIPrintFailed);
  EXPECT_EQ(view.printed, std::vector<long>{1});
  EXPECT_EQ(view.pageCalls, 1);
  EXPECT_EQ(CQvPrintingDialog::GetCurrent(), nullptr);
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(ViewPrintJob, StatusDialogAndMainWindowOutsideAndInBlindMode) {
  view.blind = 0;
  EXPECT_EQ(PrintToFile(1, 1), UIPrinted);
  EXPECT_TRUE(view.statusShown);
  EXPECT_FALSE(view.mainEnabled);
  EXPECT_NE(view.statusWhere.Find(CString(path.c_str())), -1) << static_cast<const char*>(CStringA(view.statusWhere));
  EXPECT_TRUE(frame->IsWindowEnabled());
  EXPECT_EQ(CQvPrintingDialog::GetCurrent(), nullptr);

  view.blind = 1;
  EXPECT_EQ(PrintToFile(1, 1), UIPrinted);
  EXPECT_FALSE(view.statusShown);
  EXPECT_TRUE(view.mainEnabled);
}

TEST_F(ViewPrintJob, PrintZoomDuringThePageOnly) {
  view.SetPrintZoomFactor(1, 2);
  view.SetZoomFactor(3, 2);
  EXPECT_EQ(PrintToFile(1, 1), UIPrinted);
  EXPECT_EQ(view.zoomNum, 500);
  EXPECT_EQ(view.zoomDen, 1000);
  long num = 0, den = 0;
  view.GetZoomFactor(num, den);
  EXPECT_EQ(num, 3);
  EXPECT_EQ(den, 2);
  EXPECT_NE(view.GetCurrentDC(), nullptr);  // the window DC is prepared again
}

// Without page limits the print dialog chooses: its copies and its print-to-file box.
TEST_F(ViewPrintJob, ThePrintDialogChoosesCopiesAndFile) {
  view.blind = 0;
  view.toFile = false;
  DeleteFileA(path.c_str());
  std::wstring wpath(path.begin(), path.end());
  DialogDriver driver({{kCopies,
                        [](HWND dlg) {
                          DialogDriver::SetText(dlg, kCopies, L"2");
                          DialogDriver::SetCheck(dlg, kPrintToFile, true);
                          DialogDriver::Press(dlg, IDOK);
                        }},
                       {kFileNameCombo, [=](HWND dlg) {
                          DialogDriver::SetText(dlg, kFileNameCombo, wpath);
                          DialogDriver::Press(dlg, IDOK);
                        }}});
  EXPECT_EQ(view.Print(0, 0), UIPrinted);
  EXPECT_EQ(driver.done(), 2u);
  EXPECT_EQ(view.printed, (std::vector<long>{1, 1, 2, 2, 3, 3}));
  const std::string ps = testing_support::ReadFile(path);
  EXPECT_EQ(testing_support::PostScriptPages(ps), 6);
  // The printer is not asked to copy the job again.
  EXPECT_EQ(ps.find("copies=2"), std::string::npos) << ps.substr(0, 300);
}

TEST_F(ViewPrintJob, CancelledFileDialogIsReportedApart) {
  DialogDriver driver({{kFileNameCombo, [](HWND dlg) { DialogDriver::Press(dlg, IDCANCEL); }}});
  EXPECT_EQ(view.Print(1, 2), UIPrintFileCancelled);
  EXPECT_TRUE(view.printed.empty());
}

}  // namespace

namespace {

// The preview command puts the view's pages in the library's preview and gives the view back
// when the preview closes.
TEST_F(ViewPrintJob, ThePreviewCommandShowsTheViewsPagesInThePreview) {
  view.pages = 4;
  CQvPreviewView* preview = OpenPreview();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->GetPrintInfo()->GetMaxPage(), 4u);
  EXPECT_FALSE(view.GetStyle() & WS_VISIBLE);
  view.printed.clear();
  HDC screen = ::GetDC(NULL);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 200, 260);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  CDC dc;
  dc.m_hDC = dc.m_hAttribDC = memory;
  preview->DrawPage(&dc, 3, CRect(0, 0, 200, 260));
  dc.m_hDC = dc.m_hAttribDC = NULL;
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(NULL, screen);
  EXPECT_EQ(view.printed, std::vector<long>{3});
  preview->ClosePreview();
  EXPECT_EQ(frame->GetActiveView(), &view);
  EXPECT_TRUE(view.GetStyle() & WS_VISIBLE);
}

// Length of the longest run of dark pixels down column x.
int DarkRunDown(const DibCanvas& canvas, int x) {
  int longest = 0, run = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    const COLORREF c = canvas.At(x, y);
    run = GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128 ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

// A rule in the preview is the printed rule scaled: as thick as printed when the page is shown
// at the printer's size, and a thin rule stays a visible thin line when the page is shown
// smaller (no printer minimum of a third of a millimetre or more drawn as a bar).
TEST_F(ViewPrintJob, ARuleInThePreviewIsThePrintedRuleScaled) {
  view.pages = 1;
  CQvPreviewView* preview = OpenPreview();
  ASSERT_NE(preview, nullptr);
  HDC printer = preview->GetPrintInfo()->m_pPD->m_pd.hDC;
  ASSERT_NE(printer, (HDC)NULL);
  const int dpi = ::GetDeviceCaps(printer, LOGPIXELSY);
  ASSERT_GT(dpi, 96) << "a printer of screen resolution tells nothing here";
  int paperW = ::GetDeviceCaps(printer, PHYSICALWIDTH), paperH = ::GetDeviceCaps(printer, PHYSICALHEIGHT);
  if (paperW <= 0 || paperH <= 0) {
    paperW = ::GetDeviceCaps(printer, HORZRES);
    paperH = ::GetDeviceCaps(printer, VERTRES);
  }
  const int ruleY = 2 * 1440;  // twips from the paper's corner, from one to six inches across
  unsigned short width = 1;
  view.onPage = [&](long) {
    view.QvSetLineWidth(width);
    view.QvDrawLine(POINT{1440, ruleY}, POINT{6 * 1440, ruleY});
  };
  // Printed thickness of a horizontal rule: its width in printer pixels, at least one.
  auto printed = [&](unsigned short twips) { return std::max(1, static_cast<int>(std::floor(twips * dpi / 1440.0 + 0.5))); };
  struct Case {
    unsigned short twips;  // line width
    int shrink;            // the page shown at 1 / shrink of the printer's size
  };
  const Case cases[] = {{1, 1}, {20, 1}, {72, 1}, {1, 4}, {20, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.twips << " twips at 1/" << c.shrink);
    width = c.twips;
    // A window of the shown page around the rule's column: from one to four inches down.
    const int top = dpi / c.shrink, left = 4 * dpi / c.shrink;
    DibCanvas canvas(16, 3 * dpi / c.shrink);
    ASSERT_TRUE(canvas.valid());
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = canvas.dc();
    preview->DrawPage(&dc, 1, CRect(-left, -top, paperW / c.shrink - left, paperH / c.shrink - top));
    dc.m_hDC = dc.m_hAttribDC = NULL;
    const int expected = c.shrink == 1 ? printed(c.twips) : std::max(1, printed(c.twips) / c.shrink);
    const int run = DarkRunDown(canvas, 8);
    if (c.shrink == 1)
      EXPECT_EQ(run, expected);
    else
      EXPECT_TRUE(run == expected || run == expected + 1) << run << " pixels for " << expected;
  }
  preview->ClosePreview();
}

}  // namespace
