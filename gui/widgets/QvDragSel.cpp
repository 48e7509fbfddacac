// The portable dragged or copied selection: items and their formats, positions and actions,
// the source side's offer through its data source and the target side's reading of the data.
#include "QvDragDrop.h"
#include "UIDragShared.h"

QV_IMPLEMENT_CLASS(QvRootDragSel, QV_RUNTIME_CLASS(QvFirst))
QV_IMPLEMENT_CLASS(QvDragSel, QV_RUNTIME_CLASS(QvRootDragSel))

namespace {

UIDragLiveSelections<QvDragSel>& Live() {
  static UIDragLiveSelections<QvDragSel> live;
  return live;
}

// Item formats as the shared routines read them.
struct ItemFormats {
  static size_t Count(const QvRootDragSel::ItemRecord& item) { return static_cast<size_t>(item.formats.GetSize()); }
  static const UIDragFormatRecord& At(const QvRootDragSel::ItemRecord& item, size_t i) {
    return *static_cast<const UIDragFormatRecord*>(item.formats[static_cast<long>(i)]);
  }
};

}  // namespace

// QvRootDragSel

QvRootDragSel::QvRootDragSel(QvDragSource* source) : m_pSource(source) { ItemOne(); }

QvRootDragSel::~QvRootDragSel() {
  for (long i = 0; i < m_items.GetSize(); ++i) {
    auto* item = static_cast<ItemRecord*>(m_items[i]);
    for (long f = 0; f < item->formats.GetSize(); ++f) delete static_cast<FormatRecord*>(item->formats[f]);
    delete item;
  }
  m_items.RemoveAll();
}

QvRootDragSel::ItemRecord* QvRootDragSel::FindItem(DWORD id) {
  for (long i = 0; i < m_items.GetSize(); ++i) {
    auto* item = static_cast<ItemRecord*>(m_items[i]);
    if (item->id == id) return item;
  }
  return NULL;
}

QvRootDragSel::ItemRecord* QvRootDragSel::ItemOne() {
  if (ItemRecord* one = FindItem(1)) return one;
  auto* one = new ItemRecord;
  one->id = 1;
  m_items.Add(one);
  return one;
}

void QvRootDragSel::AppendFormat(ItemRecord* item, DWORD tag, DWORD size) {
  item->formats.Add(new FormatRecord{tag, size});
}

int QvRootDragSel::CountItems() { return static_cast<int>(m_items.GetSize()); }

DWORD QvRootDragSel::GetDragItem(WORD index) {
  return index < m_items.GetSize() ? static_cast<ItemRecord*>(m_items[index])->id : 0;
}

bool QvRootDragSel::AddFormat(DWORD tag, DWORD size, void* data) {
  if (size > kUIDragSizeLimit) return false;
  ItemRecord* one = ItemOne();
  if (UIDragFormatPosition<ItemFormats>(*one, tag) >= 0) return true;
  AppendFormat(one, tag, size);
  if (AddFormatAndData(tag, size, data)) return true;
  const long last = one->formats.GetSize() - 1;
  delete static_cast<FormatRecord*>(one->formats[last]);
  one->formats.RemoveAt(last);
  return false;
}

int QvRootDragSel::CountFormats(DWORD item) {
  const ItemRecord* it = FindItem(item);
  return it != NULL ? static_cast<int>(it->formats.GetSize()) : 0;
}

DWORD QvRootDragSel::GetDragFormat(WORD index, DWORD item) {
  const ItemRecord* it = FindItem(item);
  return it != NULL && index < it->formats.GetSize() ? static_cast<FormatRecord*>(it->formats[index])->tag : 0;
}

long QvRootDragSel::GetDataSize(DWORD tag, DWORD item) { return FetchData(tag, NULL, item); }

long QvRootDragSel::FetchData(DWORD tag, void* buffer, DWORD item) {
  return UIDragFetchData<ItemFormats>(this, static_cast<QvDragSel*>(this), FindItem(item), tag, buffer, item);
}

void QvRootDragSel::SetPositionAtDrag(const QvPoint& point) {
  m_ptAtDrag = point;
  m_positionFlags |= 1;
}
bool QvRootDragSel::GetPositionAtDrag(QvPoint& point) {
  point = m_ptAtDrag;
  return (m_positionFlags & 1) != 0;
}
void QvRootDragSel::SetPosition(const QvPoint& point) {
  m_pt = point;
  m_positionFlags |= 4;
}
bool QvRootDragSel::GetPosition(QvPoint& point) {
  point = m_pt;
  return (m_positionFlags & 4) != 0;
}
void QvRootDragSel::SetPositionAtDrop(const QvPoint& point) {
  m_ptAtDrop = point;
  m_positionFlags |= 2;
}
bool QvRootDragSel::GetPositionAtDrop(QvPoint& point) {
  point = m_ptAtDrop;
  return (m_positionFlags & 2) != 0;
}

QvDragSource* QvRootDragSel::GetSourceSite() { return m_pSource; }
void QvRootDragSel::SetSwapSel(QvDragSel* other) { m_pSwapSel = other; }
QvDragSel* QvRootDragSel::GetSwapSel() { return m_pSwapSel; }
bool QvRootDragSel::AddFormatAndData(DWORD, DWORD, void*) { return true; }
long QvRootDragSel::GetSizeAndData(DWORD, void*, DWORD, DWORD) { return -1; }

// QvDragSel

void QvDragSel::RegisterDragDropFormats() {
  UIDragRtfFormat();
  UIDragTreeListFormat();
}

CLIPFORMAT QvDragSel::GetStandardWinFormat(DWORD tag) { return UIDragStandardFormat(tag, false); }

DWORD QvDragSel::Win2QvFormat(CLIPFORMAT format) { return UIDragTagOfFormat(format, false); }

CLIPFORMAT QvDragSel::Qv2WinFormat(DWORD tag) { return UIDragClipFormat<ItemFormats>(tag, false, FindItem(1)); }

QvDragSel::QvDragSel(QvDragSource* source) : QvRootDragSel(source) {
  RegisterDragDropFormats();
  m_actionAtDrag = UIDragMove;
  m_pDataSource = new CGUIOleDataSource(this);
  m_pDataSource->DelayRenderData(kFormatRecords);
  m_pDataSource->DelayRenderData(kFormatDragInfo);
  Live().Add(this);
}

QvDragSel::QvDragSel(COleDataObject* data, int owns) : QvRootDragSel(NULL), m_pDataObject(data), m_ownsDataObject(owns) {
  RegisterDragDropFormats();
  if (m_pDataObject != NULL) ReadFormats();
}

QvDragSel::~QvDragSel() {
  Live().Remove(this);
  if (CGUIOleDataSource* source = m_pDataSource) {
    source->m_pSel = NULL;
    m_pDataSource = NULL;
    // Whoever still holds the data (the clipboard, a drag) keeps it; it renders nothing more.
    source->InternalRelease();
  }
  if (m_ownsDataObject) delete m_pDataObject;
  m_pDataObject = NULL;
}

void QvDragSel::ReadFormats() {
  ItemRecord* one = ItemOne();
  for (const FormatRecord& r : UIDragOfferedFormats(m_pDataObject, &m_info, &m_infoState, false))
    AppendFormat(one, r.tag, r.size);
}

const UIDragInfoRecord* QvDragSel::DragInfo() { return UIDragCachedInfo(m_pDataObject, &m_info, &m_infoState); }

QvDragSel* QvDragSel::SourceSelection() {
  const UIDragInfoRecord* info = DragInfo();
  if (info == NULL || m_pDataObject == NULL || m_pDataObject->m_lpDataObject == NULL) return NULL;
  // The data read here must be that selection's own: the same object in a drag within the
  // process, or a clipboard this process filled.
  const bool ourClipboard = m_fromClipboard && UIDragClipboardFilledHere();
  return Live().Find(info->selection, m_pDataObject->m_lpDataObject, ourClipboard,
                     [](QvDragSel* s) -> LPUNKNOWN {
                       return s->m_pDataSource != NULL ? s->m_pDataSource->GetInterface(&IID_IDataObject) : NULL;
                     });
}

void QvDragSel::AddVisualEffectRect(const QvRect&) {}

UIDragAction QvDragSel::ModifierKeysAtDrag() {
  if (m_pDataSource == NULL)
    if (const UIDragInfoRecord* info = DragInfo())
      if (info->action <= UIDragLink) return static_cast<UIDragAction>(info->action);
  return m_actionAtDrag;
}
UIDragAction QvDragSel::ModifierKeys() { return m_action; }
UIDragAction QvDragSel::ModifierKeysAtDrop() { return m_actionAtDrop; }

bool QvDragSel::GetPositionAtDrag(QvPoint& point) {
  if (m_pDataSource == NULL && m_ptAtDrag.x == 0 && m_ptAtDrag.y == 0) {
    if (const UIDragInfoRecord* info = DragInfo()) {
      m_ptAtDrag = QvPoint(info->x, info->y);
      m_positionFlags |= 1;
    }
    point = m_ptAtDrag;
    return true;
  }
  return QvRootDragSel::GetPositionAtDrag(point);
}

QvDragSource* QvDragSel::GetSourceSite() {
  if (m_pDataSource != NULL || m_pDataObject == NULL) return m_pSource;
  QvDragSel* source = SourceSelection();
  return source != NULL ? source->m_pSource : NULL;
}

void QvDragSel::SetSwapSel(QvDragSel* other) {
  if (m_pDataObject != NULL && m_pDataSource == NULL) {
    QvDragSel* source = SourceSelection();
    if (source != NULL && source != this) {
      source->SetSwapSel(other);
      if (other != NULL && other->m_pDataSource != NULL && other->m_pDataObject == NULL) {
        // The source reads the swapped-in data through a data object of its own.
        other->m_pDataObject = UIDragDataObjectOf(other->m_pDataSource);
        other->m_ownsDataObject = 1;
      }
    }
  }
  m_pSwapSel = other;
}

bool QvDragSel::AddFormatAndData(DWORD tag, DWORD size, void* data) {
  if (m_pDataSource == NULL) return true;  // the target side only lists what the data offers
  CLIPFORMAT cf = Qv2WinFormat(tag);
  if (cf == 0) return false;
  if (data == NULL) {
    m_pDataSource->DelayRenderData(cf);
    return true;
  }
  HGLOBAL h = UIDragDataBlock(tag, size, data);
  if (h == NULL) return false;
  m_pDataSource->CacheGlobalData(cf, h);
  return true;
}

long QvDragSel::GetSizeAndData(DWORD tag, void* buffer, DWORD size, DWORD) {
  return UIDragReadFormatData(m_pDataObject, m_pDataSource, Qv2WinFormat(tag), buffer, size, 1);
}
