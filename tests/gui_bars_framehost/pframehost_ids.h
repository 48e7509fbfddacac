// Ids of the resources of the portable frame tests: commands, popups, bitmaps, lists, menus.
#pragma once

#define IDB_IMAGES 500        // four small colour images
#define IDB_IMAGES_LARGE 501  // the same, large

#define CMD_OPEN 100
#define CMD_SAVE 101
#define CMD_MACRO 102        // hidden by its security id
#define CMD_REFRESH 103
#define CMD_ZOOM_BOX 34876   // the zoom combo box: its value changes run it too
#define ID_FILE_POPUP 200
#define ID_MACROS_POPUP 201  // holds only the hidden command
#define ID_VIEW_POPUP 202

#define SEC_FILES 1001
#define SEC_MACROS 1003

#define LIST_REPORT 600
#define IDR_BAR 700
