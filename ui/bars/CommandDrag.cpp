// Dragging commands between customisable toolbars over OLE drag and drop: the "DragQvCommand"
// block that names the command, the bar's drop target with its insertion point, the press that
// starts a drag in customisation mode and the removal of a moved button from its source bar.
#include "UICustToolBar.h"

#include <framework.h>

#include <string.h>

#include "UICommand.h"
#include "UICommandCenter.h"
#include "ToolBarRecords.h"
#include "UITrace.h"

UINT icfDragCommand = 0;

namespace {
UlmLogger s_log("ui/CommandDrag");

UINT DragCommandFormat() {
  if (icfDragCommand == 0) icfDragCommand = ::RegisterClipboardFormat(_T("DragQvCommand"));
  return icfDragCommand;
}

FORMATETC DragCommandFormatEtc() {
  FORMATETC format = {static_cast<CLIPFORMAT>(DragCommandFormat()), NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return format;
}

// The temporary command of a drop-down menu button while it is dragged: it exists only for the
// drag, and a block names it by its token.
struct TemporaryDrag {
  DWORD token = 0;
  CUICommand* command = NULL;
  HMENU menu = NULL;
  CString text;
};
TemporaryDrag s_temporary;
DWORD s_lastToken = 0;

// Reads the block of a drop: FALSE when the data has no such block, it is shorter than 80
// bytes, or it comes from another process. The medium is released in every case.
BOOL ReadPayload(IDataObject* data, CommandDragPayload& payload) {
  FORMATETC format = DragCommandFormatEtc();
  STGMEDIUM medium = {};
  if (data->GetData(&format, &medium) != S_OK) {
    UI_TRACE_REFUSED(s_log, "a drop without a command block");
    return FALSE;
  }
  BOOL ok = FALSE;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != NULL && ::GlobalSize(medium.hGlobal) >= sizeof payload) {
    if (const void* bytes = ::GlobalLock(medium.hGlobal)) {
      memcpy(&payload, bytes, sizeof payload);
      ::GlobalUnlock(medium.hGlobal);
      ok = TRUE;
    }
  }
  ::ReleaseStgMedium(&medium);
  if (!ok) {
    UI_TRACE_REFUSED(s_log, "a command block of the wrong size");
    return FALSE;
  }
  if (payload.dwProcessId != ::GetCurrentProcessId()) {
    UI_TRACE_REFUSED(s_log, "a command block of another process");
    return FALSE;
  }
  return TRUE;
}

// The nearest frame among the bar's ancestors lays out again when idle.
void DelayFrameLayout(CWnd* bar) {
  for (CWnd* up = bar->GetParent(); up != NULL; up = up->GetParent()) {
    if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, up)) {
      frame->DelayRecalcLayout();
      return;
    }
  }
}

}  // namespace

// CCommandDropSource

SCODE CCommandDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// CCommandDropTarget

STDMETHODIMP CCommandDropTarget::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *ppv = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CCommandDropTarget::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_cRef)); }

STDMETHODIMP_(ULONG) CCommandDropTarget::Release() {
  const LONG left = ::InterlockedDecrement(&m_cRef);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

void CCommandDropTarget::TrackIndex(POINTL pt) {
  if (m_pBar == NULL || m_pBar->m_hWnd == NULL) return;
  CPoint client(pt.x, pt.y);
  m_pBar->ScreenToClient(&client);
  const int index = m_pBar->ButtonAt(client);
  if (index >= 0) m_nIndex = index;
}

BOOL CCommandDropTarget::IsAfter(POINTL pt) const {
  if (m_pBar == NULL || m_nIndex < 0 || m_nIndex >= m_pBar->GetCount()) return FALSE;
  CPoint client(pt.x, pt.y);
  m_pBar->ScreenToClient(&client);
  CRect item;
  m_pBar->GetItemRect(m_nIndex, &item);
  if (m_pBar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) return client.x >= (item.left + item.right) / 2;
  return client.y >= (item.top + item.bottom) / 2;
}

STDMETHODIMP CCommandDropTarget::DragEnter(IDataObject* pDataObject, DWORD, POINTL pt, DWORD* pdwEffect) {
  if (pDataObject == NULL || pdwEffect == NULL) return E_FAIL;
  FORMATETC format = DragCommandFormatEtc();
  m_bOffered = pDataObject->QueryGetData(&format) == S_OK;
  *pdwEffect = m_bOffered ? (DROPEFFECT_COPY | DROPEFFECT_MOVE) : DROPEFFECT_NONE;
  TrackIndex(pt);
  return S_OK;
}

STDMETHODIMP CCommandDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (m_pBar == NULL || pdwEffect == NULL) return E_FAIL;
  if (!m_bOffered) {
    *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
  }
  TrackIndex(pt);
  TBINSERTMARK mark = {m_nIndex, static_cast<DWORD>(IsAfter(pt) ? TBIMHT_AFTER : 0)};
  m_pBar->SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
  *pdwEffect = (grfKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  return S_OK;
}

STDMETHODIMP CCommandDropTarget::DragLeave() {
  if (m_pBar != NULL && m_pBar->m_hWnd != NULL) {
    TBINSERTMARK mark = {-1, 0};
    m_pBar->SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
  }
  m_bOffered = FALSE;
  return S_OK;
}

STDMETHODIMP CCommandDropTarget::Drop(IDataObject* pDataObject, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (pDataObject == NULL || pdwEffect == NULL || m_pBar == NULL || m_pBar->m_hWnd == NULL) return E_FAIL;
  *pdwEffect = DROPEFFECT_NONE;
  m_bOffered = FALSE;
  CCustToolBar* bar = m_pBar;
  TBINSERTMARK mark = {-1, 0};
  bar->SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
  TrackIndex(pt);
  const int count = bar->GetCount();
  int insert = m_nIndex >= 0 && m_nIndex < count ? m_nIndex + (IsAfter(pt) ? 1 : 0) : count;

  CommandDragPayload payload;
  if (!ReadPayload(pDataObject, payload)) return S_OK;
  CUICommand* command = NULL;
  HMENU menu = NULL;
  if (payload.dwToken != 0) {
    if (payload.dwToken == s_temporary.token && s_temporary.command != NULL) {
      command = s_temporary.command;
      menu = s_temporary.menu;
    }
  } else if (payload.dwCommandId != 0 && payload.dwCommandId <= 0xFFFF) {
    command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(payload.dwCommandId));
  }
  if (command == NULL) {
    UI_TRACE_REFUSED(s_log, "a command block naming no command");
    return S_OK;
  }

  const BOOL copy = (grfKeyState & MK_CONTROL) != 0;
  const BOOL sameBar = payload.dwSourceBar == HandleToULong(bar->m_hWnd);
  // Moving a button onto the gap on either side of it changes nothing.
  if (!copy && sameBar && (insert == payload.nSourceIndex || insert == payload.nSourceIndex + 1)) return S_OK;

  const int added = menu != NULL ? bar->InsertMenuButton(insert, menu, s_temporary.text)
                                 : bar->AddCommand(insert, command, TRUE);
  if (!added) return S_OK;
  if (menu != NULL) DelayFrameLayout(bar);
  *pdwEffect = copy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  return S_OK;
}

// CCustToolBar: the drag of commands

CCommandDropTarget* CCustToolBar::GetDropTarget() {
  if (m_pDropTarget == NULL) m_pDropTarget = new CCommandDropTarget(this);
  m_pDropTarget->AddRef();
  return m_pDropTarget;
}

int CCustToolBar::ButtonAt(CPoint point) {
  for (int i = 0, n = GetCount(); i < n; ++i) {
    if (GetButtonStyle(i) & (TBSTATE_HIDDEN << 16)) continue;
    CRect item;
    GetItemRect(i, &item);
    if (item.PtInRect(point)) return i;
  }
  return -1;
}

void CCustToolBar::SetCustomizingToolBar(int customizing) {
  m_bCustomizing = customizing ? 1 : 0;
  if (m_hWnd == NULL) return;
  if (m_bCustomizing && !m_bDropRegistered) {
    // The system's toolbar need not ask for the bar's target (TBN_GETOBJECT): the bar
    // registers it itself for the time it is customised.
    CCommandDropTarget* target = GetDropTarget();
    const HRESULT hr = ::RegisterDragDrop(m_hWnd, target);
    target->Release();
    if (SUCCEEDED(hr))
      m_bDropRegistered = TRUE;
    else
      UI_TRACE_FAILED(s_log, "RegisterDragDrop");
  } else if (!m_bCustomizing) {
    if (m_bDropRegistered) ::RevokeDragDrop(m_hWnd);
    m_bDropRegistered = FALSE;
    if (sSelected == this) Unselect();
    if (m_nInsertIndex >= 0) {
      TBINSERTMARK mark = {-1, 0};
      SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
    }
  }
}

DROPEFFECT CCustToolBar::DoDrag(CUICommand* pCommand, UINT nIndex) { return DoDrag(pCommand, nIndex, NULL); }

DROPEFFECT CCustToolBar::DoDrag(CUICommand* pCommand, UINT nIndex, COleDropSource* pDropSource) {
  if (pCommand == NULL) return DROPEFFECT_NONE;
  const int index = static_cast<int>(nIndex);
  if (index >= 0 && index < GetCount() && m_nSelected != index) Select(index);
  if (m_nSelected < 0) return DROPEFFECT_NONE;
  const UINT draggedId = GetItemID(m_nSelected);

  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(CommandDragPayload));
  auto* payload = block != NULL ? static_cast<CommandDragPayload*>(::GlobalLock(block)) : NULL;
  if (payload == NULL) {
    UI_TRACE_FAILED(s_log, "GlobalAlloc");
    if (block != NULL) ::GlobalFree(block);
    return DROPEFFECT_NONE;
  }
  payload->dwSourceBar = HandleToULong(m_hWnd);
  payload->nSourceIndex = m_nSelected;
  payload->dwProcessId = ::GetCurrentProcessId();
  payload->dwCommandId = pCommand->m_wID;
  payload->dwToken = pCommand == s_temporary.command ? s_temporary.token : 0;
  ::GlobalUnlock(block);

  auto* data = new COleDataSource;
  data->CacheGlobalData(static_cast<CLIPFORMAT>(DragCommandFormat()), block);
  COleDropSource* own = pDropSource == NULL ? new CCommandDropSource : NULL;
  const DROPEFFECT effect =
      data->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, NULL, pDropSource != NULL ? pDropSource : own);
  if (own != NULL) own->InternalRelease();
  data->InternalRelease();

  // The source index has followed buttons inserted before it during the drop.
  if ((effect & DROPEFFECT_MOVE) && m_hWnd != NULL && m_nSelected >= 0 && m_nSelected < GetCount() &&
      GetItemID(m_nSelected) == draggedId) {
    const int source = m_nSelected;
    Unselect();
    TBBUTTON b;
    CToolBar::_GetButton(source, &b);
    TBBUTTON_DATAS* record = quarnel::ToolBarRecordOf(b);
    SendMessage(TB_DELETEBUTTON, source);
    if (record != NULL && record->m_nKind == TBBUTTON_DATAS::kControl)
      if (CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(b.idCommand)))
        command->DeleteControlFromToolbar();
    delete record;
    m_bDelayedButtonLayout = TRUE;
    DelayFrameLayout(this);
    SendMessage(TB_AUTOSIZE);
    Invalidate();
  }
  if (effect != DROPEFFECT_NONE && sSelected != NULL) sSelected->Unselect();
  return effect;
}

void CCustToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const int index = ButtonAt(point);
  if (m_bCustomizing && index >= 0 && GetItemID(index) != 0) {
    Select(index);
    NMTOOLBAR notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = TBN_BEGINDRAG;
    notify.iItem = static_cast<int>(GetItemID(index));
    if (CWnd* parent = GetParent())
      parent->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    return;
  }
  if (sSelected != NULL) sSelected->Unselect();
  if (!m_bCustomizing) CFlatToolBar::OnLButtonDown(nFlags, point);
}

void CCustToolBar::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (!m_bCustomizing) return;
  const NMTOOLBAR* notify = reinterpret_cast<NMTOOLBAR*>(pNMHDR);
  const int index = CommandToIndex(static_cast<UINT>(notify->iItem));
  if (index < 0) return;
  if (CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(notify->iItem))) {
    DoDrag(command, static_cast<UINT>(index));
    return;
  }
  // A drop-down menu button has an id of its own making: a temporary command stands for it.
  HMENU menu = GetButtonMenu(index);
  if (menu == NULL || s_temporary.command != NULL) return;
  CUICommand temporary;
  temporary.m_wID = static_cast<WORD>(notify->iItem);
  s_temporary.command = &temporary;
  s_temporary.menu = menu;
  GetButtonText(index, s_temporary.text);
  do s_temporary.token = ++s_lastToken ^ (::GetTickCount() << 8);
  while (s_temporary.token == 0);
  DoDrag(&temporary, static_cast<UINT>(index));
  s_temporary = TemporaryDrag();
}

void CCustToolBar::OnGetObject(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  NMOBJECTNOTIFY* notify = reinterpret_cast<NMOBJECTNOTIFY*>(pNMHDR);
  // Outside customisation nothing is answered: nothing can be dropped on the bar.
  if (!m_bCustomizing || notify->piid == NULL || !IsEqualIID(*notify->piid, IID_IDropTarget)) return;
  CCommandDropTarget* target = GetDropTarget();
  target->m_nIndex = CommandToIndex(static_cast<UINT>(notify->iItem));
  if (target->m_nIndex < 0) {
    notify->pObject = NULL;
    notify->hResult = E_FAIL;
  } else {
    notify->hResult = target->QueryInterface(IID_IDropTarget, &notify->pObject);
  }
  target->Release();
}

LRESULT CCustToolBar::OnSetInsertMark(WPARAM, LPARAM lParam) {
  const TBINSERTMARK* mark = reinterpret_cast<const TBINSERTMARK*>(lParam);
  const int index = mark != NULL ? mark->iButton : -1;
  const int flags = mark != NULL && index >= 0 ? static_cast<int>(mark->dwFlags) : -1;
  if (index != m_nInsertIndex || flags != m_nInsertFlags) {
    // The bar draws the insertion point itself (the control's own mark is not used): the old
    // strip and the new one are drawn again.
    const CRect before = InsertionStrip();
    m_nInsertIndex = index;
    m_nInsertFlags = flags;
    const CRect after = InsertionStrip();
    if (!before.IsRectEmpty()) InvalidateRect(&before, TRUE);
    if (!after.IsRectEmpty()) InvalidateRect(&after, TRUE);
    SendMessage(WM_NCPAINT);
  }
  return 0;
}

LRESULT CCustToolBar::OnGetInsertMark(WPARAM, LPARAM lParam) {
  if (TBINSERTMARK* mark = reinterpret_cast<TBINSERTMARK*>(lParam)) {
    mark->iButton = m_nInsertIndex;
    mark->dwFlags = static_cast<DWORD>(m_nInsertFlags);
  }
  return 0;
}
