#include "portable_toolbars.h"

#include <framework.h>

#include <GUIPlatformGlue.h>
#include <QvHotKeyText.h>
#include <QvStatusBar.h>
#include <QvToolBars.h>

#include "context_menu.h"
#include "portable_toolbars_ids.h"

namespace host {
namespace {

// A frame that routes like the portable frames: commands and update probes take the portable
// road first.
class PortableToolbarsFrame : public CFrameWnd {
 public:
  QvToolBarManager* manager = nullptr;

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override {
    if (GUIOnCmdMsg(id, code, extra, info)) return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, info);
  }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    return GUIOnCommand(this, wParam, lParam) ? TRUE : CFrameWnd::OnCommand(wParam, lParam);
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // Below the bars: the client area the frame's layout left.
    CRect free;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &free);
    ::FillRect(dc.m_hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::TextOutW(dc.m_hDC, free.left + 16, free.top + 16, L"Sales by region: portable toolbars", 34);
  }
  // Tooltips: the command's tooltip text with its hot key.
  afx_msg BOOL OnPortableToolTip(UINT id, NMHDR* notify, LRESULT* result) {
    return QvGlobalOnToolTipText(id, notify, result);
  }
  afx_msg void OnDestroy() {
    delete manager;  // takes its bars with it
    manager = nullptr;
    CFrameWnd::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PortableToolbarsFrame, CFrameWnd)
  ON_WM_PAINT()
  ON_WM_DESTROY()
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &PortableToolbarsFrame::OnPortableToolTip)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &PortableToolbarsFrame::OnPortableToolTip)
END_MESSAGE_MAP()

}  // namespace

HWND CreatePortableToolbars(HWND owner, const RECT& rc) {
  if (!StartPortableCommands()) return NULL;
  auto* frame = new PortableToolbarsFrame;
  if (!frame->Create(NULL, _T("Portable toolbars"), WS_OVERLAPPEDWINDOW, CRect(rc), CWnd::FromHandle(owner)))
    return NULL;  // a failed creation deletes the object
  frame->manager = new QvToolBarManager;
  QvToolBarManager& manager = *frame->manager;
  manager.AddToolBar("Standard", true, ID_PORTABLE_STANDARD_BAR);
  manager.AddToolBar("Report", true, ID_PORTABLE_REPORT_BAR);
  manager.CreateToolBars(frame);
  manager.AddToolBarResource("Standard", IDL_PORTABLE_STANDARD);
  manager.AddToolBarResource("Report", IDL_PORTABLE_REPORT);
  // The buttons' states as the idle update would give them.
  for (const char* name : {"Standard", "Report"})
    if (CGUIMultipleBitmapToolbar* bar = manager.GetToolBar(name)) bar->OnUpdateCmdUI(frame, TRUE);
  frame->RecalcLayout();
  return frame->m_hWnd;
}

}  // namespace host
