#include "QvTreeCtrl.h"

#include <framework.h>

#include <algorithm>

#include "UIUtilities.h"

namespace {
// The check-box strip: four 16 x 16 images (blank, unchecked, checked, partial) on red.
const TCHAR kCheckStrip[] = _T("UIBMP_TREE_CB");
const int kCheckSide = 16;
const int kCheckImages = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CQvTreeCtrl, CTreeCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CQvTreeCtrl::CQvTreeCtrl() : m_hAnchor(NULL), m_nStyle(QVTS_MULTISELECT), m_pressPoint(0, 0), m_bPressing(FALSE), m_nCheckDepth(0), m_bCheckChanged(FALSE) {}

CQvTreeCtrl::~CQvTreeCtrl() {}

// Styles and insertion.

BOOL CQvTreeCtrl::LoadCheckImages() {
  HINSTANCE module = AfxFindResourceHandle(kCheckStrip, RT_BITMAP);
  if (module == NULL) return FALSE;
  HIMAGELIST list = ImageList_LoadImage(module, kCheckStrip, kCheckSide, 0, RGB(255, 0, 0), IMAGE_BITMAP, LR_DEFAULTCOLOR);
  if (list == NULL) return FALSE;
  if (ImageList_GetImageCount(list) < kCheckImages) {
    ImageList_Destroy(list);
    return FALSE;
  }
  HIMAGELIST previous = reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(list)));
  m_checkImages.DeleteImageList();
  m_checkImages.Attach(list);
  // A state list somebody else gave the tree before is not ours to delete.
  (void)previous;
  return TRUE;
}

UINT CQvTreeCtrl::SetStyle(UINT nAdd, UINT nRemove) {
  const UINT old = m_nStyle;
  if ((nRemove & QVTS_MULTISELECT) && (old & QVTS_MULTISELECT) && GetSafeHwnd() != NULL && GetSelectedCount() > 1)
    DeselectAllBut(GetNextSelectedItem(NULL));
  if ((nAdd & QVTS_CHECKBOXES) && !(old & QVTS_CHECKBOXES) && GetSafeHwnd() != NULL && LoadCheckImages()) {
    for (HTREEITEM item = GetNextItemEx(NULL); item != NULL; item = GetNextItemEx(item))
      SetItemState(item, INDEXTOSTATEIMAGEMASK(TVCS_UNCHECKED), TVIS_STATEIMAGEMASK);
  }
  m_nStyle = (old & ~nRemove) | nAdd;
  return m_nStyle;
}

void CQvTreeCtrl::UseLibraryFont() {
  CFont* font = UIGetDefaultGUIFont2();
  if (font == NULL) return;
  // Setting the font redraws the whole tree: only when it differs.
  if (reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) != static_cast<HFONT>(font->GetSafeHandle()))
    SetFont(font, TRUE);
}

void CQvTreeCtrl::ApplyCheckState(HTREEITEM hItem, TVItemCheckState state) {
  if (hItem == NULL || !(m_nStyle & QVTS_CHECKBOXES)) return;
  SetItemState(hItem, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
  SetItemCheckState(hItem, state);
}

HTREEITEM CQvTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct, TVItemCheckState state) {
  UseLibraryFont();
  HTREEITEM item = CTreeCtrl::InsertItem(lpInsertStruct);
  ApplyCheckState(item, state);
  return item;
}

HTREEITEM CQvTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                  UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter,
                                  TVItemCheckState state) {
  UseLibraryFont();
  HTREEITEM item =
      CTreeCtrl::InsertItem(nMask, lpszItem, nImage, nSelectedImage, nState, nStateMask, lParam, hParent, hInsertAfter);
  ApplyCheckState(item, state);
  return item;
}

HTREEITEM CQvTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter, TVItemCheckState state) {
  UseLibraryFont();
  HTREEITEM item = CTreeCtrl::InsertItem(lpszItem, hParent, hInsertAfter);
  ApplyCheckState(item, state);
  return item;
}

HTREEITEM CQvTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                  HTREEITEM hInsertAfter, TVItemCheckState state) {
  UseLibraryFont();
  HTREEITEM item = CTreeCtrl::InsertItem(lpszItem, nImage, nSelectedImage, hParent, hInsertAfter);
  ApplyCheckState(item, state);
  return item;
}

// Check states.

TVItemCheckState CQvTreeCtrl::GetItemCheckState(HTREEITEM hItem) const {
  if (hItem == NULL) return TVCS_NONE;
  return static_cast<TVItemCheckState>((GetItemState(hItem, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

void CQvTreeCtrl::SetItemCheckState(HTREEITEM hItem, TVItemCheckState state) {
  if (hItem != NULL) CheckItem(hItem, state, FALSE);
}

void CQvTreeCtrl::CheckItem(HTREEITEM hItem, TVItemCheckState state, BOOL bNotify, BOOL bFromParent) {
  // The tree is invalidated once, when the outermost change and all it spread are done.
  ++m_nCheckDepth;
  HWND self = m_hWnd;
  if (GetItemCheckState(hItem) != state) {
    SetItemState(hItem, INDEXTOSTATEIMAGEMASK(state), TVIS_STATEIMAGEMASK);
    m_bCheckChanged = TRUE;
    if (bNotify) Notify(QVTVN_CHECKSTATECHANGED, hItem);
    // The parent may have destroyed the tree on the notice.
    if (!::IsWindow(self)) return;
  }
  Spread(hItem, state, bFromParent);
  if (!::IsWindow(self)) return;
  if (--m_nCheckDepth == 0 && m_bCheckChanged) {
    m_bCheckChanged = FALSE;
    Invalidate(FALSE);
  }
}

void CQvTreeCtrl::Spread(HTREEITEM hItem, TVItemCheckState state, BOOL bFromParent) {
  // An item set by its parent's spread has a parent in its own state already: the parent
  // rule would stop at once, and is not asked.
  switch (state) {
    case TVCS_CHECKED:
      if (m_nStyle & QVTS_CHECK_CHILDREN)
        for (HTREEITEM child = GetChildItem(hItem); child != NULL; child = GetNextSiblingItem(child))
          CheckItem(child, TVCS_CHECKED, TRUE, TRUE);
      if ((m_nStyle & QVTS_CHECK_PARENT) && !bFromParent) ParentRule(hItem, TVCS_CHECKED);
      break;
    case TVCS_UNCHECKED:
      if (m_nStyle & QVTS_UNCHECK_CHILDREN)
        for (HTREEITEM child = GetChildItem(hItem); child != NULL; child = GetNextSiblingItem(child))
          CheckItem(child, TVCS_UNCHECKED, TRUE, TRUE);
      if ((m_nStyle & QVTS_UNCHECK_PARENT) && !bFromParent) ParentRule(hItem, TVCS_UNCHECKED);
      break;
    case TVCS_PARTIAL:
      if (m_nStyle & QVTS_PARTIAL) ParentRule(hItem, TVCS_PARTIAL);
      break;
    default:
      break;
  }
}

void CQvTreeCtrl::ParentRule(HTREEITEM hItem, TVItemCheckState state) {
  HTREEITEM parent = GetParentItem(hItem);
  if (parent == NULL || GetItemCheckState(parent) == state) return;
  if (state != TVCS_PARTIAL) {
    for (HTREEITEM child = GetChildItem(parent); child != NULL; child = GetNextSiblingItem(child)) {
      if (GetItemCheckState(child) == state) continue;
      if (!(m_nStyle & QVTS_PARTIAL)) return;
      state = TVCS_PARTIAL;
      break;
    }
  }
  CheckItem(parent, state, TRUE);
}

// Order and selection.

HTREEITEM CQvTreeCtrl::GetNextItemEx(HTREEITEM hItem) const {
  if (hItem == NULL) return GetRootItem();
  if (HTREEITEM child = GetChildItem(hItem)) return child;
  for (HTREEITEM at = hItem; at != NULL; at = GetParentItem(at))
    if (HTREEITEM next = GetNextSiblingItem(at)) return next;
  return NULL;
}

BOOL CQvTreeCtrl::IsSelected(HTREEITEM hItem) const {
  return hItem != NULL && (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
}

HTREEITEM CQvTreeCtrl::GetNextSelectedItem(HTREEITEM hItem) const {
  for (HTREEITEM item = GetNextItemEx(hItem); item != NULL; item = GetNextItemEx(item))
    if (IsSelected(item)) return item;
  return NULL;
}

UINT CQvTreeCtrl::GetSelectedCount() const {
  UINT count = 0;
  for (HTREEITEM item = GetNextSelectedItem(NULL); item != NULL; item = GetNextSelectedItem(item)) ++count;
  return count;
}

void CQvTreeCtrl::Notify(UINT code, HTREEITEM hItem) {
  CWnd* parent = GetParent();
  if (parent == NULL) return;
  NMTREEVIEW nm = {};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  nm.hdr.code = code;
  nm.itemNew.mask = TVIF_HANDLE;
  nm.itemNew.hItem = hItem;
  parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(&nm));
}

void CQvTreeCtrl::NotifySelection(HTREEITEM hItem, BOOL bSelected) {
  CWnd* parent = GetParent();
  if (parent == NULL) return;
  NMTREEVIEWW nm = {};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  nm.hdr.code = TVN_SELCHANGEDW;
  TVITEMW& item = bSelected ? nm.itemNew : nm.itemOld;
  item.mask = TVIF_STATE | TVIF_HANDLE | TVIF_PARAM;
  item.hItem = hItem;
  item.state = GetItemState(hItem, 0xFFFFFFFF);
  item.stateMask = 0xFFFFFFFF;
  item.lParam = static_cast<LPARAM>(GetItemData(hItem));
  parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(TVN_SELCHANGEDW), reinterpret_cast<LPARAM>(&nm));
}

void CQvTreeCtrl::LowLevelSelectItem(HTREEITEM hItem, BOOL bSelect, BOOL bNotify) {
  if (hItem == NULL || IsSelected(hItem) == (bSelect != FALSE)) return;
  SetItemState(hItem, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
  if (bNotify) NotifySelection(hItem, bSelect);
}

void CQvTreeCtrl::GiveFocusToItem(HTREEITEM hItem) {
  if (hItem == NULL || GetSelectedItem() == hItem) return;
  std::vector<HTREEITEM> selected;
  for (HTREEITEM item = GetNextSelectedItem(NULL); item != NULL; item = GetNextSelectedItem(item))
    if (item != hItem) selected.push_back(item);
  const BOOL wasSelected = IsSelected(hItem);
  SelectItem(hItem);
  if (!wasSelected) SetItemState(hItem, 0, TVIS_SELECTED);
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) SetItemState(*it, TVIS_SELECTED, TVIS_SELECTED);
}

void CQvTreeCtrl::DeselectAllBut(HTREEITEM hKeep) {
  for (HTREEITEM item = GetNextSelectedItem(NULL); item != NULL; item = GetNextSelectedItem(item))
    if (item != hKeep) LowLevelSelectItem(item, FALSE, TRUE);
}

void CQvTreeCtrl::SelectItemContinuous(HTREEITEM hItem, BOOL bSelect, BOOL bShift, BOOL bCtrl, BOOL bNotify) {
  if (bSelect && bShift) {
    HTREEITEM anchor = m_hAnchor != NULL ? m_hAnchor : GetSelectedItem();
    if (anchor == NULL) anchor = hItem;
    bool inside = false;
    for (HTREEITEM item = GetNextItemEx(NULL); item != NULL; item = GetNextItemEx(item)) {
      const bool bound = item == anchor || item == hItem;
      if (bound && !inside) {
        inside = true;
        LowLevelSelectItem(item, TRUE, bNotify);
        if (anchor == hItem) inside = false;
        continue;
      }
      if (inside) {
        LowLevelSelectItem(item, TRUE, bNotify);
        if (bound) inside = false;
        continue;
      }
      if (!bCtrl) LowLevelSelectItem(item, FALSE, bNotify);
    }
  }
  LowLevelSelectItem(hItem, bSelect, bNotify);
}

void CQvTreeCtrl::SelectItemKeepSelection(HTREEITEM hItem, BOOL bFocus) {
  LowLevelSelectItem(hItem, TRUE, TRUE);
  if (bFocus) GiveFocusToItem(hItem);
}

void CQvTreeCtrl::DeselectItemKeepSelection(HTREEITEM hItem) { LowLevelSelectItem(hItem, FALSE, TRUE); }

void CQvTreeCtrl::DeselectAll() { DeselectAllBut(NULL); }

// Mouse and keys.

void CQvTreeCtrl::DefaultPress(UINT nFlags, CPoint point, BOOL bDouble) {
  // The tree reports the click (and a selection change it causes) while it handles the press.
  const CPoint previousPoint = m_pressPoint;
  const BOOL previous = m_bPressing;
  m_pressPoint = point;
  m_bPressing = TRUE;
  HWND self = m_hWnd;
  if (bDouble)
    CTreeCtrl::OnLButtonDblClk(nFlags, point);
  else
    CTreeCtrl::OnLButtonDown(nFlags, point);
  if (!::IsWindow(self)) return;
  m_pressPoint = previousPoint;
  m_bPressing = previous;
}

HTREEITEM CQvTreeCtrl::PressHitTest(UINT* pFlags) const {
  CPoint point = m_pressPoint;
  if (!m_bPressing) {
    const DWORD pos = ::GetMessagePos();
    point = CPoint(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
    ScreenToClient(&point);
  }
  return HitTest(point, pFlags);
}

void CQvTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) { DefaultPress(nFlags, point, TRUE); }

void CQvTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  UINT flags = 0;
  HTREEITEM item = HitTest(point, &flags);
  if ((m_nStyle & QVTS_MULTISELECT) && item != NULL && (flags & TVHT_ONITEMBUTTON)) {
    // Collapsing may move the caret out of the collapsed items (the tree asks first, and is
    // refused; a tree that does not ask is undone): the selection stays as it was.
    std::vector<HTREEITEM> selected;
    for (HTREEITEM at = GetNextSelectedItem(NULL); at != NULL; at = GetNextSelectedItem(at)) selected.push_back(at);
    HTREEITEM caret = GetSelectedItem();
    HWND self = m_hWnd;
    DefaultPress(nFlags, point, FALSE);
    if (!::IsWindow(self)) return;
    HTREEITEM moved = GetSelectedItem();
    if (moved != caret && moved != NULL && std::find(selected.begin(), selected.end(), moved) == selected.end())
      SetItemState(moved, 0, TVIS_SELECTED);
    for (HTREEITEM at : selected) SetItemState(at, TVIS_SELECTED, TVIS_SELECTED);
    return;
  }
  if (!(m_nStyle & QVTS_MULTISELECT) || item == NULL || !(flags & TVHT_ONITEMLABEL)) {
    DefaultPress(nFlags, point, FALSE);
    return;
  }
  const BOOL shift = (nFlags & MK_SHIFT) != 0, ctrl = (nFlags & MK_CONTROL) != 0;
  const BOOL quiet = (m_nStyle & QVTS_NOREDRAW_ON_CLICK) && !ctrl && !IsSelected(item) &&
                     !(flags & TVHT_ONITEMSTATEICON);
  if (quiet) SetRedraw(FALSE);
  if (!shift || m_hAnchor == NULL) {
    if (!ctrl) {
      DeselectAllBut(item);
      LowLevelSelectItem(item, TRUE, TRUE);
    } else {
      LowLevelSelectItem(item, !IsSelected(item), TRUE);
    }
  } else {
    SelectItemContinuous(item, TRUE, shift, ctrl, TRUE);
  }
  GiveFocusToItem(item);
  SetFocus();
  if (!shift) m_hAnchor = item;
  HWND self = m_hWnd;
  if (quiet) ValidateRect(NULL);
  DefaultPress(nFlags, point, FALSE);
  if (!::IsWindow(self)) return;
  if (quiet) {
    SetRedraw(TRUE);
    Invalidate();
  }
  Notify(QVTVN_SELECTIONCHANGED, reinterpret_cast<HTREEITEM>(1));
}

void CQvTreeCtrl::AfterCaretMove(HTREEITEM hBefore) {
  HTREEITEM caret = GetSelectedItem();
  if (caret == NULL || caret == hBefore) return;
  m_hAnchor = caret;
  DeselectAllBut(caret);
  LowLevelSelectItem(caret, TRUE, TRUE);
  Notify(QVTVN_SELECTIONCHANGED, NULL);
}

void CQvTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  const BOOL ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  const BOOL multi = (m_nStyle & QVTS_MULTISELECT) != 0;
  if (nChar == VK_SPACE && multi && ctrl) {
    HTREEITEM caret = GetSelectedItem();
    if (caret != NULL) {
      LowLevelSelectItem(caret, !IsSelected(caret), TRUE);
      Notify(QVTVN_SELECTIONCHANGED, NULL);
    }
    return;
  }
  if (nChar == VK_SPACE && (m_nStyle & QVTS_CHECKBOXES)) {
    HTREEITEM first = GetNextSelectedItem(NULL);
    if (first == NULL) first = GetSelectedItem();
    if (first == NULL) return;
    TVItemCheckState state = GetItemCheckState(first);
    if (state == TVCS_UNCHECKED)
      state = TVCS_CHECKED;
    else if (state == TVCS_CHECKED)
      state = TVCS_UNCHECKED;
    // The selection as the key found it.
    std::vector<HTREEITEM> selected;
    for (HTREEITEM item = first; item != NULL; item = GetNextSelectedItem(item)) selected.push_back(item);
    for (HTREEITEM item : selected) CheckItem(item, state, TRUE);
    return;
  }
  if (multi && (shift || ctrl) && (nChar == VK_UP || nChar == VK_DOWN)) {
    HTREEITEM caret = GetSelectedItem();
    HTREEITEM target = caret == NULL ? GetRootItem()
                                     : (nChar == VK_UP ? GetPrevVisibleItem(caret) : GetNextVisibleItem(caret));
    if (target == NULL) return;
    if (!ctrl) {
      if (shift) {
        SelectItemContinuous(target, TRUE, TRUE, FALSE, TRUE);
      } else {
        DeselectAllBut(target);
        LowLevelSelectItem(target, TRUE, TRUE);
      }
    }
    GiveFocusToItem(target);
    Notify(QVTVN_SELECTIONCHANGED, NULL);
    return;
  }
  HTREEITEM before = GetSelectedItem();
  HWND self = m_hWnd;
  CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
  if (multi && ::IsWindow(self)) AfterCaretMove(before);
}

void CQvTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // The blank of a Space key that toggled check boxes or the selection searches nothing.
  if (nChar == VK_SPACE && ((m_nStyle & QVTS_CHECKBOXES) || GetKeyState(VK_CONTROL) < 0)) return;
  HTREEITEM before = GetSelectedItem();
  HWND self = m_hWnd;
  CTreeCtrl::OnChar(nChar, nRepCnt, nFlags);
  if ((m_nStyle & QVTS_MULTISELECT) && ::IsWindow(self)) AfterCaretMove(before);
}

void CQvTreeCtrl::RepaintSelected() {
  for (HTREEITEM item = GetNextSelectedItem(NULL); item != NULL; item = GetNextSelectedItem(item)) {
    CRect rect;
    if (GetItemRect(item, rect, FALSE)) InvalidateRect(rect, FALSE);
  }
}

void CQvTreeCtrl::OnSetFocus(CWnd* pOldWnd) {
  CTreeCtrl::OnSetFocus(pOldWnd);
  if (m_nStyle & QVTS_MULTISELECT) RepaintSelected();
}

void CQvTreeCtrl::OnKillFocus(CWnd* pNewWnd) {
  CTreeCtrl::OnKillFocus(pNewWnd);
  if (m_nStyle & QVTS_MULTISELECT) RepaintSelected();
}

void CQvTreeCtrl::OnDestroy() {
  m_nCheckDepth = 0;
  m_bCheckChanged = FALSE;
  m_hAnchor = NULL;
  SendMessage(TVM_SETIMAGELIST, TVSIL_STATE, 0);
  m_checkImages.DeleteImageList();
  CTreeCtrl::OnDestroy();
}

BOOL CQvTreeCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_NOTIFY) {
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    const bool either = (m_nStyle & (QVTS_MULTISELECT | QVTS_CHECKBOXES)) != 0;
    if ((hdr->code == static_cast<UINT>(NM_CLICK) || hdr->code == static_cast<UINT>(NM_DBLCLK)) && either) {
      UINT flags = 0;
      HTREEITEM item = PressHitTest(&flags);
      if (item != NULL && (flags & TVHT_ONITEMSTATEICON) && (m_nStyle & QVTS_CHECKBOXES)) {
        CheckItem(item, GetItemCheckState(item) == TVCS_UNCHECKED ? TVCS_CHECKED : TVCS_UNCHECKED, TRUE);
        if (pResult != NULL) *pResult = 1;
        return TRUE;
      }
    }
    if ((hdr->code == TVN_SELCHANGINGW || hdr->code == TVN_SELCHANGINGA) && (m_nStyle & QVTS_MULTISELECT) &&
        m_bPressing) {
      UINT flags = 0;
      if (PressHitTest(&flags) != NULL && (flags & TVHT_ONITEMBUTTON)) {
        if (pResult != NULL) *pResult = TRUE;
        return TRUE;
      }
    }
  }
  return CTreeCtrl::OnChildNotify(message, wParam, lParam, pResult);
}
