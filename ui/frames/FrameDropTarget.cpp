// CFrameDropTarget: toolbar commands dragged onto a frame.
#include "UIMDIFrame.h"

// icfDragCommand is the toolbars' (UICustToolBar.h): registered by the first of them to need it.

DROPEFFECT CFrameDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (icfDragCommand == 0) icfDragCommand = ::RegisterClipboardFormat(_T("DragQvCommand"));
  return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CFrameDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint) {
  if (icfDragCommand == 0 || pDataObject == NULL || !pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(icfDragCommand)))
    return DROPEFFECT_NONE;
  return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// Accepted as it is: the drag source takes the button off its toolbar after a move.
BOOL CFrameDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return TRUE; }
