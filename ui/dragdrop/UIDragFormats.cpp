// Drag actions, the process-wide drag settings and the mapping between format tags and
// clipboard formats.
#include <vector>

#include "UIDragDrop.h"

namespace {
int g_canSwap = 1;
UIDragAction g_lastAction = UIDragNone;
CLIPFORMAT g_cfRtf = 0;
CLIPFORMAT g_cfTreeList = 0;
}  // namespace

int UIDragSetCanSwap(int canSwap) {
  int previous = g_canSwap;
  g_canSwap = canSwap;
  return previous;
}
int UIDragCanSwap() { return g_canSwap; }
void UIDragSetLastAction(UIDragAction action) { g_lastAction = action; }
UIDragAction UIDragGetLastAction() { return g_lastAction; }

UIDragAction KeyState2UIDragAction(BOOL bCurrent, DWORD dwKeyState) {
  bool shift, ctrl;
  if (bCurrent) {
    shift = ::GetAsyncKeyState(VK_SHIFT) < 0;
    ctrl = ::GetAsyncKeyState(VK_CONTROL) < 0;
  } else {
    shift = (dwKeyState & MK_SHIFT) != 0;
    ctrl = (dwKeyState & MK_CONTROL) != 0;
  }
  if (ctrl && shift) return UIDragLink;
  if (ctrl) return UIDragCopy;
  if (shift) return g_canSwap ? UIDragSwap : UIDragMove;
  return UIDragMove;
}

BOOL CheckQvClipboardFormat(DWORD) { return ::IsClipboardFormatAvailable(kFormatRecords); }

void PASCAL UIDragSel::RegisterDragDropFormats() {
  if (g_cfRtf == 0) g_cfRtf = UIDragRtfFormat();
  if (g_cfTreeList == 0) g_cfTreeList = UIDragTreeListFormat();
}

CLIPFORMAT PASCAL UIDragSel::GetStandardWinFormat(DWORD tag) {
  RegisterDragDropFormats();
  switch (tag) {
    case kTagText:
      return CF_TEXT;
    case kTagUnicode:
      return CF_UNICODETEXT;
    case kTagDspText:
      return CF_DSPTEXT;
    case kTagRtf:
      return g_cfRtf;
    case kTagTreeList:
      return g_cfTreeList;
    default:
      return 0;
  }
}

DWORD PASCAL UIDragSel::Win2QvFormat(CLIPFORMAT format) {
  RegisterDragDropFormats();
  if (format == 0) return kTagNone;
  if (format == CF_TEXT) return kTagText;
  if (format == CF_UNICODETEXT) return kTagUnicode;
  if (format == CF_DSPTEXT) return kTagDspText;
  if (format == g_cfRtf) return kTagRtf;
  if (format == g_cfTreeList) return kTagTreeList;
  return kTagNone;
}

CLIPFORMAT UIDragSel::Qv2WinFormat(DWORD tag) {
  if (CLIPFORMAT cf = GetStandardWinFormat(tag)) return cf;
  const Item* item = FindItem(1);
  if (item == NULL) return 0;
  for (size_t i = 0; i < item->formats.size(); ++i)
    if (item->formats[i].tag == tag) return static_cast<CLIPFORMAT>(kFormatPrivateBase + i);
  return 0;
}
