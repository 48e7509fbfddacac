// Splitter windows: where panes, bars and scroll bars go for given sizes (tables), the rows
// and columns of a dynamic splitter, scroll bars shared by a column's panes, and bars and split
// boxes dragged with the mouse (SendInput).
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_splitter.h>

#include <string>
#include <vector>

#include "test_support.h"

using testing_support::PumpMessages;

namespace {

class PaneView : public CView {
  DECLARE_DYNCREATE(PaneView)
 public:
  static int live;
  std::vector<std::pair<UINT, HWND>> scrolls;  // message, scroll bar
  PaneView() { ++live; }
  ~PaneView() override { --live; }
  void OnDraw(CDC*) override {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
      scrolls.emplace_back(message, reinterpret_cast<HWND>(lParam));
      return 0;
    }
    return CView::WindowProc(message, wParam, lParam);
  }
};
IMPLEMENT_DYNCREATE(PaneView, CView)
int PaneView::live = 0;

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::string RectOf(CWnd* parent, HWND child) {
  if (child == NULL) return "none";
  CRect r;
  ::GetWindowRect(child, &r);
  parent->ScreenToClient(&r);
  return Text(r);
}

// A top-level frame whose client area is exactly cx x cy.
CFrameWnd* NewFrame(int cx, int cy) {
  auto* frame = new CFrameWnd;
  if (!frame->Create(NULL, _T("split"), WS_POPUP | WS_VISIBLE, CRect(0, 0, cx, cy))) return NULL;
  return frame;
}

struct StaticCase {
  const char* name;
  int rows, cols;
  DWORD style;
  int width, height;
  int colIdeal, rowIdeal;  // ideal size of the first column and row
  const char* pane00;
  const char* paneLast;  // the pane at the last row and column
  const char* bar;       // the first vertical bar (vSplitterBar1)
  const char* hscroll0;  // AFX_IDW_HSCROLL_FIRST
  const char* vscroll0;  // AFX_IDW_VSCROLL_FIRST
};

TEST(SplitterLayout, StaticPanesBarsAndScrollBars) {
  const StaticCase cases[] = {
      // 1 x 2 without scroll bars: first column its ideal, bar of 6, the rest.
      {"1x2", 1, 2, WS_CHILD | WS_VISIBLE, 400, 300, 100, 0, "0,0,100,300", "106,0,400,300", "100,0,106,300", "none",
       "none"},
      // 2 x 2 with both scroll bars: one horizontal bar per column, one vertical per row.
      {"2x2 scroll", 2, 2, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 400, 300, 150, 100, "0,0,150,100",
       "156,106,384,284", "150,0,156,284", "0,284,150,300", "384,0,400,100"},
      // An ideal size larger than the room: the first column takes what is left before its
      // bar, the last none.
      {"too wide", 1, 2, WS_CHILD | WS_VISIBLE, 200, 100, 500, 0, "0,0,194,100", "200,0,200,100", "194,0,200,100",
       "none", "none"},
      // Three columns: the middle one takes its ideal size too.
      {"1x3", 1, 3, WS_CHILD | WS_VISIBLE | WS_HSCROLL, 300, 100, 50, 0, "0,0,50,84", "212,0,300,84",
       "50,0,56,84", "0,84,50,100", "none"},
  };
  for (const StaticCase& c : cases) {
    SCOPED_TRACE(c.name);
    CFrameWnd* frame = NewFrame(c.width, c.height);
    ASSERT_NE(frame, nullptr);
    auto* splitter = new CSplitterWnd;
    ASSERT_TRUE(splitter->CreateStatic(frame, c.rows, c.cols, c.style));
    splitter->m_cxVScroll = splitter->m_cyHScroll = 16;  // the tables' scroll bar size
    for (int row = 0; row < c.rows; ++row)
      for (int col = 0; col < c.cols; ++col)
        ASSERT_TRUE(splitter->CreateView(row, col, RUNTIME_CLASS(PaneView), CSize(c.colIdeal, c.rowIdeal), NULL));
    if (c.cols == 3) splitter->SetColumnInfo(1, 150, 0);
    splitter->MoveWindow(0, 0, c.width, c.height);
    splitter->RecalcLayout();
    EXPECT_EQ(RectOf(splitter, splitter->GetPane(0, 0)->m_hWnd), c.pane00);
    EXPECT_EQ(RectOf(splitter, splitter->GetPane(c.rows - 1, c.cols - 1)->m_hWnd), c.paneLast);
    EXPECT_EQ(Text(splitter->GetBarRect(CSplitterWnd::vSplitterBar1)), c.bar);
    EXPECT_EQ(RectOf(splitter, ::GetDlgItem(splitter->m_hWnd, AFX_IDW_HSCROLL_FIRST)), c.hscroll0);
    EXPECT_EQ(RectOf(splitter, ::GetDlgItem(splitter->m_hWnd, AFX_IDW_VSCROLL_FIRST)), c.vscroll0);
    // Pane ids and lookups.
    int row = -1, col = -1;
    EXPECT_TRUE(splitter->IsChildPane(splitter->GetPane(c.rows - 1, c.cols - 1), &row, &col));
    EXPECT_EQ(row, c.rows - 1);
    EXPECT_EQ(col, c.cols - 1);
    EXPECT_EQ(splitter->GetPane(c.rows, 0), nullptr);
    EXPECT_FALSE(splitter->CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(0, 0), NULL));  // taken
    frame->DestroyWindow();
    delete splitter;
  }
  EXPECT_EQ(PaneView::live, 0);
}

TEST(SplitterLayout, RefusesImpossibleShapes) {
  CFrameWnd* frame = NewFrame(200, 100);
  ASSERT_NE(frame, nullptr);
  for (auto shape : {std::pair<int, int>{0, 1}, {1, 0}, {17, 1}, {1, 17}}) {
    CSplitterWnd splitter;
    EXPECT_FALSE(splitter.CreateStatic(frame, shape.first, shape.second));
  }
  CSplitterWnd dynamic;
  CCreateContext noView;
  EXPECT_FALSE(dynamic.Create(frame, 2, 2, CSize(10, 10), &noView));  // no view class
  frame->DestroyWindow();
}

TEST(SplitterLayout, ColumnPanesShareTheirHorizontalScrollBar) {
  CFrameWnd* frame = NewFrame(400, 300);
  ASSERT_NE(frame, nullptr);
  CSplitterWnd splitter;
  ASSERT_TRUE(splitter.CreateStatic(frame, 2, 2, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL));
  splitter.m_cxVScroll = splitter.m_cyHScroll = 16;
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 2; ++col)
      ASSERT_TRUE(splitter.CreateView(row, col, RUNTIME_CLASS(PaneView), CSize(150, 100), NULL));
  splitter.MoveWindow(0, 0, 400, 300);
  HWND hBar1 = ::GetDlgItem(splitter.m_hWnd, AFX_IDW_HSCROLL_FIRST + 1);
  EXPECT_EQ(splitter.GetPaneScrollBar(splitter.GetPane(1, 1), SB_HORZ), hBar1);
  EXPECT_EQ(splitter.GetPaneScrollBar(splitter.GetPane(1, 0), SB_VERT),
            ::GetDlgItem(splitter.m_hWnd, AFX_IDW_VSCROLL_FIRST + 1));
  // The second column's bar scrolls both panes of the column, and only them.
  ::SendMessage(splitter.m_hWnd, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(hBar1));
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 2; ++col) {
      auto* pane = static_cast<PaneView*>(splitter.GetPane(row, col));
      EXPECT_EQ(pane->scrolls.size(), col == 1 ? 1u : 0u) << row << "," << col;
      if (col == 1 && !pane->scrolls.empty()) {
        EXPECT_EQ(pane->scrolls[0].second, hBar1);
      }
    }
  frame->DestroyWindow();
}

// A dynamic splitter of up to 2 x 2 panes of one document, filling a 400 x 300 frame, with
// scroll bars of 16 pixels.
class DynamicSplitter : public ::testing::Test {
 protected:
  void Make(int minSize) {
    frame = NewFrame(400, 300);
    ASSERT_NE(frame, nullptr);
    doc.m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(PaneView);
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(splitter.Create(frame, 2, 2, CSize(minSize, minSize), &context));
    splitter.m_cxVScroll = splitter.m_cyHScroll = 16;
    splitter.MoveWindow(0, 0, 400, 300);
    splitter.RecalcLayout();
  }
  CFrameWnd* frame = nullptr;
  CDocument doc;
  CSplitterWnd splitter;
};

TEST_F(DynamicSplitter, SplitsMakePanesForTheDocumentAndDeletesRenumber) {
  ASSERT_NO_FATAL_FAILURE(Make(20));
  EXPECT_EQ(splitter.GetRowCount(), 1);
  // The split boxes: at the top of the vertical scroll bar, left of the horizontal one.
  EXPECT_EQ(Text(splitter.GetBarRect(CSplitterWnd::vSplitterBox)), "384,0,400,6");
  EXPECT_EQ(Text(splitter.GetBarRect(CSplitterWnd::hSplitterBox)), "0,284,6,300");
  EXPECT_EQ(RectOf(&splitter, ::GetDlgItem(splitter.m_hWnd, AFX_IDW_VSCROLL_FIRST)), "384,6,400,284");

  EXPECT_FALSE(splitter.SplitRow(10));  // below the minimum
  ASSERT_TRUE(splitter.SplitRow(100));
  EXPECT_EQ(splitter.GetRowCount(), 2);
  EXPECT_FALSE(splitter.SplitRow(50));  // at the maximum
  CWnd* lower = splitter.GetPane(1, 0);
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(static_cast<CView*>(lower)->GetDocument(), &doc);
  EXPECT_EQ(RectOf(&splitter, lower->m_hWnd), "0,106,384,284");
  EXPECT_EQ(Text(splitter.GetBarRect(CSplitterWnd::vSplitterBox)), "0,0,0,0");  // no more rows
  ASSERT_TRUE(splitter.SplitColumn(200));
  EXPECT_EQ(PaneView::live, 4);
  // Deleting the first row: the second's panes take its ids.
  CWnd* lowerRight = splitter.GetPane(1, 1);
  splitter.DeleteRow(0);
  EXPECT_EQ(splitter.GetRowCount(), 1);
  EXPECT_EQ(splitter.GetPane(0, 1), lowerRight);
  EXPECT_EQ(splitter.GetPane(0, 0), lower);
  EXPECT_EQ(PaneView::live, 2);
  EXPECT_EQ(::GetDlgItem(splitter.m_hWnd, AFX_IDW_VSCROLL_FIRST + 1), nullptr);
  frame->DestroyWindow();
  EXPECT_EQ(PaneView::live, 0);
}

// Input: the mouse through SendInput, at client points of the splitter.
void MouseTo(CWnd* wnd, int x, int y) {
  POINT pt = {x, y};
  ::ClientToScreen(wnd->m_hWnd, &pt);
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = (pt.x * 65536 + w - 1) / w;
  in.mi.dy = (pt.y * 65536 + h - 1) / h;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof(INPUT));
  PumpMessages();
}

void Button(DWORD flags) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  ::SendInput(1, &in, sizeof(INPUT));
  PumpMessages();
}

void Drag(CWnd* wnd, POINT from, POINT to) {
  MouseTo(wnd, from.x, from.y);
  Button(MOUSEEVENTF_LEFTDOWN);
  MouseTo(wnd, (from.x + to.x) / 2, (from.y + to.y) / 2);
  MouseTo(wnd, to.x, to.y);
  Button(MOUSEEVENTF_LEFTUP);
}

TEST_F(DynamicSplitter, DraggingBarsAndSplitBoxes) {
  ASSERT_NO_FATAL_FAILURE(Make(30));
  frame->SetForegroundWindow();
  PumpMessages();

  // The column split box dragged to x 150 makes a second column with its bar there.
  Drag(&splitter, {3, 290}, {153, 150});  // grabbed 3 pixels into the box
  ASSERT_EQ(splitter.GetColumnCount(), 2);
  EXPECT_EQ(Text(splitter.GetBarRect(CSplitterWnd::vSplitterBar1)), "150,0,156,284");
  EXPECT_EQ(::GetCapture(), nullptr);
  // The bar dragged 40 pixels right: the first column grows by 40.
  Drag(&splitter, {152, 100}, {192, 100});
  int cx = 0, cxMin = 0;
  splitter.GetColumnInfo(0, cx, cxMin);
  EXPECT_EQ(cx, 190);
  EXPECT_EQ(RectOf(&splitter, splitter.GetPane(0, 1)->m_hWnd), "196,0,384,284");
  // Escape during a drag leaves everything as it was.
  MouseTo(&splitter, 192, 100);
  Button(MOUSEEVENTF_LEFTDOWN);
  MouseTo(&splitter, 100, 100);
  ::SendMessage(splitter.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
  Button(MOUSEEVENTF_LEFTUP);
  splitter.GetColumnInfo(0, cx, cxMin);
  EXPECT_EQ(cx, 190);
  EXPECT_EQ(::GetCapture(), nullptr);
  // Dragged until the second column is below its minimum: the columns join.
  Drag(&splitter, {192, 100}, {370, 100});
  EXPECT_EQ(splitter.GetColumnCount(), 1);
  EXPECT_EQ(PaneView::live, 1);
  frame->DestroyWindow();
}

}  // namespace
