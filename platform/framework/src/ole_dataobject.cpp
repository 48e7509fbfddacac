// COleDataObject: reading a drop's or the clipboard's IDataObject.
#include <string.h>

#include "fw_oledata.h"

COleDataObject::~COleDataObject() { Release(); }

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  LPDATAOBJECT p = m_lpDataObject;
  if (m_lpEnumerator != NULL) {
    m_lpEnumerator->Release();
    m_lpEnumerator = NULL;
  }
  m_lpDataObject = NULL;
  m_bClipboard = FALSE;
  return p;
}

void COleDataObject::Release() {
  if (m_lpEnumerator != NULL) {
    m_lpEnumerator->Release();
    m_lpEnumerator = NULL;
  }
  if (m_lpDataObject != NULL && m_bAutoRelease) m_lpDataObject->Release();
  m_lpDataObject = NULL;
  m_bClipboard = FALSE;
}

BOOL COleDataObject::AttachClipboard() {
  Release();
  LPDATAOBJECT data = NULL;
  if (FAILED(::OleGetClipboard(&data)) || data == NULL) return FALSE;
  Attach(data, TRUE);
  m_bClipboard = TRUE;
  return TRUE;
}

HGLOBAL COleDataObject::ReadClipboardDirectly(CLIPFORMAT cfFormat) {
  if (!::IsClipboardFormatAvailable(cfFormat) || !::OpenClipboard(NULL)) return NULL;
  HGLOBAL copy = NULL;
  if (HANDLE h = ::GetClipboardData(cfFormat)) {
    SIZE_T size = ::GlobalSize(h);
    const void* from = size > 0 ? ::GlobalLock(h) : NULL;
    if (from != NULL) {
      copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
      if (copy != NULL) {
        memcpy(::GlobalLock(copy), from, size);
        ::GlobalUnlock(copy);
      }
      ::GlobalUnlock(h);
    }
  }
  ::CloseClipboard();
  return copy;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef) const {
  if (bAddRef && m_lpDataObject != NULL) m_lpDataObject->AddRef();
  return m_lpDataObject;
}

void COleDataObject::BeginEnumFormats() {
  if (m_lpEnumerator != NULL) {
    m_lpEnumerator->Release();
    m_lpEnumerator = NULL;
  }
  if (m_lpDataObject != NULL && FAILED(m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator)))
    m_lpEnumerator = NULL;
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc) {
  if (m_lpEnumerator == NULL || lpFormatEtc == NULL) return FALSE;
  ULONG fetched = 0;
  if (m_lpEnumerator->Next(1, lpFormatEtc, &fetched) != S_OK || fetched != 1) return FALSE;
  // The target device belongs to the caller now; readers here never use it.
  if (lpFormatEtc->ptd != NULL) {
    ::CoTaskMemFree(lpFormatEtc->ptd);
    lpFormatEtc->ptd = NULL;
  }
  return TRUE;
}

namespace {
FORMATETC Wanted(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed) {
  if (lpFormatEtc != NULL) {
    FORMATETC f = *lpFormatEtc;
    f.cfFormat = cfFormat;
    if (f.tymed == 0) f.tymed = tymed;
    return f;
  }
  FORMATETC f = {cfFormat, NULL, DVASPECT_CONTENT, -1, tymed};
  return f;
}
}  // namespace

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == NULL) return FALSE;
  FORMATETC f = Wanted(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI |
                                                  TYMED_MFPICT | TYMED_ENHMF | TYMED_FILE);
  return m_lpDataObject->QueryGetData(&f) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == NULL || lpStgMedium == NULL) return FALSE;
  FORMATETC f = Wanted(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI |
                                                  TYMED_MFPICT | TYMED_ENHMF | TYMED_FILE);
  *lpStgMedium = STGMEDIUM{};
  if (SUCCEEDED(m_lpDataObject->GetData(&f, lpStgMedium))) return TRUE;
  *lpStgMedium = STGMEDIUM{};
  if (m_bClipboard && (f.tymed & TYMED_HGLOBAL)) {
    if (HGLOBAL h = ReadClipboardDirectly(cfFormat)) {
      lpStgMedium->tymed = TYMED_HGLOBAL;
      lpStgMedium->hGlobal = h;
      return TRUE;
    }
  }
  return FALSE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == NULL) return NULL;
  FORMATETC f = Wanted(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
  f.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium = {};
  if (FAILED(m_lpDataObject->GetData(&f, &medium))) return m_bClipboard ? ReadClipboardDirectly(cfFormat) : NULL;
  if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == NULL) {
    ::ReleaseStgMedium(&medium);
    return NULL;
  }
  if (medium.pUnkForRelease == NULL) return medium.hGlobal;
  // The data keeps the block: give the caller a copy of its own.
  HGLOBAL copy = static_cast<HGLOBAL>(::OleDuplicateData(medium.hGlobal, cfFormat, GMEM_MOVEABLE));
  ::ReleaseStgMedium(&medium);
  return copy;
}
