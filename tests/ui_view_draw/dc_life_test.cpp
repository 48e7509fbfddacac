// The life of a DC in the view: prepared, given back with its own objects, nothing leaked or
// deleted twice, and nothing drawn when no DC is prepared.
#include "draw_fixture.h"

#include <UIHandles.h>

namespace {

bool Alive(HGDIOBJ h) { return h != NULL && GetObjectType(h) != 0; }

// One round of everything that makes GDI objects: pens of new colours, dashes and widths,
// every fill pattern, plain fills, clipping and a background brush.
void DrawEverything(ProbeView& view, int round) {
  view.QvSetPenForeColor(RGB(round % 256, 0, 0));
  view.QvSetDashLine(static_cast<QvDashLine>(round % 5));
  view.QvSetLineWidth(static_cast<unsigned short>(1 + round % 3));
  view.QvSetFillPattern(static_cast<QvGUIPattern>(round % 21));
  view.QvSetFillForeColor(RGB(0, round % 256, 0));
  view.QvSetFillBackColor(round % 2 ? RGB(0, round % 256, 0) : kWhite);
  view.QvSetBackgroundColor(RGB(0, 0, round % 256));
  view.QvDrawLine(Pt(0, 0), Pt(40, 30));
  view.QvDrawLine(Pt(0, 5), Pt(40, 5));
  // Pens made again for a new colour, width and dash while the DC is prepared.
  view.QvSetPenForeColor(RGB(0, 0, round % 256));
  view.QvDrawLine(Pt(0, 0), Pt(40, 30));
  view.QvSetLineWidth(static_cast<unsigned short>(4 + round % 3));
  view.QvDrawOval(Rect(2, 2, 30, 30), 1, 0);
  view.QvSetDashLine(static_cast<QvDashLine>((round + 1) % 5));
  view.QvDrawLine(Pt(0, 0), Pt(40, 30));
  view.QvDrawRect(Rect(2, 2, 30, 30), 1, 1);
  view.QvDrawOval(Rect(2, 2, 30, 30), 1, 1);
  view.QvDrawSector(Rect(2, 2, 30, 30), 10, 100, 1, 1);
  view.QvDrawArc(Rect(2, 2, 30, 30), 10, 100);
  CArray<POINT, POINT> pts;
  pts.Add(Pt(1, 1));
  pts.Add(Pt(30, 5));
  pts.Add(Pt(10, 30));
  view.QvDrawPoly(pts, round % 2, 1, 1);
  view.QvDrawSelectionRect(Rect(3, 3, 20, 20));
  RECT clip = Rect(0, 0, 20, 20);
  view.QvSetClipRect(clip);
  view.QvUnionRectToClip(clip);
  view.QvFreeRegion(view.QvGetClipRegion());
  CRgn rgn;
  rgn.CreateRectRgn(0, 0, 5, 5);
  view.QvSetClipRegion(&rgn);
  view.QvResetClipRect();
}

}  // namespace

TEST_F(DrawTest, UnprepareGivesTheDCItsObjectsBackAndDeletesTheViewsOwn) {
  view.UnprepareCurrentDC();
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH brush = CreateSolidBrush(kRed);
  HFONT font = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, _T("Arial"));
  HGDIOBJ oldPen = SelectObject(dc(), pen), oldBrush = SelectObject(dc(), brush), oldFont = SelectObject(dc(), font);

  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
  view.QvSetDashLine(QvLongDashLine);
  view.QvDrawLine(Pt(0, 0), Pt(30, 20));
  view.QvDrawRect(Rect(0, 0, 10, 10), 1, 1);
  HPEN dashPen = view.m_hDashPen.Get();
  HRGN clip = view.m_hClipRgn.Get();
  EXPECT_TRUE(Alive(dashPen));
  EXPECT_TRUE(Alive(clip));
  // Fonts as the text drawing makes them, one of them selected.
  HFONT fonts[4];
  for (HFONT& f : fonts) f = CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, _T("Arial"));
  view.m_hTextFont.Reset(fonts[0]);
  view.m_hVertFont90.Reset(fonts[1]);
  view.m_hVertFont270.Reset(fonts[2]);
  view.m_hMeasureFont.Reset(fonts[3]);
  SelectObject(dc(), fonts[0]);

  view.UnprepareCurrentDC();
  EXPECT_EQ(view.GetCurrentDC(), static_cast<HDC>(NULL));
  EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc(), OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc(), OBJ_FONT), font);
  EXPECT_FALSE(Alive(dashPen));
  EXPECT_FALSE(Alive(clip));
  for (HFONT f : fonts) EXPECT_FALSE(Alive(f));
  EXPECT_EQ(view.m_hDashPen.Get(), static_cast<HPEN>(NULL));
  EXPECT_EQ(view.m_hClipRgn.Get(), static_cast<HRGN>(NULL));
  EXPECT_EQ(view.m_hTextFont.Get(), static_cast<HFONT>(NULL));
  EXPECT_EQ(view.m_hVertFont90.Get(), static_cast<HFONT>(NULL));
  EXPECT_EQ(view.m_hVertFont270.Get(), static_cast<HFONT>(NULL));
  EXPECT_EQ(view.m_hMeasureFont.Get(), static_cast<HFONT>(NULL));

  // Objects made now may take the freed handles: a second release must not delete them.
  HFONT fresh[4];
  for (HFONT& f : fresh) f = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, _T("Arial"));
  HPEN freshPen = CreatePen(PS_SOLID, 2, kBlue);
  view.UnprepareCurrentDC();
  for (HFONT f : fresh) EXPECT_TRUE(Alive(f));
  EXPECT_TRUE(Alive(freshPen));
  for (HFONT f : fresh) DeleteObject(f);
  DeleteObject(freshPen);

  SelectObject(dc(), oldPen);
  SelectObject(dc(), oldBrush);
  SelectObject(dc(), oldFont);
  DeleteObject(pen);
  DeleteObject(brush);
  DeleteObject(font);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
}

// What the caller's DC holds besides its objects: the clip box (empty without a clip
// region), the colours, the modes and the raster operation.
struct DCState {
  int clipped;
  RECT clipBox;
  COLORREF text, back;
  int bkMode, rop2;
  POINT brushOrigin;

  static DCState Of(HDC dc) {
    DCState s = {};
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    s.clipped = GetClipRgn(dc, rgn);
    if (s.clipped == 1) GetRgnBox(rgn, &s.clipBox);
    DeleteObject(rgn);
    s.text = GetTextColor(dc);
    s.back = GetBkColor(dc);
    s.bkMode = GetBkMode(dc);
    s.rop2 = GetROP2(dc);
    GetBrushOrgEx(dc, &s.brushOrigin);
    return s;
  }
  void ExpectSame(const DCState& o) const {
    EXPECT_EQ(clipped, o.clipped);
    EXPECT_TRUE(EqualRect(&clipBox, &o.clipBox));
    EXPECT_EQ(text, o.text);
    EXPECT_EQ(back, o.back);
    EXPECT_EQ(bkMode, o.bkMode);
    EXPECT_EQ(rop2, o.rop2);
    EXPECT_EQ(brushOrigin.x, o.brushOrigin.x);
    EXPECT_EQ(brushOrigin.y, o.brushOrigin.y);
  }
};

// Clipping, colours, modes and patterns the view sets while it draws.
void DrawWithEveryDCSetting(ProbeView& view) {
  view.SetScroll(3, 5);  // pattern brushes aligned to the document
  view.QvSetClipRect(Rect(4, 4, 20, 20));
  view.QvSetDrawMode(QvXorMode);
  view.QvSetPenForeColor(kRed);
  view.QvSetPenBackColor(kYellow);
  view.QvSetDashLine(QvShortDashLine);
  view.QvDrawLine(Pt(0, 0), Pt(30, 20));
  view.QvSetFillForeColor(kGreen);
  view.QvSetFillBackColor(kBlue);
  view.QvSetFillPattern(static_cast<QvGUIPattern>(9));
  view.QvDrawRect(Rect(0, 0, 30, 30), 1, 1);
}

// The caller gets its DC back as it gave it, whether it was clipped or not.
TEST_F(DrawTest, UnprepareGivesTheDCItsStateBack) {
  view.UnprepareCurrentDC();
  for (bool clipped : {false, true}) {
    SCOPED_TRACE(clipped ? "clipped" : "not clipped");
    HRGN clip = CreateRectRgn(2, 3, 40, 50);
    SelectClipRgn(dc(), clipped ? clip : NULL);
    DeleteObject(clip);
    SetTextColor(dc(), RGB(1, 2, 3));
    SetBkColor(dc(), RGB(4, 5, 6));
    SetBkMode(dc(), OPAQUE);
    SetROP2(dc(), R2_MASKPEN);
    SetBrushOrgEx(dc(), 1, 2, NULL);
    const DCState before = DCState::Of(dc());

    ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
    DrawWithEveryDCSetting(view);
    view.UnprepareCurrentDC();
    DCState::Of(dc()).ExpectSame(before);
  }
  SelectClipRgn(dc(), NULL);
  SetROP2(dc(), R2_COPYPEN);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
}

TEST_F(DrawTest, ManyPrepareAndUnprepareCyclesLeakNothing) {
  // A first pass makes the shared pattern brushes and the view's lasting brushes (the pen, the
  // line brush and its few cached fill brushes).
  for (int round = 0; round < 300; ++round) DrawEverything(view, round);
  view.UnprepareCurrentDC();
  const int before = GdiObjectCount();
  for (int round = 0; round < 300; ++round) {
    ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
    DrawEverything(view, round);
    view.UnprepareCurrentDC();
  }
  EXPECT_EQ(GdiObjectCount(), before);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
}

// Preparing another DC first gives the prepared one its objects back.
TEST_F(DrawTest, PreparingAnotherDCReleasesThePreparedOne) {
  HGDIOBJ pen = GetCurrentObject(dc(), OBJ_PEN), brush = GetCurrentObject(dc(), OBJ_BRUSH);
  view.QvSetDashLine(QvShortDashLine);
  view.QvDrawLine(Pt(0, 0), Pt(30, 20));
  view.QvSetFillPattern(static_cast<QvGUIPattern>(9));
  view.QvDrawRect(Rect(0, 0, 10, 10), 0, 1);
  DibCanvas other(16, 16);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(other.dc(), false));
  EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc(), OBJ_BRUSH), brush);
  view.QvDrawRect(Rect(0, 0, 16, 16), 0, 1);
  EXPECT_EQ(other.At(8, 8), kBlack);
  view.UnprepareCurrentDC();
  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
  EXPECT_FALSE(view.PrepareNewDCForDrawing(NULL, false));
  EXPECT_EQ(view.GetCurrentDC(), dc()) << "a NULL DC changes nothing";
}

TEST(UIDrawNoDC, EveryCallWithoutAPreparedDCDoesNothing) {
  DibCanvas canvas(16, 16);
  RECT all = {0, 0, 16, 16};
  FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  {
    ProbeView view;
    ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
    view.UnprepareCurrentDC();
    for (int round = 0; round < 3; ++round) DrawEverything(view, round);
    view.QvMoveTo(Pt(1, 1));
    view.QvDraw3DRect(Rect(0, 0, 16, 16), 1);
    view.QvEraseRect(Rect(0, 0, 16, 16));
    view.QvInvertRectForSelection(Rect(0, 0, 16, 16));
    view.QvBlockMove(Rect(0, 0, 8, 8), 4, 4);
    view.QvInvalRect(Rect(0, 0, 8, 8), 1);
    view.QvInvalAll(1);
    view.QvUpdateNow();
    view.QvSetDrawMode(QvXorMode);
    EXPECT_EQ(view.QvGetDrawMode(), QvXorMode);
    CRgn* empty = view.QvGetClipRegion();
    RECT box;
    EXPECT_EQ(empty->GetRgnBox(&box), NULLREGION);
    view.QvFreeRegion(empty);
    view.QvBeginUse();
    view.QvEndUse();
    view.QvDrawRect(Rect(0, 0, 16, 16), 1, 1);
    view.UnprepareCurrentDC();
  }
  EXPECT_EQ(canvas.CountOf(kWhite), 16 * 16);
}

TEST_F(DrawTest, BeginUseRestoresTheDefaultAttributes) {
  view.QvSetPenForeColor(kRed);
  view.QvSetPenBackColor(kBlue);
  view.QvSetFillForeColor(kRed);
  view.QvSetFillBackColor(kBlue);
  view.QvSetLineWidth(5);
  view.QvSetDashLine(QvDashDotLine);
  view.QvSetFillPattern(static_cast<QvGUIPattern>(7));
  view.QvSetDrawMode(QvXorMode);
  view.QvBeginUse();
  EXPECT_EQ(view.QvGetPenForeColor(), kBlack);
  EXPECT_EQ(view.QvGetPenBackColor(), kWhite);
  EXPECT_EQ(view.QvGetFillForeColor(), kBlack);
  EXPECT_EQ(view.QvGetFillBackColor(), kWhite);
  EXPECT_EQ(view.QvGetLineWidth(), 1);
  EXPECT_EQ(view.QvGetDashLine(), QvSolidLine);
  EXPECT_EQ(view.QvGetFillPattern(), QvSolidPattern);
  EXPECT_EQ(view.QvGetDrawMode(), QvCopyMode);
  EXPECT_EQ(view.GetPenWidthInPixels(), 1);
  EXPECT_EQ(GetTextColor(dc()), kBlack);
  EXPECT_EQ(GetBkColor(dc()), kWhite);
  EXPECT_EQ(GetBkMode(dc()), TRANSPARENT);
}

// The DC holds either the pen or the fill colours; a setter changes the DC at once when its
// colours are the ones held.
TEST_F(DrawTest, ColourSettersKeepTheDCsColoursInStep) {
  view.QvSetPenForeColor(kRed);
  view.QvSetPenBackColor(kYellow);
  view.QvSetFillForeColor(kGreen);
  EXPECT_EQ(GetTextColor(dc()), kRed);
  EXPECT_EQ(GetBkColor(dc()), kYellow);
  view.QvDrawRect(Rect(0, 0, 4, 4), 0, 1);
  EXPECT_EQ(GetTextColor(dc()), kGreen);
  view.QvSetFillBackColor(kBlue);
  EXPECT_EQ(GetBkColor(dc()), kBlue);
  view.QvSetPenForeColor(kBlack);
  EXPECT_EQ(GetTextColor(dc()), kGreen);
  view.QvDrawLine(Pt(0, 8), Pt(10, 8));
  EXPECT_EQ(GetTextColor(dc()), kBlack);
}

TEST_F(DrawTest, BackgroundColourAndLineWidthSetters) {
  EXPECT_EQ(view.QvGetBackgroundColor(), GetSysColor(COLOR_WINDOW));
  view.QvSetBackgroundColor(kRed);
  EXPECT_EQ(view.QvGetBackgroundColor(), kRed);
  view.QvSetBackgroundColor(0x01000000);
  EXPECT_EQ(view.QvGetBackgroundColor(), GetSysColor(COLOR_WINDOW));

  view.QvSetLineWidth(4);
  EXPECT_EQ(view.GetPenWidthInPixels(), 4);
  view.QvSetLineWidth(0);
  EXPECT_EQ(view.QvGetLineWidth(), 4);
  EXPECT_EQ(view.GetPenWidthInPixels(), 4);
}

// Pen widths follow the conversion: 15 twips a pixel on a 96-dpi surface, at least 1 pixel.
TEST(UIDrawPenWidth, PenWidthInPixelsFollowsTheUnitsAndZoom) {
  DibCanvas canvas(8, 8);
  ProbeView view(UIVIEW_TWIPS);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
  struct Case {
    unsigned short twips;
    unsigned short pixels;
  } const cases[] = {{1, 1}, {15, 1}, {22, 1}, {23, 2}, {30, 2}, {150, 10}, {1000, 67}};
  for (const Case& c : cases) {
    view.QvSetLineWidth(c.twips);
    EXPECT_EQ(view.GetPenWidthInPixels(), c.pixels) << c.twips << " twips";
  }
  view.UnprepareCurrentDC();
}

// The view window has a DC of its own, which the initial update prepares for drawing (owned),
// with a measuring DC beside it; the view gives both back when it goes.
void RunViewWindow() {
  HWND parent = CreateWindowEx(0, _T("STATIC"), _T("parent"), WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
  ASSERT_NE(parent, static_cast<HWND>(NULL));
  {
    ProbeView view;
    RECT r = Rect(0, 0, 100, 80);
    ASSERT_TRUE(view.Create(_T("ignored"), _T("ignored"), WS_CHILD | WS_VISIBLE, r, CWnd::FromHandle(parent), 7));
    const ULONG_PTR style = GetClassLongPtr(view.m_hWnd, GCL_STYLE);
    EXPECT_EQ(style & (CS_OWNDC | CS_DBLCLKS), static_cast<ULONG_PTR>(CS_OWNDC | CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtr(view.m_hWnd, GCLP_HCURSOR), reinterpret_cast<ULONG_PTR>(LoadCursor(NULL, IDC_ARROW)));
    EXPECT_EQ(GetWindowTextLength(view.m_hWnd), 0);
    EXPECT_EQ(GetDlgCtrlID(view.m_hWnd), 7);
    EXPECT_EQ(view.GetCurrentDC(), static_cast<HDC>(NULL));

    view.OnInitialUpdate();
    HDC own = GetDC(view.m_hWnd);
    EXPECT_EQ(view.GetCurrentDC(), own);
    ReleaseDC(view.m_hWnd, own);
    EXPECT_EQ(GetBkMode(view.GetCurrentDC()), TRANSPARENT);
    view.QvDrawRect(Rect(0, 0, 10, 10), 1, 1);
    view.QvSetDashLine(QvShortDashLine);
    view.QvDrawLine(Pt(0, 0), Pt(20, 30));
    view.OnInitialUpdate();  // again: nothing more is made
    EXPECT_EQ(view.GetCurrentDC(), own);
    view.UnprepareCurrentDC();
    view.DestroyWindow();
  }
  DestroyWindow(parent);
}

// The window's own DC keeps its state from one GetDC to the next: what one preparation set
// must not reach the next one, nor whoever draws on the window after the view.
TEST(UIDrawWindow, APreparationLeavesNothingOnTheWindowsOwnDC) {
  HWND parent = CreateWindowEx(0, _T("STATIC"), _T("parent"), WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
  ASSERT_NE(parent, static_cast<HWND>(NULL));
  {
    ProbeView view;
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, Rect(0, 0, 100, 80), CWnd::FromHandle(parent), 1));
    uih::WindowDC own(view.m_hWnd);
    ASSERT_TRUE(own);
    const DCState before = DCState::Of(own.Get());
    EXPECT_EQ(before.clipped, 0);
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(round);
      view.OnInitialUpdate();
      ASSERT_EQ(view.GetCurrentDC(), own.Get());
      EXPECT_EQ(DCState::Of(own.Get()).clipped, 0) << "a clip left from the last preparation";
      DrawWithEveryDCSetting(view);
      view.UnprepareCurrentDC();
      DCState::Of(own.Get()).ExpectSame(before);
    }
    own.Reset();
    view.DestroyWindow();
  }
  DestroyWindow(parent);
}

TEST(UIDrawWindow, InitialUpdatePreparesTheWindowsOwnDC) {
  RunViewWindow();  // the first windows of the process make the system's lasting objects
  const int before = GdiObjectCount();
  RunViewWindow();
  EXPECT_EQ(GdiObjectCount(), before);
}
