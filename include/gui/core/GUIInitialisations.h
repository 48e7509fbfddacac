// Start-up and release of the portable layer.
//
// GUIInitialisations makes the layer's module-wide objects (the "qvgui" resource file and
// label manager, the command centre), installs the host's command-status callback, gives the
// global locale its day-name labels and runs PlatformGUIInitialisations (cursors, pattern
// brushes, palette, the colour dialog's custom colours, four window classes). Both levels
// keep a reference count: only the first start-up does the work and only the release that
// balances it undoes it; a release without a start-up does nothing, except that a release
// after a failed GUIInitialisations undoes what that start-up left.
#pragma once
#include <vekkel.h>

#include "QvCommandCenter.h"
#include "UIProcessMode.h"
#include "quarnel_api.h"

// Day-name labels given to the global locale (Monday to Sunday).
enum { IDL_QVGUI_FIRST_DAY_NAME = 390000 };

// Success, or failure of the label manager (nothing done), the locale or the platform part
// (what was done stays done: call GUIRelease in any case). Only a start-up that succeeded
// counts: a later call while the layer is up only counts, and installs the callback; a call
// after a failed start-up first undoes what that one left, then starts afresh.
QUARNEL_API QvSuccess GUIInitialisations(QvCmdStatusCallback callback);
QUARNEL_API void GUIRelease();
QUARNEL_API QvSuccess PlatformGUIInitialisations();
QUARNEL_API void PlatformGUIRelease();

QUARNEL_API QvResourceFile* Get_lpResourceFileForGUI();
QUARNEL_API void Set_lpResourceFileForGUI(QvResourceFile* file);
QUARNEL_API QvLabelManager* Get_lpLabelManagerForGUI();
QUARNEL_API void Set_lpLabelManagerForGUI(QvLabelManager* manager);

// The scripting error text, made empty on first use.
QUARNEL_API QvString* GUIGetScriptingErrorText();
QUARNEL_API QvString* Get_TheScriptingErrorText();
QUARNEL_API void Set_TheScriptingErrorText(QvString* text);
// Appends the text and a line feed (what message dialogs do instead of showing themselves
// while dialogs are bypassed).
QUARNEL_API void AppendScriptingErrorText(const QvString& text);
QUARNEL_API bool Get_ScriptingInRecordMode();
QUARNEL_API void Set_ScriptingInRecordMode(bool record);
QUARNEL_API bool IsScriptingInRecordMode();
QUARNEL_API void SetScriptingInRecordMode(bool record);

// IsServiceOnlyProcess (the start-up mode) is in UIProcessMode.h, included above.

// The colour dialog's 16 saved custom colours, restored from and saved to the value
// "Custom Colors" of "%APPLICATION_PREFS%\Settings".
QUARNEL_API COLORREF* GUIGetSavedCustomColors();

// Portable cursor types.
enum QvCursorType {
  QvArrowCursor = 0,
  QvCrossCursor = 1,
  QvIBeamCursor = 2,
  QvAppStartingCursor = 3,
  QvSizeNSCursor = 6,
  QvSizeWECursor = 7,
  QvSizeNWSECursor = 8,
  QvSizeNESWCursor = 9,
  QvCursor266 = 10,
  QvCursor260 = 11,
  QvCursor265 = 12,
  QvCursor259 = 13,
  QvCursor256 = 14,
  QvSizeAllCursor = 15,
  QvCrossCursor2 = 18,
  QvCursor257 = 23,
  QvCursor258 = 24,
  QvCursor263 = 25,
  QvCursor262 = 26,
  QvCursor261 = 27,
};

// The running platform: 1 Win32s, 2 Windows NT before 4.0, 4 the Windows 95 family,
// 5 Windows NT 4.0 and later, 0 anything else.
enum WindowsVersion { QvWinUnknown = 0, QvWin32s = 1, QvWinNT3 = 2, QvWin95 = 4, QvWinNT4 = 5 };

// Sets the cursor of a portable type: a system cursor or one of the program's cursors
// loaded at start-up (the arrow when that one is not loaded). The size-all type takes the
// old size cursor on versions 0 and 1.
QUARNEL_API void GUISetCursor(QvCursorType type, WindowsVersion version);
