#include "GridDropTarget.h"

#include "GridCtrl.h"

namespace {

// Set while a registration runs: a grid sized from within another registration waits.
bool g_registering = false;

}  // namespace

CGridDropTarget::~CGridDropTarget() { Revoke(); }

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl) {
  if (m_bRegistered || g_registering || pGridCtrl == NULL || pGridCtrl->GetSafeHwnd() == NULL ||
      !pGridCtrl->IsKindOf(RUNTIME_CLASS(CGridCtrl)))
    return FALSE;
  g_registering = true;
  m_pGridCtrl = pGridCtrl;
  m_bRegistered = COleDropTarget::Register(pGridCtrl);
  if (!m_bRegistered) m_pGridCtrl = NULL;
  g_registering = false;
  return m_bRegistered;
}

void CGridDropTarget::Revoke() {
  m_bRegistered = FALSE;
  COleDropTarget::Revoke();
  m_pGridCtrl = NULL;
}

BOOL CGridDropTarget::IsGridWindow(CWnd* pWnd) const {
  return m_pGridCtrl != NULL && pWnd != NULL && pWnd->GetSafeHwnd() != NULL &&
         pWnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd();
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!IsGridWindow(pWnd)) return DROPEFFECT_NONE;
  return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!IsGridWindow(pWnd)) return DROPEFFECT_NONE;
  return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd) {
  if (IsGridWindow(pWnd)) m_pGridCtrl->OnDragLeave();
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  if (!IsGridWindow(pWnd)) return FALSE;
  return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

// The grid never scrolls under a drag. The framework takes any answer but none as the
// drag's effect in place of OnDragEnter/OnDragOver, so a copy-or-move answer here would skip
// the drop highlight and accept drops on read-only cells: none lets the grid decide.
DROPEFFECT CGridDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }
