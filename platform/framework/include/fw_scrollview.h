// CScrollView: a view larger than its window, scrolled with the window's scroll bars.
//
// SetScrollSizes gives the total size (in the units of the mapping mode), the page and line
// steps; the bars are shown only where the window is smaller than the total size, and the
// position is kept inside the range when the window grows. OnPrepareDC sets the mapping mode
// and moves the viewport origin by the scroll position (not when printing).
#pragma once
#include "fw_view.h"

class FW_API CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
 public:
  static const SIZE sizeDefault;  // (0, 0): a tenth of the total size per page, a tenth of that per line

  // sizeTotal, sizePage and sizeLine in logical units of nMapMode (positive).
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  CSize GetTotalSize() const { return m_totalLog; }
  int GetMapMode() const { return m_nMapMode; }
  // The top-left corner shown, in logical units, and in pixels.
  CPoint GetScrollPosition() const;
  CPoint GetDeviceScrollPosition() const;
  // Scrolls so that pt (logical units) is the top-left corner shown, clamped to the range.
  void ScrollToPosition(POINT pt);

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
  BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;

 protected:
  CScrollView();
  ~CScrollView() override;

  // Shows, hides and sets the scroll bars for the present client size.
  void UpdateBars();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()

 protected:
  int m_nMapMode = 0;  // 0: no sizes set yet
  CSize m_totalLog;
  CSize m_totalDev, m_pageDev, m_lineDev;

 private:
  void ScrollToDevicePosition(CPoint pt);
  BOOL m_bInsideUpdate = FALSE;
};
