// The sample host's owner-drawn popup menu.
#include "menu_demo.h"

#include <framework.h>

#include <UICoolMenu.h>

#include "resource.h"
#include "screens.h"

namespace host {
namespace {

HWND s_owner = NULL;

void CALLBACK HighlightItems(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  INPUT keys[4] = {};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = VK_DOWN;
    keys[i].ki.dwFlags = (i % 2) ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

void CALLBACK CaptureAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  CaptureWindow(s_owner, L"menu");
  EndMenu();
}

}  // namespace

void ShowDemoMenu(CWnd* owner, int x, int y) {
  CUIMenu* menu = new CUIMenu(0, 0);
  const unsigned short items[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, 0,
                                  ID_VIEW_TOOLBAR, 0, ID_FILE_SEND_MAIL, ID_FILE_EXIT};
  for (unsigned short id : items) menu->InsertMenuW(id, -1, 0, NULL);
  menu->InsertMenuW(ID_VIEW_HINTS, 6, 0, L"Show &Hints");
  POINT at = {x, y};
  ::ClientToScreen(owner->GetSafeHwnd(), &at);
  UINT_PTR highlight = 0, capture = 0;
  if (ScreenshotMode()) {
    s_owner = owner->GetSafeHwnd();
    highlight = SetTimer(NULL, 0, 300, HighlightItems);
    capture = SetTimer(NULL, 0, 1200, CaptureAndClose);
  }
  menu->Run(at.x, at.y, owner);
  if (highlight) KillTimer(NULL, highlight);
  if (capture) KillTimer(NULL, capture);
  delete menu;
}

}  // namespace host
