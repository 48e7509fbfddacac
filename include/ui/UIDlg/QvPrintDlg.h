// The library's print dialog: the framework's print dialog starting at page 1 with no last
// page, without a help button.
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CQvPrintDlg : public CPrintDialog {
 public:
  CQvPrintDlg(BOOL printSetupOnly, DWORD flags, CWnd* parent);
};
