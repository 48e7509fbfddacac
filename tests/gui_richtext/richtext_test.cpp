// The rich-text label: binding through a container, its styles and fonts, the height it fits
// to its wrapped text (every line shown at any width), its drawing and its own colours.
#include <GUIInitialisations.h>
#include <GUIRichText.h>
#include <QvColor.h>
#include <QvControls.h>
#include <QvGUIContainer.h>
#include <QvRichText.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>

#include "dib_canvas.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::DibCanvas;

namespace {

enum : unsigned short { kLabel = 10, kOther = 20, kEdit = 30 };

const wchar_t kLongText[] =
    L"The quick brown fox jumps over the lazy dog while the careful reader counts every word "
    L"of this rather long sentence, which has to wrap over many lines in a narrow label, and "
    L"the last words must still be seen at the very bottom.";

class RichTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Labels"), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                0, 0, 700, 500, NULL, NULL));
    container = new QvGUIContainer(nullptr, 0);
    container->SetMFCCWnd(&parent);
    GUISetQvGUIContainer(&parent, container);
  }
  void TearDown() override {
    GUISetQvGUIContainer(&parent, nullptr);
    delete container;
    if (parent.m_hWnd) parent.DestroyWindow();
    testing_support::PumpMessages();
    PlatformGUIRelease();
  }

  // A static child of the width, bound as a portable rich label.
  CGUIRichText* MakeLabel(unsigned short id, int width, QvRichText** portable = nullptr) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, width, 10, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), NULL, NULL);
    if (!window) return nullptr;
    QvRichText* control = nullptr;
    if (!container->GetControlFromID(control, id, 0)) return nullptr;
    if (portable) *portable = control;
    return dynamic_cast<CGUIRichText*>(control->GetPlatformControl());
  }

  static SIZE ClientSize(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
  }

  CWnd parent;
  QvGUIContainer* container = nullptr;
};

// The lowest row holding a pixel other than white; -1 when there is none.
int LastInkRow(const DibCanvas& canvas) {
  for (int y = canvas.height() - 1; y >= 0; --y) {
    RECT row = {0, y, canvas.width(), y + 1};
    if (canvas.CountOtherThan(RGB(255, 255, 255), row) > 0) return y;
  }
  return -1;
}

TEST_F(RichTextTest, ContainerBindsARichLabelToTheStaticChild) {
  QvRichText* portable = nullptr;
  CGUIRichText* label = MakeLabel(kLabel, 200, &portable);
  ASSERT_TRUE(label) << "the container made no rich label for the static child";
  EXPECT_EQ(label->m_hWnd, portable->GetPlatformWindow());
  EXPECT_EQ(CGUIRichText::kBody, label->GetStyle());
  EXPECT_EQ(CGUIRichText::kBody, portable->GetStyle());
  portable->SetStyle(CGUIRichText::kTitle);
  EXPECT_EQ(CGUIRichText::kTitle, label->GetStyle());
}

// A label narrower (and one wider) than 480 pixels gets the height of its text wrapped at its
// own width, and drawing it shows the last line the text has at that width.
TEST_F(RichTextTest, EveryWrappedLineFitsTheLabelAtAnyWidth) {
  struct Case {
    int width;
    WORD style;
  } cases[] = {{120, CGUIRichText::kBody},     {200, CGUIRichText::kBody},     {479, CGUIRichText::kBody},
               {150, CGUIRichText::kTitle},    {160, CGUIRichText::kBullet},   {180, CGUIRichText::kEmphasis},
               {600, CGUIRichText::kBody},     {90, CGUIRichText::kEmphasisToo}};
  unsigned short id = kLabel;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width << ", style " << c.style);
    CGUIRichText* label = MakeLabel(id++, c.width);
    ASSERT_TRUE(label);
    ASSERT_TRUE(label->SetStyle(c.style));
    ASSERT_TRUE(label->SetText(kLongText));
    const SIZE size = ClientSize(label->m_hWnd);
    ASSERT_EQ(c.width, size.cx) << "the width must stay";

    // The text wrapped at the width it is drawn in, on a surface tall enough for all of it.
    const int indent = c.style == CGUIRichText::kBullet ? CGUIRichText::kBulletIndent : 0;
    const int top = c.style == CGUIRichText::kBullet ? CGUIRichText::kBulletTop : 0;
    DibCanvas reference(c.width, 2000);
    ASSERT_TRUE(reference.valid());
    {
      HGDIOBJ old = SelectObject(reference.dc(), label->StyleFont());
      SetBkMode(reference.dc(), TRANSPARENT);
      RECT r = {indent, top, c.width, 2000};
      DrawTextW(reference.dc(), kLongText, -1, &r, DT_WORDBREAK);
      SelectObject(reference.dc(), old);
    }
    const int lastLine = LastInkRow(reference);
    ASSERT_GT(lastLine, 25) << "the text must wrap over three lines or more";
    EXPECT_GT(size.cy, lastLine) << "the label cuts its last line";

    DibCanvas drawn(c.width, size.cy);
    ASSERT_TRUE(drawn.valid());
    SendMessageW(label->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.dc()), PRF_CLIENT);
    EXPECT_EQ(lastLine, LastInkRow(drawn)) << "the drawn label must end with the text's last line";
  }
}

// A style above 6 is refused before anything is stored: style, font and size stay.
TEST_F(RichTextTest, StyleAboveSixChangesNothing) {
  QvRichText* portable = nullptr;
  CGUIRichText* label = MakeLabel(kLabel, 200, &portable);
  ASSERT_TRUE(label);
  ASSERT_TRUE(label->SetStyle(CGUIRichText::kTitle));
  ASSERT_TRUE(label->SetText(kLongText));
  RECT before = {};
  GetWindowRect(label->m_hWnd, &before);
  const LRESULT font = SendMessageW(label->m_hWnd, WM_GETFONT, 0, 0);
  for (WORD style : {WORD(7), WORD(8), WORD(0xFFFF)}) {
    SCOPED_TRACE(style);
    EXPECT_FALSE(label->SetStyle(style));
    portable->SetStyle(style);
    EXPECT_EQ(CGUIRichText::kTitle, label->GetStyle());
    EXPECT_EQ(font, SendMessageW(label->m_hWnd, WM_GETFONT, 0, 0));
    RECT after = {};
    GetWindowRect(label->m_hWnd, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
  }
}

// The fonts by style: title 20 pixels, body 11 normal, bullet and emphasis 11 bold, shared by
// all labels and deleted with the last one; the own-colour style keeps the window's font.
TEST_F(RichTextTest, StylesChooseTheSharedFonts) {
  struct Case {
    WORD style;
    LONG height;
    LONG weight;
  } cases[] = {{CGUIRichText::kTitle, -20, 0},       {CGUIRichText::kBody, -11, FW_NORMAL},
               {CGUIRichText::kBullet, -11, FW_BOLD}, {CGUIRichText::kEmphasis, -11, FW_BOLD},
               {CGUIRichText::kEmphasisToo, -11, FW_BOLD}, {CGUIRichText::kPageBody, -11, FW_NORMAL}};
  CGUIRichText* first = MakeLabel(kLabel, 200);
  CGUIRichText* second = MakeLabel(kOther, 300);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(2, CGUIRichText::GetLiveCount());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    ASSERT_TRUE(first->SetStyle(c.style));
    ASSERT_TRUE(second->SetStyle(c.style));
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(first->m_hWnd, WM_GETFONT, 0, 0));
    EXPECT_EQ(first->StyleFont(), font);
    EXPECT_EQ(font, second->StyleFont()) << "the fonts are shared";
    LOGFONTW lf = {};
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(c.height, lf.lfHeight);
    if (c.weight) {
      EXPECT_EQ(c.weight, lf.lfWeight);
    }
  }
  HFONT own = CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  SendMessageW(first->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(own), FALSE);
  ASSERT_TRUE(first->SetStyle(CGUIRichText::kOwnColor));
  EXPECT_EQ(own, first->StyleFont()) << "the own-colour style keeps the window's font";
  SendMessageW(first->m_hWnd, WM_SETFONT, 0, FALSE);
  DeleteObject(own);

  delete container;  // the labels go with their controls
  container = nullptr;
  GUISetQvGUIContainer(&parent, nullptr);
  EXPECT_EQ(0, CGUIRichText::GetLiveCount());
}

// Colours: the own-colour style draws in the label's colour, the emphasised ones in the window
// text colour, whatever colour the DC had.
TEST_F(RichTextTest, DrawsInTheStylesColour) {
  CGUIRichText* label = MakeLabel(kLabel, 300);
  ASSERT_TRUE(label);
  ASSERT_TRUE(label->SetText(L"Coloured words"));
  struct Case {
    WORD style;
    COLORREF expected;
  } cases[] = {{CGUIRichText::kOwnColor, RGB(0xC0, 0x10, 0x20)},
               {CGUIRichText::kEmphasis, GetSysColor(COLOR_WINDOWTEXT)}};
  label->SetColor(QvColor(0xC0FF, 0x1000, 0x2033));
  EXPECT_EQ(RGB(0xC0, 0x10, 0x20), label->GetColor());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    ASSERT_TRUE(label->SetStyle(c.style));
    const SIZE size = ClientSize(label->m_hWnd);
    DibCanvas canvas(size.cx, size.cy > 0 ? size.cy : 20);
    ASSERT_TRUE(canvas.valid());
    SetTextColor(canvas.dc(), RGB(0, 200, 0));
    SendMessageW(label->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_GT(canvas.CountOf(c.expected), 10);
    EXPECT_EQ(0, canvas.CountOf(RGB(0, 200, 0)));
  }
}

// The bullet style draws the program's bullet picture where its mask is black and leaves the
// background where it is white, then the text from (17, 2).
TEST_F(RichTextTest, BulletIsDrawnThroughItsMask) {
  CGUIRichText* label = MakeLabel(kLabel, 200);
  ASSERT_TRUE(label);
  ASSERT_TRUE(label->SetStyle(CGUIRichText::kBullet));
  ASSERT_TRUE(label->SetText(L"Item"));
  const SIZE size = ClientSize(label->m_hWnd);
  const COLORREF background = RGB(250, 240, 200), dot = RGB(0, 80, 160);
  DibCanvas canvas(size.cx, size.cy, background);
  ASSERT_TRUE(canvas.valid());
  SendMessageW(label->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  struct Case {
    int x, y;
    COLORREF expected;
  } cases[] = {{3, 3, dot}, {4, 4, dot}, {0, 0, background}, {7, 0, background}, {0, 7, background},
               {10, 3, background}, {15, 3, background}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, canvas.At(c.x, c.y)) << c.x << "," << c.y;
  const RECT text = {CGUIRichText::kBulletIndent, CGUIRichText::kBulletTop, size.cx, size.cy};
  EXPECT_GT(canvas.CountOtherThan(background, text), 10) << "the text right of the bullet";
  const RECT gap = {8, 0, CGUIRichText::kBulletIndent, size.cy};
  EXPECT_EQ(0, canvas.CountOtherThan(background, gap));
}

// WM_CTLCOLOR of a portable dialog: a child with a portable text colour gets it, a rich label
// keeps the DC's colour (it draws its own).
TEST_F(RichTextTest, DialogColourLeavesRichLabelsAlone) {
  QvRichText* rich = nullptr;
  ASSERT_TRUE(MakeLabel(kLabel, 200, &rich));
  ASSERT_TRUE(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 100, 100, 20, parent.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEdit)), NULL, NULL));
  QvEditText* edit = nullptr;
  ASSERT_TRUE(container->GetControlFromID(edit, kEdit, 0));
  rich->SetTextColor(QvColor(0xFF00, 0, 0));
  edit->SetTextColor(QvColor(0, 0, 0xFF00));
  struct Case {
    unsigned short id;
    COLORREF expected;
  } cases[] = {{kLabel, RGB(1, 2, 3)}, {kEdit, RGB(0, 0, 0xFF)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    DibCanvas canvas(4, 4);
    ASSERT_TRUE(canvas.valid());
    CDC dc;
    dc.Attach(canvas.dc());
    dc.SetTextColor(RGB(1, 2, 3));
    GUIOnCtlColor(&parent, &dc, parent.GetDlgItem(c.id), CTLCOLOR_STATIC);
    EXPECT_EQ(c.expected, dc.GetTextColor());
    dc.Detach();
  }
}

// The portable text: hidden while it is set (the parent repaints behind the transparent
// label), shown again, the height fitted, and the style's font kept.
TEST_F(RichTextTest, PortableTextShowsThroughHideAndShow) {
  QvRichText* portable = nullptr;
  CGUIRichText* label = MakeLabel(kLabel, 150, &portable);
  ASSERT_TRUE(label);
  portable->SetStyle(CGUIRichText::kEmphasis);
  const LRESULT font = SendMessageW(label->m_hWnd, WM_GETFONT, 0, 0);
  testing_support::PumpMessages();
  testing_support::SubclassedControl watched(label->m_hWnd);
  auto& recorder = testing_support::Recorder();
  recorder.Reset();
  recorder.Watch(label->m_hWnd);
  portable->SetText(QvString(L"A text long enough to wrap over lines"));
  recorder.Pump();
  using testing_support::kOptional;
  using testing_support::kSent;
  using testing_support::kWparam;
  // SetText on a visible label of one line's height: hidden, the text set, the height fitted
  // to the wrapped text (measured with the text read back), shown again and painted at once.
  const testing_support::ExpectedMsg sequence[] = {
      {WM_SHOWWINDOW, kSent | kWparam, FALSE, 0},
      {WM_WINDOWPOSCHANGING, kSent, 0, 0},
      {WM_WINDOWPOSCHANGED, kSent, 0, 0},
      {WM_SETTEXT, kSent, 0, 0},
      {WM_GETTEXTLENGTH, kSent, 0, 0},
      {WM_GETTEXT, kSent, 0, 0},
      {WM_WINDOWPOSCHANGING, kSent, 0, 0},
      {WM_NCCALCSIZE, kSent, 0, 0},
      {WM_WINDOWPOSCHANGED, kSent, 0, 0},
      {WM_SIZE, kSent, 0, 0},
      {WM_SHOWWINDOW, kSent | kWparam, TRUE, 0},
      {WM_WINDOWPOSCHANGING, kSent, 0, 0},
      {WM_WINDOWPOSCHANGED, kSent, 0, 0},
      {WM_PAINT, kSent, 0, 0},
      {WM_NCPAINT, kSent, 0, 0},
      {WM_ERASEBKGND, kSent, 0, 0},  // answered without drawing: the label is transparent
      {WM_GETTEXTLENGTH, kSent, 0, 0},
      {WM_GETTEXT, kSent, 0, 0},
      {0, 0, 0, 0}};
  EXPECT_TRUE(recorder.Matches(sequence));
  EXPECT_TRUE(IsWindowVisible(label->m_hWnd));
  EXPECT_EQ(font, SendMessageW(label->m_hWnd, WM_GETFONT, 0, 0));
  QvString text;
  portable->GetText(text);
  EXPECT_EQ(std::wstring(L"A text long enough to wrap over lines"), text.ToWide());
  EXPECT_GT(ClientSize(label->m_hWnd).cy, 20) << "wrapped over lines";
}

}  // namespace
