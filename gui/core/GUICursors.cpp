// The program's cursors of the portable layer and the cursor of a portable cursor type.
#include "GUICursors.h"

#include "GUIInitialisations.h"

namespace {

// Loading order of the program's cursors.
const WORD kCursorIds[kGUICursorCount] = {266, 260, 257, 258, 263, 261, 262, 265, 259, 256};
HCURSOR s_cursors[kGUICursorCount];

HCURSOR ProgramCursor(WORD id) {
  for (int i = 0; i < kGUICursorCount; ++i)
    if (kCursorIds[i] == id) return s_cursors[i];
  return NULL;
}

}  // namespace

void LoadGUICursors() {
  for (int i = 0; i < kGUICursorCount; ++i) {
    // The framework's resource search, as the application's cursor loading does: the host
    // and its extension modules hold these cursors, the library none.
    LPCTSTR name = MAKEINTRESOURCE(kCursorIds[i]);
    HINSTANCE module = AfxFindResourceHandle(name, RT_GROUP_CURSOR);
    s_cursors[i] = module ? LoadCursor(module, name) : NULL;
  }
}


void GUISetCursor(QvCursorType type, WindowsVersion version) {
  LPCTSTR system = IDC_ARROW;
  WORD program = 0;
  switch (type) {
    case QvCrossCursor: case QvCrossCursor2: system = IDC_CROSS; break;
    case QvIBeamCursor: system = IDC_IBEAM; break;
    case QvAppStartingCursor: system = IDC_APPSTARTING; break;
    case QvSizeNSCursor: system = IDC_SIZENS; break;
    case QvSizeWECursor: system = IDC_SIZEWE; break;
    case QvSizeNWSECursor: system = IDC_SIZENWSE; break;
    case QvSizeNESWCursor: system = IDC_SIZENESW; break;
    case QvSizeAllCursor: system = version == QvWinUnknown || version == QvWin32s ? IDC_SIZE : IDC_SIZEALL; break;
    case QvCursor266: program = 266; break;
    case QvCursor260: program = 260; break;
    case QvCursor265: program = 265; break;
    case QvCursor259: program = 259; break;
    case QvCursor256: program = 256; break;
    case QvCursor257: program = 257; break;
    case QvCursor258: program = 258; break;
    case QvCursor263: program = 263; break;
    case QvCursor262: program = 262; break;
    case QvCursor261: program = 261; break;
    default: break;
  }
  HCURSOR cursor = program ? ProgramCursor(program) : NULL;
  SetCursor(cursor ? cursor : LoadCursor(NULL, system));
}
