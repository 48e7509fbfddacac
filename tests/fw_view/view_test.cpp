// Documents, views and frames: a frame made from a creation context, its view joining the
// document, the initial update, activation, layout, updates, painting and printing through
// OnDraw, and the lifetime of frames, views and documents that delete themselves.
#include <gtest/gtest.h>

#include <framework.h>

#include <string>
#include <vector>

#include "dib_canvas.h"
#include "handle_counts.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::DibCanvas;
using testing_support::ExpectedMsg;
using testing_support::GuiCounts;
using testing_support::kSent;
using testing_support::PumpMessages;
using testing_support::Recorder;
using testing_support::ThreadWindowCount;

namespace {

// Commands: handled by the view, the document, the frame, or by both view and frame.
const UINT kViewCmd = 40001, kDocCmd = 40002, kFrameCmd = 40003, kSharedCmd = 40004;

// Who handled the commands, in order.
std::vector<std::string> g_handled;

class TestDoc : public CDocument {
 public:
  static int live;
  static int contentsDeleted;
  TestDoc() { ++live; }
  ~TestDoc() override { --live; }
  void DeleteContents() override { ++contentsDeleted; }
  int ViewCount() const {
    int n = 0;
    for (POSITION pos = GetFirstViewPosition(); pos != NULL; GetNextView(pos)) ++n;
    return n;
  }
  afx_msg void OnDocCmd() { g_handled.push_back("doc"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
  ON_COMMAND(kDocCmd, &TestDoc::OnDocCmd)
END_MESSAGE_MAP()
int TestDoc::live = 0;
int TestDoc::contentsDeleted = 0;

struct Activation {
  bool activate;
  CView* activated;
  CView* deactivated;
};

// A view that counts what the framework asks of it and paints its client area red.
class CountingView : public CView {
  DECLARE_DYNCREATE(CountingView)

 public:
  static int live;
  int initialUpdates = 0;
  int prepares = 0;
  int draws = 0;
  bool preparedBeforeDraw = false;
  std::vector<CView*> updateSenders;
  std::vector<LPARAM> updateHints;
  std::vector<Activation> activations;
  std::vector<UINT> frameStates;

  CountingView() { ++live; }
  ~CountingView() override { --live; }

  void OnDraw(CDC* pDC) override {
    ++draws;
    preparedBeforeDraw = prepares == draws;
    CRect rc;
    GetClientRect(&rc);
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(pDC->GetSafeHdc(), &rc, red);
    ::DeleteObject(red);
  }
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override {
    ++prepares;
    CView::OnPrepareDC(pDC, pInfo);
  }
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override {
    updateSenders.push_back(pSender);
    updateHints.push_back(lHint);
    CView::OnUpdate(pSender, lHint, pHint);
  }
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override {
    activations.push_back(Activation{bActivate != FALSE, pActivateView, pDeactiveView});
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
  }
  void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) override {
    frameStates.push_back(nState);
    CView::OnActivateFrame(nState, pFrameWnd);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    Recorder().Record(m_hWnd, message, wParam, lParam);
    return CView::WindowProc(message, wParam, lParam);
  }
  afx_msg void OnViewCmd() { g_handled.push_back("view"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CountingView, CView)
BEGIN_MESSAGE_MAP(CountingView, CView)
  ON_COMMAND(kViewCmd, &CountingView::OnViewCmd)
  ON_COMMAND(kSharedCmd, &CountingView::OnViewCmd)
END_MESSAGE_MAP()
int CountingView::live = 0;

// A view whose window refuses to be created.
class RefusingView : public CountingView {
  DECLARE_DYNCREATE(RefusingView)
 protected:
  afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RefusingView, CountingView)
BEGIN_MESSAGE_MAP(RefusingView, CountingView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

// A view that closes its frame as soon as it is told to show its document.
class ClosingView : public CountingView {
  DECLARE_DYNCREATE(ClosingView)
 public:
  void OnInitialUpdate() override { GetParentFrame()->DestroyWindow(); }
};
IMPLEMENT_DYNCREATE(ClosingView, CountingView)

// Not a window at all.
class NotAWindow : public CObject {
  DECLARE_DYNCREATE(NotAWindow)
};
IMPLEMENT_DYNCREATE(NotAWindow, CObject)

class TestFrame : public CFrameWnd {
 public:
  static int live;
  TestFrame() { ++live; }
  ~TestFrame() override { --live; }
  afx_msg void OnFrameCmd() { g_handled.push_back("frame"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_COMMAND(kFrameCmd, &TestFrame::OnFrameCmd)
  ON_COMMAND(kSharedCmd, &TestFrame::OnFrameCmd)
END_MESSAGE_MAP()
int TestFrame::live = 0;

// A bar that takes a strip at the top of its frame through WM_SIZEPARENT.
class TopBar : public CWnd {
 public:
  int height = 20;
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rc(layout->rect.left, layout->rect.top, layout->rect.right, layout->rect.top + height);
    layout->rect.top += height;
    AfxRepositionWindow(layout, m_hWnd, &rc);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TopBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, &TopBar::OnSizeParent)
END_MESSAGE_MAP()

// A frame with its view made for pDoc; NULL when creation failed.
TestFrame* MakeFrame(CDocument* pDoc, CRuntimeClass* pViewClass = RUNTIME_CLASS(CountingView),
                     const RECT& rect = CRect(10, 10, 310, 210)) {
  CCreateContext context;
  context.m_pNewViewClass = pViewClass;
  context.m_pCurrentDoc = pDoc;
  auto* frame = new TestFrame;
  if (!frame->Create(NULL, _T("frame"), WS_OVERLAPPEDWINDOW, rect, NULL, NULL, 0, &context)) return NULL;
  return frame;
}

// A second view of the frame, for pDoc, with the given pane id.
CountingView* AddView(CFrameWnd* frame, CDocument* pDoc, UINT nID = AFX_IDW_PANE_FIRST + 1) {
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CountingView);
  context.m_pCurrentDoc = pDoc;
  return static_cast<CountingView*>(frame->CreateView(&context, nID));
}

CountingView* PaneOf(CFrameWnd* frame) {
  CWnd* pane = CWnd::FromHandlePermanent(::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
  return pane != NULL && pane->IsKindOf(RUNTIME_CLASS(CountingView)) ? static_cast<CountingView*>(pane) : NULL;
}

class FrameViewTest : public testing::Test {
 protected:
  void SetUp() override {
    Recorder().Reset();
    frames = TestFrame::live;
    views = CountingView::live;
    docs = TestDoc::live;
  }
  void TearDown() override {
    Recorder().UnwatchAll();
    EXPECT_EQ(TestFrame::live, frames);
    EXPECT_EQ(CountingView::live, views);
    EXPECT_EQ(TestDoc::live, docs);
  }
  int frames = 0, views = 0, docs = 0;
};

// Creation and the initial update.

TEST_F(FrameViewTest, FrameMakesItsViewFromTheContextAndTheViewJoinsTheDocument) {
  auto* doc = new TestDoc;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(::GetParent(view->m_hWnd), frame->m_hWnd);
  EXPECT_EQ(view->GetStyle() & (WS_CHILD | WS_VISIBLE | WS_BORDER), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
  EXPECT_EQ(view->GetDocument(), doc);
  EXPECT_EQ(view->GetParentFrame(), frame);
  ASSERT_EQ(doc->ViewCount(), 1);
  POSITION pos = doc->GetFirstViewPosition();
  EXPECT_EQ(doc->GetNextView(pos), view);
  EXPECT_EQ(view->initialUpdates, 0);
  EXPECT_EQ(frame->GetActiveView(), nullptr);

  frame->InitialUpdateFrame(doc, TRUE);
  EXPECT_EQ(view->initialUpdates, 1);
  ASSERT_EQ(view->updateSenders.size(), 1u);  // the base initial update is an update from nobody
  EXPECT_EQ(view->updateSenders[0], nullptr);
  EXPECT_EQ(frame->GetActiveView(), view);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
  EXPECT_TRUE(frame->IsWindowVisible());
  // Made active without notice, then told once the frame is shown.
  ASSERT_EQ(view->activations.size(), 1u);
  EXPECT_TRUE(view->activations[0].activate);
  EXPECT_EQ(view->activations[0].activated, view);

  frame->DestroyWindow();  // frame and view delete themselves, the document goes with its last view
}

TEST_F(FrameViewTest, HiddenInitialUpdateSendsTheViewOneInitialUpdateAndShowsNothing) {
  auto* doc = new TestDoc;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  ASSERT_NE(view, nullptr);
  Recorder().Reset();
  Recorder().Watch(view->m_hWnd);
  frame->InitialUpdateFrame(doc, FALSE);
  Recorder().Pump();
  static const ExpectedMsg kExpected[] = {{WM_INITIALUPDATE, kSent, 0, 0}, {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kExpected));
  EXPECT_EQ(view->initialUpdates, 1);
  EXPECT_EQ(frame->GetActiveView(), view);
  EXPECT_TRUE(view->activations.empty());
  EXPECT_FALSE(frame->IsWindowVisible());
  frame->DestroyWindow();
}

TEST_F(FrameViewTest, ViewMayCloseItsFrameDuringTheInitialUpdate) {
  auto* doc = new TestDoc;
  TestFrame* frame = MakeFrame(doc, RUNTIME_CLASS(ClosingView));
  ASSERT_NE(frame, nullptr);
  HWND hFrame = frame->m_hWnd;
  frame->InitialUpdateFrame(doc, TRUE);  // frame, view and document are gone on return
  EXPECT_FALSE(::IsWindow(hFrame));
}

TEST_F(FrameViewTest, FrameWithoutContextHasNoView) {
  auto* frame = new TestFrame;
  ASSERT_TRUE(frame->Create(NULL, _T("bare"), WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault));
  EXPECT_EQ(::GetWindow(frame->m_hWnd, GW_CHILD), nullptr);
  frame->InitialUpdateFrame(NULL, FALSE);
  EXPECT_EQ(frame->GetActiveView(), nullptr);
  EXPECT_EQ(frame->GetActiveDocument(), nullptr);
  frame->DestroyWindow();
}

TEST_F(FrameViewTest, FailedCreationsLeaveNothingBehind) {
  auto* doc = new TestDoc;
  doc->m_bAutoDelete = FALSE;
  const int windows = ThreadWindowCount();
  struct Case {
    const char* name;
    CRuntimeClass* viewClass;
  };
  const Case cases[] = {{"view refuses creation", RUNTIME_CLASS(RefusingView)},
                        {"class is not a window", RUNTIME_CLASS(NotAWindow)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MakeFrame(doc, c.viewClass), nullptr);
    EXPECT_EQ(TestFrame::live, frames);  // the frame deleted itself
    EXPECT_EQ(CountingView::live, views);
    EXPECT_EQ(doc->ViewCount(), 0);
  }
  // A menu that does not exist.
  auto* frame = new TestFrame;
  EXPECT_FALSE(frame->Create(NULL, _T("f"), WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, NULL, _T("NoSuchMenu")));
  EXPECT_EQ(TestFrame::live, frames);
  EXPECT_EQ(ThreadWindowCount(), windows);
  delete doc;
}

// Layout.

TEST_F(FrameViewTest, ViewFillsWhatTheBarsLeaveOfTheClientArea) {
  TestFrame* frame = MakeFrame(NULL);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  ASSERT_NE(view, nullptr);
  auto viewRectInFrame = [&] {
    CRect rc;
    view->GetWindowRect(&rc);
    frame->ScreenToClient(&rc);
    return rc;
  };
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(viewRectInFrame(), client);

  frame->MoveWindow(0, 0, 420, 330);
  frame->GetClientRect(&client);
  EXPECT_EQ(viewRectInFrame(), client);

  TopBar bar;  // a bar with id 1 takes the top strip on the next layout
  ASSERT_TRUE(bar.Create(NULL, _T("bar"), WS_VISIBLE, CRect(0, 0, 1, 1), frame, 1));
  frame->MoveWindow(0, 0, 400, 300);
  frame->GetClientRect(&client);
  CRect barRect;
  bar.GetWindowRect(&barRect);
  frame->ScreenToClient(&barRect);
  EXPECT_EQ(barRect, CRect(0, 0, client.right, 20));
  EXPECT_EQ(viewRectInFrame(), CRect(0, 20, client.right, client.bottom));

  // Minimising lays nothing out.
  frame->ShowWindow(SW_MINIMIZE);
  EXPECT_EQ(viewRectInFrame(), CRect(0, 20, client.right, client.bottom));
  frame->ShowWindow(SW_RESTORE);
  bar.DestroyWindow();
  frame->DestroyWindow();
}

// Documents and updates.

TEST_F(FrameViewTest, UpdateAllViewsSkipsTheSender) {
  auto* doc = new TestDoc;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* second = AddView(frame, doc);
  ASSERT_NE(second, nullptr);
  CountingView* first = PaneOf(frame);
  ASSERT_EQ(doc->ViewCount(), 2);
  frame->InitialUpdateFrame(doc, TRUE);  // shown, so that invalidation shows
  PumpMessages();
  for (CountingView* v : {first, second}) {
    v->updateSenders.clear();
    v->updateHints.clear();
  }

  doc->UpdateAllViews(first, 7);
  EXPECT_TRUE(first->updateSenders.empty());
  ASSERT_EQ(second->updateSenders.size(), 1u);
  EXPECT_EQ(second->updateSenders[0], first);
  EXPECT_EQ(second->updateHints[0], 7);

  doc->UpdateAllViews(NULL, 9);
  EXPECT_EQ(first->updateHints, std::vector<LPARAM>{9});
  EXPECT_EQ(second->updateHints, (std::vector<LPARAM>{7, 9}));

  // The base update invalidates the whole view.
  ::ValidateRect(first->m_hWnd, NULL);
  doc->UpdateAllViews(second);
  CRect update;
  EXPECT_TRUE(first->GetUpdateRect(&update));
  CRect client;
  first->GetClientRect(&client);
  EXPECT_EQ(update, client);
  frame->DestroyWindow();
}

TEST_F(FrameViewTest, DocumentTitleAndModifiedFlag) {
  TestDoc doc;
  doc.m_bAutoDelete = FALSE;
  EXPECT_TRUE(doc.GetTitle().IsEmpty());
  EXPECT_FALSE(doc.IsModified());
  doc.SetTitle(_T("Report"));
  EXPECT_EQ(doc.GetTitle(), CString(_T("Report")));
  doc.SetTitle(NULL);  // no title, not a crash
  EXPECT_TRUE(doc.GetTitle().IsEmpty());
  doc.SetModifiedFlag();
  EXPECT_TRUE(doc.IsModified());
  doc.SetModifiedFlag(FALSE);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(FrameViewTest, ViewListIgnoresRepeatsAndStrangers) {
  auto* doc = new TestDoc;
  auto* other = new TestDoc;
  other->m_bAutoDelete = FALSE;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  doc->AddView(view);    // already in it
  other->AddView(view);  // already in another document
  EXPECT_EQ(doc->ViewCount(), 1);
  EXPECT_EQ(other->ViewCount(), 0);
  EXPECT_EQ(view->GetDocument(), doc);
  other->RemoveView(view);  // not in it
  EXPECT_EQ(doc->ViewCount(), 1);
  EXPECT_EQ(view->GetDocument(), doc);
  doc->AddView(NULL);
  doc->RemoveView(NULL);
  EXPECT_EQ(doc->ViewCount(), 1);

  // Moving the view to the other document: the first one loses its last view and goes.
  doc->RemoveView(view);
  EXPECT_EQ(TestDoc::live, docs + 1);
  other->AddView(view);
  EXPECT_EQ(view->GetDocument(), other);
  int contentsDeleted = TestDoc::contentsDeleted;
  frame->DestroyWindow();
  EXPECT_EQ(other->ViewCount(), 0);  // kept: no auto delete
  EXPECT_EQ(TestDoc::contentsDeleted, contentsDeleted);
  delete other;
}

TEST_F(FrameViewTest, AutoDeleteDocumentGoesWithItsLastViewAndDeletesItsContents) {
  auto* doc = new TestDoc;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* second = AddView(frame, doc);
  ASSERT_NE(second, nullptr);
  const int contentsDeleted = TestDoc::contentsDeleted;
  second->DestroyWindow();  // one view is left
  EXPECT_EQ(TestDoc::live, docs + 1);
  EXPECT_EQ(doc->ViewCount(), 1);
  EXPECT_EQ(TestDoc::contentsDeleted, contentsDeleted);
  frame->DestroyWindow();
  EXPECT_EQ(TestDoc::live, docs);
  EXPECT_EQ(TestDoc::contentsDeleted, contentsDeleted + 1);
}

TEST_F(FrameViewTest, DocumentDeletedFirstLeavesItsViewsWithoutDocument) {
  auto* doc = new TestDoc;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  delete doc;
  EXPECT_EQ(view->GetDocument(), nullptr);
  frame->DestroyWindow();  // the view must not touch the deleted document
}

// Activation and focus.

TEST_F(FrameViewTest, SetActiveViewTellsTheOldAndTheNewView) {
  TestFrame* frame = MakeFrame(NULL);
  ASSERT_NE(frame, nullptr);
  CountingView* a = PaneOf(frame);
  CountingView* b = AddView(frame, NULL);
  ASSERT_NE(b, nullptr);

  frame->SetActiveView(a);
  frame->SetActiveView(b);
  frame->SetActiveView(b);  // no change: no notice
  ASSERT_EQ(a->activations.size(), 2u);
  EXPECT_TRUE(a->activations[0].activate);
  EXPECT_EQ(a->activations[0].deactivated, nullptr);
  EXPECT_FALSE(a->activations[1].activate);
  EXPECT_EQ(a->activations[1].activated, b);
  EXPECT_EQ(a->activations[1].deactivated, a);
  ASSERT_EQ(b->activations.size(), 1u);
  EXPECT_TRUE(b->activations[0].activate);
  EXPECT_EQ(b->activations[0].activated, b);
  EXPECT_EQ(b->activations[0].deactivated, a);

  frame->SetActiveView(a, FALSE);  // silently
  EXPECT_EQ(frame->GetActiveView(), a);
  EXPECT_EQ(a->activations.size(), 2u);
  EXPECT_EQ(b->activations.size(), 1u);
  frame->DestroyWindow();
}

TEST_F(FrameViewTest, MouseActivationMakesTheViewActive) {
  TestFrame* frame = MakeFrame(NULL);
  ASSERT_NE(frame, nullptr);
  CountingView* a = PaneOf(frame);
  CountingView* b = AddView(frame, NULL);
  ASSERT_NE(b, nullptr);
  frame->InitialUpdateFrame(NULL, TRUE);
  ASSERT_EQ(frame->GetActiveView(), a);

  LRESULT answer = b->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd),
                                  MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(answer, MA_ACTIVATE);
  EXPECT_EQ(frame->GetActiveView(), b);
  ASSERT_FALSE(a->activations.empty());
  EXPECT_FALSE(a->activations.back().activate);
  EXPECT_EQ(a->activations.back().activated, b);
  frame->DestroyWindow();
}

TEST_F(FrameViewTest, FrameFocusGoesToTheActiveView) {
  TestFrame* frame = MakeFrame(NULL);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  frame->InitialUpdateFrame(NULL, TRUE);
  frame->SetActiveWindow();
  ::SetFocus(frame->m_hWnd);
  EXPECT_EQ(::GetFocus(), view->m_hWnd);

  // Another window takes the activation and gives it back: the view hears of both and has
  // the focus again.
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, NULL, _T("other"), WS_POPUP, 0, 0, 50, 50, NULL, NULL));
  view->frameStates.clear();
  other.ShowWindow(SW_SHOW);
  other.SetActiveWindow();
  EXPECT_EQ(view->frameStates, std::vector<UINT>{WA_INACTIVE});
  frame->SetActiveWindow();
  EXPECT_EQ(view->frameStates, (std::vector<UINT>{WA_INACTIVE, WA_ACTIVE}));
  EXPECT_EQ(::GetFocus(), view->m_hWnd);
  other.DestroyWindow();
  frame->DestroyWindow();
}

// Commands.

TEST_F(FrameViewTest, CommandsRouteThroughTheActiveViewAndItsDocumentBeforeTheFrame) {
  auto* doc = new TestDoc;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  struct Case {
    UINT id;
    bool withActiveView;
    std::vector<std::string> handled;
  };
  const Case cases[] = {
      {kViewCmd, true, {"view"}},   {kDocCmd, true, {"doc"}},     {kFrameCmd, true, {"frame"}},
      {kSharedCmd, true, {"view"}}, {kViewCmd, false, {}},        {kDocCmd, false, {}},
      {kSharedCmd, false, {"frame"}}, {40099, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.id << (c.withActiveView ? " with" : " without")
                                    << " an active view");
    frame->SetActiveView(c.withActiveView ? PaneOf(frame) : NULL, FALSE);
    g_handled.clear();
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
    EXPECT_EQ(g_handled, c.handled);
  }
  frame->DestroyWindow();
}

// Destruction.

TEST_F(FrameViewTest, DestroyingTheActiveViewClearsTheFrameActiveView) {
  auto* doc = new TestDoc;
  doc->m_bAutoDelete = FALSE;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  frame->InitialUpdateFrame(doc, FALSE);
  ASSERT_EQ(frame->GetActiveView(), view);
  view->DestroyWindow();
  EXPECT_EQ(CountingView::live, views);  // deleted itself
  EXPECT_EQ(frame->GetActiveView(), nullptr);
  EXPECT_EQ(frame->GetActiveDocument(), nullptr);
  EXPECT_EQ(doc->ViewCount(), 0);
  frame->DestroyWindow();
  delete doc;
}

TEST_F(FrameViewTest, DeletingALiveViewObjectClearsTheFrameAndTheDocument) {
  auto* doc = new TestDoc;
  doc->m_bAutoDelete = FALSE;
  TestFrame* frame = MakeFrame(doc);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  frame->SetActiveView(view, FALSE);
  HWND hView = view->m_hWnd;
  delete view;
  EXPECT_FALSE(::IsWindow(hView));
  EXPECT_EQ(frame->GetActiveView(), nullptr);
  EXPECT_EQ(doc->ViewCount(), 0);
  frame->DestroyWindow();
  delete doc;
}

// Drawing.

TEST_F(FrameViewTest, PaintPreparesTheDcAndDraws) {
  TestFrame* frame = MakeFrame(NULL);
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  frame->InitialUpdateFrame(NULL, TRUE);
  PumpMessages();
  int draws = view->draws;
  view->Invalidate();
  view->UpdateWindow();
  EXPECT_EQ(view->draws, draws + 1);
  EXPECT_TRUE(view->preparedBeforeDraw);
  EXPECT_FALSE(::GetUpdateRect(view->m_hWnd, NULL, FALSE));  // validated
  frame->DestroyWindow();
}

TEST_F(FrameViewTest, PrintClientDrawsIntoTheGivenDc) {
  TestFrame* frame = MakeFrame(NULL, RUNTIME_CLASS(CountingView), CRect(0, 0, 100, 100));
  ASSERT_NE(frame, nullptr);
  CountingView* view = PaneOf(frame);
  CRect client;
  view->GetClientRect(&client);
  ASSERT_GT(client.Width(), 0);

  {
    DibCanvas canvas(client.Width(), client.Height());
    ASSERT_TRUE(canvas.valid());
    int draws = view->draws;
    view->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(view->draws, draws + 1);
    EXPECT_TRUE(view->preparedBeforeDraw);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(client.Width() - 1, client.Height() - 1), RGB(255, 0, 0));
    EXPECT_EQ(::GetObjectType(canvas.dc()), DWORD(OBJ_MEMDC));  // only borrowed by the view
  }
  frame->DestroyWindow();
}

// Leaks.

TEST_F(FrameViewTest, ManyFramesLeaveNoHandles) {
  CWinThread idle;
  auto round = [&idle] {
    auto* doc = new TestDoc;
    TestFrame* frame = MakeFrame(doc);
    ASSERT_NE(frame, nullptr);
    frame->InitialUpdateFrame(doc, TRUE);
    doc->UpdateAllViews(NULL);
    PumpMessages();
    frame->DestroyWindow();
    idle.OnIdle(1);
  };
  // The first frame makes what the process keeps (system fonts and brushes).
  round();
  const GuiCounts before = GuiCounts::Now();
  for (int i = 0; i < 50; ++i) round();
  EXPECT_EQ(GuiCounts::Now(), before);
}

}  // namespace
