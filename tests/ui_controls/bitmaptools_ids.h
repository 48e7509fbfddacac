// Resource ids of the bitmap-routine and button tests.
#pragma once
#define IDB_TOOLS_STRIP 310
#define IDI_TOOLS_ICON 311
#define IDB_TOOLS_MASKED 312
