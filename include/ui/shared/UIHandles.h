// One vocabulary for GDI and USER handles: owners that free what they hold, borrowers that
// only name a handle somebody else frees, a scoped selection into a DC, scoped GetDC /
// ReleaseDC and SaveDC / RestoreDC, device DCs and hooks on the calling thread. The library
// gets window DCs, device DCs and hooks only through here (the build refuses the raw calls
// elsewhere).
//
// An owner or a borrower of one handle has the size and alignment of the handle, so a class
// can trade a raw handle member for one without changing its layout.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <type_traits>
#include <utility>

namespace uih {

// How each kind of handle is freed.
struct DeleteGdiObject {
  static void Free(HGDIOBJ h) { ::DeleteObject(h); }
};
struct DeleteMemoryDC {
  static void Free(HDC h) { ::DeleteDC(h); }
};
struct DestroyIconHandle {
  static void Free(HICON h) { ::DestroyIcon(h); }
};
struct DestroyImageList {
  static void Free(HIMAGELIST h) { ::ImageList_Destroy(h); }
};
struct DestroyWindowHandle {  // a window the system may have destroyed already (with its owner)
  static void Free(HWND h) {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};
struct UnhookWindowsHook {
  static void Free(HHOOK h) { ::UnhookWindowsHookEx(h); }
};

// Owns one handle and frees it on destruction or Reset, unless it was handed over with
// Release. Moves hand the handle on; copies are not allowed.
template <class Handle, class Freer>
class Owned {
 public:
  Owned() noexcept : m_h(NULL) {}
  explicit Owned(Handle h) noexcept : m_h(h) {}
  ~Owned() { Free(); }
  Owned(Owned&& other) noexcept : m_h(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle Get() const { return m_h; }
  explicit operator bool() const { return m_h != NULL; }
  // Hands the handle to the caller, who frees it from now on.
  Handle Release() {
    Handle h = m_h;
    m_h = NULL;
    return h;
  }
  // Frees the handle held (unless it is `h` itself) and takes `h`.
  void Reset(Handle h = NULL) {
    if (h == m_h) return;
    Free();
    m_h = h;
  }

 private:
  void Free() {
    if (m_h != NULL) Freer::Free(m_h);
  }
  Handle m_h;
};

// Names a handle that somebody else frees. Converts to the handle freely: there is nothing
// to lose. (Made from a handle explicitly or by assignment, so that a conditional between a
// borrower and a handle is a handle.)
template <class Handle>
class Borrowed {
 public:
  Borrowed() noexcept : m_h(NULL) {}
  explicit Borrowed(Handle h) noexcept : m_h(h) {}
  Borrowed& operator=(Handle h) noexcept {
    m_h = h;
    return *this;
  }
  Handle Get() const { return m_h; }
  operator Handle() const { return m_h; }

 private:
  Handle m_h;
};

using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedPen = Owned<HPEN, DeleteGdiObject>;
using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedRgn = Owned<HRGN, DeleteGdiObject>;
using OwnedPalette = Owned<HPALETTE, DeleteGdiObject>;
using OwnedDC = Owned<HDC, DeleteMemoryDC>;  // a DC made with CreateDC or CreateCompatibleDC
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
using OwnedImageList = Owned<HIMAGELIST, DestroyImageList>;
using OwnedWindow = Owned<HWND, DestroyWindowHandle>;
using OwnedHook = Owned<HHOOK, UnhookWindowsHook>;

// A hook on the calling thread's messages, removed when its owner ends (hooks are per thread:
// the library never hooks another thread or the whole desktop). Empty when the system refuses.
// The message texts a WH_CALLWNDPROC or WH_GETMESSAGE hook sees are in the edition's character
// set; HookThisThreadW sees them as Unicode in both editions.
inline OwnedHook HookThisThread(int kind, HOOKPROC proc) {
  return OwnedHook(::SetWindowsHookEx(kind, proc, NULL, ::GetCurrentThreadId()));
}
inline OwnedHook HookThisThreadW(int kind, HOOKPROC proc) {
  return OwnedHook(::SetWindowsHookExW(kind, proc, NULL, ::GetCurrentThreadId()));
}
// The same on another thread of this process (the procedure runs on that thread).
inline OwnedHook HookThreadW(int kind, HOOKPROC proc, DWORD thread) {
  return OwnedHook(::SetWindowsHookExW(kind, proc, NULL, thread));
}

// A DC for a device (a printer, the display) by its driver, device and port names, deleted when
// its owner ends; empty when the device cannot be opened.
inline OwnedDC CreateDeviceDC(LPCWSTR driver, LPCWSTR device, LPCWSTR port, const DEVMODEW* mode) {
  return OwnedDC(::CreateDCW(driver, device, port, mode));
}
inline OwnedDC CreateDeviceDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
  return OwnedDC(::CreateDCA(driver, device, port, mode));
}

using BorrowedBrush = Borrowed<HBRUSH>;
using BorrowedPen = Borrowed<HPEN>;
using BorrowedFont = Borrowed<HFONT>;
using BorrowedBitmap = Borrowed<HBITMAP>;
using BorrowedRgn = Borrowed<HRGN>;
using BorrowedPalette = Borrowed<HPALETTE>;
using BorrowedDC = Borrowed<HDC>;
using BorrowedIcon = Borrowed<HICON>;
using BorrowedImageList = Borrowed<HIMAGELIST>;

static_assert(sizeof(OwnedBrush) == sizeof(HBRUSH) && alignof(OwnedBrush) == alignof(HBRUSH),
              "an owner is laid out as its handle");
static_assert(sizeof(OwnedDC) == sizeof(HDC) && sizeof(OwnedImageList) == sizeof(HIMAGELIST),
              "an owner is laid out as its handle");
static_assert(sizeof(BorrowedDC) == sizeof(HDC) && std::is_trivially_copyable<BorrowedDC>::value,
              "a borrower is a plain handle");

// Selects a pen, brush, font or bitmap into a DC for the scope and selects the previous
// object back at its end (or at Restore). Ok() tells whether the selection was made: it fails
// for a NULL DC or object, a deleted object, or a bitmap selected into another DC. Regions are
// not selected this way (SelectObject copies a region and answers no previous object).
class Selection {
 public:
  Selection() noexcept : m_dc(NULL), m_previous(NULL) {}
  Selection(HDC dc, HPEN pen) : Selection(dc, static_cast<HGDIOBJ>(pen), 0) {}
  Selection(HDC dc, HBRUSH brush) : Selection(dc, static_cast<HGDIOBJ>(brush), 0) {}
  Selection(HDC dc, HFONT font) : Selection(dc, static_cast<HGDIOBJ>(font), 0) {}
  Selection(HDC dc, HBITMAP bitmap) : Selection(dc, static_cast<HGDIOBJ>(bitmap), 0) {}
  Selection(HDC dc, HRGN) = delete;
  ~Selection() { Restore(); }
  Selection(Selection&& other) noexcept : m_dc(other.m_dc), m_previous(other.m_previous) {
    other.m_previous = NULL;
  }
  Selection& operator=(Selection&& other) noexcept {
    if (this != &other) {
      Restore();
      m_dc = other.m_dc;
      m_previous = other.m_previous;
      other.m_previous = NULL;
    }
    return *this;
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

  bool Ok() const { return m_previous != NULL; }
  explicit operator bool() const { return Ok(); }
  HGDIOBJ Previous() const { return m_previous; }
  // Selects the previous object back now.
  void Restore() {
    if (m_previous != NULL) ::SelectObject(m_dc, m_previous);
    m_previous = NULL;
  }
  // Leaves the new object selected.
  void Keep() { m_previous = NULL; }
  // Takes over a selection made elsewhere (by a function that selects and answers the object it
  // replaced): `previous` goes back into the DC at the end. Empty for a NULL DC or object.
  static Selection Adopt(HDC dc, HGDIOBJ previous) {
    Selection adopted;
    if (dc != NULL && previous != NULL && previous != HGDI_ERROR) {
      adopted.m_dc = dc;
      adopted.m_previous = previous;
    }
    return adopted;
  }

 private:
  Selection(HDC dc, HGDIOBJ object, int) : m_dc(dc), m_previous(NULL) {
    if (dc == NULL || object == NULL) return;
    HGDIOBJ previous = ::SelectObject(dc, object);
    if (previous != HGDI_ERROR) m_previous = previous;
  }
  HDC m_dc;
  HGDIOBJ m_previous;
};

// A Selection into both DCs of a pair, the output DC and the attribute DC that answers the
// queries (text extents, metrics), which differ in a print preview: each gets the object and its
// own previous object back at the end. Into one DC when both are the same or one is NULL.
class PairSelection {
 public:
  PairSelection() noexcept = default;
  template <class Object>
  PairSelection(HDC output, HDC attribute, Object object)
      : m_output(output != attribute ? output : NULL, object), m_attribute(attribute, object) {}

  // Made in at least one DC of the pair.
  bool Ok() const { return m_output.Ok() || m_attribute.Ok(); }
  explicit operator bool() const { return Ok(); }
  void Restore() {
    m_attribute.Restore();
    m_output.Restore();
  }

 private:
  Selection m_output;     // declared first: restored last, after the attribute DC
  Selection m_attribute;
};

// The DC of a window's client area (of the screen for NULL) for the scope, released to the
// window at its end unless handed over with Release. WholeWindow gives the DC of the whole
// window, frame and caption included.
class WindowDC {
 public:
  WindowDC() noexcept : m_wnd(NULL), m_dc(NULL) {}
  explicit WindowDC(HWND wnd) : m_wnd(wnd), m_dc(::GetDC(wnd)) {}
  static WindowDC WholeWindow(HWND wnd) { return WindowDC(wnd, ::GetWindowDC(wnd)); }
  ~WindowDC() { Reset(); }
  WindowDC(WindowDC&& other) noexcept : m_wnd(other.m_wnd), m_dc(other.m_dc) { other.m_dc = NULL; }
  WindowDC& operator=(WindowDC&& other) noexcept {
    if (this != &other) {
      Reset();
      m_wnd = other.m_wnd;
      m_dc = other.m_dc;
      other.m_dc = NULL;
    }
    return *this;
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const { return m_dc; }
  HWND Window() const { return m_wnd; }
  explicit operator bool() const { return m_dc != NULL; }
  // Hands the DC to the caller, who releases it to the window.
  HDC Release() {
    HDC dc = m_dc;
    m_dc = NULL;
    return dc;
  }
  void Reset() {
    if (m_dc != NULL) ::ReleaseDC(m_wnd, m_dc);
    m_dc = NULL;
  }

 private:
  WindowDC(HWND wnd, HDC dc) noexcept : m_wnd(wnd), m_dc(dc) {}
  HWND m_wnd;
  HDC m_dc;
};

// The whole state of a DC (objects, clip region, colours, modes, mapping) saved for the scope
// and restored at its end or at Restore, to the level saved, whatever was saved after it.
class SavedDC {
 public:
  SavedDC() noexcept : m_dc(NULL), m_level(0) {}
  explicit SavedDC(HDC dc) : m_dc(dc), m_level(dc != NULL ? ::SaveDC(dc) : 0) {}
  ~SavedDC() { Restore(); }
  SavedDC(SavedDC&& other) noexcept : m_dc(other.m_dc), m_level(other.m_level) { other.m_level = 0; }
  SavedDC& operator=(SavedDC&& other) noexcept {
    if (this != &other) {
      Restore();
      m_dc = other.m_dc;
      m_level = other.m_level;
      other.m_level = 0;
    }
    return *this;
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

  bool Ok() const { return m_level > 0; }
  explicit operator bool() const { return Ok(); }
  HDC DC() const { return m_level > 0 ? m_dc : NULL; }
  // Restores the state now; FALSE when nothing was saved or GDI refuses.
  bool Restore() {
    const bool restored = m_level > 0 && ::RestoreDC(m_dc, m_level);
    m_level = 0;
    return restored;
  }

 private:
  HDC m_dc;
  int m_level;
};

// A memory DC compatible with `like` (the screen for NULL). The first object selected with
// Select is replaced by the DC's own again before the DC is deleted.
class MemoryDC {
 public:
  explicit MemoryDC(HDC like = NULL) : m_dc(::CreateCompatibleDC(like)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  HDC Get() const { return m_dc.Get(); }
  // FALSE when there is no DC or the bitmap cannot be selected (for example because it is
  // selected into another DC).
  bool Select(HBITMAP bitmap) {
    Selection selection(m_dc.Get(), bitmap);
    if (!selection) return false;
    if (m_first)
      selection.Keep();
    else
      m_first = std::move(selection);
    return true;
  }

 private:
  OwnedDC m_dc;
  Selection m_first;  // destroyed before the DC: the DC's own bitmap goes back first
};

}  // namespace uih
