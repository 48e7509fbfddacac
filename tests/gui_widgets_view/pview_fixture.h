// Portable views for the tests: a window view whose Draw records what it was asked, and
// access to the platform view's model.
#pragma once
#include <GUIView.h>
#include <QvView.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

// The platform view with its model open to the tests.
class ModelView : public CGUIView {
 public:
  void SetFlags(unsigned long set, unsigned long clear) { m_flags = (m_flags | set) & ~clear; }
  void SetTwipsPerPixel(float x, float y) {
    m_twipsPerPixelX = x;
    m_twipsPerPixelY = y;
    PrepareConversionFactors();
  }
  void SetClientOffset(long x, long y) { m_scroll = POINT{x, y}; }
  float FactorX() const { return m_factorX; }
  float FactorY() const { return m_factorY; }
  using CGUIView::LayOutText;
  using CGUIView::TextLine;
};

// A portable view that draws through a function.
class FunctionView : public QvView {
 public:
  explicit FunctionView(bool noScrollBars = false) : QvView(nullptr, noScrollBars) {}
  std::function<void(FunctionView&, const QvRect&)> draw;
  int draws = 0;
  std::vector<DWORD> sizeThreads;  // the thread of every SetImageSize call
  void SetImageSize(QvSize size, bool stopAtFarEdge) override {
    sizeThreads.push_back(GetCurrentThreadId());
    QvView::SetImageSize(size, stopAtFarEdge);
  }
  void Draw(const QvRect& image) override {
    ++draws;
    if (draw) draw(*this, image);
  }
};

// A visible popup parent with one portable view window as its child. The window owns its
// portable view and deletes itself (and the view) when it is destroyed.
struct ViewWindow {
  HWND parent = NULL;
  FunctionView* view = nullptr;
  ModelView* window = nullptr;

  explicit ViewWindow(DWORD style = WS_HSCROLL | WS_VSCROLL, bool noScrollBars = false, int cx = 200, int cy = 150) {
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, cx + 40, cy + 40, NULL, NULL, NULL, NULL);
    view = new FunctionView(noScrollBars);
    window = new ModelView;
    const RECT r = {0, 0, cx, cy};
    if (parent == NULL || !window->Create(view, WS_CHILD | WS_VISIBLE | style, r, CWnd::FromHandle(parent), 1)) {
      delete window;
      delete view;
      window = nullptr;
      view = nullptr;
    }
  }
  ~ViewWindow() {
    if (window != nullptr && window->m_hWnd != NULL) ::DestroyWindow(window->m_hWnd);
    if (parent != NULL) DestroyWindow(parent);
  }
  bool ok() const { return window != nullptr; }
  HWND hwnd() const { return window->m_hWnd; }
};

inline QvColor Qv(COLORREF c) {
  return QvColor(static_cast<unsigned short>(GetRValue(c) << 8), static_cast<unsigned short>(GetGValue(c) << 8),
                 static_cast<unsigned short>(GetBValue(c) << 8));
}
