#pragma once
// The reports window: its frame and document menus and titles.
#define IDR_REPORTS_FRAME 7100
#define IDR_REPORTS_DOC 7101
#define ID_WINDOW_CASCADE_CMD 0xE132
#define ID_WINDOW_TILE_CMD 0xE133
