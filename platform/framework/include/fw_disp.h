// Automation of command targets: a target that calls EnableAutomation in its constructor
// answers IDispatch (GetIDispatch, or QueryInterface for IID_IDispatch or for any dispatch
// interface its interface map lists with INTERFACE_PART(theClass, iid, Dispatch)), and
// Invoke runs the member its dispatch map names for the DISPID.
//
//   DECLARE_DISPATCH_MAP()                                  in the class
//   BEGIN_DISPATCH_MAP(theClass, baseClass)
//     DISP_FUNCTION_ID(theClass, "Name", dispid, Member, VT_EMPTY, VTS_I4 VTS_BOOL)
//   END_DISPATCH_MAP()
//
// A member takes its parameters as these C++ types, converted from the caller's VARIANTs
// (given by value or by reference): long (VTS_I4), BOOL (VTS_BOOL), BSTR or LPCOLESTR
// (VTS_BSTR), LPDISPATCH (VTS_DISPATCH), LPDISPATCH* (VTS_PDISPATCH), VARIANT* (VTS_PVARIANT:
// the caller's VARIANT, or the one its VT_BYREF|VT_VARIANT argument points to), VARIANT_BOOL*
// (VTS_PBOOL), long* (VTS_PI4). It returns void (VT_EMPTY) or long (VT_I4). The VTS_ string
// names the parameters for readers and for GetIDsOfNames' callers; the conversion follows the
// member's own types. Invoke runs in the module state the object was made in; an exception
// the member throws ends as DISP_E_EXCEPTION.
#pragma once
#include "fw_ole.h"

#include <oaidl.h>
#include <ocidl.h>

#include <initializer_list>
#include <tuple>
#include <type_traits>
#include <utility>

// Parameter kinds of a dispatch map entry: one character each (the VARTYPE, 0x40 for by
// reference).
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_PI4 "\x43"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"

// Runs one member for a DISPID: fills *pResult when it is not NULL and *puArgErr with the
// (DISPPARAMS) index of a parameter that could not be converted.
typedef HRESULT (*AFX_DISPCALL)(CCmdTarget* pTarget, DISPPARAMS* pParams, VARIANT* pResult, UINT* puArgErr);

struct AFX_DISPMAP_ENTRY {
  const char* lpszName;  // NULL ends the table
  DISPID lDispID;
  const char* lpszParams;  // VTS_ kinds
  VARTYPE vtReturn;
  AFX_DISPCALL pfnCall;
};

struct AFX_DISPMAP {
  const AFX_DISPMAP* (PASCAL* pfnGetBaseMap)();
  const AFX_DISPMAP_ENTRY* lpEntries;
};

#define DECLARE_DISPATCH_MAP()                              \
 protected:                                                 \
  static const AFX_DISPMAP* PASCAL GetThisDispatchMap();    \
  const AFX_DISPMAP* GetDispatchMap() const override;       \
                                                            \
 private:

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                         \
  const AFX_DISPMAP* theClass::GetDispatchMap() const { return GetThisDispatchMap(); }  \
  const AFX_DISPMAP* PASCAL theClass::GetThisDispatchMap() {                             \
    using TheBaseClass = baseClass;                                                      \
    static const AFX_DISPMAP_ENTRY _dispatchEntries[] = {
#define DISP_FUNCTION_ID(theClass, szExternalName, dispid, pfnMember, vtRetVal, vtsParams) \
  {szExternalName, dispid, vtsParams, vtRetVal, &::fw_disp::Call<theClass, &theClass::pfnMember>},
#define END_DISPATCH_MAP()                                                                  \
  {NULL, 0, NULL, VT_EMPTY, NULL}                                                           \
  }                                                                                         \
  ;                                                                                         \
  static const AFX_DISPMAP dispatchMap = {&TheBaseClass::GetThisDispatchMap, &_dispatchEntries[0]}; \
  return &dispatchMap;                                                                      \
  }

// Connects pUnkSink to the connection point iid of pUnkSrc (through its
// IConnectionPointContainer); the cookie goes to *pdwCookie. Without bRefCount the source's
// reference to the sink is given back at once, so that the sink's life stays with its owner
// (the owner must then disconnect before the sink goes). FALSE when any step fails.
FW_API BOOL AFXAPI AfxConnectionAdvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount,
                                       DWORD* pdwCookie);
// Ends that connection (bRefCount as when it was made). FALSE when any step fails.
FW_API BOOL AFXAPI AfxConnectionUnadvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount,
                                         DWORD dwCookie);

namespace fw_disp {

// The argument at position `index` of the call (0 = the first parameter), NULL when absent.
inline VARIANTARG* Arg(DISPPARAMS* p, UINT index) {
  return index < p->cArgs ? &p->rgvarg[p->cArgs - 1 - index] : NULL;
}
// The VARIANT an argument stands for: the one it points to when it is VT_BYREF|VT_VARIANT.
inline VARIANT* Deref(VARIANTARG* v) {
  return (v != NULL && V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v) != NULL) ? V_VARIANTREF(v) : v;
}

// Converts one argument to the member's parameter type; false when it cannot.
template <class T>
struct ArgOf;
template <>
struct ArgOf<long> {
  long value = 0;
  bool Take(VARIANTARG* v) {
    VARIANT c;
    VariantInit(&c);
    if (FAILED(VariantChangeType(&c, Deref(v), 0, VT_I4))) return false;
    value = V_I4(&c);
    return true;
  }
  long Get() { return value; }
};
template <>
struct ArgOf<BOOL> {
  BOOL value = FALSE;
  bool Take(VARIANTARG* v) {
    VARIANT c;
    VariantInit(&c);
    if (FAILED(VariantChangeType(&c, Deref(v), 0, VT_BOOL))) return false;
    value = V_BOOL(&c) != VARIANT_FALSE;
    return true;
  }
  BOOL Get() { return value; }
};
template <>
struct ArgOf<BSTR> {
  VARIANT value;
  ArgOf() { VariantInit(&value); }
  ~ArgOf() { VariantClear(&value); }
  bool Take(VARIANTARG* v) { return SUCCEEDED(VariantChangeType(&value, Deref(v), 0, VT_BSTR)); }
  BSTR Get() { return V_BSTR(&value); }
};
template <>
struct ArgOf<LPCOLESTR> : ArgOf<BSTR> {
  LPCOLESTR Get() { return V_BSTR(&value); }
};
template <>
struct ArgOf<LPDISPATCH> {
  LPDISPATCH value = NULL;
  bool Take(VARIANTARG* v) {
    v = Deref(v);
    if (V_VT(v) == VT_DISPATCH) value = V_DISPATCH(v);
    else if (V_VT(v) == (VT_BYREF | VT_DISPATCH) && V_DISPATCHREF(v) != NULL) value = *V_DISPATCHREF(v);
    else if (V_VT(v) != VT_EMPTY && V_VT(v) != VT_NULL) return false;
    return true;
  }
  LPDISPATCH Get() { return value; }
};
// By-reference kinds: the caller's storage, of exactly that type.
template <>
struct ArgOf<LPDISPATCH*> {
  LPDISPATCH* value = NULL;
  bool Take(VARIANTARG* v) {
    v = Deref(v);
    if (V_VT(v) != (VT_BYREF | VT_DISPATCH)) return false;
    value = V_DISPATCHREF(v);
    return true;
  }
  LPDISPATCH* Get() { return value; }
};
template <>
struct ArgOf<VARIANT_BOOL*> {
  VARIANT_BOOL* value = NULL;
  bool Take(VARIANTARG* v) {
    v = Deref(v);
    if (V_VT(v) != (VT_BYREF | VT_BOOL)) return false;
    value = V_BOOLREF(v);
    return true;
  }
  VARIANT_BOOL* Get() { return value; }
};
template <>
struct ArgOf<long*> {
  long* value = NULL;
  bool Take(VARIANTARG* v) {
    v = Deref(v);
    if (V_VT(v) != (VT_BYREF | VT_I4)) return false;
    value = V_I4REF(v);
    return true;
  }
  long* Get() { return value; }
};
template <>
struct ArgOf<VARIANT*> {
  VARIANT* value = NULL;
  bool Take(VARIANTARG* v) {
    value = Deref(v);
    return true;
  }
  VARIANT* Get() { return value; }
};

template <class R>
inline void PutResult(VARIANT* pResult, R r) {
  static_assert(std::is_same<R, long>::value, "a dispatch member returns void or long");
  if (pResult != NULL) {
    VariantInit(pResult);
    V_VT(pResult) = VT_I4;
    V_I4(pResult) = r;
  }
}

template <class T, class R, class... A>
struct Member {
  template <R (T::*pfn)(A...)>
  static HRESULT Call(CCmdTarget* target, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr) {
    if (p->cArgs != sizeof...(A)) return DISP_E_BADPARAMCOUNT;
    return Unpack<pfn>(static_cast<T*>(target), p, pResult, puArgErr, std::index_sequence_for<A...>());
  }
  template <R (T::*pfn)(A...), size_t... I>
  static HRESULT Unpack(T* self, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr, std::index_sequence<I...>) {
    std::tuple<ArgOf<std::remove_cv_t<std::remove_reference_t<A>>>...> args;
    UINT bad = 0;
    bool ok = true;
    // Each argument in order; the first that cannot be converted is reported.
    (void)std::initializer_list<int>{
        (ok = ok && (std::get<I>(args).Take(Arg(p, I)) || ((bad = p->cArgs - 1 - static_cast<UINT>(I)), false)), 0)...};
    if (!ok) {
      if (puArgErr != NULL) *puArgErr = bad;
      return DISP_E_TYPEMISMATCH;
    }
    if constexpr (std::is_void<R>::value) {
      (self->*pfn)(std::get<I>(args).Get()...);
      if (pResult != NULL) VariantInit(pResult);
    } else {
      PutResult(pResult, (self->*pfn)(std::get<I>(args).Get()...));
    }
    return S_OK;
  }
};

template <class T, class R, class... A>
Member<T, R, A...> MemberOf(R (T::*)(A...));

template <class T, auto pfn>
HRESULT Call(CCmdTarget* target, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr) {
  using M = decltype(MemberOf(pfn));
  return M::template Call<pfn>(target, p, pResult, puArgErr);
}

}  // namespace fw_disp
