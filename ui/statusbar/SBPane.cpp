// The older pane interface: panes added, changed and removed through the status bar's messages.
#include <tchar.h>

#include "UIStatusBar.h"

CSBPane::CSBPane(CUIStatusBar& bar, QVSB_ITEMTYPE type, QVSB_ITEMSTYLE style, int value, void* data)
    : m_hBar(bar.GetSafeHwnd()) {
  m_item = paneItem{type, style, value, data};
}

CSBPane::~CSBPane() { DeleteId(m_id); }

WORD CSBPane::Send(const paneItem& item, short position) {
  if (!::IsWindow(m_hBar)) return QVSB_NOID;
  QvStatusItemRef ref = {m_pTemplate, position};
  LRESULT id = ::SendMessage(m_hBar, QVSB_ADDITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&item));
  if (id < 0) return QVSB_NOID;
  m_pTemplate = ref.bar;  // the bar that took the item
  return static_cast<WORD>(id);
}

void CSBPane::DeleteId(WORD id) {
  // Removed now, from the bar it was added to: a deletion posted for later could remove
  // another item that has taken the id meanwhile.
  if (id != QVSB_NOID && ::IsWindow(m_hBar))
    ::SendMessage(m_hBar, QVSB_DELETEITEM, reinterpret_cast<WPARAM>(m_pTemplate), id);
}

BOOL CSBPane::Create(int position) {
  m_position = static_cast<short>(position);
  m_id = Send(m_item, m_position);
  return m_id != QVSB_NOID;
}

CSBTextPane::CSBTextPane(CUIStatusBar& bar, LPCTSTR text)
    : CSBPane(bar, QVSB_TEXT, 0, 0, const_cast<LPTSTR>(text)) {}

BOOL CSBTextPane::SetText(LPCTSTR text) {
  if (m_id == QVSB_NOID || !::IsWindow(m_hBar)) return FALSE;
  paneItem item = {QVSB_TEXT, 0, 0, const_cast<LPTSTR>(text)};
  QvStatusItemRef ref = {m_pTemplate, static_cast<short>(m_id)};
  return ::SendMessage(m_hBar, QVSB_SETITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&item)) != 0;
}

CSBProgressPane::CSBProgressPane(CUIStatusBar& bar, int range) : CSBPane(bar, QVSB_TEXT, 0, range, NULL) {}

CSBProgressPane::~CSBProgressPane() {
  for (WORD id : m_ids) DeleteId(id);
}

BOOL CSBProgressPane::Create(int position) {
  const int range = static_cast<int>(m_item.value);
  TCHAR rangeText[32];
  _stprintf(rangeText, _T(" %d "), range);
  paneItem pos = {QVSB_TEXT, 0, 0, const_cast<LPTSTR>(_T(""))};
  paneItem bar = {QVSB_PROGRESS, QVSB_JOIN, range, NULL};
  paneItem total = {QVSB_TEXT, QVSB_JOIN, 0, rangeText};
  m_ids[0] = Send(pos, static_cast<short>(position));
  if (m_ids[0] == QVSB_NOID) return FALSE;
  // The other two follow the first, in its pane.
  short next = position < 0 ? -1 : static_cast<short>(position + 1);
  m_ids[1] = Send(bar, next);
  m_ids[2] = Send(total, next < 0 ? -1 : static_cast<short>(next + 1));
  m_id = m_ids[0];
  if (m_pTemplate != NULL) m_pProgress = m_pTemplate->GetItemProgress(static_cast<short>(m_ids[1]));
  if (m_pProgress != NULL) {
    m_pProgress->SendMessage(PBM_SETRANGE32, 0, range);
    m_pProgress->SendMessage(PBM_SETSTEP, 1, 0);
  }
  return m_ids[1] != QVSB_NOID && m_ids[2] != QVSB_NOID;
}

void CSBProgressPane::SetPos(int pos) {
  if (m_ids[0] == QVSB_NOID || !::IsWindow(m_hBar)) return;
  TCHAR text[32];
  _stprintf(text, _T(" %d "), pos);
  paneItem item = {QVSB_TEXT, 0, 0, text};
  QvStatusItemRef ref = {m_pTemplate, static_cast<short>(m_ids[0])};
  ::SendMessage(m_hBar, QVSB_SETITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&item));
  if (m_pProgress != NULL) m_pProgress->SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}
