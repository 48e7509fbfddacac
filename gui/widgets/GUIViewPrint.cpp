// Printing the portable view: the job's print dialog and pages, the printer it goes to, and
// one page drawn at the printer's resolution.
#include "GUIView.h"

#include <fw_print.h>
#include "GUIInitialisations.h"
#include "QvPageFormat.h"
#include "QvPrinter.h"
#include "QvView.h"
#include "UIHandles.h"
#include "UIUtilities.h"

namespace {
const UINT kLabelCharacterPrinter = 31260;
const UINT kMaxPage = 0xFFFF;

unsigned short PageNumber(long page) {
  return static_cast<unsigned short>(page < 0 ? 0 : page > static_cast<long>(kMaxPage) ? kMaxPage : page);
}
}  // namespace

bool CGUIView::PrinterOfCommandLine(CPrintDialog* pd) {
  CWinApp* app = AfxGetApp();
  const CCommandLineInfo* cmd = app != NULL ? app->m_pCmdInfo : NULL;
  if (cmd == NULL || cmd->m_nShellCommand != CCommandLineInfo::FilePrintTo) return true;
  // The dialog's record owns the DC from here on.
  pd->m_pd.hDC = uih::CreateDeviceDC(static_cast<LPCTSTR>(cmd->m_strDriverName), static_cast<LPCTSTR>(cmd->m_strPrinterName),
                                     cmd->m_strPortName.IsEmpty() ? NULL : static_cast<LPCTSTR>(cmd->m_strPortName), NULL)
                     .Release();
  return pd->m_pd.hDC != NULL;
}

BOOL CGUIView::Print(long first, long last) {
  m_firstPage = PageNumber(first);
  m_lastPage = PageNumber(last);
  if (m_hWnd == NULL || m_view == nullptr) return FALSE;
  CPrintInfo info;
  // Without a user interface the job shows nothing (no status dialog, no message).
  return RunPrintJob(&info, QvApplicationIsBlind() ? FALSE : TRUE);
}

BOOL CGUIView::OnPreparePrinting(CPrintInfo* info) {
  if (info == NULL) return FALSE;
  if (info->m_pPD != NULL) {
    if (info->m_pPD->m_pd.hDC != NULL) ::DeleteDC(info->m_pPD->m_pd.hDC);
    delete info->m_pPD;
  }
  info->m_pPD = new CPrintDialog(FALSE, PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE);
  if (info->m_bDirect && !PrinterOfCommandLine(info->m_pPD)) {
    if (!QvApplicationIsBlind()) AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
    return FALSE;
  }
  if (info->m_bPreview) m_firstPage = m_lastPage = 0;
  UINT first = 0, last = 0;
  if (!JobPages(first, last)) return FALSE;
  // The job's limits are its first and last pages (in reverse for a backward range).
  info->SetMinPage(first);
  info->SetMaxPage(last);
  if (!DoPreparePrinting(info)) return FALSE;

  CPrintDialog* pd = info->m_pPD;
  if (QvPrinter* printer = QvGetGlobalPrinter()) {
    if (QvPageFormat* format = printer->GetPageFormat()) format->FollowPrinter(pd->m_pd.hDevNames, pd->m_pd.hDevMode);
  }
  if (PrinterTechnology(pd->m_pd.hDC) == DT_CHARSTREAM) {
    UIMessageBox(kLabelCharacterPrinter, MB_OK | MB_ICONINFORMATION, 0);
    return FALSE;
  }
  return TRUE;
}

bool CGUIView::JobPages(UINT& first, UINT& last) const {
  // Pages are numbered from 1. A view without pages of its own (a count of 0) prints its image
  // on one page, or on each page of the range asked for.
  const long counted = m_view != nullptr && m_view->HasCustomPageManagement() ? m_view->GetNumberOfPages() : 0;
  const UINT count = static_cast<UINT>(counted <= 0 ? 0 : counted > static_cast<long>(kMaxPage) ? kMaxPage : counted);
  const UINT from = m_firstPage != 0 ? m_firstPage : 1;
  if (m_lastPage != 0 && m_lastPage < from) {
    // Backward: from the first page asked for, or the last there is, down to the last page.
    first = count != 0 && from > count ? count : from;
    last = m_lastPage;
  } else {
    first = from;
    last = m_lastPage != 0 ? m_lastPage : count != 0 ? count : from;
    if (count != 0 && last > count) last = count;
  }
  // A range wholly beyond the document has nothing to print.
  return count == 0 || (first <= count && last <= count);
}

BOOL CGUIView::DoPreparePrinting(CPrintInfo* info) {
  CWinApp* app = AfxGetApp();
  CPrintDialog* pd = info != NULL ? info->m_pPD : NULL;
  if (app == NULL || pd == NULL) return FALSE;
  const bool ranged = m_firstPage != 0 || m_lastPage != 0;
  pd->m_pd.nFromPage = static_cast<WORD>(info->GetMinPage());
  pd->m_pd.nToPage = static_cast<WORD>(info->GetMaxPage());
  if (!info->m_bPreview && !info->m_bDirect && !ranged && !QvApplicationIsBlind()) {
    if (app->DoPrintDialog(pd) != IDOK || pd->m_pd.hDC == NULL) return FALSE;
  } else if (pd->m_pd.hDC == NULL) {
    if (!app->GetPrinterDeviceDefaults(&pd->m_pd) && (QvApplicationIsBlind() || app->DoPrintDialog(pd) != IDOK))
      return FALSE;
    if (pd->m_pd.hDC == NULL && pd->CreatePrinterDC() == NULL) return FALSE;
  }
  info->m_nNumPreviewPages = 1;
  info->m_strPageDesc.LoadString(AFX_IDS_PREVIEWPAGEDESC);
  return TRUE;
}

void CGUIView::OnPrint(CDC* dc, CPrintInfo* info) {
  if (dc == NULL || dc->m_hDC == NULL || info == NULL || m_view == nullptr) return;
  const bool preview = info->m_bPreview != FALSE;
  HDC out = dc->m_hDC;
  // The printer: the preview's attribute DC, or the DC printed on.
  HDC printer = preview && dc->m_hAttribDC != NULL ? dc->m_hAttribDC : out;
  uih::WindowDC window;
  if (m_hWnd != NULL) window = uih::WindowDC(m_hWnd);
  const SurfaceState saved = SaveSurfaceState();
  UnprepareCurrentDC();

  m_scrollPos = QvPoint(0, 0);
  m_flags &= ~static_cast<unsigned long>(GUIVIEW_ZOOMED | GUIVIEW_PAINTING | GUIVIEW_PRINT_FLAGS);
  m_hAttribDC = preview ? printer : NULL;
  PrepareNewDCForDrawing(out);  // the resolution, twips per pixel and factors of the printer
  m_flags |= (preview ? GUIVIEW_PREVIEW : GUIVIEW_PRINTING) | GUIVIEW_OFFSCREEN;
  m_hColorRefDC = preview ? printer : window.Get();

  // Font points to device pixels; with the old print fonts, screen pixels kept.
  const int dpiY = ::GetDeviceCaps(printer, LOGPIXELSY);
  m_zoomRatio = static_cast<float>(dpiY) / 72.0f;
  if (GetPrintOldFont()) {
    const long before = preview ? ::GetDeviceCaps(out, LOGPIXELSY) : saved.resolutionY;
    if (before > 0) m_zoomRatio = static_cast<float>(dpiY) / static_cast<float>(before);
  }
  SetUpPrintPage(out, printer, preview, m_platformVersion == QvWin32s);
  ComputePenWidthInPixels();
  DropFonts();

  const int mapMode = ::SetMapMode(out, MM_TEXT);
  if (m_view->HasCustomPageManagement()) {
    m_view->PrintOnePage(static_cast<long>(info->m_nCurPage));
  } else {
    const QvSize image = m_view->GetImageSize();
    m_view->Draw(QvRect(0, 0, image.cx, image.cy));
  }
  ::SetMapMode(out, mapMode);

  UnprepareCurrentDC();
  RestoreSurfaceState(saved);
}
