// Small platform services of the portable layer: resources of the module chain, portable key
// codes, the running Windows version, the wheel scroll lines, the cancel key of long loops,
// dialog templates and masked image lists from bitmap strips.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "GUIInitialisations.h"
#include "quarnel_api.h"

// A portable key code: the virtual key plus 256 (no modifier), 512 (Ctrl), 1024 (Shift) or
// 1536 (Ctrl and Shift).
typedef unsigned short QvKeyCode;
enum { QvKeyPlain = 256, QvKeyCtrl = 512, QvKeyShift = 1024 };

// The locked data of the RCDATA resource with that id, from the module the framework's
// resource search finds it in; null when it is missing or cannot be loaded.
QUARNEL_API void* GUIGetResourceRCDATA(UINT id);

// Converts the keys below '0' (0x30), VK_APPS and F1 to F12 with the modifier keys of the
// moment (Alt is not looked at); answers 1. Any other key answers 0 and leaves `code`.
QUARNEL_API int GUIVirtualKeyToQvKeyCode(UINT virtualKey, QvKeyCode& code);

// The running platform (see WindowsVersion), cached once known; the version set with
// GUISetWindowsVersion instead while one is set.
QUARNEL_API WindowsVersion GUIGetWindowsVersion();
// Makes the portable layer take `version` for the running platform (QvWinUnknown: the running
// one again), so that the paths of older systems run on a current one; answers the version
// set before. Set it only while no dialog or window of the layer is open.
QUARNEL_API WindowsVersion GUISetWindowsVersion(WindowsVersion version);

// Lines to scroll per wheel notch: the system's setting on Windows NT 4 and later, the
// wheel-support module's answer on older systems that run one, else 3.
QUARNEL_API unsigned long GUIGetWheelScrollLines();

// The cancel flag: while set, every cancel test answers true.
QUARNEL_API void SetCancelKeyForQuit(bool cancel);
QUARNEL_API bool GetCancelKeyForQuit();
// True when the cancel flag is set, or when the first key press waiting in the thread's
// queue is Escape (which is then taken from the queue). Other key presses stay queued.
QUARNEL_API bool CancelKeyHasBeenPushed();
// The same; on Win32s it also dispatches every other waiting message meanwhile.
QUARNEL_API bool QvTestCancelKey();

// A copy of the RT_DIALOG resource with that id (found through the framework's resource
// search) in fixed global memory of its size; the caller frees it with GlobalFree. Null when
// the resource is missing or cannot be loaded, or there is no memory.
QUARNEL_API void* LoadDialogTemplateResource(unsigned short id);

// Two process-wide arrays of pointers that the host fills and reads; made empty on the first
// call, kept until unload.
QUARNEL_API QvArrayLPVoid* QvGetDPVBAProcList();
QUARNEL_API QvArrayLPVoid* QvGetHyperlinkVBAProcList();

// Makes `list` a masked image list of 24-bit images imageWidth pixels wide from a bitmap of
// the module chain whose left half holds the images and whose right half holds their masks.
// Non-zero on success.
QUARNEL_API int CreateImageListFromBitmap(CImageList* list, UINT bitmapId, int imageWidth);
