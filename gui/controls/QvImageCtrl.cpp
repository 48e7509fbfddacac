// The portable image control, its platform class and the containers' lookup of it.
#include "QvImageCtrl.h"

#include <GUIImageCtrl.h>
#include <QvGUIContainer.h>

#include "GUIView.h"
#include "QvView.h"

QV_IMPLEMENT_CREATABLE(QvImageCtrl, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvImageCtrl)

QV_CONTROL_KIND(QvImageCtrl, CGUIImageCtrl)

CGUIImageCtrl* QvImageCtrl::Image() const {
  return GetPlatformWindow() ? dynamic_cast<CGUIImageCtrl*>(GetPlatformControl()) : nullptr;
}

bool QvImageCtrl::SetImage(QvImage* image, int display) {
  CGUIImageCtrl* control = Image();
  return control && control->SetImage(image, display);
}

void QvImageCtrl::SetCheckMode(bool on) {
  if (CGUIImageCtrl* control = Image()) control->SetCheckMode(on);
}

void QvImageCtrl::Check(bool on) {
  if (CGUIImageCtrl* control = Image()) control->Check(on, false);
}

bool QvImageCtrl::IsChecked() {
  CGUIImageCtrl* control = Image();
  return control && control->IsChecked();
}

void QvImageCtrl::SetRelief(QvImageRelief relief, bool flat) {
  if (CGUIImageCtrl* control = Image()) control->SetRelief(relief, flat);
}

bool QvImageCtrl::TakeWindowPlace(RECT& rect, HWND& parent, UINT& id) {
  HWND window = GetPlatformWindow();
  parent = window ? ::GetParent(window) : NULL;
  if (!parent) return false;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&rect), 2);
  id = static_cast<UINT>(::GetDlgCtrlID(window));
  if (m_ownsPlatformControl && m_platformControl) {
    m_platformControl->UnsubclassWindow();
    delete m_platformControl;
  }
  m_platformControl = nullptr;
  m_ownsPlatformControl = 0;
  ::DestroyWindow(window);  // a view window deletes its own object
  return true;
}

bool QvImageCtrl::BindViewWindow(HWND made) {
  if (!SetPlatformControl(made)) return false;
  m_ownsPlatformControl = 0;  // the view window frees itself
  return true;
}

bool QvImageCtrl::SetView(QvView* view) {
  if (!view || !GetPlatformWindow()) return false;
  // The window showing this very view would delete it with itself: take the view back first.
  if (CGUIView* shown = dynamic_cast<CGUIView*>(m_platformControl))
    if (shown->GetPortableView() == view) shown->DetachView();
  RECT rect = {};
  HWND parent = NULL;
  UINT id = 0;
  if (!TakeWindowPlace(rect, parent, id)) return false;

  CControlView* made = new CControlView;
  if (!made->Create(view, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, CWnd::FromHandle(parent), id)) {
    delete made;
    return false;
  }
  made->OnInitialUpdate();
  if (!BindViewWindow(made->m_hWnd)) return false;
  RECT client = {};
  ::GetClientRect(made->m_hWnd, &client);
  QvSize size(client.right, client.bottom);
  if (view->GetUnitType() == QvTwipsUnit) {
    const long rx = view->GetResolutionX() > 0 ? view->GetResolutionX() : 96;
    const long ry = view->GetResolutionY() > 0 ? view->GetResolutionY() : 96;
    size = QvSize(client.right * 1440 / rx, client.bottom * 1440 / ry);
  }
  view->SetImageSize(size, false);
  return true;
}
