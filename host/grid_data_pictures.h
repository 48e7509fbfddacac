// The report grid's sorting, drag and drop and printing, pictured in screenshot mode.
#pragma once
#include <windows.h>

namespace host {
// With the grids window of CreateGridWindow: pictures the report grid sorted on its third
// column in descending order ("grid_sorted") and with a cell drop-highlighted as under a
// drag ("grid_drop"), and prints it to the default printer (the job "Reports grid").
void CaptureGridData(HWND grids);
}  // namespace host
