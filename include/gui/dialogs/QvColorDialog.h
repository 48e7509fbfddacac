// The portable colour dialog: the framework's colour dialog started at a QvColor.
#pragma once
#include <QvColor.h>

#include "quarnel_api.h"

class QUARNEL_API QvColorDialog {
 public:
  // Runs the dialog (owner: the thread's main window, with a help button) started at the high
  // bytes of the colour's channels, and answers its result (IDOK or IDCANCEL). On IDOK a
  // changed choice becomes the colour, each 8-bit channel in the high byte (low byte 0); a
  // colour left as it was keeps its 16-bit channels. Cancel leaves the colour.
  short Process(QvColor& colour);
};
