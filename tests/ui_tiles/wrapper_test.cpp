// The framework window of the tile control: its answers without a window, master images cut
// from the strip (freed when the window does not take them), tooltip slots that follow the
// masters, and the tooltip texts in each style and both character sets.
#include "tile_fixture.h"

#include <TileWnd.h>

#include <functional>

using namespace tile_test;
using testing_support::GdiObjectCount;

namespace {

// A strip of two 16-pixel images (red, green).
HBITMAP MakeStrip() { return tile_test::MakeStrip({RGB(255, 0, 0), RGB(0, 255, 0)}); }

TEST(TileWrapper, CallsWithoutAWindowAnswerMinusOne) {
  CTileControl none;
  MasterTile m;
  Tile t;
  CRect rect;
  CPoint point(1, 1);
  int out = 0;
  const int gdi = GdiObjectCount();
  none.SetMaskedBitmap(MakeStrip(), 1);
  struct Case {
    const char* what;
    std::function<LRESULT()> call;
    LRESULT none;
  } cases[] = {
      {"AddMasterTile", [&] { return none.AddMasterTile(m, 0); }, -1},
      {"InsertMasterTile", [&] { return none.InsertMasterTile(m, 0, 0); }, -1},
      {"SetMasterTile", [&] { return none.SetMasterTile(m, 0, 0); }, -1},
      {"RemoveMasterTile", [&] { return none.RemoveMasterTile(0); }, -1},
      {"GetMasterCount", [&] { return none.GetMasterCount(); }, -1},
      {"GetActiveMasterTile", [&] { return none.GetActiveMasterTile(); }, -1},
      {"SetActiveMasterTile", [&] { return none.SetActiveMasterTile(0); }, -1},
      {"SetNumMasterTiles", [&] { return none.SetNumMasterTiles(4); }, -1},
      {"FindMasterTile", [&] { return none.FindMasterTile(m); }, -1},
      {"SetMasterBitmap", [&] { return none.SetMasterBitmap(0, 1); }, -1},
      {"HitTest", [&] { return none.HitTest(point, out); }, -1},
      {"AddTile", [&] { return none.AddTile(0, t); }, -1},
      {"GetCount", [&] { return none.GetCount(0); }, -1},
      {"SetActiveTile", [&] { return none.SetActiveTile(0, 1); }, -1},
      {"SetNumTiles", [&] { return none.SetNumTiles(0, 3); }, -1},
      {"SetBitmap", [&] { return none.SetBitmap(0, 0, 1); }, -1},
      {"GetMasterRect", [&] { return none.GetMasterRect(0, rect); }, FALSE},
      {"GetInteractionLevel", [&] { return static_cast<LRESULT>(none.GetInteractionLevel()); }, static_cast<LRESULT>(0xDEADBEEF)},
      {"GetTruncation", [&] { return none.GetTruncation(0, out); }, 0},
      {"IsMasterTileEnabled", [&] { return none.IsMasterTileEnabled(0); }, FALSE},
      {"SetOwner", [&] { return reinterpret_cast<LRESULT>(none.SetOwner(NULL)); }, -1},
  };
  for (Case& c : cases) EXPECT_EQ(c.call(), c.none) << c.what;
  none.SetMaskedBitmap(NULL, 0);
  EXPECT_EQ(GdiObjectCount(), gdi);  // no image was cut and left behind
}

class Wrapped : public TileTest {
 protected:
  void SetUp() override {
    TileTest::SetUp();
    CRect rect(0, 0, 150, 300);
    ASSERT_TRUE(wrapper.Create(CWnd::FromHandle(parent.hwnd()), rect, kId + 1));
    wrapper.SetMaskedBitmap(MakeStrip(), 1);
    ASSERT_EQ(wrapper.SetNumMasterTiles(6), 6);
  }
  void TearDown() override {
    if (wrapper.m_hWnd != NULL) wrapper.DestroyWindow();
    TileTest::TearDown();
  }
  CTileControl wrapper;
};

// Images come from the strip; what the window refuses is not left behind.
TEST_F(Wrapped, MasterImagesAreCutFromTheStripAndNeverLeak) {
  MasterTile a = Master(1, false, L"A"), b = Master(1, false, L"B");
  EXPECT_EQ(wrapper.AddMasterTile(a, -1), 0);  // no image
  int owns = -1;
  EXPECT_EQ(wrapper.GetMasterBitmap(0, owns), nullptr);
  EXPECT_EQ(wrapper.AddMasterTile(b, 1), 1);
  HBITMAP image = wrapper.GetMasterBitmap(1, owns);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(owns, 1);
  BITMAP bm = {};
  ASSERT_TRUE(GetObject(image, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 32);  // one image and its mask
  const int gdi = GdiObjectCount();
  EXPECT_EQ(wrapper.SetMasterBitmap(5, 0), 0);  // no such master
  EXPECT_EQ(wrapper.SetBitmap(0, 3, 0), 0);      // no such facet
  wrapper.SetInteractionLevel(TCFI_ALLOWMASTERCHANGE | TCFI_ALLOWFACETCHANGE);
  EXPECT_EQ(wrapper.SetMasterBitmap(0, 0), 0);   // manipulation not allowed
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(wrapper.SetMasterBitmap(0, 0, 0), 0);
}

// Tooltip slots follow master indices through add, insert and remove.
TEST_F(Wrapped, TooltipSlotsFollowTheMasters) {
  MasterTile a = Master(1, false, L"A"), b = Master(1, false, L"B"), c = Master(1, false, L"C");
  ASSERT_EQ(wrapper.AddMasterTile(a), 0);
  ASSERT_EQ(wrapper.AddMasterTile(b), 1);
  EXPECT_EQ(wrapper.SetMasterTooltip(0, L"First \u00e9t\u00e9"), 1);
  EXPECT_EQ(wrapper.SetMasterTooltip(1, L"Second"), 1);
  EXPECT_EQ(wrapper.SetMasterTooltip(2, L"Nothing there"), 0);
  ASSERT_EQ(wrapper.InsertMasterTile(c, 0), 0);
  CString text = L"untouched";
  struct Slot {
    int index;
    const wchar_t* text;
  } slots[] = {{0, L""}, {1, L"First \u00e9t\u00e9"}, {2, L"Second"}, {3, L"untouched"}};
  for (const Slot& s : slots) {
    text = L"untouched";
    wrapper.GetMasterTooltip(text, s.index);
    EXPECT_EQ(text, CString(s.text)) << s.index;
  }
  ASSERT_EQ(wrapper.RemoveMasterTile(1), 1);
  wrapper.GetMasterTooltip(text, 1);
  EXPECT_EQ(text, CString(L"Second"));
  EXPECT_EQ(wrapper.SetMasterTooltip(0, NULL), 1);
  wrapper.GetMasterTooltip(text, 0);
  EXPECT_EQ(text, CString(L""));
}

// The tooltip over a header: style 1 while the caption fits, style 4 once it is cut; a
// missing tooltip reads "???"; the content area shows none. The wide record is cut to 79
// characters; the ANSI record gets the same text converted.
TEST_F(Wrapped, TooltipTextsFollowTheStyleAndFitTheirRecords) {
  MasterTile a = Master(1, false, L"Fits"), b;
  Tile longCaption(L"A caption far too long for a header of this control", NULL, NULL, 0);
  b.AddTile(longCaption);
  ASSERT_EQ(wrapper.AddMasterTile(a), 0);
  ASSERT_EQ(wrapper.AddMasterTile(b), 1);
  ASSERT_EQ(wrapper.SetActiveMasterTile(1), 1);
  ASSERT_EQ(wrapper.SetMasterTooltip(1, L"Reports"), 1);
  UpdateWindow(wrapper.m_hWnd);
  DibCanvas canvas(150, 300);
  SendMessageW(wrapper.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  CRect header0, header1;
  ASSERT_TRUE(wrapper.GetMasterRect(0, header0));
  ASSERT_TRUE(wrapper.GetMasterRect(1, header1));
  CString text;
  EXPECT_TRUE(wrapper.TooltipTextAt(header0.CenterPoint(), text));
  EXPECT_EQ(text, CString(L"???"));
  EXPECT_TRUE(wrapper.TooltipTextAt(header1.CenterPoint(), text));
  EXPECT_EQ(text, CString(L"A caption far too long for a header of this control : Reports"));
  // Both headers sit at the top: the content area lies under them.
  EXPECT_FALSE(wrapper.TooltipTextAt(CPoint(header1.CenterPoint().x, header1.bottom + 30), text));
  TCS_TOOLTIPSTYLESTRUCT styles = {2, 3}, old = {};
  wrapper.SetTooltipStyle(styles, &old);
  EXPECT_EQ(old.nFits, 1);
  EXPECT_EQ(old.nCut, 4);
  EXPECT_TRUE(wrapper.TooltipTextAt(header1.CenterPoint(), text));
  EXPECT_EQ(text, CString(L"Reports (A caption far too long for a header of this control)"));
  EXPECT_TRUE(wrapper.TooltipTextAt(header0.CenterPoint(), text));
  EXPECT_EQ(text, CString(L"Fits0"));
  styles = {0, 0};
  wrapper.SetTooltipStyle(styles);
  EXPECT_FALSE(wrapper.TooltipTextAt(header0.CenterPoint(), text));

  // Through the notifications, with the cursor on the cut header.
  styles = {1, 4};
  wrapper.SetTooltipStyle(styles);
  std::wstring tip(100, L'x');
  ASSERT_EQ(wrapper.SetMasterTooltip(1, tip.c_str()), 1);
  HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP, 0, 0, 10, 10, parent.hwnd(), NULL, NULL, NULL);
  ASSERT_NE(tooltip, nullptr);
  POINT at = header1.CenterPoint();
  ClientToScreen(wrapper.m_hWnd, &at);
  SetCursorPos(at.x, at.y);
  TOOLTIPTEXTW wide = {};
  wide.hdr = {tooltip, 1, TTN_NEEDTEXTW};
  // Handled with a result of 0.
  EXPECT_EQ(SendMessageW(wrapper.m_hWnd, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&wide)), 0);
  const std::wstring expected = (L"A caption far too long for a header of this control : " + tip).substr(0, 79);
  EXPECT_EQ(std::wstring(wide.szText), expected);
  TOOLTIPTEXTA narrow = {};
  narrow.hdr = {tooltip, 1, TTN_NEEDTEXTA};
  EXPECT_EQ(SendMessageW(wrapper.m_hWnd, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&narrow)), 0);
  EXPECT_EQ(std::string(narrow.szText), std::string(expected.begin(), expected.end()));
  DestroyWindow(tooltip);
}

// The framework's tool hit test over the headers: the master index and its rectangle.
TEST_F(Wrapped, HeadersAreTheTooltipsTools) {
  MasterTile a = Master(1, false, L"A");
  ASSERT_EQ(wrapper.AddMasterTile(a), 0);
  CRect header;
  ASSERT_TRUE(wrapper.GetMasterRect(0, header));
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  EXPECT_EQ(wrapper.OnToolHitTest(header.CenterPoint(), &ti), 0);
  EXPECT_EQ(CRect(ti.rect), header);
  EXPECT_EQ(ti.hwnd, wrapper.m_hWnd);
  EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACK);
  EXPECT_EQ(wrapper.OnToolHitTest(CPoint(500, 500), &ti), -1);
}

}  // namespace
