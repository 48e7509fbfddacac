// CCmdTarget's COM side: reference counts, interface lookup through the maps, aggregation.
#include "fw_ole.h"

#include <new>

namespace {

// The non-delegating unknown of an aggregatable object; lives in the object's
// m_xInnerUnknown slot (one vtable pointer, no data).
class InnerUnknown : public IUnknown {
 public:
  STDMETHOD_(ULONG, AddRef)() override { return Owner()->InternalAddRef(); }
  STDMETHOD_(ULONG, Release)() override { return Owner()->InternalRelease(); }
  STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override {
    if (ppvObj == NULL) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown)) {
      *ppvObj = this;
      AddRef();
      return S_OK;
    }
    return Owner()->InternalQueryInterface(&iid, ppvObj);
  }

 private:
  CCmdTarget* Owner() {
    return reinterpret_cast<CCmdTarget*>(reinterpret_cast<BYTE*>(this) - offsetof(CCmdTarget, m_xInnerUnknown));
  }
};
static_assert(sizeof(InnerUnknown) == sizeof(DWORD_PTR), "the inner unknown fits its slot");

}  // namespace

const AFX_INTERFACEMAP* PASCAL CCmdTarget::GetThisInterfaceMap() {
  static const AFX_INTERFACEMAP_ENTRY entries[] = {{NULL, (size_t)-1}};
  static const AFX_INTERFACEMAP map = {NULL, &entries[0]};
  return &map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const { return GetThisInterfaceMap(); }

LPUNKNOWN CCmdTarget::GetInterfaceHook(const void*) { return NULL; }

BOOL CCmdTarget::OnCreateAggregates() { return TRUE; }

void CCmdTarget::OnFinalRelease() { delete this; }

void CCmdTarget::EnableAggregation() {
  if (m_xInnerUnknown == 0) new (&m_xInnerUnknown) InnerUnknown;
}

LPUNKNOWN CCmdTarget::GetInterface(const void* iid) {
  if (iid == NULL) return NULL;
  if (LPUNKNOWN hooked = GetInterfaceHook(iid)) return hooked;
  const IID& wanted = *static_cast<const IID*>(iid);
  BYTE* self = reinterpret_cast<BYTE*>(this);
  if (m_xDispatch != 0 && IsEqualIID(wanted, IID_IDispatch)) return reinterpret_cast<LPUNKNOWN>(&m_xDispatch);
  bool anyPart = IsEqualIID(wanted, IID_IUnknown);
  for (const AFX_INTERFACEMAP* map = GetInterfaceMap(); map != NULL;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : NULL) {
    for (const AFX_INTERFACEMAP_ENTRY* e = map->pEntry; e->piid != NULL; ++e)
      if (anyPart || IsEqualIID(wanted, *static_cast<const IID*>(e->piid)))
        return reinterpret_cast<LPUNKNOWN>(self + e->nOffset);
  }
  // An automation object without other parts is known by its dispatch part.
  if (m_xDispatch != 0 && anyPart) return reinterpret_cast<LPUNKNOWN>(&m_xDispatch);
  return NULL;
}

HRESULT CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj) {
  if (ppvObj == NULL) return E_POINTER;
  *ppvObj = NULL;
  LPUNKNOWN unk = GetInterface(iid);
  if (unk == NULL) return E_NOINTERFACE;
  unk->AddRef();
  *ppvObj = unk;
  return S_OK;
}

ULONG CCmdTarget::InternalAddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_dwRef)); }

ULONG CCmdTarget::InternalRelease() {
  if (m_dwRef <= 0) return 0;  // a release too many changes nothing
  LONG left = InterlockedDecrement(&m_dwRef);
  if (left == 0) OnFinalRelease();
  return static_cast<ULONG>(left);
}

HRESULT CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj) {
  if (m_pOuterUnknown != NULL) {
    if (ppvObj == NULL || iid == NULL) return E_POINTER;
    return m_pOuterUnknown->QueryInterface(*static_cast<const IID*>(iid), ppvObj);
  }
  return InternalQueryInterface(iid, ppvObj);
}

ULONG CCmdTarget::ExternalAddRef() {
  return m_pOuterUnknown != NULL ? m_pOuterUnknown->AddRef() : InternalAddRef();
}

ULONG CCmdTarget::ExternalRelease() {
  return m_pOuterUnknown != NULL ? m_pOuterUnknown->Release() : InternalRelease();
}

LPUNKNOWN CCmdTarget::GetControllingUnknown() {
  if (m_pOuterUnknown != NULL) return m_pOuterUnknown;
  if (m_xInnerUnknown != 0) return reinterpret_cast<LPUNKNOWN>(&m_xInnerUnknown);
  return GetInterface(&IID_IUnknown);
}
