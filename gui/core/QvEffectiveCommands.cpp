// The portable effective-command map.
#include "QvEffectiveCommands.h"

namespace {
QvMapUShortUShort* s_effectiveCommands = nullptr;
}

QvMapUShortUShort* Get_GlobalMapCmdToEffectiveCmd() { return s_effectiveCommands; }
void Set_GlobalMapCmdToEffectiveCmd(QvMapUShortUShort* map) { s_effectiveCommands = map; }

unsigned short GetEffectiveCmdFromCmdMap(unsigned short id) {
  unsigned short effective = id;
  if (s_effectiveCommands && s_effectiveCommands->Lookup(id, effective)) return effective;
  return id;
}

void SetEffectiveCmdInCmdMap(unsigned short id, unsigned short effectiveId) {
  if (s_effectiveCommands) s_effectiveCommands->SetAt(id, effectiveId);
}

void RemoveEffectiveCmdFromCmdMap(unsigned short id) {
  if (s_effectiveCommands) s_effectiveCommands->RemoveKey(id);
}
