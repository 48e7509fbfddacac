// The portable effective-command map: which command a redirected menu item or button really
// runs at present (command id -> effective command id). The status probe of the portable
// frames fills it; menus and tooltips read it. It is not the framework side's map.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

// The map, null until the host's dynamic-menu start-up makes it.
QUARNEL_API QvMapUShortUShort* Get_GlobalMapCmdToEffectiveCmd();
QUARNEL_API void Set_GlobalMapCmdToEffectiveCmd(QvMapUShortUShort* map);

// The effective command of id: its entry, or id itself when the map is absent or has none.
QUARNEL_API unsigned short GetEffectiveCmdFromCmdMap(unsigned short id);
// Set and remove entries; nothing when the map is absent.
QUARNEL_API void SetEffectiveCmdInCmdMap(unsigned short id, unsigned short effectiveId);
QUARNEL_API void RemoveEffectiveCmdFromCmdMap(unsigned short id);
