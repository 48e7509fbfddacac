// Containers: controls bound to the children of their window, notifications of real common
// controls turned into portable notifications that go up the handler chain, controls made
// for one notification, a container destroyed by the handler of its own notification.
#include <QvGUIContainer.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "UIUtilities.h"
#include "dib_canvas.h"
#include "guiglue_test.h"

using namespace testing_support;

namespace {

// What reached a handler: the control's portable class, the id, the code and the value.
struct Seen {
  std::string kind;
  unsigned short id;
  NotificationCode code;
  LONG_PTR value;
  bool operator==(const Seen& o) const { return kind == o.kind && id == o.id && code == o.code && value == o.value; }
};

std::ostream& operator<<(std::ostream& os, const Seen& s) {
  return os << "{" << s.kind << " " << s.id << " " << s.code << " " << s.value << "}";
}

int s_liveControls = 0;

// The test's control kinds: registered under the portable names the containers ask for, bound
// through plain framework window objects; each notes the notifications it passes up.
class RecordingControl : public QvControl {
 public:
  RecordingControl() { ++s_liveControls; }
  ~RecordingControl() override { --s_liveControls; }
  bool OnControlNotification(QvControlNotification& n) override {
    passed.push_back(n.m_code);
    return QvControl::OnControlNotification(n);
  }
  std::vector<NotificationCode> passed;
};

#define TEST_CONTROL(cls, portableName)                                                                 \
  class cls : public RecordingControl {                                                                 \
   public:                                                                                              \
    static QvRuntimeClass classOf;                                                                      \
    const QvRuntimeClass* GetRuntimeClass() const override { return &classOf; }                         \
  };                                                                                                    \
  QvRuntimeClass cls::classOf(portableName, sizeof(cls), &QvCreateObjectOf<cls>, QV_RUNTIME_CLASS(QvControl)); \
  QvClassInit s_init##cls(&cls::classOf);

TEST_CONTROL(TestStatic, "QvStaticText")
TEST_CONTROL(TestEdit, "QvEditText")
TEST_CONTROL(TestPassEdit, "QvPassEditText")
TEST_CONTROL(TestPushButton, "QvPushButton")
TEST_CONTROL(TestCheckBox, "QvCheckBox")
TEST_CONTROL(TestRadioButton, "QvRadioButton")
TEST_CONTROL(TestGroupBox, "QvGroupBox")
TEST_CONTROL(TestListBox, "QvListBox")
TEST_CONTROL(TestComboBox, "QvComboBox")
TEST_CONTROL(TestEditComboBox, "QvEditComboBox")
TEST_CONTROL(TestListView, "QvMCListBox")
TEST_CONTROL(TestSlider, "QvSlider")
TEST_CONTROL(TestTreeList, "QvTreeList")
TEST_CONTROL(TestImageCtrl, "QvImageCtrl")
TEST_CONTROL(TestDateTime, "QvDateTimeCtrl")

const QvRuntimeClass* const kTestClasses[] = {
    &TestStatic::classOf,         &TestEdit::classOf,
    &TestPassEdit::classOf,     &TestPushButton::classOf,
    &TestCheckBox::classOf,     &TestRadioButton::classOf,
    &TestGroupBox::classOf,     &TestListBox::classOf,
    &TestComboBox::classOf,     &TestEditComboBox::classOf,
    &TestListView::classOf,     &TestSlider::classOf,
    &TestTreeList::classOf,     &TestImageCtrl::classOf,
    &TestDateTime::classOf,
};

// A container that notes every notification that reaches it and answers from `answer`.
class TestContainer : public QvGUIContainer {
 public:
  explicit TestContainer(QvCommandHandler* parent = nullptr, unsigned long helpId = 0)
      : QvGUIContainer(parent, helpId) {}
  bool OnControlNotification(QvControlNotification& n) override {
    seen.push_back({n.m_control ? n.m_control->GetRuntimeClass()->GetName() : "", n.m_controlID, n.m_code,
                    n.m_value});
    return answer ? answer(n) : true;
  }
  void SetTooltip(unsigned short toolId, const QvString& text) override {
    tooltips.push_back({toolId, text.c_str()});
  }
  bool OnSaveUserPrefs(const char* name) override {
    prefs.push_back(name);
    return true;
  }
  std::vector<Seen> seen;
  std::vector<std::pair<unsigned short, std::string>> tooltips;
  std::vector<std::string> prefs;
  std::function<bool(QvControlNotification&)> answer;
};

class Containers : public GlueTest {
 protected:
  // The control of the child with that id as a T (the typed lookup of a control kind).
  template <class T>
  bool GetControlFromID(T*& control, unsigned short id, unsigned long labelId) {
    QvControl* found = nullptr;
    const bool got = container->GetOrCreateControl(&T::classOf, found, id, labelId);
    control = got ? dynamic_cast<T*>(found) : nullptr;
    return got;
  }
  void SetUp() override {
    GlueTest::SetUp();
    InitCommonControls();
    for (const QvRuntimeClass* c : kTestClasses) QvControl::SetPlatformClass(c, RUNTIME_CLASS(CWnd));
    container = new TestContainer;
    container->SetMFCCWnd(&wnd);
    GUISetQvGUIContainer(&wnd, container);
  }
  void TearDown() override {
    delete container;
    for (const QvRuntimeClass* c : kTestClasses) QvControl::SetPlatformClass(c, nullptr);
    EXPECT_EQ(s_liveControls, 0);
    GlueTest::TearDown();
  }
  HWND Child(const wchar_t* cls, DWORD style, unsigned short id, const wchar_t* text = L"") {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 120, wnd.m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), NULL, NULL);
  }
  TestContainer* container = nullptr;
};

// The Windows notifications the window received since the last clear, but for custom drawing
// and the list view's own bookkeeping.
std::vector<std::pair<UINT, int>> Notifications(const PortableWnd& wnd) {
  std::vector<std::pair<UINT, int>> out;
  for (const auto& n : wnd.notifications) {
    const bool noise = n.first == WM_NOTIFY && (n.second == static_cast<int>(NM_CUSTOMDRAW) ||
                                                n.second == static_cast<int>(LVN_ITEMCHANGING));
    if (!noise) out.push_back(n);
  }
  return out;
}

struct ControlCase {
  const char* what;
  const wchar_t* cls;
  DWORD style;
  std::function<void(HWND)> act;
  // The Windows notifications the parent gets, in order.
  std::vector<std::pair<UINT, int>> windows;
  // The portable notifications that reach the container, in order.
  std::vector<Seen> portable;
};

void Click(HWND w) { SendMessageW(w, BM_CLICK, 0, 0); }

void ClickAt(HWND w, UINT down, int x, int y) {
  SendMessageW(w, down, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void FillList(HWND list) {
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"two"));
}

void FillListView(HWND list) {
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 80;
  column.pszText = const_cast<wchar_t*>(L"A");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"row");
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.iItem = 1;
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void SetItemState(HWND list, int index, UINT state, UINT mask) {
  LVITEMW item = {};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

const int kEnUpdate = EN_UPDATE, kEnChange = EN_CHANGE;

class ControlNotifications : public Containers, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlNotifications, ReachTheHandlerChainWithTheirPortableCode) {
  const ControlCase& c = GetParam();
  HWND child = Child(c.cls, c.style, 42);
  ASSERT_TRUE(child) << c.what;
  if (!lstrcmpiW(c.cls, L"listbox")) FillList(child);
  if (!lstrcmpiW(c.cls, WC_LISTVIEWW)) FillListView(child);
  if (!lstrcmpiW(c.cls, L"combobox")) FillList(child), SendMessageW(child, CB_ADDSTRING, 0, (LPARAM)L"x");
  SetFocus(child);
  Recorder().Reset();
  container->seen.clear();  // the focus moved to the child
  wnd.notifications.clear();

  c.act(child);
  Recorder().Pump();

  EXPECT_EQ(Notifications(wnd), c.windows) << c.what;
  EXPECT_EQ(Recorder().Count(WM_COMMAND) + Recorder().Count(WM_NOTIFY) + Recorder().Count(WM_HSCROLL),
            wnd.notifications.size())
      << c.what;
  // Value pointers (notification headers) are only known to be set.
  std::vector<Seen> seen = container->seen;
  for (Seen& s : seen)
    if (s.value > 0x10000) s.value = 1;
  EXPECT_EQ(seen, c.portable) << c.what;
  // Controls made for one notification are gone, the child keeps its own procedure.
  EXPECT_EQ(container->LookupControl(42), nullptr) << c.what;
  EXPECT_EQ(CWnd::FromHandlePermanent(child), nullptr) << c.what;
  EXPECT_TRUE(IsWindow(child));
  DestroyWindow(child);
}

const int kNotify = WM_NOTIFY;
const std::pair<UINT, int> Cmd(int code) { return {WM_COMMAND, code}; }
const std::pair<UINT, int> Ntf(int code) { return {kNotify, code}; }

INSTANTIATE_TEST_SUITE_P(
    Glue, ControlNotifications,
    ::testing::Values(
        // Buttons: BN_CLICKED by the button's type.
        ControlCase{"push button", L"button", BS_PUSHBUTTON, Click, {Cmd(BN_CLICKED)}, {{"QvPushButton", 42, 300, 0}}},
        ControlCase{"default push button", L"button", BS_DEFPUSHBUTTON, Click, {Cmd(BN_CLICKED)},
                    {{"QvPushButton", 42, 300, 0}}},
        ControlCase{"auto radio button", L"button", BS_AUTORADIOBUTTON, Click, {Cmd(BN_CLICKED)},
                    {{"QvRadioButton", 42, 400, 0}}},
        ControlCase{"auto check box", L"button", BS_AUTOCHECKBOX, Click, {Cmd(BN_CLICKED)},
                    {{"QvCheckBox", 42, 500, 0}}},
        ControlCase{"3-state check box", L"button", BS_AUTO3STATE, Click, {Cmd(BN_CLICKED)},
                    {{"QvCheckBox", 42, 500, 0}}},
        // A left-text check box gets no control class: without an entered control, nothing.
        ControlCase{"left-text check box", L"button", BS_AUTOCHECKBOX | BS_LEFTTEXT, Click, {Cmd(BN_CLICKED)}, {}},
        // An owner-drawn button translates to 300 but has no control class of its own.
        ControlCase{"owner-drawn button", L"button", BS_OWNERDRAW, Click, {Cmd(BN_CLICKED)}, {}},
        // A group box is never translated (its click is sent here as a button would).
        ControlCase{"group box", L"button", BS_GROUPBOX,
                    [](HWND w) {
                      SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), reinterpret_cast<LPARAM>(w));
                    },
                    {Cmd(BN_CLICKED)}, {}},
        // Edits: a text change notifies EN_UPDATE (200), then EN_CHANGE (not translated).
        ControlCase{"edit", L"edit", ES_AUTOHSCROLL, [](HWND w) { SetWindowTextW(w, L"typed"); },
                    {Cmd(kEnUpdate), Cmd(kEnChange)}, {{"QvEditText", 42, 200, 0}}},
        ControlCase{"password edit", L"edit", ES_PASSWORD, [](HWND w) { SetWindowTextW(w, L"secret"); },
                    {Cmd(kEnUpdate), Cmd(kEnChange)}, {{"QvPassEditText", 42, 200, 0}}},
        ControlCase{"edit set by program", L"edit", 0,
                    [](HWND w) {
                      Set_EditTextSetByProgram(true);
                      SetWindowTextW(w, L"program");
                      Set_EditTextSetByProgram(false);
                    },
                    {Cmd(kEnUpdate), Cmd(kEnChange)}, {}},
        ControlCase{"edit focus moves away", L"edit", 0, [](HWND w) { SetFocus(GetParent(w)); },
                    {Cmd(EN_KILLFOCUS)}, {{"QvEditText", 42, 202, 0}}},
        // List boxes: a click selects (LBN_SELCHANGE), a double click (LBN_DBLCLK).
        ControlCase{"list box click", L"listbox", LBS_NOTIFY, [](HWND w) { ClickAt(w, WM_LBUTTONDOWN, 5, 20); },
                    {Cmd(LBN_SELCHANGE)}, {{"QvListBox", 42, 602, 0}}},
        ControlCase{"list box double click", L"listbox", LBS_NOTIFY,
                    [](HWND w) { ClickAt(w, WM_LBUTTONDBLCLK, 5, 5); }, {Cmd(LBN_DBLCLK)},
                    {{"QvListBox", 42, 603, 0}}},
        // Combo boxes: the list dropped and closed (a drop-down list has the drop-down bit).
        ControlCase{"drop-down list", L"combobox", CBS_DROPDOWNLIST,
                    [](HWND w) {
                      SendMessageW(w, CB_SHOWDROPDOWN, TRUE, 0);
                      SendMessageW(w, CB_SHOWDROPDOWN, FALSE, 0);
                    },
                    {Cmd(CBN_DROPDOWN), Cmd(CBN_SELENDCANCEL), Cmd(CBN_CLOSEUP)},
                    {{"QvEditComboBox", 42, 701, 0}, {"QvEditComboBox", 42, 702, 0}}},
        ControlCase{"simple combo box key down", L"combobox", CBS_SIMPLE,
                    [](HWND w) { SendMessageW(GetWindow(w, GW_CHILD), WM_KEYDOWN, VK_DOWN, 1); },
                    {Cmd(CBN_SELENDOK), Cmd(CBN_SELCHANGE)}, {{"QvComboBox", 42, 700, 0}}},
        ControlCase{"drop-down combo box typed into", L"combobox", CBS_DROPDOWN,
                    [](HWND w) {
                      HWND edit = GetWindow(w, GW_CHILD);
                      SendMessageW(edit, WM_CHAR, 'z', 1);
                    },
                    {Cmd(CBN_EDITUPDATE), Cmd(CBN_EDITCHANGE)}, {{"QvEditComboBox", 42, 725, 0}}},
        // List views: a selection change (value: the header), a focus-only change (nothing), a
        // column click (value: the column).
        ControlCase{"list view selection", WC_LISTVIEWW, LVS_REPORT,
                    [](HWND w) { SetItemState(w, 1, LVIS_SELECTED, LVIS_SELECTED); },
                    {Ntf(LVN_ITEMCHANGED)}, {{"QvMCListBox", 42, 1002, 1}}},
        ControlCase{"list view focus only", WC_LISTVIEWW, LVS_REPORT,
                    [](HWND w) { SetItemState(w, 1, LVIS_FOCUSED, LVIS_FOCUSED); }, {Ntf(LVN_ITEMCHANGED)}, {}},
        ControlCase{"list view column click", WC_LISTVIEWW, LVS_REPORT,
                    [](HWND w) {
                      HWND header = reinterpret_cast<HWND>(SendMessageW(w, LVM_GETHEADER, 0, 0));
                      ClickAt(header, WM_LBUTTONDOWN, 120, 5);
                    },
                    // The list view passes its header's item click on after its own.
                    {Ntf(LVN_COLUMNCLICK), Ntf(HDN_ITEMCLICK)}, {{"QvMCListBox", 42, 1004, 1}}},
        // Trackbars: a key press scrolls a line and ends the tracking (both 1200).
        ControlCase{"trackbar", TRACKBAR_CLASSW, 0,
                    [](HWND w) {
                      SendMessageW(w, WM_KEYDOWN, VK_RIGHT, 1);
                      SendMessageW(w, WM_KEYUP, VK_RIGHT, 1);
                    },
                    {{WM_HSCROLL, TB_LINEDOWN}, {WM_HSCROLL, TB_ENDTRACK}},
                    {{"QvSlider", 42, 1200, 0}, {"QvSlider", 42, 1200, 0}}},
        // Statics have no portable notifications.
        ControlCase{"static", L"static", SS_NOTIFY,
                    [](HWND w) { ClickAt(w, WM_LBUTTONDOWN, 2, 2); }, {Cmd(STN_CLICKED)}, {}}));

// An entered control gets the notifications of its child, an owner-drawn button included,
// and keeps them going up: control first, then the container.
TEST_F(Containers, EnteredControlPassesNotificationsUp) {
  HWND button = Child(L"button", BS_OWNERDRAW, 7);
  ASSERT_TRUE(button);
  TestPushButton* control = nullptr;
  ASSERT_TRUE(GetControlFromID(control, 7, 21300));  // with a label: its text
  ASSERT_NE(control, nullptr);
  wchar_t text[16] = {};
  GetWindowTextW(button, text, 16);
  EXPECT_STREQ(text, L"&Open");
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), UIGetDefaultGUIFont());
  EXPECT_EQ(control->GetParentCommandHandler(), container);
  EXPECT_EQ(control->GetPlatformControl()->m_hWnd, button);
  Click(button);
  EXPECT_EQ(control->passed, std::vector<NotificationCode>{300});
  EXPECT_EQ(container->seen, (std::vector<Seen>{{"QvPushButton", 7, 300, 0}}));
  EXPECT_EQ(container->LookupControl(7), control);
}

// The control entered under an id is only handed out for its own kind.
TEST_F(Containers, ControlOfAnotherKindIsRefused) {
  Child(L"button", BS_PUSHBUTTON, 7);
  TestPushButton* push = nullptr;
  ASSERT_TRUE(GetControlFromID(push, 7, 0));
  TestCheckBox* check = reinterpret_cast<TestCheckBox*>(1);
  EXPECT_FALSE(GetControlFromID(check, 7, 0));
  EXPECT_EQ(check, nullptr);
  QvControl* any = nullptr;
  EXPECT_FALSE(container->GetOrCreateControl(&TestEdit::classOf, any, 7, 0));
  EXPECT_EQ(any, nullptr);
  // Its own class and the classes above it find it.
  EXPECT_TRUE(container->GetOrCreateControl(QV_RUNTIME_CLASS(QvControl), any, 7, 0));
  EXPECT_EQ(any, push);
  TestPushButton* again = nullptr;
  EXPECT_TRUE(GetControlFromID(again, 7, 0));
  EXPECT_EQ(again, push);
  // No child, or a class that has no platform class: nothing made, nothing entered.
  EXPECT_FALSE(container->GetOrCreateControl(&TestEdit::classOf, any, 8, 0));
  Child(L"edit", 0, 9);
  EXPECT_FALSE(container->GetOrCreateControl(QV_RUNTIME_CLASS(QvRootControl), any, 9, 0));
  EXPECT_EQ(container->LookupControl(8), nullptr);
  EXPECT_EQ(container->LookupControl(9), nullptr);
  EXPECT_EQ(s_liveControls, 1);
}

// A child that already has its framework object keeps it: the control borrows it.
TEST_F(Containers, ChildWithItsOwnObjectIsBorrowed) {
  CWnd own;
  ASSERT_TRUE(own.CreateEx(0, _T("BUTTON"), _T(""), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &wnd, 7));
  TestPushButton* control = nullptr;
  ASSERT_TRUE(GetControlFromID(control, 7, 0));
  EXPECT_EQ(control->GetPlatformControl(), &own);
  EXPECT_EQ(control->m_ownsPlatformControl, 0);
  delete container;
  container = nullptr;
  EXPECT_EQ(CWnd::FromHandlePermanent(own.m_hWnd), &own);
  container = new TestContainer;
}

// A control made for one notification subclasses the child for the call only: afterwards the
// child has its own procedure again and no framework object.
TEST_F(Containers, ControlMadeForOneNotificationGivesTheChildBack) {
  // In the edition's character set, as the framework subclasses it.
  HWND edit = CreateWindowEx(0, _T("edit"), _T(""), WS_CHILD, 0, 0, 50, 20, wnd.m_hWnd, reinterpret_cast<HMENU>(7),
                             NULL, NULL);
  const LONG_PTR procedure = GetWindowLongPtr(edit, GWLP_WNDPROC);
  bool boundDuringCall = false;
  container->answer = [&](QvControlNotification& n) {
    boundDuringCall = CWnd::FromHandlePermanent(edit) == n.m_control->GetPlatformControl() &&
                      container->LookupControl(7) == n.m_control;
    return true;
  };
  SetWindowTextW(edit, L"x");
  EXPECT_TRUE(boundDuringCall);
  EXPECT_EQ(GetWindowLongPtr(edit, GWLP_WNDPROC), procedure);
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
  EXPECT_EQ(s_liveControls, 0);
  // The child still works: its text is there.
  wchar_t text[8] = {};
  GetWindowTextW(edit, text, 8);
  EXPECT_STREQ(text, L"x");
}

// A handler that asks the container for the control made for its notification may keep it:
// the control stays entered, bound to its child, and serves later notifications until the
// container goes.
TEST_F(Containers, HandlerKeepsTheControlItAskedFor) {
  HWND edit = Child(L"edit", 0, 7);
  TestEdit* kept = nullptr;
  container->answer = [&](QvControlNotification& n) {
    if (!kept) {
      EXPECT_TRUE(GetControlFromID(kept, 7, 0));
      EXPECT_EQ(kept, n.m_control);
    }
    return true;
  };
  SetWindowTextW(edit, L"x");
  ASSERT_NE(kept, nullptr);
  ASSERT_EQ(container->LookupControl(7), kept);  // (else kept points at a deleted control)
  EXPECT_EQ(s_liveControls, 1);
  EXPECT_EQ(kept->GetPlatformControl()->m_hWnd, edit);
  SetWindowTextW(edit, L"y");
  EXPECT_EQ(kept->passed, (std::vector<NotificationCode>{200, 200}));
  EXPECT_EQ(container->LookupControl(7), kept);
  delete container;
  container = nullptr;
  EXPECT_EQ(s_liveControls, 0);
  container = new TestContainer;
  container->SetMFCCWnd(&wnd);
  GUISetQvGUIContainer(&wnd, container);
}

// The handler of a notification deletes the container (as closing a dialog from a button
// does): the dispatch ends without touching it or its controls.
TEST_F(Containers, HandlerThatDeletesTheContainerEndsTheDispatch) {
  for (bool entered : {false, true}) {
    HWND button = Child(L"button", BS_PUSHBUTTON, 7);
    if (entered) {
      TestPushButton* control = nullptr;
      ASSERT_TRUE(GetControlFromID(control, 7, 0));
    }
    container->answer = [this](QvControlNotification&) {
      delete container;
      container = nullptr;
      return true;
    };
    EXPECT_EQ(SendMessageW(button, BM_CLICK, 0, 0), 0);
    EXPECT_EQ(container, nullptr);
    EXPECT_EQ(GUIGetQvGUIContainer(&wnd), nullptr);
    EXPECT_EQ(s_liveControls, 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
    EXPECT_TRUE(IsWindow(button));
    DestroyWindow(button);
    container = new TestContainer;
    container->SetMFCCWnd(&wnd);
    GUISetQvGUIContainer(&wnd, container);
  }
}

// The handler destroys the window of the container and the container (as a dialog closed by
// a button does): the child and its temporary control go, nothing is touched afterwards.
TEST_F(Containers, HandlerThatDestroysTheWindowAndTheContainer) {
  PortableWnd* dialog = new PortableWnd;
  TestContainer* owner = new TestContainer;
  owner->SetMFCCWnd(dialog);
  GUISetQvGUIContainer(dialog, owner);
  HWND edit = CreateWindowExW(0, L"edit", L"", WS_CHILD, 0, 0, 50, 20, dialog->m_hWnd, reinterpret_cast<HMENU>(7),
                              NULL, NULL);
  owner->answer = [&](QvControlNotification&) {
    dialog->DestroyWindow();
    delete owner;
    return true;
  };
  SetWindowTextW(edit, L"bye");
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(GUIGetQvGUIContainer(dialog), nullptr);
  EXPECT_EQ(s_liveControls, 0);
  delete dialog;
}

// A handled WM_NOTIFY takes the notification's result unless the result is already set.
TEST_F(Containers, NotifyResultTakenWhenStillZero) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT, 7);
  container->answer = [](QvControlNotification& n) {
    n.m_result = 5;
    return true;
  };
  NMHDR header = {list, 7, static_cast<UINT>(NM_SETFOCUS)};
  LRESULT result = 0;
  AFX_NOTIFY record = {&result, &header};
  EXPECT_TRUE(GUITranslateControlNotification(container, 7, header.code, &record));
  EXPECT_EQ(result, 5);
  result = 9;
  EXPECT_TRUE(GUITranslateControlNotification(container, 7, header.code, &record));
  EXPECT_EQ(result, 9);
  // Through the window: GUIOnNotify hands it to the container.
  EXPECT_EQ(SendMessageW(wnd.m_hWnd, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 5);
  // Not handled: the result stays.
  container->answer = [](QvControlNotification& n) {
    n.m_result = 5;
    return false;
  };
  result = 0;
  EXPECT_FALSE(GUITranslateControlNotification(container, 7, header.code, &record));
  EXPECT_EQ(result, 0);
  // Codes of the library's own controls with their values; unknown codes are not translated.
  struct OwnCode {
    int code;
    NotificationCode portable;
  } const own[] = {{-8, 1001}, {-96, 1005}, {-98, 1006}, {-113, 1008}, {-179, 1009}, {-12, 0}};
  container->answer = nullptr;
  for (const OwnCode& o : own) {
    container->seen.clear();
    struct {
      NMHDR header;
      long data;
    } withData = {{list, 7, static_cast<UINT>(o.code)}, 1234};
    record.pNMHDR = &withData.header;
    EXPECT_EQ(GUITranslateControlNotification(container, 7, o.code, &record), o.portable != 0) << o.code;
    if (o.portable) {
      ASSERT_EQ(container->seen.size(), 1u);
      EXPECT_EQ(container->seen[0].code, o.portable);
      if (o.code == -98) {
        EXPECT_EQ(container->seen[0].value, 1234);
      }
      if (o.code == -96) {
        EXPECT_EQ(container->seen[0].value, -1);  // no selected row
      }
    }
  }
}

// The library's own controls (the window classes the portable start-up registers) notify with
// codes of their own, by WM_NOTIFY or WM_COMMAND.
TEST_F(Containers, CodesOfTheLibrarysOwnControls) {
  struct Case {
    const wchar_t* cls;
    bool notify;  // WM_NOTIFY, else WM_COMMAND
    int code;
    const char* kind;
    NotificationCode portable;  // 0: not translated
    LONG_PTR value;
  } const cases[] = {
      {L"QvImageCtrl", true, -2, "QvImageCtrl", 1700, 0},
      {L"QvImageCtrl", true, -89, "QvImageCtrl", 1701, 0},
      {L"QvImageCtrl", true, -3, "QvImageCtrl", 1702, 0},
      {L"QvImageCtrl", true, -5, nullptr, 0, 0},
      {L"QvDateTimeCtrl", true, -84, "QvDateTimeCtrl", 1800, 0},
      {L"QvDateTimeCtrl", true, -2, nullptr, 0, 0},
      {L"QvTreeList", false, 100, "QvTreeList", 1300, 0},
      {L"QvTreeList", false, 101, "QvTreeList", 1301, 0},
      {L"QvTreeList", false, 106, "QvTreeList", 1500, 0},
      {L"QvTreeList", false, 111, "QvTreeList", 1312, 0},
      {L"QvTreeList", true, -98, "QvTreeList", 1310, 4321},
      {L"QvTreeList", true, -97, "QvTreeList", 1311, 4321},
      {L"QvTreeList", false, 112, nullptr, 0, 0},
      {L"edit", false, 203, "QvEditText", 203, 0},
      {L"edit", false, 206, "QvEditText", 206, 0},
      {L"edit", true, -98, "QvEditText", 205, 4321},
      {L"edit", false, 205, nullptr, 0, 0},
      {L"listbox", true, -98, "QvListBox", 604, 4321},
      {L"combobox", true, -74, "QvComboBox", 735, 0},
      {TRACKBAR_CLASSW, false, 9, nullptr, 0, 0},  // scroll codes end at 8
  };
  for (const Case& c : cases) {
    HWND child = Child(c.cls, 0, 60);
    ASSERT_TRUE(child) << c.code;
    container->seen.clear();
    bool handled;
    if (c.notify) {
      struct {
        NMHDR header;
        long data;
      } message = {{child, 60, static_cast<UINT>(c.code)}, 4321};
      handled = GUIOnNotify(&wnd, 60, reinterpret_cast<LPARAM>(&message), nullptr);
    } else {
      handled = GUIOnCommand(&wnd, MAKEWPARAM(60, c.code), reinterpret_cast<LPARAM>(child));
    }
    if (c.portable) {
      EXPECT_TRUE(handled) << c.code;
      EXPECT_EQ(container->seen, (std::vector<Seen>{{c.kind, 60, c.portable, c.value}})) << c.code;
    } else {
      EXPECT_TRUE(container->seen.empty()) << c.code;
    }
    DestroyWindow(child);
  }
}

TEST_F(Containers, PortableClassOfAChild) {
  struct Case {
    const wchar_t* cls;
    DWORD style;
    const char* portable;
  } const cases[] = {
      {L"static", 0, "QvStaticText"},
      {L"Edit", 0, "QvEditText"},
      {L"edit", ES_PASSWORD, "QvPassEditText"},
      {L"button", BS_PUSHBUTTON, "QvPushButton"},
      {L"button", BS_DEFPUSHBUTTON, "QvPushButton"},
      {L"button", BS_CHECKBOX, "QvCheckBox"},
      {L"button", BS_AUTO3STATE, "QvCheckBox"},
      {L"button", BS_RADIOBUTTON, "QvRadioButton"},
      {L"button", BS_AUTORADIOBUTTON, "QvRadioButton"},
      {L"button", BS_GROUPBOX, "QvGroupBox"},
      {L"button", BS_PUSHBOX, nullptr},
      {L"button", BS_OWNERDRAW, nullptr},
      {L"button", BS_CHECKBOX | BS_LEFTTEXT, nullptr},
      {L"listbox", 0, "QvListBox"},
      {L"combobox", CBS_DROPDOWNLIST, "QvEditComboBox"},  // the drop-down bit is set
      {L"combobox", CBS_SIMPLE, "QvComboBox"},
      {L"combobox", CBS_DROPDOWN, "QvEditComboBox"},
      {WC_LISTVIEWW, 0, "QvMCListBox"},
      {TRACKBAR_CLASSW, 0, "QvSlider"},
      {L"scrollbar", 0, nullptr},
  };
  for (const Case& c : cases) {
    HWND child = Child(c.cls, c.style, 50);
    ASSERT_TRUE(child);
    const QvRuntimeClass* found = QvGUIContainer::GetControlClassForChild(child);
    EXPECT_STREQ(found ? found->GetName() : nullptr, c.portable) << c.style;
    DestroyWindow(child);
  }
}

TEST_F(Containers, HelpPrefsCaptionAndTooltips) {
  // The help command: enabled by a container with a help id, without asking its parent.
  PortableTarget parent;
  parent.answers[ID_QV_HELP] = {false};
  TestContainer helped(&parent, 77), unhelped(&parent, 0);
  QvCommandStatus help(ID_QV_HELP);
  EXPECT_TRUE(helped.OnUpdateCommandStatus(help));
  EXPECT_TRUE(parent.asked.empty());
  EXPECT_TRUE(unhelped.OnUpdateCommandStatus(help));
  EXPECT_EQ(parent.asked.size(), 1u);

  EXPECT_FALSE(helped.SaveUserPrefs());
  EXPECT_TRUE(helped.prefs.empty());
  helped.SetUserPrefsRegistryName("Report");
  EXPECT_TRUE(helped.SaveUserPrefs());
  EXPECT_EQ(helped.prefs, std::vector<std::string>{"%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\Report"});
  EXPECT_TRUE(helped.RestoreUserPrefs());

  QvString caption("unchanged");
  SetWindowTextW(wnd.m_hWnd, L"");
  EXPECT_EQ(container->GetCaption(caption), 0);
  EXPECT_STREQ(caption.c_str(), "unchanged");
  container->SetCaption("R\xC3\xA9sum\xC3\xA9");
  wchar_t text[16] = {};
  GetWindowTextW(wnd.m_hWnd, text, 16);
  EXPECT_STREQ(text, L"R\x00E9sum\x00E9");
  EXPECT_EQ(container->GetCaption(caption), 6);
  EXPECT_STREQ(caption.c_str(), "R\xC3\xA9sum\xC3\xA9");

  // The tooltip of the command the status redirects to.
  target.answers[kRedirected].effective = kTarget;
  target.answers[kTarget] = {};
  container->SetTooltipByCmd(3, kRedirected);
  container->SetTooltipByCmd(4, kUnknown);
  container->SetTooltipByCmd(5, kPrint);  // no tooltip text
  const std::vector<std::pair<unsigned short, std::string>> tips = {{3, "Go to the target"}};
  EXPECT_EQ(container->tooltips, tips);
  EXPECT_FALSE(container->IsVisible());
  container->Show(true);
  EXPECT_TRUE(container->IsVisible());
  container->Show(false);
  EXPECT_FALSE(container->IsVisible());
}

// An application that records the help it is asked for.
class HelpApp : public CWinApp {
 public:
  HelpApp() : CWinApp(_T("guiglue")) {}
  void WinHelp(DWORD_PTR data, UINT command) override { asked.push_back({data, command}); }
  std::vector<std::pair<DWORD_PTR, UINT>> asked;
};

TEST_F(Containers, HelpOfTheWindowsContainer) {
  HelpApp app;
  PortableWnd other;
  EXPECT_FALSE(GUIOnCommandHelp(&other));
  EXPECT_TRUE(GUIOnCommandHelp(&wnd));
  container->SetHelpID(4242);
  EXPECT_TRUE(GUIOnCommandHelp(&wnd));
  const std::vector<std::pair<DWORD_PTR, UINT>> expected = {{0, HELP_FINDER}, {4242, HELP_CONTEXT}};
  EXPECT_EQ(app.asked, expected);
}

TEST_F(Containers, WindowMapFollowsTheContainers) {
  EXPECT_EQ(GUIGetQvGUIContainer(&wnd), container);
  EXPECT_EQ(GUIGetQvGUIContainer(nullptr), nullptr);
  TestContainer* second = new TestContainer;
  GUISetQvGUIContainer(&wnd, second);
  EXPECT_EQ(GUIGetQvGUIContainer(&wnd), second);
  delete second;  // its entry leaves with it
  EXPECT_EQ(GUIGetQvGUIContainer(&wnd), nullptr);
  GUISetQvGUIContainer(&wnd, container);
  GUISetQvGUIContainer(&wnd, nullptr);
  EXPECT_EQ(GUIGetQvGUIContainer(&wnd), nullptr);
  GUISetQvGUIContainer(&wnd, container);
}

// The text colour of a child's portable control reaches the DC of its WM_CTLCOLOR.
TEST_F(Containers, ChildTextColourFromItsControl) {
  HWND edit = Child(L"edit", 0, 7);
  DibCanvas canvas(4, 4);
  ASSERT_TRUE(canvas.valid());
  CDC* dc = CDC::FromHandle(canvas.dc());
  SetTextColor(canvas.dc(), RGB(1, 2, 3));
  GUIOnCtlColor(&wnd, dc, CWnd::FromHandle(edit), CTLCOLOR_EDIT);  // no control entered
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3));
  TestEdit* control = nullptr;
  ASSERT_TRUE(GetControlFromID(control, 7, 0));
  GUIOnCtlColor(&wnd, dc, CWnd::FromHandle(edit), CTLCOLOR_EDIT);  // none set
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3));
  control->SetTextColor(QvColor(200 << 8, 0, 0));
  GUIOnCtlColor(&wnd, dc, CWnd::FromHandle(edit), CTLCOLOR_EDIT);
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(200, 0, 0));
}

}  // namespace
