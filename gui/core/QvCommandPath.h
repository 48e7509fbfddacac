// What the command-status path reads on every question, inline: the current centre and the
// host's rights callback. Asking the status of a command is the hottest thing menus, toolbars
// and the idle update do; a call for each of these would cost as much as the question itself.
#pragma once
#include "QvCommandCenter.h"

namespace qvcommands {

// The current command centre (null outside GUIInitialisations .. GUIRelease) and the host's
// command-status callback (null: everything allowed).
extern QvCommandCenter* g_commandCenter;
extern QvCmdStatusCallback g_statusCallback;

// GUIGetCmdStatus with the flag left out (it is never passed on).
inline unsigned long Rights(unsigned long securityId, unsigned long commandId) {
  const QvCmdStatusCallback callback = g_statusCallback;
  if (!callback) return 1;
  unsigned long status = callback(securityId, false) & 0xFFFF;
  if (status == 1 && commandId != 0) status = callback(commandId | 0x40000000UL, false) & 0xFFFF;
  return status;
}

}  // namespace qvcommands
