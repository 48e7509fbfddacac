// What the menu tests share: the command centre with the test program's tables and a rights
// callback, live-menu readers, a 32-bit DIB section to draw items into, and a GDI object count.
#pragma once
#include <gtest/gtest.h>

#include <UICommandCenter.h>
#include <UICoolMenu.h>

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

// A top-down 32-bit DIB section selected into a memory DC.
class Surface {
 public:
  Surface(int width, int height) : m_width(width), m_height(height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    m_dc = CreateCompatibleDC(NULL);
    m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), NULL, 0);
    m_old = SelectObject(m_dc, m_bitmap);
  }
  ~Surface() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  HDC dc() const { return m_dc; }
  bool ok() const { return m_bits != nullptr; }
  void Fill(COLORREF colour) {
    GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = ToPixel(colour);
  }
  COLORREF At(int x, int y) const {
    GdiFlush();
    DWORD p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels of the colour inside [left, right) x [top, bottom).
  int Count(COLORREF colour, int left, int top, int right, int bottom) const {
    GdiFlush();
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += m_bits[y * m_width + x] == ToPixel(colour);
    return n;
  }

 private:
  static DWORD ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
  int m_width, m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  DWORD* m_bits = nullptr;
};

// Live GDI objects of the process: every handle slot that GetObjectType recognises (a handle
// whose high word is 0 names its slot whatever its generation).
inline int CountGdiObjects() {
  int n = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++n;
  return n;
}

}  // namespace menus_test
