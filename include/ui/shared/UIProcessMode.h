// How the process was started, as both sides of the library need to know it at start-up.
#pragma once
#include "quarnel_api.h"

// True when a command-line argument after the program name is "-serviceonly" or
// "/serviceonly" (exactly): such a process loads no cursors and makes no menu drawing resources.
QUARNEL_API bool IsServiceOnlyProcess();
