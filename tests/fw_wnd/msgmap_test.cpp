// Message maps: command routing and update probes, notifications, chaining to the base
// class's map, and window messages cracked into typed handler arguments.
#include <gtest/gtest.h>

#include <framework.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

enum : UINT {
  ID_PLAIN = 100,
  ID_EX_TAKES = 101,
  ID_EX_DECLINES = 102,
  ID_RANGE_FIRST = 110,
  ID_RANGE_LAST = 119,
  ID_BASE_ONLY = 120,
  ID_OVERRIDDEN = 121,
  ID_UPDATED = 130,
  ID_NO_HANDLER = 131,
  ID_CONTINUES = 132,
  ID_CONTROL = 140,
  ID_NOTIFY_FIRST = 150,
  ID_NOTIFY_LAST = 159,
};

// A plain command target: the calls each handler saw.
class Base : public CCmdTarget {
 public:
  std::vector<std::string> log;
  afx_msg void OnBaseOnly() { log.push_back("base-only"); }
  afx_msg void OnOverriddenInBase() { log.push_back("base-overridden"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CCmdTarget)
  ON_COMMAND(ID_BASE_ONLY, &Base::OnBaseOnly)
  ON_COMMAND(ID_OVERRIDDEN, &Base::OnOverriddenInBase)
END_MESSAGE_MAP()

class Target : public Base {
 public:
  BOOL exAnswer = TRUE;
  afx_msg void OnPlain() { log.push_back("plain"); }
  afx_msg BOOL OnExTakes(UINT id) {
    log.push_back("ex-takes " + std::to_string(id));
    return TRUE;
  }
  afx_msg BOOL OnExDeclines(UINT id) {
    log.push_back("ex-declines " + std::to_string(id));
    return FALSE;
  }
  afx_msg void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
  afx_msg void OnOverridden() { log.push_back("derived-overridden"); }
  afx_msg void OnUpdate(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FALSE);
    pCmdUI->SetCheck(1);
  }
  afx_msg void OnUpdateContinues(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
  afx_msg void OnControlChange() { log.push_back("control change"); }
  afx_msg void OnNotifyRange(UINT id, NMHDR* hdr, LRESULT* result) {
    log.push_back("notify " + std::to_string(id) + " code " + std::to_string(static_cast<int>(hdr->code)));
    *result = 42;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Target, Base)
  ON_COMMAND(ID_PLAIN, &Target::OnPlain)
  ON_COMMAND_EX(ID_EX_TAKES, &Target::OnExTakes)
  ON_COMMAND_EX(ID_EX_DECLINES, &Target::OnExDeclines)
  ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, &Target::OnRange)
  ON_COMMAND(ID_OVERRIDDEN, &Target::OnOverridden)
  ON_UPDATE_COMMAND_UI(ID_UPDATED, &Target::OnUpdate)
  ON_UPDATE_COMMAND_UI(ID_CONTINUES, &Target::OnUpdateContinues)
  ON_CONTROL(EN_CHANGE, ID_CONTROL, &Target::OnControlChange)
  ON_NOTIFY_RANGE(NM_CLICK, ID_NOTIFY_FIRST, ID_NOTIFY_LAST, &Target::OnNotifyRange)
END_MESSAGE_MAP()

// A probe that only records what the handlers said.
class RecordingCmdUI : public CCmdUI {
 public:
  int enabled = -1;
  int check = -1;
  void Enable(BOOL bOn) override {
    enabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int n) override { check = n; }
  void SetRadio(BOOL) override {}
  void SetText(LPCTSTR) override {}
};

TEST(CommandRouting, CommandsReachTheirHandlers) {
  struct Case {
    UINT id;
    BOOL handled;
    const char* logged;
  };
  const Case cases[] = {
      {ID_PLAIN, TRUE, "plain"},
      {ID_EX_TAKES, TRUE, "ex-takes 101"},
      {ID_EX_DECLINES, FALSE, "ex-declines 102"},  // _EX answers whether it took the command
      {ID_RANGE_FIRST, TRUE, "range 110"},
      {ID_RANGE_LAST, TRUE, "range 119"},
      {ID_BASE_ONLY, TRUE, "base-only"},             // found through the base class's map
      {ID_OVERRIDDEN, TRUE, "derived-overridden"},   // the derived map comes first
      {ID_RANGE_LAST + 1000, FALSE, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    Target t;
    EXPECT_EQ(t.OnCmdMsg(c.id, CN_COMMAND, NULL, NULL), c.handled);
    EXPECT_EQ(t.log.empty() ? std::string() : t.log[0], c.logged);
    EXPECT_LE(t.log.size(), 1u);
  }
}

TEST(CommandRouting, HandlerInfoFindsWithoutRunning) {
  Target t;
  AFX_CMDHANDLERINFO info = {NULL, NULL};
  EXPECT_TRUE(t.OnCmdMsg(ID_BASE_ONLY, CN_COMMAND, NULL, &info));
  EXPECT_EQ(info.pTarget, &t);
  EXPECT_TRUE(info.pmf != NULL);
  EXPECT_TRUE(t.log.empty());
  EXPECT_FALSE(t.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, NULL, &info));
}

TEST(CommandRouting, UpdateProbes) {
  Target t;
  {
    // An update handler answers.
    RecordingCmdUI probe;
    probe.m_nID = ID_UPDATED;
    probe.DoUpdate(&t, TRUE);
    EXPECT_EQ(probe.enabled, FALSE);
    EXPECT_EQ(probe.check, 1);
  }
  {
    // No update handler: enabled exactly when a command handler exists.
    RecordingCmdUI withCommand, without;
    withCommand.m_nID = ID_BASE_ONLY;
    without.m_nID = ID_NO_HANDLER;
    withCommand.DoUpdate(&t, TRUE);
    without.DoUpdate(&t, TRUE);
    EXPECT_EQ(withCommand.enabled, TRUE);
    EXPECT_EQ(without.enabled, FALSE);
    RecordingCmdUI untouched;
    untouched.m_nID = ID_NO_HANDLER;
    untouched.DoUpdate(&t, FALSE);
    EXPECT_EQ(untouched.enabled, -1);
    EXPECT_TRUE(t.log.empty());  // probing runs no command
  }
  {
    // ContinueRouting: the handler does not count as having answered.
    RecordingCmdUI probe;
    probe.m_nID = ID_CONTINUES;
    EXPECT_FALSE(t.OnCmdMsg(ID_CONTINUES, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL));
    EXPECT_FALSE(probe.m_bContinueRouting);  // reset for the next target
  }
  {
    // Invalid ids are not probed.
    RecordingCmdUI probe;
    probe.m_nID = 0;
    probe.DoUpdate(&t, TRUE);
    EXPECT_EQ(probe.enabled, -1);
  }
}

TEST(CommandRouting, ControlNotificationsAndNotifyRanges) {
  Target t;
  EXPECT_TRUE(t.OnCmdMsg(ID_CONTROL, EN_CHANGE, NULL, NULL));
  EXPECT_FALSE(t.OnCmdMsg(ID_CONTROL, EN_UPDATE, NULL, NULL));
  NMHDR hdr = {NULL, ID_NOTIFY_FIRST + 3, static_cast<UINT>(NM_CLICK)};
  LRESULT result = 0;
  AFX_NOTIFY notify = {&result, &hdr};
  EXPECT_TRUE(t.OnCmdMsg(ID_NOTIFY_FIRST + 3, MAKELONG(NM_CLICK, WM_NOTIFY), &notify, NULL));
  EXPECT_EQ(result, 42);
  EXPECT_FALSE(t.OnCmdMsg(ID_NOTIFY_FIRST + 3, MAKELONG(NM_DBLCLK, WM_NOTIFY), &notify, NULL));
  ASSERT_EQ(t.log.size(), 2u);
  EXPECT_EQ(t.log[1], "notify 153 code -2");
}

// Routing answers are remembered per thread: whatever was asked before (other codes, other
// ids, the same id of another class, more keys than are remembered), each answer is the map's.
TEST(CommandRouting, AnswersDoNotDependOnEarlierQuestions) {
  const int kNotifyClick = MAKELONG(NM_CLICK, WM_NOTIFY);
  const int kCodes[] = {CN_COMMAND, static_cast<int>(CN_UPDATE_COMMAND_UI), EN_CHANGE, kNotifyClick};
  auto targetHas = [&](UINT id, int code) {
    if (code == CN_COMMAND)
      return id == ID_PLAIN || id == ID_EX_TAKES || id == ID_EX_DECLINES || id == ID_BASE_ONLY ||
             id == ID_OVERRIDDEN || (id >= ID_RANGE_FIRST && id <= ID_RANGE_LAST);
    if (code == static_cast<int>(CN_UPDATE_COMMAND_UI)) return id == ID_UPDATED || id == ID_CONTINUES;
    if (code == EN_CHANGE) return id == ID_CONTROL;
    return id >= ID_NOTIFY_FIRST && id <= ID_NOTIFY_LAST;
  };
  auto baseHas = [](UINT id, int code) { return code == CN_COMMAND && (id == ID_BASE_ONLY || id == ID_OVERRIDDEN); };
  Target t;
  Base b;
  for (int pass = 0; pass < 3; ++pass) {
    for (UINT id = 0; id < 2000; ++id) {
      for (int code : kCodes) {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        ASSERT_EQ(!!t.OnCmdMsg(id, code, NULL, &info), targetHas(id, code)) << "target, id " << id << " code " << code;
        ASSERT_EQ(!!b.OnCmdMsg(id, code, NULL, &info), baseHas(id, code)) << "base, id " << id << " code " << code;
      }
    }
  }
  // The derived class's handler for the derived object, the base's for the base object.
  t.OnCmdMsg(ID_OVERRIDDEN, CN_COMMAND, NULL, NULL);
  b.OnCmdMsg(ID_OVERRIDDEN, CN_COMMAND, NULL, NULL);
  EXPECT_EQ(t.log, std::vector<std::string>{"derived-overridden"});
  EXPECT_EQ(b.log, std::vector<std::string>{"base-overridden"});
}

// More classes than the remembered answers have places, all asked for the same command: each
// object gets its own class's answer and handler.
const UINT ID_NUMBERED = 160;

template <class Number>
class Numbered : public CCmdTarget {
 public:
  int ran = -1;
  afx_msg void OnHit() { ran = Number::value; }
  DECLARE_MESSAGE_MAP()
};

// Every third class handles the command; the others handle the next id.
BEGIN_TEMPLATE_MESSAGE_MAP(Numbered, Number, CCmdTarget)
  ON_COMMAND(ID_NUMBERED + (Number::value % 3 == 0 ? 0 : 1), &ThisClass::OnHit)
END_MESSAGE_MAP()

template <int... N>
void AskEachClass(std::integer_sequence<int, N...>, std::vector<int>& handled, std::vector<int>& ran) {
  auto ask = [&](auto&& target) {
    handled.push_back(target.OnCmdMsg(ID_NUMBERED, CN_COMMAND, NULL, NULL));
    ran.push_back(target.ran);
  };
  (ask(Numbered<std::integral_constant<int, N>>()), ...);
}

TEST(CommandRouting, EachClassGetsItsOwnAnswer) {
  const int kClasses = 300;
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<int> handled, ran;
    AskEachClass(std::make_integer_sequence<int, kClasses>(), handled, ran);
    ASSERT_EQ(handled.size(), static_cast<size_t>(kClasses));
    for (int n = 0; n < kClasses; ++n) {
      SCOPED_TRACE(n);
      EXPECT_EQ(handled[n], n % 3 == 0 ? TRUE : FALSE);
      EXPECT_EQ(ran[n], n % 3 == 0 ? n : -1);
    }
  }
}

// Window messages.

UINT RegisteredMessage() {
  static const UINT msg = RegisterWindowMessage(_T("FwwndTest::WM_REGISTERED"));
  return msg;
}
UINT g_registered = RegisteredMessage();

class MessageWnd : public CWnd {
 public:
  std::vector<std::string> log;
  void Add(const std::string& s) { log.push_back(s); }
  afx_msg void OnSize(UINT type, int cx, int cy) {
    Add("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  afx_msg void OnLButtonDown(UINT flags, CPoint pt) {
    Add("lbutton " + std::to_string(flags) + " " + std::to_string(pt.x) + "," + std::to_string(pt.y));
  }
  afx_msg void OnKeyDown(UINT ch, UINT rep, UINT flags) {
    Add("key " + std::to_string(ch) + " " + std::to_string(rep) + " " + std::to_string(flags));
  }
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint pt) {
    Add("wheel " + std::to_string(flags) + " " + std::to_string(delta) + " " + std::to_string(pt.x) + "," +
        std::to_string(pt.y));
    return TRUE;
  }
  afx_msg LRESULT OnUser(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
  afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) { return static_cast<LRESULT>(w * 2); }
  afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  afx_msg void OnTimer(UINT_PTR id) { Add("timer " + std::to_string(id)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MessageWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_MOUSEWHEEL()
  ON_WM_GETDLGCODE()
  ON_WM_TIMER()
  ON_MESSAGE(WM_USER + 7, &MessageWnd::OnUser)
  ON_REGISTERED_MESSAGE(g_registered, &MessageWnd::OnRegistered)
END_MESSAGE_MAP()

// The same message in a class that does not map it: the per-thread lookup cache must not
// hand one class's entry to the other.
class PlainWnd : public CWnd {};

TEST(WindowMessages, HandlersGetTypedArguments) {
  MessageWnd w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("map"), WS_POPUP, 0, 0, 50, 40, NULL, NULL));
  w.log.clear();
  w.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
  w.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-5), 9));  // negative x survives
  w.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(3, 0x1E));
  w.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-120)), MAKELPARAM(10, 20));
  w.SendMessage(WM_TIMER, 77, 0);
  EXPECT_EQ(w.SendMessage(WM_USER + 7, 5, 6), 11);
  EXPECT_EQ(w.SendMessage(g_registered, 21, 0), 42);
  EXPECT_EQ(w.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTALLKEYS));
  const std::vector<std::string> expected = {
      "size 0 120x80", "lbutton 1 -5,9", "key 65 3 30", "wheel 4 -120 10,20", "timer 77",
  };
  EXPECT_EQ(w.log, expected);

  PlainWnd plain;
  ASSERT_TRUE(plain.CreateEx(0, NULL, _T("plain"), WS_POPUP, 0, 0, 50, 40, NULL, NULL));
  EXPECT_EQ(plain.SendMessage(WM_USER + 7, 5, 6), 0);  // default processing
  EXPECT_EQ(plain.SendMessage(WM_GETDLGCODE), 0);
  EXPECT_EQ(w.SendMessage(WM_USER + 7, 1, 1), 2);
}

}  // namespace
