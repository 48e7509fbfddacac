// Portable views printed on the real "PDF" printer through the portable printer, each job
// written to a file whose pages and text are read back: the pages asked for, the page
// format's printer and orientation, whole images, the printer's scale from the paper's edge,
// the view as it was afterwards with nothing left behind, failures answered as failures, jobs
// without a user interface, the module's printer following the printer of a job, and a
// preview page.
#include <gtest/gtest.h>

#include <GUIInitialisations.h>
#include <GUIPreviewView.h>
#include <GUIView.h>
#include <QvPageFormat.h>
#include <QvPrinter.h>
#include <QvView.h>
#include <framework.h>
#include <fw_printres.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dib_canvas.h"
#include "handle_counts.h"
#include "print_output.h"
#include "test_support.h"

using testing_support::DialogDriver;

namespace {

const int kFileNameCombo = 0x47C;  // the save dialog's file name
const int kAllPages = 0x420;       // the print dialog's "All" button
const long kInch = 1440;

CWinApp g_app(_T("PortablePrintTest"));

// The printing status dialog of the job in progress, NULL when none.
HWND StatusDialog() { return testing_support::ThreadWindowWithControl(AFX_IDC_PRINT_PAGENUM); }

// A twips view of `pages` pages that writes "Page <n>" on each, or without pages of its own
// "Whole image" on its image.
class PagesView : public QvView {
 public:
  PagesView() : QvView(nullptr, false) {}
  bool ownPages = true;
  long pages = 3;
  std::vector<long> printed;
  std::vector<QvRect> drawn;
  std::function<void(PagesView&, long)> onPage;

  bool HasCustomPageManagement() override { return ownPages; }
  long GetNumberOfPages() override { return pages; }
  void PrintOnePage(long page) override {
    printed.push_back(page);
    Write("Page " + std::to_string(page));
    if (onPage) onPage(*this, page);
  }
  void Draw(const QvRect& image) override {
    drawn.push_back(image);
    Write("Whole image");
  }

 private:
  void Write(const std::string& text) {
    QvSetFont(QvFont("Arial", 24, 0));
    QvDrawTextInRect(QvString(text.c_str()), QvRect(kInch, kInch, 6 * kInch, 2 * kInch), QvAlignTop, QvAlignLeft,
                     false, 0);
  }
};

// The view's window, printing to a file and noting what each page was printed on.
class PrintingWindow : public CGUIView {
 public:
  bool toFile = true;
  int technology = -1;  // the printer's own when negative
  SIZE page = {0, 0};
  bool statusShown = false;
  bool mainEnabled = true;
  int prepared = 0;  // OnPrepareDC calls
  void PrintPage(CDC* dc, CPrintInfo* info) { OnPrint(dc, info); }
  // The platform whose printing paths the view takes.
  void SetPlatform(WindowsVersion version) { m_platformVersion = version; }
  // The job of the direct-print command (the shell's "print to").
  BOOL PrintDirect() {
    CPrintInfo info;
    info.m_bDirect = TRUE;
    return RunPrintJob(&info, FALSE);
  }

 protected:
  BOOL OnPreparePrinting(CPrintInfo* info) override {
    if (!CGUIView::OnPreparePrinting(info)) return FALSE;
    if (toFile) info->m_pPD->m_pd.Flags |= PD_PRINTTOFILE;
    return TRUE;
  }
  int PrinterTechnology(HDC printer) const override {
    return technology < 0 ? CGUIView::PrinterTechnology(printer) : technology;
  }
  void OnPrepareDC(CDC* dc, CPrintInfo* info) override {
    ++prepared;
    CGUIView::OnPrepareDC(dc, info);
  }
  void OnPrint(CDC* dc, CPrintInfo* info) override {
    page = SIZE{GetDeviceCaps(dc->m_hDC, HORZRES), GetDeviceCaps(dc->m_hDC, VERTRES)};
    statusShown = StatusDialog() != NULL;
    CWnd* main = AfxGetMainWnd();
    mainEnabled = main == NULL || main->IsWindowEnabled();
    CGUIView::OnPrint(dc, info);
  }
};

// The view in a frame that is the application's main window; the portable printer prints it.
class PortablePrint : public testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, _T("Quarterly report"), WS_OVERLAPPEDWINDOW));
    view = new PagesView;
    window = new PrintingWindow;
    if (!window->Create(view, WS_CHILD, CRect(0, 0, 300, 200), frame, AFX_IDW_PANE_FIRST)) {
      delete window;
      delete view;
      window = nullptr;
      FAIL() << "no view window";
    }
    view->SetUnitType(QvTwipsUnit);
    view->SetImageSize(QvSize(8 * kInch, 10 * kInch), false);
    g_app.m_pMainWnd = frame;
    g_app.SelectPrinter(NULL, NULL);
    printer.SetQvView(view);
    path = testing_support::TempPath("pprint");
  }
  void TearDown() override {
    QvSetApplicationBlind(false);
    g_app.m_pMainWnd = NULL;
    g_app.SelectPrinter(NULL, NULL);
    frame->DestroyWindow();  // the view's window and the portable view with it
    testing_support::PumpMessages();
    DeleteFileA(path.c_str());
  }

  // The job with the file name typed into the print-to-file dialog.
  bool PrintToFile(const std::function<bool()>& print) {
    DeleteFileA(path.c_str());  // no overwrite question
    const std::wstring wpath(path.begin(), path.end());
    DialogDriver driver({{kFileNameCombo, [=](HWND dlg) {
                            DialogDriver::SetText(dlg, kFileNameCombo, wpath);
                            DialogDriver::Press(dlg, IDOK);
                          }}});
    return print();
  }
  std::vector<std::string> PageTexts() const {
    return testing_support::PostScriptPageTexts(testing_support::ReadFile(path));
  }

  CFrameWnd* frame = nullptr;
  PagesView* view = nullptr;
  PrintingWindow* window = nullptr;
  QvPrinter printer;
  std::string path;
};

// The page format's orientation, through its device mode.
void Orient(QvPageFormat& format, short orientation) {
  DEVMODE* dm = static_cast<DEVMODE*>(GlobalLock(format.GetDevModeBlock()));
  dm->dmOrientation = orientation;
  dm->dmFields |= DM_ORIENTATION;
  GlobalUnlock(format.GetDevModeBlock());
  format.PlatformToKernel();
}

TEST_F(PortablePrint, ThePagesAskedForWithTheirText) {
  QvPageFormat format(true);
  ASSERT_NE(format.GetDevNames(), nullptr) << "no default printer";
  printer.SetPageFormat(&format);
  struct Case {
    long from, to;
    std::vector<long> pages;  // none: nothing to print, and the job answers failure
  };
  const Case cases[] = {{1, 3, {1, 2, 3}}, {3, 1, {3, 2, 1}}, {2, 9, {2, 3}}, {2, 2, {2}}, {2, 0, {2, 3}},
                        {9, 1, {3, 2, 1}}, {5, 0, {}},        {5, 9, {}},     {9, 5, {}}};
  for (const Case& c : cases) {
    view->printed.clear();
    DeleteFileA(path.c_str());
    const bool printed = c.pages.empty() ? printer.Print(c.from, c.to).Succeeded()
                                         : PrintToFile([&] { return printer.Print(c.from, c.to).Succeeded(); });
    EXPECT_EQ(printed, !c.pages.empty()) << c.from << "-" << c.to;
    EXPECT_EQ(view->printed, c.pages) << c.from << "-" << c.to;
    std::vector<std::string> expected;
    for (long p : c.pages) expected.push_back("Page" + std::to_string(p));
    EXPECT_EQ(PageTexts(), expected) << c.from << "-" << c.to;
    // The page format's printer was the application's for the job only.
    EXPECT_EQ(g_app.m_hDevNames, nullptr);
    EXPECT_EQ(g_app.m_hDevMode, nullptr);
  }
}

TEST_F(PortablePrint, ThePageFormatsOrientationReachesThePrinter) {
  QvPageFormat format(true);
  printer.SetPageFormat(&format);
  view->pages = 1;
  for (short orientation : {DMORIENT_LANDSCAPE, DMORIENT_PORTRAIT}) {
    Orient(format, orientation);
    ASSERT_TRUE(PrintToFile([&] { return printer.Print(1, 1).Succeeded(); })) << orientation;
    EXPECT_EQ(window->page.cx > window->page.cy, orientation == DMORIENT_LANDSCAPE)
        << window->page.cx << " x " << window->page.cy;
    EXPECT_EQ(PageTexts(), std::vector<std::string>{"Page1"});
  }
}

// A view without pages of its own draws its whole image on every page of the job.
TEST_F(PortablePrint, WholeImageOnEachPage) {
  view->ownPages = false;
  for (long last : {1L, 2L}) {
    view->drawn.clear();
    EXPECT_TRUE(PrintToFile([&] { return printer.Print(1, last).Succeeded(); }));
    EXPECT_EQ(view->drawn, std::vector<QvRect>(static_cast<size_t>(last), QvRect(0, 0, 8 * kInch, 10 * kInch)));
    EXPECT_EQ(PageTexts(), std::vector<std::string>(static_cast<size_t>(last), "Wholeimage"));
  }
}

// Image coordinates on the page are printer pixels measured from the paper's edge, which the
// printer tells through PHYSICALOFFSETX/Y, or on Win32s through its GETPRINTINGOFFSET escape;
// fonts keep their size in points, or with the old print fonts their size in screen pixels.
TEST_F(PortablePrint, PrinterScaleFromThePapersEdge) {
  HDC pdf = CreateDC(_T("WINSPOOL"), _T("PDF"), NULL, NULL);
  ASSERT_NE(pdf, nullptr) << "no \"PDF\" printer in the Wine prefix";
  const int dpiX = GetDeviceCaps(pdf, LOGPIXELSX), dpiY = GetDeviceCaps(pdf, LOGPIXELSY);
  const POINT physical = {GetDeviceCaps(pdf, PHYSICALOFFSETX), GetDeviceCaps(pdf, PHYSICALOFFSETY)};
  POINT escaped = {-1, -1};
  const int answered = Escape(pdf, GETPRINTINGOFFSET, 0, NULL, &escaped);
  DeleteDC(pdf);
  ASSERT_GT(dpiX, 96);
  ASSERT_GT(answered, 0) << "the printer does not tell its offset through the escape";

  view->QvSetFont(QvFont("Arial", 12, 0));
  const QvFontInfo screen = view->QvGetFontInfo();
  ASSERT_GT(screen.ascent + screen.descent, 0);
  QvPoint inch;
  QvFontInfo printed = {0, 0, 0, 0};
  QvPoint offset;
  view->pages = 1;
  view->onPage = [&](PagesView& v, long) {
    inch = QvPoint(kInch, kInch);
    v.QvImageToClientPoint(inch);
    v.QvSetFont(QvFont("Arial", 12, 0));
    printed = v.QvGetFontInfo();
    offset = window->GetClientOffset();
  };
  struct Case {
    WindowsVersion platform;
    bool oldFonts;
    double height;  // of the font on paper, against the screen's
    POINT offset;   // of the printable area from the paper's edge
  } const cases[] = {
      {QvWinNT4, false, 1.0, physical},
      {QvWinNT4, true, 72.0 / 96.0, physical},
      {QvWin95, false, 1.0, physical},
      {QvWin32s, false, 1.0, escaped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "platform " << c.platform << ", old fonts " << c.oldFonts);
    window->SetPlatform(c.platform);
    CGUIView::SetPrintOldFont(c.oldFonts);
    ASSERT_TRUE(PrintToFile([&] { return printer.Print(1, 1).Succeeded(); }));
    CGUIView::SetPrintOldFont(false);
    EXPECT_EQ(offset, QvPoint(c.offset.x, c.offset.y));
    EXPECT_EQ(inch.x, dpiX - c.offset.x);
    EXPECT_EQ(inch.y, dpiY - c.offset.y);
    const double ratio = static_cast<double>(printed.ascent + printed.descent) / (screen.ascent + screen.descent);
    EXPECT_NEAR(ratio, c.height, 0.1);
  }
}

// Each page's DC is prepared before the page starts and, from the Windows 95 platforms on,
// where starting a page resets the printer's DC, again after StartPage; with and without a
// user interface.
TEST_F(PortablePrint, PagesArePreparedAgainAfterStartingThemFromWindows95On) {
  view->pages = 2;
  struct Case {
    WindowsVersion platform;
    bool blind;
    int perPage;
  } const cases[] = {
      {QvWin32s, false, 1}, {QvWinNT3, true, 1}, {QvWin95, false, 2}, {QvWinNT4, false, 2}, {QvWinNT4, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "platform " << c.platform << (c.blind ? ", no user interface" : ""));
    window->SetPlatform(c.platform);
    QvSetApplicationBlind(c.blind);
    window->prepared = 0;
    view->printed.clear();
    ASSERT_TRUE(PrintToFile([&] { return window->Print(1, 2) != FALSE; }));
    QvSetApplicationBlind(false);
    EXPECT_EQ(view->printed, (std::vector<long>{1, 2}));
    EXPECT_EQ(window->prepared, 2 * c.perPage);
  }
}

TEST_F(PortablePrint, TheViewIsAsItWasAfterPrintingAndNothingLeaks) {
  view->SetImageSize(QvSize(40 * kInch, 40 * kInch), false);
  view->SetZoomFactor(3, 2);
  view->SetVScroll(2 * kInch);
  view->QvSetPenForeColor(QvColor(0xFF00, 0, 0));
  view->QvSetLineWidth(40);
  QvPoint before(kInch, kInch);
  view->QvImageToClientPoint(before);
  HDC dc = window->GetDrawingDC();
  const long resolution = view->GetResolutionY();
  const unsigned long flags = window->GetFlags();

  view->pages = 2;
  ASSERT_TRUE(PrintToFile([&] { return printer.Print(1, 2).Succeeded(); }));
  EXPECT_EQ(PageTexts().size(), 2u);
  // The jobs so far have made what stays for later ones (the printer driver's and the
  // system's caches); a job after them leaves nothing behind.
  ASSERT_TRUE(PrintToFile([&] { return printer.Print(1, 2).Succeeded(); }));
  const testing_support::GuiCounts counts = testing_support::GuiCounts::Now();
  ASSERT_TRUE(PrintToFile([&] { return printer.Print(1, 2).Succeeded(); }));
  EXPECT_EQ(testing_support::GuiCounts::Now(), counts) << "GDI objects, windows or menus left by printing";

  QvPoint after(kInch, kInch);
  view->QvImageToClientPoint(after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(window->GetDrawingDC(), dc);
  EXPECT_EQ(view->GetResolutionY(), resolution);
  EXPECT_EQ(window->GetFlags(), flags);
  EXPECT_EQ(view->GetVScroll(), static_cast<unsigned long>(2 * kInch));
  EXPECT_EQ(view->QvGetPenForeColor(), QvColor(0xFF00, 0, 0));
  EXPECT_EQ(view->QvGetLineWidth(), 40);
}

TEST_F(PortablePrint, FailingPrintsAnswerFailure) {
  QvPageFormat format(true);
  printer.SetPageFormat(&format);
  {
    // Cancelled while page 1 prints: nothing after it goes to the printer.
    view->onPage = [](PagesView&, long) { AfxSetPrintAbort(TRUE); };
    EXPECT_FALSE(PrintToFile([&] { return printer.Print(1, 3).Succeeded(); }));
    EXPECT_EQ(view->printed, std::vector<long>{1});
    view->onPage = nullptr;
  }
  {
    view->printed.clear();
    DialogDriver driver({{kFileNameCombo, [](HWND dlg) { DialogDriver::Press(dlg, IDCANCEL); }}});
    EXPECT_FALSE(printer.Print(1, 3).Succeeded());
    EXPECT_EQ(driver.done(), 1u);
    EXPECT_TRUE(view->printed.empty());
  }
  EXPECT_EQ(g_app.m_hDevNames, nullptr);
  EXPECT_TRUE(frame->IsWindowEnabled());

  QvPrinter noView;
  noView.SetPageFormat(&format);
  EXPECT_FALSE(noView.Print(1, 1).Succeeded());
  PagesView windowless;
  noView.SetQvView(&windowless);
  EXPECT_FALSE(noView.Print(1, 1).Succeeded());
  EXPECT_TRUE(windowless.printed.empty());
}

// With a user interface the job shows its status and holds the main window; without one it
// shows nothing: no status, no print dialog even without a page range.
TEST_F(PortablePrint, JobsWithAndWithoutAUserInterface) {
  view->pages = 2;
  ASSERT_TRUE(PrintToFile([&] { return window->Print(1, 1) != FALSE; }));
  EXPECT_TRUE(window->statusShown);
  EXPECT_FALSE(window->mainEnabled);
  EXPECT_TRUE(frame->IsWindowEnabled());

  QvSetApplicationBlind(true);
  view->printed.clear();
  DeleteFileA(path.c_str());
  const std::wstring wpath(path.begin(), path.end());
  // The first dialog is the print-to-file dialog; a print dialog there is cancelled.
  DialogDriver driver({{IDOK, [=](HWND dlg) {
                          if (GetDlgItem(dlg, kAllPages) != NULL) {
                            DialogDriver::Press(dlg, IDCANCEL);
                            return;
                          }
                          DialogDriver::SetText(dlg, kFileNameCombo, wpath);
                          DialogDriver::Press(dlg, IDOK);
                        }}});
  EXPECT_TRUE(window->Print(0, 0));
  EXPECT_EQ(driver.done(), 1u);
  EXPECT_EQ(view->printed, (std::vector<long>{1, 2}));
  EXPECT_FALSE(window->statusShown);
  EXPECT_EQ(PageTexts(), (std::vector<std::string>{"Page1", "Page2"}));
}

// The module's printer: made once; its page format follows the printer a job went to, with
// blocks of its own (the job's are the application's, freed with its selection).
TEST_F(PortablePrint, TheModulesPrinterFollowsThePrinterOfAJob) {
  QvPrinter* global = QvGetGlobalPrinter();
  ASSERT_NE(global, nullptr);
  EXPECT_EQ(QvGetGlobalPrinter(), global);
  EXPECT_EQ(Get_GlobalQvPrinter(), global);

  QvPageFormat format(true);
  Orient(format, DMORIENT_PORTRAIT);
  global->SetPageFormat(&format);
  // The application's printer: the same one, in landscape.
  QvPageFormat landscape(true);
  Orient(landscape, DMORIENT_LANDSCAPE);
  g_app.SelectPrinter(AfxCopyGlobal(landscape.GetDevNames()), AfxCopyGlobal(landscape.GetDevModeBlock()));
  view->pages = 1;
  ASSERT_TRUE(PrintToFile([&] { return window->Print(1, 1) != FALSE; }));
  EXPECT_EQ(format.GetOrientation(), QvLandscape);
  EXPECT_NE(format.GetDevModeBlock(), g_app.m_hDevMode);
  g_app.SelectPrinter(NULL, NULL);
  EXPECT_TRUE(AfxIsValidDevNames(format.GetDevNames()));
  EXPECT_TRUE(AfxIsValidDevMode(format.GetDevModeBlock()));
  global->SetPageFormat(nullptr);

  QvPrinter mine;
  Set_GlobalQvPrinter(&mine);
  EXPECT_EQ(QvGetGlobalPrinter(), &mine);
  Set_GlobalQvPrinter(global);
}

TEST_F(PortablePrint, PrintSetupSelectsThePageFormatsPrinter) {
  EXPECT_FALSE(printer.PrintSetup().Succeeded());
  EXPECT_EQ(g_app.m_hDevNames, nullptr);
  QvPageFormat format(true);
  printer.SetPageFormat(&format);
  EXPECT_TRUE(printer.PrintSetup().Succeeded());
  ASSERT_TRUE(AfxIsValidDevNames(g_app.m_hDevNames));
  EXPECT_NE(g_app.m_hDevNames, format.GetDevNames());
}

// A preview page: the preview surface shows the printer's page at its own scale (window
// extents the printer's resolution, viewport extents the surface's).
TEST_F(PortablePrint, PreviewPageAtThePreviewsScale) {
  HDC pdf = CreateDC(_T("WINSPOOL"), _T("PDF"), NULL, NULL);
  ASSERT_NE(pdf, nullptr);
  const int dpiX = GetDeviceCaps(pdf, LOGPIXELSX), dpiY = GetDeviceCaps(pdf, LOGPIXELSY);
  const int offX = MulDiv(GetDeviceCaps(pdf, PHYSICALOFFSETX), 96, dpiX);
  const int offY = MulDiv(GetDeviceCaps(pdf, PHYSICALOFFSETY), 96, dpiY);
  testing_support::DibCanvas canvas(400, 400);
  ASSERT_TRUE(canvas.valid());
  SetMapMode(canvas.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(canvas.dc(), dpiX, dpiY, NULL);
  SetViewportExtEx(canvas.dc(), 96, 96, NULL);
  view->onPage = [](PagesView& v, long) {
    v.QvSetFillForeColor(QvColor(0xFF00, 0, 0));
    v.QvSetFillPattern(QvSolidPattern);
    v.QvDrawRect(QvRect(kInch, kInch, 2 * kInch, 2 * kInch), false, true);
  };
  CDC preview;
  preview.m_hDC = canvas.dc();
  preview.m_hAttribDC = pdf;
  CPrintInfo info;
  info.m_bPreview = TRUE;
  info.m_nCurPage = 1;
  window->PrintPage(&preview, &info);
  preview.m_hDC = preview.m_hAttribDC = NULL;
  DeleteDC(pdf);
  EXPECT_EQ(view->printed, std::vector<long>{1});
  const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  // One inch of the image is 96 pixels of the preview, from the paper's edge.
  EXPECT_EQ(canvas.At(96 - offX + 4, 96 - offY + 4), red);
  EXPECT_EQ(canvas.At(192 - offX - 4, 192 - offY - 4), red);
  EXPECT_EQ(canvas.At(192 - offX + 4, 150 - offY), white);
  EXPECT_EQ(canvas.At(150 - offX, 96 - offY - 4), white);
  EXPECT_NE(window->GetDrawingDC(), canvas.dc());
}

// The view's preview command shows the portable preview in the view's place, and closing it
// gives the frame its view back.
TEST_F(PortablePrint, ThePreviewCommandShowsThePortablePreview) {
  frame->SetActiveView(window);
  window->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  CView* shown = frame->GetActiveView();
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->IsKindOf(RUNTIME_CLASS(CGUIPreviewView)));
  CPreviewView* preview = DYNAMIC_DOWNCAST(CPreviewView, shown);
  ASSERT_NE(preview, nullptr);
  preview->ClosePreview();
  EXPECT_EQ(frame->GetActiveView(), window);
}

// "print to" on the command line: the direct job goes to the printer the command line names,
// and a printer that cannot be opened refuses the job.
TEST_F(PortablePrint, TheCommandLinesPrintToChoosesThePrinter) {
  view->pages = 2;
  QvSetApplicationBlind(true);  // no message for the refused job
  struct Case {
    const TCHAR* printer;
    std::vector<long> pages;  // none: refused
  } const cases[] = {{_T("PDF"), {1, 2}}, {_T("No such printer"), {}}};
  for (const Case& c : cases) {
    CCommandLineInfo cmd;
    cmd.m_nShellCommand = CCommandLineInfo::FilePrintTo;
    cmd.m_strPrinterName = c.printer;
    cmd.m_strDriverName = _T("WINSPOOL");
    g_app.SetCommandLineInfo(&cmd);
    view->printed.clear();
    DeleteFileA(path.c_str());
    const bool printed = c.pages.empty() ? window->PrintDirect() != FALSE
                                         : PrintToFile([&] { return window->PrintDirect() != FALSE; });
    EXPECT_EQ(printed, !c.pages.empty());
    EXPECT_EQ(view->printed, c.pages);
    std::vector<std::string> expected;
    for (long p : c.pages) expected.push_back("Page" + std::to_string(p));
    EXPECT_EQ(PageTexts(), expected);
  }
  g_app.SetCommandLineInfo(nullptr);
}

// A character-stream printer is refused with a message; a raster one prints.
TEST_F(PortablePrint, CharacterPrintersAreRefused) {
  view->pages = 1;
  window->technology = DT_CHARSTREAM;
  {
    // The information message, answered; no print-to-file dialog follows.
    DialogDriver driver({{IDOK, [](HWND dlg) { DialogDriver::Press(dlg, IDOK); }}});
    EXPECT_FALSE(window->Print(1, 1));
    EXPECT_EQ(driver.done(), 1u);
  }
  EXPECT_TRUE(view->printed.empty());
  window->technology = DT_RASPRINTER;
  EXPECT_TRUE(PrintToFile([&] { return window->Print(1, 1) != FALSE; }));
  EXPECT_EQ(view->printed, std::vector<long>{1});
}

}  // namespace
