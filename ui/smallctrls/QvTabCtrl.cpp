#include "QvTabCtrl.h"

#include <UIHandles.h>

#include <framework.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CQvTabCtrl, CTabCtrl)

BEGIN_MESSAGE_MAP(CQvTabCtrl, CTabCtrl)
  ON_WM_SIZE()
  ON_MESSAGE(TCM_INSERTITEM, &CQvTabCtrl::OnInsertItem)
  ON_MESSAGE(TCM_DELETEITEM, &CQvTabCtrl::OnDeleteItem)
  ON_MESSAGE(TCM_DELETEALLITEMS, &CQvTabCtrl::OnDeleteAllItems)
  ON_MESSAGE(TCM_SETITEM, &CQvTabCtrl::OnSetItem)
  ON_MESSAGE(TCM_SETIMAGELIST, &CQvTabCtrl::OnSetImageList)
END_MESSAGE_MAP()

namespace {

const int kTextChars = 256;

// The tab's text (at most kTextChars characters) and image.
bool ReadItem(HWND tab, int item, TCHAR (&text)[kTextChars + 1], int* image, LPARAM* param) {
  TCITEM ti = {};
  ti.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
  ti.pszText = text;
  ti.cchTextMax = kTextChars + 1;
  text[0] = 0;
  if (!::SendMessage(tab, TCM_GETITEM, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&ti))) return false;
  text[kTextChars] = 0;
  *image = ti.iImage;
  if (param != NULL) *param = ti.lParam;
  return true;
}

}  // namespace

int CQvTabCtrl::SharedTabWidth(int clientWidth, int count, int wanted) {
  if (count <= 0) return 0;
  const int available = clientWidth - kSideRoom;
  // A control too narrow for its side room still gets tabs of one pixel: a width of 0 or less
  // would wrap to some 65,000 pixels in the control's 16-bit size.
  const int share = available > 0 ? available / count : 0;
  return std::max(1, std::min(share, wanted));
}

int CQvTabCtrl::MeasureItem(int item) const {
  TCHAR text[kTextChars + 1];
  int image = -1;
  if (!ReadItem(m_hWnd, item, text, &image, NULL)) return 0;
  uih::WindowDC screen(m_hWnd);
  uih::OwnedDC dc(::CreateCompatibleDC(screen.Get()));
  uih::Selection font(dc.Get(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  RECT r = {0, 0, 0, 0};
  ::DrawText(dc.Get(), text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
  int width = r.right - r.left + kTextRoom;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, TCM_GETIMAGELIST, 0, 0));
  int cx = 0, cy = 0;
  if (image >= 0 && images != NULL && ::ImageList_GetIconSize(images, &cx, &cy)) width += cx + kImageRoom;
  return width;
}

void CQvTabCtrl::ApplyItemSize() {
  const int count = GetItemCount();
  if (count <= 0 || m_hWnd == NULL) return;
  RECT last = {0, 0, 0, 0};
  GetItemRect(count - 1, &last);
  CRect client;
  GetClientRect(&client);
  const int wanted = m_wanted.empty() ? 0 : *std::max_element(m_wanted.begin(), m_wanted.end());
  const int width = SharedTabWidth(client.Width(), count, wanted);
  SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(width, last.bottom - last.top));
}

void CQvTabCtrl::RecalcItemSize() {
  const int count = GetItemCount();
  m_wanted.assign(static_cast<size_t>(std::max(count, 0)), 0);
  for (int i = 0; i < count; ++i) m_wanted[static_cast<size_t>(i)] = MeasureItem(i);
  ApplyItemSize();
}

void CQvTabCtrl::OnSize(UINT type, int cx, int cy) {
  CTabCtrl::OnSize(type, cx, cy);
  ApplyItemSize();
}

LRESULT CQvTabCtrl::OnInsertItem(WPARAM, LPARAM) {
  const LRESULT index = Default();
  if (index >= 0 && static_cast<size_t>(GetItemCount()) == m_wanted.size() + 1) {
    const size_t at = std::min(static_cast<size_t>(index), m_wanted.size());
    m_wanted.insert(m_wanted.begin() + static_cast<std::ptrdiff_t>(at), MeasureItem(static_cast<int>(index)));
    ApplyItemSize();
  } else if (index >= 0) {
    RecalcItemSize();  // the tabs were changed behind this object's back
  }
  return index;
}

LRESULT CQvTabCtrl::OnDeleteItem(WPARAM item, LPARAM) {
  const LRESULT result = Default();
  if (result && item < m_wanted.size() && static_cast<size_t>(GetItemCount()) + 1 == m_wanted.size()) {
    m_wanted.erase(m_wanted.begin() + static_cast<std::ptrdiff_t>(item));
    ApplyItemSize();
  } else if (result) {
    RecalcItemSize();
  }
  return result;
}

LRESULT CQvTabCtrl::OnDeleteAllItems(WPARAM, LPARAM) {
  const LRESULT result = Default();
  m_wanted.clear();
  return result;
}

LRESULT CQvTabCtrl::OnSetItem(WPARAM item, LPARAM) {
  const LRESULT result = Default();
  if (result && item < m_wanted.size()) {
    m_wanted[item] = MeasureItem(static_cast<int>(item));
    ApplyItemSize();
  }
  return result;
}

LRESULT CQvTabCtrl::OnSetImageList(WPARAM, LPARAM) {
  const LRESULT result = Default();
  RecalcItemSize();
  return result;
}

void CQvTabCtrl::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis == NULL || dis->hDC == NULL) return;
  HDC dc = dis->hDC;
  TCHAR text[kTextChars + 1];
  int image = -1;
  if (!ReadItem(m_hWnd, static_cast<int>(dis->itemID), text, &image, NULL)) return;
  if (dis->itemState & ODS_SELECTED) ::FillRect(dc, &dis->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));

  RECT box = dis->rcItem;
  box.top += 2;
  box.right -= 2;
  box.left += 4;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, TCM_GETIMAGELIST, 0, 0));
  int cx = 0, cy = 0;
  if (image >= 0 && images != NULL && ::ImageList_GetIconSize(images, &cx, &cy)) {
    ::ImageList_Draw(images, image, dc, box.left, box.top + (box.bottom - box.top - cy) / 2, ILD_NORMAL);
    box.left += cx + kImageRoom;
  }
  const COLORREF oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  uih::Selection font(dc, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  ::DrawText(dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  ::SetBkMode(dc, oldMode);
  ::SetTextColor(dc, oldColour);
}
