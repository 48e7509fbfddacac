// Per-thread state of the framework, and the module state of a regular DLL.
#pragma once
#include "fw_module.h"

#include <commctrl.h>

class CWnd;
class CWinThread;

// What the framework keeps for each thread. Window objects, temporary handle objects, the
// tooltip and the creation hook are all per thread: a window's object is only found on the
// thread that made (or attached) it.
struct FW_API _AFX_THREAD_STATE {
  _AFX_THREAD_STATE();
  ~_AFX_THREAD_STATE();
  _AFX_THREAD_STATE(const _AFX_THREAD_STATE&) = delete;
  _AFX_THREAD_STATE& operator=(const _AFX_THREAD_STATE&) = delete;

  // The message a window procedure of the framework is handling (Default uses it).
  MSG m_lastSentMsg;
  // The message the message pump is handling.
  MSG m_msgCur;
  // Last mouse position and message seen by the pump (idle detection).
  POINT m_ptCursorLast;
  UINT m_nMsgLast;

  // Window creation: the object that the next window created on this thread binds to.
  CWnd* m_pWndInit;
  HHOOK m_hHookOldCbtFilter;

  // Notifications from controls to this window are swallowed (set while data exchange runs).
  HWND m_hLockoutNotifyWindow;

  // The menu being tracked and the window that tracks it (between WM_ENTERMENULOOP and
  // WM_EXITMENULOOP).
  HWND m_hTrackingWindow;
  HMENU m_hTrackingMenu;

  // The thread's tooltip control (a "tooltips_class32" window) and the tool it last showed.
  CWnd* m_pToolTip;
  CWnd* m_pLastHit;
  INT_PTR m_nLastHit;
  TOOLINFO m_lastInfo;

  // The CWinThread running on this thread, if any.
  CWinThread* m_pCurrentWinThread;

  // Buffer of AfxRegisterWndClass.
  TCHAR m_szTempClassName[96];
};

FW_API _AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// The module state of the module (executable or DLL) with this base address: the
// application's state for the executable, a state of its own for each DLL (its instance and
// resources, its application object).
FW_API AFX_MODULE_STATE* AFXAPI AfxGetModuleStateOf(HMODULE hModule);

extern "C" IMAGE_DOS_HEADER __ImageBase;
// The calling module's own state; a regular DLL starts its entry points with
// AFX_MANAGE_STATE(AfxGetStaticModuleState()).
inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
  return AfxGetModuleStateOf(reinterpret_cast<HMODULE>(&__ImageBase));
}
