// Keyboard scrolling of a drawing view that is a pane of a splitter: the splitter scrolls every
// pane that shares the view's column (horizontally) or row (vertically), so that panes showing
// the same document stay together. Both drawing views scroll by keys through it.
#pragma once
#include <framework.h>
#include <fw_splitter.h>

#include "UIUtilities.h"

// (dx, dy) in image units, unitsPerStepX/Y the image units of one scroll-bar unit (the bar's
// divisor times the view's image units per pixel). FALSE, nothing done, when the view is no
// splitter pane: the caller scrolls it alone.
inline BOOL ScrollPanesOfParentSplitter(CView* view, long dx, long dy, double unitsPerStepX, double unitsPerStepY) {
  CSplitterWnd* splitter = CSplitterWnd::GetParentSplitter(view);
  if (splitter == NULL || !splitter->IsChildPane(view, NULL, NULL)) return FALSE;
  const int sx = unitsPerStepX != 0 ? RoundToNearestInt(dx / unitsPerStepX) : 0;
  const int sy = unitsPerStepY != 0 ? RoundToNearestInt(dy / unitsPerStepY) : 0;
  splitter->DoScrollBy(view, CSize(sx, sy), TRUE);
  return TRUE;
}
