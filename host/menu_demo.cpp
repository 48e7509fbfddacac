// The sample host's owner-drawn popup menu.
#include "menu_demo.h"

#include <framework.h>

#include <UICoolMenu.h>

#include "resource.h"
#include "screens.h"

namespace host {

void ShowDemoMenu(CWnd* owner, int x, int y) {
  CUIMenu* menu = new CUIMenu(0, 0);
  const unsigned short items[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, 0,
                                  ID_VIEW_TOOLBAR, 0, ID_FILE_SEND_MAIL, ID_FILE_EXIT};
  for (unsigned short id : items) menu->InsertMenuW(id, -1, 0, NULL);
  menu->InsertMenuW(ID_VIEW_HINTS, 6, 0, L"Show &Hints");
  POINT at = {x, y};
  ::ClientToScreen(owner->GetSafeHwnd(), &at);
  MenuCapture capture(owner->GetSafeHwnd(), L"menu", {VK_DOWN, VK_DOWN});
  menu->Run(at.x, at.y, owner);
  delete menu;
}

}  // namespace host
