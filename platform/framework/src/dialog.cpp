// CDialog: creation from templates, the modal run and the dialog procedure.
#include "fw_dialog.h"
#include "fw_app.h"
#include "fw_except.h"

namespace {

// Whether the template leaves the position to the framework (x and y both 0).
BOOL TemplateAtOrigin(LPCDLGTEMPLATE t) {
  const WORD* w = reinterpret_cast<const WORD*>(t);
  if (w[1] == 0xFFFF) {  // DLGTEMPLATEEX: version, signature, help id, ex-style, style, count, x, y
    const short* xy = reinterpret_cast<const short*>(reinterpret_cast<const BYTE*>(t) + 18);
    return xy[0] == 0 && xy[1] == 0;
  }
  return t->x == 0 && t->y == 0;
}

DWORD TemplateStyle(LPCDLGTEMPLATE t) {
  const WORD* w = reinterpret_cast<const WORD*>(t);
  if (w[1] == 0xFFFF) return *reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(t) + 12);
  return t->style;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
  ON_MESSAGE(WM_SETFONT, &CDialog::HandleSetFont)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {
  if (IS_INTRESOURCE(lpszTemplateName)) m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDHelp(nIDTemplate) {}

CDialog::~CDialog() {
  if (m_hWnd != NULL) DestroyWindow();
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  if (lpszTemplateName == NULL) return FALSE;
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0) m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  HRSRC hRes = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
  HGLOBAL hTemplate = hRes != NULL ? ::LoadResource(hInst, hRes) : NULL;
  LPCDLGTEMPLATE t = hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
  if (t == NULL) return FALSE;
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(t, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  if (lpDialogTemplate == NULL) return FALSE;
  m_lpDialogInit = lpDialogInit;
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  if (hDialogTemplate == NULL) return FALSE;
  LPCDLGTEMPLATE t = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
  if (t == NULL) return FALSE;
  m_pParentWnd = pParentWnd;
  BOOL ok = CreateDlgIndirect(t, pParentWnd, NULL);
  ::GlobalUnlock(hDialogTemplate);
  return ok;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  if (lpDialogTemplate == NULL) return FALSE;
  m_lpDialogTemplate = lpDialogTemplate;
  m_lpDialogInit = lpDialogInit;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  if (hDialogTemplate == NULL) return FALSE;
  m_hDialogTemplate = hDialogTemplate;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (lpDialogTemplate == NULL || m_hWnd != NULL) return FALSE;
  if (hInst == NULL) hInst = AfxGetResourceHandle();
  m_bTemplateAtOrigin = TemplateAtOrigin(lpDialogTemplate) &&
                        !(TemplateStyle(lpDialogTemplate) & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN | WS_CHILD));
  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;

  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
  BOOL bound = AfxUnhookWindowCreate();
  if (!bound) {
    // Never bound: no WM_NCDESTROY will reach the object, so clean up as CWnd::CreateEx does
    // (PostNcDestroy may delete this). A window made anyway is not left behind.
    if (hWnd != NULL) ::DestroyWindow(hWnd);
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostNcDestroy();
    return FALSE;
  }
  // A window that was bound and then destroyed during creation has already been through
  // PostNcDestroy, which may have deleted this object: touch nothing.
  return hWnd != NULL;
}

HWND CDialog::PreModal() {
  if (CWinApp* app = AfxGetApp()) app->EnableModeless(FALSE);
  HWND hWnd = CWnd::GetSafeOwner_(m_pParentWnd->GetSafeHwnd(), &m_hWndTop);
  AfxHookWindowCreate(this);
  return hWnd;
}

void CDialog::PostModal() {
  AfxUnhookWindowCreate();
  if (m_hWndTop != NULL && ::IsWindow(m_hWndTop)) ::EnableWindow(m_hWndTop, TRUE);
  m_hWndTop = NULL;
  if (CWinApp* app = AfxGetApp()) app->EnableModeless(TRUE);
}

CModalTemplate::CModalTemplate(const CDialog& dlg) : m_hInst(AfxGetResourceHandle()) {
  if (dlg.m_lpszTemplateName != NULL) {
    m_hInst = AfxFindResourceHandle(dlg.m_lpszTemplateName, RT_DIALOG);
    HRSRC hRes = ::FindResource(m_hInst, dlg.m_lpszTemplateName, RT_DIALOG);
    m_hLoaded = hRes != NULL ? ::LoadResource(m_hInst, hRes) : NULL;
    m_pTemplate = m_hLoaded != NULL ? (LPCDLGTEMPLATE)::LockResource(m_hLoaded) : NULL;
  } else if (dlg.m_hDialogTemplate != NULL) {
    m_pTemplate = (LPCDLGTEMPLATE)::GlobalLock(dlg.m_hDialogTemplate);
    if (m_pTemplate != NULL) m_hLocked = dlg.m_hDialogTemplate;
  } else {
    m_pTemplate = dlg.m_lpDialogTemplate;
  }
}

CModalTemplate::~CModalTemplate() {
  if (m_hLocked != NULL) ::GlobalUnlock(m_hLocked);
  if (m_hLoaded != NULL) ::FreeResource(m_hLoaded);
}

void CDialog::RunModalWindow(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst) {
  try {
    if (!CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst)) return;
    if (m_nFlags & WF_CONTINUEMODAL) {
      DWORD dwFlags = MLF_SHOWONIDLE;
      if (GetStyle() & DS_NOIDLEMSG) dwFlags |= MLF_NOIDLEMSG;
      RunModalLoop(dwFlags);
    }
    if (m_hWnd != NULL)
      ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  } catch (CException* e) {
    e->Delete();
    m_nModalResult = -1;
  }
}

INT_PTR CDialog::RunModalWithParent(const CModalTemplate& t, HWND hWndParent, PFN_MODALSTEP pfnStep) {
  BOOL bEnableParent = FALSE;
  if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    bEnableParent = TRUE;
  }
  if (pfnStep != NULL) pfnStep(this, TRUE);

  auto finish = [&] {
    if (pfnStep != NULL) pfnStep(this, FALSE);
    if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
    if (m_hWnd != NULL) DestroyWindow();
    PostModal();
  };
  try {
    RunModalWindow(t.Get(), hWndParent, t.Instance());
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return m_nModalResult;
}

INT_PTR CDialog::DoModal() {
  CModalTemplate t(*this);
  if (t.Get() == NULL) return -1;
  HWND hWndParent = PreModal();
  AfxUnhookWindowCreate();
  return RunModalWithParent(t, hWndParent);
}

void CDialog::EndDialog(int nResult) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
  if (m_hWnd != NULL) ::EndDialog(m_hWnd, nResult);
}

void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

DWORD CDialog::GetDefID() const { return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0); }
void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }

BOOL CDialog::OnInitDialog() {
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;  // the focus goes to the first control
}

void CDialog::OnSetFont(CFont*) {}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::CheckAutoCenter() { return m_bTemplateAtOrigin; }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  LRESULT result = Default();  // the dialog procedure calls OnInitDialog
  if (m_hWnd != NULL && CheckAutoCenter()) CenterWindow();
  return result;
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM) {
  OnSetFont(CFont::FromHandle((HFONT)wParam));
  return Default();
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // The dialog keys (Tab, arrows, Enter, Esc, mnemonics) of the dialog and its controls.
  bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
               (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
  if (input && m_hWnd != NULL && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    return ::IsDialogMessage(m_hWnd, pMsg);
  return FALSE;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
  if (pDlg == NULL) return TRUE;
  // No exception may leave the dialog manager's frames: a dialog whose initialisation
  // throws ends at once with -1.
  try {
    return pDlg->OnInitDialog();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  pDlg->EndDialog(-1);
  return FALSE;
}
