// COleDataSource: cached and delayed formats served through IDataObject.
#include <shlobj.h>

#include "fw_oledata.h"
#include "ole_internal.h"

namespace {

FORMATETC MakeFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed) {
  if (lpFormatEtc != NULL) {
    FORMATETC f = *lpFormatEtc;
    f.cfFormat = cfFormat;
    if (f.tymed == 0) f.tymed = tymed;
    f.ptd = NULL;  // target devices are not kept
    return f;
  }
  FORMATETC f = {cfFormat, NULL, DVASPECT_CONTENT, -1, tymed};
  return f;
}

BOOL SameFormat(const FORMATETC& a, const FORMATETC& b) {
  return a.cfFormat == b.cfFormat && a.dwAspect == b.dwAspect && a.lindex == b.lindex;
}

// Copies a global block into another the caller gave; FALSE when it does not fit.
BOOL CopyGlobalInto(HGLOBAL from, HGLOBAL into) {
  SIZE_T size = ::GlobalSize(from);
  if (size > ::GlobalSize(into)) return FALSE;
  void* src = ::GlobalLock(from);
  void* dst = ::GlobalLock(into);
  BOOL ok = src != NULL && dst != NULL;
  if (ok) memcpy(dst, src, size);
  if (dst) ::GlobalUnlock(into);
  if (src) ::GlobalUnlock(from);
  return ok;
}

// The last source this process put on the clipboard; the clipboard's reference keeps it alive
// while it is there, and its destructor clears this.
COleDataSource* volatile g_clipboardSource = NULL;

}  // namespace

BEGIN_INTERFACE_MAP(COleDataSource, CCmdTarget)
  INTERFACE_PART(COleDataSource, IID_IDataObject, DataObject)
END_INTERFACE_MAP()
IMPLEMENT_PART_IUNKNOWN(COleDataSource, DataObject)

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource() {
  ::InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&g_clipboardSource), NULL, this);
  Empty();
}

COleDataSource::Entry* COleDataSource::Find(const FORMATETC& format, BOOL bExactTymed) {
  for (Entry& e : m_entries) {
    if (!SameFormat(e.format, format)) continue;
    if (bExactTymed ? e.format.tymed == format.tymed : (e.format.tymed & format.tymed) != 0) return &e;
  }
  return NULL;
}

COleDataSource::Entry& COleDataSource::Prepare(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed) {
  FORMATETC f = MakeFormat(cfFormat, lpFormatEtc, tymed);
  if (Entry* e = Find(f, FALSE)) {
    if (e->medium.tymed != TYMED_NULL) ::ReleaseStgMedium(&e->medium);
    e->format = f;
    e->medium = STGMEDIUM{};
    return *e;
  }
  m_entries.push_back(Entry{f, STGMEDIUM{}});
  return m_entries.back();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
  STGMEDIUM medium = {};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = hGlobal;
  CacheData(cfFormat, &medium, lpFormatEtc);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  ASSERT(lpStgMedium != NULL && lpStgMedium->tymed != TYMED_NULL);
  if (lpStgMedium == NULL) return;
  Entry& e = Prepare(cfFormat, lpFormatEtc, lpStgMedium->tymed);
  e.format.tymed = lpStgMedium->tymed;
  e.medium = *lpStgMedium;
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  Prepare(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
}

void COleDataSource::Empty() {
  for (Entry& e : m_entries)
    if (e.medium.tymed != TYMED_NULL) ::ReleaseStgMedium(&e.medium);
  m_entries.clear();
}

BOOL COleDataSource::IsOffered(CLIPFORMAT cfFormat) const {
  for (const Entry& e : m_entries)
    if (e.format.cfFormat == cfFormat) return TRUE;
  return FALSE;
}

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  if (!(lpFormatEtc->tymed & TYMED_HGLOBAL)) return FALSE;
  HGLOBAL given = lpStgMedium->tymed == TYMED_HGLOBAL ? lpStgMedium->hGlobal : NULL;
  HGLOBAL h = given;
  if (!OnRenderGlobalData(lpFormatEtc, &h) || h == NULL) return FALSE;
  if (given != NULL && h != given) {
    // The renderer made a block of its own: the reader wants its block filled.
    BOOL ok = CopyGlobalInto(h, given);
    ::GlobalFree(h);
    if (!ok) return FALSE;
    h = given;
  }
  lpStgMedium->tymed = TYMED_HGLOBAL;
  lpStgMedium->hGlobal = h;
  lpStgMedium->pUnkForRelease = NULL;
  return TRUE;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*) { return FALSE; }

HRESULT COleDataSource::Render(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  Entry* e = Find(*lpFormatEtc, FALSE);
  if (e == NULL) return DV_E_FORMATETC;
  if (e->medium.tymed == TYMED_NULL) {
    FORMATETC f = *lpFormatEtc;
    f.tymed &= e->format.tymed;
    return OnRenderData(&f, lpStgMedium) ? S_OK : DV_E_FORMATETC;
  }
  // A cached medium: the reader gets its own copy, so that releasing it never frees ours.
  const STGMEDIUM& m = e->medium;
  if (m.tymed == TYMED_ISTREAM || m.tymed == TYMED_ISTORAGE) {
    *lpStgMedium = m;
    if (m.pstm != NULL) m.pstm->AddRef();
    lpStgMedium->pUnkForRelease = NULL;
    return S_OK;
  }
  HANDLE copy = ::OleDuplicateData(m.hGlobal, e->format.cfFormat, GMEM_MOVEABLE);
  if (copy == NULL) return E_OUTOFMEMORY;
  lpStgMedium->tymed = m.tymed;
  lpStgMedium->hGlobal = static_cast<HGLOBAL>(copy);
  lpStgMedium->pUnkForRelease = NULL;
  return S_OK;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource) {
  COleDropSource defaultSource;
  COleDropSource* source = pDropSource != NULL ? pDropSource : &defaultSource;
  if (lpRectStartDrag != NULL) source->m_rectStartDrag = *lpRectStartDrag;
  if (source->m_dwButtonDrop == 0) {
    bool right = ::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0;
    source->m_dwButtonDrop = right ? MK_RBUTTON : MK_LBUTTON;
    source->m_dwButtonCancel = right ? MK_LBUTTON : MK_RBUTTON;
  }
  if (!source->OnBeginDrag(NULL)) return DROPEFFECT_NONE;
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = ::DoDragDrop(&m_xDataObject, &source->m_xDropSource, dwEffects, &effect);
  return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

void COleDataSource::SetClipboard() {
  HRESULT hr = ::OleSetClipboard(&m_xDataObject);
  if (FAILED(hr)) AfxThrowOleException(hr);
  g_clipboardSource = this;
}

void PASCAL COleDataSource::FlushClipboard() {
  if (GetClipboardOwner() != NULL) ::OleFlushClipboard();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner() {
  COleDataSource* owner = g_clipboardSource;
  if (owner == NULL || ::OleIsCurrentClipboard(&owner->m_xDataObject) != S_OK) return NULL;
  return owner;
}

STDMETHODIMP COleDataSource::XDataObject::GetData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (lpFormatEtc == NULL || lpStgMedium == NULL) return E_INVALIDARG;
  *lpStgMedium = STGMEDIUM{};
  return fw::GuardedCall([&] { return pThis->Render(lpFormatEtc, lpStgMedium); });
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (lpFormatEtc == NULL || lpStgMedium == NULL) return E_INVALIDARG;
  if (lpStgMedium->tymed != TYMED_HGLOBAL || lpStgMedium->hGlobal == NULL) return DV_E_TYMED;
  Entry* e = pThis->Find(*lpFormatEtc, FALSE);
  if (e == NULL) return DV_E_FORMATETC;
  return fw::GuardedCall([&]() -> HRESULT {
    if (e->medium.tymed == TYMED_HGLOBAL)
      return CopyGlobalInto(e->medium.hGlobal, lpStgMedium->hGlobal) ? S_OK : STG_E_MEDIUMFULL;
    if (e->medium.tymed != TYMED_NULL) return DV_E_TYMED;
    STGMEDIUM m = *lpStgMedium;
    FORMATETC f = *lpFormatEtc;
    f.tymed = TYMED_HGLOBAL;
    return pThis->OnRenderData(&f, &m) ? S_OK : DV_E_FORMATETC;
  });
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(LPFORMATETC lpFormatEtc) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (lpFormatEtc == NULL) return E_INVALIDARG;
  return pThis->Find(*lpFormatEtc, FALSE) != NULL ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(LPFORMATETC, LPFORMATETC lpOut) {
  if (lpOut != NULL) lpOut->ptd = NULL;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(LPFORMATETC, LPSTGMEDIUM, BOOL) { return E_NOTIMPL; }

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, LPENUMFORMATETC* ppEnum) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (ppEnum == NULL) return E_INVALIDARG;
  *ppEnum = NULL;
  if (dwDirection != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> formats;
  formats.reserve(pThis->m_entries.size());
  for (const Entry& e : pThis->m_entries) formats.push_back(e.format);
  return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(LPFORMATETC, DWORD, LPADVISESINK, LPDWORD) {
  return OLE_E_ADVISENOTSUPPORTED;
}
STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(LPENUMSTATDATA*) { return OLE_E_ADVISENOTSUPPORTED; }
