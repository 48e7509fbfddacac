// Drag sources and drop targets of portable views and controls, their OLE adapters, the
// module's last drag action and the list of live drop targets.
#include <string.h>

#include <fw_except.h>

#include "GUIView.h"
#include "QvControl.h"
#include "QvDragDrop.h"
#include "QvView.h"

namespace {

const WORD kSwapCursor = 264;
UIDragAction g_lastAction = UIDragNone;
QvArrayLPVoid* g_targets = NULL;

// Ctrl and Shift link, Ctrl copies, Shift swaps, no key moves; the keys are the current ones
// when asked for, else the MK_ bits of a key state.
UIDragAction ModifierKeysToDragAction(bool current, DWORD keyState) {
  bool shift, ctrl;
  if (current) {
    shift = ::GetAsyncKeyState(VK_SHIFT) < 0;
    ctrl = ::GetAsyncKeyState(VK_CONTROL) < 0;
  } else {
    shift = (keyState & MK_SHIFT) != 0;
    ctrl = (keyState & MK_CONTROL) != 0;
  }
  if (ctrl && shift) return UIDragLink;
  if (ctrl) return UIDragCopy;
  if (shift) return UIDragSwap;
  return UIDragMove;
}

QvPoint ToQv(const CPoint& p) { return QvPoint(p.x, p.y); }

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
  HGLOBAL h = NULL;
  if (lpFormatEtc->cfFormat == kFormatRecords) {
    h = ::GlobalAlloc(GMEM_MOVEABLE, (count > 0 ? count : 1) * sizeof(QvRootDragSel::FormatRecord));
    if (h == NULL) return FALSE;
    auto* out = static_cast<QvRootDragSel::FormatRecord*>(::GlobalLock(h));
    for (long f = 0; f < count; ++f) out[f] = *static_cast<QvRootDragSel::FormatRecord*>(one->formats[f]);
    ::GlobalUnlock(h);
  } else if (lpFormatEtc->cfFormat == kFormatDragInfo) {
    if (m_pSel->m_pSource == NULL) return FALSE;
    QvPoint at;
    m_pSel->GetPositionAtDrag(at);
    UIDragInfoRecord info = {UIDragAddressField(m_pSel), UIDragAddressField(m_pSel->m_pSource), at.x, at.y,
                             static_cast<DWORD>(m_pSel->ModifierKeysAtDrag()), static_cast<DWORD>(count)};
    h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof info);
    if (h == NULL) return FALSE;
    memcpy(::GlobalLock(h), &info, sizeof info);
    ::GlobalUnlock(h);
  } else {
    return FALSE;
  }
  if (*phGlobal != NULL) ::GlobalFree(*phGlobal);
  *phGlobal = h;
  return TRUE;
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
  if (action < UIDragNone || action > UIDragLink) return;
  if (action == UIDragSwap && cursorId == 0) cursorId = kSwapCursor;
  m_pDropSource->m_cursorIds[action] = cursorId;
  if (action == QvDragGetLastAction()) m_pDropSource->GiveFeedback(UIDragActionToDropEffect(action));
}

void QvDragSource::CopyToClipboard(QvDragSel* sel, bool) {
  if (sel == NULL || sel->GetDataSource() == NULL) return;
  auto* from = static_cast<LPDATAOBJECT>(sel->GetDataSource()->GetInterface(&IID_IDataObject));
  // The clipboard gets a source of its own with every format rendered now; the selection and
  // its data source stay the caller's, whatever the clipboard does with its copy later.
  auto* copy = new COleDataSource;
  LPENUMFORMATETC formats = NULL;
  if (SUCCEEDED(from->EnumFormatEtc(DATADIR_GET, &formats)) && formats != NULL) {
    FORMATETC f;
    while (formats->Next(1, &f, NULL) == S_OK) {
      STGMEDIUM medium = {};
      if (SUCCEEDED(from->GetData(&f, &medium))) {
        if (medium.pUnkForRelease == NULL)
          copy->CacheData(f.cfFormat, &medium, &f);
        else
          ::ReleaseStgMedium(&medium);
      }
      if (f.ptd != NULL) ::CoTaskMemFree(f.ptd);
    }
    formats->Release();
  }
  try {
    copy->SetClipboard();
    COleDataSource::FlushClipboard();
  } catch (CException* e) {
    e->Delete();
  }
  copy->InternalRelease();
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

QvDragSel* CGUIOleDropTarget::Renew(COleDataObject* data) {
  // One selection per drag: made again only when the data is another drag's.
  if (m_pSel != NULL && m_pSelData == data->m_lpDataObject) return m_pSel;
  delete m_pSel;
  m_pSel = NULL;
  // The selection holds the data itself, so it stays readable until the next event.
  auto* own = new COleDataObject;
  own->Attach(data->GetIDataObject(TRUE), TRUE);
  m_pSelData = data->m_lpDataObject;
  m_pSel = new QvDragSel(own, 1);
  return m_pSel;
}

DROPEFFECT CGUIOleDropTarget::OnDragEnter(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint) {
  if (m_pOwner == NULL) return DROPEFFECT_NONE;
  m_pSelData = NULL;  // a new drag: a new selection
  QvDragSel* sel = Renew(data);
  sel->m_action = ModifierKeysToDragAction(false, dwKeyState);
  UIDragAction action = m_pOwner->EnterDropArea(sel);
  QvDragSetLastAction(action);
  return UIDragActionToDropEffect(action);
}

DROPEFFECT CGUIOleDropTarget::OnDragOver(CWnd*, COleDataObject* data, DWORD dwKeyState, CPoint point) {
  if (m_pOwner == NULL) return DROPEFFECT_NONE;
  QvDragSel* sel = Renew(data);
  sel->m_action = ModifierKeysToDragAction(false, dwKeyState);
  sel->SetPosition(m_pOwner->WinToDropPoint(ToQv(point)));
  UIDragAction action = m_pOwner->DropAreaMove(sel);
  QvDragSetLastAction(action);
  return UIDragActionToDropEffect(action);
}

void CGUIOleDropTarget::OnDragLeave(CWnd*) {
  if (m_pOwner != NULL && m_pSel != NULL) m_pOwner->LeaveDropArea(m_pSel);
  m_pSelData = NULL;
  QvDragSetLastAction(UIDragNone);
}

BOOL CGUIOleDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point) {
  if (m_pOwner == NULL) return FALSE;
  QvDragSel* sel = Renew(data);
  sel->m_actionAtDrop = ModifierKeysToDragAction(true, 0);
  sel->SetPositionAtDrop(m_pOwner->WinToDropPoint(ToQv(point)));
  UIDragAction action = m_pOwner->Drop(sel, QvDragGetLastAction());
  QvDragSetLastAction(action);
  m_pSelData = NULL;
  // The drop happened only when the owner took it.
  return action != UIDragNone;
}
