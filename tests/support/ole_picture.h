// A data object offering one packed DIB (CF_DIB): what a static OLE picture is made from in
// the tests. Header only: the test programs that use it link ole32.
#pragma once
#include <ole2.h>
#include <string.h>

namespace testing_support {

class PictureData : public IDataObject {
 public:
  // Takes the block (freed with the object).
  explicit PictureData(HGLOBAL dib) : m_dib(dib) {}
  virtual ~PictureData() { GlobalFree(m_dib); }
  PictureData(const PictureData&) = delete;
  PictureData& operator=(const PictureData&) = delete;

  // A 32-bit DIB of size x size pixels: white with a square of `colour` inset by a quarter
  // on each side.
  static HGLOBAL Square(int size, COLORREF colour) {
    const SIZE_T bytes = sizeof(BITMAPINFOHEADER) + static_cast<SIZE_T>(size) * size * 4;
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    BYTE* p = static_cast<BYTE*>(GlobalLock(g));
    BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(p);
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = size;
    h->biHeight = size;
    h->biPlanes = 1;
    h->biBitCount = 32;
    DWORD* px = reinterpret_cast<DWORD*>(p + sizeof(BITMAPINFOHEADER));
    const DWORD in = (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | GetBValue(colour);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const bool inside = x >= size / 4 && x < size - size / 4 && y >= size / 4 && y < size - size / 4;
        px[y * size + x] = inside ? in : 0xFFFFFF;
      }
    GlobalUnlock(g);
    return g;
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_refs; }  // owned by the test
  STDMETHODIMP GetData(FORMATETC* fmt, STGMEDIUM* medium) override {
    if (QueryGetData(fmt) != S_OK) return DV_E_FORMATETC;
    const SIZE_T size = GlobalSize(m_dib);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == NULL) return E_OUTOFMEMORY;
    memcpy(GlobalLock(copy), GlobalLock(m_dib), size);
    GlobalUnlock(copy);
    GlobalUnlock(m_dib);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = NULL;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* fmt) override {
    return fmt != NULL && fmt->cfFormat == CF_DIB && (fmt->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  ULONG refs() const { return m_refs; }

 private:
  HGLOBAL m_dib;
  ULONG m_refs = 1;
};

}  // namespace testing_support
