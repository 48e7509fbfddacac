// A static splitter of 2 x 2 panes in a visible popup, for views that scroll together: the
// caller makes each pane (a window of the pane's id, child of the splitter); the first column
// is 200 and the first row 160 pixels.
#pragma once
#include <framework.h>
#include <fw_splitter.h>

#include <functional>

namespace testing_support {

class SplitterOfFour {
 public:
  // False when the splitter or a pane cannot be made.
  bool Create(const std::function<bool(int row, int col, CSplitterWnd& splitter, UINT id)>& makePane) {
    m_parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 420, 340, NULL, NULL, NULL, NULL);
    if (m_parent == NULL || !splitter.CreateStatic(CWnd::FromHandle(m_parent), 2, 2, WS_CHILD | WS_VISIBLE))
      return false;
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c)
        if (!makePane(r, c, splitter, static_cast<UINT>(splitter.IdFromRowCol(r, c)))) return false;
    splitter.SetColumnInfo(0, 200, 10);
    splitter.SetRowInfo(0, 160, 10);
    splitter.MoveWindow(0, 0, 420, 340);
    splitter.RecalcLayout();
    return true;
  }
  ~SplitterOfFour() {
    if (splitter.m_hWnd != NULL) splitter.DestroyWindow();
    if (m_parent != NULL) DestroyWindow(m_parent);
  }

  CSplitterWnd splitter;

 private:
  HWND m_parent = NULL;
};

}  // namespace testing_support
