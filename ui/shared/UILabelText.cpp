#include "UILabelText.h"

#include <vekkel.h>

void UILabelText(DWORD labelId, CString& text) {
  if (labelId == 0) {
    text.Empty();
    return;
  }
  QvString label = QvGetMyLabel(labelId);
  text = label.ToWide().c_str();
}
