// The tree with multi-selection and check boxes: how a check spreads under each style, clicks
// and Space on check boxes, Shift ranges in pre-order, the caret moving without the selection,
// the notices the parent counts, and the font set once.
#include <QvTreeCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "listctrls_test.h"

using listctrls_testing::kListId;
using listctrls_testing::ListTest;
using testing_support::Recorder;
using testing_support::SubclassedControl;

namespace {

// Item names in either edition, as the map and the expectations hold them.
std::wstring W(const TCHAR* s) { return std::wstring(CStringW(s).GetString()); }

class Tree : public ListTest {
 protected:
  void Make(UINT style = 0) {
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                            CRect(0, 0, 300, 300), &parent, kListId));
    if (style != 0) tree.SetStyle(style, 0);
  }
  void TearDown() override {
    if (tree.GetSafeHwnd() != NULL) tree.DestroyWindow();
    ListTest::TearDown();
  }
  HTREEITEM Add(const TCHAR* name, HTREEITEM under = TVI_ROOT) {
    HTREEITEM item = tree.InsertItem(name, under);
    items[W(name)] = item;
    return item;
  }
  // The check state of every named item, as letters: n(one) u(nchecked) c(hecked) p(artial).
  std::string States(std::initializer_list<const TCHAR*> names) {
    std::string s;
    for (const TCHAR* n : names) s += "nucp"[tree.GetItemCheckState(items[W(n)])];
    return s;
  }
  std::vector<std::wstring> Selected() {
    std::vector<std::wstring> names;
    for (HTREEITEM i = tree.GetNextSelectedItem(NULL); i != NULL; i = tree.GetNextSelectedItem(i))
      names.push_back(std::wstring(CStringW(tree.GetItemText(i)).GetString()));
    return names;
  }
  int Count(int code) const { return static_cast<int>(std::count(parent.codes.begin(), parent.codes.end(), code)); }
  // A press on an item's label (or its state icon), with the keys given as button flags.
  void Press(HTREEITEM item, UINT keys = 0, bool stateIcon = false) {
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(item, label, TRUE));
    const CPoint at = stateIcon ? CPoint(label.left - 8, label.CenterPoint().y) : label.CenterPoint();
    UINT flags = 0;
    ASSERT_EQ(tree.HitTest(at, &flags), item);
    ASSERT_TRUE(flags & (stateIcon ? TVHT_ONITEMSTATEICON : TVHT_ONITEMLABEL));
    ::PostMessage(tree.m_hWnd, WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
    ::SendMessage(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
    Pump();
  }
  // A key with Ctrl and/or Shift held, as the thread's keyboard state says.
  void Key(UINT vk, bool ctrl = false, bool shift = false) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE held[256];
    memcpy(held, keys, sizeof held);
    held[VK_CONTROL] = ctrl ? 0x80 : 0;
    held[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(held);
    ::PostMessage(tree.m_hWnd, WM_KEYDOWN, vk, 1);
    Pump();
    ::SetKeyboardState(keys);
  }
  void Clear() {
    Recorder().Reset();
    parent.codes.clear();
  }

  CQvTreeCtrl tree;
  std::map<std::wstring, HTREEITEM> items;
};

TEST_F(Tree, ACheckSpreadsByTheStyle) {
  // Parent P with children A and B; A has a child G.
  struct Case {
    const char* what;
    UINT style;
    const TCHAR* start;     // the items checked before, by name, "" for none
    const TCHAR* item;      // the item whose state is set
    TVItemCheckState to;
    std::string expected;   // states of P, A, B, G after
  } cases[] = {
      {"no spreading", 0, _T(""), _T("A"), TVCS_CHECKED, "ucuu"},
      {"checking checks the children", QVTS_CHECK_CHILDREN, _T(""), _T("P"), TVCS_CHECKED, "cccc"},
      {"unchecking unchecks the children", QVTS_UNCHECK_CHILDREN, _T("PABG"), _T("P"), TVCS_UNCHECKED, "uuuu"},
      {"one child checked leaves the parent", QVTS_CHECK_PARENT, _T(""), _T("A"), TVCS_CHECKED, "ucuu"},
      {"the last unchecked child checks the parent", QVTS_CHECK_CHILDREN | QVTS_CHECK_PARENT, _T("A"), _T("B"),
       TVCS_CHECKED, "cccc"},
      {"one child unchecked leaves the parent", QVTS_UNCHECK_PARENT, _T("PABG"), _T("A"), TVCS_UNCHECKED, "cucc"},
      {"the last checked child unchecks the parent", QVTS_UNCHECK_PARENT, _T("PBG"), _T("B"), TVCS_UNCHECKED, "uuuc"},
      {"children that differ make the parent partial", QVTS_CHECK_PARENT | QVTS_PARTIAL, _T(""), _T("A"),
       TVCS_CHECKED, "pcuu"},
      {"unchecking one of two makes the parent partial", QVTS_UNCHECK_PARENT | QVTS_PARTIAL, _T("PABG"), _T("B"),
       TVCS_UNCHECKED, "pcuc"},
      {"a partial item makes its ancestors partial", QVTS_PARTIAL, _T(""), _T("G"), TVCS_PARTIAL, "ppup"},
      {"partial spreads only with its style", QVTS_CHECK_PARENT, _T(""), _T("G"), TVCS_PARTIAL, "uuup"},
  };
  for (const Case& c : cases) {
    if (tree.GetSafeHwnd() != NULL) tree.DestroyWindow();
    tree.SetStyle(0, ~0u);  // the object's style word outlives its window
    items.clear();
    Make(QVTS_CHECKBOXES);
    HTREEITEM p = Add(_T("P"));
    HTREEITEM a = Add(_T("A"), p);
    Add(_T("B"), p);
    Add(_T("G"), a);
    for (const TCHAR* s = c.start; *s; ++s) {
      const TCHAR name[2] = {*s, 0};
      tree.SetItemCheckState(items[W(name)], TVCS_CHECKED);
    }
    tree.SetStyle(c.style, 0);
    Clear();
    tree.SetItemCheckState(items[W(c.item)], c.to);
    EXPECT_EQ(States({_T("P"), _T("A"), _T("B"), _T("G")}), c.expected) << c.what;
  }
}

TEST_F(Tree, CheckNoticesCountEveryChangeButTheSetItemsOwn) {
  Make(QVTS_CHECKBOXES | QVTS_CHECK_CHILDREN | QVTS_CHECK_PARENT);
  HTREEITEM p = Add(_T("P"));
  for (const TCHAR* n : {_T("A"), _T("B"), _T("C")}) Add(n, p);
  Clear();
  tree.SetItemCheckState(p, TVCS_CHECKED);
  // Three children changed, each with a notice; the parent itself was set without one.
  EXPECT_EQ(Count(QVTVN_CHECKSTATECHANGED), 3);
  Clear();
  tree.SetItemCheckState(p, TVCS_CHECKED);
  EXPECT_EQ(Count(QVTVN_CHECKSTATECHANGED), 0);
}

TEST_F(Tree, AClickOnAPartialBoxUnchecksItSpaceLeavesItPartial) {
  Make(QVTS_CHECKBOXES);
  HTREEITEM p = Add(_T("P"));
  HTREEITEM a = Add(_T("A"), p);
  tree.Expand(p, TVE_EXPAND);
  struct Case {
    const char* what;
    TVItemCheckState before;
    bool click;  // else Space on the selected item
    TVItemCheckState after;
  } cases[] = {
      {"click on unchecked", TVCS_UNCHECKED, true, TVCS_CHECKED},
      {"click on checked", TVCS_CHECKED, true, TVCS_UNCHECKED},
      {"click on partial", TVCS_PARTIAL, true, TVCS_UNCHECKED},
      {"Space on unchecked", TVCS_UNCHECKED, false, TVCS_CHECKED},
      {"Space on checked", TVCS_CHECKED, false, TVCS_UNCHECKED},
      {"Space on partial", TVCS_PARTIAL, false, TVCS_PARTIAL},
  };
  tree.SetFocus();
  Press(a);
  for (const Case& c : cases) {
    tree.SetItemCheckState(a, c.before);
    Clear();
    if (c.click)
      Press(a, 0, true);
    else
      Key(VK_SPACE);
    EXPECT_EQ(tree.GetItemCheckState(a), c.after) << c.what;
    EXPECT_EQ(Count(QVTVN_CHECKSTATECHANGED), c.before == c.after ? 0 : 1) << c.what;
  }
}

TEST_F(Tree, ShiftClickSelectsThePreOrderRangeCollapsedOrNot) {
  Make();
  HTREEITEM r1 = Add(_T("R1"));
  Add(_T("a1"), r1);
  Add(_T("a2"), r1);
  HTREEITEM r2 = Add(_T("R2"));
  HTREEITEM b1 = Add(_T("b1"), r2);
  HTREEITEM r3 = Add(_T("R3"));
  Add(_T("c1"), r3);
  tree.Expand(r2, TVE_EXPAND);  // R1 and R3 stay collapsed
  tree.SetFocus();
  Press(r1);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"R1"}));
  EXPECT_EQ(tree.GetAnchor(), r1);
  Clear();
  Press(r3, MK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"R1", L"a1", L"a2", L"R2", L"b1", L"R3"}));
  EXPECT_EQ(tree.GetAnchor(), r1);  // Shift keeps the anchor
  EXPECT_EQ(tree.GetSelectedItem(), r3);
  // Five newly selected items, one notice each, and one for the whole change.
  EXPECT_EQ(Count(QVTVN_SELECTIONCHANGED), 1);
  // Back to the anchor's side: the range shrinks.
  Clear();
  Press(b1, MK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"R1", L"a1", L"a2", L"R2", L"b1"}));
  // Ctrl+click toggles one item and keeps the rest.
  Press(r3, MK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"R1", L"a1", L"a2", L"R2", L"b1", L"R3"}));
  Press(r1, MK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"a1", L"a2", L"R2", L"b1", L"R3"}));
  // A plain click selects one item alone.
  Clear();
  Press(r2);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"R2"}));
  EXPECT_EQ(tree.GetAnchor(), r2);
  EXPECT_EQ(Count(QVTVN_SELECTIONCHANGED), 1);
}

TEST_F(Tree, ThePressNoticesCountEachItemThatChanged) {
  Make();
  HTREEITEM a = Add(_T("A"));
  HTREEITEM b = Add(_T("B"));
  HTREEITEM c = Add(_T("C"));
  tree.SetFocus();
  Press(a);
  Press(b, MK_CONTROL);
  Press(c, MK_CONTROL);
  ASSERT_EQ(tree.GetSelectedCount(), 3u);
  std::vector<NMTREEVIEWW> changes;
  parent.answer = [&](NMHDR* hdr, LRESULT*) {
    if (hdr->code == TVN_SELCHANGEDW && hdr->hwndFrom == tree.m_hWnd)
      changes.push_back(*reinterpret_cast<NMTREEVIEWW*>(hdr));
    return false;
  };
  Clear();
  // A plain press on B: A and C are deselected (one notice each, in itemOld), B stays.
  Press(b);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"B"}));
  int deselected = 0;
  // (The tree's own notices of the caret's moves carry the text too.)
  for (const NMTREEVIEWW& n : changes)
    if (n.itemOld.mask == UINT(TVIF_STATE | TVIF_HANDLE | TVIF_PARAM)) {
      ++deselected;
      EXPECT_TRUE(n.itemOld.hItem == a || n.itemOld.hItem == c);
      EXPECT_FALSE(n.itemOld.state & TVIS_SELECTED);
    }
  EXPECT_EQ(deselected, 2);
  EXPECT_EQ(Count(QVTVN_SELECTIONCHANGED), 1);
}

TEST_F(Tree, TheCaretMovesWithCtrlAndTheSelectionStays) {
  Make();
  HTREEITEM a = Add(_T("A"));
  HTREEITEM b = Add(_T("B"));
  Add(_T("C"));
  tree.SetFocus();
  Press(a);
  Press(b, MK_CONTROL);
  ASSERT_EQ(Selected(), (std::vector<std::wstring>{L"A", L"B"}));
  Clear();
  Key(VK_DOWN, true);
  EXPECT_EQ(tree.GetSelectedItem(), items[L"C"]);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"A", L"B"}));
  EXPECT_EQ(Count(QVTVN_SELECTIONCHANGED), 1);
  // Ctrl+Space selects the caret item too; Shift+Up then makes the range from the anchor, B
  // (the last item pressed without Shift), to B.
  Key(VK_SPACE, true);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"A", L"B", L"C"}));
  Key(VK_UP, false, true);
  EXPECT_EQ(tree.GetSelectedItem(), b);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"B"}));
  // A plain arrow key: the caret's item alone, and the new anchor.
  Key(VK_DOWN);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"C"}));
  EXPECT_EQ(tree.GetAnchor(), items[L"C"]);
}

TEST_F(Tree, AClickOnAnExpandButtonMovesNoSelection) {
  Make();
  HTREEITEM p = Add(_T("P"));
  HTREEITEM child = Add(_T("child"), p);
  Add(_T("Q"));
  tree.Expand(p, TVE_EXPAND);
  tree.SetFocus();
  Press(child);
  ASSERT_EQ(tree.GetSelectedItem(), child);
  // The button left of P's label.
  CRect label;
  ASSERT_TRUE(tree.GetItemRect(p, label, TRUE));
  CPoint button(-1, label.CenterPoint().y);
  for (int x = 0; x < label.left; ++x) {
    UINT flags = 0;
    if (tree.HitTest(CPoint(x, button.y), &flags) == p && (flags & TVHT_ONITEMBUTTON)) {
      button.x = x;
      break;
    }
  }
  ASSERT_GE(button.x, 0) << "no expand button found";
  Clear();
  ::PostMessage(tree.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
  ::SendMessage(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
  Pump();
  // P collapsed, and the selection stayed on the child (wherever the tree put its caret).
  EXPECT_FALSE(tree.GetItemState(p, TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"child"}));
  EXPECT_EQ(Count(QVTVN_SELECTIONCHANGED), 0);
}

TEST_F(Tree, RemovingMultiSelectionKeepsTheFirstSelected) {
  Make();
  HTREEITEM a = Add(_T("A"));
  HTREEITEM b = Add(_T("B"));
  HTREEITEM c = Add(_T("C"));
  tree.SelectItemKeepSelection(b, FALSE);
  tree.SelectItemKeepSelection(c, FALSE);
  tree.SelectItemKeepSelection(a, TRUE);
  ASSERT_EQ(tree.GetSelectedCount(), 3u);
  EXPECT_EQ(tree.SetStyle(0, QVTS_MULTISELECT), 0u);
  EXPECT_EQ(Selected(), (std::vector<std::wstring>{L"A"}));
}

TEST_F(Tree, ThePreOrderWalk) {
  Make();
  HTREEITEM r1 = Add(_T("R1"));
  HTREEITEM x = Add(_T("x"), r1);
  HTREEITEM y = Add(_T("y"), x);
  HTREEITEM r2 = Add(_T("R2"));
  const HTREEITEM order[] = {r1, x, y, r2, NULL};
  HTREEITEM at = NULL;
  for (HTREEITEM expected : order) {
    at = tree.GetNextItemEx(at);
    EXPECT_EQ(at, expected);
  }
}

TEST_F(Tree, TheFontIsSetOnceForManyInserts) {
  Make(QVTS_CHECKBOXES);
  SubclassedControl watch(tree.m_hWnd);
  Clear();
  for (int i = 0; i < 20; ++i) tree.InsertItem(_T("item"));
  EXPECT_LE(Recorder().Count(WM_SETFONT), 1u);
  EXPECT_EQ(tree.GetCount(), 20u);
  EXPECT_EQ(tree.GetItemCheckState(tree.GetRootItem()), TVCS_UNCHECKED);
}

TEST_F(Tree, CheckBoxesTurnedOnGiveEveryItemAnUncheckedBox) {
  Make();
  HTREEITEM a = Add(_T("A"));
  HTREEITEM b = Add(_T("B"), a);
  EXPECT_EQ(tree.GetItemCheckState(a), TVCS_NONE);
  tree.SetStyle(QVTS_CHECKBOXES, 0);
  EXPECT_EQ(tree.GetItemCheckState(a), TVCS_UNCHECKED);
  EXPECT_EQ(tree.GetItemCheckState(b), TVCS_UNCHECKED);
  // Four images: none, unchecked, checked, partial.
  HIMAGELIST states = reinterpret_cast<HIMAGELIST>(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_STATE));
  ASSERT_NE(states, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(states), 4);
}

}  // namespace
