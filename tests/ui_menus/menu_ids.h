// Ids of the menu tests' resources and commands.
#pragma once
#define IDB_TEST_ICONS 300
#define IDR_TEST_MENU 500
#define ID_OPEN 101    /* Ctrl+O, image 0 (red) */
#define ID_PRINT 102   /* Ctrl+Shift+P, image 1 (blue) */
#define ID_CLOSE 103
#define ID_MACROS 104  /* the user's rights hide it */
#define ID_MAIL 105    /* the user's rights disable it */
#define ID_OPTIONS 106
#define ID_PASTE 107   /* Ctrl+V: never an accelerator */
#define ID_MERGE 108
#define TEST_NUMBERED_POPUP 42
