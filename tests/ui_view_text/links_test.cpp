// Links in text: what the locator finds, and the link under a point of a laid-out text.
#include "text_fixture.h"

namespace {

struct LinkCase {
  const wchar_t* text;
  const wchar_t* shown;
  const wchar_t* target;  // of the first link; NULL when none
  int kind;
};

TEST(Links, FoundAndReplacedByTable) {
  const LinkCase cases[] = {
      {L"See <a href=\"www.example.com\">the site</a>.", L"See the site.", L"http://www.example.com", 1},
      {L"<a href=\"file name.txt\">doc</a>", L"doc", L"file://file%20name.txt", 1},
      {L"mail mailto:ann@example.com now", L"mail mailto:ann@example.com now", L"mailto:ann@example.com", 1},
      {L"write to ann@example.com", L"write to ann@example.com", L"mailto:ann@example.com", 1},
      {L"<a href=\"qv://report/7\">open</a>", L"open", L"qv://report/7", 2},
      {L"plain text, nothing here.", L"plain text, nothing here.", NULL, 0},
      {L"<a href=\"broken", L"<a href=\"broken", NULL, 0},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    CArrayLinkDefs links;
    int len = static_cast<int>(wcslen(c.text));
    EXPECT_EQ(links.LocateLinksInString(c.text, len), c.target != NULL);
    wchar_t* shown = links.ReplaceLinks(c.text, len);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(std::wstring(shown), c.shown);
    delete[] shown;
    if (c.target == NULL) continue;
    ASSERT_GE(links.GetSize(), 1);
    EXPECT_EQ(links.GetAt(0)->m_target, c.target);
    EXPECT_EQ(links.GetAt(0)->m_nKind, c.kind);
  }
}

TEST_F(TextTest, LinkIsFoundUnderThePointOnly) {
  const wchar_t* text = L"See <a href=\"www.example.com\">the site</a> for more";
  const int len = static_cast<int>(wcslen(text));
  RECT r = {10, 10, 230, 40};
  const int before = Width(L"See ");
  POINT onLink = {10 + before + 3, 15};
  POINT onSee = {12, 15};
  POINT below = {10 + before + 3, 35};
  QvLinkDef link;
  EXPECT_TRUE(view.QvGetLinkAtPoint(text, len, r, QvAlignTop, QvAlignLeft, 1, onLink, link));
  EXPECT_EQ(link.m_target, L"http://www.example.com");
  EXPECT_EQ(link.m_caption, L"the site");
  ASSERT_EQ(link.m_rects.size(), 1u);
  EXPECT_EQ(link.m_rects[0].left, 10 + before);
  EXPECT_EQ(link.m_rects[0].right, 10 + Width(L"See the site"));
  QvLinkDef none;
  EXPECT_FALSE(view.QvGetLinkAtPoint(text, len, r, QvAlignTop, QvAlignLeft, 1, onSee, none));
  EXPECT_FALSE(view.QvGetLinkAtPoint(text, len, r, QvAlignTop, QvAlignLeft, 1, below, none));
  EXPECT_FALSE(view.QvGetLinkAtPoint(L"no link", 7, r, QvAlignTop, QvAlignLeft, 1, onSee, none));
  // A link the host handles itself is not opened.
  EXPECT_FALSE(view.OnClickOnLink(link, onLink, true));
}

TEST_F(TextTest, DrawnLinksAreUnderlinedInTheLinkColourAndRecorded) {
  view.EnableHyperlinksScan(1);
  const wchar_t* text = L"Go <a href=\"www.example.com\">here</a>";
  RECT r = {0, 0, 200, 30};
  view.QvDrawTextInRect(text, static_cast<int>(wcslen(text)), r, QvAlignTop, QvAlignLeft, 1, 0);
  CArrayLinkDefs* links = CMFCUIView::GetGlobalArrayLink();
  ASSERT_EQ(links->GetSize(), 1);
  ASSERT_EQ(links->GetAt(0)->m_rects.size(), 1u);
  const RECT at = links->GetAt(0)->m_rects[0];
  int blue = 0;
  for (int y = at.top; y < at.bottom; ++y)
    for (int x = at.left; x < at.right; ++x) blue += canvas.At(x, y) == RGB(0, 0, 255);
  EXPECT_GT(blue, at.right - at.left);  // the glyphs and the underline
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 0));
  // The next text without links empties the array.
  view.QvDrawTextInRect(L"plain", 5, r, QvAlignTop, QvAlignLeft, 1, 0);
  EXPECT_EQ(links->GetSize(), 0);
  view.EnableHyperlinksScan(0);
}

}  // namespace
