// A grid cell's shaded printing on a raster printer: a text of its own colour without a fill
// prints in the one grey of the colour's luminance; a job's pages measured through a preview's
// pair of DCs. The grid prints into a DIB canvas whose DC object answers its questions through
// the printer ("PDF", through CUPS).
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include "dib_canvas.h"

namespace {

using testing_support::DibCanvas;

TEST(GridPrint, ColouredTextPrintsInTheGreyOfItsLuminance) {
  HDC printer = CreateDC(_T("WINSPOOL"), _T("PDF"), NULL, NULL);
  ASSERT_NE(printer, nullptr) << "no \"PDF\" printer in the Wine prefix (./run test starts cupsd and registers its queue)";
  ASSERT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
  CGridCtrl grid(2, 2);
  CGridCellBase* cell = grid.GetCell(1, 1);
  cell->SetText(_T("WWWW"));
  LOGFONT lf = {};
  lf.lfHeight = -24;
  lf.lfWeight = FW_BOLD;
  lstrcpy(lf.lfFaceName, _T("Arial"));
  cell->SetFont(&lf);
  const struct {
    COLORREF text;
    int grey;
  } cases[] = {{RGB(255, 0, 0), 76}, {RGB(0, 200, 0), 118}, {RGB(0, 0, 255), 28}};
  for (const auto& c : cases) {
    cell->SetTextClr(c.text);
    DibCanvas canvas(120, 40);
    ASSERT_TRUE(canvas.valid());
    CDC dc;
    dc.m_hDC = canvas.dc();
    dc.m_hAttribDC = printer;
    dc.m_bPrinting = TRUE;
    EXPECT_TRUE(cell->PrintCell(&dc, 1, 1, CRect(0, 0, 119, 39)));
    dc.m_hDC = dc.m_hAttribDC = NULL;
    int inked = 0, coloured = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) {
        const COLORREF p = canvas.At(x, y);
        if (p == RGB(255, 255, 255)) continue;
        ++inked;
        if (GetRValue(p) != GetGValue(p) || GetGValue(p) != GetBValue(p)) ++coloured;
      }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(coloured, 0) << "text colour " << std::hex << c.text;
    EXPECT_EQ(canvas.CountOf(RGB(c.grey, c.grey, c.grey)) > 0, true) << std::hex << c.text;
  }
  DeleteDC(printer);
}

// A print preview draws on a DC of its own and measures through the printer's (the CDC's
// attribute DC): the grid's printer font goes into both, so the job is cut into the pages the
// printer itself gives, and each DC has its own font back afterwards.
TEST(GridPrint, APreviewsPairOfDCsPaginatesAsThePrinterAndKeepsEachDCsFont) {
  HDC printer = CreateDC(_T("WINSPOOL"), _T("PDF"), NULL, NULL);
  ASSERT_NE(printer, nullptr) << "no \"PDF\" printer in the Wine prefix (./run test starts cupsd and registers its queue)";
  DibCanvas canvas(200, 200);
  ASSERT_TRUE(canvas.valid());
  // The drawing DC starts with a font of its own, unlike the printer's.
  HFONT screenFont = CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, _T("Courier New"));
  ASSERT_NE(screenFont, nullptr);
  HGDIOBJ canvasFont0 = SelectObject(canvas.dc(), screenFont);
  HGDIOBJ printerFont = GetCurrentObject(printer, OBJ_FONT);

  CGridCtrl grid(300, 4);
  for (int r = 0; r < 300; ++r) grid.SetItemTextFmt(r, 1, _T("row %d"), r);
  // Margins, header and footer in characters: the pages' room depends on the font measured.
  grid.SetPrintMarginInfo(30, 30, 40, 40, 1, 1, 4);
  // Pages of a job whose output goes to `out` and whose measures come from `attrib`.
  auto pages = [&](HDC out, HDC attrib) {
    CDC dc;
    dc.m_hDC = out;
    dc.m_hAttribDC = attrib;
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    grid.OnBeginPrinting(&dc, &info);
    const int count = grid.GetPrintPageCount();
    grid.OnEndPrinting(&dc, &info);
    dc.m_hDC = dc.m_hAttribDC = NULL;
    return count;
  };
  const int onPrinter = pages(printer, printer);
  ASSERT_GT(onPrinter, 1);
  EXPECT_EQ(pages(canvas.dc(), printer), onPrinter) << "measured with the printer font on the printer's DC";
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), screenFont) << "the drawing DC's own font is back";
  EXPECT_EQ(GetCurrentObject(printer, OBJ_FONT), printerFont) << "the printer DC's own font is back";

  SelectObject(canvas.dc(), canvasFont0);
  DeleteObject(screenFont);
  DeleteDC(printer);
}

}  // namespace
