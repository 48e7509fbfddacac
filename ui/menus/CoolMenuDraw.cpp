// Measuring and drawing the items of owner-drawn cool menus, and their shared resources.
#include "CoolMenuResources.h"
#include "UIProcessMode.h"
#include "UICommandCenter.h"
#include "UICoolMenu.h"
#include "UIImages.h"
#include "UIUtilities.h"

#include "MenuItemLook.h"

#include <UIHandles.h>

#include <ulmora.h>

#include <string.h>

using namespace menulook;

namespace {

UlmLogger s_log("ui/UICoolMenu");
const char kDrawItem[] = "void CCoolMenu::DrawItem(LPDRAWITEMSTRUCT)";

// The image steps are traced in the current edition only.
#ifdef UNICODE
#define MENU_TRACE(values) (ULM_LOG(s_log, UlmLogger::Debug, kDrawItem) << values)
#else
#define MENU_TRACE(values) ((void)0)
#endif

bool OldSystem() { return UIGetWindowsVersion() == UIWINVER_NT3; }

// Draws image `index` of a strip (images left, masks right, white where transparent) through
// its mask with three blits from a kept DC: dest ^ image, cleared where the image shows, ^ image
// again leaves dest where the mask is white and the image elsewhere.
bool DrawCachedImage(HDC dc, HDC from, POINT at, HBITMAP strip, int index) {
  BITMAP bm;
  if (from == NULL || strip == NULL || ::GetObject(strip, sizeof bm, &bm) != sizeof bm) return false;
  const int half = bm.bmWidth / 2, h = bm.bmHeight < kImageSize ? bm.bmHeight : kImageSize;
  if (index < 0 || (index + 1) * kImageSize > half) return false;
  uih::Selection selected(from, strip);
  if (!selected) return false;
  const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0)), bk = ::SetBkColor(dc, RGB(255, 255, 255));
  const int x = index * kImageSize;
  const bool ok = ::BitBlt(dc, at.x, at.y, kImageSize, h, from, x, 0, SRCINVERT) &&
                  ::BitBlt(dc, at.x, at.y, kImageSize, h, from, half + x, 0, SRCAND) &&
                  ::BitBlt(dc, at.x, at.y, kImageSize, h, from, x, 0, SRCINVERT);
  ::SetBkColor(dc, bk);
  ::SetTextColor(dc, text);
  return ok;
}

}  // namespace

HBITMAP CCoolMenu::CachedBitmap(WORD bitmapId) {
  HBITMAP strip = NULL;
  if (m_bitmapCache.Lookup(bitmapId, strip)) return strip;
  LPCTSTR name = MAKEINTRESOURCE(bitmapId);
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  HBITMAP loaded = module ? static_cast<HBITMAP>(::LoadImage(module, name, IMAGE_BITMAP, 0, 0,
                                                                LR_CREATEDIBSECTION | LR_DEFAULTSIZE))
                          : NULL;
  MENU_TRACE("CCoolMenu::DrawItem - loaded " << static_cast<unsigned>(bitmapId) << " as "
                                             << static_cast<const void*>(loaded));
  if (loaded == NULL) return NULL;
  strip = ReplaceBitmapColor(loaded, RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE), FALSE);
  ::DeleteObject(loaded);
  MENU_TRACE("CCoolMenu::DrawItem - colours replaced: " << static_cast<const void*>(strip));
  if (strip == NULL) return NULL;
  m_bitmapCache.SetAt(bitmapId, strip);
  return strip;
}

systemMenuData::~systemMenuData() {
  if (hbrHalftone) ::DeleteObject(hbrHalftone);
  if (hilCheck) ImageList_Destroy(hilCheck);
  if (hdcMeasure) ::DeleteDC(hdcMeasure);  // (before the font it holds)
  if (hdcImage) ::DeleteDC(hdcImage);
  if (hFont && bOwnFont) ::DeleteObject(hFont);
}

void CCoolMenu::RefreshMetrics() {
  if (systemMenuData* data = GetSystemMenuData(0)) {
    data->cyMenu = ::GetSystemMetrics(SM_CYMENU);
    data->cxMenuCheck = ::GetSystemMetrics(SM_CXMENUCHECK);
  }
}

systemMenuData* CCoolMenu::GetSystemMenuData(int refresh) {
  static systemMenuData s_data;
  static const bool s_service = IsServiceOnlyProcess();  // the command line does not change
  if (s_service) return &s_data;
  if (!s_data.bMade) {
    s_data.hbrHalftone = MakeHalftoneBrush();
    if (s_data.hbrHalftone == NULL) return NULL;
    LoadMaskedImageList(&s_data.hilCheck, IDB_COOLMENU_CHECK, kImageSize);
    s_data.hdcMeasure = ::CreateCompatibleDC(NULL);
    s_data.hdcImage = ::CreateCompatibleDC(NULL);
    if (OldSystem()) {
      s_data.hFont = UIGetDefaultGUIFont();
      s_data.bOwnFont = FALSE;
    } else {
      GetDefaultLogFont(s_data.lfFont);
      s_data.hFont = ::CreateFontIndirectW(&s_data.lfFont);
      s_data.bOwnFont = s_data.hFont != NULL;
    }
    // The measuring DC keeps the menu font selected for its life (no restore: the DC goes first).
    if (s_data.hdcMeasure && s_data.hFont) ::SelectObject(s_data.hdcMeasure, s_data.hFont);
    s_data.bMade = TRUE;
    RefreshMetrics();
  } else if (refresh && s_data.bOwnFont) {
    // Items follow the current default font; the font is made again only when it changed.
    LOGFONTW lf;
    GetDefaultLogFont(lf);
    if (memcmp(&lf, &s_data.lfFont, sizeof lf) != 0) {
      HFONT font = ::CreateFontIndirectW(&lf);
      if (font != NULL) {
        if (s_data.hdcMeasure) ::SelectObject(s_data.hdcMeasure, font);  // for good; the old font out before it is freed
        ::DeleteObject(s_data.hFont);
        s_data.hFont = font;
        s_data.lfFont = lf;
      }
    }
  }
  return &s_data;
}

void CCoolMenu::DrawMenuText(HDC dc, CRect rect, CString text, COLORREF colour) {
  menulook::DrawMenuText(dc, rect, text, colour);
}

void CCoolMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (mis == NULL) return;
  systemMenuData* data = GetSystemMenuData(1);
  const int menuHeight = data && data->cyMenu ? data->cyMenu : ::GetSystemMetrics(SM_CYMENU);
  const int checkWidth = data && data->cyMenu ? data->cxMenuCheck : ::GetSystemMetrics(SM_CXMENUCHECK);
  if (mis->itemID == 0) {
    mis->itemHeight = menuHeight / 2;
    mis->itemWidth = 0;
    return;
  }
  _COOLMENUITEM* item = Item(static_cast<int>(mis->itemData));
  if (item == NULL) {
    mis->itemHeight = 0;
    mis->itemWidth = 0;
    return;
  }
  RECT rect = {0, 0, 0, 0};
  if (data != NULL && data->hdcMeasure != NULL) {
    ::DrawText(data->hdcMeasure, item->strText, item->strText.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  } else {
    uih::WindowDC screen(NULL);
    ::DrawText(screen.Get(), item->strText, item->strText.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  }
  const int height = rect.bottom - rect.top;
  mis->itemHeight = height > menuHeight ? height : menuHeight;
  mis->itemWidth = (rect.right - rect.left) + 45 + 1 - checkWidth;
}

void CCoolMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == NULL) return;
  _COOLMENUITEM* item = Item(static_cast<int>(dis->itemData));
  if (item == NULL) return;
  HDC dc = dis->hDC;
  const CRect rc(dis->rcItem);
  systemMenuData* data = GetSystemMenuData(1);
  DCState state(dc);
  const ItemLook look = BeginItem(dc, rc, dis->itemState, OldSystem());

  const bool separator = item->nID == 0 && item->hSubMenu == NULL;
  if (separator) {
    RECT line = {rc.left, rc.top + rc.Height() / 2, rc.right, rc.top + rc.Height() / 2 + 2};
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }

  const bool disabled = look.disabled, checked = look.checked;
  const int id = item->hSubMenu ? 0 : item->nID;
  CUICommand* command = id != 0 ? item->pCommand : NULL;

  // The image: a custom command's own bitmap, the command's image from the command centre's
  // lists, or the check mark.
  HIMAGELIST list = NULL;
  int index = 0;
  HBITMAP madeMask = NULL, madeImage = NULL, strip = NULL;
  bool cached = false;
  if (command && command->m_hBitmap && command->IsCustomCommand()) {
    madeMask = CreateMaskOnTheFly(dc, command->m_hBitmap, RGB(0, 128, 128));
    if (madeMask) madeImage = ReplaceBitmapColor(madeMask, RGB(0, 128, 128), ::GetSysColor(COLOR_BTNFACE), TRUE);
    strip = madeImage ? madeImage : command->m_hBitmap;
    index = command->m_wImageIndex;
    MENU_TRACE("CCoolMenu::DrawItem - bitmap " << static_cast<const void*>(command->m_hBitmap) << " mask "
                                                 << static_cast<const void*>(madeMask) << " replaced "
                                                 << static_cast<const void*>(madeImage));
  } else if (command && command->m_wBitmapID != 0) {
    strip = CachedBitmap(command->m_wBitmapID);
    cached = strip != NULL;
    index = command->m_wImageIndex;
    MENU_TRACE("CCoolMenu::DrawItem - picture " << static_cast<unsigned>(command->m_wBitmapID) << " strip "
                                                  << static_cast<const void*>(strip));
  }
  // Both bitmaps made for this draw go when it ends.
  uih::OwnedBitmap ownedMask(madeMask), ownedImage(madeImage);
  if (list == NULL && strip == NULL && checked && !disabled && id != 0 && data != NULL) {
    list = data->hilCheck;
    index = 0;
  }
  const bool image = list != NULL || strip != NULL;

  uih::Selection font(dc, data ? data->hFont : NULL);  // back before the state goes

  if (image) {
    POINT at = {rc.left + 2, rc.top + (rc.Height() - 15) / 2};
    if (!disabled) DrawImageBox(dc, rc, look, data ? data->hbrHalftone : NULL, at);
    BOOL drawn;
    if (list != NULL) {
      RECT cell = {at.x, at.y, at.x + kImageSize, at.y + kImageSize};
      drawn = disabled ? DrawImageListInRect(dc, list, index, &cell, 0x10000)
                       : ImageList_Draw(list, index, dc, at.x, at.y, ILD_TRANSPARENT);
    } else if (disabled) {
      drawn = DrawDisabledBitmap(dc, at.x, at.y, strip, kImageSize, index, false);
    } else if (cached) {
      drawn = DrawCachedImage(dc, data ? data->hdcImage : NULL, at, strip, index);
    } else {
      drawn = DrawImage(dc, at, strip, index, kImageSize, 1);
    }
    if (!drawn) {
      MENU_TRACE("CCoolMenu::DrawItem - image not drawn");
      CleanBitmapCache();
    }
  }

  DrawItemText(dc, rc, item->strText, look, image);
}
