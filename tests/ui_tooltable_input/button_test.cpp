// Buttons that drop down popup tool tables: parts, notifications, images, enabling, drawing.
#include "../ui_tooltable/table_fixture.h"

#include <PopupToolTableBtn.h>
#include <brevin.h>
#include <dib_canvas.h>
#include <handle_counts.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace tooltable_test;
using testing_support::DibCanvas;

namespace {

const COLORREF kRed = RGB(255, 0, 0);

size_t Notes(UINT code) {
  size_t n = 0;
  for (const auto& m : Recorder().Messages()) n += m.message == WM_NOTIFY && m.wParam == code;
  return n;
}

template <class Button>
class ButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 42, 31),
                              CWnd::FromHandle(parent.hwnd()), 55));
    button.SetWindowPos(NULL, 0, 0, 32, 21, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(button.CreateTable(L"Tools", CWnd::FromHandle(parent.hwnd()), 56, 3, 16, 16, 4, 4,
                                   PTT_TEAROFF | PTT_CLOSEONSELECT, FALSE));
    for (int i = 0; i < 3; ++i) {
      images[i][0] = MaskedStrip(16, 16, kRed);
      images[i][1] = MaskedStrip(24, 24, kRed);
    }
    button.SetDefaultBitmap(defaults[0] = MaskedStrip(16, 16, RGB(0, 0, 255)), defaults[1] = NULL);
    ASSERT_EQ(button.AddBitmap(images[0][0], images[0][1], TRUE, NULL, 1, 0, 0, 0, 0, 0), 1);
    ASSERT_EQ(button.AddBitmap(NULL, NULL, FALSE, NULL, 2, 0, 0, 0, 0, 0), 2);
    ASSERT_EQ(button.AddBitmap(images[2][0], images[2][1], TRUE, NULL, 3, 0, 0, 0, 0, 0), 3);
    SetForegroundWindow(parent.hwnd());
    Recorder().Reset();
  }
  void TearDown() override {
    button.DestroyWindow();
    for (auto& pair : images)
      for (HBITMAP b : pair) DeleteObject(b);
    DeleteObject(defaults[0]);
  }
  POINT Screen(int x, int y) {
    POINT p = {x, y};
    button.ClientToScreen(&p);
    return p;
  }
  void ClickAt(int x, int y) {
    MouseAt(Screen(x, y));
    MouseAt(Screen(x, y), MOUSEEVENTF_LEFTDOWN);
    MouseAt(Screen(x, y), MOUSEEVENTF_LEFTUP);
    MouseAt(Screen(200, 150));
  }
  NotifyParent parent;
  Button button;
  HBITMAP images[3][2] = {};
  HBITMAP defaults[2] = {};
};

using DropDownButton = ButtonTest<CPopupToolTableBtn>;
using ToggleButton = ButtonTest<CPTTToggleBtn>;

TEST_F(DropDownButton, TheArrowPartDropsTheTableDownBelowTheButton) {
  ClickAt(26, 10);
  CPopupToolTable* table = button.GetTable();
  ASSERT_NE(table, static_cast<CPopupToolTable*>(NULL));
  EXPECT_TRUE(table->IsWindowVisible());
  EXPECT_TRUE(button.TableVisible());
  RECT b, t;
  button.GetWindowRect(&b);
  table->GetWindowRect(&t);
  EXPECT_EQ(t.left, b.left - 1);
  EXPECT_EQ(t.top, b.bottom);
  EXPECT_EQ(Notes(TTBLN_TABLESHOWN), 1u);
  EXPECT_EQ(Notes(TTBLN_DROPDOWN), 1u);
  EXPECT_EQ(Notes(TTBLN_COMMANDCLICK), 0u);
  // Escape on the button dismisses it.
  SendMessageW(button.m_hWnd, WM_KEYUP, VK_ESCAPE, 0);
  EXPECT_FALSE(table->IsWindowVisible());
}

TEST_F(DropDownButton, TheCommandPartNotifiesOnlyWhileItsCommandIsEnabled) {
  ClickAt(5, 10);
  EXPECT_EQ(Notes(TTBLN_COMMANDCLICK), 1u);
  EXPECT_FALSE(button.TableVisible());
  button.EnableCurrentCommand(FALSE);
  Recorder().Clear();
  ClickAt(5, 10);
  EXPECT_EQ(Notes(TTBLN_COMMANDCLICK), 0u);
  EXPECT_NE(button.PressedPart(), PTTB_PART_COMMAND) << "not even pressed";
}

TEST_F(DropDownButton, AltDownOpensTheTableFromTheCommandPart) {
  SendMessageW(button.m_hWnd, WM_SYSKEYUP, VK_DOWN, static_cast<LPARAM>(KF_ALTDOWN) << 16);
  EXPECT_TRUE(button.TableVisible());
}

TEST_F(DropDownButton, ChoosingAnItemShowsItsImage) {
  EXPECT_EQ(button.GetCurrentBitmap(), static_cast<HBITMAP>(NULL));
  button.GetTable()->SetItemState(3, TRUE, TTBLS_SELECTED, CToolTable::Replace);
  EXPECT_EQ(button.GetCurrentBitmap(), images[2][0]);
  // An item without images leaves the image as it is.
  button.GetTable()->SetItemState(2, TRUE, TTBLS_SELECTED, CToolTable::Replace);
  EXPECT_EQ(button.GetCurrentBitmap(), images[2][0]);
  // Deleting the item whose image is shown goes back to the default.
  EXPECT_EQ(button.DeleteItem(3, TRUE), 3);
  EXPECT_EQ(button.GetCurrentBitmap(), defaults[0]);
  EXPECT_EQ(button.SetCurrentBitmap(9), 0);
}

TEST_F(DropDownButton, ReplacingAnItemFreesBothOfItsImages) {
  HBITMAP small = images[0][0], large = images[0][1];
  tagTT_ITEMINFO item = {};
  item.how = TTBL_BYPOSITION;
  item.posOrId = 1;
  item.type = TTBL_BITMAP;
  item.id = 1;
  images[0][0] = MaskedStrip(16, 16, kRed);
  images[0][1] = MaskedStrip(24, 24, kRed);
  ASSERT_EQ(button.SetItem(images[0][0], images[0][1], TRUE, item, TRUE), 1);
  BITMAP bm;
  EXPECT_EQ(GetObjectW(small, sizeof bm, &bm), 0);
  EXPECT_EQ(GetObjectW(large, sizeof bm, &bm), 0) << "the large image too";
  button.GetTable()->SetItemState(1, TRUE, TTBLS_SELECTED, CToolTable::Replace);
  EXPECT_EQ(button.GetCurrentBitmap(), images[0][0]);
}

TEST_F(DropDownButton, DisablingAndEnablingGivesEachItemItsOwnStateBack) {
  button.SetItemState(1, TRUE, TTBLS_SELECTED, CToolTable::Replace);
  button.SetItemState(2, TRUE, TTBLS_DISABLED, CToolTable::Replace);
  button.EnableWindow(FALSE);
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(button.GetItemState(p, TRUE), TTBLS_DISABLED) << p;
  button.EnableWindow(TRUE);
  EXPECT_EQ(button.GetItemState(1, TRUE), TTBLS_SELECTED);
  EXPECT_EQ(button.GetItemState(2, TRUE), TTBLS_DISABLED);
  EXPECT_EQ(button.GetItemState(3, TRUE), 0);
  // An item added meanwhile: the saved states no longer fit, all stay disabled.
  button.EnableWindow(FALSE);
  button.AddBitmap(NULL, NULL, FALSE, NULL, 4, 0, 0, 0, 0, 0);
  button.SetItemState(4, TRUE, TTBLS_DISABLED, CToolTable::Replace);
  button.EnableWindow(TRUE);
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(button.GetItemState(p, TRUE), TTBLS_DISABLED) << p;
}

TEST_F(DropDownButton, TheCommandPartShowsTheImageAndTheArrowPartTheArrow) {
  button.SetCurrentBitmap(1);
  DibCanvas canvas(32, 21);
  ASSERT_TRUE(canvas.valid());
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_BUTTON;
  dis.hwndItem = button.m_hWnd;
  dis.hDC = canvas.dc();
  dis.rcItem = RECT{0, 0, 32, 21};
  button.DrawItem(&dis);
  GdiFlush();
  EXPECT_EQ(canvas.CountOf(kRed, RECT{0, 0, 22, 21}), 16 * 16);
  EXPECT_EQ(canvas.CountOf(kRed, RECT{22, 0, 32, 21}), 0);
  // The widest arrow row: 8 to 2 pixels in from the right edge, at the middle - 2.
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  EXPECT_EQ(canvas.At(32 - 8, 10 - 2), frame);
  EXPECT_EQ(canvas.At(32 - 6, 10), frame);
  // Disabled: no colour from the image.
  canvas.Fill(RGB(255, 255, 255));
  dis.itemState = ODS_DISABLED;
  button.DrawItem(&dis);
  GdiFlush();
  EXPECT_EQ(canvas.CountOf(kRed), 0);
}

// A disabled button's arrow is the library's own arrow image in the disabled look, centred in
// the arrow part: rows 5, 3 and 1 pixels wide on a small button, 7, 5, 3 and 1 on a large one.
TEST_F(DropDownButton, ADisabledButtonsArrowIsTheLibrarysImageInTheDisabledLook) {
  const struct {
    BOOL large;
    int width, height, split;
    std::vector<int> rows;  // widths from the image's top row on
    int top;                // the image's first arrow row
  } cases[] = {{FALSE, 32, 21, 22, {5, 3, 1}, 2}, {TRUE, 38, 27, 28, {7, 5, 3, 1}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.large ? "large" : "small");
    button.SetLargeButton(c.large);
    DibCanvas canvas(c.width, c.height);
    ASSERT_TRUE(canvas.valid());
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = canvas.dc();
    dis.rcItem = RECT{0, 0, c.width, c.height};
    dis.itemState = ODS_DISABLED;
    button.DrawItem(&dis);
    GdiFlush();
    const int x0 = c.split + (c.width - c.split - 8) / 2, y0 = (c.height - 8) / 2;
    std::vector<std::pair<int, int>> expected, drawn;
    for (size_t r = 0; r < c.rows.size(); ++r) {
      const int inset = (7 - c.rows[r]) / 2;
      for (int k = 0; k < c.rows[r]; ++k) expected.emplace_back(x0 + inset + k, y0 + c.top + static_cast<int>(r));
    }
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < c.height; ++y)
      for (int x = c.split; x < c.width; ++x)
        if (canvas.At(x, y) != face) drawn.emplace_back(x, y);
    std::sort(expected.begin(), expected.end(), [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
    EXPECT_EQ(drawn, expected);
    for (const auto& p : drawn) EXPECT_NE(canvas.At(p.first, p.second), GetSysColor(COLOR_WINDOWFRAME));
  }
  button.SetLargeButton(FALSE);
}

// The button's font: 9 points in the language's character set with the face of the host's
// label for Japanese and Chinese; 8 points in any other language (Korean too).
TEST(PopupButtonFont, FollowsTheFarEastLanguages) {
  class FontButton : public CPopupToolTableBtn {
   public:
    LOGFONTW Font() {
      LOGFONTW lf = {};
      ::GetObjectW(m_font.GetSafeHandle(), sizeof lf, &lf);
      return lf;
    }
  };
  const CQvOriginInfo saved = gOrgInfo;
  NotifyParent parent;
  HDC screen = GetDC(NULL);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(NULL, screen);
  const struct {
    const char* language;
    int points;
    int charset;  // -1: whatever the default font has
  } cases[] = {{"en", 8, -1}, {"ja", 9, SHIFTJIS_CHARSET}, {"zh_CN", 9, GB2312_CHARSET}, {"zh_TW", 9, CHINESEBIG5_CHARSET}, {"ko", 8, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    gOrgInfo.DoQvChangeLang(c.language);
    FontButton button;
    ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 32, 21), CWnd::FromHandle(parent.hwnd()), 57));
    const LOGFONTW lf = button.Font();
    EXPECT_EQ(lf.lfHeight, -MulDiv(c.points, dpi, 72));
    EXPECT_EQ(lf.lfEscapement, 0);
    if (c.charset >= 0) {
      EXPECT_EQ(lf.lfCharSet, c.charset);
      EXPECT_STREQ(lf.lfFaceName, L"Test Face");
    } else {
      EXPECT_STRNE(lf.lfFaceName, L"Test Face");
    }
    button.DestroyWindow();
  }
  gOrgInfo = saved;
}

TEST_F(ToggleButton, CommandClicksToggle) {
  ClickAt(5, 10);
  EXPECT_TRUE(button.Toggled());
  ClickAt(5, 10);
  EXPECT_FALSE(button.Toggled());
  std::vector<LPARAM> values;
  for (const auto& m : Recorder().Messages())
    if (m.message == WM_NOTIFY && m.wParam == TTBLN_TOGGLED) values.push_back(m.lParam);
  EXPECT_EQ(values, (std::vector<LPARAM>{1, 0}));
}

TEST(DropDownButtonLifetime, TheTableGoesWithTheButton) {
  NotifyParent parent;
  const int before = testing_support::ThreadWindowCount();
  {
    CPopupToolTableBtn button(PTTB_SPLIT);
    ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 32, 21), CWnd::FromHandle(parent.hwnd()),
                              5));
    ASSERT_TRUE(button.CreateTable(L"t", CWnd::FromHandle(parent.hwnd()), 6, 2, 16, 16, 4, 4, PTT_TEAROFF, FALSE));
    EXPECT_FALSE(button.CreateTable(L"again", CWnd::FromHandle(parent.hwnd()), 6, 2, 16, 16, 4, 4, 0, FALSE));
    button.AddSeparator(NULL, NULL, FALSE);
    button.DisplayTable(1, 1);
  }
  EXPECT_EQ(testing_support::ThreadWindowCount(), before);
  // The owner keeps working without the button's hook.
  EXPECT_EQ(SendMessageW(parent.hwnd(), WM_USER, 0, 0), 0);
}

}  // namespace

namespace {

// The table of a button in a framework window that was hidden while it was made.
TEST(DropDownButtonInAFrame, DropsDownWhenTheWindowIsShown) {
  NotifyParent top;
  CWnd frame;
  const CString cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(NULL, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
  ASSERT_TRUE(frame.CreateEx(WS_EX_TOOLWINDOW, cls, _T("tools"), WS_POPUP | WS_CAPTION, 300, 60, 240, 170,
                             top.hwnd(), NULL));
  CPopupToolTableBtn button(PTTB_SPLIT);
  ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(140, 10, 172, 31), &frame, 302));
  ASSERT_TRUE(button.CreateTable(L"Colours", &frame, 303, 4, 16, 16, 4, 4, PTT_TEAROFF | PTT_CLOSEONSELECT, FALSE));
  for (int i = 0; i < 8; ++i) button.AddBitmap(NULL, NULL, FALSE, NULL, 100 + i, 0, 0, 0, 0, 0);
  frame.ShowWindow(SW_SHOW);
  frame.UpdateWindow();
  button.DisplayTable(1, 1);
  testing_support::PumpMessages();
  EXPECT_TRUE(button.GetTable()->IsWindowVisible());
  SetForegroundWindow(frame.m_hWnd);
  testing_support::PumpMessages();
  EXPECT_TRUE(button.GetTable()->IsWindowVisible());
  RECT t;
  button.GetTable()->GetWindowRect(&t);
  EXPECT_GT(t.right - t.left, 40);
  button.DestroyWindow();
  frame.DestroyWindow();
}

}  // namespace
