// Resource ids of the reports window's shortcut bar.
#pragma once
#define IDB_HOST_SHORTCUT_STRIP 47200
