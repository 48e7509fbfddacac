// Image buttons and command buttons.
#include "ImageButton.h"

#include <UIHandles.h>
#include <fw_imagelist.h>

#include "UICommandCenter.h"
#include "UIImages.h"

IMPLEMENT_DYNAMIC(CImageButton, CButton)

CImageButton::CImageButton(DWORD flags) : m_dwFlags(flags) {}

CImageButton::~CImageButton() = default;

BOOL CImageButton::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CButton::Create(_T(""), dwStyle | BS_OWNERDRAW, rect, pParentWnd, nID);
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

void CImageButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == NULL || dis->hDC == NULL) return;
  HDC dc = dis->hDC;
  RECT face = dis->rcItem;
  const UINT state = dis->itemState;
  const bool selected = (state & ODS_SELECTED) != 0;
  if (state & (ODS_FOCUS | ODS_DEFAULT)) {
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
  }
  if ((state & ODS_FOCUS) && m_hWnd != NULL) {
    HWND parent = ::GetParent(m_hWnd);
    if (parent != NULL) ::SendMessage(parent, DM_SETDEFID, GetDlgCtrlID(), 0);
  }
  UINT faceState = DFCS_BUTTONPUSH;
  if (selected) faceState |= DFCS_FLAT;
  if (m_hWnd != NULL && (GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON) faceState |= DFCS_CHECKED;
  DrawFrameControl(dc, &face, DFC_BUTTON, faceState);

  HIMAGELIST list = m_pImageList != NULL ? m_pImageList->GetSafeHandle() : NULL;
  if (list != NULL && m_nImage >= 0) {
    RECT image = {face.left + 1, face.top + 1, face.right - 2, face.bottom - 2};
    uih::SavedDC saved(dc);
    IntersectClipRect(dc, image.left, image.top, image.right, image.bottom);
    // Only a disabled button shows its image embossed.
    DrawImageListInRect(dc, list, m_nImage, &image, m_dwFlags | ((state & ODS_DISABLED) ? 0x10000 : 0));
  }
  if (state & ODS_FOCUS) {
    RECT focus = face;
    InflateRect(&focus, -3, -3);
    if (selected) OffsetRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
}

IMPLEMENT_DYNAMIC(CCmdButton, CImageButton)

CCmdButton::CCmdButton(UINT nCommand) : CImageButton(3), m_nCommand(nCommand) {
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  CUICommand* command = center.GetCommand(static_cast<WORD>(nCommand));
  if (command != NULL) SetImage(center.GetImageList(static_cast<WORD>(nCommand)), command->m_wImageIndex);
}

CCmdButton::~CCmdButton() = default;
