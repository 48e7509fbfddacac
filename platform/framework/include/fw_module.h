// Module state and the chain of extension modules.
#pragma once
#include "fw_object.h"

class CWinApp;
class CDynLinkLibrary;

// What the framework knows of one module: its instance, where its resources come from,
// the application object and, for the application's state, the chain of extension modules.
struct FW_API AFX_MODULE_STATE {
  explicit AFX_MODULE_STATE(BOOL bDLL);
  HINSTANCE m_hCurrentInstanceHandle = NULL;
  HINSTANCE m_hCurrentResourceHandle = NULL;
  LPCTSTR m_lpszCurrentAppName = NULL;
  CWinApp* m_pCurrentWinApp = NULL;
  BOOL m_bDLL;
  BOOL m_bSystem = FALSE;
  CDynLinkLibrary* m_libraryList = NULL;  // extension modules, newest first
};

// The record an extension DLL exports; filled by AfxInitExtensionModule.
struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
  CRuntimeClass* pFirstSharedClass;
  void* pFirstSharedFactory;
};

// Joins an extension module to the current module state's chain for as long as it lives.
class FW_API CDynLinkLibrary : public CObject {
  DECLARE_DYNAMIC(CDynLinkLibrary)
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
  ~CDynLinkLibrary() override;

  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
  CDynLinkLibrary* m_pNextDLL;
  AFX_MODULE_STATE* m_pModuleState;  // the state whose chain holds this library

  // The classes registered by this module, in registration order.
  CRuntimeClass* GetFirstClass() const;
};

FW_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
FW_API AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
FW_API AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);

// Makes pState the thread's current module state for the scope.
class FW_API AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pState);
  ~AFX_MAINTAIN_STATE2();
 private:
  AFX_MODULE_STATE* m_pPrevState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

FW_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
FW_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

FW_API HINSTANCE AFXAPI AfxGetInstanceHandle();
FW_API HINSTANCE AFXAPI AfxGetResourceHandle();
FW_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The first module of the chain (current resource handle, then the extension modules,
// then the framework itself) that has the resource.
FW_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// A process-wide lock per lock type (CRIT_* values); re-entrant on one thread.
enum { CRIT_DYNLINKLIST = 0, CRIT_RUNTIMECLASSLIST, CRIT_WINMSGCACHE, CRIT_MAX = 16 };
FW_API void AFXAPI AfxLockGlobals(int nLockType);
FW_API void AFXAPI AfxUnlockGlobals(int nLockType);

// Registers a window class; a class of that name already registered for the instance
// counts as success.
FW_API BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
