// Image buttons and command buttons.
#include "UISplitterWnd.h"

#include <fw_imagelist.h>

#include "UICommandCenter.h"

IMPLEMENT_DYNAMIC(CImageButton, CButton)

CImageButton::CImageButton(DWORD flags) : m_dwFlags(flags) {}

CImageButton::~CImageButton() = default;

BOOL CImageButton::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CButton::Create(_T(""), dwStyle, rect, pParentWnd, nID);
}

BOOL CImageButton::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= BS_OWNERDRAW;
  return CButton::PreCreateWindow(cs);
}

void CImageButton::SetImage(CImageList* pImageList, int nIndex) {
  m_pImageList = pImageList;
  m_nImage = nIndex;
  if (m_hWnd != NULL) Invalidate();
}

BOOL CImageButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CButton::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  CRect rect = dis->rcItem;
  const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
  ::FillRect(dis->hDC, &rect, ::GetSysColorBrush(COLOR_3DFACE));
  ::DrawEdge(dis->hDC, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (m_pImageList == NULL || m_pImageList->GetSafeHandle() == NULL || m_nImage < 0) return;
  int cx = 0, cy = 0;
  ::ImageList_GetIconSize(m_pImageList->GetSafeHandle(), &cx, &cy);
  int x = rect.left + (rect.Width() - cx) / 2 + (pressed ? 1 : 0);
  int y = rect.top + (rect.Height() - cy) / 2 + (pressed ? 1 : 0);
  UINT style = (m_dwFlags & 1) ? ILD_TRANSPARENT : ILD_NORMAL;
  ::ImageList_Draw(m_pImageList->GetSafeHandle(), m_nImage, dis->hDC, x, y, style);
}

IMPLEMENT_DYNAMIC(CCmdButton, CImageButton)

CCmdButton::CCmdButton(UINT nCommand) : CImageButton(3), m_nCommand(nCommand) {
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  CUICommand* command = center.GetCommand(static_cast<WORD>(nCommand));
  if (command != NULL) SetImage(center.GetImageList(static_cast<WORD>(nCommand)), command->m_wImageIndex);
}

CCmdButton::~CCmdButton() = default;
