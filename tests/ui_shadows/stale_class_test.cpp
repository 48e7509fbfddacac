// A shadow window class left behind under the same name (by an earlier load of the library at
// another address, or by anyone) is replaced: shadows run the library's procedure.
#include <Ombrel.h>
#include <child_process.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

LRESULT CALLBACK StaleProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

BOOL CALLBACK CollectOwned(HWND w, LPARAM p) {
  auto* found = reinterpret_cast<std::vector<HWND>*>(p);
  wchar_t name[32] = {};
  GetClassNameW(w, name, 32);
  if (lstrcmpW(name, L"OmbrelShadow") == 0) found->push_back(w);
  return TRUE;
}

}  // namespace

// Run only as the child below: the class must be left before the library first registers it.
TEST(DISABLED_ShadowStaleClassChild, ShadowsRunTheLibraryProcedure) {
  WNDCLASSW stale = {};
  stale.lpfnWndProc = StaleProc;
  stale.cbWndExtra = sizeof(LONG_PTR);
  stale.hInstance = GetModuleHandleW(NULL);
  stale.lpszClassName = L"OmbrelShadow";
  ASSERT_NE(RegisterClassW(&stale), 0);
  ASSERT_EQ(OmbrelBegin(GetModuleHandleW(NULL)), 1);
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, NULL, NULL, NULL, NULL);
  ASSERT_NE(w, nullptr);
  std::vector<HWND> shadows;
  EnumThreadWindows(GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&shadows));
  ASSERT_EQ(shadows.size(), 2u);
  for (HWND s : shadows) {
    EXPECT_NE(GetClassLongPtrW(s, GCLP_WNDPROC), reinterpret_cast<LONG_PTR>(&StaleProc));
    EXPECT_EQ(SendMessageW(s, WM_NCHITTEST, 0, 0), HTTRANSPARENT) << "the library's procedure lets clicks through";
  }
  DestroyWindow(w);
  OmbrelEnd();
}

TEST(ShadowClass, AClassLeftUnderItsNameIsReplaced) {
  EXPECT_EQ(testing_support::RunThisProgram(
                L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_ShadowStaleClassChild.*"),
            0);
}
