#include "grid_data_pictures.h"

#include <GridCtrl.h>
#include <framework.h>
#include <fw_oledata.h>

#include "screens.h"

namespace host {
namespace {

const int kReportId = 101;  // the report grid of the grids window

CGridCtrl* ReportGrid(HWND grids) {
  CWnd* wnd = CWnd::FromHandlePermanent(::GetDlgItem(grids, kReportId));
  return wnd != NULL && wnd->IsKindOf(RUNTIME_CLASS(CGridCtrl)) ? static_cast<CGridCtrl*>(wnd) : NULL;
}

// The report grid to the default printer, as its File > Print would without the dialog.
void PrintGrid(CGridCtrl& grid) {
  CPrintDialog dialog(FALSE, PD_RETURNDC);
  if (dialog.GetDefaults()) grid.Print(&dialog);
  if (dialog.m_pd.hDC != NULL) ::DeleteDC(dialog.m_pd.hDC);
  if (dialog.m_pd.hDevMode != NULL) ::GlobalFree(dialog.m_pd.hDevMode);
  if (dialog.m_pd.hDevNames != NULL) ::GlobalFree(dialog.m_pd.hDevNames);
}

}  // namespace

void CaptureGridData(HWND grids) {
  CGridCtrl* grid = grids != NULL ? ReportGrid(grids) : NULL;
  if (grid == NULL) return;
  // Sorted by the header click's rule: the "Quarter" column, descending, its arrow showing.
  grid->SetHeaderSort(TRUE);
  grid->SortTextItems(2, FALSE);
  grid->SetSelectedRange(7, 2, 9, 4);
  grid->SetFocusCell(7, 2);
  CaptureWindow(grids, L"grid_sorted");

  // Text dragged over a cell: the cell under the point takes the drop highlight.
  grid->EnableDragAndDrop(TRUE);
  grid->SetEditable(TRUE);
  COleDataSource* source = new COleDataSource;
  HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(L"West\tQ2"));
  if (text != NULL) {
    memcpy(::GlobalLock(text), L"West\tQ2", sizeof(L"West\tQ2"));
    ::GlobalUnlock(text);
    source->CacheGlobalData(CF_UNICODETEXT, text);
  }
  COleDataObject data;
  data.Attach(static_cast<LPDATAOBJECT>(source->GetInterface(&IID_IDataObject)), FALSE);
  CRect cell;
  if (grid->GetCellRect(12, 3, cell) &&
      grid->OnDragEnter(&data, 0, cell.CenterPoint()) != DROPEFFECT_NONE) {
    CaptureWindow(grids, L"grid_drop");
    grid->OnDragLeave();
  }
  data.Release();
  source->InternalRelease();
  grid->SetEditable(FALSE);
  grid->EnableDragAndDrop(FALSE);

  PrintGrid(*grid);
}

}  // namespace host
