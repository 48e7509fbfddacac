// A tree view with two features of its own, switched by its style word (SetStyle): multi-
// selection (click, Ctrl+click, Shift+click, Shift/Ctrl with Up and Down, an anchor, a caret
// that moves without changing the selection) and check boxes in the items' state images, with
// an optional spread of a change to children and parents, and a partial state for a parent
// whose children differ. The tree must be a child of a framework window (its click and
// selection notices come back reflected).
//
// Notices to the parent (WM_NOTIFY with an NMTREEVIEW; wParam is the notice's code, the
// header holds the tree's window and id):
//   TVN_SELCHANGEDW          one item's selection changed: the item in itemNew (selected) or
//                            itemOld (deselected), mask TVIF_STATE | TVIF_HANDLE | TVIF_PARAM
//   QVTVN_CHECKSTATECHANGED  an item's check state changed: itemNew.hItem
//   QVTVN_SELECTIONCHANGED   the selection changed as a whole: itemNew.hItem is 1 after a mouse
//                            press, 0 after a key
#pragma once
#include <framework.h>

#include <vector>

#include "quarnel_api.h"

// The check state of an item, kept as its state image index.
enum TVItemCheckState { TVCS_NONE = 0, TVCS_UNCHECKED = 1, TVCS_CHECKED = 2, TVCS_PARTIAL = 3 };

// Style bits.
#define QVTS_MULTISELECT 0x0001
#define QVTS_CHECKBOXES 0x0010
#define QVTS_CHECK_CHILDREN 0x0020    // checking an item checks its children
#define QVTS_UNCHECK_CHILDREN 0x0040  // unchecking an item unchecks its children
#define QVTS_CHECK_PARENT 0x0080      // checking an item can check its parent
#define QVTS_UNCHECK_PARENT 0x0100    // unchecking an item can uncheck its parent
#define QVTS_PARTIAL 0x0200           // a parent whose children differ becomes partial
#define QVTS_NOREDRAW_ON_CLICK 0x0400  // no redraw while a press changes the selection

#define QVTVN_CHECKSTATECHANGED (TVN_FIRST - 70)
#define QVTVN_SELECTIONCHANGED (TVN_FIRST - 71)

class QUARNEL_API CQvTreeCtrl : public CTreeCtrl {
 public:
  CQvTreeCtrl();
  ~CQvTreeCtrl() override;

  // Adds and removes style bits; the new style word.
  UINT SetStyle(UINT nAdd, UINT nRemove);
  UINT GetTreeStyle() const { return m_nStyle; }

  // Inserts (with the library's GUI font) and, with check boxes on, gives the item the check
  // state, spreading it as SetItemCheckState does.
  HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct, TVItemCheckState state = TVCS_UNCHECKED);
  HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                       LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter,
                       TVItemCheckState state = TVCS_UNCHECKED);
  HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST,
                       TVItemCheckState state = TVCS_UNCHECKED);
  HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST, TVItemCheckState state = TVCS_UNCHECKED);

  TVItemCheckState GetItemCheckState(HTREEITEM hItem) const;
  // Sets the state (without a notice for the item itself) and spreads it by the style.
  void SetItemCheckState(HTREEITEM hItem, TVItemCheckState state);

  // The pre-order successor: NULL gives the root, an item with children its first child, else
  // the next sibling of the item or of its nearest ancestor that has one; NULL at the end.
  HTREEITEM GetNextItemEx(HTREEITEM hItem) const;
  HTREEITEM GetNextSelectedItem(HTREEITEM hItem) const;
  UINT GetSelectedCount() const;
  void SelectItemKeepSelection(HTREEITEM hItem, BOOL bFocus);
  void DeselectItemKeepSelection(HTREEITEM hItem);
  void DeselectAll();
  HTREEITEM GetAnchor() const { return m_hAnchor; }

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  // The tree's own handling of a press, remembering where it was.
  void DefaultPress(UINT nFlags, CPoint point, BOOL bDouble);
  // The item under the press being handled (else under the last message's position).
  HTREEITEM PressHitTest(UINT* pFlags) const;
  // Sets the state (a notice when asked) and spreads it; bFromParent: set by its parent's spread.
  void CheckItem(HTREEITEM hItem, TVItemCheckState state, BOOL bNotify, BOOL bFromParent = FALSE);
  // Spreads an item's new state to its children and parent, as the style says.
  void Spread(HTREEITEM hItem, TVItemCheckState state, BOOL bFromParent);
  void ParentRule(HTREEITEM hItem, TVItemCheckState state);
  void LowLevelSelectItem(HTREEITEM hItem, BOOL bSelect, BOOL bNotify);
  void GiveFocusToItem(HTREEITEM hItem);
  void SelectItemContinuous(HTREEITEM hItem, BOOL bSelect, BOOL bShift, BOOL bCtrl, BOOL bNotify);
  void DeselectAllBut(HTREEITEM hKeep);
  BOOL IsSelected(HTREEITEM hItem) const;
  void Notify(UINT code, HTREEITEM hItem);
  void NotifySelection(HTREEITEM hItem, BOOL bSelected);
  void AfterCaretMove(HTREEITEM hBefore);
  void RepaintSelected();
  void ApplyCheckState(HTREEITEM hItem, TVItemCheckState state);
  void UseLibraryFont();
  BOOL LoadCheckImages();

  HTREEITEM m_hAnchor;
  UINT m_nStyle;
  CImageList m_checkImages;
  CPoint m_pressPoint;
  BOOL m_bPressing;
  int m_nCheckDepth;      // nesting of CheckItem
  BOOL m_bCheckChanged;   // a check state changed since the outermost CheckItem began
};
