// COleDropTarget: a window's IDropTarget, handing each event to virtual handlers in client
// coordinates, with auto-scroll near the client edges.
#include "fw_oledata.h"
#include "fw_wnd.h"
#include "ole_internal.h"

namespace {
// Marks a window registered through a COleDropTarget, so that its destruction revokes it.
const wchar_t kTargetProp[] = L"FwOleDropTarget";

}  // namespace

DROPEFFECT AFXAPI AfxDefaultDropEffect(DWORD dwKeyState, DWORD dwAllowed) {
  DROPEFFECT wanted;
  if ((dwKeyState & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT))
    wanted = DROPEFFECT_LINK;
  else if (dwKeyState & MK_CONTROL)
    wanted = DROPEFFECT_COPY;
  else
    wanted = DROPEFFECT_MOVE;
  if (dwAllowed & wanted) return wanted;
  // What the source allows, in the usual order of preference.
  for (DROPEFFECT e : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK})
    if (dwAllowed & e) return e;
  return DROPEFFECT_NONE;
}

void fw::RevokeDropTargetOf(HWND hWnd) {
  if (auto* target = static_cast<COleDropTarget*>(::GetPropW(hWnd, kTargetProp))) target->Revoke();
}

BEGIN_INTERFACE_MAP(COleDropTarget, CCmdTarget)
  INTERFACE_PART(COleDropTarget, IID_IDropTarget, DropTarget)
END_INTERFACE_MAP()
IMPLEMENT_PART_IUNKNOWN(COleDropTarget, DropTarget)

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || m_hWnd != NULL) return FALSE;
  HWND hWnd = pWnd->GetSafeHwnd();
  if (::GetPropW(hWnd, kTargetProp) != NULL) return FALSE;
  if (FAILED(::RegisterDragDrop(hWnd, &m_xDropTarget))) return FALSE;
  ::SetPropW(hWnd, kTargetProp, this);
  m_pWnd = pWnd;
  m_hWnd = hWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_hWnd == NULL) return;
  if (::IsWindow(m_hWnd)) {
    ::RevokeDragDrop(m_hWnd);
    ::RemovePropW(m_hWnd, kTargetProp);
  }
  m_hWnd = NULL;
  m_pWnd = NULL;
  m_dataObject.Release();
}

CPoint COleDropTarget::ToClient(POINTL pt) const {
  POINT p = {pt.x, pt.y};
  if (m_hWnd != NULL) ::ScreenToClient(m_hWnd, &p);
  return CPoint(p.x, p.y);
}

DROPEFFECT COleDropTarget::Filter(DROPEFFECT wanted, DWORD allowed) const {
  DROPEFFECT scroll = wanted & DROPEFFECT_SCROLL;
  DROPEFFECT effect = wanted & ~DROPEFFECT_SCROLL;
  // Exactly one effect, and one the source allows.
  if (effect & DROPEFFECT_MOVE)
    effect = DROPEFFECT_MOVE;
  else if (effect & DROPEFFECT_COPY)
    effect = DROPEFFECT_COPY;
  else if (effect & DROPEFFECT_LINK)
    effect = DROPEFFECT_LINK;
  if ((effect & allowed) == 0) effect = DROPEFFECT_NONE;
  return effect | scroll;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) {
  return static_cast<DROPEFFECT>(-1);
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) {
  HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
  if (hWnd == NULL) return DROPEFFECT_NONE;
  LONG style = ::GetWindowLongW(hWnd, GWL_STYLE);
  RECT client;
  ::GetClientRect(hWnd, &client);
  RECT inner = client;
  ::InflateRect(&inner, -m_nScrollInset, -m_nScrollInset);
  int dy = 0, dx = 0;
  if (style & WS_VSCROLL) dy = point.y < inner.top ? -1 : point.y >= inner.bottom ? 1 : 0;
  if (style & WS_HSCROLL) dx = point.x < inner.left ? -1 : point.x >= inner.right ? 1 : 0;
  if (!::PtInRect(&client, point) || (dx == 0 && dy == 0)) {
    m_bInInset = false;
    m_bScrolled = false;
    return DROPEFFECT_NONE;
  }
  DWORD now = ::GetTickCount();
  if (!m_bInInset) {
    m_bInInset = true;
    m_dwScrollStart = now;
    m_dwLastScroll = now;
    m_bScrolled = false;
  }
  bool due = m_bScrolled ? now - m_dwLastScroll >= m_nScrollInterval : now - m_dwScrollStart >= m_nScrollDelay;
  if (due) {
    if (dy != 0) ::SendMessageW(hWnd, WM_VSCROLL, MAKEWPARAM(dy < 0 ? SB_LINEUP : SB_LINEDOWN, 0), 0);
    if (dx != 0) ::SendMessageW(hWnd, WM_HSCROLL, MAKEWPARAM(dx < 0 ? SB_LINELEFT : SB_LINERIGHT, 0), 0);
    m_dwLastScroll = now;
    m_bScrolled = true;
  }
  return DROPEFFECT_SCROLL | AfxDefaultDropEffect(dwKeyState, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt,
                                                     LPDWORD pdwEffect) {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  if (pdwEffect == NULL) return E_INVALIDARG;
  DWORD allowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  if (lpDataObject == NULL || pThis->m_pWnd == NULL) return S_OK;
  lpDataObject->AddRef();
  pThis->m_dataObject.Attach(lpDataObject, TRUE);
  pThis->m_bInInset = false;
  pThis->m_bScrolled = false;
  CPoint point = pThis->ToClient(pt);
  return fw::GuardedCall([&] {
    DROPEFFECT effect = pThis->OnDragScroll(pThis->m_pWnd, dwKeyState, point);
    if (effect == DROPEFFECT_NONE) effect = pThis->OnDragEnter(pThis->m_pWnd, &pThis->m_dataObject, dwKeyState, point);
    *pdwEffect = pThis->Filter(effect, allowed);
    return S_OK;
  });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD dwKeyState, POINTL pt, LPDWORD pdwEffect) {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  if (pdwEffect == NULL) return E_INVALIDARG;
  DWORD allowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  if (!pThis->m_dataObject.IsAttached() || pThis->m_pWnd == NULL) return S_OK;
  CPoint point = pThis->ToClient(pt);
  return fw::GuardedCall([&] {
    DROPEFFECT effect = pThis->OnDragScroll(pThis->m_pWnd, dwKeyState, point);
    if (effect == DROPEFFECT_NONE) effect = pThis->OnDragOver(pThis->m_pWnd, &pThis->m_dataObject, dwKeyState, point);
    *pdwEffect = pThis->Filter(effect, allowed);
    return S_OK;
  });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave() {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  HRESULT hr = S_OK;
  if (pThis->m_pWnd != NULL) hr = fw::GuardedCall([&] {
      pThis->OnDragLeave(pThis->m_pWnd);
      return S_OK;
    });
  pThis->m_dataObject.Release();
  pThis->m_bInInset = false;
  return hr;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt,
                                                LPDWORD pdwEffect) {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  if (pdwEffect == NULL) return E_INVALIDARG;
  DWORD allowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  if (lpDataObject == NULL || pThis->m_pWnd == NULL) {
    pThis->m_dataObject.Release();
    return S_OK;
  }
  lpDataObject->AddRef();
  pThis->m_dataObject.Attach(lpDataObject, TRUE);
  CPoint point = pThis->ToClient(pt);
  pThis->m_bInInset = false;
  HRESULT hr = fw::GuardedCall([&] {
    // The effect the target answers for the point of the drop, as while hovering; a target
    // that wants nothing there is left instead of dropped on.
    DROPEFFECT dropDefault =
        pThis->Filter(pThis->OnDragOver(pThis->m_pWnd, &pThis->m_dataObject, dwKeyState, point), allowed) &
        ~DROPEFFECT_SCROLL;
    if (dropDefault == DROPEFFECT_NONE) {
      pThis->OnDragLeave(pThis->m_pWnd);
      return S_OK;
    }
    DROPEFFECT result = pThis->OnDropEx(pThis->m_pWnd, &pThis->m_dataObject, dropDefault, allowed, point);
    if (result == static_cast<DROPEFFECT>(-1))
      result = pThis->OnDrop(pThis->m_pWnd, &pThis->m_dataObject, dropDefault, point) ? dropDefault
                                                                                       : DROPEFFECT_NONE;
    *pdwEffect = pThis->Filter(result, allowed) & ~DROPEFFECT_SCROLL;
    return S_OK;
  });
  pThis->m_dataObject.Release();
  return hr;
}
