// The fixture of the status bar tests: a frame that bars without a container go into, and
// the rectangles of panes and borders as text.
#pragma once
#include <QvStatusBar.h>
#include <gtest/gtest.h>

#include <string>

namespace guistatus {

// A frame of the given size made the window bars go into while the test runs.
class StatusFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The frame lays its bars out (WM_SIZEPARENT with a deferred-position handle).
  void Layout();
  CFrameWnd* frame = nullptr;
};

// "position+width" of a pane (relative to its border) and of a border.
std::string PlaceOf(QvRootPane* pane);
std::string PlaceOf(QvRootStatusBorder* border);
// Every border of a model as "[pos+width: pane pane ...]" in display order.
std::string PlacesOf(QvRootStatusModel* model);

}  // namespace guistatus
