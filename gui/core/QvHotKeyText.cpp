// Hot-key texts of the portable layer, on the framework side's key names and labels.
#include "QvHotKeyText.h"

#include "UIHotKey.h"

namespace {

unsigned long s_globalHotKeyCtrl = 2;

UINT ToAcceleratorFlags(unsigned int modifiers) {
  return ((modifiers & QVMOD_ALT) ? FALT : 0) | ((modifiers & QVMOD_CTRL) ? FCONTROL : 0) |
         ((modifiers & QVMOD_SHIFT) ? FSHIFT : 0);
}

QvString ToQvString(const CString& text) {
  CStringW wide(text);
  return QvString(wide.GetString());
}

}  // namespace

bool IsStandardShortCut(unsigned int key, unsigned int modifiers) {
  // Ctrl+Y (redo) stays with edit controls too on the portable side.
  if (key == 'Y' && (modifiers & (QVMOD_CTRL | QVMOD_ALT | QVMOD_SHIFT)) == QVMOD_CTRL) return false;
  return CanBeAccelerator(key, ToAcceleratorFlags(modifiers)) != FALSE;
}

bool GetHotKeyText(QvString& out, unsigned int key, unsigned int modifiers, bool tooltipForm) {
  CString text;
  if (!UIGetHotKeyString(text, key, ToAcceleratorFlags(modifiers), tooltipForm ? 1 : 0)) return false;
  out = ToQvString(text);
  return true;
}

bool GetKeyName(QvString& out, unsigned int key) {
  CString text;
  if (!UIGetHotKeyString(text, key, 0, 0)) return false;
  out = ToQvString(text.Mid(1));  // after the menu form's tab
  return true;
}

bool GetModifiersText(QvString& out, unsigned int modifiers) {
  static const struct {
    unsigned int bit;
    unsigned long label;
  } kNames[] = {{QVMOD_ALT, IDL_HOTKEY_ALT}, {QVMOD_CTRL, IDL_HOTKEY_CTRL}, {QVMOD_SHIFT, IDL_HOTKEY_SHIFT}};
  QvString text;
  for (const auto& m : kNames) {
    if (!(modifiers & m.bit)) continue;
    if (!text.IsEmpty()) text += "+";
    text += QvGetMyLabel(m.label);
  }
  if (text.IsEmpty()) return false;
  out = text;
  return true;
}

unsigned long Get_GlobalHotKeyCtrl() { return s_globalHotKeyCtrl; }
void Set_GlobalHotKeyCtrl(unsigned long value) { s_globalHotKeyCtrl = value; }
