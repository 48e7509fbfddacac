// The wait cursor and help of the portable layer.
#include "QvHourGlass.h"

#include <framework.h>

namespace {
QvString& HelpFile() {
  static QvString s_helpFile;
  return s_helpFile;
}
}  // namespace

void QvHourGlass(QvHourCmd cmd) {
  if (BypassDialogs()) return;
  CWinApp* app = AfxGetApp();
  if (!app) return;
  if (cmd == QvHourBegin) {
    app->DoWaitCursor(1);
  } else if (cmd == QvHourReset) {
    for (int i = 0; i < 20; ++i) app->DoWaitCursor(-1);
  } else {
    app->DoWaitCursor(-1);
  }
}

void QvHelpMgr::AddFile(QvString name) { HelpFile() = name; }

const QvString& QvHelpMgr::GetFile() { return HelpFile(); }

void QvHelpMgr::Help(unsigned short command, unsigned long data) {
  if (CWinApp* app = AfxGetApp()) app->WinHelp(data, command);
}
