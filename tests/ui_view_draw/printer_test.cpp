// Colours for printers and metafiles: pattern fills become blended solid colours, output turns
// grey for a device of fewer than 3 colours, and printer pens are at least 35 pixels wide.
#include <QvFillColors.h>

#include "draw_fixture.h"

TEST(UIDrawBlendFillColors, MixesBackAndForeByLevel) {
  struct Case {
    COLORREF back, fore;
    int level;
    COLORREF expected;
  } const cases[] = {
      {kWhite, kBlack, 1, kWhite},
      {kWhite, kBlack, 2, kBlack},
      {kWhite, kBlack, 3, RGB(63, 63, 63)},
      {kWhite, kBlack, 4, RGB(127, 127, 127)},
      {kWhite, kBlack, 5, RGB(191, 191, 191)},
      {kWhite, kBlack, 6, RGB(223, 223, 223)},
      {kWhite, kBlack, 7, RGB(239, 239, 239)},
      {kWhite, kBlack, 8, RGB(247, 247, 247)},
      {RGB(200, 100, 0), RGB(0, 50, 255), 5, RGB(150, 87, 63)},
      {RGB(0, 50, 255), RGB(200, 100, 0), 3, RGB(150, 87, 63)},
      {RGB(10, 20, 30), RGB(10, 20, 30), 7, RGB(10, 20, 30)},
  };
  for (const Case& c : cases) {
    COLORREF out = 0x12345678;
    EXPECT_EQ(BlendFillColors(c.back, c.fore, c.level, &out), 1) << c.level;
    EXPECT_EQ(out, c.expected) << "level " << c.level;
  }
  for (int level : {0, 9, 20, -1}) {
    COLORREF out = 0x12345678;
    EXPECT_EQ(BlendFillColors(kWhite, kBlack, level, &out), 0) << level;
    EXPECT_EQ(out, 0x12345678u) << "left unchanged";
  }
  EXPECT_EQ(BlendFillColors(kWhite, kBlack, 4, NULL), 0);
}

TEST(UIDrawColorToGray, WeighsTheChannelsAndKeepsWhite) {
  struct Case {
    COLORREF in, out;
  } const cases[] = {
      {kWhite, kWhite},
      {kBlack, kBlack},
      {kRed, RGB(76, 76, 76)},
      {RGB(0, 255, 0), RGB(150, 150, 150)},
      {RGB(0, 0, 255), RGB(28, 28, 28)},
      {RGB(254, 255, 255), RGB(254, 254, 254)},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorToGray(c.in), c.out) << std::hex << c.in;
}

namespace {

// The real printer of the test machine ("PDF", through CUPS).
HDC OpenPrinterDC() { return CreateDC(_T("WINSPOOL"), _T("PDF"), NULL, NULL); }

class PrinterTest : public DrawTest {
 protected:
  HDC printer = NULL;
  void SetUp() override {
    printer = OpenPrinterDC();
    ASSERT_NE(printer, nullptr)
        << "no \"PDF\" printer in the Wine prefix (./run test starts cupsd and registers its queue)";
    ASSERT_NE(GetDeviceCaps(printer, TECHNOLOGY), DT_RASDISPLAY);
    view.SetAttributeDC(printer);
    DrawTest::SetUp();
  }
  void TearDown() override {
    DrawTest::TearDown();
    view.SetAttributeDC(NULL);
    if (printer != NULL) DeleteDC(printer);
  }
};

}  // namespace

TEST_F(PrinterTest, PensOnAPrinterAreAtLeast35PixelsWide) {
  EXPECT_EQ(view.ResolutionX(), GetDeviceCaps(printer, LOGPIXELSX)) << "the resolution is the printer's";
  EXPECT_EQ(view.GetPenWidthInPixels(), 35);
  view.QvSetLineWidth(34);
  EXPECT_EQ(view.GetPenWidthInPixels(), 35);
  view.QvSetLineWidth(100);
  EXPECT_EQ(view.GetPenWidthInPixels(), 100);
}

// With a printer as attribute DC a fill pattern is a solid colour: the shading patterns their
// blend, the others the half-and-half blend.
TEST_F(PrinterTest, FillsAreBlendedSolidColours) {
  view.QvSetFillForeColor(kBlack);
  view.QvSetFillBackColor(kWhite);
  for (int pattern = 1; pattern <= 20; ++pattern) {
    SCOPED_TRACE(pattern);
    Paint(kRed);
    view.QvSetFillPattern(static_cast<QvGUIPattern>(pattern));
    view.QvDrawRect(Rect(10, 10, 30, 30), 0, 1);
    COLORREF expected = 0;
    ASSERT_TRUE(BlendFillColors(kWhite, kBlack, pattern <= 8 ? pattern : 4, &expected));
    EXPECT_EQ(Count(expected, Rect(10, 10, 30, 30)), 400);
  }
  // A quarter of fore and three quarters of back for the quarter shading.
  view.QvSetFillPattern(static_cast<QvGUIPattern>(5));
  view.QvDrawRect(Rect(0, 0, 8, 8), 0, 1);
  EXPECT_EQ(At(4, 4), RGB(191, 191, 191));
}

TEST_F(PrinterTest, TheBlendedBrushIsMadeAgainOnlyForAnotherColour) {
  view.QvSetFillPattern(static_cast<QvGUIPattern>(5));
  view.QvDrawRect(Rect(0, 0, 8, 8), 0, 1);
  HBRUSH first = view.m_hFillBrush;
  ASSERT_NE(first, static_cast<HBRUSH>(NULL));
  view.QvDrawRect(Rect(8, 8, 16, 16), 0, 1);
  view.QvDrawOval(Rect(8, 8, 16, 16), 1, 1);
  EXPECT_EQ(view.m_hFillBrush, first);
  view.QvSetFillForeColor(kRed);
  view.QvDrawRect(Rect(16, 16, 24, 24), 0, 1);
  EXPECT_NE(view.m_hFillBrush, first);
  EXPECT_EQ(At(20, 20), RGB(255, 191, 191));
}

// A colour printer as colour reference keeps the colours.
TEST_F(PrinterTest, AColourPrinterKeepsColoursInPreview) {
  view.SetColorReferenceDC(printer);
  view.SetModeFlags(UIVIEW_PREVIEW, 0);
  view.QvSetPenForeColor(kRed);
  view.QvDrawLine(Pt(0, 0), Pt(40, 40));
  EXPECT_EQ(At(20, 20), kRed);
  view.SetColorReferenceDC(NULL);
}

// While previewing or printing for a device of fewer than 3 colours (a Windows metafile DC
// reports none of its own; no colour reference counts as none), colours turn grey and white
// stays white.
TEST_F(DrawTest, PreviewForADeviceOfFewColoursDrawsGrey) {
  HDC metafile = CreateMetaFile(NULL);
  ASSERT_LT(GetDeviceCaps(metafile, NUMCOLORS), 3);
  view.SetModeFlags(UIVIEW_PREVIEW, 0);
  for (HDC reference : {metafile, static_cast<HDC>(NULL)}) {
    view.SetColorReferenceDC(reference);
    view.QvSetPenForeColor(kRed);
    view.QvSetPenBackColor(kWhite);
    Paint(kBlue);
    view.QvSetDashLine(QvSolidLine);
    view.QvDrawLine(Pt(0, 0), Pt(40, 40));
    EXPECT_EQ(At(20, 20), RGB(76, 76, 76));
    view.QvSetDashLine(QvDottedLine);
    view.QvDrawLine(Pt(0, 50), Pt(40, 50));
    EXPECT_EQ(At(0, 50), RGB(76, 76, 76));
    EXPECT_EQ(At(1, 50), kWhite);
    view.QvSetPenForeColor(kBlack);  // the next round makes the pen again
  }
  view.SetColorReferenceDC(NULL);
  view.SetModeFlags(0, UIVIEW_PREVIEW);
  DeleteMetaFile(CloseMetaFile(metafile));
}

TEST_F(DrawTest, PrintingWithoutAttributeDCFillsBlendedGreys) {
  view.SetModeFlags(UIVIEW_PRINTING, 0);
  view.QvSetFillForeColor(kRed);
  view.QvDrawRect(Rect(0, 0, 10, 10), 0, 1);
  EXPECT_EQ(At(5, 5), RGB(76, 76, 76));
  view.QvSetFillPattern(static_cast<QvGUIPattern>(5));
  view.QvDrawRect(Rect(0, 0, 10, 10), 0, 1);
  EXPECT_EQ(At(5, 5), ColorToGray(RGB(255, 191, 191)));
  view.SetModeFlags(0, UIVIEW_PRINTING);
}
