// The program's cursors that the portable start-up loads.
#pragma once
#include <framework.h>

enum { kGUICursorCount = 10 };

// Loads the cursors 256 to 263, 265 and 266 from the modules of the framework's chain; a
// cursor that is not found stays NULL. The cursors are shared: nothing destroys them.
void LoadGUICursors();
