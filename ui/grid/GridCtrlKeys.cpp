// CGridCtrl: the keyboard. Moving the focus (past hidden rows and columns), extending the
// selection with Shift, and starting edits with a character or F2.
#include <framework.h>

#include <algorithm>

#include "GridCtrl.h"

namespace {

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

UINT CGridCtrl::OnGetDlgCode() {
  UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (m_bHandleTabKey && !KeyDown(VK_CONTROL)) code |= DLGC_WANTTAB;
  return code;
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!KeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE) {
    if (!(nChar == VK_TAB && m_bHandleTabKey) && IsValid(m_idCurrentCell))
      OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
  }
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

LRESULT CGridCtrl::OnImeChar(WPARAM wParam, LPARAM) {
  const UINT nChar = static_cast<UINT>(wParam);
  if (!KeyDown(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE && nChar != VK_TAB &&
      IsValid(m_idCurrentCell))
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
  return 0;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nRepCnt;
  (void)nFlags;
  // Ctrl with Alt is AltGr on many keyboards: a character, not a command.
  if (!KeyDown(VK_MENU) && OnClipboardKey(nChar, KeyDown(VK_CONTROL), KeyDown(VK_SHIFT))) return;
  if (!IsValid(m_idCurrentCell)) {
    Default();
    return;
  }
  const BOOL ctrl = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
  CCellID next = m_idCurrentCell;
  BOOL changeLine = FALSE;  // Tab or Shift+Tab wrapped to another row
  BOOL scrolledH = FALSE, scrolledV = FALSE;

  if (ctrl && nChar == 'A') {
    OnEditSelectAll();
    return;
  }
  switch (nChar) {
    case VK_DELETE:
      ValidateAndModifyCellContents(m_idCurrentCell.row, m_idCurrentCell.col, _T(""));
      return;
    case VK_DOWN: {
      int r = next.row + 1;
      while (r < m_nRows && GetRowHeight(r) <= 0) ++r;
      if (r < m_nRows) next.row = r;
      break;
    }
    case VK_UP: {
      int r = next.row - 1;
      while (r >= m_nFixedRows && GetRowHeight(r) <= 0) --r;
      if (r >= m_nFixedRows) next.row = r;
      break;
    }
    case VK_RIGHT:
    case VK_TAB:
      if (nChar == VK_TAB && shift) goto left;  // Shift+Tab moves back
      {
        int c = next.col + 1;
        while (c < m_nCols && GetColumnWidth(c) <= 0) ++c;
        if (c < m_nCols) {
          next.col = c;
        } else if (nChar == VK_TAB && next.row < m_nRows - 1) {
          ++next.row;
          next.col = m_nFixedCols;
          changeLine = TRUE;
        } else if (nChar == VK_TAB) {
          Default();
        }
      }
      break;
    case VK_LEFT:
    left : {
      int c = next.col - 1;
      while (c >= m_nFixedCols && GetColumnWidth(c) <= 0) --c;
      if (c >= m_nFixedCols) {
        next.col = c;
      } else if (nChar == VK_TAB && next.row > m_nFixedRows) {
        --next.row;
        next.col = m_nCols - 1;
        changeLine = TRUE;
      } else if (nChar == VK_TAB) {
        Default();
      }
      break;
    }
    case VK_NEXT:
    case VK_PRIOR: {
      const CCellID before = GetTopleftNonFixedCell();
      SendMessage(WM_VSCROLL, nChar == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP, 0);
      scrolledV = TRUE;
      const CCellID after = GetTopleftNonFixedCell(TRUE);
      const int moved = after.row - before.row;
      if (nChar == VK_NEXT) {
        next.row = moved == 0 || next.row + moved >= m_nRows ? m_nRows - 1 : next.row + moved;
      } else {
        next.row = moved == 0 || next.row + moved < m_nFixedRows ? m_nFixedRows : next.row + moved;
      }
      break;
    }
    case VK_HOME: {
      SendMessage(WM_HSCROLL, SB_LEFT, 0);
      scrolledH = TRUE;
      if (ctrl) {
        SendMessage(WM_VSCROLL, SB_TOP, 0);
        scrolledV = TRUE;
        next.row = m_nFixedRows;
      }
      int c = m_nFixedCols;
      while (c < m_nCols - 1 && GetColumnWidth(c) <= 0) ++c;
      next.col = c;
      while (next.row < m_nRows - 1 && GetRowHeight(next.row) <= 0) ++next.row;
      break;
    }
    case VK_END: {
      SendMessage(WM_HSCROLL, SB_RIGHT, 0);
      scrolledH = TRUE;
      if (ctrl) {
        SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        scrolledV = TRUE;
        next.row = m_nRows - 1;
      }
      int c = m_nCols - 1;
      while (c > m_nFixedCols && GetColumnWidth(c) <= 0) --c;
      next.col = c;
      while (next.row > m_nFixedRows && GetRowHeight(next.row) <= 0) --next.row;
      break;
    }
    case VK_F2:
      OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
      break;
    default:
      Default();
      return;
  }

  if (next != m_idCurrentCell) {
    if (m_MouseMode == MOUSE_NOTHING) {
      m_prevSelection.Clear();
      m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
      if (!shift || nChar == VK_TAB) m_SelectionStartCell = next;
      OnSelecting(next);
      m_MouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next);
    if (!IsCellVisible(next)) {
      switch (nChar) {
        case VK_RIGHT: SendMessage(WM_HSCROLL, SB_LINERIGHT, 0); break;
        case VK_LEFT: SendMessage(WM_HSCROLL, SB_LINELEFT, 0); break;
        case VK_DOWN: SendMessage(WM_VSCROLL, SB_LINEDOWN, 0); break;
        case VK_UP: SendMessage(WM_VSCROLL, SB_LINEUP, 0); break;
        case VK_TAB:
          if (changeLine && shift) {
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            ScrollTo(SB_HORZ, MaxScrollOffset(SB_HORZ));
          } else if (changeLine) {
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            ScrollTo(SB_HORZ, 0);
          } else {
            SendMessage(WM_HSCROLL, shift ? SB_LINELEFT : SB_LINERIGHT, 0);
          }
          break;
        default: break;
      }
      EnsureVisible(next);
      Invalidate();
    }
    EnsureVisible(next);
  }
  if (scrolledH) SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
  if (scrolledV) SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult) {
  const GV_DISPINFO* info = reinterpret_cast<const GV_DISPINFO*>(pNMHDR);
  *pResult = 0;
  if (GetSafeHwnd() == NULL) return;
  const HWND self = m_hWnd;
  OnEndEditCell(info->item.row, info->item.col, info->item.strText);
  if (!::IsWindow(self)) return;  // the owner destroyed the grid when told of the edit
  const UINT key = static_cast<UINT>(info->item.lParam);
  if (key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN)) {
    SendMessage(WM_KEYDOWN, key, 0);
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), key);
  }
}
