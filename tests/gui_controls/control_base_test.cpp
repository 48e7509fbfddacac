// The portable control base on real dialog children: binding, the binding map's life,
// forwarding of text, visibility, enabling, focus and colour, and controls without window.
#include <functional>

#include "UIUtilities.h"
#include "dib_canvas.h"
#include "handle_counts.h"
#include "test_support.h"
#include "widgets_test.h"

namespace {

using BaseTest = WidgetsTest;

// The binding map exists while a control lives; the first control makes it, a second one
// shares it, the last one deletes it; made again for the next first control.
TEST_F(BaseTest, BindingMapLivesWithTheControls) {
  delete container;  // no control alive
  container = nullptr;
  GUISetQvGUIContainer(&dialog, nullptr);
  ASSERT_EQ(QvControl::GetLiveControlCount(), 0);
  EXPECT_EQ(QvControl::GetBindingMap(), nullptr);
  for (int round = 0; round < 2; ++round) {
    QvStaticText* first = new QvStaticText;
    const QvMapLPVoidLPVoid* map = QvControl::GetBindingMap();
    ASSERT_NE(map, nullptr);
    void* platform = nullptr;
    EXPECT_TRUE(map->Lookup(const_cast<QvRuntimeClass*>(QV_RUNTIME_CLASS(QvStaticText)), platform));
    EXPECT_EQ(platform, RUNTIME_CLASS(CGUIStatic));
    QvEditText* second = new QvEditText;
    EXPECT_EQ(QvControl::GetBindingMap(), map) << "a second control does not make another";
    EXPECT_EQ(QvControl::GetLiveControlCount(), 2);
    delete first;
    EXPECT_EQ(QvControl::GetBindingMap(), map);
    delete second;
    EXPECT_EQ(QvControl::GetBindingMap(), nullptr);
  }
  container = new RecordingContainer;
}

// Every kind is served by its platform class, bound to the dialog's child.
TEST_F(BaseTest, EachKindBindsItsPlatformClass) {
  const struct {
    const char* kind;
    unsigned short id;
    CRuntimeClass* platform;
  } cases[] = {
      {"QvStaticText", kStatic, RUNTIME_CLASS(CGUIStatic)},     {"QvEditText", kEdit, RUNTIME_CLASS(CGUIEdit)},
      {"QvPassEditText", kPassword, RUNTIME_CLASS(CGUIEdit)},   {"QvPushButton", kPush, RUNTIME_CLASS(CGUIButton)},
      {"QvRadioButton", kRadio, RUNTIME_CLASS(CGUIButton)},     {"QvCheckBox", kCheck, RUNTIME_CLASS(CGUIButton)},
      {"QvGroupBox", kGroup, RUNTIME_CLASS(CGUIButton)},        {"QvListBox", kList, RUNTIME_CLASS(CGUIListBox)},
      {"QvComboBox", kDropList, RUNTIME_CLASS(CGUIComboBox)},   {"QvEditComboBox", kDropDown, RUNTIME_CLASS(CGUIComboBox)},
      {"QvSpinner", kSpinner, RUNTIME_CLASS(CGUISpinner)},      {"QvSlider", kSlider, RUNTIME_CLASS(CGUISlider)},
      {"QvProgressBar", kProgress, RUNTIME_CLASS(CGUIProgressBar)},
  };
  for (const auto& c : cases) {
    QvControl* control = nullptr;
    ASSERT_TRUE(container->GetOrCreateControl(QvRuntimeClass::FromClassName(c.kind), control, c.id, 0)) << c.kind;
    EXPECT_STREQ(control->GetRuntimeClass()->GetName(), c.kind);
    ASSERT_NE(control->GetPlatformControl(), nullptr);
    EXPECT_EQ(control->GetPlatformControl()->GetRuntimeClass(), c.platform) << c.kind;
    EXPECT_EQ(control->GetPlatformWindow(), Child(c.id));
    EXPECT_EQ(CWnd::FromHandlePermanent(Child(c.id)), control->GetPlatformControl());
    EXPECT_EQ(control->m_ownsPlatformControl, 1);
    if (c.id != kSlider && c.id != kProgress) {  // they keep no font
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Child(c.id), WM_GETFONT, 0, 0)), UIGetDefaultGUIFont()) << c.kind;
    }
  }
  // A second lookup gives the same control; another kind for the id gives none.
  QvEditText* edit = Get<QvEditText>(kEdit);
  EXPECT_EQ(Get<QvEditText>(kEdit), edit);
  QvListBox* wrong = nullptr;
  EXPECT_FALSE(container->GetControlFromID(wrong, kEdit, 0));
  EXPECT_EQ(wrong, nullptr);
  // No child of that id: no control.
  QvStaticText* none = nullptr;
  EXPECT_FALSE(container->GetControlFromID(none, 999, 0));
}

// A child that has its own framework object keeps it: the control uses it without owning it.
TEST_F(BaseTest, ExistingFrameworkObjectIsBorrowed) {
  CEdit own;
  ASSERT_TRUE(own.SubclassWindow(Child(kEdit)));
  QvEditText* control = new QvEditText;
  ASSERT_TRUE(control->SetPlatformControl(Child(kEdit)));
  EXPECT_EQ(control->GetPlatformControl(), &own);
  EXPECT_EQ(control->m_ownsPlatformControl, 0);
  control->SetText(QvString("borrowed"));
  delete control;
  EXPECT_EQ(CWnd::FromHandlePermanent(Child(kEdit)), &own);
  EXPECT_EQ(Text(kEdit), L"borrowed");
  own.UnsubclassWindow();
}

// Destroying a control that made its platform object puts the window's procedure back.
TEST_F(BaseTest, DestroyedControlLeavesItsWindow) {
  const WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Child(kEdit), GWLP_WNDPROC));
  QvEditText* control = new QvEditText;
  ASSERT_TRUE(control->SetPlatformControl(Child(kEdit)));
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Child(kEdit), GWLP_WNDPROC)), before);
  delete control;
  EXPECT_TRUE(IsWindow(Child(kEdit)));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Child(kEdit), GWLP_WNDPROC)), before);
  EXPECT_EQ(CWnd::FromHandlePermanent(Child(kEdit)), nullptr);
}

// Text, visibility, enabling and focus reach the window; GetText counts UTF-8 bytes.
TEST_F(BaseTest, ForwardsToTheWindow) {
  QvStaticText* label = Get<QvStaticText>(kStatic);
  QvEditText* edit = Get<QvEditText>(kEdit);
  ASSERT_TRUE(label && edit);
  label->SetText(QvString("Caf\xC3\xA9"));  // "Café"
  EXPECT_EQ(Text(kStatic), L"Caf\u00E9");
  QvString text;
  EXPECT_EQ(label->GetText(text), 5) << "bytes of UTF-8, not UTF-16 units";
  EXPECT_STREQ(text.c_str(), "Caf\xC3\xA9");
  label->SetText(QvString(""));
  text = "stale";
  EXPECT_EQ(label->GetText(text), 0);
  EXPECT_TRUE(text.IsEmpty());

  label->Show(false);
  EXPECT_FALSE(IsWindowVisible(Child(kStatic)));
  label->Show(true);
  EXPECT_TRUE(IsWindowVisible(Child(kStatic)));

  Focus(kPush);
  edit->SetFocus();
  EXPECT_EQ(GetFocus(), Child(kEdit));
  edit->Enable(false);  // the focus leaves first: no disabled window keeps it
  EXPECT_FALSE(IsWindowEnabled(Child(kEdit)));
  EXPECT_NE(GetFocus(), Child(kEdit));
  edit->Enable(true);
  EXPECT_TRUE(IsWindowEnabled(Child(kEdit)));
}

// The text colour reaches the child's WM_CTLCOLOR; only the high byte of a channel counts.
TEST_F(BaseTest, TextColourReachesTheChild) {
  QvEditText* edit = Get<QvEditText>(kEdit);
  ASSERT_TRUE(edit);
  COLORREF colour;
  EXPECT_FALSE(edit->GetTextColorIfSet(colour));
  edit->SetTextColor(QvColor(0xC8FF, 0x10FF, 0x00FF));
  ASSERT_TRUE(edit->GetTextColorIfSet(colour));
  EXPECT_EQ(colour, RGB(0xC8, 0x10, 0));
  testing_support::DibCanvas canvas(4, 4);
  ASSERT_TRUE(canvas.valid());
  SendMessageW(dialog.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(canvas.dc()),
               reinterpret_cast<LPARAM>(Child(kEdit)));
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0xC8, 0x10, 0));
  edit->SetTextColor(QvColor(0xFF, 0xFF, 0xFF));  // below 256 in every channel: black
  ASSERT_TRUE(edit->GetTextColorIfSet(colour));
  EXPECT_EQ(colour, RGB(0, 0, 0));
  edit->SetDefaultTextColor();
  EXPECT_FALSE(edit->GetTextColorIfSet(colour));
}

// The portable system colours: the first five by name, any other number as a system index.
TEST_F(BaseTest, SystemColours) {
  const struct {
    QvSystemColor which;
    int index;
  } cases[] = {{QvSysButtonFace, COLOR_BTNFACE},     {QvSysWindow, COLOR_WINDOW},
               {QvSysButtonText, COLOR_BTNTEXT},     {QvSysHighlight, COLOR_HIGHLIGHT},
               {QvSysHighlightText, COLOR_HIGHLIGHTTEXT}, {COLOR_GRAYTEXT, COLOR_GRAYTEXT}};
  for (const auto& c : cases) {
    QvColor colour(1, 2, 3);
    EXPECT_TRUE(QvColor::GetSystemColor(c.which, colour));
    const COLORREF expected = GetSysColor(c.index);
    EXPECT_EQ(colour, QvColor(GetRValue(expected) << 8, GetGValue(expected) << 8, GetBValue(expected) << 8)) << c.which;
  }
}

// Binding, filling and releasing controls (the combo made owner-drawn, the spinner with its
// arrows) leaves no window or GDI object behind.
TEST_F(BaseTest, NoLeaksOverRuns) {
  auto run = [this]() {
    ControlsDialog page;
    ASSERT_TRUE(page.Make());
    RecordingContainer* pageContainer = new RecordingContainer;
    pageContainer->SetMFCCWnd(&page);
    GUISetQvGUIContainer(&page, pageContainer);
    QvComboBox* combo = nullptr;
    QvSpinner* spinner = nullptr;
    QvCheckBox* check = nullptr;
    ASSERT_TRUE(pageContainer->GetControlFromID(combo, kDropList, 0));
    ASSERT_TRUE(pageContainer->GetControlFromID(spinner, kSpinner, 0));
    ASSERT_TRUE(pageContainer->GetControlFromID(check, kCheck, 0));
    combo->AddItem(QvString("one"));
    CImageList* images = new CImageList;
    images->Create(16, 16, ILC_COLOR24, 1, 0);
    dynamic_cast<CGUIComboBox*>(combo->GetPlatformControl())->SetImageList(images, true, true);
    combo->SetItemImage(0, 0);
    spinner->SetValue(5);
    check->SetReadOnly(true);
    UpdateWindow(page.m_hWnd);
    testing_support::PumpMessages();
    delete pageContainer;
    page.DestroyWindow();
    testing_support::PumpMessages();
  };
  run();  // the shared font and the classes, made once
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  for (int i = 0; i < 3; ++i) run();
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

// A control without a window (never bound, or its window destroyed) answers failure and
// changes nothing, for every kind.
TEST_F(BaseTest, ControlWithoutWindowAnswersFailure) {
  QvEditText edit;
  QvSpinner spinner;
  QvListBox list;
  QvComboBox combo;
  QvEditComboBox editCombo;
  QvCheckBox check;
  QvRadioButton radio;
  QvSlider slider;
  QvProgressBar progress;
  QvString text("kept");
  long a = 7, b = 8;
  double d = 1.5, e = 2.5;
  QvArraySLong indices;
  QvArrayQvString texts;
  texts.Add(QvString("x"));
  auto all = [&]() {
    edit.SetText(QvString("x"));
    edit.SetText(QvString("x"), true);
    EXPECT_EQ(edit.GetText(text), 0);
    edit.Show(true);
    edit.Enable(false);
    edit.SetFocus();
    edit.SetTextColor(QvColor(1, 2, 3));
    edit.AddText(QvString("x"));
    edit.EnableInput(true);
    EXPECT_EQ(edit.GetMaxCharLimit(), 0);
    edit.SetMaxCharLimit(3);
    EXPECT_EQ(edit.GetTextLength(), 0u);
    EXPECT_FALSE(edit.IsMultilineMode());
    edit.FreezeRedraw(false);
    edit.SetAuthorizedChar(QvString("1"));
    EXPECT_FALSE(edit.GetSelection(a, b));
    edit.SetSelection(1, 2, true);
    edit.ReplaceSelection(QvString("x"));
    edit.RevealSelection();
    edit.ResetSelection();
    edit.SetCaretPos(1);
    EXPECT_EQ(edit.GetCaretPos(), -1);
    edit.SetReadOnly(true);
    spinner.SetRange(0, 10);
    spinner.SetValue(3);
    spinner.SetStep(2);
    EXPECT_FALSE(spinner.GetValue(a));
    EXPECT_FALSE(spinner.GetRange(d, e));
    spinner.Redraw();
    EXPECT_FALSE(list.Select(0L, true));
    EXPECT_FALSE(list.Select(texts, true));
    EXPECT_FALSE(list.GetSelected(a));
    EXPECT_EQ(a, -1);
    EXPECT_FALSE(list.GetSelected(indices));
    EXPECT_FALSE(list.GetSelected(text));
    EXPECT_EQ(list.AddItem(QvString("x"), -1), -1);
    EXPECT_FALSE(list.DeleteItem(0L));
    EXPECT_FALSE(list.FindItem(0L, text));
    EXPECT_EQ(list.GetItemData(0), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(combo.Select(0L));
    EXPECT_FALSE(combo.GetSelected(text));
    EXPECT_EQ(combo.AddItem(QvString("x")), -1);
    EXPECT_FALSE(combo.DeleteItem(0L));
    EXPECT_FALSE(combo.SetItemText(0, QvString("x")));
    EXPECT_FALSE(combo.SetItemImage(0, 1));
    EXPECT_EQ(combo.GetItemImage(0), -1);
    EXPECT_FALSE(combo.FindItemCaseSens(QvString("x"), a));
    combo.AdjustDroppedWidth();
    combo.SetTextColor(QvColor(1, 2, 3));
    editCombo.SetMaxCharLimit(4);
    EXPECT_EQ(editCombo.GetMaxCharLimit(), 0);
    check.SetState(1);
    EXPECT_EQ(check.GetState(), -1);
    check.EnableTriState(true);
    check.SetReadOnly(true);
    radio.Check(true);
    EXPECT_FALSE(radio.IsChecked());
    slider.SetRange(0, 10);
    EXPECT_FALSE(slider.GetRange(a, b));
    EXPECT_EQ(slider.GetValue(), 0);
    progress.SetValue(3);
    EXPECT_FALSE(progress.GetRange(a, b));
    EXPECT_EQ(progress.GetValue(), 0);
  };
  all();  // never bound

  // Bound, then the window goes.
  HWND gone = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, dialog.m_hWnd, NULL, NULL, NULL);
  ASSERT_TRUE(edit.SetPlatformControl(gone));
  DestroyWindow(gone);
  EXPECT_EQ(edit.GetPlatformWindow(), static_cast<HWND>(NULL));
  all();
  EXPECT_FALSE(edit.SetPlatformControl(gone));
}

}  // namespace
