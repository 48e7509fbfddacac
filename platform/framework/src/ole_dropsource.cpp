// COleDropSource: when a drag goes on, drops or is cancelled.
#include "fw_oledata.h"

BEGIN_INTERFACE_MAP(COleDropSource, CCmdTarget)
  INTERFACE_PART(COleDropSource, IID_IDropSource, DropSource)
END_INTERFACE_MAP()
IMPLEMENT_PART_IUNKNOWN(COleDropSource, DropSource)

COleDropSource::COleDropSource() { m_rectStartDrag.SetRectEmpty(); }

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  if (bEscapePressed || (m_dwButtonCancel != 0 && (dwKeyState & m_dwButtonCancel) != 0))
    return DRAGDROP_S_CANCEL;
  DWORD drop = m_dwButtonDrop != 0 ? m_dwButtonDrop : MK_LBUTTON;
  return (dwKeyState & drop) == 0 ? DRAGDROP_S_DROP : S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

BOOL COleDropSource::OnBeginDrag(CWnd*) {
  if (m_rectStartDrag.IsRectEmpty()) return TRUE;
  const int button = m_dwButtonDrop == MK_RBUTTON ? VK_RBUTTON : VK_LBUTTON;
  const DWORD start = ::GetTickCount();
  const DWORD delay = ::GetDoubleClickTime() / 2;
  for (;;) {
    if (::GetAsyncKeyState(button) >= 0 || ::GetAsyncKeyState(VK_ESCAPE) < 0) return FALSE;
    POINT pt;
    if (::GetCursorPos(&pt) && !m_rectStartDrag.PtInRect(pt)) return TRUE;
    if (::GetTickCount() - start >= delay) return TRUE;
    // The mouse and keys of the gesture belong to the drag; anything else is left queued.
    MSG msg;
    while (::PeekMessage(&msg, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_INPUT);
  }
}

STDMETHODIMP COleDropSource::XDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  METHOD_PROLOGUE(COleDropSource, DropSource)
  return pThis->QueryContinueDrag(bEscapePressed, dwKeyState);
}

STDMETHODIMP COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect) {
  METHOD_PROLOGUE(COleDropSource, DropSource)
  return pThis->GiveFeedback(dwEffect);
}
