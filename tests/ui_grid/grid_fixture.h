// A grid control on a visible logging popup, and what the grid tests share.
#pragma once
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include "recorder.h"

namespace grid_testing {

const int kGridId = 41;

class GridFixture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(parent.hwnd(), nullptr); }
  void TearDown() override {
    if (grid.GetSafeHwnd() != NULL) grid.DestroyWindow();
    FwDeleteTempMaps();
  }
  // Makes the grid window, w x h at the popup's top-left corner.
  void Make(int w = 300, int h = 200, DWORD style = WS_CHILD | WS_VISIBLE) {
    ASSERT_TRUE(grid.Create(CRect(0, 0, w, h), CWnd::FromHandle(parent.hwnd()), kGridId, style));
  }
  testing_support::LoggingParent parent{WS_POPUP | WS_VISIBLE, NULL, {20, 20, 520, 420}};
  CGridCtrl grid;
};

}  // namespace grid_testing
