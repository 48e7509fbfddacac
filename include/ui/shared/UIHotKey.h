// Hot-key texts for menus and tooltips, and which key combinations may become accelerators.
#pragma once
#include "quarnel_api.h"

#include <fw_string.h>

// Label ids of the modifier names and of the Enter key's name.
enum {
  IDL_HOTKEY_ALT = 31261,
  IDL_HOTKEY_CTRL = 31262,
  IDL_HOTKEY_SHIFT = 31263,
  IDL_HOTKEY_ENTER = 32981,
};

// The text of a hot key (key: a virtual-key code; flags: FALT, FCONTROL, FSHIFT of an
// accelerator). Menu form: a tab, the modifier names in the order Alt, Ctrl, Shift each
// followed by "+", then the key's name. Tooltip form: " (" + the same + ")". Returns 0 and
// leaves `text` unchanged when the key is 0, else 1.
QUARNEL_API int UIGetHotKeyString(CString& text, UINT key, UINT flags, int tooltipForm);

// Whether a key combination may go into an accelerator table: not key 0, and none of the
// combinations edit controls need (Alt+Backspace, Shift+Ins, Ctrl+Ins, Del, Ctrl+Del,
// Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z).
QUARNEL_API BOOL CanBeAccelerator(UINT key, UINT flags);
