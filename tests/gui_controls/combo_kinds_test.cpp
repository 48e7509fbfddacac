// The special kinds of the combo box on real dialog children: the zoom list and its typed,
// pasted and refused texts, the font names with their linked sizes, the fill patterns and
// line widths drawn in pixels, and the one-time conversion to owner drawing.
#include <GUIInitialisations.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dib_canvas.h"
#include "handle_counts.h"
#include "test_support.h"
#include "widgets_test.h"

using namespace testing_support;

namespace {

class ComboKinds : public WidgetsTest {
 public:
  void SetUp() override {
    WidgetsTest::SetUp();
    ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());  // the pattern brushes
  }
  void TearDown() override {
    WidgetsTest::TearDown();
    PlatformGUIRelease();
  }
  CGUIComboBox* Platform(QvControl* control) { return dynamic_cast<CGUIComboBox*>(control->GetPlatformControl()); }
  HWND Edit(unsigned short id) { return GetDlgItem(Child(id), CGUIComboBox::kEditChildId); }
  // Replaces the text of the combo's edit child as an edit by the user does (the combo tells
  // its parent of the change).
  void Type(unsigned short id, const wchar_t* text) {
    SendMessageW(Edit(id), EM_SETSEL, 0, -1);
    SendMessageW(Edit(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    PumpMessages();
  }
  std::vector<std::wstring> Items(unsigned short id) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(Child(id), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(Child(id), CB_GETLBTEXTLEN, i, 0)) + 1);
      SendMessageW(Child(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      items.push_back(text.data());
    }
    return items;
  }
  int ValueNotifications(unsigned short id) {
    return static_cast<int>(std::count_if(container->seen.begin(), container->seen.end(),
                                          [id](const Seen& s) { return s.id == id && s.code == 735; }));
  }
  void DrawInto(CGUIComboBox* combo, DibCanvas& canvas, int index, UINT state) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.hwndItem = combo->m_hWnd;
    item.itemID = static_cast<UINT>(index);
    item.itemState = state;
    item.hDC = canvas.dc();
    item.rcItem = RECT{0, 0, canvas.width(), canvas.height()};
    combo->DrawItem(&item);
  }
};

// A new zoom list holds the default values in order with 100 % current; typed texts are
// taken or refused by the list, the free-values flag and the range; a change is told once.
TEST_F(ComboKinds, ZoomListTakesAndRefusesTypedTexts) {
  QvZoomComboBox* zoom = Get<QvZoomComboBox>(kZoomCombo);
  ASSERT_TRUE(zoom);
  EXPECT_EQ(Items(kZoomCombo), (std::vector<std::wstring>{L"10%", L"25%", L"50%", L"75%", L"100%", L"150%", L"200%",
                                                           L"300%", L"400%"}));
  EXPECT_EQ(zoom->GetZoom(), 100);
  EXPECT_EQ(SendMessageW(Child(kZoomCombo), CB_GETCURSEL, 0, 0), 4);
  unsigned short low = 0, high = 0;
  Platform(zoom)->GetZoomRange(low, high);
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 400);

  struct Case {
    const wchar_t* typed;
    bool freeValues;
    unsigned short zoom;  // after the text
    int selected;         // the list's selection after it, -2: not checked
  };
  const Case cases[] = {
      {L"125", true, 125, -2},    // free and in range
      {L" 150 %", true, 150, 5},  // blanks and one percent sign dropped; listed: selected
      {L"12a", true, 150, -2},    // a letter
      {L"5", true, 150, -2},      // below the range
      {L"401", true, 150, -2},    // above it
      {L"", true, 150, -2},
      {L"200%%", true, 150, -2},  // only one percent sign goes
      {L"0075", true, 75, 3},     // leading zeros name the listed value
      {L"125", false, 75, -2},    // free values not allowed
      {L"300", false, 300, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
    Platform(zoom)->m_flags = static_cast<unsigned short>(c.freeValues ? Platform(zoom)->m_flags | CGUIComboBox::kZoomFreeValues
                                                                        : Platform(zoom)->m_flags & ~CGUIComboBox::kZoomFreeValues);
    const unsigned short before = zoom->GetZoom();
    container->seen.clear();
    Type(kZoomCombo, c.typed);
    EXPECT_EQ(zoom->GetZoom(), c.zoom);
    EXPECT_EQ(ValueNotifications(kZoomCombo), c.zoom != before ? 1 : 0);
    if (c.selected != -2) {
      EXPECT_EQ(SendMessageW(Child(kZoomCombo), CB_GETCURSEL, 0, 0), c.selected);
    }
  }
  // A listed value leaves the caret before its percent sign.
  Type(kZoomCombo, L"050");
  DWORD start = 0, end = 0;
  SendMessageW(Child(kZoomCombo), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 2u);
}

// What the dialog and its container see of a typed zoom and of a selected size: the
// combo's own notifications, and the value change (-74) sent while the dialog handles them.
TEST_F(ComboKinds, ValueChangesReachTheContainer) {
  QvZoomComboBox* zoom = Get<QvZoomComboBox>(kZoomCombo);
  QvFontsComboBox* fonts = Get<QvFontsComboBox>(kFontsCombo);
  QvEditComboBox* sizes = Get<QvEditComboBox>(kSizesCombo);
  ASSERT_TRUE(zoom && fonts && sizes && fonts->LinkASizesCombo(sizes));
  const NotificationCase cases[] = {
      // A listed zoom typed into the zoom field (100 % current): the edit change, then, while
      // the dialog reflects it, the value change; the container hears both, the value first.
      {"typed zoom", [](WidgetsTest& t) { static_cast<ComboKinds&>(t).Type(kZoomCombo, L"150"); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kZoomCombo, CBN_EDITUPDATE), 0},
        {WM_COMMAND, kParentSent | kWparam, Cmd(kZoomCombo, CBN_EDITCHANGE), 0},
        {WM_NOTIFY, kParentSent | kWparam, kZoomCombo, 0},
        {0, 0, 0, 0}},
       {{kZoomCombo, 735, 0}, {kZoomCombo, 725, 0}}},
      // A refused zoom: only the edit change.
      {"refused zoom", [](WidgetsTest& t) { static_cast<ComboKinds&>(t).Type(kZoomCombo, L"1x"); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kZoomCombo, CBN_EDITUPDATE), 0},
        {WM_COMMAND, kParentSent | kWparam, Cmd(kZoomCombo, CBN_EDITCHANGE), 0},
        {0, 0, 0, 0}},
       {{kZoomCombo, 725, 0}}},
      // Another size selected in the linked sizes list (told by the program, as the list
      // tells a user's choice): the value change comes first, then the selection.
      {"selected size",
       [](WidgetsTest& t) {
         HWND list = t.Child(kSizesCombo);
         SendMessageW(list, CB_SETCURSEL, 5, 0);
         SendMessageW(t.dialog.m_hWnd, WM_COMMAND, Cmd(kSizesCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
       },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kSizesCombo, CBN_SELCHANGE), 0},
        {WM_NOTIFY, kParentSent | kWparam, kSizesCombo, 0},
        {0, 0, 0, 0}},
       {{kSizesCombo, 735, 0}, {kSizesCombo, 700, 0}}},
  };
  for (const NotificationCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectNotifications(*this, c);
  }
  EXPECT_EQ(zoom->GetZoom(), 150);
  EXPECT_EQ(Platform(sizes)->GetCurrentValue(), 14);
}

// Values, range and direct settings, and what the other kinds refuse.
TEST_F(ComboKinds, ZoomValuesRangeAndRefusals) {
  QvZoomComboBox* zoom = Get<QvZoomComboBox>(kZoomCombo);
  ASSERT_TRUE(zoom);
  QvArrayUShort values;
  for (unsigned short v : {30, 60, 90}) values.Add(v);
  EXPECT_TRUE(zoom->SetZoomValues(values, true));
  EXPECT_EQ(Items(kZoomCombo), (std::vector<std::wstring>{L"30%", L"60%", L"90%"}));
  EXPECT_EQ(zoom->GetZoom(), 30) << "no 100: the first value";
  EXPECT_EQ(SendMessageW(Child(kZoomCombo), CB_GETCURSEL, 0, 0), 0);

  // The range only widens or narrows when it is one.
  zoom->SetZoomRange(500, 400);
  Type(kZoomCombo, L"450");
  EXPECT_EQ(zoom->GetZoom(), 30) << "a reversed range is ignored";
  zoom->SetZoomRange(20, 1000);
  Type(kZoomCombo, L"450");
  EXPECT_EQ(zoom->GetZoom(), 450);
  Type(kZoomCombo, L"99999");  // more than the edit takes and the range allows
  EXPECT_EQ(zoom->GetZoom(), 450);

  // SetZoom selects a listed value, else shows the text; no notification.
  container->seen.clear();
  EXPECT_TRUE(zoom->SetZoom(60));
  EXPECT_EQ(SendMessageW(Child(kZoomCombo), CB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(zoom->SetZoom(250));
  EXPECT_EQ(Text(kZoomCombo), L"250%");
  EXPECT_EQ(zoom->GetZoom(), 250);
  PumpMessages();
  EXPECT_EQ(ValueNotifications(kZoomCombo), 0);

  // A selection in the list makes its value current and tells it.
  SetFocus(Child(kZoomCombo));
  SendMessageW(Child(kZoomCombo), CB_SETCURSEL, 2, 0);
  SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(kZoomCombo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Child(kZoomCombo)));
  EXPECT_EQ(zoom->GetZoom(), 90);
  EXPECT_EQ(ValueNotifications(kZoomCombo), 1);

  // An empty list: nothing current.
  EXPECT_TRUE(zoom->SetZoomValues(QvArrayUShort(), false));
  EXPECT_EQ(zoom->GetCount(), 0);
  EXPECT_EQ(zoom->GetZoom(), 0);

  // The fonts and sizes kinds refuse zoom values; a plain list answers zoom 0.
  QvFontsComboBox* fonts = Get<QvFontsComboBox>(kFontsCombo);
  QvEditComboBox* sizes = Get<QvEditComboBox>(kSizesCombo);
  ASSERT_TRUE(fonts && sizes);
  ASSERT_TRUE(fonts->LinkASizesCombo(sizes));
  EXPECT_FALSE(Platform(fonts)->SetZoomValues(CGUIComboBox::kDefaultZoomValues, 9, true));
  EXPECT_FALSE(Platform(sizes)->SetZoomValues(CGUIComboBox::kDefaultZoomValues, 9, true));
  EXPECT_FALSE(Platform(sizes)->SetZoom(100));
  EXPECT_EQ(Platform(sizes)->GetZoom(), 0);
  EXPECT_FALSE(Platform(fonts)->FillLineWidths(0));
  EXPECT_FALSE(Platform(fonts)->FillPatterns());
  EXPECT_FALSE(Platform(zoom)->LinkSizesCombo(Platform(sizes))) << "only a fonts list links";
  EXPECT_FALSE(Platform(fonts)->LinkSizesCombo(Platform(zoom))) << "a zoom list is no sizes list";
  QvComboBox* line = Get<QvComboBox>(kLineCombo);
  ASSERT_TRUE(Platform(line)->FillLineWidths(0));
  EXPECT_FALSE(Platform(fonts)->LinkSizesCombo(Platform(line))) << "nor is a line list";
  EXPECT_FALSE(Platform(line)->FillPatterns());
  EXPECT_EQ(Platform(fonts)->GetLinkedCombo(), Platform(sizes)) << "the refusals kept the link";
}

// The zoom's edit child: keys and pastes it refuses, a refused paste and a lost focus show
// the current zoom again.
TEST_F(ComboKinds, ZoomEditChildFiltersKeysAndPastes) {
  QvZoomComboBox* zoom = Get<QvZoomComboBox>(kZoomCombo);
  ASSERT_TRUE(zoom);
  ASSERT_TRUE(dynamic_cast<CZoomEdit*>(CWnd::FromHandlePermanent(Edit(kZoomCombo))));
  Focus(kZoomCombo);
  SendMessageW(Edit(kZoomCombo), EM_SETSEL, 0, -1);
  TypeKeys({'1', 'X', '2', '5'});
  PumpMessages();
  EXPECT_EQ(Text(kZoomCombo), L"125") << "the letter is refused";
  EXPECT_EQ(zoom->GetZoom(), 125);

  struct Paste {
    const wchar_t* clipboard;
    const wchar_t* shown;
    unsigned short zoom;
  } pastes[] = {
      {L"1 50", L"x", 125},   // a blank: refused, the text stays
      {L"abc", L"x", 125},    // letters: refused
      {L"150%", L"150%", 150},
      {L"999", L"150%", 150},  // pasted, refused as a zoom: the current zoom comes back
  };
  for (const Paste& p : pastes) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(p.clipboard)));
    PutOnClipboard(dialog.m_hWnd, p.clipboard);
    SetWindowTextW(Edit(kZoomCombo), L"x");
    SendMessageW(Edit(kZoomCombo), EM_SETSEL, 0, -1);
    SendMessageW(Edit(kZoomCombo), WM_PASTE, 0, 0);
    PumpMessages();
    EXPECT_EQ(Text(kZoomCombo), p.shown);
    EXPECT_EQ(zoom->GetZoom(), p.zoom);
  }
  // An invalid text, then the focus goes: the last valid zoom shows.
  Type(kZoomCombo, L"7000");
  Focus(kPush);
  EXPECT_EQ(Text(kZoomCombo), L"150%");
}

// The font list: faces of the printer and the screen once each, no vertical faces, TrueType
// marked; the linked sizes list follows the face; typed and set sizes.
TEST_F(ComboKinds, FontNamesAndLinkedSizes) {
  QvFontsComboBox* fonts = Get<QvFontsComboBox>(kFontsCombo);
  QvEditComboBox* sizes = Get<QvEditComboBox>(kSizesCombo);
  ASSERT_TRUE(fonts && sizes);
  CGUIComboBox* list = Platform(fonts);
  const std::vector<std::wstring> faces = Items(kFontsCombo);
  ASSERT_GT(faces.size(), 3u);
  std::set<std::wstring> distinct;
  for (const std::wstring& face : faces) {
    std::wstring lower = face;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    EXPECT_TRUE(distinct.insert(lower).second) << "listed twice";
    EXPECT_NE(face[0], L'@');
  }
  EXPECT_TRUE(GetWindowLongW(Child(kFontsCombo), GWL_STYLE) & CBS_OWNERDRAWFIXED);
  ASSERT_NE(list->GetImageList(), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list->GetImageList()->m_hImageList), 2);
  const int tahoma = static_cast<int>(SendMessageW(Child(kFontsCombo), CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"Tahoma")));
  ASSERT_GE(tahoma, 0);
  EXPECT_EQ(list->GetItemImage(tahoma), 1) << "TrueType";
  // The default GUI face is current.
  QvString name;
  EXPECT_TRUE(fonts->GetFontName(name));
  EXPECT_STREQ(name.c_str(), "Tahoma");
  unsigned short size = 0;
  EXPECT_FALSE(fonts->GetFontSize(size)) << "no sizes list yet";
  // Its own images stay.
  CImageList other;
  list->SetImageList(&other, false);
  EXPECT_NE(list->GetImageList(), &other);

  // Linking lists the standard sizes of the TrueType face.
  ASSERT_TRUE(fonts->LinkASizesCombo(sizes));
  EXPECT_EQ(Items(kSizesCombo), (std::vector<std::wstring>{L"8", L"9", L"10", L"11", L"12", L"14", L"16", L"18", L"20",
                                                            L"22", L"24", L"26", L"28", L"36", L"48", L"72"}));
  EXPECT_TRUE(dynamic_cast<CSizesEdit*>(CWnd::FromHandlePermanent(Edit(kSizesCombo))));
  EXPECT_TRUE(fonts->SetFont(QvFont(QvString("Tahoma"), 14, 0)));
  EXPECT_TRUE(fonts->GetFontSize(size));
  EXPECT_EQ(size, 14);
  EXPECT_EQ(Text(kSizesCombo), L"14");
  EXPECT_TRUE(fonts->SetFont(QvFont(QvString("Tahoma"), 13, 0)));
  EXPECT_EQ(Text(kSizesCombo), L"13") << "a TrueType face takes any size";
  QvFont font;
  EXPECT_TRUE(fonts->GetFont(font));
  EXPECT_STREQ(font.m_faceName.c_str(), "Tahoma");
  EXPECT_EQ(font.m_size, 13);
  EXPECT_FALSE(fonts->SetFont(QvFont(QvString("No Such Face"), 10, 0)));

  // Typed sizes: 3 to 128, digits only; told to the parent.
  struct Typed {
    const wchar_t* text;
    long size;
  } typed[] = {{L"2", 13}, {L"129", 13}, {L"1a", 13}, {L"30", 30}, {L"128", 128}, {L"3", 3}};
  for (const Typed& t : typed) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(t.text)));
    container->seen.clear();
    const long before = Platform(sizes)->GetCurrentValue();
    Type(kSizesCombo, t.text);
    EXPECT_EQ(Platform(sizes)->GetCurrentValue(), t.size);
    EXPECT_EQ(ValueNotifications(kSizesCombo), t.size != before ? 1 : 0);
  }
  // The edit child refuses letters and pastes that are not all digits.
  PutOnClipboard(dialog.m_hWnd, L"2x");
  SetWindowTextW(Edit(kSizesCombo), L"9");
  SendMessageW(Edit(kSizesCombo), EM_SETSEL, 0, -1);
  SendMessageW(Edit(kSizesCombo), WM_PASTE, 0, 0);
  EXPECT_EQ(Text(kSizesCombo), L"9");
  PutOnClipboard(dialog.m_hWnd, L"24");
  SendMessageW(Edit(kSizesCombo), EM_SETSEL, 0, -1);
  SendMessageW(Edit(kSizesCombo), WM_PASTE, 0, 0);
  PumpMessages();
  EXPECT_EQ(Platform(sizes)->GetCurrentValue(), 24);

  // A selection of another face: current, the sizes filled again, told.
  container->seen.clear();
  const int other_ = tahoma == 0 ? 1 : 0;
  SendMessageW(Child(kFontsCombo), CB_SETCURSEL, other_, 0);
  SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(kFontsCombo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Child(kFontsCombo)));
  EXPECT_EQ(list->GetCurrentValue(), other_);
  EXPECT_EQ(ValueNotifications(kFontsCombo), 1);
  EXPECT_EQ(ValueNotifications(kSizesCombo), 0) << "the refill tells nothing";
  EXPECT_GT(sizes->GetCount(), 0);

  // Unlinking gives the sizes list back as a plain list.
  EXPECT_TRUE(fonts->LinkASizesCombo(nullptr));
  EXPECT_EQ(Platform(sizes)->m_flags & CGUIComboBox::kSizes, 0);
  EXPECT_EQ(CWnd::FromHandlePermanent(Edit(kSizesCombo)), nullptr) << "the edit child is let go";
  EXPECT_FALSE(fonts->GetFontSize(size));
}

// A face that is neither TrueType nor a device font lists only its own sizes.
TEST_F(ComboKinds, RasterFaceListsItsOwnSizes) {
  QvFontsComboBox* fonts = Get<QvFontsComboBox>(kFontsCombo);
  QvEditComboBox* sizes = Get<QvEditComboBox>(kSizesCombo);
  ASSERT_TRUE(fonts && sizes && fonts->LinkASizesCombo(sizes));
  CGUIComboBox* list = Platform(fonts);
  const std::vector<std::wstring> faces = Items(kFontsCombo);
  int raster = -1;
  for (int i = 0; i < static_cast<int>(faces.size()) && raster < 0; ++i)
    if (list->GetItemImage(i) == -1) raster = i;
  ASSERT_GE(raster, 0) << "the screen has no raster face";
  ASSERT_TRUE(fonts->SetFont(QvFont(QvString(faces[static_cast<size_t>(raster)].c_str()), 10, 0)));
  const std::vector<std::wstring> listed = Items(kSizesCombo);
  ASSERT_FALSE(listed.empty());
  EXPECT_NE(listed.size(), 16u);
  for (const std::wstring& s : listed) {
    SCOPED_TRACE(testing::PrintToString(s));
    EXPECT_EQ(s.size() == 2 && s[0] == L' ', std::stol(s) < 10) << "one digit: padded with a blank";
  }
  // A typed size that the face does not list is refused.
  const long before = Platform(sizes)->GetCurrentValue();
  Type(kSizesCombo, L"127");
  EXPECT_EQ(Platform(sizes)->GetCurrentValue(), before);

  // Setting a one-digit size of the face finds it under its padded text.
  const auto padded = std::find_if(listed.begin(), listed.end(), [](const std::wstring& s) { return s[0] == L' '; });
  ASSERT_NE(padded, listed.end()) << "the raster face has no one-digit size";
  const unsigned short small = static_cast<unsigned short>(std::stol(*padded));
  const std::wstring larger = listed.back();
  ASSERT_NE(std::stol(larger), small);
  ASSERT_TRUE(fonts->SetFont(QvFont(QvString(faces[static_cast<size_t>(raster)].c_str()), static_cast<unsigned short>(std::stol(larger)), 0)));
  ASSERT_TRUE(fonts->SetFont(QvFont(QvString(faces[static_cast<size_t>(raster)].c_str()), small, 0)));
  unsigned short size = 0;
  EXPECT_TRUE(fonts->GetFontSize(size));
  EXPECT_EQ(size, small);
  EXPECT_EQ(SendMessageW(Child(kSizesCombo), CB_GETCURSEL, 0, 0), padded - listed.begin());
}

// Typing into the font field completes the face from the list and makes it current; the
// completed change is handled by the list (no edit-change notification reaches the parent).
TEST_F(ComboKinds, TypedFaceIsCompleted) {
  QvFontsComboBox* fonts = Get<QvFontsComboBox>(kFontsCombo);
  ASSERT_TRUE(fonts);
  // Three letters that start a face other than the current one.
  std::wstring prefix;
  for (const std::wstring& face : Items(kFontsCombo)) {
    if (face.size() < 3 || _wcsnicmp(face.c_str(), L"tah", 3) == 0) continue;
    if (std::all_of(face.begin(), face.begin() + 3, [](wchar_t c) { return iswalpha(c) && c < 128; })) {
      prefix = face.substr(0, 3);
      break;
    }
  }
  ASSERT_EQ(prefix.size(), 3u);
  Focus(kFontsCombo);
  SendMessageW(Edit(kFontsCombo), EM_SETSEL, 0, -1);
  container->seen.clear();
  TypeKeys({static_cast<WORD>(towupper(prefix[0])), static_cast<WORD>(towupper(prefix[1])),
            static_cast<WORD>(towupper(prefix[2]))});
  PumpMessages();
  QvString name;
  ASSERT_TRUE(fonts->GetFontName(name));
  EXPECT_EQ(_wcsnicmp(name.ToWide().c_str(), prefix.c_str(), 3), 0) << name.c_str();
  EXPECT_EQ(Text(kFontsCombo), name.ToWide());
  EXPECT_GE(ValueNotifications(kFontsCombo), 1);
  EXPECT_EQ(std::count_if(container->seen.begin(), container->seen.end(), [](const Seen& s) { return s.code == 725; }), 0);
}

// Destroying one of two linked lists leaves the other without a link to it.
TEST_F(ComboKinds, DestroyedPartnerIsUnlinked) {
  CGUIComboBox* fonts = new CGUIComboBox;
  CGUIComboBox* sizes = new CGUIComboBox;
  const DWORD style = WS_CHILD | WS_VSCROLL | CBS_DROPDOWN;
  ASSERT_TRUE(fonts->Create(style, CRect(0, 0, 80, 90), &dialog, 90));
  ASSERT_TRUE(sizes->Create(style, CRect(90, 0, 130, 90), &dialog, 91));
  ASSERT_TRUE(fonts->FillFonts());
  ASSERT_TRUE(fonts->LinkSizesCombo(sizes));
  EXPECT_EQ(sizes->GetLinkedCombo(), fonts);
  delete sizes;
  EXPECT_EQ(fonts->GetLinkedCombo(), nullptr);
  int size = 0;
  EXPECT_FALSE(fonts->GetCurrentFontSize(size));
  EXPECT_TRUE(fonts->SetFontSelection(L"Tahoma", 12));
  delete fonts;
}

// Lists of every kind made, filled, linked, drawn and destroyed give back every window and
// GDI object they made (the font marks, the printer's context, the replaced windows).
TEST_F(ComboKinds, KindsLeaveNothingBehind) {
  auto round = [this]() {
    const DWORD style = WS_CHILD | WS_VSCROLL | CBS_DROPDOWN;
    std::unique_ptr<CGUIComboBox> fonts(new CGUIComboBox), sizes(new CGUIComboBox), zoom(new CGUIComboBox),
        patterns(new CGUIComboBox), lines(new CGUIComboBox);
    int x = 0;
    for (CGUIComboBox* combo : {fonts.get(), sizes.get(), zoom.get(), patterns.get(), lines.get()}) {
      ASSERT_TRUE(combo->Create(style, CRect(x, 0, x + 60, 90), &dialog, static_cast<UINT>(90 + x)));
      x += 62;
    }
    ASSERT_TRUE(fonts->FillFonts());
    ASSERT_TRUE(fonts->LinkSizesCombo(sizes.get()));
    ASSERT_TRUE(zoom->SetZoomValues(CGUIComboBox::kDefaultZoomValues, 9, true));
    ASSERT_TRUE(patterns->FillPatterns());
    ASSERT_TRUE(lines->FillLineWidths(1));
    DibCanvas canvas(120, 18);
    for (int i = 0; i < 9; ++i) {
      DrawInto(patterns.get(), canvas, i, 0);
      DrawInto(lines.get(), canvas, i, i == 1 ? ODS_SELECTED : 0);
      DrawInto(fonts.get(), canvas, i, 0);
    }
  };
  round();  // brushes and fonts the system keeps from the first use
  PumpMessages();
  const GuiCounts before = GuiCounts::Now();
  round();
  PumpMessages();
  EXPECT_EQ(GuiCounts::Now(), before);
}

// The pattern list: one conversion in place, the pattern labels in order, swatches in the
// pattern colours and the label one base unit right of the swatch.
TEST_F(ComboKinds, PatternItemsInPixels) {
  QvComboBox* combo = Get<QvComboBox>(kPatternCombo);
  ASSERT_TRUE(combo);
  CGUIComboBox* patterns = Platform(combo);
  HWND before = Child(kPatternCombo);
  HWND previous = GetWindow(before, GW_HWNDPREV);
  ASSERT_TRUE(patterns->FillPatterns());
  HWND after = Child(kPatternCombo);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(patterns->m_hWnd, after);
  EXPECT_EQ(GetWindow(after, GW_HWNDPREV), previous);
  const std::vector<std::wstring> items = Items(kPatternCombo);
  ASSERT_EQ(items.size(), 20u);
  EXPECT_EQ(items[0], QvGetMyLabel(31219).ToWide());
  EXPECT_EQ(items[2], QvGetMyLabel(31226).ToWide());
  EXPECT_EQ(items[7], QvGetMyLabel(31221).ToWide());
  EXPECT_EQ(items[19], QvGetMyLabel(31238).ToWide());
  // Converted once: an image list later makes no new window.
  CImageList images;
  images.Create(16, 16, ILC_COLOR24, 1, 0);
  patterns->SetImageList(&images, false);
  EXPECT_EQ(Child(kPatternCombo), after);
  patterns->SetImageList(nullptr, false);

  const COLORREF back = RGB(0, 0, 200), fore = RGB(220, 0, 0);
  patterns->SetPatternColors(back, fore);
  const int unit = LOWORD(GetDialogBaseUnits());
  const int height = 20;
  const RECT swatch = {3, 2, 3 + unit * 11 / 4, height - 2};
  struct Case {
    int index;
    bool anyFore, anyBack;
  } cases[] = {{0, false, true}, {1, true, false}, {2, true, true}, {10, true, true}};
  const COLORREF window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    DibCanvas canvas(200, height, RGB(1, 2, 3));
    DrawInto(patterns, canvas, c.index, 0);
    EXPECT_EQ(canvas.CountOf(RGB(1, 2, 3)), 0);
    const int area = (swatch.right - swatch.left) * (swatch.bottom - swatch.top);
    EXPECT_EQ(canvas.CountOf(fore, swatch) + canvas.CountOf(back, swatch), area) << "only the two colours";
    EXPECT_EQ(canvas.CountOf(fore, swatch) > 0, c.anyFore);
    EXPECT_EQ(canvas.CountOf(back, swatch) > 0, c.anyBack);
    EXPECT_EQ(canvas.At(1, 1), window);
    EXPECT_EQ(canvas.CountOtherThan(window, RECT{swatch.right, 0, swatch.right + unit, height}), 0);
    EXPECT_GT(canvas.CountOf(text, RECT{swatch.right + unit, 2, 200, height}), 0) << "the label";
  }
}

// The portable pattern list: filled when bound, patterns set and read as item + 1, and the
// colours of SetColors in the swatches' pixels.
TEST_F(ComboKinds, PortablePatternList) {
  QvPatternComboBox* combo = Get<QvPatternComboBox>(kPatternCombo);
  ASSERT_TRUE(combo);
  CGUIComboBox* patterns = Platform(combo);
  ASSERT_TRUE(patterns && patterns->GetSafeHwnd());
  EXPECT_EQ(patterns->m_hWnd, Child(kPatternCombo)) << "bound to the window made owner-drawn";
  EXPECT_TRUE(patterns->m_flags & CGUIComboBox::kPatterns);
  EXPECT_EQ(combo->GetCount(), 20);
  for (long i = 0; i < combo->GetCount(); ++i) {
    QvString name;
    EXPECT_TRUE(combo->FindItem(i, name));
    EXPECT_NE(name.ToWide().rfind(L"[label", 0), 0u) << "the library names pattern " << i + 1;
  }
  QvPatternComboBox* again = nullptr;
  EXPECT_TRUE(container->GetControlFromID(again, kPatternCombo, 0));
  EXPECT_EQ(again, combo) << "entered once";

  QvGUIPattern pattern = QvSolidPattern;
  EXPECT_FALSE(combo->GetPattern(pattern)) << "nothing selected yet";
  EXPECT_EQ(pattern, QvNoPattern);
  struct Case {
    int set;
    bool accepted;
    int selected;  // the list's selection afterwards
  } cases[] = {{3, true, 2}, {1, true, 0}, {20, true, 19}, {21, false, 19}, {-1, false, 19}, {0, true, -1}, {2, true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    EXPECT_EQ(combo->SetPattern(static_cast<QvGUIPattern>(c.set)), c.accepted);
    EXPECT_EQ(SendMessageW(Child(kPatternCombo), CB_GETCURSEL, 0, 0), c.selected);
    EXPECT_EQ(combo->GetPattern(pattern), c.selected >= 0);
    EXPECT_EQ(static_cast<int>(pattern), c.selected + 1);
  }

  // 8-bit channels in the high bytes: the swatch of pattern 3 (item 2) holds both colours.
  combo->SetColors(QvColor(0, 0, 200 << 8), QvColor(220 << 8, 0, 0));
  const COLORREF back = RGB(0, 0, 200), fore = RGB(220, 0, 0);
  const int unit = LOWORD(GetDialogBaseUnits());
  const RECT swatch = {3, 2, 3 + unit * 11 / 4, 18};
  DibCanvas canvas(200, 20, RGB(1, 2, 3));
  DrawInto(patterns, canvas, 2, 0);
  const int area = (swatch.right - swatch.left) * (swatch.bottom - swatch.top);
  EXPECT_GT(canvas.CountOf(fore, swatch), 0);
  EXPECT_GT(canvas.CountOf(back, swatch), 0);
  EXPECT_EQ(canvas.CountOf(fore, swatch) + canvas.CountOf(back, swatch), area);
}

// The line widths: nine samples of their thickness and pattern left of the label; filled
// once, later calls only select.
TEST_F(ComboKinds, LineWidthItemsInPixels) {
  QvComboBox* combo = Get<QvComboBox>(kLineCombo);
  ASSERT_TRUE(combo);
  CGUIComboBox* lines = Platform(combo);
  ASSERT_TRUE(lines->FillLineWidths(3));
  HWND converted = Child(kLineCombo);
  EXPECT_EQ(Items(kLineCombo), (std::vector<std::wstring>{L"1/20 pt", L"1 pt", L"2 pt", L"3 pt", L"1 pt", L"1 pt",
                                                           L"1 pt", L"2x1 pt", L"2x1 pt"}));
  EXPECT_EQ(SendMessageW(converted, CB_GETCURSEL, 0, 0), 3);
  const long labelWidth = lines->GetCurrentValue();
  EXPECT_GT(labelWidth, 20);
  ASSERT_TRUE(lines->FillLineWidths(5));
  EXPECT_EQ(Child(kLineCombo), converted) << "made once";
  EXPECT_EQ(combo->GetCount(), 9);
  EXPECT_EQ(SendMessageW(converted, CB_GETCURSEL, 0, 0), 5);

  const int width = 200, height = 20, middle = height / 2;
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF ink = RGB(0, 0, 96);
  lines->SetItemTextColor(ink);
  const COLORREF light = RGB(128, 128, 224);
  struct Case {
    int index;
    std::vector<int> rows;  // the rows of the sample, relative to the middle
    bool solid;             // every pixel of each row is ink
    COLORREF colour;
  } cases[] = {
      {0, {0}, true, light},  {1, {0}, true, ink},       {2, {0, 1}, true, ink},  {3, {-1, 0, 1}, true, ink},
      {4, {0}, false, ink},   {5, {0}, false, ink},      {6, {0}, false, ink},   {7, {-1, 1}, true, ink},
      {8, {-1, 1}, false, ink},
  };
  const int sampleRight = width - static_cast<int>(labelWidth);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    DibCanvas canvas(width, height, RGB(1, 2, 3));
    DrawInto(lines, canvas, c.index, 0);
    EXPECT_EQ(canvas.CountOf(RGB(1, 2, 3)), 0);
    for (int dy = -3; dy <= 3; ++dy) {
      const RECT row = {3, middle + dy, sampleRight, middle + dy + 1};
      const int inked = canvas.CountOf(c.colour, row);
      const bool inSample = std::find(c.rows.begin(), c.rows.end(), dy) != c.rows.end();
      if (!inSample) {
        EXPECT_EQ(canvas.CountOtherThan(window, row), 0) << "row " << dy;
      } else if (c.solid) {
        EXPECT_EQ(inked, sampleRight - 3) << "row " << dy;
      } else {
        EXPECT_GT(inked, 0) << "row " << dy;
        EXPECT_LT(inked, sampleRight - 3) << "row " << dy << " has gaps";
      }
    }
    EXPECT_EQ(canvas.CountOtherThan(window, RECT{0, 0, 3, height}), 0);
    EXPECT_GT(canvas.CountOf(c.colour, RECT{sampleRight + 4, 0, width, height}), 0) << "the label";
  }
  // Selected: on the highlight colour.
  DibCanvas canvas(width, height);
  DrawInto(lines, canvas, 1, ODS_SELECTED);
  EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.CountOf(GetSysColor(COLOR_HIGHLIGHTTEXT), RECT{3, middle, sampleRight, middle + 1}), sampleRight - 3);
}

// A zoom list made owner-drawn keeps its kind and its edit child's rules on the new window.
TEST_F(ComboKinds, ConversionKeepsTheEditChild) {
  QvZoomComboBox* zoom = Get<QvZoomComboBox>(kZoomCombo);
  ASSERT_TRUE(zoom);
  CGUIComboBox* platform = Platform(zoom);
  HWND before = Child(kZoomCombo);
  CImageList images;
  images.Create(16, 16, ILC_COLOR24, 1, 0);
  platform->SetImageList(&images, false);
  ASSERT_NE(Child(kZoomCombo), before);
  EXPECT_EQ(GetDlgCtrlID(platform->m_hWnd), kZoomCombo);
  EXPECT_EQ(zoom->GetCount(), 9);
  EXPECT_TRUE(dynamic_cast<CZoomEdit*>(CWnd::FromHandlePermanent(Edit(kZoomCombo))));
  Type(kZoomCombo, L"250");
  EXPECT_EQ(zoom->GetZoom(), 250);
  platform->SetImageList(nullptr, false);
}

}  // namespace
