// The nail strip for framework hosts: items, selection and its notifications, deletion,
// moving by dragging, scrolling, tooltips, the frame's layout and the strip in pixels.
#include <UIToolNails.h>
#include <brevin.h>
#include <dib_canvas.h>
#include <handle_counts.h>
#include <gtest/gtest.h>
#include <recorder.h>
#include <test_support.h>

#include <string>
#include <vector>

using testing_support::DibCanvas;

namespace {

// A parent that logs the strip's notification codes and may refuse a change of nail.
class Parent : public CWnd {
 public:
  std::vector<int> codes;
  bool refuse = false;
  LRESULT dragAnswer = 1;
  NMNAILMOVED moved = {};
  BOOL Make() {
    const CString cls = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), GetSysColorBrush(COLOR_WINDOW));
    return CreateEx(0, cls, _T("page"), WS_POPUP | WS_VISIBLE, 50, 50, 400, 200, NULL, NULL);
  }

 protected:
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    const int code = static_cast<int>(hdr->code);
    codes.push_back(code);
    *result = 0;
    if (code == NAILN_SELCHANGING && refuse) reinterpret_cast<NMNAILCHANGING*>(hdr)->allow = 0;
    if (code == NAILN_BEGINDRAG) *result = dragAnswer;
    if (code == NAILN_MOVED) moved = *reinterpret_cast<NMNAILMOVED*>(hdr);
    return TRUE;
  }
};

class Nails : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.Make());
    ASSERT_TRUE(nails.Create(&parent, NAILS_ALIGN_BOTTOM, 9));
    nails.SetWindowPos(NULL, 0, 150, 400, nails.GetFullBarHeight(), SWP_NOZORDER);
    for (const wchar_t* t : {L"North", L"South", L"East", L"West"})
      nails.AddItem(t, (std::wstring(t) + L" tip").c_str(), NULL, -1, 700);
  }
  void TearDown() override {
    nails.DestroyWindow();
    parent.DestroyWindow();
  }
  std::vector<std::wstring> Texts() {
    std::vector<std::wstring> out;
    for (int i = 0; i < nails.GetCount(); ++i) out.push_back(std::wstring(CStringW(nails.GetItemText(i)).GetString()));
    return out;
  }
  LPARAM At(int index, int dx = 5) {
    CRect r = nails.GetNailRect(index);
    return MAKELPARAM(r.left + dx, r.top + r.Height() / 2);
  }
  Parent parent;
  CUIToolNails nails;
};

TEST_F(Nails, ItemsAnswerTheirFieldsAndBadIndexesTheirFailureValues) {
  EXPECT_EQ(nails.InsertItem(L"First", NULL, 0, NULL, 3, 1), 0);
  EXPECT_EQ(nails.GetImageID(0), 3);
  EXPECT_EQ(nails.GetItemHelpID(1), 700u);
  EXPECT_EQ(nails.SetItemText(9, L"x"), 0);
  EXPECT_TRUE(nails.GetItemText(-1).IsEmpty());
  EXPECT_EQ(nails.GetImageID(9), -1);
  EXPECT_EQ(nails.GetItemData(9), static_cast<void*>(NULL));
  EXPECT_EQ(nails.GetItemHelpID(9), 0u);
  EXPECT_EQ(nails.IsSelected(9), 0);
  // A nail inserted before the current one moves the current one up.
  ASSERT_EQ(nails.Select(2, FALSE), 1);
  nails.InsertItem(L"Centre", NULL, 1, NULL, -1, 0);
  EXPECT_EQ(nails.GetCurrent(), 3);
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"First", L"Centre", L"North", L"South", L"East", L"West"}));
}

TEST_F(Nails, SelectingAsksTheParentThenTellsIt) {
  ASSERT_EQ(nails.Select(1, TRUE), 1);
  EXPECT_EQ(parent.codes, (std::vector<int>{NAILN_SELCHANGING, static_cast<int>(NM_CLICK)}));
  EXPECT_EQ(nails.Select(1, TRUE), 0) << "the current nail again";
  parent.refuse = true;
  EXPECT_EQ(nails.Select(2, TRUE), 0);
  EXPECT_EQ(nails.GetCurrent(), 1);
  EXPECT_EQ(parent.codes.size(), 3u);
  // A click on a nail selects it with notification.
  parent.refuse = false;
  nails.SendMessage(WM_LBUTTONDOWN, 0, At(3));
  EXPECT_EQ(nails.GetCurrent(), 3);
  int selected[4];
  EXPECT_EQ(nails.GetSelected(4, selected), 1);
  EXPECT_EQ(selected[0], 3);
}

TEST_F(Nails, ShiftAndControlClicksSelectRangesAndToggle) {
  nails.Select(1, FALSE);
  nails.SendMessage(WM_LBUTTONDOWN, MK_SHIFT, At(3));
  EXPECT_EQ(nails.GetCurrent(), 1);
  int selected[4] = {};
  EXPECT_EQ(nails.GetSelected(4, selected), 3);
  nails.SendMessage(WM_LBUTTONDOWN, MK_CONTROL, At(2));
  EXPECT_FALSE(nails.IsSelected(2));
  nails.EnableMultipleSel(FALSE);
  nails.SendMessage(WM_LBUTTONDOWN, MK_CONTROL, At(0));
  EXPECT_FALSE(nails.IsSelected(0)) << "ignored without multiple selection";
}

TEST_F(Nails, DeletingCountsEachNailOnceAndKeepsTheCurrentOneRight) {
  nails.Select(3, FALSE);
  int twice[] = {0, 0, 1, 9, -1};
  EXPECT_EQ(nails.DeleteItem(5, twice), 2) << "repeated and out-of-range indexes are ignored";
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"East", L"West"}));
  EXPECT_EQ(nails.GetCurrent(), 1) << "West moved down with the nails before it";
  // The current nail deleted while the parent refuses changes: no nail is current after.
  parent.refuse = true;
  EXPECT_EQ(nails.DeleteItem(1), 1);
  EXPECT_EQ(nails.GetCurrent(), -1);
  EXPECT_EQ(nails.GetSelected(4, twice), 0);
}

TEST_F(Nails, DraggingTheCurrentNailMovesTheSelectionAfterTheLast) {
  nails.Select(0, FALSE);
  nails.SendMessage(WM_LBUTTONDOWN, MK_SHIFT, At(1));  // North and South selected
  parent.codes.clear();
  nails.SendMessage(WM_LBUTTONDOWN, 0, At(0));
  ASSERT_EQ(GetCapture(), nails.m_hWnd) << "the parent allowed the drag";
  const CRect last = nails.GetNailRect(3);
  nails.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(last.right + 10, last.top + 3));
  nails.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(last.right + 10, last.top + 3));
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"East", L"West", L"North", L"South"}));
  EXPECT_EQ(nails.GetCurrent(), 2);
  EXPECT_EQ(parent.codes, (std::vector<int>{NAILN_BEGINDRAG, NAILN_MOVED}));
  EXPECT_EQ(parent.moved.target, 3);
  EXPECT_EQ(parent.moved.after, 1);
  EXPECT_NE(GetCapture(), nails.m_hWnd);
  // A parent that answers 0 keeps the drag from starting.
  parent.dragAnswer = 0;
  nails.SendMessage(WM_LBUTTONDOWN, 0, At(2));
  EXPECT_NE(GetCapture(), nails.m_hWnd);
}

TEST_F(Nails, ScrollingFollowsTheSelectionBothWays) {
  // All fit: no buttons, the first nail first.
  EXPECT_EQ(nails.FirstVisible(), 0);
  const int shown = nails.GetNailRect(0).left;
  EXPECT_EQ(shown, 0);
  for (int i = 0; i < 12; ++i) nails.AddItem(L"Another page", NULL, NULL, -1, 0);
  nails.ScrollIfNeeded(nails.GetCount() - 1);
  EXPECT_GT(nails.FirstVisible(), 0);
  EXPECT_LE(nails.GetNailRect(nails.GetCount() - 1).right, 400);
  EXPECT_GE(nails.GetNailRect(nails.FirstVisible()).left, 2 * GetSystemMetrics(SM_CXHSCROLL));
  // A nail left of the first visible one brings the strip back.
  nails.Select(0, FALSE);
  EXPECT_EQ(nails.FirstVisible(), 0);
  // The left button scrolls one nail to the right end and back.
  nails.ScrollIfNeeded(5);
  const int first = nails.FirstVisible();
  nails.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(GetSystemMetrics(SM_CXHSCROLL) / 2, 10));
  nails.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(GetSystemMetrics(SM_CXHSCROLL) / 2, 10));
  EXPECT_EQ(nails.FirstVisible(), first > 0 ? first - 1 : 0);
}

TEST_F(Nails, ToolsAreRegisteredOnlyWhenTheNailsChange) {
  const int before = nails.ToolRegistrations();
  for (int x = 0; x < 300; x += 10) nails.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, 8));
  EXPECT_EQ(nails.ToolRegistrations(), before);
  nails.AddItem(L"More", L"more", NULL, -1, 0);
  EXPECT_EQ(nails.ToolRegistrations(), before + 1);
}

TEST_F(Nails, TheFrameLayoutGivesTheStripItsBarAtItsSide) {
  AFX_SIZEPARENTPARAMS layout = {};
  layout.rect = RECT{0, 0, 400, 200};
  nails.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  const int h = nails.GetFullBarHeight();
  EXPECT_GT(h, 4);
  EXPECT_EQ(layout.rect.bottom, 200 - h);
  nails.SetAlignment(NAILS_ALIGN_TOP);
  EXPECT_TRUE(nails.IsTop());
  layout.rect = RECT{0, 0, 400, 200};
  nails.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  EXPECT_EQ(layout.rect.top, h);
  nails.SetVisible(FALSE);
  EXPECT_EQ(nails.GetFullBarHeight(), 0);
  // Help ids by point.
  nails.SetVisible(TRUE);
  EXPECT_EQ(nails.SendMessage(WM_HELPHITTEST, 0, At(1)), 700);
  EXPECT_EQ(nails.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(399, 5)), 0);
}

TEST_F(Nails, DumpingListsSelectsAndCounts) {
  CStringList texts;
  EXPECT_EQ(UIDumpNails(nails.m_hWnd, 0, NULL, &texts), 0);
  EXPECT_EQ(texts.GetCount(), 4);
  unsigned long value = 2;
  EXPECT_EQ(UIDumpNails(nails.m_hWnd, 1, &value, NULL), 0);
  EXPECT_EQ(nails.GetCurrent(), 2);
  EXPECT_EQ(UIDumpNails(nails.m_hWnd, 3, &value, NULL), 0);
  EXPECT_EQ(value, 4u);
  EXPECT_EQ(UIDumpNails(parent.m_hWnd, 3, &value, NULL), 1);
  EXPECT_EQ(UIDumpNails(nails.m_hWnd, 7, &value, NULL), 1);
}

TEST_F(Nails, TheCurrentNailIsDrawnLargerAndItsNeighboursPlain) {
  nails.Select(1, FALSE);
  CRect client;
  nails.GetClientRect(&client);
  DibCanvas canvas(client.Width(), client.Height() + 4, RGB(0, 255, 0));
  ASSERT_TRUE(canvas.valid());
  nails.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  GdiFlush();
  // Bottom alignment: highlight on the left edge, the dark shadow on the right edge.
  const CRect plain = nails.GetNailRect(3), current = nails.GetNailRect(1);
  EXPECT_EQ(canvas.At(plain.left, plain.top + 2), GetSysColor(COLOR_3DHILIGHT));
  EXPECT_EQ(canvas.At(plain.right - 1, plain.top + 2), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(current.bottom, plain.bottom + 2);
  EXPECT_EQ(canvas.At(current.left + 2, current.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
  // Text in both.
  EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_WINDOWTEXT), current), 10);
  EXPECT_EQ(canvas.CountOf(RGB(0, 255, 0), client), 0) << "the whole client area is painted";
}

// A strip's fonts go with it after measuring and painting have had them selected: a font still
// selected anywhere could not be freed.
TEST(NailsFonts, AStripLeavesNoGdiObjectBehind) {
  Parent parent;
  ASSERT_TRUE(parent.Make());
  DibCanvas canvas(400, 40);
  ASSERT_TRUE(canvas.valid());
  auto life = [&] {
    CUIToolNails nails;
    ASSERT_TRUE(nails.Create(&parent, NAILS_ALIGN_BOTTOM, 5));
    nails.SetWindowPos(NULL, 0, 150, 400, nails.GetFullBarHeight(), SWP_NOZORDER);
    for (const wchar_t* t : {L"North", L"South", L"East"}) nails.AddItem(t, NULL, NULL, -1, 0);
    nails.Select(1, FALSE);
    nails.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    nails.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    nails.DestroyWindow();
  };
  life();  // what only the first strip makes (the library's classes, the system's caches)
  const int before = testing_support::GdiObjectCount();
  life();
  EXPECT_EQ(testing_support::GdiObjectCount(), before);
  parent.DestroyWindow();
}

TEST(NailsImages, AnOwnedListIsDeletedOnceAndABorrowedOneNever) {
  Parent parent;
  ASSERT_TRUE(parent.Make());
  CImageList borrowed;
  ASSERT_TRUE(borrowed.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
  {
    CUIToolNails nails;
    ASSERT_TRUE(nails.Create(&parent, NAILS_ALIGN_BOTTOM | NAILS_BORROWIMAGES, 3));
    nails.SetImageList(&borrowed);
    nails.AddItem(L"a", NULL, NULL, 0, 0);
  }
  EXPECT_NE(borrowed.GetSafeHandle(), static_cast<HIMAGELIST>(NULL));
  EXPECT_EQ(ImageList_GetImageCount(borrowed.GetSafeHandle()), 0);
  {
    CUIToolNails nails;
    ASSERT_TRUE(nails.Create(&parent, NAILS_ALIGN_BOTTOM, 4));
    CImageList* owned = new CImageList;
    ASSERT_TRUE(owned->Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    nails.SetImageList(owned);
    nails.DestroyWindow();  // the list stays until the object goes, and goes once
  }
  parent.DestroyWindow();
}

}  // namespace

namespace {

TEST(PortableNails, TheStripOfThePortableControlHasItsOwnClassAndNoTooltips) {
  Parent parent;
  ASSERT_TRUE(parent.Make());
  CToolNails nails;
  ASSERT_TRUE(nails.Create(&parent, NAILS_ALIGN_TOP, 8));
  wchar_t name[32] = L"";
  GetClassNameW(nails.m_hWnd, name, 32);
  EXPECT_STREQ(name, L"QvToolNails");
  unsigned long value = 0;
  EXPECT_EQ(DumpNails(nails.m_hWnd, 3, &value, NULL), 3) << "no nails yet";
  EXPECT_EQ(nails.AddItem(L"One", NULL, -1, 5), 0);
  EXPECT_EQ(nails.InsertItem(L"Zero", 0, NULL, -1, 4), 0);
  EXPECT_EQ(DumpNails(nails.m_hWnd, 3, &value, NULL), 0);
  EXPECT_EQ(value, 2u);
  EXPECT_EQ(nails.ToolRegistrations(), 0);
  CUIToolNails framework;
  ASSERT_TRUE(framework.Create(&parent, NAILS_ALIGN_BOTTOM, 9));
  framework.AddItem(L"x", NULL, NULL, -1, 0);
  EXPECT_EQ(DumpNails(framework.m_hWnd, 3, &value, NULL), 1) << "not a portable control's strip";
  EXPECT_EQ(UIDumpNails(nails.m_hWnd, 2, &value, NULL), 0) << "either strip for UIDumpNails";
  framework.DestroyWindow();
  nails.DestroyWindow();
  parent.DestroyWindow();
}

// While nails are dragged the cursor is the library's own: one nail, or several; released,
// the arrow again.
TEST_F(Nails, DraggingShowsTheCursorOfOneNailOrOfSeveral) {
  HMODULE library = GetModuleHandleW(L"quarnel.dll");
  ASSERT_NE(library, (HMODULE)NULL);
  const struct {
    bool several;
    WORD cursor;
  } cases[] = {{false, 268}, {true, 269}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.several ? "several" : "one");
    const HCURSOR expected = LoadCursor(library, MAKEINTRESOURCE(c.cursor));
    ASSERT_NE(expected, (HCURSOR)NULL);
    nails.Select(0, FALSE);
    if (c.several) nails.SendMessage(WM_LBUTTONDOWN, MK_SHIFT, At(1));
    SetCursor(LoadCursor(NULL, IDC_IBEAM));
    nails.SendMessage(WM_LBUTTONDOWN, 0, At(0));
    ASSERT_EQ(GetCapture(), nails.m_hWnd);
    EXPECT_EQ(GetCursor(), expected);
    nails.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(2));
    EXPECT_EQ(GetCursor(), expected);
    nails.SendMessage(WM_LBUTTONUP, 0, At(0));  // dropped where it was: nothing moves
    EXPECT_EQ(GetCursor(), LoadCursor(NULL, IDC_ARROW));
  }
}

// The earlier edition picks the nails' fonts by the user-interface language: 9 points in the
// language's character set with the face of the host's label; the current edition keeps the
// default GUI font's size.
TEST(NailsFont, FollowsTheFarEastLanguagesInTheEarlierEdition) {
  class FontNails : public CUIToolNails {
   public:
    LOGFONTW Font(bool bold) {
      LOGFONTW lf = {};
      ::GetObjectW((bold ? m_bold : m_normal).GetSafeHandle(), sizeof lf, &lf);
      return lf;
    }
  };
  const CQvOriginInfo saved = gOrgInfo;
  Parent parent;
  ASSERT_TRUE(parent.Make());
  HDC screen = GetDC(NULL);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(NULL, screen);
  LOGFONTW stock = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
  const struct {
    const char* language;
    int charset;  // -1: not a Far-East language
  } cases[] = {{"en", -1}, {"ja", SHIFTJIS_CHARSET}, {"ko", HANGUL_CHARSET}, {"zh_CN", GB2312_CHARSET}, {"zh_TW", CHINESEBIG5_CHARSET}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    gOrgInfo.DoQvChangeLang(c.language);
    FontNails nails;
    ASSERT_TRUE(nails.Create(&parent, NAILS_ALIGN_BOTTOM, 9));
#ifdef UNICODE
    const bool byLanguage = false;
#else
    const bool byLanguage = c.charset >= 0;
#endif
    for (bool bold : {false, true}) {
      const LOGFONTW lf = nails.Font(bold);
      EXPECT_EQ(lf.lfWeight >= FW_BOLD, bold);
      if (byLanguage) {
        EXPECT_EQ(lf.lfHeight, -MulDiv(9, dpi, 72));
        EXPECT_EQ(lf.lfCharSet, c.charset);
        EXPECT_STREQ(lf.lfFaceName, L"Test Face");
      } else {
        EXPECT_EQ(lf.lfHeight, stock.lfHeight);
        EXPECT_STRNE(lf.lfFaceName, L"Test Face");
      }
    }
    nails.DestroyWindow();
  }
  parent.DestroyWindow();
  gOrgInfo = saved;
}

}  // namespace
