// Resource ids of the crash and assertion dialogs.
#pragma once

#define IDD_ASSERTION_FAILED 101
#define IDD_UNHANDLED_EXCEPTION 102
#define IDI_UNHANDLED_EXCEPTION 102
#define IDC_REPORT 1000
#define IDC_ABORT 1001
#define IDC_IGNORE 1002
#define IDC_ASSERT_DEBUG 1003
#define IDC_SAVE 1003
#define IDC_EXCEPTION_DEBUG 1004
#define IDC_SIZE_GRIP 150
