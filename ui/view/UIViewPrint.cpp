// Printing from the drawing view: the print job of Print with its dialogs, status dialog,
// page loop, copies and collation, and the rendering of one page at the printer's
// resolution.
#include <QvPreviewView.h>
#include <UIHandles.h>
#include <QvPrintDlg.h>
#include <UIUtilities.h>
#include <UIView.h>
#include <fw_app.h>
#include <fw_print.h>
#include <fw_printres.h>

#include <algorithm>
#include <vector>

namespace {

const UINT kStatusTemplate = 30722;
const UINT kLabelTextPrinter = 31260;
const int kStatusDocument = 201, kStatusPrinter = 202, kStatusWhere = 203, kStatusPage = 204;

CQvPrintingDialog* s_currentStatus = nullptr;

// Whether the command being handled is the direct print command (the shell's "print" and
// "print to" send it).
bool HandlingPrintDirect() {
  const MSG* msg = CWnd::GetCurrentMessage();
  return msg != NULL && msg->message == WM_COMMAND && LOWORD(msg->wParam) == ID_FILE_PRINT_DIRECT;
}

// The printer the application's command line names ("/pt file printer driver port"); NULL
// when it names none.
const CCommandLineInfo* CommandLinePrinter() {
  CWinApp* app = AfxGetApp();
  const CCommandLineInfo* line = app != NULL ? app->m_pCmdInfo : NULL;
  if (line == NULL || line->m_nShellCommand != CCommandLineInfo::FilePrintTo || line->m_strPrinterName.IsEmpty())
    return NULL;
  return line;
}

// The framework's message that a print job could not be started, as a message box of ours.
void ShowPrintStartFailure() {
  const UINT id = AFX_IDP_FAILED_TO_START_PRINT;
  wchar_t text[256] = {};
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE((id >> 4) + 1), RT_STRING);
  if (module == NULL || ::LoadStringW(module, id, text, 256) <= 0) lstrcpynW(text, L"Failed to start the print job.", 256);
  UIMessageBox(text, MB_OK | MB_ICONSTOP, 0);
}

// The job's printer DC asked for one copy of each page: the view prints the copies itself,
// and a driver that copied the job too would multiply them.
void PrintOneCopyPerPage(HDC dc, CPrintDialog* pd) {
  LPDEVMODE dm = pd->GetDevMode();
  if (dm == NULL) return;
  if ((dm->dmFields & DM_COPIES) != 0 && dm->dmCopies > 1) {
    std::vector<BYTE> copy(reinterpret_cast<BYTE*>(dm), reinterpret_cast<BYTE*>(dm) + dm->dmSize + dm->dmDriverExtra);
    DEVMODE* one = reinterpret_cast<DEVMODE*>(copy.data());
    one->dmCopies = 1;
    if ((one->dmFields & DM_COLLATE) != 0) one->dmCollate = DMCOLLATE_FALSE;
    ::ResetDC(dc, one);
  }
  ::GlobalUnlock(pd->m_pd.hDevMode);
}

}  // namespace

CQvPrintingDialog* CQvPrintingDialog::GetCurrent() { return s_currentStatus; }
void CQvPrintingDialog::SetCurrent(CQvPrintingDialog* dialog) { s_currentStatus = dialog; }

void CQvPrintingDialog::OnCancel() {
  if (s_currentStatus == this) s_currentStatus = nullptr;
  CPrintingDialog::OnCancel();
}

void CMFCUIView::CreatePrintDialog(CPrintInfo* info) {
  info->m_pPD = new CQvPrintDlg(FALSE, PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE, NULL);
}

BOOL CMFCUIView::OnPreparePrinting(CPrintInfo* info) {
  if (info->m_pPD != NULL) {
    if (info->m_pPD->m_pd.hDC != NULL) ::DeleteDC(info->m_pPD->m_pd.hDC);
    delete info->m_pPD;
    info->m_pPD = NULL;
  }
  CreatePrintDialog(info);
  if (info->m_pPD == NULL) return FALSE;
  if (HandlingPrintDirect()) {
    if (const CCommandLineInfo* line = CommandLinePrinter()) {
      auto field = [](const CString& s) -> LPCTSTR { return s.IsEmpty() ? NULL : static_cast<LPCTSTR>(s); };
      // Handed to the print job, which deletes it.
      HDC printer = uih::CreateDeviceDC(field(line->m_strDriverName), static_cast<LPCTSTR>(line->m_strPrinterName),
                                        field(line->m_strPortName), NULL)
                        .Release();
      if (printer == NULL) {
        ShowPrintStartFailure();
        return FALSE;
      }
      info->m_pPD->m_pd.hDC = printer;
      info->m_bDirect = TRUE;
    }
  }
  if (info->m_bPreview) m_firstPage = m_lastPage = 0;
  long pages = HasCustomPageManagement() ? GetNumberOfPages() : 0;
  if (m_lastPage != 0 && (pages == 0 || pages > m_lastPage)) pages = m_lastPage;
  if (m_firstPage != 0 || m_lastPage != 0) {
    info->SetMinPage(m_firstPage);
    info->SetMaxPage(m_lastPage);
  }
  if (pages != 0) info->SetMaxPage(static_cast<UINT>(pages));
  if (!DoPreparePrinting(info)) return FALSE;
  UpdatePrinterInfoIsNeeded(info->m_pPD, info->m_bPreview);
  HDC printer = info->m_pPD->m_pd.hDC;
  if (printer != NULL && ::GetDeviceCaps(printer, TECHNOLOGY) == DT_CHARSTREAM) {
    UIMessageBox(kLabelTextPrinter, MB_OK | MB_ICONSTOP, 0);
    return FALSE;
  }
  return TRUE;
}

int CMFCUIView::DoPreparePrinting(CPrintInfo* info) {
  CWinApp* app = AfxGetApp();
  CPrintDialog* pd = info->m_pPD;
  if (app == NULL || pd == NULL) return FALSE;
  const bool limited = m_firstPage != 0 || m_lastPage != 0;
  // No dialog in blind mode, whatever the job.
  if (!info->m_bPreview && !info->m_bDirect && !limited && !IsInBlindMode()) {
    pd->m_pd.nFromPage = static_cast<WORD>(info->GetMinPage());
    pd->m_pd.nToPage = static_cast<WORD>(info->GetMaxPage());
    if (app->DoPrintDialog(pd) != IDOK || pd->m_pd.hDC == NULL) return FALSE;
  } else {
    if (pd->m_pd.hDC == NULL) {
      if (!app->GetPrinterDeviceDefaults(&pd->m_pd)) {
        if (IsInBlindMode() || app->DoPrintDialog(pd) != IDOK) return FALSE;
      }
      if (pd->m_pd.hDC == NULL && pd->CreatePrinterDC() == NULL) return FALSE;
    }
    pd->m_pd.nFromPage = static_cast<WORD>(info->GetMinPage());
    pd->m_pd.nToPage = static_cast<WORD>(info->GetMaxPage());
  }
  info->m_nNumPreviewPages = 1;
  info->m_strPageDesc.LoadString(AFX_IDS_PREVIEWPAGEDESC);
  return TRUE;
}

int CMFCUIView::PrintAPage(CDC& dc, CPrintInfo& info, CString& pageFormat, int& aborted) {
  aborted = 0;
  OnPrepareDC(&dc, &info);
  if (!info.m_bContinuePrinting) return FALSE;
  if (s_currentStatus != nullptr && s_currentStatus->GetSafeHwnd() != NULL) {
    CString page;
    page.Format(pageFormat, info.m_nCurPage);
    s_currentStatus->SetDlgItemText(kStatusPage, page);
  }
  HDC attrib = dc.m_hAttribDC != NULL ? dc.m_hAttribDC : dc.m_hDC;
  info.m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(attrib, HORZRES), ::GetDeviceCaps(attrib, VERTRES));
  dc.DPtoLP(&info.m_rectDraw);
  if (dc.StartPage() > 0) {
    OnPrepareDC(&dc, &info);
    OnPrint(&dc, &info);
    if (dc.EndPage() > 0 && AfxAbortProc(dc.m_hDC, 0)) return TRUE;
  }
  aborted = 1;
  return FALSE;
}

UIPrintResult CMFCUIView::Print(long from, long to) {
  m_firstPage = static_cast<unsigned short>(from);
  m_lastPage = static_cast<unsigned short>(to);
  CPrintInfo info;
  if (!OnPreparePrinting(&info)) return UIPrintFailed;
  CPrintDialog* pd = info.m_pPD;
  if (pd->m_pd.hDC == NULL) return UIPrintFailed;

  CString output;
  if (pd->PrintToFile() && !AfxAskPrintFileName(this, output)) return UIPrintFileCancelled;

  const CString jobName = AfxPrintJobName(this);
  const CString where = AfxPrintDestination(pd, output);

  CDC dc;
  dc.Attach(pd->m_pd.hDC);
  OnBeginPrinting(&dc, &info);
  CWinApp* app = AfxGetApp();
  if (app != NULL) app->DoWaitCursor(1);
  dc.SetAbortProc(AfxAbortProc);
  const bool blind = IsInBlindMode() != 0;
  CWnd* mainWnd = AfxGetMainWnd();
  const bool disableMain = !blind && mainWnd != NULL && mainWnd->GetSafeHwnd() != NULL;
  if (disableMain) mainWnd->EnableWindow(FALSE);

  AfxSetPrintAbort(FALSE);
  CQvPrintingDialog status(this);
  status.Create(kStatusTemplate, mainWnd != NULL && mainWnd->GetSafeHwnd() != NULL ? mainWnd : this);
  if (status.GetSafeHwnd() != NULL) {
    status.SetDlgItemText(kStatusDocument, jobName);
    status.SetDlgItemText(kStatusPrinter, pd->GetDeviceName());
    status.SetDlgItemText(kStatusWhere, where);
    if (!blind) {
      status.ShowWindow(SW_SHOW);
      status.UpdateWindow();
      CQvPrintingDialog::SetCurrent(&status);
    }
  }

  auto finish = [&]() {
    if (disableMain) mainWnd->EnableWindow(TRUE);
    OnEndPrinting(&dc, &info);
    if (CQvPrintingDialog::GetCurrent() == &status) CQvPrintingDialog::SetCurrent(nullptr);
    if (status.GetSafeHwnd() != NULL) status.DestroyWindow();
    if (app != NULL) app->DoWaitCursor(-1);
    dc.Detach();
  };

  const int copies = pd->GetCopies();
  if (copies > 1) PrintOneCopyPerPage(dc.m_hDC, pd);
  DOCINFO di;
  memset(&di, 0, sizeof(di));
  di.cbSize = sizeof(di);
  di.lpszDocName = jobName;
  di.lpszOutput = output.IsEmpty() ? NULL : static_cast<LPCTSTR>(output);
  if (dc.StartDoc(&di) <= 0) {
    finish();
    return UIPrintFailed;
  }

  UINT first = pd->m_pd.nFromPage, last = pd->m_pd.nToPage;
  // The limits of a backward job (Print(3, 1)) come in reverse: clamp to the range they span.
  const UINT lowPage = std::min(info.GetMinPage(), info.GetMaxPage());
  const UINT highPage = std::max(info.GetMinPage(), info.GetMaxPage());
  auto clamp = [&](UINT v) { return v < lowPage ? lowPage : (v > highPage ? highPage : v); };
  first = clamp(first);
  last = clamp(last);
  const int step = last < first ? -1 : 1;
  const UINT end = last >= 0xFFFF ? 0xFFFF : last + step;
  CString pageFormat;
  pageFormat.LoadString(AFX_IDS_PRINTPAGENUM);

  // The first abort (Cancel, a failing page, the end of the application) ends the job.
  int aborted = 0;
  if (m_collation == 0) {
    for (info.m_nCurPage = first; info.m_nCurPage != end && !aborted; info.m_nCurPage += step)
      for (int copy = 0; copy < copies; ++copy)
        if (!PrintAPage(dc, info, pageFormat, aborted)) break;
  } else {
    for (int copy = 0; copy < copies && !aborted; ++copy)
      for (info.m_nCurPage = first; info.m_nCurPage != end; info.m_nCurPage += step)
        if (!PrintAPage(dc, info, pageFormat, aborted)) break;
  }

  bool failed = aborted != 0;
  if (failed)
    dc.AbortDoc();
  else
    failed = dc.EndDoc() <= 0;  // the job did not come out: no success to report
  finish();
  return failed ? UIPrintFailed : UIPrinted;
}

// --- One page ---

void CMFCUIView::OnPrint(CDC* dc, CPrintInfo* info) {
  if (dc == NULL || info == NULL) return;
  const bool hadWindowDC = m_hDC != NULL && m_ownsDC;
  uih::WindowDC windowDC;
  if (m_hWnd != NULL) windowDC = uih::WindowDC(m_hWnd);
  UnprepareCurrentDC();
  // What rendering the page changes in the view, given back afterwards.
  const CoreState saved = SaveCoreState();
  const int savedResX = m_resolutionX, savedResY = m_resolutionY;
  const RECT savedDrawRect = m_drawRect;
  const bool preview = info->m_bPreview != FALSE;
  HDC out = dc->m_hDC;
  HDC printer = preview && dc->m_hAttribDC != NULL ? dc->m_hAttribDC : out;

  m_scroll = POINT{0, 0};
  if (m_printZoom != 1.0f) {
    m_zoomNum = static_cast<long>(m_printZoom * 1000.0f);
    m_zoomDen = 1000;
    m_flags |= UIVIEW_ZOOMED;
    m_zoomRatio = m_printZoom;
  } else {
    m_flags &= ~UIVIEW_ZOOMED;
    m_zoomRatio = 1.0f;
  }
  DropPreparedFonts();

  // Printing draws on the printer itself: no attribute DC of another device.
  m_hAttribDC = preview ? printer : NULL;
  m_hColorRefDC = preview ? printer : windowDC.Get();
  PrepareNewDCForDrawing(out, false);
  m_flags = (m_flags & ~UIVIEW_PRINT_FLAGS) | (preview ? UIVIEW_PREVIEW : UIVIEW_PRINTING);
  // The preparation took the resolution, twips per pixel and factors from the printer.
  m_flags |= UIVIEW_ZOOM_FONTS;
  ComputePenWidthInPixels();

  m_zoomRatio = static_cast<float>(m_resolutionY) * m_zoomRatio / 72.0f;
  SetUpPrintPage(out, printer, preview);

  const int mapMode = ::SetMapMode(out, MM_TEXT);
  if (HasCustomPageManagement()) {
    PrintOnePage(static_cast<long>(info->m_nCurPage));
  } else {
    CSize image = GetImageSize();
    Draw(CRect(0, 0, image.cx, image.cy));
  }
  ::SetMapMode(out, mapMode);

  UnprepareCurrentDC();
  m_resolutionX = savedResX;
  m_resolutionY = savedResY;
  m_drawRect = savedDrawRect;
  RestoreCoreState(saved);
  DropPreparedFonts();
  if (windowDC && hadWindowDC) PrepareNewDCForDrawing(windowDC.Release(), true);  // the view's own DC again
}

void CMFCUIView::OnFilePrintPreview() { DoPrintPreview(RUNTIME_CLASS(CQvPreviewView)); }
