// The sample host: a framework application whose main window shows a report, over quarnel.
#include <framework.h>
#include <fw_oledata.h>

#include <commctrl.h>
#include <shellapi.h>

#include <UIModule.h>
#ifdef UNICODE
#include <Ombrel.h>
#endif

#include "commands.h"
#include "context_menu.h"
#include "controls_page.h"
#include "notes_page.h"
#include "check_tree_page.h"
#include "schedule_page.h"
#include "dragdrop_window.h"
#include "images_window.h"
#include "buttons_window.h"
#include "far_east_window.h"
#include "grid_data_pictures.h"
#include "grid_window.h"
#include "list_controls_window.h"
#include "links_window.h"
#include "web_window.h"
#include "lists_demo.h"
#include "portable_chart.h"
#include "text_pane.h"
#include "portable_frame.h"
#include "library_dialogs.h"
#include "open_save.h"
#include "portable_dialog.h"
#include "message_boxes.h"
#include "tab_dialog.h"
#include "wizard_demo.h"
#include "status_demo.h"
#include "mdi_window.h"
#include "menu_demo.h"
#include "portable_preview.h"
#include "portable_save_dialog.h"
#include "printing.h"
#include "report_view.h"
#include "resource.h"
#include "screens.h"
#include "status_window.h"
#include "toolbars.h"
#include "tooltable_window.h"

namespace {

struct Row {
  const wchar_t* region;
  int q1, q2, q3, q4;
};
const Row kRows[] = {
    {L"North", 1200, 1350, 1410, 1600}, {L"South", 980, 1020, 1115, 1190},
    {L"East", 1500, 1480, 1620, 1755},  {L"West", 870, 940, 1005, 1130},
};

void PaintReport(HDC dc, const RECT& rc) {
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT title = CreateFontW(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial");
  HFONT body = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial");
  HGDIOBJ old = SelectObject(dc, title);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 51, 102));
  TextOutW(dc, 24, 16, L"Quarterly sales by region", 25);
  SelectObject(dc, body);
  SetTextColor(dc, RGB(0, 0, 0));
  const wchar_t* heads[] = {L"Region", L"Q1", L"Q2", L"Q3", L"Q4"};
  int x0 = 24, y = 60, colW = 110, rowH = 26;
  RECT head = {x0, y, x0 + colW * 5, y + rowH};
  HBRUSH headBrush = CreateSolidBrush(RGB(214, 226, 240));
  FillRect(dc, &head, headBrush);
  DeleteObject(headBrush);
  for (int c = 0; c < 5; ++c) TextOutW(dc, x0 + c * colW + 8, y + 5, heads[c], lstrlenW(heads[c]));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(160, 160, 160));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  for (size_t r = 0; r < sizeof kRows / sizeof kRows[0]; ++r) {
    int ry = y + rowH * static_cast<int>(r + 1);
    const Row& row = kRows[r];
    TextOutW(dc, x0 + 8, ry + 5, row.region, lstrlenW(row.region));
    int vals[] = {row.q1, row.q2, row.q3, row.q4};
    for (int c = 0; c < 4; ++c) {
      wchar_t buf[16];
      wsprintfW(buf, L"%d", vals[c]);
      TextOutW(dc, x0 + (c + 1) * colW + 8, ry + 5, buf, lstrlenW(buf));
    }
    MoveToEx(dc, x0, ry + rowH, NULL);
    LineTo(dc, x0 + colW * 5, ry + rowH);
  }
  // A bar chart of Q4.
  int chartY = y + rowH * 6 + 20;
  for (size_t r = 0; r < sizeof kRows / sizeof kRows[0]; ++r) {
    int w = kRows[r].q4 / 5;
    RECT bar = {x0 + 80, chartY + static_cast<int>(r) * 28, x0 + 80 + w, chartY + static_cast<int>(r) * 28 + 20};
    HBRUSH b = CreateSolidBrush(RGB(70, 130, 180));
    FillRect(dc, &bar, b);
    DeleteObject(b);
    TextOutW(dc, x0, bar.top + 2, kRows[r].region, lstrlenW(kRows[r].region));
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, old);
  DeleteObject(title);
  DeleteObject(body);
}

// The main window: paints the report; menus and accelerators take the command road.
class CMainFrame : public CWnd {
 public:
  BOOL CreateMain() {
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    HMENU menu = ::LoadMenu(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_MAINMENU));
    if (cls == NULL || !CreateEx(0, cls, _T("Quarnel Sample Host"), WS_OVERLAPPEDWINDOW, 40, 40, 760, 520, NULL, menu))
      return FALSE;
    m_accelerators = ::LoadAccelerators(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_MAINACCEL));
    return TRUE;
  }

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (m_accelerators != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        ::TranslateAccelerator(m_hWnd, m_accelerators, pMsg))
      return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
  }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam == 0 || host::IsToolbar(reinterpret_cast<HWND>(lParam))) {
      host::RunCommand(LOWORD(wParam));
      return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    const int barsHeight = host::ToolbarsHeight(this);  // the report starts below the toolbars
    ::SetViewportOrgEx(dc.m_hDC, 0, barsHeight, NULL);
    PaintReport(dc.m_hDC, rc);
  }
  afx_msg void OnSize(UINT, int, int) { host::LayoutToolbars(this); }
  afx_msg void OnRButtonUp(UINT, CPoint point) { host::ShowDemoMenu(this, point.x, point.y); }
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (!bSysMenu) host::UpdatePopup(pPopupMenu->GetSafeHmenu());
  }
  void PostNcDestroy() override { delete this; }

 private:
  HACCEL m_accelerators = NULL;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_INITMENUPOPUP()
  ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

class CHostApp : public CWinApp {
 public:
  CHostApp() : CWinApp(_T("Quarnel Sample Host")) {}

  BOOL InitInstance() override {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i + 1 < argc; ++i)
      if (lstrcmpiW(argv[i], L"/screens") == 0) host::SetScreenshotFolder(argv[i + 1]);
    LocalFree(argv);

    SetRegistryKey(_T("Quarnel"));  // the profile (the reports window's bar layout) in the registry
    if (!AfxOleInit()) return Fail(3);  // drag and drop, the clipboard
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // quarnel is bound at load: it has joined the framework's module chain by now.
    if (!UIViewDLL.bInitialized) return Fail(2);

#ifdef UNICODE
    OmbrelBegin(AfxGetInstanceHandle());  // drop shadows under the windows of this thread
    const int shadow = OMBREL_THICKNESS;
#else
    const int shadow = 0;
#endif
    CMainFrame* frame = new CMainFrame;
    if (!frame->CreateMain()) return Fail(1);  // a failed creation deletes the object
    m_pMainWnd = frame;
    host::InitCommands(frame->m_hWnd);
    host::CreateToolbars(frame);
    // "/fareast": that picture only (the earlier edition's pass: and its save dialog).
    if (host::CaptureFarEastWindowAlone(frame->m_hWnd)) {
#ifndef UNICODE
      host::CaptureSaveDialog(frame->m_hWnd);
      host::CaptureLongNameRefusal();
#endif
      return Fail(0);
    }
    HWND links = host::CreateLinksWindow(frame->m_hWnd, RECT{240, 300, 760, 430});
    HWND farEast = host::CreateFarEastWindow(frame->m_hWnd, RECT{260, 120, 640, 420});
    HWND document = host::CreateDocumentWindow();
    HWND dragdrop = host::CreateDragDropWindow(frame->m_hWnd, RECT{480, 60, 1000, 280});
    HWND status = host::CreateStatusWindow(frame->m_hWnd, RECT{300, 500, 900, 640});
    HWND tools = host::CreateToolTableWindow(frame->m_hWnd, RECT{560, 60, 800, 230});
    HWND controls = host::CreateControlsPage(frame->m_hWnd, 420, 60);
    HWND schedule = host::CreateSchedulePage(frame->m_hWnd, 300, 140);
    HWND notes = host::CreateNotesPage(frame->m_hWnd, 340, 100);
    HWND checkTree = host::CreateCheckTreePage(frame->m_hWnd, 360, 120);
    HWND images = host::CreateImagesWindow(frame->m_hWnd, RECT{420, 80, 780, 220});
    HWND buttons = host::CreateButtonsWindow(frame->m_hWnd, RECT{300, 90, 790, 390});
    HWND webControls = host::CreateWebControlsWindow(frame->m_hWnd, RECT{280, 160, 860, 480});
    HWND chart = host::CreatePortableChartWindow(frame->m_hWnd, RECT{200, 120, 710, 400});
    HWND textPane = host::CreateTextPaneWindow(frame->m_hWnd, RECT{220, 140, 700, 330});
    HWND portableStatus = host::CreateStatusDemo(frame->m_hWnd, RECT{120, 460, 820, 580});
    HWND portableFrame = host::CreatePortableFrame(frame->m_hWnd, RECT{140, 120, 800, 500});
    HWND grids = host::CreateGridWindow(frame->m_hWnd, RECT{100, 80, 1000, 560});
    HWND listControls = host::CreateListControlsWindow(frame->m_hWnd, RECT{90, 70, 1010, 560});
    HWND options = host::OpenReportOptionsDialog(150, 110);
    HWND settingsTabs = host::OpenReportSettingsTabs(180, 130);
    host::OpenListsDemo(frame->m_hWnd);  // pictured and closed at once in screenshot mode
    if (host::ScreenshotMode()) {
      host::CaptureReportOptionsDialog(options);
      if (grids != NULL) {
        host::CaptureWindow(grids, L"grid");
        host::CaptureGridEditing(grids);
        host::CaptureGridData(grids);
        ::ShowWindow(grids, SW_HIDE);
      }
      if (listControls != NULL) {
        host::CaptureListControls(listControls);
        ::ShowWindow(listControls, SW_HIDE);
      }
      host::CaptureLibraryDialogs();
      host::CaptureSaveDialog(frame->m_hWnd);
      host::CaptureReportSettingsTabs(settingsTabs);
      host::CaptureReportWizard();
      if (chart != NULL) {
        host::CaptureWindow(chart, L"portable_chart");
        host::CaptureChartPanning(chart);
        ::ShowWindow(chart, SW_HIDE);
      }
      if (textPane != NULL) {
        host::CaptureTextPane(textPane);
        ::ShowWindow(textPane, SW_HIDE);
      }
      if (tools != NULL) {
        host::CaptureWindow(tools, L"tooltable");
        // The colours dropped down under their button.
        if (HWND colours = host::ShowColourTable(tools, true)) host::CaptureWindow(colours, L"tooltable_colours");
        host::ShowColourTable(tools, false);
        ::ShowWindow(tools, SW_HIDE);  // out of the other pictures
      }
      if (document != NULL) {
        host::CaptureWindow(document, L"document");
        // The document's context menu, opened as a right click at (60, 40) of its view would.
        POINT at = {60, 40};
        ::ClientToScreen(document, &at);
        host::ShowDocumentContextMenu(CWnd::FromHandle(document), at);
      }
      host::CaptureDragDrop(dragdrop);
      if (status != NULL) {
        host::CaptureWindow(status, L"statusbar");
        ::ShowWindow(status, SW_HIDE);
      }
      if (dragdrop != NULL) ::ShowWindow(dragdrop, SW_HIDE);  // out of the other pictures
      if (portableStatus != NULL) {
        host::CaptureWindow(portableStatus, L"portable_status");
        ::ShowWindow(portableStatus, SW_HIDE);
      }
      if (portableFrame != NULL) host::CapturePortableFrame(portableFrame);
      host::CaptureReportsWindows();
      host::CaptureMessageBoxes(frame->m_hWnd);
      host::CapturePortableSaveDialog();
      host::CaptureOldSystemsFolderDialog();
      host::CaptureMissingFileRefusal();
      host::CaptureWindow(frame->m_hWnd, L"main");
      host::CaptureWindow(links, L"links", shadow);  // the window over the report, with its shadow
      if (controls != NULL) {
        host::CaptureWindow(controls, L"controls", shadow);
        ::ShowWindow(controls, SW_HIDE);
      }
      host::CaptureSchedulePage(schedule);
      host::CaptureNotesPage(notes);
      host::CaptureCheckTreePage(checkTree);
      if (farEast != NULL) {
        host::CaptureWindow(farEast, L"far_east_text", shadow);
        ::ShowWindow(farEast, SW_HIDE);
      }
      ::ShowWindow(links, SW_HIDE);                   // out of the menu's picture
      if (images != NULL) {
        host::CaptureWindow(images, L"images", shadow);
        ::ShowWindow(images, SW_HIDE);
      }
      if (buttons != NULL) {
        host::CaptureWindow(buttons, L"buttons_and_icon_pane", shadow);
        ::ShowWindow(buttons, SW_HIDE);
      }
      if (webControls != NULL) host::CaptureWebControls(webControls);
      host::ShowDemoMenu(frame, 60, 40);
      // The report's two pages to the default printer, for the script to picture.
      host::PrintReport(frame->m_hWnd, true);
      host::PreviewReport(frame->m_hWnd);
      host::PreviewPortableReport(frame->m_hWnd);
      // And the portable chart through the portable printer.
      host::PrintPortableChart(frame->m_hWnd);
      return Fail(0);  // the framework destroys the main window and ends
    }
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    ::ShowWindow(links, SW_SHOWNOACTIVATE);
    if (farEast != NULL) ::ShowWindow(farEast, SW_SHOWNOACTIVATE);
    if (tools != NULL) ::ShowWindow(tools, SW_SHOWNOACTIVATE);
    if (controls != NULL) ::ShowWindow(controls, SW_SHOWNOACTIVATE);
    if (schedule != NULL) ::ShowWindow(schedule, SW_SHOWNOACTIVATE);
    if (images != NULL) ::ShowWindow(images, SW_SHOWNOACTIVATE);
    if (buttons != NULL) ::ShowWindow(buttons, SW_SHOWNOACTIVATE);
    if (webControls != NULL) ::ShowWindow(webControls, SW_SHOWNOACTIVATE);
    if (document != NULL) ::ShowWindow(document, SW_SHOWNORMAL);
    if (dragdrop != NULL) ::ShowWindow(dragdrop, SW_SHOWNOACTIVATE);
    if (status != NULL) ::ShowWindow(status, SW_SHOWNOACTIVATE);
    if (chart != NULL) ::ShowWindow(chart, SW_SHOWNOACTIVATE);
    if (portableStatus != NULL) ::ShowWindow(portableStatus, SW_SHOWNOACTIVATE);
    if (portableFrame != NULL) ::ShowWindow(portableFrame, SW_SHOWNOACTIVATE);
    if (options != NULL) ::ShowWindow(options, SW_SHOWNOACTIVATE);
    m_hReports = host::CreateReportsWindow(false);  // the reports window with its documents
    return TRUE;
  }

  int ExitInstance() override {
    // Still open: closed as the user would, so that it keeps its bar layout for the next start.
    if (m_hReports != NULL && ::IsWindow(m_hReports)) ::SendMessage(m_hReports, WM_CLOSE, 0, 0);
    host::EndPortableCommands();
    AfxOleTerm();
#ifdef UNICODE
    OmbrelEnd();
#endif
    return m_exitCode >= 0 ? m_exitCode : CWinApp::ExitInstance();
  }

 private:
  BOOL Fail(int exitCode) {
    m_exitCode = exitCode;
    return FALSE;
  }
  int m_exitCode = -1;
  HWND m_hReports = NULL;
};

CHostApp theApp;

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE prev, LPWSTR cmdLine, int show) {
#ifdef UNICODE
  return AfxWinMain(inst, prev, cmdLine, show);
#else
  (void)cmdLine;
  return AfxWinMain(inst, prev, GetCommandLineA(), show);
#endif
}
