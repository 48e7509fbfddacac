// The framework window of an icon pane.
#include "IconPaneWnd.h"

#include <framework.h>

IMPLEMENT_DYNAMIC(CIconPaneControl, CWnd)

CIconPaneControl::CIconPaneControl() = default;

CIconPaneControl::~CIconPaneControl() = default;

LRESULT CIconPaneControl::Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT none) const {
  return m_hWnd != NULL && ::IsWindow(m_hWnd) ? ::SendMessage(m_hWnd, message, wParam, lParam) : none;
}

BOOL CIconPaneControl::Create(CWnd* parent, CRect& rect, UINT id, IPCREATESTRUCT& create) {
  if (!CWnd::Create(_T("QvIconPaneControl32"), NULL, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP,
                    rect, parent, id))
    return FALSE;
  EnableToolTips(TRUE);
  ::SendMessage(m_hWnd, IPM_CREATE, reinterpret_cast<WPARAM>(&create), 0);
  return TRUE;
}

BOOL CIconPaneControl::Create(CWnd* parent, CRect& rect, UINT id, int count, int width, int height, UINT bitmapId,
                              const UINT* labelIds) {
  IPCREATESTRUCT create = {count, width, height, bitmapId, labelIds};
  return Create(parent, rect, id, create);
}

void CIconPaneControl::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  EnableToolTips(TRUE);
}

BOOL CIconPaneControl::PreTranslateMessage(MSG* pMsg) {
  if (m_hWnd != NULL && pMsg != NULL && ::IsDialogMessage(m_hWnd, pMsg)) return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}

void CIconPaneControl::SetDrawStyle(IPDRAWSTYLE style) { Send(IPM_SETDRAWSTYLE, style, 0, 0); }

BOOL CIconPaneControl::GetDragDrop(int& out) const {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return FALSE;
  out = static_cast<int>(Send(IPM_GETDRAGDROP, 0, 0, 0));
  return TRUE;
}

BOOL CIconPaneControl::SetDragDrop(int flag, int* old) {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return FALSE;
  const int previous = static_cast<int>(Send(IPM_SETDRAGDROP, static_cast<WPARAM>(flag), 0, 0));
  if (old != NULL) *old = previous;
  return TRUE;
}

BOOL CIconPaneControl::Get3DStyle(IP3DSTYLE& out) const {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return FALSE;
  out = static_cast<IP3DSTYLE>(Send(IPM_GET3DSTYLE, 0, 0, 0));
  return TRUE;
}

BOOL CIconPaneControl::Set3DStyle(IP3DSTYLE style, IP3DSTYLE* old) {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return FALSE;
  const IP3DSTYLE previous = static_cast<IP3DSTYLE>(Send(IPM_SET3DSTYLE, style, 0, 0));
  if (old != NULL) *old = previous;
  return TRUE;
}

int CIconPaneControl::EnableItem(int item, int enable) {
  return static_cast<int>(Send(IPM_ENABLEITEM, static_cast<WPARAM>(enable), item, -1));
}

int CIconPaneControl::IsItemEnabled(int item) const { return static_cast<int>(Send(IPM_ISITEMENABLED, 0, item, -1)); }

int CIconPaneControl::CheckItem(int item, int check) {
  return static_cast<int>(Send(IPM_CHECKITEM, static_cast<WPARAM>(check), item, -1));
}

int CIconPaneControl::IsItemChecked(int item) const { return static_cast<int>(Send(IPM_ISITEMCHECKED, 0, item, -1)); }

HWND CIconPaneControl::SetOwner(HWND owner) {
  return reinterpret_cast<HWND>(Send(IPM_SETOWNER, reinterpret_cast<WPARAM>(owner), 0, -1));
}

int CIconPaneControl::GetCheckedItem() const { return static_cast<int>(Send(IPM_GETCHECKEDITEM, 0, 0, -1)); }
