// CUIStatusBar: the stack of template bars, their panes on the status control, owner drawing
// of the items, and the four messages through which any window of the thread edits them.
#include <algorithm>

#include "UIStatusBar.h"

IMPLEMENT_DYNAMIC(CUIStatusBar, CStatusBar)

BEGIN_MESSAGE_MAP(CUIStatusBar, CStatusBar)
  ON_MESSAGE(QVSB_SHOWHIDE, &CUIStatusBar::OnShowHide)
  ON_MESSAGE(QVSB_ADDITEM, &CUIStatusBar::OnAddItem)
  ON_MESSAGE(QVSB_DELETEITEM, &CUIStatusBar::OnDeleteItem)
  ON_MESSAGE(QVSB_SETITEM, &CUIStatusBar::OnSetItem)
  ON_WM_CREATE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// Items start this far right of their pane's left edge.
const int kItemInset = 3;

// Whether [p, p + size) is committed memory of this process whose protection is one of
// `allowed` (and no guard page).
bool Accessible(const void* p, size_t size, DWORD allowed) {
  if (p == NULL) return false;
  const BYTE* at = static_cast<const BYTE*>(p);
  const BYTE* end = at + size;
  while (at < end) {
    MEMORY_BASIC_INFORMATION info;
    if (::VirtualQuery(at, &info, sizeof info) == 0 || info.State != MEM_COMMIT) return false;
    if ((info.Protect & allowed) == 0 || (info.Protect & PAGE_GUARD) != 0) return false;
    at = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize;
  }
  return true;
}

const DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
bool Readable(const void* p, size_t size) { return Accessible(p, size, kWritable | PAGE_READONLY | PAGE_EXECUTE_READ); }
bool Writable(void* p, size_t size) { return Accessible(p, size, kWritable); }

// The template bar of an item message's record: the one it names, or the active bar, which
// is then filled into the record. A record naming no bar that cannot be written is refused;
// a record that names its bar is never written. NULL when refused.
QvTemplateBar* RecordBar(QvStatusItemRef* ref, QvTemplateBar* bar) {
  if (bar == NULL || ref->bar != NULL) return bar;
  if (!Writable(ref, sizeof *ref)) return NULL;
  ref->bar = bar;
  return bar;
}

// A zero-terminated text of at most 32767 characters in readable memory.
bool ReadableText(LPCTSTR text) {
  for (size_t i = 0; i < 32768; ++i) {
    if (!Readable(text + i, sizeof(TCHAR))) return false;
    if (text[i] == 0) return true;
  }
  return false;
}

// What a message's item record may carry: a readable text, an image list the system knows.
bool ValidRecord(const paneItem* item) {
  if (!Readable(item, sizeof *item)) return false;
  switch (item->type) {
    case QVSB_TEXT:
      return item->data == NULL || ReadableText(static_cast<LPCTSTR>(item->data));
    case QVSB_IMAGE: {
      const auto* images = static_cast<const CImageList*>(item->data);
      if (images == NULL) return true;
      if (!Readable(images, sizeof *images)) return false;
      return ::ImageList_GetImageCount(images->m_hImageList) > 0 || images->m_hImageList == NULL;
    }
    case QVSB_INDICATOR:
    case QVSB_PROGRESS:
      return true;
    default:
      return false;
  }
}

}  // namespace

CUIStatusBar::CUIStatusBar() = default;

CUIStatusBar::~CUIStatusBar() {
  // The bars still stacked are this bar's to delete; the others stay their makers'.
  for (QvTemplateBar* bar : m_known) bar->m_pBar = NULL;
  std::vector<QvTemplateBar*> stacked;
  stacked.swap(m_stack);
  m_known.clear();
  for (QvTemplateBar* bar : stacked) delete bar;
}

BOOL CUIStatusBar::IsOwnBar(const QvTemplateBar* bar) const {
  return bar != NULL && std::find(m_known.begin(), m_known.end(), bar) != m_known.end();
}

QvTemplateBar* CUIStatusBar::MessageBar(QvTemplateBar* named) {
  if (named == NULL) return GetActiveBar();
  return IsOwnBar(named) ? named : NULL;
}

void CUIStatusBar::Show(QvTemplateBar* bar) {
  if (!IsOwnBar(bar) || bar->m_bShown) return;
  QvTemplateBar* active = GetActiveBar();
  if (active != NULL && active != bar && active->m_bShown) Detach(active);
  m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), bar), m_stack.end());
  m_stack.push_back(bar);
  bar->m_bShown = TRUE;
  if (GetSafeHwnd() == NULL) return;

  const CString message = GetPaneText(0);
  const auto& panes = bar->m_panes;
  std::vector<UINT> ids(std::max<size_t>(panes.size(), 1), ID_SEPARATOR);
  SetIndicators(ids.data(), static_cast<int>(ids.size()));
  SetPaneText(0, message);
  SetPaneInfo(0, ID_SEPARATOR, SBPS_NOBORDERS | SBPS_STRETCH, ::GetSystemMetrics(SM_CXSCREEN) / 6);
  for (size_t i = 1; i < panes.size(); ++i) {
    CPane* pane = panes[i];
    for (CPaneItem* item : pane->m_items) item->CalcWidth(this);
    const int width = BoundWidth(this, static_cast<long long>(pane->GetWidth()) + 2 * kItemInset);
    CPaneItem* first = pane->m_items.empty() ? NULL : pane->m_items.front();
    if (first != NULL && first->GetType() == QVSB_INDICATOR) {
      auto* indicator = static_cast<QvIndicatorPaneItem*>(first);
      SetPaneInfo(static_cast<int>(i), indicator->GetLabelId(), pane->m_style, width);
      SetPaneText(static_cast<int>(i), indicator->GetText());
    } else {
      SetPaneInfo(static_cast<int>(i), ID_SEPARATOR, pane->m_style | SBPS_OWNERDRAW, width);
    }
  }
  SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CUIStatusBar::Detach(QvTemplateBar* bar) {
  if (!IsOwnBar(bar)) return;
  for (CPane* pane : bar->m_panes)
    for (CPaneItem* item : pane->m_items)
      if (item->GetType() == QVSB_PROGRESS) static_cast<QvProgressPaneItem*>(item)->Hide();
  if (bar->m_bShown && GetSafeHwnd() != NULL)
    for (int i = 1; i < GetCount(); ++i) SetPaneText(i, _T(""));
  bar->m_bShown = FALSE;
}

void CUIStatusBar::Hide(QvTemplateBar* bar) {
  if (!IsOwnBar(bar)) return;
  Detach(bar);
  m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), bar), m_stack.end());
  if (m_stack.empty())
    ShowStandardIndicators();
  else
    Show(m_stack.back());
}

void CUIStatusBar::ShowStandardIndicators() {
  if (GetSafeHwnd() == NULL) return;
  const CString message = GetPaneText(0);
  static const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  SetIndicators(ids, 4);
  SetPaneText(0, message);
  SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

int CUIStatusBar::BoundWidth(CWnd* statusBar, long long width) {
  long long limit = 0;
  if (statusBar != NULL && statusBar->GetSafeHwnd() != NULL) {
    RECT client = {};
    ::GetClientRect(statusBar->m_hWnd, &client);
    limit = client.right - client.left;
  }
  if (limit <= 0) limit = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);  // a bar not laid out yet
  if (width < 0) return 0;
  return static_cast<int>(width < limit ? width : limit);
}

BOOL CUIStatusBar::GetItemRect(const QvTemplateBar* bar, int position, CRect& rect) {
  if (!IsOwnBar(bar) || !bar->m_bShown || GetSafeHwnd() == NULL) return FALSE;
  int pi = 0, ii = 0;
  if (bar->ItemAt(position, &pi, &ii) == NULL) return FALSE;
  CRect pane;
  CStatusBar::GetItemRect(pi, &pane);
  if (pi == 0) {
    rect = pane;
    return TRUE;
  }
  const auto& items = bar->m_panes[static_cast<size_t>(pi)]->m_items;
  int x = pane.left + kItemInset;
  for (int i = 0; i < ii; ++i) x += std::max(items[static_cast<size_t>(i)]->GetWidth(), 0);
  rect.SetRect(x, pane.top, x + std::max(items[static_cast<size_t>(ii)]->GetWidth(), 0), pane.bottom);
  return TRUE;
}

void CUIStatusBar::DrawItem(LPDRAWITEMSTRUCT dis) {
  QvTemplateBar* bar = GetActiveBar();
  if (dis == NULL || bar == NULL || !bar->m_bShown || dis->itemID >= bar->m_panes.size()) return;
  const RECT& r = dis->rcItem;
  int x = r.left + kItemInset;
  for (CPaneItem* item : bar->m_panes[dis->itemID]->m_items) {
    const int width = std::max(item->GetWidth(), 0);
    item->Draw(dis->hDC, x, r.top, r.bottom - r.top, width);
    x += width;
  }
}

LRESULT CUIStatusBar::OnShowHide(WPARAM wParam, LPARAM lParam) {
  QvTemplateBar* bar = MessageBar(reinterpret_cast<QvTemplateBar*>(wParam));
  if (bar == NULL) return 0;
  if (lParam != 0)
    Hide(bar);
  else
    Show(bar);
  return 1;
}

LRESULT CUIStatusBar::OnAddItem(WPARAM wParam, LPARAM lParam) {
  auto* ref = reinterpret_cast<QvStatusItemRef*>(wParam);
  auto* item = reinterpret_cast<const paneItem*>(lParam);
  if (!Readable(ref, sizeof *ref) || !ValidRecord(item)) return -1;
  QvTemplateBar* bar = RecordBar(ref, MessageBar(ref->bar));
  if (bar == NULL) return -1;
  WORD id = bar->AddItem(item, ref->number);
  return id == QVSB_NOID ? -1 : id;
}

LRESULT CUIStatusBar::OnDeleteItem(WPARAM wParam, LPARAM lParam) {
  QvTemplateBar* bar = MessageBar(reinterpret_cast<QvTemplateBar*>(wParam));
  if (bar == NULL) return 0;
  return bar->DeleteItem(static_cast<short>(lParam)) ? 1 : 0;
}

LRESULT CUIStatusBar::OnSetItem(WPARAM wParam, LPARAM lParam) {
  auto* ref = reinterpret_cast<QvStatusItemRef*>(wParam);
  auto* item = reinterpret_cast<const paneItem*>(lParam);
  if (!Readable(ref, sizeof *ref) || !ValidRecord(item)) return 0;
  QvTemplateBar* bar = RecordBar(ref, MessageBar(ref->bar));
  if (bar == NULL) return 0;
  return bar->SetItem(ref->number, item) ? 1 : 0;
}

int CUIStatusBar::OnCreate(LPCREATESTRUCT) {
  if (Default() == -1) return -1;
  // An empty stack shows the standard indicators, from the start.
  ShowStandardIndicators();
  return 0;
}

void CUIStatusBar::OnDestroy() {
  if (QvTemplateBar* active = GetActiveBar()) Detach(active);
  CStatusBar::OnDestroy();
}
