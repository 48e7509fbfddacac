// Window message hooks: any number of hooks watch one window's messages through one
// subclassing, the most recent hook first.
#pragma once
#include "quarnel_api.h"

#include <fw_coll.h>
#include <fw_object.h>
#include <fw_wnd.h>

class CMsgHookMap;

// The window procedure installed on every hooked window.
QUARNEL_API LRESULT CALLBACK HookWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// A hook on one window. A derived hook overrides WindowProc and calls the base for what it
// does not consume. HookWindow(window) puts the hook in front of the window's earlier hooks,
// HookWindow(NULL) takes it out; all hooks of a window are taken out when it receives
// WM_NCDESTROY. The owner unhooks before destroying or re-using a hook.
class QUARNEL_API CMsgHook : public CObject {
  DECLARE_DYNAMIC(CMsgHook)
 public:
  CMsgHook();
  ~CMsgHook() override;

  // TRUE; FALSE (and not hooking) for a window object without a live window.
  int HookWindow(CWnd* window);
  int IsHooked();

  // Passes the message on: to the next hook of the window, else to the window procedure in
  // place before the first hook.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Passes on, as above, the message being processed (the framework's current message).
  LRESULT Default();

 protected:
  CWnd* m_pWndHooked;      // NULL when not hooking
  WNDPROC m_pOldWndProc;   // the window's procedure before its first hook
  CMsgHook* m_pNext;       // the hook of the same window hooked before this one

 private:
  friend class CMsgHookMap;
  HWND m_hWndHooked;       // the hooked window's handle, kept should its object go away
};

// The process's map from a window to the first hook of its chain.
class QUARNEL_API CMsgHookMap : public CMapPtrToPtr {
 public:
  CMsgHookMap();
  ~CMsgHookMap() override;

  // The head hook of the window, NULL when none.
  CMsgHook* Lookup(HWND window);
  // Puts the hook at the head of the window's chain, subclassing the window for its first.
  void Add(HWND window, CMsgHook* hook);
  // Takes the hook out of its window's chain; the last one out gives the window back its
  // procedure when the window's procedure is still HookWndProc.
  void Remove(CMsgHook* hook);
  // Takes every hook of the window out.
  void RemoveAll(HWND window);

  // The window's procedure from before its first hook, NULL when not known.
  WNDPROC OriginalProc(HWND window);
  // For WM_NCDESTROY: takes every hook out and forgets the window; returns its procedure
  // from before its first hook (NULL when not known).
  WNDPROC TakeDown(HWND window);

 private:
  // Original procedures of windows whose last hook went while another subclassing stood in
  // front of HookWndProc: messages that still come through go there.
  CMapPtrToPtr m_orphans;
};

// The process's hook map: made on first use, destroyed at unload.
QUARNEL_API CMsgHookMap* GetMsgHookMap();
