// The platform part of the portable start-up: cursors, pattern brushes, palette, the colour
// dialog's custom colours and the window classes of four platform controls.
#include "GUIControlProcs.h"
#include "GUICursors.h"
#include "GUIInitialisations.h"
#include "GUIPatterns.h"

#include "ControlClass.h"
#include "DrawingResources.h"
#include "UITrace.h"

#include <shellapi.h>
#include <string.h>

namespace {

UlmLogger s_log("PlatformGUI");
int s_platformCount = 0;  // balanced platform start-ups still in force
HINSTANCE s_classInstance = NULL;
COLORREF s_customColors[16];

const char kColorsKey[] = "%APPLICATION_PREFS%\\Settings";
const char kColorsValue[] = "Custom Colors";

// Keeps the font of every WM_SETFONT in the first extra window value for the control that
// subclasses the window later.
LRESULT CALLBACK FontKeepingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFONT) SetWindowLongPtr(wnd, 0, static_cast<LONG_PTR>(wParam));
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

// Unicode classes: the font-keeping procedure hands every message to DefWindowProcW; the
// image control has its own.
const HBRUSH kHollow = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
const quarnel::WindowClassSpec kClasses[] = {
    {L"QvImageCtrl", CS_GLOBALCLASS | CS_DBLCLKS, ImageCtrlWindowProc, sizeof(LONG_PTR), kHollow},
    {L"QvDateTimeCtrl", CS_GLOBALCLASS, FontKeepingProc, sizeof(LONG_PTR), kHollow},
    {L"CTooltipWnd", CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS, FontKeepingProc, sizeof(LONG_PTR), kHollow},
    {L"QvTreeList", CS_GLOBALCLASS | CS_DBLCLKS, FontKeepingProc, sizeof(LONG_PTR), kHollow},
};

bool RegisterClasses() {
  s_classInstance = AfxGetInstanceHandle();
  for (const quarnel::WindowClassSpec& spec : kClasses)
    if (!quarnel::RegisterWindowClass(s_classInstance, spec)) {
      UI_TRACE_FAILED(s_log, "RegisterClassW");
      return false;
    }
  return true;
}

void RestoreCustomColors() {
  BYTE data[sizeof s_customColors];
  long read = GetKeyBinaryValue(kColorsKey, kColorsValue, data, sizeof data);
  if (read > 0) memcpy(s_customColors, data, static_cast<size_t>(read));
}

void SaveCustomColors() {
  SetUserKeyBinaryValue(kColorsKey, kColorsValue, s_customColors, sizeof s_customColors);
}

}  // namespace

QvSuccess PlatformGUIInitialisations() {
  if (s_platformCount++ == 0) {
    if (!IsServiceOnlyProcess()) LoadGUICursors();
    quarnel::HoldDrawingResources(quarnel::kPortableLayer);
    RestoreCustomColors();
  }
  // Every start-up registers the classes (an existing one counts as registered).
  return QvSuccess(RegisterClasses());
}

void PlatformGUIRelease() {
  if (s_platformCount == 0 || --s_platformCount > 0) return;
  for (const quarnel::WindowClassSpec& spec : kClasses) quarnel::UnregisterWindowClass(s_classInstance, spec.name);
  quarnel::ReleaseDrawingResources(quarnel::kPortableLayer);
  SaveCustomColors();
}

COLORREF* GUIGetSavedCustomColors() { return s_customColors; }

BrushArrayRec* GUIGetFillPatterns() { return s_platformCount > 0 ? quarnel::FillPatterns() : nullptr; }
BrushArrayRec* GUIGetLinePatterns() { return s_platformCount > 0 ? quarnel::LineWidthPatterns() : nullptr; }
CPalette* GUIGetPalette() { return s_platformCount > 0 ? quarnel::LibraryPalette() : nullptr; }
