// Drag sources and drop targets of portable views and controls, their OLE adapters, the
// module's last drag action and the list of live drop targets.
#include <vector>

#include "GUIView.h"
#include "QvControl.h"
#include "QvDragDrop.h"
#include "QvView.h"
#include "UIDragShared.h"

namespace {

const WORD kSwapCursor = 264;
UIDragAction g_lastAction = UIDragNone;
QvArrayLPVoid* g_targets = NULL;

// Ctrl and Shift link, Ctrl copies, Shift swaps, no key moves.
UIDragAction ModifierKeysToDragAction(bool current, DWORD keyState) {
  return UIDragActionOfKeys(current, keyState, true);
}

// What the adapter's events do on this side.
struct PortableSide {
  using Sel = QvDragSel;
  using Owner = QvDropTarget;
  static UIDragAction ActionOfKeys(bool current, DWORD keys) { return ModifierKeysToDragAction(current, keys); }
  static void SetLastAction(UIDragAction action) { QvDragSetLastAction(action); }
  static UIDragAction LastAction() { return QvDragGetLastAction(); }
  static QvPoint DropPoint(QvDropTarget* owner, const CPoint& p) { return owner->WinToDropPoint(QvPoint(p.x, p.y)); }
};
using Events = UIDropEvents<PortableSide>;

}  // namespace

void QvDragSetLastAction(UIDragAction action) { g_lastAction = action; }
UIDragAction QvDragGetLastAction() { return g_lastAction; }
QvArrayLPVoid* Get_lpDropTargets() { return g_targets; }
void Set_lpDropTargets(QvArrayLPVoid* targets) { g_targets = targets; }

// The drop source and the data source

CGUIOleDropSource::CGUIOleDropSource() {
  for (WORD& id : m_cursorIds) id = 0;
  m_cursorIds[UIDragSwap] = kSwapCursor;
}

SCODE CGUIOleDropSource::GiveFeedback(DROPEFFECT dropEffect) {
  return UIDragShowActionCursor(m_cursorIds, QvDragGetLastAction()) ? S_OK : COleDropSource::GiveFeedback(dropEffect);
}

CGUIOleDataSource::CGUIOleDataSource(QvDragSel* sel) : m_pSel(sel) {}

CGUIOleDataSource::~CGUIOleDataSource() {
  if (QvDragSel* sel = m_pSel) {
    m_pSel = NULL;
    sel->m_pDataSource = NULL;
    delete sel;
  }
}

BOOL CGUIOleDataSource::OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) {
  if (m_pSel == NULL) return FALSE;
  const QvRootDragSel::ItemRecord* one = m_pSel->FindItem(1);
  const long count = one != NULL ? one->formats.GetSize() : 0;
  if (lpFormatEtc->cfFormat == kFormatRecords) {
    std::vector<UIDragFormatRecord> records;
    for (long f = 0; f < count; ++f) records.push_back(*static_cast<QvRootDragSel::FormatRecord*>(one->formats[f]));
    return UIDragHandOver(UIDragRecordsBlock(records.data(), records.size()), phGlobal);
  }
  if (lpFormatEtc->cfFormat == kFormatDragInfo) {
    if (m_pSel->m_pSource == NULL) return FALSE;
    QvPoint at;
    m_pSel->GetPositionAtDrag(at);
    UIDragInfoRecord info = {UIDragAddressField(m_pSel), UIDragAddressField(m_pSel->m_pSource), at.x, at.y,
                             static_cast<DWORD>(m_pSel->ModifierKeysAtDrag()), static_cast<DWORD>(count)};
    return UIDragHandOver(UIDragInfoBlock(info), phGlobal);
  }
  return FALSE;
}

// Sources

QvRootDragSource::QvRootDragSource(QvView* view) : m_pView(view) {}
QvRootDragSource::QvRootDragSource(QvControl* control) : m_pControl(control) {}
QvRootDragSource::~QvRootDragSource() = default;
long QvRootDragSource::GetData(QvDragSel*, DWORD, void*) { return -1; }

QvDragSource::QvDragSource(QvView* view) : QvRootDragSource(view), m_pDropSource(new CGUIOleDropSource) {}
QvDragSource::QvDragSource(QvControl* control) : QvRootDragSource(control), m_pDropSource(new CGUIOleDropSource) {}
QvDragSource::~QvDragSource() { m_pDropSource->InternalRelease(); }

bool QvDragSource::InitiateDragEvent(const QvPoint&) { return true; }

UIDragAction QvDragSource::Drag(const QvPoint& point, QvDragSel* sel) {
  QvDragSetLastAction(UIDragNone);
  if (sel == NULL) return UIDragNone;
  sel->SetPositionAtDrag(point);
  sel->m_actionAtDrag = ModifierKeysToDragAction(true, 0);
  if (CGUIOleDataSource* source = sel->GetDataSource()) {
    QvDropTarget::PrepareAllTargetsForDrag();
    source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, NULL, m_pDropSource);
  }
  return QvDragGetLastAction();
}

void QvDragSource::SetUserCursor(UIDragAction action, WORD cursorId) {
  UIDragSetActionCursor(m_pDropSource, m_pDropSource->m_cursorIds, action, cursorId, kSwapCursor,
                        QvDragGetLastAction());
}

void QvDragSource::CopyToClipboard(QvDragSel* sel, bool) {
  if (sel != NULL && sel->GetDataSource() != NULL) UIDragCopyToClipboard(sel->GetDataSource());
}

// Targets

QvDropTarget::QvDropTarget(QvView* view) : QvRootDropTarget(view) {
  m_pOleTarget = new CGUIOleDropTarget(this);
  if (g_targets == NULL) g_targets = new QvArrayLPVoid;
  g_targets->Add(this);
  if (m_pView != NULL) {
    if (m_pView->GetMFCCWnd() != NULL && m_pView->GetMFCCWnd()->GetSafeHwnd() != NULL)
      PrepareAllTargetsForDrag();
    else
      m_pView->SetCreateCBack(&QvDropTarget::PrepareAllTargetsForDrag);
  }
}

QvDropTarget::QvDropTarget(QvControl* control) : QvRootDropTarget(control) {
  m_pOleTarget = new CGUIOleDropTarget(this);
  if (g_targets == NULL) g_targets = new QvArrayLPVoid;
  g_targets->Add(this);
}

QvDropTarget::~QvDropTarget() {
  // A drag in progress may still hold the adapter: it outlives its owner, answering nothing.
  m_pOleTarget->Revoke();
  m_pOleTarget->m_pOwner = NULL;
  m_pOleTarget->InternalRelease();
  if (g_targets != NULL) {
    for (long i = g_targets->GetSize() - 1; i >= 0; --i)
      if ((*g_targets)[i] == this) g_targets->RemoveAt(i);
    if (g_targets->GetSize() == 0) {
      delete g_targets;
      g_targets = NULL;
    }
  }
}

bool QvDropTarget::IsInDropArea(QvDragSel*, const QvPoint&) { return false; }
UIDragAction QvDropTarget::EnterDropArea(QvDragSel*) { return UIDragNone; }
UIDragAction QvDropTarget::DropAreaMove(QvDragSel*) { return UIDragNone; }
void QvDropTarget::LeaveDropArea(QvDragSel*) {}
void QvDropTarget::VisualFeedback(QvDragSel*, bool) {}
UIDragAction QvDropTarget::Drop(QvDragSel*, UIDragAction) { return UIDragNone; }

QvDragSel* QvDropTarget::QueryClipboard() {
  auto* data = new COleDataObject;
  if (!data->AttachClipboard()) {
    delete data;
    return NULL;
  }
  auto* sel = new QvDragSel(data, 1);
  sel->m_fromClipboard = true;
  return sel;
}

CWnd* QvDropTarget::SiteWnd() const {
  if (m_pView != NULL) return m_pView->GetMFCCWnd();
  if (m_pControl != NULL) return m_pControl->GetPlatformControl();
  return NULL;
}

void QvDropTarget::PrepareAllTargetsForDrag() {
  if (g_targets == NULL) return;
  for (long i = 0; i < g_targets->GetSize(); ++i) {
    auto* target = static_cast<QvDropTarget*>((*g_targets)[i]);
    CWnd* wnd = target->SiteWnd();
    if (target->IsRegistered() || wnd == NULL || wnd->GetSafeHwnd() == NULL) continue;
    if (target->m_pOleTarget->Register(wnd)) target->m_flags |= 1;
  }
}

QvPoint QvDropTarget::WinToDropPoint(const QvPoint& point) {
  QvPoint p = point;
  if (m_pView != NULL) m_pView->QvClientToImagePoint(p);
  return p;
}

// The OLE drop target adapter

CGUIOleDropTarget::CGUIOleDropTarget(QvDropTarget* owner) : m_pOwner(owner) {}

CGUIOleDropTarget::~CGUIOleDropTarget() {
  delete m_pSel;
  m_pSel = NULL;
}

DROPEFFECT CGUIOleDropTarget::OnDragEnter(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint) {
  return Events::Enter(m_pOwner, m_pSel, m_pSelData, data, dwKeyState);
}

DROPEFFECT CGUIOleDropTarget::OnDragOver(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint point) {
  return Events::Over(m_pOwner, m_pSel, m_pSelData, data, dwKeyState, point);
}

void CGUIOleDropTarget::OnDragLeave(CWnd*) { Events::Leave(m_pOwner, m_pSel, m_pSelData); }

BOOL CGUIOleDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point) {
  return Events::Drop(m_pOwner, m_pSel, m_pSelData, data, point);
}
