// CMenu: the permanent map, temporary objects, and owner-drawn items reaching their CMenu.
#include <framework.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordingMenu : public CMenu {
 public:
  std::vector<UINT> measured, drawn;
  std::vector<ULONG_PTR> measuredData;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    measured.push_back(mis->itemID);
    measuredData.push_back(mis->itemData);
    mis->itemWidth = 50;
    mis->itemHeight = 20;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(dis->itemID); }
};

TEST(CMenuMaps, CreatedMenusArePermanentAndDestroyedWithTheirObject) {
  HMENU h;
  {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    h = menu.m_hMenu;
    EXPECT_EQ(CMenu::FromHandle(h), &menu);
    EXPECT_EQ(CMenu::FromHandlePermanent(h), &menu);
    EXPECT_FALSE(menu.CreatePopupMenu());  // already holds one
  }
  EXPECT_FALSE(::IsMenu(h));
  EXPECT_EQ(CMenu::FromHandlePermanent(h), nullptr);
}

TEST(CMenuMaps, DetachLeavesTheMenuAndTheMap) {
  CMenu menu;
  ASSERT_TRUE(menu.CreateMenu());
  HMENU h = menu.Detach();
  EXPECT_TRUE(::IsMenu(h));
  EXPECT_EQ(CMenu::FromHandlePermanent(h), nullptr);
  CMenu* temp = CMenu::FromHandle(h);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hMenu, h);
  FwDeleteTempMaps();
  EXPECT_TRUE(::IsMenu(h));  // temporary objects never destroy the menu
  // A handle can have one permanent object only.
  CMenu a, b;
  EXPECT_TRUE(a.Attach(h));
  EXPECT_FALSE(b.Attach(h));
  EXPECT_EQ(CMenu::FromHandle(h), &a);
}

TEST(CMenuMaps, SubMenusAndStrings) {
  CMenu bar, popup;
  ASSERT_TRUE(bar.CreateMenu());
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, 101, _T("&Open"));
  popup.AppendMenu(MF_SEPARATOR);
  popup.AppendMenu(MF_STRING | MF_GRAYED, 102, _T("Close\tCtrl+W"));
  ASSERT_TRUE(bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.m_hMenu, _T("&File")));
  HMENU sub = popup.Detach();  // the bar owns it now
  EXPECT_EQ(bar.GetMenuItemCount(), 1u);
  CMenu* got = bar.GetSubMenu(0);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(got->m_hMenu, sub);
  EXPECT_EQ(got->GetMenuItemCount(), 3u);
  EXPECT_EQ(got->GetMenuItemID(2), 102u);
  CString text;
  EXPECT_EQ(got->GetMenuString(102, text, MF_BYCOMMAND), 12);
  EXPECT_EQ(text, CString(_T("Close\tCtrl+W")));
  EXPECT_TRUE(got->GetMenuState(102, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(got->GetMenuString(999, text, MF_BYCOMMAND), 0);
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_EQ(bar.GetSubMenu(5), nullptr);
  FwDeleteTempMaps();
}

// A plain window procedure that hands menu owner-draw messages on, as a window's default
// handling does.
LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MEASUREITEM && FwMenuMeasureItem(hWnd, (LPMEASUREITEMSTRUCT)lParam)) return TRUE;
  if (msg == WM_DRAWITEM && FwMenuDrawItem((LPDRAWITEMSTRUCT)lParam)) return TRUE;
  return ::DefWindowProc(hWnd, msg, wParam, lParam);
}

HWND MakeOwner(WNDPROC proc) {
  WNDCLASS wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandle(NULL);
  wc.lpszClassName = _T("FwGdiMenuOwner");
  ::RegisterClass(&wc);
  return ::CreateWindow(_T("FwGdiMenuOwner"), _T("owner"), WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL,
                        wc.hInstance, NULL);
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(NULL, id);
  ::EndMenu();
}

TEST(CMenuOwnerDraw, MeasureAndDrawOfATrackedPopupReachItsObject) {
  HWND owner = MakeOwner(OwnerProc);
  ASSERT_NE(owner, nullptr);
  RecordingMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_OWNERDRAW, 201, (LPCTSTR)(ULONG_PTR)0x1234);
  menu.AppendMenu(MF_OWNERDRAW, 202, (LPCTSTR)(ULONG_PTR)0x5678);
  ::SetTimer(NULL, 0, 50, CloseMenu);
  CWnd* wnd = CWnd::FromHandle(owner);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 10, 10, wnd);
  ASSERT_EQ(menu.measured.size(), 2u);
  EXPECT_EQ(menu.measured[0], 201u);
  EXPECT_EQ(menu.measuredData[1], (ULONG_PTR)0x5678);
  EXPECT_FALSE(menu.drawn.empty());
  ::DestroyWindow(owner);
  FwDeleteTempMaps();
}

TEST(CMenuOwnerDraw, AFrameworkWindowHandsItemsToTheMenuByDefault) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
  RecordingMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_OWNERDRAW, 211, (LPCTSTR)(ULONG_PTR)0x42);
  ::SetTimer(NULL, 0, 50, CloseMenu);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 10, 10, &owner);
  ASSERT_EQ(menu.measured.size(), 1u);
  EXPECT_EQ(menu.measuredData[0], (ULONG_PTR)0x42);
  EXPECT_FALSE(menu.drawn.empty());
  owner.DestroyWindow();
}

TEST(CMenuOwnerDraw, TheInnermostMenuOfTheWindowMenuBarAnswers) {
  HWND owner = MakeOwner(OwnerProc);
  ASSERT_NE(owner, nullptr);
  CMenu bar;
  RecordingMenu popup;
  ASSERT_TRUE(bar.CreateMenu());
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_OWNERDRAW, 301, (LPCTSTR)(ULONG_PTR)7);
  bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.m_hMenu, _T("Menu"));
  ::SetMenu(owner, bar.m_hMenu);

  MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 301, 0, 0, 7};
  EXPECT_EQ(::SendMessage(owner, WM_MEASUREITEM, 0, (LPARAM)&mis), TRUE);
  ASSERT_EQ(popup.measured.size(), 1u);
  EXPECT_EQ(mis.itemHeight, 20u);

  // An item no permanent menu holds is left to the window.
  MEASUREITEMSTRUCT other = {ODT_MENU, 0, 999, 0, 0, 7};
  EXPECT_FALSE(FwMenuMeasureItem(owner, &other));

  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_MENU;
  dis.itemID = 301;
  dis.hwndItem = (HWND)popup.m_hMenu;
  EXPECT_TRUE(FwMenuDrawItem(&dis));
  ASSERT_EQ(popup.drawn.size(), 1u);
  dis.hwndItem = (HWND)bar.m_hMenu;
  EXPECT_TRUE(FwMenuDrawItem(&dis));  // the bar's CMenu: the default draws nothing
  EXPECT_EQ(popup.drawn.size(), 1u);

  ::SetMenu(owner, NULL);
  popup.Detach();  // destroyed with the bar
  ::DestroyWindow(owner);
}

}  // namespace
