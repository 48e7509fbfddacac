// The framework's print loop of views, the printing status dialog and the abort procedure.
#include "fw_app.h"
#include "fw_dc.h"
#include "fw_print.h"
#include "fw_printres.h"
#include "fw_view.h"

#include <algorithm>

namespace {
BOOL s_printAbort = FALSE;
const int kMaxJobName = 31;
}  // namespace

BOOL AFXAPI AfxGetPrintAbort() { return s_printAbort; }
void AFXAPI AfxSetPrintAbort(BOOL bAbort) { s_printAbort = bAbort; }

BOOL AFXAPI AfxPumpPrintMessages(const BOOL* pAbort) {
  MSG msg;
  while ((pAbort == NULL || !*pAbort) && ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    // The quit message belongs to the application's loop: it stays queued and ends the job.
    if (msg.message == WM_QUIT) return FALSE;
    if (!AfxPumpMessage()) {
      // Taken anyway (a quit posted between the peek and the get): queue it again.
      ::PostQuitMessage(static_cast<int>(AfxGetThreadState()->m_msgCur.wParam));
      return FALSE;
    }
  }
  return pAbort == NULL || !*pAbort;
}

BOOL CALLBACK AfxAbortProc(HDC, int) { return AfxPumpPrintMessages(&s_printAbort); }

BOOL AFXAPI AfxAskPrintFileName(CWnd* pOwner, CString& path) {
  CString ext, name, filter, title;
  ext.LoadString(AFX_IDS_PRINTDEFAULTEXT);
  name.LoadString(AFX_IDS_PRINTDEFAULT);
  filter.LoadString(AFX_IDS_PRINTFILTER);
  title.LoadString(AFX_IDS_PRINTCAPTION);
  // The filter's parts are separated by '|' in the string; the dialog wants NULs.
  TCHAR filterBuf[512] = {0};
  lstrcpyn(filterBuf, filter, 510);
  for (TCHAR* p = filterBuf; *p != 0; ++p)
    if (*p == _T('|')) *p = 0;
  TCHAR file[MAX_PATH] = {0};
  lstrcpyn(file, name, MAX_PATH);
  OPENFILENAME ofn;
  memset(&ofn, 0, sizeof(ofn));
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : NULL;
  ofn.lpstrFilter = filterBuf;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = ext;
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!::GetSaveFileName(&ofn)) return FALSE;
  path = file;
  return TRUE;
}

CString AFXAPI AfxPrintJobName(CView* pView) {
  CString title;
  if (pView->GetDocument() != NULL) {
    title = pView->GetDocument()->GetTitle();
  } else if (CFrameWnd* frame = pView->GetParentFrame()) {
    frame->GetWindowText(title);
  }
  return title.GetLength() > kMaxJobName ? title.Left(kMaxJobName) : title;
}

CString AFXAPI AfxPrintDestination(CPrintDialog* pPD, const CString& output) {
  CString where;
  if (output.IsEmpty())
    where.FormatMessage(AFX_IDS_PRINTONPORT, static_cast<LPCTSTR>(pPD->GetPortName()));
  else
    where.FormatMessage(AFX_IDS_PRINTTOFILE, static_cast<LPCTSTR>(output));
  return where;
}

// --- CPrintingDialog ---

CPrintingDialog::CPrintingDialog(CWnd* pParent) { m_pParentWnd = pParent; }

BOOL CPrintingDialog::OnInitDialog() {
  SetWindowText(AfxGetAppName());
  CenterWindow();
  return CDialog::OnInitDialog();
}

void CPrintingDialog::OnCancel() {
  AfxSetPrintAbort(TRUE);
  DestroyWindow();
}

// --- CView ---

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL || pInfo == NULL) return FALSE;
  CPrintDialog* pd = pInfo->m_pPD;
  pd->m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
  pd->m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
  if (pInfo->m_bPreview || pInfo->m_bDirect) {
    if (pd->m_pd.hDC == NULL) {
      // No printer at all: the user may still choose one.
      if (!pApp->GetPrinterDeviceDefaults(&pd->m_pd) && pApp->DoPrintDialog(pd) != IDOK) return FALSE;
      if (pd->m_pd.hDC == NULL && pd->CreatePrinterDC() == NULL) return FALSE;
    }
  } else if (pApp->DoPrintDialog(pd) != IDOK) {
    return FALSE;
  }
  if (pd->m_pd.hDC == NULL) return FALSE;
  pInfo->m_nNumPreviewPages = 1;
  pInfo->m_strPageDesc.LoadString(AFX_IDS_PREVIEWPAGEDESC);
  return TRUE;
}

void CView::OnFilePrint() {
  CPrintInfo printInfo;
  const MSG* msg = GetCurrentMessage();
  if (msg != NULL && msg->message == WM_COMMAND && LOWORD(msg->wParam) == ID_FILE_PRINT_DIRECT)
    printInfo.m_bDirect = TRUE;
  RunPrintJob(&printInfo, TRUE);
}

BOOL CView::RunPrintJob(CPrintInfo* pInfo, BOOL bInteractive) {
  CPrintInfo& printInfo = *pInfo;
  if (!OnPreparePrinting(&printInfo)) return FALSE;
  CPrintDialog* pd = printInfo.m_pPD;
  if (pd->m_pd.hDC == NULL) return FALSE;

  CString output;
  if (pd->PrintToFile() && !AfxAskPrintFileName(this, output)) return FALSE;

  const CString jobName = AfxPrintJobName(this);
  DOCINFO di;
  memset(&di, 0, sizeof(di));
  di.cbSize = sizeof(di);
  di.lpszDocName = jobName;
  di.lpszOutput = output.IsEmpty() ? NULL : static_cast<LPCTSTR>(output);

  CDC dcPrint;
  dcPrint.Attach(pd->m_pd.hDC);
  OnBeginPrinting(&dcPrint, &printInfo);
  dcPrint.SetAbortProc(AfxAbortProc);
  CWnd* pMain = AfxGetMainWnd();
  const bool disableMain = pMain != NULL && pMain->GetSafeHwnd() != NULL;
  if (disableMain) pMain->EnableWindow(FALSE);

  AfxSetPrintAbort(FALSE);
  CPrintingDialog status(this);
  if (bInteractive) status.Create(AFX_IDD_PRINTDLG, pMain != NULL ? pMain : this);
  const CString where = AfxPrintDestination(pd, output);
  if (status.GetSafeHwnd() != NULL) {
    status.SetDlgItemText(AFX_IDC_PRINT_DOCNAME, jobName);
    status.SetDlgItemText(AFX_IDC_PRINT_PRINTERNAME, pd->GetDeviceName());
    status.SetDlgItemText(AFX_IDC_PRINT_PORTNAME, where);
    status.ShowWindow(SW_SHOW);
    status.UpdateWindow();
  }

  auto finish = [&]() {
    if (disableMain) pMain->EnableWindow(TRUE);
    OnEndPrinting(&dcPrint, &printInfo);
    if (status.GetSafeHwnd() != NULL) status.DestroyWindow();
    dcPrint.Detach();
  };
  if (dcPrint.StartDoc(&di) <= 0) {
    finish();
    if (bInteractive) AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
    return FALSE;
  }

  UINT from = printInfo.GetFromPage();
  UINT to = printInfo.GetToPage();
  // The limits of a backward job come in reverse: the pages are kept to the range they span.
  const UINT lowPage = std::min(printInfo.GetMinPage(), printInfo.GetMaxPage());
  const UINT highPage = std::max(printInfo.GetMinPage(), printInfo.GetMaxPage());
  auto clamp = [&](UINT v) { return v < lowPage ? lowPage : (v > highPage ? highPage : v); };
  from = clamp(from);
  to = clamp(to);
  const int step = to >= from ? 1 : -1;
  const UINT end = to >= 0xFFFF ? 0xFFFF : to + step;
  CString pageFormat;
  pageFormat.LoadString(AFX_IDS_PRINTPAGENUM);

  bool failed = false;
  for (printInfo.m_nCurPage = from; printInfo.m_nCurPage != end; printInfo.m_nCurPage += step) {
    OnPrepareDC(&dcPrint, &printInfo);
    if (!printInfo.m_bContinuePrinting) break;
    if (status.GetSafeHwnd() != NULL) {
      CString page;
      page.Format(pageFormat, printInfo.m_nCurPage);
      status.SetDlgItemText(AFX_IDC_PRINT_PAGENUM, page);
    }
    printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
    dcPrint.DPtoLP(&printInfo.m_rectDraw);
    if (dcPrint.StartPage() <= 0) {
      failed = true;
      break;
    }
    if (PrepareDCAfterStartPage()) OnPrepareDC(&dcPrint, &printInfo);
    OnPrint(&dcPrint, &printInfo);
    // The first cancel ends the job: no page after it is sent.
    if (dcPrint.EndPage() <= 0 || !AfxAbortProc(dcPrint.m_hDC, 0)) {
      failed = true;
      break;
    }
  }
  if (failed)
    dcPrint.AbortDoc();
  else
    failed = dcPrint.EndDoc() <= 0;
  finish();
  return failed ? FALSE : TRUE;
}
