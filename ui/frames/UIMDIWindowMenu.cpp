// CUIMDIFrameWnd: the document frames of the MDI client and the window menu that lists them.
#include "UIMDIFrame.h"

#include "MenuToolBar.h"
#include "UICoolMenu.h"

namespace {
// Document frames listed in the window menu before the overflow item.
const int kListedFrames = 9;

const TCHAR kMoreWindows[] = _T("&More Windows...");
}  // namespace

CFrameWnd* CUIMDIFrameWnd::GetNextDescendant(int& index, int limit) {
  if (limit != -1) {
    m_nDescendantLimit = limit;
    m_nDescendantsFound = 0;
  }
  if (m_hWndMDIClient == NULL) return NULL;
  // The client's children, in child-id order from `index` on: the first framework frame.
  CFrameWnd* pBest = NULL;
  int bestId = 0;
  for (HWND hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(hChild);
    if (id < index || (pBest != NULL && id >= bestId)) continue;
    CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) continue;
    pBest = static_cast<CFrameWnd*>(pWnd);
    bestId = id;
  }
  if (pBest == NULL) return NULL;
  index = bestId + 1;
  ++m_nDescendantsFound;
  return pBest;
}

int CUIMDIFrameWnd::GetDescendantCount() {
  int count = 0;
  if (m_hWndMDIClient == NULL) return 0;
  for (HWND hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && (pWnd->GetStyle() & WS_VISIBLE)) ++count;
  }
  return count;
}

void CUIMDIFrameWnd::BuildWindowMenu(CCoolMenu* pMenu, int nFirst) {
  // Without a menu given, the menu bar's window menu; there is none with the Windows menu
  // (the MDI client keeps that list itself).
  if (pMenu == NULL) {
    if (!IsMenuBarMode()) return;
    HMENU hBarMenu = m_pMenuBar->GetMenu();
    HMENU hWindow = hBarMenu != NULL ? GetWindowMenuPopup(hBarMenu) : NULL;
    pMenu = DYNAMIC_DOWNCAST(CCoolMenu, CMenu::FromHandlePermanent(hWindow));
    if (pMenu == NULL) return;
  }
  HMENU hMenu = pMenu->GetSafeHmenu();
  if (hMenu == NULL || nFirst < 0) return;

  // What would be listed: the visible frames' titles and which one is active.
  CMDIChildWnd* pActive = MDIGetSafeActive();
  struct Entry {
    CFrameWnd* frame;
    CString title;
  };
  CArray<Entry, const Entry&> entries;
  int index = AFX_IDM_FIRST_MDICHILD;
  const int count = GetDescendantCount();
  bool activeListed = false;
  bool more = false;
  for (CFrameWnd* pFrame = GetNextDescendant(index, count); pFrame != NULL; pFrame = GetNextDescendant(index, -1)) {
    if ((pFrame->GetStyle() & WS_VISIBLE) == 0) continue;
    if (entries.GetSize() == kListedFrames) {
      more = true;
      // The active frame is always listed: it takes the last place when it came later.
      if (!activeListed && pFrame == pActive) {
        CDocument* pDoc = pFrame->GetActiveDocument();
        CString title = pDoc != NULL ? pFrame->GetDocumentTitlePart() : CString();
        if (pDoc == NULL) pFrame->GetWindowText(title);
        if (!title.IsEmpty()) {
          entries[kListedFrames - 1] = Entry{pFrame, title};
          activeListed = true;
        }
      }
      continue;
    }
    CString title;
    if (pFrame->GetActiveDocument() != NULL)
      title = pFrame->GetDocumentTitlePart();
    else
      pFrame->GetWindowText(title);
    if (title.IsEmpty()) continue;
    entries.Add(Entry{pFrame, title});
    if (pFrame == pActive) activeListed = true;
  }

  // Nothing changed since the last time: the menu stays as it is.
  CString state;
  state.Format(_T("%p|%d|%p|%d|"), hMenu, nFirst, pActive, more ? 1 : 0);
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
    CString part;
    part.Format(_T("%p:"), entries[i].frame->m_hWnd);
    state += part + entries[i].title + _T("\n");
  }
  if (state == m_strWindowMenuState) return;
  m_strWindowMenuState = state;

  for (int i = ::GetMenuItemCount(hMenu); i-- > nFirst;) ::DeleteMenu(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
  int last = ::GetMenuItemCount(hMenu) - 1;
  bool addedSeparator = false;
  if (last >= 0 && (::GetMenuState(hMenu, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR) == 0) {
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, NULL);
    addedSeparator = true;
  }
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
    CString text;
    text.Format(_T("&%d %s"), static_cast<int>(i + 1), static_cast<LPCTSTR>(entries[i].title));
    UINT flags = MF_STRING | (entries[i].frame == pActive ? MF_CHECKED : MF_UNCHECKED);
    ::AppendMenu(hMenu, flags, static_cast<UINT_PTR>(entries[i].frame->GetDlgCtrlID()), text);
  }
  if (more) ::AppendMenu(hMenu, MF_STRING, UI_ID_MORE_WINDOWS, kMoreWindows);
  if (entries.GetSize() == 0 && addedSeparator) ::DeleteMenu(hMenu, static_cast<UINT>(last + 1), MF_BYPOSITION);
  pMenu->Prepare();
}
