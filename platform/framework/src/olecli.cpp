#include "fw_olecli.h"

COleClientItem::COleClientItem()
    : m_lpObject(NULL), m_nItemState(emptyState), m_nDrawAspect(DVASPECT_CONTENT), m_lpStorage(NULL) {}

COleClientItem::~COleClientItem() { Release(); }

namespace {

// The picture class of a static item of this format.
bool PictureClass(CLIPFORMAT format, CLSID* clsid, DWORD* tymed) {
  switch (format) {
    case CF_ENHMETAFILE:
      *clsid = CLSID_Picture_EnhMetafile;
      *tymed = TYMED_ENHMF;
      return true;
    case CF_METAFILEPICT:
      *clsid = CLSID_Picture_Metafile;
      *tymed = TYMED_MFPICT;
      return true;
    case CF_DIB:
      *clsid = CLSID_Picture_Dib;
      *tymed = TYMED_HGLOBAL;
      return true;
  }
  return false;
}

template <class I>
struct Ref {
  I* p = NULL;
  ~Ref() {
    if (p != NULL) p->Release();
  }
  void** out() { return reinterpret_cast<void**>(&p); }
};

}  // namespace

BOOL COleClientItem::CreateStaticFromData(LPDATAOBJECT data, CLIPFORMAT format) {
  CLSID clsid;
  FORMATETC fmt = {format, NULL, DVASPECT_CONTENT, -1, 0};
  if (data == NULL || !PictureClass(format, &clsid, &fmt.tymed)) return FALSE;
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&fmt, &medium))) return FALSE;
  // The picture object: OLE's default handler over a cache holding the picture, in a
  // temporary storage of its own.
  Ref<IStorage> storage;
  Ref<IOleObject> object;
  Ref<IPersistStorage> persist;
  Ref<IOleCache> cache;
  DWORD connection = 0;
  const bool made =
      SUCCEEDED(StgCreateDocfile(NULL, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                                 0, &storage.p)) &&
      SUCCEEDED(OleCreateDefaultHandler(clsid, NULL, IID_IOleObject, object.out())) &&
      SUCCEEDED(object.p->QueryInterface(IID_IPersistStorage, persist.out())) &&
      SUCCEEDED(persist.p->InitNew(storage.p)) &&
      SUCCEEDED(object.p->QueryInterface(IID_IOleCache, cache.out())) &&
      SUCCEEDED(cache.p->Cache(&fmt, ADVF_PRIMEFIRST, &connection)) &&
      SUCCEEDED(cache.p->SetData(&fmt, &medium, TRUE));
  if (!made) {
    ReleaseStgMedium(&medium);  // SetData took it only when it succeeded
    return FALSE;
  }
  Release();
  m_lpObject = object.p;
  object.p = NULL;
  m_lpStorage = storage.p;
  storage.p = NULL;
  m_nItemState = loadedState;
  return TRUE;
}

void COleClientItem::Release() {
  if (m_lpObject != NULL) {
    m_lpObject->Close(OLECLOSE_NOSAVE);
    m_lpObject->Release();
    m_lpObject = NULL;
  }
  if (m_lpStorage != NULL) {
    m_lpStorage->Release();
    m_lpStorage = NULL;
  }
  m_nItemState = emptyState;
}

BOOL COleClientItem::Draw(CDC* dc, LPCRECT bounds, DVASPECT aspect) {
  if (m_lpObject == NULL || dc == NULL || bounds == NULL) return FALSE;
  if (aspect == static_cast<DVASPECT>(-1)) aspect = m_nDrawAspect;
  return SUCCEEDED(OleDraw(m_lpObject, aspect, dc->m_hDC, bounds));
}
