// Loading and unloading quarnel: window classes, the extension-module chain, thread attach.
#include <gtest/gtest.h>

#include <framework.h>
#include <ulmora.h>
#include <wchar.h>

#include "recorder.h"
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

  // The panes keep their object's pointer in their extra bytes: room for a pointer.
  struct { const wchar_t* name; HBRUSH background; int extra; } expected[] = {
      {L"QvToolTable32", static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), 4},
      {L"QvIconPaneControl32", NULL, static_cast<int>(sizeof(LONG_PTR))},
      {L"QvTileControl32", NULL, static_cast<int>(sizeof(LONG_PTR))},
  };
  HCURSOR arrow = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
  for (auto& e : expected) {
    SCOPED_TRACE(testing::Message() << "class " << static_cast<const void*>(e.name));
    ClassInfo ci = Query(q, e.name);
    EXPECT_TRUE(ci.registered);
    EXPECT_EQ(ci.style, UINT(CS_GLOBALCLASS | CS_DBLCLKS));
    EXPECT_EQ(ci.extra, e.extra);
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
  // No tool table window uses its class: it would point at the unloaded procedure.
  EXPECT_FALSE(Query(NULL, L"QvToolTable32").registered);
}

// The address range of a loaded image.
struct Image {
  uintptr_t base = 0;
  size_t size = 0;
  explicit Image(HMODULE m) {
    if (m == NULL) return;
    const BYTE* p = reinterpret_cast<const BYTE*>(m);
    const LONG headers = reinterpret_cast<const IMAGE_DOS_HEADER*>(p)->e_lfanew;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(p + headers);
    base = reinterpret_cast<uintptr_t>(m);
    size = nt->OptionalHeader.SizeOfImage;
  }
  bool Holds(WNDPROC code) const {
    const uintptr_t a = reinterpret_cast<uintptr_t>(code);
    return a >= base && a < base + size;
  }
};

WNDPROC ClassProc(const wchar_t* name) {
  WNDCLASSW wc = {};
  return GetClassInfoW(NULL, name, &wc) ? wc.lpfnWndProc : nullptr;
}

WNDPROC WindowProc(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

// Loads quarnel, unloads it and keeps its old address range reserved, so that the next load
// must place the library elsewhere and whatever still points into the old image faults.
class MovedLibrary {
 public:
  // `whileLoaded` runs before the first unload.
  template <class F>
  explicit MovedLibrary(F whileLoaded) {
    HMODULE first = LoadLibraryW(L"quarnel.dll");
    if (first == NULL) return;
    old_ = Image(first);
    whileLoaded(first);
    FreeLibrary(first);
    if (GetModuleHandleW(L"quarnel.dll") != NULL) return;
    reserved_ = VirtualAlloc(reinterpret_cast<void*>(old_.base), old_.size, MEM_RESERVE, PAGE_NOACCESS);
  }
  ~MovedLibrary() {
    if (reserved_) VirtualFree(reserved_, 0, MEM_RELEASE);
  }
  // False when the old range could not be kept: the test cannot show anything.
  bool Ready() const { return reserved_ == reinterpret_cast<void*>(old_.base) && reserved_ != nullptr; }
  const Image& Old() const { return old_; }

 private:
  MovedLibrary(const MovedLibrary&) = delete;
  MovedLibrary& operator=(const MovedLibrary&) = delete;
  Image old_{NULL};
  void* reserved_ = nullptr;
};

TEST(ModuleReload, ToolTableWindowsRunTheProcedureOfTheLoadedImage) {
  MovedLibrary moved([](HMODULE) {});
  ASSERT_TRUE(moved.Ready());
  HMODULE q = LoadLibraryW(L"quarnel.dll");
  ASSERT_NE(q, nullptr);
  const Image now(q);
  ASSERT_NE(now.base, moved.Old().base);
  ASSERT_TRUE(now.Holds(ClassProc(L"QvToolTable32"))) << "the class points at the unloaded image";
  HWND table = CreateWindowW(L"QvToolTable32", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, q, NULL);
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(now.Holds(WindowProc(table)));
  DestroyWindow(table);
  ASSERT_TRUE(FreeLibrary(q));
  EXPECT_FALSE(Query(NULL, L"QvToolTable32").registered);
}

TEST(ModuleReload, ASurvivingToolTableKeepsItsClassWhichTheNextLoadTakesOver) {
  HWND survivor = NULL;
  MovedLibrary moved([&](HMODULE q) {
    survivor = CreateWindowW(L"QvToolTable32", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, q, NULL);
    // The procedure goes with the image: the window must not run it afterwards, not even to
    // be destroyed. Its class is still the library's.
    SetWindowLongPtrW(survivor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
  });
  ASSERT_NE(survivor, nullptr);
  ASSERT_TRUE(moved.Ready());
  // The window keeps its class registered across the unload.
  EXPECT_TRUE(Query(NULL, L"QvToolTable32").registered);

  HMODULE q = LoadLibraryW(L"quarnel.dll");
  ASSERT_NE(q, nullptr);
  const Image now(q);
  EXPECT_TRUE(now.Holds(ClassProc(L"QvToolTable32"))) << "the class points at the unloaded image";
  HWND table = NULL;
  if (now.Holds(ClassProc(L"QvToolTable32")))
    table = CreateWindowW(L"QvToolTable32", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, q, NULL);
  EXPECT_NE(table, nullptr);
  EXPECT_TRUE(now.Holds(WindowProc(table)));
  EXPECT_TRUE(IsWindow(survivor));
  DestroyWindow(table);
  DestroyWindow(survivor);
  ASSERT_TRUE(FreeLibrary(q));
  EXPECT_FALSE(Query(NULL, L"QvToolTable32").registered);
}

LRESULT CALLBACK ForeignProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(wnd, msg, wp, lp); }

// A class of the library's name registered by someone else, with the library's description.
bool RegisterForeign(const wchar_t* name) {
  WNDCLASSW wc = {};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = ForeignProc;
  wc.cbWndExtra = wcscmp(name, L"QvToolTable32") == 0 ? 4 : static_cast<int>(sizeof(LONG_PTR));
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = name;
  return RegisterClassW(&wc) != 0;
}

TEST(ModuleLoad, ClassesRunningAnotherProcedureAreTakenOver) {
  struct Case {
    const wchar_t* name;
    bool windowOfIt;  // a window of the foreign class exists when the library loads
  } cases[] = {
      {L"QvToolTable32", false}, {L"QvToolTable32", true},   {L"QvIconPaneControl32", false},
      {L"QvIconPaneControl32", true}, {L"QvTileControl32", false}, {L"QvTileControl32", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << (c.windowOfIt ? ", with a window of it" : ""));
    ASSERT_TRUE(RegisterForeign(c.name));
    HWND foreign = NULL;
    if (c.windowOfIt) {
      foreign = CreateWindowW(c.name, L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
      ASSERT_NE(foreign, nullptr);
    }
    HMODULE q = LoadLibraryW(L"quarnel.dll");
    ASSERT_NE(q, nullptr);
    const Image image(q);
    EXPECT_TRUE(image.Holds(ClassProc(c.name)));
    HWND mine = CreateWindowW(c.name, L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, q, NULL);
    EXPECT_TRUE(image.Holds(WindowProc(mine)));
    if (foreign) {
      EXPECT_EQ(WindowProc(foreign), ForeignProc);  // windows made before keep theirs
    }
    DestroyWindow(mine);
    DestroyWindow(foreign);
    ASSERT_TRUE(FreeLibrary(q));
    // Left over when the library did not take the class over.
    UnregisterClassW(c.name, GetModuleHandleW(NULL));
  }
}

TEST(ModuleLoad, UnloadDestroysRemainingControlWindowsAnywhereInTheTree) {
  testing_support::LoggingParent host;
  ASSERT_NE(host.hwnd(), nullptr);
  HMODULE q = LoadLibraryW(L"quarnel.dll");
  ASSERT_NE(q, nullptr);
  auto make = [&](const wchar_t* name, HWND parent) {
    return CreateWindowW(name, L"", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP, 0, 0, 10, 10, parent, NULL, q, NULL);
  };
  HWND pane = make(L"QvIconPaneControl32", NULL);
  HWND tile = make(L"QvTileControl32", NULL);
  HWND childPane = make(L"QvIconPaneControl32", host.hwnd());
  HWND childTile = make(L"QvTileControl32", host.hwnd());
  HWND grandchild = make(L"QvIconPaneControl32", childTile);
  // Under a message-only window of another class.
  testing_support::LoggingParent messageOnly(0, HWND_MESSAGE);
  HWND hidden = make(L"QvTileControl32", messageOnly.hwnd());
  const HWND controls[] = {pane, tile, childPane, childTile, grandchild, hidden};
  for (HWND h : controls) ASSERT_NE(h, nullptr);

  ASSERT_TRUE(FreeLibrary(q));
  for (HWND h : controls) {
    EXPECT_FALSE(IsWindow(h));
    // A survivor must not run the unloaded procedure when its parent goes.
    if (IsWindow(h)) SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
  }
  EXPECT_TRUE(IsWindow(host.hwnd()));
  EXPECT_FALSE(Query(NULL, L"QvIconPaneControl32").registered);
  EXPECT_FALSE(Query(NULL, L"QvTileControl32").registered);
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
