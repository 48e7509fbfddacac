// MDI frames as the frame tests make them: a main frame loaded from its resources and shown,
// document frames loaded into it and activated, and the check that documents opened and closed
// many times leave no handle behind.
#pragma once
#include <framework.h>

#include <gtest/gtest.h>

#include "handle_counts.h"
#include "test_support.h"

namespace testing_support {

// Loads a main frame from resource `id` and shows it at (0, 0) in the given size; NULL when it
// cannot be loaded.
template <class Main>
Main* LoadShownMainFrame(Main* main, UINT id, int width, int height) {
  if (!main->LoadFrame(id)) return nullptr;
  main->MoveWindow(0, 0, width, height);
  main->ShowWindow(SW_SHOW);
  return main;
}

// A new document frame of resource `id` in the main frame, titled (unless NULL) and active;
// NULL when it cannot be loaded.
template <class Doc, class Main>
Doc* OpenDocFrame(Main* main, UINT id, LPCTSTR title) {
  auto* doc = new Doc;
  if (!doc->LoadFrame(id, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, main)) return nullptr;
  if (title != NULL) doc->SetTitle(title);
  doc->ActivateFrame();
  return doc;
}

// Opens two documents (open() makes one) and closes them a hundred times: the GUI counts are
// as before, and no document frame (Doc::live) is left.
template <class Doc, class Main, class Open>
void ExpectNoHandleLeftAfterDocuments(Main* main, Open open) {
  // Two documents open, then closed: the menus go back and forth each time.
  auto round = [main, &open]() {
    Doc* a = open();
    Doc* b = open();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    // Painted every time, so that what painting makes once is there before the counting.
    ::RedrawWindow(main->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    b->MDIDestroy();
    a->MDIDestroy();
    PumpMessages();
  };
  // A few rounds first: the classes and the system's lazily made objects exist afterwards.
  for (int i = 0; i < 3; ++i) round();
  const GuiCounts before = GuiCounts::Now();
  for (int i = 0; i < 100; ++i) round();
  EXPECT_EQ(GuiCounts::Now(), before);
  EXPECT_EQ(Doc::live, 0);
}

}  // namespace testing_support
