// The status model: width rules (fixed, elastic, by text), borders from the left and from the
// right, layouts that stay inside 16 bits, the stack of models, and what the bar window is
// told when models are shown and withdrawn.
#include <string>
#include <vector>

#include "guistatus_test.h"
#include "recorder.h"

using namespace guistatus;
using namespace testing_support;

namespace {

// A bar with a pane margin of 6 and a part spacing of 2 whose models get its whole width.
class FixedBar : public QvStatusBar {
 public:
  FixedBar() : QvStatusBar(nullptr) {}
  unsigned short GetModelsWidth() override { return GetWidth(); }
  unsigned short GetPartSpacing() override { return 2; }
};

// A pane of the kind, with a width in pixels: fixed and elastic text panes, or a progress
// pane (fixed, units of 10 pixels).
enum Kind { kFixed, kElastic, kProgress };
struct PaneSpec {
  Kind kind;
  unsigned short width;
};
struct BorderSpec {
  bool left;
  std::vector<PaneSpec> panes;
};

QvStatusModel* Build(QvStatusBar& bar, const std::vector<BorderSpec>& borders) {
  QvStatusModel* model = bar.AddModel();
  for (const BorderSpec& b : borders) {
    QvStatusBorder* border = bar.AddBorder(model, QvPaneSunken, b.left);
    for (const PaneSpec& p : b.panes) {
      if (p.kind == kProgress) {
        bar.AddProgressPane(model, border, static_cast<unsigned char>(p.width / 10), false);
        continue;
      }
      QvTextPane* pane = bar.AddTextPane(model, border, p.kind == kElastic, 1);
      pane->SetDefinedWidth(p.width);
      pane->SetWidth(p.width);
    }
  }
  return model;
}

struct LayoutCase {
  const char* what;
  std::vector<BorderSpec> borders;
  unsigned short width;
  const char* expected;  // PlacesOf, in display order
};

TEST(StatusLayout, WidthRulesAndSides) {
  // m = 6, s = 2: each pane adds 6, each border 6 + 2, right-aligned borders 2 once more.
  const BorderSpec fixedAndElastic{true, {{kFixed, 100}, {kElastic, 64}}};
  const BorderSpec right20{false, {{kProgress, 20}}};
  const LayoutCase cases[] = {
      // Free width 214 over 64 elastic: ratio 4.34375.
      {"elastic takes the free width", {fixedAndElastic}, 400, "[1+396: 3+100 109+278]"},
      {"exact fit keeps the widths", {fixedAndElastic}, 186, "[1+182: 3+100 109+64]"},
      {"too narrow shrinks the elastic pane", {fixedAndElastic}, 154, "[1+150: 3+100 109+32]"},
      // Below nothing, the elastic pane has no width: not a negative one read as 65,4xx.
      {"width 0", {fixedAndElastic}, 0, "[1+118: 3+100 109+0]"},
      {"very narrow", {fixedAndElastic}, 12, "[1+118: 3+100 109+0]"},
      // Two elastic panes share 316 in proportion 32 : 96 (ratio 3.46875).
      {"elastic panes share in proportion",
       {{true, {{kElastic, 32}}}, {true, {{kElastic, 96}, {kProgress, 20}}}},
       500,
       "[1+123: 3+111] [126+371: 3+333 342+20]"},
      // Made A, B, C: C, B, A from left to right, A at the right edge.
      {"right-aligned borders in reverse order", {right20, right20, right20}, 300,
       "[199+32: 3+20] [233+32: 3+20] [267+32: 3+20]"},
      {"left and right groups", {{true, {{kProgress, 40}}}, right20}, 200, "[1+52: 3+40] [167+32: 3+20]"},
      // Right-aligned borders that do not fit stop at 0 instead of wrapping to 65,5xx.
      {"right-aligned in a very narrow bar", {right20, right20, right20}, 10,
       "[0+32: 3+20] [0+32: 3+20] [0+32: 3+20]"},
      // Elastic panes without width: nothing to share out (no division by 0).
      {"no elastic width", {{true, {{kElastic, 0}, {kProgress, 20}}}}, 200, "[1+38: 3+0 9+20]"},
      // Positions past 65,535 stop there instead of wrapping back to the left.
      {"positions stay inside 16 bits",
       {{true, {{kFixed, 30000}}}, {true, {{kFixed, 30000}}}, {true, {{kFixed, 30000}}}, {true, {{kFixed, 10}}}},
       65535,
       "[1+30012: 3+30000] [30015+30012: 3+30000] [60029+30012: 3+30000] [65535+22: 3+10]"},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.what);
    FixedBar bar;
    QvStatusModel* model = Build(bar, c.borders);
    ASSERT_NE(model, nullptr);
    model->OnResize(c.width);
    EXPECT_EQ(PlacesOf(model), c.expected);
    // Elastic panes keep the width they were made with as their defined width.
    model->OnResize(c.width);
    EXPECT_EQ(PlacesOf(model), c.expected);
  }
}

TEST(StatusLayout, BordersKeepRightAlignedOnesLast) {
  FixedBar bar;
  QvStatusModel* model = bar.AddModel();
  QvStatusBorder* a = bar.AddBorder(model, QvPaneSunken, false);
  QvStatusBorder* l1 = bar.AddBorder(model, QvPaneNoBorder, true);
  QvStatusBorder* b = bar.AddBorder(model, QvPaneRaised, false);
  QvStatusBorder* l2 = bar.AddBorder(model, QvPaneSunken, true);
  const std::vector<QvStatusBorder*> expected = {l1, l2, b, a};
  ASSERT_EQ(model->GetBorderCount(), 4);
  for (long i = 0; i < 4; ++i) EXPECT_EQ(model->GetBorder(i), expected[i]) << i;
  EXPECT_EQ(l1->GetPartStyle(), static_cast<UINT>(SBT_NOBORDERS));
  EXPECT_EQ(b->GetPartStyle(), static_cast<UINT>(SBT_POPOUT));
  EXPECT_EQ(a->GetPartStyle(), 0u);
  EXPECT_FALSE(l1->HasElasticPane());
  bar.AddTextPane(model, l1, true, 3);
  EXPECT_TRUE(l1->HasElasticPane());
}

// ---------------------------------------------------------------------------------------
// The stack of models, on a bar with its window.

class StatusStack : public StatusFixture {
 protected:
  void SetUp() override {
    StatusFixture::SetUp();
    frame->ShowWindow(SW_SHOWNA);  // parts are painted, progress controls placed
    bar = new QvStatusBar(nullptr);
    ASSERT_TRUE(bar->CreatePlatform(false));
    Layout();
    for (const char* name : {"A", "B", "C"}) {
      QvStatusModel* model = bar->AddModel();
      QvTextPane* pane = bar->AddTextPane(model, bar->AddBorder(model, QvPaneSunken, true), true, 10);
      pane->SetText(name);
      models.push_back(model);
    }
  }
  void TearDown() override {
    delete bar;
    StatusFixture::TearDown();
  }
  HWND Window() const { return bar->GetMFCCWnd()->GetSafeHwnd(); }
  // The stack from bottom to top, by the models' texts.
  std::string Stack() const {
    std::string text;
    for (long i = 0; i < bar->GetActiveCount(); ++i) text += NameOf(bar->GetActiveAt(i));
    return text;
  }
  std::string NameOf(QvStatusModel* model) const {
    for (size_t i = 0; i < models.size(); ++i)
      if (models[i] == model) return std::string(1, static_cast<char>('A' + i));
    return "?";
  }
  // The text of the window's first part ("" when withdrawn).
  std::string Shown() const {
    wchar_t text[64] = L"";
    ::SendMessageW(Window(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c) narrow += static_cast<char>(*c);
    return narrow;
  }
  QvStatusBar* bar = nullptr;
  std::vector<QvStatusModel*> models;
};

TEST_F(StatusStack, PushAndPop) {
  QvStatusModel *a = models[0], *b = models[1], *c = models[2];
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(bar->GetModelOnTop(), nullptr);
  bar->ActivateModel(a);
  bar->ActivateModel(b);
  EXPECT_EQ(Stack(), "AB");
  EXPECT_EQ(Shown(), "B");
  EXPECT_TRUE(bar->IsModelOnTop(b));
  EXPECT_FALSE(bar->IsModelOnTop(a));
  bar->ActivateModel(b);  // already on top: no second entry
  EXPECT_EQ(Stack(), "AB");
  bar->ActivateModel(a);  // deeper in the stack: a second entry
  EXPECT_EQ(Stack(), "ABA");
  EXPECT_EQ(Shown(), "A");
  bar->DeactivateModel(a);  // only the last entry goes; B shows again
  EXPECT_EQ(Stack(), "AB");
  EXPECT_EQ(Shown(), "B");
  bar->ActivateModel(c);
  bar->DeactivateModel(b);  // not on top: its entry goes, C stays shown
  EXPECT_EQ(Stack(), "AC");
  EXPECT_EQ(Shown(), "C");
  bar->DeactivateModel(b);  // not in the stack
  EXPECT_EQ(Stack(), "AC");
  bar->DeactivateModel(c);
  bar->DeactivateModel(a);
  EXPECT_EQ(Stack(), "");
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(::SendMessageW(Window(), SB_GETPARTS, 0, 0), 1);
}

TEST_F(StatusStack, DestroyingModels) {
  QvStatusModel *a = models[0], *b = models[1];
  bar->ActivateModel(a);
  bar->ActivateModel(b);
  bar->ActivateModel(a);
  // A model in the stack twice leaves it entirely: no entry points at the deleted model.
  bar->DestroyModel(a);
  EXPECT_EQ(Stack(), "B");
  EXPECT_EQ(Shown(), "B");
  EXPECT_EQ(bar->GetModelCount(), 2);
  // A model of another bar is not this bar's to delete.
  FixedBar other;
  QvStatusModel* foreign = other.AddModel();
  bar->DestroyModel(foreign);
  bar->DestroyModel(nullptr);
  EXPECT_EQ(bar->GetModelCount(), 2);
  EXPECT_EQ(other.GetModelCount(), 1);
}

TEST_F(StatusStack, LayoutWaitsForTheBarsWidth) {
  // A bar that its frame has not laid out yet has no width: models shown then are not laid out.
  QvStatusBar early(nullptr);
  ASSERT_TRUE(early.CreatePlatform(false));
  QvStatusModel* model = early.AddModel();
  QvTextPane* pane = early.AddTextPane(model, early.AddBorder(model, QvPaneSunken, true), true, 10);
  const unsigned short defined = pane->GetWidth();
  ASSERT_GT(defined, 0);
  early.ActivateModel(model);
  EXPECT_EQ(early.GetWidth(), 0);
  EXPECT_EQ(early.GetModelsWidth(), 0);
  EXPECT_EQ(pane->GetRealWidth(), defined);
  EXPECT_EQ(model->GetBorder(0)->GetRealWidth(), 0);
  // The frame's layout gives the width; the model follows, less the bar's height.
  Layout();
  CRect client, window;
  frame->GetClientRect(&client);
  early.GetMFCCWnd()->GetWindowRect(&window);
  EXPECT_EQ(early.GetWidth(), client.Width());
  EXPECT_EQ(early.GetModelsWidth(), client.Width() - window.Height());
  const unsigned short s = early.GetPartSpacing();
  EXPECT_EQ(model->GetBorder(0)->GetPosition(), s / 2);
  // One elastic pane fills the models' width: the margins (6 + 6), the border's spacing and
  // the half spacings at the ends aside.
  EXPECT_EQ(pane->GetRealWidth(), early.GetModelsWidth() - 12 - s - 2 * (s / 2));
  int edges[4] = {0, 0, 0, 0};
  ASSERT_EQ(early.GetMFCCWnd()->SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], model->GetBorder(0)->GetPosition() + model->GetBorder(0)->GetRealWidth());
  EXPECT_EQ(edges[1], -1);
}

// What the bar window is told: showing B over A withdraws A (one empty borderless part,
// progress controls hidden), then sets B's parts and texts and paints.
TEST_F(StatusStack, MessagesOfShowingAndWithdrawing) {
  QvStatusModel *a = models[0], *b = models[1];
  QvStatusBorder* second = bar->AddBorder(b, QvPaneRaised, true);
  bar->AddTextPane(b, second, false, 4);
  QvProgressPane* progress = bar->AddProgressPane(b, second, 5, false);
  bar->ActivateModel(a);
  SubclassedControl watched(Window());
  Recorder().Watch(Window());
  for (UINT noise : {WM_PAINT, WM_ERASEBKGND, WM_NCPAINT, WM_GETTEXT, WM_GETTEXTLENGTH, WM_GETFONT, WM_CTLCOLORSTATIC})
    Recorder().Ignore(noise);
  Recorder().Reset();
  // A on top, B made with a plain text part and an owner-drawn part: ActivateModel(B).
  bar->ActivateModel(b);
  static const ExpectedMsg kShowB[] = {
      {SB_SETPARTS, kSent | kWparam, 1, 0},                           // A withdrawn: one part
      {SB_SETTEXTW, kSent | kWparam, 0 | SBT_NOBORDERS, 0},           // with no text
      {SB_GETBORDERS, kSent, 0, 0},                                   // B laid out with the spacing
      {SB_SETPARTS, kSent | kWparam, 3, 0},                           // two borders and the rest
      {SB_SETTEXTW, kSent | kWparam, 0, 0},                           // plain text part, sunken
      {SB_SETTEXTW, kSent | kWparam | kLparam, 1 | SBT_POPOUT | SBT_OWNERDRAW, (LPARAM)second},
      {0, 0, 0, 0}};
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kShowB));
  EXPECT_TRUE(::IsWindowVisible(progress->GetControl()->GetSafeHwnd()));
  // B on top: DeactivateModel(B) hides its progress control first, then A comes back.
  Recorder().Reset();
  bar->DeactivateModel(b);
  static const ExpectedMsg kBackToA[] = {
      {SB_SETPARTS, kSent | kWparam, 1, 0},
      {SB_SETTEXTW, kSent | kWparam, 0 | SBT_NOBORDERS, 0},
      {SB_SETPARTS, kSent | kWparam, 2, 0},
      {SB_SETTEXTW, kSent | kWparam, 0, 0},
      {0, 0, 0, 0}};
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kBackToA));
  EXPECT_FALSE(::IsWindowVisible(progress->GetControl()->GetSafeHwnd()));
  EXPECT_EQ(Shown(), "A");
  Recorder().UnwatchAll();
}

}  // namespace
