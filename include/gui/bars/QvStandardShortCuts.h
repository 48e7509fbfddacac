// The command definitions met on toolbars whose hot key is a standard shortcut
// (IsStandardShortCut): the menus' accelerator tables take them in. Null until a toolbar
// manager makes the list; the definitions are the command centre's (not owned).
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

QUARNEL_API QvListLPQvFirst* Get_GlobalListStandardShortCutCommandDef();
QUARNEL_API void Set_GlobalListStandardShortCutCommandDef(QvListLPQvFirst* list);
