// The portable dragged or copied selection: items and their formats, positions and actions,
// the source side's offer through its data source and the target side's reading of the data.
#include <string.h>

#include <algorithm>
#include <vector>

#include "QvDragDrop.h"

QV_IMPLEMENT_CLASS(QvRootDragSel, QV_RUNTIME_CLASS(QvFirst))
QV_IMPLEMENT_CLASS(QvDragSel, QV_RUNTIME_CLASS(QvRootDragSel))

namespace {

// Source-side selections alive in this process. A target trusts the selection address of a
// drag information record only when it names one of these whose own data it is reading.
SRWLOCK g_liveLock = SRWLOCK_INIT;
std::vector<QvDragSel*>& LiveSelections() {
  static std::vector<QvDragSel*> live;
  return live;
}

void AddLive(QvDragSel* sel) {
  ::AcquireSRWLockExclusive(&g_liveLock);
  LiveSelections().push_back(sel);
  ::ReleaseSRWLockExclusive(&g_liveLock);
}

void RemoveLive(QvDragSel* sel) {
  ::AcquireSRWLockExclusive(&g_liveLock);
  auto& live = LiveSelections();
  live.erase(std::remove(live.begin(), live.end(), sel), live.end());
  ::ReleaseSRWLockExclusive(&g_liveLock);
}

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
  ItemRecord* one = ItemOne();
  for (long f = 0; f < one->formats.GetSize(); ++f)
    if (static_cast<FormatRecord*>(one->formats[f])->tag == tag) return true;
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
  const ItemRecord* it = FindItem(item);
  if (it == NULL) return -1;
  const FormatRecord* rec = NULL;
  for (long f = it->formats.GetSize() - 1; f >= 0 && rec == NULL; --f)
    if (static_cast<FormatRecord*>(it->formats[f])->tag == tag) rec = static_cast<FormatRecord*>(it->formats[f]);
  if (rec == NULL) return -1;
  if (buffer == NULL) return static_cast<long>(rec->size);
  long got = GetSizeAndData(tag, buffer, rec->size, item);
  if (got == -1)
    if (QvDragSource* source = GetSourceSite()) got = source->GetData(static_cast<QvDragSel*>(this), tag, buffer);
  return got;
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

CLIPFORMAT QvDragSel::GetStandardWinFormat(DWORD tag) {
  switch (tag) {
    case kTagText:
      return CF_TEXT;
    case kTagDspText:
      return CF_DSPTEXT;
    case kTagRtf:
      return UIDragRtfFormat();
    case kTagTreeList:
      return UIDragTreeListFormat();
    default:
      return 0;
  }
}

DWORD QvDragSel::Win2QvFormat(CLIPFORMAT format) {
  if (format == 0) return kTagNone;
  if (format == CF_TEXT) return kTagText;
  if (format == CF_DSPTEXT) return kTagDspText;
  if (format == UIDragRtfFormat()) return kTagRtf;
  if (format == UIDragTreeListFormat()) return kTagTreeList;
  return kTagNone;
}

CLIPFORMAT QvDragSel::Qv2WinFormat(DWORD tag) {
  if (CLIPFORMAT cf = GetStandardWinFormat(tag)) return cf;
  const ItemRecord* one = FindItem(1);
  if (one == NULL) return 0;
  for (long f = 0; f < one->formats.GetSize(); ++f)
    if (static_cast<FormatRecord*>(one->formats[f])->tag == tag) return static_cast<CLIPFORMAT>(kFormatPrivateBase + f);
  return 0;
}

QvDragSel::QvDragSel(QvDragSource* source) : QvRootDragSel(source) {
  RegisterDragDropFormats();
  m_actionAtDrag = UIDragMove;
  m_pDataSource = new CGUIOleDataSource(this);
  m_pDataSource->DelayRenderData(kFormatRecords);
  m_pDataSource->DelayRenderData(kFormatDragInfo);
  AddLive(this);
}

QvDragSel::QvDragSel(COleDataObject* data, int owns) : QvRootDragSel(NULL), m_pDataObject(data), m_ownsDataObject(owns) {
  RegisterDragDropFormats();
  if (m_pDataObject != NULL) ReadFormats();
}

QvDragSel::~QvDragSel() {
  RemoveLive(this);
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
  if (m_pDataObject->IsDataAvailable(kFormatRecords)) {
    HGLOBAL h = m_pDataObject->GetGlobalData(kFormatRecords);
    if (h == NULL) return;
    // As many whole records as the block holds, and no more than the drag information says.
    size_t count = ::GlobalSize(h) / sizeof(FormatRecord);
    if (const UIDragInfoRecord* info = DragInfo()) count = std::min<size_t>(count, info->formats);
    if (const auto* records = static_cast<const FormatRecord*>(::GlobalLock(h))) {
      for (size_t i = 0; i < count; ++i) AppendFormat(one, records[i].tag, records[i].size);
      ::GlobalUnlock(h);
    }
    ::GlobalFree(h);
    return;
  }
  // Data of another application: each format with a tag, sized from its data.
  m_pDataObject->BeginEnumFormats();
  FORMATETC f;
  while (m_pDataObject->GetNextFormat(&f)) {
    DWORD tag = Win2QvFormat(f.cfFormat);
    if (tag == kTagNone) continue;
    bool listed = false;
    for (long i = 0; i < one->formats.GetSize(); ++i) listed |= static_cast<FormatRecord*>(one->formats[i])->tag == tag;
    if (listed) continue;
    HGLOBAL h = m_pDataObject->GetGlobalData(f.cfFormat);
    if (h == NULL) continue;
    AppendFormat(one, tag, UIDragMeasuredSize(h, UIDragIsTextTag(tag), 1));
    ::GlobalFree(h);
  }
}

const UIDragInfoRecord* QvDragSel::DragInfo() {
  if (m_infoState == 0) {
    m_infoState = 2;
    if (m_pDataObject != NULL && m_pDataObject->IsDataAvailable(kFormatDragInfo)) {
      if (HGLOBAL h = m_pDataObject->GetGlobalData(kFormatDragInfo)) {
        // A record shorter than its 24 bytes is not used at all.
        if (UIDragReadInfo(h, &m_info)) m_infoState = 1;
        ::GlobalFree(h);
      }
    }
  }
  return m_infoState == 1 ? &m_info : NULL;
}

QvDragSel* QvDragSel::SourceSelection() {
  const UIDragInfoRecord* info = DragInfo();
  if (info == NULL || m_pDataObject == NULL || m_pDataObject->m_lpDataObject == NULL) return NULL;
  const bool ourClipboard = m_fromClipboard && UIDragClipboardFilledHere();
  QvDragSel* found = NULL;
  ::AcquireSRWLockShared(&g_liveLock);
  for (QvDragSel* s : LiveSelections()) {
    if (UIDragAddressField(s) != info->selection || s->m_pDataSource == NULL) continue;
    // The data read here must be that selection's own: the same object in a drag within the
    // process, or a clipboard this process filled.
    LPUNKNOWN own = s->m_pDataSource->GetInterface(&IID_IDataObject);
    if (ourClipboard || own == m_pDataObject->m_lpDataObject) {
      found = s;
      break;
    }
  }
  ::ReleaseSRWLockShared(&g_liveLock);
  return found;
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
  // Text gets the terminating zero its clipboard format needs beyond the recorded bytes.
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size) + (UIDragIsTextTag(tag) ? 1 : 0));
  if (h == NULL) return false;
  if (size > 0) {
    memcpy(::GlobalLock(h), data, size);
    ::GlobalUnlock(h);
  }
  m_pDataSource->CacheGlobalData(cf, h);
  return true;
}

long QvDragSel::GetSizeAndData(DWORD tag, void* buffer, DWORD size, DWORD) {
  COleDataObject own;
  COleDataObject* data = m_pDataObject;
  if (data == NULL && m_pDataSource != NULL) {
    own.Attach(static_cast<LPDATAOBJECT>(m_pDataSource->GetInterface(&IID_IDataObject)), FALSE);
    data = &own;
  }
  if (data == NULL || buffer == NULL) return -1;
  CLIPFORMAT cf = Qv2WinFormat(tag);
  if (cf == 0 || !data->IsDataAvailable(cf)) return -1;
  HGLOBAL h = data->GetGlobalData(cf);
  if (h == NULL) return -1;
  // The recorded size is a claim of the other side: never copy more than the block holds.
  long copied = UIDragCopyBounded(h, buffer, size, 1);
  ::GlobalFree(h);
  return copied;
}
