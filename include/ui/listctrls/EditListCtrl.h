// A report-view list whose sub-items (the columns after the first) are edited in place. The
// list keeps no cell data of its own: it asks its parent, through WM_NOTIFY with an
// NMLVDISPINFO (wParam = the list's id) and the codes below, whether a cell may be edited,
// which text to edit, what to display after an edit, and whether a column may be resized.
//
//   ELN_GETEDITTEXT     item/sub-item and a zeroed buffer; non-zero answer: the buffer holds the
//                       text (a full buffer is asked again with a larger one); zero: the list's
//                       own item text is used
//   ELN_SETEDITTEXT     item/sub-item and the edited text (capacity 0); the answer is ignored
//   ELN_GETDISPLAYTEXT  as ELN_GETEDITTEXT, for the text shown after an edit
//   ELN_CANEDIT         item/sub-item, no text; non-zero = the cell may be edited
//   ELN_CANRESIZE       item -1, the column, no text; non-zero = the column may be resized
//                       (by dragging its divider or double-clicking it)
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class CInPlaceEdit;

class QUARNEL_API CEditListCtrl : public CListCtrl {
 public:
  enum { INPLACE_EDIT_ID = 3000 };
  enum {
    ELN_GETEDITTEXT = WM_USER,
    ELN_SETEDITTEXT = WM_USER + 1,
    ELN_GETDISPLAYTEXT = WM_USER + 2,
    ELN_CANEDIT = WM_USER + 3,
    ELN_CANRESIZE = WM_USER + 4,
  };

  CEditListCtrl();
  ~CEditListCtrl() override;

  BOOL CanEdit(int nRow, int nColumn);
  BOOL CanResize(int nColumn);
  CString GetEditText(int nRow, int nColumn);
  CString GetDisplayText(int nRow, int nColumn);
  void SetEditText(int nRow, int nColumn, LPCTSTR lpszText);

  // The row under point and, when pColumn is given, the column (0 outside report view); -1
  // when no row (or, in report view, no column) holds the point. Both edges of a column count
  // as inside it.
  int HitTestEx(CPoint& point, int* pColumn) const;
  // The same hit test on any list control.
  static int HitTestList(const CListCtrl* pList, CPoint& point, int* pColumn);
  // Opens the editor on a sub-item; NULL when the parent refuses, the column does not exist
  // or is 4 pixels wide or narrower, or the window cannot be made.
  CEdit* EditSubLabel(int nRow, int nColumn);
  // The open editor, or NULL.
  CInPlaceEdit* GetInPlaceEdit() const;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  // Sends one of the codes above; the parent's answer (0 without a parent).
  LRESULT AskParent(UINT code, LV_DISPINFO& info);
  // Asks for a text (ELN_GETEDITTEXT or ELN_GETDISPLAYTEXT); FALSE when the parent answered 0.
  BOOL AskText(UINT code, int nRow, int nColumn, CString& text);
  void OnPress(UINT nFlags, CPoint point, BOOL bDouble);
  // Asks ELN_CANRESIZE for a header notice about a column; TRUE when the parent refuses.
  BOOL RefuseResize(const NMHDR* pHeader);
};
