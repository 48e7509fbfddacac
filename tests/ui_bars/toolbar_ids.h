// Ids of the toolbar tests' resources and commands.
#pragma once
#define IDB_TEST_ICONS 300
#define ID_OPEN 101     /* image 0 (red), Ctrl+O */
#define ID_PRINT 102    /* image 1 (blue) */
#define ID_CLOSE 103    /* no image: a text button */
#define ID_MACROS 104   /* the user's rights hide it */
#define ID_MAIL 105     /* the user's rights disable it; image 0 */
#define ID_OPTIONS 106  /* no image: a text button */
#define ID_BAR_COMMAND 900  /* the bar's own id; security 1006 follows the test's wish */
#define ID_NO_COMMAND 1     /* no command: a separator */
#define IDL_SEPARATORS 400  /* separator, open, separator, separator, print, separator */
#define IDL_ALL 401         /* open, print, close, macros, mail, options */
#define IDL_TRUNCATED 402   /* no end */
#define IDL_ODD 403         /* an odd number of bytes */
#define IDL_LONG 404        /* more ids than a bar takes */
#define IDL_MISSING 499
