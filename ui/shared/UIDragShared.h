// What the framework side's and the portable side's selections, sources and drop targets do
// alike: the live selections of a process, the reading of offered formats and data, the blocks
// a source renders, the clipboard copy and the drop target's OLE events.
#pragma once
#include <fw_oledata.h>

#include <algorithm>
#include <vector>

#include "UIDragData.h"

// Bytes per unit of a tag's recorded size: UTF-16 characters for "WST2", else bytes.
DWORD UIDragTagUnit(DWORD tag);
// The size a format's data has, in its tag's units (text up to its zero).
DWORD UIDragTagDataSize(DWORD tag, HGLOBAL h);
// The clipboard format of a fixed tag, 0 for others; `unicode`: "WST2" is CF_UNICODETEXT
// (else it is a private tag).
CLIPFORMAT UIDragStandardFormat(DWORD tag, bool unicode);
// The tag of a clipboard format; kTagNone when it has none (CF_UNICODETEXT too, unless `unicode`).
DWORD UIDragTagOfFormat(CLIPFORMAT format, bool unicode);
// Ctrl+Shift link, Ctrl copy, Shift swap (move when !canSwap), no key move; the keys are the
// current ones when `current`, else the MK_ bits of keyState.
UIDragAction UIDragActionOfKeys(bool current, DWORD keyState, bool canSwap);

// The drag information of offered data, read once into *info (*state: 0 unread, 1 read,
// 2 absent or unusable); NULL when there is none usable.
const UIDragInfoRecord* UIDragCachedInfo(COleDataObject* data, UIDragInfoRecord* info, int* state);
// The formats offered data lists: the records of 2300 when it has them (as many whole records
// as the block holds, no more than the drag information says), else each format of another
// application that has a tag, sized from its data.
std::vector<UIDragFormatRecord> UIDragOfferedFormats(COleDataObject* data, UIDragInfoRecord* info, int* state,
                                                     bool unicode);
// A block of a format's data as a source caches it: size bytes, with the terminating zero text
// needs beyond them; NULL when it cannot be allocated.
HGLOBAL UIDragDataBlock(DWORD tag, DWORD size, const void* data);
// Copies at most size units of `unit` bytes of a format's data from `data` (or, without it,
// from `source`'s own data) and no more than the data holds; the units copied, or -1.
long UIDragReadFormatData(COleDataObject* data, COleDataSource* source, CLIPFORMAT cf, void* buffer, DWORD size,
                          DWORD unit);
// The blocks a source selection renders: its format list (at least one record's room) and its
// drag information; NULL when they cannot be allocated.
HGLOBAL UIDragRecordsBlock(const UIDragFormatRecord* records, size_t count);
HGLOBAL UIDragInfoBlock(const UIDragInfoRecord& info);
// Hands a rendered block over in place of what *phGlobal held; FALSE for no block.
BOOL UIDragHandOver(HGLOBAL h, HGLOBAL* phGlobal);
// Keeps in cursorIds the cursor a drop source shows for an action (0 for swap: swapCursor)
// and shows it at once when the action is the last one; nothing for an action out of range.
void UIDragSetActionCursor(COleDropSource* source, WORD cursorIds[5], UIDragAction action, WORD cursorId,
                           WORD swapCursor, UIDragAction last);
// Puts a copy of a data source's data on the clipboard, every format rendered now; false when
// the clipboard could not be set.
bool UIDragCopyToClipboard(COleDataSource* from);

// Source-side selections alive in this process. A target trusts the selection address of a
// drag information record only when it names one of these whose own data it is reading.
template <class Sel>
class UIDragLiveSelections {
 public:
  void Add(Sel* sel) {
    ::AcquireSRWLockExclusive(&m_lock);
    m_live.push_back(sel);
    ::ReleaseSRWLockExclusive(&m_lock);
  }
  void Remove(Sel* sel) {
    ::AcquireSRWLockExclusive(&m_lock);
    m_live.erase(std::remove(m_live.begin(), m_live.end(), sel), m_live.end());
    ::ReleaseSRWLockExclusive(&m_lock);
  }
  // The live selection at `address` whose own data (ownData(sel): its data object, NULL
  // without a data source) is the data read, or any with data when `ourClipboard` (a
  // clipboard this process filled); NULL when there is none.
  template <class OwnData>
  Sel* Find(DWORD address, LPDATAOBJECT reading, bool ourClipboard, OwnData ownData) {
    Sel* found = NULL;
    ::AcquireSRWLockShared(&m_lock);
    for (Sel* s : m_live) {
      if (UIDragAddressField(s) != address) continue;
      LPUNKNOWN own = ownData(s);
      if (own == NULL) continue;
      if (ourClipboard || own == reading) {
        found = s;
        break;
      }
    }
    ::ReleaseSRWLockShared(&m_lock);
    return found;
  }

 private:
  SRWLOCK m_lock = SRWLOCK_INIT;
  std::vector<Sel*> m_live;
};

// The OLE events of a drop target adapter: one selection per drag (in `sel`, owned, built over
// the data `selData` names), handed to the owner's virtual operations. `Side` names the
// selection and owner types and gives the side's key mapping, last action and drop points.
template <class Side>
struct UIDropEvents {
  using Sel = typename Side::Sel;
  using Owner = typename Side::Owner;

  static Sel* Renew(Sel*& sel, LPDATAOBJECT& selData, COleDataObject* data) {
    // One selection per drag: made again only when the data is another drag's.
    if (sel != NULL && selData == data->m_lpDataObject) return sel;
    delete sel;
    sel = NULL;
    // The selection holds the data itself, so it stays readable until the next event.
    auto* own = new COleDataObject;
    own->Attach(data->GetIDataObject(TRUE), TRUE);
    selData = data->m_lpDataObject;
    sel = new Sel(own, TRUE);
    return sel;
  }

  static DROPEFFECT Enter(Owner* owner, Sel*& sel, LPDATAOBJECT& selData, COleDataObject* data, DWORD keys) {
    if (owner == NULL) return DROPEFFECT_NONE;
    selData = NULL;  // a new drag: a new selection
    Sel* s = Renew(sel, selData, data);
    s->m_action = Side::ActionOfKeys(false, keys);
    UIDragAction action = owner->EnterDropArea(s);
    Side::SetLastAction(action);
    return UIDragActionToDropEffect(action);
  }

  static DROPEFFECT Over(Owner* owner, Sel*& sel, LPDATAOBJECT& selData, COleDataObject* data, DWORD keys,
                         CPoint point) {
    if (owner == NULL) return DROPEFFECT_NONE;
    Sel* s = Renew(sel, selData, data);
    s->m_action = Side::ActionOfKeys(false, keys);
    s->SetPosition(Side::DropPoint(owner, point));
    UIDragAction action = owner->DropAreaMove(s);
    Side::SetLastAction(action);
    return UIDragActionToDropEffect(action);
  }

  static void Leave(Owner* owner, Sel* sel, LPDATAOBJECT& selData) {
    if (owner != NULL && sel != NULL) owner->LeaveDropArea(sel);
    selData = NULL;
    Side::SetLastAction(UIDragNone);
  }

  static BOOL Drop(Owner* owner, Sel*& sel, LPDATAOBJECT& selData, COleDataObject* data, CPoint point) {
    if (owner == NULL) return FALSE;
    Sel* s = Renew(sel, selData, data);
    s->m_actionAtDrop = Side::ActionOfKeys(true, 0);
    s->SetPositionAtDrop(Side::DropPoint(owner, point));
    UIDragAction action = owner->Drop(s, Side::LastAction());
    Side::SetLastAction(action);
    selData = NULL;
    // The drop happened only when the owner took it.
    return action != UIDragNone;
  }
};

// The format lists of both sides' items, read through `Formats`: Count(item) records, the
// record At(item, i) at each position.
// The position of the first record of `tag`, or of the last when `last`; -1 when none.
template <class Formats, class Item>
long UIDragFormatPosition(const Item& item, DWORD tag, bool last = false) {
  long found = -1;
  for (size_t i = 0; i < Formats::Count(item); ++i) {
    if (Formats::At(item, i).tag != tag) continue;
    found = static_cast<long>(i);
    if (!last) break;
  }
  return found;
}

// The clipboard format of a tag: a fixed one, else 2302 plus its position in item 1's list
// (`one`); 0 for a private tag that is not listed.
template <class Formats, class Item>
CLIPFORMAT UIDragClipFormat(DWORD tag, bool unicode, const Item* one) {
  if (CLIPFORMAT cf = UIDragStandardFormat(tag, unicode)) return cf;
  const long at = one != NULL ? UIDragFormatPosition<Formats>(*one, tag) : -1;
  return at >= 0 ? static_cast<CLIPFORMAT>(kFormatPrivateBase + at) : 0;
}

// A selection's data of a format listed in item `it` (`id`): its recorded size when there is
// no buffer, else what the selection reads (at most the recorded size) or, failing that, what
// its source site renders for `self`; -1 when the format is not listed or has no data.
template <class Formats, class Sel, class Self, class Item>
long UIDragFetchData(Sel* sel, Self* self, const Item* it, DWORD tag, void* buffer, DWORD id) {
  if (it == NULL) return -1;
  const long at = UIDragFormatPosition<Formats>(*it, tag, true);
  if (at < 0) return -1;
  // Sizes are kept within kUIDragSizeLimit when recorded or read, so they stay non-negative.
  const DWORD size = std::min(Formats::At(*it, static_cast<size_t>(at)).size, kUIDragSizeLimit);
  if (buffer == NULL) return static_cast<long>(size);
  long got = sel->GetSizeAndData(tag, buffer, size, id);
  if (got == -1)
    if (auto* site = sel->GetSourceSite()) got = site->GetData(self, tag, buffer);
  return got;
}
