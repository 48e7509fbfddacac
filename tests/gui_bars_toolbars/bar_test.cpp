// Toolbars built from button lists: the buttons, their images and rights, the lists read as
// outside data, and the controls that control makers put in place of buttons.
#include <GUIPlatformUtilities.h>
#include <QvHotKeyText.h>

#include <commctrl.h>

#include <memory>

#include "dib_canvas.h"
#include "guitoolbars_test.h"
#include "test_support.h"

namespace {

// The host's maker of a plain combo box, six placeholders wide.
class TestComboMaker : public QvComboBoxMaker {
  QV_DECLARE_CREATABLE(TestComboMaker)
 public:
  bool CreateControl(CWnd* toolbar, RECT* space, unsigned int commandId) override {
    CRect r(*space);
    r.bottom = r.top + 120;  // room for the drop-down list
    if (!m_box.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, r, toolbar, commandId)) return false;
    SetSystemFont(&m_box);
    return true;
  }
  unsigned short GetSeparatorCount() override { return 6; }
  CWnd* GetControl() override { return m_box.m_hWnd ? &m_box : nullptr; }
  HFONT Font() const { return static_cast<HFONT>(m_font.m_hObject); }

 private:
  CComboBox m_box;
};
QV_IMPLEMENT_CREATABLE(TestComboMaker, QV_RUNTIME_CLASS(QvComboBoxMaker))
QV_CLASSINIT(TestComboMaker)

// A maker that makes no control.
class RefusingMaker : public QvControlMaker {
  QV_DECLARE_CREATABLE(RefusingMaker)
 public:
  bool CreateControl(CWnd*, RECT*, unsigned int) override { return false; }
  unsigned short GetSeparatorCount() override { return 3; }
  CWnd* GetControl() override { return nullptr; }
};
QV_IMPLEMENT_CREATABLE(RefusingMaker, QV_RUNTIME_CLASS(QvControlMaker))
QV_CLASSINIT(RefusingMaker)

const DWORD kStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS;

class BarTest : public ToolbarTest {
 protected:
  // A bar of the style made in the frame from the lists, laid out in the frame.
  std::unique_ptr<CGUIMultipleBitmapToolbar> Make(std::initializer_list<unsigned> lists,
                                                  QvToolBarBitmapStyle style = QvToolBarSmallColor) {
    auto bar = std::make_unique<CGUIMultipleBitmapToolbar>(style, 0xE840);
    for (unsigned list : lists) bar->MemorizeToolBar(list);
    EXPECT_TRUE(bar->Create(frame, kStyle));
    frame->RecalcLayout();
    return bar;
  }
  // The button's centre in the bar's client coordinates.
  static CPoint CentreOf(CToolBar* bar, UINT id) {
    CRect r;
    bar->GetItemRect(bar->CommandToIndex(id), &r);
    return r.CenterPoint();
  }
};

TEST_F(BarTest, AListGivesOneButtonPerCommandWithItsImageAndKind) {
  auto bar = Make({LIST_MAIN});
  // Separators stay; the hidden macro leaves no gap; the check kinds 1 and 2 are check buttons.
  EXPECT_EQ(ButtonsOf(bar.get()), "100 101 | 102c 103c | 104 105 107");
  // The second strip's images follow the first's four; a shared bitmap is loaded once.
  EXPECT_EQ(ImagesOf(bar.get()), (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(bar->SendMessage(TB_GETIMAGELIST));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 6);
  // Buttons and images of the small style.
  const DWORD size = static_cast<DWORD>(bar->SendMessage(TB_GETBUTTONSIZE));
  EXPECT_EQ(LOWORD(size), 23);
  EXPECT_EQ(HIWORD(size), 22);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 15);
  EXPECT_EQ(bar->GetToolBarResource().GetSize(), 1);
}

TEST_F(BarTest, ImagesAreTheLeftHalfWithTheButtonColoursMapped) {
  auto bar = Make({LIST_MAIN});
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(bar->SendMessage(TB_GETIMAGELIST));
  ASSERT_NE(images, nullptr);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const struct {
    int image;
    COLORREF centre;
  } cases[] = {{0, RGB(255, 0, 0)}, {1, RGB(0, 255, 0)}, {2, RGB(0, 0, 255)},
               {3, RGB(255, 255, 0)}, {4, RGB(0, 255, 255)}, {5, RGB(255, 0, 255)}};
  for (const auto& c : cases) {
    // Drawn on the button face: a masked light grey shows the face as well.
    testing_support::DibCanvas canvas(16, 15, face);
    ASSERT_TRUE(canvas.valid());
    ASSERT_TRUE(ImageList_Draw(images, c.image, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(canvas.At(8, 8), c.centre) << c.image;
    EXPECT_EQ(canvas.At(0, 0), face) << c.image;                            // light grey
    EXPECT_EQ(canvas.At(1, 0), GetSysColor(COLOR_BTNSHADOW)) << c.image;  // dark grey
  }
}

TEST_F(BarTest, TheLargeStyleTakesTheNextBitmapAndLargerButtons) {
  auto bar = Make({LIST_MAIN}, QvToolBarLargeColor);
  EXPECT_EQ(bar->GetToolBarBitmapStyle(), QvToolBarLargeColor);
  const DWORD size = static_cast<DWORD>(bar->SendMessage(TB_GETBUTTONSIZE));
  EXPECT_EQ(LOWORD(size), 31);
  EXPECT_EQ(HIWORD(size), 30);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(bar->SendMessage(TB_GETIMAGELIST));
  ASSERT_NE(images, nullptr);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  EXPECT_EQ(cx, 24);
  EXPECT_EQ(cy, 23);
  EXPECT_EQ(ButtonsOf(bar.get()), "100 101 | 102c 103c | 104 105 107");
  EXPECT_EQ(ImagesOf(bar.get()), (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
  testing_support::DibCanvas canvas(24, 23, GetSysColor(COLOR_BTNFACE));
  ASSERT_TRUE(ImageList_Draw(images, 2, canvas.dc(), 0, 0, ILD_NORMAL));
  EXPECT_EQ(canvas.At(12, 12), RGB(0, 0, 255));
  // The plain styles have no bitmaps here: no command gets a button.
  auto plain = Make({LIST_MAIN}, QvToolBarLargePlain);
  EXPECT_EQ(ButtonsOf(plain.get()), "| |");
}

TEST_F(BarTest, RightsHideOrDisableButtonsAndStatesFollowTheTarget) {
  auto bar = Make({LIST_MAIN});
  target.checked = {CMD_GRID, CMD_RULERS};
  // The frame's idle update asks the portable road for every button.
  bar->OnUpdateCmdUI(frame, TRUE);
  EXPECT_EQ(ButtonsOf(bar.get()), "100 101 | 102c* 103c* | 104 105 107-");
  target.checked.clear();
  Rights::answers[CMD_MAIL | 0x40000000UL] = 1;
  bar->OnUpdateCmdUI(frame, TRUE);
  EXPECT_EQ(ButtonsOf(bar.get()), "100 101 | 102c 103c | 104 105 107");
}

TEST_F(BarTest, AClickRunsTheCommandThroughThePortableRoadOfTheFrame) {
  auto bar = Make({LIST_MAIN});
  frame->ShowWindow(SW_SHOWNA);
  frame->RecalcLayout();
  const CPoint at = CentreOf(bar.get(), CMD_SAVE);
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  testing_support::PumpMessages();
  EXPECT_EQ(target.run, (std::vector<unsigned short>{CMD_SAVE}));
}

TEST_F(BarTest, HelpHitTestAnswersTheCommandsHelpContext) {
  auto bar = Make({LIST_MAIN});
  const CPoint open = CentreOf(bar.get(), CMD_OPEN);
  EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(open.x, open.y)), 4100);
  const CPoint save = CentreOf(bar.get(), CMD_SAVE);
  EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(save.x, save.y)), 0);
  CRect separator;
  bar->GetItemRect(2, &separator);
  const CPoint gap = separator.CenterPoint();
  EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(gap.x, gap.y)), 0);
}

TEST_F(BarTest, ButtonListsAreReadNoFurtherThanTheirResource) {
  const struct {
    const char* what;
    unsigned list;
    BOOL result;
    const char* buttons;
  } cases[] = {
      // Failed entries make the result FALSE; the others are placed.
      {"failed entries", LIST_FAILURES, FALSE, "100 101"},
      {"no end mark", LIST_UNENDED, TRUE, "100 101"},
      {"an odd byte at the end", LIST_ODD, TRUE, "100"},
      {"separators and a hidden command", LIST_EMPTY, TRUE, "| |"},
      {"missing list", LIST_MISSING, FALSE, ""},
  };
  for (const auto& c : cases) {
    CGUIMultipleBitmapToolbar bar(0xE840);
    ASSERT_TRUE(bar.Create(frame, kStyle)) << c.what;
    EXPECT_EQ(bar.AddToolBar(c.list, TRUE), c.result) << c.what;
    EXPECT_EQ(ButtonsOf(&bar), c.buttons) << c.what;
    // Only a list that exists is memorised.
    EXPECT_EQ(bar.GetToolBarResource().GetSize(), c.list == LIST_MISSING ? 0 : 1) << c.what;
  }
}

TEST_F(BarTest, SingleCommandsThatCannotBePlacedFail) {
  CGUIMultipleBitmapToolbar bar(0xE840);
  ASSERT_TRUE(bar.Create(frame, kStyle));
  const struct {
    unsigned id;
    BOOL placed;
  } cases[] = {{CMD_NO_BITMAP, FALSE},  {CMD_NO_IMAGE, FALSE}, {CMD_PAST_STRIP, FALSE},
               {CMD_LOST_BITMAP, FALSE}, {CMD_UNKNOWN, FALSE}, {CMD_MACRO, TRUE}};
  for (const auto& c : cases) EXPECT_EQ(bar.AddButtonFromCommand(c.id), c.placed) << c.id;
  EXPECT_EQ(bar.GetCount(), 0);
  // A bar without its window places nothing.
  CGUIMultipleBitmapToolbar unmade(0xE841);
  EXPECT_FALSE(unmade.AddButtonFromCommand(CMD_OPEN));
}

TEST_F(BarTest, StandardShortCutsAreNotedOnceEach) {
  QvToolBarManager manager;  // the list lives while a manager does
  QvListLPQvFirst* list = Get_GlobalListStandardShortCutCommandDef();
  ASSERT_NE(list, nullptr);
  auto bar = Make({LIST_MAIN, LIST_MAIN});
  // Ctrl+O and Ctrl+Shift+C; not Ctrl+C, which edit controls keep.
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(static_cast<QvCommandDef*>(list->GetHead())->m_id, CMD_OPEN);
  EXPECT_EQ(static_cast<QvCommandDef*>(list->GetTail())->m_id, CMD_COPY_ALL);
}

TEST_F(BarTest, AControlMakerPutsItsControlOverItsPlaceholders) {
  auto bar = Make({LIST_CONTROLS});
  EXPECT_EQ(ButtonsOf(bar.get()), "100 6[120] 101 6[125]");
  for (unsigned id : {CMD_ZOOM, CMD_FONT}) {
    auto* maker = dynamic_cast<TestComboMaker*>(bar->GetControlMaker(id));
    ASSERT_NE(maker, nullptr) << id;
    CWnd* box = maker->GetControl();
    ASSERT_NE(box, nullptr) << id;
    EXPECT_EQ(::GetParent(box->m_hWnd), bar->m_hWnd);
    EXPECT_EQ(static_cast<unsigned>(box->GetDlgCtrlID()), id);
    wchar_t cls[32] = {};
    GetClassNameW(box->m_hWnd, cls, 32);
    EXPECT_STREQ(cls, L"ComboBox");
    // The box spans the placeholders: from the first one's left to the last one's right.
    int first = -1, last = -1;
    for (int i = 0; i < bar->GetCount(); ++i) {
      TBBUTTON b = {};
      bar->SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
      if ((b.fsStyle & TBSTYLE_SEP) && b.dwData == id) {
        if (first < 0) first = i;
        last = i;
      }
    }
    CRect a, b, placed;
    bar->GetItemRect(first, &a);
    bar->GetItemRect(last, &b);
    box->GetWindowRect(&placed);
    bar->ScreenToClient(&placed);
    EXPECT_EQ(placed.left, a.left) << id;
    EXPECT_EQ(placed.right, b.right) << id;
    EXPECT_EQ(placed.top, a.top) << id;
    // The stock font of the running Windows version.
    const int version = static_cast<int>(GUIGetWindowsVersion());
    const int stock = version == 1 ? ANSI_VAR_FONT : version == 2 ? DEVICE_DEFAULT_FONT
                                   : version == 3 ? SYSTEM_FONT : DEFAULT_GUI_FONT;
    EXPECT_EQ(maker->Font(), static_cast<HFONT>(GetStockObject(stock)));
    EXPECT_EQ(reinterpret_cast<HFONT>(box->SendMessage(WM_GETFONT)), maker->Font());
  }
  EXPECT_EQ(bar->GetControlMaker(CMD_OPEN), nullptr);
  // The bar deletes its makers, and their controls go with them.
  HWND box = bar->GetControlMaker(CMD_ZOOM)->GetControl()->m_hWnd;
  bar.reset();
  EXPECT_FALSE(IsWindow(box));
}

TEST_F(BarTest, ControlsWithoutAUsableMakerFailCleanly) {
  CGUIMultipleBitmapToolbar bar(0xE840);
  ASSERT_TRUE(bar.Create(frame, kStyle));
  const struct {
    const char* what;
    unsigned id;
  } cases[] = {
      {"a class name no class is registered under", CMD_NO_SUCH_MAKER},
      {"a registered class that makes no controls", CMD_NOT_A_MAKER},
      {"no control class", CMD_NO_CONTROL_CLASS},
      {"a maker that makes no control", CMD_REFUSED},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(bar.AddButtonFromCommand(c.id)) << c.what;
    EXPECT_EQ(bar.GetControlMaker(c.id), nullptr) << c.what;
    EXPECT_EQ(ButtonsOf(&bar), "") << c.what << ": no placeholder is left";
  }
  EXPECT_FALSE(bar.AddToolBar(LIST_BAD_CONTROLS, FALSE));
  // One control per command on a bar: the second is refused, the first stays.
  EXPECT_FALSE(bar.AddToolBar(LIST_SAME_CONTROL, FALSE));
  EXPECT_EQ(ButtonsOf(&bar), "6[120]");
  ASSERT_NE(bar.GetControlMaker(CMD_ZOOM), nullptr);
  EXPECT_NE(bar.GetControlMaker(CMD_ZOOM)->GetControl(), nullptr);
}

TEST_F(BarTest, ShowHidesTheBarInItsFrameAndTooltipsFollowTheirSetting) {
  auto bar = Make({LIST_MAIN});
  frame->ShowWindow(SW_SHOWNA);
  EXPECT_TRUE(bar->IsShowed());
  bar->Show(false);
  EXPECT_FALSE(bar->IsShowed());
  EXPECT_FALSE(bar->IsMemorizedShow());
  EXPECT_FALSE(bar->IsWindowVisible());
  bar->Show(true);
  EXPECT_TRUE(bar->IsWindowVisible());
  bar->ShowToolTips(false);
  EXPECT_EQ(bar->GetBarStyle() & CBRS_TOOLTIPS, 0u);
  bar->ShowToolTips(true);
  EXPECT_NE(bar->GetBarStyle() & CBRS_TOOLTIPS, 0u);
  // Before the bar is made, the wish is only recorded.
  CGUIMultipleBitmapToolbar unmade(0xE841);
  unmade.Show(false);
  EXPECT_FALSE(unmade.IsMemorizedShow());
  EXPECT_FALSE(unmade.IsShowed());
}

}  // namespace
