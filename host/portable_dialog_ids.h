// Ids of the host's resizable portable dialog and its controls.
#pragma once
#define IDD_REPORT_OPTIONS 3400
#define IDC_RO_NAME_LABEL 3401
#define IDC_RO_NAME 3402
#define IDC_RO_COLUMNS_LABEL 3403
#define IDC_RO_COLUMNS 3404
#define IDC_RO_OPTIONS 3405
#define IDC_RO_TOTALS 3406
#define IDC_RO_GRID 3407
#define IDC_RO_PREVIEW 3408
