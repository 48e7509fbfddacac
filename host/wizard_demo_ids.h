// Ids of the host's report export wizard: its pages, their controls and its picture.
#pragma once
#define IDD_WIZ_WELCOME 3700
#define IDD_WIZ_FORMAT 3701
#define IDD_WIZ_READY 3702
#define IDB_WIZ_STRIP 3710
#define IDC_WIZ_TITLE 3720
#define IDC_WIZ_BODY 3721
#define IDC_WIZ_POINT1 3722
#define IDC_WIZ_POINT2 3723
#define IDC_WIZ_FORMAT_LABEL 3724
#define IDC_WIZ_FORMAT 3725
#define IDC_WIZ_FOLDER_LABEL 3726
#define IDC_WIZ_FOLDER 3727
