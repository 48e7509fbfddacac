#include "SortListCtrl.h"

#include <framework.h>

#include <UIHandles.h>

#include <vector>

namespace {

// The styles a sortable list never has: its header sorts, and the list never sorts itself.
const DWORD kRemovedStyles = LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER | LVS_SORTASCENDING | LVS_SORTDESCENDING;

struct SortInfo {
  CSortListCtrl* list;
  int column;
};

// Carriage returns removed, line feeds made blanks, at most `most` characters, terminated.
template <class Char>
void CopyCleaned(const Char* text, int length, Char* buffer, int cchTextMax, int most) {
  if (buffer == NULL || cchTextMax < 1) return;
  int limit = cchTextMax - 1;
  if (limit > most) limit = most;
  int out = 0;
  for (int i = 0; i < length && out < limit; ++i) {
    if (text[i] == Char('\r')) continue;
    buffer[out++] = text[i] == Char('\n') ? Char(' ') : text[i];
  }
  buffer[out] = 0;
}

}  // namespace

IMPLEMENT_DYNCREATE(CSortListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CSortListCtrl, CListCtrl)
  ON_WM_CREATE()
END_MESSAGE_MAP()

CSortListCtrl::CSortListCtrl()
    : m_bFreeItemData(TRUE),
      m_nSortColumn(-1),
      m_bAscending(TRUE),
      m_pfnNeedText(NULL),
      m_pfnCompare(NULL),
      m_userValue(0) {}

CSortListCtrl::~CSortListCtrl() {}

BOOL CSortListCtrl::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style &= ~kRemovedStyles;
  return CListCtrl::PreCreateWindow(cs);
}

void CSortListCtrl::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  // Attached to a list that exists already (a list being created has no header yet; it gets
  // one in OnCreate).
  if (::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0) == 0) return;
  ModifyStyle(kRemovedStyles, WS_CLIPCHILDREN);
  AttachHeader();
}

int CSortListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CListCtrl::OnCreate(lpCreateStruct) == -1) return -1;
  AttachHeader();
  return 0;
}

void CSortListCtrl::AttachHeader() {
  HWND header = reinterpret_cast<HWND>(::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0));
  if (header != NULL && m_header.GetSafeHwnd() == NULL) m_header.SubclassWindow(header);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
}

int CSortListCtrl::InsertItem(void* pData, int nIndex, int nImage) {
  LVITEM item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = nIndex == -1 ? GetItemCount() : nIndex;
  item.pszText = LPSTR_TEXTCALLBACK;
  item.lParam = reinterpret_cast<LPARAM>(pData);
  if (nImage != -1) {
    item.mask |= LVIF_IMAGE;
    item.iImage = nImage;
  }
  return CListCtrl::InsertItem(&item);
}

int CSortListCtrl::SortColumn(int nColumn, BOOL bAscending) {
  const int previous = m_nSortColumn;
  m_nSortColumn = nColumn;
  m_bAscending = bAscending;
  if (m_header.GetSafeHwnd() != NULL) m_header.SetSortImage(nColumn, bAscending);
  SortRows();
  return previous;
}

void CSortListCtrl::SortRows() {
  SortInfo info = {this, m_nSortColumn};
  SortItems(&CSortListCtrl::CompareRows, reinterpret_cast<DWORD_PTR>(&info));
}

int CALLBACK CSortListCtrl::CompareRows(LPARAM data1, LPARAM data2, LPARAM sortInfo) {
  const SortInfo* info = reinterpret_cast<const SortInfo*>(sortInfo);
  const int result = info->list->OnCompareItems(static_cast<DWORD_PTR>(data1), static_cast<DWORD_PTR>(data2), info->column);
  return info->list->m_bAscending ? result : -result;
}

int CSortListCtrl::OnCompareItems(DWORD_PTR data1, DWORD_PTR data2, int column) {
  if (m_pfnCompare == NULL) return 0;
  return static_cast<int>(m_pfnCompare(m_userValue, data1, data2, column));
}

void CSortListCtrl::OnNeedText(DWORD_PTR data, int column, CString& text) {
  text.Empty();
  if (m_pfnNeedText != NULL) m_pfnNeedText(m_userValue, data, &text, column);
}

void CSortListCtrl::OnDeleteItem(DWORD_PTR) {}

void CSortListCtrl::CopyShownText(const CString& text, LPTSTR buffer, int cchTextMax) {
  CopyCleaned(text.GetString(), text.GetLength(), buffer, cchTextMax, kMaxShownText);
}

BOOL CSortListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_NOTIFY) {
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    switch (hdr->code) {
      case LVN_COLUMNCLICK: {
        const NMLISTVIEW* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
        m_bAscending = click->iSubItem == m_nSortColumn ? !m_bAscending : TRUE;
        SortColumn(click->iSubItem, m_bAscending);
        if (pResult != NULL) *pResult = 0;
        return TRUE;
      }
      case LVN_GETDISPINFOW: {
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->item.mask & LVIF_TEXT) {
          CString text;
          OnNeedText(static_cast<DWORD_PTR>(info->item.lParam), info->item.iSubItem, text);
          const CStringW wide(text);
          CopyCleaned(wide.GetString(), wide.GetLength(), info->item.pszText, info->item.cchTextMax, kMaxShownText);
        }
        if (pResult != NULL) *pResult = 0;
        return TRUE;
      }
      case LVN_GETDISPINFOA: {
        NMLVDISPINFOA* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
        if (info->item.mask & LVIF_TEXT) {
          CString text;
          OnNeedText(static_cast<DWORD_PTR>(info->item.lParam), info->item.iSubItem, text);
          const CStringA narrow(text);
          CopyCleaned(narrow.GetString(), narrow.GetLength(), info->item.pszText, info->item.cchTextMax,
                      kMaxShownText);
        }
        if (pResult != NULL) *pResult = 0;
        return TRUE;
      }
      default:
        break;
    }
  }
  return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

void CSortListCtrl::DeleteAllData() {
  if (!m_bFreeItemData) return;
  const int count = GetItemCount();
  for (int row = 0; row < count; ++row) OnDeleteItem(GetItemData(row));
}

LRESULT CSortListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LVM_DELETEITEM: {
      const int row = static_cast<int>(wParam);
      const bool known = m_bFreeItemData && row >= 0 && row < GetItemCount();
      const DWORD_PTR data = known ? GetItemData(row) : 0;
      const LRESULT done = CListCtrl::WindowProc(message, wParam, lParam);
      if (known && done) OnDeleteItem(data);
      return done;
    }
    case LVM_DELETEALLITEMS:
      DeleteAllData();
      break;
    case WM_DESTROY:
      DeleteAllData();
      break;
    default:
      break;
  }
  return CListCtrl::WindowProc(message, wParam, lParam);
}

// The header.

CSortHeader::CSortHeader() : m_nSortColumn(-1), m_bAscending(TRUE) {}

CSortHeader::~CSortHeader() {}

int CSortHeader::SetSortImage(int nColumn, BOOL bAscending) {
  const int previous = m_nSortColumn;
  m_nSortColumn = nColumn;
  m_bAscending = bAscending;
  HDITEM item = {};
  item.mask = HDI_FORMAT;
  if (GetItem(nColumn, &item)) {
    item.fmt |= HDF_OWNERDRAW;
    SetItem(nColumn, &item);
  }
  Invalidate();
  return previous;
}

void CSortHeader::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  const uih::SavedDC saved(dc->m_hDC);  // the DC goes back as it came, on every path
  const CRect item = lpDrawItemStruct->rcItem;
  dc->IntersectClipRect(item);
  ::FillRect(dc->GetSafeHdc(), item, ::GetSysColorBrush(COLOR_BTNFACE));
  const int o = 2 * dc->GetTextExtent(_T(" ")).cx;

  TCHAR text[256] = {};
  HDITEM hd = {};
  hd.mask = HDI_TEXT | HDI_FORMAT;
  hd.pszText = text;
  hd.cchTextMax = 255;
  GetItem(static_cast<int>(lpDrawItemStruct->itemID), &hd);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (hd.fmt & HDF_CENTER)
    format |= DT_CENTER;
  else if (hd.fmt & HDF_RIGHT)
    format |= DT_RIGHT;

  CRect textRect = item;
  if (lpDrawItemStruct->itemState == ODS_SELECTED) {
    textRect.left += 1;
    textRect.top += 2;
    textRect.right += 1;
  }
  const bool sorted = static_cast<int>(lpDrawItemStruct->itemID) == m_nSortColumn;
  if (sorted) textRect.right -= 3 * o;
  textRect.DeflateRect(o, 0);
  if (textRect.left < textRect.right) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    dc->DrawText(text, -1, textRect, format);
  }

  if (sorted) {
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
    const uih::Selection lightPen(dc->m_hDC, static_cast<HPEN>(light.GetSafeHandle()));
    const int r = item.right, b = item.bottom;
    // The arrow's vertical coordinates are counted from the header's top, as its items are.
    if (m_bAscending) {
      dc->MoveTo(r - 2 * o, o - 1);
      dc->LineTo(r - 3 * o / 2, b - o);
      dc->LineTo(r - 5 * o / 2 - 2, b - o);
      const uih::Selection shadowPen(dc->m_hDC, static_cast<HPEN>(shadow.GetSafeHandle()));
      dc->MoveTo(r - 5 * o / 2 - 1, b - o - 1);
      dc->LineTo(r - 2 * o, o - 2);
    } else {
      dc->MoveTo(r - 3 * o / 2, o - 1);
      dc->LineTo(r - 2 * o - 1, b - o + 1);
      const uih::Selection shadowPen(dc->m_hDC, static_cast<HPEN>(shadow.GetSafeHandle()));
      dc->MoveTo(r - 2 * o - 1, b - o);
      dc->LineTo(r - 5 * o / 2 - 1, o - 1);
      dc->LineTo(r - 3 * o / 2, o - 1);
    }
  }
}
