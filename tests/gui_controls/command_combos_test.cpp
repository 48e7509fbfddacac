// Command combo boxes on a toolbar: a selection in each kind sends its command to the
// toolbar's owner, the value command 34876, ids without a command and unset adaptors doing
// nothing, the adaptors made by name and driving their combo boxes, and the line-type table.
#include <GUIInitialisations.h>
#include <GUIToolbarCombos.h>
#include <QvCommandCombos.h>
#include <fw_bars.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "test_support.h"
#include "widgets_test.h"

using namespace testing_support;

namespace {

// A top-level framework window that logs the commands it receives.
class CommandSink : public CWnd {
 public:
  bool Make(DWORD style, LPCTSTR title) {
    return CreateEx(0, AfxRegisterWndClass(0), title, style, 0, 0, 300, 120, NULL, NULL) != FALSE;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) Recorder().Record(m_hWnd, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

enum : unsigned short { kZoomId = 601, kFontsId = 602, kSizesId = 603, kLineId = 604, kNoCommandId = 777 };

class ToolbarCombos : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
    center = new QvCommandCenter;
    Set_TheCommandCenter(center);
    for (unsigned short id : {static_cast<unsigned short>(kZoomId), static_cast<unsigned short>(kFontsId),
                              static_cast<unsigned short>(kSizesId), static_cast<unsigned short>(kLineId),
                              static_cast<unsigned short>(34876)}) {
      QvUsrCommandDef* def = new QvUsrCommandDef;
      def->m_id = id;
      ASSERT_TRUE(center->AddCommandDef(def));
    }
    ASSERT_TRUE(frame.Make(WS_POPUP | WS_VISIBLE, _T("frame")));
    ASSERT_TRUE(owner.Make(WS_POPUP, _T("owner")));
    // The toolbar: a framework child of the frame, owned by another window.
    ASSERT_TRUE(toolbar.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), &frame, 1));
    toolbar.SetOwner(&owner);
  }
  void TearDown() override {
    for (auto& combo : combos) combo.reset();
    toolbar.DestroyWindow();
    owner.DestroyWindow();
    frame.DestroyWindow();
    PumpMessages();
    Set_TheCommandCenter(nullptr);
    delete center;
    QvCommandForZoomComboBox::Set_ZoomComboBox(nullptr);
    QvCommandForFontsComboBox::Set_FontsComboBox(nullptr);
    QvCommandForSizesComboBox::Set_ComboBox(nullptr);
    QvCommandForDrillDepthComboBox::Set_ComboBox(nullptr);
    QvCommandForLineComboBox::Set_ComboBox(nullptr);
    PlatformGUIRelease();
  }

 public:  // for the case tables
  // A combo box of that platform class on the toolbar.
  template <class Kind>
  Kind* Make(unsigned short id, DWORD style, int x) {
    Kind* combo = new Kind;
    combos.emplace_back(combo);
    EXPECT_TRUE(combo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | style, CRect(x, 2, x + 70, 150), &toolbar, id));
    return combo;
  }
  // Down arrow in the focused combo box, as the user presses it.
  void PressDown(CWnd* combo) {
    SetForegroundWindow(frame.m_hWnd);
    ::SetFocus(combo->m_hWnd);
    PumpMessages();
    Recorder().Reset();
    TypeKeys({VK_DOWN});
    Recorder().Pump();
  }

  QvCommandCenter* center = nullptr;
  CommandSink frame, owner;
  CWnd toolbar;
  std::vector<std::unique_ptr<CWnd>> combos;
};

// A selection in each kind sends the command of its id to the toolbar's owner, once.
TEST_F(ToolbarCombos, SelectionSendsTheCommandToTheOwner) {
  CGUIFontsComboBox* fonts = nullptr;
  struct Case {
    const char* kind;
    std::function<CGUIComboBox*(ToolbarCombos&)> make;  // the combo, filled, an item selected
    unsigned short id;
  } cases[] = {
      {"zoom",
       [](ToolbarCombos& t) {
         CGUIZoomComboBox* zoom = t.Make<CGUIZoomComboBox>(kZoomId, CBS_DROPDOWN, 0);
         zoom->SetZoomValues(CGUIComboBox::kDefaultZoomValues, 9, true);
         return zoom;
       },
       kZoomId},
      {"fonts",
       [&fonts](ToolbarCombos& t) {
         fonts = t.Make<CGUIFontsComboBox>(kFontsId, CBS_DROPDOWN, 75);
         fonts->FillFonts();
         fonts->SetFontSelection(L"Tahoma", 10);
         return fonts;
       },
       kFontsId},
      {"sizes",
       [&fonts](ToolbarCombos& t) {
         CGUISizesComboBox* sizes = t.Make<CGUISizesComboBox>(kSizesId, CBS_DROPDOWN, 150);
         fonts->LinkSizesCombo(sizes);
         fonts->SetFontSelection(L"Tahoma", 10);
         return sizes;
       },
       kSizesId},
      {"line",
       [](ToolbarCombos& t) {
         CGUILineComboBox* line = t.Make<CGUILineComboBox>(kLineId, CBS_DROPDOWNLIST, 225);
         line->FillLineWidths(0);
         return line;
       },
       kLineId},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    CGUIComboBox* combo = c.make(*this);
    ASSERT_TRUE(combo && combo->m_hWnd);
    const LRESULT before = SendMessageW(combo->m_hWnd, CB_GETCURSEL, 0, 0);
    ASSERT_GE(before, 0);
    PressDown(combo);
    // Down arrow in the focused combo box: the owner gets the command as from a button.
    const ExpectedMsg expected[] = {{WM_COMMAND, kSent | kWparam | kLparam, MAKEWPARAM(c.id, 0), 0}, {0, 0, 0, 0}};
    EXPECT_TRUE(Recorder().Matches(expected));
    EXPECT_EQ(SendMessageW(combo->m_hWnd, CB_GETCURSEL, 0, 0), before + 1);
  }
  EXPECT_EQ(dynamic_cast<CGUIComboBox*>(combos[0].get())->GetZoom(), 150) << "one down from 100";
}

// Without an owner the toolbar's parent gets the command.
TEST_F(ToolbarCombos, WithoutOwnerTheParentGetsIt) {
  toolbar.SetOwner(nullptr);
  CGUILineComboBox* line = Make<CGUILineComboBox>(kLineId, CBS_DROPDOWNLIST, 0);
  line->FillLineWidths(2);
  EXPECT_EQ(line->GetCommandTarget(), frame.m_hWnd);
  PressDown(line);
  ASSERT_EQ(Recorder().Count(WM_COMMAND), 1u);
  EXPECT_EQ(Recorder().Messages()[0].hwnd, frame.m_hWnd);
  EXPECT_EQ(Recorder().Messages()[0].wParam, MAKEWPARAM(kLineId, 0));
}

// On a framework toolbar (a control bar, which hands what it does not take to its owner)
// the selection becomes the command: the combo box's selection change stops at the toolbar.
TEST_F(ToolbarCombos, OnAFrameworkToolbar) {
  CToolBar bar;
  ASSERT_TRUE(bar.Create(&frame));
  bar.SetOwner(&owner);
  std::unique_ptr<CGUILineComboBox> line(new CGUILineComboBox);
  ASSERT_TRUE(line->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 80, 120), &bar, kLineId));
  line->FillLineWidths(0);
  EXPECT_EQ(line->GetCommandTarget(), owner.m_hWnd);
  PressDown(line.get());
  // Down arrow in the line box: the owner gets the command, not the selection change.
  const ExpectedMsg expected[] = {
      // the combo box's CBN_SELENDOK, which the bar hands on (Wine sends it for a key)
      {WM_COMMAND, kSent | kWparam | kOptional, MAKEWPARAM(kLineId, CBN_SELENDOK), 0},
      {WM_COMMAND, kSent | kWparam | kLparam, MAKEWPARAM(kLineId, 0), 0},
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(expected));
  line.reset();
  bar.DestroyWindow();
}

// The value change of control 34876 is its command too: a typed zoom sends it once, a
// selection sends it for the value and for the selection.
TEST_F(ToolbarCombos, ValueCommandOfControl34876) {
  CGUIZoomComboBox* zoom = Make<CGUIZoomComboBox>(34876, CBS_DROPDOWN, 0);
  ASSERT_TRUE(zoom->SetZoomValues(CGUIComboBox::kDefaultZoomValues, 9, false));
  EXPECT_EQ(zoom->m_flags & CGUIComboBox::kZoomFreeValues, 0) << "only listed values";
  HWND edit = GetDlgItem(zoom->m_hWnd, CGUIComboBox::kEditChildId);
  Recorder().Reset();
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"200"));
  Recorder().Pump();
  // A typed listed zoom: the value changed, its command goes to the owner.
  const ExpectedMsg typed[] = {{WM_COMMAND, kSent | kWparam | kLparam, MAKEWPARAM(34876, 0), 0}, {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(typed));
  EXPECT_EQ(zoom->GetZoom(), 200);

  PressDown(zoom);
  // Down arrow: the value changes (first command), then the selection (second).
  const ExpectedMsg selected[] = {{WM_COMMAND, kSent | kWparam | kLparam, MAKEWPARAM(34876, 0), 0},
                                  {WM_COMMAND, kSent | kWparam | kLparam, MAKEWPARAM(34876, 0), 0},
                                  {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(selected));
  EXPECT_EQ(zoom->GetZoom(), 300);
}

// A selection in a combo box whose id has no command, or with no command centre at all,
// sends nothing; the toolbar handles the notification as it would any other.
TEST_F(ToolbarCombos, NoRegisteredCommandSendsNothing) {
  CGUILineComboBox* line = Make<CGUILineComboBox>(kNoCommandId, CBS_DROPDOWNLIST, 0);
  line->FillLineWidths(0);
  PressDown(line);
  EXPECT_EQ(Recorder().Count(WM_COMMAND), 0u);
  EXPECT_EQ(SendMessageW(line->m_hWnd, CB_GETCURSEL, 0, 0), 1);
  LRESULT result = 7;
  EXPECT_FALSE(line->OnChildNotify(WM_COMMAND, MAKEWPARAM(kNoCommandId, CBN_SELCHANGE),
                                   reinterpret_cast<LPARAM>(line->m_hWnd), &result));
  EXPECT_EQ(result, 7);

  CGUILineComboBox* registered = Make<CGUILineComboBox>(kLineId, CBS_DROPDOWNLIST, 80);
  registered->FillLineWidths(0);
  Set_TheCommandCenter(nullptr);
  PressDown(registered);
  EXPECT_EQ(Recorder().Count(WM_COMMAND), 0u);
  Set_TheCommandCenter(center);
}

// The five adaptors are made by name as commands; the editor adaptor is not made by name.
TEST_F(ToolbarCombos, AdaptorsAreMadeByName) {
  const char* const names[] = {"QvCommandForZoomComboBox", "QvCommandForFontsComboBox", "QvCommandForSizesComboBox",
                               "QvCommandForLineComboBox", "QvCommandForDrillDepthComboBox"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const QvRuntimeClass* cls = QvRuntimeClass::FromClassName(name);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->GetBaseClass(), QV_RUNTIME_CLASS(QvCommand));
    std::unique_ptr<QvFirst> object(cls->CreateObject());
    QvCommand* command = dynamic_cast<QvCommand*>(object.get());
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->GetRuntimeClass(), cls);
  }
  EXPECT_EQ(QvRuntimeClass::FromClassName("QvCommandForEditor"), nullptr);
}

// While no combo box is set every adaptor does nothing and answers its failure value; once
// set, each drives its own combo box.
TEST_F(ToolbarCombos, AdaptorsDriveTheirComboBoxes) {
  QvCommandForZoomComboBox zoomCommand;
  QvCommandForFontsComboBox fontsCommand;
  QvCommandForSizesComboBox sizesCommand;
  QvCommandForDrillDepthComboBox drillCommand;
  QvCommandForLineComboBox lineCommand;
  {
    QvArrayUShort values;
    values.Add(50);
    EXPECT_FALSE(zoomCommand.SetZoomValues(values, true));
    zoomCommand.SetZoomRange(1, 2);
    EXPECT_FALSE(zoomCommand.SetZoom(50));
    EXPECT_EQ(zoomCommand.GetZoom(), 0);
    QvFont font;
    QvString text("x");
    unsigned short size = 0;
    EXPECT_FALSE(fontsCommand.SetFont(font));
    EXPECT_FALSE(fontsCommand.GetFont(font));
    EXPECT_FALSE(fontsCommand.GetFontName(text));
    EXPECT_FALSE(fontsCommand.GetFontSize(size));
    EXPECT_FALSE(fontsCommand.LinkASizesCombo(nullptr));
    long index = 5;
    EXPECT_EQ(sizesCommand.AddItem(QvString("8")), -1);
    EXPECT_FALSE(sizesCommand.Select(0L));
    EXPECT_FALSE(sizesCommand.GetSelected(index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(sizesCommand.FindItem(QvString("8"), index));
    EXPECT_FALSE(sizesCommand.FindItem(0L, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(sizesCommand.GetCount(), 0);
    EXPECT_EQ(sizesCommand.GetItemData(0), nullptr);
    EXPECT_FALSE(sizesCommand.SetItemData(0, &index));
    sizesCommand.DeleteAllItems();
    lineCommand.SetLineStyle(static_cast<QvBorderLineType>(4));
    EXPECT_EQ(lineCommand.GetLineStyle(), 2);
  }

  // The host's portable combo boxes on the toolbar's windows.
  CGUIZoomComboBox* zoomWindow = Make<CGUIZoomComboBox>(kZoomId, CBS_DROPDOWN, 0);
  CGUIFontsComboBox* fontsWindow = Make<CGUIFontsComboBox>(kFontsId, CBS_DROPDOWN, 75);
  CGUISizesComboBox* sizesWindow = Make<CGUISizesComboBox>(kSizesId, CBS_DROPDOWN, 150);
  CGUIExtendedComboBox* drillWindow = Make<CGUIExtendedComboBox>(kNoCommandId, CBS_DROPDOWNLIST, 225);
  QvZoomComboBox zoom;
  QvFontsComboBox fonts;
  QvEditComboBox sizes, drill;
  ASSERT_TRUE(zoom.SetPlatformControl(zoomWindow->m_hWnd));
  ASSERT_TRUE(fonts.SetPlatformControl(fontsWindow->m_hWnd));
  ASSERT_TRUE(sizes.SetPlatformControl(sizesWindow->m_hWnd));
  ASSERT_TRUE(drill.SetPlatformControl(drillWindow->m_hWnd));
  EXPECT_EQ(zoom.GetPlatformControl(), zoomWindow) << "the window's own object";
  QvCommandForZoomComboBox::Set_ZoomComboBox(&zoom);
  QvCommandForFontsComboBox::Set_FontsComboBox(&fonts);
  QvCommandForSizesComboBox::Set_ComboBox(&sizes);
  EXPECT_EQ(QvCommandForZoomComboBox::Get_ZoomComboBox(), &zoom);

  EXPECT_EQ(zoomCommand.GetZoom(), 100);
  EXPECT_TRUE(zoomCommand.SetZoom(75));
  EXPECT_EQ(zoom.GetZoom(), 75);
  EXPECT_TRUE(fontsCommand.LinkASizesCombo(&sizes));
  EXPECT_TRUE(fontsCommand.SetFont(QvFont(QvString("Tahoma"), 12, 0)));
  QvFont font;
  EXPECT_TRUE(fontsCommand.GetFont(font));
  EXPECT_STREQ(font.m_faceName.c_str(), "Tahoma");
  EXPECT_EQ(font.m_size, 12);
  EXPECT_EQ(sizesCommand.GetCount(), 16);
  QvString text;
  EXPECT_TRUE(sizesCommand.GetSelected(text));
  EXPECT_STREQ(text.c_str(), "12");

  // The drill-depth adaptor has its own combo box.
  EXPECT_EQ(drillCommand.GetCount(), 0);
  QvCommandForDrillDepthComboBox::Set_ComboBox(&drill);
  EXPECT_EQ(drillCommand.AddItem(QvString("1")), 0);
  EXPECT_EQ(drillCommand.AddItem(QvString("2")), 1);
  EXPECT_TRUE(drillCommand.Select(QvString("2")));
  long index = -1;
  EXPECT_TRUE(drillCommand.GetSelected(index));
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(drillCommand.SetItemData(0, &index));
  EXPECT_EQ(drillCommand.GetItemData(0), &index);
  EXPECT_TRUE(drillCommand.SetItemText(0, QvString("one")));
  EXPECT_TRUE(drillCommand.FindItem(QvString("one"), index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(sizesCommand.GetCount(), 16) << "untouched";
}

// Border line types and list positions, both ways, on a real line combo box; anything off
// the table reads back as type 2.
TEST_F(ToolbarCombos, LineTypesMapToListPositions) {
  CGUILineComboBox* window = Make<CGUILineComboBox>(kLineId, CBS_DROPDOWNLIST, 0);
  QvWINLineComboBox line;
  line.SetGUIComboBox(window);
  EXPECT_EQ(line.GetLineStyle(), 2) << "empty list, nothing selected";
  QvCommandForLineComboBox command;
  QvCommandForLineComboBox::Set_ComboBox(&line);

  const struct {
    int type, style;
  } table[] = {{2, 0}, {3, 4}, {4, 5}, {5, 6}, {6, 1}, {7, 2}, {8, 3}, {9, 8}, {10, 7}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.type);
    command.SetLineStyle(static_cast<QvBorderLineType>(row.type));
    EXPECT_EQ(SendMessageW(window->m_hWnd, CB_GETCURSEL, 0, 0), row.style);
    EXPECT_EQ(command.GetLineStyle(), row.type);
    EXPECT_EQ(QvLineComboBox::StyleOfType(static_cast<QvBorderLineType>(row.type)), row.style);
    EXPECT_EQ(QvLineComboBox::TypeOfStyle(static_cast<CCQvLineStyle>(row.style)), row.type);
  }
  EXPECT_EQ(SendMessageW(window->m_hWnd, CB_GETCOUNT, 0, 0), 9) << "filled once";
  // A type off the table is the position itself.
  command.SetLineStyle(static_cast<QvBorderLineType>(1));
  EXPECT_EQ(SendMessageW(window->m_hWnd, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(command.GetLineStyle(), 6);
  EXPECT_EQ(QvLineComboBox::StyleOfType(static_cast<QvBorderLineType>(11)), 11);
  SendMessageW(window->m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(command.GetLineStyle(), 2) << "nothing selected";
  for (int style : {-1, 9, 100}) EXPECT_EQ(QvLineComboBox::TypeOfStyle(static_cast<CCQvLineStyle>(style)), 2);
}

}  // namespace
