// The status-bar frame: a template bar with a text, an indicator, a progress bar at 60%
// and an information icon, over the framework's standard indicators.
#include "status_window.h"

#include <framework.h>

#include <UIStatusBar.h>

#include <commctrl.h>

#include "resource.h"

namespace host {
namespace {

class StatusFrame : public CFrameWnd {
 public:
  CUIStatusBar m_status;
  CImageList m_images;

  BOOL Build() {
    if (!m_status.Create(this)) return FALSE;
    if (m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0)) m_images.Add(::LoadIcon(NULL, IDI_INFORMATION));
    auto* bar = new QvTemplateBar(&m_status);  // deleted by the status bar
    bar->SetItemText(0, _T("Exporting the quarterly report"), TA_LEFT);
    bar->AddTextItem(_T("Page 3 of 12"), TA_LEFT, 0);
    bar->AddIndicatorItem(IDS_INDICATOR_EXPORT, 0);
    const WORD progress = bar->AddProgressItem(120, 0, 0, 0);
    bar->AddTextItem(_T(" 60% "), TA_LEFT, QVSB_JOIN);
    bar->AddImageItem(&m_images, 0, 0);
    bar->Show();
    if (CProgressCtrl* control = bar->GetItemProgress(static_cast<short>(progress))) control->SetPos(60);
    RecalcLayout();
    return TRUE;
  }
};

}  // namespace

HWND CreateStatusWindow(HWND owner, const RECT& rc) {
  auto* frame = new StatusFrame;
  if (!frame->Create(NULL, _T("Status bar"), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                     CRect(rc), CWnd::FromHandle(owner))) {
    return NULL;  // a failed creation deletes the frame
  }
  if (!frame->Build()) {
    frame->DestroyWindow();
    return NULL;
  }
  return frame->m_hWnd;
}

}  // namespace host
