// CModuleBase: the module manager, the module's name and IModule.
#include "drevik.h"

#include <string.h>

const IID IID_IModule = {0x0cbe47af, 0x8a37, 0x4f44, {0xbb, 0xe2, 0xa5, 0xa0, 0x4b, 0xa2, 0xa8, 0xd0}};

IMPLEMENT_DYNAMIC(CModuleBase, CCmdTarget)

BEGIN_INTERFACE_MAP(CModuleBase, CCmdTarget)
  INTERFACE_PART(CModuleBase, IID_IModule, Module)
END_INTERFACE_MAP()

CModuleBase::CModuleBase() { m_szName[0] = 0; }

CModuleBase::~CModuleBase() { ReleaseManager(); }

void CModuleBase::ReleaseManager() {
  IUnknown* manager = m_pModuleManager;
  m_pModuleManager = NULL;
  if (manager != NULL) manager->Release();
}

void CModuleBase::OnFinalRelease() {
  // The manager may hold this module too: let go of it before the module goes.
  ReleaseManager();
  CCmdTarget::OnFinalRelease();
}

LPUNKNOWN CModuleBase::GetInterfaceHook(const void*) { return NULL; }

BOOL CModuleBase::OnInitNew(const char*, CFile*) { return TRUE; }
BOOL CModuleBase::OnInitNew() { return TRUE; }
void CModuleBase::OnHandsOff() {}
BOOL CModuleBase::OnSave(const char*, CFile*) { return TRUE; }
BOOL CModuleBase::OnSave(CFile*) { return TRUE; }
BOOL CModuleBase::OnLoad(const char*, CFile*) { return TRUE; }
BOOL CModuleBase::OnLoad(CFile*) { return TRUE; }
BOOL CModuleBase::Initialize() { return TRUE; }
BOOL CModuleBase::OnSetUser(DWORD) { return TRUE; }

BOOL CModuleBase::GetClassID(GUID* pClsid) {
  if (pClsid == NULL) return FALSE;
  *pClsid = GUID_NULL;
  return FALSE;
}

void CModuleBase::SetModuleName(const char* name) {
  lstrcpynA(m_szName, name != NULL ? name : "", static_cast<int>(sizeof(m_szName)));
}

// IModule. Each method runs in the module's framework state when the module asked for it.

namespace {
class OptionalState {
 public:
  OptionalState(BOOL on, AFX_MODULE_STATE* state) : m_prev(on ? AfxSetModuleState(state) : NULL), m_on(on) {}
  ~OptionalState() {
    if (m_on) AfxSetModuleState(m_prev);
  }
  OptionalState(const OptionalState&) = delete;
  OptionalState& operator=(const OptionalState&) = delete;

 private:
  AFX_MODULE_STATE* m_prev;
  BOOL m_on;
};

CModuleBase* OwnerOf(void* part, size_t offset) {
  return reinterpret_cast<CModuleBase*>(reinterpret_cast<BYTE*>(part) - offset);
}
}  // namespace

#define MODULE_PROLOGUE                                                                 \
  CModuleBase* pThis = OwnerOf(this, offsetof(CModuleBase, m_xModule));                \
  OptionalState state_(pThis->IsMFCFramework(), pThis->m_pModuleState);

STDMETHODIMP_(ULONG) CModuleBase::XModule::AddRef() {
  MODULE_PROLOGUE
  return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CModuleBase::XModule::Release() {
  MODULE_PROLOGUE
  return pThis->ExternalRelease();
}

STDMETHODIMP CModuleBase::XModule::QueryInterface(REFIID iid, LPVOID* ppvObj) {
  MODULE_PROLOGUE
  return pThis->ExternalQueryInterface(&iid, ppvObj);
}

STDMETHODIMP CModuleBase::XModule::Init(IUnknown* pModuleManager) {
  MODULE_PROLOGUE
  if (pModuleManager == NULL) return E_POINTER;
  pModuleManager->AddRef();
  pThis->ReleaseManager();
  pThis->m_pModuleManager = pModuleManager;
  try {
    return pThis->Initialize() ? S_OK : E_FAIL;
  } catch (CException* e) {
    e->Delete();
    return E_FAIL;
  } catch (...) {
    return E_FAIL;
  }
}

STDMETHODIMP CModuleBase::XModule::SetUser(DWORD user) {
  MODULE_PROLOGUE
  try {
    return pThis->OnSetUser(user) ? S_OK : S_FALSE;
  } catch (CException* e) {
    e->Delete();
    return E_FAIL;
  } catch (...) {
    return E_FAIL;
  }
}

STDMETHODIMP CModuleBase::XModule::GetName(LPSTR buffer, DWORD size) {
  MODULE_PROLOGUE
  if (buffer == NULL || size == 0) return E_POINTER;
  lstrcpynA(buffer, pThis->GetModuleName(), static_cast<int>(size < 0x7FFFFFFF ? size : 0x7FFFFFFF));
  return S_OK;
}

STDMETHODIMP CModuleBase::XModule::GetClassID(GUID* clsid) {
  MODULE_PROLOGUE
  if (clsid == NULL) return E_POINTER;
  return pThis->GetClassID(clsid) ? S_OK : E_FAIL;
}
