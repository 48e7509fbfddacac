// Property sheets and pages on the system's sheet: modal runs ended from a timer, modeless
// sheets with pages added and removed, the active page, page notifications and the wizards.
#include <gtest/gtest.h>

#include <framework.h>

#include <functional>
#include <vector>

#include "test_support.h"
#include "while_shown.h"

using testing_support::PumpMessages;
using testing_support::WhileShown;

namespace {

class TestPage : public CPropertyPage {
 public:
  explicit TestPage(UINT id) : CPropertyPage(id) {}
  TestPage(UINT id, UINT title, UINT subtitle) : CPropertyPage(id, 0, title, subtitle) {}
  BOOL OnInitDialog() override {
    ++inits;
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    ++activations;
    return CPropertyPage::OnSetActive();
  }
  BOOL OnApply() override {
    ++applies;
    return CPropertyPage::OnApply();
  }
  int inits = 0, activations = 0, applies = 0;
};

struct Pages {
  TestPage general{300}, layout{310}, colours{320};
  void AddTo(CPropertySheet& sheet) {
    sheet.AddPage(&general);
    sheet.AddPage(&layout);
    sheet.AddPage(&colours);
  }
};

int TabItems(CPropertySheet& sheet) {
  CTabCtrl* tab = sheet.GetTabControl();
  return tab != NULL ? static_cast<int>(::SendMessage(tab->m_hWnd, TCM_GETITEMCOUNT, 0, 0)) : -1;
}

TEST(PropertySheet, AModalSheetStartsAtItsPageBindsThePagesAndEndsWithTheButtonPressed) {
  struct Case {
    int button;
    INT_PTR result;
    int appliesOfShownPages;
  };
  for (const Case& c : {Case{PSBTN_OK, IDOK, 1}, Case{PSBTN_CANCEL, IDCANCEL, 0}}) {
    Pages pages;
    CPropertySheet sheet(330, NULL, 1);
    pages.AddTo(sheet);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    WhileShown run(sheet, [&] {
      EXPECT_EQ(sheet.GetActivePage(), &pages.layout);
      EXPECT_EQ(TabItems(sheet), 3);
      ASSERT_NE(pages.layout.m_hWnd, static_cast<HWND>(NULL));
      EXPECT_EQ(CWnd::FromHandlePermanent(pages.layout.m_hWnd), &pages.layout);
      EXPECT_EQ(pages.layout.GetParentSheet(), &sheet);
      EXPECT_NE(::GetDlgItem(pages.layout.m_hWnd, 311), static_cast<HWND>(NULL));
      EXPECT_EQ(pages.general.m_hWnd, static_cast<HWND>(NULL)) << "pages are made when first shown";
      EXPECT_FALSE(sheet.SetActivePage(3));
      EXPECT_TRUE(sheet.SetActivePage(&pages.colours));
      EXPECT_EQ(sheet.GetActiveIndex(), 2);
      EXPECT_EQ(pages.colours.activations, 1);
      TCHAR caption[64] = {};
      ::GetWindowText(sheet.m_hWnd, caption, 64);
      EXPECT_STREQ(caption, _T("Options"));
      sheet.PressButton(c.button);
    });
    EXPECT_EQ(sheet.DoModal(), c.result);
    EXPECT_TRUE(run.ran);
    EXPECT_EQ(sheet.m_hWnd, static_cast<HWND>(NULL));
    EXPECT_EQ(pages.layout.m_hWnd, static_cast<HWND>(NULL));
    EXPECT_EQ(pages.layout.inits, 1);
    EXPECT_EQ(pages.colours.inits, 1);
    EXPECT_EQ(pages.general.inits, 0);
    EXPECT_EQ(pages.layout.applies + pages.colours.applies, 2 * c.appliesOfShownPages);
  }
}

TEST(PropertySheet, EndDialogGivesItsResultToDoModal) {
  Pages pages;
  CPropertySheet sheet(_T("Ended"));
  pages.AddTo(sheet);
  WhileShown run(sheet, [&] { sheet.EndDialog(IDCANCEL); });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_TRUE(run.ran);
}

TEST(PropertySheet, SheetsThatCannotBeMadeFail) {
  CPropertySheet empty(_T("Empty"));
  EXPECT_EQ(empty.DoModal(), -1);
  EXPECT_FALSE(empty.Create());
  CPropertyPage noTemplate;
  CPropertySheet sheet(_T("No template"));
  sheet.AddPage(&noTemplate);
  EXPECT_EQ(sheet.DoModal(), -1);
  EXPECT_EQ(sheet.m_hWnd, static_cast<HWND>(NULL));
}

TEST(PropertySheet, AModelessSheetTakesAndLosesPagesWhileShown) {
  Pages pages;
  CPropertySheet sheet(_T("Modeless"));
  sheet.AddPage(&pages.general);
  sheet.AddPage(&pages.layout);
  ASSERT_TRUE(sheet.Create(NULL, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE));
  PumpMessages();
  EXPECT_EQ(CWnd::FromHandlePermanent(sheet.m_hWnd), &sheet);
  EXPECT_EQ(TabItems(sheet), 2);
  EXPECT_EQ(sheet.GetActivePage(), &pages.general);

  sheet.AddPage(&pages.colours);
  EXPECT_EQ(sheet.GetPageCount(), 3);
  EXPECT_EQ(TabItems(sheet), 3);
  ASSERT_TRUE(sheet.SetActivePage(2));
  EXPECT_EQ(sheet.GetActivePage(), &pages.colours);

  // Removing a page before the active one keeps the active page the same object.
  sheet.RemovePage(&pages.general);
  EXPECT_EQ(sheet.GetPageCount(), 2);
  EXPECT_EQ(TabItems(sheet), 2);
  EXPECT_EQ(sheet.GetActivePage(), &pages.colours);
  EXPECT_EQ(sheet.GetPageIndex(&pages.general), -1);
  sheet.RemovePage(7);  // out of range: nothing
  EXPECT_EQ(sheet.GetPageCount(), 2);

  sheet.DestroyWindow();
  EXPECT_EQ(sheet.m_hWnd, static_cast<HWND>(NULL));
  EXPECT_EQ(pages.colours.m_hWnd, static_cast<HWND>(NULL));
}

TEST(PropertySheet, WizardsShowTheirButtonsAndWizard97PagesTheirHeader) {
  struct Case {
    const char* what;
    bool wizard97;
  };
  for (const Case& c : {Case{"wizard", false}, Case{"Wizard97", true}}) {
    TestPage first(300, 331, 332), second(310, 331, 332);
    CPropertySheet plain(_T("Wizard"));
    CPropertySheet w97(_T("Wizard97"), NULL, 0, NULL, NULL, NULL);
    CPropertySheet& sheet = c.wizard97 ? w97 : plain;
    if (!c.wizard97) sheet.SetWizardMode();
    EXPECT_EQ((sheet.m_psh.dwFlags & PSH_WIZARD97) != 0, c.wizard97) << c.what;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_TRUE(first.m_psp.dwFlags & PSP_USEHEADERTITLE);
    EXPECT_TRUE(first.m_psp.dwFlags & PSP_USEHEADERSUBTITLE);
    WhileShown run(sheet, [&] {
      for (int id : {0x3023, 0x3024, 0x3025}) EXPECT_NE(::GetDlgItem(sheet.m_hWnd, id), static_cast<HWND>(NULL)) << id;
      HWND tab = ::GetDlgItem(sheet.m_hWnd, 0x3020);
      EXPECT_TRUE(tab == NULL || !::IsWindowVisible(tab)) << c.what;
      sheet.SetWizardButtons(PSWIZB_NEXT);
      sheet.PressButton(PSBTN_NEXT);
      EXPECT_EQ(sheet.GetActivePage(), &second) << c.what;
      sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL) << c.what;
    EXPECT_TRUE(run.ran) << c.what;
  }
}

}  // namespace
