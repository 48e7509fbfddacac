// Text drawn by the view compared pixel for pixel with what plain GDI draws in the same font.
#include "text_fixture.h"

namespace {

struct AlignCase {
  const char* name;
  QvHorizontalAlign ha;
  QvVerticalAlign va;
  UINT format;
};

TEST_F(TextTest, AlignedLinesMatchDrawText) {
  const AlignCase cases[] = {
      {"left top", QvAlignLeft, QvAlignTop, DT_LEFT | DT_TOP},
      {"right top", QvAlignRight, QvAlignTop, DT_RIGHT | DT_TOP},
      {"centre", QvAlignHCenter, QvAlignTop, DT_CENTER | DT_TOP},
  };
  const wchar_t* text = L"Quarterly report";
  RECT r = {10, 8, 210, 40};
  for (const AlignCase& c : cases) {
    SCOPED_TRACE(c.name);
    Clear(canvas.dc());
    view.QvDrawTextInRect(text, 16, r, c.va, c.ha, 0, 0);
    const auto expected = Reference([&](HDC dc) {
      RECT box = r;
      DrawTextW(dc, text, 16, &box, c.format | DT_SINGLELINE | DT_NOPREFIX);
    });
    const auto actual = Pixels(canvas);
    EXPECT_GT(Inked(actual), 50);
    EXPECT_TRUE(actual == expected);
  }
}

TEST_F(TextTest, WrappedParagraphMatchesTextOutLineByLine) {
  const wchar_t* text = L"Sales rose in every region this quarter and costs fell";
  const int len = static_cast<int>(wcslen(text));
  RECT r = {4, 4, 4 + Width(L"Sales rose in every ") + 1, 110};
  view.QvDrawTextInRect(text, len, r, QvAlignTop, QvAlignLeft, 1, 0);
  const wchar_t* lines[] = {L"Sales rose in every", L"region this quarter", L"and costs fell"};
  const auto expected = Reference([&](HDC dc) {
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    for (int i = 0; i < 3; ++i)
      TextOutW(dc, 4, 4 + i * (tm.tmHeight + tm.tmExternalLeading), lines[i], static_cast<int>(wcslen(lines[i])));
  });
  const auto actual = Pixels(canvas);
  EXPECT_GT(Inked(actual), 100);
  EXPECT_TRUE(actual == expected);
}

TEST_F(TextTest, JustifiedLinesReachTheRightEdgeButTheLastDoesNot) {
  const wchar_t* text = L"one two three four five six seven";
  const int len = static_cast<int>(wcslen(text));
  RECT r = {0, 0, 150, 100};
  view.QvDrawTextInRect(text, len, r, QvAlignTop, QvAlignJustify, 1, 0);
  TEXTMETRICW tm;
  GetTextMetricsW(canvas.dc(), &tm);
  auto rightmost = [&](int top) {
    int right = -1;
    for (int y = top; y < top + tm.tmHeight; ++y)
      for (int x = 0; x < kW; ++x)
        if (canvas.At(x, y) != RGB(255, 255, 255) && x > right) right = x;
    return right;
  };
  // The last glyph's ink ends where its advance ends, less its right bearing.
  EXPECT_GE(rightmost(0), 150 - Width(L"e"));
  EXPECT_LT(rightmost(0), 150);
  TextLineInfoArray lines;
  view.CallCalcTextLines(text, QvSize(150, 0x7FFFFFFF), true, lines);
  ASSERT_GE(lines.GetSize(), 2);
  const int lastTop = static_cast<int>((lines.GetSize() - 1) * (tm.tmHeight + tm.tmExternalLeading));
  EXPECT_LT(rightmost(lastTop), 140);
}

TEST_F(TextTest, FillCharacterPadsTheLastLineToTheRight) {
  view.QvSetFillCharacter(QvString("."));
  RECT r = {0, 0, 200, 20};
  view.QvDrawTextInRect(L"Total", 5, r, QvAlignTop, QvAlignLeft, 0, 0);
  const int w = Width(L"Total");
  FLOAT dot = 0;
  GetCharWidthFloatW(canvas.dc(), L'.', L'.', &dot);
  const int count = static_cast<int>((200 - w) / dot);
  const auto expected = Reference([&](HDC dc) {
    TextOutW(dc, 0, 0, L"Total", 5);
    std::wstring dots(static_cast<size_t>(count), L'.');
    RECT clip = r;
    ExtTextOutW(dc, w, 0, ETO_CLIPPED, &clip, dots.c_str(), count, NULL);
  });
  EXPECT_TRUE(Pixels(canvas) == expected);
}

TEST_F(TextTest, VerticalTextMatchesRotatedTextOut) {
  RECT r = {20, 10, 60, 110};
  view.QvDrawVertTextInRect(L"Revenue", 7, r, QvAlignBottom, QvAlignLeft, QvVertUp);
  const auto expected = Reference(
      [&](HDC dc) {
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        TextOutW(dc, 20, 110, L"Revenue", 7);
      },
      900);
  const auto actual = Pixels(canvas);
  EXPECT_GT(Inked(actual), 50);
  EXPECT_TRUE(actual == expected);
  EXPECT_EQ(GetTextAlign(canvas.dc()), 0u);
}

TEST_F(TextTest, StackedCharactersGoDownOneLineEach) {
  RECT r = {0, 0, 40, 100};
  view.QvDrawVertTextInRect(L"ABC", 3, r, QvAlignTop, QvAlignLeft, QvVertStacked);
  TEXTMETRICW tm;
  GetTextMetricsW(canvas.dc(), &tm);
  const auto expected = Reference([&](HDC dc) {
    for (int i = 0; i < 3; ++i) TextOutW(dc, 0, i * tm.tmHeight, L"ABC" + i, 1);
  });
  EXPECT_TRUE(Pixels(canvas) == expected);
  RECT box;
  view.QvGetVertTextRect(box, L"ABC", 3, QvVertStacked);
  EXPECT_EQ(box.bottom, 3 * tm.tmHeight);
  EXPECT_EQ(box.right, std::max({Width(L"A"), Width(L"B"), Width(L"C")}));
}

TEST_F(TextTest, FontsAreKeptBetweenStrings) {
  RECT r = {0, 0, 200, 20};
  view.QvDrawTextInRect(L"one", 3, r, QvAlignTop, QvAlignLeft, 0, 0);
  HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
  view.QvDrawTextInRect(L"two", 3, r, QvAlignTop, QvAlignLeft, 0, 0);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
  UIFont bold;
  view.QvGetFont(bold);
  bold.style = 1;
  view.QvSetFont(bold);
  view.QvDrawTextInRect(L"three", 5, r, QvAlignTop, QvAlignLeft, 0, 0);
  EXPECT_NE(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
}

}  // namespace

namespace {

// The print-old-font switch lays text out on the drawing side: broken at spaces and line
// feeds, lines stacked by their own heights.
class LegacyTextTest : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    CUIView::SetPrintOldFont(1);
  }
  void TearDown() override {
    CUIView::SetPrintOldFont(0);
    TextTest::TearDown();
  }
};

TEST_F(LegacyTextTest, LinesBreakAtSpacesAndLineFeeds) {
  const wchar_t* text = L"alpha beta gamma\ndelta";
  RECT r = {2, 2, 2 + Width(L"alpha beta ") + 1, 110};
  view.QvDrawTextInRect(text, static_cast<int>(wcslen(text)), r, QvAlignTop, QvAlignLeft, 1, 0);
  const wchar_t* lines[] = {L"alpha beta", L"gamma", L"delta"};
  const auto expected = Reference([&](HDC dc) {
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    for (int i = 0; i < 3; ++i) TextOutW(dc, 2, 2 + i * tm.tmHeight, lines[i], static_cast<int>(wcslen(lines[i])));
  });
  EXPECT_TRUE(Pixels(canvas) == expected);
  long count = 0;
  TEXTMETRICW tm;
  GetTextMetricsW(canvas.dc(), &tm);
  EXPECT_EQ(view.QvTextHeightEx(text, static_cast<int>(wcslen(text)), r.right - r.left, 0, &count),
            static_cast<unsigned long>(3 * tm.tmHeight));
  EXPECT_EQ(count, 3);
}

}  // namespace
