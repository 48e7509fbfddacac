// Window procedures of the platform controls whose classes the portable start-up registers.
#pragma once
#include <windows.h>

// "QvImageCtrl": its state pointer lives in the first window-extra value.
LRESULT CALLBACK ImageCtrlWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
