// The document's context menu, built by portable code from the command tables: its items take
// their texts from the command definitions and their state from the user's rights.
#include "context_menu.h"

#include <framework.h>

#include <GUIInitialisations.h>
#include <QvCommandHandler.h>
#include <QvContextMenu.h>

#include "commands.h"
#include "resource.h"
#include "screens.h"

namespace host {
namespace {

// The portable layer's command target: every command the rights allow is enabled.
class DocumentCommands : public QvCommandHandler {
 public:
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    status.Enable(true);
    return true;
  }
};

DocumentCommands s_commands;
bool s_started = false;

unsigned long PortableRights(unsigned long id, bool) { return HostRights(id) & 0xFFFF; }

}  // namespace

bool StartPortableCommands() {
  if (!s_started && GUIInitialisations(PortableRights).Succeeded()) {
    QvCommandHandler::SetActiveTarget(&s_commands);
    s_started = true;
  }
  return s_started;
}

void EndPortableCommands() {
  if (!s_started) return;
  QvCommandHandler::SetActiveTarget(nullptr);
  GUIRelease();
  s_started = false;
}

void ShowDocumentContextMenu(CWnd* window, POINT screenPoint) {
  if (!StartPortableCommands()) return;
  QvContextMenu menu;
  QvString* separator = nullptr;
  menu.AddSuccessorByCmd(ID_EDIT_COPY, -1, nullptr);
  menu.AddSuccessorByCmd(ID_EDIT_SELECT_ALL, -1, nullptr);
  menu.AddSuccessor(separator, -1, nullptr);
  const long zoom = menu.AddSuccessor(QvString("&Zoom"), -1, nullptr);
  for (unsigned short id : {ID_VIEW_ZOOM_50, ID_VIEW_ZOOM_100, ID_VIEW_ZOOM_200}) {
    long item = menu.AddDescendantByCmd(id, zoom, nullptr);
    if (id == ID_VIEW_ZOOM_100) menu.CheckItem(item, true);  // the view's zoom
  }
  menu.AddSuccessorByCmd(ID_VIEW_REFRESH, -1, nullptr);
  menu.AddSuccessor(separator, -1, nullptr);
  menu.AddSuccessorByCmd(ID_ANALYSIS_DRILL, -1, nullptr);
  menu.AddSuccessorByCmd(ID_ANALYSIS_MACRO_1, -1, nullptr);  // hidden by the rights
  menu.AddSuccessor(separator, -1, nullptr);
  menu.AddSuccessorByCmd(ID_FILE_PRINT, -1, nullptr);
  menu.AddSuccessorByCmd(ID_FILE_SEND_MAIL, -1, nullptr);    // disabled by the rights
  menu.AddSuccessorByCmd(ID_FILE_PROPERTIES, -1, nullptr);

  // In screenshot mode: down to the Zoom popup and open it.
  MenuCapture capture(window->GetSafeHwnd(), L"contextmenu", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  const long chosen = menu.Run(screenPoint.x, screenPoint.y);
  if (unsigned short id = menu.GetCommandID(chosen)) RunCommand(id);
}

}  // namespace host
