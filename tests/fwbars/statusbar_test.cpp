// The frame's status bar: parts by indicator ids, texts that keep their drawing type, the
// bottom of the frame in its layout, and owner-drawn parts reaching DrawItem.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_statusbar.h>

namespace {

class DrawnBar : public CStatusBar {
 public:
  int draws = 0;
  ULONG_PTR lastData = 0;
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ++draws;
    lastData = dis->itemData;
  }
};

CFrameWnd* NewFrame() {
  auto* frame = new CFrameWnd;
  if (!frame->Create(NULL, _T("status"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300))) return NULL;
  return frame;
}

TEST(StatusBar, IndicatorsTextsAndLayout) {
  CFrameWnd* frame = NewFrame();
  ASSERT_NE(frame, nullptr);
  DrawnBar bar;
  ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
  EXPECT_EQ(bar.GetDlgCtrlID(), AFX_IDW_STATUS_BAR);
  const UINT ids[] = {ID_SEPARATOR, 0xE701, 0xE702, ID_SEPARATOR};
  ASSERT_TRUE(bar.SetIndicators(ids, 4));
  EXPECT_FALSE(bar.SetIndicators(NULL, 2));
  EXPECT_EQ(bar.GetCount(), 4);
  EXPECT_EQ(bar.GetStatusBarCtrl().GetParts(0, NULL), 4);
  EXPECT_EQ(bar.CommandToIndex(0xE702), 2);
  EXPECT_EQ(bar.CommandToIndex(ID_SEPARATOR), 0);
  EXPECT_EQ(bar.CommandToIndex(0x1234), -1);
  EXPECT_EQ(bar.GetItemID(1), 0xE701u);
  EXPECT_EQ(bar.GetItemID(9), 0u);

  EXPECT_TRUE(bar.SetPaneText(1, _T("CAP")));
  EXPECT_EQ(bar.GetPaneText(1), CString(_T("CAP")));
  EXPECT_FALSE(bar.SetPaneText(4, _T("none")));
  // A popped-out part keeps its type when its text changes.
  bar.SendMessage(SB_SETTEXT, 2 | SBT_POPOUT, (LPARAM)_T("a"));
  EXPECT_TRUE(bar.SetPaneText(2, _T("b")));
  int type = 0;
  EXPECT_EQ(bar.GetStatusBarCtrl().GetText(2, &type), CString(_T("b")));
  EXPECT_EQ(type, SBT_POPOUT);

  // The frame's layout puts the bar at its bottom, as wide as the client area.
  frame->RecalcLayout();
  CRect client, placed;
  frame->GetClientRect(&client);
  bar.GetWindowRect(&placed);
  frame->ScreenToClient(&placed);
  EXPECT_EQ(placed.bottom, client.bottom);
  EXPECT_EQ(placed.Width(), client.Width());
  EXPECT_GT(placed.Height(), 10);
  EXPECT_LT(placed.Height(), 60);

  // An owner-drawn part is painted through DrawItem with its item data.
  frame->ShowWindow(SW_SHOWNA);
  bar.SendMessage(SB_SETTEXT, 0 | SBT_OWNERDRAW, (LPARAM)0x5A5A);
  bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GE(bar.draws, 1);
  EXPECT_EQ(bar.lastData, 0x5A5Au);

  bar.DestroyWindow();
  frame->DestroyWindow();
}

}  // namespace
