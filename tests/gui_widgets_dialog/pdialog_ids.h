// Ids of the test dialog and its controls.
#pragma once
#define IDD_PORTABLE 100
#define IDD_MISSING 29999
#define IDC_NAME 10
#define IDC_LIST 11
#define IDC_FINISH 12
#define IDC_HIDDEN 13
#define IDC_CLOSE 14
#define IDD_FORM 102
#define IDC_APPLY 20
#define IDC_LEVEL 21
#define IDI_DIALOG 110
