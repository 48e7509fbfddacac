// Owners, borrowers and scopes of GDI and USER handles, on real objects: who frees what and
// when, what a move hands on, and what a scope gives back to the DC.
#include <UIHandles.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>

namespace {

bool Alive(HGDIOBJ h) { return h != NULL && GetObjectType(h) != 0; }

// A 32-bit memory DC with a small bitmap of its own selected, so that pens, brushes and
// bitmaps can be selected in and out.
struct Surface {
  uih::OwnedDC dc{CreateCompatibleDC(NULL)};
  uih::OwnedBitmap bitmap{CreateBitmap(8, 8, 1, 32, NULL)};
  HGDIOBJ stock = NULL;
  Surface() { stock = SelectObject(dc.Get(), bitmap.Get()); }
  ~Surface() { SelectObject(dc.Get(), stock); }
};

// Every GDI owner frees its handle at the end of its life, unless the handle was released.
template <class Owner, class Make>
void CheckGdiOwner(const char* kind, Make make) {
  SCOPED_TRACE(kind);
  auto h = make();
  ASSERT_TRUE(Alive(h));
  { Owner owner(h); }
  EXPECT_FALSE(Alive(h)) << "freed with its owner";

  h = make();
  {
    Owner owner(h);
    EXPECT_EQ(owner.Release(), h);
    EXPECT_FALSE(owner);
  }
  EXPECT_TRUE(Alive(h)) << "a released handle is the caller's";
  { Owner taken(h); }

  // Reset frees what was held, and only that; resetting to the same handle keeps it.
  auto first = make(), second = make();
  {
    Owner owner(first);
    owner.Reset(first);
    EXPECT_TRUE(Alive(first));
    owner.Reset(second);
    EXPECT_FALSE(Alive(first));
    EXPECT_TRUE(Alive(second));
    owner.Reset();
    EXPECT_FALSE(Alive(second));
    EXPECT_EQ(owner.Get(), decltype(h)(NULL));
  }
}

TEST(UIHandlesOwned, EachKindIsFreedWithItsOwner) {
  CheckGdiOwner<uih::OwnedBrush>("brush", [] { return CreateSolidBrush(RGB(1, 2, 3)); });
  CheckGdiOwner<uih::OwnedPen>("pen", [] { return CreatePen(PS_DASH, 1, RGB(1, 2, 3)); });
  CheckGdiOwner<uih::OwnedFont>("font", [] {
    return CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, TEXT("Arial"));
  });
  CheckGdiOwner<uih::OwnedBitmap>("bitmap", [] { return CreateBitmap(4, 4, 1, 1, NULL); });
  CheckGdiOwner<uih::OwnedRgn>("region", [] { return CreateRectRgn(0, 0, 5, 5); });
  CheckGdiOwner<uih::OwnedPalette>("palette", [] {
    LOGPALETTE lp = {0x300, 1, {{10, 20, 30, 0}}};
    return CreatePalette(&lp);
  });
  CheckGdiOwner<uih::OwnedDC>("memory DC", [] { return CreateCompatibleDC(NULL); });
}

TEST(UIHandlesOwned, IconsAndImageListsAreFreedTheirOwnWay) {
  HICON icon = CopyIcon(LoadIcon(NULL, IDI_APPLICATION));
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  { uih::OwnedIcon owner(icon); }
  EXPECT_FALSE(GetIconInfo(icon, &info)) << "destroyed with its owner";

  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  ASSERT_NE(list, static_cast<HIMAGELIST>(NULL));
  {
    uih::OwnedImageList owner(list);
    uih::OwnedImageList other(std::move(owner));
    EXPECT_EQ(other.Get(), list);
    EXPECT_EQ(owner.Get(), static_cast<HIMAGELIST>(NULL));
    EXPECT_EQ(ImageList_GetImageCount(other.Get()), 0);
    EXPECT_EQ(other.Release(), list);
  }
  EXPECT_TRUE(ImageList_Destroy(list)) << "the released list was the caller's to destroy";
}

std::atomic<int> g_hookCalls{0};
LRESULT CALLBACK CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  ++g_hookCalls;
  return CallNextHookEx(NULL, code, wParam, lParam);
}

TEST(UIHandlesOwned, WindowsAndHooksAreFreedTheirOwnWay) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_NE(window, nullptr);
  { uih::OwnedWindow owner(window); }
  EXPECT_FALSE(IsWindow(window)) << "destroyed with its owner";
  // A window destroyed meanwhile (with its owner window, say) is left alone.
  HWND owned = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  {
    uih::OwnedWindow owner(owned);
    DestroyWindow(owned);
  }
  EXPECT_FALSE(IsWindow(owned));

  HWND target = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  {
    uih::OwnedHook hook(SetWindowsHookExW(WH_CALLWNDPROC, CountingHook, NULL, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    g_hookCalls = 0;
    SendMessageW(target, WM_NULL, 0, 0);
    EXPECT_GT(g_hookCalls, 0);
  }
  g_hookCalls = 0;
  SendMessageW(target, WM_NULL, 0, 0);
  EXPECT_EQ(g_hookCalls, 0) << "unhooked with its owner";
  DestroyWindow(target);
}

// A window of its own thread, answering sent messages until it is told to end.
class OtherThreadWindow {
 public:
  OtherThreadWindow() : m_thread([this] { Run(); }) {
    while (m_wnd.load() == NULL && !m_failed.load()) std::this_thread::yield();
  }
  ~OtherThreadWindow() {
    if (m_wnd.load() != NULL) PostMessageW(m_wnd.load(), WM_CLOSE, 0, 0);
    m_thread.join();
  }
  HWND Window() const { return m_wnd.load(); }
  DWORD Thread() const { return m_threadId.load(); }

 private:
  void Run() {
    HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    if (wnd == NULL) {
      m_failed = true;
      return;
    }
    m_threadId = GetCurrentThreadId();
    m_wnd = wnd;
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
      if (msg.message == WM_CLOSE) break;
      DispatchMessageW(&msg);
    }
    DestroyWindow(wnd);
  }
  std::atomic<HWND> m_wnd{NULL};
  std::atomic<DWORD> m_threadId{0};
  std::atomic<bool> m_failed{false};
  std::thread m_thread;
};

// A hook is on one thread: the calling thread's sees what that thread's windows are sent and
// not what another thread's are; one set on another thread sees only that thread's. Each goes
// with its owner.
TEST(UIHandlesHooks, AThreadsHookSeesOnlyThatThreadAndGoesWithItsOwner) {
  HWND here = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_NE(here, nullptr);
  OtherThreadWindow there;
  ASSERT_NE(there.Window(), nullptr);
  const struct {
    const char* what;
    bool onThisThread;
    bool seesHere, seesThere;
  } cases[] = {
      {"the calling thread's hook", true, true, false},
      {"the other thread's hook", false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    {
      const uih::OwnedHook hook = c.onThisThread ? uih::HookThisThreadW(WH_CALLWNDPROC, CountingHook)
                                                 : uih::HookThreadW(WH_CALLWNDPROC, CountingHook, there.Thread());
      ASSERT_TRUE(hook);
      g_hookCalls = 0;
      SendMessageW(here, WM_NULL, 0, 0);
      EXPECT_EQ(g_hookCalls > 0, c.seesHere);
      g_hookCalls = 0;
      SendMessageW(there.Window(), WM_NULL, 0, 0);
      EXPECT_EQ(g_hookCalls > 0, c.seesThere);
    }
    g_hookCalls = 0;
    SendMessageW(here, WM_NULL, 0, 0);
    SendMessageW(there.Window(), WM_NULL, 0, 0);
    EXPECT_EQ(g_hookCalls, 0) << "unhooked with its owner";
  }
  // The edition's own kind of hook is a hook all the same.
  {
    const uih::OwnedHook hook = uih::HookThisThread(WH_CALLWNDPROC, CountingHook);
    ASSERT_TRUE(hook);
    g_hookCalls = 0;
    SendMessageW(here, WM_NULL, 0, 0);
    EXPECT_GT(g_hookCalls, 0);
  }
  DestroyWindow(here);
}

// A move hands the handle on: the source is empty and frees nothing; a move into an owner
// frees what that owner held.
TEST(UIHandlesOwned, MovesHandTheHandleOn) {
  HBRUSH a = CreateSolidBrush(RGB(1, 1, 1)), b = CreateSolidBrush(RGB(2, 2, 2));
  {
    uih::OwnedBrush first(a);
    uih::OwnedBrush second(std::move(first));
    EXPECT_EQ(first.Get(), static_cast<HBRUSH>(NULL));
    EXPECT_EQ(second.Get(), a);
    uih::OwnedBrush third(b);
    third = std::move(second);
    EXPECT_FALSE(Alive(b)) << "the brush the target held";
    EXPECT_TRUE(Alive(a));
    EXPECT_EQ(third.Get(), a);
    third = std::move(third);
    EXPECT_TRUE(Alive(a)) << "a move into itself keeps the brush";
  }
  EXPECT_FALSE(Alive(a));
}

TEST(UIHandlesBorrowed, ABorrowerFreesNothing) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  {
    uih::BorrowedPen borrowed(pen);
    uih::BorrowedPen copy = borrowed;
    HPEN raw = copy;
    EXPECT_EQ(raw, pen);
  }
  EXPECT_TRUE(Alive(pen));
  DeleteObject(pen);
}

TEST(UIHandlesSelection, TheScopeSelectsThePreviousObjectBack) {
  Surface s;
  HGDIOBJ pen0 = GetCurrentObject(s.dc.Get(), OBJ_PEN), brush0 = GetCurrentObject(s.dc.Get(), OBJ_BRUSH);
  uih::OwnedPen pen(CreatePen(PS_SOLID, 3, RGB(255, 0, 0)));
  uih::OwnedBrush brush(CreateSolidBrush(RGB(0, 255, 0)));
  {
    uih::Selection p(s.dc.Get(), pen.Get());
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.Previous(), pen0);
    EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_PEN), pen.Get());
    uih::Selection b(s.dc.Get(), brush.Get());
    ASSERT_TRUE(b);
    uih::Selection moved(std::move(b));
    EXPECT_FALSE(b.Ok()) << "the moved-from scope restores nothing";
    EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_BRUSH), brush.Get());
    p.Restore();
    EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_PEN), pen0);
    EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_BRUSH), brush.Get());
  }
  EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_PEN), pen0);
  EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_BRUSH), brush0);
  {
    uih::Selection kept(s.dc.Get(), pen.Get());
    kept.Keep();
  }
  EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_PEN), pen.Get()) << "kept selected";
  SelectObject(s.dc.Get(), pen0);

  // A selection made elsewhere is taken over: its previous object goes back at the end.
  {
    uih::Selection adopted = uih::Selection::Adopt(s.dc.Get(), SelectObject(s.dc.Get(), pen.Get()));
    ASSERT_TRUE(adopted.Ok());
    EXPECT_EQ(adopted.Previous(), pen0);
    EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_PEN), pen.Get());
  }
  EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_PEN), pen0) << "the adopted selection's previous object is back";
  EXPECT_FALSE(uih::Selection::Adopt(s.dc.Get(), NULL).Ok());
  EXPECT_FALSE(uih::Selection::Adopt(s.dc.Get(), HGDI_ERROR).Ok()) << "a failed selection has nothing to give back";
  EXPECT_FALSE(uih::Selection::Adopt(NULL, pen0).Ok());
}

// A selection that GDI refuses is reported and leaves the DC as it was.
TEST(UIHandlesSelection, AFailedSelectionIsReportedAndChangesNothing) {
  Surface s, other;
  HGDIOBJ bitmap0 = GetCurrentObject(s.dc.Get(), OBJ_BITMAP);
  HBRUSH gone = CreateSolidBrush(RGB(9, 9, 9));
  DeleteObject(gone);
  struct Case {
    const char* what;
    HDC dc;
    HGDIOBJ object;
  } const cases[] = {
      {"a bitmap selected into another DC", s.dc.Get(), other.bitmap.Get()},
      {"a deleted brush", s.dc.Get(), gone},
      {"no object", s.dc.Get(), NULL},
      {"no DC", NULL, GetStockObject(BLACK_PEN)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DWORD type = c.object != NULL ? GetObjectType(c.object) : 0;
    uih::Selection sel = type == OBJ_BITMAP ? uih::Selection(c.dc, static_cast<HBITMAP>(c.object))
                         : type == OBJ_PEN  ? uih::Selection(c.dc, static_cast<HPEN>(c.object))
                                            : uih::Selection(c.dc, static_cast<HBRUSH>(c.object));
    EXPECT_FALSE(sel.Ok());
    EXPECT_EQ(sel.Previous(), static_cast<HGDIOBJ>(NULL));
  }
  EXPECT_EQ(GetCurrentObject(s.dc.Get(), OBJ_BITMAP), bitmap0);
  EXPECT_EQ(GetCurrentObject(other.dc.Get(), OBJ_BITMAP), other.bitmap.Get());
}

// A pair selection reaches both DCs of a pair (as a print preview's output and attribute DCs
// are) and gives each its own previous object back; a pair of one DC selects once, so that
// the end puts back the object that was there before, not the pair's own.
TEST(UIHandlesSelection, APairSelectsIntoBothDCsAndRestoresEach) {
  Surface output, attribute;
  uih::OwnedFont font(CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  uih::OwnedFont other(CreateFontW(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  HGDIOBJ font0 = GetCurrentObject(output.dc.Get(), OBJ_FONT);
  SelectObject(attribute.dc.Get(), other.Get());  // each DC starts with its own font
  struct Case {
    const char* what;
    HDC out;
    HDC attrib;
  } const cases[] = {
      {"two DCs", output.dc.Get(), attribute.dc.Get()},
      {"the same DC twice", output.dc.Get(), output.dc.Get()},
      {"no attribute DC", output.dc.Get(), NULL},
      {"no output DC", NULL, attribute.dc.Get()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      uih::PairSelection sel(c.out, c.attrib, font.Get());
      EXPECT_TRUE(sel.Ok());
      for (HDC dc : {c.out, c.attrib}) {
        if (dc != NULL) {
          EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.Get());
        }
      }
    }
    EXPECT_EQ(GetCurrentObject(output.dc.Get(), OBJ_FONT), font0);
    EXPECT_EQ(GetCurrentObject(attribute.dc.Get(), OBJ_FONT), other.Get());
  }
  {
    uih::PairSelection sel(output.dc.Get(), attribute.dc.Get(), font.Get());
    sel.Restore();
    EXPECT_EQ(GetCurrentObject(output.dc.Get(), OBJ_FONT), font0) << "restored now";
    EXPECT_EQ(GetCurrentObject(attribute.dc.Get(), OBJ_FONT), other.Get());
  }
  EXPECT_FALSE(uih::PairSelection(NULL, NULL, font.Get()).Ok());
  SelectObject(attribute.dc.Get(), font0);
}

// The saved state comes back whole: objects, clipping, colours, modes, raster operation;
// states saved after it and not restored by their owner are undone too.
TEST(UIHandlesSavedDC, RestoreBringsBackTheWholeState) {
  Surface s;
  HDC dc = s.dc.Get();
  HGDIOBJ pen0 = GetCurrentObject(dc, OBJ_PEN);
  const COLORREF text0 = GetTextColor(dc), back0 = GetBkColor(dc);
  const int mode0 = GetBkMode(dc), rop0 = GetROP2(dc);
  uih::OwnedPen pen(CreatePen(PS_SOLID, 2, RGB(1, 2, 3)));
  uih::OwnedRgn clip(CreateRectRgn(1, 1, 3, 3));
  {
    uih::SavedDC saved(dc);
    ASSERT_TRUE(saved.Ok());
    EXPECT_EQ(saved.DC(), dc);
    SelectObject(dc, pen.Get());
    SelectClipRgn(dc, clip.Get());
    SetTextColor(dc, RGB(10, 20, 30));
    SetBkColor(dc, RGB(40, 50, 60));
    SetBkMode(dc, mode0 == OPAQUE ? TRANSPARENT : OPAQUE);
    SetROP2(dc, R2_NOTXORPEN);
    SaveDC(dc);  // never restored by whoever saved it
    SetROP2(dc, R2_BLACK);
    uih::SavedDC moved(std::move(saved));
    EXPECT_FALSE(saved.Ok()) << "the moved-from scope restores nothing";
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
  uih::OwnedRgn now(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(dc, now.Get()), 0) << "no clip region";
  EXPECT_EQ(GetTextColor(dc), text0);
  EXPECT_EQ(GetBkColor(dc), back0);
  EXPECT_EQ(GetBkMode(dc), mode0);
  EXPECT_EQ(GetROP2(dc), rop0);
  EXPECT_FALSE(uih::SavedDC(NULL).Ok());
  uih::SavedDC once(dc);
  EXPECT_TRUE(once.Restore());
  EXPECT_FALSE(once.Restore()) << "restored once";
}

TEST(UIHandlesWindowDC, TheWindowsDCIsHeldForTheScopeOrHandedOver) {
  HWND wnd = CreateWindowEx(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
  ASSERT_NE(wnd, static_cast<HWND>(NULL));
  {
    uih::WindowDC dc(wnd);
    ASSERT_TRUE(dc);
    EXPECT_EQ(WindowFromDC(dc.Get()), wnd);
    uih::WindowDC moved(std::move(dc));
    EXPECT_EQ(dc.Get(), static_cast<HDC>(NULL));
    EXPECT_EQ(moved.Window(), wnd);
    HDC handed = moved.Release();
    EXPECT_EQ(moved.Get(), static_cast<HDC>(NULL));
    EXPECT_EQ(ReleaseDC(wnd, handed), 1) << "the handed-over DC is the caller's to release";
  }
  uih::WindowDC screen(NULL);
  EXPECT_TRUE(screen);
  EXPECT_EQ(GetDeviceCaps(screen.Get(), TECHNOLOGY), DT_RASDISPLAY);
  DestroyWindow(wnd);
}

// The DC of the whole window starts at the window's corner, frame and caption included, where
// the client area's starts at the client's; both are the window's and go back to it.
TEST(UIHandlesWindowDC, TheWholeWindowsDCStartsAtTheFrame) {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 40, 30, 200, 150, NULL, NULL, NULL, NULL);
  ASSERT_NE(wnd, nullptr);
  RECT window;
  GetWindowRect(wnd, &window);
  POINT client = {0, 0};
  ClientToScreen(wnd, &client);
  ASSERT_NE(client.y, window.top) << "the window has a caption";
  {
    uih::WindowDC whole = uih::WindowDC::WholeWindow(wnd), inner(wnd);
    ASSERT_TRUE(whole);
    ASSERT_TRUE(inner);
    EXPECT_EQ(WindowFromDC(whole.Get()), wnd);
    POINT wholeOrigin = {}, innerOrigin = {};
    GetDCOrgEx(whole.Get(), &wholeOrigin);
    GetDCOrgEx(inner.Get(), &innerOrigin);
    EXPECT_EQ(wholeOrigin.x, window.left);
    EXPECT_EQ(wholeOrigin.y, window.top);
    EXPECT_EQ(innerOrigin.x, client.x);
    EXPECT_EQ(innerOrigin.y, client.y);
    HDC handed = whole.Release();
    EXPECT_EQ(ReleaseDC(wnd, handed), 1) << "the handed-over DC is the caller's to release";
  }
  DestroyWindow(wnd);
}

// A device DC by its names, deleted with its owner; none for a device that does not exist.
TEST(UIHandlesDeviceDC, ADeviceDCIsMadeByItsNamesAndDeletedWithItsOwner) {
  HDC kept = NULL;
  {
    const uih::OwnedDC wide = uih::CreateDeviceDC(L"DISPLAY", NULL, NULL, NULL);
    const uih::OwnedDC narrow = uih::CreateDeviceDC("DISPLAY", NULL, NULL, NULL);
    ASSERT_TRUE(wide);
    ASSERT_TRUE(narrow);
    EXPECT_EQ(GetDeviceCaps(wide.Get(), TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(GetDeviceCaps(narrow.Get(), TECHNOLOGY), DT_RASDISPLAY);
    kept = wide.Get();
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_DC));
  }
  EXPECT_EQ(GetObjectType(kept), 0u) << "deleted with its owner";
  EXPECT_FALSE(uih::CreateDeviceDC(L"no such driver", L"no such printer", NULL, NULL));
  EXPECT_FALSE(uih::CreateDeviceDC("no such driver", "no such printer", NULL, NULL));
}

// A memory DC gives back its own bitmap before it goes, so the bitmaps selected into it are
// free to be selected elsewhere and deleted.
TEST(UIHandlesMemoryDC, SelectedBitmapsAreFreeAfterwards) {
  uih::OwnedBitmap a(CreateBitmap(4, 4, 1, 32, NULL)), b(CreateBitmap(4, 4, 1, 32, NULL));
  {
    uih::MemoryDC dc;
    ASSERT_NE(dc.Get(), static_cast<HDC>(NULL));
    EXPECT_TRUE(dc.Select(a.Get()));
    EXPECT_TRUE(dc.Select(b.Get()));
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), b.Get());
    uih::MemoryDC other;
    EXPECT_FALSE(other.Select(b.Get())) << "selected into the first DC";
    EXPECT_FALSE(other.Select(NULL));
  }
  uih::MemoryDC again;
  EXPECT_TRUE(again.Select(a.Get()));
  EXPECT_TRUE(again.Select(b.Get()));
}

}  // namespace
