// Window classes of the library's window-procedure controls. A registration finding a class of
// the name that runs another procedure (one left by an earlier load of the library) replaces it.
#pragma once
#include "quarnel_api.h"

#include <windows.h>

// "QvToolTable32": CS_GLOBALCLASS | CS_DBLCLKS, 4 extra bytes, arrow cursor, NULL_BRUSH.
QUARNEL_API BOOL RegisterToolTableClass(HINSTANCE hModule);
// Unregisters "QvToolTable32" unless windows of it remain (they keep it registered).
QUARNEL_API BOOL UnregisterToolTableClass(HINSTANCE hModule);
// "QvIconPaneControl32" and "QvTileControl32": CS_GLOBALCLASS | CS_DBLCLKS, extra bytes for
// one pointer (the window's object), arrow cursor, no background. TRUE at once when already registered with this library's
// procedure.
QUARNEL_API BOOL RegisterIconPaneControlClass(HINSTANCE hModule);
QUARNEL_API BOOL RegisterTileControlClass(HINSTANCE hModule);
// Destroy the remaining windows of the class that this thread owns (top-level or children of
// any window), then unregister it.
QUARNEL_API BOOL UnregisterIconPaneControlClass(HINSTANCE hModule);
QUARNEL_API BOOL UnregisterTileControlClass(HINSTANCE hModule);
