// CBoid: a set of typed ids and its VARIANT form.
#include "Pellix.h"

namespace {

bool IsUserType(int type) { return type == BOID_USER || type == BOID_USER_ALT || type == BOID_CONTACT; }
bool IsGroupType(int type) { return type == BOID_GROUP || type == BOID_MOBILEGROUP || type == BOID_DEPARTMENT; }

bool SameId(const VARIANT& a, const VARIANT& b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  if (V_VT(&a) == VT_UI4) return V_UI4(&a) == V_UI4(&b);
  if (V_VT(&a) == VT_BSTR) return VarBstrCmp(V_BSTR(&a), V_BSTR(&b), LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
  return false;
}

}  // namespace

CBoid::CBoid(int capacity) : m_capacity(capacity > 0 ? capacity : 0) {}

CBoid::~CBoid() { RemoveAll(); }

void CBoid::RemoveAll() {
  for (Entry& e : m_entries) VariantClear(&e.id);
  m_entries.clear();
}

int CBoid::GetType(int i) const { return i >= 0 && i < GetCount() ? m_entries[i].type : 0; }

const VARIANT& CBoid::GetId(int i) const {
  static const VARIANT empty = {};
  return i >= 0 && i < GetCount() ? m_entries[i].id : empty;
}

DWORD CBoid::GetNumber(int i) const {
  const VARIANT& v = GetId(i);
  return V_VT(&v) == VT_UI4 ? V_UI4(&v) : 0;
}

BOOL CBoid::Contains(int type, const VARIANT& id) const {
  for (const Entry& e : m_entries)
    if (e.type == type && SameId(e.id, id)) return TRUE;
  return FALSE;
}

BOOL CBoid::Add(int type, const VARIANT& id, DWORD limit) {
  if (GetCount() >= m_capacity) return FALSE;
  if (IsUserType(type)) {
    if (V_VT(&id) != VT_BSTR || V_BSTR(&id) == NULL) return FALSE;
    DWORD users = 0;
    for (const Entry& e : m_entries) users += IsUserType(e.type) ? 1 : 0;
    if (users >= limit) return FALSE;
  } else if (IsGroupType(type)) {
    if (V_VT(&id) != VT_UI4) return FALSE;
  } else {
    return FALSE;
  }
  if (Contains(type, id)) return FALSE;
  Entry e{type, {}};
  if (FAILED(VariantCopy(&e.id, const_cast<VARIANT*>(&id)))) return FALSE;
  m_entries.push_back(e);
  return TRUE;
}

BOOL CBoid::Add(int type, DWORD id) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_UI4;
  V_UI4(&v) = id;
  return Add(type, v);
}

BOOL CBoid::Input(const VARIANT& v, DWORD limit) {
  RemoveAll();
  if (V_VT(&v) != (VT_ARRAY | VT_VARIANT) || V_ARRAY(&v) == NULL) return FALSE;
  SAFEARRAY* sa = V_ARRAY(&v);
  if (SafeArrayGetDim(sa) != 1) return FALSE;
  LONG lo = 0, hi = -1;
  if (FAILED(SafeArrayGetLBound(sa, 1, &lo)) || FAILED(SafeArrayGetUBound(sa, 1, &hi))) return FALSE;
  LONG n = hi - lo + 1;
  if (n < 0 || n % 2 != 0) return FALSE;  // a type without its id
  VARIANT* items = NULL;
  if (FAILED(SafeArrayAccessData(sa, reinterpret_cast<void**>(&items)))) return FALSE;
  for (LONG i = 0; i + 1 < n; i += 2) {
    const VARIANT& t = items[i];
    if (V_VT(&t) != VT_I4) continue;
    Add(V_I4(&t), items[i + 1], limit);
  }
  SafeArrayUnaccessData(sa);
  return TRUE;
}

BOOL CBoid::Output(VARIANT* v) const {
  if (v == NULL) return FALSE;
  VariantInit(v);
  SAFEARRAY* sa = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(m_entries.size() * 2));
  if (sa == NULL) return FALSE;
  VARIANT* items = NULL;
  if (FAILED(SafeArrayAccessData(sa, reinterpret_cast<void**>(&items)))) {
    SafeArrayDestroy(sa);
    return FALSE;
  }
  bool ok = true;
  for (size_t i = 0; i < m_entries.size() && ok; ++i) {
    V_VT(&items[2 * i]) = VT_I4;
    V_I4(&items[2 * i]) = m_entries[i].type;
    ok = SUCCEEDED(VariantCopy(&items[2 * i + 1], const_cast<VARIANT*>(&m_entries[i].id)));
  }
  SafeArrayUnaccessData(sa);
  if (!ok) {
    SafeArrayDestroy(sa);
    return FALSE;
  }
  V_VT(v) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(v) = sa;
  return TRUE;
}
