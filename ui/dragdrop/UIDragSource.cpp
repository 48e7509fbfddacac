// The drag source site, its OLE drop source with cursors per action, and the data source that
// renders a selection's format list and drag information.
#include "UIDragDrop.h"
#include "UIDragShared.h"

namespace {
const WORD kSwapCursor = 149;
}

UIOleDropSource::UIOleDropSource() {
  for (WORD& id : m_cursorIds) id = 0;
  m_cursorIds[UIDragSwap] = kSwapCursor;
}

SCODE UIOleDropSource::GiveFeedback(DROPEFFECT dropEffect) {
  return UIDragShowActionCursor(m_cursorIds, UIDragGetLastAction()) ? S_OK : COleDropSource::GiveFeedback(dropEffect);
}

UIOleDataSource::UIOleDataSource(UIDragSel* sel) : m_pSel(sel) {}

UIOleDataSource::~UIOleDataSource() {
  if (UIDragSel* sel = m_pSel) {
    m_pSel = NULL;
    sel->m_pDataSource = NULL;
    delete sel;
  }
}

BOOL UIOleDataSource::OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal) {
  if (m_pSel == NULL) return FALSE;
  const UIDragSel::Item* one = m_pSel->FindItem(1);
  const size_t count = one != NULL ? one->formats.size() : 0;
  if (lpFormatEtc->cfFormat == kFormatRecords)
    return UIDragHandOver(UIDragRecordsBlock(count > 0 ? one->formats.data() : NULL, count), phGlobal);
  if (lpFormatEtc->cfFormat == kFormatDragInfo) {
    if (m_pSel->m_pSite == NULL) return FALSE;
    CPoint at = m_pSel->GetPositionAtDrag();
    UIDragInfoRecord info = {UIDragAddressField(m_pSel), UIDragAddressField(m_pSel->m_pSite), at.x, at.y,
                             static_cast<DWORD>(m_pSel->ModifierKeysAtDrag()), static_cast<DWORD>(count)};
    return UIDragHandOver(UIDragInfoBlock(info), phGlobal);
  }
  return FALSE;
}

UIDragSource::UIDragSource(CWnd* site) : m_pDropSource(new UIOleDropSource), m_pSiteWnd(site) {}

UIDragSource::~UIDragSource() { m_pDropSource->InternalRelease(); }

void UIDragSource::SetUserCursor(UIDragAction action, WORD cursorId) {
  UIDragSetActionCursor(m_pDropSource, m_pDropSource->m_cursorIds, action, cursorId, kSwapCursor,
                        UIDragGetLastAction());
}

long UIDragSource::GetData(UIDragSel*, DWORD, void*) { return -1; }

BOOL UIDragSource::CopyToClipboard(UIDragSel* sel, BOOL) {
  if (sel == NULL || sel->GetDataSource() == NULL) return FALSE;
  return UIDragCopyToClipboard(sel->GetDataSource()) ? TRUE : FALSE;
}

UIDragAction UIDragSource::Drag(const CPoint& point, UIDragSel* sel) {
  UIDragSetLastAction(UIDragNone);
  if (sel == NULL) return UIDragNone;
  sel->SetPositionAtDrag(point);
  sel->m_actionAtDrag = KeyState2UIDragAction(TRUE, 0);
  if (UIOleDataSource* source = sel->GetDataSource()) {
    UIDropTarget::PrepareAllTargetsForDrag();
    source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, NULL, m_pDropSource);
  }
  return UIDragGetLastAction();
}

BOOL UIDragSource::InitiateDragEvent(const CPoint&) { return TRUE; }
