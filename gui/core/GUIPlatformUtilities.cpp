// Small platform services of the portable layer.
#include "GUIPlatformUtilities.h"

#include <string.h>

#include "UIHandles.h"
#include "UIUtilities.h"
#include "UITrace.h"

namespace {
UlmLogger s_log("GUIPlatformUtilities");
bool s_cancelKeyForQuit = false;

// The first key press waiting in the queue, taken only when it is Escape.
bool TakeEscapeFromQueue() {
  MSG msg;
  if (!::PeekMessageW(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) return false;
  if (msg.wParam != VK_ESCAPE) return false;
  ::PeekMessageW(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
  return true;
}

}  // namespace

void* GUIGetResourceRCDATA(UINT id) {
  LPCTSTR name = MAKEINTRESOURCE(id & 0xFFFF);
  HINSTANCE module = AfxFindResourceHandle(name, RT_RCDATA);
  HRSRC resource = module ? ::FindResource(module, name, RT_RCDATA) : NULL;
  HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
  return loaded ? ::LockResource(loaded) : NULL;
}

int GUIVirtualKeyToQvKeyCode(UINT virtualKey, QvKeyCode& code) {
  const bool converted = virtualKey < 0x30 || virtualKey == VK_APPS || (virtualKey >= VK_F1 && virtualKey <= VK_F12);
  if (!converted) return 0;
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  unsigned value = virtualKey;
  if (shift) value += QvKeyShift;
  if (ctrl) value += QvKeyCtrl;
  if (!ctrl && !shift) value += QvKeyPlain;
  code = static_cast<QvKeyCode>(value);
  return 1;
}

namespace {
WindowsVersion s_setVersion = QvWinUnknown;
}  // namespace

// The framework side's answer: the values are the same.
WindowsVersion GUIGetWindowsVersion() {
  if (s_setVersion != QvWinUnknown) return s_setVersion;
  return static_cast<WindowsVersion>(UIGetWindowsVersion());
}

WindowsVersion GUISetWindowsVersion(WindowsVersion version) {
  const WindowsVersion previous = s_setVersion;
  s_setVersion = version;
  return previous;
}

unsigned long GUIGetWheelScrollLines() {
  unsigned long lines = 3;
  const WindowsVersion version = GUIGetWindowsVersion();
  if (version == QvWinNT4) {
    UINT system = 0;
    if (::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &system, 0)) lines = system;
  } else if (version == QvWin95 || version == QvWinNT3) {
    // The published wheel-support module answers its registered message.
    HWND wheel = ::FindWindowW(L"MouseZ", L"Magellan MSWHEEL");
    if (wheel) {
      UINT message = ::RegisterWindowMessageW(L"MSH_SCROLL_LINES_MSG");
      if (message) lines = static_cast<unsigned long>(::SendMessageW(wheel, message, 0, 0));
    }
  }
  return lines;
}

void SetCancelKeyForQuit(bool cancel) { s_cancelKeyForQuit = cancel; }
bool GetCancelKeyForQuit() { return s_cancelKeyForQuit; }

bool CancelKeyHasBeenPushed() { return s_cancelKeyForQuit || TakeEscapeFromQueue(); }

bool QvTestCancelKey() {
  if (s_cancelKeyForQuit) return true;
  if (GUIGetWindowsVersion() != QvWin32s) return TakeEscapeFromQueue();
  MSG msg;
  while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return false;
}

void* LoadDialogTemplateResource(unsigned short id) {
  LPCTSTR name = MAKEINTRESOURCE(id);
  HINSTANCE module = AfxFindResourceHandle(name, RT_DIALOG);
  HRSRC resource = module ? ::FindResource(module, name, RT_DIALOG) : NULL;
  HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
  const void* data = loaded ? ::LockResource(loaded) : NULL;
  if (!data) return NULL;
  const DWORD size = ::SizeofResource(module, resource);
  void* copy = ::GlobalAlloc(GMEM_FIXED, size);
  if (!copy) {
    UI_TRACE_FAILED(s_log, "GlobalAlloc");
    return NULL;
  }
  memcpy(copy, data, size);
  return copy;
}

QvArrayLPVoid* QvGetDPVBAProcList() {
  static QvArrayLPVoid list;
  return &list;
}

QvArrayLPVoid* QvGetHyperlinkVBAProcList() {
  static QvArrayLPVoid list;
  return &list;
}

int CreateImageListFromBitmap(CImageList* list, UINT bitmapId, int imageWidth) {
  if (!list || imageWidth <= 0) return 0;
  CBitmap source;
  BITMAP info = {};
  if (!source.LoadBitmap(bitmapId) || !source.GetBitmap(&info)) return 0;
  const int width = info.bmWidth, height = info.bmHeight, half = width / 2;
  const int count = width / imageWidth;

  // The two halves as bitmaps of their own: the images compatible with the screen, the masks
  // with the DC that holds the strip.
  CBitmap images, masks;
  {
    uih::WindowDC screen(NULL);
    uih::MemoryDC sourceDC(screen.Get());
    uih::MemoryDC imageDC(screen.Get());
    uih::MemoryDC maskDC(screen.Get());
    if (!sourceDC.Select(source)) return 0;
    images.Attach(::CreateCompatibleBitmap(screen.Get(), half, height));
    masks.Attach(::CreateCompatibleBitmap(sourceDC.Get(), half, height));
    if (!images.GetSafeHandle() || !masks.GetSafeHandle() || !imageDC.Select(images) || !maskDC.Select(masks))
      return 0;
    ::BitBlt(imageDC.Get(), 0, 0, half, height, sourceDC.Get(), 0, 0, SRCCOPY);
    ::BitBlt(maskDC.Get(), 0, 0, half, height, sourceDC.Get(), half, 0, SRCCOPY);
  }

  if (list->Create(imageWidth, height, ILC_COLOR24 | ILC_MASK, count / 2, 0)) {
    list->Add(&images, &masks);
    return 1;
  }
  // Made from the whole strip instead; only the images added from the halves stay.
  if (!list->Create(bitmapId, imageWidth, count / 2, RGB(0, 0, 0))) return 0;
  list->Add(&images, &masks);
  for (int i = 0; i < count; ++i) list->Remove(0);
  return 1;
}
