// CWnd::OnWndMsg: finds a window message's entry in the message-map chain (cached per thread)
// and calls the handler with the message's parameters cracked into its typed arguments.
#include "fw_app.h"
#include "fw_dc.h"
#include "fw_menu.h"
#include "thread_data.h"

namespace {

int GET_X_LPARAM(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int GET_Y_LPARAM(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

const AFX_MSGMAP_ENTRY* FindRegistered(const AFX_MSGMAP_ENTRY* e, UINT message) {
  for (; e->nSig != AfxSig_end; ++e)
    if (e->nMessage == 0xC000 && e->nLastID == 0 && *reinterpret_cast<const UINT*>(e->nSig) == message) return e;
  return NULL;
}

const AFX_MSGMAP_ENTRY* FindInChain(const AFX_MSGMAP* map, UINT message) {
  for (; map != NULL; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : NULL) {
    const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(map->lpEntries, message, 0, 0);
    if (e == NULL && message >= 0xC000) e = FindRegistered(map->lpEntries, message);
    if (e != NULL) return e;
  }
  return NULL;
}

const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message) {
  const AFX_MSGMAP_ENTRY* e = FindInChain(map, message);
  // The colour messages of controls also reach a WM_CTLCOLOR entry.
  if (e == NULL && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) e = FindInChain(map, WM_CTLCOLOR);
  return e;
}

CPoint PointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
CDC* DcOf(WPARAM wParam) { return CDC::FromHandle(reinterpret_cast<HDC>(wParam)); }
CWnd* WndOf(UINT_PTR h) { return CWnd::FromHandle(reinterpret_cast<HWND>(h)); }
CMenu* MenuOf(UINT_PTR h) { return CMenu::FromHandle(reinterpret_cast<HMENU>(h)); }
CScrollBar* ScrollBarOf(LPARAM lParam) {
  // A scroll bar control's object is a CWnd with no data of its own.
  return reinterpret_cast<CScrollBar*>(WndOf(static_cast<UINT_PTR>(lParam)));
}

}  // namespace

// Calls the handler; nothing of this object is touched afterwards, since the handler may
// have destroyed it. Inlined into OnWndMsg, which every message passes.
__attribute__((always_inline)) inline void CWnd::FwDispatchToHandler(const AFX_MSGMAP_ENTRY* entry, UINT message,
                                                                     WPARAM wParam, LPARAM lParam,
                                                                     LRESULT* pResult) {
  typedef CWnd W;
  AFX_PMSG pfn = entry->pfn;
  LRESULT r = 0;
  UINT_PTR sig = entry->nSig;
  if (entry->nMessage == 0xC000) sig = AfxSig_lwl;  // registered messages
  switch (sig) {
    case AfxSig_vv:
      (this->*AfxPmsgTo<void (W::*)()>(pfn))();
      break;
    case AfxSig_bv:
      r = (this->*AfxPmsgTo<BOOL (W::*)()>(pfn))();
      break;
    case AfxSig_lwl:
      r = (this->*AfxPmsgTo<LRESULT (W::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
      break;
    case AfxSig_is:
      r = (this->*AfxPmsgTo<int (W::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_bs:
      r = (this->*AfxPmsgTo<BOOL (W::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_vwii:
      (this->*AfxPmsgTo<void (W::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), GET_X_LPARAM(lParam),
                                                           GET_Y_LPARAM(lParam));
      break;
    case AfxSig_vii:
      (this->*AfxPmsgTo<void (W::*)(int, int)>(pfn))(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case AfxSig_vwp:
      (this->*AfxPmsgTo<void (W::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), PointOf(lParam));
      break;
    case AfxSig_bwsp: {
      CPoint pt = PointOf(lParam);
      r = (this->*AfxPmsgTo<BOOL (W::*)(UINT, short, CPoint)>(pfn))(LOWORD(wParam),
                                                                    static_cast<short>(HIWORD(wParam)), pt);
      break;
    }
    case AfxSig_vwwp:
      (this->*AfxPmsgTo<void (W::*)(UINT, UINT, CPoint)>(pfn))(LOWORD(wParam), HIWORD(wParam), PointOf(lParam));
      r = TRUE;  // the X buttons answer TRUE when handled
      break;
    case AfxSig_vwww:
      (this->*AfxPmsgTo<void (W::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam),
                                                             HIWORD(lParam));
      break;
    case AfxSig_vW:
      (this->*AfxPmsgTo<void (W::*)(CWnd*)>(pfn))(WndOf(message == WM_CAPTURECHANGED ? lParam : wParam));
      break;
    case AfxSig_vt:
      (this->*AfxPmsgTo<void (W::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
      break;
    case AfxSig_vwwW:
      (this->*AfxPmsgTo<void (W::*)(UINT, UINT, CScrollBar*)>(pfn))(
          static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam)), ScrollBarOf(lParam));
      break;
    case AfxSig_vww:
      (this->*AfxPmsgTo<void (W::*)(UINT, UINT)>(pfn))(static_cast<short>(LOWORD(wParam)),
                                                       static_cast<short>(HIWORD(wParam)));
      break;
    case AfxSig_bWww:
      r = (this->*AfxPmsgTo<BOOL (W::*)(CWnd*, UINT, UINT)>(pfn))(WndOf(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_iWww:
      r = (this->*AfxPmsgTo<int (W::*)(CWnd*, UINT, UINT)>(pfn))(WndOf(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_lp:
      r = (this->*AfxPmsgTo<LRESULT (W::*)(CPoint)>(pfn))(PointOf(lParam));
      break;
    case AfxSig_wv:
      r = (this->*AfxPmsgTo<UINT (W::*)()>(pfn))();
      break;
    case AfxSig_bD:
      r = (this->*AfxPmsgTo<BOOL (W::*)(CDC*)>(pfn))(DcOf(wParam));
      break;
    case AfxSig_vD:
      (this->*AfxPmsgTo<void (W::*)(CDC*)>(pfn))(DcOf(wParam));
      break;
    case AfxSig_hDWw: {
      AFX_CTLCOLOR ctl;
      const AFX_CTLCOLOR* pCtl;
      if (message == WM_CTLCOLOR) {
        pCtl = reinterpret_cast<const AFX_CTLCOLOR*>(lParam);
      } else {
        ctl.hDC = reinterpret_cast<HDC>(wParam);
        ctl.hWnd = reinterpret_cast<HWND>(lParam);
        ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
        pCtl = &ctl;
      }
      r = reinterpret_cast<LRESULT>((this->*AfxPmsgTo<HBRUSH (W::*)(CDC*, CWnd*, UINT)>(pfn))(
          CDC::FromHandle(pCtl->hDC), CWnd::FromHandle(pCtl->hWnd), pCtl->nCtlType));
      break;
    }
    case AfxSig_hDw: {
      const AFX_CTLCOLOR* pCtl = reinterpret_cast<const AFX_CTLCOLOR*>(lParam);
      r = reinterpret_cast<LRESULT>(
          (this->*AfxPmsgTo<HBRUSH (W::*)(CDC*, UINT)>(pfn))(CDC::FromHandle(pCtl->hDC), pCtl->nCtlType));
      break;
    }
    case AfxSig_viDRAW:
      (this->*AfxPmsgTo<void (W::*)(int, LPDRAWITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                  reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_viMEASURE:
      (this->*AfxPmsgTo<void (W::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                     reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_iiCOMPARE:
      r = (this->*AfxPmsgTo<int (W::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))(
          static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      break;
    case AfxSig_viDELETE:
      (this->*AfxPmsgTo<void (W::*)(int, LPDELETEITEMSTRUCT)>(pfn))(static_cast<int>(wParam),
                                                                    reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_vDRAW:
      (this->*AfxPmsgTo<void (W::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_vMEASURE:
      (this->*AfxPmsgTo<void (W::*)(LPMEASUREITEMSTRUCT)>(pfn))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_iCOMPARE:
      r = (this->*AfxPmsgTo<int (W::*)(LPCOMPAREITEMSTRUCT)>(pfn))(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      break;
    case AfxSig_vDELETE:
      (this->*AfxPmsgTo<void (W::*)(LPDELETEITEMSTRUCT)>(pfn))(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case AfxSig_iwLw:
      r = (this->*AfxPmsgTo<int (W::*)(UINT, CListBox*, UINT)>(pfn))(
          LOWORD(wParam), reinterpret_cast<CListBox*>(WndOf(static_cast<UINT_PTR>(lParam))), HIWORD(wParam));
      break;
    case AfxSig_iww:
      r = (this->*AfxPmsgTo<int (W::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
      break;
    case AfxSig_vwL:
      (this->*AfxPmsgTo<void (W::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
      break;
    case AfxSig_vbw:
      (this->*AfxPmsgTo<void (W::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
      break;
    case AfxSig_vwWb:
      (this->*AfxPmsgTo<void (W::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), WndOf(static_cast<UINT_PTR>(lParam)),
                                                              HIWORD(wParam) != 0);
      break;
    case AfxSig_vbh:
      (this->*AfxPmsgTo<void (W::*)(BOOL, DWORD)>(pfn))(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
      break;
    case AfxSig_vb:
      (this->*AfxPmsgTo<void (W::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
      break;
    case AfxSig_bb:
      r = (this->*AfxPmsgTo<BOOL (W::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
      break;
    case AfxSig_vMINMAX:
      (this->*AfxPmsgTo<void (W::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case AfxSig_vPOS:
      (this->*AfxPmsgTo<void (W::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case AfxSig_vCALC:
      (this->*AfxPmsgTo<void (W::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(static_cast<BOOL>(wParam),
                                                                     reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
      break;
    case AfxSig_vWp:
      (this->*AfxPmsgTo<void (W::*)(CWnd*, CPoint)>(pfn))(WndOf(wParam), PointOf(lParam));
      break;
    case AfxSig_vM:
      (this->*AfxPmsgTo<void (W::*)(CMenu*)>(pfn))(MenuOf(wParam));
      break;
    case AfxSig_vMwb:
      (this->*AfxPmsgTo<void (W::*)(CMenu*, UINT, BOOL)>(pfn))(MenuOf(wParam), LOWORD(lParam),
                                                               HIWORD(lParam) != 0);
      break;
    case AfxSig_vwwh:
      (this->*AfxPmsgTo<void (W::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                              reinterpret_cast<HMENU>(lParam));
      break;
    case AfxSig_lwwM:
      r = (this->*AfxPmsgTo<LRESULT (W::*)(UINT, UINT, CMenu*)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                      MenuOf(static_cast<UINT_PTR>(lParam)));
      break;
    case AfxSig_vwW:
      (this->*AfxPmsgTo<void (W::*)(UINT, CWnd*)>(pfn))(static_cast<UINT>(wParam),
                                                        WndOf(static_cast<UINT_PTR>(lParam)));
      break;
    case AfxSig_vwR:
      (this->*AfxPmsgTo<void (W::*)(UINT, LPRECT)>(pfn))(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam));
      r = TRUE;
      break;
    case AfxSig_vws:
      (this->*AfxPmsgTo<void (W::*)(UINT, LPCTSTR)>(pfn))(static_cast<UINT>(wParam),
                                                          reinterpret_cast<LPCTSTR>(lParam));
      break;
    case AfxSig_bHELPINFO:
      r = (this->*AfxPmsgTo<BOOL (W::*)(HELPINFO*)>(pfn))(reinterpret_cast<HELPINFO*>(lParam));
      break;
    case AfxSig_hv:
      r = reinterpret_cast<LRESULT>((this->*AfxPmsgTo<HCURSOR (W::*)()>(pfn))());
      break;
    case AfxSig_viSTYLE:
      (this->*AfxPmsgTo<void (W::*)(int, LPSTYLESTRUCT)>(pfn))(static_cast<int>(wParam),
                                                               reinterpret_cast<LPSTYLESTRUCT>(lParam));
      break;
    case AfxSig_vbWW: {
      HWND activated = reinterpret_cast<HWND>(lParam);
      (this->*AfxPmsgTo<void (W::*)(BOOL, CWnd*, CWnd*)>(pfn))(activated == m_hWnd, WndOf(static_cast<UINT_PTR>(lParam)),
                                                               WndOf(wParam));
      break;
    }
    case AfxSig_bWCDS:
      r = (this->*AfxPmsgTo<BOOL (W::*)(CWnd*, COPYDATASTRUCT*)>(pfn))(WndOf(wParam),
                                                                       reinterpret_cast<COPYDATASTRUCT*>(lParam));
      break;
    default:
      break;
  }
  if (pResult != NULL) *pResult = r;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND:
      if (!OnCommand(wParam, lParam)) return FALSE;
      if (pResult != NULL) *pResult = 1;
      return TRUE;
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      LRESULT lResult = 0;
      if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult)) return FALSE;
      if (pResult != NULL) *pResult = lResult;
      return TRUE;
    }
    case WM_ENTERMENULOOP:
      AfxGetThreadState()->m_hTrackingWindow = m_hWnd;
      break;
    case WM_EXITMENULOOP: {
      _AFX_THREAD_STATE* ts = AfxGetThreadState();
      ts->m_hTrackingWindow = NULL;
      ts->m_hTrackingMenu = NULL;
      break;
    }
    case WM_INITMENUPOPUP:
      AfxGetThreadState()->m_hTrackingMenu = reinterpret_cast<HMENU>(wParam);
      break;
    default:
      break;
  }
  const AFX_MSGMAP_ENTRY* entry = fw::CurrentThread().messages.Get(
      fw::ClassKey(this), message, 0, 0, [this, message] { return FindEntry(GetMessageMap(), message); });
  if (entry == NULL) return FALSE;
  FwDispatchToHandler(entry, message, wParam, lParam, pResult);
  return TRUE;
}
