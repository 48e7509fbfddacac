// Ids of the host's tab dialog pages and their controls.
#pragma once
#define IDD_TAB_GENERAL 3600
#define IDD_TAB_LAYOUT 3601
#define IDD_TAB_EXPORT 3602
#define IDC_TD_TITLE 3610
#define IDC_TD_AUTHOR 3611
#define IDC_TD_ORIENTATION 3612
#define IDC_TD_MARGINS 3613
#define IDC_TD_GRID 3614
#define IDC_TD_FORMAT 3615
#define IDC_TD_FOLDER 3616
