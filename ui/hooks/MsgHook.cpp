// Window message hooks: chains of hooks per window behind one subclassing.
#include "MsgHook.h"

#include <ulmora.h>

namespace {

UlmLogger s_log("MsgHook");

bool IsOurs(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == HookWndProc;
}

}  // namespace

IMPLEMENT_DYNAMIC(CMsgHook, CObject)

CMsgHook::CMsgHook() : m_pWndHooked(NULL), m_pOldWndProc(NULL), m_pNext(NULL), m_hWndHooked(NULL) {}

CMsgHook::~CMsgHook() {}

int CMsgHook::HookWindow(CWnd* window) {
  CMsgHookMap* map = GetMsgHookMap();
  if (m_hWndHooked != NULL) {
    // A hook hooks one window at a time.
    map->Remove(this);
    m_pOldWndProc = NULL;
    m_pWndHooked = NULL;
    m_hWndHooked = NULL;
  }
  if (window == NULL) return TRUE;
  const HWND hwnd = window->GetSafeHwnd();
  if (hwnd == NULL || !IsWindow(hwnd)) return FALSE;
  m_pWndHooked = window;
  m_hWndHooked = hwnd;
  map->Add(hwnd, this);
  return TRUE;
}

int CMsgHook::IsHooked() { return m_pWndHooked != NULL ? TRUE : FALSE; }

LRESULT CMsgHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pNext != NULL) return m_pNext->WindowProc(message, wParam, lParam);
  if (m_hWndHooked == NULL) return 0;
  if (m_pOldWndProc == NULL) return DefWindowProcW(m_hWndHooked, message, wParam, lParam);
  return CallWindowProcW(m_pOldWndProc, m_hWndHooked, message, wParam, lParam);
}

LRESULT CMsgHook::Default() {
  const MSG& current = AfxGetThreadState()->m_lastSentMsg;
  return CMsgHook::WindowProc(current.message, current.wParam, current.lParam);
}

CMsgHookMap::CMsgHookMap() { InitHashTable(10); }

CMsgHookMap::~CMsgHookMap() {}

CMsgHook* CMsgHookMap::Lookup(HWND window) {
  try {
    void* head = NULL;
    return CMapPtrToPtr::Lookup(window, head) ? static_cast<CMsgHook*>(head) : NULL;
  } catch (...) {
    ULM_LOG(s_log, s_log.DefaultLevel(), "class CMsgHook *__thiscall CMsgHookMap::Lookup(struct HWND__ *)")
        << "CMsgHookMap::Lookup";
    return NULL;
  }
}

WNDPROC CMsgHookMap::OriginalProc(HWND window) {
  if (CMsgHook* head = Lookup(window)) return head->m_pOldWndProc;
  void* proc = NULL;
  return m_orphans.Lookup(window, proc) ? reinterpret_cast<WNDPROC>(proc) : NULL;
}

WNDPROC CMsgHookMap::TakeDown(HWND window) {
  const WNDPROC original = OriginalProc(window);
  RemoveAll(window);
  m_orphans.RemoveKey(window);
  return original;
}

void CMsgHookMap::Add(HWND window, CMsgHook* hook) {
  CMsgHook* head = Lookup(window);
  // Without hooks, HookWndProc may still be in the window's procedure chain (see Remove):
  // it is used again rather than subclassing a second time.
  const WNDPROC orphaned = head == NULL ? OriginalProc(window) : NULL;
  if (head != NULL) {
    hook->m_pOldWndProc = head->m_pOldWndProc;
  } else if (orphaned != NULL) {
    hook->m_pOldWndProc = orphaned;
    m_orphans.RemoveKey(window);
  } else {
    hook->m_pOldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookWndProc)));
  }
  hook->m_pNext = head;
  SetAt(window, hook);
}

void CMsgHookMap::Remove(CMsgHook* hook) {
  const HWND window = hook->m_hWndHooked;
  CMsgHook* head = Lookup(window);
  if (head == NULL) return;
  if (head != hook) {
    CMsgHook* previous = head;
    while (previous->m_pNext != NULL && previous->m_pNext != hook) previous = previous->m_pNext;
    if (previous->m_pNext == hook) previous->m_pNext = hook->m_pNext;
  } else if (hook->m_pNext != NULL) {
    SetAt(window, hook->m_pNext);
  } else {
    RemoveKey(window);
    if (IsOurs(window)) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->m_pOldWndProc));
    } else if (IsWindow(window) && hook->m_pOldWndProc != NULL) {
      // Someone subclassed the window after us; taking our procedure out would cut them off.
      m_orphans.SetAt(window, reinterpret_cast<void*>(hook->m_pOldWndProc));
    }
  }
  hook->m_pNext = NULL;
}

void CMsgHookMap::RemoveAll(HWND window) {
  while (CMsgHook* head = Lookup(window)) head->HookWindow(NULL);
}

CMsgHookMap* GetMsgHookMap() {
  static CMsgHookMap map;
  return &map;
}

LRESULT CALLBACK HookWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG& current = AfxGetThreadState()->m_lastSentMsg;
  const MSG saved = current;
  current.hwnd = hwnd;
  current.message = message;
  current.wParam = wParam;
  current.lParam = lParam;
  LRESULT result = 0;
  try {
    CMsgHookMap* map = GetMsgHookMap();
    CMsgHook* head = map->Lookup(hwnd);
    if (message == WM_NCDESTROY) {
      const WNDPROC original = map->TakeDown(hwnd);
      result = original != NULL ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                                : DefWindowProcW(hwnd, message, wParam, lParam);
    } else if (head != NULL) {
      result = head->WindowProc(message, wParam, lParam);
    } else if (WNDPROC original = map->OriginalProc(hwnd)) {
      result = CallWindowProcW(original, hwnd, message, wParam, lParam);
    } else {
      result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
  } catch (...) {
    ULM_LOG(s_log, UlmLogger::Error, "long __stdcall HookWndProc(struct HWND__ *,unsigned int,unsigned int,long)")
        << "HookWndProc - exception in the handling of message " << message;
  }
  current = saved;
  return result;
}
