// Keys of the dynamic menus: the raw accelerator table of Win32s and the edit shortcuts.
#include "QvCommandHandler.h"
#include "QvDynamicMenu.h"

namespace {

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

int GUIWin32sTranslateAccelerator(HWND window, ACCEL* table, MSG* message) {
  if (!table || !message || message->message != WM_KEYDOWN || table[0].key == 0) return 0;
  const BYTE held = static_cast<BYTE>((Down(VK_MENU) ? FALT : 0) | (Down(VK_CONTROL) ? FCONTROL : 0) |
                                      (Down(VK_SHIFT) ? FSHIFT : 0));
  for (const ACCEL* entry = table; entry->key != 0; ++entry) {
    if (entry->key != message->wParam || (entry->fVirt & (FALT | FCONTROL | FSHIFT)) != held) continue;
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(entry->cmd, 1), 0);
    return 1;
  }
  return 0;
}

unsigned int GetEditCmdFromChar(unsigned int c) {
  const bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL), alt = Down(VK_MENU);
  switch (c) {
    case 3: return 40803;   // Ctrl+C
    case 22: return 40805;  // Ctrl+V
    case 24: return 40801;  // Ctrl+X
    case 26: return 40797;  // Ctrl+Z
    case 8: return alt && !ctrl && !shift ? 40797 : 0;
    case 45:  // Insert
      if (ctrl && !alt && !shift) return 40803;
      if (shift && !alt && !ctrl) return 40805;
      return 0;
    case 46:  // Delete
      if (shift && !alt && !ctrl) return 40801;
      if (!shift && !alt && !ctrl) return 40809;
      return 0;
    default: return 0;
  }
}

bool ScanSpecificShortCut(unsigned int c, unsigned int, unsigned int) {
  const unsigned int command = GetEditCmdFromChar(c);
  return command != 0 && QvCommandHandler::CheckAndExecuteCommand(static_cast<unsigned short>(command), false);
}
