// The image control's text view: its window replaced by a text-view window.
#include <QvImageCtrl.h>

#include "GUITextView.h"

bool QvImageCtrl::SetTextView(QvTextView* view) {
  if (!view || !GetPlatformWindow()) return false;
  // The window showing this very view would delete it with itself: it lets go of it first.
  if (CGUITextView* shown = dynamic_cast<CGUITextView*>(m_platformControl))
    if (shown->GetKernelView() == view) shown->ForgetView();
  RECT rect = {};
  HWND parent = NULL;
  UINT id = 0;
  if (!TakeWindowPlace(rect, parent, id)) return false;
  CControlTextView* made = new CControlTextView;
  if (!made->Create(view, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, CWnd::FromHandle(parent), id)) {
    delete made;
    return false;
  }
  made->OnInitialUpdate();
  return BindViewWindow(made->m_hWnd);
}
