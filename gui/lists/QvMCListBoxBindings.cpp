// The platform class of the multi-column list, registered at load, and its typed control
// lookup in the containers.
#include <QvGUIContainer.h>

#include "GUIListView.h"
#include "QvMCListBox.h"

QV_CONTROL_KIND(QvMCListBox, CGUIListView)
