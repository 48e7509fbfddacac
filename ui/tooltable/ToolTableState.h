// The state of one tool-table window and the operations that its message handlers share.
#pragma once
#include "ToolTable.h"

#include <vector>

namespace tooltable {

struct Item {
  virtual ~Item();
  // Frees the object when the table owns it.
  void ReleaseObject();
  bool Disabled() const { return (state & TTBLS_DISABLED) != 0; }
  bool Neutral() const { return (flags & TTBLF_NEUTRAL) != 0; }
  bool Span() const { return (flags & TTBLF_SPAN) != 0; }
  HWND Window() const { return type == TTBL_WINDOW ? static_cast<HWND>(object) : NULL; }
  // A window item whose child is a tab stop.
  bool TabStopWindow() const {
    HWND w = Window();
    return w != NULL && IsWindow(w) && (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) != 0;
  }

  WORD type = 0;
  DWORD flags = 0, id = 0;
  HANDLE object = NULL;
  DWORD state = 0;
  RECT rect = {0, 0, 0, 0};
  DWORD data = 0;
  int row = 0, col = 0;  // grid place of the last layout (col -1 for a span item)
};

struct Table {
  virtual ~Table();

  HWND hwnd = NULL;
  std::vector<Item*> items;  // display order; position p is items[p - 1]
  int rows = 0;
  int cols = 1;
  int spanCount = 0;
  int width = 0, height = 0;
  DWORD style = 0;
  DWORD value = 0;
  short sepX = 4, sepY = 4;
  short cellW = 16, cellH = 16;
  int hilite = 0, selected = 0, focus = 0;
  bool focusHandling = true;
  bool stepping = false;
  bool captured = false;
  bool redraw = true;  // WM_SETREDRAW
  HWND previousCapture = NULL;
  HFONT font = NULL;  // WM_SETFONT (not owned)
  // Hits of this table only: the last left press, right press and hover.
  tagTT_CLICKSTRUCT leftPress = {TTBLHT_OUTSIDE, 0, {0}};
  tagTT_CLICKSTRUCT rightPress = {TTBLHT_OUTSIDE, 0, {0}};
  tagTT_CLICKSTRUCT hover = {TTBLHT_OUTSIDE, 0, {0}};
  // The child that received a forwarded button press, which gets the release too.
  HWND pressedChild = NULL;

  int Count() const { return static_cast<int>(items.size()); }
  Item* At(int pos) const { return pos >= 1 && pos <= Count() ? items[pos - 1] : NULL; }
};

// The state attached to the window, NULL when none.
Table* StateOf(HWND hwnd);
// True while the window still carries this state (a notification's receiver may destroy it).
bool Alive(HWND hwnd, const Table* t);
// Sends a notification; false when the table did not survive it.
bool Notify(Table* t, UINT code, DWORD_PTR value);

// Drawing (ToolTableDraw.cpp).
// Draws one item now on a DC of the window (nothing while redrawing is off or hidden).
void RedrawItem(Table* t, int pos, bool content);
// Paints the items whose frames meet `clip` (all when NULL) on the DC.
void PaintItems(Table* t, HDC dc, const RECT* clip);
void HitTest(const Table* t, POINT pt, tagTT_CLICKSTRUCT* hit);

// State rules (ToolTable.cpp).
void SetHilite(Table* t, int pos, bool skip, bool forward = true);
void SetFocusItem(Table* t, int pos, bool skip, bool forward = true);
void RemoveFocus(Table* t);

// Input and the other window messages (ToolTableInput.cpp); true when handled.
bool HandleWindowMessage(Table* t, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
void ReleaseMouse(Table* t);

}  // namespace tooltable
