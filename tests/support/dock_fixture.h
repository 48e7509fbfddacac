// A frame docking at its sides, with a pane, for the docking tests (programs that link the
// framework). It deletes itself when destroyed.
#pragma once
#include <framework.h>
#include <fw_dock.h>

#include <vector>

namespace testing_support {

template <class FRAME, class DOCKBAR>
struct DockingFrame {
  FRAME* frame = new FRAME;
  CWnd pane;
  explicit DockingFrame(int cx = 400, int cy = 300, DWORD sides = CBRS_ALIGN_ANY) {
    if (!frame->Create(NULL, _T("dock"), WS_OVERLAPPEDWINDOW, CRect(0, 0, cx, cy))) {
      frame = NULL;
      return;
    }
    frame->EnableDocking(sides);
    pane.Create(NULL, _T("pane"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST);
  }
  ~DockingFrame() {
    if (frame != NULL && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
  }
  DockingFrame(const DockingFrame&) = delete;
  DockingFrame& operator=(const DockingFrame&) = delete;

  DOCKBAR* Side(UINT id) const { return DYNAMIC_DOWNCAST(DOCKBAR, frame->GetControlBar(id)); }
  CRect Client() const {
    CRect c;
    frame->GetClientRect(&c);
    return c;
  }
  void Layout() { frame->RecalcLayout(); }
  // The side's entries as control ids, 0 for a row end.
  std::vector<int> Entries(UINT side) const {
    std::vector<int> ids;
    CDockBar* d = Side(side);
    for (INT_PTR i = 0; i < d->m_arrBars.GetSize(); ++i)
      ids.push_back(d->m_arrBars[i] ? static_cast<CControlBar*>(d->m_arrBars[i])->GetDlgCtrlID() : 0);
    return ids;
  }
};

}  // namespace testing_support
