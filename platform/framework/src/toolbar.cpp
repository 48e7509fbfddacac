// CToolBar: a control bar that is the common toolbar control; buttons by index, the
// framework's packed button styles, idle update that touches only what changed.
#include "fw_bars.h"
#include "fw_dialog.h"
#include "fw_internal.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
END_MESSAGE_MAP()

CToolBar::CToolBar() = default;

CToolBar::~CToolBar() {
  if (m_hWnd != NULL) DestroyWindow();
  if (m_hbmImageWell != NULL) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  m_dwStyle = dwStyle & CBRS_ALL;
  // The frame lays the bar out: the control neither moves nor sizes itself.
  DWORD style = (dwStyle & ~CBRS_ALL) | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                CCS_NORESIZE;
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, NULL, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeImage = sizeImage;
  m_sizeButton = CSize(std::max<LONG>(sizeButton.cx, sizeImage.cx + 7), std::max<LONG>(sizeButton.cy, sizeImage.cy + 6));
  if (m_hWnd == NULL) return;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(m_sizeImage.cx, m_sizeImage.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_sizeButton.cx, m_sizeButton.cy));
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell) {
  if (m_hWnd == NULL || hbmImageWell == NULL) return FALSE;
  BITMAP bm = {};
  if (!::GetObject(hbmImageWell, sizeof bm, &bm) || m_sizeImage.cx <= 0) return FALSE;
  const int count = bm.bmWidth / m_sizeImage.cx;
  BOOL ok;
  if (m_hbmImageWell == NULL) {
    TBADDBITMAP add = {NULL, reinterpret_cast<UINT_PTR>(hbmImageWell)};
    ok = SendMessage(TB_ADDBITMAP, count, reinterpret_cast<LPARAM>(&add)) != -1;
  } else {
    TBREPLACEBITMAP replace = {NULL, reinterpret_cast<UINT_PTR>(m_hbmImageWell), NULL,
                               reinterpret_cast<UINT_PTR>(hbmImageWell), count};
    ok = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)) != 0;
  }
  if (!ok) return FALSE;
  if (m_hbmImageWell != NULL && m_hbmImageWell != hbmImageWell) ::DeleteObject(m_hbmImageWell);
  m_hbmImageWell = hbmImageWell;
  Invalidate();
  return TRUE;
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  HBITMAP hbm = static_cast<HBITMAP>(::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (hbm == NULL) return FALSE;
  if (!SetBitmap(hbm)) {
    ::DeleteObject(hbm);
    return FALSE;
  }
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (m_hWnd == NULL || nIDCount < 0) return FALSE;
  for (int i = GetCount(); i-- > 0;) SendMessage(TB_DELETEBUTTON, i);
  if (nIDCount == 0) return TRUE;
  TBBUTTON* buttons = new TBBUTTON[nIDCount];
  int image = 0;
  for (int i = 0; i < nIDCount; ++i) {
    TBBUTTON& b = buttons[i];
    b = TBBUTTON{};
    b.fsState = TBSTATE_ENABLED;
    if (lpIDArray == NULL || lpIDArray[i] == ID_SEPARATOR) {
      b.fsStyle = TBSTYLE_SEP;
      b.iBitmap = 6;  // a separator's image is its width
    } else {
      b.idCommand = static_cast<int>(lpIDArray[i]);
      b.iBitmap = image++;
    }
  }
  BOOL ok = SendMessage(TB_ADDBUTTONS, nIDCount, reinterpret_cast<LPARAM>(buttons)) != 0;
  delete[] buttons;
  Invalidate();
  return ok;
}

int CToolBar::GetCount() const { return m_hWnd != NULL ? static_cast<int>(SendMessage(TB_BUTTONCOUNT)) : 0; }

int CToolBar::CommandToIndex(UINT nIDFind) const {
  const int count = GetCount();
  TBBUTTON b;
  for (int i = 0; i < count; ++i)
    if (_GetButton(i, &b) && static_cast<UINT>(b.idCommand) == nIDFind) return i;
  return -1;
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON b;
  return _GetButton(nIndex, &b) ? static_cast<UINT>(b.idCommand) : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!SendMessage(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect))) ::SetRectEmpty(lpRect);
}

BOOL CToolBar::_GetButton(int nIndex, TBBUTTON* pButton) const {
  *pButton = TBBUTTON{};
  if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount()) return FALSE;
  return SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(pButton)) != 0;
}

BOOL CToolBar::_SetButton(int nIndex, TBBUTTON* pButton) {
  TBBUTTON old;
  if (!_GetButton(nIndex, &old)) return FALSE;
  // By index: buttons that share an id are never confused, and no id is borrowed.
  TBBUTTONINFO info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX;
  if (old.fsState != pButton->fsState) {
    info.dwMask |= TBIF_STATE;
    info.fsState = pButton->fsState;
  }
  if (old.fsStyle != pButton->fsStyle) {
    info.dwMask |= TBIF_STYLE;
    info.fsStyle = pButton->fsStyle;
  }
  if (old.iBitmap != pButton->iBitmap) {
    info.dwMask |= TBIF_IMAGE;
    info.iImage = pButton->iBitmap;
  }
  if (old.idCommand != pButton->idCommand) {
    info.dwMask |= TBIF_COMMAND;
    info.idCommand = pButton->idCommand;
  }
  if (old.dwData != pButton->dwData) {
    info.dwMask |= TBIF_LPARAM;
    info.lParam = pButton->dwData;
  }
  if (info.dwMask == TBIF_BYINDEX) return FALSE;  // nothing differs
  if (!SendMessage(TB_SETBUTTONINFO, nIndex, reinterpret_cast<LPARAM>(&info))) return FALSE;
  // A separator's width, its kind or a wrap moves the buttons after it.
  const bool layout = ((old.fsStyle ^ pButton->fsStyle) & TBSTYLE_SEP) ||
                      ((old.fsState ^ pButton->fsState) & TBSTATE_WRAP) ||
                      ((pButton->fsStyle & TBSTYLE_SEP) && old.iBitmap != pButton->iBitmap);
  if (layout) ::InvalidateRect(m_hWnd, NULL, FALSE);
  return TRUE;
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
  TBBUTTON b;
  if (!_GetButton(nIndex, &b)) return 0;
  return MAKELONG(b.fsStyle, b.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  TBBUTTON b;
  if (!_GetButton(nIndex, &b)) return;
  b.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
  b.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
  _SetButton(nIndex, &b);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  TBBUTTON b;
  _GetButton(nIndex, &b);
  nID = static_cast<UINT>(b.idCommand);
  nStyle = b.fsStyle || b.fsState ? MAKELONG(b.fsStyle, b.fsState ^ TBSTATE_ENABLED) : 0;
  iImage = b.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
  TBBUTTON b;
  if (!_GetButton(nIndex, &b)) return;
  b.idCommand = static_cast<int>(nID);
  b.iBitmap = iImage;
  b.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
  b.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
  _SetButton(nIndex, &b);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText) {
  if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
  TBBUTTONINFO info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = const_cast<LPTSTR>(lpszText != NULL ? lpszText : _T(""));
  return SendMessage(TB_SETBUTTONINFO, nIndex, reinterpret_cast<LPARAM>(&info)) != 0;
}

CString CToolBar::GetButtonText(int nIndex) const {
  CString text;
  if (nIndex < 0 || nIndex >= GetCount()) return text;
  TCHAR buffer[512] = {};
  TBBUTTONINFO info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = buffer;
  info.cchText = _countof(buffer);
  if (SendMessage(TB_GETBUTTONINFO, nIndex, reinterpret_cast<LPARAM>(&info)) != -1) {
    buffer[_countof(buffer) - 1] = 0;
    text = buffer;
  }
  return text;
}

CSize CToolBar::CalcButtonsSize(BOOL bHorz) const {
  CSize size(0, 0);
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON b;
    if (!_GetButton(i, &b) || (b.fsState & TBSTATE_HIDDEN)) continue;
    CRect r;
    GetItemRect(i, &r);
    if (bHorz) {
      size.cx += r.Width();
      size.cy = std::max<LONG>(size.cy, r.Height());
    } else {
      // Standing: each button on a row of its own; a separator becomes a gap as high as it is wide.
      size.cx = std::max<LONG>(size.cx, (b.fsStyle & TBSTYLE_SEP) ? 0 : r.Width());
      size.cy += (b.fsStyle & TBSTYLE_SEP) ? r.Width() : r.Height();
    }
  }
  if (bHorz)
    size.cy = std::max<LONG>(size.cy, m_sizeButton.cy);
  else
    size.cx = std::max<LONG>(size.cx, m_sizeButton.cx);
  return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return OuterSize(CalcButtonsSize(bHorz), bStretch, bHorz);
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode) {
  const BOOL bHorz = (nMode & LM_HORZ) != 0;
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcFixedLayout((nMode & LM_STRETCH) != 0, bHorz);
  return CalcFixedLayout(FALSE, bHorz);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state;
  state.m_pOther = this;
  const int count = GetCount();
  state.m_nIndexMax = static_cast<UINT>(count);
  for (int i = 0; i < count; ++i) {
    TBBUTTON b;
    if (!_GetButton(i, &b) || (b.fsStyle & TBSTYLE_SEP)) continue;
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = static_cast<UINT>(b.idCommand);
    // The bar's own handlers first, then the frame's.
    if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, NULL)) continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON b;
    if (!_GetButton(i, &b) || (b.fsStyle & TBSTYLE_SEP) || (b.fsState & TBSTATE_HIDDEN)) continue;
    CRect r;
    GetItemRect(i, &r);
    if (!r.PtInRect(point)) continue;
    if (pTI != NULL && pTI->cbSize >= sizeof(AFX_OLDTOOLINFO)) {
      pTI->hwnd = m_hWnd;
      pTI->uId = static_cast<UINT_PTR>(b.idCommand);
      pTI->rect = r;
      pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return b.idCommand != 0 ? b.idCommand : -1;
  }
  return -1;
}

void CToolCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
  const UINT style = pBar->GetButtonStyle(static_cast<int>(m_nIndex));
  UINT newStyle = style & ~TBBS_DISABLED;
  if (!bOn) newStyle = (newStyle & ~TBBS_PRESSED) | TBBS_DISABLED;
  if (newStyle != style) pBar->SetButtonStyle(static_cast<int>(m_nIndex), newStyle);
}

void CToolCmdUI::SetCheck(int nCheck) {
  CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
  const UINT style = pBar->GetButtonStyle(static_cast<int>(m_nIndex));
  UINT newStyle = style & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
  if (nCheck == 1)
    newStyle |= TBBS_CHECKED;
  else if (nCheck == 2)
    newStyle |= TBBS_INDETERMINATE;
  if (newStyle != style) pBar->SetButtonStyle(static_cast<int>(m_nIndex), newStyle | TBBS_CHECKBOX);
}

// CDialogBar

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

CDialogBar::CDialogBar() = default;

CDialogBar::~CDialogBar() {
  if (m_hWnd != NULL) DestroyWindow();
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID) {
  if (m_hWnd != NULL || lpszTemplateName == NULL) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  HRSRC hRes = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
  HGLOBAL hTemplate = hRes != NULL ? ::LoadResource(hInst, hRes) : NULL;
  LPCDLGTEMPLATE t = hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
  if (t == NULL) return FALSE;
  m_dwStyle = nStyle & CBRS_ALL;
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParam(hInst, t, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
  if (!AfxUnhookWindowCreate()) {
    if (hWnd != NULL) ::DestroyWindow(hWnd);
    return FALSE;
  }
  if (hWnd == NULL) return FALSE;
  // The template's size is the bar's own size on its side.
  CRect rect;
  GetWindowRect(&rect);
  m_sizeDefault = rect.Size();
  ::SetWindowLongPtr(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
  if ((nStyle & WS_VISIBLE) && !(GetStyle() & WS_VISIBLE)) ShowWindow(SW_SHOWNOACTIVATE);
  return TRUE;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
