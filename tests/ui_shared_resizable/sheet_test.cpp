// Resizable property sheets and pages on real (modeless) sheets: the minimum size, the parts
// that follow the corners, the wizards' pages, the saved active page, and a modal run.
#include <ResizablePage.h>
#include <ResizableSheet.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"
#include "while_shown.h"

using testing_support::PumpMessages;
using testing_support::RectText;
using testing_support::WhileShown;

namespace {

class AnchoredPage : public CResizablePageEx {
 public:
  explicit AnchoredPage(UINT id, UINT title = 0, UINT subtitle = 0) : CResizablePageEx(id, 0, title, subtitle) {}
  BOOL OnInitDialog() override {
    CResizablePageEx::OnInitDialog();
    AddAnchor(401, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT);
    AddAnchor(402, ANCHOR_BOTTOM_RIGHT);
    AddAnchor(411, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
    AddAnchor(421, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
    return TRUE;
  }
};

class TestSheet : public CResizableSheetEx {
 public:
  explicit TestSheet(LPCTSTR caption) : CResizableSheetEx(caption) {}
  TestSheet(LPCTSTR caption, bool wizard97) : CResizableSheetEx(caption, NULL, 0, NULL, NULL, NULL) {
    EXPECT_TRUE(wizard97);
  }
  using CResizableSheet::GetMinWidth;
};

// A child's rectangle in the client coordinates of `parent`.
CRect InClient(HWND parent, HWND child) {
  CRect rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(NULL, parent, reinterpret_cast<LPPOINT>(&rc), 2);
  return rc;
}

CRect Item(CWnd& sheet, int id) { return InClient(sheet.m_hWnd, ::GetDlgItem(sheet.m_hWnd, id)); }

void Grow(CWnd& w, int dx, int dy) {
  CRect rc;
  w.GetWindowRect(&rc);
  w.SetWindowPos(NULL, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages();
}

const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;

TEST(ResizableSheet, TheFirstSizeIsTheMinimumAndTheSheetGainsAFrameAndGrip) {
  AnchoredPage a(400), b(410);
  TestSheet sheet(_T("Sheet"));
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  ASSERT_TRUE(sheet.Create(NULL, kStyle));
  PumpMessages();
  const LONG style = sheet.GetStyle();
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & DS_MODALFRAME);
  CRect first;
  sheet.GetWindowRect(&first);
  MINMAXINFO mmi = {};
  sheet.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(CSize(mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y), first.Size());
  // Asked to become smaller, it stays at its first size.
  sheet.SetWindowPos(NULL, 0, 0, first.Width() - 60, first.Height() - 40, SWP_NOMOVE | SWP_NOZORDER);
  CRect now;
  sheet.GetWindowRect(&now);
  EXPECT_EQ(now.Size(), first.Size());
  // The grip sits in the client area's bottom-right corner.
  CRect clientNow;
  sheet.GetClientRect(&clientNow);
  HWND grip = NULL;
  for (HWND child = ::GetWindow(sheet.m_hWnd, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::GetWindowLong(child, GWL_STYLE) & SBS_SIZEGRIP) {
      TCHAR cls[32] = {};
      ::GetClassName(child, cls, 32);
      if (lstrcmpi(cls, _T("ScrollBar")) == 0) grip = child;
    }
  ASSERT_NE(grip, static_cast<HWND>(NULL));
  EXPECT_TRUE(::IsWindowVisible(grip));
  EXPECT_EQ(InClient(sheet.m_hWnd, grip).BottomRight(), clientNow.BottomRight());
  // The visible buttons fit in the minimum width.
  CRect client;
  sheet.GetClientRect(&client);
  EXPECT_GT(sheet.GetMinWidth(), 0);
  EXPECT_LE(sheet.GetMinWidth(), client.Width() + 2 * ::GetSystemMetrics(SM_CXFRAME));
  sheet.DestroyWindow();
}

TEST(ResizableSheet, GrownSheetsMoveTheButtonsAndStretchTabAndPage) {
  AnchoredPage a(400), b(410), c(420);
  TestSheet sheet(_T("Sheet"));
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  sheet.AddPage(&c);
  ASSERT_TRUE(sheet.Create(NULL, kStyle));
  PumpMessages();
  const int buttons[] = {IDOK, IDCANCEL, RESIZABLE_ID_APPLY};
  std::vector<CRect> before;
  for (int id : buttons) before.push_back(Item(sheet, id));
  const CRect tab = Item(sheet, RESIZABLE_ID_TABCTRL);
  const CRect page = InClient(sheet.m_hWnd, a.m_hWnd);
  const CRect browse = InClient(a.m_hWnd, a.GetDlgItem(402)->m_hWnd);
  const int dx = 90, dy = 55;
  Grow(sheet, dx, dy);
  for (size_t i = 0; i < before.size(); ++i) {
    CRect moved = before[i];
    moved.OffsetRect(dx, dy);
    EXPECT_EQ(RectText(Item(sheet, buttons[i])), RectText(moved)) << buttons[i];
  }
  EXPECT_EQ(RectText(Item(sheet, RESIZABLE_ID_TABCTRL)),
            RectText(CRect(tab.left, tab.top, tab.right + dx, tab.bottom + dy)));
  EXPECT_EQ(RectText(InClient(sheet.m_hWnd, a.m_hWnd)),
            RectText(CRect(page.left, page.top, page.right + dx, page.bottom + dy)));
  // The page's own anchors: its button keeps to the page's corner.
  CRect browseMoved = browse;
  browseMoved.OffsetRect(dx, dy);
  EXPECT_EQ(RectText(InClient(a.m_hWnd, a.GetDlgItem(402)->m_hWnd)), RectText(browseMoved));
  // A page first shown after the growth fills the grown area too.
  sheet.SetActivePage(2);
  PumpMessages();
  EXPECT_EQ(RectText(InClient(sheet.m_hWnd, c.m_hWnd)),
            RectText(CRect(page.left, page.top, page.right + dx, page.bottom + dy)));
  // So does one chosen on the tab after a further growth.
  Grow(sheet, 20, 10);
  NMHDR nm = {Item(sheet, RESIZABLE_ID_TABCTRL).IsRectNull() ? NULL : ::GetDlgItem(sheet.m_hWnd, RESIZABLE_ID_TABCTRL),
              RESIZABLE_ID_TABCTRL, static_cast<UINT>(TCN_SELCHANGE)};
  TabCtrl_SetCurSel(nm.hwndFrom, 0);
  sheet.SendMessage(WM_NOTIFY, RESIZABLE_ID_TABCTRL, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(sheet.GetActivePage(), &a);
  EXPECT_EQ(RectText(InClient(sheet.m_hWnd, a.m_hWnd)),
            RectText(CRect(page.left, page.top, page.right + dx + 20, page.bottom + dy + 10)));
  sheet.DestroyWindow();
}

TEST(ResizableSheet, WizardsHideTheTabControlAndKeepThePageMargins) {
  struct Case {
    const char* what;
    bool wizard97;
    DWORD pageFlags;  // added to the first page
    bool belowHeader;
  };
  const Case cases[] = {
      {"wizard", false, 0, false},
      {"Wizard97 page with its header", true, 0, true},
      {"Wizard97 page without header", true, PSP_HIDEHEADER, false},
  };
  for (const Case& c : cases) {
    AnchoredPage first(400, 431, 432), second(410, 431, 432);
    first.m_psp.dwFlags |= c.pageFlags;
    TestSheet plain(_T("Wizard"));
    TestSheet w97(_T("Wizard97"), true);
    TestSheet& sheet = c.wizard97 ? w97 : plain;
    if (!c.wizard97) sheet.SetWizardMode();
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create(NULL, kStyle)) << c.what;
    PumpMessages();
    HWND tab = ::GetDlgItem(sheet.m_hWnd, RESIZABLE_ID_TABCTRL);
    EXPECT_TRUE(tab == NULL || !::IsWindowVisible(tab)) << c.what;
    CRect client;
    sheet.GetClientRect(&client);
    const CRect page = InClient(sheet.m_hWnd, first.m_hWnd);
    const CRect line = Item(sheet, RESIZABLE_ID_LINE);
    const int dx = 70, dy = 40;
    Grow(sheet, dx, dy);
    CRect grown = InClient(sheet.m_hWnd, first.m_hWnd);
    EXPECT_EQ(grown.right, page.right + dx) << c.what;
    EXPECT_EQ(grown.bottom, page.bottom + dy) << c.what;
    EXPECT_EQ(grown.left, page.left) << c.what;
    if (c.belowHeader) {
      const CRect header = Item(sheet, RESIZABLE_ID_HEADERLINE);
      EXPECT_EQ(grown.top, header.bottom) << c.what;
      EXPECT_EQ(header.Width(), client.Width() + dx) << c.what;
    } else {
      EXPECT_EQ(grown.top, page.top) << c.what;
    }
    // The etched line above the buttons widens and keeps to the bottom.
    EXPECT_EQ(RectText(Item(sheet, RESIZABLE_ID_LINE)),
              RectText(CRect(line.left, line.top + dy, line.right + dx, line.bottom + dy)))
        << c.what;
    sheet.DestroyWindow();
  }
}

class ProfileApp : public CWinApp {
 public:
  ProfileApp() : CWinApp(_T("ResizableSheetTest")) {}
};

#ifdef UNICODE
const TCHAR kKey[] = _T("QuarnelResizableSheetTestsU");
#else
const TCHAR kKey[] = _T("QuarnelResizableSheetTestsA");
#endif

class SavedSheet : public TestSheet {
 public:
  SavedSheet() : TestSheet(_T("Saved")) {}
  using CResizableSheet::EnableSaveRestore;
};

class ResizableSheetProfile : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    app.SetRegistryKey(kKey);
  }
  void TearDown() override { Clean(); }
  static void Clean() { RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kKey); }
  ProfileApp app;
};

TEST_F(ResizableSheetProfile, TheActivePageIsSavedAndRestoredAndPagesItDoesNotHaveAreIgnored) {
  struct Case {
    const char* what;
    int stored;  // INT_MIN: nothing stored
    BOOL savePage;
    int activeAfterLoad;
    int savedAtEnd;  // what the profile holds after the sheet is destroyed with page 1 active
  };
  const Case cases[] = {
      {"page 2 restored", 2, TRUE, 2, 1},
      {"a page the sheet does not have", 3, TRUE, 0, 1},
      {"far beyond", 70000, TRUE, 0, 1},
      {"negative", -1, TRUE, 0, 1},
      {"saving the page is off: nothing read, nothing written", 2, FALSE, 0, 2},
  };
  for (const Case& c : cases) {
    app.WriteProfileInt(_T("Sheet"), _T("ActivePage"), c.stored);
    AnchoredPage a(400), b(410), d(420);
    SavedSheet sheet;
    sheet.AddPage(&a);
    sheet.AddPage(&b);
    sheet.AddPage(&d);
    ASSERT_TRUE(sheet.Create(NULL, kStyle)) << c.what;
    sheet.EnableSaveRestore(_T("Sheet"), TRUE, c.savePage);
    EXPECT_EQ(sheet.GetActiveIndex(), c.activeAfterLoad) << c.what;
    sheet.SetActivePage(1);
    sheet.DestroyWindow();
    EXPECT_EQ(static_cast<int>(app.GetProfileInt(_T("Sheet"), _T("ActivePage"), 99)), c.savedAtEnd) << c.what;
  }
}

TEST(ResizableSheet, AModalSheetIsResizedInsideItsLoopAndEndsWithOK) {
  AnchoredPage a(400), b(410);
  TestSheet sheet(_T("Modal"));
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  CRect okBefore, okAfter;
  WhileShown run(sheet, [&] {
    okBefore = Item(sheet, IDOK);
    Grow(sheet, 30, 20);
    okAfter = Item(sheet, IDOK);
    sheet.PressButton(PSBTN_OK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  ASSERT_TRUE(run.ran);
  okBefore.OffsetRect(30, 20);
  EXPECT_EQ(RectText(okAfter), RectText(okBefore));
}

}  // namespace
