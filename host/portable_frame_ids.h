// Button lists and toolbar ids of the portable frame.
#pragma once
#define IDL_PORTABLE_STANDARD 3111
#define IDL_PORTABLE_REPORT 3112
#define ID_PORTABLE_STANDARD_BAR 0xE850
#define ID_PORTABLE_REPORT_BAR 0xE851
