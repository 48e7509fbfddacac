// The library's print preview: the framework's preview with the product's page texts, a
// page-up that moves a tenth of the document, the orientation of the printer's paper, and the
// page setup command.
#pragma once
#include <framework.h>

#include "quarnel_api.h"

// Page setup from the preview: the preview closes and the command after it goes to the
// application's main window.
#define ID_QV_PREVIEW_PAGESETUP 0xA13F
#define ID_QV_PAGESETUP 0xA140

class QUARNEL_API CQvPreviewView : public CPreviewView {
  DECLARE_DYNCREATE(CQvPreviewView)
 public:
  CQvPreviewView();
  ~CQvPreviewView() override;

  // The texts of the one/two-page button for every preview of the process: onePage shows one
  // page, twoPages two. Each is kept up to 259 characters; NULL or empty texts bring back the
  // framework's.
  static void SetPageButtonLabels(LPCTSTR onePage, LPCTSTR twoPages);
  static CString GetPageButtonLabel(BOOL bTwoPages);

  // Changes the state only when it differs.
  void SetZoomState(UINT nNewState, UINT nPage, CPoint point) override;

 protected:
  void PositionPage(UINT nPage) override;
  // "<page description> / <last page>" in the main window's status text.
  void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) override;
  void DoZoom(UINT nPage, CPoint point) override;
  CSize GetPaperScreenSize() override;

  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
  afx_msg void OnPageSetup();
  afx_msg void OnUpdatePageSetup(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};
