// What the menu tests share: the command centre with the test program's tables and a rights
// callback, live-menu readers, the drawing surface and the GDI object count.
#pragma once
#include <gtest/gtest.h>

#include <UICommandCenter.h>
#include <UICoolMenu.h>
#include <dib_canvas.h>
#include <handle_counts.h>

#include <string>
#include <vector>

#include "menu_ids.h"

namespace menus_test {

// Security ids 1004 hide, 1005 disable; everything else is allowed.
inline DWORD Rights(DWORD id) {
  if (id == 1004) return UI_SECURITY_HIDDEN;
  if (id == 1005) return UI_SECURITY_DISABLED;
  return UI_SECURITY_ALLOWED;
}

class MenuTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool once = false;
    if (!once) CUICommandCenter::GetCommandCenter().Init(Rights, 0);
    once = true;
  }
};

inline std::string Narrow(const CString& s) {
  std::string out;
  for (int i = 0; i < s.GetLength(); ++i) out += static_cast<char>(s[i]);
  return out;
}

// One live item as the system holds it.
struct LiveItem {
  UINT id;
  std::string text;
  UINT type, state;
  ULONG_PTR data;
  HMENU sub;
};

inline std::vector<LiveItem> Live(HMENU menu) {
  std::vector<LiveItem> items;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    TCHAR text[256] = {};
    MENUITEMINFO mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU;
    GetMenuItemInfo(menu, i, TRUE, &mii);
    LiveItem item = {mii.wID, "", mii.fType, mii.fState, mii.dwItemData, mii.hSubMenu};
    if (!(mii.fType & (MFT_OWNERDRAW | MFT_SEPARATOR))) {
      GetMenuString(menu, i, text, 256, MF_BYPOSITION);
      item.text = Narrow(CString(text));
    }
    items.push_back(item);
  }
  return items;
}

// Live ids in order (0 separator; a sub-menu shows as its handle's low bits).
inline std::vector<UINT> LiveIds(HMENU menu) {
  std::vector<UINT> ids;
  for (const LiveItem& item : Live(menu)) ids.push_back(item.id);
  return ids;
}

// The surface items are drawn into, and the count of live GDI objects.
using Surface = testing_support::DibCanvas;
using testing_support::GdiObjectCount;

}  // namespace menus_test
