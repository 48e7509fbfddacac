// The portable wizard: its buttons on the first, middle and last pages, where the pages and the
// picture strip sit, the moves over Next and Back with the pages' answers, pages chained in while
// it runs, the layout of a page's controls, its start-up failures, and the palette of its
// pictures.
#include <GUIRichText.h>
#include <GUIWizardDialog.h>
#include <QvControls.h>
#include <QvRichText.h>
#include <QvWizard.h>
#include <commctrl.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <vekkel.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dib_canvas.h"
#include "modal_guard.h"
#include "recorder.h"
#include "test_support.h"
#include "while_shown.h"
#include "wizard_ids.h"

using testing_support::DibCanvas;
using testing_support::PumpMessages;

namespace {

using Log = std::vector<std::string>;

// A page: notes in the shared log what the wizard tells and asks it.
class TestPage : public QvWizardPage {
 public:
  TestPage(unsigned short templateId, int number, Log* log) : QvWizardPage(templateId), m_number(number), m_log(log) {}
  bool OnInit() override {
    ++inits;
    return init;
  }
  void OnActivate(QvWizardActivation a) override { Note("show", a); }
  void OnDeactivate(QvWizardActivation a) override { Note("hide", a); }
  bool IsOkToGoNext() override { return mayNext; }
  bool IsOkToGoBack() override { return mayBack; }
  bool IsOkToCancel() override {
    Note("cancel?", -1);
    return mayCancel;
  }
  bool IsOkToTerminate() override {
    HWND wizard = GetWizard() && GetWizard()->GetMFCCWnd() ? GetWizard()->GetMFCCWnd()->m_hWnd : NULL;
    wizardShownWhenAsked = ::IsWindowVisible(wizard) != FALSE;
    Note("finish?", -1);
    return mayFinish && QvWizardPage::IsOkToTerminate();
  }
  // The page's own button gives up: the wizard's Cancel from a page's handler.
  bool OnControlNotification(QvControlNotification& n) override {
    if (n.m_controlID == IDC_PAGE_BUTTON && n.m_code == 300) {
      Cancel();
      return true;
    }
    return QvWizardPage::OnControlNotification(n);
  }
  HWND Window() const { return GetMFCCWnd() ? GetMFCCWnd()->m_hWnd : NULL; }

  bool init = true, mayNext = true, mayBack = true, mayFinish = true, mayCancel = true;
  bool wizardShownWhenAsked = true;
  int inits = 0;

 private:
  void Note(const char* what, int code) {
    if (m_log) m_log->push_back(std::string(what) + " " + std::to_string(m_number) + (code >= 0 ? " " + std::to_string(code) : ""));
  }
  int m_number;
  Log* m_log;
};

class TestWizard : public QvWizard {
 public:
  TestWizard() { SetTitle("Set-up"); }
  void OnTerminate() override { ++terminations; }
  HWND Window() const { return GetMFCCWnd() ? GetMFCCWnd()->m_hWnd : NULL; }
  int terminations = 0;
};

void Press(HWND dlg, int id) {
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, id)));
}

std::wstring Text(HWND window) {
  wchar_t text[64] = {0};
  ::GetWindowTextW(window, text, 63);
  return text;
}

RECT InClient(HWND parent, HWND child) {
  RECT rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A wizard of pages of the templates given (the picture on the pages marked so), run modally;
// `act` runs once its window shows. A wizard still open after it is cancelled.
struct WizardRun {
  struct PageDef {
    unsigned short templateId;
    unsigned short bitmap;
  };
  explicit WizardRun(std::vector<PageDef> defs) {
    for (size_t i = 0; i < defs.size(); ++i) {
      pages.push_back(std::make_unique<TestPage>(defs[i].templateId, static_cast<int>(i), &log));
      wizard.AddPage(pages.back().get(), defs[i].bitmap);
    }
  }
  short Go(const std::function<void(HWND)>& act) {
    if (!wizard.CreatePlatform(false)) return -100;
    testing_support::WhileShown shown(*wizard.GetMFCCWnd(), [&] {
      act(wizard.Window());
      if (!wizard.IsTerminated() && ::IsWindow(wizard.Window())) Press(wizard.Window(), IDCANCEL);
    });
    testing_support::ModalGuard guard(3000);
    result = wizard.Run();
    acted = shown.ran;
    return result;
  }
  // The pages whose windows are shown, by number.
  std::vector<int> Shown() const {
    std::vector<int> shown;
    for (size_t i = 0; i < pages.size(); ++i)
      if (::IsWindowVisible(pages[i]->Window())) shown.push_back(static_cast<int>(i));
    return shown;
  }
  HWND Button(int id) const { return ::GetDlgItem(wizard.Window(), id); }

  Log log;
  TestWizard wizard;
  std::vector<std::unique_ptr<TestPage>> pages;
  short result = -100;
  bool acted = false;
};

const WizardRun::PageDef kPictured = {IDD_WPAGE, IDB_PICTURE}, kPlain = {IDD_WPAGE, 0};

class Wizard : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
  }
};

// ---------------------------------------------------------------------------------------------
// The buttons

TEST_F(Wizard, TheButtonsSayWhereThePageStands) {
  struct Case {
    const char* what;
    int pages;
    int nexts;  // Next pressed this often after the start
    const wchar_t* next;
    bool back;
  } const cases[] = {
      {"one page: Finish, no Back", 1, 0, L"Finish", false},
      {"the first of three: Begin, no Back", 3, 0, L"Begin >", false},
      {"the middle one: Next and Back", 3, 1, L"Next >", true},
      {"the last one: Finish and Back", 3, 2, L"Finish", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardRun run(std::vector<WizardRun::PageDef>(static_cast<size_t>(c.pages), kPictured));
    run.Go([&](HWND dlg) {
      for (int i = 0; i < c.nexts; ++i) Press(dlg, QvWizard::kNextButton);
      EXPECT_EQ(run.wizard.GetCurrentIndex(), c.nexts);
      EXPECT_EQ(Text(run.Button(QvWizard::kNextButton)), c.next);
      EXPECT_TRUE(::IsWindowEnabled(run.Button(QvWizard::kNextButton)));
      EXPECT_EQ(::IsWindowVisible(run.Button(QvWizard::kBackButton)) != FALSE, c.back);
      EXPECT_EQ(::IsWindowEnabled(run.Button(QvWizard::kBackButton)) != FALSE, c.back);
      EXPECT_EQ(Text(run.Button(QvWizard::kBackButton)), L"< Back");
      EXPECT_EQ(Text(run.Button(QvWizard::kCancelButton)), L"Cancel");
      EXPECT_FALSE(::IsWindowVisible(run.Button(QvWizard::kExtraButton))) << "the fourth button waits for a page";
      EXPECT_FALSE(::IsWindowVisible(run.Button(QvWizard::kCheckBox)));
      EXPECT_EQ(Text(dlg), L"Set-up") << "the pages take the wizard's title";
      EXPECT_EQ(LOWORD(::SendMessage(dlg, DM_GETDEFID, 0, 0)), QvWizard::kNextButton);
    });
    EXPECT_TRUE(run.acted);
    EXPECT_EQ(run.result, 2) << "cancelled";
  }
}

TEST_F(Wizard, APageChangesItsButtonsAndTheCheckBox) {
  WizardRun run({kPictured, kPictured});
  run.Go([&](HWND) {
    TestPage& page = *run.pages[0];
    page.ChangeButton(QvWizardPage::kSlotExtra, QvWizardPage::kShown, "Details");
    page.ChangeButton(QvWizardPage::kSlotNext, QvWizardPage::kDisabled);
    HWND extra = run.Button(QvWizard::kExtraButton), next = run.Button(QvWizard::kNextButton);
    EXPECT_TRUE(::IsWindowVisible(extra));
    EXPECT_EQ(Text(extra), L"Details");
    EXPECT_TRUE(::IsWindowVisible(next));
    EXPECT_FALSE(::IsWindowEnabled(next));
    EXPECT_EQ(Text(next), L"Begin >") << "an empty text keeps the one before";

    page.ShowCheckBox(true, true, "Remember");
    HWND box = run.Button(QvWizard::kCheckBox);
    EXPECT_TRUE(::IsWindowVisible(box));
    EXPECT_EQ(Text(box), L"Remember");
    EXPECT_TRUE(page.IsChecked());
    page.ShowCheckBox(false, false, "");
    EXPECT_FALSE(::IsWindowVisible(box));
    EXPECT_FALSE(page.IsChecked());
    EXPECT_EQ(Text(box), L"Remember");

    // Frozen, every button is disabled; thawed, each shows its state again and the focus goes
    // back to the button that had it.
    ::SetFocus(run.Button(QvWizard::kCancelButton));
    page.Freeze(true);
    for (int id : {QvWizard::kExtraButton, QvWizard::kBackButton, QvWizard::kNextButton, QvWizard::kCancelButton})
      EXPECT_FALSE(::IsWindowEnabled(run.Button(id))) << id;
    ::SetFocus(run.pages[0]->Window());
    page.Freeze(false);
    EXPECT_TRUE(::IsWindowEnabled(extra));
    EXPECT_FALSE(::IsWindowEnabled(next));
    EXPECT_TRUE(::IsWindowEnabled(run.Button(QvWizard::kCancelButton)));
    EXPECT_FALSE(::IsWindowVisible(run.Button(QvWizard::kBackButton)));
    EXPECT_EQ(::GetFocus(), run.Button(QvWizard::kCancelButton));

    // The second page keeps its own states for when it shows: the buttons stay the first's.
    run.pages[1]->ChangeButton(QvWizardPage::kSlotExtra, QvWizardPage::kHidden, "Other");
    EXPECT_TRUE(::IsWindowVisible(extra));
    EXPECT_EQ(Text(extra), L"Details");
  });
  EXPECT_EQ(run.result, 2);
}

// ---------------------------------------------------------------------------------------------
// Where the pages, the picture and the buttons sit

TEST_F(Wizard, APageWithoutAPictureStartsAtSixAndIs181PixelsWider) {
  struct Case {
    const char* what;
    WizardRun::PageDef first, second;
  } const cases[] = {
      {"pages of the starting size", kPictured, kPlain},
      {"a wide page beside the picture", {IDD_WPAGE_WIDE, IDB_PICTURE}, kPlain},
      {"a wide page without it", kPictured, {IDD_WPAGE_WIDE, 0}},
      {"a tall page", {IDD_WPAGE_TALL, IDB_PICTURE}, kPlain},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardRun run({c.first, c.second});
    run.Go([&](HWND dlg) {
      // The sizes: the starting ones, grown to every control of every page.
      int pageWidth = QvWizard::kPageWidth, pageHeight = QvWizard::kPageHeight, dialogWidth = QvWizard::kDialogWidth;
      for (auto& page : run.pages) {
        const int extra = page->GetBitmapID() ? 201 : 26;
        for (HWND child = ::GetWindow(page->Window(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
          const RECT rc = InClient(page->Window(), child);
          pageWidth = std::max<int>(pageWidth, rc.right);
          pageHeight = std::max<int>(pageHeight, rc.bottom);
          dialogWidth = std::max<int>(dialogWidth, rc.right + extra);
        }
      }
      EXPECT_EQ(run.wizard.GetPageWidth(), pageWidth);
      EXPECT_EQ(run.wizard.GetPageHeight(), pageHeight);
      EXPECT_EQ(run.wizard.GetDialogWidth(), dialogWidth);
      EXPECT_EQ(run.wizard.GetDialogHeight(), pageHeight + 54);

      const RECT beside = InClient(dlg, run.pages[0]->Window()), over = InClient(dlg, run.pages[1]->Window());
      EXPECT_TRUE(SameRect(beside, RECT{187, 8, 187 + pageWidth, 8 + pageHeight}))
          << testing_support::RectText(beside);
      EXPECT_TRUE(SameRect(over, RECT{6, 8, 6 + pageWidth + 181, 8 + pageHeight})) << testing_support::RectText(over);
      RECT frame;
      ::GetWindowRect(dlg, &frame);
      EXPECT_EQ(frame.right - frame.left, dialogWidth);
      EXPECT_EQ(frame.bottom - frame.top, pageHeight + 54 + ::GetSystemMetrics(SM_CYCAPTION));
    });
    EXPECT_TRUE(run.acted);
  }
}

TEST_F(Wizard, TheButtonRowSitsAtTheBottomCloseToTheEdges) {
  WizardRun run({kPictured, kPictured});
  run.Go([&](HWND dlg) {
    RECT client;
    ::GetClientRect(dlg, &client);
    const RECT cancel = InClient(dlg, run.Button(QvWizard::kCancelButton));
    const RECT next = InClient(dlg, run.Button(QvWizard::kNextButton));
    const RECT back = InClient(dlg, run.Button(QvWizard::kBackButton));
    EXPECT_EQ(cancel.right, client.right - 4);
    EXPECT_EQ(next.right, cancel.left - 15);
    EXPECT_EQ(back.right, next.left - 3);
    for (int id : {QvWizard::kCancelButton, QvWizard::kNextButton, QvWizard::kBackButton, QvWizard::kExtraButton,
                   QvWizard::kCheckBox}) {
      SCOPED_TRACE(id);
      const RECT rc = InClient(dlg, run.Button(id));
      EXPECT_EQ(rc.top, client.bottom - 27);
      EXPECT_EQ(rc.bottom, client.bottom - 4);
      if (id == QvWizard::kExtraButton || id == QvWizard::kCheckBox) {
        EXPECT_EQ(rc.left, 4);
      }
    }
    EXPECT_GT(back.left, InClient(dlg, run.Button(QvWizard::kExtraButton)).right) << "the row does not overlap";
  });
  EXPECT_TRUE(run.acted);
}

// The wizard's own painting, through WM_PRINTCLIENT into a DIB: the bands round the pages in
// the button face colour, the picture (red above, blue below) stretched into the strip; on a
// page taller than the picture, the picture centred between white and framed.
TEST_F(Wizard, ThePictureStripShowsThePictureOfTheCurrentPage) {
  struct Case {
    const char* what;
    WizardRun::PageDef page;
  } const cases[] = {{"a page of the picture's height", kPictured}, {"a tall page", {IDD_WPAGE_TALL, IDB_PICTURE}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardRun run({c.page, kPlain});
    run.Go([&](HWND dlg) {
      RECT client;
      ::GetClientRect(dlg, &client);
      DibCanvas canvas(client.right, client.bottom, RGB(1, 2, 3));
      ASSERT_TRUE(canvas.valid());
      ::SendMessage(dlg, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
      const int ph = run.wizard.GetPageHeight();
      const int top = ph >= 296 ? 8 + (ph - 295) / 2 : 8;
      const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
      EXPECT_EQ(canvas.CountOtherThan(RGB(255, 0, 0), RECT{7, top + 1, 180, top + 140}), 0);
      EXPECT_EQ(canvas.CountOtherThan(RGB(0, 0, 255), RECT{7, top + 155, 180, top + 294}), 0);
      EXPECT_EQ(canvas.CountOtherThan(face, RECT{0, 0, client.right, 8}), 0) << "the band above";
      EXPECT_EQ(canvas.CountOtherThan(face, RECT{0, 8, 6, ph + 8}), 0) << "the band at the left";
      EXPECT_EQ(canvas.CountOtherThan(face, RECT{181, 8, 187, ph + 8}), 0) << "between picture and page";
      EXPECT_EQ(canvas.CountOtherThan(face, RECT{0, ph + 8, client.right, ph + 16}), 0) << "the band below";
      if (ph >= 296) {
        EXPECT_EQ(canvas.CountOtherThan(RGB(255, 255, 255), RECT{8, 10, 179, top}), 0) << "white above";
        EXPECT_EQ(canvas.CountOtherThan(RGB(255, 255, 255), RECT{8, top + 295, 179, ph + 6}), 0) << "white below";
        EXPECT_EQ(canvas.At(6, top - 2), ::GetSysColor(COLOR_3DDKSHADOW)) << "the sunken frame";
      }

      // The second page has no picture: it covers the strip, which keeps the picture until a
      // picture is set again.
      Press(dlg, QvWizard::kNextButton);
      EXPECT_EQ(run.wizard.GetPlatformWizard()->GetPictureID(), 0);
      canvas.Fill(RGB(1, 2, 3));
      ::SendMessage(dlg, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
      EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0)), 0);
      Press(dlg, QvWizard::kBackButton);
      EXPECT_EQ(run.wizard.GetPlatformWizard()->GetPictureID(), IDB_PICTURE);
    });
    EXPECT_TRUE(run.acted);
  }
}

TEST_F(Wizard, PageWindowsAreChildrenOfTheWizardOnItsBackground) {
  WizardRun run({kPictured, {IDD_WPAGE_TALL, 0}});
  run.Go([&](HWND dlg) {
    for (auto& page : run.pages) {
      const DWORD style = static_cast<DWORD>(::GetWindowLong(page->Window(), GWL_STYLE));
      EXPECT_EQ(style & (WS_CHILD | WS_POPUP | WS_CAPTION), DWORD{WS_CHILD});
      EXPECT_EQ(::GetParent(page->Window()), dlg);
      EXPECT_EQ(page->inits, 1);
    }
    // A page erases with the wizards' background.
    RECT rc;
    ::GetClientRect(run.pages[0]->Window(), &rc);
    DibCanvas canvas(rc.right, rc.bottom, RGB(1, 2, 3));
    ::SendMessage(run.pages[0]->Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    EXPECT_EQ(canvas.CountOf(::GetSysColor(COLOR_BTNFACE)), rc.right * rc.bottom);
  });
  EXPECT_TRUE(run.acted);
}

// ---------------------------------------------------------------------------------------------
// Moving over Next and Back

TEST_F(Wizard, NextAndBackTellThePagesWhereTheyGo) {
  WizardRun run({kPictured, kPlain, kPictured});
  run.Go([&](HWND dlg) {
    EXPECT_EQ(run.log, (Log{"show 0 0"}));
    EXPECT_EQ(run.Shown(), std::vector<int>{0});
    struct Step {
      int button;
      Log log;
      int current;
    } const steps[] = {
        {QvWizard::kNextButton, {"hide 0 1", "show 1 2"}, 1},
        {QvWizard::kNextButton, {"hide 1 1", "show 2 2"}, 2},
        {QvWizard::kBackButton, {"hide 2 2", "show 1 1"}, 1},
        {QvWizard::kBackButton, {"hide 1 2", "show 0 1"}, 0},
    };
    for (const Step& s : steps) {
      run.log.clear();
      Press(dlg, s.button);
      EXPECT_EQ(run.log, s.log);
      EXPECT_EQ(run.wizard.GetCurrentIndex(), s.current);
      EXPECT_EQ(run.Shown(), std::vector<int>{s.current});
    }
  });
  EXPECT_EQ(run.result, 2);
}

// Next from page 0 to page 1, the focus in page 0's field: the messages both pages get
// (painting left out). The focus passes the Next button and rests on the wizard, so that
// neither page sees it.
const testing_support::ExpectedMsg kNextFromFirst[] = {
    // page 0 is hidden
    {WM_SHOWWINDOW, testing_support::kSent | testing_support::kWparam, FALSE, 0},
    {WM_WINDOWPOSCHANGING, testing_support::kSent, 0, 0},
    {WM_WINDOWPOSCHANGED, testing_support::kSent, 0, 0},
    // then page 1 is shown
    {WM_SHOWWINDOW, testing_support::kSent | testing_support::kWparam, TRUE, 0},
    {WM_WINDOWPOSCHANGING, testing_support::kSent, 0, 0},
    {WM_WINDOWPOSCHANGED, testing_support::kSent, 0, 0},
    {0, 0, 0, 0},
};

TEST_F(Wizard, NextHidesTheOldPageBeforeTheNewOneShows) {
  using namespace testing_support;
  WizardRun run({kPictured, kPictured});
  run.Go([&](HWND dlg) {
    HWND first = run.pages[0]->Window(), second = run.pages[1]->Window();
    SubclassedControl a(first), b(second);
    Recorder().UnwatchAll();
    Recorder().Watch(first);
    Recorder().Watch(second);
    const UINT painting[] = {WM_PAINT, WM_ERASEBKGND, WM_NCPAINT, WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORBTN,
                             WM_CTLCOLORDLG, WM_GETTEXT, WM_GETTEXTLENGTH};
    for (UINT m : painting) Recorder().Ignore(m);
    Recorder().Reset();
    Press(dlg, QvWizard::kNextButton);
    Recorder().Pump();
    EXPECT_TRUE(Recorder().Matches(kNextFromFirst));
    for (UINT m : painting) Recorder().Unignore(m);
    Recorder().UnwatchAll();
    EXPECT_EQ(run.Shown(), std::vector<int>{1});
  });
  EXPECT_TRUE(run.acted);
}

TEST_F(Wizard, APageThatRefusesKeepsTheWizardWhereItIs) {
  struct Case {
    const char* what;
    bool mayNext, mayBack;
    int start;   // Next pressed this often first (all allowed)
    int button;  // then this
    int current;
  } const cases[] = {
      {"a refusal blocks Next", false, true, 0, QvWizard::kNextButton, 0},
      {"a refusal blocks Back", true, false, 1, QvWizard::kBackButton, 1},
      {"Back on the first page goes nowhere", true, true, 0, QvWizard::kBackButton, 0},
      {"allowed: Next", true, true, 0, QvWizard::kNextButton, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardRun run({kPictured, kPictured, kPictured});
    run.Go([&](HWND dlg) {
      for (int i = 0; i < c.start; ++i) Press(dlg, QvWizard::kNextButton);
      TestPage& page = *run.pages[static_cast<size_t>(c.start)];
      page.mayNext = c.mayNext;
      page.mayBack = c.mayBack;
      run.log.clear();
      // Back on the first page is hidden: it is asked of the wizard directly.
      if (c.button == QvWizard::kBackButton && c.start == 0)
        EXPECT_FALSE(run.wizard.Back());
      else
        Press(dlg, c.button);
      EXPECT_EQ(run.wizard.GetCurrentIndex(), c.current);
      EXPECT_EQ(run.Shown(), std::vector<int>{c.current});
      EXPECT_EQ(run.log.empty(), c.current == c.start) << "a page that stays is not told anything";
    });
    EXPECT_EQ(run.result, 2);
  }
}

TEST_F(Wizard, FinishAsksTheLastPageAndARefusalBringsTheWizardBackInPlace) {
  WizardRun run({kPictured, kPictured});
  run.pages[1]->mayFinish = false;
  RECT before = {0, 0, 0, 0};
  run.Go([&](HWND dlg) {
    Press(dlg, QvWizard::kNextButton);
    ::SetWindowPos(dlg, NULL, 33, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::GetWindowRect(dlg, &before);
    run.log.clear();
    Press(dlg, QvWizard::kNextButton);
    EXPECT_EQ(run.log, (Log{"finish? 1"}));
    EXPECT_FALSE(run.pages[1]->wizardShownWhenAsked) << "hidden while the page is asked";
    EXPECT_TRUE(::IsWindowVisible(dlg));
    RECT after;
    ::GetWindowRect(dlg, &after);
    EXPECT_TRUE(SameRect(before, after)) << testing_support::RectText(after);
    EXPECT_FALSE(run.wizard.IsTerminated());
    EXPECT_EQ(run.wizard.GetCurrentIndex(), 1);

    run.pages[1]->mayFinish = true;
    Press(dlg, QvWizard::kNextButton);
    EXPECT_TRUE(run.wizard.IsTerminated());
  });
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.wizard.terminations, 1);
  EXPECT_EQ(run.wizard.Window(), static_cast<HWND>(NULL));
}

// Enter and Escape in a page act as the wizard's Next and Cancel, unless that button is
// disabled: then the key is the page's own (a dialog's Enter, which reaches no wizard button).
TEST_F(Wizard, EnterAndEscapeInAPageReachTheWizardsButtons) {
  struct Case {
    const char* what;
    WPARAM key;
    bool nextDisabled;
    int current;
    bool terminated;
    Log log;
  } const cases[] = {
      {"Enter: Next", VK_RETURN, false, 1, false, {"hide 0 1", "show 1 2"}},
      {"Escape: Cancel", VK_ESCAPE, false, 0, true, {"cancel? 0"}},
      {"Enter with Next disabled stays in the page", VK_RETURN, true, 0, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardRun run({kPictured, kPictured});
    run.Go([&](HWND) {
      if (c.nextDisabled) run.pages[0]->ChangeButton(QvWizardPage::kSlotNext, QvWizardPage::kDisabled);
      run.log.clear();
      MSG msg = {::GetDlgItem(run.pages[0]->Window(), IDC_FIELD), WM_KEYDOWN, c.key, 1, 0, {0, 0}};
      run.pages[0]->GetPlatformDialog()->PreTranslateMessage(&msg);
      EXPECT_EQ(run.wizard.GetCurrentIndex(), c.current);
      EXPECT_EQ(run.wizard.IsTerminated(), c.terminated);
      EXPECT_EQ(run.log, c.log);
    });
    EXPECT_EQ(run.result, 2);
  }
}

// Every way to cancel asks the current page (Escape in a page: above); a refusal keeps the
// wizard open.
TEST_F(Wizard, EveryWayToCancelAsksThePage) {
  struct Case {
    const char* what;
    std::function<void(HWND dlg)> act;
  } const ways[] = {
      {"the Cancel button", [](HWND dlg) { Press(dlg, IDCANCEL); }},
      {"Escape in the wizard", [](HWND dlg) { ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }},
      // The close box: the dialog posts itself Cancel's command.
      {"the close box",
       [](HWND dlg) {
         ::SendMessage(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
         PumpMessages();
       }},
  };
  for (const Case& way : ways)
    for (bool may : {false, true}) {
      SCOPED_TRACE(std::string(way.what) + (may ? ", allowed" : ", refused"));
      WizardRun run({kPictured, kPictured});
      run.pages[0]->mayCancel = may;
      run.Go([&](HWND dlg) {
        way.act(dlg);
        EXPECT_EQ(run.log, (Log{"show 0 0", "cancel? 0"}));
        EXPECT_EQ(run.wizard.IsTerminated(), may);
        run.pages[0]->mayCancel = true;  // the run's own Cancel afterwards
      });
      EXPECT_EQ(run.result, 2);
      EXPECT_EQ(run.wizard.terminations, 1);
    }
}

TEST_F(Wizard, CancelFromAPagesOwnButtonClosesTheWizard) {
  WizardRun run({kPictured, kPictured});
  run.Go([&](HWND) {
    HWND give = ::GetDlgItem(run.pages[0]->Window(), IDC_PAGE_BUTTON);
    ::SendMessage(run.pages[0]->Window(), WM_COMMAND, MAKEWPARAM(IDC_PAGE_BUTTON, BN_CLICKED),
                  reinterpret_cast<LPARAM>(give));
    EXPECT_TRUE(run.wizard.IsTerminated());
  });
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(run.wizard.terminations, 1);
}

// ---------------------------------------------------------------------------------------------
// Pages chained in while the wizard runs

TEST_F(Wizard, APageAddedWhileRunningBecomesTheNextAndTheLast) {
  WizardRun run({kPictured, kPictured});
  TestPage added(IDD_WPAGE, 2, &run.log);
  run.Go([&](HWND dlg) {
    // While page 0 shows, page 2 follows page 1: the buttons stay those of page 0.
    run.wizard.AddPageDynamique(run.pages[1].get(), &added, 0);
    EXPECT_EQ(run.wizard.GetPageCount(), 3);
    EXPECT_EQ(Text(run.Button(QvWizard::kNextButton)), L"Begin >");
    ASSERT_TRUE(::IsWindow(added.Window()));
    EXPECT_FALSE(::IsWindowVisible(added.Window()));
    EXPECT_TRUE(SameRect(InClient(dlg, added.Window()),
                         RECT{6, 8, 6 + run.wizard.GetPageWidth() + 181, 8 + run.wizard.GetPageHeight()}));
    EXPECT_EQ(run.pages[1]->GetNextPage(), &added);
    EXPECT_FALSE(run.pages[1]->GetTerminate());
    EXPECT_TRUE(added.GetTerminate());

    Press(dlg, QvWizard::kNextButton);
    EXPECT_EQ(Text(run.Button(QvWizard::kNextButton)), L"Next >") << "page 1 is no longer the last";
    Press(dlg, QvWizard::kNextButton);
    EXPECT_EQ(run.wizard.GetCurrentIndex(), 2);
    EXPECT_EQ(Text(run.Button(QvWizard::kNextButton)), L"Finish");
    EXPECT_EQ(added.GetBackPage(), run.pages[1].get());

    // A page that leads to itself disables Next.
    added.SetNextPage(&added);
    EXPECT_FALSE(::IsWindowEnabled(run.Button(QvWizard::kNextButton)));
    added.SetTerminate(true);
    Press(dlg, QvWizard::kNextButton);
  });
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.log.back(), "finish? 2");
}

TEST_F(Wizard, APageThatCannotBeMadeWhileRunningLeavesTheChainAsItWas) {
  WizardRun run({kPictured, kPictured});
  TestPage broken(IDD_WPAGE_MISSING, 2, &run.log);
  run.Go([&](HWND dlg) {
    Press(dlg, QvWizard::kNextButton);
    run.wizard.AddPageDynamique(run.pages[1].get(), &broken, 0);
    EXPECT_EQ(run.wizard.GetPageCount(), 2);
    EXPECT_EQ(broken.GetWizard(), nullptr);
    EXPECT_TRUE(run.pages[1]->GetTerminate());
    EXPECT_EQ(run.pages[1]->GetNextPage(), run.pages[1].get());
    EXPECT_EQ(Text(run.Button(QvWizard::kNextButton)), L"Finish");
  });
  EXPECT_EQ(run.result, 2);
}

// A wizard run again works on the windows of its new run.
TEST_F(Wizard, AWizardRunsAgainWithItsPages) {
  WizardRun run({kPictured, kPictured});
  for (int time = 0; time < 2; ++time) {
    SCOPED_TRACE(time);
    run.Go([&](HWND dlg) {
      EXPECT_FALSE(::IsWindowVisible(run.Button(QvWizard::kBackButton)));
      EXPECT_EQ(Text(run.Button(QvWizard::kNextButton)), L"Begin >");
      run.pages[0]->ShowCheckBox(true, true, "Again");
      EXPECT_TRUE(::IsWindowVisible(run.Button(QvWizard::kCheckBox)));
      EXPECT_TRUE(run.pages[0]->IsChecked());
      Press(dlg, QvWizard::kNextButton);
      EXPECT_TRUE(::IsWindowVisible(run.Button(QvWizard::kBackButton)));
      EXPECT_EQ(Text(run.Button(QvWizard::kNextButton)), L"Finish");
      EXPECT_EQ(run.Shown(), std::vector<int>{1});
    });
    EXPECT_EQ(run.result, 2);
    EXPECT_EQ(run.pages[0]->inits, time + 1);
  }
}

// ---------------------------------------------------------------------------------------------
// The layout of a page's controls

// A page of labels and a field laid out by SetLook.
class LookPage : public TestPage {
 public:
  LookPage() : TestPage(IDD_WPAGE_LOOK, 0, nullptr) {}
  bool OnInit() override {
    bool bound = GetControlFromID(title, IDC_TITLE, 0) && GetControlFromID(body, IDC_BODY, 0) &&
                 GetControlFromID(bullet, IDC_BULLET, 0) && GetControlFromID(emphasis, IDC_EMPHASIS, 0) &&
                 GetControlFromID(field, IDC_FIELD, 0) && GetControlFromID(note, IDC_NOTE, 0);
    if (!bound) return false;
    title->SetStyle(CGUIRichText::kTitle);
    body->SetStyle(CGUIRichText::kBody);
    bullet->SetStyle(CGUIRichText::kBullet);
    emphasis->SetStyle(CGUIRichText::kEmphasis);
    return true;
  }
  QvRichText *title = nullptr, *body = nullptr, *bullet = nullptr, *emphasis = nullptr;
  QvEditText* field = nullptr;
  QvStaticText* note = nullptr;
};

TEST_F(Wizard, SetLookStacksTheControlsOfAPage) {
  TestWizard wizard;
  LookPage page;
  wizard.AddPage(&page, IDB_PICTURE);
  ASSERT_TRUE(wizard.CreatePlatform(false));
  bool acted = false;
  testing_support::WhileShown shown(*wizard.GetMFCCWnd(), [&] {
    acted = true;
    HWND p = page.Window();
    auto rect = [&](QvControl* c) { return InClient(p, c->GetPlatformWindow()); };
    const RECT noteStart = rect(page.note), fieldStart = rect(page.field);
    page.SetLook(nullptr);
    page.SetLook(page.title);
    const RECT title = rect(page.title);
    page.SetLook(page.body);
    page.SetLook(page.bullet);
    page.SetLook(page.emphasis);
    page.SetLook(page.field, page.note);
    const RECT body = rect(page.body), bullet = rect(page.bullet), emphasis = rect(page.emphasis);
    const RECT field = rect(page.field), note = rect(page.note);
    struct Expect {
      const char* what;
      RECT got;
      int left, top;
    } const expected[] = {
        {"the first stays", title, title.left, title.top},
        {"body: 14 in, 5 below", body, title.left + 14, title.bottom + 5},
        {"bullet: 14 in, 12 below", bullet, title.left + 14, body.bottom + 12},
        {"emphasis: 14 in, 12 below", emphasis, title.left + 14, bullet.bottom + 12},
        {"another control: 31 in, 3 below", field, title.left + 31, emphasis.bottom + 3},
        {"its partner moves with it", note, noteStart.left + (field.left - fieldStart.left),
         noteStart.top + (field.top - fieldStart.top)},
    };
    for (const Expect& e : expected) {
      SCOPED_TRACE(e.what);
      EXPECT_EQ(e.got.left, e.left);
      EXPECT_EQ(e.got.top, e.top);
    }

    // Each edge of the note aligned on the field's.
    struct Align {
      unsigned short mode;
      std::function<bool(const RECT&, const RECT&)> holds;
    } const aligns[] = {
        {0, [](const RECT& a, const RECT& b) { return a.left == b.left; }},
        {1, [](const RECT& a, const RECT& b) { return a.top == b.top; }},
        {2, [](const RECT& a, const RECT& b) { return a.right == b.right; }},
        {3, [](const RECT& a, const RECT& b) { return a.bottom == b.bottom; }},
    };
    for (const Align& a : aligns) {
      SCOPED_TRACE(a.mode);
      const RECT size = rect(page.note);
      page.SetAlign(a.mode, page.field, page.note);
      const RECT moved = rect(page.note);
      EXPECT_TRUE(a.holds(rect(page.field), moved)) << testing_support::RectText(moved);
      EXPECT_EQ(moved.right - moved.left, size.right - size.left) << "moved, not sized";
    }

    // A control laid out past the page grows the wizard.
    ::SetWindowPos(page.field->GetPlatformWindow(), NULL, 0, 0, 600, 20, SWP_NOMOVE | SWP_NOZORDER);
    page.SetLook(nullptr);
    page.SetLook(page.field);
    const RECT wide = rect(page.field);
    EXPECT_EQ(wizard.GetPageWidth(), wide.right);
    EXPECT_EQ(wizard.GetDialogWidth(), wide.right + 201);
    Press(wizard.Window(), IDCANCEL);
  });
  testing_support::ModalGuard guard(3000);
  EXPECT_EQ(wizard.Run(), 2);
  EXPECT_TRUE(acted);
  EXPECT_TRUE(shown.ran);
}

// ---------------------------------------------------------------------------------------------
// Start-up failures

TEST_F(Wizard, AWizardThatCannotStartAnswersMinusOneAndClosesOnce) {
  struct Case {
    const char* what;
    std::vector<WizardRun::PageDef> pages;
    bool pageInit;
  } const cases[] = {
      {"no pages", {}, true},
      {"a page template that is missing", {kPictured, {IDD_WPAGE_MISSING, 0}}, true},
      {"a page whose OnInit refuses", {kPictured, kPictured}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardRun run(c.pages);
    if (!run.pages.empty()) run.pages.back()->init = c.pageInit;
    EXPECT_EQ(run.Go([](HWND) { ADD_FAILURE() << "the wizard showed"; }), -1);
    EXPECT_FALSE(run.acted);
    EXPECT_EQ(run.wizard.terminations, 1);
    EXPECT_EQ(run.wizard.Window(), static_cast<HWND>(NULL));
    EXPECT_EQ(run.log, Log{}) << "no page was shown";
  }
}

TEST_F(Wizard, APageJoinsOneWizardOnly) {
  TestWizard first, second;
  TestPage page(IDD_WPAGE, 0, nullptr);
  first.AddPage(&page, 0);
  second.AddPage(&page, 0);
  EXPECT_EQ(first.GetPageCount(), 1);
  EXPECT_EQ(second.GetPageCount(), 0);
  EXPECT_EQ(page.GetWizard(), &first);
}

// Either may be deleted first: a wizard gone leaves its pages alone, a page gone leaves an empty
// place that the wizard does not run with.
TEST_F(Wizard, AWizardAndItsPagesMayGoInEitherOrder) {
  TestPage kept(IDD_WPAGE, 0, nullptr);
  {
    TestWizard wizard;
    wizard.AddPage(&kept, 0);
  }
  EXPECT_EQ(kept.GetWizard(), nullptr);
  EXPECT_FALSE(kept.Next());
  EXPECT_EQ(kept.GetNextPage(), nullptr);

  WizardRun run({kPictured, kPictured});
  run.pages[1].reset();
  EXPECT_EQ(run.wizard.GetPageCount(), 2);
  EXPECT_EQ(run.wizard.GetPage(1), nullptr);
  EXPECT_EQ(run.wizard.GetPage(0)->GetNextPage(), nullptr);
  run.pages.pop_back();
  EXPECT_EQ(run.Go([](HWND) { ADD_FAILURE() << "the wizard showed"; }), -1);
}

// ---------------------------------------------------------------------------------------------
// The palette of a picture

// A packed DIB: a header of `headerSize` bytes, `tableBytes` bytes of colour table (entry i
// of colour (i, 2i, 3i)) and 16 bytes of bits.
std::vector<unsigned char> Dib(DWORD headerSize, WORD bits, DWORD used, size_t tableBytes, DWORD compression = BI_RGB) {
  std::vector<unsigned char> b(headerSize + (compression == BI_BITFIELDS ? 12 : 0) + tableBytes + 16, 0);
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER h = {sizeof h, 4, 4, 1, bits};
    memcpy(b.data(), &h, sizeof h);
  } else if (headerSize >= sizeof(BITMAPINFOHEADER)) {
    BITMAPINFOHEADER h = {};
    h.biSize = headerSize;
    h.biWidth = h.biHeight = 4;
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biClrUsed = used;
    h.biCompression = compression;
    memcpy(b.data(), &h, sizeof h);
  } else {
    memcpy(b.data(), &headerSize, 4);
  }
  const size_t entry = headerSize == sizeof(BITMAPCOREHEADER) ? 3 : 4;
  const size_t table = headerSize + (compression == BI_BITFIELDS ? 12 : 0);
  for (size_t i = 0; i * entry + entry <= tableBytes; ++i) {
    b[table + i * entry + 0] = static_cast<unsigned char>(3 * i);  // blue
    b[table + i * entry + 1] = static_cast<unsigned char>(2 * i);  // green
    b[table + i * entry + 2] = static_cast<unsigned char>(i);      // red
  }
  return b;
}

TEST(WizardPalette, TakesAsManyColoursAsThePictureHas) {
  struct Case {
    const char* what;
    std::vector<unsigned char> dib;
    size_t entries;
    size_t cut;  // the block ends here when not 0
  } const cases[] = {
      {"16 colours, the count left to the bits", Dib(40, 4, 0, 64), 16, 0},
      {"16-colour bits with 5 colours used", Dib(40, 4, 5, 20), 5, 0},
      {"2 colours", Dib(40, 1, 0, 8), 2, 0},
      {"256 colours", Dib(40, 8, 0, 1024), 256, 0},
      {"true colour: no table", Dib(40, 24, 0, 0), 0, 0},
      {"true colour with a table of 3", Dib(40, 24, 3, 12), 3, 0},
      {"16-bit masks before a table of 2", Dib(40, 16, 2, 8, BI_BITFIELDS), 2, 0},
      {"an OS/2 header with three-byte entries", Dib(12, 1, 0, 6), 2, 0},
      {"a longer header", Dib(124, 4, 0, 64), 16, 0},
      {"256 colours claimed, 16 in the block", Dib(40, 8, 0, 64 - 16), 0, 0},
      {"more colours claimed than a palette takes, all in the block", Dib(40, 24, 300, 1200), 256, 0},
      {"a count past any block", Dib(40, 8, 0x40000000, 64), 0, 0},
      {"a header cut short", Dib(40, 4, 0, 64), 0, 20},
      {"a table cut short", Dib(40, 4, 0, 64), 0, 40 + 60},
      {"an unknown header size", Dib(20, 4, 0, 64), 0, 0},
      {"empty", {}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<unsigned char> block = c.dib;
    if (c.cut) block.resize(c.cut);
    const std::vector<PALETTEENTRY> entries = DibPaletteEntries(block.data(), block.size());
    ASSERT_EQ(entries.size(), c.entries);
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].peRed, static_cast<BYTE>(i));
      EXPECT_EQ(entries[i].peGreen, static_cast<BYTE>(2 * i));
      EXPECT_EQ(entries[i].peBlue, static_cast<BYTE>(3 * i));
      EXPECT_EQ(entries[i].peFlags, 0);
    }
  }
  EXPECT_TRUE(DibPaletteEntries(nullptr, 100).empty());
}

}  // namespace
