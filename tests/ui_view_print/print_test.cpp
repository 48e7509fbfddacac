// The drawing view on printer, metafile and preview DCs: resolution and minimum pen width of
// the printer, shading fills sent as solid blends, no null-brush fills to a printer, grey
// output for a device of fewer than 3 colours.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "view_canvas.h"

namespace {

const int kSide = 200;
const COLORREF kBack = RGB(200, 100, 40);
const COLORREF kFore = RGB(40, 200, 120);

// back x w + fore x (1 - w) in each channel, truncated.
COLORREF Blend(COLORREF back, COLORREF fore, double w) {
  auto mix = [w](int b, int f) { return static_cast<int>(b * w + f * (1 - w)); };
  return RGB(mix(GetRValue(back), GetRValue(fore)), mix(GetGValue(back), GetGValue(fore)),
             mix(GetBValue(back), GetBValue(fore)));
}

// The weight of the fill back colour in the solid colour that stands in for a pattern on
// printers and metafiles: 1 background, 2 foreground, 3 to 8 shadings; hatches (9 to 20) are
// half and half when an attribute DC is set.
struct Shading {
  int pattern;
  double backWeight;
};
const Shading kShadings[] = {{1, 1.0},    {2, 0.0},      {3, 0.25},      {4, 0.5},  {5, 0.75},
                             {6, 0.875},  {7, 0.9375},   {8, 0.96875},   {9, 0.5},  {20, 0.5}};

// An enhanced metafile recorded against a reference DC.
class Metafile {
 public:
  explicit Metafile(HDC reference) : m_dc(::CreateEnhMetaFile(reference, NULL, NULL, NULL)) {}
  ~Metafile() {
    if (m_dc != NULL) ::DeleteEnhMetaFile(::CloseEnhMetaFile(m_dc));
    if (m_emf != NULL) ::DeleteEnhMetaFile(m_emf);
  }
  Metafile(const Metafile&) = delete;
  Metafile& operator=(const Metafile&) = delete;

  HDC dc() const { return m_dc; }
  HENHMETAFILE Close() {
    m_emf = ::CloseEnhMetaFile(m_dc);
    m_dc = NULL;
    return m_emf;
  }

 private:
  HDC m_dc;
  HENHMETAFILE m_emf = NULL;
};

// A twips view drawing into a metafile recorded against the printer, measured as the printer.
struct MetafileView {
  explicit MetafileView(HDC printer) : emf(printer) {
    view.SetAttributeDC(printer);
    prepared.reset(new PreparedView(view, emf.dc()));
  }
  bool ok() const { return emf.dc() != NULL && prepared->ok(); }
  Metafile emf;
  TestDrawView view{UIVIEW_TWIPS};
  std::unique_ptr<PreparedView> prepared;
};

// A pattern fill of a metafile (a BitBlt record without a source) with the brush selected
// for it: BS_SOLID and its colour for a solid brush, BS_PATTERN for a pattern brush, BS_NULL
// for the stock null brush.
struct PatternFill {
  UINT style;
  COLORREF color;
  DWORD rop;
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) {
  auto* records = reinterpret_cast<std::vector<std::vector<BYTE>>*>(out);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
  records->emplace_back(bytes, bytes + record->nSize);
  return 1;
}

std::vector<PatternFill> PatternFills(HENHMETAFILE emf) {
  std::vector<std::vector<BYTE>> records;
  ::EnumEnhMetaFile(NULL, emf, CollectRecord, &records, NULL);
  std::map<DWORD, PatternFill> brushes;  // by handle-table index
  PatternFill current = {BS_SOLID, RGB(255, 255, 255), 0};
  std::vector<PatternFill> fills;
  for (const std::vector<BYTE>& bytes : records) {
    const EMR* emr = reinterpret_cast<const EMR*>(bytes.data());
    switch (emr->iType) {
      case EMR_CREATEBRUSHINDIRECT: {
        auto* r = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(emr);
        brushes[r->ihBrush] = PatternFill{r->lb.lbStyle, r->lb.lbColor, 0};
        break;
      }
      case EMR_CREATEMONOBRUSH:
      case EMR_CREATEDIBPATTERNBRUSHPT:
        brushes[reinterpret_cast<const EMRCREATEMONOBRUSH*>(emr)->ihBrush] = PatternFill{BS_PATTERN, 0, 0};
        break;
      case EMR_DELETEOBJECT:
        brushes.erase(reinterpret_cast<const EMRDELETEOBJECT*>(emr)->ihObject);
        break;
      case EMR_SELECTOBJECT: {
        DWORD index = reinterpret_cast<const EMRSELECTOBJECT*>(emr)->ihObject;
        if (index == (0x80000000u | NULL_BRUSH)) current = PatternFill{BS_NULL, 0, 0};
        else if (index == (0x80000000u | BLACK_BRUSH)) current = PatternFill{BS_SOLID, RGB(0, 0, 0), 0};
        else if (index == (0x80000000u | WHITE_BRUSH)) current = PatternFill{BS_SOLID, RGB(255, 255, 255), 0};
        else if (brushes.count(index)) current = brushes[index];
        break;
      }
      case EMR_BITBLT: {
        auto* r = reinterpret_cast<const EMRBITBLT*>(emr);
        if (r->cbBmiSrc == 0) fills.push_back(PatternFill{current.style, current.color, r->dwRop});
        break;
      }
      default:
        break;
    }
  }
  return fills;
}

// A white canvas to draw on.
class OnCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(canvas.valid());
    ASSERT_TRUE(UIViewPrepareSharedResources());
    canvas.Fill(RGB(255, 255, 255));
  }
  HDC surface() { return canvas.dc(); }
  DibCanvas canvas{kSide, kSide};
};

// The shading colours and a fill pattern.
void UseShading(CMFCUIView& view, int pattern) {
  view.QvSetFillBackColor(kBack);
  view.QvSetFillForeColor(kFore);
  view.QvSetFillPattern(static_cast<QvGUIPattern>(pattern));
}

// And the DC of the "PDF" printer of CUPS (cups-pdf).
class PrinterView : public OnCanvas {
 protected:
  void SetUp() override {
    OnCanvas::SetUp();
    ASSERT_TRUE(printer.CreateDC(_T("WINSPOOL"), _T("PDF"), NULL, NULL))
        << "no \"PDF\" printer in the Wine prefix (./run test starts cupsd and registers its queue)";
    dpiX = ::GetDeviceCaps(printer, LOGPIXELSX);
    dpiY = ::GetDeviceCaps(printer, LOGPIXELSY);
    ASSERT_GT(dpiX, 96) << "a printer of screen resolution tells nothing here";
  }
  CDC printer;
  int dpiX = 0, dpiY = 0;
};

TEST_F(PrinterView, ResolutionAndFactorsComeFromTheAttributeDC) {
  TestDrawView view(UIVIEW_TWIPS);
  view.SetAttributeDC(printer);
  {
    PreparedView prepared(view, surface());  // a 96-dpi surface measured as the printer
    ASSERT_TRUE(prepared.ok());
    EXPECT_EQ(view.ResolutionX(), dpiX);
    EXPECT_EQ(view.ResolutionY(), dpiY);
    EXPECT_FLOAT_EQ(view.FactorX(), 1440.0f / static_cast<float>(dpiX));
    EXPECT_FLOAT_EQ(view.FactorY(), 1440.0f / static_cast<float>(dpiY));
    EXPECT_EQ(view.ImageToClientX(1440), dpiX);  // one inch
    EXPECT_EQ(view.QvXImageToPixel(1440), dpiX);
  }
  // Without the attribute DC the next preparation measures the surface itself again.
  view.SetAttributeDC(NULL);
  PreparedView again(view, surface());
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(view.ResolutionX(), 96);
  EXPECT_FLOAT_EQ(view.FactorX(), 15.0f);
}

TEST_F(PrinterView, PenWidthHasAMinimumOnAPrinterAttributeDC) {
  MetafileView m(printer);
  ASSERT_TRUE(m.ok());
  TestDrawView& view = m.view;
  EXPECT_EQ(view.GetPenWidthInPixels(), 35) << "a hairline after preparing";
  // Widths in twips, away from halves of a pixel at common printer resolutions.
  for (unsigned short twips : {100, 170, 200, 1000, 1440}) {
    SCOPED_TRACE(twips);
    view.QvSetLineWidth(twips);
    double pixels = twips * dpiX / 1440.0;
    int expected = pixels >= 35.27778 ? static_cast<int>(std::floor(pixels + 0.5)) : 35;
    EXPECT_EQ(view.GetPenWidthInPixels(), expected);
  }
  // The same widths on a screen-like surface keep one pixel as the minimum.
  m.prepared->Release();
  view.SetAttributeDC(NULL);
  PreparedView onScreen(view, surface());
  ASSERT_TRUE(onScreen.ok());
  EXPECT_EQ(view.GetPenWidthInPixels(), 1);
  view.QvSetLineWidth(40);
  EXPECT_EQ(view.GetPenWidthInPixels(), 3);  // 40 / 15 = 2.67
}

TEST_F(PrinterView, HairlinesArePaintedAtTheMinimumWidth) {
  TestDrawView view;  // pixels of the printer
  view.SetAttributeDC(printer);
  PreparedView prepared(view, surface());
  ASSERT_TRUE(prepared.ok());
  ASSERT_EQ(view.GetPenWidthInPixels(), 35);
  view.QvDrawLine(POINT{10, 100}, POINT{190, 100});  // rows 100 - 17 to 100 + 17
  EXPECT_EQ(canvas.At(50, 82), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(50, 83), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(50, 117), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(50, 118), RGB(255, 255, 255));
  EXPECT_EQ(canvas.CountOf(RGB(0, 0, 0)), 180 * 35);
}

TEST_F(PrinterView, ShadingFillsBecomeSolidBlendsInAMetafile) {
  for (const Shading& s : kShadings) {
    SCOPED_TRACE(s.pattern);
    MetafileView m(printer);
    ASSERT_TRUE(m.ok());
    UseShading(m.view, s.pattern);
    m.view.QvDrawRect(RECT{1440, 1440, 2880, 2160}, 0, 1);
    m.prepared->Release();
    std::vector<PatternFill> fills = PatternFills(m.emf.Close());
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].style, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(fills[0].color, Blend(kBack, kFore, s.backWeight));
    EXPECT_EQ(fills[0].rop, static_cast<DWORD>(PATCOPY));
  }
}

// Printing and preview without a printer at hand.
using PrintOutput = OnCanvas;

TEST_F(PrintOutput, PrintingBlendsShadingsButKeepsHatchPatterns) {
  TestDrawView view;
  view.SetModeFlags(UIVIEW_PRINTING, 0);
  view.SetColorReferenceDC(surface());  // a true-colour reference, as the window DC is
  PreparedView prepared(view, surface());
  ASSERT_TRUE(prepared.ok());
  UseShading(view, 5);
  view.QvDrawRect(RECT{0, 0, 80, 80}, 0, 1);
  EXPECT_EQ(canvas.CountOf(Blend(kBack, kFore, 0.75)), 80 * 80);
  // A hatch has no blended colour without an attribute DC: its pattern is painted.
  view.QvSetFillPattern(static_cast<QvGUIPattern>(9));
  view.QvDrawRect(RECT{100, 100, 180, 180}, 0, 1);
  int back = 0, fore = 0;
  for (int y = 100; y < 180; ++y)
    for (int x = 100; x < 180; ++x) {
      back += canvas.At(x, y) == kBack;
      fore += canvas.At(x, y) == kFore;
    }
  EXPECT_GT(back, 0);
  EXPECT_GT(fore, 0);
  EXPECT_EQ(back + fore, 80 * 80);
}

TEST_F(PrintOutput, NoFillIsSentToAPrinterAsANullBrushPatBlt) {
  for (bool printing : {false, true}) {
    SCOPED_TRACE(printing ? "printing" : "on screen");
    Metafile emf(surface());
    ASSERT_NE(emf.dc(), (HDC)NULL);
    TestDrawView view;
    view.SetModeFlags(printing ? UIVIEW_PRINTING : 0ul, 0);
    view.SetColorReferenceDC(surface());
    PreparedView prepared(view, emf.dc());
    ASSERT_TRUE(prepared.ok());
    view.QvSetFillPattern(QvNoPattern);
    view.QvDrawRect(RECT{10, 10, 60, 60}, 0, 1);
    prepared.Release();
    std::vector<PatternFill> fills = PatternFills(emf.Close());
    if (printing) {
      EXPECT_TRUE(fills.empty()) << "some printer drivers paint a null brush black";
    } else {
      ASSERT_EQ(fills.size(), 1u);
      EXPECT_EQ(fills[0].style, static_cast<UINT>(BS_NULL));
    }
  }
}

// A device that reports fewer than 3 colours (NUMCOLORS 0 to 2): a Windows-metafile DC, which
// has no colours of its own. (Memory DCs report the screen's colours whatever bitmap they hold.)
class ColourlessDC {
 public:
  ColourlessDC() : m_dc(::CreateMetaFile(NULL)) {}
  ~ColourlessDC() {
    if (m_dc != NULL) ::DeleteMetaFile(::CloseMetaFile(m_dc));
  }
  ColourlessDC(const ColourlessDC&) = delete;
  ColourlessDC& operator=(const ColourlessDC&) = delete;
  HDC dc() const { return m_dc; }

 private:
  HDC m_dc;
};

// Pen lines (slanted), brush lines (straight) and solid fills of one view, by where they land.
struct Strokes {
  COLORREF slanted, straight, fill;
};
Strokes DrawStrokes(TestDrawView& view, DibCanvas& canvas, COLORREF pen, COLORREF fill) {
  view.QvSetPenForeColor(pen);
  view.QvSetFillForeColor(fill);
  view.QvDrawLine(POINT{10, 10}, POINT{60, 40});
  view.QvDrawLine(POINT{10, 80}, POINT{60, 80});
  view.QvDrawRect(RECT{10, 100, 60, 140}, 0, 1);
  return Strokes{canvas.At(10, 10), canvas.At(30, 80), canvas.At(30, 120)};
}

TEST_F(PrintOutput, FewColourReferenceTurnsPenAndFillGreyWhilePrintingOrPreviewing) {
  ColourlessDC few;
  const int colours = ::GetDeviceCaps(few.dc(), NUMCOLORS);
  ASSERT_TRUE(colours >= 0 && colours < 3) << colours;
  ASSERT_EQ(::GetDeviceCaps(surface(), NUMCOLORS), -1);
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  const COLORREF redGrey = RGB(76, 76, 76), blueGrey = RGB(28, 28, 28);
  struct Case {
    const char* name;
    unsigned long flags;
    bool fewColours;
    bool grey;
  } cases[] = {
      {"preview, few colours", UIVIEW_PREVIEW, true, true},
      {"printing, few colours", UIVIEW_PRINTING, true, true},
      {"on screen, few colours", 0, true, false},
      {"preview, true colour", UIVIEW_PREVIEW, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    canvas.Fill(RGB(255, 255, 255));
    TestDrawView view;
    view.SetModeFlags(c.flags, 0);
    view.SetColorReferenceDC(c.fewColours ? few.dc() : surface());
    PreparedView prepared(view, surface());
    ASSERT_TRUE(prepared.ok());
    Strokes s = DrawStrokes(view, canvas, red, blue);
    EXPECT_EQ(s.slanted, c.grey ? redGrey : red);
    EXPECT_EQ(s.straight, c.grey ? redGrey : red);
    EXPECT_EQ(s.fill, c.grey ? blueGrey : blue);
  }
}

TEST_F(PrintOutput, WhiteStaysWhiteOnAFewColourReference) {
  ColourlessDC few;
  canvas.Fill(RGB(0, 0, 0));
  TestDrawView view;
  view.SetModeFlags(UIVIEW_PREVIEW, 0);
  view.SetColorReferenceDC(few.dc());
  PreparedView prepared(view, surface());
  ASSERT_TRUE(prepared.ok());
  Strokes s = DrawStrokes(view, canvas, RGB(255, 255, 255), RGB(255, 255, 255));
  EXPECT_EQ(s.slanted, RGB(255, 255, 255));
  EXPECT_EQ(s.straight, RGB(255, 255, 255));
  EXPECT_EQ(s.fill, RGB(255, 255, 255));
}

}  // namespace
