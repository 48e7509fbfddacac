#include "status_demo.h"

#include <QvStatus.h>
#include <framework.h>

namespace host {
namespace {

class StatusDemoFrame : public CFrameWnd {
 public:
  QvStatusUdgTextProgress* layout = nullptr;

 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    ::FillRect(dc.m_hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::TextOutW(dc.m_hDC, 16, 16, L"Recalculating the report...", 27);
  }
  afx_msg void OnDestroy() {
    // The layout leaves the bar before the bar goes.
    delete layout;
    layout = nullptr;
    QvDestroyApplicationStatusBar();
    CFrameWnd::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StatusDemoFrame, CFrameWnd)
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

HWND CreateStatusDemo(HWND owner, const RECT& rc) {
  auto* frame = new StatusDemoFrame;
  if (!frame->Create(NULL, _T("Portable status bar"), WS_OVERLAPPEDWINDOW, CRect(rc), CWnd::FromHandle(owner)))
    return NULL;  // a failed creation deletes the object
  // The application status bar goes into this window.
  Set_GlobalTemporayAccessforMFCMainWindow(frame);
  QvCreateApplicationStatusBar();
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  frame->layout = new QvStatusUdgTextProgress(true);
  frame->layout->SetText("Report \"Sales by region\" opened");
  frame->layout->SetProgressText("Calculating");
  frame->layout->SetProgressMinMax(0, 100);
  frame->layout->SetProgressValue(62);
  frame->layout->SetInfoImage(1);
  frame->layout->Show(true);
  frame->RecalcLayout();
  return frame->m_hWnd;
}

}  // namespace host
