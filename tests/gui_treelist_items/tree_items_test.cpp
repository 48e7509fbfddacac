// The tree list's items: rows in display order, ids that find their rows after any change,
// the shown-row count through adds, deletes, opening and closing, and sorting that moves
// subtrees and keeps every item's id and state.
#include <TreeListItems.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr size_t kNone = TreeListItems::kNone;

// The texts of the rows, in display order, with a dot per level.
std::vector<std::wstring> Rows(const TreeListItems& items) {
  std::vector<std::wstring> rows;
  for (size_t i = 0; i < items.Count(); ++i)
    rows.push_back(std::wstring(items.At(i)->level, L'.') + items.At(i)->text);
  return rows;
}

size_t CountShown(const TreeListItems& items) {
  size_t shown = 0;
  for (size_t i = 0; i < items.Count(); ++i)
    if (items.At(i)->flags & TreeListItem::kShown) ++shown;
  return shown;
}

// a (b (c, d), e), f
struct Fixture {
  TreeListItems items;
  long a, b, c, d, e, f;
  Fixture() {
    a = items.At(items.AddChild(kNone, L"a"))->id;
    b = items.At(items.AddChild(items.IndexOf(a), L"b"))->id;
    c = items.At(items.AddChild(items.IndexOf(b), L"c"))->id;
    d = items.At(items.AddChild(items.IndexOf(b), L"d"))->id;
    e = items.At(items.AddChild(items.IndexOf(a), L"e"))->id;
    f = items.At(items.AddChild(kNone, L"f"))->id;
  }
};

TEST(TreeListItems, ChildrenFollowTheirParentsSubtree) {
  Fixture t;
  EXPECT_EQ((std::vector<std::wstring>{L"a", L".b", L"..c", L"..d", L".e", L"f"}), Rows(t.items));
  const long ids[] = {t.a, t.b, t.c, t.d, t.e, t.f};
  for (size_t row = 0; row < 6; ++row) {
    EXPECT_EQ(static_cast<long>(row), ids[row]) << "ids come from a counter";
    EXPECT_EQ(row, t.items.IndexOf(ids[row]));
  }
  EXPECT_EQ(kNone, t.items.IndexOf(99));
  EXPECT_EQ(nullptr, t.items.Find(99));
  struct Case {
    long id;
    long parent;  // -1: a root item
    bool container, nextSibling;
  } cases[] = {{t.a, -1, true, true},  {t.b, t.a, true, true},  {t.c, t.b, false, true},
               {t.d, t.b, false, false}, {t.e, t.a, false, false}, {t.f, -1, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const size_t row = t.items.IndexOf(c.id);
    const size_t parent = t.items.Parent(row);
    EXPECT_EQ(c.parent < 0 ? kNone : t.items.IndexOf(c.parent), parent);
    EXPECT_EQ(c.container, (t.items.At(row)->flags & TreeListItem::kContainer) != 0);
    EXPECT_EQ(c.nextSibling, (t.items.At(row)->flags & TreeListItem::kHasNextSibling) != 0);
  }
  EXPECT_EQ(kNone, t.items.AddChild(6, L"bad parent"));
  EXPECT_EQ(6u, t.items.Count());
}

// Rows of closed containers are hidden; the count of shown rows follows each step.
TEST(TreeListItems, ShownRowsFollowOpeningAndClosing) {
  Fixture t;
  struct Step {
    long id;
    bool expand;
    std::vector<std::wstring> shown;
  } steps[] = {
      {-1, false, {L"a", L"f"}},                            // nothing open: the roots
      {0, true, {L"a", L"b", L"e", L"f"}},                  // open a
      {1, true, {L"a", L"b", L"c", L"d", L"e", L"f"}},      // open b
      {0, false, {L"a", L"f"}},                             // close a: b stays open, hidden
      {0, true, {L"a", L"b", L"c", L"d", L"e", L"f"}},      // open a again: b's children return
      {1, false, {L"a", L"b", L"e", L"f"}},                 // close b
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "id " << s.id << (s.expand ? " open" : " close"));
    if (s.id >= 0) {
      ASSERT_TRUE(t.items.Expand(t.items.IndexOf(s.id), s.expand));
    }
    std::vector<std::wstring> shown;
    for (size_t i = 0; i < t.items.Count(); ++i)
      if (t.items.At(i)->flags & TreeListItem::kShown) shown.push_back(t.items.At(i)->text);
    EXPECT_EQ(s.shown, shown);
    EXPECT_EQ(s.shown.size(), t.items.ShownCount());
  }
  EXPECT_FALSE(t.items.Expand(t.items.IndexOf(t.f), true)) << "a terminal does not open";
  EXPECT_FALSE(t.items.Expand(99, true));
  // A child added under an open, shown parent is shown at once.
  t.items.AddChild(t.items.IndexOf(t.a), L"g");
  EXPECT_EQ(5u, t.items.ShownCount());
  EXPECT_EQ(CountShown(t.items), t.items.ShownCount());
}

TEST(TreeListItems, DeletingTakesTheSubtreeAndKeepsIdsFindingTheirRows) {
  Fixture t;
  t.items.Expand(t.items.IndexOf(t.a), true);
  t.items.Expand(t.items.IndexOf(t.b), true);
  ASSERT_TRUE(t.items.Delete(t.items.IndexOf(t.b)));
  EXPECT_EQ((std::vector<std::wstring>{L"a", L".e", L"f"}), Rows(t.items));
  EXPECT_EQ(kNone, t.items.IndexOf(t.c));
  EXPECT_EQ(1u, t.items.IndexOf(t.e));
  EXPECT_EQ(2u, t.items.IndexOf(t.f));
  EXPECT_EQ(3u, t.items.ShownCount());
  // The last child gone, the one before it is the last.
  ASSERT_TRUE(t.items.Delete(t.items.IndexOf(t.f)));
  EXPECT_FALSE(t.items.At(t.items.IndexOf(t.a))->flags & TreeListItem::kHasNextSibling);
  EXPECT_FALSE(t.items.Delete(5));
  const long g = t.items.At(t.items.AddChild(kNone, L"g"))->id;
  EXPECT_EQ(6, g) << "ids are never reused";
}

// Sorting moves each child with its subtree, keeps equal children in their order, and every
// item keeps its id, its check state, selection and focus.
TEST(TreeListItems, SortingKeepsIdsAndStateAndIsStable) {
  TreeListItems items;
  const size_t root = items.AddChild(kNone, L"root");
  const wchar_t* names[] = {L"pear", L"apple", L"fig", L"apple", L"date"};
  std::vector<long> ids;
  for (const wchar_t* name : names) ids.push_back(items.At(items.AddChild(root, name))->id);
  const long seed = items.At(items.AddChild(items.IndexOf(ids[0]), L"seed"))->id;  // under pear
  items.Find(ids[1])->flags |= 1 | TreeListItem::kSelected;                        // first apple: checked
  items.Find(ids[3])->flags |= 2 | TreeListItem::kFocus;                           // second apple: third state
  items.Find(seed)->flags |= TreeListItem::kSelected;
  items.Find(ids[4])->data = &items;

  ASSERT_TRUE(items.SortChildren(items.IndexOf(0), [](const TreeListItem& x, const TreeListItem& y) {
    return x.text < y.text;
  }));
  EXPECT_EQ((std::vector<std::wstring>{L"root", L".apple", L".apple", L".date", L".fig", L".pear", L"..seed"}),
            Rows(items));
  EXPECT_EQ(1u, items.IndexOf(ids[1])) << "equal children keep their order";
  EXPECT_EQ(2u, items.IndexOf(ids[3]));
  EXPECT_EQ(6u, items.IndexOf(seed));
  EXPECT_EQ(1 | TreeListItem::kSelected, items.Find(ids[1])->flags & (TreeListItem::kCheckMask | TreeListItem::kSelected));
  EXPECT_EQ(2 | TreeListItem::kFocus, items.Find(ids[3])->flags & (TreeListItem::kCheckMask | TreeListItem::kFocus));
  EXPECT_TRUE(items.Find(seed)->flags & TreeListItem::kSelected);
  EXPECT_EQ(&items, items.Find(ids[4])->data);
  for (size_t row = 1; row < 6; ++row)
    EXPECT_EQ(row != 5, (items.At(row)->flags & TreeListItem::kHasNextSibling) != 0) << row;
  EXPECT_FALSE(items.SortChildren(99, [](const TreeListItem&, const TreeListItem&) { return false; }));
}

// Items placed at a row and level: the parent is the nearest shallower row before, sibling
// flags follow, places that would break the tree are refused.
TEST(TreeListItems, InsertAtARowFindsItsParentAndSiblings) {
  // Into a (b (c, d), e), f with a open.
  struct Case {
    size_t row;
    unsigned short level;
    std::vector<std::wstring> rows;  // kNone expected when empty
  } cases[] = {
      {0, 0, {L"x", L"a", L".b", L"..c", L"..d", L".e", L"f"}},   // a new first root
      {2, 2, {L"a", L".b", L"..x", L"..c", L"..d", L".e", L"f"}},  // b's new first child
      {4, 2, {L"a", L".b", L"..c", L"..d", L"..x", L".e", L"f"}},  // b's new last child
      {6, 1, {L"a", L".b", L"..c", L"..d", L".e", L"f", L".x"}},   // f's first child
      {6, 0, {L"a", L".b", L"..c", L"..d", L".e", L"f", L"x"}},    // a new last root
      {1, 2, {}},                                                  // two levels below a
      {2, 1, {}},                                                  // before c, shallower than it
      {0, 1, {}},                                                  // a child of nothing
      {7, 0, {}},                                                  // past the end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " level " << c.level);
    Fixture f;
    f.items.Expand(f.items.IndexOf(f.a), true);
    const size_t row = f.items.Insert(c.row, c.level, L"x");
    if (c.rows.empty()) {
      EXPECT_EQ(kNone, row);
      EXPECT_EQ(6u, f.items.Count());
      continue;
    }
    ASSERT_EQ(c.row, row);
    EXPECT_EQ(c.rows, Rows(f.items));
    const size_t parent = f.items.Parent(row);
    if (parent != kNone) {
      EXPECT_TRUE(f.items.At(parent)->flags & TreeListItem::kContainer);
    }
    // Every row's following-sibling flag: a later row of its level before any shallower one.
    for (size_t i = 0; i < f.items.Count(); ++i) {
      bool next = false;
      for (size_t j = i + 1; j < f.items.Count() && f.items.At(j)->level >= f.items.At(i)->level; ++j)
        if (f.items.At(j)->level == f.items.At(i)->level) {
          next = true;
          break;
        }
      EXPECT_EQ(next, (f.items.At(i)->flags & TreeListItem::kHasNextSibling) != 0) << f.items.At(i)->text;
    }
    EXPECT_EQ(CountShown(f.items), f.items.ShownCount());
    EXPECT_EQ(row, f.items.IndexOf(f.items.At(row)->id));
  }
}

// Deleting an item alone: its container opens, its descendants move up one level in place.
TEST(TreeListItems, DeletingAnItemAloneKeepsItsDescendants) {
  Fixture t;  // a (b (c, d), e), f; all closed
  ASSERT_TRUE(t.items.DeleteKeepingDescendants(t.items.IndexOf(t.b)));
  EXPECT_EQ((std::vector<std::wstring>{L"a", L".c", L".d", L".e", L"f"}), Rows(t.items));
  EXPECT_EQ(kNone, t.items.IndexOf(t.b));
  for (long id : {t.c, t.d}) EXPECT_TRUE(t.items.Find(id)->flags & TreeListItem::kHasNextSibling);
  EXPECT_EQ(CountShown(t.items), t.items.ShownCount());
  ASSERT_TRUE(t.items.DeleteKeepingDescendants(t.items.IndexOf(t.a)));
  EXPECT_EQ((std::vector<std::wstring>{L"c", L"d", L"e", L"f"}), Rows(t.items));
  EXPECT_EQ(4u, t.items.ShownCount()) << "roots are shown";
  EXPECT_FALSE(t.items.DeleteKeepingDescendants(9));
}

// The next and previous shown rows skip closed subtrees.
TEST(TreeListItems, ShownRowsAreWalkedOverClosedSubtrees) {
  Fixture t;  // a (b (c, d), e), f
  EXPECT_EQ(5u, t.items.NextShown(0)) << "a is closed";
  EXPECT_EQ(0u, t.items.PreviousShown(5));
  t.items.Expand(0, true);
  EXPECT_EQ(1u, t.items.NextShown(0));
  EXPECT_EQ(4u, t.items.NextShown(1)) << "b is closed";
  EXPECT_EQ(1u, t.items.PreviousShown(4));
  EXPECT_EQ(kNone, t.items.NextShown(5));
  EXPECT_EQ(kNone, t.items.PreviousShown(0));
}

// Containers opened and closed later: the shown rows are right at the next question, and
// changes made meanwhile see them right too.
TEST(TreeListItems, ContainersOpenedLaterShowTheirRowsWhenAsked) {
  Fixture t;  // a (b (c, d), e), f
  ASSERT_TRUE(t.items.SetExpandedLater(t.items.IndexOf(t.a), true));
  ASSERT_TRUE(t.items.SetExpandedLater(t.items.IndexOf(t.b), true));
  EXPECT_FALSE(t.items.SetExpandedLater(t.items.IndexOf(t.f), true)) << "a terminal";
  EXPECT_TRUE(t.items.IsShown(t.items.IndexOf(t.c)));
  EXPECT_EQ(6u, t.items.ShownCount());
  ASSERT_TRUE(t.items.SetExpandedLater(t.items.IndexOf(t.a), false));
  // A child added under b meanwhile is hidden: b's parent is closed.
  const size_t g = t.items.AddChild(t.items.IndexOf(t.b), L"g");
  EXPECT_FALSE(t.items.IsShown(g));
  EXPECT_EQ(2u, t.items.ShownCount());
  EXPECT_EQ(CountShown(t.items), t.items.ShownCount());
  EXPECT_EQ(t.items.IndexOf(t.f), t.items.NextShown(0));
}

// A hundred thousand rows: every id finds its row, also after a sort reversed them; the shown
// count matches the flags.
TEST(TreeListItems, ManyRowsStayAddressable) {
  TreeListItems items;
  const size_t root = items.AddChild(kNone, L"root");
  const size_t kCount = 100000;
  for (size_t i = 0; i < kCount; ++i) items.AddChild(kNone, std::to_wstring(i));
  for (size_t i = 0; i < 1000; ++i) items.AddChild(root, std::to_wstring(i));
  EXPECT_EQ(1u + kCount, items.ShownCount()) << "the root is closed";
  ASSERT_TRUE(items.Expand(root, true));
  for (long id = 0; id < static_cast<long>(items.Count()); ++id)
    ASSERT_EQ(id, static_cast<long>(items.At(items.IndexOf(id))->id));
  ASSERT_TRUE(items.SortChildren(root, [](const TreeListItem& x, const TreeListItem& y) { return x.id > y.id; }));
  EXPECT_EQ(1u + kCount + 1000u, items.ShownCount());
  EXPECT_EQ(CountShown(items), items.ShownCount());
  EXPECT_EQ(1u, items.IndexOf(static_cast<long>(kCount + 1000)));
  EXPECT_EQ(1000u, items.IndexOf(static_cast<long>(kCount + 1)));
}

}  // namespace
