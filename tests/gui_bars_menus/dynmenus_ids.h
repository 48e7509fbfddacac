// Ids of the dynamic-menu tests' resources.
#pragma once

#define IDR_BAR 1
#define IDR_EXTRA 2
#define IDR_MDI_BAR 3
#define IDR_MISSING 99

#define ID_OPEN 100
#define ID_SAVE 101
#define ID_PRINT 102
#define ID_MAIL 103
#define ID_MACRO 104
#define ID_CUT 105
#define ID_PASTE 106
#define ID_OPTIONS 107
#define ID_ZOOM 108
#define ID_ZOOM_FIT 109
#define ID_RECENT 110
#define ID_REFRESH 111
#define ID_ABOUT 120

#define ID_WINDOW_POPUP 257
#define ID_WINDOW_CASCADE 258
#define ID_FILE_POPUP 500
#define ID_EDIT_POPUP 501
#define ID_TOOLS_POPUP 502
#define ID_RECENT_POPUP 503
#define ID_ALT_VIEW_POPUP 504
#define ID_VIEW_POPUP 505

#define ID_EDIT_UNDO_KEY 40797
#define ID_EDIT_CUT_KEY 40801
#define ID_EDIT_COPY_KEY 40803
#define ID_EDIT_PASTE_KEY 40805
#define ID_EDIT_CLEAR_KEY 40809
