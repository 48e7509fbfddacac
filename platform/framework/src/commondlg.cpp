// The common dialogs' base and the colour dialog.
#include "fw_commondlg.h"

#include "fw_filedialog.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
CCommonDialog::~CCommonDialog() {}

UINT_PTR CALLBACK CCommonDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return 0;
  // A file dialog's child is bound to the object whose run is starting on this thread.
  CFileDialog* starting = CFileDialog::GetStartingDialog();
  if (starting != NULL && starting->m_hWnd == NULL && CWnd::FromHandlePermanent(hWnd) == NULL &&
      starting->SubclassWindow(hWnd))
    return starting->OnInitDialog();
  return TRUE;
}

INT_PTR CCommonDialog::RunSystemDialog(BOOL (*pfnRun)(void* pRecord, HWND hWndOwner), void* pRecord) {
  HWND owner = PreModal();
  // Not bound: the system's dialog answers its own buttons.
  AfxUnhookWindowCreate();
  const BOOL ok = pfnRun(pRecord, owner);
  PostModal();
  return ok ? IDOK : IDCANCEL;
}

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  memset(&m_cc, 0, sizeof(m_cc));
  m_cc.lStructSize = sizeof(m_cc);
  m_cc.lpCustColors = GetSavedCustomColors();
  m_cc.Flags = dwFlags | CC_ENABLEHOOK;
  m_cc.lpfnHook = HookProc;
  m_cc.rgbResult = clrInit;
  if (clrInit != 0) m_cc.Flags |= CC_RGBINIT;
}

CColorDialog::~CColorDialog() {}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors() {
  static COLORREF s_colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  return s_colors;
}

INT_PTR CColorDialog::DoModal() {
  return RunSystemDialog(
      [](void* record, HWND owner) -> BOOL {
        CHOOSECOLOR* cc = static_cast<CHOOSECOLOR*>(record);
        cc->hwndOwner = owner;
        return ::ChooseColor(cc);
      },
      &m_cc);
}
