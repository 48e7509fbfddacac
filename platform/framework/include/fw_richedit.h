// The rich edit control.
// Each Create makes the control as a child of pParentWnd bound to the object (the common-control
// classes are registered on first use); the members send the control's messages. Objects
// returned as CWnd*, CEdit*, CImageList* and the like are borrowing temporary objects unless
// the caller bound them.
#pragma once
#include "fw_defs.h"
#include "fw_wnd.h"

#include <richedit.h>

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
