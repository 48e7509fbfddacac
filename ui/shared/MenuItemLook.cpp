// The look shared by the owner-drawn menus.
#include "MenuItemLook.h"

#include "UIHandles.h"

namespace menulook {

HBRUSH MakeHalftoneBrush() {
  static const WORD kRows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  const uih::OwnedBitmap pattern(::CreateBitmap(8, 8, 1, 1, kRows));
  if (!pattern) return NULL;
  return ::CreatePatternBrush(pattern.Get());  // the brush keeps its own copy of the pattern
}

DCState::DCState(HDC dc)
    : m_dc(dc), m_bkMode(::GetBkMode(dc)), m_text(::GetTextColor(dc)), m_bk(::GetBkColor(dc)),
      m_font(uih::Selection::Adopt(dc, ::GetCurrentObject(dc, OBJ_FONT))) {}

DCState::~DCState() {
  m_font.Restore();
  ::SetBkColor(m_dc, m_bk);
  ::SetTextColor(m_dc, m_text);
  ::SetBkMode(m_dc, m_bkMode);
}

ItemLook BeginItem(HDC dc, const RECT& rect, UINT itemState, bool oldSystem) {
  ItemLook look;
  look.selected = (itemState & ODS_SELECTED) != 0;
  look.disabled = (itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  look.checked = (itemState & ODS_CHECKED) != 0;
  look.menuColour = oldSystem ? COLOR_BTNFACE : COLOR_MENU;
  look.background = look.selected ? COLOR_HIGHLIGHT : look.menuColour;
  look.backgroundColour = ::GetSysColor(look.background);
  look.textColour = ::GetSysColor(look.disabled ? COLOR_GRAYTEXT : look.selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  ::SetBkMode(dc, TRANSPARENT);
  ::FillRect(dc, &rect, ::GetSysColorBrush(look.menuColour));
  return look;
}

void DrawImageBox(HDC dc, const RECT& rect, const ItemLook& look, HBRUSH halftone, POINT& imageAt) {
  RECT box = {rect.left + 1, rect.top, rect.left + kImageBoxRight, rect.bottom};
  if (look.checked) {
    imageAt.x += 1;
    imageAt.y += 1;
    if (halftone != NULL) {
      // The monochrome pattern paints in the DC's text and background colours.
      COLORREF text = ::SetTextColor(dc, ::GetSysColor(COLOR_3DHILIGHT));
      COLORREF bk = ::SetBkColor(dc, ::GetSysColor(COLOR_MENU));
      ::FillRect(dc, &box, halftone);
      ::SetBkColor(dc, bk);
      ::SetTextColor(dc, text);
    }
    ::DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
  } else if (look.selected) {
    ::DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
  }
}

void DrawMenuText(HDC dc, RECT rect, const CString& text, COLORREF colour) {
  ::SetTextColor(dc, colour);
  int tab = text.Find(_T('\t'));
  CString left = tab < 0 ? text : text.Left(tab);
  ::DrawText(dc, left, left.GetLength(), &rect, DT_SINGLELINE | DT_VCENTER);
  if (tab >= 0) {
    CString right = text.Mid(tab + 1);
    ::DrawText(dc, right, right.GetLength(), &rect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
  }
}

void DrawItemText(HDC dc, const RECT& rect, const CString& text, const ItemLook& look, bool image) {
  RECT fill = rect;
  if (image) fill.left = rect.left + kImageBoxRight;
  ::FillRect(dc, &fill, ::GetSysColorBrush(look.background));
  CRect textRect(rect.left + kTextLeft, rect.top, rect.right - kTextRightMargin, rect.bottom);
  if (look.disabled && !(look.selected && look.textColour != look.backgroundColour)) {
    CRect raised = textRect;
    raised.OffsetRect(1, 1);
    DrawMenuText(dc, raised, text, ::GetSysColor(COLOR_3DHILIGHT));
  }
  if (!((look.selected || look.disabled) && look.textColour == look.backgroundColour))
    DrawMenuText(dc, textRect, text, look.textColour);
}

}  // namespace menulook
