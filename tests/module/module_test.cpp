// Loading and unloading quarnel: window classes, the extension-module chain, thread attach.
#include <gtest/gtest.h>

#include <framework.h>
#include <ulmora.h>

#include "test_support.h"

namespace {

struct ClassInfo {
  bool registered;
  UINT style;
  int extra;
  HCURSOR cursor;
  HBRUSH background;
};

ClassInfo Query(HMODULE module, const wchar_t* name) {
  WNDCLASSW wc = {};
  // Global classes are found whatever instance is given.
  bool ok = GetClassInfoW(module, name, &wc) != 0;
  return {ok, wc.style, wc.cbWndExtra, wc.hCursor, wc.hbrBackground};
}

int ChainLength() {
  int n = 0;
  for (CDynLinkLibrary* p = AfxGetModuleState()->m_libraryList; p; p = p->m_pNextDLL) ++n;
  return n;
}

DWORD WINAPI IdleThread(LPVOID) { return 0; }

TEST(ModuleLoad, RegistersClassesAndJoinsTheChain) {
  int before = ChainLength();
  HMODULE q = LoadLibraryW(L"quarnel.dll");
  ASSERT_NE(q, nullptr);

  struct { const wchar_t* name; HBRUSH background; } expected[] = {
      {L"QvToolTable32", static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))},
      {L"QvIconPaneControl32", NULL},
      {L"QvTileControl32", NULL},
  };
  HCURSOR arrow = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
  for (auto& e : expected) {
    SCOPED_TRACE(testing::Message() << "class " << static_cast<const void*>(e.name));
    ClassInfo ci = Query(q, e.name);
    EXPECT_TRUE(ci.registered);
    EXPECT_EQ(ci.style, UINT(CS_GLOBALCLASS | CS_DBLCLKS));
    EXPECT_EQ(ci.extra, 4);
    EXPECT_EQ(ci.cursor, arrow);
    EXPECT_EQ(ci.background, e.background);
  }

  // The library's resources and classes are found through one new link of the chain.
  ASSERT_EQ(ChainLength(), before + 1);
  CDynLinkLibrary* lib = AfxGetModuleState()->m_libraryList;
  EXPECT_EQ(lib->m_hModule, q);
  EXPECT_FALSE(lib->m_bSystem);
  auto* rec = reinterpret_cast<AFX_EXTENSION_MODULE*>(GetProcAddress(q, "UIViewDLL"));
  ASSERT_NE(rec, nullptr);
  EXPECT_TRUE(rec->bInitialized);
  EXPECT_EQ(rec->hModule, q);

  // A thread attach and detach changes nothing.
  HANDLE t = CreateThread(NULL, 0, IdleThread, NULL, 0, NULL);
  ASSERT_NE(t, nullptr);
  WaitForSingleObject(t, INFINITE);
  CloseHandle(t);
  EXPECT_EQ(ChainLength(), before + 1);
  EXPECT_TRUE(Query(q, L"QvIconPaneControl32").registered);

  ASSERT_TRUE(FreeLibrary(q));
  EXPECT_EQ(ChainLength(), before);
  EXPECT_FALSE(Query(NULL, L"QvIconPaneControl32").registered);
  EXPECT_FALSE(Query(NULL, L"QvTileControl32").registered);
  // The tool table's class stays for windows that may still use it.
  EXPECT_TRUE(Query(NULL, L"QvToolTable32").registered);
}

TEST(ModuleLoad, UnloadDestroysRemainingControlWindows) {
  HMODULE q = LoadLibraryW(L"quarnel.dll");
  ASSERT_NE(q, nullptr);
  HWND pane = CreateWindowW(L"QvIconPaneControl32", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, q, NULL);
  HWND tile = CreateWindowW(L"QvTileControl32", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, q, NULL);
  ASSERT_NE(pane, nullptr);
  ASSERT_NE(tile, nullptr);
  ASSERT_TRUE(FreeLibrary(q));
  EXPECT_FALSE(IsWindow(pane));
  EXPECT_FALSE(IsWindow(tile));
  EXPECT_FALSE(Query(NULL, L"QvIconPaneControl32").registered);
}

TEST(ModuleLoad, UnloadWritesOneTraceLine) {
  std::string path = testing_support::TempPath("ulmora");
  _putenv_s("ULMORA_LOG", path.c_str());
  HMODULE q = LoadLibraryW(L"quarnel.dll");
  ASSERT_NE(q, nullptr);
  ASSERT_TRUE(FreeLibrary(q));
  _putenv_s("ULMORA_LOG", "");
  std::string log = testing_support::ReadFile(path);
  DeleteFileA(path.c_str());
  EXPECT_NE(log.find("int __stdcall DllMain(struct HINSTANCE__ *,unsigned long,void *)"), std::string::npos)
      << log;
  EXPECT_NE(log.find("terminates"), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
}

}  // namespace
