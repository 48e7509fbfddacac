// What both sides' drag and drop share: the drag actions, the four-character format tags and
// their clipboard formats, the two private formats and the drag information record, and the
// bounded reads of data that another side (or another process) offers.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "quarnel_api.h"

enum UIDragAction { UIDragNone = 0, UIDragMove = 1, UIDragCopy = 2, UIDragSwap = 3, UIDragLink = 4 };

// A four-character tag, the first character in the most significant byte.
constexpr DWORD UIDragTag(char a, char b, char c, char d) {
  return (DWORD(BYTE(a)) << 24) | (DWORD(BYTE(b)) << 16) | (DWORD(BYTE(c)) << 8) | DWORD(BYTE(d));
}
constexpr DWORD kTagText = UIDragTag('W', 'S', 'T', 'R');       // CF_TEXT, bytes
constexpr DWORD kTagUnicode = UIDragTag('W', 'S', 'T', '2');    // CF_UNICODETEXT, characters
constexpr DWORD kTagDspText = UIDragTag('W', 'D', 'T', 'X');    // CF_DSPTEXT, bytes
constexpr DWORD kTagRtf = UIDragTag('W', 'R', 'T', 'F');        // "Rich Text Format", bytes
constexpr DWORD kTagTreeList = UIDragTag('Q', 'V', 'T', 'L');   // "QvTreeList Format", block size
constexpr DWORD kTagNone = UIDragTag('m', 'e', 'r', 'r');       // a format without a tag

// The private clipboard formats: fixed numbers, not registered by name.
constexpr CLIPFORMAT kFormatRecords = 2300;  // 8 bytes per format of item 1: tag, size
constexpr CLIPFORMAT kFormatDragInfo = 2301;  // 24 bytes, below
constexpr CLIPFORMAT kFormatPrivateBase = 2302;  // + a private tag's position in the list

// The largest size a format may record, in its tag's units. Every size a selection answers
// lies in 0 to this limit, so that it reads the same as a signed result (where -1 means "not
// listed") and a "WST2" size in bytes still fits 32 bits. A source refuses a larger size; a
// target takes a larger claim of another side as the size its data has.
constexpr DWORD kUIDragSizeLimit = 0x3FFFFFFF;

// A format record of the list in 2300: the format's tag and its recorded size.
struct UIDragFormatRecord {
  DWORD tag;
  DWORD size;
};
static_assert(sizeof(UIDragFormatRecord) == 8, "a format record is 8 bytes");

// The drag information record (little-endian 32-bit fields).
struct UIDragInfoRecord {
  DWORD selection;  // the source selection's address, meaningful in the source's process only
  DWORD site;       // the source site's address, likewise
  LONG x, y;        // position at drag start
  DWORD action;     // what the modifier keys gave at drag start
  DWORD formats;    // number of records in 2300
};
static_assert(sizeof(UIDragInfoRecord) == 24, "drag information is 24 bytes");

// "Rich Text Format" and "QvTreeList Format", registered once per process.
CLIPFORMAT UIDragRtfFormat();
CLIPFORMAT UIDragTreeListFormat();
// The tags whose data is zero-terminated 8-bit text.
bool UIDragIsTextTag(DWORD tag);
// Whether the clipboard's current data is what this process last copied there: owned here and
// unchanged since (its sequence number as recorded at the copy).
bool UIDragClipboardFilledHere();
// The address field of a record for an object of this process.
DWORD UIDragAddressField(const void* p);
// The size a format's data has in units of `unit` bytes: zero-terminated text up to its zero
// (`text`), other data the whole block. Never reads past the block.
DWORD UIDragMeasuredSize(HGLOBAL h, bool text, DWORD unit);
// Copies at most `units` units of `unit` bytes and never more than the block holds; the units
// copied, or -1 when the block cannot be read.
long UIDragCopyBounded(HGLOBAL h, void* buffer, DWORD units, DWORD unit);
// Reads a drag information record; false for a block shorter than 24 bytes.
bool UIDragReadInfo(HGLOBAL h, UIDragInfoRecord* info);
class COleDataSource;
class COleDataObject;
// A new data object that reads a data source of this process (it holds no reference).
COleDataObject* UIDragDataObjectOf(COleDataSource* source);

// Drop effects of actions: move and swap move, copy copies, link links.
QUARNEL_API DWORD UIDragActionToDropEffect(UIDragAction action);

// Shows the cursor a drop source keeps for the last action (cursorIds: one resource id per
// action, 0 for the system's); false when there is none, so the system's cursors apply.
bool UIDragShowActionCursor(const WORD cursorIds[5], UIDragAction last);
