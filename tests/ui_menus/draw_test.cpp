// Measuring and drawing owner-drawn items: sizes, the pixels of each item kind in a DIB
// section, and no GDI object left behind by drawing.
#include "menu_fixture.h"

#include <UIUtilities.h>

using namespace menus_test;

namespace {

const int kWidth = 200, kHeight = 22;
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kTeal = RGB(0, 128, 128);
const COLORREF kUntouched = RGB(255, 0, 255);

class CoolMenuDraw : public MenuTest {
 protected:
  void SetUp() override {
    menu = new CUIMenu(0, 0);
    for (unsigned short id : {ID_OPEN, ID_CLOSE, ID_OPTIONS, ID_MAIL}) menu->InsertMenuW(id, -1, 0, NULL);
    menu->InsertMenuW(0, -1, 0, NULL);
    // A custom command whose own bitmap has the custom transparent colour around a green square.
    custom = MakeCustomCommand();
    if (custom) menu->InsertMenuW(custom->m_wID, -1, 0, NULL);
    menu->EnableOwnerDraw(1);
  }
  void TearDown() override {
    CCoolMenu::DeleteAllCoolMenus();
    if (custom) custom->Release();
  }

  static CUICustomCommand* MakeCustomCommand() {
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16}, square = {3, 3, 13, 13};
    HBRUSH teal = CreateSolidBrush(kTeal), green = CreateSolidBrush(kGreen);
    FillRect(dc, &all, teal);
    FillRect(dc, &square, green);
    DeleteObject(teal);
    DeleteObject(green);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    CString name(_T("Custom")), text(_T("&Custom")), tip(_T("Custom")), message(_T("Custom"));
    CUICustomCommand* command =
        CUICommandCenter::GetCommandCenter().CreateCustomCommand(0, 0, name, text, tip, message, bitmap);
    DeleteObject(bitmap);  // the command keeps a copy
    return command;
  }

  // The record index of a command's item.
  int IndexOf(int id) {
    for (int i = 0; i < menu->Items().GetSize(); ++i)
      if (menu->Item(i)->nID == id) return i;
    return -1;
  }

  void Draw(Surface& s, int id, UINT state) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = static_cast<UINT>(id);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(menu->m_hMenu);
    dis.hDC = s.dc();
    dis.rcItem = {0, 0, kWidth, kHeight};
    dis.itemData = static_cast<ULONG_PTR>(IndexOf(id));
    menu->DrawItem(&dis);
  }

  CUIMenu* menu = nullptr;
  CUICustomCommand* custom = nullptr;
};

TEST_F(CoolMenuDraw, MeasuredSizes) {
  // What the menu font makes of Open's text.
  LOGFONTW lf;
  GetDefaultLogFont(lf);
  HFONT font = CreateFontIndirectW(&lf);
  HDC screen = GetDC(NULL);
  HGDIOBJ old = SelectObject(screen, font);
  CString open = menu->GetMenuItem(ID_OPEN)->strText;
  RECT text = {0, 0, 0, 0};
  DrawText(screen, open, open.GetLength(), &text, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  SelectObject(screen, old);
  ReleaseDC(NULL, screen);
  DeleteObject(font);
  const UINT menuHeight = GetSystemMetrics(SM_CYMENU);
  const UINT textHeight = static_cast<UINT>(text.bottom - text.top);

  struct Case {
    const char* name;
    UINT id;
    ULONG_PTR data;
    UINT height, width;
  } cases[] = {
      {"separator", 0, static_cast<ULONG_PTR>(IndexOf(0)), menuHeight / 2, 0},
      {"text", ID_OPEN, static_cast<ULONG_PTR>(IndexOf(ID_OPEN)), textHeight > menuHeight ? textHeight : menuHeight,
       static_cast<UINT>(text.right - text.left + 46 - GetSystemMetrics(SM_CXMENUCHECK))},
      {"no record", ID_OPEN, 99, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, c.id, 77, 77, c.data};
    menu->MeasureItem(&mis);
    EXPECT_EQ(mis.itemHeight, c.height);
    EXPECT_EQ(mis.itemWidth, c.width);
  }
  EXPECT_GE(menuHeight, textHeight / 2);
}

// Menus in a colour of their own for the scope, so that light embossing and the halftone box
// show against them (the default menu colour may be white).
class MenuColour {
 public:
  explicit MenuColour(COLORREF colour) : m_old(GetSysColor(COLOR_MENU)) { Set(colour); }
  ~MenuColour() { Set(m_old); }
  MenuColour(const MenuColour&) = delete;
  MenuColour& operator=(const MenuColour&) = delete;

 private:
  static void Set(COLORREF colour) {
    const INT element = COLOR_MENU;
    SetSysColors(1, &element, &colour);
  }
  COLORREF m_old;
};

TEST_F(CoolMenuDraw, EachItemKindPaintsItsLook) {
  ASSERT_NE(custom, nullptr);
  MenuColour menuColour(RGB(212, 208, 200));
  const COLORREF menuBg = GetSysColor(COLOR_MENU), high = GetSysColor(COLOR_HIGHLIGHT),
                 highText = GetSysColor(COLOR_HIGHLIGHTTEXT), menuText = GetSysColor(COLOR_MENUTEXT),
                 gray = GetSysColor(COLOR_GRAYTEXT), light = GetSysColor(COLOR_3DHILIGHT),
                 shadow = GetSysColor(COLOR_BTNSHADOW), black = RGB(0, 0, 0);
  ASSERT_NE(menuBg, light);  // the halftone box must show two colours
  const int custom_id = custom->m_wID;
  // box: the pixel in the middle of the image box; edge: its left edge; text: a colour the
  // text area must contain; emboss: whether the light offset copy of the text is there.
  struct Case {
    const char* name;
    int id;
    UINT state;
    COLORREF background, box, edge, text;
    bool emboss;
  } cases[] = {
      {"normal with icon", ID_OPEN, 0, menuBg, kRed, menuBg, menuText, false},
      {"normal without icon", ID_CLOSE, 0, menuBg, menuBg, menuBg, menuText, false},
      {"selected with icon", ID_OPEN, ODS_SELECTED, high, kRed, light, highText, false},
      {"selected without icon", ID_CLOSE, ODS_SELECTED, high, high, high, highText, false},
      {"disabled with icon", ID_OPEN, ODS_DISABLED | ODS_GRAYED, menuBg, CLR_INVALID, menuBg, gray, true},
      {"disabled without icon", ID_MAIL, ODS_DISABLED, menuBg, menuBg, menuBg, gray, true},
      {"selected and disabled", ID_MAIL, ODS_SELECTED | ODS_DISABLED, high, high, high, gray, false},
      {"checked with icon", ID_OPEN, ODS_CHECKED, menuBg, kRed, shadow, menuText, false},
      {"checked without icon", ID_OPTIONS, ODS_CHECKED, menuBg, CLR_INVALID, shadow, menuText, false},
      {"custom bitmap", custom_id, 0, menuBg, kGreen, menuBg, menuText, false},
  };
  Surface s(kWidth, kHeight);
  ASSERT_TRUE(s.valid());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s.Fill(kUntouched);
    Draw(s, c.id, c.state);
    EXPECT_EQ(s.CountOf(kUntouched, {0, 0, kWidth, kHeight}), 0) << "the whole item is painted";
    EXPECT_EQ(s.At(kWidth - 5, 1), c.background);
    if (c.box != CLR_INVALID) {
      EXPECT_EQ(s.At(10, 11), c.box);
    }
    EXPECT_EQ(s.At(1, 8), c.edge);
    EXPECT_GT(s.CountOf(c.text, {23, 0, kWidth - 20, kHeight}), 0);
    if (c.text != light) {  // (white highlight text would hide the light copy)
      EXPECT_EQ(s.CountOf(light, {24, 0, kWidth - 20, kHeight}) > 0, c.emboss);
    }
  }

  // A disabled icon is drawn, but not in its colours.
  s.Fill(kUntouched);
  Draw(s, ID_OPEN, ODS_DISABLED);
  EXPECT_EQ(s.CountOf(kRed, {1, 0, 20, kHeight}), 0);
  EXPECT_GT(s.CountOf(menuBg, {1, 0, 20, kHeight}), 0);
  EXPECT_LT(s.CountOf(menuBg, {1, 0, 20, kHeight}), 19 * kHeight);
  // The check mark on the halftone box; the custom bitmap without its transparent colour.
  s.Fill(kUntouched);
  Draw(s, ID_OPTIONS, ODS_CHECKED);
  EXPECT_GT(s.CountOf(black, {2, 2, 19, kHeight - 2}), 0);
  EXPECT_GT(s.CountOf(light, {2, 2, 19, kHeight - 2}), 0);
  EXPECT_GT(s.CountOf(menuBg, {2, 2, 19, kHeight - 2}), 0);
  s.Fill(kUntouched);
  Draw(s, custom_id, 0);
  EXPECT_EQ(s.CountOf(kTeal, {0, 0, kWidth, kHeight}), 0);
  // A checked item that is disabled shows no check mark.
  s.Fill(kUntouched);
  Draw(s, ID_OPTIONS, ODS_CHECKED | ODS_DISABLED);
  EXPECT_EQ(s.CountOf(black, {0, 0, 20, kHeight}), 0);
}

TEST_F(CoolMenuDraw, SeparatorIsAnEtchedLineAcrossTheMiddle) {
  Surface s(kWidth, kHeight);
  s.Fill(kUntouched);
  Draw(s, 0, ODS_DISABLED);
  EXPECT_EQ(s.At(100, kHeight / 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(s.At(100, kHeight / 2 + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(s.At(100, 2), GetSysColor(COLOR_MENU));
  EXPECT_EQ(s.CountOf(kUntouched, {0, 0, kWidth, kHeight}), 0);
}

TEST_F(CoolMenuDraw, AnItemWithoutRecordIsNotDrawn) {
  Surface s(kWidth, kHeight);
  s.Fill(kUntouched);
  DRAWITEMSTRUCT dis = {ODT_MENU, 0, ID_OPEN, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(menu->m_hMenu), s.dc(),
                        {0, 0, kWidth, kHeight}, 1000};
  menu->DrawItem(&dis);
  EXPECT_EQ(s.CountOf(kUntouched, {0, 0, kWidth, kHeight}), kWidth * kHeight);
}

TEST_F(CoolMenuDraw, DrawingLeavesNoGdiObjectBehind) {
  ASSERT_NE(custom, nullptr);
  Surface s(kWidth, kHeight);
  const int ids[] = {ID_OPEN, ID_CLOSE, ID_OPTIONS, ID_MAIL, 0, custom->m_wID};
  const UINT states[] = {0, ODS_SELECTED, ODS_DISABLED, ODS_CHECKED, ODS_SELECTED | ODS_CHECKED};
  // Shared resources and image lists are made by the first draws.
  for (int id : ids)
    for (UINT state : states) Draw(s, id, state);
  const int before = GdiObjectCount();
  // The count sees one more object when one is made.
  HBRUSH probe = CreateSolidBrush(kRed);
  EXPECT_EQ(GdiObjectCount(), before + 1);
  DeleteObject(probe);
  for (int i = 0; i < 1000; ++i) Draw(s, ids[i % 6], states[i % 5]);
  EXPECT_EQ(GdiObjectCount(), before);
}

// Every item kind in every state gives the DC back as it came: the menu font or a colour left in
// the system's DC would outlive the drawing (the font is freed when the default font changes).
TEST_F(CoolMenuDraw, DrawingGivesTheDCBackAsItCame) {
  ASSERT_NE(custom, nullptr);
  Surface s(kWidth, kHeight);
  HFONT marker = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  ASSERT_NE(marker, nullptr);
  HGDIOBJ font = SelectObject(s.dc(), marker);
  SetTextColor(s.dc(), kTeal);
  SetBkColor(s.dc(), kGreen);
  SetBkMode(s.dc(), OPAQUE);
  const testing_support::DcState before = testing_support::DcState::Of(s.dc());
  for (int id : {ID_OPEN, ID_CLOSE, ID_OPTIONS, ID_MAIL, 0, static_cast<int>(custom->m_wID)})
    for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_DISABLED), UINT(ODS_CHECKED), UINT(ODS_SELECTED | ODS_CHECKED)}) {
      Draw(s, id, state);
      EXPECT_EQ(testing_support::DcState::Of(s.dc()), before) << "item " << id << ", state " << state;
    }
  SelectObject(s.dc(), font);
  DeleteObject(marker);
}

}  // namespace
