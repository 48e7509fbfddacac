// Shared pieces of the list tests: a framework parent window that reflects its children's
// notifications (as the portable dialogs do), logs them to the recorder and answers the
// list's text requests, and a report-style list view child of it.
#pragma once
#include <GUIListView.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "recorder.h"

class ListParent : public CWnd {
 public:
  // A visible top-level window of that client size.
  bool Make(int width, int height);
  // Answers a text request of a child (row, column) when set.
  std::function<std::wstring(int row, int column)> text;
  // The codes of the WM_NOTIFY messages that reached it, in order.
  std::vector<int> codes;
  // The item changes it was told of (LVN_ITEMCHANGED), in order.
  std::vector<NMLISTVIEW> changes;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The child's own handling first (reflection), then the text requests it left.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A list view child of the parent, bound to a CGUIListView.
class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A report list of that size (no border) with the columns' widths and `rows` rows "r<row>c<col>".
  void MakeList(int width, int height, std::vector<int> columns, int rows, DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS);
  HWND list() const { return view.m_hWnd; }
  int ColumnWidth(int column) const;
  std::vector<int> Widths() const;
  std::vector<int> SelectedRows() const;
  int FocusedRow() const;
  // A click (button down and up) at a client point of the list.
  void Click(int x, int y);

  ListParent parent;
  CGUIListView view;
};
