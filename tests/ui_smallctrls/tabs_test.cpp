// The tab control of shared width: the width its tabs get for the room there is, the control
// too narrow for any, and how a tab draws.
#include <gtest/gtest.h>

#include <QvTabCtrl.h>
#include <UIHandles.h>
#include <framework.h>

#include "dib_canvas.h"
#include "smallctrls_test.h"

using testing_support::DibCanvas;

namespace {

// The width a text wants on a tab: its extent in the default GUI font and the room beside it.
int Wanted(const TCHAR* text) {
  uih::WindowDC screen(NULL);
  uih::Selection font(screen.Get(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  RECT r = {0, 0, 0, 0};
  ::DrawText(screen.Get(), text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left + CQvTabCtrl::kTextRoom;
}

int TabWidth(CQvTabCtrl& tabs, int item) {
  RECT r = {};
  tabs.GetItemRect(item, &r);
  return r.right - r.left;
}

class Tabs : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(parent.m_hWnd, nullptr); }
  void Make(int width) {
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED, CRect(0, 0, width, 60),
                            &parent, 5));
  }
  smallctrls::FrameworkParent parent{1200, 300};
  CQvTabCtrl tabs;
};

TEST(TabWidthRule, SharesTheRoomAndNeverGoesBelowOnePixel) {
  struct Case {
    int client, count, wanted, expected;
  } const cases[] = {
      {310, 3, 200, 100},  // (310 - 10) / 3
      {1000, 3, 200, 200}, // the wanted width fits
      {311, 3, 200, 100},  // integer division
      {10, 3, 200, 1},     // no room at all
      {4, 3, 200, 1},      // less than the side room
      {100, 0, 200, 0},    // no tabs
  };
  for (const Case& c : cases)
    EXPECT_EQ(CQvTabCtrl::SharedTabWidth(c.client, c.count, c.wanted), c.expected) << c.client << " " << c.count;
}

// Three tabs of short, middle and long texts: each gets the share of the room, or what the
// longest wants when there is room for it.
TEST_F(Tabs, ThreeTabsShareTheControlsWidth) {
  const TCHAR* texts[] = {_T("Short"), _T("A middle tab"), _T("A rather longer tab text")};
  const int wanted = Wanted(texts[2]);
  ASSERT_GT(wanted, 100);
  ASSERT_LT(wanted, 330);
  struct Case {
    int width, expected;
  } const cases[] = {{310, 100}, {1000, wanted}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    Make(c.width);
    for (int i = 0; i < 3; ++i) tabs.InsertItem(i, texts[i]);
    EXPECT_EQ(tabs.MeasureItem(2), wanted);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(TabWidth(tabs, i), c.expected) << i;
    tabs.DestroyWindow();
  }
}

TEST_F(Tabs, WidthFollowsSizeDeletionAndTextChanges) {
  Make(1000);
  tabs.InsertItem(0, _T("One"));
  tabs.InsertItem(1, _T("A rather longer tab text"));
  EXPECT_EQ(TabWidth(tabs, 0), Wanted(_T("A rather longer tab text")));
  tabs.DeleteItem(1);
  EXPECT_EQ(TabWidth(tabs, 0), Wanted(_T("One")));
  TCITEM ti = {};
  ti.mask = TCIF_TEXT;
  ti.pszText = const_cast<LPTSTR>(_T("Renamed tab"));
  tabs.SetItem(0, &ti);
  EXPECT_EQ(TabWidth(tabs, 0), Wanted(_T("Renamed tab")));
  // Narrowed to less than its side room: tabs of one pixel, not some 65,000.
  tabs.SetWindowPos(NULL, 0, 0, 6, 60, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_LE(TabWidth(tabs, 0), 4);
  tabs.SetWindowPos(NULL, 0, 0, 1000, 60, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(TabWidth(tabs, 0), Wanted(_T("Renamed tab")));
  tabs.DeleteAllItems();
  tabs.InsertItem(0, _T("One"));
  EXPECT_EQ(TabWidth(tabs, 0), Wanted(_T("One")));
}

// A tab with an image: the image at the content box's left, vertically centred, the text
// after it; a selected tab is filled with the button face first; the image widens the tab.
TEST_F(Tabs, ATabDrawsItsImageAndText) {
  Make(600);
  uih::OwnedImageList images(::ImageList_Create(16, 16, ILC_COLOR32, 1, 0));
  ASSERT_TRUE(images);
  {
    DibCanvas red(16, 16, RGB(255, 0, 0));
    uih::OwnedBitmap bmp(::CreateCompatibleBitmap(red.dc(), 16, 16));
    {
      uih::OwnedDC mem(::CreateCompatibleDC(red.dc()));
      uih::Selection sel(mem.Get(), bmp.Get());
      ::BitBlt(mem.Get(), 0, 0, 16, 16, red.dc(), 0, 0, SRCCOPY);
    }
    ASSERT_EQ(::ImageList_Add(images.Get(), bmp.Get(), NULL), 0);
  }
  ::SendMessage(tabs.m_hWnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
  tabs.InsertItem(0, _T("Images"), 0);
  tabs.InsertItem(1, _T("Text"));
  EXPECT_EQ(tabs.MeasureItem(0), Wanted(_T("Images")) + 16 + CQvTabCtrl::kImageRoom);
  EXPECT_EQ(tabs.MeasureItem(1), Wanted(_T("Text")));

  const int w = 120, h = 30;
  const COLORREF back = RGB(1, 2, 3);
  for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
    SCOPED_TRACE(state);
    DibCanvas canvas(w, h, back);
    DRAWITEMSTRUCT dis = {ODT_TAB, 5, 0, ODA_DRAWENTIRE, state, tabs.m_hWnd, canvas.dc(), {0, 0, w, h}, 0};
    tabs.DrawItem(&dis);
    // Image: box left = 4, box top = 2, centred in 28 rows: rows 8..23.
    EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0)), 256);
    EXPECT_EQ(canvas.At(4, 8), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(19, 23), RGB(255, 0, 0));
    // Text in the button-text colour after the image and its room.
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(canvas.CountOf(text, CRect(24, 2, w - 2, h)), 10);
    EXPECT_EQ(canvas.CountOf(text, CRect(0, 0, 24, h)), 0);
    if (state & ODS_SELECTED)
      EXPECT_EQ(canvas.CountOf(back), 0);
    else
      EXPECT_GT(canvas.CountOf(back), w * h / 2);
  }
}

}  // namespace
