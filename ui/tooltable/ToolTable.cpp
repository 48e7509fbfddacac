// The tool table control ("QvToolTable32"): its state, layout, item operations, state rules
// and private messages. Drawing is in ToolTableDraw.cpp, input in ToolTableInput.cpp.
#include "ControlClasses.h"
#include "UIHandles.h"
#include "ControlClass.h"
#include "ToolTableState.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace tooltable {

namespace {

const wchar_t kClassName[] = L"QvToolTable32";
const wchar_t kStateProp[] = L"QvToolTable32.State";

// The state pointer lives in the 4 window-extra bytes where a pointer fits in them, else in a
// window property.
void AttachState(HWND hwnd, Table* t) {
  if (sizeof(void*) <= 4)
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(t));
  else if (t != NULL)
    SetPropW(hwnd, kStateProp, t);
  else
    RemovePropW(hwnd, kStateProp);
}

}  // namespace

Table* StateOf(HWND hwnd) {
  if (sizeof(void*) <= 4) return reinterpret_cast<Table*>(GetWindowLongPtrW(hwnd, 0));
  return static_cast<Table*>(GetPropW(hwnd, kStateProp));
}

bool Alive(HWND hwnd, const Table* t) { return IsWindow(hwnd) && StateOf(hwnd) == t; }

bool Notify(Table* t, UINT code, DWORD_PTR value) {
  HWND hwnd = t->hwnd;
  ::SendNotification(hwnd, code, value);
  return Alive(hwnd, t);
}

Item::~Item() { ReleaseObject(); }

void Item::ReleaseObject() {
  if ((flags & TTBLF_AUTODISPOSE) == 0 || object == NULL) return;
  switch (type) {
    case TTBL_WINDOW:
      if (IsWindow(static_cast<HWND>(object))) DestroyWindow(static_cast<HWND>(object));
      break;
    case TTBL_BITMAP:
      DeleteObject(object);
      break;
    case TTBL_ICON:
      DestroyIcon(static_cast<HICON>(object));
      break;
    default:
      break;
  }
  object = NULL;
}

Table::~Table() {
  for (Item* it : items) delete it;
  items.clear();
}

namespace {

bool ValidType(DWORD type) {
  return type == TTBL_WINDOW || type == TTBL_BITMAP || type == TTBL_ICON || type == TTBL_OWNERDRAW ||
         type == TTBL_SEPARATOR;
}

// The position a record names, 0 when none.
int Named(const Table* t, const tagTT_ITEMINFO* r) {
  if (r == NULL) return 0;
  if (r->how == TTBL_BYPOSITION) return t->At(static_cast<int>(r->posOrId)) != NULL ? static_cast<int>(r->posOrId) : 0;
  if (r->how == TTBL_BYID) {
    for (int i = 0; i < t->Count(); ++i)
      if (t->items[i]->id == r->posOrId) return i + 1;
  }
  return 0;
}

int NonSpanCount(const Table* t) { return t->Count() - t->spanCount; }

int SpanWidth(const Table* t) {
  const int k = std::max(1, std::min<int>(t->cols, NonSpanCount(t)));
  return k * (t->cellW + t->sepX) - t->sepX;
}

// The grid place of the item at index i (0-based) from the place of the item before it.
void AssignSlot(Table* t, int i) {
  Item* it = t->items[i];
  int r = 0, c = 0;
  if (i > 0) {
    const Item* prev = t->items[i - 1];
    if (prev->col < 0) {
      r = prev->row + 1;
    } else {
      r = prev->row;
      c = prev->col + 1;
      if (c >= t->cols) {
        ++r;
        c = 0;
      }
    }
  }
  if (it->Span()) {
    if (c != 0) ++r;
    it->row = r;
    it->col = -1;
  } else {
    it->row = r;
    it->col = c;
  }
}

RECT CellOf(const Table* t, const Item* it) {
  RECT rc;
  if (it->col < 0) {
    const int w = SpanWidth(t);
    int x = t->sepX;
    if (t->style & TTBLT_CENTERSPAN) x = static_cast<int>(std::lround((t->width - w) / 2.0));
    rc.left = x;
    rc.right = x + w;
    rc.top = it->row * (t->cellH + t->sepY) + t->sepY;
  } else {
    rc.left = t->sepX * (it->col + 1) + t->cellW * it->col;
    rc.right = rc.left + t->cellW;
    rc.top = t->sepY * (it->row + 1) + t->cellH * it->row;
  }
  rc.bottom = rc.top + t->cellH;
  return rc;
}

// Computes the cell of the item at index i and moves its child window there.
void PlaceItem(Table* t, int i, bool force) {
  Item* it = t->items[i];
  const RECT rc = CellOf(t, it);
  const bool moved = !EqualRect(&rc, &it->rect);
  it->rect = rc;
  HWND child = it->Window();
  if ((moved || force) && child != NULL && IsWindow(child))
    SetWindowPos(child, NULL, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void AssignSlotsFrom(Table* t, int i) {
  for (int k = std::max(0, i); k < t->Count(); ++k) AssignSlot(t, k);
  t->rows = t->items.empty() ? 0 : t->items.back()->row + 1;
}

void PlaceAll(Table* t, bool force) {
  for (int k = 0; k < t->Count(); ++k) PlaceItem(t, k, force);
}

// Sizes the window to the grid; false when the table did not survive the notification.
bool Layout(Table* t, bool notify) {
  const int n = NonSpanCount(t);
  const int w = n > 0 ? std::min<int>(t->cols, n) * (t->cellW + t->sepX) + 2 * t->sepX : 3 * t->sepX + t->cellW;
  const int h = t->rows * (t->cellH + t->sepY) + 2 * t->sepY;
  if (w == t->width && h == t->height) return true;
  t->width = w;
  t->height = h;
  SetWindowPos(t->hwnd, NULL, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!notify) return Alive(t->hwnd, t);
  return Notify(t, TTBLN_RESIZED, MAKELONG(w, h));
}

void RedrawAll(Table* t, HDC given) {
  RECT update;
  if (!GetUpdateRect(t->hwnd, &update, FALSE)) return;
  if (given != NULL) {
    PaintItems(t, given, &update);
  } else if (t->redraw && IsWindowVisible(t->hwnd)) {
    uih::WindowDC dc(t->hwnd);
    if (dc) {
      FillRect(dc.Get(), &update, GetSysColorBrush(COLOR_BTNFACE));
      PaintItems(t, dc.Get(), &update);
    }
  } else {
    return;  // left for WM_PAINT
  }
  ValidateRect(t->hwnd, &update);
}

// Invalidates the whole window and repaints what meets the update region; false when the
// table did not survive its notification.
bool RepaintAll(Table* t) {
  InvalidateRect(t->hwnd, NULL, FALSE);
  HWND hwnd = t->hwnd;
  SendMessageW(hwnd, TTBLM_REDRAWALL, 0, 0);
  return Alive(hwnd, t);
}

bool Relayout(Table* t) {
  AssignSlotsFrom(t, 0);
  if (!Layout(t, true)) return false;
  PlaceAll(t, false);
  if (!Notify(t, TTBLN_METRICSCHANGED, MAKELONG(t->width, t->height))) return false;
  return RepaintAll(t);
}

// Positions move by `delta` at and after `from` (insertion), or the position `from` goes
// (deletion, delta -1).
void ShiftPositions(Table* t, int from, int delta) {
  for (int* p : {&t->hilite, &t->selected, &t->focus}) {
    if (*p == 0) continue;
    if (delta < 0 && *p == from)
      *p = 0;
    else if (*p >= from + (delta < 0 ? 1 : 0))
      *p += delta;
  }
}

// Deselects the item; false when the table did not survive the notification.
bool Deselect(Table* t, int pos) {
  Item* it = t->At(pos);
  if (it == NULL || (it->state & TTBLS_SELECTED) == 0) return true;
  it->state &= ~TTBLS_SELECTED;
  if (t->selected == pos) t->selected = 0;
  RedrawItem(t, pos, true);
  return Notify(t, TTBLN_SELCHANGE, static_cast<DWORD>(pos) << 16);
}

// Applies a state (0xFFFFFFFF re-applies the current one); the previous state.
DWORD ApplyState(Table* t, int pos, DWORD state) {
  Item* it = t->At(pos);
  const DWORD previous = it->state;
  const bool reapply = state == 0xFFFFFFFF;
  if (reapply)
    state = previous;
  else if (state == previous)
    return previous;
  HWND hwnd = t->hwnd;

  if (state & TTBLS_DISABLED)
    it->state |= TTBLS_DISABLED;
  else
    it->state &= ~TTBLS_DISABLED;
  if (HWND child = it->Window()) {
    if (IsWindow(child)) EnableWindow(child, (state & TTBLS_DISABLED) == 0);
    if (!Alive(hwnd, t)) return previous;
  }

  if ((state & TTBLS_SELECTED) == 0) {
    if (!Deselect(t, pos)) return previous;
  } else if (!it->Neutral() && !it->Disabled() && ((it->state & TTBLS_SELECTED) == 0 || reapply)) {
    if ((t->style & TTBLT_MULTISEL) == 0 && t->selected != 0 && t->selected != pos && !Deselect(t, t->selected))
      return previous;
    // Single selection: any other item still marked goes too.
    if ((t->style & TTBLT_MULTISEL) == 0)
      for (int p = 1; p <= t->Count(); ++p)
        if (p != pos && (t->At(p)->state & TTBLS_SELECTED) && !Deselect(t, p)) return previous;
    t->selected = pos;
    if ((it->state & TTBLS_SELECTED) == 0) {
      it->state |= TTBLS_SELECTED;
      RedrawItem(t, pos, true);
      if (!Notify(t, TTBLN_SELCHANGE, (static_cast<DWORD>(pos) << 16) | 1)) return previous;
    }
  }

  if (state & TTBLS_HILITED) {
    if (t->hilite != pos) SetHilite(t, pos, false);
  } else if (t->hilite == pos) {
    SetHilite(t, -1, false);
  }
  if (state & TTBLS_FOCUSED) {
    if (t->focus != pos) SetFocusItem(t, pos, false);
  } else if (t->focus == pos) {
    RemoveFocus(t);
  }
  return previous;
}

int Add(Table* t, tagTT_ITEMINFO* r, int after) {
  if (r == NULL || !ValidType(r->type)) return -1;
  if (r->type == TTBL_WINDOW && !IsWindow(static_cast<HWND>(r->object))) return -1;
  Item* it = new (std::nothrow) Item;
  if (it == NULL) return -1;
  it->type = static_cast<WORD>(r->type);
  it->flags = r->flags;
  it->id = r->id;
  it->object = r->object;
  it->data = r->data;
  const bool append = after >= t->Count();
  try {
    t->items.insert(t->items.begin() + after, it);
  } catch (const std::bad_alloc&) {
    it->object = NULL;  // the caller keeps its object
    delete it;
    return -1;
  }
  const int pos = after + 1;
  if (!append) ShiftPositions(t, pos, +1);
  if (it->Span()) ++t->spanCount;
  if (HWND child = it->Window()) SetParent(child, t->hwnd);
  HWND hwnd = t->hwnd;

  const int nonSpan = NonSpanCount(t);
  AssignSlotsFrom(t, after);
  if (!Layout(t, true)) return pos;
  // Span cells follow the used columns and the width while the first row fills.
  if (!append || (t->spanCount > 0 && nonSpan <= t->cols))
    PlaceAll(t, false);
  else
    PlaceItem(t, after, true);
  if (r->state != 0) ApplyState(t, pos, r->state);
  if (!Alive(hwnd, t)) return pos;
  r->how = TTBL_BYPOSITION;
  r->posOrId = pos;
  if (append)
    SendMessageW(hwnd, TTBLM_REDRAWITEM, TTBL_DRAWCONTENT, reinterpret_cast<LPARAM>(r));
  else
    RepaintAll(t);
  return pos;
}

int Delete(Table* t, int pos) {
  Item* it = t->At(pos);
  HWND child = it->Window();
  if (child != NULL && IsWindow(child) && (child == GetFocus() || IsChild(child, GetFocus()))) {
    t->focusHandling = false;
    SetFocus(t->hwnd);
    t->focusHandling = true;
  }
  t->items.erase(t->items.begin() + (pos - 1));
  ShiftPositions(t, pos, -1);
  if (it->Span()) --t->spanCount;
  delete it;
  AssignSlotsFrom(t, pos - 1);
  if (!Layout(t, true)) return pos;
  PlaceAll(t, false);
  RepaintAll(t);
  return pos;
}

int SetItem(Table* t, int pos, const tagTT_ITEMINFO* r) {
  Item* it = t->At(pos);
  HWND hwnd = t->hwnd;
  if (r->mask & TTBLMASK_OBJECT) {
    if (!ValidType(r->type)) return -1;
    if (r->type == TTBL_WINDOW && !IsWindow(static_cast<HWND>(r->object))) return -1;
    const bool wasSpan = it->Span();
    if (r->object != it->object || r->type != it->type) it->ReleaseObject();
    it->type = static_cast<WORD>(r->type);
    it->flags = r->flags;
    it->id = r->id;
    it->object = r->object;
    if (wasSpan != it->Span()) {
      t->spanCount += it->Span() ? 1 : -1;
      AssignSlotsFrom(t, 0);
      if (!Layout(t, true)) return pos;
      PlaceAll(t, false);
      RepaintAll(t);
      if (!Alive(hwnd, t)) return pos;
    }
    if (HWND child = it->Window()) {
      SetParent(child, hwnd);
      PlaceItem(t, pos - 1, true);
    }
  }
  if (r->mask & TTBLMASK_DATA) it->data = r->data;
  ApplyState(t, pos, (r->mask & TTBLMASK_STATE) ? r->state : 0xFFFFFFFF);
  if (!Alive(hwnd, t)) return pos;
  tagTT_ITEMINFO self = {};
  self.how = TTBL_BYPOSITION;
  self.posOrId = pos;
  SendMessageW(hwnd, TTBLM_REDRAWITEM, TTBL_DRAWCONTENT, reinterpret_cast<LPARAM>(&self));
  return pos;
}

LRESULT Clear(Table* t) {
  const bool hadSelection = t->selected != 0;
  if (t->captured) ReleaseMouse(t);
  std::vector<Item*> gone;
  gone.swap(t->items);
  for (Item* it : gone) delete it;
  t->spanCount = t->rows = t->width = t->height = 0;
  t->hilite = t->selected = t->focus = 0;
  t->hover = t->leftPress = t->rightPress = tagTT_CLICKSTRUCT{TTBLHT_OUTSIDE, 0, {0}};
  if (hadSelection && !Notify(t, TTBLN_SELCHANGE, 0)) return 0;
  if (!Layout(t, true)) return 0;
  RepaintAll(t);
  return 0;
}

// A pair of 16-bit values to store: a zero half keeps the current value; a negative one
// refuses the whole pair.
bool TakePair(LPARAM lp, short* x, short* y) {
  const short nx = static_cast<short>(LOWORD(lp)), ny = static_cast<short>(HIWORD(lp));
  if (nx < 0 || ny < 0) return false;
  if (nx != 0) *x = nx;
  if (ny != 0) *y = ny;
  return true;
}

LRESULT SetPair(Table* t, LPARAM lp, short* x, short* y) {
  const LRESULT previous = MAKELONG(*x, *y);
  if (lp == 0 || static_cast<DWORD>(lp) == static_cast<DWORD>(previous)) return previous;
  short nx = *x, ny = *y;
  if (!TakePair(lp, &nx, &ny)) return -1;
  if (nx == *x && ny == *y) return previous;
  *x = nx;
  *y = ny;
  Relayout(t);
  return previous;
}

LRESULT StateArray(const Table* t, WPARAM wp, LPARAM lp) {
  const int max = LOWORD(wp);
  const DWORD bit = HIWORD(wp) == 1 ? TTBLS_SELECTED : TTBLS_DISABLED;
  short* out = reinterpret_cast<short*>(lp);
  int n = 0;
  for (int p = 1; p <= t->Count(); ++p) {
    if ((t->At(p)->state & bit) == 0) continue;
    if (out != NULL && n < max) out[n] = static_cast<short>(p);
    ++n;
  }
  return n;
}

LRESULT Find(const Table* t, WPARAM wp, LPARAM lp) {
  const DWORD type = LOWORD(lp);
  for (int p = 1; p <= t->Count(); ++p) {
    const Item* it = t->At(p);
    if (it->type == type && it->object == reinterpret_cast<HANDLE>(wp))
      return HIWORD(lp) == 0 ? static_cast<LRESULT>(it->id) : p;
  }
  return -1;
}

LRESULT HandlePrivate(Table* t, UINT msg, WPARAM wp, LPARAM lp) {
  tagTT_ITEMINFO* r = reinterpret_cast<tagTT_ITEMINFO*>(lp);
  switch (msg) {
    case TTBLM_ADDITEM:
      return Add(t, r, t->Count());
    case TTBLM_INSERTITEM: {
      if (r == NULL) return -1;
      int after;
      if (r->how == TTBL_BYPOSITION && r->posOrId == 0)
        after = 0;
      else if ((after = Named(t, r)) == 0)
        return -1;
      return Add(t, r, after);
    }
    case TTBLM_DELETEITEM: {
      const int pos = Named(t, r);
      return pos == 0 ? -1 : Delete(t, pos);
    }
    case TTBLM_REDRAWITEM: {
      const int pos = Named(t, r);
      if (pos == 0) return -1;
      RedrawItem(t, pos, (wp & TTBL_DRAWCONTENT) != 0);
      return 0;
    }
    case TTBLM_GETITEM: {
      const int pos = Named(t, r);
      if (pos == 0) return -1;
      const Item* it = t->At(pos);
      r->type = it->type;
      r->flags = it->flags;
      r->id = it->id;
      r->object = it->object;
      r->state = it->state;
      r->rect = it->rect;
      r->data = it->data;
      return pos;
    }
    case TTBLM_SETITEM: {
      const int pos = Named(t, r);
      return pos == 0 ? -1 : SetItem(t, pos, r);
    }
    case TTBLM_HITTEST: {
      if (lp == 0) return -1;
      tagTT_CLICKSTRUCT* hit = reinterpret_cast<tagTT_CLICKSTRUCT*>(lp);
      HitTest(t, POINT{static_cast<short>(LOWORD(wp)), static_cast<short>(HIWORD(wp))}, hit);
      return hit->where == TTBLHT_OUTSIDE ? 0 : 1;
    }
    case TTBLM_GETITEMSTATE: {
      const int pos = Named(t, r);
      return pos == 0 ? -1 : static_cast<LRESULT>(t->At(pos)->state);
    }
    case TTBLM_SETITEMSTATE: {
      const int pos = Named(t, r);
      return pos == 0 ? -1 : static_cast<LRESULT>(ApplyState(t, pos, static_cast<DWORD>(wp)));
    }
    case TTBLM_GETITEMDATA: {
      const int pos = Named(t, r);
      return pos == 0 ? -1 : static_cast<LRESULT>(t->At(pos)->data);
    }
    case TTBLM_SETITEMDATA: {
      const int pos = Named(t, r);
      if (pos == 0) return -1;
      const DWORD previous = t->At(pos)->data;
      t->At(pos)->data = static_cast<DWORD>(wp);
      return static_cast<LRESULT>(previous);
    }
    case TTBLM_REDRAWALL: {
      RedrawAll(t, reinterpret_cast<HDC>(wp));
      Notify(t, TTBLN_REDRAWN, 0);
      return 0;
    }
    case TTBLM_GETNUMITEMS:
      return t->Count();
    case TTBLM_GETNUMROWS:
      return t->rows;
    case TTBLM_GETITEMSEP:
      return MAKELONG(t->sepX, t->sepY);
    case TTBLM_SETITEMSEP:
      return SetPair(t, lp, &t->sepX, &t->sepY);
    case TTBLM_GETNUMCOLS:
      return t->cols;
    case TTBLM_SETNUMCOLS: {
      const int previous = t->cols;
      if (lp < 1 || lp > SHRT_MAX) return -1;
      if (lp == previous) return previous;
      t->cols = static_cast<int>(lp);
      Relayout(t);
      return previous;
    }
    case TTBLM_GETITEMMETRICS:
      return MAKELONG(t->cellW, t->cellH);
    case TTBLM_SETITEMMETRICS:
      return SetPair(t, lp, &t->cellW, &t->cellH);
    case TTBLM_RESERVED:
      return -1;
    case TTBLM_SETRELAY: {
      const DWORD previous = t->style & TTBLT_RELAY;
      if (wp)
        t->style |= TTBLT_RELAY;
      else
        t->style &= ~TTBLT_RELAY;
      return previous;
    }
    case TTBLM_CLEAR:
      return Clear(t);
    case TTBLM_GETTABLESTYLE:
      return t->style;
    case TTBLM_SETTABLESTYLE: {
      const DWORD previous = t->style;
      const DWORD style = static_cast<DWORD>(wp);
      if ((style & TTBLT_MULTISEL) == 0 && StateArray(t, MAKEWPARAM(0, 1), 0) > 1) return -1;
      t->style = style;
      if ((previous ^ style) & TTBLT_CENTERSPAN) {
        PlaceAll(t, false);
        RepaintAll(t);
      }
      return previous;
    }
    case TTBLM_GETTABLEVALUE:
      return t->value;
    case TTBLM_SETTABLEVALUE: {
      const DWORD previous = t->value;
      t->value = static_cast<DWORD>(lp);
      RepaintAll(t);
      return previous;
    }
    case TTBLM_GETSTATEARRAY:
      return StateArray(t, wp, lp);
    case TTBLM_CLOSE:
      Notify(t, TTBLN_CLOSE, 0);
      return 1;
    case TTBLM_GETHILITE:
      return t->hilite;
    case TTBLM_GETFOCUS:
      return t->focus;
    case TTBLM_STEPFOCUS: {
      HWND hwnd = t->hwnd;
      t->stepping = true;
      SendMessageW(hwnd, WM_KEYDOWN, static_cast<int>(wp) > 0 ? VK_DOWN : VK_UP, 0);
      if (Alive(hwnd, t)) t->stepping = false;
      return 1;
    }
    case TTBLM_FINDITEM:
      return Find(t, wp, lp);
    case TTBLM_SETHILITE: {
      const int pos = static_cast<int>(wp);
      if (pos != -1 && t->At(pos) == NULL) return -1;
      SetHilite(t, pos, lp != 0);
      return 1;
    }
    case TTBLM_FINDITEMID:
      for (int p = 1; p <= t->Count(); ++p)
        if (t->At(p)->id == static_cast<DWORD>(wp)) return p;
      return -1;
    default:
      return -1;
  }
}

// Column count from a user's sizing rectangle; the rectangle is snapped to the grid.
void Reflow(Table* t, UINT edge, RECT* rc) {
  if (edge != WMSZ_RIGHT && edge != WMSZ_TOPRIGHT && edge != WMSZ_BOTTOMRIGHT) {
    GetWindowRect(t->hwnd, rc);
    if (GetParent(t->hwnd) != NULL && (GetWindowLongW(t->hwnd, GWL_STYLE) & WS_CHILD))
      MapWindowPoints(NULL, GetParent(t->hwnd), reinterpret_cast<POINT*>(rc), 2);
    return;
  }
  const int step = t->cellW + t->sepX;
  int k = step > 0 ? (rc->right - rc->left - t->sepX) / step : 1;
  if (k < 1) k = 1;
  // The longest run of non-span items, the one after the last span item included.
  int longest = 0, run = 0;
  for (const Item* it : t->items) {
    if (it->Span()) {
      longest = std::max(longest, run);
      run = 0;
    } else {
      ++run;
    }
  }
  longest = std::max(longest, run);
  if (longest < k) k = std::max(longest, 1);
  HWND hwnd = t->hwnd;
  if (k != t->cols) {
    t->cols = k;
    AssignSlotsFrom(t, 0);
    if (!Layout(t, false)) return;
    PlaceAll(t, false);
    if (!Notify(t, TTBLN_COLSCHANGED, MAKELONG(t->width, t->height))) return;
    InvalidateRect(hwnd, NULL, TRUE);
    SendMessageW(hwnd, TTBLM_REDRAWALL, 0, 0);
    if (!Alive(hwnd, t)) return;
  }
  rc->right = rc->left + t->sepX + t->cols * step + t->sepX;
  rc->bottom = rc->top + t->sepY + t->rows * (t->cellH + t->sepY) + t->sepY;
}

void Destroy(HWND hwnd, Table* t) {
  if (t->captured) ReleaseMouse(t);
  AttachState(hwnd, NULL);
  delete t;
}

}  // namespace

namespace {

void DropHilite(Table* t) {
  const int was = t->hilite;
  t->hilite = 0;
  if (Item* old = t->At(was)) {
    old->state &= ~TTBLS_HILITED;
    RedrawItem(t, was, true);
  }
}

}  // namespace

void SetHilite(Table* t, int pos, bool skip, bool forward) {
  if (pos == -1) {
    DropHilite(t);
    return;
  }
  if (t->At(pos) == NULL || pos == t->hilite) return;
  DropHilite(t);
  int target = 0;
  if (!skip) {
    const Item* it = t->At(pos);
    if (!it->Disabled() && !it->Neutral()) target = pos;
  } else {
    const int n = t->Count();
    int p = pos;
    for (int i = 0; i < n; ++i) {
      const Item* it = t->At(p);
      if (!it->Disabled() && !it->Neutral()) {
        target = p;
        break;
      }
      if (it->TabStopWindow()) break;
      p = forward ? (p % n) + 1 : (p == 1 ? n : p - 1);
    }
  }
  if (target != 0) {
    t->hilite = target;
    t->At(target)->state |= TTBLS_HILITED;
    RedrawItem(t, target, true);
  }
}

void RemoveFocus(Table* t) {
  Item* it = t->At(t->focus);
  const int was = t->focus;
  t->focus = 0;
  if (it == NULL) return;
  it->state &= ~TTBLS_FOCUSED;
  HWND child = it->Window();
  if (child != NULL && IsWindow(child) && (child == GetFocus() || IsChild(child, GetFocus()))) {
    t->focusHandling = false;
    HWND hwnd = t->hwnd;
    SetFocus(hwnd);
    if (!Alive(hwnd, t)) return;
    t->focusHandling = true;
  }
  RedrawItem(t, was, true);
}

void SetFocusItem(Table* t, int pos, bool skip, bool forward) {
  if (t->At(pos) == NULL || pos == t->focus) return;
  RemoveFocus(t);
  auto takes = [](const Item* it) { return (!it->Disabled() && !it->Neutral()) || it->TabStopWindow(); };
  int target = 0;
  if (!skip) {
    if (takes(t->At(pos))) target = pos;
  } else {
    const int n = t->Count();
    int p = pos;
    for (int i = 0; i < n; ++i) {
      if (takes(t->At(p))) {
        target = p;
        break;
      }
      p = forward ? (p % n) + 1 : (p == 1 ? n : p - 1);
    }
  }
  if (target == 0) return;
  Item* it = t->At(target);
  t->focus = target;
  it->state |= TTBLS_FOCUSED;
  if (it->TabStopWindow()) {
    HWND hwnd = t->hwnd;
    t->focusHandling = false;
    SetFocus(it->Window());
    if (!Alive(hwnd, t)) return;
    t->focusHandling = true;
  }
  RedrawItem(t, target, true);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg >= WM_USER && msg <= TTBLM_FINDITEMID) {
    Table* t = StateOf(hwnd);
    return t != NULL ? HandlePrivate(t, msg, wp, lp) : -1;
  }
  if (msg > TTBLM_FINDITEMID) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: {
      Table* t = new (std::nothrow) Table;
      if (t != NULL) {
        t->hwnd = hwnd;
        AttachState(hwnd, t);
      }
      return 0;
    }
    case WM_DESTROY: {
      if (Table* t = StateOf(hwnd)) Destroy(hwnd, t);
      ::SendNotification(hwnd, TTBLN_DESTROYED, 0);
      return 0;
    }
    case WM_NCDESTROY:
      if (Table* t = StateOf(hwnd)) Destroy(hwnd, t);
      return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_WINDOWPOSCHANGED: {
      Table* t = StateOf(hwnd);
      const WINDOWPOS* wpos = reinterpret_cast<const WINDOWPOS*>(lp);
      if (t != NULL && (wpos->flags & SWP_NOSIZE) == 0) Layout(t, true);
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    case WM_SIZING: {
      Table* t = StateOf(hwnd);
      if (t != NULL && lp != 0) Reflow(t, static_cast<UINT>(wp), reinterpret_cast<RECT*>(lp));
      return TRUE;
    }
    case WM_SIZE: {
      Table* t = StateOf(hwnd);
      if (t != NULL && wp == SIZE_MAXIMIZED) {
        RECT rc = {0, 0, LOWORD(lp), HIWORD(lp)};
        Reflow(t, static_cast<UINT>(wp), &rc);
      }
      return 0;
    }
    default:
      break;
  }
  Table* t = StateOf(hwnd);
  LRESULT result = 0;
  if (t != NULL && HandleWindowMessage(t, msg, wp, lp, &result)) return result;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace tooltable

LRESULT SendNotification(HWND window, UINT code, DWORD_PTR value) {
  HWND parent = GetParent(window);
  if (parent == NULL) return 0;
  tagNM_TOOLTABLE nm = {};
  nm.hdr.hwndFrom = window;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
  nm.hdr.code = code;
  nm.value = value;
  nm.posted = 0;
  return SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

BOOL PostNotification(HWND window, UINT code, DWORD_PTR value) {
  HWND parent = GetParent(window);
  if (parent == NULL) return FALSE;
  tagNM_TOOLTABLE* nm = new (std::nothrow) tagNM_TOOLTABLE();
  if (nm == NULL) return FALSE;
  nm->hdr.hwndFrom = window;
  nm->hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
  nm->hdr.code = code;
  nm->value = value;
  nm->posted = 1;
  if (PostMessageW(parent, WM_NOTIFY, nm->hdr.idFrom, reinterpret_cast<LPARAM>(nm))) return TRUE;
  delete nm;
  return FALSE;
}

BOOL RegisterToolTableClass(HINSTANCE hModule) {
  const quarnel::WindowClassSpec spec = {tooltable::kClassName, CS_GLOBALCLASS | CS_DBLCLKS, tooltable::WindowProc,
                                         4, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))};
  return quarnel::RegisterWindowClass(hModule, spec);
}

BOOL UnregisterToolTableClass(HINSTANCE hModule) {
  return quarnel::UnregisterWindowClass(hModule, tooltable::kClassName);
}
