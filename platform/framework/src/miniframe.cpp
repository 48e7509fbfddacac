// CMiniFrameWnd and COleDocIPFrameWnd.
#include "fw_frames.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

CMiniFrameWnd::~CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_nIDHelp = nID;
  m_strTitle = lpWindowName;
  // Owned, never a child: a popup with the tool window's small caption.
  dwStyle = (dwStyle & ~WS_CHILD) | WS_POPUP;
  return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), NULL);
}

IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, CFrameWnd)

COleDocIPFrameWnd::COleDocIPFrameWnd() = default;

COleDocIPFrameWnd::~COleDocIPFrameWnd() = default;
