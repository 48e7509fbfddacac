// Ids of the test wizard's pages, controls and picture.
#pragma once
#define IDD_WPAGE 300
#define IDD_WPAGE_TALL 301
#define IDD_WPAGE_LOOK 302
#define IDD_WPAGE_WIDE 303
#define IDD_WPAGE_MISSING 29990
#define IDB_PICTURE 400
#define IDC_FIELD 20
#define IDC_PAGE_BUTTON 30
#define IDC_TITLE 31
#define IDC_BODY 32
#define IDC_BULLET 33
#define IDC_NOTE 34
#define IDC_EMPHASIS 35
