// UI utilities: blind-mode message boxes, versions, the default GUI font, run-time classes by
// name, pattern brushes and rounding.
#include <framework.h>
#include <gtest/gtest.h>

#include <QvConfigKeys.h>
#include <UIUtilities.h>

#include "dib_canvas.h"
#include "uiutil_ids.h"

#include <float.h>
#include <math.h>
#include <shlwapi.h>

#include <string>

namespace {

int g_shown = 0;
std::basic_string<TCHAR> g_text;
int CALLBACK AnswerBox(LPCTSTR text, UINT, UINT) {
  ++g_shown;
  g_text = text;
  return IDNO;
}

TEST(UIMessageBox, BlindModeAnswersByTheButtonsAndShowsNothing) {
  AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(AnswerBox);
  g_shown = 0;
  EXPECT_EQ(UISetBlindMode(1), 0);
  struct Case {
    UINT type;
    int answer;
  } cases[] = {{MB_OK, IDOK}, {MB_OKCANCEL, IDOK}, {MB_ABORTRETRYIGNORE, IDIGNORE}, {MB_YESNOCANCEL, IDYES},
               {MB_YESNO, IDYES}, {MB_RETRYCANCEL, IDCANCEL}, {MB_CANCELTRYCONTINUE, IDOK},
               {MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2, IDYES}};
  for (auto& c : cases) {
    EXPECT_EQ(UIMessageBox(L"text", c.type, 0), c.answer) << c.type;
    EXPECT_EQ(UIMessageBox(12345u, c.type, 0), c.answer) << c.type;
  }
  EXPECT_EQ(g_shown, 0);
  EXPECT_EQ(UISetBlindMode(0), 1);

  EXPECT_EQ(UIMessageBox(L"Save changes?", MB_YESNO, 0), IDNO);
  EXPECT_EQ(g_shown, 1);
  EXPECT_EQ(g_text, std::basic_string<TCHAR>(_T("Save changes?")));
  EXPECT_EQ(UIMessageBox(12345u, MB_OK, 0), IDNO);
  EXPECT_EQ(g_shown, 2);
  AfxSetMessageBoxHook(old);
}

TEST(Versions, ComeFromTheSystemAndTheLoadedLibraries) {
  EXPECT_EQ(UIGetWindowsVersion(), UIWINVER_NT4UP);
  // The common controls are loaded with the library: their own answer.
  DLLGETVERSIONPROC get = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "DllGetVersion")));
  ASSERT_NE(get, nullptr);
  DLLVERSIONINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_EQ(get(&info), S_OK);
  EXPECT_EQ(UIGetComCtlVersion(), (info.dwMajorVersion << 16) | info.dwMinorVersion);
  EXPECT_EQ(UIGetComCtlVersion(), UIGetComCtlVersion());
  // No "MFC42.DLL" in this process.
  EXPECT_EQ(UIGetMFCVersion(), 0x40000u);
}

TEST(RoundToNearestInt, RoundsHalvesAwayFromZero) {
  struct Case {
    double x;
    int expected;
  } cases[] = {{2.5, 3}, {-2.5, -3}, {0.0, 0}, {-0.0, 0}, {2.4999, 2}, {-2.4999, -2}, {0.49999999999999994, 0},
               {1e12, INT_MAX}, {-1e12, INT_MIN}, {nan(""), 0}, {7.0, 7},
               // Halves next to even and odd integers, either sign, and beside the range's ends.
               {0.5, 1}, {-0.5, -1}, {1.5, 2}, {-1.5, -2}, {3.5, 4}, {-3.5, -4}, {1000000.5, 1000001},
               {2.5000000000000004, 3}, {2.4999999999999996, 2}, {-2.5000000000000004, -3}, {2.75, 3}, {-2.25, -2},
               {2147483646.5, INT_MAX}, {2147483646.4, 2147483646}, {-2147483647.5, INT_MIN},
               {-2147483646.5, -2147483647}};
  for (auto& c : cases) EXPECT_EQ(RoundToNearestInt(c.x), c.expected) << c.x;
  // The same answers whatever rounding mode someone else left the floating-point unit in.
  for (unsigned mode : {_RC_DOWN, _RC_UP, _RC_CHOP}) {
    const unsigned before = _controlfp(0, 0);
    _controlfp(mode, _MCW_RC);
    for (auto& c : cases) EXPECT_EQ(RoundToNearestInt(c.x), c.expected) << c.x << " in mode " << mode;
    _controlfp(before, _MCW_RC);
  }
}

TEST(GetRuntimeObject, FindsClassesOfTheModuleChainByExactName) {
  EXPECT_EQ(GetRuntimeObject("CBitmap"), RUNTIME_CLASS(CBitmap));
  EXPECT_EQ(GetRuntimeObject("CObject"), RUNTIME_CLASS(CObject));
  EXPECT_EQ(GetRuntimeObject("cbitmap"), nullptr);
  EXPECT_EQ(GetRuntimeObject("NoSuchClass"), nullptr);
  EXPECT_EQ(GetRuntimeObject(nullptr), nullptr);
}

// The configured face and size are read once per process: one test sets them first.
TEST(DefaultGUIFont, TakesFaceAndSizeFromTheConfigurationWhateverTheCallOrder) {
  const char* key = "%QVGENERALCFG%\\Font Settings";
  const char* longFace = "A face name far longer than a LOGFONT can hold it";
  ASSERT_GE(SetUserKeyStringValue(key, "Font", longFace), 0);
  ASSERT_GE(SetUserKeyStringValue(key, "Size", "-15"), 0);

  // The face name first: the height must still come from "Size".
  EXPECT_EQ(std::string(GUIDefaultFontFaceName_().c_str()), longFace);
  EXPECT_EQ(GUIDefaultFontFaceName(), CString(longFace));
  CFont* font = UIGetDefaultGUIFont2();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(UIGetDefaultGUIFont2(), font);
  ASSERT_NE(UIGetDefaultGUIFont(), nullptr);
  EXPECT_EQ(UIGetDefaultGUIFont(), static_cast<HFONT>(font->GetSafeHandle()));

  LOGFONTW lf;
  memset(&lf, 0xCC, sizeof(lf));
  GetDefaultLogFont(lf);
  EXPECT_EQ(lf.lfHeight, -15);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfItalic, 0);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(lf.lfQuality, DRAFT_QUALITY);
  EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
  EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(L"A face name far longer than a L"));

  HKEY general;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Qv\\General", 0, KEY_ALL_ACCESS, &general) == ERROR_SUCCESS) {
    RegDeleteKeyW(general, L"Font Settings");
    RegCloseKey(general);
  }
}

// Fills an 8 x 8 canvas with the brush in black on white and reads it back as 64 bits.
unsigned long long Painted(HBRUSH brush) {
  testing_support::DibCanvas canvas(8, 8);
  SetTextColor(canvas.dc(), RGB(0, 0, 0));
  SetBkColor(canvas.dc(), RGB(255, 255, 255));
  RECT r = {0, 0, 8, 8};
  FillRect(canvas.dc(), &r, brush);
  unsigned long long out = 0;
  for (int i = 0; i < 64; ++i)
    if (canvas.At(i % 8, i / 8) == RGB(255, 255, 255)) out |= 1ULL << i;
  return out;
}

// The same rule as the fixture strips: white pixels of pattern i.
unsigned long long Expected(int i) {
  unsigned long long out = 0;
  for (int r = 0; r < 8; ++r)
    for (int x = 0; x < 8; ++x)
      if ((x * 3 + r * 5 + i * 7) % 4 == 0 || (i == 7 && r == 0)) out |= 1ULL << (r * 8 + x);
  return out;
}

TEST(CBrushArray, CutsEightByEightPatternsFromAStripOfAnyDepth) {
  for (int id : {IDB_PATTERNS_1, IDB_PATTERNS_24}) {
    SCOPED_TRACE(id);
    CBrushArray brushes;
    brushes.Init(GetModuleHandleW(NULL), id);
    ASSERT_EQ(brushes.GetNumBrushes(), 8);
    for (int i = 0; i < 8; ++i) {
      HBRUSH b = brushes[i];
      ASSERT_NE(b, nullptr) << i;
      EXPECT_EQ(brushes[i], b);  // made once
      EXPECT_EQ(Painted(b), Expected(i)) << "pattern " << i;
    }
    EXPECT_EQ(brushes[8], nullptr);
    EXPECT_EQ(brushes[-1], nullptr);
  }
  CBrushArray resourceSearch;
  resourceSearch.Init(UINT(IDB_PATTERNS_1));
  EXPECT_EQ(resourceSearch.GetNumBrushes(), 8);
  CBrushArray missing;
  missing.Init(GetModuleHandleW(NULL), 4242);
  EXPECT_EQ(missing.GetNumBrushes(), 0);
  EXPECT_EQ(missing[0], nullptr);
}

TEST(CBrushArray, SerialNumbersCountConstructions) {
  const int before = CBrushArray::m_Count;
  CBrushArray a, b;
  EXPECT_EQ(CBrushArray::m_Count, before + 2);
}

TEST(LoadPatterns, MakesAndFreesARecord) {
  BrushArrayRec* rec = LoadPatterns(GetModuleHandleW(NULL), IDB_PATTERNS_24);
  ASSERT_NE(rec, nullptr);
  EXPECT_EQ(rec->nBrushes, 8);
  EXPECT_EQ(Painted(rec->brushes[3]), Expected(3));
  DeletePatterns(rec);
  DeletePatterns(nullptr);
}

}  // namespace
