// The portable view's print preview: the framework's preview with three zoom states (0 whole
// pages, 1 and 2 one page zoomed), stepped by the zoom commands and by clicks on a page, and
// the page numbers in the main window's status text as "<page description> / <last page>".
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CGUIPreviewView : public CPreviewView {
  DECLARE_DYNCREATE(CGUIPreviewView)
 public:
  CGUIPreviewView();
  ~CGUIPreviewView() override;

  // Nothing when the state is unchanged or beyond 2. Zoomed, page nPage is shown, centred on
  // point (a point of the page as shown before, client coordinates); back to whole pages,
  // the vertical bar moves through the document's pages when their range fits the bar.
  void SetZoomState(UINT nNewState, UINT nPage, CPoint point) override;

 protected:
  // The description's line for the pages shown, then " / " and the document's last page, sent
  // to the main window (WM_SETMESSAGESTRING).
  void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) override;

  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  // Whole pages: the vertical bar over the page range, at the current page.
  void ShowPageBar();
};
