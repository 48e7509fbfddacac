// CCmdTarget: command, update-probe and notification routing through message maps.
#include "fw_app.h"
#include "thread_data.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
  static const AFX_MSGMAP map = {NULL, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                   UINT nID) {
  for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
      return lpEntry;
  return NULL;
}

namespace {

// Runs a command, probe or notification handler; the result says whether it was handled.
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, const AFX_MSGMAP_ENTRY* pEntry, void* pExtra) {
  typedef CCmdTarget T;
  AFX_PMSG pfn = pEntry->pfn;
  AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
  switch (pEntry->nSig) {
    case AfxSig_vv:
      (pTarget->*pfn)();
      return TRUE;
    case AfxSig_bv:
      return (pTarget->*AfxPmsgTo<BOOL (T::*)()>(pfn))();
    case AfxSig_vw:
      (pTarget->*AfxPmsgTo<void (T::*)(UINT)>(pfn))(nID);
      return TRUE;
    case AfxSig_bw:
      return (pTarget->*AfxPmsgTo<BOOL (T::*)(UINT)>(pfn))(nID);
    case AfxSig_cmdui: {
      CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
      if (pCmdUI == NULL) return FALSE;
      pCmdUI->m_bContinueRouting = FALSE;
      (pTarget->*AfxPmsgTo<void (T::*)(CCmdUI*)>(pfn))(pCmdUI);
      BOOL handled = !pCmdUI->m_bContinueRouting;
      pCmdUI->m_bContinueRouting = FALSE;
      return handled;
    }
    case AfxSig_vNMHDRpl:
      if (pNotify == NULL) return FALSE;
      (pTarget->*AfxPmsgTo<void (T::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
      return TRUE;
    case AfxSig_bNMHDRpl:
      if (pNotify == NULL) return FALSE;
      return (pTarget->*AfxPmsgTo<BOOL (T::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
    case AfxSig_vwNMHDRpl:
      if (pNotify == NULL) return FALSE;
      (pTarget->*AfxPmsgTo<void (T::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
      return TRUE;
    case AfxSig_bwNMHDRpl:
      if (pNotify == NULL) return FALSE;
      return (pTarget->*AfxPmsgTo<BOOL (T::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                            pNotify->pResult);
    default:
      return FALSE;
  }
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = WM_COMMAND;
  UINT code = static_cast<UINT>(nCode);
  if (code != CN_UPDATE_COMMAND_UI) {
    if (HIWORD(code) != 0) nMsg = HIWORD(code);
    code = LOWORD(code);
  }
  const AFX_MSGMAP_ENTRY* entry = fw::CurrentThread().commands.Get(fw::ClassKey(this), nMsg, code, nID, [=] {
    for (const AFX_MSGMAP* map = GetMessageMap(); map != NULL;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : NULL)
      if (const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(map->lpEntries, nMsg, code, nID)) return e;
    return static_cast<const AFX_MSGMAP_ENTRY*>(NULL);
  });
  if (entry == NULL) return FALSE;
  if (pHandlerInfo != NULL) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pmf = entry->pfn;
    return TRUE;
  }
  return DispatchCmdMsg(this, nID, entry, pExtra);
}

void CCmdTarget::BeginWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}
