// The saved layout of a frame's bars: one record per bar and per dock bar in the application
// profile ("<name>-Bar<n>"), with a summary ("<name>-Summary").
#include "fw_app.h"
#include "fw_dock.h"
#include "fw_internal.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

const int kMissing = 0x7FFFFFF1;  // no stored value
const int kMaxCoordinate = 32767;

CString RecordSection(LPCTSTR name, int index) {
  CString s;
  s.Format(_T("%s-Bar%d"), name, index);
  return s;
}

CString SummarySection(LPCTSTR name) {
  CString s;
  s.Format(_T("%s-Summary"), name);
  return s;
}

// Reads an int; FALSE when missing or outside [lo, hi].
BOOL ReadInt(CWinApp* app, LPCTSTR section, LPCTSTR entry, int lo, int hi, int& value) {
  const int v = static_cast<int>(app->GetProfileInt(section, entry, kMissing));
  if (v == kMissing || v < lo || v > hi) return FALSE;
  value = v;
  return TRUE;
}

// An optional int: the default when missing, FALSE when present but outside [lo, hi].
BOOL ReadOptional(CWinApp* app, LPCTSTR section, LPCTSTR entry, int lo, int hi, int def, int& value) {
  const int v = static_cast<int>(app->GetProfileInt(section, entry, kMissing));
  if (v == kMissing) {
    value = def;
    return TRUE;
  }
  if (v < lo || v > hi) return FALSE;
  value = v;
  return TRUE;
}

BOOL IsSideDockBarId(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }

}  // namespace

// CControlBarInfo.

CControlBarInfo::CControlBarInfo() = default;

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState*) {
  CWinApp* app = AfxGetApp();
  if (app == NULL || lpszProfileName == NULL) return FALSE;
  const CString section = RecordSection(lpszProfileName, nIndex);
  int id, visible, horz, floating, dockBar, x, y, mruWidth, docking;
  if (!ReadInt(app, section, _T("BarID"), 1, 0xFFFF, id) || !ReadInt(app, section, _T("Visible"), 0, 1, visible) ||
      !ReadInt(app, section, _T("Horz"), 0, 1, horz) || !ReadInt(app, section, _T("Floating"), 0, 1, floating) ||
      !ReadOptional(app, section, _T("DockBar"), 0, 1, 0, dockBar) ||
      !ReadOptional(app, section, _T("XPos"), -kMaxCoordinate, kMaxCoordinate, 0, x) ||
      !ReadOptional(app, section, _T("YPos"), -kMaxCoordinate, kMaxCoordinate, 0, y) ||
      !ReadOptional(app, section, _T("MRUWidth"), 0, kMaxCoordinate, kMaxCoordinate, mruWidth) ||
      !ReadOptional(app, section, _T("Docking"), 0, 1, 0, docking))
    return FALSE;
  CControlBarInfo info;
  info.m_nBarID = static_cast<UINT>(id);
  info.m_bVisible = visible;
  info.m_bHorz = horz;
  info.m_bFloating = floating;
  info.m_bDockBar = dockBar;
  info.m_pointPos = CPoint(x, y);
  info.m_nMRUWidth = static_cast<UINT>(mruWidth);
  info.m_bDocking = docking;
  if (docking) {
    int dockId, l, t, r, b, floatStyle, fx, fy;
    if (!ReadInt(app, section, _T("MRUDockID"), 0, 0xFFFF, dockId) ||
        !ReadOptional(app, section, _T("MRUDockLeftPos"), -kMaxCoordinate, kMaxCoordinate, 0, l) ||
        !ReadOptional(app, section, _T("MRUDockTopPos"), -kMaxCoordinate, kMaxCoordinate, 0, t) ||
        !ReadOptional(app, section, _T("MRUDockRightPos"), -kMaxCoordinate, kMaxCoordinate, 0, r) ||
        !ReadOptional(app, section, _T("MRUDockBottomPos"), -kMaxCoordinate, kMaxCoordinate, 0, b) ||
        !ReadOptional(app, section, _T("MRUFloatStyle"), 0, CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI, 0, floatStyle) ||
        !ReadOptional(app, section, _T("MRUFloatXPos"), -kMaxCoordinate, kMaxCoordinate, 0, fx) ||
        !ReadOptional(app, section, _T("MRUFloatYPos"), -kMaxCoordinate, kMaxCoordinate, 0, fy))
      return FALSE;
    if (dockId != 0 && !IsSideDockBarId(static_cast<UINT>(dockId))) return FALSE;
    info.m_uMRUDockID = static_cast<UINT>(dockId);
    info.m_rectMRUDockPos = CRect(l, t, r, b);
    info.m_rectMRUDockPos.NormalizeRect();
    info.m_dwMRUFloatStyle = static_cast<DWORD>(floatStyle);
    info.m_ptMRUFloatPos = CPoint(fx, fy);
  }
  if (dockBar) {
    int count;
    if (!ReadInt(app, section, _T("Bars"), 0, CDockState::kMaxBars, count)) return FALSE;
    for (int i = 0; i < count; ++i) {
      CString entry;
      entry.Format(_T("Bar#%d"), i);
      int bar;
      if (!ReadInt(app, section, entry, 0, 0xFFFF, bar)) return FALSE;
      info.m_arrBarID.Add(static_cast<DWORD>(bar));
    }
  }
  m_nBarID = info.m_nBarID;
  m_bVisible = info.m_bVisible;
  m_bHorz = info.m_bHorz;
  m_bFloating = info.m_bFloating;
  m_bDockBar = info.m_bDockBar;
  m_pointPos = info.m_pointPos;
  m_nMRUWidth = info.m_nMRUWidth;
  m_bDocking = info.m_bDocking;
  m_uMRUDockID = info.m_uMRUDockID;
  m_rectMRUDockPos = info.m_rectMRUDockPos;
  m_dwMRUFloatStyle = info.m_dwMRUFloatStyle;
  m_ptMRUFloatPos = info.m_ptMRUFloatPos;
  m_arrBarID.Copy(info.m_arrBarID);
  return TRUE;
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) {
  CWinApp* app = AfxGetApp();
  if (app == NULL || lpszProfileName == NULL) return FALSE;
  const CString section = RecordSection(lpszProfileName, nIndex);
  BOOL ok = app->WriteProfileInt(section, _T("BarID"), static_cast<int>(m_nBarID));
  ok = ok && app->WriteProfileInt(section, _T("Visible"), m_bVisible ? 1 : 0);
  ok = ok && app->WriteProfileInt(section, _T("Horz"), m_bHorz ? 1 : 0);
  ok = ok && app->WriteProfileInt(section, _T("Floating"), m_bFloating ? 1 : 0);
  ok = ok && app->WriteProfileInt(section, _T("DockBar"), m_bDockBar ? 1 : 0);
  ok = ok && app->WriteProfileInt(section, _T("XPos"), m_pointPos.x);
  ok = ok && app->WriteProfileInt(section, _T("YPos"), m_pointPos.y);
  ok = ok && app->WriteProfileInt(section, _T("MRUWidth"), static_cast<int>(m_nMRUWidth));
  ok = ok && app->WriteProfileInt(section, _T("Docking"), m_bDocking ? 1 : 0);
  if (m_bDocking) {
    ok = ok && app->WriteProfileInt(section, _T("MRUDockID"), static_cast<int>(m_uMRUDockID));
    ok = ok && app->WriteProfileInt(section, _T("MRUDockLeftPos"), m_rectMRUDockPos.left);
    ok = ok && app->WriteProfileInt(section, _T("MRUDockTopPos"), m_rectMRUDockPos.top);
    ok = ok && app->WriteProfileInt(section, _T("MRUDockRightPos"), m_rectMRUDockPos.right);
    ok = ok && app->WriteProfileInt(section, _T("MRUDockBottomPos"), m_rectMRUDockPos.bottom);
    ok = ok && app->WriteProfileInt(section, _T("MRUFloatStyle"), static_cast<int>(m_dwMRUFloatStyle));
    ok = ok && app->WriteProfileInt(section, _T("MRUFloatXPos"), m_ptMRUFloatPos.x);
    ok = ok && app->WriteProfileInt(section, _T("MRUFloatYPos"), m_ptMRUFloatPos.y);
  }
  if (m_bDockBar) {
    ok = ok && app->WriteProfileInt(section, _T("Bars"), static_cast<int>(m_arrBarID.GetSize()));
    for (INT_PTR i = 0; ok && i < m_arrBarID.GetSize(); ++i) {
      CString entry;
      entry.Format(_T("Bar#%d"), static_cast<int>(i));
      ok = app->WriteProfileInt(section, entry, static_cast<int>(m_arrBarID[i]));
    }
  }
  return ok;
}

// CDockState.

IMPLEMENT_DYNAMIC(CDockState, CObject)

CDockState::CDockState() = default;

CDockState::~CDockState() { Clear(); }

void CDockState::Clear() {
  for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
  m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize() const {
  return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

BOOL CDockState::LoadState(LPCTSTR lpszProfileName) {
  Clear();
  CWinApp* app = AfxGetApp();
  if (app == NULL || lpszProfileName == NULL) return FALSE;
  const CString summary = SummarySection(lpszProfileName);
  int count, cx, cy;
  if (!ReadInt(app, summary, _T("Bars"), 0, kMaxBars, count)) return FALSE;
  const CSize screen = GetScreenSize();
  if (!ReadOptional(app, summary, _T("ScreenCX"), 1, kMaxCoordinate, screen.cx, cx) ||
      !ReadOptional(app, summary, _T("ScreenCY"), 1, kMaxCoordinate, screen.cy, cy))
    return FALSE;
  m_sizeSaved = CSize(cx, cy);
  for (int i = 0; i < count; ++i) {
    CControlBarInfo* info = new CControlBarInfo;
    if (!info->LoadState(lpszProfileName, i, this)) {
      delete info;
      Clear();
      return FALSE;
    }
    // Floating places follow the screen's size and stay on it.
    if (info->m_bFloating && info->m_bDockBar) {
      if (m_sizeSaved != screen) {
        info->m_pointPos.x = MulDiv(info->m_pointPos.x, screen.cx, m_sizeSaved.cx);
        info->m_pointPos.y = MulDiv(info->m_pointPos.y, screen.cy, m_sizeSaved.cy);
      }
      info->m_pointPos.x = std::max<LONG>(0, std::min<LONG>(info->m_pointPos.x, screen.cx - 16));
      info->m_pointPos.y = std::max<LONG>(0, std::min<LONG>(info->m_pointPos.y, screen.cy - 16));
    }
    m_arrBarInfo.Add(info);
  }
  return TRUE;
}

void CDockState::SaveState(LPCTSTR lpszProfileName) {
  CWinApp* app = AfxGetApp();
  if (app == NULL || lpszProfileName == NULL) return;
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
    if (static_cast<CControlBarInfo*>(m_arrBarInfo[i])->SaveState(lpszProfileName, n)) ++n;
  const CString summary = SummarySection(lpszProfileName);
  const CSize screen = GetScreenSize();
  app->WriteProfileInt(summary, _T("Bars"), n);
  app->WriteProfileInt(summary, _T("ScreenCX"), screen.cx);
  app->WriteProfileInt(summary, _T("ScreenCY"), screen.cy);
}

// Bar records.

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
  pInfo->m_pBar = this;
  pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
  pInfo->m_bVisible = IsVisible();
  pInfo->m_bFloating = IsFloating();
  pInfo->m_bHorz = IsHorizontal();
  pInfo->m_bDockBar = m_bDockBar;
  pInfo->m_nMRUWidth = static_cast<UINT>(m_nMRUWidth);
  CRect rect;
  GetWindowRect(&rect);
  if (CDockBar* self = DYNAMIC_DOWNCAST(CDockBar, this)) {
    pInfo->m_bFloating = self->m_bFloating;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (self->m_bFloating) {
      pInfo->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
      if (CWnd* frame = GetParent()) frame->GetWindowRect(&rect);
      pInfo->m_bVisible = self->GetDockedVisibleCount() != 0;
    }
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_arrBarID.RemoveAll();
    // Row ends between bars; the leading and trailing ones are implied.
    for (INT_PTR i = 1; i < self->m_arrBars.GetSize(); ++i) {
      CControlBar* bar = static_cast<CControlBar*>(self->m_arrBars[i]);
      if (bar == NULL && i == self->m_arrBars.GetSize() - 1) break;
      pInfo->m_arrBarID.Add(bar != NULL ? static_cast<DWORD>(bar->GetDlgCtrlID()) : 0);
    }
    return;
  }
  if (CWnd* parent = GetParent()) parent->ScreenToClient(&rect);
  pInfo->m_pointPos = rect.TopLeft();
  pInfo->m_bDocking = m_pDockContext != NULL;
  if (m_pDockContext != NULL) {
    pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
  }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*) {
  m_nStateFlags &= ~(delayHide | delayShow);
  m_nMRUWidth = static_cast<int>(pInfo->m_nMRUWidth);
  SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  if (m_pDockContext != NULL && pInfo->m_bDocking) {
    m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
  }
}

// The frame's layout.

void CFrameWnd::GetDockState(CDockState& state) const {
  state.Clear();
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (bar->m_hWnd == NULL) continue;
    CDockBar* dockBar = DYNAMIC_DOWNCAST(CDockBar, bar);
    if (dockBar != NULL && dockBar->m_bFloating && dockBar->GetDockedCount() == 0) continue;  // about to go
    CControlBarInfo* info = new CControlBarInfo;
    bar->GetBarInfo(info);
    state.m_arrBarInfo.Add(info);
  }
}

BOOL CFrameWnd::SetDockState(const CDockState& state) {
  // The frame's bars by id: dock bars of the sides, and the other bars.
  std::map<UINT, CControlBar*> bars;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (bar->m_hWnd != NULL && !bar->IsDockBar()) bars[static_cast<UINT>(bar->GetDlgCtrlID())] = bar;
  }
  // The state must fit: each bar placed once, dock bars only where the frame has them. Bars the
  // frame no longer has are passed over.
  std::set<UINT> placed, described;
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    const CControlBarInfo* info = static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
    if (info->m_bDockBar) {
      if (!info->m_bFloating) {
        if (!IsSideDockBarId(info->m_nBarID)) return FALSE;
        if (!described.insert(info->m_nBarID).second) return FALSE;
      }
      for (INT_PTR j = 0; j < info->m_arrBarID.GetSize(); ++j) {
        const UINT id = info->m_arrBarID[j];
        if (id != 0 && bars.count(id) != 0 && !placed.insert(id).second) return FALSE;
      }
    } else if (IsSideDockBarId(info->m_nBarID) || info->m_nBarID == AFX_IDW_DOCKBAR_FLOAT) {
      return FALSE;
    }
  }
  // Bars that move leave their dock bars first.
  for (const UINT id : placed) {
    CControlBar* bar = bars[id];
    if (bar->m_pDockBar != NULL) bar->m_pDockBar->RemoveControlBar(bar);
  }
  CPtrArray floatingFrames;
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    const CControlBarInfo* info = static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
    if (!info->m_bDockBar) continue;
    CDockBar* dockBar = NULL;
    if (info->m_bFloating) {
      CMiniDockFrameWnd* frame = CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
      if (frame == NULL) continue;
      frame->SetWindowPos(NULL, info->m_pointPos.x, info->m_pointPos.y, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      dockBar = &frame->m_wndDockBar;
      floatingFrames.Add(frame);
    } else {
      dockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(info->m_nBarID));
      if (dockBar == NULL) continue;  // a side this frame does not dock at
    }
    // The listed bars in their rows, then the bars that stay from before as rows of their own.
    CPtrArray staying;
    staying.Copy(dockBar->m_arrBars);
    dockBar->m_arrBars.RemoveAll();
    dockBar->m_arrBars.Add(NULL);
    for (INT_PTR j = 0; j < info->m_arrBarID.GetSize(); ++j) {
      const UINT id = info->m_arrBarID[j];
      CControlBar* bar = id != 0 && bars.count(id) != 0 ? bars[id] : NULL;
      if (bar == NULL) {
        if (dockBar->m_arrBars[dockBar->m_arrBars.GetSize() - 1] != NULL) dockBar->m_arrBars.Add(NULL);
        continue;
      }
      bar->m_dwStyle = (bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (dockBar->m_dwStyle & CBRS_ALIGN_ANY) |
                       (dockBar->m_bFloating ? CBRS_FLOATING : 0);
      if (bar->GetParent() != dockBar) bar->SetParent(dockBar);
      bar->m_pDockBar = dockBar;
      bar->m_pDockSite = this;
      dockBar->m_arrBars.Add(bar);
    }
    if (dockBar->m_arrBars[dockBar->m_arrBars.GetSize() - 1] != NULL) dockBar->m_arrBars.Add(NULL);
    for (INT_PTR j = 1; j < staying.GetSize(); ++j) {
      if (staying[j] == NULL && dockBar->m_arrBars[dockBar->m_arrBars.GetSize() - 1] == NULL) continue;
      dockBar->m_arrBars.Add(staying[j]);
    }
    if (dockBar->m_arrBars[dockBar->m_arrBars.GetSize() - 1] != NULL) dockBar->m_arrBars.Add(NULL);
  }
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    CControlBarInfo* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
    if (!info->m_bDockBar && bars.count(info->m_nBarID) != 0) bars[info->m_nBarID]->SetBarInfo(info, this);
  }
  for (INT_PTR i = 0; i < floatingFrames.GetSize(); ++i) {
    CMiniDockFrameWnd* frame = static_cast<CMiniDockFrameWnd*>(floatingFrames[i]);
    if (frame->m_wndDockBar.GetDockedCount() == 0) {
      frame->DestroyWindow();
      continue;
    }
    frame->RecalcLayout();
    if (frame->m_wndDockBar.GetDockedVisibleCount() != 0) frame->ShowWindow(SW_SHOWNA);
  }
  DelayRecalcLayout();
  return TRUE;
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
  CDockState state;
  if (state.LoadState(lpszProfileName)) SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
  CDockState state;
  GetDockState(state);
  state.SaveState(lpszProfileName);
}
