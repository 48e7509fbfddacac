// CUIMDIFrameWndSizeDock: sizable docking and the saved bar layout.
#include "UISizeDockFrame.h"

#include <UICustToolBar.h>
#include <UISizeDialogBar.h>
#include <UITrace.h>
#include <fw_app.h>

#include <algorithm>

namespace {

UlmLogger s_log("UISizeDockFrame");

CString SizeEntry(CControlBar* bar) {
  CString entry;
  entry.Format(_T("BarSize_%d"), bar->GetDlgCtrlID());
  return entry;
}

CSize OnScreen(CSize size) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  return CSize(std::max<LONG>(0, std::min<LONG>(size.cx, cx)), std::max<LONG>(0, std::min<LONG>(size.cy, cy)));
}

}  // namespace

IMPLEMENT_DYNAMIC(CUIDockState, CDockState)

void CUIDockState::SaveState(LPCTSTR lpszProfileName) {
  CWinApp* app = AfxGetApp();
  if (app == NULL || lpszProfileName == NULL) return;
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
    CControlBarInfo* info = static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    CCustToolBar* tool = info->m_pBar != NULL ? DYNAMIC_DOWNCAST(CCustToolBar, info->m_pBar) : NULL;
    if (tool != NULL && !tool->IsPersistentToolBar()) continue;
    if (info->SaveState(lpszProfileName, n)) ++n;
  }
  CString summary;
  summary.Format(_T("%s-Summary"), lpszProfileName);
  const CSize screen = GetScreenSize();
  app->WriteProfileInt(summary, _T("Bars"), n);
  app->WriteProfileInt(summary, _T("ScreenCX"), screen.cx);
  app->WriteProfileInt(summary, _T("ScreenCY"), screen.cy);
}

namespace uidock {

void EnableDocking(CFrameWnd& frame, DWORD dwDockStyle) {
  frame.m_pFloatingFrameClass = RUNTIME_CLASS(CSizableMiniDockFrameWnd);
  frame.CFrameWnd::EnableDocking(dwDockStyle, RUNTIME_CLASS(CSizeDockBar));
}

BOOL DockControlBarEx(CFrameWnd& frame, CControlBar* pBar, CDockBar* pDockBar, const RECT* lpRect) {
  if (pBar == NULL) {
    UI_TRACE_REFUSED(s_log, "no bar");
    return FALSE;
  }
  if (pDockBar == NULL) {
    const fw::DockBarPlace* places = fw::DockBarPlaces();
    for (int i = 0; i < 4 && pDockBar == NULL; ++i)
      if ((places[i].style & CBRS_ALIGN_ANY) == (pBar->GetBarStyle() & CBRS_ALIGN_ANY))
        pDockBar = DYNAMIC_DOWNCAST(CDockBar, frame.GetControlBar(places[i].id));
  }
  if (pDockBar == NULL) {
    UI_TRACE_REFUSED(s_log, "no dock bar for the bar's side");
    return FALSE;
  }
  frame.CFrameWnd::DockControlBar(pBar, pDockBar, lpRect);
  return TRUE;
}

void GetDockState(CFrameWnd& frame, CDockState& state) {
  frame.CFrameWnd::GetDockState(state);
  for (INT_PTR i = state.m_arrBarInfo.GetSize() - 1; i >= 0; --i) {
    CControlBarInfo* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
    CCustToolBar* tool = info->m_pBar != NULL ? DYNAMIC_DOWNCAST(CCustToolBar, info->m_pBar) : NULL;
    if (tool != NULL && !tool->SaveWithMainToolbars()) {
      delete info;
      state.m_arrBarInfo.RemoveAt(i);
    }
  }
  // A bar hidden only while an in-place item is active counts as shown.
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    CControlBarInfo* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
    if (info->m_pBar != NULL && (info->m_pBar->GetBarStyle() & CBRS_HIDE_INPLACE) &&
        (info->m_pBar->m_nStateFlags & CControlBar::tempHide))
      info->m_bVisible = TRUE;
  }
}

void SaveBarState(CFrameWnd& frame, LPCTSTR lpszSection, void (*saveSizes)(CFrameWnd&, LPCTSTR)) {
  CUIDockState state;
  GetDockState(frame, state);
  state.SaveState(lpszSection);
  saveSizes(frame, lpszSection);
  if (CWinApp* app = AfxGetApp())
    app->WriteProfileInt(lpszSection, _T("Version"), CUIMDIFrameWndSizeDock::kBarStateVersion);
}

void LoadBarState(CFrameWnd& frame, LPCTSTR lpszSection, void (*readSizes)(CFrameWnd&, LPCTSTR)) {
  CWinApp* app = AfxGetApp();
  if (app == NULL || lpszSection == NULL) return;
  if (static_cast<int>(app->GetProfileInt(lpszSection, _T("Version"), 0)) != CUIMDIFrameWndSizeDock::kBarStateVersion)
    return;
  try {
    // The sizes belong to the layout: a damaged layout leaves the bars as they are, sizes and all.
    CDockState state;
    if (state.LoadState(lpszSection) && frame.CFrameWnd::SetDockState(state))
      readSizes(frame, lpszSection);
    else
      UI_TRACE_REFUSED(s_log, "a damaged bar layout");
  } catch (...) {
    UI_TRACE_FAILED(s_log, "loading the bar state (an exception)");
  }
  ForgetHiddenBars(frame);
}

void ForgetHiddenBars(CFrameWnd& frame) {
  const fw::DockBarPlace* places = fw::DockBarPlaces();
  for (int i = 0; i < 4; ++i)
    if (CSizeDockBar* dockBar = DYNAMIC_DOWNCAST(CSizeDockBar, frame.GetControlBar(places[i].id)))
      dockBar->m_arrHiddenBars.RemoveAll();
}

void SaveBarSizes(CFrameWnd& frame, LPCTSTR lpszSection, BOOL bSave) {
  CWinApp* app = AfxGetApp();
  if (app == NULL || lpszSection == NULL) return;
  for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* bar = static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos));
    CSizableDockedBar* sizable = CSizeDockBar::Sizable(bar);
    if (sizable == NULL || bar->m_hWnd == NULL) continue;
    const CString entry = SizeEntry(bar);
    if (bSave) {
      const CSize f = sizable->GetFloatSize(), h = sizable->GetHorzSize(), v = sizable->GetVertSize();
      INT32 sizes[6] = {f.cx, f.cy, h.cx, h.cy, v.cx, v.cy};
      if (!app->WriteProfileBinary(lpszSection, entry, reinterpret_cast<LPBYTE>(sizes), sizeof sizes))
        UI_TRACE_FAILED(s_log, "WriteProfileBinary");
      continue;
    }
    LPBYTE data = NULL;
    UINT bytes = 0;
    if (!app->GetProfileBinary(lpszSection, entry, &data, &bytes)) continue;  // none stored
    if (bytes != 6 * sizeof(INT32)) {
      UI_TRACE_REFUSED(s_log, "a bar size value that is not six ints");
      delete[] data;
      continue;
    }
    INT32 sizes[6];
    memcpy(sizes, data, sizeof sizes);
    delete[] data;
    sizable->SetFloatSize(OnScreen(CSize(sizes[0], sizes[1])));
    sizable->SetHorzSize(OnScreen(CSize(sizes[2], sizes[3])));
    sizable->SetVertSize(OnScreen(CSize(sizes[4], sizes[5])));
    const CSize size = bar->CalcFixedLayout(FALSE, (bar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0);
    bar->SetWindowPos(NULL, 0, 0, size.cx, size.cy,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    if (bar->IsFloating() && bar->m_pDockBar != NULL)
      if (CFrameWnd* floating = DYNAMIC_DOWNCAST(CFrameWnd, bar->m_pDockBar->GetParent())) floating->RecalcLayout(TRUE);
  }
  frame.RecalcLayout(TRUE);
}

}  // namespace uidock

IMPLEMENT_DYNCREATE(CUIMDIFrameWndSizeDock, CMDIFrameWnd)

void CUIMDIFrameWndSizeDock::EnableDocking(DWORD dwDockStyle) { uidock::EnableDocking(*this, dwDockStyle); }

BOOL CUIMDIFrameWndSizeDock::DockControlBarEx(CControlBar* pBar, CDockBar* pDockBar, const RECT* lpRect) {
  return uidock::DockControlBarEx(*this, pBar, pDockBar, lpRect);
}

void CUIMDIFrameWndSizeDock::GetDockState(CDockState& state) { uidock::GetDockState(*this, state); }

void CUIMDIFrameWndSizeDock::SaveBarState(LPCTSTR lpszSection) {
  uidock::SaveBarState(*this, lpszSection, [](CFrameWnd& frame, LPCTSTR section) {
    static_cast<CUIMDIFrameWndSizeDock&>(frame).SaveBarSizes(section, TRUE);
  });
}

void CUIMDIFrameWndSizeDock::LoadBarState(LPCTSTR lpszSection) {
  uidock::LoadBarState(*this, lpszSection, [](CFrameWnd& frame, LPCTSTR section) {
    static_cast<CUIMDIFrameWndSizeDock&>(frame).SaveBarSizes(section, FALSE);
  });
}

void CUIMDIFrameWndSizeDock::SaveBarSizes(LPCTSTR lpszSection, BOOL bSave) {
  uidock::SaveBarSizes(*this, lpszSection, bSave);
}
