// The DCs of windows: CPaintDC, CClientDC, CWindowDC, and the CDC members that name windows.
#include "fw_dc.h"
#include "fw_except.h"
#include "fw_wnd.h"

CWnd* CDC::GetWindow() const {
  HWND h = m_hDC != NULL ? ::WindowFromDC(m_hDC) : NULL;
  return h != NULL ? CWnd::FromHandle(h) : NULL;
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd) {
  HWND h = pWnd->GetSafeHwnd();
  return h != NULL ? ::ExcludeUpdateRgn(m_hDC, h) : ERROR;
}

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->GetSafeHwnd()) {
  HDC h = m_hWnd != NULL ? ::BeginPaint(m_hWnd, &m_ps) : NULL;
  if (h == NULL) AfxThrowResourceException();
  Attach(h);
}

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  HDC h = ::GetDC(m_hWnd);
  if (h == NULL) AfxThrowResourceException();
  Attach(h);
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  HDC h = ::GetWindowDC(m_hWnd);
  if (h == NULL) AfxThrowResourceException();
  Attach(h);
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
