// The tile control's facet menu: owner-drawn items, one per facet of the active master tile
// (item id = facet index, item data = the TileControl), drawn like the cool menus with the
// facet's bitmap and caption.
#pragma once
#include "UICoolMenu.h"
#include "quarnel_api.h"

class QUARNEL_API CFacetMenu : public CMenu {
  DECLARE_DYNAMIC(CFacetMenu)
 public:
  CFacetMenu();
  ~CFacetMenu() override;  // destroys the menu handle

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

  // The facet menus' own drawing resources: the halftone brush and the menu font (the shared
  // default GUI font, never freed here; on an old system a font of its own). NULL when the
  // brush cannot be made.
  static systemMenuData* GetSystemMenuData(int refresh);
  static void DrawMenuText(HDC dc, CRect rect, CString text, COLORREF colour);

  static systemMenuData m_systemMenuData;
};
