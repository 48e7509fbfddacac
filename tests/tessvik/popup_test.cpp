// The notification popup as the client sees it through ShowNotification: made on the first
// message, messages queued and shown in order, the slide in and out driven tick by tick (the
// popup's own timers are stopped after every step, so nothing runs on its own), closing by
// the close box, the copies of the client's records, failures and the popup's end.
#include <gtest/gtest.h>

#include <richedit.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <Pellix.h>
#include <handle_counts.h>

#include "picker_driver.h"

namespace {

enum { SLIDE_IN = 100, SLIDE_OUT = 101, DWELL = 102 };
// "Click here" in the system's code page: Chinese under GB2312, else English.
const wchar_t* const kLinkText = GetACP() == 936 ? L"\x70B9\x51FB\x8FD9\x91CC" : L"Click here";

// A COM object that counts its references, carried in the records' VARIANTs.
struct Counted : IUnknown {
  LONG refs = 1;
  STDMETHOD(QueryInterface)(REFIID iid, void** ppv) override {
    *ppv = IsEqualIID(iid, IID_IUnknown) ? this : NULL;
    if (*ppv == NULL) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
  STDMETHOD_(ULONG, Release)() override { return --refs; }
};

NotificationRecord Message(const char* text, DWORD keep = 0, IUnknown* data = NULL, DWORD dwell = 0) {
  NotificationRecord r;
  memset(&r, 0, sizeof(r));
  r.cbSize = sizeof(r);
  lstrcpynA(r.text, text, sizeof(r.text));
  r.keep = keep;
  r.dwell = dwell;
  if (data != NULL) {
    V_VT(&r.data) = VT_UNKNOWN;
    V_UNKNOWN(&r.data) = data;  // the client's reference
  }
  return r;
}

BOOL CALLBACK IsPopup(HWND w, LPARAM p) {
  LONG_PTR ex = GetWindowLongPtrA(w, GWL_EXSTYLE);
  char cls[32] = {};
  HWND child = GetWindow(w, GW_CHILD);
  if (child != NULL) GetClassNameA(child, cls, sizeof(cls));
  if ((ex & WS_EX_TOOLWINDOW) && (ex & WS_EX_TOPMOST) && lstrcmpiA(cls, "RichEdit20A") == 0) {
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  return TRUE;
}

HWND FindPopup() {
  HWND found = NULL;
  EnumThreadWindows(GetCurrentThreadId(), &IsPopup, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring Text(HWND popup) {
  HWND edit = GetWindow(popup, GW_CHILD);
  GETTEXTLENGTHEX gtl = {GTL_DEFAULT | GTL_NUMCHARS, 1200};
  LRESULT n = SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0);
  std::vector<wchar_t> buf(static_cast<size_t>(n > 0 ? n : 0) + 1, 0);
  GETTEXTEX gt = {static_cast<DWORD>(buf.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, NULL, NULL};
  SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(buf.data()));
  return buf.data();
}

std::wstring Shown(const wchar_t* message) { return std::wstring(message) + kLinkText; }
std::wstring Shown(const std::string& message) { return Shown(std::wstring(message.begin(), message.end()).c_str()); }

// The shown height, from where the popup stands above the work area's bottom.
int Height(HWND popup) {
  RECT work, rc;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(popup, &rc);
  return work.bottom - 5 - rc.top;
}

// Which of the popup's timers run. The tests never pump timer messages: the ticks are sent.
struct Running {
  bool in, out;
};
bool Runs(HWND popup, UINT id) {
  if (!KillTimer(popup, id)) return false;
  SetTimer(popup, id, 1, NULL);  // as it was
  return true;
}
Running Probe(HWND popup) { return {Runs(popup, SLIDE_IN), Runs(popup, SLIDE_OUT)}; }

// n ticks of one timer; answers the timers that run after the last one.
Running Tick(HWND popup, UINT id, int n = 1) {
  for (int i = 0; i < n && IsWindow(popup); ++i) SendMessageA(popup, WM_TIMER, id, 0);
  return IsWindow(popup) ? Probe(popup) : Running{false, false};
}

// Slide-in ticks until the popup stops them itself (at most 100).
int SlideIn(HWND popup) {
  int n = 1;
  while (Tick(popup, SLIDE_IN).in && n < 100) ++n;
  return n;
}

// Handles what was posted, timer messages apart.
void Pump() {
  MSG msg;
  for (int i = 0; i < 100 && (PeekMessageA(&msg, NULL, 0, WM_TIMER - 1, PM_REMOVE) ||
                              PeekMessageA(&msg, NULL, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE));
       ++i) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Click(HWND popup, int x, int y) { SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

class Popup : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(client.Create(host), S_OK);
    ASSERT_EQ(FindPopup(), nullptr);
  }
  void TearDown() override {
    client.Release();
    Pump();
    EXPECT_EQ(FindPopup(), nullptr);
  }
  // Shows a message and stops the timers it started.
  HWND Show(NotificationRecord r) {
    EXPECT_EQ(client.picker->ShowNotification(&r), S_OK);
    HWND popup = FindPopup();
    if (popup != NULL) last = Probe(popup);
    return popup;
  }
  FakeHost host;
  PickerClient client;
  Running last = {false, false};
};

TEST_F(Popup, TheFirstMessageMakesThePopupWhichSlidesInToItsFullHeight) {
  EXPECT_EQ(client.picker->ShowNotification(NULL), E_INVALIDARG);
  EXPECT_EQ(FindPopup(), nullptr);  // nothing made for nothing

  HWND popup = Show(Message("Meeting at ten. "));
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(last.in);  // sliding in
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_EQ(GetWindowLongPtrA(popup, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(Text(popup), Shown(L"Meeting at ten. "));
  // The link after the text opens the portal.
  HWND edit = GetWindow(popup, GW_CHILD);
  CHARRANGE link = {static_cast<LONG>(wcslen(L"Meeting at ten. ")), static_cast<LONG>(wcslen(L"Meeting at ten. ") + wcslen(kLinkText))};
  SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&link));
  CHARFORMAT2A cf = {};
  cf.cbSize = sizeof(cf);
  SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_TRUE((cf.dwMask & CFM_LINK) && (cf.dwEffects & CFE_LINK)) << std::hex << cf.dwMask << " " << cf.dwEffects;
  EXPECT_NE(SendMessageA(edit, EM_GETOPTIONS, 0, 0) & ECO_READONLY, 0);

  EXPECT_TRUE(Tick(popup, SLIDE_IN).in);
  EXPECT_EQ(Height(popup), 3);
  RECT work, rc;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(popup, &rc);
  EXPECT_EQ(rc.left, work.right - 230);  // in the work area's bottom right corner
  EXPECT_TRUE(Tick(popup, SLIDE_IN, 44).in);
  EXPECT_EQ(Height(popup), 135);
  EXPECT_FALSE(Tick(popup, SLIDE_IN).in);  // above the full height the slide-in ends
  EXPECT_EQ(Height(popup), 135);
}

std::vector<std::string> g_opened;
BOOL CALLBACK Opened(LPCSTR text, int show) {
  g_opened.push_back(std::string(text) + " " + std::to_string(show));
  return TRUE;
}

TEST_F(Popup, ClickingTheLinkOpensThePortal) {
  // The control marks the file address in the message as a link; a click on it opens nothing.
  const wchar_t* const text = L"Ready file:///C:/windows/notepad.exe ";
  HWND popup = Show(Message("Ready file:///C:/windows/notepad.exe "));
  ASSERT_NE(popup, nullptr);
  SlideIn(popup);
  HWND edit = GetWindow(popup, GW_CHILD);
  PxNavigateObserver before = PxSetNavigateObserver(&Opened);
  g_opened.clear();
  // A click on a character of the message, on the file address, then on one of the link, as
  // the mouse makes it.
  for (LONG at : {2L, 12L, static_cast<LONG>(wcslen(text)) + 1}) {
    POINTL pt = {0, 0};
    SendMessageA(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), at);
    LPARAM xy = MAKELPARAM(pt.x + 2, pt.y + 4);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, xy);
    SendMessageA(edit, WM_LBUTTONUP, 0, xy);
  }
  PxSetNavigateObserver(before);
  EXPECT_EQ(g_opened, (std::vector<std::string>{"http://portal.wexmessenger.com/ 5"}));
}

TEST_F(Popup, MessagesQueueNewestFirstAndHandOverWhileSlidingOut) {
  HWND popup = Show(Message("First. "));
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(SlideIn(popup), 46);
  ASSERT_EQ(Height(popup), 135);

  // A second message while the first is fully shown: on top, sliding in again from 85.
  EXPECT_EQ(Show(Message("Second. ")), popup);
  EXPECT_TRUE(last.in);
  Tick(popup, SLIDE_IN);
  EXPECT_EQ(Height(popup), 88);
  EXPECT_EQ(Text(popup), Shown(L"First. ") + Shown(L"Second. "));
  // Both links stay links although the control detects addresses in what is added.
  HWND edit = GetWindow(popup, GW_CHILD);
  for (LONG start : {7L, static_cast<LONG>(Shown(L"First. ").size()) + 8}) {
    CHARRANGE link = {start, start + static_cast<LONG>(wcslen(kLinkText))};
    SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&link));
    CHARFORMAT2A cf = {};
    cf.cbSize = sizeof(cf);
    SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE((cf.dwMask & CFM_LINK) && (cf.dwEffects & CFE_LINK)) << start;
  }
  SlideIn(popup);

  // Outside the close box nothing happens; inside it the slide-out starts.
  Click(popup, 150, 125);
  EXPECT_FALSE(Probe(popup).out);
  Click(popup, 205, 8);
  EXPECT_TRUE(Probe(popup).out);

  // More than 50 pixels down, the next message takes over and slides in from there.
  int before = Height(popup), ticks = 0;
  while (!Tick(popup, SLIDE_OUT).in && ticks < 60) {
    ++ticks;
    before = Height(popup);
  }
  EXPECT_GE(before, 135 - 50);
  EXPECT_LT(Height(popup), 135 - 50);
  EXPECT_EQ(Height(popup), before - 3);
  EXPECT_EQ(Text(popup), Shown(L"First. ") + Shown(L"Second. ") + Shown(L"First. "));
  EXPECT_TRUE(IsWindow(popup));
}

TEST_F(Popup, AKeptMessageHandsOverAtItsEndAndTheLastClosedPopupIsReplaced) {
  Counted kept, queued, later;
  HWND popup = Show(Message("Queued. ", 0, &queued));
  Show(Message("Kept. ", 1, &kept));
  EXPECT_EQ(kept.refs, 2);  // the popup's copy holds its own reference
  EXPECT_EQ(queued.refs, 2);
  EXPECT_EQ(SlideIn(popup), 46);
  Click(popup, 210, 10);
  // With the keep flag the slide-out runs to the end although another message waits.
  Tick(popup, SLIDE_OUT, 45);
  EXPECT_EQ(Height(popup), 3);
  EXPECT_EQ(kept.refs, 2);
  // At its end the waiting message slides in from nothing: none goes unshown.
  EXPECT_TRUE(Tick(popup, SLIDE_OUT).in);
  EXPECT_EQ(kept.refs, 1);  // the head left the queue
  EXPECT_EQ(queued.refs, 2);
  Pump();
  ASSERT_TRUE(IsWindow(popup));
  EXPECT_EQ(Text(popup), Shown(L"Queued. ") + Shown(L"Kept. ") + Shown(L"Queued. "));
  EXPECT_TRUE(Tick(popup, SLIDE_IN).in);
  EXPECT_EQ(Height(popup), 3);
  EXPECT_EQ(SlideIn(popup), 45);

  // The last message slid out: the popup closes and releases it.
  Click(popup, 210, 10);
  Tick(popup, SLIDE_OUT, 46);
  EXPECT_EQ(queued.refs, 1);
  EXPECT_TRUE(IsWindow(popup));
  Pump();  // the close it posted
  EXPECT_FALSE(IsWindow(popup));

  // The module knows its popup is gone: the next message gets a new one.
  HWND next = Show(Message("Later. ", 0, &later));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(Text(next), Shown(L"Later. "));
  client.Release();
  EXPECT_FALSE(IsWindow(next));  // the module's end takes its popup along
  EXPECT_EQ(later.refs, 1);
}

TEST_F(Popup, AMessageThatComesWhileThePopupClosesKeepsItOpen) {
  HWND popup = Show(Message("Going. "));
  EXPECT_EQ(SlideIn(popup), 46);
  Click(popup, 210, 10);
  Tick(popup, SLIDE_OUT, 46);  // slid out: the close is posted
  EXPECT_EQ(Show(Message("Staying. ")), popup);
  Pump();
  ASSERT_TRUE(IsWindow(popup));
  EXPECT_EQ(Text(popup), Shown(L"Going. ") + Shown(L"Staying. "));
  EXPECT_TRUE(IsWindowVisible(popup));
}

TEST_F(Popup, TheDwellCountEndsAMessageOrGivesWayToTheNext) {
  // A fully shown message with a dwell count starts the dwell timer; its ticks lower the
  // shown message's count and start the slide-out when the count runs out, or at once when
  // another message waits and the shown one is not kept.
  struct Case {
    DWORD dwell, keep;
    bool another;
    int ticks;
    bool slidesOut;
  } cases[] = {
      {2, 0, false, 1, false}, {2, 0, false, 2, true}, {0, 0, false, 1, true},
      {5, 0, true, 1, true},   {5, 1, true, 4, false}, {5, 1, true, 5, true},
  };
  for (const Case& c : cases) {
    if (c.another) Show(Message("Waiting. "));
    HWND popup = Show(Message("Shown. ", c.keep, NULL, c.dwell));
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(Runs(popup, DWELL));  // not while it slides in
    SlideIn(popup);
    EXPECT_EQ(Runs(popup, DWELL), c.dwell > 0) << c.dwell;
    EXPECT_EQ(Tick(popup, DWELL, c.ticks).out, c.slidesOut) << c.dwell << " " << c.keep << " " << c.ticks;
    DestroyWindow(popup);
    EXPECT_EQ(FindPopup(), nullptr);
  }
}

TEST_F(Popup, AMessageWithADwellCountGoesByItself) {
  HWND popup = Show(Message("Brief. ", 0, NULL, 1));
  ASSERT_NE(popup, nullptr);
  // The popup's own timers run: it slides in, dwells one tick, slides out and closes.
  DWORD deadline = GetTickCount() + 20000;
  while (IsWindow(popup) && static_cast<LONG>(deadline - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  EXPECT_FALSE(IsWindow(popup));
}

TEST_F(Popup, TheQueueAndTheTextAreaKeepTheNewestMessagesWithinTheirBounds) {
  // 20 messages: at most 16 wait, and the text area keeps at most 2048 characters, in whole
  // messages, the newest last.
  auto text = [](int i) {
    char buf[16];
    snprintf(buf, sizeof(buf), "m%03d ", i);
    return std::string(buf) + std::string(120, 'x');
  };
  HWND popup = NULL;
  for (int i = 1; i <= 20; ++i) popup = Show(Message(text(i).c_str()));
  ASSERT_NE(popup, nullptr);
  std::wstring kept;
  for (int i = 20; i > 0 && kept.size() + Shown(text(i)).size() <= 2048; --i) kept = Shown(text(i)) + kept;
  EXPECT_EQ(Text(popup), kept);

  // Closing each shown message hands over to the next older one until the oldest kept.
  std::vector<int> shown, expected;
  for (int i = 19; i > 20 - 16; --i) expected.push_back(i);
  const size_t block = Shown(text(1)).size();
  while (IsWindow(popup) && shown.size() <= 20) {
    SlideIn(popup);
    Click(popup, 210, 10);
    Running after = {false, false};
    for (int ticks = 0; IsWindow(popup) && !after.in && ticks < 60; ++ticks) after = Tick(popup, SLIDE_OUT);
    if (!after.in) break;
    std::wstring all = Text(popup);
    shown.push_back(_wtoi(all.substr(all.size() - block + 1, 3).c_str()));
  }
  EXPECT_EQ(shown, expected);
  Pump();
  EXPECT_FALSE(IsWindow(popup));  // the oldest kept one was the last
}

TEST_F(Popup, RecordsAreCopiedOnlyAsFarAsTheirSizeSays) {
  Counted data[4];
  struct Case {
    DWORD size;
    const char* text;
    std::wstring shown;
    LONG refsWhileQueued;
  } cases[] = {
      {sizeof(NotificationRecord), "Whole. ", L"Whole. ", 2},
      {0xFFFFFFFF, "Oversized. ", L"Oversized. ", 2},  // copied up to the keep flag only
      {28 + 4, "Truncated. ", L"Trun", 1},              // the text cut, the VARIANT not read
      {0, "Empty. ", L"", 1},
  };
  std::wstring expected;
  HWND popup = NULL;
  for (int i = 0; i < 4; ++i) {
    const Case& c = cases[i];
    NotificationRecord r = Message(c.text, 0, &data[i]);
    r.cbSize = c.size;
    HWND shown = Show(r);
    ASSERT_NE(shown, nullptr);
    popup = shown;
    expected += Shown(c.shown.c_str());
    EXPECT_EQ(Text(popup), expected) << c.text;
    EXPECT_EQ(data[i].refs, c.refsWhileQueued) << c.text;
  }
  // A text that fills its whole field is cut before its end, never read past it.
  NotificationRecord r = Message("");
  memset(r.text, 'x', sizeof(r.text));
  Show(r);
  EXPECT_EQ(Text(popup), expected + Shown(std::wstring(sizeof(r.text) - 1, L'x').c_str()));
  client.Release();
  for (const Counted& d : data) EXPECT_EQ(d.refs, 1);
}

TEST_F(Popup, APopupThatCannotBeMadeLeavesNothingBehind) {
  // A warm-up popup, so that what the rich edit loads once does not count as a leak.
  {
    HWND first = Show(Message("Warm-up. "));
    ASSERT_NE(first, nullptr);
    client.Release();
    ASSERT_EQ(client.Create(host), S_OK);
  }
  testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  // The client's resources without the popup's background bitmap.
  host.resources = GetModuleHandleA("Pellix.dll");
  PickerClient bare;
  ASSERT_EQ(bare.Create(host), S_OK);
  NotificationRecord r = Message("Lost. ");
  EXPECT_EQ(bare.picker->ShowNotification(&r), E_FAIL);
  EXPECT_EQ(FindPopup(), nullptr);
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);

  // With the resources back, the same module makes its popup.
  host.resources = GetModuleHandleA(NULL);
  PickerClient again;
  ASSERT_EQ(again.Create(host), S_OK);
  r = Message("Found. ");
  EXPECT_EQ(bare.picker->ShowNotification(&r), S_OK);
  HWND popup = FindPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Text(popup), Shown(L"Found. "));
  bare.Release();
  EXPECT_FALSE(IsWindow(popup));
  again.Release();
  Pump();
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

}  // namespace
