// The print dialog of the portable view's printing: the framework's print dialog whose pages
// start at 1, and whose help requests (WM_HELP) go to the default window procedure, which
// hands them to the dialog's owner.
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CGUIPrintDialog : public CPrintDialog {
  DECLARE_DYNAMIC(CGUIPrintDialog)
 public:
  CGUIPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent = NULL);
  ~CGUIPrintDialog() override;

  // The hook of the dialog's record: TRUE at WM_INITDIALOG (the focus as the system gives
  // it), WM_HELP to DefWindowProc (answered TRUE), 0 (the system's handling) for the rest.
  static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
