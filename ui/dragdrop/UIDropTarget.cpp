// Drop targets of views and host windows, and their OLE adapter: one selection per drag,
// built over the drag's data and handed to the target's virtual operations.
#include <QvGlobals.h>

#include <algorithm>
#include <vector>

#include "UIDragDrop.h"
#include "UIDragShared.h"
#include "UIView.h"

namespace {

// Every live target, in creation order.
std::vector<UIDropTarget*>* g_targets = NULL;

// Hosts of these application ids never take drops.
bool RegistrationBarred() {
  unsigned long id = Get_Global_applID();
  return id == 8 || id == 9;
}

// What the adapter's events do on this side.
struct FrameworkSide {
  using Sel = UIDragSel;
  using Owner = UIDropTarget;
  static UIDragAction ActionOfKeys(bool current, DWORD keys) { return KeyState2UIDragAction(current, keys); }
  static void SetLastAction(UIDragAction action) { UIDragSetLastAction(action); }
  static UIDragAction LastAction() { return UIDragGetLastAction(); }
  static CPoint DropPoint(UIDropTarget* owner, const CPoint& point) { return owner->WinToDropPoint(point); }
};
using Events = UIDropEvents<FrameworkSide>;

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

DROPEFFECT UIOleDropTarget::OnDragEnter(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint) {
  return Events::Enter(m_pOwner, m_pSel, m_pSelData, data, dwKeyState);
}

DROPEFFECT UIOleDropTarget::OnDragOver(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint point) {
  return Events::Over(m_pOwner, m_pSel, m_pSelData, data, dwKeyState, point);
}

void UIOleDropTarget::OnDragLeave(CWnd*) { Events::Leave(m_pOwner, m_pSel, m_pSelData); }

BOOL UIOleDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point) {
  return Events::Drop(m_pOwner, m_pSel, m_pSelData, data, point);
}
