// An in-process stand-in for a web browser's event source: a connection point container with
// one connection point (the browser's events) that keeps the sinks advised to it and fires
// events at them with the argument shapes the browser uses.
#pragma once
#include <ole2.h>
#include <oaidl.h>
#include <olectl.h>

#include <map>
#include <vector>

namespace webtest {

class FakeEventSource : public IConnectionPointContainer, public IConnectionPoint {
 public:
  explicit FakeEventSource(REFIID events) : m_events(events) {}
  virtual ~FakeEventSource() {
    for (auto& s : m_sinks) s.second->Release();
  }

  // IUnknown (the object lives on the stack of a test: counts are kept, never acted on).
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == NULL) return E_POINTER;
    *out = NULL;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPointContainer))
      *out = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPoint))
      *out = static_cast<IConnectionPoint*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_refs); }

  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
    if (e != NULL) *e = NULL;
    return E_NOTIMPL;
  }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
    if (cp == NULL) return E_POINTER;
    *cp = NULL;
    if (!IsEqualIID(iid, m_events)) return CONNECT_E_NOCONNECTION;
    *cp = this;
    AddRef();
    return S_OK;
  }

  // IConnectionPoint
  STDMETHODIMP GetConnectionInterface(IID* iid) override {
    if (iid == NULL) return E_POINTER;
    *iid = m_events;
    return S_OK;
  }
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** c) override {
    if (c == NULL) return E_POINTER;
    *c = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
    if (sink == NULL || cookie == NULL) return E_POINTER;
    IDispatch* dispatch = NULL;
    if (FAILED(sink->QueryInterface(m_events, reinterpret_cast<void**>(&dispatch))) || dispatch == NULL)
      return CONNECT_E_CANNOTCONNECT;
    *cookie = ++m_lastCookie;
    m_sinks[*cookie] = dispatch;
    return S_OK;
  }
  STDMETHODIMP Unadvise(DWORD cookie) override {
    auto it = m_sinks.find(cookie);
    if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    if (keepSinks) return S_OK;  // answers as if let go, and keeps firing at it
    IDispatch* sink = it->second;
    m_sinks.erase(it);
    sink->Release();
    return S_OK;
  }
  STDMETHODIMP EnumConnections(IEnumConnections** e) override {
    if (e != NULL) *e = NULL;
    return E_NOTIMPL;
  }

  IUnknown* Unknown() { return static_cast<IConnectionPointContainer*>(this); }
  size_t SinkCount() const { return m_sinks.size(); }
  // A source that still holds its sinks after Unadvise (its release comes late).
  bool keepSinks = false;

  // Fires an event at every sink; args in the event's parameter order (DISPPARAMS takes them
  // last first). The result of the last Invoke.
  HRESULT Fire(DISPID id, std::vector<VARIANT> args, UINT* argErr = NULL) {
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.empty() ? NULL : reversed.data(), NULL, static_cast<UINT>(reversed.size()), 0};
    HRESULT hr = S_OK;
    std::vector<IDispatch*> sinks;
    for (auto& s : m_sinks) sinks.push_back(s.second);
    for (IDispatch* sink : sinks) hr = sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, NULL, NULL, argErr);
    return hr;
  }

 private:
  IID m_events;
  long m_refs = 1;
  DWORD m_lastCookie = 0;
  std::map<DWORD, IDispatch*> m_sinks;
};

// VARIANT makers for the argument shapes.
template <class Set>
VARIANT Make(VARTYPE vt, Set set) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = vt;
  set(v);
  return v;
}
inline VARIANT Bstr(BSTR b) { return Make(VT_BSTR, [&](VARIANT& v) { V_BSTR(&v) = b; }); }
inline VARIANT ByRef(VARIANT* inner) { return Make(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { V_VARIANTREF(&v) = inner; }); }
inline VARIANT BstrRef(BSTR* b) { return Make(VT_BYREF | VT_BSTR, [&](VARIANT& v) { V_BSTRREF(&v) = b; }); }
inline VARIANT I4(long n) { return Make(VT_I4, [&](VARIANT& v) { V_I4(&v) = n; }); }
inline VARIANT Bool(bool b) { return Make(VT_BOOL, [&](VARIANT& v) { V_BOOL(&v) = b ? VARIANT_TRUE : VARIANT_FALSE; }); }
inline VARIANT BoolRef(VARIANT_BOOL* b) { return Make(VT_BYREF | VT_BOOL, [&](VARIANT& v) { V_BOOLREF(&v) = b; }); }
inline VARIANT Dispatch(IDispatch* d) { return Make(VT_DISPATCH, [&](VARIANT& v) { V_DISPATCH(&v) = d; }); }
inline VARIANT DispatchRef(IDispatch** d) {
  return Make(VT_BYREF | VT_DISPATCH, [&](VARIANT& v) { V_DISPATCHREF(&v) = d; });
}

}  // namespace webtest
