// Registration helpers shared by the window-procedure controls.
#pragma once
#include "quarnel_api.h"

namespace quarnel {
// Registers the class unless one of that name exists already (then TRUE).
BOOL RegisterControlClass(HINSTANCE hModule, LPCWSTR name, WNDPROC proc, HBRUSH background);
// Destroys the remaining top-level windows of the class owned by this thread, then
// unregisters the class for the module.
BOOL UnregisterControlClass(HINSTANCE hModule, LPCWSTR name);
}  // namespace quarnel
