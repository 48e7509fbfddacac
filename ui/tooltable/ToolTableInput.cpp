// The tool table's answers to the keyboard, the mouse, relayed child messages and the other
// window messages.
#include "ToolTableState.h"

#include <cstring>

namespace tooltable {

namespace {

bool Same(const tagTT_CLICKSTRUCT& a, const tagTT_CLICKSTRUCT& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const tagTT_CLICKSTRUCT kOutside = {TTBLHT_OUTSIDE, 0, {0}};

bool OnDisabledItem(const Table* t, const tagTT_CLICKSTRUCT& hit) {
  return hit.where == TTBLHT_ITEM && t->At(static_cast<int>(hit.pos)) != NULL &&
         t->At(static_cast<int>(hit.pos))->Disabled();
}

POINT PointOf(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

bool Relay(Table* t, const tagTT_CLICKSTRUCT& hit, DWORD kind, WORD word1, WORD word2, LPARAM value) {
  TT_RELAYSTRUCT rs = {hit, kind, word1, word2, value};
  return Notify(t, TTBLN_RELAY, reinterpret_cast<DWORD_PTR>(&rs));
}

bool NotifyHit(Table* t, UINT code, const tagTT_CLICKSTRUCT& hit) {
  tagTT_CLICKSTRUCT copy = hit;
  return Notify(t, code, reinterpret_cast<DWORD_PTR>(&copy));
}

tagTT_CLICKSTRUCT ItemHit(const Table* t, int pos) {
  tagTT_CLICKSTRUCT hit = {TTBLHT_ITEM, static_cast<DWORD>(pos), {t->At(pos)->id}};
  return hit;
}

int WindowItem(const Table* t, HWND child) {
  for (int p = 1; p <= t->Count(); ++p)
    if (t->At(p)->type == TTBL_WINDOW && t->At(p)->object == child) return p;
  return 0;
}

void CaptureMouse(Table* t) {
  if (t->captured || (t->style & TTBLT_NOCAPTURE)) return;
  HWND previous = GetCapture();
  t->previousCapture = previous != t->hwnd ? previous : NULL;
  SetCapture(t->hwnd);
  t->captured = true;
}

// Passes a keyboard message on to the parent; false when the table did not survive.
bool PassKey(Table* t, UINT msg, WPARAM wp, LPARAM lp) {
  TT_KEYSTRUCT ks = {msg, wp, lp};
  return Notify(t, wp == VK_TAB ? TTBLN_TABKEY : TTBLN_KEY, reinterpret_cast<DWORD_PTR>(&ks));
}

LRESULT OnKeyDown(Table* t, WPARAM wp, LPARAM lp) {
  int step = 0;
  switch (wp) {
    case VK_TAB:
      step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
      break;
    case VK_LEFT:
    case VK_UP:
      step = -1;
      break;
    case VK_RIGHT:
    case VK_DOWN:
      step = 1;
      break;
    default:
      break;
  }
  HWND hwnd = t->hwnd;
  if (step != 0 && t->Count() > 0) {
    int q = t->focus + step;
    RemoveFocus(t);
    if (!Alive(hwnd, t)) return 0;
    SetHilite(t, -1, false);
    if (q > t->Count()) q = 1;
    if (q < 1) q = t->Count();
    SetFocusItem(t, q, true, step > 0);
    if (!Alive(hwnd, t)) return 0;
    SetHilite(t, q, true, step > 0);
  }
  if (step != 0 && t->stepping) return 1;
  PassKey(t, WM_KEYDOWN, wp, lp);
  return 0;
}

void Hover(Table* t, POINT pt) {
  tagTT_CLICKSTRUCT hit;
  HitTest(t, pt, &hit);
  const tagTT_CLICKSTRUCT last = t->hover;
  t->hover = hit;
  HWND hwnd = t->hwnd;
  if (hit.where == TTBLHT_ITEM) {
    if (last.where != TTBLHT_ITEM) {
      if (!NotifyHit(t, TTBLN_HOVERENTER, hit)) return;
      SetHilite(t, static_cast<int>(hit.pos), false);
    } else if (!Same(last, hit)) {
      if (!NotifyHit(t, TTBLN_HOVERLEAVE, last) || !NotifyHit(t, TTBLN_HOVERENTER, hit)) return;
      if (t->At(static_cast<int>(hit.pos)) != NULL) SetHilite(t, static_cast<int>(hit.pos), false);
      if (t->hilite == static_cast<int>(last.pos) && Alive(hwnd, t)) SetHilite(t, -1, false);
    }
  } else if (last.where == TTBLHT_ITEM) {
    if (!NotifyHit(t, TTBLN_HOVERLEAVE, last)) return;
    if (t->hilite == static_cast<int>(last.pos)) SetHilite(t, -1, false);
  }
}

void OnMouseMove(Table* t, WPARAM wp, LPARAM lp) {
  CaptureMouse(t);
  POINT screen;
  GetCursorPos(&screen);
  RECT window;
  GetWindowRect(t->hwnd, &window);
  // A press is followed until its release, also outside the window.
  if (t->captured && !PtInRect(&window, screen) && (wp & MK_LBUTTON) == 0) ReleaseMouse(t);
  Hover(t, PointOf(lp));
}

// The deepest visible child window under the point (client coordinates of the table).
HWND DeepestChild(HWND table, POINT pt) {
  HWND parent = table, found = NULL;
  for (;;) {
    HWND child = ChildWindowFromPointEx(parent, pt, CWP_SKIPINVISIBLE);
    if (child == NULL || child == parent || GetDlgCtrlID(child) >= 65535) break;
    found = child;
    MapWindowPoints(parent, child, &pt, 1);
    parent = child;
  }
  return found;
}

void OnLButtonDown(Table* t, WPARAM wp, LPARAM lp) {
  HWND hwnd = t->hwnd;
  SetFocus(hwnd);
  if (!Alive(hwnd, t)) return;
  const POINT pt = PointOf(lp);
  HitTest(t, pt, &t->leftPress);
  const tagTT_CLICKSTRUCT hit = t->leftPress;
  if (hit.where == TTBLHT_OUTSIDE || OnDisabledItem(t, hit)) return;
  if (hit.where == TTBLHT_ITEM) {
    const Item* it = t->At(static_cast<int>(hit.pos));
    if (!it->Neutral()) {
      // The pressed item takes the focus, and stays the hot one whatever taking the keyboard
      // focus hilited.
      SetFocusItem(t, static_cast<int>(hit.pos), false);
      if (!Alive(hwnd, t)) return;
      SetHilite(t, static_cast<int>(hit.pos), false);
      if (Alive(hwnd, t)) RedrawItem(t, static_cast<int>(hit.pos), true);
      return;
    }
    if (it->type == TTBL_WINDOW) {
      if (HWND child = DeepestChild(hwnd, pt)) {
        POINT local = pt;
        MapWindowPoints(hwnd, child, &local, 1);
        SetFocus(child);
        t->pressedChild = child;
        SendMessageW(child, WM_LBUTTONDOWN, wp, MAKELPARAM(local.x, local.y));
        if (!Alive(hwnd, t)) return;
      }
    }
  }
  Relay(t, hit, TTBLR_MOUSE, WM_LBUTTONDOWN, 0, 0);
}

void OnLButtonUp(Table* t, WPARAM wp, LPARAM lp) {
  HWND hwnd = t->hwnd;
  const POINT pt = PointOf(lp);
  tagTT_CLICKSTRUCT hit;
  HitTest(t, pt, &hit);
  if (!Relay(t, hit, TTBLR_MOUSE, WM_LBUTTONUP, 0, 0)) return;
  // A child that was given the press gets its release too.
  if (HWND child = t->pressedChild) {
    t->pressedChild = NULL;
    if (IsWindow(child)) {
      POINT local = pt;
      MapWindowPoints(hwnd, child, &local, 1);
      SendMessageW(child, WM_LBUTTONUP, wp, MAKELPARAM(local.x, local.y));
      if (!Alive(hwnd, t)) return;
    }
  }
  if (OnDisabledItem(t, hit)) return;
  if (hit.where == TTBLHT_ITEM) RedrawItem(t, static_cast<int>(hit.pos), true);
  if (!NotifyHit(t, NM_CLICK, hit)) return;
  ReleaseMouse(t);
}

void OnLButtonDblClk(Table* t, WPARAM wp, LPARAM lp) {
  tagTT_CLICKSTRUCT hit;
  HitTest(t, PointOf(lp), &hit);
  if (OnDisabledItem(t, hit)) return;
  t->leftPress = kOutside;
  HWND hwnd = t->hwnd;
  if (!NotifyHit(t, NM_DBLCLK, hit)) return;
  SendMessageW(hwnd, WM_LBUTTONDOWN, wp, lp);
  if (IsWindow(hwnd)) SendMessageW(hwnd, WM_LBUTTONUP, wp, lp);
}

void OnRButton(Table* t, UINT msg, LPARAM lp) {
  tagTT_CLICKSTRUCT hit;
  HitTest(t, PointOf(lp), &hit);
  switch (msg) {
    case WM_RBUTTONDOWN:
      t->rightPress = hit;
      if (hit.where == TTBLHT_OUTSIDE || OnDisabledItem(t, hit)) return;
      Relay(t, hit, TTBLR_MOUSE, WM_RBUTTONDOWN, 0, 0);
      return;
    case WM_RBUTTONUP: {
      if (!Relay(t, hit, TTBLR_MOUSE, WM_RBUTTONUP, 0, 0)) return;
      const bool click = Same(hit, t->rightPress) && !OnDisabledItem(t, hit);
      t->rightPress = kOutside;
      if (click) NotifyHit(t, NM_RCLICK, hit);
      return;
    }
    default:  // WM_RBUTTONDBLCLK
      if (OnDisabledItem(t, hit)) return;
      t->rightPress = kOutside;
      NotifyHit(t, NM_RDBLCLK, hit);
      return;
  }
}

LRESULT OnRelayed(Table* t, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PARENTNOTIFY && LOWORD(wp) == WM_DESTROY) {
    // A child that goes leaves no handle behind in its item.
    if (int pos = WindowItem(t, reinterpret_cast<HWND>(lp))) {
      if ((t->style & TTBLT_RELAY) && !Relay(t, ItemHit(t, pos), TTBLR_PARENTNOTIFY, LOWORD(wp), HIWORD(wp), lp))
        return 0;
      if (Item* it = t->At(pos)) it->object = NULL;
    }
    return 0;
  }
  if ((t->style & TTBLT_RELAY) == 0) return 0;
  switch (msg) {
    case WM_COMMAND:
      if (int pos = WindowItem(t, reinterpret_cast<HWND>(lp)))
        Relay(t, ItemHit(t, pos), TTBLR_COMMAND, HIWORD(wp), LOWORD(wp), lp);
      return 0;
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lp);
      const int pos = hdr != NULL ? WindowItem(t, hdr->hwndFrom) : 0;
      if (pos == 0) return 0;
      const UINT code = hdr->code;
      if (code == static_cast<UINT>(NM_CLICK) || code == static_cast<UINT>(NM_DBLCLK) ||
          code == static_cast<UINT>(NM_RCLICK) || code == static_cast<UINT>(NM_RDBLCLK))
        NotifyHit(t, code, ItemHit(t, pos));
      else
        Relay(t, ItemHit(t, pos), TTBLR_NOTIFY, LOWORD(wp), 0, lp);
      return 0;
    }
    default: {  // WM_PARENTNOTIFY
      if (LOWORD(wp) == WM_CREATE) return 0;
      tagTT_CLICKSTRUCT hit;
      HitTest(t, PointOf(lp), &hit);
      if (hit.where == TTBLHT_ITEM) Relay(t, hit, TTBLR_PARENTNOTIFY, LOWORD(wp), HIWORD(wp), lp);
      return 0;
    }
  }
}

void OnSetFocus(Table* t) {
  if (t->focusHandling && t->captured) {
    int first = 0;
    for (int p = 1; p <= t->Count() && first == 0; ++p)
      if (t->At(p)->state & TTBLS_SELECTED) first = p;
    HWND hwnd = t->hwnd;
    if (first != 0) {
      SetFocusItem(t, first, false);
      if (Alive(hwnd, t)) SetHilite(t, first, false);
    } else if (t->Count() > 0) {
      SetFocusItem(t, 1, true);
      if (Alive(hwnd, t)) SetHilite(t, 1, true);
    }
    if (!Alive(hwnd, t)) return;
  }
  Notify(t, TTBLN_SETFOCUS, 0);
}

void OnKillFocus(Table* t) {
  HWND hwnd = t->hwnd;
  if (t->focusHandling) {
    RemoveFocus(t);
    if (!Alive(hwnd, t)) return;
    SetHilite(t, -1, false);
  }
  Notify(t, TTBLN_KILLFOCUS, 0);
}

void Paint(Table* t, HDC given) {
  if (given != NULL) {
    PaintItems(t, given, NULL);
    return;
  }
  PAINTSTRUCT ps;
  HWND hwnd = t->hwnd;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc != NULL) PaintItems(t, dc, &ps.rcPaint);
  EndPaint(hwnd, &ps);
}

}  // namespace

void ReleaseMouse(Table* t) {
  if (!t->captured) return;
  t->captured = false;
  HWND previous = t->previousCapture;
  t->previousCapture = NULL;
  if (previous != NULL && IsWindow(previous) && previous != t->hwnd)
    SetCapture(previous);
  else if (GetCapture() == t->hwnd)
    ReleaseCapture();
  UpdateWindow(t->hwnd);
}

bool HandleWindowMessage(Table* t, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  HWND hwnd = t->hwnd;
  switch (msg) {
    case WM_KEYDOWN:
      *result = OnKeyDown(t, wp, lp);
      return true;
    case WM_KEYUP:
      if (wp == VK_SPACE && t->At(t->focus) != NULL && !NotifyHit(t, NM_CLICK, ItemHit(t, t->focus))) return true;
      PassKey(t, msg, wp, lp);
      return true;
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_HOTKEY:
      PassKey(t, msg, wp, lp);
      return true;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
      // Passed on, and the system keys still reach the menu of the window's frame.
      if (!PassKey(t, msg, wp, lp)) return true;
      *result = DefWindowProcW(hwnd, msg, wp, lp);
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(t, wp, lp);
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown(t, wp, lp);
      return true;
    case WM_LBUTTONUP:
      OnLButtonUp(t, wp, lp);
      return true;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(t, wp, lp);
      return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      OnRButton(t, msg, lp);
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the capture: it is not taken back.
      if (reinterpret_cast<HWND>(lp) != hwnd) {
        t->captured = false;
        t->previousCapture = NULL;
      }
      return true;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
      *result = OnRelayed(t, msg, wp, lp);
      return true;
    case WM_PAINT:
      Paint(t, reinterpret_cast<HDC>(wp));
      return true;
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      if (dc == NULL) return true;
      if (lp & PRF_ERASEBKGND) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      }
      PaintItems(t, dc, NULL);
      return true;
    }
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_BTNFACE));
      *result = 1;
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      RECT rc;
      GetClientRect(reinterpret_cast<HWND>(lp), &rc);
      FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      return true;
    }
    case WM_SETFOCUS:
      OnSetFocus(t);
      return true;
    case WM_KILLFOCUS:
      OnKillFocus(t);
      return true;
    case WM_GETDLGCODE:
      *result = DLGC_WANTARROWS | ((t->style & TTBLT_WANTTAB) ? DLGC_WANTTAB : 0);
      return true;
    case WM_SETFONT:
      t->font = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(hwnd, NULL, TRUE);
      return true;
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(t->font);
      return true;
    case WM_SETREDRAW:
      t->redraw = wp != 0;
      DefWindowProcW(hwnd, msg, wp, lp);
      if (wp) RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return true;
    default:
      return false;
  }
}

}  // namespace tooltable
