// COleObjectFactory, the per-module lists of factories and lock counts, the entry points of
// an in-process server and the start-up of a DLL's application object.
#include <map>

#include "fw_app.h"
#include "fw_internal.h"
#include "fw_ole.h"

namespace {

struct ModuleCom {
  COleObjectFactory* factories = NULL;  // newest first
  LONG locks = 0;
};

// Kept per module state rather than in the state itself; guarded by its own lock.
struct ComStates {
  CRITICAL_SECTION lock;
  std::map<AFX_MODULE_STATE*, ModuleCom> states;
  ComStates() { InitializeCriticalSection(&lock); }
  ~ComStates() { DeleteCriticalSection(&lock); }
};

ComStates& Com() {
  static ComStates s;
  return s;
}

class ComLock {
 public:
  ComLock() { EnterCriticalSection(&Com().lock); }
  ~ComLock() { LeaveCriticalSection(&Com().lock); }
  ComLock(const ComLock&) = delete;
  ComLock& operator=(const ComLock&) = delete;
};

// A static object of a DLL belongs to that DLL's state; one elsewhere to the current state.
AFX_MODULE_STATE* StateOfObject(const void* p) {
  HMODULE h = NULL;
  if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(p), &h) &&
      h != NULL)
    return AfxGetModuleStateOf(h);
  return AfxGetModuleState();
}

// The factories of the current state, copied so that callbacks run without the lock.
template <class F>
BOOL ForEachFactory(F f) {
  COleObjectFactory* list[64];
  int n = 0;
  BOOL ok = TRUE;
  {
    ComLock lock;
    for (COleObjectFactory* p = Com().states[AfxGetModuleState()].factories; p != NULL; p = p->m_pNextFactory) {
      if (n == static_cast<int>(_countof(list))) {
        ok = FALSE;  // more factories than one module ever serves
        break;
      }
      list[n++] = p;
    }
  }
  for (int i = 0; i < n; ++i)
    if (!f(list[i])) ok = FALSE;
  return ok;
}

CString GuidText(REFGUID guid) {
  WCHAR wide[40];
  if (::StringFromGUID2(guid, wide, 40) == 0) return CString();
  return CString(wide);
}

bool SetKey(HKEY root, const CString& path, LPCTSTR name, const CString& value) {
  HKEY key = NULL;
  if (::RegCreateKeyEx(root, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL, &key, NULL) !=
      ERROR_SUCCESS)
    return false;
  LONG rc = ::RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(value)),
                            static_cast<DWORD>((value.GetLength() + 1) * sizeof(TCHAR)));
  ::RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

// A key that is already gone counts as removed.
bool RemoveTree(HKEY root, const CString& path) {
  LONG rc = ::RegDeleteTree(root, path);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace

// Lock count.

void AFXAPI AfxOleLockApp() {
  ComLock lock;
  ++Com().states[AfxGetModuleState()].locks;
}

void AFXAPI AfxOleUnlockApp() {
  ComLock lock;
  LONG& n = Com().states[AfxGetModuleState()].locks;
  if (n > 0) --n;
}

BOOL AFXAPI AfxOleCanExitApp() {
  ComLock lock;
  return Com().states[AfxGetModuleState()].locks == 0;
}

// The factory.

IMPLEMENT_DYNAMIC(COleObjectFactory, CCmdTarget)

BEGIN_INTERFACE_MAP(COleObjectFactory, CCmdTarget)
  INTERFACE_PART(COleObjectFactory, IID_IClassFactory, ClassFactory)
END_INTERFACE_MAP()

COleObjectFactory::COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance,
                                     LPCTSTR lpszProgID)
    : m_clsid(clsid), m_pRuntimeClass(pRuntimeClass), m_bMultiInstance(bMultiInstance), m_lpszProgID(lpszProgID) {
  m_pModuleState = StateOfObject(this);
  ComLock lock;
  ModuleCom& mc = Com().states[m_pModuleState];
  m_pNextFactory = mc.factories;
  mc.factories = this;
}

COleObjectFactory::~COleObjectFactory() {
  Revoke();
  ComLock lock;
  for (COleObjectFactory** pp = &Com().states[m_pModuleState].factories; *pp != NULL; pp = &(*pp)->m_pNextFactory) {
    if (*pp == this) {
      *pp = m_pNextFactory;
      break;
    }
  }
}

BOOL COleObjectFactory::Register() {
  if (m_bRegistered) return TRUE;
  if (!m_pModuleState->m_bDLL) {
    DWORD flags = m_bMultiInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
    if (FAILED(::CoRegisterClassObject(m_clsid, reinterpret_cast<LPUNKNOWN>(&m_xClassFactory), CLSCTX_LOCAL_SERVER,
                                       flags, &m_dwRegister)))
      return FALSE;
  }
  m_bRegistered = TRUE;
  return TRUE;
}

void COleObjectFactory::Revoke() {
  if (!m_bRegistered) return;
  if (m_dwRegister != 0) ::CoRevokeClassObject(m_dwRegister);
  m_dwRegister = 0;
  m_bRegistered = FALSE;
}

BOOL PASCAL COleObjectFactory::RegisterAll() {
  return ForEachFactory([](COleObjectFactory* f) { return f->Register(); });
}

void PASCAL COleObjectFactory::RevokeAll() {
  ForEachFactory([](COleObjectFactory* f) {
    f->Revoke();
    return TRUE;
  });
}

BOOL COleObjectFactory::UpdateRegistry(BOOL bRegister) {
  CString clsid = GuidText(m_clsid);
  if (clsid.IsEmpty()) return FALSE;
  CString clsidKey = CString(_T("CLSID\\")) + clsid;
  CString progId = m_lpszProgID != NULL ? CString(m_lpszProgID) : CString();
  if (!bRegister) {
    bool ok = RemoveTree(HKEY_CLASSES_ROOT, clsidKey);
    if (!progId.IsEmpty()) ok = RemoveTree(HKEY_CLASSES_ROOT, progId) && ok;
    return ok;
  }
  TCHAR path[MAX_PATH];
  DWORD n = ::GetModuleFileName(m_pModuleState->m_hCurrentInstanceHandle, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return FALSE;
  CString name = !progId.IsEmpty() ? progId : CString(m_pRuntimeClass ? m_pRuntimeClass->m_lpszClassName : "");
  bool ok = SetKey(HKEY_CLASSES_ROOT, clsidKey, NULL, name);
  if (m_pModuleState->m_bDLL) {
    CString server = clsidKey + _T("\\InprocServer32");
    ok = ok && SetKey(HKEY_CLASSES_ROOT, server, NULL, CString(path));
    // The objects live on their creator's user-interface thread.
    ok = ok && SetKey(HKEY_CLASSES_ROOT, server, _T("ThreadingModel"), CString(_T("Apartment")));
  } else {
    ok = ok && SetKey(HKEY_CLASSES_ROOT, clsidKey + _T("\\LocalServer32"), NULL, CString(path));
  }
  if (!progId.IsEmpty()) {
    ok = ok && SetKey(HKEY_CLASSES_ROOT, clsidKey + _T("\\ProgID"), NULL, progId);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, progId, NULL, name);
    ok = ok && SetKey(HKEY_CLASSES_ROOT, progId + _T("\\CLSID"), NULL, clsid);
  }
  return ok;
}

BOOL PASCAL COleObjectFactory::UpdateRegistryAll(BOOL bRegister) {
  return ForEachFactory([bRegister](COleObjectFactory* f) { return f->UpdateRegistry(bRegister); });
}

COleObjectFactory* PASCAL COleObjectFactory::Find(REFCLSID clsid) {
  ComLock lock;
  for (COleObjectFactory* p = Com().states[AfxGetModuleState()].factories; p != NULL; p = p->m_pNextFactory)
    if (IsEqualCLSID(p->m_clsid, clsid)) return p;
  return NULL;
}

CCmdTarget* COleObjectFactory::OnCreateObject() {
  if (m_pRuntimeClass == NULL || !m_pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget))) return NULL;
  return static_cast<CCmdTarget*>(m_pRuntimeClass->CreateObject());
}

HRESULT COleObjectFactory::CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, LPVOID* ppvObject) {
  if (ppvObject == NULL) return E_POINTER;
  *ppvObject = NULL;
  // An aggregated object is only ever asked for its inner unknown.
  if (pUnkOuter != NULL && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  try {
    CCmdTarget* target = OnCreateObject();
    if (target == NULL) return E_OUTOFMEMORY;
    HRESULT hr;
    if (pUnkOuter != NULL) {
      if (target->m_xInnerUnknown == 0) {
        target->InternalRelease();
        return CLASS_E_NOAGGREGATION;
      }
      target->m_pOuterUnknown = pUnkOuter;
      hr = target->OnCreateAggregates() ? S_OK : E_FAIL;
      if (SUCCEEDED(hr)) {
        LPUNKNOWN inner = reinterpret_cast<LPUNKNOWN>(&target->m_xInnerUnknown);
        inner->AddRef();
        *ppvObject = inner;
      }
    } else {
      hr = target->OnCreateAggregates() ? target->InternalQueryInterface(&riid, ppvObject) : E_FAIL;
    }
    target->InternalRelease();  // the creation's own reference
    return hr;
  } catch (CException* e) {
    HRESULT hr = COleException::Process(e);
    e->Delete();
    return hr;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

IMPLEMENT_PART_IUNKNOWN(COleObjectFactory, ClassFactory)

STDMETHODIMP COleObjectFactory::XClassFactory::CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, LPVOID* ppvObject) {
  METHOD_PROLOGUE(COleObjectFactory, ClassFactory)
  return pThis->CreateInstance(pUnkOuter, riid, ppvObject);
}

STDMETHODIMP COleObjectFactory::XClassFactory::LockServer(BOOL fLock) {
  METHOD_PROLOGUE(COleObjectFactory, ClassFactory)
  if (fLock)
    AfxOleLockApp();
  else
    AfxOleUnlockApp();
  return S_OK;
}

// Entry points of an in-process server.

HRESULT AFXAPI AfxDllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (ppv == NULL) return E_POINTER;
  *ppv = NULL;
  COleObjectFactory* f = COleObjectFactory::Find(rclsid);
  if (f == NULL) return CLASS_E_CLASSNOTAVAILABLE;
  return f->InternalQueryInterface(&riid, ppv);
}

HRESULT AFXAPI AfxDllCanUnloadNow() {
  if (!AfxOleCanExitApp()) return S_FALSE;
  // A class object that a client holds keeps the server: its next CreateInstance runs here.
  // A factory holds one reference of its own.
  ComLock lock;
  for (COleObjectFactory* p = Com().states[AfxGetModuleState()].factories; p != NULL; p = p->m_pNextFactory)
    if (p->m_dwRef > 1) return S_FALSE;
  return S_OK;
}

BOOL AFXAPI AfxDllProcessAttach(HINSTANCE hInstance) {
  AFX_MANAGE_STATE(AfxGetModuleStateOf(hInstance));
  if (!AfxWinInit(hInstance, NULL, const_cast<LPTSTR>(_T("")), SW_SHOWNORMAL)) return FALSE;
  CWinApp* app = AfxGetApp();
  if (app == NULL) return TRUE;
  try {
    return app->InitInstance();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  } catch (...) {
    return FALSE;
  }
}

void AFXAPI AfxDllProcessDetach(HINSTANCE hInstance) {
  AFX_MANAGE_STATE(AfxGetModuleStateOf(hInstance));
  if (CWinApp* app = AfxGetApp()) app->ExitInstance();
}
