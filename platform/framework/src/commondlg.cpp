// The common dialogs' base and the colour dialog.
#include "fw_commondlg.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
CCommonDialog::~CCommonDialog() {}

UINT_PTR CALLBACK CCommonDialog::HookProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : 0;
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
