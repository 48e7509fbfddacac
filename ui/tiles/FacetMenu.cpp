// The tile control's facet menu: measuring and drawing its items.
#include "FacetMenu.h"

#include "TileControl.h"
#include "UIImages.h"
#include "UIUtilities.h"

#include "MenuItemLook.h"

#include <UIHandles.h>

using namespace menulook;

namespace {

// Windows before version 4, or 3.51: the old look and a font of the menus' own.
bool AskOldSystem() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&info)) return false;
#pragma GCC diagnostic pop
  return info.dwMajorVersion < 4 || info.dwMinorVersion == 51;
}

bool OldSystem() {
  static const bool old = AskOldSystem();
  return old;
}

// The facet of the item: its tile in the active master tile of the control in the item data.
const Tile* FacetOf(ULONG_PTR itemData, UINT itemId) {
  const TileControl* control = reinterpret_cast<const TileControl*>(itemData);
  if (control == NULL) return NULL;
  return control->TileAt(control->GetActiveMasterTile(), static_cast<int>(itemId));
}

}  // namespace

systemMenuData CFacetMenu::m_systemMenuData;

IMPLEMENT_DYNAMIC(CFacetMenu, CMenu)

CFacetMenu::CFacetMenu() {}
CFacetMenu::~CFacetMenu() { DestroyMenu(); }

systemMenuData* CFacetMenu::GetSystemMenuData(int refresh) {
  systemMenuData& data = m_systemMenuData;
  const bool old = OldSystem();
  if (!data.bMade) {
    data.hbrHalftone = MakeHalftoneBrush();
    if (data.hbrHalftone == NULL) return NULL;
    data.bMade = TRUE;
    if (!old) {
      // Shared with the other controls: held, never freed here.
      data.hFont = UIGetDefaultGUIFont();
      data.bOwnFont = FALSE;
      return &data;
    }
  } else if (!refresh || !old) {
    return &data;
  }
  LOGFONTW lf;
  GetDefaultLogFont(lf);
  if (HFONT font = ::CreateFontIndirectW(&lf)) {
    if (data.bOwnFont && data.hFont) ::DeleteObject(data.hFont);
    data.hFont = font;
    data.bOwnFont = TRUE;
    data.lfFont = lf;
  }
  return &data;
}

void CFacetMenu::DrawMenuText(HDC dc, CRect rect, CString text, COLORREF colour) {
  CCoolMenu::DrawMenuText(dc, rect, text, colour);
}

void CFacetMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (mis == NULL || mis->itemData == 0) return;
  const Tile* tile = FacetOf(mis->itemData, mis->itemID);
  if (tile == NULL) return;
  systemMenuData* data = GetSystemMenuData(0);
  uih::WindowDC screen(NULL);
  uih::Selection font(screen.Get(), data ? data->hFont : NULL);
  RECT rect = {0, 0, 0, 0};
  const CString& caption = tile->GetCaption();
  ::DrawText(screen.Get(), caption, caption.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  int height = rect.bottom - rect.top;
  if (height < kImageSize) height = kImageSize;
  const int menuHeight = ::GetSystemMetrics(SM_CYMENU);
  if (height < menuHeight) height = menuHeight;
  mis->itemHeight = static_cast<UINT>(height);
  mis->itemWidth = static_cast<UINT>((rect.right - rect.left) + 45 + 1 - ::GetSystemMetrics(SM_CXMENUCHECK));
}

void CFacetMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == NULL) return;
  const Tile* tile = FacetOf(dis->itemData, dis->itemID);
  if (tile == NULL) return;
  HDC dc = dis->hDC;
  const CRect rc(dis->rcItem);
  systemMenuData* data = GetSystemMenuData(0);
  DCState state(dc);
  const ItemLook look = BeginItem(dc, rc, dis->itemState, OldSystem());
  uih::Selection font(dc, data ? data->hFont : NULL);  // back before the state goes

  HBITMAP bitmap = tile->GetBitmap(NULL, NULL);
  if (bitmap != NULL) {
    POINT at = {rc.left + 2, rc.top + (rc.Height() - kImageSize) / 2};
    if (look.disabled) {
      DrawDisabledBitmap(dc, at.x, at.y, bitmap, kImageSize, 0, false);
    } else {
      DrawImageBox(dc, rc, look, data ? data->hbrHalftone : NULL, at);
      DrawImage(dc, at, bitmap, 0, kImageSize, 1);
    }
  }
  // The text area starts after the image box whether or not the facet has a bitmap.
  DrawItemText(dc, rc, tile->GetCaption(), look, true);
}
