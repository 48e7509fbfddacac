// Ids of the toolbar tests' resources: commands, bitmaps and button lists.
#pragma once

// Command bitmaps: small colour (four images) and large colour (the next id), and a second
// strip (two images) in both sizes. No plain bitmaps (ids + 2 and + 3).
#define IDB_IMAGES 500
#define IDB_IMAGES_LARGE 501
#define IDB_MORE_IMAGES 510
#define IDB_MORE_IMAGES_LARGE 511
#define IDB_MISSING 520

// Commands.
#define CMD_OPEN 100       // image 0, Ctrl+O (a standard shortcut), help 4100
#define CMD_SAVE 101       // image 1
#define CMD_GRID 102       // check button, image 2
#define CMD_RULERS 103     // check shown as radio, image 3
#define CMD_COPY 104       // second strip, image 0, Ctrl+C (kept by edit controls)
#define CMD_COPY_ALL 105   // second strip, image 1, Ctrl+Shift+C (a standard shortcut)
#define CMD_MACRO 106      // hidden by its security id
#define CMD_MAIL 107       // disabled by the rights of the command itself
#define CMD_NO_BITMAP 108
#define CMD_NO_IMAGE 109
#define CMD_PAST_STRIP 110  // image 4 of a four-image strip
#define CMD_LOST_BITMAP 111
#define CMD_UNKNOWN 999     // in no table
#define CMD_ZOOM 120        // a combo box made by TestComboMaker
#define CMD_NO_SUCH_MAKER 121
#define CMD_NOT_A_MAKER 122
#define CMD_NO_CONTROL_CLASS 123
#define CMD_REFUSED 124     // its maker makes no control
#define CMD_FONT 125        // a second combo box

// Security ids: allowed, hidden.
#define SEC_FILES 1001
#define SEC_MACROS 1003

// Button lists.
#define LIST_MAIN 600
#define LIST_FAILURES 601
#define LIST_UNENDED 602
#define LIST_ODD 603
#define LIST_EMPTY 604
#define LIST_CONTROLS 605
#define LIST_BAD_CONTROLS 606
#define LIST_SAME_CONTROL 607
#define LIST_MISSING 699
