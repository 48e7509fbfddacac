// The look shared by the owner-drawn menus (cool menus, the facet menu and the portable context
// menus): the image box, the item colours and the text with its disabled embossing.
#pragma once
#include <framework.h>

#include "UIHandles.h"

namespace menulook {

const int kImageBoxRight = 20;  // the image box spans left + 1 .. left + 20
const int kTextLeft = 23;
const int kTextRightMargin = 20;
const int kImageSize = 16;

// An 8 x 8 pattern brush of rows alternating 0x5555 and 0xAAAA; NULL on failure.
HBRUSH MakeHalftoneBrush();

// DC state that drawing an item changes, put back at the end of the scope.
class DCState {
 public:
  explicit DCState(HDC dc);
  ~DCState();
  DCState(const DCState&) = delete;
  DCState& operator=(const DCState&) = delete;

 private:
  HDC m_dc;
  int m_bkMode;
  COLORREF m_text, m_bk;
  uih::Selection m_font;  // the DC's own font, selected back at the end
};

struct ItemLook {
  bool selected, disabled, checked;
  int menuColour;  // COLOR_MENU, or COLOR_BTNFACE on an old system
  int background;  // COLOR_HIGHLIGHT when selected, else menuColour
  COLORREF backgroundColour, textColour;
};

// Makes the background mode transparent and fills the item with the menu colour.
ItemLook BeginItem(HDC dc, const RECT& rect, UINT itemState, bool oldSystem);
// The box of an enabled item's image: a checked item gets the halftone box and a sunken edge
// (and its image moves by 1, 1), a selected one a raised edge.
void DrawImageBox(HDC dc, const RECT& rect, const ItemLook& look, HBRUSH halftone, POINT& imageAt);
// The text up to the first tab left-aligned, the rest (the hot key) right-aligned.
void DrawMenuText(HDC dc, RECT rect, const CString& text, COLORREF colour);
// Fills the text area (from the image box when there is an image) and draws the text: a
// disabled item first in light colour offset by 1, 1 (unless selected with a visible text
// colour); nothing when a selected or disabled text would not show on its background.
void DrawItemText(HDC dc, const RECT& rect, const CString& text, const ItemLook& look, bool image);

}  // namespace menulook
