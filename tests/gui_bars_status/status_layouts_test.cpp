// The ready-made layouts: their borders and panes, their places at several bar widths, their
// setters; the application status bar and the status message.
#include <QvStatus.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "guistatus_test.h"
#include "handle_counts.h"

using namespace guistatus;

namespace {

class StatusLayouts : public StatusFixture {
 protected:
  void SetUp() override {
    StatusFixture::SetUp();
    frame->ShowWindow(SW_SHOWNA);
    QvCreateApplicationStatusBar();
    ASSERT_NE(Get_GlobalStatusBar(), nullptr);
    Layout();
    unit = 0;
  }
  void TearDown() override {
    QvDestroyApplicationStatusBar();
    StatusFixture::TearDown();
  }
  HWND Window() const { return Get_GlobalStatusBar()->GetMFCCWnd()->GetSafeHwnd(); }
  // The model's borders in display order: "<type><L|R>[panes]"; text panes "T<chars>" with
  // "*" when elastic, "-" when inactive and "a<n>" for an alignment; progress panes
  // "G<units>"; picture panes "P".
  std::string Shape(QvStatusModel* model) {
    unit = model->GetCharUnit();
    std::string text;
    for (long b = 0; b < model->GetBorderCount(); ++b) {
      QvStatusBorder* border = model->GetBorder(b);
      text += (b ? " " : "") + std::to_string(border->GetBorderType()) + (border->IsLeftAligned() ? "L[" : "R[");
      for (long i = 0; i < border->GetPaneCount(); ++i) {
        QvRootPane* pane = border->GetPane(i);
        text += i ? " " : "";
        if (dynamic_cast<QvTextPane*>(pane)) {
          text += "T" + std::to_string(unit ? pane->GetWidth() / unit : -1);
          if (pane->IsElastic()) text += "*";
          if (!pane->IsActive()) text += "-";
          if (pane->m_alignment) text += "a" + std::to_string(pane->m_alignment);
        } else if (dynamic_cast<QvProgressPane*>(pane)) {
          text += "G" + std::to_string(pane->GetWidth() / 10);
        } else {
          text += "P";
        }
      }
      text += "]";
    }
    return text;
  }
  unsigned short unit = 0;
};

struct LayoutShape {
  const char* name;
  std::function<QvStatus*()> make;
  const char* shape;
};

const LayoutShape kLayouts[] = {
    {"message", [] { return new QvStatusMessage; }, "0L[T80*]"},
    {"standard", [] { return new QvStatusStandard(false); },
     "2L[T15* T43* T10*a1] 2L[T36*a2 P T20*] 2R[T4-] 2R[T4-] 2R[T4-]"},
    {"standard wide", [] { return new QvStatusStandard(true); },
     "2L[T255* T43* T10*a1] 2L[T255*a2 P T20*] 2R[T4-] 2R[T4-] 2R[T4-]"},
    {"text progress", [] { return new QvStatusTextProgress(false); }, "2L[T60*] 2L[T13 G10] 0L[T5*]"},
    {"text progress min max", [] { return new QvStatusTextProgress(true); }, "2L[T60*] 2L[T13 T3 G10 T6] 0L[T5*]"},
    {"4 texts", [] { return new QvStatus4Text; }, "0L[T20*] 2L[T30*] 2L[T30*] 2L[T30*]"},
    {"2 texts progress", [] { return new QvStatus2TextProgress(true); },
     "2L[T20*] 2L[T30] 2L[T13 T3 G10 T6] 0L[T10*]"},
    {"text 2 progress", [] { return new QvStatusText2Progress(true, true, false); },
     "2L[T60*] 2L[T12 T8 G8 T9] 2L[T12 T3 G8 T6] 0L[T1*]"},
    {"text 2 progress plain", [] { return new QvStatusText2Progress(false, true, true); },
     "2L[T60*] 2L[T12 G8] 2L[T12 G8] 0L[T1*]"},
    {"udg standard", [] { return new QvStatusUdgStandard; },
     "0L[T80*] 2L[P T15*] 2R[T4-] 2R[T4-] 2R[T4-] 2R[P]"},
    {"udg text progress", [] { return new QvStatusUdgTextProgress(false); }, "2L[T80*] 2L[T35 G10] 0L[T10*] 2R[P]"},
    {"udg 2 texts", [] { return new QvStatusUdg2Text; }, "2L[T80*] 2L[T80*] 0L[T10*] 2R[P]"},
};

TEST_F(StatusLayouts, BordersAndPanes) {
  for (const LayoutShape& l : kLayouts) {
    SCOPED_TRACE(l.name);
    std::unique_ptr<QvStatus> layout(l.make());
    ASSERT_NE(layout->GetModel(), nullptr);
    EXPECT_EQ(Shape(layout->GetModel()), l.shape);
  }
  EXPECT_EQ(Get_GlobalStatusBar()->GetModelCount(), 0);  // each layout took its model with it
}

// At each width every layout's borders are in order and never overlap; places never wrap
// past 16 bits; where the layout fits, its elastic panes fill the bar up to the right-aligned
// borders (within a pixel per elastic pane), and the right-aligned group ends at the edge.
TEST_F(StatusLayouts, PlacesAtSeveralWidths) {
  QvStatusBar* bar = Get_GlobalStatusBar();
  const unsigned short s = bar->GetPartSpacing();
  for (const LayoutShape& l : kLayouts) {
    std::unique_ptr<QvStatus> layout(l.make());
    QvStatusModel* model = layout->GetModel();
    layout->Show(true);
    for (unsigned short width : {30, 24 + 240, 640, 1600, 65535}) {
      SCOPED_TRACE(std::string(l.name) + " at " + std::to_string(width));
      bar->SetWidth(width);
      bar->OnResize();
      const long W = bar->GetModelsWidth();
      long end = -1, lastLeftEnd = s / 2 - s, firstRight = -1, elastic = 0, minimum = 0;
      bool ordered = true;
      for (long b = 0; b < model->GetBorderCount(); ++b) {
        QvStatusBorder* border = model->GetBorder(b);
        // Left-aligned borders follow each other whatever the width.
        if (border->IsLeftAligned()) {
          EXPECT_GT(border->GetPosition(), lastLeftEnd) << PlacesOf(model);
        }
        ordered &= border->GetPosition() >= end;
        end = border->GetPosition() + border->GetRealWidth();
        if (border->IsLeftAligned()) lastLeftEnd = end;
        if (!border->IsLeftAligned() && firstRight < 0) firstRight = border->GetPosition();
        long p = -1;
        minimum += 6 + s;
        for (long i = 0; i < border->GetPaneCount(); ++i) {
          QvRootPane* pane = border->GetPane(i);
          EXPECT_GT(pane->GetPosition(), p);
          p = pane->GetPosition() + pane->GetRealWidth();
          EXPECT_LE(p, border->GetRealWidth());
          minimum += 6 + (pane->IsElastic() ? 0 : pane->GetWidth());
          elastic += pane->IsElastic();
        }
      }
      if (W < minimum + s) continue;  // does not fit: right-aligned borders may cover others
      EXPECT_TRUE(ordered) << PlacesOf(model);
      // The left group stops a spacing short of the right group (or of the end), less the
      // spacing counted after its last border (and once more with a right group) and what
      // the elastic shares lose to whole pixels.
      const long rightEdge = firstRight >= 0 ? firstRight - s : W - s / 2;
      EXPECT_LE(lastLeftEnd, rightEdge) << PlacesOf(model);
      EXPECT_GE(lastLeftEnd, rightEdge - (firstRight >= 0 ? 2 : 1) * s - elastic) << PlacesOf(model);
      if (firstRight >= 0) {
        EXPECT_EQ(end, W - s / 2) << PlacesOf(model);
      }
    }
  }
}

TEST_F(StatusLayouts, SettersFillTheirPanes) {
  QvStatusStandard standard(false);
  standard.Show(true);
  QvStatusModel* model = standard.GetModel();
  auto text = [&](long border, long pane) {
    return std::string(static_cast<QvTextPane*>(model->GetBorder(border)->GetPane(pane))->GetText().c_str());
  };
  standard.SetText1Left("a");
  standard.SetText1Center("b");
  standard.SetText1Right("c");
  standard.SetText2Left("d");
  standard.SetText2Right("e");
  standard.SetCapsLock("CAP");
  standard.SetNumLock("NUM");
  standard.SetOverInsertMode("OVR");
  standard.SetInfoText("nowhere");
  standard.SetInfoImage(3);
  EXPECT_EQ(text(0, 0) + text(0, 1) + text(0, 2) + text(1, 0) + text(1, 2), "abcde");
  // From left to right: caps lock, num lock, the mode at the right edge.
  EXPECT_EQ(text(2, 0), "CAP");
  EXPECT_EQ(text(3, 0), "NUM");
  EXPECT_EQ(text(4, 0), "OVR");
  // A plain text part shows its text at once.
  wchar_t shown[16] = L"";
  ::SendMessageW(Window(), SB_GETTEXTW, 4, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(std::wstring(shown), L"OVR");
  standard.SetImage2Center(2);
  EXPECT_EQ(static_cast<QvPicturePane*>(model->GetBorder(1)->GetPane(1))->GetImage(), 2);

  // Min and max texts; the largest long leaves the max text empty.
  QvStatusTextProgress withTexts(true);
  QvStatusModel* m2 = withTexts.GetModel();
  withTexts.SetProgressText("Loading");
  withTexts.SetProgressMinMax(0, 0x7FFFFFFF);
  withTexts.SetProgressValue(12);
  QvStatusBorder* group = m2->GetBorder(1);
  auto paneText = [](QvStatusBorder* b, long i) {
    return std::string(static_cast<QvTextPane*>(b->GetPane(i))->GetText().c_str());
  };
  EXPECT_EQ(paneText(group, 0), "Loading");
  EXPECT_EQ(paneText(group, 1), "0");
  EXPECT_EQ(paneText(group, 3), "");
  CWnd* control = static_cast<QvProgressPane*>(group->GetPane(2))->GetControl();
  EXPECT_EQ(control->SendMessage(PBM_GETRANGE, FALSE), 0x7FFFFFFF);
  EXPECT_EQ(control->SendMessage(PBM_GETPOS), 12);
  withTexts.SetProgressMinMax(-5, 250);
  EXPECT_EQ(paneText(group, 1) + "/" + paneText(group, 3), "-5/250");

  // Without min and max texts only the range is set.
  QvStatusTextProgress bare(false);
  bare.SetProgressMinMax(3, 9);
  QvStatusBorder* bareGroup = bare.GetModel()->GetBorder(1);
  ASSERT_EQ(bareGroup->GetPaneCount(), 2);
  EXPECT_EQ(static_cast<QvProgressPane*>(bareGroup->GetPane(1))->GetControl()->SendMessage(PBM_GETRANGE, TRUE), 3);

  // A progress whose value is shown writes it into its min text.
  QvStatusText2Progress two(true, true, false);
  two.SetProgress1MinMax(0, 100);
  two.SetProgress1Value(42);
  two.SetProgress2MinMax(0, 100);
  two.SetProgress2Value(17);
  EXPECT_EQ(paneText(two.GetModel()->GetBorder(1), 1), "42");
  EXPECT_EQ(paneText(two.GetModel()->GetBorder(2), 1), "0");
  EXPECT_EQ(static_cast<QvProgressPane*>(two.GetModel()->GetBorder(2)->GetPane(2))->GetControl()->SendMessage(
                PBM_GETPOS),
            17);
}

TEST_F(StatusLayouts, StatusMessageOverWhatIsShown) {
  QvStatusBar* bar = Get_GlobalStatusBar();
  QvStatus4Text below;
  below.Show(true);
  below.SetText1("below");
  // An empty message while none is shown: made, not shown.
  QvStatusMsg("");
  QvStatusMessage* message = Get_GlobalStatusMsg();
  ASSERT_NE(message, nullptr);
  EXPECT_TRUE(bar->IsModelOnTop(below.GetModel()));
  EXPECT_EQ(bar->GetActiveCount(), 1);
  // A text puts it on top; another text keeps it there (one entry).
  QvStatusMsg("Saving...");
  EXPECT_TRUE(bar->IsModelOnTop(message->GetModel()));
  QvStatusMsg("Saved");
  EXPECT_EQ(bar->GetActiveCount(), 2);
  wchar_t shown[16] = L"";
  ::SendMessageW(Window(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(std::wstring(shown), L"Saved");
  // Emptied: the layout below shows again.
  QvStatusMsg("");
  EXPECT_TRUE(bar->IsModelOnTop(below.GetModel()));
  ::SendMessageW(Window(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(std::wstring(shown), L"below");
  // The host deletes the message.
  delete Get_GlobalStatusMsg();
  Set_GlobalStatusMsg(nullptr);
}

// The status message follows the application bar: after the bar is destroyed and made
// again, messages show in the new bar.
TEST_F(StatusLayouts, StatusMessageFollowsARemadeBar) {
  QvStatusMsg("first bar");
  QvStatusMessage* message = Get_GlobalStatusMsg();
  ASSERT_NE(message, nullptr);
  QvDestroyApplicationStatusBar();
  EXPECT_EQ(message->GetModel(), nullptr);
  QvStatusMsg("no bar");  // nothing to show it in
  message->SetText("nowhere");

  QvCreateApplicationStatusBar();
  ASSERT_NE(Get_GlobalStatusBar(), nullptr);
  Layout();
  QvStatusBar* bar = Get_GlobalStatusBar();
  QvStatus4Text below;
  below.Show(true);
  below.SetText1("below");
  QvStatusMsg("second bar");
  ASSERT_EQ(Get_GlobalStatusMsg(), message);
  ASSERT_NE(message->GetModel(), nullptr);
  EXPECT_EQ(message->GetModel()->GetParentStatusBar(), bar);
  EXPECT_TRUE(bar->IsModelOnTop(message->GetModel()));
  wchar_t shown[16] = L"";
  ::SendMessageW(Window(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(std::wstring(shown), L"second bar");
  QvStatusMsg("");
  EXPECT_TRUE(bar->IsModelOnTop(below.GetModel()));
  delete Get_GlobalStatusMsg();
  Set_GlobalStatusMsg(nullptr);
}

// A bar with every layout shown in turn, a message, and all of it gone again: no window, font,
// brush or bitmap is left behind (the first round makes what the process keeps for good).
TEST(StatusLeaks, BarsAndLayoutsGiveEverythingBack) {
  auto round = [] {
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, _T("leaks"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 200)));
    frame->ShowWindow(SW_SHOWNA);
    Set_GlobalTemporayAccessforMFCMainWindow(frame);
    QvCreateApplicationStatusBar();
    ASSERT_NE(Get_GlobalStatusBar(), nullptr);
    frame->RecalcLayout();
    for (const LayoutShape& l : kLayouts) {
      std::unique_ptr<QvStatus> layout(l.make());
      layout->Show(true);
      ::UpdateWindow(Get_GlobalStatusBar()->GetMFCCWnd()->GetSafeHwnd());
    }
    QvStatusMsg("a message");
    delete Get_GlobalStatusMsg();
    Set_GlobalStatusMsg(nullptr);
    QvDestroyApplicationStatusBar();
    Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
    frame->DestroyWindow();
    FwDeleteTempMaps();
  };
  round();
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  round();
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

TEST(StatusWithoutBar, LayoutsAndMessagesDoNothing) {
  ASSERT_EQ(Get_GlobalStatusBar(), nullptr);
  // No main window: the application bar is not made.
  QvCreateApplicationStatusBar();
  EXPECT_EQ(Get_GlobalStatusBar(), nullptr);
  for (const LayoutShape& l : kLayouts) {
    std::unique_ptr<QvStatus> layout(l.make());
    EXPECT_EQ(layout->GetModel(), nullptr) << l.name;
    layout->Show(true);
    layout->Show(false);
  }
  QvStatusTextProgress progress(true);
  progress.SetText("x");
  progress.SetProgressMinMax(1, 2);
  progress.SetProgressValue(1);
  QvStatusMsg("nobody sees this");
  EXPECT_EQ(Get_GlobalStatusMsg(), nullptr);
  QvDestroyApplicationStatusBar();
}

}  // namespace
