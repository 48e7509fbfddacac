#include "grid_window.h"

#include <GridCtrl.h>
#include <InPlaceEditWithLaunch.h>
#include <UIHandles.h>

#include <memory>

#include "grid_closeup.h"
#include "popup_window.h"
#include "screens.h"

namespace host {
namespace {

const wchar_t kClass[] = L"QuarnelHostGrids";
const int kReportId = 101, kVirtualId = 102;
const TCHAR* const kHeadings[] = {_T(""), _T("Region"), _T("Quarter"), _T("Revenue"), _T("Margin"), _T("Notes")};
const TCHAR* const kRegions[] = {_T("North"), _T("South"), _T("East"), _T("West"), _T("Central")};

struct State {
  CGridCtrl report;
  CGridCtrl rows;
  CImageList images;
};

State* StateOf(HWND hwnd) { return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

// The cells of the virtual grid, made when they are shown.
BOOL CALLBACK VirtualCell(GV_DISPINFO* info, LPARAM) {
  GV_ITEM& item = info->item;
  if (item.row == 0) {
    static const TCHAR* const headings[] = {_T("#"), _T("Order"), _T("Amount")};
    item.strText = headings[item.col % 3];
  } else if (item.col == 0) {
    item.strText.Format(_T("%d"), item.row);
  } else if (item.col == 1) {
    item.strText.Format(_T("ORD-%07d"), item.row * 7 % 9999991);
  } else {
    item.strText.Format(_T("%d.%02d"), item.row % 9973, item.row % 100);
    item.nFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
  }
  return TRUE;
}

// A 16 x 16 picture for the image cell: a small bar chart.
void AddChartImage(CImageList& list) {
  uih::WindowDC screen(NULL);
  uih::OwnedDC dc(CreateCompatibleDC(screen.Get()));
  uih::OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 16, 16));
  {
    uih::Selection selected(dc.Get(), bitmap.Get());
    RECT all = {0, 0, 16, 16};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 140, 40), RGB(40, 70, 200)};
    for (int i = 0; i < 3; ++i) {
      uih::OwnedBrush brush(CreateSolidBrush(colours[i]));
      RECT bar = {1 + i * 5, 12 - i * 4, 5 + i * 5, 15};
      FillRect(dc.Get(), &bar, brush.Get());
    }
  }
  ImageList_AddMasked(list.GetSafeHandle(), bitmap.Get(), RGB(255, 255, 255));
}

void FillReport(CGridCtrl& grid, CImageList& images) {
  grid.SetRowCount(30);
  grid.SetColumnCount(6);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.SetImageList(&images);
  for (int c = 0; c < 6; ++c) grid.SetItemText(0, c, kHeadings[c]);
  for (int r = 1; r < 30; ++r) {
    CString text;
    text.Format(_T("%d"), r);
    grid.SetItemText(r, 0, text);
    grid.SetItemText(r, 1, kRegions[r % 5]);
    text.Format(_T("Q%d"), 1 + r % 4);
    grid.SetItemText(r, 2, text);
    text.Format(_T("%d,%03d"), 40 + r * 7, (r * 379) % 1000);
    grid.SetItemText(r, 3, text);
    grid.SetItemFormat(r, 3, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    text.Format(_T("%d.%d%%"), 10 + r % 17, r % 10);
    grid.SetItemText(r, 4, text);
    grid.SetItemText(r, 5, _T("on plan"));
  }
  // A cell of its own colours and font.
  grid.SetItemText(2, 3, _T("Best: 98,765"));
  grid.SetItemBkColour(2, 3, RGB(190, 30, 45));
  grid.SetItemFgColour(2, 3, RGB(255, 255, 255));
  LOGFONT bold = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
  bold.lfWeight = FW_BOLD;
  bold.lfItalic = TRUE;
  grid.SetItemFont(2, 3, &bold);
  // A cell with an image.
  grid.SetItemImage(3, 1, 0);
  grid.SetItemText(3, 1, _T("Charted"));
  // A wrapped two-line cell.
  grid.SetItemText(4, 5, _T("Late invoices held back the quarter"));
  grid.SetItemFormat(4, 5, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  // A cell in a vertical font.
  LOGFONT up = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
  up.lfEscapement = up.lfOrientation = 900;
  grid.SetItemText(5, 2, _T("Up"));
  grid.SetItemFont(5, 2, &up);
  grid.SetItemFormat(5, 2, DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
  // A cell cut with an ellipsis.
  grid.SetItemText(6, 5, _T("Supplier change postponed to next year"));
  grid.SetItemFormat(6, 5, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  grid.AutoSizeColumns();
  grid.SetColumnWidth(5, 110);
  grid.AutoSizeRows();
  grid.SetRowHeight(4, grid.GetRowHeight(4) * 2);
  grid.SetRowHeight(5, 34);
  // A block selected with the focus cell framed in it (its fixed row and column cells sunken).
  grid.SetSelectedRange(7, 2, 9, 4);
  grid.SetFocusCell(7, 2);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      std::unique_ptr<State> state(new State);
      RECT rc;
      GetClientRect(hwnd, &rc);
      const int split = rc.right * 3 / 5;
      CWnd* parent = CWnd::FromHandle(hwnd);
      state->images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
      AddChartImage(state->images);
      FillReport(state->report, state->images);
      state->rows.SetVirtualMode(TRUE);
      state->rows.SetCallbackFunc(VirtualCell, 0);
      state->rows.SetRowCount(1000000);
      state->rows.SetColumnCount(3);
      state->rows.SetFixedRowCount(1);
      state->rows.SetFixedColumnCount(1);
      if (!state->report.Create(CRect(4, 4, split - 4, rc.bottom - 4), parent, kReportId) ||
          !state->rows.Create(CRect(split + 4, 4, rc.right - 4, rc.bottom - 4), parent, kVirtualId))
        return -1;
      state->rows.SetColumnWidth(0, 64);
      state->rows.SetColumnWidth(1, 100);
      state->rows.ExpandLastColumn();
      state->rows.EnsureVisible(654321, 1);
      state->rows.SetFocusCell(654321, 1);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
      return 0;
    }
    case WM_NCDESTROY:
      delete StateOf(hwnd);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void CaptureGridEditing(HWND grids) {
  State* state = grids != NULL ? StateOf(grids) : NULL;
  if (state == NULL) return;
  CGridCtrl& grid = state->report;
  // Magnified: the focus cell framed in the selected block, the fixed cells of its row and
  // column sunken.
  CRect corner;
  if (grid.GetCellRect(10, 4, corner))
    CaptureCloseUp(grids, grid.GetSafeHwnd(), CRect(0, 0, corner.right + 1, corner.bottom + 1), 2, L"grid_focus");
  grid.SetEditable(TRUE);
  ::SetForegroundWindow(grids);
  grid.SetFocus();
  // An editor open on a cell, as a typed Return opens it (the caret after the text).
  grid.SetFocusCell(10, 1);
  grid.OnEditCell(10, 1, CPoint(-1, -1), VK_RETURN);
  if (grid.IsItemEditing(10, 1)) CaptureWindow(grids, L"grid_editing");
  grid.EndEditing();
  grid.SetEditable(FALSE);
  // The title tip over the cell whose text is cut.
  grid.SetFocus();
  CRect cut;
  if (grid.GetCellRect(6, 5, cut)) {
    grid.GetTitleTip().Create(&grid);
    grid.GetTitleTip().Show(cut, grid.GetItemText(6, 5), 0, cut);
    CaptureWindow(grids, L"grid_titletip");
    grid.GetTitleTip().Hide();
  }
  // Edits with a launch button over two cells: one lies flat (it never had the focus: made
  // disabled, then enabled), the other is raised while it has the focus.
  CRect flatCell, cell;
  if (grid.GetCellRect(12, 5, flatCell) && grid.GetCellRect(11, 5, cell)) {
    CInPlaceEditWithLaunch* flat = new CInPlaceEditWithLaunch(12, 5, _T("Lies flat"), NULL, 0, TRUE);
    if (!flat->Create(LAUNCH_FLAT | LAUNCH_FLAT_GREY_DOTS, 0, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_DISABLED,
                      flatCell, &grid, 201)) {
      delete flat;
      flat = NULL;
    } else {
      flat->EnableWindow(TRUE);
    }
    CInPlaceEditWithLaunch* launch =
        new CInPlaceEditWithLaunch(11, 5, grid.GetItemText(11, 5), NULL, 0, TRUE);
    if (launch->Create(LAUNCH_FLAT, 0, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, cell, &grid, 200)) {
      CaptureWindow(grids, L"grid_launch");
      grid.SetFocus();  // the edit ends on losing the focus, destroys its window and deletes itself
    } else {
      delete launch;
    }
    if (flat != NULL) flat->DestroyWindow();  // deletes itself
  }
}

HWND CreateGridWindow(HWND owner, const RECT& rc) {
  return CreatePopupWindow(kClass, Proc, L"Reports grid", owner, rc, IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1));
}

}  // namespace host
