#include "QvColorDialog.h"

#include <fw_commondlg.h>

short QvColorDialog::Process(QvColor& colour) {
  const COLORREF start = RGB(colour.red >> 8, colour.green >> 8, colour.blue >> 8);
  CColorDialog dialog(start, CC_SHOWHELP, AfxGetMainWnd());
  const INT_PTR result = dialog.DoModal();
  if (result == IDOK) {
    const COLORREF chosen = dialog.GetColor();
    // The dialog knows 8 bits a channel: an unchanged choice must not drop the low bytes.
    if (chosen != start)
      colour = QvColor(static_cast<unsigned short>(GetRValue(chosen) << 8),
                       static_cast<unsigned short>(GetGValue(chosen) << 8),
                       static_cast<unsigned short>(GetBValue(chosen) << 8));
  }
  return static_cast<short>(result);
}
