// The image buttons and the system image list: how each state draws, what a long caption
// leaves of the heap, what the buttons tell their parent, and what index queries keep.
#include <gtest/gtest.h>

#include <ImageButton.h>
#include <MaskedBitmapButton.h>
#include <SystemImageList.h>
#include <UIHandles.h>
#include <UIUtilities.h>
#include <framework.h>

#include <string.h>
#include <string>

#include "bitmaptools_ids.h"
#include "dib_canvas.h"
#include "handle_counts.h"
#include "recorder.h"

using testing_support::DibCanvas;
using testing_support::DifferingPixels;
using testing_support::ExpectedMsg;
using testing_support::GdiObjectCount;
using testing_support::LoggingParent;
using testing_support::Recorder;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kMagenta = RGB(255, 0, 255);
const int kW = 64, kH = 28;

void Draw(CButton& button, DibCanvas& canvas, UINT state, UINT action = ODA_DRAWENTIRE) {
  canvas.Fill(RGB(1, 2, 3));
  DRAWITEMSTRUCT dis = {ODT_BUTTON, static_cast<UINT>(button.GetDlgCtrlID()), 0, action, state, button.m_hWnd,
                        canvas.dc(), {0, 0, canvas.width(), canvas.height()}, 0};
  button.DrawItem(&dis);
}

class Buttons : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(parent.hwnd(), nullptr); }
  CWnd* Parent() { return CWnd::FromHandle(parent.hwnd()); }
  LoggingParent parent;
};

// The masked bitmap (16 x 16, a red square on magenta) with its transparent colour shown as
// the face: toggled draws exactly as pressed, disabled loses the colour.
TEST_F(Buttons, MaskedBitmapButtonDrawsEachState) {
  CMaskedBitmapButton button;
  ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, kW, kH), Parent(), 100));
  EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
  ASSERT_EQ(button.SetMaskedBitmap(IDB_TOOLS_MASKED, 16, 16, kMagenta), 1);
  EXPECT_TRUE(button.HasImage());
  DibCanvas normal(kW, kH), pressed(kW, kH), toggled(kW, kH), disabled(kW, kH);
  Draw(button, normal, 0);
  Draw(button, pressed, ODS_SELECTED);
  button.SetToggle(1);
  EXPECT_EQ(button.IsToggled(), 1);
  Draw(button, toggled, 0);
  button.SetToggle(0);
  Draw(button, disabled, ODS_DISABLED);

  EXPECT_EQ(normal.CountOf(kRed), 64);  // the 8 x 8 square, centred without a caption
  EXPECT_EQ(normal.At(kW / 2 - 4, kH / 2 - 4), kRed);
  EXPECT_EQ(normal.CountOf(kMagenta), 0);
  EXPECT_EQ(pressed.At(kW / 2 - 3, kH / 2 - 3), kRed);  // moved one pixel down and right
  EXPECT_NE(pressed.At(kW / 2 - 4, kH / 2 - 4), kRed);
  EXPECT_GT(DifferingPixels(normal, pressed), 0);
  EXPECT_EQ(DifferingPixels(toggled, pressed), 0);
  EXPECT_EQ(disabled.CountOf(kRed), 0);
  EXPECT_EQ(disabled.CountOf(kMagenta), 0);
  EXPECT_EQ(disabled.CountOf(RGB(1, 2, 3)), 0);  // the whole face is drawn
}

TEST_F(Buttons, MaskedBitmapButtonDefaultFrameAndColourTab) {
  CMaskedBitmapButton button;
  ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, kW, kH), Parent(), 100));
  button.SetColorTab(RGB(0, 0, 255));
  Recorder().Reset();
  EXPECT_EQ(button.SetDefaultButton(1), 0);
  // SetDefaultButton(1) on a button of id 100: the parent hears DM_SETDEFID with the id.
  const ExpectedMsg kSetDefault[] = {{DM_SETDEFID, kSent | kParent | kWparam, 100, 0}, {0, 0, 0, 0}};
  Recorder().Watch(parent.hwnd());
  EXPECT_TRUE(Recorder().Matches(kSetDefault));
  Recorder().UnwatchAll();

  DibCanvas canvas(kW, kH);
  Draw(button, canvas, 0);
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));  // the default frame
  EXPECT_EQ(canvas.At(kW - 1, kH - 1), RGB(0, 0, 0));
  // The tab: line k from x0 to x0 + 7 - k at y0 + k, one pixel inside the frame's face.
  const int x0 = 2, y0 = 2;
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(canvas.At(x0, y0 + k), RGB(0, 0, 255)) << k;
    EXPECT_EQ(canvas.At(x0 + 7 - k, y0 + k), RGB(0, 0, 255)) << k;
    EXPECT_NE(canvas.At(x0 + 8 - k, y0 + k), RGB(0, 0, 255)) << k;
  }
  EXPECT_EQ(canvas.CountOf(RGB(0, 0, 255)), 36);
}

// DrawText with DT_MODIFYSTRING writes up to four characters past the shortened text: the
// button must never let it write into the caption it was given.
TEST_F(Buttons, ALongCaptionEndsInAnEllipsisAndLeavesTheHeapIntact) {
  const size_t n = 300, guard = 32;
  HANDLE heap = GetProcessHeap();
  auto* block = static_cast<TCHAR*>(HeapAlloc(heap, 0, (n + 1) * sizeof(TCHAR) + guard));
  ASSERT_NE(block, nullptr);
  for (size_t i = 0; i < n; ++i) block[i] = static_cast<TCHAR>('A' + i % 26);
  block[n] = 0;
  BYTE* tail = reinterpret_cast<BYTE*>(block + n + 1);
  memset(tail, 0xFD, guard);

  DibCanvas canvas(10, 10);
  uih::Selection font(canvas.dc(), UIGetDefaultGUIFont());
  const CString shown = CMaskedBitmapButton::FitCaption(canvas.dc(), block, 100);
  ASSERT_GT(shown.GetLength(), 3);
  EXPECT_LT(shown.GetLength(), 60);
  EXPECT_EQ(shown.Right(3), CString(_T("...")));
  SIZE extent = {};
  GetTextExtentPoint32(canvas.dc(), shown, shown.GetLength(), &extent);
  EXPECT_LE(extent.cx, 100);
  EXPECT_EQ(block[n], 0);
  EXPECT_EQ(block[50], static_cast<TCHAR>('A' + 50 % 26));
  for (size_t i = 0; i < guard; ++i) ASSERT_EQ(tail[i], 0xFD) << i;
  EXPECT_TRUE(HeapValidate(heap, 0, NULL));
  HeapFree(heap, 0, block);

  // The same caption drawn by a narrow button with an icon.
  CMaskedBitmapButton button;
  ASSERT_TRUE(button.Create(CString(_T('W'), 300), WS_CHILD | WS_VISIBLE, CRect(0, 0, 90, kH), Parent(), 100));
  button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), FALSE);
  ASSERT_EQ(button.SetIcon(IDI_TOOLS_ICON, 16, 16), 1);
  DibCanvas face(90, kH);
  Draw(button, face, ODS_DISABLED);
  Draw(button, face, 0);
  // The cut caption ends in its ellipsis inside the face: the last ten columns before the
  // frame hold dots only (text pixels on one or two rows), not the strokes of letters.
  int rowsWithText = 0, textPixels = 0;
  for (int y = 3; y < kH - 3; ++y) {
    const int n = face.CountOf(GetSysColor(COLOR_BTNTEXT), RECT{78, y, 88, y + 1});
    textPixels += n;
    rowsWithText += n > 0;
  }
  EXPECT_GT(textPixels, 2);
  EXPECT_LE(rowsWithText, 2);
  Draw(button, face, ODS_FOCUS);
  EXPECT_TRUE(HeapValidate(heap, 0, NULL));
  EXPECT_EQ(button.SetIcon(4242, 16, 16), 0);
  EXPECT_FALSE(button.HasImage());
}

// A red 16 x 16 image in a masked list.
struct RedList {
  CImageList list;
  RedList() {
    list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    DibCanvas red(16, 16, kRed);
    uih::OwnedBitmap copy(static_cast<HBITMAP>(CopyImage(red.bitmap(), IMAGE_BITMAP, 16, 16, 0)));
    ImageList_AddMasked(list.m_hImageList, copy.Get(), RGB(0, 0, 1));
  }
};

// Enabled image buttons show the image in its colours (they used to be embossed whatever
// their state); disabled ones emboss it.
TEST_F(Buttons, ImageButtonEmbossesOnlyWhenDisabled) {
  RedList red;
  ASSERT_EQ(ImageList_GetImageCount(red.list.m_hImageList), 1);
  CImageButton button;
  ASSERT_TRUE(button.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 28, 28), Parent(), 101));
  EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
  button.SetImage(&red.list, 0);
  DibCanvas canvas(28, 28);
  struct Case {
    UINT state;
    bool coloured;
  } cases[] = {{0, true}, {ODS_SELECTED, true}, {ODS_FOCUS, true}, {ODS_DISABLED, false}};
  for (const Case& c : cases) {
    Draw(button, canvas, c.state);
    if (c.coloured)
      EXPECT_GT(canvas.CountOf(kRed), 100) << c.state;
    else
      EXPECT_EQ(canvas.CountOf(kRed), 0) << c.state;
  }
  // With the focus the parent hears that this is its default button.
  Recorder().Reset();
  Recorder().Watch(parent.hwnd());
  Draw(button, canvas, ODS_FOCUS);
  // DrawItem with ODS_FOCUS of the button of id 101.
  const ExpectedMsg kFocus[] = {{DM_SETDEFID, kSent | kParent | kWparam, 101, 0}, {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kFocus));
  Recorder().UnwatchAll();
}

TEST_F(Buttons, CommandButtonOfAnUnknownCommandDrawsAnEmptyFace) {
  CCmdButton button(64999);
  EXPECT_EQ(button.GetCommand(), 64999u);
  EXPECT_EQ(button.GetImageList(), nullptr);
  ASSERT_TRUE(button.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 28, 28), Parent(), 102));
  DibCanvas drawn(28, 28), empty(28, 28);
  Draw(button, drawn, 0);
  empty.Fill(RGB(1, 2, 3));
  RECT face = {0, 0, 28, 28};
  DrawFrameControl(empty.dc(), &face, DFC_BUTTON, DFCS_BUTTONPUSH);
  EXPECT_EQ(DifferingPixels(drawn, empty), 0);
}

// Each index query used to keep the icon the shell made for it.
TEST(SystemImageList, IndexQueriesKeepNoIcons) {
  CSystemImageList list;
  ASSERT_NE(list.GetSafeHandle(), nullptr);
  wchar_t windows[MAX_PATH] = L"";
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  const int index = list.GetIndex(windows);
  ASSERT_GE(index, 0);
  const int before = GdiObjectCount();
  for (int i = 0; i < 50; ++i) EXPECT_EQ(list.GetIndex(windows), index);
  EXPECT_EQ(GdiObjectCount(), before);
  EXPECT_EQ(list.GetIndex(NULL), -1);

  list.SetStyle(0);
  ASSERT_NE(list.GetSafeHandle(), nullptr);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list.GetSafeHandle(), &cx, &cy);
  EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(static_cast<CImageList*>(list), &list);
}

}  // namespace
