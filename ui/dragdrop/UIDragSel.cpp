// The dragged or copied selection: items and their formats, positions and actions, the source
// side's offer through its data source and the target side's reading of the data.

#include "UIDragDrop.h"
#include "UIDragShared.h"

namespace {

UIDragLiveSelections<UIDragSel>& Live() {
  static UIDragLiveSelections<UIDragSel> live;
  return live;
}

// Item formats as the shared routines read them.
struct ItemFormats {
  static size_t Count(const UIDragSel::Item& item) { return item.formats.size(); }
  static const UIDragFormatRecord& At(const UIDragSel::Item& item, size_t i) { return item.formats[i]; }
};

}  // namespace

UIDragSel::UIDragSel(UIDragSource* site) : m_pSite(site) {
  m_items.push_back(Item{1, {}});
  RegisterDragDropFormats();
  m_pDataSource = new UIOleDataSource(this);
  m_pDataSource->DelayRenderData(kFormatRecords);
  m_pDataSource->DelayRenderData(kFormatDragInfo);
  Live().Add(this);
}

UIDragSel::UIDragSel(COleDataObject* data, BOOL bOwns) : m_pDataObject(data), m_bOwnsDataObject(bOwns) {
  m_items.push_back(Item{1, {}});
  RegisterDragDropFormats();
  if (m_pDataObject != NULL) ReadFormats();
}

UIDragSel::~UIDragSel() {
  Live().Remove(this);
  if (UIOleDataSource* source = m_pDataSource) {
    source->m_pSel = NULL;
    m_pDataSource = NULL;
    // Whoever still holds the data (the clipboard, a drag) keeps it; it renders nothing more.
    source->InternalRelease();
  }
  if (m_bOwnsDataObject) delete m_pDataObject;
  m_pDataObject = NULL;
}

void UIDragSel::ReadFormats() { ItemOne().formats = UIDragOfferedFormats(m_pDataObject, &m_info, &m_infoState, true); }

const UIDragInfoRecord* UIDragSel::DragInfo() { return UIDragCachedInfo(m_pDataObject, &m_info, &m_infoState); }

UIDragSel* UIDragSel::SourceSelection() {
  const UIDragInfoRecord* info = DragInfo();
  if (info == NULL || m_pDataObject == NULL || m_pDataObject->m_lpDataObject == NULL) return NULL;
  // The data read here must be that selection's own: the same object in a drag within the
  // process, or a clipboard this process filled.
  const bool ourClipboard = m_bFromClipboard && UIDragClipboardFilledHere();
  return Live().Find(info->selection, m_pDataObject->m_lpDataObject, ourClipboard,
                     [](UIDragSel* s) -> LPUNKNOWN {
                       return s->m_pDataSource != NULL ? s->m_pDataSource->GetInterface(&IID_IDataObject) : NULL;
                     });
}

UIDragSel::Item* UIDragSel::FindItem(DWORD id) {
  for (Item& item : m_items)
    if (item.id == id) return &item;
  return NULL;
}

UIDragSel::Item& UIDragSel::ItemOne() {
  if (Item* one = FindItem(1)) return *one;
  m_items.push_back(Item{1, {}});
  return m_items.back();
}

void UIDragSel::AddVisualEffectRect(const CRect&) {}

UIDragAction UIDragSel::ModifierKeysAtDrag() {
  if (m_pDataSource == NULL)
    if (const UIDragInfoRecord* info = DragInfo())
      if (info->action <= UIDragLink) return static_cast<UIDragAction>(info->action);
  return m_actionAtDrag;
}
UIDragAction UIDragSel::ModifierKeys() { return m_action; }
UIDragAction UIDragSel::ModifierKeysAtDrop() { return m_actionAtDrop; }

UIDragSource* UIDragSel::GetSourceSite() {
  if (m_pDataSource != NULL || m_pDataObject == NULL) return m_pSite;
  UIDragSel* source = SourceSelection();
  return source != NULL ? source->m_pSite : NULL;
}

void UIDragSel::SetSwapSel(UIDragSel* other) {
  if (m_pDataObject != NULL && m_pDataSource == NULL) {
    UIDragSel* source = SourceSelection();
    if (source != NULL && source != this) {
      source->SetSwapSel(other);
      if (other != NULL && other->m_pDataSource != NULL && other->m_pDataObject == NULL) {
        // The source reads the swapped-in data through a data object of its own.
        other->m_pDataObject = UIDragDataObjectOf(other->m_pDataSource);
        other->m_bOwnsDataObject = TRUE;
      }
    }
  }
  m_pSwapSel = other;
}

int UIDragSel::CountItems() { return static_cast<int>(m_items.size()); }

DWORD UIDragSel::GetDragItem(WORD index) { return index < m_items.size() ? m_items[index].id : 0; }

BOOL UIDragSel::AddFormat(DWORD tag, DWORD size, void* data) {
  if (size > kUIDragSizeLimit) return FALSE;
  Item& one = ItemOne();
  if (UIDragFormatPosition<ItemFormats>(one, tag) >= 0) return TRUE;
  one.formats.push_back(FormatRecord{tag, size});
  if (AddFormatAndData(tag, size, data)) return TRUE;
  one.formats.pop_back();
  return FALSE;
}

int UIDragSel::CountFormats(DWORD item) {
  const Item* it = FindItem(item);
  return it != NULL ? static_cast<int>(it->formats.size()) : 0;
}

DWORD UIDragSel::GetDragFormat(WORD index, DWORD item) {
  const Item* it = FindItem(item);
  return it != NULL && index < it->formats.size() ? it->formats[index].tag : 0;
}

long UIDragSel::GetDataSize(DWORD tag, DWORD item) { return FetchData(tag, NULL, item); }

long UIDragSel::FetchData(DWORD tag, void* buffer, DWORD item) {
  return UIDragFetchData<ItemFormats>(this, this, FindItem(item), tag, buffer, item);
}

CLIPFORMAT UIDragSel::Qv2WinFormat(DWORD tag) { return UIDragClipFormat<ItemFormats>(tag, true, FindItem(1)); }

void UIDragSel::SetPositionAtDrag(const CPoint& point) {
  m_ptAtDrag = point;
  m_positionFlags |= 1;
}
CPoint UIDragSel::GetPositionAtDrag() {
  if (m_pDataSource == NULL)
    if (const UIDragInfoRecord* info = DragInfo()) return CPoint(info->x, info->y);
  return m_ptAtDrag;
}
void UIDragSel::SetPosition(const CPoint& point) {
  m_pt = point;
  m_positionFlags |= 4;
}
CPoint UIDragSel::GetPosition() { return m_pt; }
void UIDragSel::SetPositionAtDrop(const CPoint& point) {
  m_ptAtDrop = point;
  m_positionFlags |= 2;
}
CPoint UIDragSel::GetPositionAtDrop() { return m_ptAtDrop; }

BOOL UIDragSel::AddFormatAndData(DWORD tag, DWORD size, void* data) {
  if (m_pDataSource == NULL) return TRUE;  // the target side only lists what the data offers
  CLIPFORMAT cf = Qv2WinFormat(tag);
  if (cf == 0) return FALSE;
  if (data == NULL) {
    m_pDataSource->DelayRenderData(cf);
    return TRUE;
  }
  HGLOBAL h = NULL;
  if (tag == kTagUnicode) {
    // Given as UTF-8; offered as UTF-16 and recorded in characters, as readers count it.
    int chars = size == 0 ? 0 : ::MultiByteToWideChar(CP_UTF8, 0, static_cast<const char*>(data), static_cast<int>(size), NULL, 0);
    if (size != 0 && chars == 0) return FALSE;
    h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (static_cast<SIZE_T>(chars) + 1) * sizeof(wchar_t));
    if (h == NULL) return FALSE;
    if (chars > 0) {
      ::MultiByteToWideChar(CP_UTF8, 0, static_cast<const char*>(data), static_cast<int>(size),
                            static_cast<wchar_t*>(::GlobalLock(h)), chars);
      ::GlobalUnlock(h);
    }
    for (FormatRecord& r : ItemOne().formats)
      if (r.tag == tag) r.size = static_cast<DWORD>(chars);
  } else {
    h = UIDragDataBlock(tag, size, data);
    if (h == NULL) return FALSE;
  }
  m_pDataSource->CacheGlobalData(cf, h);
  return TRUE;
}

long UIDragSel::GetSizeAndData(DWORD tag, void* buffer, DWORD size, DWORD) {
  return UIDragReadFormatData(m_pDataObject, m_pDataSource, Qv2WinFormat(tag), buffer, size, UIDragTagUnit(tag));
}
