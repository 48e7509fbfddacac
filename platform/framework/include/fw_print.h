// Printing: the print dialog with its device-mode and device-names blocks, the record of a
// print job (CPrintInfo), the framework's printing status dialog and abort procedure.
//
// The application object holds the selected printer (CWinApp::m_hDevMode, m_hDevNames,
// see fw_app.h); print dialogs run through CWinApp::DoPrintDialog start from it and leave
// their choice in it. CView::OnFilePrint runs the framework's print loop: OnPreparePrinting
// (which calls DoPreparePrinting), OnBeginPrinting, then per page OnPrepareDC and OnPrint
// between StartPage and EndPage, and OnEndPrinting.
//
// Device blocks that come from outside (documents, the profile) are checked before use:
// AfxIsValidDevNames and AfxIsValidDevMode refuse blocks whose sizes or offsets do not fit.
#pragma once
#include "fw_dialog.h"
#include "fw_geometry.h"
#include "fw_string.h"

#include <commdlg.h>

class CDC;
class CPrintDialog;
class CView;

// The command ids of printing are in fw_printres.h (not included here: hosts may name
// commands of their own alike).

// Strings of the framework's printing (framework resources; a module of the chain may
// carry its own under the same ids).
#define AFX_IDS_PRINTONPORT 61504      // status text: "on %1" (port)
#define AFX_IDS_PRINTPAGENUM 61507     // "Page %u"
#define AFX_IDS_PREVIEWPAGEDESC 61508  // page description of a job
#define AFX_IDS_PRINTDEFAULTEXT 61509  // default extension of print files
#define AFX_IDS_PRINTDEFAULT 61510     // default print file name
#define AFX_IDS_PRINTFILTER 61511      // filter of the print-to-file dialog
#define AFX_IDS_PRINTCAPTION 61512     // title of the print-to-file dialog
#define AFX_IDS_PRINTTOFILE 61513      // status text: "to %1" (file)
#define AFX_IDP_FAILED_TO_START_PRINT 61702

// The framework's printing status dialog and its controls.
#define AFX_IDD_PRINTDLG 30721
#define AFX_IDC_PRINT_DOCNAME 201
#define AFX_IDC_PRINT_PRINTERNAME 202
#define AFX_IDC_PRINT_PORTNAME 203
#define AFX_IDC_PRINT_PAGENUM 204

// A DEVNAMES block whose offsets lie inside the block, each name ending inside it.
FW_API BOOL AFXAPI AfxIsValidDevNames(HGLOBAL hDevNames);
// A DEVMODE block at least as long as its dmSize + dmDriverExtra, with a dmSize that
// holds the fields up to dmFormName.
FW_API BOOL AFXAPI AfxIsValidDevMode(HGLOBAL hDevMode);
// A printer DC from the blocks (the mode may be NULL); NULL when the names are missing or
// either block is not valid.
FW_API HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);
// A movable copy of a global block (its whole size); NULL for NULL or on failure.
FW_API HGLOBAL AFXAPI AfxCopyGlobal(HGLOBAL hSource);

class FW_API CPrintDialog : public CDialog {
  DECLARE_DYNAMIC(CPrintDialog)
 public:
  // bPrintSetupOnly: the print setup dialog (PD_PRINTSETUP). The printer DC is asked for
  // (PD_RETURNDC) in the print dialog.
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                        CWnd* pParentWnd = NULL);
  ~CPrintDialog() override;

  PRINTDLG m_pd;

  // Runs PrintDlg: IDOK or IDCANCEL. The blocks in m_pd are the caller's (the application's
  // when run through CWinApp::DoPrintDialog); the printer DC made is the caller's too.
  INT_PTR DoModal() override;
  // The default printer's blocks (and DC with PD_RETURNDC) without a dialog; m_pd's blocks
  // must be NULL. FALSE when there is no default printer.
  BOOL GetDefaults();

  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;
  // The device mode, locked (unlock with ::GlobalUnlock(m_pd.hDevMode)); NULL when none.
  LPDEVMODE GetDevMode() const;
  HDC GetPrinterDC() const { return m_pd.hDC; }
  // Makes m_pd.hDC from the blocks (the old DC is the caller's); NULL on failure.
  HDC CreatePrinterDC();

  // Copies: the device mode's when the driver keeps them (PD_USEDEVMODECOPIES), else the
  // dialog's.
  int GetCopies() const;
  BOOL PrintCollate() const;
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
  int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
  int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

 private:
  // One of the names of the device names block; empty when there is none.
  CString DevName(int which) const;
};

// The record of one print job.
class FW_API CPrintInfo {
 public:
  // Makes the job's print dialog (pages 1 to 0xFFFF).
  CPrintInfo();
  // Deletes the dialog and the printer DC it holds (the device blocks are the application's).
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  CPrintDialog* m_pPD;
  BOOL m_bDirect = FALSE;           // print without the dialog (ID_FILE_PRINT_DIRECT)
  BOOL m_bPreview = FALSE;          // a preview job
  BOOL m_bContinuePrinting = TRUE;  // OnPrepareDC clears it to end the job
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  CString m_strPageDesc;
  LPVOID m_lpUserData = NULL;
  CRect m_rectDraw;  // the printable area of the page, in logical units

  void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
  void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
  UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
  UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
};

// The modeless status dialog of a print job (template AFX_IDD_PRINTDLG); its Cancel sets
// the process-wide abort flag and closes it.
class FW_API CPrintingDialog : public CDialog {
 public:
  explicit CPrintingDialog(CWnd* pParent);
  BOOL OnInitDialog() override;

 protected:
  void OnCancel() override;
};

// The process-wide abort flag of the print job in progress.
FW_API BOOL AFXAPI AfxGetPrintAbort();
FW_API void AFXAPI AfxSetPrintAbort(BOOL bAbort);
// The abort procedure of print jobs: pumps the pending messages while the job is not
// cancelled; TRUE to go on. A WM_QUIT is left in the queue for the application's loop and
// ends the job (FALSE).
FW_API BOOL CALLBACK AfxAbortProc(HDC hDC, int nCode);
// Pumps the pending messages of the thread until the queue is empty, a WM_QUIT waits
// (left in the queue) or *pAbort becomes set; FALSE when the pumping was ended that way.
FW_API BOOL AFXAPI AfxPumpPrintMessages(const BOOL* pAbort);

// The print-to-file dialog of print jobs (default extension, file name, filter and title
// from the framework's strings); FALSE when cancelled.
FW_API BOOL AFXAPI AfxAskPrintFileName(CWnd* pOwner, CString& path);
// The name of a view's print job: its document's title, or its frame's window text when it
// has no document, cut to 31 characters.
FW_API CString AFXAPI AfxPrintJobName(CView* pView);
// The status text of where a job goes: "on" the printer's port, or "to" the output file.
FW_API CString AFXAPI AfxPrintDestination(CPrintDialog* pPD, const CString& output);
