// Drop targets of views and host windows, and their OLE adapter: one selection per drag,
// built over the drag's data and handed to the target's virtual operations.
#include <QvGlobals.h>

#include <algorithm>
#include <vector>

#include "UIDragDrop.h"
#include "UIView.h"

namespace {

// Every live target, in creation order.
std::vector<UIDropTarget*>* g_targets = NULL;

// Hosts of these application ids never take drops.
bool RegistrationBarred() {
  unsigned long id = Get_Global_applID();
  return id == 8 || id == 9;
}

}  // namespace

UIDropTarget::UIDropTarget(CUIView* view) : m_pView(view) {
  m_pOleTarget = new UIOleDropTarget(this);
  if (g_targets == NULL) g_targets = new std::vector<UIDropTarget*>;
  g_targets->push_back(this);
  if (m_pView != NULL && m_pView->GetSafeHwnd() != NULL) PrepareAllTargetsForDrag();
}

UIDropTarget::~UIDropTarget() {
  // A drag in progress may still hold the adapter: it outlives its owner, answering nothing.
  m_pOleTarget->Revoke();
  m_pOleTarget->m_pOwner = NULL;
  m_pOleTarget->InternalRelease();
  if (g_targets != NULL) {
    g_targets->erase(std::remove(g_targets->begin(), g_targets->end(), this), g_targets->end());
    if (g_targets->empty()) {
      delete g_targets;
      g_targets = NULL;
    }
  }
}

BOOL UIDropTarget::IsInDropArea(UIDragSel*, const CPoint&) { return FALSE; }
UIDragAction UIDropTarget::EnterDropArea(UIDragSel*) { return UIDragNone; }
UIDragAction UIDropTarget::DropAreaMove(UIDragSel*) { return UIDragNone; }
void UIDropTarget::LeaveDropArea(UIDragSel*) {}
UIDragAction UIDropTarget::Drop(UIDragSel*, UIDragAction) { return UIDragNone; }
void UIDropTarget::VisualFeedback(UIDragSel*, BOOL) {}

UIDragSel* UIDropTarget::QueryClipboard() {
  auto* data = new COleDataObject;
  if (!data->AttachClipboard()) {
    delete data;
    return NULL;
  }
  auto* sel = new UIDragSel(data, TRUE);
  sel->m_bFromClipboard = TRUE;
  return sel;
}

void PASCAL UIDropTarget::PrepareAllTargetsForDrag() {
  if (g_targets == NULL || RegistrationBarred()) return;
  for (auto it = g_targets->rbegin(); it != g_targets->rend(); ++it) {
    UIDropTarget* target = *it;
    if (target->IsRegistered() || target->m_pView == NULL || target->m_pView->GetSafeHwnd() == NULL) continue;
    if (target->m_pOleTarget->Register(target->m_pView)) target->m_flags |= 1;
  }
}

CPoint UIDropTarget::WinToDropPoint(const CPoint& point) {
  POINT p = point;
  if (m_pView != NULL) m_pView->QvClientToImagePoint(p);
  return CPoint(p.x, p.y);
}

UIOleDropTarget::UIOleDropTarget(UIDropTarget* owner) : m_pOwner(owner) {}

UIOleDropTarget::~UIOleDropTarget() {
  delete m_pSel;
  m_pSel = NULL;
}

UIDragSel* UIOleDropTarget::Renew(COleDataObject* data) {
  // One selection per drag: made again only when the data is another drag's.
  if (m_pSel != NULL && m_pSelData == data->m_lpDataObject) return m_pSel;
  delete m_pSel;
  m_pSel = NULL;
  // The selection holds the data itself, so it stays readable until the next event.
  auto* own = new COleDataObject;
  own->Attach(data->GetIDataObject(TRUE), TRUE);
  m_pSelData = data->m_lpDataObject;
  m_pSel = new UIDragSel(own, TRUE);
  return m_pSel;
}

DROPEFFECT UIOleDropTarget::OnDragEnter(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint) {
  if (m_pOwner == NULL) return DROPEFFECT_NONE;
  m_pSelData = NULL;  // a new drag: a new selection
  UIDragSel* sel = Renew(data);
  sel->m_action = KeyState2UIDragAction(FALSE, dwKeyState);
  UIDragAction action = m_pOwner->EnterDropArea(sel);
  UIDragSetLastAction(action);
  return UIDragActionToDropEffect(action);
}

DROPEFFECT UIOleDropTarget::OnDragOver(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint point) {
  if (m_pOwner == NULL) return DROPEFFECT_NONE;
  UIDragSel* sel = Renew(data);
  sel->m_action = KeyState2UIDragAction(FALSE, dwKeyState);
  sel->SetPosition(m_pOwner->WinToDropPoint(point));
  UIDragAction action = m_pOwner->DropAreaMove(sel);
  UIDragSetLastAction(action);
  return UIDragActionToDropEffect(action);
}

void UIOleDropTarget::OnDragLeave(CWnd*) {
  if (m_pOwner != NULL && m_pSel != NULL) m_pOwner->LeaveDropArea(m_pSel);
  m_pSelData = NULL;
  UIDragSetLastAction(UIDragNone);
}

BOOL UIOleDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point) {
  if (m_pOwner == NULL) return FALSE;
  UIDragSel* sel = Renew(data);
  sel->m_actionAtDrop = KeyState2UIDragAction(TRUE, 0);
  sel->SetPositionAtDrop(m_pOwner->WinToDropPoint(point));
  UIDragAction action = m_pOwner->Drop(sel, UIDragGetLastAction());
  UIDragSetLastAction(action);
  m_pSelData = NULL;
  // The drop happened only when the owner took it.
  return action != UIDragNone;
}
