// Measuring and drawing the items of owner-drawn cool menus, and their shared resources.
#include "CoolMenuResources.h"
#include "GUIInitialisations.h"
#include "UICommandCenter.h"
#include "UICoolMenu.h"
#include "UIImages.h"
#include "UIUtilities.h"

#include <ulmora.h>

#include <string.h>

namespace {

UlmLogger s_log("ui/UICoolMenu");
const char kDrawItem[] = "void CCoolMenu::DrawItem(LPDRAWITEMSTRUCT)";

// The image steps are traced in the current edition only.
#ifdef UNICODE
#define MENU_TRACE(values) (ULM_LOG(s_log, UlmLogger::Debug, kDrawItem) << values)
#else
#define MENU_TRACE(values) ((void)0)
#endif

const int kImageBoxRight = 20;  // the image box spans left + 1 .. left + 20
const int kTextLeft = 23;
const int kTextRightMargin = 20;
const int kImageSize = 16;

bool OldSystem() { return UIGetWindowsVersion() == UIWINVER_NT3; }

// DC state that drawing changes, put back at the end of the scope.
class DCState {
 public:
  explicit DCState(HDC dc)
      : m_dc(dc), m_bkMode(::GetBkMode(dc)), m_text(::GetTextColor(dc)), m_bk(::GetBkColor(dc)),
        m_font(::GetCurrentObject(dc, OBJ_FONT)) {}
  ~DCState() {
    ::SelectObject(m_dc, m_font);
    ::SetBkColor(m_dc, m_bk);
    ::SetTextColor(m_dc, m_text);
    ::SetBkMode(m_dc, m_bkMode);
  }
  DCState(const DCState&) = delete;
  DCState& operator=(const DCState&) = delete;

 private:
  HDC m_dc;
  int m_bkMode;
  COLORREF m_text, m_bk;
  HGDIOBJ m_font;
};

// A bitmap made for one draw.
class OwnedBitmap {
 public:
  explicit OwnedBitmap(HBITMAP h = NULL) : m_h(h) {}
  ~OwnedBitmap() {
    if (m_h) ::DeleteObject(m_h);
  }
  OwnedBitmap(const OwnedBitmap&) = delete;
  OwnedBitmap& operator=(const OwnedBitmap&) = delete;
  HBITMAP get() const { return m_h; }

 private:
  HBITMAP m_h;
};

void FillSys(HDC dc, const RECT& rect, int colourIndex) { ::FillRect(dc, &rect, ::GetSysColorBrush(colourIndex)); }

// The halftone box behind a checked image: COLOR_3DHILIGHT on COLOR_MENU.
void FillHalftone(HDC dc, const RECT& box, HBRUSH halftone) {
  if (halftone == NULL) return;
  COLORREF text = ::SetTextColor(dc, ::GetSysColor(COLOR_3DHILIGHT));
  COLORREF bk = ::SetBkColor(dc, ::GetSysColor(COLOR_MENU));
  ::FillRect(dc, &box, halftone);
  ::SetBkColor(dc, bk);
  ::SetTextColor(dc, text);
}

}  // namespace

systemMenuData::~systemMenuData() {
  if (hbrHalftone) ::DeleteObject(hbrHalftone);
  if (hilCheck) ImageList_Destroy(hilCheck);
  if (hFont && bOwnFont) ::DeleteObject(hFont);
}

systemMenuData* CCoolMenu::GetSystemMenuData(int refresh) {
  static systemMenuData s_data;
  if (IsServiceOnlyProcess()) return &s_data;
  if (!s_data.bMade) {
    static const WORD kRows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, kRows);
    if (pattern == NULL) return NULL;
    s_data.hbrHalftone = ::CreatePatternBrush(pattern);
    ::DeleteObject(pattern);
    if (s_data.hbrHalftone == NULL) return NULL;
    LoadMaskedImageList(&s_data.hilCheck, IDB_COOLMENU_CHECK, kImageSize);
    if (OldSystem()) {
      s_data.hFont = UIGetDefaultGUIFont();
      s_data.bOwnFont = FALSE;
    } else {
      GetDefaultLogFont(s_data.lfFont);
      s_data.hFont = ::CreateFontIndirectW(&s_data.lfFont);
      s_data.bOwnFont = s_data.hFont != NULL;
    }
    s_data.bMade = TRUE;
  } else if (refresh && s_data.bOwnFont) {
    // Items follow the current default font; the font is made again only when it changed.
    LOGFONTW lf;
    GetDefaultLogFont(lf);
    if (memcmp(&lf, &s_data.lfFont, sizeof lf) != 0) {
      HFONT font = ::CreateFontIndirectW(&lf);
      if (font != NULL) {
        ::DeleteObject(s_data.hFont);
        s_data.hFont = font;
        s_data.lfFont = lf;
      }
    }
  }
  return &s_data;
}

void CCoolMenu::DrawMenuText(HDC dc, CRect rect, CString text, COLORREF colour) {
  ::SetTextColor(dc, colour);
  int tab = text.Find(_T('\t'));
  CString left = tab < 0 ? text : text.Left(tab);
  ::DrawText(dc, left, left.GetLength(), &rect, DT_SINGLELINE | DT_VCENTER);
  if (tab >= 0) {
    CString right = text.Mid(tab + 1);
    ::DrawText(dc, right, right.GetLength(), &rect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
  }
}

void CCoolMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (mis == NULL) return;
  if (mis->itemID == 0) {
    mis->itemHeight = ::GetSystemMetrics(SM_CYMENU) / 2;
    mis->itemWidth = 0;
    return;
  }
  _COOLMENUITEM* item = Item(static_cast<int>(mis->itemData));
  if (item == NULL) {
    mis->itemHeight = 0;
    mis->itemWidth = 0;
    return;
  }
  systemMenuData* data = GetSystemMenuData(1);
  HDC screen = ::GetDC(NULL);
  HGDIOBJ oldFont = data && data->hFont ? ::SelectObject(screen, data->hFont) : NULL;
  RECT rect = {0, 0, 0, 0};
  ::DrawText(screen, item->strText, item->strText.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  if (oldFont) ::SelectObject(screen, oldFont);
  ::ReleaseDC(NULL, screen);
  const int height = rect.bottom - rect.top;
  const int menuHeight = ::GetSystemMetrics(SM_CYMENU);
  mis->itemHeight = height > menuHeight ? height : menuHeight;
  mis->itemWidth = (rect.right - rect.left) + 45 + 1 - ::GetSystemMetrics(SM_CXMENUCHECK);
}

void CCoolMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == NULL) return;
  _COOLMENUITEM* item = Item(static_cast<int>(dis->itemData));
  if (item == NULL) return;
  HDC dc = dis->hDC;
  const CRect rc(dis->rcItem);
  systemMenuData* data = GetSystemMenuData(1);
  DCState state(dc);
  ::SetBkMode(dc, TRANSPARENT);
  const int menuColour = OldSystem() ? COLOR_BTNFACE : COLOR_MENU;
  FillSys(dc, rc, menuColour);

  const bool separator = item->nID == 0 && item->hSubMenu == NULL;
  if (separator) {
    RECT line = {rc.left, rc.top + rc.Height() / 2, rc.right, rc.top + rc.Height() / 2 + 2};
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }

  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  const bool disabled = (dis->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  const bool checked = (dis->itemState & ODS_CHECKED) != 0;
  const int id = item->hSubMenu ? 0 : item->nID;
  CUICommand* command = id != 0 ? item->pCommand : NULL;

  // The image: a custom command's own bitmap, the command's image from the command centre's
  // lists, or the check mark.
  HIMAGELIST list = NULL;
  int index = 0;
  HBITMAP madeMask = NULL, madeImage = NULL, strip = NULL;
  if (command && command->m_hBitmap && command->IsCustomCommand()) {
    madeMask = CreateMaskOnTheFly(dc, command->m_hBitmap, RGB(0, 128, 128));
    if (madeMask) madeImage = ReplaceBitmapColor(madeMask, RGB(0, 128, 128), ::GetSysColor(COLOR_BTNFACE), TRUE);
    strip = madeImage ? madeImage : command->m_hBitmap;
    index = command->m_wImageIndex;
    MENU_TRACE("CCoolMenu::DrawItem - bitmap " << static_cast<const void*>(command->m_hBitmap) << " mask "
                                                 << static_cast<const void*>(madeMask) << " replaced "
                                                 << static_cast<const void*>(madeImage));
  } else if (command && command->m_wBitmapID != 0) {
    CImageList* images = CUICommandCenter::GetCommandCenter().GetImageList(command->m_wID);
    list = images ? images->GetSafeHandle() : NULL;
    index = command->m_wImageIndex;
    MENU_TRACE("CCoolMenu::DrawItem - picture " << static_cast<unsigned>(command->m_wBitmapID) << " list "
                                                  << static_cast<const void*>(list));
  }
  // Both bitmaps made for this draw go when it ends.
  OwnedBitmap ownedMask(madeMask), ownedImage(madeImage);
  if (list == NULL && strip == NULL && checked && !disabled && id != 0 && data != NULL) {
    list = data->hilCheck;
    index = 0;
  }
  const bool image = list != NULL || strip != NULL;

  const int bgColour = selected ? COLOR_HIGHLIGHT : menuColour;
  const COLORREF bg = ::GetSysColor(bgColour);
  const COLORREF text = ::GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  if (data && data->hFont) ::SelectObject(dc, data->hFont);

  if (image) {
    RECT box = {rc.left + 1, rc.top, rc.left + kImageBoxRight, rc.bottom};
    POINT at = {rc.left + 2, rc.top + (rc.Height() - 15) / 2};
    if (!disabled) {
      if (checked) {
        at.x += 1;
        at.y += 1;
        FillHalftone(dc, box, data ? data->hbrHalftone : NULL);
        ::DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
      } else if (selected) {
        ::DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
      }
    }
    BOOL drawn;
    if (list != NULL) {
      RECT cell = {at.x, at.y, at.x + kImageSize, at.y + kImageSize};
      drawn = disabled ? DrawImageListInRect(dc, list, index, &cell, 0x10000)
                       : ImageList_Draw(list, index, dc, at.x, at.y, ILD_TRANSPARENT);
    } else {
      drawn = disabled ? DrawDisabledBitmap(dc, at.x, at.y, strip, kImageSize, index, false)
                       : DrawImage(dc, at, strip, index, kImageSize, 1);
    }
    if (!drawn) {
      MENU_TRACE("CCoolMenu::DrawItem - image not drawn");
      CleanBitmapCache();
    }
  }

  RECT fill = rc;
  if (image) fill.left = rc.left + kImageBoxRight;
  FillSys(dc, fill, bgColour);
  CRect textRect(rc.left + kTextLeft, rc.top, rc.right - kTextRightMargin, rc.bottom);
  if (disabled && !(selected && text != bg)) {
    CRect raised = textRect;
    raised.OffsetRect(1, 1);
    DrawMenuText(dc, raised, item->strText, ::GetSysColor(COLOR_3DHILIGHT));
  }
  if (!((selected || disabled) && text == bg)) DrawMenuText(dc, textRect, item->strText, text);
}
