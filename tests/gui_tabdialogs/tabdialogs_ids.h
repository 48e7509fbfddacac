// Ids of the test pages and dialogs.
#pragma once
#define IDD_PAGE_EX 200
#define IDD_PAGE_PLAIN 201
#define IDD_PAGE_LARGE 202
#define IDD_PAGE_MISSING 29998
#define IDD_OWN_TABS 210
#define IDC_FIELD 20
#define IDC_OTHER 21
