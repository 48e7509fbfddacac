// Hot-key texts of the portable layer, the rule that tells a standard shortcut from the
// editing keys edit controls keep, the switch of hot keys in tooltips, and the tooltip-text
// handler of toolbar buttons.
//
// Texts have the same form as on the framework side (UIGetHotKeyString): the menu form is a
// tab, the modifier names (Alt, Ctrl, Shift) each followed by "+", then the key name; the
// tooltip form is " (" + the same + ")".
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

// Modifier bits of a command's hot key.
enum { QVMOD_SHIFT = 0x1, QVMOD_CTRL = 0x2, QVMOD_ALT = 0x4 };

// False for key 0 and for the editing keys of edit controls (Alt+Backspace, Shift+Ins,
// Ctrl+Ins, Del, Ctrl+Del, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Y, Ctrl+Z); true otherwise.
QUARNEL_API bool IsStandardShortCut(unsigned int key, unsigned int modifiers);
// The hot key's text in menu or tooltip form; false, and nothing written, for key 0.
QUARNEL_API bool GetHotKeyText(QvString& out, unsigned int key, unsigned int modifiers, bool tooltipForm);
// The key's name (keys without a printable character have names too); false only for key 0.
QUARNEL_API bool GetKeyName(QvString& out, unsigned int key);
// The modifier names joined by "+" (Alt, Ctrl, Shift); false when there is none.
QUARNEL_API bool GetModifiersText(QvString& out, unsigned int modifiers);

// Non-zero shows hot keys in tooltips; 2 (the value at load) means "not set yet".
QUARNEL_API unsigned long Get_GlobalHotKeyCtrl();
QUARNEL_API void Set_GlobalHotKeyCtrl(unsigned long value);

// The tooltip-text handler of the portable frames' toolbar buttons: the text of the
// command (through the effective-command map) with its hot key in tooltip form when hot keys
// are shown, cut to fit the notification's buffer. Always TRUE.
QUARNEL_API int QvGlobalOnToolTipText(unsigned int id, NMHDR* notify, LRESULT* result);
