// Line breaking of the drawing view, measured on its measuring DC.
#include "text_fixture.h"

namespace {

std::vector<std::wstring> Texts(const TextLineInfoArray& lines) {
  std::vector<std::wstring> out;
  for (long i = 0; i < lines.GetSize(); ++i) out.emplace_back(lines.Line(i).text, lines.Line(i).length);
  return out;
}

struct BreakCase {
  const char* name;
  const wchar_t* text;
  const wchar_t* fits;  // the widest text the width holds (NULL: no limit)
  bool wrap;
  std::vector<std::wstring> lines;
  std::vector<bool> ends;
};

TEST_F(TextTest, LinesBreakByTable) {
  const BreakCase cases[] = {
      {"words break after the last that fits, the blank is skipped", L"one two three", L"one two ", true,
       {L"one two", L"three"}, {false, true}},
      {"an empty paragraph is a line", L"abc\n\ndef", NULL, false, {L"abc", L"", L"def"}, {true, true, true}},
      {"a CR after the LF is skipped", L"abc\n\rdef", NULL, false, {L"abc", L"def"}, {true, true}},
      {"a CR before the LF stays", L"abc\r\ndef", NULL, false, {L"abc\r", L"def"}, {true, true}},
      {"a long word is cut where it stops fitting", L"abcdabcdab", L"abcd", true, {L"abcd", L"abcd", L"ab"},
       {false, false, true}},
      {"at least one character a line", L"ab", L"", true, {L"a", L"b"}, {false, false}},
      {"a no-break space before a blank is no break", L"one\u00A0 two", L"one\u00A0 tw", true,
       {L"one\u00A0 tw", L"o"}, {false, true}},
      {"trailing blanks of a wrapped paragraph are dropped", L"abc   ", NULL, true, {L"abc"}, {true}},
      {"without wrapping nothing breaks", L"one two three", L"one", false, {L"one two three"}, {true}},
  };
  for (const BreakCase& c : cases) {
    SCOPED_TRACE(c.name);
    TextLineInfoArray lines;
    const long width = c.fits == NULL ? 0x7FFFFFFF : Width(c.fits) + (c.fits[0] ? 1 : 0);
    view.CallCalcTextLines(c.text, QvSize(width, 0x7FFFFFFF), c.wrap, lines);
    EXPECT_EQ(Texts(lines), c.lines);
    for (long i = 0; i < lines.GetSize() && i < static_cast<long>(c.ends.size()); ++i)
      EXPECT_EQ(lines.Line(i).endsParagraph, c.ends[static_cast<size_t>(i)]) << i;
  }
}

TEST_F(TextTest, LineSizesAndBlanksComeFromOneMeasure) {
  TextLineInfoArray lines;
  view.CallCalcTextLines(L"a b\u00A0c\n\nxyz", QvSize(0x7FFFFFFF, 0x7FFFFFFF), true, lines);
  ASSERT_EQ(lines.GetSize(), 3);
  TEXTMETRICW tm;
  GetTextMetricsW(view.MeasureDC(), &tm);
  EXPECT_EQ(lines.Line(0).cx, Width(L"a b\u00A0c"));
  EXPECT_EQ(lines.Line(0).cy, tm.tmHeight);
  EXPECT_EQ(lines.Line(0).blanks, 2);
  EXPECT_EQ(lines.Line(1).cy, tm.tmHeight + tm.tmExternalLeading);
  EXPECT_EQ(lines.Line(1).cx, 0);
  EXPECT_EQ(lines.Line(2).cx, Width(L"xyz"));
}

TEST_F(TextTest, LineCountIsLimitedByTheHeight) {
  TextLineInfoArray lines;
  std::wstring many;
  for (int i = 0; i < 40; ++i) many += L"line\n";
  view.CallCalcTextLines(many.c_str(), QvSize(1000, 100), true, lines);
  TEXTMETRICW tm;
  GetTextMetricsW(view.MeasureDC(), &tm);
  EXPECT_EQ(lines.GetSize(), 100 / (tm.tmHeight + tm.tmExternalLeading) + 1);
}

TEST_F(TextTest, TwipsLayoutConvertsTheWidthAndTheSizes) {
  TextView twips(UIVIEW_TWIPS);
  ASSERT_TRUE(twips.PrepareNewDCForDrawing(canvas.dc(), false));
  UIFont font;
  font.size = 10;
  font.face = L"Arial";
  twips.QvSetFont(font);
  TextLineInfoArray lines;
  twips.CallCalcTextLines(L"one two three four five six", QvSize(1440, 0x7FFFFFFF), true, lines);
  ASSERT_GT(lines.GetSize(), 1);
  for (long i = 0; i < lines.GetSize(); ++i) EXPECT_LE(lines.Line(i).cx, 1440) << i;
  // 10 points are 200 twips; the line height is a little more.
  EXPECT_GT(lines.Line(0).cy, 200);
  EXPECT_LT(lines.Line(0).cy, 300);
  twips.UnprepareCurrentDC();
}

TEST(TextLines, CopiesOwnTheirOwnRecords) {
  const wchar_t* text = L"abc";
  auto copy = [&] {
    TextLineInfoArray original;
    original.Add(TextLineInfo{text, 3, 30, 12, true, 0});
    original.Add(TextLineInfo{text + 1, 2, 20, 12, false, 1});
    TextLineInfoArray copied(original);
    EXPECT_NE(&copied.Line(0), &original.Line(0));
    TextLineInfoArray assigned;
    assigned.Add(TextLineInfo{text, 1, 1, 1, true, 0});
    assigned = original;
    EXPECT_NE(&assigned.Line(1), &original.Line(1));
    assigned = assigned;
    EXPECT_EQ(assigned.GetSize(), 2);
    return copied;
  };
  // The original is gone: the copy's records are still its own.
  TextLineInfoArray kept = copy();
  ASSERT_EQ(kept.GetSize(), 2);
  EXPECT_EQ(kept.Line(1).text, text + 1);
  EXPECT_EQ(kept.Line(1).cx, 20);
  EXPECT_EQ(kept.Line(1).blanks, 1);
}

TEST_F(TextTest, HeightCountsTheLaidOutLines) {
  long count = 0;
  const unsigned long h = view.QvTextHeightEx(L"one two three", 13, Width(L"one two ") + 1, 0, &count);
  TEXTMETRICW tm;
  GetTextMetricsW(view.MeasureDC(), &tm);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(h, static_cast<unsigned long>(2 * (tm.tmHeight + tm.tmExternalLeading) - tm.tmExternalLeading));
  EXPECT_EQ(view.QvTextHeight(L"x", 1, 1000, 0), static_cast<unsigned long>(tm.tmHeight));
}

TEST_F(TextTest, WidthIsTheWidestLineAndIgnoresZoomBelowOne) {
  EXPECT_EQ(view.QvTextWidth(L"ab\r\nabcdef\nabc", 14, true), static_cast<unsigned long>(Width(L"abcdef")));
  const unsigned long full = view.QvTextWidth(L"report text", 11, true);
  view.SetZoomFactor(50, 100);
  EXPECT_EQ(view.QvTextWidth(L"report text", 11, true), full);
  // The ratio decides, not the numerator.
  view.SetZoomFactor(150, 200);
  EXPECT_EQ(view.QvTextWidth(L"report text", 11, true), full);
  view.SetZoomFactor(50, 100);
  long num = 0, den = 0;
  view.GetZoomFactor(num, den);
  EXPECT_EQ(num, 50);
  EXPECT_EQ(den, 100);
  EXPECT_FLOAT_EQ(view.FactorX(), 2.0f);
}

}  // namespace
