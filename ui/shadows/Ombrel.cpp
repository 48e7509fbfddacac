// Drop shadows of the windows of one thread: the tables of shadowed windows and exclusions,
// and the hook that follows each window's creation, moves, showing, hiding and destruction.
#include "Ombrel.h"

#include "OmbrelShadow.h"
#include "UIHandles.h"
#include "UITrace.h"

#include <cwchar>
#include <new>
#include <utility>

namespace {

UlmLogger s_log("Ombrel");

const int kMaxEntries = 128;

struct Shadowed {
  HWND window = NULL;
  RECT rect = {};        // where the shadows were last put for
  bool shown = false;
  uih::OwnedWindow bottom, right;
  int opacity = 255;     // kept while the shadows are away
};

enum ExclusionKind { kWindow = 0, kClassName = 1, kClassAtom = 2 };
struct Exclusion {
  int kind;
  HWND window;
  wchar_t* name;  // owned
  ATOM atom;
};

Shadowed s_shadowed[kMaxEntries];
int s_shadowedCount = 0;
Exclusion s_exclusions[kMaxEntries];
int s_exclusionCount = 0;
uih::OwnedHook s_hook;
HINSTANCE s_instance = NULL;

int FindShadowed(HWND window) {
  for (int i = 0; i < s_shadowedCount; ++i)
    if (s_shadowed[i].window == window) return i;
  return -1;
}

void DestroyShadows(Shadowed& e) {
  e.bottom.Reset();
  e.right.Reset();
  e.shown = false;
}

void RemoveShadowed(int index) {
  DestroyShadows(s_shadowed[index]);
  for (int i = index + 1; i < s_shadowedCount; ++i) s_shadowed[i - 1] = std::move(s_shadowed[i]);
  --s_shadowedCount;
}

void RemoveExclusion(int index) {
  delete[] s_exclusions[index].name;
  for (int i = index + 1; i < s_exclusionCount; ++i) s_exclusions[i - 1] = s_exclusions[i];
  --s_exclusionCount;
}

void DropWindowExclusions(HWND window) {
  for (int i = s_exclusionCount - 1; i >= 0; --i)
    if (s_exclusions[i].kind == kWindow && s_exclusions[i].window == window) RemoveExclusion(i);
}

bool Excluded(HWND window, const CREATESTRUCTW* cs) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  if (std::wcscmp(name, ombrel::kShadowClass) == 0) return true;
  const ATOM atom = static_cast<ATOM>(::GetClassLongPtrW(window, GCW_ATOM));
  const ATOM given = cs != NULL && !HIWORD(reinterpret_cast<ULONG_PTR>(cs->lpszClass))
                         ? static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(cs->lpszClass))
                         : 0;
  for (int i = 0; i < s_exclusionCount; ++i) {
    const Exclusion& x = s_exclusions[i];
    if (x.kind == kWindow && x.window == window) return true;
    if (x.kind == kClassName && ::lstrcmpiW(x.name, name) == 0) return true;
    if (x.kind == kClassAtom && (x.atom == atom || x.atom == given)) return true;
  }
  return false;
}

void OnCreate(HWND window, const CREATESTRUCTW* cs) {
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  if ((style & (WS_POPUP | WS_CHILD)) == WS_CHILD) return;
  if (Excluded(window, cs) || FindShadowed(window) >= 0 || s_shadowedCount == kMaxEntries) return;
  Shadowed& e = s_shadowed[s_shadowedCount++];
  e = Shadowed();
  e.window = window;
}

void Update(HWND window, bool visible) {
  const int index = FindShadowed(window);
  if (index < 0) return;
  Shadowed& e = s_shadowed[index];
  if (!visible) {
    if (e.shown) DestroyShadows(e);
    return;
  }
  if (!e.shown) {
    if (!ombrel::RegisterShadowClass(s_instance)) return;
    e.shown = true;
    e.bottom.Reset(ombrel::CreateShadow(s_instance, window, false, e.opacity));
    e.right.Reset(ombrel::CreateShadow(s_instance, window, true, e.opacity));
    ::SetRectEmpty(&e.rect);
  }
  RECT rc;
  if (!::GetWindowRect(window, &rc) || ::EqualRect(&rc, &e.rect)) return;
  e.rect = rc;
  const int t = OMBREL_THICKNESS;
  const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
  // Sizes of windows thinner than the shadow's offsets stay at 0.
  const int bottomWidth = rc.right - rc.left + 5 > 0 ? rc.right - rc.left + 5 : 0;
  const int rightHeight = rc.bottom - rc.top - 5 > 0 ? rc.bottom - rc.top - 5 : 0;
  if (e.bottom) ::SetWindowPos(e.bottom.Get(), NULL, rc.left + 2, rc.bottom, bottomWidth, t, flags);
  if (e.right) ::SetWindowPos(e.right.Get(), NULL, rc.right, rc.top + 5, t, rightHeight, flags);
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPRETSTRUCT* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    switch (m->message) {
      case WM_CREATE:
        if (m->lResult != -1) OnCreate(m->hwnd, reinterpret_cast<const CREATESTRUCTW*>(m->lParam));
        break;
      case WM_DESTROY: {
        const int index = FindShadowed(m->hwnd);
        if (index >= 0) RemoveShadowed(index);
        DropWindowExclusions(m->hwnd);
        break;
      }
      case WM_MOVE:
      case WM_SIZE:
      case WM_ACTIVATE:
      case WM_SIZING:
      case WM_MOVING:
      case WM_WINDOWPOSCHANGED:  // also hides and shows made by SetWindowPos alone
        Update(m->hwnd, (::GetWindowLongW(m->hwnd, GWL_STYLE) & WS_VISIBLE) != 0);
        break;
      case WM_SHOWWINDOW:
        Update(m->hwnd, m->wParam != 0);
        break;
      default:
        break;
    }
  }
  return ::CallNextHookEx(s_hook.Get(), code, wParam, lParam);
}

int AddExclusion(const Exclusion& x) {
  if (s_exclusionCount == kMaxEntries) return 0;
  s_exclusions[s_exclusionCount++] = x;
  return 1;
}

}  // namespace

int WINAPI OmbrelBegin(HINSTANCE instance) {
  if (s_hook) return 1;
  s_instance = instance;
  if (!ombrel::LoadLayeredFunctions()) {
    UI_TRACE_REFUSED(s_log, "no layered windows on this system");
    return 0;
  }
  OmbrelExcludeClass(MAKEINTATOM(32768));  // menus
  s_hook = uih::HookThisThreadW(WH_CALLWNDPROCRET, AfterMessage);
  if (!s_hook) UI_TRACE_FAILED(s_log, "SetWindowsHookEx");
  return s_hook ? 1 : 0;
}

void WINAPI OmbrelEnd() {
  s_hook.Reset();
  while (s_shadowedCount > 0) RemoveShadowed(s_shadowedCount - 1);
  while (s_exclusionCount > 0) RemoveExclusion(s_exclusionCount - 1);
}

int WINAPI OmbrelExcludeWindow(HWND window) {
  const int index = FindShadowed(window);
  if (index >= 0) RemoveShadowed(index);
  return AddExclusion(Exclusion{kWindow, window, NULL, 0});
}

void WINAPI OmbrelUnexcludeWindow(HWND window) {
  for (int i = 0; i < s_exclusionCount; ++i) {
    if (s_exclusions[i].kind == kWindow && s_exclusions[i].window == window) {
      RemoveExclusion(i);
      return;
    }
  }
}

int WINAPI OmbrelExcludeClass(LPCWSTR classNameOrAtom) {
  const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(classNameOrAtom);
  if (value > 0xFFFF) {
    const size_t n = std::wcslen(classNameOrAtom);
    wchar_t* copy = new (std::nothrow) wchar_t[n + 1];
    if (copy == NULL) return 0;
    std::wmemcpy(copy, classNameOrAtom, n + 1);
    if (AddExclusion(Exclusion{kClassName, NULL, copy, 0})) return 1;
    delete[] copy;
    return 0;
  }
  return AddExclusion(Exclusion{kClassAtom, NULL, NULL, static_cast<ATOM>(value)});
}

void WINAPI OmbrelSetWindowShadowAlpha(HWND window, BYTE alpha) {
  for (int i = 0; i < s_shadowedCount; ++i) {
    Shadowed& e = s_shadowed[i];
    if (e.window != window) continue;
    e.opacity = alpha;
    if (e.bottom) ::SendMessageW(e.bottom.Get(), OMBREL_SETALPHA, alpha, 0);
    if (e.right) ::SendMessageW(e.right.Get(), OMBREL_SETALPHA, alpha, 0);
  }
}

int WINAPI OmbrelDisplayWinError(DWORD error, LPCWSTR caption) {
  wchar_t text[129] = {};
  if (!::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, 128, NULL))
    UI_TRACE_FAILED(s_log, "FormatMessage");
  return ::MessageBoxW(::GetActiveWindow(), text, caption, MB_OK | MB_ICONERROR);
}
