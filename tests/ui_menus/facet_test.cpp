// The tile control's facet menu: its items measured and drawn from the active master tile's
// facets, reached through the framework's owner-draw handling, without GDI objects left over.
#include "menu_fixture.h"

#include <TileControl.h>
#include <UIUtilities.h>

using namespace menus_test;

namespace {

const int kWidth = 160, kHeight = 22;
const COLORREF kRed = RGB(255, 0, 0), kUntouched = RGB(255, 0, 255);

class FacetMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    strip = static_cast<HBITMAP>(LoadImage(GetModuleHandle(NULL), MAKEINTRESOURCE(IDB_TEST_ICONS), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
    ASSERT_NE(strip, nullptr);
    MasterTile master;
    Tile reports(L"&Reports", NULL, strip, 0), charts(L"Charts", NULL, NULL, 0), tables(L"Tables\tF7", NULL, strip, 0);
    master.AddTile(reports);
    master.AddTile(charts);
    master.AddTile(tables);
    ASSERT_EQ(control.AddMasterTile(master), 0);
    ASSERT_EQ(control.SetActiveMasterTile(0, 0), 1);
    CFacetMenu& menu = control.GetFacetMenu();
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT i = 0; i < 3; ++i)
      menu.AppendMenu(MF_OWNERDRAW | (i == 0 ? MF_CHECKED : 0), i, reinterpret_cast<LPCTSTR>(&control));
  }
  void TearDown() override {
    control.GetFacetMenu().DestroyMenu();
    if (strip) DeleteObject(strip);
  }

  void Draw(Surface& s, UINT id, UINT state, ULONG_PTR data) {
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, id, ODA_DRAWENTIRE, state,
                          reinterpret_cast<HWND>(control.GetFacetMenu().m_hMenu), s.dc(), {0, 0, kWidth, kHeight}, data};
    control.GetFacetMenu().DrawItem(&dis);
  }
  ULONG_PTR Data() { return reinterpret_cast<ULONG_PTR>(&control); }

  TileControl control{NULL, 2};
  HBITMAP strip = NULL;
};

TEST_F(FacetMenuTest, FacetsAreMeasuredByTheirCaptions) {
  systemMenuData* data = CFacetMenu::GetSystemMenuData(0);
  ASSERT_NE(data, nullptr);
  HDC screen = GetDC(NULL);
  HGDIOBJ old = SelectObject(screen, data->hFont);
  auto expected = [&](const wchar_t* caption, UINT& height, UINT& width) {
    CString text(caption);
    RECT r = {0, 0, 0, 0};
    DrawText(screen, text, text.GetLength(), &r, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    int h = r.bottom - r.top;
    if (h < 16) h = 16;
    if (h < GetSystemMetrics(SM_CYMENU)) h = GetSystemMetrics(SM_CYMENU);
    height = static_cast<UINT>(h);
    width = static_cast<UINT>(r.right - r.left + 46 - GetSystemMetrics(SM_CXMENUCHECK));
  };
  struct Case {
    const char* name;
    UINT id;
    ULONG_PTR data;
    const wchar_t* caption;  // NULL: not measured
  } cases[] = {
      {"first", 0, Data(), L"&Reports"},
      {"without bitmap", 1, Data(), L"Charts"},
      {"with a tab", 2, Data(), L"Tables\tF7"},
      {"no such facet", 7, Data(), NULL},
      {"no item data", 0, 0, NULL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, c.id, 77, 77, c.data};
    control.GetFacetMenu().MeasureItem(&mis);
    UINT height = 77, width = 77;
    if (c.caption) expected(c.caption, height, width);
    EXPECT_EQ(mis.itemHeight, height);
    EXPECT_EQ(mis.itemWidth, width);
    EXPECT_GE(mis.itemHeight, c.caption ? 16u : 77u);
  }
  SelectObject(screen, old);
  ReleaseDC(NULL, screen);
}

TEST_F(FacetMenuTest, EachFacetItemKindPaintsItsLook) {
  const COLORREF menuBg = GetSysColor(COLOR_MENU), high = GetSysColor(COLOR_HIGHLIGHT),
                 light = GetSysColor(COLOR_3DHILIGHT), shadow = GetSysColor(COLOR_BTNSHADOW),
                 gray = GetSysColor(COLOR_GRAYTEXT);
  // The facet items are on the menu colour, as the other menus' items: it must differ from the
  // button face for the table to tell.
  ASSERT_NE(menuBg, GetSysColor(COLOR_BTNFACE));
  // box: the middle of the image box (CLR_INVALID: not red, whatever else); edge: its left side.
  struct Case {
    const char* name;
    UINT id, state;
    COLORREF background, box, edge, text;
  } cases[] = {
      {"normal", 0, 0, menuBg, kRed, menuBg, GetSysColor(COLOR_MENUTEXT)},
      {"selected", 0, ODS_SELECTED, high, kRed, light, GetSysColor(COLOR_HIGHLIGHTTEXT)},
      {"checked", 0, ODS_CHECKED, menuBg, kRed, shadow, GetSysColor(COLOR_MENUTEXT)},
      {"disabled", 2, ODS_GRAYED | ODS_DISABLED, menuBg, CLR_INVALID, menuBg, gray},
      // Without a bitmap the box keeps the menu colour, selected or not.
      {"selected without bitmap", 1, ODS_SELECTED, high, menuBg, menuBg, GetSysColor(COLOR_HIGHLIGHTTEXT)},
  };
  Surface s(kWidth, kHeight);
  ASSERT_TRUE(s.valid());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s.Fill(kUntouched);
    Draw(s, c.id, c.state, Data());
    EXPECT_EQ(s.CountOf(kUntouched, {0, 0, kWidth, kHeight}), 0);
    EXPECT_EQ(s.At(kWidth - 5, 1), c.background);
    if (c.box == CLR_INVALID) {
      EXPECT_EQ(s.CountOf(kRed, {0, 0, 20, kHeight}), 0);
    } else {
      EXPECT_EQ(s.At(10, 11), c.box);
    }
    EXPECT_EQ(s.At(1, 8), c.edge);
    EXPECT_GT(s.CountOf(c.text, {23, 0, kWidth - 20, kHeight}), 0);
  }
  // A facet that the active master does not have is not drawn.
  s.Fill(kUntouched);
  Draw(s, 7, 0, Data());
  EXPECT_EQ(s.CountOf(kUntouched, {0, 0, kWidth, kHeight}), kWidth * kHeight);
}

TEST_F(FacetMenuTest, ItemsReachTheMenuThroughTheFrameworksOwnerDrawHandling) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("facets"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  Surface s(kWidth, kHeight);
  s.Fill(kUntouched);
  DRAWITEMSTRUCT dis = {ODT_MENU, 0, 0, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(control.GetFacetMenu().m_hMenu),
                        s.dc(), {0, 0, kWidth, kHeight}, Data()};
  owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(s.At(10, 11), kRed);
  owner.DestroyWindow();
}

TEST_F(FacetMenuTest, TheSharedFontIsHeldNotOwned) {
  systemMenuData* data = CFacetMenu::GetSystemMenuData(1);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->hFont, UIGetDefaultGUIFont());
  EXPECT_FALSE(data->bOwnFont);
  // Resources that hold the shared font leave it to its owner when they go.
  {
    systemMenuData held;
    held.hFont = UIGetDefaultGUIFont();
  }
  EXPECT_EQ(GetObjectType(UIGetDefaultGUIFont()), static_cast<DWORD>(OBJ_FONT));
}

TEST(Tile, CopiesNeverOwnOneBitmapTwice) {
  const int before = GdiObjectCount();
  {
    Tile owner(L"Owner", NULL, CreateBitmap(16, 16, 1, 32, NULL), 1);
    Tile copy(owner), assigned;
    assigned = owner;
    HBITMAP a = NULL, b = NULL, c = NULL;
    int ownsA = 0, ownsB = 0, ownsC = 0;
    owner.GetBitmap(&a, &ownsA);
    copy.GetBitmap(&b, &ownsB);
    assigned.GetBitmap(&c, &ownsC);
    EXPECT_TRUE(ownsA && ownsB && ownsC);
    EXPECT_NE(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(copy.GetCaption(), owner.GetCaption());
    // A shared bitmap stays shared.
    Tile sharer(L"Sharer", NULL, a, 0), shared(sharer);
    EXPECT_EQ(shared.GetBitmap(NULL, NULL), a);
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(FacetMenuTest, DrawingLeavesNoGdiObjectBehind) {
  Surface s(kWidth, kHeight);
  const UINT states[] = {0, ODS_SELECTED, ODS_CHECKED, ODS_DISABLED};
  for (UINT id = 0; id < 3; ++id)
    for (UINT state : states) Draw(s, id, state, Data());
  const int before = GdiObjectCount();
  for (int i = 0; i < 1000; ++i) Draw(s, i % 3, states[i % 4], Data());
  EXPECT_EQ(GdiObjectCount(), before);
}

// Every facet in every state gives the DC back as it came (font, colours, mode).
TEST_F(FacetMenuTest, DrawingGivesTheDCBackAsItCame) {
  Surface s(kWidth, kHeight);
  HFONT marker = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  ASSERT_NE(marker, nullptr);
  HGDIOBJ font = SelectObject(s.dc(), marker);
  SetTextColor(s.dc(), kRed);
  SetBkColor(s.dc(), kUntouched);
  SetBkMode(s.dc(), OPAQUE);
  const testing_support::DcState before = testing_support::DcState::Of(s.dc());
  for (UINT id = 0; id < 3; ++id)
    for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_CHECKED), UINT(ODS_DISABLED)}) {
      Draw(s, id, state, Data());
      EXPECT_EQ(testing_support::DcState::Of(s.dc()), before) << "facet " << id << ", state " << state;
    }
  SelectObject(s.dc(), font);
  DeleteObject(marker);
}

}  // namespace
