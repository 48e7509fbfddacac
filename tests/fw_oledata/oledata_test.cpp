// Data transfer over the system's OLE: per-thread start-up, data sources on the clipboard and
// in drags, data objects reading them, drop targets bound to windows.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_oledata.h>

#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace {

HGLOBAL GlobalText(const char* text) {
  size_t n = strlen(text) + 1;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, n);
  memcpy(::GlobalLock(h), text, n);
  ::GlobalUnlock(h);
  return h;
}

std::string TextOf(HGLOBAL h) {
  if (h == NULL) return "<null>";
  const char* p = static_cast<const char*>(::GlobalLock(h));
  std::string s(p, strnlen(p, ::GlobalSize(h)));
  ::GlobalUnlock(h);
  return s;
}

// OLE on the test thread for every test.
class OleData : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
  void TearDown() override {
    ::OleSetClipboard(NULL);
    AfxOleTerm();
  }
};

int g_liveSources = 0;
int g_renders = 0;

// A source that renders "rendered:<n>" for its delayed format and counts how often.
class CountingSource : public COleDataSource {
 public:
  CountingSource() { ++g_liveSources; }
  ~CountingSource() override { --g_liveSources; }
  CLIPFORMAT delayed = 0;
  BOOL OnRenderGlobalData(LPFORMATETC f, HGLOBAL* phGlobal) override {
    if (f->cfFormat != delayed) return FALSE;
    ++g_renders;
    std::string text = "rendered:" + std::to_string(g_renders);
    if (*phGlobal != NULL) {
      // The reader's block: fill it when it is big enough.
      if (::GlobalSize(*phGlobal) < text.size() + 1) return FALSE;
      memcpy(::GlobalLock(*phGlobal), text.c_str(), text.size() + 1);
      ::GlobalUnlock(*phGlobal);
      return TRUE;
    }
    *phGlobal = GlobalText(text.c_str());
    return TRUE;
  }
};

const CLIPFORMAT kPrivate = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FwOleDataTest"));

TEST(OleStartUp, CountedPerThreadAndRefusedInAMultithreadedApartment) {
  EXPECT_FALSE(AfxOleIsInitialized());
  ASSERT_TRUE(AfxOleInit());
  ASSERT_TRUE(AfxOleInit());
  AfxOleTerm();
  EXPECT_TRUE(AfxOleIsInitialized());  // one start is left
  EXPECT_EQ(S_OK, ::OleSetClipboard(NULL));
  AfxOleTerm();
  EXPECT_FALSE(AfxOleIsInitialized());
  AfxOleTerm();  // one too many: nothing happens

  bool started = true, counted = true;
  std::thread other([&] {
    ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    started = AfxOleInit() != FALSE;
    counted = AfxOleIsInitialized() != FALSE;
    ::CoUninitialize();
  });
  other.join();
  EXPECT_FALSE(started);
  EXPECT_FALSE(counted);
}

TEST_F(OleData, ClipboardServesCachedAndDelayedFormatsAndReadersGetCopies) {
  g_renders = 0;
  auto* source = new CountingSource;
  source->delayed = kPrivate;
  source->CacheGlobalData(CF_TEXT, GlobalText("cached"));
  source->DelayRenderData(kPrivate);
  source->SetClipboard();
  source->InternalRelease();  // the clipboard holds it now
  EXPECT_EQ(source, COleDataSource::GetClipboardOwner());

  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_TRUE(data.IsDataAvailable(kPrivate));
  EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));

  // Each reader owns what it gets: freeing it leaves the source's copy whole.
  for (int i = 0; i < 2; ++i) {
    HGLOBAL h = data.GetGlobalData(CF_TEXT);
    EXPECT_EQ("cached", TextOf(h));
    ::GlobalFree(h);
  }
  HGLOBAL h = data.GetGlobalData(kPrivate);
  EXPECT_EQ("rendered:1", TextOf(h));
  ::GlobalFree(h);
  EXPECT_EQ(1, g_renders);
  EXPECT_EQ(NULL, data.GetGlobalData(CF_BITMAP));

  std::vector<CLIPFORMAT> formats;
  FORMATETC f;
  data.BeginEnumFormats();
  while (data.GetNextFormat(&f)) formats.push_back(f.cfFormat);
  EXPECT_NE(formats.end(), std::find(formats.begin(), formats.end(), CLIPFORMAT(CF_TEXT)));
  EXPECT_NE(formats.end(), std::find(formats.begin(), formats.end(), kPrivate));
  data.Release();

  // Flushing renders the delayed format once more and leaves plain clipboard data behind,
  // readable without OLE; the source is let go.
  COleDataSource::FlushClipboard();
  EXPECT_EQ(2, g_renders);
  EXPECT_EQ(0, g_liveSources);
  EXPECT_EQ(NULL, COleDataSource::GetClipboardOwner());
  ASSERT_TRUE(::OpenClipboard(NULL));
  EXPECT_EQ("rendered:2", TextOf(::GetClipboardData(kPrivate)));
  EXPECT_EQ("cached", TextOf(::GetClipboardData(CF_TEXT)));
  ::CloseClipboard();
}

TEST_F(OleData, DataHereFillsTheReadersBlockOrSaysItIsTooSmall) {
  g_renders = 0;
  CountingSource source;
  source.delayed = kPrivate;
  source.CacheGlobalData(CF_TEXT, GlobalText("cached text"));
  source.DelayRenderData(kPrivate);
  auto* data = static_cast<IDataObject*>(source.GetInterface(&IID_IDataObject));
  ASSERT_NE(nullptr, data);
  struct Case {
    CLIPFORMAT format;
    SIZE_T block;
    HRESULT expected;
    const char* text;
  } cases[] = {
      {CF_TEXT, 64, S_OK, "cached text"},
      {CF_TEXT, 4, STG_E_MEDIUMFULL, nullptr},
      {kPrivate, 64, S_OK, "rendered:1"},
      {kPrivate, 4, DV_E_FORMATETC, nullptr},  // the renderer refuses a block too small
      {CF_BITMAP, 64, DV_E_FORMATETC, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    FORMATETC f = {c.format, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m = {};
    m.tymed = TYMED_HGLOBAL;
    m.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, c.block);
    EXPECT_EQ(c.expected, data->GetDataHere(&f, &m));
    if (c.text) {
      EXPECT_EQ(c.text, TextOf(m.hGlobal));
    }
    ::GlobalFree(m.hGlobal);
  }
  FORMATETC none = {CF_TEXT, NULL, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
  EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&none));
  EXPECT_EQ(E_INVALIDARG, data->GetData(NULL, NULL));
}

TEST_F(OleData, ThousandClipboardRoundTripsLeaveNoSourceOrBlockBehind) {
  for (int i = 0; i < 1000; ++i) {
    auto* source = new CountingSource;
    source->CacheGlobalData(CF_TEXT, GlobalText("round trip"));
    source->SetClipboard();
    source->InternalRelease();
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    HGLOBAL h = data.GetGlobalData(CF_TEXT);
    ASSERT_EQ("round trip", TextOf(h));
    ASSERT_EQ(NULL, ::GlobalFree(h));
  }
  // Only the last source is still held, by the clipboard.
  EXPECT_EQ(1, g_liveSources);
  ::OleSetClipboard(NULL);
  EXPECT_EQ(0, g_liveSources);
}

const DROPEFFECT kNoAnswer = static_cast<DROPEFFECT>(-1);
const DWORD kCopyMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;

// A window with a drop target that records what reaches it.
class RecordingTarget : public COleDropTarget {
 public:
  std::vector<std::string> events;
  DROPEFFECT answer = DROPEFFECT_COPY;
  BOOL accept = TRUE;
  DROPEFFECT dropEx = static_cast<DROPEFFECT>(-1);
  CPoint dropPoint;
  std::string dropped;
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD, CPoint) override {
    events.push_back(data->IsDataAvailable(CF_TEXT) ? "enter text" : "enter");
    return answer;
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override {
    if (events.empty() || events.back() != "over") events.push_back("over");
    return answer;
  }
  void OnDragLeave(CWnd*) override { events.push_back("leave"); }
  DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) override { return dropEx; }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point) override {
    events.push_back("drop");
    dropPoint = point;
    HGLOBAL h = data->GetGlobalData(CF_TEXT);
    dropped = TextOf(h);
    ::GlobalFree(h);
    return accept;
  }
};

// Moves the cursor along a path, one point each time the drag loop asks, then drops (or
// cancels) without any real button.
class ScriptedSource : public COleDropSource {
 public:
  std::vector<POINT> path;
  size_t step = 0;
  bool cancel = false;
  SCODE QueryContinueDrag(BOOL, DWORD) override {
    if (step < path.size()) {
      ::SetCursorPos(path[step].x, path[step].y);
      ++step;
      return S_OK;
    }
    return cancel ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }
};

class DragWindows : public OleData {
 protected:
  void SetUp() override {
    OleData::SetUp();
    ASSERT_TRUE(target.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), _T("target"), WS_POPUP | WS_VISIBLE,
                                CRect(100, 100, 300, 260), NULL, 0));
    ASSERT_TRUE(drop.Register(&target));
  }
  void TearDown() override {
    if (target.GetSafeHwnd()) target.DestroyWindow();
    OleData::TearDown();
  }
  // A drag of "dragged text" from outside the window to (x, y) of its client area.
  DROPEFFECT DragTo(int x, int y, bool cancel = false, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
    ScriptedSource script;
    script.path = {{20, 20}, {100 + x, 100 + y}, {100 + x, 100 + y}};
    script.cancel = cancel;
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, GlobalText("dragged text"));
    ::SetCursorPos(20, 20);
    return source.DoDragDrop(allowed, NULL, &script);
  }
  CWnd target;
  RecordingTarget drop;
};

TEST_F(DragWindows, ADropReachesTheTargetWithItsDataAndClientPoint) {
  EXPECT_EQ(DROPEFFECT_COPY, DragTo(40, 30));
  EXPECT_EQ((std::vector<std::string>{"enter text", "over", "drop"}), drop.events);
  EXPECT_EQ(CPoint(40, 30), drop.dropPoint);
  EXPECT_EQ("dragged text", drop.dropped);
}

TEST_F(DragWindows, WhatTheTargetAnswersIsWhatTheSourceGets) {
  struct Case {
    const char* name;
    DROPEFFECT answer;  // of OnDragEnter/OnDragOver
    BOOL accept;        // of OnDrop
    DROPEFFECT dropEx;  // of OnDropEx
    bool cancel;
    DWORD allowed;
    DROPEFFECT expected;
    const char* last;  // the last handler reached
  } cases[] = {
      {"accepted", DROPEFFECT_MOVE, TRUE, kNoAnswer, false, kCopyMove, DROPEFFECT_MOVE, "drop"},
      {"refused by OnDrop", DROPEFFECT_COPY, FALSE, kNoAnswer, false, kCopyMove, DROPEFFECT_NONE, "drop"},
      {"answered by OnDropEx", DROPEFFECT_COPY, TRUE, DROPEFFECT_MOVE, false, kCopyMove, DROPEFFECT_MOVE, "over"},
      {"OnDropEx answers what is not allowed", DROPEFFECT_COPY, TRUE, DROPEFFECT_MOVE, false, DROPEFFECT_COPY,
       DROPEFFECT_NONE, "over"},
      {"target answers what is not allowed", DROPEFFECT_MOVE, TRUE, kNoAnswer, false, DROPEFFECT_COPY,
       DROPEFFECT_NONE, "leave"},
      {"cancelled", DROPEFFECT_COPY, TRUE, kNoAnswer, true, kCopyMove, DROPEFFECT_NONE, "leave"},
      {"target wants nothing", DROPEFFECT_NONE, TRUE, kNoAnswer, false, kCopyMove, DROPEFFECT_NONE, "leave"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    drop.events.clear();
    drop.answer = c.answer;
    drop.accept = c.accept;
    drop.dropEx = c.dropEx;
    EXPECT_EQ(c.expected, DragTo(10, 10, c.cancel, c.allowed));
    ASSERT_FALSE(drop.events.empty());
    EXPECT_EQ(c.last, drop.events.back());
  }
}


TEST_F(OleData, ADestroyedWindowTakesItsRegistrationAlong) {
  CWnd first;
  ASSERT_TRUE(first.CreateEx(0, AfxRegisterWndClass(0), _T("first"), WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
  COleDropTarget target;
  ASSERT_TRUE(target.Register(&first));
  EXPECT_FALSE(target.Register(&first));  // one window per target
  COleDropTarget second;
  EXPECT_FALSE(second.Register(&first));  // one target per window
  HWND hWnd = first.GetSafeHwnd();
  first.DestroyWindow();
  EXPECT_EQ(NULL, target.GetWindow());
  EXPECT_EQ(NULL, ::GetPropW(hWnd, L"FwOleDropTarget"));

  CWnd next;
  ASSERT_TRUE(next.CreateEx(0, AfxRegisterWndClass(0), _T("next"), WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
  EXPECT_TRUE(target.Register(&next));
  target.Revoke();
  EXPECT_EQ(DRAGDROP_E_NOTREGISTERED, ::RevokeDragDrop(next.GetSafeHwnd()));
  next.DestroyWindow();
}

// A window with a vertical scroll bar that counts the lines it is asked to scroll.
class ScrollCounter : public CWnd {
 public:
  int down = 0, up = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_VSCROLL) (LOWORD(wParam) == SB_LINEDOWN ? down : up)++;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class ThrowingTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { AfxThrowMemoryException(); }
};

TEST_F(OleData, HoveringNearAnEdgeScrollsAfterTheDelayAndAHandlerCannotThrowIntoTheSystem) {
  ScrollCounter wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("scroll"), WS_POPUP | WS_VSCROLL,
                           CRect(0, 0, 200, 200), NULL, 0));
  COleDropTarget target;
  target.m_nScrollDelay = 0;
  target.m_nScrollInterval = 0;
  ASSERT_TRUE(target.Register(&wnd));
  auto* drop = static_cast<IDropTarget*>(target.GetInterface(&IID_IDropTarget));
  COleDataSource source;
  auto* data = static_cast<IDataObject*>(source.GetInterface(&IID_IDataObject));
  CRect client;
  wnd.GetClientRect(&client);
  wnd.ClientToScreen(&client);
  const POINTL middle = {client.left + 50, client.top + 50};
  const POINTL nearBottom = {client.left + 50, client.bottom - 3};
  const POINTL nearTop = {client.left + 50, client.top + 2};

  DWORD effect = kCopyMove;
  ASSERT_EQ(S_OK, drop->DragEnter(data, 0, middle, &effect));
  EXPECT_EQ(DROPEFFECT_NONE, effect);  // the default target takes nothing
  effect = kCopyMove;
  ASSERT_EQ(S_OK, drop->DragOver(0, nearBottom, &effect));
  EXPECT_EQ(DROPEFFECT_SCROLL | DROPEFFECT_MOVE, effect);
  effect = kCopyMove;
  drop->DragOver(0, nearTop, &effect);
  EXPECT_EQ(1, wnd.down);
  EXPECT_EQ(1, wnd.up);
  effect = kCopyMove;
  drop->DragOver(MK_CONTROL, middle, &effect);
  EXPECT_EQ(DROPEFFECT_NONE, effect);
  EXPECT_EQ(1, wnd.down);  // nothing more away from the edges
  EXPECT_EQ(1, wnd.up);
  ASSERT_EQ(S_OK, drop->DragLeave());

  // A delay not yet over: no scrolling on the first move into the inset.
  target.m_nScrollDelay = 60000;
  effect = kCopyMove;
  drop->DragEnter(data, 0, nearBottom, &effect);
  EXPECT_EQ(1, wnd.down);
  drop->DragLeave();
  target.Revoke();

  ThrowingTarget throwing;
  ASSERT_TRUE(throwing.Register(&wnd));
  auto* thrower = static_cast<IDropTarget*>(throwing.GetInterface(&IID_IDropTarget));
  effect = kCopyMove;
  EXPECT_EQ(E_OUTOFMEMORY, thrower->DragEnter(data, 0, middle, &effect));
  EXPECT_EQ(DROPEFFECT_NONE, effect);
  thrower->DragLeave();
  wnd.DestroyWindow();
}

}  // namespace
