// A drawing view that can be instantiated in tests and benchmarks: the GDI view with the
// members it does not draw yet answered by nothing, and OnDraw counting its calls.
#pragma once
#include <UIView.h>

class TestDrawView : public CMFCUIView {
 public:
  explicit TestDrawView(unsigned long style = 0) : CMFCUIView(style) {}

  int draws = 0;
  void OnDraw(CDC*) override { ++draws; }

  // Read access to the model for assertions.
  float FactorX() const { return m_factorX; }
  float FactorY() const { return m_factorY; }
  float ZoomRatio() const { return m_zoomRatio; }
  int ResolutionX() const { return m_resolutionX; }
  int ResolutionY() const { return m_resolutionY; }
  void SetScroll(int x, int y) { m_scroll = POINT{x, y}; }
  void SetResolution(int x, int y) {
    m_resolutionX = x;
    m_resolutionY = y;
    m_twipsPerPixelX = 1440.0f / static_cast<float>(x);
    m_twipsPerPixelY = 1440.0f / static_cast<float>(y);
    PrepareConversionFactors();
  }
  void SetPrintOffset(int x, int y) { m_printOffset = POINT{x, y}; }
  // Tests keep their views on the stack: the end of the window does not delete them.
  void PostNcDestroy() override {}

  void GetViewRect(RECT*) override {}
  void SetImageSize(CSize, int) override {}
  CSize GetImageSize() override { return CSize(0, 0); }
  void SetHScroll(unsigned long) override {}
  void SetVScroll(unsigned long) override {}
  unsigned long GetHScroll() override { return 0; }
  unsigned long GetVScroll() override { return 0; }
  void SetHScrollIncrement(unsigned long) override {}
  void SetVScrollIncrement(unsigned long) override {}
  unsigned long GetHScrollIncrement() override { return 0; }
  unsigned long GetVScrollIncrement() override { return 0; }
  int ScrollBy(CSize, int) override { return 0; }
  int CallCalcTextLines(wchar_t const*, QvSize, bool, TextLineInfoArray&) override { return 1; }
  void QvDrawText(wchar_t const*, int) override {}
  void QvDrawTextInRect(wchar_t const*, int, RECT const&, QvVerticalAlign, QvHorizontalAlign, int, short) override {}
  void QvDrawTextLinesInRect(wchar_t const*, int, RECT const&, QvVerticalAlign, QvHorizontalAlign, int, short,
                             long, long) override {}
  void QvDrawVertTextInRect(wchar_t const*, int, RECT const&, QvVerticalAlign, QvHorizontalAlign,
                            QvVertDrawStyle) override {}
  unsigned long QvTextWidth(wchar_t const*, int, bool) override { return 0; }
  unsigned long QvTextHeight(wchar_t const*, int, unsigned long, unsigned short) override { return 0; }
  unsigned long QvTextHeightEx(wchar_t const*, int, unsigned long, unsigned short, long*) override { return 0; }
  void QvGetVertTextRect(RECT&, wchar_t const*, int, QvVertDrawStyle) override {}
  void QvDrawImageList(POINT, CImageList*, unsigned short) override {}
  void QvDrawImage(RECT const&, CBitmap*, QvImageDisplay) override {}
  void DrawDIB(void*, CRect const&, char const*) override {}
  CBitmap* QvTakeSnapshot(RECT const&, RECT const&, int, unsigned short) override { return nullptr; }
  QvImage* QvTakeSnapshotToQvImage(RECT const&, RECT const&, int, unsigned short) override { return nullptr; }
  UIFontInfo QvGetFontInfo() override { return UIFontInfo{0, 0, 0, 0}; }
  int DoPreparePrinting(CPrintInfo*) override { return 0; }
  UIPrintResult Print(long, long) override { return UIPrintFailed; }
  void QvDrawInMetafileDC(RECT const&, RECT const&, CDC*) override {}
  void QvDrawOLEItem(CQvOleClientItem*, RECT const&) override {}
  QvImage* QvTakeSnapshotToQvImageRCT(RECT const&, RECT const&, int, unsigned short) override { return nullptr; }
};
