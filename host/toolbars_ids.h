// Button lists of the main window's toolbars.
#pragma once
#define IDL_STANDARD_BAR 3101
#define IDL_REPORT_BAR 3102
#define ID_BAR_GAP 1 /* no command: a separator */
