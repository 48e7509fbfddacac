// Portable tab dialogs: page switching by keyboard and mouse, the standard dialog's growth
// and button row, pages made from both template formats, pages joining and leaving an open
// dialog, OK's validation, the byte-sized counts, and the start-up's failures.
#include <DialogTemplateStyle.h>
#include <GUITabDialog.h>
#include <QvTabDialog.h>
#include <commctrl.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <vekkel.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tabdialogs_ids.h"
#include "modal_guard.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::PumpMessages;

namespace {

// A page: notes what the dialog asks of it in the shared log.
class TestTab : public QvTab {
 public:
  TestTab(QvTabDialog* dialog, unsigned short templateId, int number, std::vector<std::string>* log)
      : QvTab(nullptr, dialog), m_number(number), m_log(log) {
    SetTabID(templateId);
  }
  bool OnInit() override {
    ++inits;
    return true;
  }
  bool OnConfirmHide() override { return mayHide; }
  bool CheckValidate() override {
    Note("validate");
    return valid;
  }
  void OnAction(unsigned short action) override { Note("action " + std::to_string(action)); }
  HWND Window() const { return GetMFCCWnd() ? GetMFCCWnd()->m_hWnd : NULL; }

  bool mayHide = true;
  bool valid = true;
  int inits = 0;

 private:
  void Note(const std::string& what) {
    if (m_log) m_log->push_back(what + " " + std::to_string(m_number));
  }
  int m_number;
  std::vector<std::string>* m_log;
};

class TestDialog : public QvStdTabDialog {
 public:
  TestDialog(bool modal, unsigned long helpId)
      : QvStdTabDialog("Settings", false, helpId, nullptr, nullptr, modal, false) {}
  bool OnInit() override {
    ++inits;
    return init ? init(*this) : true;
  }
  void OnTerminate() override { ++terminations; }
  HWND Window() const { return GetMFCCWnd() ? GetMFCCWnd()->m_hWnd : NULL; }

  std::function<bool(TestDialog&)> init;
  int inits = 0;
  int terminations = 0;
};

// The thread's key state as GetKeyState reads it.
void SetKeys(bool ctrl, bool shift) {
  BYTE state[256];
  ::GetKeyboardState(state);
  state[VK_CONTROL] = state[VK_LCONTROL] = ctrl ? 0x80 : 0;
  state[VK_SHIFT] = state[VK_LSHIFT] = shift ? 0x80 : 0;
  state[VK_LBUTTON] = 0;
  ::SetKeyboardState(state);
}

// A modeless standard dialog with pages of the templates given, open.
class OpenTabs {
 public:
  explicit OpenTabs(const std::vector<unsigned short>& templates, unsigned long helpId = 0,
                    std::function<bool(TestDialog&)> init = {})
      : dialog(false, helpId) {
    dialog.init = std::move(init);
    EXPECT_TRUE(dialog.CreatePlatform(false));
    for (unsigned short id : templates) AddTab(id);
    run = dialog.Run();
    PumpMessages();
  }
  ~OpenTabs() { SetKeys(false, false); }
  TestTab& AddTab(unsigned short id) {
    tabs.push_back(std::make_unique<TestTab>(&dialog, id, static_cast<int>(tabs.size()), &log));
    tabs.back()->Init();
    return *tabs.back();
  }
  CGUITabDialog& Platform() { return *dialog.GetPlatformTabDialog(); }
  HWND Tabs() { return ::GetDlgItem(dialog.Window(), CGUITabDialog::kTabControlID); }
  int Selected() { return static_cast<int>(::SendMessage(Tabs(), TCM_GETCURSEL, 0, 0)); }
  // The pages shown, by their number.
  std::vector<int> VisiblePages() {
    std::vector<int> shown;
    for (size_t i = 0; i < tabs.size(); ++i)
      if (tabs[i] && ::IsWindowVisible(tabs[i]->Window())) shown.push_back(static_cast<int>(i));
    return shown;
  }
  // Tab pressed in the dialog: whether the page switch took it (else it goes on to the
  // dialog's own navigation).
  BOOL Key(HWND target, LPARAM lParam = 1) {
    MSG msg = {target, WM_KEYDOWN, VK_TAB, lParam, 0, {0, 0}};
    return Platform().HandleTabKey(&msg);
  }
  // Tab pressed in a control of the page: the page's own translation.
  BOOL PageKey(TestTab& page, HWND target, LPARAM lParam = 1) {
    MSG msg = {target, WM_KEYDOWN, VK_TAB, lParam, 0, {0, 0}};
    return page.GetPlatformTab()->PreTranslateMessage(&msg);
  }
  RECT Client(HWND child) {
    RECT rc;
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(NULL, dialog.Window(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  TestDialog dialog;
  std::vector<std::string> log;
  std::vector<std::unique_ptr<TestTab>> tabs;
  short run = -1;
};

class TabDialog : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    SetKeys(false, false);
  }
};

// ---------------------------------------------------------------------------------------------
// The template style helper

struct StyleCase {
  const char* what;
  std::vector<unsigned char> bytes;
  int offset;
};

std::vector<unsigned char> Plain(DWORD style) {
  std::vector<unsigned char> b(18, 0);
  memcpy(b.data(), &style, 4);
  return b;
}
std::vector<unsigned char> Extended(DWORD style, size_t size = 26) {
  std::vector<unsigned char> b(size, 0);
  b[0] = 1;
  b[2] = b[3] = 0xFF;
  memcpy(b.data() + 12, &style, std::min<size_t>(4, size > 12 ? size - 12 : 0));
  return b;
}

TEST(DialogTemplateStyle, FindsTheStyleOfBothFormatsAndRefusesShortBlocks) {
  const DWORD popup = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME;
  const StyleCase cases[] = {
      {"DIALOG: style first", Plain(popup), 0},
      {"DIALOGEX: style after version, signature, help id and extended style", Extended(popup), 12},
      {"DIALOG cut short", std::vector<unsigned char>(10, 0), -1},
      {"DIALOGEX cut inside its header", Extended(popup, 20), -1},
      {"empty", {}, -1},
  };
  for (const StyleCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<unsigned char> bytes = c.bytes;
    EXPECT_EQ(DialogTemplateStyleOffset(bytes.data(), bytes.size()), c.offset);
    const bool edited = EditDialogTemplateStyle(bytes.data(), bytes.size(), ~DWORD{WS_POPUP | WS_VISIBLE}, WS_CHILD);
    EXPECT_EQ(edited, c.offset >= 0);
    if (c.offset >= 0) {
      EXPECT_EQ(GetDialogTemplateStyle(bytes.data(), bytes.size()), (popup & ~DWORD{WS_POPUP | WS_VISIBLE}) | WS_CHILD);
      // Nothing but the style changed.
      std::vector<unsigned char> rest = bytes, before = c.bytes;
      memset(rest.data() + c.offset, 0, 4);
      memset(before.data() + c.offset, 0, 4);
      EXPECT_EQ(rest, before);
    } else {
      EXPECT_EQ(bytes, c.bytes) << "a block too short is left alone";
    }
  }
  EXPECT_EQ(DialogTemplateStyleOffset(nullptr, 100), -1);
}

TEST_F(TabDialog, DialogAndDialogExTemplatesBothBecomeHiddenChildPages) {
  OpenTabs open({IDD_PAGE_PLAIN, IDD_PAGE_EX});
  ASSERT_EQ(open.run, 0);
  ASSERT_TRUE(::IsWindow(open.dialog.Window()));
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i == 0 ? "DIALOG" : "DIALOGEX");
    HWND page = open.tabs[i]->Window();
    ASSERT_TRUE(::IsWindow(page));
    const DWORD style = static_cast<DWORD>(::GetWindowLong(page, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_POPUP | WS_BORDER | WS_DLGFRAME | WS_DISABLED), DWORD{WS_CHILD});
    EXPECT_EQ(::GetParent(page), open.dialog.Window());
    EXPECT_TRUE(::GetDlgItem(page, IDC_FIELD));
    EXPECT_EQ(open.tabs[i]->inits, 1);
  }
  EXPECT_EQ(open.VisiblePages(), std::vector<int>{0}) << "only the current page is shown";
  EXPECT_EQ(::SendMessage(open.Tabs(), TCM_GETITEMCOUNT, 0, 0), 2);
  TCHAR text[32] = {0};
  TCITEM item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 31;
  ::SendMessage(open.Tabs(), TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, _T("Extended")) << "a tab is named by its page's caption";
}

// ---------------------------------------------------------------------------------------------
// Keyboard and mouse

struct KeyCase {
  const char* what;
  int pages;
  int start;
  bool ctrl, shift;
  LPARAM lParam;
  bool fromPage;
  BOOL taken;
  int current;
};

TEST_F(TabDialog, CtrlTabWrapsBothWaysAndOnePageLetsTheKeyGoOn) {
  const KeyCase cases[] = {
      {"Ctrl+Tab on the last page goes to the first", 3, 2, true, false, 1, false, TRUE, 0},
      {"Ctrl+Shift+Tab on the first page goes to the last", 3, 0, true, true, 1, false, TRUE, 2},
      {"Ctrl+Tab goes to the next page", 3, 0, true, false, 1, false, TRUE, 1},
      {"Ctrl+Tab in a page's control switches too", 3, 1, true, false, 1, true, TRUE, 2},
      {"a single page lets Ctrl+Tab go on", 1, 0, true, false, 1, false, FALSE, 0},
      {"a plain Tab held down (repeat count 0x31) does not switch", 3, 1, false, false, 0x31, false, FALSE, 1},
      {"a plain Tab does not switch", 3, 1, false, false, 1, false, FALSE, 1},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<unsigned short> templates(static_cast<size_t>(c.pages), IDD_PAGE_EX);
    OpenTabs open(templates);
    ASSERT_EQ(open.run, 0);
    open.dialog.SetCurrentTabByIndex(static_cast<unsigned char>(c.start));
    ASSERT_EQ(open.Platform().GetCurrentTabIndex(), c.start);
    SetKeys(c.ctrl, c.shift);
    TestTab& page = *open.tabs[static_cast<size_t>(c.start)];
    if (c.fromPage)
      EXPECT_EQ(open.PageKey(page, ::GetDlgItem(page.Window(), IDC_FIELD), c.lParam), c.taken);
    else
      EXPECT_EQ(open.Key(open.dialog.Window(), c.lParam), c.taken);
    SetKeys(false, false);
    EXPECT_EQ(open.Platform().GetCurrentTabIndex(), c.current);
    EXPECT_EQ(open.Selected(), c.current);
    EXPECT_EQ(open.VisiblePages(), std::vector<int>{c.current});
    EXPECT_EQ(open.dialog.GetCurrentTab(), open.tabs[static_cast<size_t>(c.current)].get());
  }
}

TEST_F(TabDialog, APageThatRefusesToHideKeepsTheSelection) {
  struct Case {
    const char* what;
    bool mayHide;
    int current;
  } const cases[] = {{"refused: page 0 stays", false, 0}, {"allowed: page 1 comes", true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenTabs open({IDD_PAGE_EX, IDD_PAGE_EX, IDD_PAGE_EX});
    ASSERT_EQ(open.run, 0);
    open.tabs[0]->mayHide = c.mayHide;
    // A click on the second tab, as the tab control sees it.
    RECT item;
    ASSERT_TRUE(::SendMessage(open.Tabs(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessage(open.Tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessage(open.Tabs(), WM_LBUTTONUP, 0, at);
    PumpMessages();
    EXPECT_EQ(open.Selected(), c.current);
    EXPECT_EQ(open.Platform().GetCurrentTabIndex(), c.current);
    EXPECT_EQ(open.VisiblePages(), std::vector<int>{c.current});

    // Ctrl+Tab asks the page too; a refusal takes the key all the same.
    open.tabs[static_cast<size_t>(c.current)]->mayHide = c.mayHide;
    SetKeys(true, false);
    EXPECT_TRUE(open.Key(open.dialog.Window()));
    SetKeys(false, false);
    EXPECT_EQ(open.Platform().GetCurrentTabIndex(), c.mayHide ? c.current + 1 : c.current);
  }
}

// Ctrl+Tab on page 0 of two, the focus in page 0's field: the messages both pages get.
// Both pages are logged (painting left out).
const testing_support::ExpectedMsg kSwitchToSecond[] = {
    // page 0 is hidden first
    {WM_SHOWWINDOW, testing_support::kSent | testing_support::kWparam, FALSE, 0},
    {WM_WINDOWPOSCHANGING, testing_support::kSent, 0, 0},
    {WM_WINDOWPOSCHANGED, testing_support::kSent, 0, 0},
    // then page 1 is shown
    {WM_SHOWWINDOW, testing_support::kSent | testing_support::kWparam, TRUE, 0},
    {WM_WINDOWPOSCHANGING, testing_support::kSent, 0, 0},
    {WM_WINDOWPOSCHANGED, testing_support::kSent, 0, 0},
    // and brought to the top
    {WM_WINDOWPOSCHANGING, testing_support::kSent, 0, 0},
    {WM_CHILDACTIVATE, testing_support::kSent, 0, 0},
    {WM_WINDOWPOSCHANGED, testing_support::kSent, 0, 0},
    // page 0's field loses the focus, page 1 takes it and hands it to its own field
    {WM_COMMAND, testing_support::kSent | testing_support::kWparam, MAKEWPARAM(IDC_FIELD, EN_KILLFOCUS), 0},
    {WM_SETFOCUS, testing_support::kSent, 0, 0},
    {WM_KILLFOCUS, testing_support::kSent, 0, 0},
    {WM_COMMAND, testing_support::kSent | testing_support::kWparam, MAKEWPARAM(IDC_FIELD, EN_SETFOCUS), 0},
    {0, 0, 0, 0},
};

TEST_F(TabDialog, CtrlTabHidesTheOldPageBeforeTheNewOneShows) {
  using namespace testing_support;
  OpenTabs open({IDD_PAGE_EX, IDD_PAGE_EX});
  ASSERT_EQ(open.run, 0);
  HWND first = open.tabs[0]->Window(), second = open.tabs[1]->Window();
  ::SetFocus(::GetDlgItem(first, IDC_FIELD));
  SubclassedControl a(first), b(second);
  Recorder().UnwatchAll();
  Recorder().Watch(first);
  Recorder().Watch(second);
  for (UINT m : {UINT{WM_PAINT}, UINT{WM_ERASEBKGND}, UINT{WM_NCPAINT}, UINT{WM_CTLCOLORSTATIC}, UINT{WM_CTLCOLOREDIT},
                 UINT{WM_CTLCOLORBTN}, UINT{WM_CTLCOLORDLG}})
    Recorder().Ignore(m);
  Recorder().Reset();
  SetKeys(true, false);
  EXPECT_TRUE(open.PageKey(*open.tabs[0], ::GetDlgItem(first, IDC_FIELD)));
  SetKeys(false, false);
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kSwitchToSecond));
  for (UINT m : {UINT{WM_PAINT}, UINT{WM_ERASEBKGND}, UINT{WM_NCPAINT}, UINT{WM_CTLCOLORSTATIC}, UINT{WM_CTLCOLOREDIT},
                 UINT{WM_CTLCOLORBTN}, UINT{WM_CTLCOLORDLG}})
    Recorder().Unignore(m);
  Recorder().UnwatchAll();
  EXPECT_EQ(open.VisiblePages(), std::vector<int>{1});
  EXPECT_TRUE(::IsChild(second, ::GetFocus())) << "the new page has the focus";
}

// ---------------------------------------------------------------------------------------------
// The standard dialog's size and button row

TEST_F(TabDialog, PagesLargerThanThePlaceholderGrowTheTabsTheDialogAndTheButtonsByTheDifference) {
  OpenTabs small({IDD_PAGE_EX});
  ASSERT_EQ(small.run, 0);
  OpenTabs large({IDD_PAGE_EX, IDD_PAGE_LARGE});
  ASSERT_EQ(large.run, 0);

  RECT tabs0, tabs1, frame0, frame1, item;
  ::GetWindowRect(small.Tabs(), &tabs0);
  ::GetWindowRect(large.Tabs(), &tabs1);
  ::GetWindowRect(small.dialog.Window(), &frame0);
  ::GetWindowRect(large.dialog.Window(), &frame1);
  ::SendMessage(large.Tabs(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  RECT page = {0, 0, 300, 200};  // the large page's template size, in the same font
  ::MapDialogRect(large.dialog.Window(), &page);
  const int dx = page.right - (tabs0.right - tabs0.left);
  const int dy = page.bottom + 4 + (item.bottom - item.top) - (tabs0.bottom - tabs0.top);
  ASSERT_GT(dx, 0);
  ASSERT_GT(dy, 0);
  EXPECT_EQ(tabs1.right - tabs1.left, tabs0.right - tabs0.left + dx);
  EXPECT_EQ(tabs1.bottom - tabs1.top, tabs0.bottom - tabs0.top + dy);
  EXPECT_EQ(frame1.right - frame1.left, frame0.right - frame0.left + dx);
  EXPECT_EQ(frame1.bottom - frame1.top, frame0.bottom - frame0.top + dy);
  for (int id : {IDOK, IDCANCEL, int{CGUITabDialog::kHelpButton}, int{CGUITabDialog::kApplyButton}}) {
    SCOPED_TRACE(id);
    const RECT b0 = small.Client(::GetDlgItem(small.dialog.Window(), id));
    const RECT b1 = large.Client(::GetDlgItem(large.dialog.Window(), id));
    EXPECT_EQ(b1.left - b0.left, dx);
    EXPECT_EQ(b1.top - b0.top, dy);
  }
  // The pages fill the tab control below the tabs, 2 pixels in.
  RECT inner = large.Client(large.tabs[1]->Window());
  RECT control = large.Client(large.Tabs());
  EXPECT_EQ(inner.left, control.left + 2);
  EXPECT_EQ(inner.right, control.right - 2);
  EXPECT_EQ(inner.top, control.top + item.bottom + 2);
  EXPECT_EQ(inner.bottom, control.bottom - 2);
}

// The row OK, Cancel, Apply, Help is closed up to the right around the hidden buttons. Slots
// are the buttons' places in the template, by right edge.
TEST_F(TabDialog, TheButtonRowClosesUpAroundHiddenHelpAndApply) {
  struct Case {
    const char* what;
    bool apply;
    unsigned long dialogHelp, pageHelp;
    int pairFrom, pairTo;  // OK and Cancel move by the distance between these slots
    int applySlot;         // -1: hidden
    bool help;
  } const cases[] = {
      {"Apply and Help shown: nothing moves", true, 7, 0, 0, 0, 2, true},
      {"Help shown, Apply hidden: Cancel takes Apply's place, OK follows", false, 7, 0, 1, 2, -1, true},
      {"a page's help id shows Help too", false, 0, 9, 1, 2, -1, true},
      {"Apply shown, Help hidden: Apply takes Help's place and the pair follows", true, 0, 0, 2, 3, 3, false},
      {"both hidden: Cancel takes Help's place, OK follows", false, 0, 0, 1, 3, -1, false},
  };
  // The template's places: the dialog with every button shown moves none.
  int slots[4] = {0, 0, 0, 0};
  {
    OpenTabs all({IDD_PAGE_EX}, 7, [](TestDialog& d) {
      d.ShowApplyButton(true);
      return true;
    });
    ASSERT_EQ(all.run, 0);
    const int ids[4] = {IDOK, IDCANCEL, CGUITabDialog::kApplyButton, CGUITabDialog::kHelpButton};
    for (int i = 0; i < 4; ++i) slots[i] = all.Client(::GetDlgItem(all.dialog.Window(), ids[i])).right;
    ASSERT_LT(slots[0], slots[1]);
    ASSERT_LT(slots[1], slots[2]);
    ASSERT_LT(slots[2], slots[3]);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenTabs open({IDD_PAGE_EX}, c.dialogHelp, [&](TestDialog& d) {
      d.ShowApplyButton(c.apply);
      if (c.pageHelp) d.GetTabByIndex(0)->SetHelpID(c.pageHelp);
      return true;
    });
    ASSERT_EQ(open.run, 0);
    HWND dlg = open.dialog.Window();
    auto right = [&](int slot) { return slots[slot]; };
    const int shift = right(c.pairTo) - right(c.pairFrom);
    EXPECT_EQ(open.Client(::GetDlgItem(dlg, IDOK)).right, right(0) + shift);
    EXPECT_EQ(open.Client(::GetDlgItem(dlg, IDCANCEL)).right, right(1) + shift);
    HWND apply = ::GetDlgItem(dlg, CGUITabDialog::kApplyButton);
    EXPECT_EQ(::IsWindowVisible(apply) != FALSE, c.applySlot >= 0);
    if (c.applySlot >= 0) {
      EXPECT_EQ(open.Client(apply).right, right(c.applySlot));
    }
    HWND help = ::GetDlgItem(dlg, CGUITabDialog::kHelpButton);
    EXPECT_EQ(::IsWindowVisible(help) != FALSE, c.help);
    EXPECT_EQ(open.Client(help).right, right(3)) << "Help never moves";
  }
}

TEST_F(TabDialog, TheStandardButtonsTakeTheirLabelsAndKeepTheirTextsWhereALabelIsMissing) {
  OpenTabs open({IDD_PAGE_EX});
  ASSERT_EQ(open.run, 0);
  TCHAR ok[32] = {0}, cancel[32] = {0};
  ::GetDlgItemText(open.dialog.Window(), IDOK, ok, 31);
  ::GetDlgItemText(open.dialog.Window(), IDCANCEL, cancel, 31);
  EXPECT_STREQ(ok, _T("Accept"));
  EXPECT_STREQ(cancel, _T("Cancel"));
  TCHAR title[32] = {0};
  ::GetWindowText(open.dialog.Window(), title, 31);
  EXPECT_STREQ(title, _T("Settings"));
}

// ---------------------------------------------------------------------------------------------
// Pages joining and leaving an open dialog

TEST_F(TabDialog, RemovingAPageBeforeTheCurrentOneKeepsThatPageCurrent) {
  OpenTabs open({IDD_PAGE_EX, IDD_PAGE_PLAIN, IDD_PAGE_EX});
  ASSERT_EQ(open.run, 0);
  open.dialog.SetCurrentTabByIndex(2);
  TestTab* third = open.tabs[2].get();
  open.tabs[0].reset();  // its window object leaves the dialog
  PumpMessages();
  EXPECT_EQ(open.Platform().CountTabs(), 2);
  EXPECT_EQ(open.Platform().GetCurrentTabIndex(), 1);
  EXPECT_EQ(open.dialog.GetCurrentTab(), third);
  EXPECT_EQ(open.Selected(), 1);
  EXPECT_EQ(::SendMessage(open.Tabs(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(open.VisiblePages(), std::vector<int>{2});

  // The current page leaving: the first page becomes current.
  open.tabs[2].reset();
  PumpMessages();
  EXPECT_EQ(open.Platform().GetCurrentTabIndex(), 0);
  EXPECT_EQ(open.dialog.GetCurrentTab(), open.tabs[1].get());
  EXPECT_EQ(open.VisiblePages(), std::vector<int>{1});
}

TEST_F(TabDialog, APageInsertedBeforeTheCurrentOneKeepsThatPageCurrent) {
  OpenTabs open({IDD_PAGE_EX, IDD_PAGE_EX, IDD_PAGE_EX});
  ASSERT_EQ(open.run, 0);
  open.dialog.SetCurrentTabByIndex(1);
  TestTab& added = open.AddTab(IDD_PAGE_PLAIN);  // appended: its window and tab are made at once
  ASSERT_TRUE(::IsWindow(added.Window()));
  EXPECT_EQ(open.Platform().CountTabs(), 4);
  EXPECT_EQ(open.Platform().InsertTab(added.GetPlatformTab(), 0), 0);
  EXPECT_EQ(open.Platform().GetCurrentTabIndex(), 2);
  EXPECT_EQ(open.dialog.GetCurrentTab(), open.tabs[1].get());
  EXPECT_EQ(open.Selected(), 2);
  EXPECT_EQ(::SendMessage(open.Tabs(), TCM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(open.VisiblePages(), std::vector<int>{1});
  unsigned char index = 0xFF;
  EXPECT_TRUE(open.dialog.GetIndex(&added, index));
  EXPECT_EQ(index, 0);
}

// ---------------------------------------------------------------------------------------------
// OK and Cancel of the standard dialog

TEST_F(TabDialog, OkAsksThePagesFromLastToFirstAndStopsAtTheFirstRefusal) {
  OpenTabs open({IDD_PAGE_EX, IDD_PAGE_EX, IDD_PAGE_EX});
  ASSERT_EQ(open.run, 0);
  HWND dlg = open.dialog.Window();
  open.tabs[1]->valid = false;
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
  PumpMessages();
  EXPECT_EQ(open.log, (std::vector<std::string>{"action 1 0", "action 1 1", "action 1 2", "validate 2", "validate 1"}));
  EXPECT_TRUE(::IsWindow(dlg)) << "a refusal keeps the dialog open";
  EXPECT_FALSE(open.dialog.IsTerminated());

  open.log.clear();
  open.tabs[1]->valid = true;
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
  PumpMessages();
  EXPECT_EQ(open.log, (std::vector<std::string>{"action 1 0", "action 1 1", "action 1 2", "validate 2", "validate 1",
                                                "validate 0"}));
  EXPECT_FALSE(::IsWindow(dlg));
  EXPECT_EQ(open.dialog.GetResultCode(), IDOK);
  EXPECT_EQ(open.dialog.terminations, 1);
}

// Enter and Escape in a page act as the dialog's default button (the template's OK, which the
// portable dialog keeps) and Cancel, unless that button is disabled.
TEST_F(TabDialog, EnterAndEscapeInAPageReachTheDialogsButtons) {
  using Log = std::vector<std::string>;
  struct Case {
    const char* what;
    WPARAM key;
    bool ctrl;
    bool okDisabled;
    short result;  // 0: still open
    Log log;
  } const cases[] = {
      {"Enter: the default button, OK", VK_RETURN, false, false, IDOK,
       {"action 1 0", "action 1 1", "validate 1", "validate 0"}},
      {"Escape: Cancel", VK_ESCAPE, false, false, IDCANCEL, {"action 2 0", "action 2 1"}},
      {"Enter with the default button disabled goes on to the page", VK_RETURN, false, true, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenTabs open({IDD_PAGE_EX, IDD_PAGE_EX});
    ASSERT_EQ(open.run, 0);
    HWND dlg = open.dialog.Window();
    ASSERT_EQ(LOWORD(::SendMessage(dlg, DM_GETDEFID, 0, 0)), IDOK);
    if (c.okDisabled) open.dialog.EnableOKButton(false);
    SetKeys(c.ctrl, false);
    MSG msg = {::GetDlgItem(open.tabs[0]->Window(), IDC_FIELD), WM_KEYDOWN, c.key, 1, 0, {0, 0}};
    open.tabs[0]->GetPlatformTab()->PreTranslateMessage(&msg);
    SetKeys(false, false);
    PumpMessages();
    EXPECT_EQ(open.log, c.log);
    EXPECT_EQ(::IsWindow(dlg) == FALSE, c.result != 0);
    if (c.result != 0) {
      EXPECT_EQ(open.dialog.GetResultCode(), c.result);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// A resizable tab dialog of its own template

class ResizableTabs : public QvTabDialog {
 public:
  ResizableTabs() : QvTabDialog(nullptr, nullptr, false, false) { SetDialogID(IDD_OWN_TABS); }
  CWnd* OnCreatePlatform() override {
    return GetMFCCWnd() ? GetMFCCWnd() : new CGUIResizeTabDialog(IDD_OWN_TABS, FALSE, nullptr, TRUE);
  }
  bool OnInit() override { return true; }
};

TEST_F(TabDialog, AResizableTabDialogKeepsItsPagesInTheTabControlAsItGrows) {
  ResizableTabs dialog;
  ASSERT_TRUE(dialog.CreatePlatform(false));
  auto* platform = dynamic_cast<CGUIResizeTabDialog*>(dialog.GetMFCCWnd());
  ASSERT_NE(platform, nullptr);
  platform->SetSaveRestoreSection(_T("Tab Dialog Test"));
  std::vector<std::unique_ptr<TestTab>> tabs;
  for (unsigned short id : {IDD_PAGE_EX, IDD_PAGE_PLAIN}) {
    tabs.push_back(std::make_unique<TestTab>(&dialog, id, static_cast<int>(tabs.size()), nullptr));
    tabs.back()->Init();
  }
  ASSERT_EQ(dialog.Run(), 0);
  HWND dlg = platform->m_hWnd;
  HWND control = ::GetDlgItem(dlg, CGUITabDialog::kTabControlID);
  HWND close = ::GetDlgItem(dlg, IDCANCEL);
  auto inDialog = [&](HWND child) {
    RECT rc;
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(NULL, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  };
  // Every page fills the tab control below the tabs, 2 pixels in.
  auto expectPagesInside = [&]() {
    const RECT area = inDialog(control);
    RECT item;
    ::SendMessage(control, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    for (auto& tab : tabs) {
      const RECT page = inDialog(tab->Window());
      EXPECT_EQ(page.left, area.left + 2);
      EXPECT_EQ(page.top, area.top + item.bottom + 2);
      EXPECT_EQ(page.right, area.right - 2);
      EXPECT_EQ(page.bottom, area.bottom - 2);
    }
  };
  expectPagesInside();
  const RECT control0 = inDialog(control), close0 = inDialog(close);
  RECT frame;
  ::GetWindowRect(dlg, &frame);
  ::SetWindowPos(dlg, NULL, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages();
  const RECT control1 = inDialog(control), close1 = inDialog(close);
  EXPECT_EQ(control1.right - control0.right, 100) << "the tab control takes the new width";
  EXPECT_EQ(control1.bottom - control0.bottom, 50);
  EXPECT_EQ(close1.left - close0.left, 100) << "the button keeps to the bottom-right corner";
  EXPECT_EQ(close1.top - close0.top, 50);
  expectPagesInside();
  tabs.clear();
}

// ---------------------------------------------------------------------------------------------
// Counts in a byte

TEST_F(TabDialog, A256thPageIsRefusedAndTheCountStays255) {
  TestDialog dialog(false, 0);
  ASSERT_TRUE(dialog.CreatePlatform(false));
  CGUITabDialog& platform = *dialog.GetPlatformTabDialog();
  std::vector<std::unique_ptr<CGUITab>> pages;
  for (int i = 0; i < 255; ++i) pages.push_back(std::make_unique<CGUITab>(IDD_PAGE_EX, &platform, -1));
  EXPECT_EQ(platform.CountTabs(), 255);
  auto extra = std::make_unique<CGUITab>(IDD_PAGE_EX, &platform, -1);
  EXPECT_EQ(platform.CountTabs(), 255);
  EXPECT_EQ(platform.FindTabIndex(extra.get()), -1);
  EXPECT_EQ(extra->GetTabDialog(), nullptr);
  EXPECT_EQ(platform.InsertTab(extra.get(), 0), -1);
  EXPECT_EQ(dialog.CountTabs(), 255) << "not wrapped to 0";
  extra.reset();
  pages.clear();
  EXPECT_EQ(platform.CountTabs(), 0);
}

TEST_F(TabDialog, AStoredActiveTabIsCheckedAgainstThePagesBeforeItIsNarrowed) {
  const char* key = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\TabDialogTest";
  struct Case {
    const char* what;
    unsigned long stored;
    bool restored;
    int current;
  } const cases[] = {
      {"a page's index", 2, true, 2},
      {"256 names no page (and is not page 0)", 256, false, 1},
      {"3 names no page of three", 3, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenTabs open({IDD_PAGE_EX, IDD_PAGE_EX, IDD_PAGE_EX});
    ASSERT_EQ(open.run, 0);
    open.dialog.SetRestoreActiveTab(1);
    open.dialog.SetCurrentTabByIndex(1);
    ASSERT_GE(SetUserKeyDWORDValue(key, "Active Tab", c.stored), 0);
    EXPECT_EQ(open.dialog.OnRestoreUserPrefs(key), c.restored);
    EXPECT_EQ(open.Platform().GetCurrentTabIndex(), c.current);
  }
  // Saving writes the current index.
  OpenTabs open({IDD_PAGE_EX, IDD_PAGE_EX});
  open.dialog.SetCurrentTabByIndex(1);
  ASSERT_TRUE(open.dialog.OnSaveUserPrefs(key));
  unsigned long stored = 0;
  ASSERT_GE(GetKeyDWORDValue(key, "Active Tab", stored), 0);
  EXPECT_EQ(stored, 1u);
  QvString expanded;
  if (ExpandConfigurationKey(key, expanded)) RegDeleteTreeA(HKEY_CURRENT_USER, expanded.c_str());
}

// ---------------------------------------------------------------------------------------------
// Start-up failures of a modal run

// Cancels the running dialog from a timer once it shows, noting which of its pages had
// windows then.
class CancelWhenShown {
 public:
  CancelWhenShown(TestDialog& dialog, std::vector<TestTab*> tabs) : m_dialog(dialog), m_tabs(std::move(tabs)) {
    s_current = this;
    m_timer = ::SetTimer(NULL, 0, 20, &CancelWhenShown::Tick);
  }
  ~CancelWhenShown() {
    ::KillTimer(NULL, m_timer);
    s_current = nullptr;
  }
  std::vector<bool> pagesSeen;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_current) s_current->Step();
  }
  void Step() {
    HWND dlg = m_dialog.Window();
    if (!dlg || !::IsWindowVisible(dlg) || !pagesSeen.empty()) return;
    for (TestTab* tab : m_tabs) pagesSeen.push_back(::IsWindow(tab->Window()) && ::GetParent(tab->Window()) == dlg);
    ::PostMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  static inline CancelWhenShown* s_current = nullptr;
  TestDialog& m_dialog;
  std::vector<TestTab*> m_tabs;
  UINT_PTR m_timer = 0;
};

TEST_F(TabDialog, AModalTabDialogRunsAgainWithItsPages) {
  TestDialog dialog(true, 0);
  ASSERT_TRUE(dialog.CreatePlatform(false));
  TestTab first(&dialog, IDD_PAGE_EX, 0, nullptr), second(&dialog, IDD_PAGE_PLAIN, 1, nullptr);
  first.Init();
  second.Init();
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "first run" : "second run");
    CancelWhenShown cancel(dialog, {&first, &second});
    EXPECT_EQ(dialog.Run(), IDCANCEL);
    EXPECT_EQ(cancel.pagesSeen, (std::vector<bool>{true, true}));
    EXPECT_EQ(first.inits, run + 1);
    EXPECT_EQ(second.inits, run + 1);
  }
}

TEST_F(TabDialog, AFailedStartUpStopsAtOnceAndClosesOnce) {
  struct Case {
    const char* what;
    std::function<bool(TestDialog&)> init;
    unsigned short page;
    short result;
    int inits, pageInits;
  } const cases[] = {
      {"OnInit answers false", [](TestDialog&) { return false; }, IDD_PAGE_EX, -1, 1, 0},
      {"OnInit terminates with 7", [](TestDialog& d) { d.Terminate(7); return true; }, IDD_PAGE_EX, 7, 1, 0},
      {"a page template that is missing", {}, IDD_PAGE_MISSING, -1, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestDialog dialog(true, 0);
    dialog.init = c.init;
    ASSERT_TRUE(dialog.CreatePlatform(false));
    std::vector<std::string> log;
    TestTab tab(&dialog, c.page, 0, &log);
    tab.Init();
    testing_support::ModalGuard guard(500);
    EXPECT_EQ(dialog.Run(), c.result);
    EXPECT_EQ(dialog.inits, c.inits);
    EXPECT_EQ(dialog.terminations, 1);
    EXPECT_EQ(tab.inits, c.pageInits) << "no page is made after a failure";
    EXPECT_EQ(dialog.Window(), static_cast<HWND>(NULL));
    EXPECT_FALSE(::IsWindow(tab.Window()));
  }
}

}  // namespace
