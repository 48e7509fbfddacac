// Creation and the non-trivial members of the control wrappers.
#include "fw_controls.h"
#include "fw_module.h"

namespace {

// Registers the common-control classes of icc (once per process is enough; repeats are cheap).
void EnsureCommonControls(DWORD icc) {
  INITCOMMONCONTROLSEX init = {sizeof init, icc};
  ::InitCommonControlsEx(&init);
}

// The rich edit library stays loaded once a rich edit control was made.
LPCTSTR RichEditClass() {
  static HMODULE lib = ::LoadLibrary(_T("riched20.dll"));
  return lib != NULL ? RICHEDIT_CLASS : NULL;
}

BOOL CreateControl(CWnd* self, LPCTSTR cls, LPCTSTR text, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID) {
  if (cls == NULL) return FALSE;
  return self->CreateEx(0, cls, text, dwStyle, rect, pParentWnd, nID);
}

HIMAGELIST HimlOf(CImageList* p) { return p != NULL ? p->m_hImageList : NULL; }

// A string of n characters read by fill(buffer, n + 1); empty for n <= 0.
template <class F>
CString ReadText(int n, F fill) {
  CString s;
  if (n <= 0) return s;
  LPTSTR buf = s.GetBuffer(n + 1);
  buf[0] = 0;
  buf[n] = 0;
  int got = fill(buf, n + 1);
  s.ReleaseBuffer(got >= 0 && got <= n ? got : -1);
  return s;
}

// Reflected owner-draw messages go to the control's virtual members, unless a reflection
// entry of a derived class's message map takes them first. Other messages go the usual way.
template <class T>
BOOL DrawItemNotify(T* self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return self->CWnd::OnChildNotify(message, wParam, lParam, pResult);
  if (self->CWnd::OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
  self->DrawItem((LPDRAWITEMSTRUCT)lParam);
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}

template <class T>
BOOL ListItemNotify(T* self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM && message != WM_MEASUREITEM && message != WM_COMPAREITEM && message != WM_DELETEITEM)
    return self->CWnd::OnChildNotify(message, wParam, lParam, pResult);
  if (self->CWnd::OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
  LRESULT r = TRUE;
  if (message == WM_DRAWITEM)
    self->DrawItem((LPDRAWITEMSTRUCT)lParam);
  else if (message == WM_MEASUREITEM)
    self->MeasureItem((LPMEASUREITEMSTRUCT)lParam);
  else if (message == WM_COMPAREITEM)
    r = self->CompareItem((LPCOMPAREITEMSTRUCT)lParam);
  else
    self->DeleteItem((LPDELETEITEMSTRUCT)lParam);
  if (pResult != NULL) *pResult = r;
  return TRUE;
}

// The text of item nIndex of a list or combo box; empty and nError for a bad index.
int ItemText(const CWnd* box, UINT lengthMessage, UINT textMessage, int nError, int nIndex, CString& rString) {
  int n = (int)box->SendMessage(lengthMessage, (WPARAM)nIndex);
  if (n == nError) {
    rString.Empty();
    return nError;
  }
  rString = ReadText(n, [&](LPTSTR buf, int) { return (int)box->SendMessage(textMessage, (WPARAM)nIndex, (LPARAM)buf); });
  return rString.GetLength();
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Standard controls

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, _T("STATIC"), lpszText, dwStyle, rect, pParentWnd, nID);
}

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, _T("BUTTON"), lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return DrawItemNotify(this, message, wParam, lParam, pResult);
}

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, _T("EDIT"), NULL, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  // EM_GETLINE takes the buffer size in its first WORD, so the buffer must hold one.
  if (lpszBuffer == NULL || nMaxLength <= 0 || nMaxLength * sizeof(TCHAR) < sizeof(WORD)) return 0;
  *(LPWORD)lpszBuffer = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
  return (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const {
  return (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, _T("LISTBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetText(int nIndex, CString& rString) const {
  return ItemText(this, LB_GETTEXTLEN, LB_GETTEXT, LB_ERR, nIndex, rString);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
  DWORD r = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
  bOutside = (BOOL)HIWORD(r);
  return LOWORD(r);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ListItemNotify(this, message, wParam, lParam, pResult);
}

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, _T("COMBOBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetLBText(int nIndex, CString& rString) const {
  return ItemText(this, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ERR, nIndex, rString);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ListItemNotify(this, message, wParam, lParam, pResult);
}

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, _T("SCROLLBAR"), NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollLimit() {
  SCROLLINFO info;
  if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE)) return 0;
  int limit = info.nMax - (info.nPage > 0 ? (int)info.nPage - 1 : 0);
  return limit > info.nMin ? limit : info.nMin;
}

// ---------------------------------------------------------------------------------------
// CListCtrl

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_LISTVIEW_CLASSES);
  return CreateControl(this, WC_LISTVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle(
      (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)HimlOf(pImageList)));
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  LVITEM lvi = {};
  lvi.mask = nMask;
  lvi.iItem = nItem;
  lvi.iSubItem = nSubItem;
  lvi.stateMask = nStateMask;
  lvi.state = nState;
  lvi.pszText = (LPTSTR)lpszItem;
  lvi.iImage = nImage;
  lvi.lParam = lParam;
  return (BOOL)SendMessage(LVM_SETITEM, 0, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM lvi = {};
  lvi.stateMask = nMask;
  lvi.state = nState;
  return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&lvi);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // LVM_GETITEMTEXT answers the characters copied; grow until the text fits.
  CString s;
  LVITEM lvi = {};
  lvi.iSubItem = nSubItem;
  for (int size = 256;; size *= 2) {
    lvi.cchTextMax = size;
    lvi.pszText = s.GetBuffer(size);
    lvi.pszText[0] = 0;
    int n = (int)SendMessage(LVM_GETITEMTEXT, (WPARAM)nItem, (LPARAM)&lvi);
    if (n < size - 1 || size >= (1 << 20)) {
      s.ReleaseBuffer(n >= 0 && n < size ? n : 0);
      return s;
    }
    s.ReleaseBuffer(0);
  }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
  LVITEM lvi = {};
  lvi.iSubItem = nSubItem;
  lvi.cchTextMax = nLen;
  lvi.pszText = lpszText;
  return (int)SendMessage(LVM_GETITEMTEXT, (WPARAM)nItem, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  LVITEM lvi = {};
  lvi.iSubItem = nSubItem;
  lvi.pszText = (LPTSTR)lpszText;
  return (BOOL)SendMessage(LVM_SETITEMTEXT, (WPARAM)nItem, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM lvi = {};
  lvi.mask = LVIF_PARAM;
  lvi.iItem = nItem;
  return SendMessage(LVM_GETITEM, 0, (LPARAM)&lvi) ? (DWORD_PTR)lvi.lParam : 0;
}

CEdit* CListCtrl::GetEditControl() const {
  return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_GETEDITCONTROL));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  return (CHeaderCtrl*)CWnd::FromHandle((HWND)SendMessage(LVM_GETHEADER));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
  return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam) {
  LVITEM lvi = {};
  lvi.mask = nMask;
  lvi.iItem = nItem;
  lvi.state = nState;
  lvi.stateMask = nStateMask;
  lvi.pszText = (LPTSTR)lpszItem;
  lvi.iImage = nImage;
  lvi.lParam = lParam;
  return InsertItem(&lvi);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO hti = {};
  hti.pt = pt;
  int n = (int)SendMessage(LVM_HITTEST, 0, (LPARAM)&hti);
  if (pFlags != NULL) *pFlags = hti.flags;
  return n;
}

CEdit* CListCtrl::EditLabel(int nItem) { return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_EDITLABEL, (WPARAM)nItem)); }

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN col = {};
  col.mask = LVCF_TEXT | LVCF_FMT;
  col.pszText = (LPTSTR)lpszColumnHeading;
  col.fmt = nFormat;
  if (nWidth != -1) {
    col.mask |= LVCF_WIDTH;
    col.cx = nWidth;
  }
  if (nSubItem != -1) {
    col.mask |= LVCF_SUBITEM;
    col.iSubItem = nSubItem;
  }
  return InsertColumn(nCol, &col);
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return DrawItemNotify(this, message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------------------
// CTreeCtrl

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_TREEVIEW_CLASSES);
  return CreateControl(this, WC_TREEVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle(
      (HIMAGELIST)SendMessage(TVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)HimlOf(pImageList)));
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  CString s;
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_TEXT;
  for (int size = 256;; size *= 2) {
    LPTSTR buf = s.GetBuffer(size);
    buf[0] = 0;
    item.cchTextMax = size;
    item.pszText = buf;
    BOOL ok = (BOOL)SendMessage(TVM_GETITEM, 0, (LPARAM)&item);
    if (ok && item.pszText != buf) {
      // The control answered with a text of its own.
      CString own(item.pszText);
      s.ReleaseBuffer(0);
      return own;
    }
    int n = ok ? lstrlen(buf) : 0;
    if (n < size - 1 || size >= (1 << 20)) {
      s.ReleaseBuffer(n);
      return s;
    }
    s.ReleaseBuffer(0);
  }
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  if (!SendMessage(TVM_GETITEM, 0, (LPARAM)&item)) return FALSE;
  nImage = item.iImage;
  nSelectedImage = item.iSelectedImage;
  return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_PARAM;
  return SendMessage(TVM_GETITEM, 0, (LPARAM)&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = nMask;
  item.pszText = (LPTSTR)lpszItem;
  item.iImage = nImage;
  item.iSelectedImage = nSelectedImage;
  item.state = nState;
  item.stateMask = nStateMask;
  item.lParam = lParam;
  return (BOOL)SendMessage(TVM_SETITEM, 0, (LPARAM)&item);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_CHILDREN;
  return SendMessage(TVM_GETITEM, 0, (LPARAM)&item) && item.cChildren != 0;
}

CEdit* CTreeCtrl::GetEditControl() const {
  return (CEdit*)CWnd::FromHandle((HWND)SendMessage(TVM_GETEDITCONTROL));
}

CToolTipCtrl* CTreeCtrl::GetToolTips() const {
  return (CToolTipCtrl*)CWnd::FromHandle((HWND)SendMessage(TVM_GETTOOLTIPS));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT tvis = {};
  tvis.hParent = hParent;
  tvis.hInsertAfter = hInsertAfter;
  tvis.item.mask = nMask;
  tvis.item.pszText = (LPTSTR)lpszItem;
  tvis.item.iImage = nImage;
  tvis.item.iSelectedImage = nSelectedImage;
  tvis.item.state = nState;
  tvis.item.stateMask = nStateMask;
  tvis.item.lParam = lParam;
  return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                    hInsertAfter);
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) {
  return (CEdit*)CWnd::FromHandle((HWND)SendMessage(TVM_EDITLABEL, 0, (LPARAM)hItem));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  TVHITTESTINFO hti = {};
  hti.pt = pt;
  HTREEITEM h = (HTREEITEM)SendMessage(TVM_HITTEST, 0, (LPARAM)&hti);
  if (pFlags != NULL) *pFlags = hti.flags;
  return h;
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem) {
  // The caller owns the new list: a permanent object, not a temporary one.
  HIMAGELIST h = (HIMAGELIST)SendMessage(TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
  if (h == NULL) return NULL;
  CImageList* p = new CImageList;
  p->Attach(h);
  return p;
}

// ---------------------------------------------------------------------------------------
// CHeaderCtrl, CTabCtrl

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_LISTVIEW_CLASSES);
  return CreateControl(this, WC_HEADER, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList) {
  return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_SETIMAGELIST, 0, (LPARAM)HimlOf(pImageList)));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return DrawItemNotify(this, message, wParam, lParam, pResult);
}

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_TAB_CLASSES);
  return CreateControl(this, WC_TABCONTROL, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList) {
  return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)HimlOf(pImageList)));
}

CToolTipCtrl* CTabCtrl::GetToolTips() const {
  return (CToolTipCtrl*)CWnd::FromHandle((HWND)SendMessage(TCM_GETTOOLTIPS));
}

void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip) { SendMessage(TCM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd()); }

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
  TCITEM item = {};
  item.mask = TCIF_TEXT;
  item.pszText = (LPTSTR)lpszItem;
  return InsertItem(nItem, &item);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  TCITEM item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = (LPTSTR)lpszItem;
  item.iImage = nImage;
  return InsertItem(nItem, &item);
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return DrawItemNotify(this, message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------------------
// CToolTipCtrl

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  EnsureCommonControls(ICC_BAR_CLASSES);
  if (!CreateEx(0, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL))
    return FALSE;
  // Tips of more than one line wrap at a sensible width.
  SendMessage(TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
  return TRUE;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
  memset(&ti, 0, sizeof ti);
  ti.cbSize = sizeof ti;
  HWND hWnd = pWnd->GetSafeHwnd();
  if (nIDTool == 0) {
    // The whole window as the tool, named by its handle.
    ti.hwnd = ::GetParent(hWnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = (UINT_PTR)hWnd;
  } else {
    ti.hwnd = hWnd;
    ti.uFlags = 0;
    ti.uId = nIDTool;
  }
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  // The control writes at most 80 characters without a size of its own; leave room.
  TCHAR buf[1024] = {};
  ti.lpszText = buf;
  SendMessage(TTM_GETTEXT, _countof(buf), (LPARAM)&ti);
  str = buf;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
  FillInToolInfo(ToolInfo, pWnd, nIDTool);
  ToolInfo.lpszText = NULL;
  return (BOOL)SendMessage(TTM_GETTOOLINFO, 0, (LPARAM)&ToolInfo);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  if (lpRect == NULL) return;
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.rect = *lpRect;
  SendMessage(TTM_NEWTOOLRECT, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  if (pWnd == NULL || nIDText == 0) return FALSE;
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != NULL) ti.rect = *lpRectTool;
  ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
  ti.lpszText = MAKEINTRESOURCE(nIDText);
  if (lpRectTool == NULL && nIDTool == 0) ti.uFlags |= TTF_SUBCLASS;
  return (BOOL)SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  if (pWnd == NULL || lpszText == NULL) return FALSE;
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != NULL) ti.rect = *lpRectTool;
  ti.lpszText = (LPTSTR)lpszText;
  if (lpRectTool == NULL && nIDTool == 0) ti.uFlags |= TTF_SUBCLASS;
  return (BOOL)SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  SendMessage(TTM_DELTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const {
  TTHITTESTINFO hti = {};
  hti.hwnd = pWnd->GetSafeHwnd();
  hti.pt = pt;
  hti.ti.cbSize = sizeof(TOOLINFO);
  if (!SendMessage(TTM_HITTEST, 0, (LPARAM)&hti)) return FALSE;
  if (lpToolInfo != NULL) *lpToolInfo = hti.ti;
  return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = (LPTSTR)lpszText;
  SendMessage(TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
  CString text;
  text.LoadString(nIDText);
  UpdateTipText(text, pWnd, nIDTool);
}

// ---------------------------------------------------------------------------------------
// Spin, slider, progress

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_UPDOWN_CLASS);
  return CreateControl(this, UPDOWN_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  DWORD r = GetRange();
  lower = (short)HIWORD(r);
  upper = (short)LOWORD(r);
}

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_BAR_CLASSES);
  return CreateControl(this, TRACKBAR_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_PROGRESS_CLASS);
  return CreateControl(this, PROGRESS_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

// ---------------------------------------------------------------------------------------
// CRichEditCtrl

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, RichEditClass(), NULL, dwStyle, rect, pParentWnd, nID);
}

int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  if (lpszBuffer == NULL || nMaxLength * sizeof(TCHAR) < sizeof(WORD)) return 0;
  *(LPWORD)lpszBuffer = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
  return (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const {
  CHARRANGE cr = {0, 0};
  SendMessage(EM_EXGETSEL, 0, (LPARAM)&cr);
  nStartChar = cr.cpMin;
  nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar) {
  CHARRANGE cr = {nStartChar, nEndChar};
  SendMessage(EM_EXSETSEL, 0, (LPARAM)&cr);
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const {
  cf.cbSize = sizeof cf;
  return (DWORD)SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const {
  cf.cbSize = sizeof cf;
  return (DWORD)SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const {
  pf.cbSize = sizeof pf;
  return (DWORD)SendMessage(EM_GETPARAFORMAT, 0, (LPARAM)&pf);
}

CString CRichEditCtrl::GetSelText() const {
  CHARRANGE cr = {0, 0};
  SendMessage(EM_EXGETSEL, 0, (LPARAM)&cr);
  int n = cr.cpMax - cr.cpMin;
  return ReadText(n, [&](LPTSTR buf, int) { return (int)SendMessage(EM_GETSELTEXT, 0, (LPARAM)buf); });
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf) {
  cf.cbSize = sizeof cf;
  return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) {
  cf.cbSize = sizeof cf;
  return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf) {
  cf.cbSize = sizeof cf;
  return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf);
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf) {
  pf.cbSize = sizeof pf;
  return (BOOL)SendMessage(EM_SETPARAFORMAT, 0, (LPARAM)&pf);
}

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const {
  if (uCodePage == (UINT)-1) uCodePage = sizeof(TCHAR) == 2 ? 1200 : CP_ACP;
  GETTEXTLENGTHEX g = {dwFlags, uCodePage};
  return (long)SendMessage(EM_GETTEXTLENGTHEX, (WPARAM)&g);
}

void CRichEditCtrl::PasteSpecial(UINT nClipFormat, DWORD dvAspect, HMETAFILE hMF) {
  REPASTESPECIAL reps = {dvAspect, (DWORD_PTR)hMF};
  SendMessage(EM_PASTESPECIAL, nClipFormat, (LPARAM)&reps);
}

// ---------------------------------------------------------------------------------------
// CStatusBarCtrl, CToolBarCtrl

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_BAR_CLASSES);
  return CreateControl(this, STATUSCLASSNAME, NULL, dwStyle, rect, pParentWnd, nID);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const {
  DWORD r = (DWORD)SendMessage(SB_GETTEXTLENGTH, (WPARAM)nPane);
  if (pType != NULL) *pType = HIWORD(r);
  int n = LOWORD(r);
  return ReadText(n, [&](LPTSTR buf, int) { return (int)LOWORD(SendMessage(SB_GETTEXT, (WPARAM)nPane, (LPARAM)buf)); });
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const {
  DWORD r = (DWORD)SendMessage(SB_GETTEXTLENGTH, (WPARAM)nPane);
  if (pType != NULL) *pType = HIWORD(r);
  return LOWORD(r);
}

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const {
  int borders[3] = {0, 0, 0};
  BOOL ok = GetBorders(borders);
  nHorz = borders[0];
  nVert = borders[1];
  nSpacing = borders[2];
  return ok;
}

void CStatusBarCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBarCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return DrawItemNotify(this, message, wParam, lParam, pResult);
}

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  EnsureCommonControls(ICC_BAR_CLASSES);
  if (!CreateControl(this, TOOLBARCLASSNAME, NULL, dwStyle, rect, pParentWnd, nID)) return FALSE;
  SetButtonStructSize(sizeof(TBBUTTON));
  return TRUE;
}

CToolTipCtrl* CToolBarCtrl::GetToolTips() const {
  return (CToolTipCtrl*)CWnd::FromHandle((HWND)SendMessage(TB_GETTOOLTIPS));
}

void CToolBarCtrl::SetToolTips(CToolTipCtrl* pTip) { SendMessage(TB_SETTOOLTIPS, (WPARAM)pTip->GetSafeHwnd()); }

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList) {
  return CImageList::FromHandle((HIMAGELIST)SendMessage(TB_SETIMAGELIST, 0, (LPARAM)HimlOf(pImageList)));
}

CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList) {
  return CImageList::FromHandle((HIMAGELIST)SendMessage(TB_SETHOTIMAGELIST, 0, (LPARAM)HimlOf(pImageList)));
}

CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList) {
  return CImageList::FromHandle((HIMAGELIST)SendMessage(TB_SETDISABLEDIMAGELIST, 0, (LPARAM)HimlOf(pImageList)));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID) {
  TBADDBITMAP tbab = {AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP), nBitmapID};
  return (int)SendMessage(TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&tbab);
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap) {
  if (pBitmap == NULL || pBitmap->m_hObject == NULL) return -1;
  TBADDBITMAP tbab = {NULL, (UINT_PTR)pBitmap->m_hObject};
  return (int)SendMessage(TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&tbab);
}

int CToolBarCtrl::AddString(UINT nStringID) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE((nStringID >> 4) + 1), RT_STRING);
  return (int)SendMessage(TB_ADDSTRING, (WPARAM)hInst, nStringID);
}

void CToolBarCtrl::SaveState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName) {
  TBSAVEPARAMS tbs = {hKeyRoot, lpszSubKey, lpszValueName};
  SendMessage(TB_SAVERESTORE, TRUE, (LPARAM)&tbs);
}

void CToolBarCtrl::RestoreState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName) {
  TBSAVEPARAMS tbs = {hKeyRoot, lpszSubKey, lpszValueName};
  SendMessage(TB_SAVERESTORE, FALSE, (LPARAM)&tbs);
}
