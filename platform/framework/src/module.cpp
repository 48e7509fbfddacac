// Module state, the extension-module chain, resource lookup and the global locks.
#include "fw_module.h"
#include "fw_internal.h"
#include "thread_data.h"

namespace {

struct GlobalLocks {
  CRITICAL_SECTION cs[CRIT_MAX];
  GlobalLocks() {
    for (auto& c : cs) InitializeCriticalSection(&c);
  }
  ~GlobalLocks() {
    for (auto& c : cs) DeleteCriticalSection(&c);
  }
};

GlobalLocks& Locks() {
  static GlobalLocks locks;
  return locks;
}

AFX_MODULE_STATE& AppState() {
  static AFX_MODULE_STATE state(FALSE);
  return state;
}

}  // namespace

HMODULE fw::FrameworkModule() {
  static HMODULE self = [] {
    HMODULE h = NULL;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&fw::FrameworkModule), &h);
    return h;
  }();
  return self;
}

AFX_MODULE_STATE::AFX_MODULE_STATE(BOOL bDLL) : m_bDLL(bDLL) {
  if (!bDLL) {
    m_hCurrentInstanceHandle = GetModuleHandle(NULL);
    m_hCurrentResourceHandle = m_hCurrentInstanceHandle;
  }
}

void AFXAPI AfxLockGlobals(int nLockType) {
  if (nLockType >= 0 && nLockType < CRIT_MAX) EnterCriticalSection(&Locks().cs[nLockType]);
}

void AFXAPI AfxUnlockGlobals(int nLockType) {
  if (nLockType >= 0 && nLockType < CRIT_MAX) LeaveCriticalSection(&Locks().cs[nLockType]);
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState() { return &AppState(); }

// The thread's current state is asked for on every routed command (the application is its
// last target): it is read from the thread's block without making one.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState() {
  void* data = fw::ReadThreadSlot(fw::g_threadDataSlot);
  AFX_MODULE_STATE* current = data != nullptr ? static_cast<fw::ThreadData*>(data)->moduleState : NULL;
  return current != NULL ? current : &AppState();
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState) {
  AFX_MODULE_STATE* prev = AfxGetModuleState();
  fw::CurrentThread().moduleState = pNewState;
  return prev;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pState)
    : m_pPrevState(AfxSetModuleState(pState)) {}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevState); }

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (state.bInitialized) return TRUE;
  state.bInitialized = TRUE;
  state.hModule = hModule;
  state.hResource = hModule;
  state.pFirstSharedClass = fw::FirstClassOfModule(hModule);
  state.pFirstSharedFactory = NULL;
  return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized) return;
  if (bAll) {
    // Libraries of this module still in the chain are deleted with it.
    for (;;) {
      CDynLinkLibrary* found = NULL;
      {
        FwGlobalLock lock(CRIT_DYNLINKLIST);
        for (CDynLinkLibrary* lib = AfxGetModuleState()->m_libraryList; lib; lib = lib->m_pNextDLL)
          if (lib->m_hModule == state.hModule) { found = lib; break; }
      }
      if (!found) break;
      delete found;
    }
  }
  state.bInitialized = FALSE;
  state.pFirstSharedClass = NULL;
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem),
      m_pNextDLL(NULL), m_pModuleState(AfxGetModuleState()) {
  FwGlobalLock lock(CRIT_DYNLINKLIST);
  m_pNextDLL = m_pModuleState->m_libraryList;
  m_pModuleState->m_libraryList = this;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(NULL),
      m_pModuleState(AfxGetModuleState()) {
  FwGlobalLock lock(CRIT_DYNLINKLIST);
  m_pNextDLL = m_pModuleState->m_libraryList;
  m_pModuleState->m_libraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
  FwGlobalLock lock(CRIT_DYNLINKLIST);
  for (CDynLinkLibrary** pp = &m_pModuleState->m_libraryList; *pp; pp = &(*pp)->m_pNextDLL) {
    if (*pp == this) {
      *pp = m_pNextDLL;
      break;
    }
  }
}

CRuntimeClass* CDynLinkLibrary::GetFirstClass() const { return fw::FirstClassOfModule(m_hModule); }

HINSTANCE AFXAPI AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AFXAPI AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
void AFXAPI AfxSetResourceHandle(HINSTANCE h) { AfxGetModuleState()->m_hCurrentResourceHandle = h; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  AFX_MODULE_STATE* st = AfxGetModuleState();
  if (st->m_hCurrentResourceHandle && FindResource(st->m_hCurrentResourceHandle, lpszName, lpszType))
    return st->m_hCurrentResourceHandle;
  FwGlobalLock lock(CRIT_DYNLINKLIST);
  // Ordinary extension modules before system ones.
  for (int system = 0; system < 2; ++system)
    for (CDynLinkLibrary* lib = st->m_libraryList; lib; lib = lib->m_pNextDLL)
      if (!!lib->m_bSystem == !!system && lib->m_hResource && FindResource(lib->m_hResource, lpszName, lpszType))
        return lib->m_hResource;
  if (FindResource(fw::FrameworkModule(), lpszName, lpszType)) return fw::FrameworkModule();
  return st->m_hCurrentResourceHandle;
}
