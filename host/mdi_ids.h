#pragma once
// The reports window: its frame and document menus and titles.
#define IDR_REPORTS_FRAME 7100
#define IDR_REPORTS_DOC 7101
#define ID_WINDOW_CASCADE_CMD 0xE132
#define ID_WINDOW_TILE_CMD 0xE133
// The report filter, a sizable dialog bar: its template, its bar id and its controls.
#define IDD_REPORT_FILTER 7110
#define ID_REPORT_FILTER_BAR 0xE806
#define IDC_FILTER_REGIONS 7111
#define IDC_FILTER_QUARTER 7112
#define IDC_FILTER_TOTALS 7113
