#include "guistatus_test.h"

namespace guistatus {

void StatusFixture::SetUp() {
  frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(NULL, _T("status"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 660, 300)));
  Set_GlobalTemporayAccessforMFCMainWindow(frame);
}

void StatusFixture::TearDown() {
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  if (frame) frame->DestroyWindow();  // deletes itself
  frame = nullptr;
  FwDeleteTempMaps();
}

void StatusFixture::Layout() { frame->RecalcLayout(); }

std::string PlaceOf(QvRootPane* pane) {
  return std::to_string(pane->GetPosition()) + "+" + std::to_string(pane->GetRealWidth());
}

std::string PlaceOf(QvRootStatusBorder* border) {
  return std::to_string(border->GetPosition()) + "+" + std::to_string(border->GetRealWidth());
}

std::string PlacesOf(QvRootStatusModel* model) {
  std::string text;
  for (long b = 0; b < model->GetBorderCount(); ++b) {
    QvStatusBorder* border = model->GetBorder(b);
    text += (b ? " [" : "[") + PlaceOf(border) + ":";
    for (long i = 0; i < border->GetPaneCount(); ++i) text += " " + PlaceOf(border->GetPane(i));
    text += "]";
  }
  return text;
}

}  // namespace guistatus
