// Captions kept in step: a frame's caption stays active while one of its floating frames made
// with MFS_SYNCACTIVE is the active window, and those floating frames show the frame's state,
// so that the frame and its floating bars read as one active application.
#include "fw_dock.h"
#include "fw_internal.h"

namespace {
// Set while a caption state is passed between a frame and its floating frames: the windows
// that get it take it as it is.
int s_syncDepth = 0;

class SyncScope {
 public:
  SyncScope() { ++s_syncDepth; }
  ~SyncScope() { --s_syncDepth; }
  SyncScope(const SyncScope&) = delete;
  SyncScope& operator=(const SyncScope&) = delete;
};

CMiniFrameWnd* SyncMiniFrame(HWND hWnd) {
  CMiniFrameWnd* mini = DYNAMIC_DOWNCAST(CMiniFrameWnd, CWnd::FromHandlePermanent(hWnd));
  return mini != NULL && mini->m_bSyncActive ? mini : NULL;
}

// The window WM_NCACTIVATE names as the one becoming active, NULL when it names none.
HWND NextActive(LPARAM lParam) {
  HWND next = reinterpret_cast<HWND>(lParam);
  return next != NULL && ::IsWindow(next) ? next : NULL;
}
}  // namespace

BOOL CFrameWnd::IsSyncFloating(HWND hWnd) const {
  return hWnd != NULL && m_hWnd != NULL && ::GetWindow(hWnd, GW_OWNER) == m_hWnd && SyncMiniFrame(hWnd) != NULL;
}

BOOL CFrameWnd::KeepsCaptionActiveFor(HWND hWndNext) const { return IsSyncFloating(hWndNext); }

void CFrameWnd::SyncFloatingCaptions(BOOL bActive) {
  if (m_hWnd == NULL || (GetStyle() & WS_CHILD)) return;  // only top-level frames own floating frames
  SyncScope scope;
  // The owned windows of this thread, collected first: a caption change may reorder them.
  CArray<HWND, HWND> floating;
  for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    if (IsSyncFloating(h)) floating.Add(h);
  for (INT_PTR i = 0; i < floating.GetSize(); ++i)
    if (::IsWindow(floating[i])) ::SendMessage(floating[i], WM_NCACTIVATE, bActive, 0);
}

LRESULT CFrameWnd::OnNcActivateSync(WPARAM wParam, LPARAM lParam) {
  BOOL active = wParam != 0;
  if (!active && s_syncDepth == 0) {
    HWND next = NextActive(lParam);
    if (next != NULL && KeepsCaptionActiveFor(next)) active = TRUE;
  }
  m_bCaptionActive = active;
  // A window name in lParam is not the default processing's business: it repaints.
  const LRESULT result = DefWindowProc(WM_NCACTIVATE, active, lParam == -1 ? -1 : 0);
  if (m_hWnd != NULL && ::IsWindow(m_hWnd)) SyncFloatingCaptions(active);
  return result;
}

CFrameWnd* CMiniFrameWnd::SyncOwner() const {
  HWND owner = m_hWnd != NULL ? ::GetWindow(m_hWnd, GW_OWNER) : NULL;
  return owner != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(owner)) : NULL;
}

BOOL CMiniFrameWnd::KeepsCaptionActiveFor(HWND hWndNext) const {
  if (!m_bSyncActive) return FALSE;
  CFrameWnd* owner = SyncOwner();
  if (owner == NULL) return FALSE;
  return hWndNext == owner->m_hWnd || owner->IsSyncFloating(hWndNext);
}

LRESULT CMiniFrameWnd::OnNcActivateSync(WPARAM wParam, LPARAM lParam) {
  if (!m_bSyncActive || s_syncDepth > 0) {
    // Not in step, or told the state by its frame: as given.
    m_bCaptionActive = wParam != 0;
    return DefWindowProc(WM_NCACTIVATE, wParam, lParam == -1 ? -1 : 0);
  }
  BOOL active = wParam != 0;
  HWND next = NextActive(lParam);
  if (!active && next != NULL && KeepsCaptionActiveFor(next)) active = TRUE;
  m_bCaptionActive = active;
  const LRESULT result = DefWindowProc(WM_NCACTIVATE, active, lParam == -1 ? -1 : 0);
  // Activated or left first here: the frame (and with it every floating frame in step) follows.
  CFrameWnd* owner = SyncOwner();
  if (owner != NULL && owner->IsCaptionActive() != active) {
    SyncScope scope;
    owner->SendMessage(WM_NCACTIVATE, active, 0);
  }
  return result;
}
