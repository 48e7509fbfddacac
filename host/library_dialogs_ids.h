// Resource ids of the sample host's property sheet pages.
#pragma once

#define IDD_SHEET_GENERAL 2601
#define IDD_SHEET_COLUMNS 2602
#define IDD_SHEET_PRINTING 2603
#define IDC_SHEET_NAME 2610
#define IDC_SHEET_NOTES 2611
#define IDC_SHEET_DEFAULTS 2612
#define IDC_SHEET_LIST 2613
