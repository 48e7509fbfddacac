// Print preview: the pages a view prints, drawn on the screen at the printer's proportions.
//
// CView::DoPrintPreview prepares a preview job (OnPreparePrinting with m_bPreview set), hides
// the view, and puts a CPreviewView (or the class asked for) in its place in the frame, with
// a dialog bar of the preview commands above it. Each page is drawn by the printing view's
// OnPrepareDC and OnPrint into a picture made for the printer (an enhanced metafile with the
// printer as its reference), which is then played into the page's place on the screen: the
// view draws in printer units and queries the printer, as when it prints.
//
// Zoom states: 0 shows one or two whole pages in the window (the vertical scroll bar moves
// through the pages), 1 and 2 show one page larger (half of the printer's size on the screen,
// and the whole of it), scrolled with the scroll view's bars.
#pragma once
#include "fw_bars.h"
#include "fw_print.h"
#include "fw_scrollview.h"

// The preview's dialog bar and its commands.
#define AFX_IDD_PREVIEW_TOOLBAR 30730
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
// The texts of the one/two-page button: what a press of it shows.
#define AFX_IDS_ONEPAGE 61505
#define AFX_IDS_TWOPAGE 61506

class FW_API CPreviewView : public CScrollView {
  DECLARE_DYNCREATE(CPreviewView)
 public:
  CPreviewView();
  ~CPreviewView() override;

  enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

  // Joins the view that prints and its preview job (owned by the preview from here).
  void SetPrintView(CView* pPrintView, CPrintInfo* pInfo);
  CView* GetPrintView() const { return m_pPrintView; }
  CPrintInfo* GetPrintInfo() const { return m_pPreviewInfo; }
  UINT GetZoomState() const { return m_nZoomState; }
  UINT GetPagesShown() const { return m_nPages; }
  UINT GetCurrentPage() const { return m_nCurrentPage; }
  // The place of shown page nIndex (0 or 1) in the client area (not scrolled).
  CRect GetPageRect(UINT nIndex) const { return m_rectPage[nIndex < 2 ? nIndex : 0]; }

  // Draws page nPage of the job into rect of pDC (the paper; the printable part is scaled
  // into it at its place on the paper).
  void DrawPage(CDC* pDC, UINT nPage, const CRect& rect);
  // Ends the preview: the printing view comes back, the bar and this view are destroyed.
  virtual void ClosePreview();

  virtual void SetZoomState(UINT nNewState, UINT nPage, CPoint point);
  // Shows nPage first (clamped to the job's pages).
  virtual void SetCurrentPage(UINT nPage, BOOL bClearRatios);

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

 protected:
  // Places the pages shown for the present zoom state and window size.
  virtual void PositionPage(UINT nPage);
  // The page numbers in the frame's status text.
  virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
  virtual void DoZoom(UINT nPage, CPoint point);
  // The printer's paper in screen pixels at full size (zoom state 2).
  virtual CSize GetPaperScreenSize();

  void OnDraw(CDC* pDC) override;
  void PostNcDestroy() override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPreviewClose();
  afx_msg void OnNumPageChange();
  afx_msg void OnNextPage();
  afx_msg void OnPrevPage();
  afx_msg void OnPreviewPrint();
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
  afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 protected:
  // Zoomed out: the vertical bar moves through the pages.
  void UpdatePageBar();
  UINT MinPage() const;
  UINT MaxPage() const;

  CView* m_pPrintView = NULL;
  CPrintInfo* m_pPreviewInfo = NULL;
  CDialogBar* m_pToolBar = NULL;
  UINT m_nZoomState = ZOOM_OUT;
  UINT m_nPages = 1;         // pages shown (1 or 2)
  UINT m_nMaxPages = 2;      // 1: limited to one page
  UINT m_nCurrentPage = 1;
  CRect m_rectPage[2];

  friend class CView;
};
