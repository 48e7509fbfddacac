// The customisable toolbar's menus are cool menus: a button's drop-down menu and the menu bar's
// menus are tracked as one, and a change of the system colours rebuilds them with the bar's
// images. These members live beside the menus so that the toolbars need not know them.
#include "UICustToolBar.h"
#include "UICoolMenu.h"

#include <framework.h>

void CCustToolBar::OnSysColorChange() {
  CFlatToolBar::OnSysColorChange();
  // The strip and the image lists were made in the old face colour; the buttons stay.
  RemakeImages();
  CCoolMenu::ReloadMenus();
}

void CCustToolBar::DoMenu(int nID) {
  HWND focus = ::SetFocus(m_hWnd);
  ::KillTimer(m_hWnd, 0xE000);
  ::KillTimer(m_hWnd, 0xE001);
  m_nTrackIndex = nID == 0xDF00 ? -1 : CommandToIndex(static_cast<UINT>(nID));
  do {
    m_bDone = 1;
    HMENU menu = m_nTrackIndex == -1 ? m_hSysMenu : GetButtonMenu(m_nTrackIndex);
    if (menu == NULL) break;
    CRect item(0, 0, 0, 0);
    if (m_nTrackIndex >= 0) GetItemRect(m_nTrackIndex, &item);
    ClientToScreen(&item);
    TPMPARAMS params = {sizeof params, {0, 0, 0, 0}};
    UINT flags = TPM_LEFTALIGN | TPM_LEFTBUTTON;
    CPoint at;
    if (IsHorizontal()) {
      CRect client;
      GetClientRect(&client);
      ClientToScreen(&client);
      client.DeflateRect(2, 2);
      params.rcExclude = client;
      flags |= TPM_VERTICAL;
      at = CPoint(item.left, item.bottom);
    } else {
      params.rcExclude = item;
      at = CPoint(item.right, item.top);
    }
    const UINT buttonId = m_nTrackIndex >= 0 ? GetItemID(m_nTrackIndex) : 0;
    if (buttonId != 0) SendMessage(TB_PRESSBUTTON, buttonId, TRUE);
    m_hMenuOpen = menu;
    m_hMenuSelected = menu;
    m_bSubMenuSelected = 0;
    m_nNextIndex = m_nTrackIndex;
    CCoolMenu::TrackPopupMenuEx(menu, flags, at.x, at.y, this, &params);
    m_hMenuOpen = NULL;
    if (buttonId != 0) SendMessage(TB_PRESSBUTTON, buttonId, FALSE);
    // The next button (set by the menu bar's keys and mouse), wrapping at both ends.
    const int count = GetCount();
    int next = m_nNextIndex;
    if (next < -1 || (next == -1 && m_hSysMenu == NULL)) next = count - 1;
    if (next >= count) next = m_hSysMenu != NULL ? -1 : 0;
    m_nTrackIndex = next;
  } while (!m_bDone);
  if (focus != NULL && ::IsWindow(focus)) ::SetFocus(focus);
  m_hMenuOpen = NULL;
}
