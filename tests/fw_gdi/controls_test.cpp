// Control wrappers on real controls, and CImageList.
#include <framework.h>
#include <gtest/gtest.h>

#include "fw_canvas.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("parent"), WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL,
                                NULL));
  }
  void TearDown() override {
    parent.DestroyWindow();
    FwDeleteTempMaps();
  }
  CRect rc{0, 0, 200, 150};
  CWnd parent;
};

CString LongText(int n) {
  CString s;
  for (int i = 0; i < n; ++i) s += (TCHAR)(_T('a') + i % 26);
  return s;
}

TEST_F(Controls, ListCtrlItemsColumnsAndLongTexts) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, rc, &parent, 9));
  EXPECT_EQ(CWnd::FromHandlePermanent(list.m_hWnd), &list);
  EXPECT_EQ(list.InsertColumn(0, _T("Name"), LVCFMT_LEFT, 80), 0);
  EXPECT_EQ(list.InsertColumn(1, _T("Value"), LVCFMT_RIGHT, 60), 1);
  EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
  EXPECT_EQ(list.InsertItem(0, _T("first")), 0);
  EXPECT_EQ(list.InsertItem(1, _T("second")), 1);
  CString longText = LongText(700);
  EXPECT_TRUE(list.SetItemText(1, 1, longText));
  EXPECT_EQ(list.GetItemText(1, 1), longText);  // longer than any fixed buffer
  EXPECT_EQ(list.GetItemText(0, 0), CString(_T("first")));
  EXPECT_TRUE(list.GetItemText(7, 0).IsEmpty());  // no such item
  EXPECT_TRUE(list.SetItemData(1, 0xBEEF));
  EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)0xBEEF);
  EXPECT_EQ(list.GetItemData(9), (DWORD_PTR)0);

  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  std::vector<int> selected;
  for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != NULL;)
    selected.push_back(list.GetNextSelectedItem(pos));
  EXPECT_EQ(selected, (std::vector<int>{0, 1}));
  EXPECT_EQ(list.GetSelectedCount(), 2u);
  EXPECT_FALSE(list.GetCheck(0));  // no check boxes: no state image
  list.SetExtendedStyle(LVS_EX_CHECKBOXES);
  EXPECT_FALSE(list.GetCheck(0));
  EXPECT_TRUE(list.SetCheck(0));
  EXPECT_TRUE(list.GetCheck(0));
  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_EQ(list.GetItemCount(), 1);
}

TEST_F(Controls, TreeCtrlHierarchyAndTexts) {
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, rc, &parent, 10));
  HTREEITEM root = tree.InsertItem(_T("root"));
  HTREEITEM a = tree.InsertItem(_T("a"), root);
  HTREEITEM b = tree.InsertItem(LongText(600), root);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(tree.GetChildItem(root), a);
  EXPECT_EQ(tree.GetNextSiblingItem(a), b);
  EXPECT_EQ(tree.GetParentItem(b), root);
  EXPECT_TRUE(tree.ItemHasChildren(root));
  EXPECT_FALSE(tree.ItemHasChildren(a));
  EXPECT_EQ(tree.GetItemText(b), LongText(600));
  EXPECT_TRUE(tree.SetItemData(a, 77));
  EXPECT_EQ(tree.GetItemData(a), (DWORD_PTR)77);
  EXPECT_EQ(tree.GetCount(), 3u);
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(Controls, ListAndComboBoxTextsAndBadIndexes) {
  CListBox lb;
  ASSERT_TRUE(lb.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, rc, &parent, 11));
  EXPECT_EQ(lb.AddString(_T("one")), 0);
  EXPECT_EQ(lb.AddString(_T("two")), 1);
  CString s;
  EXPECT_EQ(lb.GetText(1, s), 3);
  EXPECT_EQ(s, CString(_T("two")));
  EXPECT_EQ(lb.GetText(5, s), LB_ERR);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(lb.SetCurSel(1), 1);
  EXPECT_EQ(lb.GetCurSel(), 1);

  CComboBox cb;
  ASSERT_TRUE(cb.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &parent, 12));
  cb.AddString(_T("red"));
  cb.AddString(_T("green"));
  cb.SetItemData(1, 5);
  EXPECT_EQ(cb.GetLBText(1, s), 5);
  EXPECT_EQ(s, CString(_T("green")));
  EXPECT_EQ(cb.GetLBText(-3, s), CB_ERR);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(cb.GetItemData(1), (DWORD_PTR)5);
  EXPECT_EQ(cb.SelectString(-1, _T("gr")), 1);
}

TEST_F(Controls, EditLinesAndSelection) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, rc, &parent, 13));
  edit.SetWindowText(_T("first\r\nsecond line"));
  EXPECT_EQ(edit.GetLineCount(), 2);
  TCHAR buf[32] = {};
  int n = edit.GetLine(1, buf, 31);
  EXPECT_EQ(CString(buf, n), CString(_T("second line")));
  n = edit.GetLine(1, buf, 3);  // cut to the buffer
  EXPECT_EQ(n, 3);
  edit.SetSel(0, 5);
  int start = -1, end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 5);
  edit.ReplaceSel(_T("1st"));
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(text, CString(_T("1st\r\nsecond line")));
}

TEST_F(Controls, BarsAndRangeControls) {
  CStatusBarCtrl status;
  ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &parent, 14));
  int parts[] = {100, 200, -1};
  EXPECT_TRUE(status.SetParts(3, parts));
  EXPECT_EQ(status.GetParts(0, NULL), 3);
  EXPECT_TRUE(status.SetText(_T("Ready"), 1, 0));
  int type = -1;
  EXPECT_EQ(status.GetText(1, &type), CString(_T("Ready")));
  EXPECT_EQ(type, 0);
  int h = -1, v = -1, sp = -1;
  EXPECT_TRUE(status.GetBorders(h, v, sp));
  EXPECT_GE(h, 0);

  CToolBarCtrl bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | CCS_TOP, CRect(0, 0, 0, 0), &parent, 15));
  CBitmap strip;
  ASSERT_TRUE(strip.CreateBitmap(32, 15, 1, 32, NULL));
  EXPECT_EQ(bar.AddBitmap(2, &strip), 0);
  TBBUTTON buttons[2] = {};
  for (int i = 0; i < 2; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = 501 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
  }
  EXPECT_TRUE(bar.AddButtons(2, buttons));
  EXPECT_EQ(bar.GetButtonCount(), 2);
  EXPECT_EQ(bar.CommandToIndex(502), 1);
  EXPECT_TRUE(bar.EnableButton(502, FALSE));
  EXPECT_FALSE(bar.IsButtonEnabled(502));
  EXPECT_EQ(bar.AddBitmap(1, (CBitmap*)NULL), -1);

  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 16));
  spin.SetRange32(-5, 100000);
  int lo = 0, hi = 0;
  spin.GetRange32(lo, hi);
  EXPECT_EQ(lo, -5);
  EXPECT_EQ(hi, 100000);
  spin.SetPos32(70000);
  EXPECT_EQ(spin.GetPos32(), 70000);

  CSliderCtrl slider;
  ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 17));
  slider.SetRange(10, 20);
  slider.SetPos(15);
  EXPECT_EQ(slider.GetPos(), 15);
  slider.SetPos(99);
  EXPECT_EQ(slider.GetPos(), 20);

  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 18));
  progress.SetRange32(0, 1000);
  progress.SetPos(600);
  EXPECT_EQ(progress.GetPos(), 600);
  progress.GetRange(lo, hi);
  EXPECT_EQ(hi, 1000);

  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, rc, &parent, 19));
  EXPECT_EQ(tabs.InsertItem(0, _T("General")), 0);
  EXPECT_EQ(tabs.InsertItem(1, _T("Advanced")), 1);
  EXPECT_EQ(tabs.SetCurSel(1), 0);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(tabs.GetItemCount(), 2);
}

TEST_F(Controls, RichEditAndToolTips) {
  CRichEditCtrl rich;
  ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, rc, &parent, 20));
  rich.SetWindowText(_T("hello rich world"));
  rich.SetSel(6, 10);
  EXPECT_EQ(rich.GetSelText(), CString(_T("rich")));
  long s = 0, e = 0;
  rich.GetSel(s, e);
  EXPECT_EQ(s, 6);
  EXPECT_EQ(e, 10);

  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&parent));
  CButton button;
  ASSERT_TRUE(button.Create(_T("B"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, 21));
  EXPECT_TRUE(tips.AddTool(&button, _T("Press me")));
  EXPECT_EQ(tips.GetToolCount(), 1);
  CString text;
  tips.GetText(text, &button);
  EXPECT_EQ(text, CString(_T("Press me")));
  tips.UpdateTipText(_T("Changed"), &button);
  tips.GetText(text, &button);
  EXPECT_EQ(text, CString(_T("Changed")));
  tips.DelTool(&button);
  EXPECT_EQ(tips.GetToolCount(), 0);
  EXPECT_FALSE(tips.AddTool(NULL, _T("x")));
}

class DrawingButton : public CButton {
 public:
  int draws = 0;
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ++draws;
    ::FillRect(dis->hDC, &dis->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  }
};

TEST_F(Controls, OwnerDrawnButtonDrawsThroughItsObject) {
  DrawingButton button;
  ASSERT_TRUE(button.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 30, 20), &parent, 22));
  parent.ShowWindow(SW_SHOW);
  button.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GE(button.draws, 1);
}

// ---------------------------------------------------------------------------------------
// CImageList

TEST(CImageListTest, MaskedImagesDrawTransparently) {
  CImageList images;
  ASSERT_TRUE(images.Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 2));
  FwCanvas strip(8, 4);  // two images: red with a magenta (transparent) corner, then blue
  strip.cdc().FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
  strip.cdc().FillSolidRect(0, 0, 1, 1, RGB(255, 0, 255));
  strip.cdc().FillSolidRect(4, 0, 4, 4, RGB(0, 0, 255));
  CBitmap* bmp = strip.cdc().GetCurrentBitmap();
  CBitmap copy;
  ASSERT_TRUE(copy.CreateCompatibleBitmap(&strip.cdc(), 8, 4));
  {
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&strip.cdc()));
    CBitmap* old = mem.SelectObject(&copy);
    mem.BitBlt(0, 0, 8, 4, &strip.cdc(), 0, 0, SRCCOPY);
    mem.SelectObject(old);
  }
  (void)bmp;
  EXPECT_EQ(images.Add(&copy, RGB(255, 0, 255)), 0);
  EXPECT_EQ(images.GetImageCount(), 2);
  IMAGEINFO info;
  ASSERT_TRUE(images.GetImageInfo(1, &info));
  EXPECT_EQ(CRect(info.rcImage).Width(), 4);
  EXPECT_FALSE(images.GetImageInfo(5, &info));

  FwCanvas target(8, 4);
  target.cdc().FillSolidRect(0, 0, 8, 4, RGB(0, 255, 0));
  EXPECT_TRUE(images.Draw(&target.cdc(), 0, CPoint(0, 0), ILD_TRANSPARENT));
  EXPECT_TRUE(images.Draw(&target.cdc(), 1, CPoint(4, 0), ILD_TRANSPARENT));
  EXPECT_EQ(target.At(0, 0), RGB(0, 255, 0));  // the masked corner shows the background
  EXPECT_EQ(target.At(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(target.At(6, 2), RGB(0, 0, 255));
  EXPECT_FALSE(images.Draw(NULL, 0, CPoint(0, 0), 0));
  EXPECT_EQ(images.Add((CBitmap*)NULL, RGB(0, 0, 0)), -1);
}

TEST(CImageListTest, OwnershipAndTemporaryObjects) {
  HIMAGELIST h;
  {
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 0, 4));
    EXPECT_FALSE(images.Create(16, 16, ILC_COLOR32, 0, 4));  // already holds one
    h = images.m_hImageList;
    CImageList* temp = CImageList::FromHandle(h);
    EXPECT_NE(temp, &images);
    EXPECT_EQ(temp->m_hImageList, h);
    FwDeleteTempMaps();
    EXPECT_EQ(ImageList_GetImageCount(h), 0);  // still alive after the temporary went
    CImageList dup;
    EXPECT_TRUE(dup.Create(&images));
    EXPECT_NE(dup.m_hImageList, h);
  }
  CImageList kept;
  ASSERT_TRUE(kept.Create(8, 8, ILC_COLOR32, 0, 1));
  HIMAGELIST k = kept.Detach();
  EXPECT_EQ(kept.m_hImageList, nullptr);
  CImageList again;
  EXPECT_TRUE(again.Attach(k));
  EXPECT_FALSE(again.Attach(k));
}

TEST_F(Controls, ImageListsHandedToControlsComeBackAsTheirHandles) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT | LVS_SHAREIMAGELISTS, rc, &parent, 23));
  CImageList small;
  ASSERT_TRUE(small.Create(16, 16, ILC_COLOR32, 0, 4));
  EXPECT_EQ(list.SetImageList(&small, LVSIL_SMALL), nullptr);
  EXPECT_EQ(list.GetImageList(LVSIL_SMALL)->m_hImageList, small.m_hImageList);
  list.DestroyWindow();
}

}  // namespace
