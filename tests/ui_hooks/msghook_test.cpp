// Window message hooks: chains, unhooking in any order, teardown on WM_NCDESTROY, Default.
#include <gtest/gtest.h>

#include <MsgHook.h>

#include <string>
#include <vector>

namespace {

const UINT kPing = WM_APP + 1;    // recorded by every hook and the window
const UINT kNested = WM_APP + 2;  // a hook sends kInner, then passes kNested on with Default
const UINT kInner = WM_APP + 3;
const UINT kThrow = WM_APP + 4;

std::vector<std::string> g_log;
// What the window procedure saw of kNested and kInner, as "message:wParam".
std::vector<std::string> g_seen;
// Checks made by the window procedure when WM_NCDESTROY reaches it.
bool g_unhookedBeforeNcDestroy = false;
bool g_sawNcDestroy = false;

LRESULT CALLBACK WindowProcOf(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPing) g_log.push_back("window");
  if (message == kNested || message == kInner)
    g_seen.push_back(std::to_string(message - WM_APP) + ":" + std::to_string(wParam));
  if (message == WM_NCDESTROY) {
    g_sawNcDestroy = true;
    g_unhookedBeforeNcDestroy = GetMsgHookMap()->Lookup(hwnd) == NULL;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

WNDPROC g_beforeOther = NULL;
LRESULT CALLBACK OtherSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPing) g_log.push_back("other");
  return CallWindowProcW(g_beforeOther, hwnd, message, wParam, lParam);
}

class Hook : public CMsgHook {
 public:
  explicit Hook(const char* name) : m_name(name) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kPing) g_log.push_back(m_name);
    if (message == kNested) {
      SendMessageW(m_hwnd, kInner, 7, 0);
      return Default();
    }
    if (message == kThrow) throw 1;
    if (message == WM_NCDESTROY) sawNcDestroy = true;
    return CMsgHook::WindowProc(message, wParam, lParam);
  }
  HWND m_hwnd = NULL;
  bool sawNcDestroy = false;

 private:
  const char* m_name;
};

class MsgHookTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProcOf;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"MsgHookTestWindow";
    RegisterClassW(&wc);
    m_hwnd = CreateWindowW(L"MsgHookTestWindow", L"", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE(m_hwnd, nullptr);
    m_wnd.Attach(m_hwnd);
    g_log.clear();
    g_seen.clear();
    g_sawNcDestroy = g_unhookedBeforeNcDestroy = false;
  }
  void TearDown() override {
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    m_wnd.Detach();
  }
  Hook* Hooked(Hook* hook) {
    hook->m_hwnd = m_hwnd;
    EXPECT_TRUE(hook->HookWindow(&m_wnd));
    return hook;
  }
  WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hwnd, GWLP_WNDPROC)); }
  std::vector<std::string> Ping() {
    g_log.clear();
    SendMessageW(m_hwnd, kPing, 0, 0);
    return g_log;
  }

  HWND m_hwnd = NULL;
  CWnd m_wnd;
};

using Log = std::vector<std::string>;

TEST_F(MsgHookTest, LaterHooksSeeMessagesFirstAndUnhookInAnyOrder) {
  Hook a("a"), b("b");
  Hooked(&a);
  Hooked(&b);
  EXPECT_EQ(Proc(), HookWndProc);
  EXPECT_EQ(GetMsgHookMap()->Lookup(m_hwnd), &b);
  EXPECT_EQ(Ping(), (Log{"b", "a", "window"}));

  a.HookWindow(NULL);
  EXPECT_FALSE(a.IsHooked());
  EXPECT_TRUE(b.IsHooked());
  EXPECT_EQ(Proc(), HookWndProc);
  EXPECT_EQ(Ping(), (Log{"b", "window"}));

  b.HookWindow(NULL);
  EXPECT_EQ(Proc(), WindowProcOf);
  EXPECT_EQ(GetMsgHookMap()->Lookup(m_hwnd), nullptr);
  EXPECT_EQ(Ping(), (Log{"window"}));
}

TEST_F(MsgHookTest, UnhookingTheHeadKeepsTheRest) {
  Hook a("a"), b("b"), c("c");
  Hooked(&a);
  Hooked(&b);
  Hooked(&c);
  b.HookWindow(NULL);
  EXPECT_EQ(Ping(), (Log{"c", "a", "window"}));
  c.HookWindow(NULL);
  EXPECT_EQ(GetMsgHookMap()->Lookup(m_hwnd), &a);
  EXPECT_EQ(Ping(), (Log{"a", "window"}));
  a.HookWindow(NULL);
  EXPECT_EQ(Proc(), WindowProcOf);
}

TEST_F(MsgHookTest, DestroyingTheWindowUnhooksEveryHookFirst) {
  Hook a("a"), b("b"), c("c");
  Hooked(&a);
  Hooked(&b);
  Hooked(&c);
  DestroyWindow(m_hwnd);
  EXPECT_TRUE(g_sawNcDestroy);
  EXPECT_TRUE(g_unhookedBeforeNcDestroy);
  EXPECT_FALSE(a.IsHooked());
  EXPECT_FALSE(b.IsHooked());
  EXPECT_FALSE(c.IsHooked());
  EXPECT_FALSE(c.sawNcDestroy);  // WM_NCDESTROY goes straight to the window's own procedure
  EXPECT_EQ(GetMsgHookMap()->Lookup(m_hwnd), nullptr);
}

TEST_F(MsgHookTest, DefaultPassesOnTheMessageBeingProcessedWhenNested) {
  Hook a("a"), b("b");
  Hooked(&a);
  Hooked(&b);
  const MSG before = AfxGetThreadState()->m_lastSentMsg;
  SendMessageW(m_hwnd, kNested, 5, 0);
  // b sends kInner (which a and the window see), then Default hands kNested on to a, which
  // does the same before the window sees kNested with its own wParam.
  EXPECT_EQ(g_seen, (Log{"3:7", "3:7", "2:5"}));
  const MSG after = AfxGetThreadState()->m_lastSentMsg;
  EXPECT_EQ(after.message, before.message);
  EXPECT_EQ(after.hwnd, before.hwnd);
  a.HookWindow(NULL);
  b.HookWindow(NULL);
}

TEST_F(MsgHookTest, ALaterSubclassingIsNotCutOff) {
  Hook a("a"), b("b");
  Hooked(&a);
  g_beforeOther = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherSubclass)));
  EXPECT_EQ(Ping(), (Log{"other", "a", "window"}));
  a.HookWindow(NULL);
  EXPECT_EQ(Proc(), OtherSubclass);  // left in place
  EXPECT_EQ(Ping(), (Log{"other", "window"}));
  // A new hook uses the subclassing still in the chain instead of adding a second one.
  Hooked(&b);
  EXPECT_EQ(Proc(), OtherSubclass);
  EXPECT_EQ(Ping(), (Log{"other", "b", "window"}));
  DestroyWindow(m_hwnd);
  EXPECT_TRUE(g_sawNcDestroy);
  EXPECT_FALSE(b.IsHooked());
}

TEST_F(MsgHookTest, WithoutAHookTheDefaultProcedureAnswers) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = HookWndProc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = L"MsgHookBareWindow";
  RegisterClassW(&wc);
  HWND bare = CreateWindowW(L"MsgHookBareWindow", L"title", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
  ASSERT_NE(bare, nullptr);
  wchar_t text[16] = L"";
  GetWindowTextW(bare, text, 16);
  EXPECT_STREQ(text, L"title");
  EXPECT_TRUE(DestroyWindow(bare));
}

TEST_F(MsgHookTest, RefusesAWindowObjectWithoutAWindowAndSurvivesThrowingHooks) {
  Hook lone("lone");
  CWnd none;
  EXPECT_FALSE(lone.HookWindow(&none));
  EXPECT_FALSE(lone.IsHooked());

  Hook a("a");
  Hooked(&a);
  EXPECT_EQ(SendMessageW(m_hwnd, kThrow, 0, 0), 0);
  EXPECT_EQ(Ping(), (Log{"a", "window"}));
  a.HookWindow(NULL);
}

}  // namespace
