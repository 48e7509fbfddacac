// Framework printing against the real "PDF" printer: device blocks checked before printer
// DCs are made of them, the application's printer selection, and the print loop of views
// driven through the real print and print-to-file dialogs, with the pages it prints read
// back from the printer's output file.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_printres.h>

#include <functional>
#include <string>
#include <vector>

#include <child_process.h>

#include "dialog_driver.h"
#include "print_output.h"
#include "test_support.h"

using testing_support::DialogDriver;

namespace {

// Controls of the system print dialog.
const int kAllPages = 0x420, kPageRange = 0x422, kFromPage = 0x480, kToPage = 0x481, kPrintToFile = 0x410;
// The file name of the save dialog (explorer style and old style).
const int kFileNameCombo = 0x47C;

class PrintApp : public CWinApp {
 public:
  PrintApp() : CWinApp(_T("FwPrintTest")) {}
  int boxes = 0;
  int DoMessageBox(LPCTSTR, UINT, UINT) override {
    ++boxes;
    return IDOK;
  }
};
PrintApp g_app;

// The printing status dialog of the job in progress, NULL when none.
HWND StatusDialog() { return testing_support::ThreadWindowWithControl(AFX_IDC_PRINT_PAGENUM); }

// What the page of a print job shows, and what the framework asked of the view.
class PagesView : public CView {
 public:
  UINT pages = 3;
  std::vector<UINT> printed;
  std::vector<std::string> calls;
  std::function<void(UINT)> onPage;  // runs while page n is being printed
  std::function<BOOL(CPrintInfo*)> onPrepare;  // in place of the page count's preparation
  bool mainDisabledWhilePrinting = false;
  bool statusWhilePrinting = false;

  void OnDraw(CDC*) override {}
  void PostNcDestroy() override {}
  using CView::OnFilePrint;
  using CView::RunPrintJob;

 protected:
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    calls.push_back("prepare");
    if (onPrepare) return onPrepare(pInfo);
    pInfo->SetMaxPage(pages);
    return DoPreparePrinting(pInfo);
  }
  void OnBeginPrinting(CDC*, CPrintInfo*) override { calls.push_back("begin"); }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    printed.push_back(pInfo->m_nCurPage);
    CWnd* main = AfxGetMainWnd();
    mainDisabledWhilePrinting = main != NULL && !main->IsWindowEnabled();
    statusWhilePrinting = StatusDialog() != NULL;
    CString text;
    text.Format(_T("Page %u"), pInfo->m_nCurPage);
    pDC->TextOut(100, 100, text);
    if (onPage) onPage(pInfo->m_nCurPage);
  }
  void OnEndPrinting(CDC*, CPrintInfo*) override { calls.push_back("end"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PagesView, CView)
  ON_COMMAND(ID_FILE_PRINT, &PagesView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, &PagesView::OnFilePrint)
END_MESSAGE_MAP()

// A frame with the view, the application's main window while it lives.
class PrintFixture : public testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, _T("Report"), WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), frame, AFX_IDW_PANE_FIRST));
    g_app.m_pMainWnd = frame;
    testing_support::PumpMessages();
  }
  void TearDown() override {
    g_app.m_pMainWnd = NULL;
    view.DestroyWindow();
    frame->DestroyWindow();
    testing_support::PumpMessages();
  }

  // The print dialog: pages from..to (0: all), to a file; then the file's name.
  std::vector<DialogDriver::Step> ToFile(const std::string& path, int from = 0, int to = 0) {
    DeleteFileA(path.c_str());  // no overwrite question
    std::wstring wpath(path.begin(), path.end());
    return {{kAllPages,
             [=](HWND dlg) {
               if (from != 0) {
                 DialogDriver::SetCheck(dlg, kPageRange, true);
                 DialogDriver::SetText(dlg, kFromPage, std::to_wstring(from));
                 DialogDriver::SetText(dlg, kToPage, std::to_wstring(to));
               }
               DialogDriver::SetCheck(dlg, kPrintToFile, true);
               DialogDriver::Press(dlg, IDOK);
             }},
            {kFileNameCombo, [=](HWND dlg) {
               DialogDriver::SetText(dlg, kFileNameCombo, wpath);
               DialogDriver::Press(dlg, IDOK);
             }}};
  }

  CFrameWnd* frame = nullptr;
  PagesView view;
};

HGLOBAL Block(const void* data, size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(h), data, size);
  GlobalUnlock(h);
  return h;
}

// The default printer's blocks, as the system gives them.
struct DefaultBlocks {
  DefaultBlocks() {
    PRINTDLG pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT;
    if (PrintDlg(&pd)) {
      names = pd.hDevNames;
      mode = pd.hDevMode;
    }
  }
  ~DefaultBlocks() {
    if (names) GlobalFree(names);
    if (mode) GlobalFree(mode);
  }
  std::vector<BYTE> Bytes(HGLOBAL h) const {
    std::vector<BYTE> out(GlobalSize(h));
    memcpy(out.data(), GlobalLock(h), out.size());
    GlobalUnlock(h);
    return out;
  }
  HGLOBAL names = NULL, mode = NULL;
};

TEST(DeviceBlocks, DamagedBlocksAreRefusedBeforeADCIsMade) {
  DefaultBlocks def;
  ASSERT_NE(def.names, nullptr) << "no default printer";
  ASSERT_TRUE(AfxIsValidDevNames(def.names));
  ASSERT_TRUE(AfxIsValidDevMode(def.mode));
  HDC good = AfxCreateDC(def.names, def.mode);
  ASSERT_NE(good, nullptr);
  DeleteDC(good);

  const std::vector<BYTE> names = def.Bytes(def.names);
  struct NamesCase {
    const char* what;
    std::function<void(std::vector<BYTE>&)> damage;
  };
  const NamesCase namesCases[] = {
      {"shorter than the header", [](std::vector<BYTE>& b) { b.resize(6); }},
      {"driver offset past the end", [](std::vector<BYTE>& b) { reinterpret_cast<DEVNAMES*>(b.data())->wDriverOffset = 0x7FFF; }},
      {"device offset inside the header", [](std::vector<BYTE>& b) { reinterpret_cast<DEVNAMES*>(b.data())->wDeviceOffset = 1; }},
      {"port name without its end", [](std::vector<BYTE>& b) {
         DEVNAMES* dn = reinterpret_cast<DEVNAMES*>(b.data());
         b.resize(dn->wOutputOffset * sizeof(TCHAR) + sizeof(TCHAR));
         reinterpret_cast<TCHAR*>(b.data())[dn->wOutputOffset] = _T('x');
       }},
  };
  for (const NamesCase& c : namesCases) {
    std::vector<BYTE> bad = names;
    c.damage(bad);
    HGLOBAL h = Block(bad.data(), bad.size());
    EXPECT_FALSE(AfxIsValidDevNames(h)) << c.what;
    EXPECT_EQ(AfxCreateDC(h, def.mode), nullptr) << c.what;
    GlobalFree(h);
  }

  const std::vector<BYTE> mode = def.Bytes(def.mode);
  struct ModeCase {
    const char* what;
    std::function<void(std::vector<BYTE>&)> damage;
  };
  const ModeCase modeCases[] = {
      {"truncated to 40 bytes", [](std::vector<BYTE>& b) { b.resize(40); }},
      {"dmSize below the form name", [](std::vector<BYTE>& b) { reinterpret_cast<DEVMODE*>(b.data())->dmSize = 64; }},
      {"driver extra past the end", [](std::vector<BYTE>& b) { reinterpret_cast<DEVMODE*>(b.data())->dmDriverExtra = 0xFFFF; }},
      {"dmSize past the end", [](std::vector<BYTE>& b) { reinterpret_cast<DEVMODE*>(b.data())->dmSize = 0xFFFF; }},
  };
  for (const ModeCase& c : modeCases) {
    std::vector<BYTE> bad = mode;
    c.damage(bad);
    HGLOBAL h = Block(bad.data(), bad.size());
    EXPECT_FALSE(AfxIsValidDevMode(h)) << c.what;
    EXPECT_EQ(AfxCreateDC(def.names, h), nullptr) << c.what;
    GlobalFree(h);
  }
  EXPECT_FALSE(AfxIsValidDevNames(NULL));
  EXPECT_EQ(AfxCreateDC(NULL, NULL), nullptr);
}

TEST(AppPrinter, DefaultsSelectionAndADamagedSelectionReplaced) {
  g_app.SelectPrinter(NULL, NULL);
  PRINTDLG pd = {};
  ASSERT_TRUE(g_app.GetPrinterDeviceDefaults(&pd));
  EXPECT_EQ(pd.hDevNames, g_app.m_hDevNames);
  CPrintDialog dlg(FALSE);
  dlg.m_pd.hDevNames = pd.hDevNames;
  dlg.m_pd.hDevMode = pd.hDevMode;
  EXPECT_EQ(dlg.GetDeviceName(), CString(_T("PDF")));
  CDC dc;
  ASSERT_TRUE(g_app.CreatePrinterDC(dc));
  EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);

  // A selection whose names are garbled gives way to the default printer.
  const BYTE garbage[12] = {0xFF, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0};
  g_app.SelectPrinter(Block(garbage, sizeof garbage), NULL);
  g_app.UpdatePrinterSelection(FALSE);
  ASSERT_TRUE(AfxIsValidDevNames(g_app.m_hDevNames));
  dlg.m_pd.hDevNames = g_app.m_hDevNames;
  EXPECT_EQ(dlg.GetDeviceName(), CString(_T("PDF")));
  dlg.m_pd.hDevNames = dlg.m_pd.hDevMode = NULL;
}

TEST_F(PrintFixture, PrintsThePagesChosenToTheFileChosen) {
  struct Case {
    int from, to;
    std::vector<UINT> pages;
  };
  const Case cases[] = {{0, 0, {1, 2, 3}}, {2, 3, {2, 3}}, {3, 3, {3}}};
  for (const Case& c : cases) {
    const std::string path = testing_support::TempPath("fwprint");
    view.printed.clear();
    view.calls.clear();
    DialogDriver driver(ToFile(path, c.from, c.to));
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(driver.done(), 2u) << c.from;
    EXPECT_EQ(view.printed, c.pages) << c.from;
    EXPECT_EQ(view.calls, (std::vector<std::string>{"prepare", "begin", "end"}));
    EXPECT_TRUE(view.mainDisabledWhilePrinting);
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(testing_support::PostScriptPages(testing_support::ReadFile(path)), static_cast<int>(c.pages.size()));
    DeleteFileA(path.c_str());
  }
}

TEST_F(PrintFixture, CancelledDialogsPrintNothing) {
  {
    DialogDriver driver({{kAllPages, [](HWND dlg) { DialogDriver::Press(dlg, IDCANCEL); }}});
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(driver.done(), 1u);
  }
  {
    DialogDriver driver({{kAllPages,
                          [](HWND dlg) {
                            DialogDriver::SetCheck(dlg, kPrintToFile, true);
                            DialogDriver::Press(dlg, IDOK);
                          }},
                         {kFileNameCombo, [](HWND dlg) { DialogDriver::Press(dlg, IDCANCEL); }}});
    view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(driver.done(), 2u);
  }
  EXPECT_TRUE(view.printed.empty());
  EXPECT_EQ(view.calls, (std::vector<std::string>{"prepare", "prepare"}));
}

// Cancel in the status dialog while page 1 prints: the job stops after page 1.
TEST_F(PrintFixture, CancelStopsAtTheFirstAbort) {
  const std::string path = testing_support::TempPath("fwprint");
  view.onPage = [](UINT page) {
    if (page != 1) return;
    HWND status = StatusDialog();
    ASSERT_NE(status, nullptr);
    PostMessage(status, WM_COMMAND, IDCANCEL, 0);
  };
  DialogDriver driver(ToFile(path));
  view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_EQ(view.printed, std::vector<UINT>{1});
  EXPECT_EQ(view.calls.back(), "end");
  EXPECT_TRUE(AfxGetPrintAbort());
  DeleteFileA(path.c_str());
}

// A quit posted while printing ends the job and stays for the application's loop.
TEST_F(PrintFixture, QuitEndsTheJobAndStaysQueued) {
  const std::string path = testing_support::TempPath("fwprint");
  view.onPage = [](UINT page) {
    if (page == 1) PostQuitMessage(7);
  };
  DialogDriver driver(ToFile(path));
  view.SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_EQ(view.printed, std::vector<UINT>{1});
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  DeleteFileA(path.c_str());
}

// Direct printing takes the application's printer without a dialog.
TEST_F(PrintFixture, DirectPrintingShowsNoDialog) {
  view.pages = 1;
  view.SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(view.printed, std::vector<UINT>{1});
}

// The job on a record of the caller's answers whether every page went to the printer. Direct
// jobs print on the application's printer without a dialog; the quiet job shows no status.
TEST_F(PrintFixture, JobAnswersWhetherEveryPageWasPrinted) {
  struct Case {
    const char* what;
    UINT minPage, maxPage;
    UINT abortOn;  // the page whose printing cancels the job, 0 none
    BOOL refuse;   // the view refuses to print
    BOOL result;
    std::vector<UINT> printed;
  };
  const Case cases[] = {
      {"two pages", 1, 2, 0, FALSE, TRUE, {1, 2}},
      {"backward range", 3, 1, 0, FALSE, TRUE, {3, 2, 1}},
      {"cancelled on the first page", 1, 3, 1, FALSE, FALSE, {1}},
      {"refused by the view", 1, 2, 0, TRUE, FALSE, {}},
  };
  for (BOOL interactive : {TRUE, FALSE}) {
    for (const Case& c : cases) {
      view.printed.clear();
      view.onPrepare = [&](CPrintInfo* info) {
        info->SetMinPage(c.minPage);
        info->SetMaxPage(c.maxPage);
        return c.refuse ? FALSE : view.DoPreparePrinting(info);
      };
      view.onPage = [&](UINT page) {
        if (page == c.abortOn) AfxSetPrintAbort(TRUE);
      };
      CPrintInfo job;
      job.m_bDirect = TRUE;
      EXPECT_EQ(view.RunPrintJob(&job, interactive), c.result) << c.what;
      EXPECT_EQ(view.printed, c.printed) << c.what;
      if (!c.printed.empty()) {
        EXPECT_EQ(view.statusWhilePrinting, interactive != FALSE) << c.what;
      }
      EXPECT_TRUE(frame->IsWindowEnabled()) << c.what;
    }
  }
  EXPECT_EQ(StatusDialog(), nullptr);
}

// The command line read parameter by parameter: the shell's print and print-to commands, a
// file to open, and flags in either spelling.
TEST(CommandLine, ParametersGiveTheShellCommandAndItsFileAndPrinter) {
  struct Param {
    const TCHAR* text;
    bool flag;
  };
  struct Case {
    std::vector<Param> params;
    CCommandLineInfo::ShellCommand command;
    const TCHAR *file, *printer, *driver, *port;
  };
  const Case cases[] = {
      {{}, CCommandLineInfo::FileNew, _T(""), _T(""), _T(""), _T("")},
      {{{_T("q1.qvr"), false}}, CCommandLineInfo::FileOpen, _T("q1.qvr"), _T(""), _T(""), _T("")},
      {{{_T("p"), true}, {_T("q1.qvr"), false}}, CCommandLineInfo::FilePrint, _T("q1.qvr"), _T(""), _T(""), _T("")},
      {{{_T("PT"), true}, {_T("C:\\docs\\q 1.qvr"), false}, {_T("PDF"), false}, {_T("winspool"), false}, {_T("CUPS:PDF"), false}},
       CCommandLineInfo::FilePrintTo, _T("C:\\docs\\q 1.qvr"), _T("PDF"), _T("winspool"), _T("CUPS:PDF")},
      // A flag after "/pt" ends its parameters; a later word is no printer.
      {{{_T("pt"), true}, {_T("a.qvr"), false}, {_T("PDF"), false}, {_T("nologo"), true}, {_T("b"), false}},
       CCommandLineInfo::FilePrintTo, _T("a.qvr"), _T("PDF"), _T(""), _T("")},
  };
  for (const Case& c : cases) {
    CCommandLineInfo info;
    for (size_t i = 0; i < c.params.size(); ++i)
      info.ParseParam(c.params[i].text, c.params[i].flag ? TRUE : FALSE, i + 1 == c.params.size() ? TRUE : FALSE);
    SCOPED_TRACE(std::string(CStringA(c.file)));
    EXPECT_EQ(info.m_nShellCommand, c.command);
    EXPECT_TRUE(info.m_strFileName == c.file);
    EXPECT_TRUE(info.m_strPrinterName == c.printer);
    EXPECT_TRUE(info.m_strDriverName == c.driver);
    EXPECT_TRUE(info.m_strPortName == c.port);
  }
}

// Run only as the child of the test below, with its command line.
TEST(DISABLED_CommandLineChild, TheApplicationKeepsWhatItRead) {
  {
    CCommandLineInfo info;
    g_app.ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_TRUE(info.m_strPrinterName == _T("PDF"));
  }
  // The application's copy outlives the caller's record.
  ASSERT_NE(g_app.m_pCmdInfo, nullptr);
  EXPECT_EQ(g_app.m_pCmdInfo->m_nShellCommand, CCommandLineInfo::FilePrintTo);
  EXPECT_TRUE(g_app.m_pCmdInfo->m_strFileName == _T("C:\\docs\\q 1.qvr"));
  EXPECT_TRUE(g_app.m_pCmdInfo->m_strPrinterName == _T("PDF"));
  EXPECT_TRUE(g_app.m_pCmdInfo->m_strDriverName == _T("winspool"));
  EXPECT_TRUE(g_app.m_pCmdInfo->m_strPortName == _T("CUPS:PDF"));
  g_app.SetCommandLineInfo(NULL);
  EXPECT_EQ(g_app.m_pCmdInfo, nullptr);
}

TEST(CommandLine, TheApplicationReadsAndKeepsItsOwnCommandLine) {
  EXPECT_EQ(0, testing_support::RunThisProgram(L"/pt \"C:\\docs\\q 1.qvr\" PDF winspool CUPS:PDF "
                                               L"--gtest_also_run_disabled_tests "
                                               L"--gtest_filter=DISABLED_CommandLineChild.*"));
}

}  // namespace
