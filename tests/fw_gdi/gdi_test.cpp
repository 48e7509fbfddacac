// GDI object and DC wrappers: drawing into DIB sections, ownership and temporary objects.
#include <framework.h>
#include <gtest/gtest.h>

#include "fw_canvas.h"

#include <vector>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

bool Alive(HGDIOBJ h) { return ::GetObjectType(h) != 0; }

TEST(CDCDrawing, FillsFramesAndLinesLandOnTheExpectedPixels) {
  FwCanvas canvas(40, 30);
  ASSERT_TRUE(canvas.valid());
  CDC& dc = canvas.cdc();
  dc.FillSolidRect(0, 0, 40, 30, kWhite);

  CPen pen(PS_SOLID, 1, kBlue);
  CBrush brush(kGreen);
  CPen* oldPen = dc.SelectObject(&pen);
  CBrush* oldBrush = dc.SelectObject(&brush);
  ASSERT_NE(oldPen, nullptr);
  ASSERT_NE(oldBrush, nullptr);
  dc.Rectangle(2, 2, 12, 12);  // blue frame, green inside
  dc.MoveTo(20, 5);
  dc.LineTo(30, 5);  // the end point is not drawn
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);

  dc.Draw3dRect(CRect(20, 10, 30, 20), kRed, kBlue);

  EXPECT_EQ(canvas.At(2, 2), kBlue);
  EXPECT_EQ(canvas.At(11, 11), kBlue);
  EXPECT_EQ(canvas.At(6, 6), kGreen);
  EXPECT_EQ(canvas.At(12, 12), kWhite);
  EXPECT_EQ(canvas.At(20, 5), kBlue);
  EXPECT_EQ(canvas.At(29, 5), kBlue);
  EXPECT_EQ(canvas.At(30, 5), kWhite);
  EXPECT_EQ(canvas.At(20, 10), kRed);    // top-left edges
  EXPECT_EQ(canvas.At(20, 18), kRed);
  EXPECT_EQ(canvas.At(29, 19), kBlue);   // bottom-right edges
  EXPECT_EQ(canvas.At(29, 10), kBlue);
  EXPECT_EQ(canvas.At(25, 15), kWhite);  // inside untouched
  EXPECT_EQ(canvas.CountOf(kGreen), 8 * 8);
}

TEST(CDCDrawing, FillSolidRectKeepsTheBackgroundColour) {
  FwCanvas canvas(8, 8);
  CDC& dc = canvas.cdc();
  dc.SetBkColor(kRed);
  dc.FillSolidRect(CRect(0, 0, 8, 8), kGreen);
  EXPECT_EQ(dc.GetBkColor(), kRed);
  EXPECT_EQ(canvas.CountOf(kGreen), 64);
}

TEST(CDCDrawing, TextAndExtentsUseTheSelectedFont) {
  FwCanvas canvas(200, 40);
  CDC& dc = canvas.cdc();
  dc.FillSolidRect(0, 0, 200, 40, kWhite);
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, _T("Arial"), &dc));
  CFont* old = dc.SelectObject(&font);
  CSize size = dc.GetTextExtent(CString(_T("Hello")));
  EXPECT_GT(size.cx, 10);
  EXPECT_GT(size.cy, 8);
  dc.SetTextColor(kBlue);
  dc.SetBkMode(TRANSPARENT);
  CRect r(0, 0, 200, 40);
  dc.DrawText(CString(_T("Hello")), &r, DT_SINGLELINE | DT_LEFT | DT_TOP);
  EXPECT_GT(canvas.CountOf(kBlue), 10);
  CRect calc(0, 0, 0, 0);
  dc.DrawText(CString(_T("Hello")), &calc, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(calc.Width(), size.cx);
  dc.SelectObject(old);
  LOGFONT lf;
  ASSERT_TRUE(font.GetLogFont(&lf));
  EXPECT_LT(lf.lfHeight, 0);  // a character height, as point fonts are
}

TEST(CDCDrawing, MappingAndOriginsShiftDrawing) {
  FwCanvas canvas(20, 20);
  CDC& dc = canvas.cdc();
  dc.FillSolidRect(0, 0, 20, 20, kWhite);
  CPoint oldOrg = dc.SetViewportOrg(5, 5);
  EXPECT_EQ(oldOrg, CPoint(0, 0));
  dc.FillSolidRect(0, 0, 2, 2, kRed);
  EXPECT_EQ(canvas.At(5, 5), kRed);
  EXPECT_EQ(canvas.At(0, 0), kWhite);
  CPoint p(0, 0);
  dc.LPtoDP(&p);
  EXPECT_EQ(p, CPoint(5, 5));
  CSize s(3, 4);
  dc.LPtoDP(&s);  // sizes do not move with the origin
  EXPECT_EQ(s, CSize(3, 4));
}

TEST(CDCDrawing, SaveAndRestoreBringBackTheState) {
  FwCanvas canvas(4, 4);
  CDC& dc = canvas.cdc();
  dc.SetTextColor(kRed);
  int saved = dc.SaveDC();
  ASSERT_NE(saved, 0);
  dc.SetTextColor(kBlue);
  dc.IntersectClipRect(0, 0, 1, 1);
  EXPECT_TRUE(dc.RestoreDC(saved));
  EXPECT_EQ(dc.GetTextColor(), kRed);
  CRect clip;
  dc.GetClipBox(&clip);
  EXPECT_EQ(clip, CRect(0, 0, 4, 4));
}

TEST(CDCDrawing, ClippingToARegionLimitsFills) {
  FwCanvas canvas(10, 10);
  CDC& dc = canvas.cdc();
  dc.FillSolidRect(0, 0, 10, 10, kWhite);
  CRgn rgn;
  ASSERT_TRUE(rgn.CreateRectRgn(2, 2, 5, 5));
  EXPECT_NE(dc.SelectClipRgn(&rgn), ERROR);
  dc.FillSolidRect(0, 0, 10, 10, kRed);
  EXPECT_EQ(canvas.CountOf(kRed), 9);
  dc.SelectClipRgn(NULL);
  dc.FillSolidRect(0, 0, 1, 1, kBlue);
  EXPECT_EQ(canvas.At(0, 0), kBlue);
}

TEST(CDCDrawing, BitBltCopiesBetweenDcs) {
  FwCanvas src(4, 4), dst(4, 4);
  src.cdc().FillSolidRect(0, 0, 4, 4, kGreen);
  dst.cdc().FillSolidRect(0, 0, 4, 4, kWhite);
  EXPECT_TRUE(dst.cdc().BitBlt(1, 1, 2, 2, &src.cdc(), 0, 0, SRCCOPY));
  EXPECT_EQ(dst.CountOf(kGreen), 4);
  EXPECT_EQ(dst.At(1, 1), kGreen);
}

TEST(CDCDrawing, HalftoneBrushIsSharedAndAlternates) {
  CBrush* a = CDC::GetHalftoneBrush();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, CDC::GetHalftoneBrush());
  FwCanvas canvas(8, 8);
  CDC& dc = canvas.cdc();
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkColor(kWhite);
  dc.FillRect(CRect(0, 0, 8, 8), a);
  EXPECT_EQ(canvas.CountOf(kWhite), 32);
  EXPECT_NE(canvas.At(0, 0), canvas.At(1, 0));
  EXPECT_NE(canvas.At(0, 0), canvas.At(0, 1));
}

TEST(CDCDrawing, DragRectDrawsThenErasesByXor) {
  FwCanvas canvas(20, 20);
  CDC& dc = canvas.cdc();
  dc.FillSolidRect(0, 0, 20, 20, kWhite);
  CBrush white(kWhite);  // inverting with white turns white pixels black
  CRect r(2, 2, 12, 12);
  dc.DrawDragRect(&r, CSize(2, 2), NULL, CSize(0, 0), &white);
  int drawn = 400 - canvas.CountOf(kWhite);
  EXPECT_EQ(drawn, 10 * 10 - 6 * 6);
  EXPECT_EQ(canvas.At(6, 6), kWhite);  // the inside stays
  CRect moved(4, 4, 14, 14);
  dc.DrawDragRect(&moved, CSize(2, 2), &r, CSize(2, 2), &white);
  EXPECT_EQ(400 - canvas.CountOf(kWhite), drawn);  // the old frame went, the new one came
  EXPECT_EQ(canvas.At(2, 2), kWhite);
  EXPECT_NE(canvas.At(13, 13), kWhite);
  dc.DrawDragRect(&moved, CSize(2, 2), NULL, CSize(0, 0), &white);  // erase the last one
  EXPECT_EQ(canvas.CountOf(kWhite), 400);
}

// ---------------------------------------------------------------------------------------
// Ownership and temporary objects

TEST(GdiOwnership, TheOwnerDeletesItsHandleAndDetachKeepsIt) {
  HGDIOBJ h;
  {
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, kRed));
    h = pen.m_hObject;
    EXPECT_TRUE(Alive(h));
  }
  EXPECT_FALSE(Alive(h));

  HGDIOBJ kept;
  {
    CBrush brush(kRed);
    kept = brush.Detach();
  }
  EXPECT_TRUE(Alive(kept));
  ::DeleteObject(kept);
}

TEST(GdiOwnership, AttachRefusesASecondHandleAndLeavesItToTheCaller) {
  CBrush brush(kRed);
  HBRUSH other = ::CreateSolidBrush(kBlue);
  EXPECT_FALSE(brush.Attach(other));
  EXPECT_FALSE(brush.Attach(NULL));
  EXPECT_TRUE(Alive(other));
  HGDIOBJ mine = brush.m_hObject;
  EXPECT_FALSE(brush.CreateSolidBrush(kGreen));  // already holds one: nothing leaks
  EXPECT_EQ(brush.m_hObject, mine);
  ::DeleteObject(other);
}

TEST(GdiOwnership, TemporaryObjectsBorrowAndMatchTheHandleType) {
  HPEN pen = ::CreatePen(PS_SOLID, 1, kRed);
  HBRUSH brush = ::CreateSolidBrush(kRed);
  HRGN rgn = ::CreateRectRgn(0, 0, 1, 1);
  CGdiObject* p = CGdiObject::FromHandle(pen);
  EXPECT_EQ(p, CGdiObject::FromHandle(pen));
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_TRUE(CBrush::FromHandle(brush)->IsKindOf(RUNTIME_CLASS(CBrush)));
  EXPECT_TRUE(CRgn::FromHandle(rgn)->IsKindOf(RUNTIME_CLASS(CRgn)));
  EXPECT_EQ(CGdiObject::FromHandle(NULL), nullptr);
  FwDeleteTempMaps();
  // The temporary objects are gone, the handles are not.
  EXPECT_TRUE(Alive(pen));
  EXPECT_TRUE(Alive(brush));
  EXPECT_TRUE(Alive(rgn));
  ::DeleteObject(pen);
  ::DeleteObject(brush);
  ::DeleteObject(rgn);
}

TEST(GdiOwnership, AReusedHandleGetsATemporaryObjectOfItsNewType) {
  // A handle value that is deleted and reused for another kind of object must not come
  // back as the old kind.
  HPEN pen = ::CreatePen(PS_SOLID, 1, kRed);
  CGdiObject* asPen = CGdiObject::FromHandle(pen);
  ASSERT_TRUE(asPen->IsKindOf(RUNTIME_CLASS(CPen)));
  ::DeleteObject(pen);
  HBRUSH reused = NULL;
  std::vector<HBRUSH> made;
  for (int i = 0; i < 64 && reused == NULL; ++i) {
    HBRUSH b = ::CreateSolidBrush(kBlue);
    if ((HGDIOBJ)b == (HGDIOBJ)pen) reused = b;
    made.push_back(b);
  }
  if (reused != NULL) {
    EXPECT_TRUE(CGdiObject::FromHandle(reused)->IsKindOf(RUNTIME_CLASS(CBrush)));
  }
  for (HBRUSH b : made) ::DeleteObject(b);
  FwDeleteTempMaps();
}

TEST(GdiOwnership, SelectReturnsThePreviousObjectAsATemporary) {
  FwCanvas canvas(2, 2);
  CDC& dc = canvas.cdc();
  CPen a(PS_SOLID, 1, kRed), b(PS_SOLID, 1, kBlue);
  CPen* first = dc.SelectObject(&a);
  ASSERT_NE(first, nullptr);
  CPen* prev = dc.SelectObject(&b);
  ASSERT_NE(prev, nullptr);
  EXPECT_EQ(prev->m_hObject, a.m_hObject);
  EXPECT_NE(prev, &a);  // a borrowing object, not the owner
  EXPECT_EQ(dc.GetCurrentPen()->m_hObject, b.m_hObject);
  dc.SelectObject(first);
  FwDeleteTempMaps();
  EXPECT_TRUE(Alive(a.m_hObject));
  EXPECT_TRUE(Alive(b.m_hObject));
}

TEST(GdiOwnership, ManyCreateDestroyCyclesLeakNothing) {
  // Every handle an owner made is gone the moment the owner is; run long enough that a leak
  // would also exhaust the process's GDI handles and make creation fail.
  for (int i = 0; i < 12000; ++i) {
    HGDIOBJ handles[7];
    HDC dcHandle;
    {
      CPen pen(PS_DASH, 1, RGB(i & 0xFF, 0, 0));
      CBrush brush(HS_CROSS, kGreen);
      CFont font;
      ASSERT_TRUE(font.CreatePointFont(80 + i % 40, _T("Arial"))) << i;
      CBitmap bitmap;
      ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 1, NULL)) << i;
      CRgn rgn;
      ASSERT_TRUE(rgn.CreateEllipticRgn(0, 0, 5 + i % 7, 5)) << i;
      CPalette palette;
      LOGPALETTE lp = {0x300, 1, {{1, 2, 3, 0}}};
      ASSERT_TRUE(palette.CreatePalette(&lp)) << i;
      CBrush pattern(&bitmap);
      CDC dc;
      ASSERT_TRUE(dc.CreateCompatibleDC(NULL)) << i;
      CBitmap* old = dc.SelectObject(&bitmap);
      dc.SelectObject(old);
      handles[0] = pen.m_hObject;
      handles[1] = brush.m_hObject;
      handles[2] = font.m_hObject;
      handles[3] = bitmap.m_hObject;
      handles[4] = rgn.m_hObject;
      handles[5] = palette.m_hObject;
      handles[6] = pattern.m_hObject;
      dcHandle = dc.m_hDC;
    }
    for (HGDIOBJ h : handles) ASSERT_FALSE(Alive(h)) << i;
    ASSERT_FALSE(Alive(dcHandle)) << i;
    if (i % 1000 == 0) FwDeleteTempMaps();
  }
  FwDeleteTempMaps();
}

TEST(GdiOwnership, TemporaryDcsBorrowTheirHandle) {
  HDC h = ::CreateCompatibleDC(NULL);
  CDC* p = CDC::FromHandle(h);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->m_hDC, h);
  EXPECT_EQ(p->m_hAttribDC, h);
  EXPECT_EQ(p, CDC::FromHandle(h));
  FwDeleteTempMaps();
  EXPECT_TRUE(Alive(h));
  ::DeleteDC(h);
}

TEST(GdiOwnership, CreateFailsCleanlyOnBadInput) {
  CBrush brush;
  EXPECT_FALSE(brush.CreatePatternBrush(NULL));
  EXPECT_FALSE(brush.CreateBrushIndirect(NULL));
  CRgn rgn;
  EXPECT_EQ(rgn.CombineRgn(NULL, NULL, RGN_OR), ERROR);  // no region of its own yet
  EXPECT_FALSE(rgn.CreateRectRgnIndirect(NULL));
  CBitmap bitmap;
  EXPECT_FALSE(bitmap.LoadBitmap(12345));
  EXPECT_EQ(bitmap.m_hObject, nullptr);
  // A value constructor that cannot make its object throws the framework's exception.
  bool thrown = false;
  try {
    CBrush bad((CBitmap*)NULL);
  } catch (CResourceException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}

TEST(GdiRegions, CombineAndQuery) {
  CRgn a, b, c;
  ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
  ASSERT_TRUE(b.CreateRectRgn(5, 5, 15, 15));
  ASSERT_TRUE(c.CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(c.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
  CRect box;
  c.GetRgnBox(&box);
  EXPECT_EQ(box, CRect(5, 5, 10, 10));
  EXPECT_TRUE(c.PtInRegion(7, 7));
  EXPECT_FALSE(c.PtInRegion(2, 2));
  EXPECT_EQ(c.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
  CRgn d;
  ASSERT_TRUE(d.CreateRectRgn(0, 0, 0, 0));
  d.CopyRgn(&c);
  EXPECT_TRUE(d.EqualRgn(&c));
  d.OffsetRgn(1, 1);
  EXPECT_FALSE(d.EqualRgn(&c));
}

}  // namespace

namespace {

class PaintingWnd : public CWnd {
 public:
  int paints = 0;
  CRect lastPaint;
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    ++paints;
    lastPaint = dc.m_ps.rcPaint;
    dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(1, 2, 3));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintingWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(WindowDCs, PaintDCValidatesWhatItPainted) {
  PaintingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("paint"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 120,
                           120, NULL, NULL));
  wnd.UpdateWindow();
  int before = wnd.paints;
  CRect part(10, 10, 30, 20);
  wnd.InvalidateRect(&part, FALSE);
  wnd.UpdateWindow();
  EXPECT_EQ(wnd.paints, before + 1);
  EXPECT_EQ(wnd.lastPaint, part);
  CRect rest;
  EXPECT_FALSE(wnd.GetUpdateRect(&rest));
  wnd.DestroyWindow();
}

TEST(WindowDCs, ClientAndWindowDCsOfAWindowAndOfTheScreen) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("dc"), WS_OVERLAPPEDWINDOW, 0, 0, 120, 120, NULL, NULL));
  for (int i = 0; i < 2000; ++i) {
    CClientDC client(&wnd);
    ASSERT_NE(client.m_hDC, nullptr) << i;
    CWindowDC whole(&wnd);
    ASSERT_NE(whole.m_hDC, nullptr) << i;
  }
  {
    CClientDC screen(NULL);
    EXPECT_GT(screen.GetDeviceCaps(BITSPIXEL), 0);
  }
  CDC* temp = wnd.GetDC();
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->GetWindow(), &wnd);
  wnd.ReleaseDC(temp);
  wnd.DestroyWindow();
}

}  // namespace
