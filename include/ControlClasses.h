// Window classes of the library's window-procedure controls.
#pragma once
#include "quarnel_api.h"

// "QvToolTable32": CS_GLOBALCLASS | CS_DBLCLKS, 4 extra bytes, arrow cursor, NULL_BRUSH.
QUARNEL_API BOOL RegisterToolTableClass(HINSTANCE hModule);
// "QvIconPaneControl32" and "QvTileControl32": CS_GLOBALCLASS | CS_DBLCLKS, 4 extra bytes,
// arrow cursor, no background. TRUE at once when already registered.
QUARNEL_API BOOL RegisterIconPaneControlClass(HINSTANCE hModule);
QUARNEL_API BOOL RegisterTileControlClass(HINSTANCE hModule);
// Destroy the remaining top-level windows of the class, then unregister it.
QUARNEL_API BOOL UnregisterIconPaneControlClass(HINSTANCE hModule);
QUARNEL_API BOOL UnregisterTileControlClass(HINSTANCE hModule);
