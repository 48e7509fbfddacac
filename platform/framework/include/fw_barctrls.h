// The status-bar and toolbar common controls.
// Each Create makes the control as a child of pParentWnd bound to the object (the common-control
// classes are registered on first use); the members send the control's messages. Objects
// returned as CWnd*, CEdit*, CImageList* and the like are borrowing temporary objects unless
// the caller bound them.
#pragma once
#include "fw_defs.h"
#include "fw_wnd.h"
#include "fw_imagelist.h"

#include <commctrl.h>

class CToolTipCtrl;

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
