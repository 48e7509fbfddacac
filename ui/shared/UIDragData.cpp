// Clipboard formats of the drag tags and the bounded reads of offered drag data.
#include <stdint.h>
#include <string.h>
#include <wchar.h>

#include <algorithm>

#include <fw_module.h>
#include <fw_oledata.h>

#include "UIDragData.h"

CLIPFORMAT UIDragRtfFormat() {
  static const CLIPFORMAT cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Rich Text Format"));
  return cf;
}

CLIPFORMAT UIDragTreeListFormat() {
  static const CLIPFORMAT cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"QvTreeList Format"));
  return cf;
}

bool UIDragIsTextTag(DWORD tag) { return tag == kTagText || tag == kTagDspText || tag == kTagRtf; }

bool UIDragClipboardFilledHere() {
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
