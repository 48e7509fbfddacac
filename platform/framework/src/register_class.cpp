#include "fw_module.h"

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
  if (lpWndClass == NULL || lpWndClass->lpszClassName == NULL) return FALSE;
  WNDCLASS existing;
  if (GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
  if (RegisterClass(lpWndClass)) return TRUE;
  // Another thread may have registered it meanwhile.
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
