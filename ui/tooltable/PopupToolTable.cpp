// The popup tool table: drops down, closes on Escape, selection or a click elsewhere, and
// tears off into a floating frame through its strip.
#include "PopupToolTable.h"
#include "UIHandles.h"

#include "ToolTableState.h"
#include "ControlClass.h"

#include <fw_dc.h>
#include <windowsx.h>

#include <cstring>

namespace {

const wchar_t kPopupClass[] = L"QvPopupToolTable32";

// A class registered before (by this library or any other) counts as registered.
BOOL RegisterPopupClass() {
  const quarnel::WindowClassSpec spec = {kPopupClass, CS_GLOBALCLASS | CS_DBLCLKS, DefWindowProcW, 0,
                                         static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))};
  if (quarnel::RegisterWindowClass(quarnel::LibraryInstance(), spec)) return TRUE;
  WNDCLASSW existing;
  return GetClassInfoW(quarnel::LibraryInstance(), kPopupClass, &existing);
}

const int kStrip = 8;

}  // namespace

IMPLEMENT_DYNAMIC(CPopupToolTable, CToolTableContainer)

BEGIN_MESSAGE_MAP(CPopupToolTable, CToolTableContainer)
  ON_WM_SETCURSOR()
  ON_WM_DESTROY()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_SHOWWINDOW()
  ON_WM_ACTIVATE()
  ON_WM_SIZING()
  ON_WM_CLOSE()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_CAPTURECHANGED()
  ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CPopupToolTable::CPopupToolTable(long style)
    : m_bResizable((style & PTT_RESIZABLE) != 0), m_bTearOffStrip((style & PTT_TEAROFF) != 0),
      m_bRelay((style & PTT_RELAY) != 0), m_bMultiSel((style & PTT_MULTISEL) != 0), m_bHasFocus(0), m_bDestroyed(0),
      m_bHoverHilite((style & ~1L) != 0), m_bCloseOnSelect((style & PTT_CLOSEONSELECT) != 0),
      m_bToggle((style & PTT_TOGGLE) != 0), m_bVisible(0), m_bClickOutCloses((style & PTT_CLICKOUTCLOSES) != 0),
      m_bTornOff(0), m_bCaptured(0), m_bStayHidden((style & PTT_STAYHIDDEN) != 0), m_hPopupWnd(NULL), m_hFrame(NULL),
      m_nStrip(0), m_lastHover{TTBLHT_OUTSIDE, 0, {0}} {}

CPopupToolTable::~CPopupToolTable() {
  // Both windows go with the object: the popup's own and the floating frame, whichever of
  // them the object is not on.
  if (m_bTornOff && m_hPopupWnd != NULL && ::IsWindow(m_hPopupWnd)) ::DestroyWindow(m_hPopupWnd);
  m_hPopupWnd = NULL;
  if (m_hFrame != NULL && m_hFrame != m_hWnd && ::IsWindow(m_hFrame)) ::DestroyWindow(m_hFrame);
  if (m_hWnd != NULL) DestroyWindow();
  m_hFrame = NULL;
}

BOOL CPopupToolTable::Make(const wchar_t* title, CWnd* owner, unsigned int id, DWORD exStyle, DWORD style, int x,
                           int y, int columns, int cellWidth, int cellHeight, int sepX, int sepY) {
  if (!RegisterPopupClass() || owner == NULL || owner->GetSafeHwnd() == NULL || m_hWnd != NULL) return FALSE;
  m_title = title != NULL ? CString(title) : CString();
  CToolTableContainer::Create(owner, id);
  const BOOL child = (style & WS_CHILD) != 0;
  if (!CreateEx(exStyle, _T("QvPopupToolTable32"), m_title, style, x, y, 10, 10, owner->GetSafeHwnd(),
                child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : NULL))
    return FALSE;
  m_nStrip = m_bTearOffStrip ? kStrip : 0;
  if (!m_pTable->Create(this, 0, m_nStrip, id, columns, cellWidth, cellHeight, sepX, sepY, m_bMultiSel, m_bRelay)) {
    DestroyWindow();
    return FALSE;
  }
  m_pTable->SetTableStyle(TTBLT_WANTTAB | TTBLT_RELAY | TTBLT_HALFTONE, CToolTable::Add);
  FitToTable();
  return TRUE;
}

BOOL CPopupToolTable::Create(const wchar_t* title, CWnd* owner, unsigned int id, int x, int y, int columns,
                             int cellWidth, int cellHeight, int sepX, int sepY) {
  const DWORD ex = WS_EX_TOOLWINDOW | (m_bResizable ? 0 : WS_EX_DLGMODALFRAME);
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | (m_bResizable ? WS_THICKFRAME : 0);
  return Make(title, owner, id, ex, style, x, y, columns, cellWidth, cellHeight, sepX, sepY);
}

BOOL CPopupToolTable::CreateChild(const wchar_t* title, CWnd* owner, unsigned int id, int x, int y, int columns,
                                  int cellWidth, int cellHeight, int sepX, int sepY) {
  return Make(title, owner, id, 0, WS_CHILD | WS_CLIPCHILDREN, x, y, columns, cellWidth, cellHeight, sepX, sepY);
}

void CPopupToolTable::FitToTable() {
  if (m_hWnd == NULL || m_pTable == NULL || m_pTable->m_hWnd == NULL) return;
  RECT table;
  ::GetWindowRect(m_pTable->m_hWnd, &table);
  RECT rc = {0, 0, table.right - table.left, table.bottom - table.top + (m_bTornOff ? 0 : m_nStrip)};
  ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// The window follows the table's size only with the tear-off strip.
void CPopupToolTable::OnBoundsChanged(unsigned short, unsigned short) {
  if (m_bTearOffStrip) FitToTable();
}
void CPopupToolTable::OnItemsResized(unsigned short, unsigned short) {
  if (m_bTearOffStrip) FitToTable();
}

int CPopupToolTable::SetClickOutExits(int on) {
  const int previous = m_bClickOutCloses;
  m_bClickOutCloses = on;
  return previous;
}

void CPopupToolTable::TearOff(int on) {
  if (!on) OnDockWindow();
  m_bTornOff = on;
}

void CPopupToolTable::Close() {
  const int hadFocus = m_bHasFocus;
  CToolTableContainer::Close();
  m_bHasFocus = 0;
  if (hadFocus && m_pOwner != NULL && m_pOwner->GetSafeHwnd() != NULL) m_pOwner->SetFocus();
}

LRESULT CPopupToolTable::SendNotification(unsigned int code, DWORD_PTR value) {
  return CToolTableContainer::SendNotification(code, value);
}

int CPopupToolTable::CaptionHeight() {
  if (m_hWnd == NULL) return 0;
  RECT window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  return window.bottom - client.bottom + 6;
}

bool CPopupToolTable::InStrip(CPoint client) const {
  if (m_nStrip <= 0 || m_bTornOff) return false;
  RECT rc;
  GetClientRect(&rc);
  rc.bottom = m_nStrip;
  return ::PtInRect(&rc, client) != FALSE;
}

void CPopupToolTable::DrawCaption() {
  if (m_bTornOff || m_nStrip <= 0 || m_hWnd == NULL) return;
  RECT rc;
  GetClientRect(&rc);
  rc.bottom = m_nStrip;
  POINT cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  uih::WindowDC dc(m_hWnd);
  ::FillRect(dc.Get(), &rc, GetSysColorBrush(::PtInRect(&rc, cursor) ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

void CPopupToolTable::HandleItemHover() {
  if (m_pTable == NULL || m_pTable->m_hWnd == NULL) return;
  tagTT_CLICKSTRUCT hit = {};
  if (m_pTable->HitTest(hit, NULL) < 0) return;
  const tagTT_CLICKSTRUCT last = m_lastHover;
  m_lastHover = hit;
  if (!m_bHoverHilite || std::memcmp(&hit, &last, sizeof hit) == 0) return;
  // The table tells its parent of the hover itself; here only the hilite follows.
  if (last.where == TTBLHT_ITEM) m_pTable->SetItemState(last.pos, TRUE, TTBLS_HILITED, CToolTable::Remove);
  if (hit.where == TTBLHT_ITEM) m_pTable->SetItemState(hit.pos, TRUE, TTBLS_HILITED, CToolTable::Add);
}

BOOL CPopupToolTable::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  HandleItemHover();
  return CToolTableContainer::OnSetCursor(wnd, hitTest, message);
}

BOOL CPopupToolTable::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const tagNM_TOOLTABLE* nm = reinterpret_cast<const tagNM_TOOLTABLE*>(lParam);
  if (nm != NULL && m_pTable != NULL && nm->hdr.hwndFrom == m_pTable->m_hWnd && nm->hdr.idFrom == m_nNotifyId) {
    if (nm->hdr.code == TTBLN_KEY && !m_bTornOff) {
      const TT_KEYSTRUCT* key = reinterpret_cast<const TT_KEYSTRUCT*>(nm->value);
      if (key != NULL && key->message == WM_KEYUP && key->wParam == VK_ESCAPE) Close();
    } else if (nm->hdr.code == static_cast<UINT>(NM_CLICK)) {
      const tagTT_CLICKSTRUCT* hit = reinterpret_cast<const tagTT_CLICKSTRUCT*>(nm->value);
      tagTT_ITEMINFO item = {};
      item.how = TTBL_BYPOSITION;
      item.posOrId = hit != NULL && hit->where == TTBLHT_ITEM ? hit->pos : 0;
      if (item.posOrId != 0 && m_pTable->GetItem(&item) > 0 && (item.state & TTBLS_DISABLED) == 0 &&
          (item.flags & TTBLF_NEUTRAL) == 0) {
        item.state = m_bToggle ? (item.state ^ TTBLS_SELECTED) : (item.state | TTBLS_SELECTED);
        m_pTable->SetItemState(item);
        if (m_bCloseOnSelect && !m_bTornOff) Close();
      }
    }
  }
  return CToolTableContainer::OnNotify(wParam, lParam, pResult);
}

bool CPopupToolTable::TrackStripDrag() {
  HWND self = m_hWnd;
  ::SetCapture(self);
  bool drag = false;
  // A loop of its own until the pointer leaves the strip, the button is released, the right
  // button is pressed, Escape is typed or the capture goes elsewhere.
  for (;;) {
    if (::GetCapture() != self) break;
    MSG msg;
    const BOOL got = ::GetMessage(&msg, NULL, 0, 0);
    if (got <= 0) {
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == self) {
      if (::GetKeyState(VK_RBUTTON) < 0) break;
      if (!InStrip(CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)))) {
        drag = true;
        break;
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN ||
        (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
      break;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
    if (!::IsWindow(self)) return false;
  }
  if (::GetCapture() == self) ::ReleaseCapture();
  return drag;
}

int CPopupToolTable::HandleTearOff(CPoint point) {
  if (m_bTornOff || !InStrip(point) || m_pTable == NULL) return 0;
  HWND popup = m_hWnd;
  RECT strip;
  GetClientRect(&strip);
  strip.bottom = m_nStrip;
  ::FrameRect(uih::WindowDC(popup).Get(), &strip, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  if (::GetKeyState(VK_RBUTTON) < 0) return 0;
  if (::GetCapture() == popup) ::ReleaseCapture();
  m_bCaptured = 0;
  if (!TrackStripDrag() || !::IsWindow(popup)) {
    if (::IsWindow(popup)) DrawCaption();
    return 0;
  }

  const int h = CaptionHeight();
  RECT rc;
  GetWindowRect(&rc);
  if (m_hFrame == NULL || !::IsWindow(m_hFrame)) {
    CWnd frame;
    const DWORD ex = WS_EX_TOOLWINDOW | (m_bResizable ? 0 : WS_EX_DLGMODALFRAME);
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | (m_bResizable ? WS_THICKFRAME : 0);
    if (!frame.CreateEx(ex, _T("QvPopupToolTable32"), m_title, style, rc.left, rc.top, rc.right - rc.left,
                        rc.bottom - rc.top + h, m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL, NULL))
      return 0;
    m_hFrame = frame.Detach();
  }
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  ::GetWindowPlacement(popup, &placement);

  // The object, its table and its tooltips move to the floating frame.
  ShowWindow(SW_HIDE);
  m_hPopupWnd = Detach();
  Attach(m_hFrame);
  m_bTornOff = 1;
  ::SetParent(m_pTable->m_hWnd, m_hFrame);
  ::SetWindowPos(m_pTable->m_hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitToTable();
  if (!m_bStayHidden) {
    ::SetWindowPos(m_hFrame, NULL, placement.rcNormalPosition.left, placement.rcNormalPosition.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(m_hFrame, SW_SHOW);
  }
  HWND frame = m_hFrame;
  ::RedrawWindow(frame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  SendNotification(TTBLN_TORNOFF, 1);
  if (!m_bStayHidden && ::IsWindow(frame)) {
    // The user drags the floating window on.
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::SendMessage(frame, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
  }
  return 1;
}

void CPopupToolTable::OnDockWindow() {
  if (!m_bTearOffStrip || !m_bTornOff || m_hPopupWnd == NULL || m_pTable == NULL) return;
  RECT frame;
  GetWindowRect(&frame);
  ::ShowWindow(m_hFrame, SW_HIDE);
  Detach();
  Attach(m_hPopupWnd);
  m_hPopupWnd = NULL;
  m_bTornOff = 0;
  ::SetParent(m_pTable->m_hWnd, m_hWnd);
  ::SetWindowPos(m_pTable->m_hWnd, NULL, 0, kStrip, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_nStrip = kStrip;
  SetWindowPos(NULL, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitToTable();
  SendNotification(TTBLN_TORNOFF, 0);
}

void CPopupToolTable::OnDestroy() {
  if (m_bDestroyed) return;
  m_bDestroyed = 1;
  CToolTableContainer::OnDestroy();
  if (m_pTable != NULL) {
    if (m_pTable->m_hWnd != NULL) m_pTable->DestroyWindow();
    delete m_pTable;
    m_pTable = NULL;
  }
}

void CPopupToolTable::OnSetFocus(CWnd* old) {
  CToolTableContainer::OnSetFocus(old);
  if (m_pTable != NULL && m_pTable->m_hWnd != NULL) m_pTable->SetFocus();
  m_bHasFocus = 1;
}

void CPopupToolTable::OnKillFocus(CWnd* next) {
  CToolTableContainer::OnKillFocus(next);
  m_bHasFocus = 0;
}

void CPopupToolTable::OnShowWindow(BOOL show, UINT status) {
  CToolTableContainer::OnShowWindow(show, status);
  m_bVisible = show;
}

void CPopupToolTable::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  HWND self = m_hWnd;
  if (state == WA_INACTIVE && m_bVisible && m_bClickOutCloses && !m_bTornOff) {
    SendNotification(TTBLN_CLICKOUT, 1);
    if (::IsWindow(self) && m_hWnd == self) Close();
  }
  if (::IsWindow(self) && m_hWnd == self) CToolTableContainer::OnActivate(state, other, minimized);
}

void CPopupToolTable::OnSizing(UINT edge, LPRECT rect) {
  CToolTableContainer::OnSizing(edge, rect);
  if (m_bTearOffStrip && !::EqualRect(rect, &m_savedRect)) {
    rect->right += 3;
    rect->bottom += m_nStrip;
  }
}

void CPopupToolTable::OnClose() { Close(); }

void CPopupToolTable::OnPaint() {
  if (m_bTornOff) {
    Default();
    return;
  }
  CPaintDC dc(this);
  DrawCaption();
}

void CPopupToolTable::OnLButtonDown(UINT flags, CPoint point) {
  if (!HandleTearOff(point)) CToolTableContainer::OnLButtonDown(flags, point);
}

void CPopupToolTable::OnMouseMove(UINT flags, CPoint point) {
  if (!m_bTornOff && m_nStrip > 0) {
    if (!m_bCaptured) {
      SetCapture();
      m_bCaptured = 1;
    }
    if (!InStrip(point)) {
      DrawCaption();
      m_bCaptured = 0;
      if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    } else {
      DrawCaption();
    }
  }
  CToolTableContainer::OnMouseMove(flags, point);
}

void CPopupToolTable::OnCaptureChanged(CWnd* wnd) {
  if (wnd == NULL || wnd->GetSafeHwnd() != m_hWnd) m_bCaptured = 0;
  CToolTableContainer::OnCaptureChanged(wnd);
}

LRESULT CPopupToolTable::OnFloatStatus(WPARAM, LPARAM) { return 1; }
