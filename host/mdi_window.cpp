#include "mdi_window.h"

#include <framework.h>
#include <fw_bars.h>
#include <fw_statusbar.h>

#include <UICommandCenter.h>
#include <UICustToolBar.h>
#include <UIMDIFrame.h>
#include <UISizeDialogBar.h>
#include <fw_app.h>
#include <fw_dock.h>
#include <UISplitterWnd.h>

#include "commands.h"
#include "command_ids.h"
#include "mdi_ids.h"
#include "report_view.h"
#include "screens.h"
#include "shortcut_bar.h"
#include "toolbar_drag.h"
#include "toolbars_ids.h"

namespace host {
namespace {

class ReportsBar : public CCustToolBar {
 protected:
  void PostNcDestroy() override { delete this; }
};

// The report filter: regions, quarter and totals, in a bar the user docks, floats and sizes.
class FilterBar : public CUISizeDialogBar {
 public:
  bool Make(CFrameWnd* frame) {
    if (!Create(frame, IDD_REPORT_FILTER, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS,
                ID_REPORT_FILTER_BAR))
      return false;
    SetWindowText(_T("Report filter"));
    for (LPCTSTR region : {_T("North"), _T("South"), _T("East"), _T("West")})
      SendDlgItemMessage(IDC_FILTER_REGIONS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(region));
    SendDlgItemMessage(IDC_FILTER_REGIONS, LB_SETSEL, TRUE, -1);
    for (LPCTSTR quarter : {_T("All quarters"), _T("Q1"), _T("Q2"), _T("Q3"), _T("Q4")})
      SendDlgItemMessage(IDC_FILTER_QUARTER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(quarter));
    SendDlgItemMessage(IDC_FILTER_QUARTER, CB_SETCURSEL, 0);
    CheckDlgButton(IDC_FILTER_TOTALS, BST_CHECKED);
    EnableDocking(CBRS_ALIGN_ANY);
    return true;
  }

 protected:
  void PostNcDestroy() override { delete this; }
};

// Where the reports window keeps its bar layout in the application's profile.
const TCHAR kLayoutSection[] = _T("Reports Layout");

// A document: a splitter of two report views, one above the other (each with its own
// vertical scroll bar), with Refresh and Grid beside the splitter's horizontal scroll bar,
// which both views follow.
class ReportDocFrame : public CUIMDIChildWnd {
 protected:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext*) override {
    if (!m_splitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE | WS_HSCROLL)) return FALSE;
    for (int row = 0; row < 2; ++row)
      if (CreateReportView(&m_splitter, m_splitter.IdFromRowCol(row, 0), WS_VSCROLL) == NULL) return FALSE;
    m_splitter.SetRowInfo(0, 150, 40);
    CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
    for (WORD id : {static_cast<WORD>(ID_VIEW_REFRESH), static_cast<WORD>(ID_VIEW_GRID)})
      m_splitter.AddCommandInScrollBar(center.GetCommand(id), TRUE);
    return TRUE;
  }
  void PostNcDestroy() override { delete this; }
  CUISplitterWnd m_splitter;
};

class ReportsFrame : public CUIMDIFrameWnd {
 public:
  ~ReportsFrame() override {
    if (m_hFrameMenu != NULL) ::DestroyMenu(m_hFrameMenu);
  }
  HMENU GetFrameMenu(BOOL) override {
    if (m_hFrameMenu == NULL) m_hFrameMenu = ::LoadMenu(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_REPORTS_FRAME));
    return m_hFrameMenu;
  }
  void CreateStatusBar() override {
    auto* bar = new CStatusBar;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!bar->Create(this)) {
      delete bar;
      return;
    }
    bar->SetIndicators(indicators, 3);
    m_pOwnedObject = bar;  // the frame deletes it
  }
  // The toolbars at the top and the report filter on the left; then, with bRestore, the layout
  // the window had when it was last closed.
  bool CreateBars(bool bRestore) {
    const UINT lists[2] = {IDL_STANDARD_BAR, IDL_REPORT_BAR};
    for (int i = 0; i < 2; ++i) {
      auto* bar = new ReportsBar;
      if (!bar->CreateAndLoad(this, AFX_IDW_TOOLBAR + 2 + i, lists[i], 0)) return false;
      bar->SetWindowText(i == 0 ? _T("Standard") : _T("Report"));  // the floating frame's caption
      bar->EnableDocking(CBRS_ALIGN_ANY);
      bar->CControlBar::EnableDocking(CBRS_ALIGN_ANY);  // dragged by the framework's dock context
      DockControlBar(bar, static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
      m_pToolBars[i] = bar;
    }
    auto* filter = new FilterBar;
    if (!filter->Make(this)) {
      delete filter;
      return false;
    }
    m_pFilter = filter;
    DockControlBarEx(filter, NULL, NULL);  // its alignment: the left
    RecalcLayout();
    if (bRestore) LoadBarState(kLayoutSection);
    m_bKeepLayout = bRestore;
    CreateAccelerators(::GetMenu(m_hWnd));
    return true;
  }
  // What a user does with the bars: the report bar floats over the documents, the filter widens.
  void RearrangeBars() {
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    FloatControlBar(m_pToolBars[1], CPoint(client.right - 330, client.bottom - 90));
    if (auto* left = DYNAMIC_DOWNCAST(CSizeDockBar, GetControlBar(AFX_IDW_DOCKBAR_LEFT))) {
      RecalcLayout();
      if (left->m_arrSplitters.GetSize() > 0) left->MoveSplitter(0, 60);
    }
    RecalcLayout();
  }
  void SaveLayout() { SaveBarState(kLayoutSection); }
  CCustToolBar* ToolBar(int i) const { return m_pToolBars[i]; }

  ReportDocFrame* NewDocument(LPCTSTR title) {
    auto* doc = new ReportDocFrame;
    if (!doc->LoadFrame(IDR_REPORTS_DOC, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, this))
      return NULL;
    doc->SetTitle(title);
    doc->ActivateFrame();
    return doc;
  }

 protected:
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (CUIMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // The host's commands: enabled, and run by the host.
    if (nID < 32800 || nID > 33899) return FALSE;
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) {
      if (pExtra != NULL) static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
      return TRUE;
    }
    if (nCode == CN_COMMAND && pExtra == NULL && pHandlerInfo == NULL) {
      if (nID == ID_FILE_NEW) return NewDocument(_T("New report")) != NULL;
      if (nID == ID_FILE_CLOSE) {
        if (CMDIChildWnd* active = MDIGetActive()) active->MDIDestroy();
        return TRUE;
      }
      return RunCommand(nID);
    }
    return FALSE;
  }
  // Closed by the user: the layout is kept for the next start (the floating bars still exist).
  afx_msg void OnClose() {
    if (m_bKeepLayout) SaveLayout();
    CUIMDIFrameWnd::OnClose();
  }
  DECLARE_MESSAGE_MAP()

 private:
  HMENU m_hFrameMenu = NULL;
  CCustToolBar* m_pToolBars[2] = {NULL, NULL};
  CUISizeDialogBar* m_pFilter = NULL;
  bool m_bKeepLayout = false;
};
BEGIN_MESSAGE_MAP(ReportsFrame, CUIMDIFrameWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

// bRestore: the layout of the last closing comes back, and closing keeps the layout.
ReportsFrame* MakeReportsFrame(bool qaMode, bool bRestore = false) {
  g_exp_bQATest = qaMode ? 1 : 0;  // read once, while the frame is made
  auto* frame = new ReportsFrame;
  BOOL made = frame->LoadFrame(IDR_REPORTS_FRAME);
  g_exp_bQATest = 0;
  if (!made) return NULL;
  frame->MoveWindow(60, 60, 900, 620);
  if (!frame->CreateBars(bRestore)) {
    frame->DestroyWindow();
    return NULL;
  }
  frame->ShowWindow(SW_SHOW);
  frame->NewDocument(_T("Quarterly sales"));
  frame->NewDocument(_T("Regional costs"));
  frame->MDICascade();
  return frame;
}

}  // namespace

HWND CreateReportsWindow(bool qaMode) {
  ReportsFrame* frame = MakeReportsFrame(qaMode, true);
  return frame != NULL ? frame->m_hWnd : NULL;
}

void CaptureReportsWindows() {
  if (!ScreenshotMode()) return;
  if (ReportsFrame* frame = MakeReportsFrame(false)) {
    CaptureWindow(frame->m_hWnd, L"mdi_two_documents");
    // Customising: the standard bar's second button dragged to before its fifth.
    ShowToolbarDrag(frame->ToolBar(0), 1, 4, false);
    CaptureWindow(frame->m_hWnd, L"toolbar_insertion_point");
    EndToolbarDrag(frame->ToolBar(0));
    if (CMDIChildWnd* active = frame->MDIGetActive()) active->MDIMaximize();
    CaptureWindow(frame->m_hWnd, L"mdi_maximised_document");
    frame->DestroyWindow();
  }
  if (ReportsFrame* frame = MakeReportsFrame(false)) {
    if (AddShortcutBar(frame)) CaptureShortcutBarTooltip(frame, L"reports_shortcut_bar");
    frame->DestroyWindow();
  }
  // Sizable docking: one start rearranges the bars and closes, the next start shows them so.
  if (ReportsFrame* frame = MakeReportsFrame(false)) {
    frame->RearrangeBars();
    frame->SaveLayout();
    frame->DestroyWindow();
  }
  if (ReportsFrame* frame = MakeReportsFrame(false, true)) {
    CaptureWindow(frame->m_hWnd, L"sizable_docking", 0, true);  // the floating bar over its frame
    frame->DestroyWindow();
  }
  if (ReportsFrame* frame = MakeReportsFrame(true)) {
    frame->SetTitle(_T("Quarnel Reports (QA mode)"));
    frame->OnUpdateFrameTitle(TRUE);
    CaptureWindow(frame->m_hWnd, L"mdi_qa_mode");
    frame->DestroyWindow();
  }
}

}  // namespace host
