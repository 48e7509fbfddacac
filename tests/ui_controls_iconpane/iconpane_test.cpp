// The icon pane: creation and its refusals, item queries and checking, what a click tells
// the owner, hot tracking, drawing in each style and look, dragging an item out, and what
// panes leave behind.
#include <gtest/gtest.h>

#include <IconPaneControl.h>
#include <IconPaneWnd.h>
#include <UIHandles.h>
#include <framework.h>
#include <fw_oledata.h>

#include <string.h>
#include <memory>
#include <string>
#include <vector>

#include "dib_canvas.h"
#include "handle_counts.h"
#include "iconpane_ids.h"
#include "recorder.h"
#include "scripted_drop.h"
#include "test_support.h"

using testing_support::DibCanvas;
using testing_support::ExpectedMsg;
using testing_support::GuiCounts;
using testing_support::LoggingParent;
using testing_support::Recorder;
using testing_support::SubclassedControl;
using testing_support::kLparam;
using testing_support::kOptional;
using testing_support::kPosted;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;

namespace {

const UINT kLabels[] = {IDS_PANE_ALPHA, IDS_PANE_BETA, IDS_PANE_GAMMA};
const int kId = 77;
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// The pane is 100 x 300 at the top-left corner of a visible popup; its strip has three 16 x 16
// images (red, green and blue squares at 4..11 on light grey).
class Pane : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(parent.hwnd(), nullptr);
    pane = Make(0);
    ASSERT_NE(pane, nullptr);
  }
  void TearDown() override {
    if (IsWindow(pane)) DestroyWindow(pane);
  }
  HWND Make(DWORD extraStyle) {
    return CreateWindowExW(0, L"QvIconPaneControl32", L"", WS_CHILD | WS_VISIBLE | extraStyle, 0, 0, 100, 300,
                           parent.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)), NULL, NULL);
  }
  static LRESULT Fill(HWND h, int count = 3) {
    IPCREATESTRUCT cs = {count, 16, 16, IDB_PANE_STRIP, kLabels};
    return SendMessage(h, IPM_CREATE, reinterpret_cast<WPARAM>(&cs), 0);
  }
  IconPaneControl* Object() const { return IconPaneControl::FromWindow(pane); }
  void Print(DibCanvas& canvas) const { SendMessage(pane, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT); }
  POINT Screen(int x, int y) const {
    POINT p = {x, y};
    ClientToScreen(pane, &p);
    return p;
  }
  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

  LoggingParent parent{WS_POPUP | WS_VISIBLE, NULL, {40, 40, 300, 400}};
  HWND pane = NULL;
};

// Style 1 geometry: items 37 high from y = 2; item i's image at (42, 4 + 37i), its caption
// from y = 22 + 37i, 15 high.
POINT ImageOf(int item) { return {50, 12 + 37 * item}; }
POINT CaptionOf(int item) { return {50, 29 + 37 * item}; }

TEST_F(Pane, CreateRefusesWhatItCannotHold) {
  const UINT labels[] = {IDS_PANE_ALPHA};
  struct Case {
    const char* what;
    IPCREATESTRUCT cs;
  } cases[] = {
      {"no items", {0, 16, 16, IDB_PANE_STRIP, labels}},
      {"a negative count", {-3, 16, 16, IDB_PANE_STRIP, labels}},
      {"a huge count", {0x7FFFFFFF, 16, 16, IDB_PANE_STRIP, labels}},
      {"no labels", {1, 16, 16, IDB_PANE_STRIP, NULL}},
      {"no image width", {1, 0, 16, IDB_PANE_STRIP, labels}},
      {"a negative height", {1, 16, -16, IDB_PANE_STRIP, labels}},
  };
  for (Case& c : cases) {
    HWND h = Make(0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(SendMessage(h, IPM_CREATE, reinterpret_cast<WPARAM>(&c.cs), 0), -1) << c.what;
    EXPECT_EQ(SendMessage(h, IPM_ISITEMENABLED, 0, 0), -1) << c.what;
    // The refused pane can still be made.
    EXPECT_EQ(Fill(h, 1), 1) << c.what;
    DestroyWindow(h);
  }
  EXPECT_EQ(SendMessage(pane, IPM_CREATE, 0, 0), -1);
  EXPECT_EQ(Fill(pane), 3);
  EXPECT_EQ(Fill(pane), -1);  // a second creation
  const IconPaneItem* alpha = Object()->GetItem(0);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha->m_caption, CString(_T("Alpha")));
  EXPECT_TRUE(alpha->m_ownsBitmap);
  BITMAP bm = {};
  ASSERT_TRUE(GetObject(alpha->m_bitmap, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 32);  // the image and its mask
}

// Index messages answer -1 outside 0..count-1 and before creation; unknown private messages
// -1; the dump messages 3 and 1.
TEST_F(Pane, MessagesAnswerMinusOneForMissingItems) {
  EXPECT_EQ(SendMessage(pane, IPM_ISITEMCHECKED, 0, 0), -1);
  ASSERT_EQ(Fill(pane), 3);
  struct Case {
    UINT message;
    WPARAM wp;
    LPARAM item;
    LRESULT result;
  } cases[] = {
      {IPM_ISITEMENABLED, 0, 0, 1},  {IPM_ISITEMENABLED, 0, 3, -1},  {IPM_ISITEMENABLED, 0, -1, -1},
      {IPM_ISITEMCHECKED, 0, 2, 0},  {IPM_ISITEMCHECKED, 0, 3, -1},  {IPM_ISITEMCHECKED, 0, 0x7FFFFFFF, -1},
      {IPM_ENABLEITEM, 1, 9, -1},    {IPM_CHECKITEM, 1, -2, -1},     {IPM_GETCHECKEDITEM, 0, 0, -1},
      {IPM_GET3DSTYLE, 0, 0, 0},     {IPM_GETDRAGDROP, 0, 0, 1},     {WM_USER + 0x20, 0, 0, -1},
      {IPM_SETDRAWSTYLE, 2, 0, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendMessage(pane, c.message, c.wp, c.item), c.result) << std::hex << c.message << " " << c.item;
  EXPECT_EQ(SendMessage(pane, RegisterWindowMessageW(L"_UIM_DUMPWND"), 0, 0), 3);
  EXPECT_EQ(SendMessage(pane, RegisterWindowMessageW(L"_UIM_DUMPSTYLE"), 0, 0), 1);
  EXPECT_EQ(SendMessage(pane, IPM_SETOWNER, reinterpret_cast<WPARAM>(parent.hwnd()), 0), 0);
  EXPECT_EQ(SendMessage(pane, IPM_SETOWNER, 0, 0), reinterpret_cast<LRESULT>(parent.hwnd()));
}

TEST_F(Pane, CheckingKeepsAtMostOneItemAndUncheckingClearsTheCheckedIndex) {
  ASSERT_EQ(Fill(pane), 3);
  EXPECT_EQ(SendMessage(pane, IPM_CHECKITEM, 1, 0), 0);
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), 0);
  EXPECT_EQ(SendMessage(pane, IPM_CHECKITEM, 1, 2), 0);
  EXPECT_EQ(SendMessage(pane, IPM_ISITEMCHECKED, 0, 0), 0);  // the previous one lost its check
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), 2);
  EXPECT_EQ(SendMessage(pane, IPM_CHECKITEM, 1, 2), 1);  // no change
  EXPECT_EQ(SendMessage(pane, IPM_CHECKITEM, 0, 2), 1);
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), -1);
  EXPECT_EQ(SendMessage(pane, IPM_ENABLEITEM, 0, 1), 1);
  EXPECT_EQ(SendMessage(pane, IPM_ISITEMENABLED, 0, 1), 0);
  EXPECT_EQ(SendMessage(pane, IPM_CHECKITEM, 1, 1), -1);  // a disabled item
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), -1);
}

// A copy owns a copy of an owned bitmap: destroying both frees each once.
TEST(IconPaneItemCopies, NeverShareAnOwnedBitmap) {
  HDC screen = GetDC(NULL);
  const int before = testing_support::GdiObjectCount();
  {
    IconPaneItem a(L"owned", CreateCompatibleBitmap(screen, 8, 8), 1);
    IconPaneItem b(a), c;
    c = a;
    EXPECT_NE(b.m_bitmap, a.m_bitmap);
    EXPECT_NE(c.m_bitmap, a.m_bitmap);
    EXPECT_TRUE(b.m_ownsBitmap && c.m_ownsBitmap);
    EXPECT_EQ(b.m_caption, CString(_T("owned")));
    c = c;
    EXPECT_NE(GetObjectType(c.m_bitmap), 0u);
    HBITMAP shared = CreateCompatibleBitmap(screen, 8, 8);
    {
      IconPaneItem borrowed(L"borrowed", shared, 0), copy(borrowed);
      EXPECT_EQ(copy.m_bitmap, shared);
      EXPECT_FALSE(copy.m_ownsBitmap);
    }
    EXPECT_NE(GetObjectType(shared), 0u);
    DeleteObject(shared);
  }
  ReleaseDC(NULL, screen);
  EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

// What the parent saw of the last notification, and which item was checked meanwhile.
struct Heard {
  std::vector<UINT> codes;
  std::vector<int> items;
  std::vector<LRESULT> checkedThen;
};

class Clicks : public Pane {
 protected:
  void SetUp() override {
    Pane::SetUp();
    ASSERT_EQ(Fill(pane), 3);
    SendMessage(pane, IPM_SETDRAGDROP, 0, 0);
    parent.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT*) {
      if (msg != WM_NOTIFY) return false;
      const auto* nm = reinterpret_cast<const NMICONPANE*>(lp);
      if (nm->hdr.hwndFrom != pane || nm->hdr.idFrom != static_cast<UINT_PTR>(kId)) return false;
      heard.codes.push_back(nm->hdr.code);
      heard.items.push_back(nm->nItem);
      heard.checkedThen.push_back(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0));
      return false;
    };
    logger.reset(new SubclassedControl(pane));
    Recorder().Watch(pane);
    Recorder().Watch(parent.hwnd());
    Recorder().Ignore(WM_GETTEXT);
  }
  void TearDown() override {
    Recorder().UnwatchAll();
    Recorder().Unignore(WM_GETTEXT);
    logger.reset();
    parent.answer = nullptr;
    Pane::TearDown();
  }
  void Send(UINT msg, POINT p) { SendMessage(pane, msg, 0, At(p.x, p.y)); }
  Heard heard;
  std::unique_ptr<SubclassedControl> logger;
};

TEST_F(Clicks, PressAndReleaseOnOneItemChecksItThenNotifies) {
  Recorder().Reset();
  Send(WM_LBUTTONDOWN, CaptionOf(1));
  Send(WM_LBUTTONUP, CaptionOf(1));
  Recorder().Pump();
  // Press and release on item 1's caption: the parent hears IPN_ITEMCLICKED from control 77.
  const ExpectedMsg kClick[] = {{WM_LBUTTONDOWN, kSent | kLparam, 0, At(CaptionOf(1).x, CaptionOf(1).y)},
                                {WM_LBUTTONUP, kSent, 0, 0},
                                {WM_NOTIFY, kSent | kParent | kWparam, kId, 0},
                                {IPM_GETCHECKEDITEM, kSent, 0, 0},  // the parent's question meanwhile
                                {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kClick));
  ASSERT_EQ(heard.codes, std::vector<UINT>{IPN_ITEMCLICKED});
  EXPECT_EQ(heard.items, std::vector<int>{1});
  EXPECT_EQ(heard.checkedThen, std::vector<LRESULT>{1});  // checked before the owner heard
}

TEST_F(Clicks, ReleasingOnAnotherItemOrPartSendsNothing) {
  struct Case {
    const char* what;
    POINT press, release;
  } cases[] = {
      {"item 0 to item 1", CaptionOf(0), CaptionOf(1)},
      {"caption to image", CaptionOf(2), ImageOf(2)},
      {"item to no item", CaptionOf(2), {50, 250}},
  };
  for (const Case& c : cases) {
    Recorder().Reset();
    Send(WM_LBUTTONDOWN, c.press);
    Send(WM_LBUTTONUP, c.release);
    Recorder().Pump();
    // Press at one place, release at another: only the two mouse messages.
    const ExpectedMsg kNothing[] = {{WM_LBUTTONDOWN, kSent, 0, 0}, {WM_LBUTTONUP, kSent, 0, 0}, {0, 0, 0, 0}};
    EXPECT_TRUE(Recorder().Matches(kNothing)) << c.what;
  }
  EXPECT_TRUE(heard.codes.empty());
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), -1);
}

// An owner that destroys the pane while hearing the click: the pane touches nothing of
// itself afterwards, and its resources go with it.
TEST_F(Clicks, TheOwnerMayDestroyThePaneWhileHearingAClick) {
  const int panes = IconPaneControl::GetControlCount();
  parent.answer = [this](UINT msg, WPARAM, LPARAM, LRESULT*) {
    if (msg == WM_NOTIFY && IsWindow(pane)) DestroyWindow(pane);
    return false;
  };
  Send(WM_LBUTTONDOWN, CaptionOf(0));
  Send(WM_LBUTTONUP, CaptionOf(0));
  EXPECT_FALSE(IsWindow(pane));
  EXPECT_EQ(IconPaneControl::GetControlCount(), panes - 1);
}

// The owner set by IPM_SETOWNER hears the notifications instead of the parent; the right
// button on an item notifies, elsewhere nothing.
TEST_F(Clicks, TheOwnerHearsRightButtonPressesOnItems) {
  LoggingParent owner(WS_POPUP);
  Recorder().Watch(owner.hwnd());
  SendMessage(pane, IPM_SETOWNER, reinterpret_cast<WPARAM>(owner.hwnd()), 0);
  Recorder().Reset();
  Send(WM_RBUTTONDOWN, ImageOf(2));
  Send(WM_RBUTTONDOWN, {50, 250});
  Recorder().Pump();
  // Right button on item 2, then on no item: the owner hears IPN_ITEMRBUTTONDOWN once.
  const ExpectedMsg kRight[] = {
      {WM_RBUTTONDOWN, kSent, 0, 0}, {WM_NOTIFY, kSent | kParent | kWparam, kId, 0}, {WM_RBUTTONDOWN, kSent, 0, 0}, {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kRight));
  EXPECT_EQ(Recorder().Messages()[1].hwnd, owner.hwnd());
  EXPECT_TRUE(heard.codes.empty());  // the parent heard nothing
}

// A tick of the hot-tracking timer that finds the mouse on another part resets the press;
// a tick that finds nothing changed leaves it.
// A press that arrives before any tick has seen the pointer over the item (a quick move and
// click, or a busy machine) is a click: the first tick after it sees the pointer where it was
// pressed, which is no change.
TEST_F(Clicks, AFirstTickAfterAQuickPressKeepsTheClick) {
  const POINT elsewhere = Screen(CaptionOf(0).x, CaptionOf(0).y), image = Screen(ImageOf(1).x, ImageOf(1).y);
  ASSERT_TRUE(SetCursorPos(elsewhere.x, elsewhere.y));
  SendMessage(pane, WM_TIMER, IconPaneControl::kTimerId, 0);  // hot: item 0's caption
  ASSERT_EQ(Object()->GetHotItem().m_item, 0);

  ASSERT_TRUE(SetCursorPos(image.x, image.y));
  Send(WM_LBUTTONDOWN, ImageOf(1));
  SendMessage(pane, WM_TIMER, IconPaneControl::kTimerId, 0);  // the first tick over item 1
  Send(WM_LBUTTONUP, ImageOf(1));
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), 1);
  EXPECT_EQ(Object()->GetHotItem().m_item, 1);
}

TEST_F(Clicks, AHotTrackingTickThatSeesAChangeCancelsTheClick) {
  const POINT caption = Screen(CaptionOf(0).x, CaptionOf(0).y), image = Screen(ImageOf(0).x, ImageOf(0).y);
  ASSERT_TRUE(SetCursorPos(caption.x, caption.y));
  SendMessage(pane, WM_TIMER, IconPaneControl::kTimerId, 0);  // hot: item 0's caption
  EXPECT_EQ(Object()->GetHotItem().m_code, IPHT_CAPTION);

  Send(WM_LBUTTONDOWN, CaptionOf(0));
  SendMessage(pane, WM_TIMER, IconPaneControl::kTimerId, 0);  // nothing changed
  Send(WM_LBUTTONUP, CaptionOf(0));
  EXPECT_EQ(heard.codes.size(), 1u);

  Recorder().Reset();
  Send(WM_LBUTTONDOWN, CaptionOf(0));
  ASSERT_TRUE(SetCursorPos(image.x, image.y));
  SendMessage(pane, WM_TIMER, IconPaneControl::kTimerId, 0);
  ASSERT_TRUE(SetCursorPos(caption.x, caption.y));
  Send(WM_LBUTTONUP, CaptionOf(0));
  Recorder().Pump();
  // Press on the caption, a tick over the image, release on the caption: no notification.
  // The cursor's moves over the pane reach it when the queue is next read (optional: the
  // system may merge them).
  const ExpectedMsg kCancelled[] = {{WM_LBUTTONDOWN, kSent, 0, 0},
                                    {WM_TIMER, kSent | kWparam, IconPaneControl::kTimerId, 0},
                                    {WM_LBUTTONUP, kSent, 0, 0},
                                    {WM_NCHITTEST, kSent | kOptional, 0, 0},
                                    {WM_SETCURSOR, kSent | kOptional, 0, 0},
                                    {WM_SETCURSOR, kSent | kParent | kOptional, 0, 0},
                                    {WM_MOUSEMOVE, kPosted | kOptional, 0, 0},
                                    {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kCancelled));
  EXPECT_EQ(heard.codes.size(), 1u);
}

TEST_F(Pane, HitTestNamesThePart) {
  ASSERT_EQ(Fill(pane), 3);
  IconPaneControl* o = Object();
  struct Case {
    POINT at;
    int code, item;
  } cases[] = {
      {ImageOf(0), IPHT_IMAGE, 0}, {CaptionOf(2), IPHT_CAPTION, 2}, {{5, 10}, IPHT_ITEM, 0},
      {{50, 250}, IPHT_NOWHERE, -1}, {{150, 10}, IPHT_OUTSIDE, -1},
  };
  for (const Case& c : cases) {
    int item = 99;
    EXPECT_EQ(o->HitTest(CPoint(c.at.x, c.at.y), item), c.code) << c.at.x << "," << c.at.y;
    EXPECT_EQ(item, c.item);
  }
  SendMessage(pane, IPM_SETDRAWSTYLE, 2, 0);
  int item = -1;
  // Style 2: items 20 high; item 1's image at (2, 24), its caption from x = 23.
  EXPECT_EQ(o->HitTest(CPoint(8, 30), item), IPHT_IMAGE);
  EXPECT_EQ(item, 1);
  EXPECT_EQ(o->HitTest(CPoint(60, 30), item), IPHT_CAPTION);
}

// Pixels of the pane in both draw styles and each border look.
TEST_F(Pane, DrawsItemsBordersAndStatesInEachStyle) {
  ASSERT_EQ(Fill(pane), 3);
  const COLORREF panel = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                 dark = GetSysColor(COLOR_3DDKSHADOW);
  struct Case {
    int drawStyle, look;
    POINT image0, image1;  // top-left of the images of items 0 and 1
  } cases[] = {
      {1, 0, {42, 4}, {42, 41}}, {1, 1, {42, 4}, {42, 41}}, {1, 2, {42, 4}, {42, 41}},
      {2, 0, {2, 4}, {2, 24}},   {2, 1, {3, 4}, {3, 24}},   {2, 2, {3, 4}, {3, 24}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.drawStyle << " look " << c.look);
    SendMessage(pane, IPM_SETDRAWSTYLE, c.drawStyle, 0);
    SendMessage(pane, IPM_SET3DSTYLE, c.look, 0);
    DibCanvas canvas(100, 300);
    Print(canvas);
    // Item tops: each image's square at 4..11 of its cell.
    EXPECT_EQ(canvas.At(c.image0.x + 4, c.image0.y + 4), kRed);
    EXPECT_EQ(canvas.At(c.image0.x + 11, c.image0.y + 11), kRed);
    EXPECT_NE(canvas.At(c.image0.x + 3, c.image0.y + 4), kRed);
    EXPECT_EQ(canvas.At(c.image1.x + 4, c.image1.y + 4), kGreen);
    EXPECT_EQ(canvas.CountOf(kBlue), 64);
    const COLORREF topLeft = c.look == 1 ? RGB(0, 0, 0) : c.look == 2 ? RGB(255, 255, 255) : panel;
    const COLORREF bottomRight = c.look == 1 ? RGB(255, 255, 255) : c.look == 2 ? RGB(0, 0, 0) : panel;
    EXPECT_EQ(canvas.At(0, 150), topLeft);
    EXPECT_EQ(canvas.At(50, 0), topLeft);
    EXPECT_EQ(canvas.At(99, 150), bottomRight);
    EXPECT_EQ(canvas.At(50, 299), bottomRight);
    // Caption text in the window-text colour beside or under the image.
    const RECT caption = c.drawStyle == 1 ? RECT{1, 22, 99, 37} : RECT{c.image0.x + 21, 4, 99, 20};
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_WINDOWTEXT), caption), 5);
  }

  // The checked item: a halftone ring and a sunken frame (dark top and left, light bottom
  // and right) around its image.
  SendMessage(pane, IPM_SETDRAWSTYLE, 1, 0);
  SendMessage(pane, IPM_SET3DSTYLE, 0, 0);
  SendMessage(pane, IPM_CHECKITEM, 1, 0);
  DibCanvas checked(100, 300);
  Print(checked);
  const RECT frame = {40, 2, 60, 22};  // item 0's image grown by 2
  EXPECT_EQ(checked.At(frame.left, 10), dark);
  EXPECT_EQ(checked.At(50, frame.top), dark);
  EXPECT_EQ(checked.At(frame.right - 1, 10), light);
  EXPECT_EQ(checked.At(50, frame.bottom - 1), light);
  const COLORREF ringA = checked.At(41, 10), ringB = checked.At(41, 11);
  EXPECT_NE(ringA, ringB);  // the halftone alternates
  EXPECT_TRUE((ringA == GetSysColor(COLOR_BTNSHADOW) && ringB == GetSysColor(COLOR_BTNFACE)) ||
              (ringB == GetSysColor(COLOR_BTNSHADOW) && ringA == GetSysColor(COLOR_BTNFACE)));
  SendMessage(pane, IPM_CHECKITEM, 0, 0);

  // The hot item is raised; pressed as well, it is sunken.
  Object()->HandleHilite(CPoint(CaptionOf(1).x, CaptionOf(1).y));
  DibCanvas hot(100, 300);
  Print(hot);
  const RECT frame1 = {40, 39, 60, 59};
  EXPECT_EQ(hot.At(frame1.left, 48), light);
  EXPECT_EQ(hot.At(frame1.right - 1, 48), dark);
  EXPECT_EQ(hot.At(frame.left, 10), panel);  // item 0 is not framed
  SendMessage(pane, IPM_SETDRAGDROP, 0, 0);
  SendMessage(pane, WM_LBUTTONDOWN, 0, At(CaptionOf(1).x, CaptionOf(1).y));
  DibCanvas pressed(100, 300);
  Print(pressed);
  EXPECT_EQ(pressed.At(frame1.left, 48), dark);
  EXPECT_EQ(pressed.At(frame1.right - 1, 48), light);
}

// A disabled pane draws on the face colour with embossed captions and images; one created
// disabled draws so from the start.
TEST_F(Pane, DisabledPanesDrawDisabled) {
  HWND born = Make(WS_DISABLED);
  ASSERT_NE(born, nullptr);
  ASSERT_EQ(Fill(born), 3);
  ASSERT_EQ(Fill(pane), 3);
  EnableWindow(pane, FALSE);
  for (HWND h : {pane, born}) {
    DibCanvas canvas(100, 300);
    SendMessage(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(50, 250), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.CountOf(kRed) + canvas.CountOf(kGreen) + canvas.CountOf(kBlue), 0);
    const RECT caption = {1, 22, 99, 38};
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_BTNHIGHLIGHT), caption), 5);
    EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_BTNSHADOW), caption), 5);
    EXPECT_EQ(canvas.CountOf(GetSysColor(COLOR_WINDOWTEXT), caption), 0);
  }
  DestroyWindow(born);
}

// A disabled item of an enabled pane: embossed image, caption in the face colour.
TEST_F(Pane, DisabledItemsOfAnEnabledPaneAreEmbossed) {
  ASSERT_EQ(Fill(pane), 3);
  SendMessage(pane, IPM_ENABLEITEM, 0, 1);
  DibCanvas canvas(100, 300);
  Print(canvas);
  EXPECT_EQ(canvas.CountOf(kGreen), 0);
  EXPECT_EQ(canvas.CountOf(kRed), 64);
  const RECT caption = {1, 59, 99, 74};
  EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_BTNFACE), caption), 5);
}

// Ten items of 37 pixels in a 300-pixel pane: items 0 to 7 lie wholly inside, so the pane
// can scroll down; one step down (animated) shows items 1 to 8, and it can scroll back up.
TEST_F(Pane, ScrollingFollowsTheWhollyVisibleItems) {
  const UINT labels[10] = {IDS_PANE_ALPHA, IDS_PANE_BETA, IDS_PANE_GAMMA, IDS_PANE_ALPHA, IDS_PANE_BETA,
                           IDS_PANE_GAMMA, IDS_PANE_ALPHA, IDS_PANE_BETA, IDS_PANE_GAMMA, IDS_PANE_ALPHA};
  IPCREATESTRUCT cs = {10, 16, 16, IDB_PANE_STRIP, labels};
  ASSERT_EQ(SendMessage(pane, IPM_CREATE, reinterpret_cast<WPARAM>(&cs), 0), 10);
  DibCanvas canvas(100, 300);
  Print(canvas);
  IconPaneControl* o = Object();
  EXPECT_TRUE(o->CanScrollDown());
  EXPECT_FALSE(o->CanScrollUp());
  o->DoScrollDown();
  Print(canvas);
  EXPECT_TRUE(o->CanScrollUp());
  int item = -1;
  EXPECT_EQ(o->HitTest(CPoint(ImageOf(0).x, ImageOf(0).y), item), IPHT_IMAGE);
  EXPECT_EQ(item, 1);
  EXPECT_EQ(canvas.At(42 + 4, 4 + 4), kGreen);  // item 1's image at the top
  o->DoScrollUp();
  Print(canvas);
  EXPECT_EQ(canvas.At(42 + 4, 4 + 4), kRed);
  EXPECT_FALSE(o->CanScrollUp());
}

TEST_F(Pane, TheFontIsUprightAndCanBeReplaced) {
  HFONT font = reinterpret_cast<HFONT>(SendMessage(pane, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW lf = {};
  ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
  EXPECT_EQ(lf.lfEscapement, 0);
  EXPECT_EQ(lf.lfOrientation, 0);
  HFONT other = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SendMessage(pane, WM_SETFONT, reinterpret_cast<WPARAM>(other), FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(pane, WM_GETFONT, 0, 0)), other);
  SendMessage(pane, WM_SETFONT, 0, FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(pane, WM_GETFONT, 0, 0)), font);
}

TEST_F(Pane, SystemColourChangesKeepTheCountOfPanes) {
  HWND second = Make(0);
  const int count = IconPaneControl::GetControlCount();
  EXPECT_GE(count, 2);
  SendMessage(pane, WM_SYSCOLORCHANGE, 0, 0);
  SendMessage(second, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(IconPaneControl::GetControlCount(), count);
  DestroyWindow(second);
  EXPECT_EQ(IconPaneControl::GetControlCount(), count - 1);
}

TEST_F(Pane, HundredPanesLeaveNoHandlesBehind) {
  ASSERT_EQ(Fill(pane), 3);  // the shared resources stay while this pane lives
  const GuiCounts before = GuiCounts::Now();
  for (int i = 0; i < 100; ++i) {
    HWND h = Make(0);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(Fill(h), 3);
    SendMessage(h, IPM_CHECKITEM, 1, i % 3);
    SendMessage(h, WM_SYSCOLORCHANGE, 0, 0);
    DibCanvas canvas(100, 300);
    SendMessage(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    DestroyWindow(h);
  }
  EXPECT_EQ(GuiCounts::Now(), before);
}

TEST_F(Pane, TheWrapperDrivesThePaneAndAnswersWithoutOne) {
  CIconPaneControl lone;
  int flag = 7;
  IP3DSTYLE look = IP3D_RAISED;
  EXPECT_FALSE(lone.GetDragDrop(flag));
  EXPECT_EQ(flag, 7);
  EXPECT_FALSE(lone.Set3DStyle(IP3D_SUNKEN, &look));
  EXPECT_EQ(lone.CheckItem(0, 1), -1);
  EXPECT_EQ(lone.GetCheckedItem(), -1);
  EXPECT_EQ(lone.SetOwner(NULL), reinterpret_cast<HWND>(-1));

  CIconPaneControl wrapper;
  CRect rect(110, 0, 210, 200);
  ASSERT_TRUE(wrapper.Create(CWnd::FromHandle(parent.hwnd()), rect, 88, 2, 16, 16, IDB_PANE_STRIP, kLabels));
  EXPECT_EQ(wrapper.GetStyle() & 0xFFFF0000, 0x56010000u);
  EXPECT_EQ(wrapper.IsItemEnabled(1), 1);
  EXPECT_EQ(wrapper.IsItemEnabled(2), -1);
  EXPECT_EQ(wrapper.CheckItem(1, 1), 0);
  EXPECT_EQ(wrapper.GetCheckedItem(), 1);
  EXPECT_EQ(wrapper.IsItemChecked(1), 1);
  EXPECT_EQ(wrapper.EnableItem(0, 0), 1);
  ASSERT_TRUE(wrapper.SetDragDrop(0, &flag));
  EXPECT_EQ(flag, 1);
  ASSERT_TRUE(wrapper.GetDragDrop(flag));
  EXPECT_EQ(flag, 0);
  ASSERT_TRUE(wrapper.Set3DStyle(IP3D_SUNKEN, &look));
  EXPECT_EQ(look, IP3D_FLAT);
  ASSERT_TRUE(wrapper.Get3DStyle(look));
  EXPECT_EQ(look, IP3D_SUNKEN);
  EXPECT_EQ(wrapper.SetOwner(parent.hwnd()), nullptr);
  wrapper.DestroyWindow();
}

// A drop target that keeps the caption offered in the pane's format.
class CaptionTarget : public IDropTarget {
 public:
  std::basic_string<TCHAR> caption;
  SIZE_T bytes = 0;
  int drops = 0;
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *out = this;
      return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_MOVE;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_MOVE;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    ++drops;
    FORMATETC fe = {static_cast<CLIPFORMAT>(IconPaneControl::GetDragDropFormat()), NULL, DVASPECT_CONTENT, -1,
                    TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (SUCCEEDED(data->GetData(&fe, &medium))) {
      bytes = GlobalSize(medium.hGlobal);
      const TCHAR* p = static_cast<const TCHAR*>(GlobalLock(medium.hGlobal));
      caption.assign(p, bytes / sizeof(TCHAR));
      GlobalUnlock(medium.hGlobal);
      ReleaseStgMedium(&medium);
    }
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }
};

class Drags : public Pane {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxOleInit());
    Pane::SetUp();
    ASSERT_EQ(Fill(pane), 3);
    targetWindow.reset(new LoggingParent(WS_POPUP | WS_VISIBLE, NULL, {400, 100, 520, 220}));
    target = targetWindow->hwnd();
    ASSERT_NE(target, nullptr);
    SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowPos(parent.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ASSERT_EQ(RegisterDragDrop(target, &sink), S_OK);
    HWND there = WindowFromPoint(POINT{460, 160});
    wchar_t cls[64] = L"";
    GetClassNameW(there, cls, 64);
    ASSERT_EQ(there, target) << testing::PrintToString(std::wstring(cls));
    script = new ScriptedDrop<COleDropSource>;
    script->path = {{460, 160}, {460, 160}, {460, 160}};
    Object()->SetDropSource(script);
  }
  void TearDown() override {
    if (IsWindow(pane) && Object() != NULL) Object()->SetDropSource(NULL);
    if (script != NULL) script->InternalRelease();
    RevokeDragDrop(target);
    targetWindow.reset();
    Pane::TearDown();
    AfxOleTerm();
  }
  // Presses the left button at the pane's point with the real mouse, lets the pane act, and
  // releases the button wherever the cursor then is.
  void PressAt(POINT client) {
    const POINT s = Screen(client.x, client.y);
    testing_support::MouseTo(s, MOUSEEVENTF_LEFTDOWN);
    testing_support::PumpMessages();
    POINT now;
    GetCursorPos(&now);
    testing_support::MouseTo(now, MOUSEEVENTF_LEFTUP);
    testing_support::PumpMessages();
  }
  std::unique_ptr<LoggingParent> targetWindow;
  HWND target = NULL;
  CaptionTarget sink;
  ScriptedDrop<COleDropSource>* script = NULL;
};

// Style 1 drags only from the image; the target receives the whole caption with its end.
TEST_F(Drags, LargeIconsDragFromTheImageOnly) {
  PressAt(CaptionOf(1));
  EXPECT_EQ(script->step, 0u);
  EXPECT_EQ(sink.drops, 0);
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), 1);  // a plain click

  PressAt(ImageOf(0));
  EXPECT_GT(script->step, 0u);
  ASSERT_EQ(sink.drops, 1);
  EXPECT_EQ(sink.bytes, 6 * sizeof(TCHAR));
  EXPECT_EQ(sink.caption, std::basic_string<TCHAR>(_T("Alpha"), 6));
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), 1);  // a drag is no click
}

TEST_F(Drags, SmallIconsDragFromTheWholeItemUnlessDraggingIsOff) {
  SendMessage(pane, IPM_SETDRAWSTYLE, 2, 0);
  PressAt({60, 30});  // item 1's caption
  ASSERT_EQ(sink.drops, 1);
  EXPECT_EQ(sink.caption, std::basic_string<TCHAR>(_T("Beta"), 5));

  SendMessage(pane, IPM_SETDRAGDROP, 0, 0);
  script->step = 0;
  PressAt({8, 50});  // item 2's image
  EXPECT_EQ(script->step, 0u);
  EXPECT_EQ(sink.drops, 1);
  EXPECT_EQ(SendMessage(pane, IPM_GETCHECKEDITEM, 0, 0), 2);
}

}  // namespace
