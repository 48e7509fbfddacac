// The drop target of a grid control: forwards OLE's drag events over the grid's window to
// the grid (CGridCtrl::OnDragEnter and the rest); events for any other window are refused.
#pragma once
#include <framework.h>
#include <fw_oledata.h>

#include "quarnel_api.h"

class CGridCtrl;

class QUARNEL_API CGridDropTarget : public COleDropTarget {
 public:
  CGridDropTarget() = default;
  ~CGridDropTarget() override;

  // Registers for pGridCtrl's window (OLE must be started on the thread): only once per
  // target, not from within another registration, and only for a CGridCtrl. The answer, also
  // kept as the registered flag.
  BOOL Register(CGridCtrl* pGridCtrl);
  void Revoke() override;
  BOOL IsRegistered() const { return m_bRegistered; }
  CGridCtrl* GetGridCtrl() const { return m_pGridCtrl; }

  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave(CWnd* pWnd) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
  // None: the grid never scrolls under a drag (its drag-over answers decide the effect).
  DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

 protected:
  // Whether pWnd is the window of the grid this target serves.
  BOOL IsGridWindow(CWnd* pWnd) const;

  CGridCtrl* m_pGridCtrl = NULL;
  BOOL m_bRegistered = FALSE;
};
