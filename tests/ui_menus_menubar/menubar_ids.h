// Ids of the menu bar tests' commands.
#pragma once
#define ID_OPEN 101    /* Ctrl+O */
#define ID_CLOSE 103
#define ID_MACROS 104  /* the user's rights hide it */
#define ID_ZOOM 106
#define ID_MERGE 108
