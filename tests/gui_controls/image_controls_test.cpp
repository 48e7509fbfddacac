// Pictures on portable controls: push buttons that show an image (made again as owner-drawn
// buttons in the same place of the z-order and tab order, their face drawn in pixels, the
// default button changed by focus and never by painting) and combo boxes given an image list.
#include <QvImage.h>

#include <memory>
#include <string>

#include "dib_canvas.h"
#include "test_support.h"
#include "widgets_test.h"

using namespace testing_support;

namespace {

using ImageControls = WidgetsTest;

const COLORREF kRed = RGB(255, 0, 0);

// An image of w x h in one colour.
QvImage* SolidImage(int w, int h, COLORREF c) {
  HBITMAP copy = SolidScreenBitmap(w, h, c);
  CBitmap* bitmap = new CBitmap;
  bitmap->Attach(copy);
  return new QvImage(bitmap, false);
}

CGUIButton* PlatformButton(QvControl* control) { return dynamic_cast<CGUIButton*>(control->GetPlatformControl()); }

// The button's id as the dialog's default button.
int DefaultId(HWND dialog) { return LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0)); }

TEST_F(ImageControls, ImageButtonTakesTheOldWindowsPlaceAndKeepsWorking) {
  QvPushButton* push = Get<QvPushButton>(kPush);
  ASSERT_TRUE(push);
  std::unique_ptr<QvImage> image(SolidImage(8, 8, kRed));
  HWND old = Child(kPush);
  HWND previous = GetWindow(old, GW_HWNDPREV);
  HWND next = GetWindow(old, GW_HWNDNEXT);
  ASSERT_TRUE(previous != NULL && next != NULL);
  RECT before;
  GetWindowRect(old, &before);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(old, WM_GETFONT, 0, 0));
  const LONG style = GetWindowLongW(old, GWL_STYLE);
  CGUIButton* platform = PlatformButton(push);

  push->SetImage(image.get(), true);
  HWND now = Child(kPush);
  EXPECT_FALSE(IsWindow(old));
  ASSERT_TRUE(now != NULL);
  EXPECT_EQ(push->GetPlatformWindow(), now);
  EXPECT_EQ(PlatformButton(push), platform) << "the same platform object";
  EXPECT_EQ(platform->GetImage(), image.get());
  EXPECT_EQ(GetWindow(now, GW_HWNDPREV), previous) << "its place in the z-order and tab order";
  EXPECT_EQ(GetWindow(now, GW_HWNDNEXT), next);
  EXPECT_EQ(GetWindowLongW(now, GWL_STYLE), (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  RECT after;
  GetWindowRect(now, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(now, WM_GETFONT, 0, 0)), font);
  EXPECT_EQ(Text(kPush), L"Push");

  // A click still reaches the container as the button's click.
  Focus(kPush);
  container->seen.clear();
  SendMessageW(now, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(now, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages();
  EXPECT_EQ(container->seen, (std::vector<Seen>{{kPush, 300, 0}}));
  // A double click only flashes the pressed look.
  SendMessageW(now, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(SendMessageW(now, BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_NE(GetCapture(), now);

  // A button that shows an image, and buttons of other kinds, ignore the call.
  std::unique_ptr<QvImage> other(SolidImage(4, 4, kRed));
  push->SetImage(other.get(), false);
  EXPECT_EQ(platform->GetImage(), image.get());
  EXPECT_EQ(Child(kPush), now);
  QvRadioButton* radio = Get<QvRadioButton>(kRadio);
  HWND radioWindow = Child(kRadio);
  const LONG radioStyle = GetWindowLongW(radioWindow, GWL_STYLE);
  PlatformButton(radio)->SetImage(other.get(), false);
  EXPECT_EQ(Child(kRadio), radioWindow);
  EXPECT_EQ(GetWindowLongW(radioWindow, GWL_STYLE), radioStyle);
  EXPECT_EQ(PlatformButton(radio)->GetImage(), nullptr);
}

TEST_F(ImageControls, NullImageLeavesAPlainPushButton) {
  QvPushButton* push = Get<QvPushButton>(kPush);
  ASSERT_TRUE(push);
  HWND w = Child(kPush);
  for (LONG type : {BS_PUSHBUTTON, BS_DEFPUSHBUTTON}) {
    SetWindowLongW(w, GWL_STYLE, (GetWindowLongW(w, GWL_STYLE) & ~BS_TYPEMASK) | type);
    push->SetImage(nullptr, false);
    EXPECT_EQ(Child(kPush), w) << type;
    EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << type;
    EXPECT_EQ(PlatformButton(push)->GetImage(), nullptr);
  }
}

// The face: the image inside the push face, a frame with the focus or default state, the
// image one pixel lower without them, a focus rectangle only when asked for. Drawing never
// makes the button the default one; taking the focus does.
TEST_F(ImageControls, ImageButtonFaceAndDefaultButton) {
  QvPushButton* push = Get<QvPushButton>(kPush);
  ASSERT_TRUE(push);
  std::unique_ptr<QvImage> image(SolidImage(8, 8, kRed));
  push->SetImage(image.get(), false);
  CGUIButton* button = PlatformButton(push);
  ASSERT_TRUE(button && button->m_hWnd);
  SendMessageW(dialog.m_hWnd, DM_SETDEFID, kRadio, 0);
  ASSERT_EQ(DefaultId(dialog.m_hWnd), kRadio);

  auto draw = [&](UINT state, DibCanvas& canvas) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kPush;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button->m_hWnd;
    item.hDC = canvas.dc();
    item.rcItem = {0, 0, 40, 20};
    button->DrawItem(&item);
    GdiFlush();
  };
  const struct {
    const char* what;
    UINT state;
    RECT image;  // where the 8 x 8 image lands
  } cases[] = {
      {"plain, a pixel lower", 0, {15, 6, 23, 14}},
      {"focused", ODS_FOCUS, {15, 5, 23, 13}},
      {"default", ODS_DEFAULT, {15, 5, 23, 13}},
      {"pressed and focused", ODS_SELECTED | ODS_FOCUS, {15, 5, 23, 13}},
  };
  for (const auto& c : cases) {
    DibCanvas canvas(40, 20, RGB(0, 0, 255));
    draw(c.state, canvas);
    EXPECT_EQ(canvas.CountOf(RGB(0, 0, 255)), 0) << c.what << ": the whole face is drawn";
    EXPECT_EQ(canvas.CountOf(kRed), 64) << c.what;
    EXPECT_EQ(canvas.CountOf(kRed, c.image), 64) << c.what;
    const bool framed = (c.state & (ODS_FOCUS | ODS_DEFAULT)) != 0;
    EXPECT_EQ(canvas.At(0, 0) == RGB(0, 0, 0) && canvas.At(39, 19) == RGB(0, 0, 0), framed) << c.what;
  }
  EXPECT_EQ(DefaultId(dialog.m_hWnd), kRadio) << "painting changes no default button";

  // The focus rectangle only with drawFocus.
  DibCanvas without(40, 20), with(40, 20);
  draw(ODS_FOCUS, without);
  button->m_drawFocus = TRUE;
  draw(ODS_FOCUS, with);
  int differences = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) differences += with.At(x, y) != without.At(x, y);
  EXPECT_GT(differences, 20);
  EXPECT_EQ(with.CountOf(kRed), 64) << "the focus rectangle stays off the image";


  Focus(kPush);
  EXPECT_EQ(GetFocus(), button->m_hWnd);
  EXPECT_EQ(DefaultId(dialog.m_hWnd), kPush) << "the focused image button is the default one";
}

TEST_F(ImageControls, ComboImageListGoesToThePlatformCombo) {
  QvComboBox* combo = Get<QvComboBox>(kDropList);
  ASSERT_TRUE(combo);
  combo->AddItem("one");
  combo->AddItem("two");
  QvImageList list(0, 4);
  CImageList& images = list.GetImageList();
  if (images.GetSafeHandle() == NULL) {
    ASSERT_TRUE(images.Create(4, 4, ILC_COLOR24, 1, 0));
  }
  CGUIComboBox* platform = dynamic_cast<CGUIComboBox*>(combo->GetPlatformControl());
  ASSERT_TRUE(platform);

  EXPECT_FALSE(combo->SetItemImage(0, 0)) << "no list yet";
  combo->SetImageList(&list, true);
  EXPECT_EQ(platform->GetImageList(), &images);
  HWND w = Child(kDropList);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & CBS_OWNERDRAWFIXED);
  EXPECT_EQ(combo->GetCount(), 2) << "the items came along";
  EXPECT_TRUE(combo->SetItemImage(1, 0));
  EXPECT_EQ(combo->GetItemImage(1), 0);
  EXPECT_EQ(combo->GetItemImage(0), -1);

  combo->SetImageList(nullptr, false);
  EXPECT_EQ(platform->GetImageList(), nullptr);
  EXPECT_EQ(combo->GetItemImage(1), -1) << "the images went with the list";
  EXPECT_FALSE(combo->SetItemImage(1, 0));
}

}  // namespace
