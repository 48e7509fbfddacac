// CObject, run-time classes and the per-module class registry.
#include "fw_object.h"
#include "fw_module.h"
#include "fw_internal.h"

#include <string.h>
#include <vector>

namespace {

struct ClassEntry {
  CRuntimeClass* cls;
  HMODULE module;
};

// Registration order is kept; each module's classes are also linked through m_pNextClass.
std::vector<ClassEntry>& Registry() {
  static std::vector<ClassEntry> registry;
  return registry;
}

HMODULE ModuleOfAddress(const void* p) {
  HMODULE h = NULL;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCWSTR>(p), &h);
  return h;
}

void Relink(HMODULE module) {
  CRuntimeClass* prev = NULL;
  for (auto& e : Registry()) {
    if (e.module != module) continue;
    e.cls->m_pNextClass = NULL;
    if (prev) prev->m_pNextClass = e.cls;
    prev = e.cls;
  }
}

CRuntimeClass* FindInModule(HMODULE module, LPCSTR name) {
  for (auto& e : Registry())
    if (e.module == module && strcmp(e.cls->m_lpszClassName, name) == 0) return e.cls;
  return NULL;
}

}  // namespace

namespace fw {
CRuntimeClass* FirstClassOfModule(HMODULE module) {
  FwGlobalLock lock(CRIT_RUNTIMECLASSLIST);
  for (auto& e : Registry())
    if (e.module == module) return e.cls;
  return NULL;
}
}  // namespace fw

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
  FwGlobalLock lock(CRIT_RUNTIMECLASSLIST);
  HMODULE module = ModuleOfAddress(pNewClass);
  Registry().push_back({pNewClass, module});
  Relink(module);
}

AFX_CLASSINIT::~AFX_CLASSINIT() {
  FwGlobalLock lock(CRIT_RUNTIMECLASSLIST);
  auto& reg = Registry();
  for (size_t i = 0; i < reg.size(); ++i) {
    if (reg[i].cls == m_pClass) {
      HMODULE module = reg[i].module;
      reg.erase(reg.begin() + i);
      Relink(module);
      break;
    }
  }
}

CObject* CRuntimeClass::CreateObject() {
  if (m_pfnCreateObject == NULL) return NULL;
  return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass)
    if (p == pBaseClass) return TRUE;
  return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (lpszClassName == NULL) return NULL;
  FwGlobalLock lock(CRIT_RUNTIMECLASSLIST);
  // The application first, then the extension modules of the chain, then the framework,
  // then any other module that registered classes.
  std::vector<HMODULE> order;
  order.push_back(GetModuleHandleW(NULL));
  for (CDynLinkLibrary* lib = AfxGetModuleState()->m_libraryList; lib; lib = lib->m_pNextDLL)
    order.push_back(lib->m_hModule);
  order.push_back(fw::FrameworkModule());
  for (HMODULE m : order)
    if (CRuntimeClass* c = FindInModule(m, lpszClassName)) return c;
  for (auto& e : Registry())
    if (strcmp(e.cls->m_lpszClassName, lpszClassName) == 0) return e.cls;
  return NULL;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName) {
  if (lpszClassName == NULL) return NULL;
  char name[256];
  if (!WideCharToMultiByte(CP_ACP, 0, lpszClassName, -1, name, sizeof name, NULL, NULL)) return NULL;
  return FromName(name);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  CRuntimeClass* c = FromName(lpszClassName);
  return c ? c->CreateObject() : NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName) {
  CRuntimeClass* c = FromName(lpszClassName);
  return c ? c->CreateObject() : NULL;
}

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* PASCAL CObject::GetThisClass() { return &CObject::classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}

CObject* AFXAPI FwDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
  return (pObject != NULL && pObject->IsKindOf(pClass)) ? pObject : NULL;
}
