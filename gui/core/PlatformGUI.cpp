// The platform part of the portable start-up: cursors, pattern brushes, palette, the colour
// dialog's custom colours and the window classes of four platform controls.
#include "GUICursors.h"
#include "GUIInitialisations.h"
#include "GUIPatterns.h"
#include "ControlClass.h"
#include "UITrace.h"

#include <shellapi.h>
#include <string.h>

#include <new>

namespace {

UlmLogger s_log("PlatformGUI");
int s_platformCount = 0;  // balanced platform start-ups still in force
HINSTANCE s_classInstance = NULL;
BrushArrayRec* s_fillPatterns = nullptr;
BrushArrayRec* s_linePatterns = nullptr;
CPalette* s_palette = nullptr;
COLORREF s_customColors[16];

const char kColorsKey[] = "%APPLICATION_PREFS%\\Settings";
const char kColorsValue[] = "Custom Colors";

// Keeps the font of every WM_SETFONT in the first extra window value for the control that
// subclasses the window later.
LRESULT CALLBACK FontKeepingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFONT) SetWindowLongPtr(wnd, 0, static_cast<LONG_PTR>(wParam));
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

// Unicode classes: the font-keeping procedure hands every message to DefWindowProcW.
const HBRUSH kHollow = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
const quarnel::WindowClassSpec kClasses[] = {
    {L"QvImageCtrl", CS_GLOBALCLASS | CS_DBLCLKS, DefWindowProcW, 0, kHollow},
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

// The strip is found through the framework's resource search (the library holds both).
BrushArrayRec* MakePatterns(UINT bitmapId) {
  BrushArrayRec* set = new (std::nothrow) BrushArrayRec;
  if (!set) {
    UI_TRACE_FAILED(s_log, "new");
    return nullptr;
  }
  set->brushes.Init(bitmapId);
  set->nBrushes = set->brushes.GetNumBrushes();
  return set;
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

// 230 entries: eight dark reds and browns, the 6 x 6 x 6 colour cube without its black and
// white corners, six greys, then black and white.
CPalette* MakeLibraryPalette() {
  const int kEntries = 230;
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + kEntries * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(memory.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = kEntries;
  PALETTEENTRY* e = lp->palPalEntry;
  static const BYTE kFirst[8][3] = {{221, 0, 0},  {170, 0, 0},   {119, 0, 0},   {68, 0, 0},
                                    {102, 0, 0}, {102, 51, 0}, {153, 102, 0}, {153, 102, 51}};
  int n = 0;
  for (const auto& c : kFirst) e[n++] = {c[0], c[1], c[2], 0};
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        if (!(r == g && g == b && (r == 0 || r == 5)))
          e[n++] = {static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(b * 51), 0};
  for (BYTE grey : {32, 64, 96, 160, 192, 224}) e[n++] = {grey, grey, grey, 0};
  e[n++] = {0, 0, 0, 0};
  e[n++] = {255, 255, 255, 0};
  CPalette* palette = new (std::nothrow) CPalette;
  if (!palette) {
    UI_TRACE_FAILED(s_log, "new");
  } else if (!palette->CreatePalette(lp)) {
    UI_TRACE_FAILED(s_log, "CreatePalette");
    delete palette;
    palette = nullptr;
  }
  return palette;
}

QvSuccess PlatformGUIInitialisations() {
  if (s_platformCount++ == 0) {
    if (!IsServiceOnlyProcess()) LoadGUICursors();
    s_fillPatterns = MakePatterns(IDB_GUI_FILL_PATTERNS);
    s_linePatterns = MakePatterns(IDB_GUI_LINE_PATTERNS);
    s_palette = MakeLibraryPalette();
    RestoreCustomColors();
  }
  // Every start-up registers the classes (an existing one counts as registered).
  return QvSuccess(RegisterClasses());
}

void PlatformGUIRelease() {
  if (s_platformCount == 0 || --s_platformCount > 0) return;
  for (const quarnel::WindowClassSpec& spec : kClasses) quarnel::UnregisterWindowClass(s_classInstance, spec.name);
  DeletePatterns(s_fillPatterns);
  s_fillPatterns = nullptr;
  DeletePatterns(s_linePatterns);
  s_linePatterns = nullptr;
  delete s_palette;
  s_palette = nullptr;
  SaveCustomColors();
}

bool IsServiceOnlyProcess() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return false;
  bool service = false;
  for (int i = 1; i < count && !service; ++i)
    service = (args[i][0] == L'-' || args[i][0] == L'/') && wcscmp(args[i] + 1, L"serviceonly") == 0;
  LocalFree(args);
  return service;
}

COLORREF* GUIGetSavedCustomColors() { return s_customColors; }

BrushArrayRec* GUIGetFillPatterns() { return s_fillPatterns; }
BrushArrayRec* GUIGetLinePatterns() { return s_linePatterns; }
CPalette* GUIGetPalette() { return s_palette; }
