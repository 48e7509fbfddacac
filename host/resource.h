#pragma once
// Command ids, the main menu and the accelerator table come from the generated command tables.
#include "command_ids.h"

// A toggle of the host's own, outside the command tables (its menu item has no image).
#define ID_VIEW_HINTS 33900

// The label of the status window's indicator.
#define IDS_INDICATOR_EXPORT 33901

// The application's icon: the program's first icon, shown for windows that have none.
#define IDI_HOST 1
