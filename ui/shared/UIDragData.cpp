// Clipboard formats of the drag tags and the bounded reads of offered drag data.
#include <stdint.h>
#include <string.h>
#include <wchar.h>

#include <algorithm>

#include <fw_except.h>
#include <fw_module.h>
#include <fw_oledata.h>

#include "UIDragData.h"
#include "UIDragShared.h"

CLIPFORMAT UIDragRtfFormat() {
  static const CLIPFORMAT cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Rich Text Format"));
  return cf;
}

CLIPFORMAT UIDragTreeListFormat() {
  static const CLIPFORMAT cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"QvTreeList Format"));
  return cf;
}

bool UIDragIsTextTag(DWORD tag) { return tag == kTagText || tag == kTagDspText || tag == kTagRtf; }

namespace {
// The clipboard's sequence number right after this process last filled it (0: never). Any
// process may open the clipboard on a window of ours, so the owner alone proves nothing: a
// clipboard changed since it was filled here is not ours.
volatile LONG s_filledSequence = 0;
}  // namespace

bool UIDragClipboardFilledHere() {
  const DWORD filled = static_cast<DWORD>(s_filledSequence);
  if (filled == 0 || ::GetClipboardSequenceNumber() != filled) return false;
  HWND owner = ::GetClipboardOwner();
  DWORD pid = 0;
  return owner != NULL && ::GetWindowThreadProcessId(owner, &pid) != 0 && pid == ::GetCurrentProcessId();
}

DWORD UIDragAddressField(const void* p) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(p)); }

DWORD UIDragMeasuredSize(HGLOBAL h, bool text, DWORD unit) {
  SIZE_T bytes = ::GlobalSize(h);
  const void* p = ::GlobalLock(h);
  if (p == NULL) return 0;
  DWORD size;
  if (text && unit == sizeof(wchar_t))
    size = static_cast<DWORD>(wcsnlen(static_cast<const wchar_t*>(p), bytes / sizeof(wchar_t)));
  else if (text)
    size = static_cast<DWORD>(strnlen(static_cast<const char*>(p), bytes));
  else
    size = static_cast<DWORD>(bytes / unit);
  ::GlobalUnlock(h);
  return size;
}

long UIDragCopyBounded(HGLOBAL h, void* buffer, DWORD units, DWORD unit) {
  if (unit == 0) return -1;
  units = std::min(units, kUIDragSizeLimit);
  SIZE_T bytes = std::min<SIZE_T>(static_cast<SIZE_T>(units) * unit, ::GlobalSize(h));
  bytes -= bytes % unit;
  const void* p = ::GlobalLock(h);
  if (p == NULL) return -1;
  memcpy(buffer, p, bytes);
  ::GlobalUnlock(h);
  return static_cast<long>(bytes / unit);
}

bool UIDragReadInfo(HGLOBAL h, UIDragInfoRecord* info) {
  if (::GlobalSize(h) < sizeof(UIDragInfoRecord)) return false;
  const void* p = ::GlobalLock(h);
  if (p == NULL) return false;
  memcpy(info, p, sizeof *info);
  ::GlobalUnlock(h);
  return true;
}

DWORD UIDragActionToDropEffect(UIDragAction action) {
  switch (action) {
    case UIDragMove:
    case UIDragSwap:
      return DROPEFFECT_MOVE;
    case UIDragCopy:
      return DROPEFFECT_COPY;
    case UIDragLink:
      return DROPEFFECT_LINK;
    default:
      return DROPEFFECT_NONE;
  }
}

COleDataObject* UIDragDataObjectOf(COleDataSource* source) {
  auto* data = new COleDataObject;
  data->Attach(static_cast<LPDATAOBJECT>(source->GetInterface(&IID_IDataObject)), FALSE);
  return data;
}

bool UIDragShowActionCursor(const WORD cursorIds[5], UIDragAction last) {
  const WORD id = last >= UIDragNone && last <= UIDragLink ? cursorIds[last] : 0;
  if (id == 0) return false;
  LPCTSTR name = MAKEINTRESOURCE(id);
  HCURSOR cursor = ::LoadCursor(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
  if (cursor == NULL) return false;
  ::SetCursor(cursor);
  return true;
}

DWORD UIDragTagUnit(DWORD tag) { return tag == kTagUnicode ? sizeof(wchar_t) : 1; }

DWORD UIDragTagDataSize(DWORD tag, HGLOBAL h) {
  return UIDragMeasuredSize(h, tag == kTagUnicode || UIDragIsTextTag(tag), UIDragTagUnit(tag));
}

CLIPFORMAT UIDragStandardFormat(DWORD tag, bool unicode) {
  switch (tag) {
    case kTagText:
      return CF_TEXT;
    case kTagUnicode:
      return unicode ? CF_UNICODETEXT : 0;
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

DWORD UIDragTagOfFormat(CLIPFORMAT format, bool unicode) {
  if (format == 0) return kTagNone;
  if (format == CF_TEXT) return kTagText;
  if (format == CF_UNICODETEXT) return unicode ? kTagUnicode : kTagNone;
  if (format == CF_DSPTEXT) return kTagDspText;
  if (format == UIDragRtfFormat()) return kTagRtf;
  if (format == UIDragTreeListFormat()) return kTagTreeList;
  return kTagNone;
}

UIDragAction UIDragActionOfKeys(bool current, DWORD keyState, bool canSwap) {
  bool shift, ctrl;
  if (current) {
    shift = ::GetAsyncKeyState(VK_SHIFT) < 0;
    ctrl = ::GetAsyncKeyState(VK_CONTROL) < 0;
  } else {
    shift = (keyState & MK_SHIFT) != 0;
    ctrl = (keyState & MK_CONTROL) != 0;
  }
  if (ctrl && shift) return UIDragLink;
  if (ctrl) return UIDragCopy;
  if (shift) return canSwap ? UIDragSwap : UIDragMove;
  return UIDragMove;
}

const UIDragInfoRecord* UIDragCachedInfo(COleDataObject* data, UIDragInfoRecord* info, int* state) {
  if (*state == 0) {
    *state = 2;
    if (data != NULL && data->IsDataAvailable(kFormatDragInfo)) {
      if (HGLOBAL h = data->GetGlobalData(kFormatDragInfo)) {
        // A record shorter than its 24 bytes is not used at all.
        if (UIDragReadInfo(h, info)) *state = 1;
        ::GlobalFree(h);
      }
    }
  }
  return *state == 1 ? info : NULL;
}

std::vector<UIDragFormatRecord> UIDragOfferedFormats(COleDataObject* data, UIDragInfoRecord* info, int* state,
                                                     bool unicode) {
  std::vector<UIDragFormatRecord> formats;
  if (data->IsDataAvailable(kFormatRecords)) {
    HGLOBAL h = data->GetGlobalData(kFormatRecords);
    if (h == NULL) return formats;
    // As many whole records as the block holds, and no more than the drag information says.
    size_t count = ::GlobalSize(h) / sizeof(UIDragFormatRecord);
    if (const UIDragInfoRecord* read = UIDragCachedInfo(data, info, state))
      count = std::min<size_t>(count, read->formats);
    if (const auto* records = static_cast<const UIDragFormatRecord*>(::GlobalLock(h))) {
      formats.assign(records, records + count);
      ::GlobalUnlock(h);
    }
    ::GlobalFree(h);
    // A size beyond the limit is no size a source records: the data's own size stands for it
    // (0 when there is none). Records keep their places, which private tags' formats follow.
    for (size_t i = 0; i < formats.size(); ++i) {
      UIDragFormatRecord& r = formats[i];
      if (r.size <= kUIDragSizeLimit) continue;
      r.size = 0;
      CLIPFORMAT cf = UIDragStandardFormat(r.tag, unicode);
      if (cf == 0) {
        size_t first = 0;
        while (formats[first].tag != r.tag) ++first;
        cf = static_cast<CLIPFORMAT>(kFormatPrivateBase + first);
      }
      if (!data->IsDataAvailable(cf)) continue;
      if (HGLOBAL block = data->GetGlobalData(cf)) {
        r.size = std::min(UIDragTagDataSize(r.tag, block), kUIDragSizeLimit);
        ::GlobalFree(block);
      }
    }
    return formats;
  }
  // Data of another application: each format with a tag, sized from its data.
  data->BeginEnumFormats();
  FORMATETC f;
  while (data->GetNextFormat(&f)) {
    DWORD tag = UIDragTagOfFormat(f.cfFormat, unicode);
    if (tag == kTagNone) continue;
    bool listed = std::any_of(formats.begin(), formats.end(),
                              [tag](const UIDragFormatRecord& r) { return r.tag == tag; });
    if (listed) continue;
    HGLOBAL h = data->GetGlobalData(f.cfFormat);
    if (h == NULL) continue;
    formats.push_back(UIDragFormatRecord{tag, UIDragTagDataSize(tag, h)});
    ::GlobalFree(h);
  }
  return formats;
}

HGLOBAL UIDragDataBlock(DWORD tag, DWORD size, const void* data) {
  if (size > kUIDragSizeLimit) return NULL;
  // Text gets the terminating zero its clipboard format needs beyond the recorded bytes.
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size) + (UIDragIsTextTag(tag) ? 1 : 0));
  if (h != NULL && size > 0) {
    memcpy(::GlobalLock(h), data, size);
    ::GlobalUnlock(h);
  }
  return h;
}

long UIDragReadFormatData(COleDataObject* data, COleDataSource* source, CLIPFORMAT cf, void* buffer, DWORD size,
                          DWORD unit) {
  COleDataObject own;
  if (data == NULL && source != NULL) {
    own.Attach(static_cast<LPDATAOBJECT>(source->GetInterface(&IID_IDataObject)), FALSE);
    data = &own;
  }
  if (data == NULL || buffer == NULL) return -1;
  if (cf == 0 || !data->IsDataAvailable(cf)) return -1;
  HGLOBAL h = data->GetGlobalData(cf);
  if (h == NULL) return -1;
  // The recorded size is a claim of the other side: never copy more than the block holds.
  long copied = UIDragCopyBounded(h, buffer, size, unit);
  ::GlobalFree(h);
  return copied;
}

HGLOBAL UIDragRecordsBlock(const UIDragFormatRecord* records, size_t count) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, (count > 0 ? count : 1) * sizeof(UIDragFormatRecord));
  if (h != NULL && count > 0) {
    memcpy(::GlobalLock(h), records, count * sizeof(UIDragFormatRecord));
    ::GlobalUnlock(h);
  }
  return h;
}

HGLOBAL UIDragInfoBlock(const UIDragInfoRecord& info) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof info);
  if (h != NULL) {
    memcpy(::GlobalLock(h), &info, sizeof info);
    ::GlobalUnlock(h);
  }
  return h;
}

BOOL UIDragHandOver(HGLOBAL h, HGLOBAL* phGlobal) {
  if (h == NULL) return FALSE;
  if (*phGlobal != NULL) ::GlobalFree(*phGlobal);
  *phGlobal = h;
  return TRUE;
}

void UIDragSetActionCursor(COleDropSource* source, WORD cursorIds[5], UIDragAction action, WORD cursorId,
                           WORD swapCursor, UIDragAction last) {
  if (action < UIDragNone || action > UIDragLink) return;
  if (action == UIDragSwap && cursorId == 0) cursorId = swapCursor;
  cursorIds[action] = cursorId;
  if (action == last) source->GiveFeedback(UIDragActionToDropEffect(action));
}

bool UIDragCopyToClipboard(COleDataSource* source) {
  auto* from = static_cast<LPDATAOBJECT>(source->GetInterface(&IID_IDataObject));
  // The clipboard gets a source of its own with every format rendered now; the selection and
  // its data source stay the caller's, whatever the clipboard does with its copy later.
  auto* copy = new COleDataSource;
  LPENUMFORMATETC formats = NULL;
  if (SUCCEEDED(from->EnumFormatEtc(DATADIR_GET, &formats)) && formats != NULL) {
    FORMATETC f;
    while (formats->Next(1, &f, NULL) == S_OK) {
      STGMEDIUM medium = {};
      if (SUCCEEDED(from->GetData(&f, &medium))) {
        if (medium.pUnkForRelease == NULL)
          copy->CacheData(f.cfFormat, &medium, &f);
        else
          ::ReleaseStgMedium(&medium);
      }
      if (f.ptd != NULL) ::CoTaskMemFree(f.ptd);
    }
    formats->Release();
  }
  bool ok = true;
  ::InterlockedExchange(&s_filledSequence, 0);
  try {
    copy->SetClipboard();
    COleDataSource::FlushClipboard();
  } catch (CException* e) {
    e->Delete();
    ok = false;
  }
  copy->InternalRelease();
  if (ok) ::InterlockedExchange(&s_filledSequence, static_cast<LONG>(::GetClipboardSequenceNumber()));
  return ok;
}
