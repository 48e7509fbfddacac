// Hot-key texts and the accelerator filter.
#include "UIHotKey.h"

#include "UILabelText.h"

#include <stdio.h>

namespace {

const char* const kKeys32To47[] = {"Space", "PgUp", "PgDown", "End", "Home", "Lft", "Up", "Rgt",
                                   "Dn", "#Select", "#Print", "#Exec", "#Print Screen", "Ins", "Del", "Help"};
const char* const kKeys96To111[] = {"Num 0", "Num 1", "Num 2", "Num 3", "Num 4", "Num 5",
                                    "Num 6", "Num 7", "Num 8", "Num 9", "Num *", "Num +",
                                    "#SEPARATOR", "Num -", "Num .", "Num /"};

// Keys without a printable character of their own.
struct NamedKey {
  UINT key;
  const char* name;
};
const NamedKey kNamedKeys[] = {
    {VK_BACK, "Backspace"}, {VK_TAB, "Tab"},         {VK_CLEAR, "Clear"},       {VK_PAUSE, "Pause"},
    {VK_CAPITAL, "Caps Lock"}, {VK_ESCAPE, "Esc"},   {VK_LWIN, "Win"},          {VK_RWIN, "Win"},
    {VK_APPS, "Menu"},      {VK_SLEEP, "Sleep"},     {VK_NUMLOCK, "Num Lock"},  {VK_SCROLL, "Scroll Lock"},
    {VK_BROWSER_BACK, "Browser Back"}, {VK_BROWSER_FORWARD, "Browser Forward"},
    {VK_VOLUME_MUTE, "Mute"}, {VK_VOLUME_DOWN, "Volume Down"}, {VK_VOLUME_UP, "Volume Up"},
    {VK_MEDIA_NEXT_TRACK, "Next Track"}, {VK_MEDIA_PREV_TRACK, "Previous Track"},
    {VK_MEDIA_STOP, "Stop"}, {VK_MEDIA_PLAY_PAUSE, "Play/Pause"},
};

// The punctuation keys of a US layout, for when the keyboard layout gives no character.
const NamedKey kOemKeys[] = {
    {VK_OEM_1, ";"},      {VK_OEM_PLUS, "="}, {VK_OEM_COMMA, ","}, {VK_OEM_MINUS, "-"},
    {VK_OEM_PERIOD, "."}, {VK_OEM_2, "/"},    {VK_OEM_3, "`"},     {VK_OEM_4, "["},
    {VK_OEM_5, "\\"},     {VK_OEM_6, "]"},    {VK_OEM_7, "'"},     {VK_OEM_102, "\\"},
};

const char* Find(const NamedKey* table, size_t n, UINT key) {
  for (size_t i = 0; i < n; ++i)
    if (table[i].key == key) return table[i].name;
  return NULL;
}

void KeyName(UINT key, CString& name) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    name = CString(static_cast<TCHAR>(key));
  } else if (key == VK_RETURN) {
    UILabelText(IDL_HOTKEY_ENTER, name);
  } else if (key >= 32 && key <= 47) {
    name = kKeys32To47[key - 32];
  } else if (key >= 96 && key <= 111) {
    name = kKeys96To111[key - 96];
  } else if (key >= 112 && key <= 135) {
    char f[8];
    snprintf(f, sizeof f, "F%u", key - 111);
    name = f;
  } else if (const char* fixed = Find(kNamedKeys, _countof(kNamedKeys), key)) {
    name = fixed;
  } else if (const char* oem = Find(kOemKeys, _countof(kOemKeys), key)) {
    // The character the layout puts on the key, when it has a visible one.
    UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (ch > 0x20 && ch != 0x7F) {
      wchar_t text[2] = {static_cast<wchar_t>(ch), 0};
      name = text;
    } else {
      name = oem;
    }
  } else {
    char code[16];
    snprintf(code, sizeof code, "#%02X", key & 0xFF);
    name = code;
  }
}

}  // namespace

int UIGetHotKeyString(CString& text, UINT key, UINT flags, int tooltipForm) {
  if (key == 0) return 0;
  CString name;
  KeyName(key, name);
  CString result = tooltipForm ? _T(" (") : _T("\t");
  const struct {
    UINT flag;
    DWORD label;
  } modifiers[] = {{FALT, IDL_HOTKEY_ALT}, {FCONTROL, IDL_HOTKEY_CTRL}, {FSHIFT, IDL_HOTKEY_SHIFT}};
  for (const auto& m : modifiers) {
    if (flags & m.flag) {
      CString label;
      UILabelText(m.label, label);
      result += label;
      result += _T("+");
    }
  }
  result += name;
  if (tooltipForm) result += _T(")");
  text = result;
  return 1;
}

BOOL CanBeAccelerator(UINT key, UINT flags) {
  if (key == 0) return FALSE;
  const bool alt = (flags & FALT) != 0, ctrl = (flags & FCONTROL) != 0, shift = (flags & FSHIFT) != 0;
  switch (key) {
    case VK_BACK: return !(alt && !ctrl && !shift);
    case VK_INSERT: return !(!alt && (ctrl != shift));
    case VK_DELETE: return !(!alt && !shift);
    case 'C': case 'V': case 'X': case 'Z': return !(ctrl && !alt && !shift);
  }
  return TRUE;
}
