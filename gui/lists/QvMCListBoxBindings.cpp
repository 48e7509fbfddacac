// The platform class of the multi-column list, registered at load, and its typed control
// lookup in the containers.
#include <QvGUIContainer.h>

#include "GUIListView.h"
#include "QvMCListBox.h"

namespace {
struct Binding {
  Binding() { QvControl::SetPlatformClass(QV_RUNTIME_CLASS(QvMCListBox), RUNTIME_CLASS(CGUIListView)); }
};
Binding s_binding;
}  // namespace

bool QvGUIContainer::GetControlFromID(QvMCListBox*& out, unsigned short id, unsigned long labelId) {
  QvControl* control = nullptr;
  out = GetOrCreateControl(QV_RUNTIME_CLASS(QvMCListBox), control, id, labelId) ? dynamic_cast<QvMCListBox*>(control)
                                                                                 : nullptr;
  return out != nullptr;
}
