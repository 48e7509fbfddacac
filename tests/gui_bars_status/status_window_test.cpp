// The bar window: pane drawing in a DIB section, progress controls placed by the part's
// paint, texts that invalidate their pane, text from the framework, the pulse of time
// progress controls, and the shared status font counted by its bars.
#include <QvImage.h>
#include <UIUtilities.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "dib_canvas.h"
#include "guistatus_test.h"

using namespace guistatus;
using namespace testing_support;

namespace {

class StatusWindow : public StatusFixture {
 protected:
  void SetUp() override {
    StatusFixture::SetUp();
    frame->ShowWindow(SW_SHOWNA);
    bar = new QvStatusBar(nullptr);
    ASSERT_TRUE(bar->CreatePlatform(false));
    Layout();
    model = bar->AddModel();
    plain = bar->AddBorder(model, QvPaneSunken, true);
    plainText = bar->AddTextPane(model, plain, false, 10);
    drawn = bar->AddBorder(model, QvPaneSunken, true);
    left = bar->AddTextPane(model, drawn, false, 12);
    right = bar->AddTextPane(model, drawn, false, 12);
    right->m_alignment = 1;
    progress = bar->AddProgressPane(model, drawn, 4, false);
  }
  void TearDown() override {
    delete bar;
    StatusFixture::TearDown();
  }
  HWND Window() const { return bar->GetMFCCWnd()->GetSafeHwnd(); }
  // The owner-drawn part painted by DrawItem into the canvas at (0, 0).
  void Draw(DibCanvas& canvas) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_STATIC;
    dis.hwndItem = Window();
    dis.hDC = canvas.dc();
    dis.rcItem = {0, 0, canvas.width(), canvas.height()};
    dis.itemData = reinterpret_cast<ULONG_PTR>(drawn);
    bar->GetStatusBarWindow()->DrawItem(&dis);
  }
  // The columns [from, to) of the canvas that hold ink.
  static RECT Columns(const DibCanvas& canvas, int from, int to) { return {from, 0, to, canvas.height()}; }

  QvStatusBar* bar = nullptr;
  QvStatusModel* model = nullptr;
  QvStatusBorder *plain = nullptr, *drawn = nullptr;
  QvTextPane *plainText = nullptr, *left = nullptr, *right = nullptr;
  QvProgressPane* progress = nullptr;
};

TEST_F(StatusWindow, TextPanesDrawnInTheirPlaces) {
  bar->ActivateModel(model);
  left->SetText("Left");
  right->SetText("R");
  const COLORREF white = RGB(255, 255, 255);
  DibCanvas canvas(drawn->GetRealWidth(), 22, white);
  ASSERT_TRUE(canvas.valid());
  Draw(canvas);
  const int l = left->GetPosition() + 1, r = right->GetPosition() + 1, w = right->GetRealWidth();
  ASSERT_GT(w, 20);
  // The left pane's text starts at its left edge; the right-aligned one ends 2 pixels short
  // of its right edge and leaves its left half blank.
  EXPECT_GT(canvas.CountOtherThan(white, Columns(canvas, l, l + 8)), 0);
  EXPECT_EQ(canvas.CountOtherThan(white, Columns(canvas, r, r + w / 2)), 0);
  EXPECT_GT(canvas.CountOtherThan(white, Columns(canvas, r + w - 12, r + w - 2)), 0);
  EXPECT_EQ(canvas.CountOtherThan(white, Columns(canvas, r + w - 2, r + w)), 0);
  // A right-aligned text wider than its pane is drawn from the left.
  right->SetText("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  canvas.Fill(white);
  Draw(canvas);
  EXPECT_GT(canvas.CountOtherThan(white, Columns(canvas, r, r + 6)), 0);
  // Nothing outside the text panes: the progress pane is a window of its own.
  const int p = progress->GetPosition();
  EXPECT_EQ(canvas.CountOtherThan(white, Columns(canvas, p, p + progress->GetRealWidth())), 0);
}

// The default images are the host's strip 3998 (16-pixel images: red, green, blue, yellow
// in a black frame).
TEST_F(StatusWindow, PicturePanesDrawTheirImage) {
  QvStatusModel* pictures = bar->AddModel();
  QvStatusBorder* border = bar->AddBorder(pictures, QvPaneSunken, true);
  QvPicturePane* green = bar->AddPicturePane(pictures, border, nullptr);
  QvPicturePane* none = bar->AddPicturePane(pictures, border, nullptr);
  QvImageList missing(4242, 16);  // no such resource: no images
  QvPicturePane* empty = bar->AddPicturePane(pictures, border, &missing);
  ASSERT_NE(green, nullptr);
  EXPECT_EQ(green->GetImageList(), bar->GetDefaultImageList());
  EXPECT_EQ(green->GetWidth(), 18);
  EXPECT_EQ(green->GetImage(), -1);
  bar->ActivateModel(pictures);
  green->SetImage(1);
  empty->SetImage(0);
  const COLORREF white = RGB(255, 255, 255);
  DibCanvas canvas(border->GetRealWidth(), 20, white);
  ASSERT_TRUE(canvas.valid());
  DRAWITEMSTRUCT dis = {};
  dis.hDC = canvas.dc();
  dis.rcItem = {0, 0, canvas.width(), canvas.height()};
  dis.itemData = reinterpret_cast<ULONG_PTR>(border);
  bar->GetStatusBarWindow()->DrawItem(&dis);
  // The image at the pane's place, from the item's top: framed, green inside.
  const int x = green->GetPosition();
  EXPECT_EQ(canvas.At(x + 8, 8), RGB(40, 170, 60));
  EXPECT_EQ(canvas.At(x + 8, 0), RGB(0, 0, 0));
  EXPECT_EQ(canvas.CountOtherThan(white, RECT{x, 0, x + 16, 16}), 16 * 16 - 4);  // the corners are masked
  // No image chosen, or a list without images: nothing drawn.
  EXPECT_EQ(canvas.CountOtherThan(white, RECT{none->GetPosition(), 0, none->GetPosition() + 18, 20}), 0);
  EXPECT_EQ(canvas.CountOtherThan(white, RECT{empty->GetPosition(), 0, empty->GetPosition() + 18, 20}), 0);
}

TEST_F(StatusWindow, ProgressControlPlacedByThePartsPaint) {
  bar->ActivateModel(model);
  ::UpdateWindow(Window());
  CWnd* control = progress->GetControl();
  ASSERT_TRUE(control->GetSafeHwnd());
  EXPECT_TRUE(control->IsWindowVisible());
  CRect placed, item;
  control->GetWindowRect(&placed);
  ::MapWindowPoints(NULL, Window(), reinterpret_cast<POINT*>(&placed), 2);
  const int part = static_cast<int>(model->IndexOfBorder(drawn));
  ASSERT_TRUE(::SendMessageW(Window(), SB_GETRECT, part, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(placed.left, item.left + progress->GetPosition());
  EXPECT_EQ(placed.top, item.top);
  EXPECT_EQ(placed.Width(), progress->GetRealWidth());
  EXPECT_EQ(placed.Height(), item.Height() - 1);
  // Range and value reach the control.
  progress->SetRange(10, 90);
  progress->SetValue(55);
  EXPECT_EQ(control->SendMessage(PBM_GETPOS), 55);
  EXPECT_EQ(control->SendMessage(PBM_GETRANGE, TRUE), 10);
}

TEST_F(StatusWindow, TextsInvalidateTheirPaneOnly) {
  bar->ActivateModel(model);
  ::UpdateWindow(Window());
  // A plain text part gets its text at once.
  plainText->SetText("ready");
  wchar_t text[32] = L"";
  ::SendMessageW(Window(), SB_GETTEXTW, model->IndexOfBorder(plain), reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"ready");
  ::UpdateWindow(Window());
  // A pane of an owner-drawn part is invalidated, not painted: a burst of texts waits for
  // one paint.
  for (int i = 0; i < 50; ++i) left->SetText(i % 2 ? "odd" : "even");
  RECT update = {0, 0, 0, 0};
  ASSERT_TRUE(::GetUpdateRect(Window(), &update, FALSE));
  CRect client;
  ::GetClientRect(Window(), &client);
  const int x = drawn->GetPosition() + left->GetPosition();
  EXPECT_EQ(update.left, x);
  EXPECT_EQ(update.right, x + left->GetRealWidth());
  EXPECT_EQ(update.bottom - update.top, client.Height());
  ::UpdateWindow(Window());
  EXPECT_FALSE(::GetUpdateRect(Window(), &update, FALSE));
  // A pane whose model is not shown only keeps its text.
  bar->DeactivateModel(model);
  ::UpdateWindow(Window());
  left->SetText("later");
  EXPECT_FALSE(::GetUpdateRect(Window(), &update, FALSE));
  EXPECT_STREQ(left->GetText().c_str(), "later");
}

TEST_F(StatusWindow, TextFromTheFramework) {
  bar->ActivateModel(model);
  // Part 0 is plain: the framework's text replaces it.
  EXPECT_EQ(::SendMessage(Window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(_T("Opens a file"))), 0);
  wchar_t text[32] = L"";
  ::SendMessageW(Window(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"Opens a file");
  // An owner-drawn part 0 becomes a plain text part with the same frame.
  QvStatusModel* other = bar->AddModel();
  QvStatusBorder* border = bar->AddBorder(other, QvPaneRaised, true);
  bar->AddTextPane(other, border, true, 5);
  bar->AddTextPane(other, border, true, 5);
  bar->ActivateModel(other);
  EXPECT_TRUE(HIWORD(::SendMessageW(Window(), SB_GETTEXTLENGTHW, 0, 0)) & SBT_OWNERDRAW);
  EXPECT_EQ(::SendMessage(Window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(_T("Saves"))), 0);
  const DWORD after = static_cast<DWORD>(::SendMessageW(Window(), SB_GETTEXTLENGTHW, 0, 0));
  EXPECT_EQ(HIWORD(after), SBT_POPOUT);
  EXPECT_EQ(LOWORD(after), 5);
  // A borderless part stays borderless.
  QvStatusModel* message = bar->AddModel();
  bar->AddTextPane(message, bar->AddBorder(message, QvPaneNoBorder, true), true, 20);
  bar->ActivateModel(message);
  EXPECT_EQ(::SendMessage(Window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(_T("Prints"))), 0);
  EXPECT_EQ(HIWORD(::SendMessageW(Window(), SB_GETTEXTLENGTHW, 0, 0)), SBT_NOBORDERS);
  TCHAR back[16] = _T("");
  ::SendMessage(Window(), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(back));
  EXPECT_EQ(CString(back), CString(_T("Prints")));
  bar->DeactivateModel(message);
  // Idle update of the frame's bars leaves the models' parts alone (the bar's parts 1 to 3
  // were made for the keyboard indicators).
  bar->ActivateModel(model);
  ::SendMessageW(Window(), WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_TRUE(HIWORD(::SendMessageW(Window(), SB_GETTEXTLENGTHW, 1, 0)) & SBT_OWNERDRAW);
  EXPECT_EQ(::SendMessageW(Window(), SB_GETPARTS, 0, 0), 3);
}

TEST_F(StatusWindow, TimeProgressPulseIsShared) {
  QvTimeProgressPane first(3), second(3);
  ASSERT_TRUE(first.CreateControl(frame));
  ASSERT_TRUE(second.CreateControl(frame));
  first.GetControl()->MoveWindow(0, 0, 30, 10);
  second.GetControl()->MoveWindow(40, 0, 30, 10);
  ::UpdateWindow(frame->GetSafeHwnd());
  // Each SetValue paints once, whatever the value, and steps the one pulse: up to 255, then
  // down again.
  const int start = CTimeProgressCtrl::GetPulseColor();
  first.SetValue(7);
  const int one = CTimeProgressCtrl::GetPulseColor();
  second.SetValue(-3);
  const int two = CTimeProgressCtrl::GetPulseColor();
  EXPECT_EQ(std::abs(one - start), 1);
  EXPECT_EQ(std::abs(two - one), 1);
  int highest = 0, lowest = 255, turns = 0, last = two, direction = two - one;
  for (int i = 0; i < 600; ++i) {
    (i % 2 ? first : second).SetValue(i);
    const int now = CTimeProgressCtrl::GetPulseColor();
    ASSERT_LE(std::abs(now - last), 1);
    if (now != last && (now - last) != direction) {
      ++turns;
      direction = now - last;
    }
    highest = std::max(highest, now);
    lowest = std::min(lowest, now);
    last = now;
  }
  EXPECT_EQ(highest, 255);
  EXPECT_EQ(lowest, 0);
  EXPECT_GE(turns, 2);
}

TEST(StatusFont, LivesWhileAnyBarDoes) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(NULL, _T("fonts"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200)));
  Set_GlobalTemporayAccessforMFCMainWindow(frame);
  EXPECT_EQ(GUIGetStatusFont(), static_cast<HFONT>(NULL));
  auto* first = new QvStatusBar(nullptr);
  ASSERT_TRUE(first->CreatePlatform(false));
  const HFONT font = GUIGetStatusFont();
  ASSERT_NE(font, static_cast<HFONT>(NULL));
  // The first bar window gets the default GUI font; a second one made meanwhile does not.
  EXPECT_EQ(reinterpret_cast<HFONT>(first->GetMFCCWnd()->SendMessage(WM_GETFONT)),
            static_cast<HFONT>(UIGetDefaultGUIFont2()->GetSafeHandle()));
  auto* second = new QvStatusBar(nullptr);
  ASSERT_TRUE(second->CreatePlatform(false));
  EXPECT_EQ(GUIGetStatusFont(), font);
  EXPECT_NE(reinterpret_cast<HFONT>(second->GetMFCCWnd()->SendMessage(WM_GETFONT)),
            static_cast<HFONT>(UIGetDefaultGUIFont2()->GetSafeHandle()));
  // The first bar going leaves the font to the second, which still draws with it.
  delete first;
  EXPECT_EQ(GUIGetStatusFont(), font);
  EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  delete second;
  EXPECT_EQ(GUIGetStatusFont(), static_cast<HFONT>(NULL));
  EXPECT_EQ(::GetObjectType(font), 0u);
  // A bar whose window was never made does not count.
  auto* windowless = new QvStatusBar(nullptr);
  auto* third = new QvStatusBar(nullptr);
  ASSERT_TRUE(third->CreatePlatform(false));
  const HFONT again = GUIGetStatusFont();
  delete windowless;
  EXPECT_EQ(::GetObjectType(again), static_cast<DWORD>(OBJ_FONT));
  delete third;
  EXPECT_EQ(GUIGetStatusFont(), static_cast<HFONT>(NULL));
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  frame->DestroyWindow();
}

TEST(StatusBarWindow, NoWindowToGoIntoFailsCleanly) {
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  ASSERT_EQ(AfxGetMainWnd(), nullptr);
  QvStatusBar bar(nullptr);
  EXPECT_FALSE(bar.CreatePlatform(false));
  EXPECT_EQ(bar.GetMFCCWnd(), nullptr);
  EXPECT_EQ(GUIGetStatusFont(), static_cast<HFONT>(NULL));
}

}  // namespace
