#include "GUIPrintDialog.h"

IMPLEMENT_DYNAMIC(CGUIPrintDialog, CPrintDialog)

CGUIPrintDialog::CGUIPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
    : CPrintDialog(printSetupOnly, flags, parent) {
  m_pd.nMinPage = 1;
  // Both the print and the setup dialog run through the one hook.
  m_pd.Flags |= PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  m_pd.lpfnPrintHook = HookProc;
  m_pd.lpfnSetupHook = HookProc;
}

CGUIPrintDialog::~CGUIPrintDialog() {}

UINT_PTR CALLBACK CGUIPrintDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_HELP) {
    ::DefWindowProc(hWnd, message, wParam, lParam);
    return TRUE;
  }
  return 0;
}
