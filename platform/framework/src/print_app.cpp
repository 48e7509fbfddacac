// The application's printer: the selected device blocks, the default printer, the print
// dialog run on them and printer DCs made from them.
#include "fw_app.h"
#include "fw_dc.h"
#include "fw_print.h"

namespace {
void FreeBlock(HGLOBAL& h) {
  if (h != NULL) ::GlobalFree(h);
  h = NULL;
}
}  // namespace

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld) {
  if (bFreeOld) {
    if (m_hDevNames != hDevNames) FreeBlock(m_hDevNames);
    if (m_hDevMode != hDevMode) FreeBlock(m_hDevMode);
  }
  m_hDevNames = static_cast<HGLOBAL>(hDevNames);
  m_hDevMode = static_cast<HGLOBAL>(hDevMode);
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults) {
  // A chosen printer stays while its blocks are sound and a DC can still be made of them
  // (the printer may have gone).
  if (!bForceDefaults && m_hDevNames != NULL) {
    HDC hDC = AfxCreateDC(m_hDevNames, m_hDevMode);
    if (hDC != NULL) {
      ::DeleteDC(hDC);
      return;
    }
  }
  CPrintDialog pd(FALSE, PD_ALLPAGES | PD_NOSELECTION);
  pd.m_pd.Flags &= ~PD_RETURNDC;
  if (pd.GetDefaults()) {
    SelectPrinter(pd.m_pd.hDevNames, pd.m_pd.hDevMode);
  } else {
    SelectPrinter(NULL, NULL);
  }
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg) {
  UpdatePrinterSelection(m_hDevNames == NULL);
  if (m_hDevNames == NULL || pPrintDlg == NULL) return FALSE;
  pPrintDlg->hDevNames = m_hDevNames;
  pPrintDlg->hDevMode = m_hDevMode;
  return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD) {
  UpdatePrinterSelection(FALSE);
  pPD->m_pd.hDevMode = m_hDevMode;
  pPD->m_pd.hDevNames = m_hDevNames;
  INT_PTR result = pPD->DoModal();
  // PrintDlg may have replaced (and freed) the blocks it was given: keep what it ends with.
  m_hDevMode = pPD->m_pd.hDevMode;
  m_hDevNames = pPD->m_pd.hDevNames;
  return result;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
  UpdatePrinterSelection(FALSE);
  HDC hDC = AfxCreateDC(m_hDevNames, m_hDevMode);
  if (hDC == NULL) return FALSE;
  dc.DeleteDC();
  return dc.Attach(hDC);
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog pd(TRUE);
  DoPrintDialog(&pd);
}

void CWinApp::FreePrinterSelection() {
  FreeBlock(m_hDevMode);
  FreeBlock(m_hDevNames);
}
