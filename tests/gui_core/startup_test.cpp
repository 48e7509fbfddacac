// Start-up and release of the portable layer: balanced counts (twice in a row, interleaved,
// too many releases), the globals, the window classes, the custom colours and the cursors.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include <child_process.h>

#include "guicore_test.h"

namespace {

const TCHAR* const kClasses[] = {_T("QvImageCtrl"), _T("QvDateTimeCtrl"), _T("CTooltipWnd"), _T("QvTreeList")};

bool ClassesRegistered() {
  int count = 0;
  for (const TCHAR* name : kClasses) {
    WNDCLASS wc;
    count += GetClassInfo(AfxGetInstanceHandle(), name, &wc) ? 1 : 0;
  }
  EXPECT_TRUE(count == 0 || count == 4) << count;
  return count == 4;
}

bool LayerUp() { return Get_TheCommandCenter() != nullptr; }

TEST(StartUp, TwiceInARowIsUndoneByTheSecondRelease) {
  ASSERT_FALSE(LayerUp());
  ASSERT_TRUE(GUIInitialisations(&RightsCallback::Answer).Succeeded());
  QvCommandCenter* center = Get_TheCommandCenter();
  QvLabelManager* labels = Get_lpLabelManagerForGUI();
  QvResourceFile* file = Get_lpResourceFileForGUI();
  ASSERT_TRUE(center && labels && file);
  EXPECT_STREQ(file->GetName().c_str(), "qvgui");
  EXPECT_TRUE(ClassesRegistered());
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  // The second start-up only counts: the same objects, the new callback.
  EXPECT_EQ(Get_TheCommandCenter(), center);
  EXPECT_EQ(Get_lpLabelManagerForGUI(), labels);
  EXPECT_EQ(Get_TheCallbackStatusFunction(), nullptr);
  GUIRelease();
  EXPECT_EQ(Get_TheCommandCenter(), center);
  EXPECT_TRUE(ClassesRegistered());
  GUIRelease();
  EXPECT_EQ(Get_TheCommandCenter(), nullptr);
  EXPECT_EQ(Get_lpLabelManagerForGUI(), nullptr);
  EXPECT_EQ(Get_lpResourceFileForGUI(), nullptr);
  EXPECT_FALSE(ClassesRegistered());
  // Releases without a start-up do nothing, and do not hold back the next start-up.
  GUIRelease();
  PlatformGUIRelease();
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  EXPECT_TRUE(LayerUp());
  EXPECT_TRUE(ClassesRegistered());
  GUIRelease();
  EXPECT_FALSE(LayerUp());
  EXPECT_FALSE(ClassesRegistered());
}

TEST(StartUp, PlatformPartInterleavedWithTheLayer) {
  ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  GUIRelease();
  EXPECT_FALSE(LayerUp());
  EXPECT_TRUE(ClassesRegistered());  // the platform part has one start-up left
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  PlatformGUIRelease();
  EXPECT_TRUE(ClassesRegistered());
  GUIRelease();
  EXPECT_FALSE(ClassesRegistered());
}

TEST(StartUp, AStartUpWhileWindowsOfTheClassesExistKeepsThem) {
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  std::vector<HWND> windows;
  std::vector<LONG_PTR> procs;
  for (const TCHAR* name : kClasses) {
    windows.push_back(CreateWindow(name, _T(""), WS_POPUP, 0, 0, 10, 10, NULL, NULL, AfxGetInstanceHandle(), NULL));
    ASSERT_NE(windows.back(), nullptr) << name;
    procs.push_back(GetClassLongPtrW(windows.back(), GCLP_WNDPROC));
  }
  // The classes already run the library's procedures: nothing is replaced.
  EXPECT_TRUE(PlatformGUIInitialisations().Succeeded());
  for (size_t i = 0; i < windows.size(); ++i) EXPECT_EQ(GetClassLongPtrW(windows[i], GCLP_WNDPROC), procs[i]);
  PlatformGUIRelease();
  // Windows of the classes remain: the release keeps them registered.
  GUIRelease();
  EXPECT_TRUE(ClassesRegistered());
  for (HWND w : windows) DestroyWindow(w);
  ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
  PlatformGUIRelease();
  EXPECT_FALSE(ClassesRegistered());
}

TEST(StartUp, LocaleTakesTheDayNameLabels) {
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  // The program's labels 390000 to 390006, Monday to Sunday.
  const char* const expected[7] = {"lunes", "martes", "mi\xC3\xA9rcoles", "jueves",
                                   "viernes", "s\xC3\xA1" "bado", "domingo"};
  for (int day = 0; day < 7; ++day) EXPECT_STREQ(Get_GlobalLocale()->GetDayName(day).c_str(), expected[day]) << day;
  GUIRelease();
}

// The framework's current instance for the scope.
class CurrentInstance {
 public:
  explicit CurrentInstance(HINSTANCE instance) : m_previous(AfxGetModuleState()->m_hCurrentInstanceHandle) {
    AfxGetModuleState()->m_hCurrentInstanceHandle = instance;
  }
  ~CurrentInstance() { AfxGetModuleState()->m_hCurrentInstanceHandle = m_previous; }
  CurrentInstance(const CurrentInstance&) = delete;
  CurrentInstance& operator=(const CurrentInstance&) = delete;

 private:
  HINSTANCE m_previous;
};

TEST(StartUp, OnlyAStartUpThatSucceededCounts) {
  ASSERT_FALSE(LayerUp());
  {
    // No window class can be registered for the system's user32 module: the platform step
    // fails. What was done before it stays done.
    CurrentInstance user32(GetModuleHandle(_T("user32.dll")));
    ASSERT_FALSE(GUIInitialisations(nullptr).Succeeded());
    EXPECT_TRUE(LayerUp());
    // Again without a release: the failed start-up did not count, so this one does the work
    // again (and fails again) in place of answering success.
    EXPECT_FALSE(GUIInitialisations(nullptr).Succeeded());
    EXPECT_TRUE(LayerUp());
  }
  EXPECT_FALSE(ClassesRegistered());
  // Once the classes can be registered, the next start-up does everything.
  ASSERT_TRUE(GUIInitialisations(&RightsCallback::Answer).Succeeded());
  EXPECT_TRUE(LayerUp());
  EXPECT_TRUE(ClassesRegistered());
  EXPECT_EQ(Get_TheCallbackStatusFunction(), &RightsCallback::Answer);
  // One release balances it: the failed start-ups hold nothing back.
  GUIRelease();
  EXPECT_FALSE(LayerUp());
  EXPECT_FALSE(ClassesRegistered());

  // A release after a failed start-up undoes what it left; the next release does nothing.
  {
    CurrentInstance user32(GetModuleHandle(_T("user32.dll")));
    ASSERT_FALSE(GUIInitialisations(nullptr).Succeeded());
  }
  GUIRelease();
  EXPECT_FALSE(LayerUp());
  EXPECT_EQ(Get_lpLabelManagerForGUI(), nullptr);
  GUIRelease();
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  EXPECT_TRUE(ClassesRegistered());
  GUIRelease();
  EXPECT_FALSE(ClassesRegistered());
}

TEST(StartUp, FontKeepingClassesStoreTheFont) {
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const TCHAR* name : {_T("QvDateTimeCtrl"), _T("CTooltipWnd"), _T("QvTreeList")}) {
    HWND wnd = CreateWindow(name, _T(""), WS_POPUP, 0, 0, 10, 10, NULL, NULL, AfxGetInstanceHandle(), NULL);
    ASSERT_NE(wnd, nullptr) << name;
    SendMessage(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(GetWindowLongPtr(wnd, 0), reinterpret_cast<LONG_PTR>(font)) << name;
    EXPECT_EQ(GetClassLongPtr(wnd, GCLP_HBRBACKGROUND), reinterpret_cast<LONG_PTR>(GetStockObject(NULL_BRUSH)));
    DestroyWindow(wnd);
  }
  WNDCLASS wc;
  ASSERT_TRUE(GetClassInfo(AfxGetInstanceHandle(), _T("CTooltipWnd"), &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS));
  GUIRelease();
}

TEST(StartUp, CustomColorsAreRestoredAndSaved) {
  const char* key = "%APPLICATION_PREFS%\\Settings";
  const COLORREF stored[2] = {0x112233, 0x445566};
  ASSERT_GE(SetUserKeyBinaryValue(key, "Custom Colors", stored, sizeof stored), 0);
  COLORREF* colors = GUIGetSavedCustomColors();
  for (int i = 0; i < 16; ++i) colors[i] = 0xABCDEF;
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  EXPECT_EQ(colors[0], 0x112233u);
  EXPECT_EQ(colors[1], 0x445566u);
  EXPECT_EQ(colors[2], 0xABCDEFu);  // a shorter value replaces only the first colours
  colors[15] = 0x010203;
  GUIRelease();
  COLORREF saved[16] = {};
  EXPECT_EQ(GetKeyBinaryValue(key, "Custom Colors", saved, sizeof saved), 64);
  EXPECT_EQ(saved[0], 0x112233u);
  EXPECT_EQ(saved[15], 0x010203u);
}

TEST(StartUp, CursorsByType) {
  ASSERT_FALSE(IsServiceOnlyProcess());
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  HCURSOR program = LoadCursor(GetModuleHandle(NULL), MAKEINTRESOURCE(256));
  ASSERT_NE(program, nullptr);
  struct Case {
    QvCursorType type;
    HCURSOR expected;
  } cases[] = {
      {QvArrowCursor, LoadCursor(NULL, IDC_ARROW)},
      {QvCrossCursor, LoadCursor(NULL, IDC_CROSS)},
      {QvCrossCursor2, LoadCursor(NULL, IDC_CROSS)},
      {QvIBeamCursor, LoadCursor(NULL, IDC_IBEAM)},
      {QvAppStartingCursor, LoadCursor(NULL, IDC_APPSTARTING)},
      {QvSizeWECursor, LoadCursor(NULL, IDC_SIZEWE)},
      {QvSizeNESWCursor, LoadCursor(NULL, IDC_SIZENESW)},
      {QvSizeAllCursor, LoadCursor(NULL, IDC_SIZEALL)},
      {QvCursor256, program},
      {QvCursor266, LoadCursor(GetModuleHandle(NULL), MAKEINTRESOURCE(266))},
      {QvCursor257, LoadCursor(NULL, IDC_ARROW)},  // not in this program
      {static_cast<QvCursorType>(99), LoadCursor(NULL, IDC_ARROW)},
  };
  for (const Case& c : cases) {
    SetCursor(NULL);
    GUISetCursor(c.type, QvWinNT4);
    EXPECT_EQ(GetCursor(), c.expected) << c.type;
  }
  GUISetCursor(QvSizeAllCursor, QvWin32s);
  EXPECT_EQ(GetCursor(), LoadCursor(NULL, IDC_SIZE));
  GUIRelease();
}

// Runs in a child process started with a service switch (see below).
TEST(DISABLED_ServiceOnlyChild, LoadsNoCursors) {
  char expected[8] = {};
  GetEnvironmentVariableA("QV_EXPECT_SERVICE", expected, sizeof expected);
  ASSERT_EQ(IsServiceOnlyProcess(), expected[0] == '1');
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  GUISetCursor(QvCursor256, QvWinNT4);
  HCURSOR expectedCursor = expected[0] == '1' ? LoadCursor(NULL, IDC_ARROW) : LoadCursor(GetModuleHandle(NULL), MAKEINTRESOURCE(256));
  EXPECT_EQ(GetCursor(), expectedCursor);
  GUIRelease();
}

int RunChild(const wchar_t* switchArgument, bool service) {
  SetEnvironmentVariableA("QV_EXPECT_SERVICE", service ? "1" : "0");
  return testing_support::RunThisProgram(
      std::wstring(switchArgument) + L" --gtest_also_run_disabled_tests --gtest_filter=DISABLED_ServiceOnlyChild.*");
}

TEST(StartUp, ServiceSwitchIsExactAndCaseSensitive) {
  EXPECT_EQ(RunChild(L"/serviceonly", true), 0);
  EXPECT_EQ(RunChild(L"-serviceonly", true), 0);
  EXPECT_EQ(RunChild(L"-ServiceOnly", false), 0);
  EXPECT_EQ(RunChild(L"/serviceonlyx", false), 0);
}

TEST(Scripting, ErrorTextAndRecordMode) {
  ASSERT_TRUE(GUIInitialisations(nullptr).Succeeded());
  EXPECT_EQ(Get_TheScriptingErrorText(), nullptr);
  AppendScriptingErrorText("First");
  AppendScriptingErrorText("Second");
  ASSERT_NE(GUIGetScriptingErrorText(), nullptr);
  EXPECT_STREQ(GUIGetScriptingErrorText()->c_str(), "First\nSecond\n");
  EXPECT_EQ(Get_TheScriptingErrorText(), GUIGetScriptingErrorText());
  GUIRelease();
  EXPECT_EQ(Get_TheScriptingErrorText(), nullptr);
  EXPECT_TRUE(GUIGetScriptingErrorText()->IsEmpty());
  SetScriptingInRecordMode(true);
  EXPECT_TRUE(IsScriptingInRecordMode());
  EXPECT_TRUE(Get_ScriptingInRecordMode());
  Set_ScriptingInRecordMode(false);
  EXPECT_FALSE(IsScriptingInRecordMode());
  delete Get_TheScriptingErrorText();
  Set_TheScriptingErrorText(nullptr);
}

}  // namespace
