// The tile control's dump through the registered messages: the interaction level by name,
// joined without dangling separators, and the masters and facets, indented by level.
#include "tile_fixture.h"

#include <fw_dump.h>

using namespace tile_test;

namespace {

// The text written to a dump context over a memory file.
CString DumpOf(HWND tile, const wchar_t* message, int crlf, int level, int spaces) {
  CMemFile file;
  CDumpContext dc(&file);
  TC_DUMPRECORD record = {NULL, &dc, crlf, level, spaces};
  SendMessageW(tile, RegisterWindowMessageW(message), 0, reinterpret_cast<LPARAM>(&record));
  const ULONGLONG size = file.GetLength();
  std::vector<TCHAR> text(static_cast<size_t>(size / sizeof(TCHAR)) + 1, 0);
  file.SeekToBegin();
  file.Read(text.data(), static_cast<UINT>(size));
  return CString(text.data());
}

TEST_F(TileTest, TheStyleLineNamesTheLevelWithoutDanglingSeparators) {
  struct Case {
    DWORD level;
    const wchar_t* line;
  } cases[] = {
      {TCFI_ALLOWNONE, L"Styles = TCFI_ALLOWNONE\n"},
      {TCFI_ALLOWALL, L"Styles = TCFI_ALLOWALL\n"},
      {TCFI_ALLOWMASTERCHANGE, L"Styles = TCFI_ALLOWMASTERCHANGE\n"},
      {TCFI_ALLOWFACETCHANGE, L"Styles = TCFI_ALLOWFACETCHANGE\n"},
      {TCFI_ALLOWMANIPULATION | TCFI_DISABLEDREACTS, L"Styles = TCFI_ALLOWMANIPULATION\n"},
      {TCFI_ALLOWMASTERCHANGE | TCFI_ALLOWMANIPULATION, L"Styles = TCFI_ALLOWMASTERCHANGE | TCFI_ALLOWMANIPULATION\n"},
      {0xFFFFFFF7, L"Styles = TCFI_ALLOWMASTERCHANGE | TCFI_ALLOWFACETCHANGE | TCFI_ALLOWMANIPULATION\n"},
  };
  for (const Case& c : cases) {
    Send(TLM_SETINTERACTION, c.level);
    EXPECT_STREQ(DumpOf(tile, L"_UIM_DUMPSTYLE", 0, 0, 2), CString(c.line)) << std::hex << c.level;
  }
  Send(TLM_SETINTERACTION, TCFI_ALLOWALL);
  EXPECT_STREQ(DumpOf(tile, L"_UIM_DUMPSTYLE", 1, 2, 3), CString(L"Styles = TCFI_ALLOWALL\r\n      "));
}

TEST_F(TileTest, TheFullDumpListsMastersAndFacetsByLevel) {
  ASSERT_NO_FATAL_FAILURE(Fill(2, 2, 1, false));
  TC_MASTERDESC second = {TCMD_BYINDEX | TCMD_RECORD, 1};
  TC_FACETRECORD image = {0, NULL, MakeImage(RGB(1, 2, 3)), 1};
  ASSERT_EQ(Send(TLM_SETMASTERBITMAP, Ptr(&second), reinterpret_cast<LPARAM>(&image)), 0);
  CRect area, r0 = Object()->MasterRect(0), r1 = Object()->MasterRect(1);
  Object()->GetClientArea(area);
  auto rect = [](const CRect& r) {
    return std::to_wstring(r.left) + L", " + std::to_wstring(r.top) + L", " + std::to_wstring(r.right) + L", " +
           std::to_wstring(r.bottom);
  };
  const std::wstring expected =
      L"*** Dumping control ***\n"
      L"Has active object = 0\n"
      L"Max # of masters = 8\n"
      L"Current # of masters = 2\n"
      L"Active master = 1\n"
      L"Focused master = -1\n"
      L"Client area = " + rect(area) + L"\n"
      L" *** Dumping master tiles ***\n"
      L" ->Master tile#0\n"
      L" Has master bitmap = 0\n"
      L" Master rect = " + rect(r0) + L"\n"
      L" Max # of facets = 5\n"
      L" Current # of facets = 2\n"
      L" Active facet = 0\n"
      L"  *** Dumping facets ***\n"
      L"  ->Facet#0 [Active]\n"
      L"  Facet caption = M0F0\n"
      L"  Has facet bitmap = 0\n"
      L"  ->Facet#1\n"
      L"  Facet caption = M0F1\n"
      L"  Has facet bitmap = 0\n"
      L" ->Master tile#1 [Active]\n"
      L" Has master bitmap = 1 (owns it)\n"
      L" Master rect = " + rect(r1) + L"\n"
      L" Max # of facets = 5\n"
      L" Current # of facets = 2\n"
      L" Active facet = 0\n"
      L"  *** Dumping facets ***\n"
      L"  ->Facet#0 [Active]\n"
      L"  Facet caption = M1F0\n"
      L"  Has facet bitmap = 0\n"
      L"  ->Facet#1\n"
      L"  Facet caption = M1F1\n"
      L"  Has facet bitmap = 0\n";
  EXPECT_STREQ(DumpOf(tile, L"_UIM_DUMPWND", 0, 0, 1), CString(expected.c_str()));
  // No record: nothing written, the usual answer.
  EXPECT_EQ(Send(RegisterWindowMessageW(L"_UIM_DUMPWND"), 0, 0), 3);
}

}  // namespace
