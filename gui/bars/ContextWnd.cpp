// Showing a context menu: the popup built from the item list, drawn owner-drawn in the look of
// the library's menus, tracked from a hidden window.
#include <brevin.h>
#include <ulmora.h>

#include <cwctype>
#include <string>
#include <unordered_set>

#include "ContextMenuItem.h"
#include "QvRootView.h"
#include "MenuItemLook.h"
#include "UIHandles.h"
#include "UITrace.h"
#include "UIUtilities.h"

namespace {

UlmLogger s_log("ContextMenu");

// Menu ids are item indexes plus one: TrackPopupMenu answers 0 for "nothing chosen".
UINT MenuId(long index) { return static_cast<UINT>(index + 1); }

// Commands of the main window's MDI window list pass through the context window.
bool IsWindowListCommand(UINT id) { return id >= 0xE210 && id <= 0xE21F; }

// The mnemonic letters used so far in the menu being built (emptied by each Run).
std::unordered_set<wchar_t>& Mnemonics() {
  static std::unordered_set<wchar_t> s_used(17);
  return s_used;
}

// The mnemonic letter of a menu text ('&' before a character other than '&'), folded to
// upper case; 0 when there is none. pos receives the ampersand's place.
wchar_t Mnemonic(const std::wstring& text, size_t* pos = nullptr) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;  // a written ampersand
      continue;
    }
    if (pos) *pos = i;
    return static_cast<wchar_t>(std::towupper(text[i + 1]));
  }
  return 0;
}

// The item data of an owner-drawn item: its text as the menu had it after the update pass.
struct DrawnItem {
  CString text;
  bool radio;
};

}  // namespace

// The drawing resources and item texts of one Run.
struct QvContextMenu::Look {
  uih::OwnedFont font;
  uih::OwnedFont marlett;
  uih::OwnedBrush halftone;
  std::vector<std::unique_ptr<DrawnItem>> items;
  Look() {
    LOGFONTW lf;
    GetDefaultLogFont(lf);
    font.Reset(::CreateFontIndirectW(&lf));
    LOGFONTW symbols = {};
    symbols.lfHeight = -(menulook::kImageSize - 4);
    symbols.lfCharSet = SYMBOL_CHARSET;
    wcscpy(symbols.lfFaceName, L"Marlett");
    marlett.Reset(::CreateFontIndirectW(&symbols));
    halftone.Reset(menulook::MakeHalftoneBrush());
  }
};

BEGIN_MESSAGE_MAP(CContextWnd, CWnd)
  ON_WM_RBUTTONUP()
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
  ON_WM_MENUCHAR()
END_MESSAGE_MAP()

BOOL CContextWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  if (IsWindowListCommand(id)) {
    if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, wParam, lParam);
  } else if (m_pMenu) {
    m_pMenu->m_result = static_cast<int>(id) - 1;
  }
  return TRUE;
}

void CContextWnd::OnRButtonUp(UINT, CPoint) {
  // (Never while the popup is tracked: the menu loop still uses it.)
  if (m_pMenu && !m_pMenu->m_tracking) m_pMenu->m_menu.DestroyMenu();
}

void CContextWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT mis) {
  if (!m_pMenu || !m_pMenu->m_look || !mis || mis->CtlType != ODT_MENU) return;
  const DrawnItem* item = reinterpret_cast<const DrawnItem*>(mis->itemData);
  if (!item) return;
  const uih::OwnedDC dc(::CreateCompatibleDC(NULL));
  RECT rect = {0, 0, 0, 0};
  if (dc) {
    const uih::Selection font(dc.Get(), m_pMenu->m_look->font.Get());  // none without a font of its own
    ::DrawText(dc.Get(), item->text, item->text.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  }
  const int menuHeight = ::GetSystemMetrics(SM_CYMENU);
  const int height = rect.bottom - rect.top;
  mis->itemHeight = height > menuHeight ? height : menuHeight;
  mis->itemWidth = (rect.right - rect.left) + 45 + 1 - ::GetSystemMetrics(SM_CXMENUCHECK);
}

void CContextWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
  if (!m_pMenu || !m_pMenu->m_look || !dis || dis->CtlType != ODT_MENU) return;
  const DrawnItem* item = reinterpret_cast<const DrawnItem*>(dis->itemData);
  if (!item) return;
  const QvContextMenu::Look& look = *m_pMenu->m_look;
  HDC dc = dis->hDC;
  const RECT rc = dis->rcItem;
  menulook::DCState state(dc);
  const menulook::ItemLook itemLook = menulook::BeginItem(dc, rc, dis->itemState, false);
  const uih::Selection font(dc, look.font.Get());  // none when the menu has no font of its own
  // A checked, enabled item shows its mark in the image box, as the other menus do.
  const bool image = itemLook.checked && !itemLook.disabled;
  if (image) {
    POINT at = {rc.left + 2, rc.top + (rc.bottom - rc.top - 15) / 2};
    menulook::DrawImageBox(dc, rc, itemLook, look.halftone.Get(), at);
    if (look.marlett) {
      const uih::Selection marlett(dc, look.marlett.Get());
      RECT box = {at.x, at.y, at.x + menulook::kImageSize, at.y + menulook::kImageSize};
      ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
      ::DrawTextW(dc, item->radio ? L"h" : L"a", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  menulook::DrawItemText(dc, rc, item->text, itemLook, image);
}

LRESULT CContextWnd::OnMenuChar(UINT character, UINT, CMenu* menu) {
  HMENU handle = menu ? menu->GetSafeHmenu() : NULL;
  if (!handle) return 0;
  const wchar_t wanted = Mnemonic(std::wstring(L"&") + static_cast<wchar_t>(character));
  const int count = ::GetMenuItemCount(handle);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
    if (!::GetMenuItemInfoW(handle, static_cast<UINT>(i), TRUE, &info) || !(info.fType & MFT_OWNERDRAW)) continue;
    const DrawnItem* item = reinterpret_cast<const DrawnItem*>(info.dwItemData);
    if (!item || (info.fState & MFS_DISABLED)) continue;
    if (Mnemonic(std::wstring(CStringW(item->text))) == wanted) return MAKELRESULT(i, MNC_EXECUTE);
  }
  return 0;
}

QvContextMenu::QvContextMenu(QvRootView* view) : QvRootContextMenu(view) { MakeWindow(); }

QvContextMenu::~QvContextMenu() {
  m_menu.DestroyMenu();
  if (m_wnd.GetSafeHwnd()) m_wnd.DestroyWindow();
}

bool QvContextMenu::MakeWindow() {
  if (m_wnd.GetSafeHwnd()) return true;
  // Every style but WS_VISIBLE: never shown, and no parent is needed.
  if (m_wnd.CreateEx(0, NULL, _T("MenuWindow"), 0xEFFFFFFF, 0, 0, 0, 0, NULL, 0, NULL)) return true;
  UI_TRACE_FAILED(s_log, "CreateEx");
  return false;
}

void QvContextMenu::MakeMenu(CMenu* menu, long& index, short level) {
  HMENU handle = menu->GetSafeHmenu();
  const long count = m_items.GetSize();
  while (index < count) {
    Item* item = ItemAt(index);
    if (item->level < level) return;  // this level ends
    const bool parent = index + 1 < count && ItemAt(index + 1)->level > item->level;
    if (item->level > level || (item->flags & QvCtxHidden)) {
      // A hidden item takes its descendants with it.
      long last = parent ? GetLastDescendant(index) : index;
      index = (last < 0 ? index : last) + 1;
      continue;
    }
    if (item->text && !gOrgInfo.GetOrgDBCS()) {
      std::wstring text = item->text->ToWide();
      size_t amp = 0;
      if (wchar_t letter = Mnemonic(text, &amp)) {
        if (!Mnemonics().insert(letter).second) {
          // The letter is taken: this item loses its ampersand for good.
          text.erase(amp, 1);
          *item->text = QvString(text.c_str());
        }
      }
    }
    const UINT state = (item->flags & QvCtxDisabled) ? (MF_GRAYED | MF_DISABLED) : 0;
    if (parent) {
      CMenu popup;
      if (!popup.CreatePopupMenu()) {
        UI_TRACE_FAILED(s_log, "CreatePopupMenu");
        index = GetLastDescendant(index) + 1;
        continue;
      }
      ++index;
      MakeMenu(&popup, index, static_cast<short>(item->level + 1));
      HMENU sub = popup.Detach();
      ::AppendMenuW(handle, MF_BYPOSITION | MF_POPUP | state, reinterpret_cast<UINT_PTR>(sub),
                    item->text->ToWide().c_str());
      continue;
    }
    const int items = ::GetMenuItemCount(handle);
    if (item->text) {
      const UINT checked = (item->flags & QvCtxChecked) ? MF_CHECKED : 0;
      ::AppendMenuW(handle, MF_BYPOSITION | MF_STRING | state | checked, MenuId(index), item->text->ToWide().c_str());
      CWnd* main = AfxGetMainWnd();
      if (item->commandId && main) {
        // The framework's update pass may still enable, disable, check or rename the item.
        CCmdUI probe;
        probe.m_nID = item->commandId;
        probe.m_pMenu = menu;
        probe.m_nIndex = static_cast<UINT>(items);
        probe.m_nIndexMax = static_cast<UINT>(items + 1);
        probe.DoUpdate(main, FALSE);
      }
    } else if (items > 0 && !(::GetMenuState(handle, static_cast<UINT>(items - 1), MF_BYPOSITION) & MF_SEPARATOR)) {
      ::AppendMenuW(handle, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    }
    ++index;
  }
}

void QvContextMenu::MakeOwnerDrawn(HMENU menu) {
  // A trailing separator goes first.
  int count = ::GetMenuItemCount(menu);
  while (count > 0 && (::GetMenuState(menu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_SEPARATOR) &&
         !::GetSubMenu(menu, count - 1))
    ::DeleteMenu(menu, static_cast<UINT>(--count), MF_BYPOSITION);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    std::wstring text(info.cch + 1, L'\0');  // the whole text, however long
    info.dwTypeData = &text[0];
    info.cch = static_cast<UINT>(text.size());
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu);
    m_look->items.push_back(std::unique_ptr<DrawnItem>(new DrawnItem{CString(text.c_str()), (info.fType & MFT_RADIOCHECK) != 0}));
    MENUITEMINFOW drawn = {};
    drawn.cbSize = sizeof drawn;
    drawn.fMask = MIIM_FTYPE | MIIM_DATA;
    drawn.fType = (info.fType & MFT_RADIOCHECK) | MFT_OWNERDRAW;
    drawn.dwItemData = reinterpret_cast<ULONG_PTR>(m_look->items.back().get());
    ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &drawn);
  }
}

long QvContextMenu::Run(long x, long y) {
  m_result = -1;
  if (!MakeWindow()) return -1;
  m_menu.DestroyMenu();
  if (!m_menu.CreatePopupMenu()) {
    UI_TRACE_FAILED(s_log, "CreatePopupMenu");
    m_wnd.DestroyWindow();
    return -1;
  }
  POINT at = {x, y};
  if (x == -1) {
    ::GetCursorPos(&at);
  } else if (m_view) {
    // A point of the view's document, on the screen.
    QvPoint p(x, y);
    m_view->QvImageToScreenPoint(p);
    at = POINT{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
  }
  Mnemonics().clear();
  long index = 0;
  MakeMenu(&m_menu, index, 0);
  m_look.reset(new Look);
  MakeOwnerDrawn(m_menu.GetSafeHmenu());
  if (m_menu.GetMenuItemCount() > 0) {
    m_wnd.SetMenu(this);
    m_tracking = true;
    // The choice comes back from the menu itself: no message carries it, none can be lost.
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(m_menu.GetSafeHmenu(), TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                         at.x, at.y, 0, m_wnd.GetSafeHwnd(), NULL));
    m_tracking = false;
    if (chosen != 0) m_result = static_cast<int>(chosen) - 1;
  }
  m_menu.DestroyMenu();
  m_wnd.DestroyWindow();
  m_look.reset();
  return m_result;
}
