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

  int DoPreparePrinting(CPrintInfo*) override { return 0; }
  UIPrintResult Print(long, long) override { return UIPrintFailed; }
};
