// Customisable toolbars of command-centre commands: made from button lists, pruned and
// disabled by rights, updated in idle time, drawn, with their shared mouse hook, their records
// of control and menu buttons, and the hostile lists they refuse.
#include <gtest/gtest.h>

#include <UICommandCenter.h>
#include <UICustToolBar.h>
#include <UIUtilities.h>
#include <dib_canvas.h>
#include <framework.h>
#include <fw_thread_state.h>

#include <algorithm>
#include <climits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "test_support.h"
#include "toolbar_ids.h"

namespace {

DWORD g_barStatus = UI_SECURITY_ALLOWED;

// Security ids 1004 hide, 1005 disable, 1006 is what the test wants for the bar itself.
DWORD Rights(DWORD id) {
  if (id == 1004) return UI_SECURITY_HIDDEN;
  if (id == 1005) return UI_SECURITY_DISABLED;
  if (id == 1006) return g_barStatus;
  return UI_SECURITY_ALLOWED;
}

using tstring = std::basic_string<TCHAR>;

class Frame : public CFrameWnd {
 public:
  int checkOpen = 0;
  std::vector<std::pair<HWND, UINT_PTR>> notified;  // bars that sent code 1234
  static Frame* Make() {
    auto* frame = new Frame;
    if (!frame->Create(NULL, _T("bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300))) return NULL;
    return frame;
  }

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    const NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == 1234) notified.emplace_back(hdr->hwndFrom, hdr->idFrom);
    return CFrameWnd::OnNotify(wParam, lParam, pResult);
  }
  afx_msg void OnAny(UINT) {}
  afx_msg void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->SetCheck(checkOpen); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Frame, CFrameWnd)
  ON_COMMAND_RANGE(ID_OPEN, ID_OPTIONS, &Frame::OnAny)
  ON_UPDATE_COMMAND_UI(ID_OPEN, &Frame::OnUpdateOpen)
END_MESSAGE_MAP()

// A bar that lets the tests reach its protected parts and counts drop-down arrows drawn.
class TestBar : public CCustToolBar {
 public:
  using CCustToolBar::DeleteAllButtons;
  using CCustToolBar::InsertMenuButton;
  int arrowsDrawn = 0;
  void DrawDropDownMenu(HDC hDC, CRect& rect) override {
    ++arrowsDrawn;
    CCustToolBar::DrawDropDownMenu(hDC, rect);
  }
  std::vector<UINT> Ids() {
    std::vector<UINT> ids;
    for (int i = 0; i < GetCount(); ++i) ids.push_back(GetItemID(i));
    return ids;
  }
  TBBUTTON Button(int i) {
    TBBUTTON b = {};
    SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    return b;
  }
  HIMAGELIST Images() { return reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST)); }
};

// A command that stands on the toolbar as an edit control.
class EditCommand : public CUICommand {
 public:
  CEdit* edit = NULL;
  int deleted = 0;
  CWnd* CreateControlForToolbar(CWnd* parent, CRect& rect, UINT id) override {
    edit = new CEdit;
    edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(rect.left, 0, rect.left + 60, 18), parent, id);
    return edit;
  }
  void DeleteControlFromToolbar() override {
    ++deleted;
    if (edit != NULL) {
      edit->DestroyWindow();
      delete edit;
      edit = NULL;
    }
  }
};

class ToolBarTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool once = false;
    if (!once) CUICommandCenter::GetCommandCenter().Init(Rights, 0);
    once = true;
  }
  void SetUp() override {
    g_barStatus = UI_SECURITY_ALLOWED;
    frame = Frame::Make();
    ASSERT_NE(frame, nullptr);
  }
  void TearDown() override {
    if (frame != NULL) frame->DestroyWindow();
  }
  Frame* frame = NULL;
};

int TextWidth(const CString& text) {
  HDC dc = ::CreateCompatibleDC(NULL);
  HGDIOBJ old = ::SelectObject(dc, UIGetDefaultGUIFont());
  SIZE extent = {};
  ::GetTextExtentPoint32(dc, text, text.GetLength(), &extent);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return extent.cx;
}

TEST_F(ToolBarTest, SettingsAtLoad) {
  int large = -1, tooltips = -1, hotKeys = -1;
  UIGetToolBarParams(&large, &tooltips, &hotKeys);
  EXPECT_EQ(large, 0);
  EXPECT_EQ(tooltips, 1);
  EXPECT_EQ(hotKeys, 1);
  UIGetToolBarParams(NULL, NULL, NULL);  // every pointer may be left out
}

TEST_F(ToolBarTest, ButtonListGivesButtonsImagesTextsAndStates) {
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_ALL, 0), 1);
  // Macros is hidden by the rights; the rest keep their order.
  EXPECT_EQ(bar.Ids(), (std::vector<UINT>{ID_OPEN, ID_PRINT, ID_CLOSE, ID_MAIL, ID_OPTIONS}));
  EXPECT_EQ(bar.Button(0).iBitmap, 0);
  EXPECT_EQ(bar.Button(1).iBitmap, 1);
  EXPECT_EQ(bar.Button(2).iBitmap, I_IMAGENONE);
  EXPECT_EQ(bar.Button(3).iBitmap, 3);  // the hidden command's image was gathered before the rights pruned it
  EXPECT_EQ(ImageList_GetImageCount(bar.Images()), 4);
  CString text;
  bar.GetButtonText(2, text);
  EXPECT_EQ(tstring(text), _T("Close"));  // the menu text without its key and mnemonic
  bar.GetButtonText(4, text);
  EXPECT_EQ(tstring(text), _T("Options"));

  // The images are the commands' own, grey shown as the face.
  testing_support::DibCanvas canvas(48, 16);
  ASSERT_TRUE(canvas.valid());
  for (int i : {0, 1, 3}) ImageList_Draw(bar.Images(), i, canvas.dc(), 16 * (i == 3 ? 2 : i), 0, ILD_NORMAL);
  EXPECT_EQ(canvas.At(8, 8), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(24, 8), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(40, 8), RGB(255, 0, 0));

  // Text buttons are as wide as their text and as high as the font.
  TBBUTTON close = bar.Button(2);
  EXPECT_EQ(bar.GetButtonWidth(&close), TextWidth(_T("Close")) + 11);
  TEXTMETRIC tm = {};
  HDC dc = ::CreateCompatibleDC(NULL);
  HGDIOBJ old = ::SelectObject(dc, UIGetDefaultGUIFont());
  ::GetTextMetrics(dc, &tm);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  EXPECT_EQ(bar.GetButtonHeight(&close), tm.tmHeight + 11);
  bar.SetButtonText(2, L"CloseClose");
  close = bar.Button(2);
  EXPECT_EQ(bar.GetButtonWidth(&close), TextWidth(_T("CloseClose")) + 11);
  EXPECT_EQ(bar.GetButtonHeight(&close), tm.tmHeight + 11);
  TBBUTTON open = bar.Button(0);
  EXPECT_EQ(bar.GetButtonWidth(&open), 23);
  EXPECT_EQ(bar.GetButtonHeight(&open), 21);

  // Idle update: the rights disable mail at once, the frame checks open.
  frame->checkOpen = 1;
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(bar.GetButtonStyle(3) & UI_TBBS_DISABLED, static_cast<UINT>(UI_TBBS_DISABLED));
  EXPECT_EQ(bar.GetButtonStyle(0) & (UI_TBBS_CHECKED | UI_TBBS_DISABLED), static_cast<UINT>(UI_TBBS_CHECKED));
  EXPECT_EQ(bar.GetButtonStyle(2) & UI_TBBS_DISABLED, 0u);

  // Disabling a checked button leaves it neither checked nor pressed.
  bar.SetButtonStyle(0, bar.GetButtonStyle(0) | UI_TBBS_PRESSED);
  CFlatToolCmdUI probe;
  probe.m_pOther = &bar;
  probe.m_nIndex = 0;
  probe.Enable(FALSE);
  EXPECT_EQ(bar.GetButtonStyle(0) & (UI_TBBS_CHECKED | UI_TBBS_PRESSED | UI_TBBS_DISABLED),
            static_cast<UINT>(UI_TBBS_DISABLED));

  // The bar lays out on the frame's top, as high as its tallest button plus its border.
  frame->RecalcLayout();
  CRect r;
  bar.GetWindowRect(&r);
  frame->ScreenToClient(&r);
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(r, CRect(0, 0, client.right, tm.tmHeight + 11 + 1));
}

TEST_F(ToolBarTest, SeparatorsAtTheEndsAndInRowsAreDropped) {
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_SEPARATORS, 0), 1);
  EXPECT_EQ(bar.Ids(), (std::vector<UINT>{ID_OPEN, 0, ID_PRINT}));
  // Reloading from the current buttons keeps them.
  EXPECT_EQ(bar.Reload(0), 1);
  EXPECT_EQ(bar.Ids(), (std::vector<UINT>{ID_OPEN, 0, ID_PRINT}));
}

TEST_F(ToolBarTest, ABarTheRightsHideHasNoButtons) {
  g_barStatus = UI_SECURITY_HIDDEN;
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, ID_BAR_COMMAND, IDL_ALL, 0), 1);
  EXPECT_EQ(bar.GetCount(), 0);
  EXPECT_EQ(bar.Reload(1), 0);
  g_barStatus = UI_SECURITY_ALLOWED;
  EXPECT_EQ(bar.Reload(1), 1);
  EXPECT_EQ(bar.GetCount(), 5);
}

TEST_F(ToolBarTest, MalformedButtonListsAreRefusedAndLeaveTheBarEmpty) {
  struct Case {
    UINT list;
    const char* what;
  };
  const Case cases[] = {
      {IDL_TRUNCATED, "no end within the resource"},
      {IDL_ODD, "an odd size"},
      {IDL_LONG, "more ids than a bar takes"},
      {IDL_MISSING, "no such resource"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CWordArray ids;
    ids.Add(7);
    EXPECT_FALSE(CCustToolBar::ReadButtonList(c.list, ids));
    EXPECT_EQ(ids.GetSize(), 0);
    TestBar bar;
    ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_ALL, 0), 1);
    ASSERT_EQ(bar.GetCount(), 5);
    // The same bar made from the malformed list: nothing read past it, no button kept.
    TestBar bad;
    ASSERT_EQ(bad.CreateAndLoad(frame, AFX_IDW_TOOLBAR + 1, c.list, 0), 1);
    EXPECT_EQ(bad.GetCount(), 0);
    EXPECT_EQ(bad.Reload(1), 0);
  }
  CWordArray ids;
  EXPECT_TRUE(CCustToolBar::ReadButtonList(IDL_ALL, ids));
  EXPECT_EQ(ids.GetSize(), 6);
}

TEST_F(ToolBarTest, TheMouseHookStaysWhileAnyBarLives) {
  EXPECT_EQ(CCustToolBar::TooltipHookOfThread(), nullptr);
  auto* first = new TestBar;
  auto* second = new TestBar;
  ASSERT_EQ(first->Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  HHOOK hook = CCustToolBar::TooltipHookOfThread();
  EXPECT_NE(hook, nullptr);
  ASSERT_EQ(second->Create(frame, AFX_IDW_TOOLBAR + 1, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  EXPECT_EQ(CCustToolBar::TooltipHookOfThread(), hook);  // one hook for all bars
  delete first;
  EXPECT_EQ(CCustToolBar::TooltipHookOfThread(), hook);  // the other bar still uses it
  EXPECT_EQ(CCustToolBar::TooltipHookUsersOfThread(), 1);
  delete second;
  EXPECT_EQ(CCustToolBar::TooltipHookOfThread(), nullptr);
  EXPECT_EQ(CCustToolBar::TooltipHookUsersOfThread(), 0);
}

// Hooks are per thread: toolbars made on another thread while this thread's live get a hook of
// their own there, which goes with their last bar; this thread's stays for its own bars.
TEST_F(ToolBarTest, EachThreadWithToolbarsHasItsOwnMouseHook) {
  auto* here = new TestBar;
  ASSERT_EQ(here->Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  const HHOOK ours = CCustToolBar::TooltipHookOfThread();
  ASSERT_NE(ours, nullptr);
  struct {
    bool made = false;
    HHOOK hook = NULL;
    int users = -1;
    HHOOK afterLast = NULL;
  } there;
  std::thread other([&there] {
    auto* otherFrame = new CFrameWnd;
    if (!otherFrame->Create(NULL, _T("other thread"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200))) return;
    auto* bar = new TestBar;
    there.made = bar->Create(otherFrame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP) == 1;
    there.hook = CCustToolBar::TooltipHookOfThread();
    there.users = CCustToolBar::TooltipHookUsersOfThread();
    delete bar;
    there.afterLast = CCustToolBar::TooltipHookOfThread();
    otherFrame->DestroyWindow();
  });
  other.join();
  ASSERT_TRUE(there.made);
  EXPECT_NE(there.hook, nullptr);
  EXPECT_NE(there.hook, ours);
  EXPECT_EQ(there.users, 1);
  EXPECT_EQ(there.afterLast, nullptr);
  EXPECT_EQ(CCustToolBar::TooltipHookOfThread(), ours);
  EXPECT_EQ(CCustToolBar::TooltipHookUsersOfThread(), 1);
  delete here;
  EXPECT_EQ(CCustToolBar::TooltipHookOfThread(), nullptr);
}

TEST_F(ToolBarTest, ControlButtonsAreKnownByTheirRecordsOnly) {
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_SEPARATORS, 0), 1);
  // The centre knows the command: deleting its button gives it the control back.
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  auto* owned = new EditCommand;
  owned->m_wID = 950;
  owned->m_dwControlClassLabel = 1;
  ASSERT_EQ(center.AddCommand(owned), 1);
  EditCommand& command = *owned;
  ASSERT_EQ(bar.AddCommand(1, &command, FALSE), 1);
  ASSERT_NE(command.edit, nullptr);
  TBBUTTON b = bar.Button(1);
  EXPECT_EQ(IsControlButton(&b), command.edit);
  EXPECT_EQ(IsDropDownButton(&b), nullptr);
  TBBUTTON image = bar.Button(0);
  EXPECT_EQ(IsControlButton(&image), nullptr);
  // A data word that no toolbar made is never followed.
  int stray[8] = {2, 0, 0, 0, 0, 0, 0, 0};
  TBBUTTON forged = b;
  forged.dwData = reinterpret_cast<DWORD_PTR>(stray);
  EXPECT_EQ(IsControlButton(&forged), nullptr);
  forged.dwData = 0x1234;
  EXPECT_EQ(IsControlButton(&forged), nullptr);
  // The control's button is as wide as the control and 4 more; the control sits in it.
  EXPECT_EQ(bar.GetButtonWidth(&b), 64);
  CRect item, edit;
  bar.GetItemRect(1, &item);
  command.edit->GetWindowRect(&edit);
  bar.ScreenToClient(&edit);
  EXPECT_EQ(edit.left, item.left + 2);
  // A control command that makes no window adds nothing.
  struct NoWindow : EditCommand {
    CWnd* CreateControlForToolbar(CWnd*, CRect&, UINT) override { return NULL; }
  } none;
  none.m_wID = 952;
  none.m_dwControlClassLabel = 1;
  const int before = bar.GetCount();
  EXPECT_EQ(bar.AddCommand(0, &none, FALSE), 0);
  EXPECT_EQ(bar.GetCount(), before);
  // Deleting the buttons frees the record and lets the command take its control back.
  bar.DeleteAllButtons();
  EXPECT_EQ(command.deleted, 1);
  EXPECT_EQ(IsControlButton(&b), nullptr);
  delete center.RemoveCommand(950);
}

TEST_F(ToolBarTest, MenuButtonIdsAreUniqueOrRefused) {
  TestBar bar;
  ASSERT_EQ(bar.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  HMENU menu = ::CreatePopupMenu();
  ASSERT_EQ(bar.InsertMenuButton(0, menu, _T("File")), 1);
  ASSERT_EQ(bar.InsertMenuButton(1, menu, _T("Edit")), 1);
  EXPECT_EQ(bar.Ids(), (std::vector<UINT>{57089, 57090}));
  EXPECT_EQ(bar.GetUniqueMenuButtonId(), 57091u);
  TBBUTTON b = bar.Button(0);
  EXPECT_EQ(IsDropDownButton(&b), menu);
  EXPECT_EQ(bar.GetButtonMenu(1), menu);
  // Every id up to 0xDFFF taken: no id is handed out twice, the button is refused.
  for (int i = 2; bar.GetUniqueMenuButtonId() != 0; ++i) ASSERT_EQ(bar.InsertMenuButton(i, menu, _T("M")), 1);
  EXPECT_EQ(bar.GetCount(), 0xDFFF - 0xDF00);
  EXPECT_EQ(bar.InsertMenuButton(0, menu, _T("One more")), 0);
  EXPECT_EQ(bar.GetCount(), 0xDFFF - 0xDF00);
  bar.DeleteAllButtons();
  ::DestroyMenu(menu);
}

TEST_F(ToolBarTest, CustomDrawingGivesTheBatchLimitBack) {
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_ALL, 0), 1);
  HMENU menu = ::CreatePopupMenu();
  ASSERT_EQ(bar.InsertMenuButton(0, menu, _T("File")), 1);
  frame->ShowWindow(SW_SHOWNOACTIVATE);
  frame->RecalcLayout();
  // The limit as the system reports it once set to 7 (Windows keeps 7; Wine always answers
  // 1): drawing must leave the same answer behind.
  ::GdiSetBatchLimit(7);
  const DWORD kept = ::GdiSetBatchLimit(7);
  bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GT(bar.arrowsDrawn, 0);  // the bar drew its items itself
  EXPECT_EQ(::GdiSetBatchLimit(0), kept);
  bar.DeleteAllButtons();
  ::DestroyMenu(menu);
}

TEST_F(ToolBarTest, AColourChangeRebuildsTheImagesOnce) {
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_ALL, 0), 1);
  // A custom command's bitmap: teal is shown as the face colour.
  HDC screen = ::GetDC(NULL);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 15);
  HDC dc = ::CreateCompatibleDC(screen);
  ::ReleaseDC(NULL, screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  RECT all = {0, 0, 16, 15}, inner = {4, 4, 12, 11};
  HBRUSH teal = ::CreateSolidBrush(RGB(0, 128, 128)), green = ::CreateSolidBrush(RGB(0, 255, 0));
  ::FillRect(dc, &all, teal);
  ::FillRect(dc, &inner, green);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(teal);
  ::DeleteObject(green);
  CString name(_T("Mine")), text(_T("Mine")), tip(_T("My tip")), message(_T("My message"));
  CUICustomCommand* custom =
      CUICommandCenter::GetCommandCenter().CreateCustomCommand(0, 0, name, text, tip, message, bitmap);
  ::DeleteObject(bitmap);
  ASSERT_NE(custom, nullptr);
  ASSERT_EQ(bar.AddCommand(bar.GetCount(), custom, FALSE), 1);
  EXPECT_EQ(ImageList_GetImageCount(bar.Images()), 5);  // the four commands' images and the one pruned
  const std::vector<UINT> ids = bar.Ids();
  const int images = 4;  // open, print, mail and the custom command

  HIMAGELIST before = bar.Images();
  bar.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_NE(bar.Images(), before);  // made anew in the current colours
  EXPECT_EQ(ImageList_GetImageCount(bar.Images()), images);
  EXPECT_EQ(bar.Ids(), ids);
  testing_support::DibCanvas canvas(16, 15, RGB(1, 2, 3));
  ImageList_Draw(bar.Images(), bar.Button(bar.CommandToIndex(custom->m_wID)).iBitmap, canvas.dc(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(canvas.At(8, 8), RGB(0, 255, 0));
  EXPECT_NE(canvas.At(1, 1), RGB(0, 128, 128));
  bar.DeleteAllButtons();
  custom->Release();
}

// The strip is built from pieces of several bitmaps: a resource strip, a custom command's
// bitmap, then the resource strip again. Each button keeps its own picture after a rebuild.
TEST_F(ToolBarTest, AColourChangeKeepsEachImageWhenItsSourcesAlternate) {
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_ALL, 0), 1);
  HDC screen = ::GetDC(NULL);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 15);
  ::ReleaseDC(NULL, screen);
  HDC dc = ::CreateCompatibleDC(NULL);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  RECT all = {0, 0, 16, 15};
  HBRUSH green = ::CreateSolidBrush(RGB(0, 255, 0));
  ::FillRect(dc, &all, green);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(green);
  CString name(_T("Green")), text(_T("Green")), tip(_T("Green tip")), message(_T("Green message"));
  CUICustomCommand* custom =
      CUICommandCenter::GetCommandCenter().CreateCustomCommand(0, 0, name, text, tip, message, bitmap);
  ::DeleteObject(bitmap);
  ASSERT_NE(custom, nullptr);
  ASSERT_EQ(bar.AddCommand(bar.GetCount(), custom, FALSE), 1);
  ASSERT_EQ(bar.AddCommand(bar.GetCount(), CUICommandCenter::GetCommandCenter().GetCommand(ID_PRINT), FALSE), 1);

  bar.SendMessage(WM_SYSCOLORCHANGE);
  // open (red), print (blue), mail (red), the custom command (green), print again (blue)
  const struct {
    int index;
    COLORREF centre;
  } expected[] = {{0, RGB(255, 0, 0)}, {1, RGB(0, 0, 255)}, {3, RGB(255, 0, 0)}, {5, RGB(0, 255, 0)}, {6, RGB(0, 0, 255)}};
  ASSERT_EQ(bar.GetCount(), 7);
  for (const auto& e : expected) {
    SCOPED_TRACE(e.index);
    testing_support::DibCanvas canvas(16, 15, RGB(1, 2, 3));
    ASSERT_GE(bar.Button(e.index).iBitmap, 0);
    ImageList_Draw(bar.Images(), bar.Button(e.index).iBitmap, canvas.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.At(8, 8), e.centre);
  }
  bar.DeleteAllButtons();
  custom->Release();
}

TEST_F(ToolBarTest, TooltipsAndPromptsComeFromTheCommands) {
  CStatusBarCtrl status;
  ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_STATUS_BAR));
  TestBar bar;
  ASSERT_EQ(bar.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY), 1);
  EXPECT_TRUE(bar.GetBarStyle() & CBRS_TOOLTIPS);  // tooltips are on by default
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  bar.AddCommand(0, center.GetCommand(ID_OPEN), FALSE);
  frame->ShowWindow(SW_SHOWNOACTIVATE);
  frame->RecalcLayout();

  CRect r;
  bar.GetItemRect(0, &r);
  MSG move = {bar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 3, r.top + 3), 0, {r.left + 3, r.top + 3}};
  bar.ClientToScreen(&move.pt);
  bar.PreTranslateMessage(&move);
  EXPECT_EQ(tstring(status.GetText(0)), _T("Opens a report from disk"));

  CWnd* tip = AfxGetThreadState()->m_pToolTip;
  ASSERT_NE(tip, nullptr);
  TCHAR text[80] = {};
  TOOLINFO ti = {};
  ti.cbSize = sizeof ti;
  ti.hwnd = bar.m_hWnd;
  ti.uId = ID_OPEN;
  ti.lpszText = text;
  tip->SendMessage(TTM_GETTEXT, _countof(text), reinterpret_cast<LPARAM>(&ti));
  CString expected;
  center.GetCommand(ID_OPEN)->GetTooltipString(expected, 0);
  EXPECT_EQ(tstring(text), tstring(expected));
  EXPECT_EQ(tstring(expected).rfind(_T("Open a report"), 0), 0u);
  // The help value of the button under a point.
  EXPECT_EQ(bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(r.left + 3, r.top + 3)), 77);
  EXPECT_EQ(bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(r.right + 300, r.top + 3)), 0);
}

TEST_F(ToolBarTest, SettingsReachEveryBarOfTheMainFrame) {
  CWinApp app(_T("ToolbarsTest"));
  app.m_pMainWnd = frame;
  TestBar first, second;
  ASSERT_EQ(first.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  ASSERT_EQ(second.Create(frame, AFX_IDW_TOOLBAR + 1, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  EXPECT_TRUE(first.GetBarStyle() & CBRS_TOOLTIPS);
  UISetShowTT(0);
  EXPECT_FALSE(first.GetBarStyle() & CBRS_TOOLTIPS);
  EXPECT_FALSE(second.GetBarStyle() & CBRS_TOOLTIPS);
  int tooltips = -1;
  UIGetToolBarParams(NULL, &tooltips, NULL);
  EXPECT_EQ(tooltips, 0);
  UISetShowTT(1);
  EXPECT_TRUE(first.GetBarStyle() & CBRS_TOOLTIPS);
  EXPECT_TRUE(second.GetBarStyle() & CBRS_TOOLTIPS);

  EXPECT_EQ(NotifyAllControlBars(1234), 1);
  ASSERT_EQ(frame->notified.size(), 2u);
  EXPECT_EQ(frame->notified[0], std::make_pair(first.m_hWnd, static_cast<UINT_PTR>(AFX_IDW_TOOLBAR)));
  EXPECT_EQ(frame->notified[1], std::make_pair(second.m_hWnd, static_cast<UINT_PTR>(AFX_IDW_TOOLBAR + 1)));
  app.m_pMainWnd = NULL;
}

TEST_F(ToolBarTest, GripperDotsByBarKind) {
  struct Case {
    DWORD style;
    int large;
    int pairs;
  };
  const Case cases[] = {
      {CBRS_TOP, 0, 4},
      {CBRS_TOP, 1, 5},
      {CBRS_TOP | CBRS_FLOATING, 0, 0},
  };
  const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), shadow = ::GetSysColor(COLOR_3DSHADOW);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.style << " large " << c.large);
    UISetLargeButton(c.large);
    TestBar bar;
    ASSERT_EQ(bar.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | c.style), 1);
    bar.MoveWindow(0, 0, 200, 40);
    testing_support::DibCanvas canvas(200, 40, RGB(1, 2, 3));
    CDC* dc = CDC::FromHandle(canvas.dc());
    bar.DoNcPaint(dc);
    const int top = 1 * ((c.style & CBRS_BORDER_TOP) ? 1 : 0) + (c.large ? 5 : 3);
    int found = 0;
    for (int k = 0; k < 6; ++k) {
      const int y = top + 5 * k;
      if (canvas.At(5, y) == light && canvas.At(7, y + 2) == shadow) ++found;
    }
    EXPECT_EQ(found, c.pairs);
  }
  UISetLargeButton(0);
}

// Five 23 x 21 buttons A B | C D | E with 8-pixel separators, as a bar holds them.
std::vector<TBBUTTON> RowOfFive() {
  std::vector<TBBUTTON> buttons;
  int id = 1;
  for (int kind : {0, 0, 1, 0, 0, 1, 0}) {
    TBBUTTON b = {};
    b.fsState = TBSTATE_ENABLED;
    if (kind == 1) {
      b.fsStyle = TBSTYLE_SEP;
      b.iBitmap = 8;
    } else {
      b.idCommand = id++;
    }
    buttons.push_back(b);
  }
  return buttons;
}

std::string Text(SIZE s) { return std::to_string(s.cx) + "x" + std::to_string(s.cy); }

std::vector<int> Wrapped(const std::vector<TBBUTTON>& buttons) {
  std::vector<int> at;
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i].fsState & TBSTATE_WRAP) at.push_back(static_cast<int>(i));
  return at;
}

// Wrapping prefers the row's last separator (which becomes the gap between the rows), else the
// button before the one that does not fit; the size adds the rows up.
TEST_F(ToolBarTest, WrapsAtTheRowsLastSeparatorOrBeforeTheButtonThatDoesNotFit) {
  TestBar bar;
  ASSERT_EQ(bar.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  const struct {
    int width;
    std::vector<int> wraps;
    CSize size;
  } cases[] = {
      {1000, {}, CSize(131, 21)},
      {131, {}, CSize(131, 21)},
      {100, {5}, CSize(100, 50)},      // A B | C D  /  E
      {90, {2}, CSize(77, 50)},        // A B  /  C D | E
      {40, {0, 2, 3, 5}, CSize(23, 121)},  // one column, the separators as gaps
      {0, {0, 2, 3, 5}, CSize(23, 121)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width);
    std::vector<TBBUTTON> buttons = RowOfFive();
    bar.WrapToolBar(buttons.data(), static_cast<int>(buttons.size()), c.width);
    EXPECT_EQ(Wrapped(buttons), c.wraps);
    EXPECT_EQ(Text(bar.CalcSize(buttons.data(), static_cast<int>(buttons.size()))), Text(c.size));
  }
  // A hidden button takes no room and is never the one wrapped.
  std::vector<TBBUTTON> buttons = RowOfFive();
  buttons[1].fsState |= TBSTATE_HIDDEN;
  bar.WrapToolBar(buttons.data(), static_cast<int>(buttons.size()), 40);
  EXPECT_EQ(Wrapped(buttons), (std::vector<int>{2, 3, 5}));
}

// The narrowest width that keeps the rows of the requested width, or whose height fits the
// requested height.
TEST_F(ToolBarTest, SizeToolBarFindsTheNarrowestWidth) {
  TestBar bar;
  ASSERT_EQ(bar.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  const struct {
    int length;
    BOOL vertical;
    CSize size;
  } cases[] = {
      {1000, FALSE, CSize(131, 21)}, {100, FALSE, CSize(77, 50)}, {40, FALSE, CSize(23, 121)},
      {21, TRUE, CSize(131, 21)},    {60, TRUE, CSize(77, 50)},   {500, TRUE, CSize(23, 121)},
      {5, TRUE, CSize(131, 21)},  // nothing fits: one row
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "length " << c.length << (c.vertical ? " vertical" : ""));
    std::vector<TBBUTTON> buttons = RowOfFive();
    EXPECT_EQ(Text(bar.SizeToolBar(buttons.data(), static_cast<int>(buttons.size()), c.length, c.vertical)), Text(c.size));
  }
}

// The committed layout: each button's rectangle in its row, for floating widths and for the
// docked sides; the size is the rows' extent plus the same margins in every case.
TEST_F(ToolBarTest, CalcLayoutCommitsTheRowsTheButtonRectanglesFollow) {
  UISetLargeButton(0);
  TestBar bar;
  ASSERT_EQ(bar.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  // The control's own wrapping (by its window's width) is off: the rows are the bar's.
  bar.ModifyStyle(TBSTYLE_WRAPABLE, 0);
  std::vector<TBBUTTON> buttons = RowOfFive();
  ASSERT_TRUE(bar.SendMessage(TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())));
  using Rects = std::vector<CRect>;  // of A, B, C, D, E
  const Rects oneRow = {CRect(0, 0, 23, 21), CRect(23, 0, 46, 21), CRect(54, 0, 77, 21), CRect(77, 0, 100, 21),
                        CRect(108, 0, 131, 21)};
  const Rects twoRows = {CRect(0, 0, 23, 21), CRect(23, 0, 46, 21), CRect(0, 29, 23, 50), CRect(23, 29, 46, 50),
                         CRect(54, 29, 77, 50)};
  const Rects column = {CRect(0, 0, 23, 21), CRect(0, 21, 23, 42), CRect(0, 50, 23, 71), CRect(0, 71, 23, 92),
                        CRect(0, 100, 23, 121)};
  const struct {
    const char* name;
    DWORD mode;
    int length;
    Rects rects;
    CSize extent;
  } cases[] = {
      {"floating 1000", LM_COMMIT, 1000, oneRow, CSize(131, 21)},
      {"floating 100", LM_COMMIT, 100, twoRows, CSize(77, 50)},
      {"floating 40", LM_COMMIT, 40, column, CSize(23, 121)},
      {"docked top", LM_HORZ | LM_HORZDOCK, -1, oneRow, CSize(131, 21)},
      {"docked left", LM_VERTDOCK, -1, column, CSize(23, 121)},
  };
  CSize margins;
  bool first = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CSize size = bar.CalcLayout(c.mode, c.length);
    const int at[] = {0, 1, 3, 4, 6};
    for (int k = 0; k < 5; ++k) {
      CRect r;
      bar.GetItemRect(at[k], &r);
      EXPECT_EQ(testing_support::RectText(r), testing_support::RectText(c.rects[static_cast<size_t>(k)])) << "button " << k;
    }
    if (first) margins = size - c.extent;
    first = false;
    EXPECT_EQ(Text(size - c.extent), Text(margins));
  }
  EXPECT_GE(margins.cx, 9);  // the gripper at least
}

// Image buttons are drawn by the bar from its lists: pressed and checked moved by (1, 1), hot
// by (-1, -1), disabled from the disabled list (none of the image's own colour).
TEST_F(ToolBarTest, ImageButtonsMoveTheirImageWithTheirState) {
  TestBar bar;
  ASSERT_EQ(bar.CreateAndLoad(frame, AFX_IDW_TOOLBAR, IDL_ALL, 0), 1);
  frame->RecalcLayout();
  CRect client;
  bar.GetClientRect(&client);
  const int print = 1;  // the blue image
  RECT item = {};
  bar.CToolBar::GetItemRect(print, &item);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_3DHILIGHT),
                 shadow = GetSysColor(COLOR_3DSHADOW);
  // The top-left corner of what the image left in the button (inside its edges), and whether
  // its own blue shows.
  struct Drawn {
    CPoint corner;
    bool blue;
  };
  auto render = [&]() {
    testing_support::DibCanvas canvas(client.Width(), client.Height(), face);
    bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    Drawn d = {CPoint(INT_MAX, INT_MAX), false};
    for (int y = item.top + 2; y < item.bottom - 2; ++y)
      for (int x = item.left + 2; x < item.right - 2; ++x) {
        const COLORREF c = canvas.At(x, y);
        if (c == face || c == light || c == shadow) continue;
        d.corner.x = std::min<LONG>(d.corner.x, x);
        d.corner.y = std::min<LONG>(d.corner.y, y);
        d.blue = d.blue || c == RGB(0, 0, 255);
      }
    return d;
  };
  // As loaded, then after a colour change (which makes the images again).
  for (const bool changed : {false, true}) {
    SCOPED_TRACE(changed ? "after a colour change" : "as loaded");
    if (changed) bar.SendMessage(WM_SYSCOLORCHANGE);
    const Drawn normal = render();
    ASSERT_TRUE(normal.blue);
    const struct {
      const char* name;
      UINT message;
      WPARAM wParam;
      LPARAM lParam;
      CSize offset;
      bool blue;
    } cases[] = {
        {"pressed", TB_PRESSBUTTON, ID_PRINT, TRUE, CSize(1, 1), true},
        {"checked", TB_CHECKBUTTON, ID_PRINT, TRUE, CSize(1, 1), true},
        {"hot", TB_SETHOTITEM, print, 0, CSize(-1, -1), false},
        {"disabled", TB_ENABLEBUTTON, ID_PRINT, FALSE, CSize(0, 0), false},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      const LRESULT before = bar.SendMessage(TB_GETSTATE, ID_PRINT);
      bar.SendMessage(c.message, c.wParam, c.lParam);
      const Drawn d = render();
      if (c.message != TB_ENABLEBUTTON) {
        EXPECT_EQ(d.corner.x - normal.corner.x, c.offset.cx);
        EXPECT_EQ(d.corner.y - normal.corner.y, c.offset.cy);
      }
      if (c.message != TB_SETHOTITEM) {
        EXPECT_EQ(d.blue, c.blue);
      }
      bar.SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
      bar.SendMessage(TB_SETSTATE, ID_PRINT, before);
    }
    // The control holds the lists the bar drew with, of the same images.
    for (UINT get : {TB_GETDISABLEDIMAGELIST, TB_GETHOTIMAGELIST}) {
      HIMAGELIST list = reinterpret_cast<HIMAGELIST>(bar.SendMessage(get));
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(ImageList_GetImageCount(list), ImageList_GetImageCount(bar.Images()));
    }
  }
}

}  // namespace
