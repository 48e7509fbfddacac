// Drag actions, the process-wide drag settings and the mapping between format tags and
// clipboard formats.
#include "UIDragDrop.h"
#include "UIDragShared.h"

namespace {
int g_canSwap = 1;
UIDragAction g_lastAction = UIDragNone;
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
  return UIDragActionOfKeys(bCurrent != FALSE, dwKeyState, g_canSwap != 0);
}

BOOL CheckQvClipboardFormat(DWORD) { return ::IsClipboardFormatAvailable(kFormatRecords); }

void PASCAL UIDragSel::RegisterDragDropFormats() {
  UIDragRtfFormat();
  UIDragTreeListFormat();
}

CLIPFORMAT PASCAL UIDragSel::GetStandardWinFormat(DWORD tag) { return UIDragStandardFormat(tag, true); }

DWORD PASCAL UIDragSel::Win2QvFormat(CLIPFORMAT format) { return UIDragTagOfFormat(format, true); }
