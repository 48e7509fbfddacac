// The active-group option and the server's clock.
#include "Pellix.h"

namespace {
DWORD g_ageLimitHours = 72;
__int64 g_serverOffset = 0;
}  // namespace

BOOL GetAGOption(CAGOption* option) {
  if (option == NULL || option->cbSize < sizeof(CAGOption)) return FALSE;
  option->dwAgeLimitHours = g_ageLimitHours;
  return TRUE;
}

void SetAGOption(DWORD ageLimitHours) { g_ageLimitHours = ageLimitHours; }

__int64 LocalTimeToServerTime(__int64 local) { return local + g_serverOffset; }

void SetServerTimeOffset(__int64 seconds) { g_serverOffset = seconds; }
