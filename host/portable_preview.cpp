#include "portable_preview.h"

#include <GUIPreviewView.h>
#include <GUIView.h>
#include <QvView.h>
#include <framework.h>
#include <fw_statusbar.h>

#include <stdio.h>

#include "portable_chart.h"
#include "screens.h"

namespace host {
namespace {

const long kInch = 1440;  // twips
const long kPages = 3;

// The portable report: three pages in twips, a heading on each, the chart on the first and
// the regions' figures on the others.
class ReportPages : public QvView {
 public:
  ReportPages() : QvView(nullptr, true) {}
  bool HasCustomPageManagement() override { return true; }
  long GetNumberOfPages() override { return kPages; }
  void PrintOnePage(long page) override {
    static const char* const kRegions[] = {"North", "South", "East", "West"};
    QvBeginUse();
    QvSetFont(QvFont("Arial", 20, QVFONT_BOLD));
    QvSetPenForeColor(QvColor(0, 0x3300, 0x6600));
    QvDrawTextInRect("Quarterly report", QvRect(kInch, kInch, 7 * kInch, kInch + 500), QvAlignTop, QvAlignLeft,
                     false, 0);
    QvSetFont(QvFont("Arial", 10, 0));
    QvSetPenForeColor(QvColor(0, 0, 0));
    char footer[32];
    snprintf(footer, sizeof footer, "Page %ld of %ld", page, kPages);
    QvDrawTextInRect(footer, QvRect(kInch, 10 * kInch, 7 * kInch, 10 * kInch + 300), QvAlignTop, QvAlignRight, false,
                     0);
    if (page == 1) {
      QvSetOrigin(QvPoint(kInch, kInch + 800));
      DrawPortableChart(*this, 12, false);
      QvSetOrigin(QvPoint(0, 0));
      return;
    }
    // One region a line: orders and revenue of the months of the page's half-year.
    QvSetFont(QvFont("Arial", 11, QVFONT_BOLD));
    QvDrawTextInRect(page == 2 ? "First half" : "Second half", QvRect(kInch, kInch + 700, 7 * kInch, kInch + 1000),
                     QvAlignTop, QvAlignLeft, false, 0);
    QvSetFont(QvFont("Arial", 10, 0));
    for (int r = 0; r < 4; ++r) {
      const long top = kInch + 1200 + r * 360;
      char figures[64];
      snprintf(figures, sizeof figures, "%ld orders, %ld 000 revenue", 400 + 37 * r + 90 * page, 120 + 11 * r + 25 * page);
      QvDrawTextInRect(kRegions[r], QvRect(kInch, top, 3 * kInch, top + 300), QvAlignTop, QvAlignLeft, false, 0);
      QvDrawTextInRect(figures, QvRect(3 * kInch, top, 7 * kInch, top + 300), QvAlignTop, QvAlignRight, false, 0);
      QvDrawLine(QvPoint(kInch, top + 320), QvPoint(7 * kInch, top + 320));
    }
  }
};

// The preview's frame: a status bar for the page text.
class PreviewFrame : public CFrameWnd {
 public:
  CStatusBar status;
};

}  // namespace

void PreviewPortableReport(HWND main) {
  PreviewFrame* frame = new PreviewFrame;
  if (!frame->Create(NULL, _T("Quarterly report - Portable preview"), WS_OVERLAPPEDWINDOW, CRect(60, 40, 860, 640),
                     CWnd::FromHandle(main)))
    return;  // a failed creation deletes the object
  static const UINT kIndicators[] = {ID_SEPARATOR};
  frame->status.Create(frame);
  frame->status.SetIndicators(kIndicators, 1);
  ReportPages* pages = new ReportPages;
  CGUIView* view = new CGUIView;  // owns the pages from here on
  if (!view->Create(pages, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST)) {
    delete view;
    delete pages;
    frame->DestroyWindow();
    return;
  }
  pages->SetUnitType(QvTwipsUnit);
  frame->SetActiveView(view);
  frame->ShowWindow(SW_SHOW);
  frame->RecalcLayout();
  // The preview tells its page to the application's main window: the report's frame is it
  // for the preview's time, as in a portable application of one window.
  CWinThread* thread = AfxGetThread();
  CWnd* const mainWnd = thread->m_pMainWnd;
  thread->m_pMainWnd = frame;
  if (view->DoPrintPreview(RUNTIME_CLASS(CGUIPreviewView))) {
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);  // zoom 1, on the first page
    if (ScreenshotMode()) CaptureWindow(frame->m_hWnd, L"portable_preview");
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
  }
  thread->m_pMainWnd = mainWnd;
  frame->DestroyWindow();  // the view and its pages with it
}

}  // namespace host
