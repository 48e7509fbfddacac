// Ids of the host's list windows: the resizable sales dialog and its controls.
#pragma once
#define IDD_SALES_LIST 3500
#define IDC_SL_LIST 3501
#define IDC_SL_LABEL 3502
