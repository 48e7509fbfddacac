// Start-up and release of the portable layer's module-wide objects, and the scripting state
// kept beside them.
#include "GUIInitialisations.h"

#include "QvCommandCenterStart.h"
#include "UITrace.h"

namespace {
UlmLogger s_log("GUIInitialisations");
QvResourceFile* s_resourceFile = nullptr;
QvLabelManager* s_labelManager = nullptr;
QvString* s_scriptingErrorText = nullptr;
bool s_scriptingInRecordMode = false;
int s_startCount = 0;  // successful start-ups still in force
// A start-up that failed after making the layer's objects leaves them (and, when it got so
// far, one platform start-up) until GUIRelease or the next start-up undoes them.
bool s_failedStartLeft = false;
bool s_failedStartRanPlatform = false;

void Undo(bool platform) {
  DestroyCommandCenter();
  delete s_resourceFile;
  s_resourceFile = nullptr;
  delete s_labelManager;
  s_labelManager = nullptr;
  delete s_scriptingErrorText;
  s_scriptingErrorText = nullptr;
  if (platform) PlatformGUIRelease();
}

QvSuccess Failed(bool ranPlatform) {
  s_failedStartLeft = true;
  s_failedStartRanPlatform = ranPlatform;
  return QvSuccess(false);
}

void UndoFailedStart() {
  if (!s_failedStartLeft) return;
  s_failedStartLeft = false;
  Undo(s_failedStartRanPlatform);
}
}  // namespace

QvSuccess GUIInitialisations(QvCmdStatusCallback callback) {
  if (s_startCount > 0) {
    ++s_startCount;
    GUISetCallbackGetCmdStatusFunction(callback);
    return QvSuccess(true);
  }
  UndoFailedStart();  // a start-up after a failed one starts afresh
  QvLabelManager* manager = nullptr;
  QvResourceFile* file = nullptr;
  if (QvLabelManagerCreationFromResourceName("qvgui", manager, file).Failed()) {
    UI_TRACE_FAILED(s_log, "QvLabelManagerCreationFromResourceName");
    delete file;
    delete manager;
    return QvSuccess(false);
  }
  Set_lpLabelManagerForGUI(manager);
  Set_lpResourceFileForGUI(file);
  CreateCommandCenter();  // its tables' result does not stop the start-up
  GUISetCallbackGetCmdStatusFunction(callback);
  const unsigned long day = IDL_QVGUI_FIRST_DAY_NAME;
  if (Get_GlobalLocale()->SetDayNameLabels(day, day + 1, day + 2, day + 3, day + 4, day + 5, day + 6).Failed()) {
    UI_TRACE_FAILED(s_log, "SetDayNameLabels");
    return Failed(false);
  }
  if (PlatformGUIInitialisations().Failed()) return Failed(true);  // traced there
  s_startCount = 1;
  return QvSuccess(true);
}

void GUIRelease() {
  if (s_startCount == 0) {
    UndoFailedStart();
    return;
  }
  if (--s_startCount == 0) Undo(true);
}

QvResourceFile* Get_lpResourceFileForGUI() { return s_resourceFile; }
void Set_lpResourceFileForGUI(QvResourceFile* file) { s_resourceFile = file; }
QvLabelManager* Get_lpLabelManagerForGUI() { return s_labelManager; }
void Set_lpLabelManagerForGUI(QvLabelManager* manager) { s_labelManager = manager; }

QvString* GUIGetScriptingErrorText() {
  if (!s_scriptingErrorText) s_scriptingErrorText = new QvString;
  return s_scriptingErrorText;
}
QvString* Get_TheScriptingErrorText() { return s_scriptingErrorText; }
void Set_TheScriptingErrorText(QvString* text) { s_scriptingErrorText = text; }

void AppendScriptingErrorText(const QvString& text) {
  QvString* all = GUIGetScriptingErrorText();
  *all += text;
  *all += '\n';
}

bool Get_ScriptingInRecordMode() { return s_scriptingInRecordMode; }
void Set_ScriptingInRecordMode(bool record) { s_scriptingInRecordMode = record; }
bool IsScriptingInRecordMode() { return s_scriptingInRecordMode; }
void SetScriptingInRecordMode(bool record) { s_scriptingInRecordMode = record; }
