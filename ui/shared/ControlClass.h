// The one way the library registers and unregisters its own window classes. A class whose
// procedure lives in this library must never outlive the code it points to: a later load of
// the library (possibly at another address) finds the class and would otherwise keep running
// the procedure of the unloaded image.
#pragma once
#include <windows.h>

#include <vector>

namespace quarnel {

// The module this code is part of (the library's DLL): the owner of its window classes and of the
// resources it must find in itself rather than in the host or another extension module.
HINSTANCE LibraryInstance();

// What differs between the library's window classes. All of them are Unicode classes with the
// arrow cursor, no icon, no menu and no class extra bytes.
struct WindowClassSpec {
  LPCWSTR name;
  UINT style;
  WNDPROC proc;
  int windowExtra;
  HBRUSH background;
};

// Registers the class for the module. A class of that name already running spec.proc is kept
// (TRUE at once). A class running any other procedure (left by an earlier load of the library,
// or registered by someone else) is replaced; while windows of it still exist it cannot be
// unregistered, and a class made to the same description is then pointed at spec.proc for the
// windows created from now on. TRUE when the class runs spec.proc afterwards.
BOOL RegisterWindowClass(HINSTANCE module, const WindowClassSpec& spec);

// Unregisters the class for the module. The class stays while any window of it exists (the
// result is then FALSE).
BOOL UnregisterWindowClass(HINSTANCE module, LPCWSTR name);

// Destroys every window of the class this thread owns, wherever it is in the window tree, then
// unregisters the class for the module and returns the result of the unregistration.
BOOL DestroyWindowsAndUnregisterClass(HINSTANCE module, LPCWSTR name);

// Every window of this process whose class is `name`: top-level, message-only and all their
// descendants, of any thread. Empty when no such class is registered.
std::vector<HWND> WindowsOfClass(HINSTANCE module, LPCWSTR name);

}  // namespace quarnel
