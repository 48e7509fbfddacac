// Thin wrappers of the standard and common controls. Each Create makes the control as a
// child of pParentWnd bound to the object (the common-control classes are registered on
// first use); the members send the control's messages. Objects returned as CWnd*, CEdit*,
// CImageList* and the like are borrowing temporary objects unless the caller bound them.
#pragma once
#include "fw_defs.h"
#include "fw_wnd.h"
#include "fw_coll.h"
#include "fw_imagelist.h"

#include <commctrl.h>
#include <richedit.h>

class CHeaderCtrl;
class CToolTipCtrl;

class FW_API CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
 public:
  CStatic() = default;
  virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
  HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon); }
  HICON GetIcon() const { return (HICON)SendMessage(STM_GETICON); }
  HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
  HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(STM_GETIMAGE, IMAGE_BITMAP); }
  HENHMETAFILE SetEnhMetaFile(HENHMETAFILE h) {
    return (HENHMETAFILE)SendMessage(STM_SETIMAGE, IMAGE_ENHMETAFILE, (LPARAM)h);
  }
  HCURSOR SetCursor(HCURSOR h) { return (HCURSOR)SendMessage(STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)h); }
};

class FW_API CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
 public:
  CButton() = default;
  virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  UINT GetState() const { return (UINT)SendMessage(BM_GETSTATE); }
  void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }
  int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
  void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, nCheck); }
  UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
  HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
  HICON GetIcon() const { return (HICON)SendMessage(BM_GETIMAGE, IMAGE_ICON); }
  HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
  HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(BM_GETIMAGE, IMAGE_BITMAP); }
  // Owner-drawn buttons draw here (reflected WM_DRAWITEM).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class FW_API CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
 public:
  CEdit() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL CanUndo() const { return (BOOL)SendMessage(EM_CANUNDO); }
  int GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT); }
  BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY); }
  void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
  void GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, (LPARAM)lpRect); }
  DWORD GetSel() const { return (DWORD)SendMessage(EM_GETSEL); }
  void GetSel(int& nStartChar, int& nEndChar) const {
    SendMessage(EM_GETSEL, (WPARAM)&nStartChar, (LPARAM)&nEndChar);
  }
  UINT GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT); }
  void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
  void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, (WPARAM)nChars); }
  // The text of line nIndex (at most nMaxLength characters, no terminator added).
  int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
  int GetLine(int nIndex, LPTSTR lpszBuffer) const;
  void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
  BOOL FmtLines(BOOL bAddEOL) { return (BOOL)SendMessage(EM_FMTLINES, bAddEOL); }
  int LineFromChar(int nIndex = -1) const { return (int)SendMessage(EM_LINEFROMCHAR, (WPARAM)nIndex); }
  int LineIndex(int nLine = -1) const { return (int)SendMessage(EM_LINEINDEX, (WPARAM)nLine); }
  int LineLength(int nLine = -1) const { return (int)SendMessage(EM_LINELENGTH, (WPARAM)nLine); }
  void LineScroll(int nLines, int nChars = 0) { SendMessage(EM_LINESCROLL, (WPARAM)nChars, nLines); }
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) {
    SendMessage(EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
  }
  void SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, (WPARAM)ch); }
  TCHAR GetPasswordChar() const { return (TCHAR)SendMessage(EM_GETPASSWORDCHAR); }
  void SetRect(LPCRECT lpRect) { SendMessage(EM_SETRECT, 0, (LPARAM)lpRect); }
  void SetRectNP(LPCRECT lpRect) { SendMessage(EM_SETRECTNP, 0, (LPARAM)lpRect); }
  void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE) {
    SendMessage(EM_SETSEL, LOWORD(dwSelection), (LPARAM)(short)HIWORD(dwSelection));
    if (!bNoScroll) SendMessage(EM_SCROLLCARET);
  }
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE) {
    SendMessage(EM_SETSEL, (WPARAM)nStartChar, nEndChar);
    if (!bNoScroll) SendMessage(EM_SCROLLCARET);
  }
  BOOL SetTabStops(int nTabStops, LPINT rgTabStops) {
    return (BOOL)SendMessage(EM_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops);
  }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, bReadOnly); }
  int GetFirstVisibleLine() const { return (int)SendMessage(EM_GETFIRSTVISIBLELINE); }
  void SetMargins(UINT nLeft, UINT nRight) { SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
  DWORD GetMargins() const { return (DWORD)SendMessage(EM_GETMARGINS); }
  CPoint PosFromChar(UINT nChar) const {
    LRESULT r = SendMessage(EM_POSFROMCHAR, nChar);
    return CPoint((short)LOWORD(r), (short)HIWORD(r));
  }
  int CharFromPos(CPoint pt) const { return (int)SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)); }
  BOOL Undo() { return (BOOL)SendMessage(EM_UNDO); }
  void Clear() { SendMessage(WM_CLEAR); }
  void Copy() { SendMessage(WM_COPY); }
  void Cut() { SendMessage(WM_CUT); }
  void Paste() { SendMessage(WM_PASTE); }
};

class FW_API CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
 public:
  CListBox() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
  int GetHorizontalExtent() const { return (int)SendMessage(LB_GETHORIZONTALEXTENT); }
  void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, (WPARAM)cxExtent); }
  int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
  int SetTopIndex(int nIndex) { return (int)SendMessage(LB_SETTOPINDEX, (WPARAM)nIndex); }
  int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
  int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)nSelect); }
  int GetSel(int nIndex) const { return (int)SendMessage(LB_GETSEL, (WPARAM)nIndex); }
  int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)SendMessage(LB_SETSEL, bSelect, nIndex); }
  int GetSelCount() const { return (int)SendMessage(LB_GETSELCOUNT); }
  int GetSelItems(int nMaxItems, LPINT rgIndex) const {
    return (int)SendMessage(LB_GETSELITEMS, (WPARAM)nMaxItems, (LPARAM)rgIndex);
  }
  int GetCaretIndex() const { return (int)SendMessage(LB_GETCARETINDEX); }
  int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return (int)SendMessage(LB_SETCARETINDEX, (WPARAM)nIndex, bScroll); }
  int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem) {
    return (int)SendMessage(LB_SELITEMRANGE, bSelect, MAKELPARAM(nFirstItem, nLastItem));
  }
  DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)nIndex); }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return (int)SendMessage(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
  }
  void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
  int GetItemRect(int nIndex, LPRECT lpRect) const {
    return (int)SendMessage(LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
  }
  int GetText(int nIndex, LPTSTR lpszBuffer) const {
    return (int)SendMessage(LB_GETTEXT, (WPARAM)nIndex, (LPARAM)lpszBuffer);
  }
  // Empty (and LB_ERR) for an index out of range.
  int GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const { return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)nIndex); }
  int GetItemHeight(int nIndex) const { return (int)SendMessage(LB_GETITEMHEIGHT, (WPARAM)nIndex); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) {
    return (int)SendMessage(LB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELONG(cyItemHeight, 0));
  }
  int FindString(int nStartAfter, LPCTSTR lpszItem) const {
    return (int)SendMessage(LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem);
  }
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return (int)SendMessage(LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
  }
  int SelectString(int nStartAfter, LPCTSTR lpszItem) {
    return (int)SendMessage(LB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem);
  }
  void SetColumnWidth(int cxWidth) { SendMessage(LB_SETCOLUMNWIDTH, (WPARAM)cxWidth); }
  BOOL SetTabStops(int nTabStops, LPINT rgTabStops) {
    return (BOOL)SendMessage(LB_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops);
  }
  int AddString(LPCTSTR lpszItem) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
  int DeleteString(UINT nIndex) { return (int)SendMessage(LB_DELETESTRING, nIndex); }
  int InsertString(int nIndex, LPCTSTR lpszItem) {
    return (int)SendMessage(LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem);
  }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int Dir(UINT attr, LPCTSTR lpszWildCard) { return (int)SendMessage(LB_DIR, attr, (LPARAM)lpszWildCard); }
  UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
  // Owner-drawn list boxes (reflected messages).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class FW_API CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
 public:
  CComboBox() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
  int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
  int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)nSelect); }
  DWORD GetEditSel() const { return (DWORD)SendMessage(CB_GETEDITSEL); }
  BOOL LimitText(int nMaxChars) { return (BOOL)SendMessage(CB_LIMITTEXT, (WPARAM)nMaxChars); }
  BOOL SetEditSel(int nStartChar, int nEndChar) {
    return (BOOL)SendMessage(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar));
  }
  DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)nIndex); }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return (int)SendMessage(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
  }
  void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
  int GetLBText(int nIndex, LPTSTR lpszText) const {
    return (int)SendMessage(CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText);
  }
  // Empty (and CB_ERR) for an index out of range.
  int GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const { return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)nIndex); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) {
    return (int)SendMessage(CB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELONG(cyItemHeight, 0));
  }
  int GetItemHeight(int nIndex) const { return (int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)nIndex); }
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
  }
  int SetExtendedUI(BOOL bExtended = TRUE) { return (int)SendMessage(CB_SETEXTENDEDUI, bExtended); }
  BOOL GetExtendedUI() const { return (BOOL)SendMessage(CB_GETEXTENDEDUI); }
  void GetDroppedControlRect(LPRECT lprect) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }
  BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE); }
  int GetDroppedWidth() const { return (int)SendMessage(CB_GETDROPPEDWIDTH); }
  int SetDroppedWidth(UINT nWidth) { return (int)SendMessage(CB_SETDROPPEDWIDTH, nWidth); }
  int GetTopIndex() const { return (int)SendMessage(CB_GETTOPINDEX); }
  int SetTopIndex(int nIndex) { return (int)SendMessage(CB_SETTOPINDEX, (WPARAM)nIndex); }
  int GetHorizontalExtent() const { return (int)SendMessage(CB_GETHORIZONTALEXTENT); }
  void SetHorizontalExtent(UINT nExtent) { SendMessage(CB_SETHORIZONTALEXTENT, nExtent); }
  void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
  int AddString(LPCTSTR lpszString) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)lpszString); }
  int DeleteString(UINT nIndex) { return (int)SendMessage(CB_DELETESTRING, nIndex); }
  int InsertString(int nIndex, LPCTSTR lpszString) {
    return (int)SendMessage(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString);
  }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int Dir(UINT attr, LPCTSTR lpszWildCard) { return (int)SendMessage(CB_DIR, attr, (LPARAM)lpszWildCard); }
  int FindString(int nStartAfter, LPCTSTR lpszString) const {
    return (int)SendMessage(CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
  }
  int SelectString(int nStartAfter, LPCTSTR lpszString) {
    return (int)SendMessage(CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
  }
  void Clear() { SendMessage(WM_CLEAR); }
  void Copy() { SendMessage(WM_COPY); }
  void Cut() { SendMessage(WM_CUT); }
  void Paste() { SendMessage(WM_PASTE); }
  // Owner-drawn combo boxes (reflected messages).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class FW_API CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
 public:
  CScrollBar() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
  void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos); }
  void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
  }
  void ShowScrollBar(BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
  BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags); }
  BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
  }
  BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
  }
  int GetScrollLimit();
};

class FW_API CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
 public:
  CListCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  COLORREF GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR); }
  BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, cr); }
  COLORREF GetTextColor() const { return (COLORREF)SendMessage(LVM_GETTEXTCOLOR); }
  BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, cr); }
  COLORREF GetTextBkColor() const { return (COLORREF)SendMessage(LVM_GETTEXTBKCOLOR); }
  BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, cr); }
  CImageList* GetImageList(int nImageList) const {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)nImageList));
  }
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
  BOOL GetItem(LVITEM* pItem) const { return (BOOL)SendMessage(LVM_GETITEM, 0, (LPARAM)pItem); }
  BOOL SetItem(const LVITEM* pItem) { return (BOOL)SendMessage(LVM_SETITEM, 0, (LPARAM)pItem); }
  BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
               LPARAM lParam);
  UINT GetCallbackMask() const { return (UINT)SendMessage(LVM_GETCALLBACKMASK); }
  BOOL SetCallbackMask(UINT nMask) { return (BOOL)SendMessage(LVM_SETCALLBACKMASK, nMask); }
  int GetNextItem(int nItem, int nFlags) const {
    return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0));
  }
  POSITION GetFirstSelectedItemPosition() const {
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
  }
  int GetNextSelectedItem(POSITION& pos) const {
    int n = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(n, LVNI_SELECTED));
    return n;
  }
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    lpRect->left = (LONG)nCode;
    return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
  }
  BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const {
    ref.top = iSubItem;
    ref.left = nArea;
    return (BOOL)SendMessage(LVM_GETSUBITEMRECT, (WPARAM)iItem, (LPARAM)(LPRECT)&ref);
  }
  BOOL SetItemPosition(int nItem, POINT pt) { return (BOOL)SendMessage(LVM_SETITEMPOSITION32, (WPARAM)nItem, (LPARAM)&pt); }
  BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const {
    return (BOOL)SendMessage(LVM_GETITEMPOSITION, (WPARAM)nItem, (LPARAM)lpPoint);
  }
  int GetStringWidth(LPCTSTR lpsz) const { return (int)SendMessage(LVM_GETSTRINGWIDTH, 0, (LPARAM)lpsz); }
  CEdit* GetEditControl() const;
  CHeaderCtrl* GetHeaderCtrl() const;
  BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const {
    return (BOOL)SendMessage(LVM_GETCOLUMN, (WPARAM)nCol, (LPARAM)pColumn);
  }
  BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) {
    return (BOOL)SendMessage(LVM_SETCOLUMN, (WPARAM)nCol, (LPARAM)pColumn);
  }
  int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)nCol); }
  BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
  BOOL GetViewRect(LPRECT lpRect) const { return (BOOL)SendMessage(LVM_GETVIEWRECT, 0, (LPARAM)lpRect); }
  int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
  int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
  BOOL GetOrigin(LPPOINT lpPoint) const { return (BOOL)SendMessage(LVM_GETORIGIN, 0, (LPARAM)lpPoint); }
  BOOL SetItemState(int nItem, LVITEM* pItem) { return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)pItem); }
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)nItem, nMask); }
  // Empty for an item or column that does not exist.
  CString GetItemText(int nItem, int nSubItem) const;
  int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, (WPARAM)nItems); }
  void SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL) {
    SendMessage(LVM_SETITEMCOUNT, (WPARAM)iCount, (LPARAM)dwFlags);
  }
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  UINT GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT); }
  int GetSelectionMark() const { return (int)SendMessage(LVM_GETSELECTIONMARK); }
  int SetSelectionMark(int iIndex) { return (int)SendMessage(LVM_SETSELECTIONMARK, 0, (LPARAM)iIndex); }
  DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
  DWORD SetExtendedStyle(DWORD dwNewStyle) {
    return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle);
  }
  int GetHotItem() const { return (int)SendMessage(LVM_GETHOTITEM); }
  int SetHotItem(int iIndex) { return (int)SendMessage(LVM_SETHOTITEM, (WPARAM)iIndex); }
  CSize ApproximateViewRect(CSize sz = CSize(-1, -1), int iCount = -1) const {
    DWORD r = (DWORD)SendMessage(LVM_APPROXIMATEVIEWRECT, (WPARAM)iCount, MAKELPARAM(sz.cx, sz.cy));
    return CSize(LOWORD(r), HIWORD(r));
  }
  BOOL GetCheck(int nItem) const { return (int)(GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1 > 0; }
  BOOL SetCheck(int nItem, BOOL fCheck = TRUE) {
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
  }

  int InsertItem(const LVITEM* pItem) { return (int)SendMessage(LVM_INSERTITEM, 0, (LPARAM)pItem); }
  int InsertItem(int nItem, LPCTSTR lpszItem);
  int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
  int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const {
    return (int)SendMessage(LVM_FINDITEM, (WPARAM)nStart, (LPARAM)pFindInfo);
  }
  int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  int HitTest(CPoint pt, UINT* pFlags = NULL) const;
  int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
  BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
    return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)nItem, MAKELPARAM(bPartialOK, 0));
  }
  BOOL Scroll(CSize size) { return (BOOL)SendMessage(LVM_SCROLL, (WPARAM)size.cx, (LPARAM)size.cy); }
  BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)SendMessage(LVM_REDRAWITEMS, (WPARAM)nFirst, nLast); }
  BOOL Arrange(UINT nCode) { return (BOOL)SendMessage(LVM_ARRANGE, nCode); }
  CEdit* EditLabel(int nItem);
  int InsertColumn(int nCol, const LVCOLUMN* pColumn) {
    return (int)SendMessage(LVM_INSERTCOLUMN, (WPARAM)nCol, (LPARAM)pColumn);
  }
  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                   int nSubItem = -1);
  BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)nCol); }
  BOOL Update(int nItem) { return (BOOL)SendMessage(LVM_UPDATE, (WPARAM)nItem); }
  BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return (BOOL)SendMessage(LVM_SORTITEMS, (WPARAM)dwData, (LPARAM)pfnCompare);
  }
  // Owner-drawn list controls (reflected WM_DRAWITEM).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class FW_API CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
 public:
  CTreeCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    *(HTREEITEM*)lpRect = hItem;
    return (BOOL)SendMessage(TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
  }
  UINT GetCount() const { return (UINT)SendMessage(TVM_GETCOUNT); }
  UINT GetIndent() const { return (UINT)SendMessage(TVM_GETINDENT); }
  void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
  CImageList* GetImageList(int nImageList) const {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TVM_GETIMAGELIST, (WPARAM)nImageList));
  }
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
    return (HTREEITEM)SendMessage(TVM_GETNEXTITEM, nCode, (LPARAM)hItem);
  }
  HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
  HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
  HTREEITEM GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
  HTREEITEM GetDropHilightItem() const { return GetNextItem(NULL, TVGN_DROPHILITE); }
  HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
  BOOL GetItem(TVITEM* pItem) const { return (BOOL)SendMessage(TVM_GETITEM, 0, (LPARAM)pItem); }
  // Empty for an item that does not exist.
  CString GetItemText(HTREEITEM hItem) const;
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const {
    return (UINT)SendMessage(TVM_GETITEMSTATE, (WPARAM)hItem, (LPARAM)nStateMask);
  }
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL SetItem(TVITEM* pItem) { return (BOOL)SendMessage(TVM_SETITEM, 0, (LPARAM)pItem); }
  BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
               UINT nStateMask, LPARAM lParam);
  BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) {
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
  }
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0);
  }
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
    return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);
  }
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData) { return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData); }
  BOOL ItemHasChildren(HTREEITEM hItem) const;
  CEdit* GetEditControl() const;
  UINT GetVisibleCount() const { return (UINT)SendMessage(TVM_GETVISIBLECOUNT); }
  CToolTipCtrl* GetToolTips() const;
  BOOL GetCheck(HTREEITEM hItem) const { return (int)(GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1 > 0; }
  BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE) {
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
  }
  COLORREF SetBkColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETBKCOLOR, 0, (LPARAM)clr); }
  COLORREF SetTextColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETTEXTCOLOR, 0, (LPARAM)clr); }
  int SetItemHeight(SHORT cyHeight) { return (int)SendMessage(TVM_SETITEMHEIGHT, (WPARAM)cyHeight); }
  int GetItemHeight() const { return (int)SendMessage(TVM_GETITEMHEIGHT); }

  HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
    return (HTREEITEM)SendMessage(TVM_INSERTITEM, 0, (LPARAM)lpInsertStruct);
  }
  HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                       LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)hItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
  BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)SendMessage(TVM_EXPAND, nCode, (LPARAM)hItem); }
  BOOL Select(HTREEITEM hItem, UINT nCode) { return (BOOL)SendMessage(TVM_SELECTITEM, nCode, (LPARAM)hItem); }
  BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
  BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
  BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
  CEdit* EditLabel(HTREEITEM hItem);
  HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
  HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const {
    return (HTREEITEM)SendMessage(TVM_HITTEST, 0, (LPARAM)pHitTestInfo);
  }
  CImageList* CreateDragImage(HTREEITEM hItem);
  BOOL SortChildren(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)hItem); }
  BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
  BOOL SortChildrenCB(LPTVSORTCB pSort) { return (BOOL)SendMessage(TVM_SORTCHILDRENCB, 0, (LPARAM)pSort); }
};

class FW_API CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)
 public:
  CHeaderCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
  BOOL GetItem(int nPos, HDITEM* pHeaderItem) const {
    return (BOOL)SendMessage(HDM_GETITEM, (WPARAM)nPos, (LPARAM)pHeaderItem);
  }
  BOOL SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)SendMessage(HDM_SETITEM, (WPARAM)nPos, (LPARAM)pHeaderItem); }
  int InsertItem(int nPos, HDITEM* phdi) { return (int)SendMessage(HDM_INSERTITEM, (WPARAM)nPos, (LPARAM)phdi); }
  BOOL DeleteItem(int nPos) { return (BOOL)SendMessage(HDM_DELETEITEM, (WPARAM)nPos); }
  BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)SendMessage(HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
    return (BOOL)SendMessage(HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
  }
  CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_GETIMAGELIST)); }
  CImageList* SetImageList(CImageList* pImageList);
  BOOL GetOrderArray(LPINT piArray, int iCount) const {
    return (BOOL)SendMessage(HDM_GETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
  }
  BOOL SetOrderArray(int iCount, LPINT piArray) {
    return (BOOL)SendMessage(HDM_SETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
  }
  int OrderToIndex(int nOrder) const { return (int)SendMessage(HDM_ORDERTOINDEX, (WPARAM)nOrder); }
  int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)SendMessage(HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }
  // Owner-drawn headers (reflected WM_DRAWITEM).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class FW_API CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
 public:
  CTabCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_GETIMAGELIST)); }
  CImageList* SetImageList(CImageList* pImageList);
  int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const {
    return (BOOL)SendMessage(TCM_GETITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem);
  }
  BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)SendMessage(TCM_SETITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
  BOOL SetItemExtra(int nBytes) { return (BOOL)SendMessage(TCM_SETITEMEXTRA, (WPARAM)nBytes); }
  BOOL GetItemRect(int nItem, LPRECT lpRect) const {
    return (BOOL)SendMessage(TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
  }
  int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
  int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, (WPARAM)nItem); }
  void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, (WPARAM)nItem); }
  int GetCurFocus() const { return (int)SendMessage(TCM_GETCURFOCUS); }
  CSize SetItemSize(CSize size) {
    DWORD r = (DWORD)SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(r), HIWORD(r));
  }
  void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
  int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT); }
  CToolTipCtrl* GetToolTips() const;
  void SetToolTips(CToolTipCtrl* pWndTip);
  int SetMinTabWidth(int cx) { return (int)SendMessage(TCM_SETMINTABWIDTH, 0, (LPARAM)cx); }
  LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) {
    return (LONG)SendMessage(TCM_INSERTITEM, (WPARAM)nItem, (LPARAM)pTabCtrlItem);
  }
  LONG InsertItem(int nItem, LPCTSTR lpszItem);
  LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, (WPARAM)nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS); }
  void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
  void RemoveImage(int nImage) { SendMessage(TCM_REMOVEIMAGE, (WPARAM)nImage); }
  int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  void DeselectAll(BOOL fExcludeFocus) { SendMessage(TCM_DESELECTALL, fExcludeFocus); }
  // Owner-drawn tabs (reflected WM_DRAWITEM).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class FW_API CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  CToolTipCtrl() = default;
  // A popup tooltip window owned by pParentWnd's window.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  BOOL GetToolInfo(TOOLINFO& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetToolInfo(LPTOOLINFO lpToolInfo) { SendMessage(TTM_SETTOOLINFO, 0, (LPARAM)lpToolInfo); }
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
  int GetDelayTime(DWORD dwDuration) const { return (int)SendMessage(TTM_GETDELAYTIME, dwDuration); }
  void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)nDelay); }
  void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
  int SetMaxTipWidth(int iWidth) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth); }
  void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
  void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
  void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
  // A tool for the child nIDTool of pWnd (or for the rectangle of pWnd when lpRectTool is
  // given); lpszText may be LPSTR_TEXTCALLBACK or a string resource id.
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;
  void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
  void SetMargin(LPRECT lprc) { SendMessage(TTM_SETMARGIN, 0, (LPARAM)lprc); }
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void Update() { SendMessage(TTM_UPDATE); }
  void Pop() { SendMessage(TTM_POP); }
  BOOL AdjustRect(LPRECT lprc, BOOL bLarger = TRUE) { return (BOOL)SendMessage(TTM_ADJUSTRECT, bLarger, (LPARAM)lprc); }

 protected:
  void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

class FW_API CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
 public:
  CSpinButtonCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return (BOOL)SendMessage(UDM_SETACCEL, (WPARAM)nAccel, (LPARAM)pAccel); }
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const {
    return (UINT)SendMessage(UDM_GETACCEL, (WPARAM)nAccel, (LPARAM)pAccel);
  }
  int SetBase(int nBase) { return (int)SendMessage(UDM_SETBASE, (WPARAM)nBase); }
  UINT GetBase() const { return (UINT)SendMessage(UDM_GETBASE); }
  CWnd* SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd())); }
  CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)SendMessage(UDM_GETBUDDY)); }
  int SetPos(int nPos) { return (int)(short)SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0)); }
  int GetPos() const { return (int)SendMessage(UDM_GETPOS); }
  int SetPos32(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, (LPARAM)nPos); }
  int GetPos32(LPBOOL lpbError = NULL) const { return (int)SendMessage(UDM_GETPOS32, 0, (LPARAM)lpbError); }
  void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
  DWORD GetRange() const { return (DWORD)SendMessage(UDM_GETRANGE); }
  void GetRange(int& lower, int& upper) const;
  void GetRange32(int& lower, int& upper) const { SendMessage(UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
};

class FW_API CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)
 public:
  CSliderCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetLineSize() const { return (int)SendMessage(TBM_GETLINESIZE); }
  int SetLineSize(int nSize) { return (int)SendMessage(TBM_SETLINESIZE, 0, nSize); }
  int GetPageSize() const { return (int)SendMessage(TBM_GETPAGESIZE); }
  int SetPageSize(int nSize) { return (int)SendMessage(TBM_SETPAGESIZE, 0, nSize); }
  int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
  int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN); }
  void GetRange(int& nMin, int& nMax) const {
    nMin = GetRangeMin();
    nMax = GetRangeMax();
  }
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) {
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
  }
  void GetSelection(int& nMin, int& nMax) const {
    nMin = (int)SendMessage(TBM_GETSELSTART);
    nMax = (int)SendMessage(TBM_GETSELEND);
  }
  void SetSelection(int nMin, int nMax) {
    SendMessage(TBM_SETSELSTART, FALSE, nMin);
    SendMessage(TBM_SETSELEND, TRUE, nMax);
  }
  void GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
  void GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
  int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
  void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
  UINT GetNumTics() const { return (UINT)SendMessage(TBM_GETNUMTICS); }
  DWORD* GetTicArray() const { return (DWORD*)SendMessage(TBM_GETPTICS); }
  int GetTic(int nTic) const { return (int)SendMessage(TBM_GETTIC, (WPARAM)nTic); }
  int GetTicPos(int nTic) const { return (int)SendMessage(TBM_GETTICPOS, (WPARAM)nTic); }
  BOOL SetTic(int nTic) { return (BOOL)SendMessage(TBM_SETTIC, 0, nTic); }
  void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, (WPARAM)nFreq); }
  void ClearSel(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARSEL, bRedraw); }
  void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
  CWnd* GetBuddy(BOOL fLocation = TRUE) const { return CWnd::FromHandle((HWND)SendMessage(TBM_GETBUDDY, fLocation)); }
  CWnd* SetBuddy(CWnd* pWndBuddy, BOOL fLocation = TRUE) {
    return CWnd::FromHandle((HWND)SendMessage(TBM_SETBUDDY, fLocation, (LPARAM)pWndBuddy->GetSafeHwnd()));
  }
};

class FW_API CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
 public:
  CProgressCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
  void GetRange(int& nLower, int& nUpper) const {
    PBRANGE range = {0, 0};
    SendMessage(PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
  }
  int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
  int OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, (WPARAM)nPos); }
  int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, (WPARAM)nStep); }
  int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos); }
  int StepIt() { return (int)SendMessage(PBM_STEPIT); }
  COLORREF SetBarColor(COLORREF clrBar) { return (COLORREF)SendMessage(PBM_SETBARCOLOR, 0, (LPARAM)clrBar); }
  COLORREF SetBkColor(COLORREF clrNew) { return (COLORREF)SendMessage(PBM_SETBKCOLOR, 0, (LPARAM)clrNew); }
};

class FW_API CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)
 public:
  CRichEditCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL CanUndo() const { return (BOOL)SendMessage(EM_CANUNDO); }
  BOOL CanRedo() const { return (BOOL)SendMessage(EM_CANREDO); }
  int GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT); }
  BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY); }
  void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
  void GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, (LPARAM)lpRect); }
  CPoint GetCharPos(long lChar) const {
    POINTL pt = {0, 0};
    SendMessage(EM_POSFROMCHAR, (WPARAM)&pt, lChar);
    return CPoint(pt.x, pt.y);
  }
  void SetOptions(WORD wOp, DWORD dwFlags) { SendMessage(EM_SETOPTIONS, wOp, (LPARAM)dwFlags); }
  int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
  BOOL CanPaste(UINT nFormat = 0) const { return (BOOL)SendMessage(EM_CANPASTE, nFormat); }
  void GetSel(long& nStartChar, long& nEndChar) const;
  void GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, (LPARAM)&cr); }
  void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
  long LineFromChar(long nIndex) const { return (long)SendMessage(EM_EXLINEFROMCHAR, 0, nIndex); }
  void SetSel(long nStartChar, long nEndChar);
  void SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, (LPARAM)&cr); }
  DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
  DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
  long GetEventMask() const { return (long)SendMessage(EM_GETEVENTMASK); }
  long GetLimitText() const { return (long)SendMessage(EM_GETLIMITTEXT); }
  DWORD GetParaFormat(PARAFORMAT& pf) const;
  // The selected text.
  CString GetSelText() const;
  long GetSelText(LPSTR lpBuf) const { return (long)SendMessage(EM_GETSELTEXT, 0, (LPARAM)lpBuf); }
  WORD GetSelectionType() const { return (WORD)SendMessage(EM_SELECTIONTYPE); }
  COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr) {
    return (COLORREF)SendMessage(EM_SETBKGNDCOLOR, bSysColor, cr);
  }
  BOOL SetDefaultCharFormat(CHARFORMAT& cf);
  BOOL SetSelectionCharFormat(CHARFORMAT& cf);
  BOOL SetWordCharFormat(CHARFORMAT& cf);
  DWORD SetEventMask(DWORD dwEventMask) { return (DWORD)SendMessage(EM_SETEVENTMASK, 0, dwEventMask); }
  BOOL SetParaFormat(PARAFORMAT& pf);
  BOOL SetTargetDevice(HDC hDC, long lLineWidth) { return (BOOL)SendMessage(EM_SETTARGETDEVICE, (WPARAM)hDC, lLineWidth); }
  long GetTextLength() const { return (long)SendMessage(WM_GETTEXTLENGTH); }
  long GetTextLengthEx(DWORD dwFlags, UINT uCodePage = (UINT)-1) const;
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, bReadOnly); }
  int GetFirstVisibleLine() const { return (int)SendMessage(EM_GETFIRSTVISIBLELINE); }
  void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
  int LineIndex(int nLine = -1) const { return (int)SendMessage(EM_LINEINDEX, (WPARAM)nLine); }
  int LineLength(int nLine = -1) const { return (int)SendMessage(EM_LINELENGTH, (WPARAM)nLine); }
  void LineScroll(int nLines, int nChars = 0) { SendMessage(EM_LINESCROLL, (WPARAM)nChars, nLines); }
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) {
    SendMessage(EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
  }
  void SetRect(LPCRECT lpRect) { SendMessage(EM_SETRECT, 0, (LPARAM)lpRect); }
  BOOL DisplayBand(LPRECT pDisplayRect) { return (BOOL)SendMessage(EM_DISPLAYBAND, 0, (LPARAM)pDisplayRect); }
  long FindText(DWORD dwFlags, FINDTEXTEX* pFindText) const {
    return (long)SendMessage(EM_FINDTEXTEX, dwFlags, (LPARAM)pFindText);
  }
  long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE) {
    return (long)SendMessage(EM_FORMATRANGE, bDisplay, (LPARAM)pfr);
  }
  void HideSelection(BOOL bHide, BOOL bPerm) { SendMessage(EM_HIDESELECTION, bHide, bPerm); }
  void PasteSpecial(UINT nClipFormat, DWORD dvAspect = 0, HMETAFILE hMF = 0);
  void RequestResize() { SendMessage(EM_REQUESTRESIZE); }
  long StreamIn(int nFormat, EDITSTREAM& es) { return (long)SendMessage(EM_STREAMIN, (WPARAM)nFormat, (LPARAM)&es); }
  long StreamOut(int nFormat, EDITSTREAM& es) { return (long)SendMessage(EM_STREAMOUT, (WPARAM)nFormat, (LPARAM)&es); }
  DWORD GetOptions() const { return (DWORD)SendMessage(EM_GETOPTIONS); }
  void SetOptions(DWORD dwOptions) { SendMessage(EM_SETOPTIONS, ECOOP_SET, (LPARAM)dwOptions); }
  BOOL Undo() { return (BOOL)SendMessage(EM_UNDO); }
  BOOL Redo() { return (BOOL)SendMessage(EM_REDO); }
  void Clear() { SendMessage(WM_CLEAR); }
  void Copy() { SendMessage(WM_COPY); }
  void Cut() { SendMessage(WM_CUT); }
  void Paste() { SendMessage(WM_PASTE); }
};

class FW_API CStatusBarCtrl : public CWnd {
  DECLARE_DYNAMIC(CStatusBarCtrl)
 public:
  CStatusBarCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL SetText(LPCTSTR lpszText, int nPane, int nType) {
    return (BOOL)SendMessage(SB_SETTEXT, (WPARAM)(nPane | nType), (LPARAM)lpszText);
  }
  // The text of the pane; pType receives the drawing type (SBT_ flags).
  CString GetText(int nPane, int* pType = NULL) const;
  int GetTextLength(int nPane, int* pType = NULL) const;
  BOOL SetParts(int nParts, int* pWidths) { return (BOOL)SendMessage(SB_SETPARTS, (WPARAM)nParts, (LPARAM)pWidths); }
  int GetParts(int nParts, int* pParts) const { return (int)SendMessage(SB_GETPARTS, (WPARAM)nParts, (LPARAM)pParts); }
  BOOL GetBorders(int* pBorders) const { return (BOOL)SendMessage(SB_GETBORDERS, 0, (LPARAM)pBorders); }
  BOOL GetBorders(int& nHorz, int& nVert, int& nSpacing) const;
  void SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, (WPARAM)nMin); }
  BOOL SetSimple(BOOL bSimple = TRUE) { return (BOOL)SendMessage(SB_SIMPLE, bSimple); }
  BOOL IsSimple() const { return (BOOL)SendMessage(SB_ISSIMPLE); }
  BOOL GetRect(int nPane, LPRECT lpRect) const { return (BOOL)SendMessage(SB_GETRECT, (WPARAM)nPane, (LPARAM)lpRect); }
  void SetTipText(int nPane, LPCTSTR pszTipText) { SendMessage(SB_SETTIPTEXT, (WPARAM)nPane, (LPARAM)pszTipText); }
  BOOL SetIcon(int nPane, HICON hIcon) { return (BOOL)SendMessage(SB_SETICON, (WPARAM)nPane, (LPARAM)hIcon); }
  COLORREF SetBkColor(COLORREF cr) { return (COLORREF)SendMessage(SB_SETBKCOLOR, 0, (LPARAM)cr); }
  // Owner-drawn panes (reflected WM_DRAWITEM).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class FW_API CToolBarCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolBarCtrl)
 public:
  CToolBarCtrl() = default;
  // The button structure size is set on creation.
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  BOOL IsButtonEnabled(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONENABLED, (WPARAM)nID); }
  BOOL IsButtonChecked(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONCHECKED, (WPARAM)nID); }
  BOOL IsButtonPressed(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONPRESSED, (WPARAM)nID); }
  BOOL IsButtonHidden(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONHIDDEN, (WPARAM)nID); }
  BOOL IsButtonIndeterminate(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONINDETERMINATE, (WPARAM)nID); }
  BOOL SetState(int nID, UINT nState) { return (BOOL)SendMessage(TB_SETSTATE, (WPARAM)nID, MAKELPARAM(nState, 0)); }
  int GetState(int nID) const { return (int)SendMessage(TB_GETSTATE, (WPARAM)nID); }
  BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const {
    return (BOOL)SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)lpButton);
  }
  int GetButtonCount() const { return (int)SendMessage(TB_BUTTONCOUNT); }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
    return (BOOL)SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
  }
  BOOL GetRect(int nID, LPRECT lpRect) const { return (BOOL)SendMessage(TB_GETRECT, (WPARAM)nID, (LPARAM)lpRect); }
  void SetButtonStructSize(int nSize) { SendMessage(TB_BUTTONSTRUCTSIZE, (WPARAM)nSize); }
  BOOL SetButtonSize(CSize size) { return (BOOL)SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
  BOOL SetBitmapSize(CSize size) { return (BOOL)SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)); }
  CSize GetButtonSize() const {
    DWORD r = (DWORD)SendMessage(TB_GETBUTTONSIZE);
    return CSize(LOWORD(r), HIWORD(r));
  }
  CToolTipCtrl* GetToolTips() const;
  void SetToolTips(CToolTipCtrl* pTip);
  void SetOwner(CWnd* pWnd) { SendMessage(TB_SETPARENT, (WPARAM)pWnd->GetSafeHwnd()); }
  void SetRows(int nRows, BOOL bLarger, LPRECT lpRect) { SendMessage(TB_SETROWS, MAKEWPARAM(nRows, bLarger), (LPARAM)lpRect); }
  int GetRows() const { return (int)SendMessage(TB_GETROWS); }
  BOOL SetCmdID(int nIndex, UINT nID) { return (BOOL)SendMessage(TB_SETCMDID, (WPARAM)nIndex, nID); }
  UINT GetBitmapFlags() const { return (UINT)SendMessage(TB_GETBITMAPFLAGS); }
  DWORD GetStyle() const { return (DWORD)SendMessage(TB_GETSTYLE); }
  void SetStyle(DWORD dwStyle) { SendMessage(TB_SETSTYLE, 0, (LPARAM)dwStyle); }
  DWORD GetExtendedStyle() const { return (DWORD)SendMessage(TB_GETEXTENDEDSTYLE); }
  DWORD SetExtendedStyle(DWORD dwExStyle) { return (DWORD)SendMessage(TB_SETEXTENDEDSTYLE, 0, (LPARAM)dwExStyle); }
  CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)SendMessage(TB_GETIMAGELIST)); }
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetHotImageList() const { return CImageList::FromHandle((HIMAGELIST)SendMessage(TB_GETHOTIMAGELIST)); }
  CImageList* SetHotImageList(CImageList* pImageList);
  CImageList* GetDisabledImageList() const {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TB_GETDISABLEDIMAGELIST));
  }
  CImageList* SetDisabledImageList(CImageList* pImageList);
  int GetHotItem() const { return (int)SendMessage(TB_GETHOTITEM); }
  int SetHotItem(int nHot) { return (int)SendMessage(TB_SETHOTITEM, (WPARAM)nHot); }
  BOOL GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const {
    return (int)SendMessage(TB_GETBUTTONINFO, (WPARAM)nID, (LPARAM)ptbbi) != -1;
  }
  BOOL SetButtonInfo(int nID, TBBUTTONINFO* ptbbi) {
    return (BOOL)SendMessage(TB_SETBUTTONINFO, (WPARAM)nID, (LPARAM)ptbbi);
  }
  void GetMaxSize(LPSIZE pSize) const { SendMessage(TB_GETMAXSIZE, 0, (LPARAM)pSize); }
  int CommandToIndex(UINT nID) const { return (int)SendMessage(TB_COMMANDTOINDEX, nID); }
  int HitTest(LPPOINT ppt) const { return (int)SendMessage(TB_HITTEST, 0, (LPARAM)ppt); }
  BOOL SetIndent(int iIndent) { return (BOOL)SendMessage(TB_SETINDENT, (WPARAM)iIndent); }
  BOOL SetMaxTextRows(int iMaxRows) { return (BOOL)SendMessage(TB_SETMAXTEXTROWS, (WPARAM)iMaxRows); }

  BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return (BOOL)SendMessage(TB_ENABLEBUTTON, (WPARAM)nID, MAKELPARAM(bEnable, 0)); }
  BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return (BOOL)SendMessage(TB_CHECKBUTTON, (WPARAM)nID, MAKELPARAM(bCheck, 0)); }
  BOOL PressButton(int nID, BOOL bPress = TRUE) { return (BOOL)SendMessage(TB_PRESSBUTTON, (WPARAM)nID, MAKELPARAM(bPress, 0)); }
  BOOL HideButton(int nID, BOOL bHide = TRUE) { return (BOOL)SendMessage(TB_HIDEBUTTON, (WPARAM)nID, MAKELPARAM(bHide, 0)); }
  BOOL Indeterminate(int nID, BOOL bIndeterminate = TRUE) {
    return (BOOL)SendMessage(TB_INDETERMINATE, (WPARAM)nID, MAKELPARAM(bIndeterminate, 0));
  }
  // Adds nNumButtons images from the bitmap (resource nBitmapID of the module chain, or
  // pBitmap); the index of the first, -1 on failure.
  int AddBitmap(int nNumButtons, UINT nBitmapID);
  int AddBitmap(int nNumButtons, CBitmap* pBitmap);
  BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) {
    return (BOOL)SendMessage(TB_ADDBUTTONS, (WPARAM)nNumButtons, (LPARAM)lpButtons);
  }
  BOOL InsertButton(int nIndex, LPTBBUTTON lpButton) {
    return (BOOL)SendMessage(TB_INSERTBUTTON, (WPARAM)nIndex, (LPARAM)lpButton);
  }
  BOOL DeleteButton(int nIndex) { return (BOOL)SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex); }
  int AddString(UINT nStringID);
  int AddStrings(LPCTSTR lpszStrings) { return (int)SendMessage(TB_ADDSTRING, 0, (LPARAM)lpszStrings); }
  void AutoSize() { SendMessage(TB_AUTOSIZE); }
  void Customize() { SendMessage(TB_CUSTOMIZE); }
  BOOL MoveButton(UINT nOldPos, UINT nNewPos) { return (BOOL)SendMessage(TB_MOVEBUTTON, nOldPos, nNewPos); }
  void SaveState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName);
  void RestoreState(HKEY hKeyRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName);
};
