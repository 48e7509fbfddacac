// QvTemplateBar: the panes and items of one template bar, their ids and positions.
#include <algorithm>

#include "UIStatusBar.h"

IMPLEMENT_DYNAMIC(QvTemplateBar, CObject)

QvTemplateBar::QvTemplateBar() = default;

QvTemplateBar::QvTemplateBar(CUIStatusBar* bar) { Create(bar); }

QvTemplateBar::~QvTemplateBar() {
  if (CUIStatusBar* bar = m_pBar) {
    if (std::find(bar->m_stack.begin(), bar->m_stack.end(), this) != bar->m_stack.end()) bar->Hide(this);
    bar->m_known.erase(std::remove(bar->m_known.begin(), bar->m_known.end(), this), bar->m_known.end());
    m_pBar = NULL;
  }
  for (CPane* pane : m_panes) delete pane;
}

BOOL QvTemplateBar::Create(CUIStatusBar* bar) {
  if (bar == NULL || m_pBar != NULL) return FALSE;
  m_pBar = bar;
  bar->m_known.push_back(this);
  return AddTextItem(_T(""), TA_CENTER, SBPS_NOBORDERS) != QVSB_NOID;
}

CPaneItem* QvTemplateBar::ItemAt(int position, int* paneIndex, int* itemIndex) const {
  if (position < 0) return NULL;
  int at = 0;
  for (size_t p = 0; p < m_panes.size(); ++p) {
    const auto& items = m_panes[p]->m_items;
    if (position < at + static_cast<int>(items.size())) {
      if (paneIndex) *paneIndex = static_cast<int>(p);
      if (itemIndex) *itemIndex = position - at;
      return items[static_cast<size_t>(position - at)];
    }
    at += static_cast<int>(items.size());
  }
  return NULL;
}

WORD QvTemplateBar::Index2ID(int position) const {
  return position >= 0 && position < GetItemCount() ? m_positionIds[static_cast<size_t>(position)] : QVSB_NOID;
}

int QvTemplateBar::ID2Index(short id) const {
  auto it = std::find(m_positionIds.begin(), m_positionIds.end(), static_cast<WORD>(id));
  return it == m_positionIds.end() ? 0xFFFF : static_cast<int>(it - m_positionIds.begin());
}

WORD QvTemplateBar::NewIds(int count) {
  // The ids after the last used one before the first run of free ids longer than count.
  int run = 0;
  for (int id = 0; id < 0xFFFF; ++id) {
    bool used = static_cast<size_t>(id) < m_idInUse.size() && m_idInUse[static_cast<size_t>(id)];
    run = used ? 0 : run + 1;
    bool tailFree = static_cast<size_t>(id) >= m_idInUse.size();
    if (run > count || (tailFree && run >= count)) {
      int first = id - run + 1;
      if (first + count - 1 >= 0xFFFF) return QVSB_NOID;
      if (m_idInUse.size() < static_cast<size_t>(first + count)) m_idInUse.resize(static_cast<size_t>(first + count));
      for (int i = 0; i < count; ++i) m_idInUse[static_cast<size_t>(first + i)] = true;
      return static_cast<WORD>(first);
    }
  }
  return QVSB_NOID;
}

WORD QvTemplateBar::AddItemObject(CPaneItem* item, QVSB_ITEMSTYLE style, short position, int) {
  if (item == NULL) return QVSB_NOID;
  WORD id = NewIds(1);
  if (id == QVSB_NOID) {
    delete item;
    return QVSB_NOID;
  }
  if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL) item->CalcWidth(m_pBar);
  const bool join = (style & QVSB_JOIN) != 0;
  const UINT paneStyle = style & ~static_cast<DWORD>(QVSB_JOIN);
  const int count = GetItemCount();
  const int pos = (position < 0 || position >= count) ? count : position;
  if (pos == count) {
    if (join && !m_panes.empty()) {
      m_panes.back()->m_items.push_back(item);
    } else {
      auto* pane = new CPane(paneStyle);
      pane->m_items.push_back(item);
      m_panes.push_back(pane);
    }
  } else {
    int pi = 0, ii = 0;
    ItemAt(pos, &pi, &ii);
    if (join && pos > 0) {
      int ppi = 0, pii = 0;
      ItemAt(pos - 1, &ppi, &pii);
      auto& items = m_panes[static_cast<size_t>(ppi)]->m_items;
      items.insert(items.begin() + pii + 1, item);
    } else {
      auto* pane = new CPane(paneStyle);
      pane->m_items.push_back(item);
      if (ii == 0) {
        m_panes.insert(m_panes.begin() + pi, pane);
      } else {
        // The pane that held the item at the position is split there: the rest follows the
        // new item in the new pane.
        auto& old = m_panes[static_cast<size_t>(pi)]->m_items;
        pane->m_items.insert(pane->m_items.end(), old.begin() + ii, old.end());
        old.erase(old.begin() + ii, old.end());
        m_panes.insert(m_panes.begin() + pi + 1, pane);
      }
    }
  }
  m_positionIds.insert(m_positionIds.begin() + pos, id);
  if (m_bShown) Rebuild();
  return id;
}

CPaneItem* QvTemplateBar::Make(const paneItem& record) {
  switch (record.type) {
    case QVSB_TEXT:
      return new QvTextPaneItem(static_cast<LPCTSTR>(record.data), static_cast<int>(record.value), TA_CENTER);
    case QVSB_INDICATOR:
      return new QvIndicatorPaneItem(static_cast<DWORD>(record.value), m_pBar);
    case QVSB_PROGRESS:
      return new QvProgressPaneItem(m_pBar, static_cast<int>(record.value), 0, 0);
    case QVSB_IMAGE:
      return new QvImagePaneItem(static_cast<CImageList*>(record.data), static_cast<int>(record.value));
    default:
      return NULL;
  }
}

WORD QvTemplateBar::AddItem(QVSB_ITEMTYPE type, int value, void* data, QVSB_ITEMSTYLE style, short position) {
  paneItem record = {type, style, value, data};
  return AddItem(&record, position);
}

WORD QvTemplateBar::AddItem(const paneItem* item, short position) {
  if (item == NULL) return QVSB_NOID;
  return AddItemObject(Make(*item), item->style, position);
}

WORD QvTemplateBar::AddItems(int count, const paneItem* items, short position) {
  if (count <= 0 || items == NULL) return QVSB_NOID;
  std::vector<int> added;  // positions of the new items
  short at = position;
  for (int i = 0; i < count; ++i) {
    WORD id = AddItem(&items[i], at);
    if (id == QVSB_NOID) break;
    added.push_back(ID2Index(static_cast<short>(id)));
    if (at >= 0) ++at;
  }
  if (added.size() != static_cast<size_t>(count)) {
    // All or nothing: the ones already added go again.
    for (int pos : added) DeleteItem(static_cast<short>(Index2ID(pos)));
    return QVSB_NOID;
  }
  // Renumbered as one block of consecutive ids.
  for (int pos : added) m_idInUse[m_positionIds[static_cast<size_t>(pos)]] = false;
  WORD first = NewIds(count);
  if (first == QVSB_NOID) return QVSB_NOID;
  for (size_t i = 0; i < added.size(); ++i) m_positionIds[static_cast<size_t>(added[i])] = static_cast<WORD>(first + i);
  return first;
}

WORD QvTemplateBar::AddTextItem(LPCTSTR text, int alignment, QVSB_ITEMSTYLE style, short position) {
  return AddItemObject(new QvTextPaneItem(text, 0, alignment), style, position);
}

WORD QvTemplateBar::AddTextItem(int chars, int alignment, QVSB_ITEMSTYLE style, short position) {
  return AddItemObject(new QvTextPaneItem(NULL, chars, alignment), style, position);
}

WORD QvTemplateBar::AddIndicatorItem(int labelId, QVSB_ITEMSTYLE style, short position) {
  return AddItemObject(new QvIndicatorPaneItem(static_cast<DWORD>(labelId), m_pBar), style, position);
}

WORD QvTemplateBar::AddImageItem(CImageList* images, int image, QVSB_ITEMSTYLE style, short position) {
  return AddItemObject(new QvImagePaneItem(images, image), style, position);
}

WORD QvTemplateBar::AddProgressItem(int width, DWORD style, DWORD exStyle, QVSB_ITEMSTYLE itemStyle, short position) {
  return AddItemObject(new QvProgressPaneItem(m_pBar, width, style, exStyle), itemStyle, position);
}

BOOL QvTemplateBar::DeleteItem(short id) {
  int pos = ID2Index(id);
  int pi = 0, ii = 0;
  CPaneItem* item = ItemAt(pos, &pi, &ii);
  if (item == NULL) return FALSE;
  auto& items = m_panes[static_cast<size_t>(pi)]->m_items;
  items.erase(items.begin() + ii);
  delete item;
  if (items.empty()) {
    delete m_panes[static_cast<size_t>(pi)];
    m_panes.erase(m_panes.begin() + pi);
  }
  m_idInUse[static_cast<WORD>(id)] = false;
  m_positionIds.erase(m_positionIds.begin() + pos);
  if (m_bShown) Rebuild();
  return TRUE;
}

BOOL QvTemplateBar::SetItem(short id, const paneItem* item) {
  if (item == NULL) return FALSE;
  if (item->type == QVSB_TEXT) return SetItemText(id, static_cast<LPCTSTR>(item->data), TA_CENTER);
  if (item->type == QVSB_IMAGE)
    return SetItemImage(id, static_cast<CImageList*>(item->data), static_cast<int>(item->value));
  return FALSE;
}

BOOL QvTemplateBar::SetItemText(short id, LPCTSTR text, int alignment) {
  int pos = ID2Index(id);
  int pi = 0;
  CPaneItem* item = ItemAt(pos, &pi);
  if (item == NULL || item->GetType() != QVSB_TEXT) return FALSE;
  auto* textItem = static_cast<QvTextPaneItem*>(item);
  textItem->SetText(text, alignment);
  if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL) return TRUE;
  if (pos == 0) m_pBar->SetPaneText(0, text);
  if (!m_bShown || pi == 0) return TRUE;
  const int oldWidth = item->GetWidth();
  if (item->CalcWidth(m_pBar) > oldWidth) {
    // Wider than before: the pane grows now.
    UINT paneId = 0, paneStyle = 0;
    int paneWidth = 0;
    m_pBar->GetPaneInfo(pi, paneId, paneStyle, paneWidth);
    m_pBar->SetPaneInfo(pi, paneId, paneStyle,
                        CUIStatusBar::BoundWidth(m_pBar, static_cast<long long>(m_panes[static_cast<size_t>(pi)]->GetWidth()) + 6));
  } else {
    item->SetWidth(oldWidth);  // a narrower text keeps its room: the pane does not jump
  }
  // Painted with the bar's next paint, not now.
  CRect rect;
  if (m_pBar->GetItemRect(this, pos, rect)) m_pBar->InvalidateRect(&rect, TRUE);
  return TRUE;
}

BOOL QvTemplateBar::SetItemImage(short id, CImageList* images, int image) {
  int pos = ID2Index(id);
  CPaneItem* item = ItemAt(pos);
  if (item == NULL || item->GetType() != QVSB_IMAGE) return FALSE;
  static_cast<QvImagePaneItem*>(item)->SetImage(images, image);
  CRect rect;
  if (m_bShown && m_pBar != NULL && m_pBar->GetItemRect(this, pos, rect)) m_pBar->InvalidateRect(&rect, TRUE);
  return TRUE;
}

QVSB_ITEMTYPE QvTemplateBar::GetItemType(short id) {
  CPaneItem* item = ItemAt(ID2Index(id));
  return item != NULL ? item->GetType() : QVSB_NOITEM;
}

CProgressCtrl* QvTemplateBar::GetItemProgress(short id) {
  CPaneItem* item = ItemAt(ID2Index(id));
  if (item == NULL || item->GetType() != QVSB_PROGRESS || m_pBar == NULL) return NULL;
  return static_cast<QvProgressPaneItem*>(item)->GetControl();
}

void QvTemplateBar::Show() {
  if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL)
    m_pBar->SendMessage(QVSB_SHOWHIDE, reinterpret_cast<WPARAM>(this), 0);
}

void QvTemplateBar::Hide() {
  if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL)
    m_pBar->SendMessage(QVSB_SHOWHIDE, reinterpret_cast<WPARAM>(this), 1);
}

void QvTemplateBar::Rebuild() {
  if (m_pBar == NULL) return;
  m_pBar->Detach(this);
  m_pBar->Show(this);
}
