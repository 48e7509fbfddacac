// CCmdTarget's automation: the IDispatch part, dispatch-map lookups, connection points.
#include "fw_disp.h"

#include <new>

namespace {

const AFX_DISPMAP_ENTRY* FindByDispID(const AFX_DISPMAP* map, DISPID id) {
  for (; map != NULL; map = map->pfnGetBaseMap != NULL ? map->pfnGetBaseMap() : NULL)
    for (const AFX_DISPMAP_ENTRY* e = map->lpEntries; e != NULL && e->lpszName != NULL; ++e)
      if (e->lDispID == id) return e;
  return NULL;
}

const AFX_DISPMAP_ENTRY* FindByName(const AFX_DISPMAP* map, LPCOLESTR name) {
  for (; map != NULL; map = map->pfnGetBaseMap != NULL ? map->pfnGetBaseMap() : NULL)
    for (const AFX_DISPMAP_ENTRY* e = map->lpEntries; e != NULL && e->lpszName != NULL; ++e) {
      const char* a = e->lpszName;
      LPCOLESTR b = name;
      while (*a != 0 && *b != 0 && ::towlower(static_cast<unsigned char>(*a)) == ::towlower(*b)) ++a, ++b;
      if (*a == 0 && *b == 0) return e;
    }
  return NULL;
}

// The IDispatch part; lives in the object's m_xDispatch slot (one vtable pointer, no data).
class DispatchPart : public IDispatch {
 public:
  STDMETHOD_(ULONG, AddRef)() override { return Owner()->ExternalAddRef(); }
  STDMETHOD_(ULONG, Release)() override { return Owner()->ExternalRelease(); }
  STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override {
    return Owner()->ExternalQueryInterface(&iid, ppvObj);
  }
  STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override {
    if (pctinfo == NULL) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
  }
  STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** ppTInfo) override {
    if (ppTInfo != NULL) *ppTInfo = NULL;
    return DISP_E_BADINDEX;
  }
  STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (names == NULL || ids == NULL) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      const AFX_DISPMAP_ENTRY* e = i == 0 && names[0] != NULL ? FindByName(Map(), names[0]) : NULL;
      ids[i] = e != NULL ? e->lDispID : DISPID_UNKNOWN;
      if (e == NULL) hr = DISP_E_UNKNOWNNAME;  // parameter names are not known either
    }
    return hr;
  }
  STDMETHOD(Invoke)(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                    EXCEPINFO* excepInfo, UINT* argErr) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none = {NULL, NULL, 0, 0};
    if (params == NULL) params = &none;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params->cArgs != 0 && params->rgvarg == NULL) return E_INVALIDARG;
    CCmdTarget* owner = Owner();
    AFX_MANAGE_STATE(owner->m_pModuleState);
    const AFX_DISPMAP_ENTRY* e = FindByDispID(Map(), id);
    if (e == NULL || e->pfnCall == NULL) return DISP_E_MEMBERNOTFOUND;
    // The caller may go away in the member: hold the object until the call ends.
    owner->ExternalAddRef();
    HRESULT hr;
    try {
      hr = e->pfnCall(owner, params, result, argErr);
    } catch (...) {
      if (excepInfo != NULL) {
        *excepInfo = EXCEPINFO();
        excepInfo->scode = E_FAIL;
      }
      hr = DISP_E_EXCEPTION;
    }
    owner->ExternalRelease();
    return hr;
  }

 private:
  CCmdTarget* Owner() {
    return reinterpret_cast<CCmdTarget*>(reinterpret_cast<BYTE*>(this) - offsetof(CCmdTarget, m_xDispatch));
  }
  const AFX_DISPMAP* Map();
};
static_assert(sizeof(DispatchPart) == sizeof(DWORD_PTR), "the dispatch part fits its slot");

}  // namespace

// The owner's map, through a helper that may see the protected member.
struct DispatchMapAccess : CCmdTarget {
  static const AFX_DISPMAP* Of(CCmdTarget* t) { return (t->*(&DispatchMapAccess::GetDispatchMap))(); }
};

const AFX_DISPMAP* DispatchPart::Map() { return DispatchMapAccess::Of(Owner()); }

const AFX_DISPMAP* PASCAL CCmdTarget::GetThisDispatchMap() {
  static const AFX_DISPMAP_ENTRY entries[] = {{NULL, 0, NULL, VT_EMPTY, NULL}};
  static const AFX_DISPMAP map = {NULL, &entries[0]};
  return &map;
}

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const { return GetThisDispatchMap(); }

void CCmdTarget::EnableAutomation() {
  if (m_xDispatch == 0) new (&m_xDispatch) DispatchPart;
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef) {
  if (m_xDispatch == 0) return NULL;
  LPDISPATCH dispatch = reinterpret_cast<LPDISPATCH>(&m_xDispatch);
  if (bAddRef) dispatch->AddRef();
  return dispatch;
}

namespace {

// The connection point iid of the source (with a reference), NULL when it has none.
IConnectionPoint* ConnectionPointOf(LPUNKNOWN source, REFIID iid) {
  IConnectionPointContainer* container = NULL;
  if (source == NULL ||
      FAILED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) ||
      container == NULL)
    return NULL;
  IConnectionPoint* point = NULL;
  if (FAILED(container->FindConnectionPoint(iid, &point))) point = NULL;
  container->Release();
  return point;
}

}  // namespace

BOOL AFXAPI AfxConnectionAdvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount,
                                DWORD* pdwCookie) {
  if (pUnkSink == NULL || pdwCookie == NULL) return FALSE;
  IConnectionPoint* point = ConnectionPointOf(pUnkSrc, iid);
  if (point == NULL) return FALSE;
  const BOOL ok = SUCCEEDED(point->Advise(pUnkSink, pdwCookie));
  point->Release();
  if (ok && !bRefCount) pUnkSink->Release();
  return ok;
}

BOOL AFXAPI AfxConnectionUnadvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount,
                                  DWORD dwCookie) {
  if (pUnkSink == NULL) return FALSE;
  IConnectionPoint* point = ConnectionPointOf(pUnkSrc, iid);
  if (point == NULL) return FALSE;
  // The source releases the sink as it lets go: give it the reference Advise gave back.
  if (!bRefCount) pUnkSink->AddRef();
  const BOOL ok = SUCCEEDED(point->Unadvise(dwCookie));
  if (!ok && !bRefCount) pUnkSink->Release();
  point->Release();
  return ok;
}
