#include "list_controls_window.h"

#include <EditListCtrl.h>
#include <InPlaceEdit.h>
#include <QvTreeCtrl.h>
#include <RichListCtrl.h>
#include <SortListCtrl.h>
#include <framework.h>
#ifdef UNICODE
#include <SGridCtrl.h>
#endif

#include <map>
#include <utility>
#include <vector>

#include "screens.h"

namespace host {
namespace {

enum { kGridId = 201, kEditListId, kSortId, kRichId, kTreeId };

struct Region {
  const TCHAR* name;
  int revenue;
};
const Region kRegions[] = {{_T("North"), 412}, {_T("South"), 288}, {_T("East"), 530}, {_T("West"), 199},
                           {_T("Central"), 347}};

long CALLBACK RegionText(DWORD_PTR, DWORD_PTR data, CString* text, int column) {
  const Region* region = reinterpret_cast<const Region*>(data);
  if (column == 0)
    *text = region->name;
  else
    text->Format(_T("%d,000"), region->revenue);
  return 0;
}

long CALLBACK CompareRegions(DWORD_PTR, DWORD_PTR a, DWORD_PTR b, int column) {
  const Region* x = reinterpret_cast<const Region*>(a);
  const Region* y = reinterpret_cast<const Region*>(b);
  return column == 0 ? lstrcmp(x->name, y->name) : x->revenue - y->revenue;
}

// The window: a framework window, so that its children's notifications come back to them.
class ListControlsWnd : public CWnd {
 public:
  bool Make(HWND owner, const RECT& rc) {
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_3DFACE)),
                  _T("List controls"), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, rc.left, rc.top,
                  rc.right - rc.left, rc.bottom - rc.top, owner, NULL))
      return false;
    return Fill();
  }
  void Capture();

#ifdef UNICODE
  CSGridCtrl m_grid{3};
#endif
  CEditListCtrl m_editList;
  CSortListCtrl m_sortList;
  CRichListCtrl m_richList;
  CQvTreeCtrl m_tree;
  // The edit-list's cells, which the window keeps.
  std::map<std::pair<int, int>, CString> m_fields;
  CStringArray m_alignments;

 protected:
  void PostNcDestroy() override { delete this; }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  bool Fill();
};

bool ListControlsWnd::Fill() {
  CRect client;
  GetClientRect(client);
  const int third = client.Width() / 3, half = client.Height() / 2;
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_BORDER;
#ifdef UNICODE
  // Orders in the list-view grid; the second column's cells are grey (read only).
  if (!m_grid.Create(child | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                     CRect(6, 6, third - 3, half - 3), this, kGridId))
    return false;
  m_grid.setColumnHeaders({_T("Order"), _T("Customer"), _T("Amount")});
  m_grid.setColumnColours({::GetSysColor(COLOR_WINDOW), RGB(236, 236, 236)});
  m_grid.enableColumn(1, false);
  const TCHAR* const customers[] = {_T("Alder & Co"), _T("Birchwood"), _T("Cedar Ltd"), _T("Dunmore"), _T("Elmstead")};
  for (int r = 0; r < 5; ++r) {
    CString order, amount;
    order.Format(_T("ORD-%04d"), 1201 + r);
    amount.Format(_T("%d.%02d"), 120 + r * 37, (r * 29) % 100);
    m_grid.insertRowWTextItems(r, {order, customers[r], amount});
  }
  m_grid.setCurrentItem(2, 2);
#endif
  // Report fields in the edit-list: the window answers for their values.
  if (!m_editList.Create(child | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                         CRect(third + 3, 6, 2 * third - 3, half - 3), this, kEditListId))
    return false;
  m_editList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  m_editList.InsertColumn(0, _T("Field"), LVCFMT_LEFT, 90);
  m_editList.InsertColumn(1, _T("Value"), LVCFMT_LEFT, 150);
  const TCHAR* const fields[] = {_T("Title"), _T("Author"), _T("Period"), _T("Currency")};
  const TCHAR* const values[] = {_T("Quarterly sales"), _T("Finance"), _T("Q3 2026"), _T("EUR")};
  for (int r = 0; r < 4; ++r) {
    m_editList.InsertItem(r, fields[r]);
    m_fields[{r, 1}] = values[r];
    m_editList.SetItemText(r, 1, values[r]);
  }
  // Regions in the sortable list, sorted by revenue, highest first.
  if (!m_sortList.Create(child | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(2 * third + 3, 6, client.right - 6, half - 3),
                         this, kSortId))
    return false;
  m_sortList.SetFreeItemData(FALSE);
  m_sortList.SetNeedTextCallback(&RegionText);
  m_sortList.SetSortItemCallback(&CompareRegions);
  m_sortList.InsertColumn(0, _T("Region"), LVCFMT_LEFT, 110);
  m_sortList.InsertColumn(1, _T("Revenue"), LVCFMT_RIGHT, 110);
  for (const Region& region : kRegions) m_sortList.InsertItem(const_cast<Region*>(&region));
  m_sortList.SortColumn(1, FALSE);
  // Columns to print in the rich list.
  if (!m_richList.Create(child | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(6, half + 3, 2 * third - 3, client.bottom - 6),
                         this, kRichId))
    return false;
  m_richList.InsertColumn(0, _T("Column"), LVCFMT_LEFT, 140);
  m_richList.InsertColumn(1, _T("Print"), LVCFMT_CENTER, 60);
  m_richList.InsertColumn(2, _T("Alignment"), LVCFMT_LEFT, 130);
  m_richList.InsertColumn(3, _T("Heading"), LVCFMT_LEFT, 150);
  m_alignments.Add(_T("Left"));
  m_alignments.Add(_T("Centre"));
  m_alignments.Add(_T("Right"));
  const TCHAR* const columns[] = {_T("Region"), _T("Quarter"), _T("Revenue"), _T("Margin"), _T("Notes")};
  for (int r = 0; r < 5; ++r) {
    m_richList.InsertItem(columns[r], r, -1, NULL);
    m_richList.SetCheckbox(r, 1, r != 4 ? 1 : 0);
    m_richList.SetComboBox(r, 2, TRUE, &m_alignments, 0, r == 2 || r == 3 ? 2 : 0);
    m_richList.SetEditableText(r, 3, columns[r]);
  }
  m_richList.SetItemBold(2, 0, TRUE);
  m_richList.Autofit();
  m_richList.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  // Report sections in the tree, with check boxes that spread to parents and children.
  if (!m_tree.Create(child | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                     CRect(2 * third + 3, half + 3, client.right - 6, client.bottom - 6), this, kTreeId))
    return false;
  m_tree.SetStyle(QVTS_CHECKBOXES | QVTS_CHECK_CHILDREN | QVTS_UNCHECK_CHILDREN | QVTS_CHECK_PARENT |
                      QVTS_UNCHECK_PARENT | QVTS_PARTIAL,
                  0);
  HTREEITEM report = m_tree.InsertItem(_T("Quarterly report"));
  HTREEITEM summary = m_tree.InsertItem(_T("Summary"), report);
  HTREEITEM regions = m_tree.InsertItem(_T("Regions"), report);
  HTREEITEM north = m_tree.InsertItem(_T("North"), regions);
  HTREEITEM south = m_tree.InsertItem(_T("South"), regions);
  m_tree.InsertItem(_T("East"), regions);
  HTREEITEM appendix = m_tree.InsertItem(_T("Appendix"), report);
  m_tree.InsertItem(_T("Glossary"), appendix);
  m_tree.SetItemCheckState(summary, TVCS_CHECKED);
  m_tree.SetItemCheckState(north, TVCS_CHECKED);
  m_tree.SetItemCheckState(south, TVCS_CHECKED);
  m_tree.Expand(report, TVE_EXPAND);
  m_tree.Expand(regions, TVE_EXPAND);
  m_tree.SelectItemKeepSelection(summary, FALSE);
  m_tree.SelectItemKeepSelection(north, FALSE);
  m_tree.SelectItemKeepSelection(south, TRUE);
  return true;
}

BOOL ListControlsWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
  NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
  if (hdr->hwndFrom != m_editList.m_hWnd) return FALSE;
  LV_DISPINFO* info = reinterpret_cast<LV_DISPINFO*>(lParam);
  const std::pair<int, int> cell(info->item.iItem, info->item.iSubItem);
  switch (hdr->code) {
    case CEditListCtrl::ELN_CANEDIT:
      *pResult = info->item.iSubItem == 1;
      return TRUE;
    case CEditListCtrl::ELN_CANRESIZE:
      *pResult = info->item.iSubItem != 0;  // the field names keep their width
      return TRUE;
    case CEditListCtrl::ELN_GETEDITTEXT:
    case CEditListCtrl::ELN_GETDISPLAYTEXT:
      lstrcpyn(info->item.pszText, m_fields[cell], info->item.cchTextMax);
      *pResult = 1;
      return TRUE;
    case CEditListCtrl::ELN_SETEDITTEXT:
      m_fields[cell] = info->item.pszText;
      *pResult = 0;
      return TRUE;
    default:
      return FALSE;
  }
}

void ListControlsWnd::Capture() {
  ShowWindow(SW_SHOW);
  ::SetForegroundWindow(m_hWnd);
#ifdef UNICODE
  m_grid.SetFocus();
  CaptureWindow(m_hWnd, L"listctrls");
#else
  m_sortList.SetFocus();
  CaptureWindow(m_hWnd, L"listctrls");
#endif
  // An editor on the value of "Period".
  m_editList.SetFocus();
  m_editList.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (CEdit* edit = m_editList.EditSubLabel(2, 1)) {
    edit->SetWindowText(_T("Q4 2026"));
    edit->SetSel(0, -1);
    CaptureWindow(m_hWnd, L"listctrls_editlist");
    m_editList.SetFocus();
  }
  // The alignment drop-down of "Revenue" open, as a click on the selected row's cell opens it.
  m_richList.SetFocus();
  CRect cell;
  if (m_richList.GetSubItemRect(2, 2, LVIR_BOUNDS, cell)) {
    const CPoint at = cell.CenterPoint();
    m_richList.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    if (m_richList.GetDlgItem(CRichListCtrl::IDC_RICH_EDITOR) != NULL) CaptureWindow(m_hWnd, L"listctrls_richlist");
    m_richList.SetFocus();
  }
}

}  // namespace

HWND CreateListControlsWindow(HWND owner, const RECT& rc) {
  ListControlsWnd* window = new ListControlsWnd;
  if (!window->Make(owner, rc)) {
    if (window->GetSafeHwnd() != NULL)
      window->DestroyWindow();  // deletes the object
    else
      delete window;
    return NULL;
  }
  return window->m_hWnd;
}

void CaptureListControls(HWND window) {
  ListControlsWnd* wnd = dynamic_cast<ListControlsWnd*>(CWnd::FromHandlePermanent(window));
  if (wnd != NULL) wnd->Capture();
}

}  // namespace host
