// CWnd: binding through the creation hook, handle maps, subclassing, destruction, a handler
// that deletes its object, exceptions in handlers, and create/destroy cycles without leaks.
#include <gtest/gtest.h>

#include <framework.h>
#include <malloc.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "handle_counts.h"
#include "recorder.h"
#include "recording_wnd.h"
#include "test_support.h"

using testing_support::ExpectedMsg;
using testing_support::GuiCounts;
using testing_support::kDefWinProc;
using testing_support::kOptional;
using testing_support::kPosted;
using testing_support::kSent;
using testing_support::Recorder;

namespace {

// What reached the object while its window was made.
class CreateProbe : public CWnd {
 public:
  int ncCreates = 0;
  int creates = 0;
  HWND hwndAtNcCreate = NULL;
  int createAnswer = 0;
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs) {
    ++ncCreates;
    hwndAtNcCreate = m_hWnd;
    return CWnd::OnNcCreate(cs);
  }
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    ++creates;
    if (createAnswer != 0) return createAnswer;
    return CWnd::OnCreate(cs);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CreateProbe, CWnd)
  ON_WM_NCCREATE()
  ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WindowCreation, FirstMessagesReachTheObjectWhateverTheClass) {
  const LPCTSTR classes[] = {NULL, _T("BUTTON"), _T("EDIT"), _T("STATIC")};
  for (LPCTSTR cls : classes) {
    SCOPED_TRACE(cls ? cls : _T("framework class"));
    CreateProbe w;
    ASSERT_TRUE(w.CreateEx(0, cls, _T("x"), WS_POPUP, 0, 0, 60, 20, NULL, NULL));
    EXPECT_EQ(w.ncCreates, 1);
    EXPECT_EQ(w.creates, 1);
    EXPECT_EQ(w.hwndAtNcCreate, w.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(w.m_hWnd), &w);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(w.m_hWnd, GWLP_WNDPROC)), AfxGetAfxWndProc());
    EXPECT_EQ(w.SendMessage(WM_QUERYAFXWNDPROC), 1);
    if (cls != NULL) {
      // The control's own procedure still does its work.
      w.SetWindowText(_T("changed"));
      TCHAR text[16];
      w.GetWindowText(text, 16);
      EXPECT_STREQ(text, _T("changed"));
    }
  }
}

// Counts its own PostNcDestroy calls; optionally deletes itself there.
class Counted : public CWnd {
 public:
  static int live;
  static int postNcDestroys;
  bool selfDelete = false;
  Counted() { ++live; }
  ~Counted() override { --live; }
 protected:
  void PostNcDestroy() override {
    ++postNcDestroys;
    if (selfDelete) delete this;
  }
};
int Counted::live = 0;
int Counted::postNcDestroys = 0;

class FailingCreate : public Counted {
 public:
  afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(FailingCreate, Counted)
  ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WindowCreation, FailuresCleanUpOnce) {
  Counted::postNcDestroys = 0;
  {
    // OnCreate refuses: no window, the object is unbound, PostNcDestroy ran once.
    FailingCreate* w = new FailingCreate;
    w->selfDelete = true;
    EXPECT_FALSE(w->CreateEx(0, NULL, _T("x"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(Counted::postNcDestroys, 1);
  }
  {
    // An unknown class: the hook never bound the object; PostNcDestroy still runs once.
    Counted* w = new Counted;
    w->selfDelete = true;
    EXPECT_FALSE(w->CreateEx(0, _T("NoSuchClassAnywhere"), _T("x"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(Counted::postNcDestroys, 2);
  }
  EXPECT_EQ(Counted::live, 0);
  // A second creation on a bound object is refused.
  Counted w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("x"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_FALSE(w.CreateEx(0, NULL, _T("y"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
}

TEST(WindowCreation, MessageSequenceOfAFrameworkWindow) {
  Recorder().Reset();
  RecordingWnd w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("seq"), WS_POPUP, 0, 0, 40, 40, NULL, NULL));
  static const ExpectedMsg create[] = {
      {WM_GETMINMAXINFO, kSent | kOptional, 0, 0},
      {WM_NCCREATE, kSent, 0, 0},
      {WM_NCCALCSIZE, kSent, 0, 0},
      {WM_CREATE, kSent, 0, 0},
      {WM_SIZE, kSent, 0, 0},
      {WM_MOVE, kSent, 0, 0},
      {0, 0, 0, 0},
  };
  EXPECT_TRUE(Recorder().Matches(create));
  Recorder().Clear();
  w.DestroyWindow();
  static const ExpectedMsg destroy[] = {
      {WM_DESTROY, kSent, 0, 0},
      {WM_NCDESTROY, kSent, 0, 0},
      {0, 0, 0, 0},
  };
  EXPECT_TRUE(Recorder().Matches(destroy));
  EXPECT_EQ(w.m_hWnd, nullptr);
}

TEST(HandleMaps, PermanentAndTemporaryObjects) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("perm"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HWND raw = CreateWindow(_T("STATIC"), _T("raw"), WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_NE(raw, nullptr);

  EXPECT_EQ(CWnd::FromHandle(w.m_hWnd), &w);
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
  CWnd* temp = CWnd::FromHandle(raw);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hWnd, raw);
  EXPECT_EQ(CWnd::FromHandle(raw), temp);  // the same temporary object until cleaned
  EXPECT_EQ(CWnd::FromHandle(NULL), nullptr);

  // Cleaning at idle deletes the temporary object, not the window.
  CWinThread thread;
  EXPECT_TRUE(thread.OnIdle(0));   // user-interface update asks for more idle time
  EXPECT_FALSE(thread.OnIdle(1));  // cleaning is the last step
  EXPECT_TRUE(IsWindow(raw));
  EXPECT_EQ(CWnd::FromHandlePermanent(w.m_hWnd), &w);
  DestroyWindow(raw);
}

// Maps are per thread: another thread sees no permanent object and makes its own temporary.
// That thread ends without cleaning its objects: its end frees them without touching the
// window, and the program still ends normally once every test has run.
TEST(HandleMaps, MapsArePerThread) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("perm"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  struct Probe {
    HWND hwnd;
    CWnd* perm;
    CWnd* temp;
    HWND tempHwnd;
  } probe = {w.m_hWnd, &w, NULL, NULL};
  HANDLE t = CreateThread(
      NULL, 0,
      [](LPVOID p) WINAPI -> DWORD {
        Probe* pr = static_cast<Probe*>(p);
        pr->perm = CWnd::FromHandlePermanent(pr->hwnd);
        pr->temp = CWnd::FromHandle(pr->hwnd);
        pr->tempHwnd = pr->temp != NULL ? pr->temp->m_hWnd : NULL;
        return 0;
      },
      &probe, 0, NULL);
  ASSERT_NE(t, nullptr);
  WaitForSingleObject(t, INFINITE);
  CloseHandle(t);
  EXPECT_EQ(probe.perm, nullptr);
  EXPECT_NE(probe.temp, nullptr);
  EXPECT_NE(probe.temp, &w);
  EXPECT_EQ(probe.tempHwnd, w.m_hWnd);
  // The other thread's end left this thread's window and binding alone.
  EXPECT_TRUE(IsWindow(w.m_hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(w.m_hWnd), &w);
  EXPECT_EQ(CWnd::FromHandle(w.m_hWnd), &w);
}

// Bytes in use in the C runtime's heap, where the framework's objects are allocated.
size_t CrtHeapBytesInUse() {
  HANDLE heap = reinterpret_cast<HANDLE>(_get_heap_handle());
  size_t total = 0;
  PROCESS_HEAP_ENTRY e = {};
  HeapLock(heap);
  while (HeapWalk(heap, &e))
    if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += e.cbData;
  HeapUnlock(heap);
  return total;
}

struct BorrowedHandles {
  HWND hwnd;
  HMENU menu;
  HIMAGELIST images;
};

// Borrows an object for a handle of each kind, and for its own screen DC, then ends without
// cleaning anything.
DWORD WINAPI BorrowingThread(LPVOID p) {
  const BorrowedHandles* h = static_cast<const BorrowedHandles*>(p);
  CWnd::FromHandle(h->hwnd);
  CWnd::FromHandle(GetDesktopWindow());
  CMenu::FromHandle(h->menu);
  CImageList::FromHandle(h->images);
  CGdiObject::FromHandle(GetStockObject(BLACK_PEN));
  HDC dc = GetDC(NULL);
  CDC::FromHandle(dc);
  ReleaseDC(NULL, dc);
  AfxGetThreadState();
  return 0;
}

// The objects and maps of a thread go with it: many short threads leave no memory behind and
// leave the borrowed handles alive.
TEST(HandleMaps, ThreadEndFreesItsObjects) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("perm"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 1, 1));
  BorrowedHandles handles = {w.m_hWnd, menu.m_hMenu, images.m_hImageList};
  auto runThreads = [&](int count) {
    for (int i = 0; i < count; ++i) {
      HANDLE t = CreateThread(NULL, 0, BorrowingThread, &handles, 0, NULL);
      ASSERT_NE(t, nullptr);
      WaitForSingleObject(t, INFINITE);
      CloseHandle(t);
    }
  };
  runThreads(2);  // the runtime's one-time allocations
  size_t before = CrtHeapBytesInUse();
  const int kThreads = 16;
  runThreads(kThreads);
  size_t after = CrtHeapBytesInUse();
  // What one thread would leave behind: its temporary objects alone exceed a CWnd.
  EXPECT_LT(after, before + kThreads * sizeof(CWnd));
  EXPECT_TRUE(IsWindow(w.m_hWnd));
  EXPECT_TRUE(IsMenu(menu.m_hMenu));
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(images.m_hImageList, &cx, &cy));
  EXPECT_EQ(CWnd::FromHandlePermanent(w.m_hWnd), &w);
}

TEST(HandleMaps, AttachDetach) {
  HWND raw = CreateWindow(_T("STATIC"), _T("raw"), WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  CWnd a, b;
  EXPECT_TRUE(a.Attach(raw));
  EXPECT_FALSE(b.Attach(raw));  // one permanent object per window
  EXPECT_FALSE(a.Attach(raw));
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), &a);
  EXPECT_EQ(a.Detach(), raw);
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
  EXPECT_TRUE(IsWindow(raw));  // detaching keeps the window
  EXPECT_TRUE(b.Attach(raw));
  // The destructor of a bound object destroys its window.
  { CWnd c; }
  b.Detach();
  {
    CWnd owner;
    owner.Attach(raw);
  }
  EXPECT_FALSE(IsWindow(raw));
}

// Subclassing.

class ClickCounter : public CWnd {
 public:
  int clicks = 0;
  void PreSubclassWindow() override { presubclassed = true; }
  bool presubclassed = false;
  afx_msg void OnLButtonDown(UINT, CPoint) {
    ++clicks;
    Default();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ClickCounter, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Answers which object a message reached.
class SelfReporting : public CWnd {
 public:
  afx_msg LRESULT OnWho(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(this); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SelfReporting, CWnd)
  ON_MESSAGE(WM_USER + 3, &SelfReporting::OnWho)
END_MESSAGE_MAP()

// More windows than the lookup remembers at once: each message reaches its window's object,
// and a window's handle no longer leads to the object once the window is gone (nor to a
// deleted one once a new window reuses the handle).
TEST(HandleMaps, EachWindowReachesItsOwnObject) {
  const int kWindows = 64;
  std::vector<std::unique_ptr<SelfReporting>> wnds;
  std::vector<HWND> handles;
  for (int i = 0; i < kWindows; ++i) {
    wnds.push_back(std::make_unique<SelfReporting>());
    ASSERT_TRUE(wnds.back()->CreateEx(0, NULL, _T("who"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    handles.push_back(wnds.back()->m_hWnd);
  }
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < kWindows; ++i)
      ASSERT_EQ(SendMessage(handles[i], WM_USER + 3, 0, 0), reinterpret_cast<LRESULT>(wnds[i].get())) << i;
  for (int i = 0; i < kWindows; i += 2) wnds[i].reset();
  for (int i = 0; i < kWindows; ++i) {
    SCOPED_TRACE(i);
    if (i % 2 == 0) {
      EXPECT_EQ(CWnd::FromHandlePermanent(handles[i]), nullptr);
    } else {
      EXPECT_EQ(SendMessage(handles[i], WM_USER + 3, 0, 0), reinterpret_cast<LRESULT>(wnds[i].get()));
    }
  }
  // New windows take the freed handles' places.
  for (int i = 0; i < kWindows; i += 2) {
    wnds[i] = std::make_unique<SelfReporting>();
    ASSERT_TRUE(wnds[i]->CreateEx(0, NULL, _T("who"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    handles[i] = wnds[i]->m_hWnd;
  }
  for (int i = 0; i < kWindows; ++i)
    EXPECT_EQ(SendMessage(handles[i], WM_USER + 3, 0, 0), reinterpret_cast<LRESULT>(wnds[i].get())) << i;
}

TEST(Subclassing, RestoresThePreviousProcedure) {
  testing_support::LoggingParent parent(WS_OVERLAPPEDWINDOW);
  HWND edit = CreateWindow(_T("EDIT"), _T("abc"), WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent.hwnd(),
                           reinterpret_cast<HMENU>(7), NULL, NULL);
  ASSERT_NE(edit, nullptr);
  LONG_PTR before = GetWindowLongPtr(edit, GWLP_WNDPROC);
  ClickCounter c;
  CWnd parentWnd;
  parentWnd.Attach(parent.hwnd());
  ASSERT_TRUE(c.SubclassDlgItem(7, &parentWnd));
  EXPECT_TRUE(c.presubclassed);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(edit, GWLP_WNDPROC)), AfxGetAfxWndProc());
  c.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(c.clicks, 1);
  // Unhandled messages still reach the edit control's own procedure.
  EXPECT_EQ(c.GetWindowTextLength(), 3);
  EXPECT_FALSE(c.SubclassWindow(edit));  // already bound
  EXPECT_EQ(c.UnsubclassWindow(), edit);
  EXPECT_EQ(GetWindowLongPtr(edit, GWLP_WNDPROC), before);
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
  SendMessage(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(c.clicks, 1);
  EXPECT_FALSE(c.SubclassDlgItem(99, &parentWnd));  // no such child
  parentWnd.Detach();
}

TEST(Subclassing, ChainsWithAnotherSubclasser) {
  // A control already subclassed by someone else: our default processing goes through
  // their procedure, and unsubclassing restores theirs.
  HWND button = CreateWindow(_T("BUTTON"), _T("b"), WS_POPUP, 0, 0, 40, 20, NULL, NULL, NULL, NULL);
  testing_support::SubclassedControl other(button);
  LONG_PTR theirs = GetWindowLongPtr(button, GWLP_WNDPROC);
  ClickCounter c;
  ASSERT_TRUE(c.SubclassWindow(button));
  Recorder().Reset();
  c.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(Recorder().Count(WM_LBUTTONDOWN), 1u);  // reached the other subclasser
  c.UnsubclassWindow();
  EXPECT_EQ(GetWindowLongPtr(button, GWLP_WNDPROC), theirs);
  DestroyWindow(button);
}

// A handler that destroys its own object.

class SelfDestroying : public Counted {
 public:
  afx_msg void OnClose() { DestroyWindow(); }  // PostNcDestroy deletes the object
  afx_msg LRESULT OnDeleteNow(WPARAM, LPARAM) {
    delete this;  // window destroyed by the destructor, object gone before the handler returns
    return 5;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SelfDestroying, Counted)
  ON_WM_CLOSE()
  ON_MESSAGE(WM_USER + 1, &SelfDestroying::OnDeleteNow)
END_MESSAGE_MAP()

TEST(Lifetime, HandlerThatDestroysItsObject) {
  int before = Counted::live;
  SelfDestroying* a = new SelfDestroying;
  a->selfDelete = true;
  ASSERT_TRUE(a->CreateEx(0, NULL, _T("a"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HWND ha = a->m_hWnd;
  SendMessage(ha, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(ha));
  EXPECT_EQ(Counted::live, before);

  SelfDestroying* b = new SelfDestroying;
  ASSERT_TRUE(b->CreateEx(0, NULL, _T("b"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HWND hb = b->m_hWnd;
  EXPECT_EQ(SendMessage(hb, WM_USER + 1, 0, 0), 5);
  EXPECT_FALSE(IsWindow(hb));
  EXPECT_EQ(Counted::live, before);
  EXPECT_EQ(CWnd::FromHandlePermanent(hb), nullptr);
}

// Exceptions.

int g_boxes = 0;
int CALLBACK CountingBox(LPCTSTR, UINT, UINT) {
  ++g_boxes;
  return IDOK;
}

class Thrower : public CWnd {
 public:
  int kind = 0;
  afx_msg int OnCreate(LPCREATESTRUCT) {
    if (kind == 1) AfxThrowMemoryException();
    if (kind == 2) throw std::runtime_error("broken");
    return 0;
  }
  afx_msg LRESULT OnThrow(WPARAM w, LPARAM) {
    if (w == 1) AfxThrowResourceException();
    if (w == 2) throw std::runtime_error("broken");
    if (w == 3) throw 17;
    if (w == 4) AfxThrowUserException();
    return 1;
  }
  afx_msg void OnPaint() {
    ++paints;
    throw std::logic_error("paint");
  }
  int paints = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Thrower, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_MESSAGE(WM_USER + 2, &Thrower::OnThrow)
END_MESSAGE_MAP()

TEST(Exceptions, NeverLeaveTheWindowProcedure) {
  AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(&CountingBox);
  g_boxes = 0;
  for (int kind = 1; kind <= 2; ++kind) {
    Thrower t;
    t.kind = kind;
    EXPECT_FALSE(t.CreateEx(0, NULL, _T("t"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));  // WM_CREATE answers -1
    EXPECT_EQ(t.m_hWnd, nullptr);
  }
  EXPECT_EQ(g_boxes, 2);  // each failure is reported once
  Thrower t;
  ASSERT_TRUE(t.CreateEx(0, NULL, _T("t"), WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, NULL, NULL));
  g_boxes = 0;
  for (WPARAM w = 1; w <= 4; ++w) EXPECT_EQ(t.SendMessage(WM_USER + 2, w, 0), 0);
  EXPECT_EQ(g_boxes, 3);  // a user exception has been reported by whoever threw it
  EXPECT_EQ(t.SendMessage(WM_USER + 2, 0, 0), 1);  // still alive and working
  // A failing paint validates the window, so it is not painted again and again.
  t.Invalidate();
  testing_support::PumpMessages();
  EXPECT_EQ(t.paints, 1);
  AfxSetMessageBoxHook(old);
}

// Leaks over many cycles.

TEST(Lifetime, NoLeaksOverManyCreateDestroyCycles) {
  // Warm up lazily made per-thread and per-process objects first.
  { ClickCounter warm; warm.CreateEx(0, _T("BUTTON"), NULL, WS_POPUP, 0, 0, 5, 5, NULL, NULL); }
  CWinThread idle;
  idle.OnIdle(1);
  const GuiCounts before = GuiCounts::Now();
  DWORD handles = 0, handlesAfter = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  int live = Counted::live;
  for (int i = 0; i < 120; ++i) {
    Counted* heap = new Counted;
    heap->selfDelete = true;
    ASSERT_TRUE(heap->CreateEx(0, NULL, _T("h"), WS_POPUP, 0, 0, 5, 5, NULL, NULL));
    ClickCounter child;
    ASSERT_TRUE(child.Create(_T("BUTTON"), _T("c"), WS_VISIBLE, CRect(0, 0, 4, 4), heap, 1));
    CWnd::FromHandle(GetDesktopWindow());  // a temporary object each round
    heap->DestroyWindow();                  // the child goes with it, the object deletes itself
    EXPECT_EQ(child.m_hWnd, nullptr);
    if (i % 40 == 0) idle.OnIdle(1);
  }
  idle.OnIdle(1);
  GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
  EXPECT_EQ(Counted::live, live);
  EXPECT_EQ(GuiCounts::Now(), before);
  EXPECT_LE(handlesAfter, handles + 2);
}

// Pre-translation walks from the message's window up through its parents.

class Swallower : public CWnd {
 public:
  UINT swallow = 0;
  int seen = 0;
  BOOL PreTranslateMessage(MSG* pMsg) override {
    ++seen;
    return pMsg->message == swallow;
  }
};

TEST(PreTranslate, WalksTheParentChain) {
  Swallower top, middle, leaf;
  ASSERT_TRUE(top.CreateEx(0, NULL, _T("top"), WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
  ASSERT_TRUE(middle.Create(NULL, _T("m"), WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
  ASSERT_TRUE(leaf.Create(NULL, _T("l"), WS_VISIBLE, CRect(0, 0, 20, 20), &middle, 2));
  MSG msg = {leaf.m_hWnd, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
  middle.swallow = WM_KEYDOWN;
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
  EXPECT_EQ(leaf.seen, 1);
  EXPECT_EQ(middle.seen, 1);
  EXPECT_EQ(top.seen, 0);  // stopped where it was taken
  middle.swallow = 0;
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(middle.m_hWnd, &msg));
  EXPECT_EQ(top.seen, 0);  // not past the stop window
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
  EXPECT_EQ(top.seen, 1);
}

}  // namespace
