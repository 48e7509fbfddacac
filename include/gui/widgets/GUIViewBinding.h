// Creating the window of a portable view: the window and its portable container are bound
// both ways for the whole of the creation (the window's first messages find the container),
// and unbound again when the window cannot be made.
#pragma once
#include <framework.h>
#include <fw_view.h>

#include <QvGUIContainer.h>

// `link(true)` sets the window's and the container's pointers to each other, `link(false)`
// clears them. The window's class: the arrow, the window colour and `classStyle`. The
// container's create callback runs once the window exists. FALSE when it could not be made.
template <class Container, class Link>
BOOL CreateBoundViewWindow(CView* window, Container* container, Link link, UINT classStyle, DWORD style,
                           const RECT& rect, CWnd* parent, UINT id, CCreateContext* context) {
  LPCTSTR cls = AfxRegisterWndClass(classStyle, ::LoadCursor(NULL, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), NULL);
  if (cls == NULL) return FALSE;
  const CString className(cls);
  link(true);
  if (container) {
    container->SetMFCCWnd(window);
    GUISetQvGUIContainer(window, container);
  }
  if (!window->CView::Create(className, _T(""), style, rect, parent, id, context)) {
    if (container) {
      GUISetQvGUIContainer(window, nullptr);
      container->SetMFCCWnd(nullptr);
    }
    link(false);
    return FALSE;
  }
  if (container && container->GetCreateCBack()) container->GetCreateCBack()();
  return TRUE;
}
