// The notification popup: its queue of message copies, the slide in and out, and drawing.
#include "TaskBarMsgWnd.h"

#include <UIHandles.h>

#include <stdio.h>
#include <string.h>

#include "Trace.h"

namespace {
// Popups made so far, less those gone.
int g_popupCount = 0;

const UINT kCloseCursor = 130;
const int kEditLeft = 20, kEditTop = 35, kEditRight = 215, kEditBottom = 115;
const int kSlideWidth = 220;
const int kBottomGap = 5;
const int kHandOverDistance = 50;

// The part of a caller's record that is copied: up to and with the keep flag.
const size_t kCopiedSize = offsetof(NotificationRecord, keep) + sizeof(DWORD);

// An icon of the resources, NULL when there is none.
HICON JyLoadIcon(UINT id, int) {
  LPCTSTR name = MAKEINTRESOURCE(id);
  return ::LoadIcon(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
}
}  // namespace

IMPLEMENT_DYNCREATE(CTaskBarMsgWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CTaskBarMsgWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

const char* CTaskBarMsgWnd::PortalUrl() { return "http://portal.wexmessenger.com/"; }

LPCWSTR CTaskBarMsgWnd::LinkText() {
  // The product's own words under the simplified Chinese code page, else in English (the
  // fonts of other systems may have no Chinese characters).
  return GetACP() == 936 ? L"\x70B9\x51FB\x8FD9\x91CC" : L"Click here";
}

CTaskBarMsgWnd::CTaskBarMsgWnd()
    : m_nNumber(0),
      m_rcWork(0, 0, 0, 0),
      m_nHeight(0),
      m_rcClose(0, 0, 0, 0),
      m_rcNumber(0, 0, 0, 0),
      m_hFont(NULL),
      m_hCloseCursor(NULL),
      m_hArrow(NULL),
      m_hIcon(NULL),
      m_crNumber(RGB(0, 0, 0)),
      m_bCloseRequested(FALSE),
      m_ppOwnerSlot(NULL),
      m_nDroppedMessages(0),
      m_nDroppedTexts(0) {
  TESSVIK_TRACE("CTaskBarMsgWnd::CTaskBarMsgWnd");
  g_popupCount = g_popupCount < 0 ? 1 : g_popupCount + 1;
  m_nNumber = g_popupCount;
}

CTaskBarMsgWnd::~CTaskBarMsgWnd() {
  TESSVIK_TRACE("CTaskBarMsgWnd::~CTaskBarMsgWnd");
  for (INT_PTR i = 0; i < m_queue.GetSize(); ++i) Release(m_queue[i]);
  m_queue.RemoveAll();
  if (g_popupCount > 0) --g_popupCount;
  if (m_ppOwnerSlot != NULL && *m_ppOwnerSlot == this) *m_ppOwnerSlot = NULL;
}

BOOL CTaskBarMsgWnd::Create(UINT nBitmapID) {
  TESSVIK_TRACE("BOOL CTaskBarMsgWnd::Create");
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
  if (cls == NULL || !m_bitmap.LoadBitmap(nBitmapID)) return FALSE;
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &m_rcWork, 0);
  // A failed creation deletes this object: nothing of it may be touched then.
  if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, cls, NULL, WS_VISIBLE | WS_THICKFRAME, 0, 0, 0, 0,
                ::GetDesktopWindow(), NULL, NULL))
    return FALSE;
  if (!m_edit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                     CRect(kEditLeft, kEditTop, kEditRight, kEditBottom), this, 0))
    return FALSE;
  m_edit.SendMessage(EM_AUTOURLDETECT, TRUE, 0);
  m_edit.SetEventMask(ENM_LINK | ENM_PROTECTED);
  CHARFORMATW cf = {};
  cf.cbSize = sizeof(cf);
  cf.dwMask = 0xF000001F;  // effects, protection, size, colour, face and offset
  cf.dwEffects = CFE_AUTOCOLOR;
  cf.yHeight = 180;
  lstrcpynW(cf.szFaceName, L"\x5B8B\x4F53", LF_FACESIZE);  // SimSun
  m_edit.SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  m_edit.SetReadOnly(TRUE);
  m_edit.SetBackgroundColor(FALSE, 0xE7FFFF);
  return TRUE;
}

void CTaskBarMsgWnd::Release(NotificationRecord* record) {
  VariantClear(&record->data);
  delete record;
}

void CTaskBarMsgWnd::RemoveHead() {
  if (m_queue.GetSize() == 0) return;
  Release(m_queue[0]);
  m_queue.RemoveAt(0);
}

void CTaskBarMsgWnd::AddMessage(const NotificationRecord* record) {
  TESSVIK_TRACE("void CTaskBarMsgWnd::AddMessage");
  if (record == NULL) return;
  NotificationRecord* copy = new NotificationRecord();
  size_t size = record->cbSize < kCopiedSize ? record->cbSize : kCopiedSize;
  memcpy(copy, record, size);
  copy->text[sizeof(copy->text) - 1] = 0;
  // The copy holds its own value: the caller's bits are not the copy's to free.
  VariantInit(&copy->data);
  if (size >= offsetof(NotificationRecord, data) + sizeof(VARIANT) && FAILED(VariantCopy(&copy->data, const_cast<VARIANT*>(&record->data))))
    VariantInit(&copy->data);
  m_queue.InsertAt(0, copy);
  while (m_queue.GetSize() > kMaxQueued) {  // the oldest waiting ones go, counted
    Release(m_queue[m_queue.GetSize() - 1]);
    m_queue.RemoveAt(m_queue.GetSize() - 1);
    ++m_nDroppedMessages;
  }
  m_bCloseRequested = FALSE;  // a closing popup stays for the new message
  ShowNextMessage();
}

void CTaskBarMsgWnd::ShowNextMessage() {
  TESSVIK_TRACE("void CTaskBarMsgWnd::ShowNextMessage");
  KillTimer(kSlideOut);
  KillTimer(kDwell);
  if (m_queue.GetSize() == 0) {
    ShowWindow(SW_HIDE);
    m_nHeight = 0;
    return;
  }
  if (m_nHeight >= kFullHeight) m_nHeight = kHandOverHeight;
  AppendShown(*m_queue[0]);
  SetTimer(kSlideIn, 1, NULL);
  ShowWindow(SW_SHOW);
}

void CTaskBarMsgWnd::AppendShown(const NotificationRecord& message) {
  if (m_edit.GetSafeHwnd() == NULL) return;
  m_edit.AppendText(CString(message.text), RGB(0, 0, 0));
  m_edit.AppendLink(LinkText(), CString(PortalUrl()));
  m_shownEnds.Add(m_edit.TextLength16());
  // The text area accumulates the messages: past its bound the oldest ones' text goes.
  INT_PTR n = m_shownEnds.GetSize();
  LONG last = m_shownEnds[n - 1];
  if (last <= kMaxText || n < 2) return;
  INT_PTR drop = 1;  // the fewest oldest messages whose text must go; never the newest
  while (drop < n - 1 && last - m_shownEnds[drop - 1] > kMaxText) ++drop;
  LONG cut = m_shownEnds[drop - 1];
  m_edit.RemoveLeading(cut);
  m_shownEnds.RemoveAt(0, drop);
  for (INT_PTR i = 0; i < m_shownEnds.GetSize(); ++i) m_shownEnds[i] -= cut;
  m_nDroppedTexts += static_cast<int>(drop);
}

void CTaskBarMsgWnd::MoveTo(int height) {
  SetWindowPos(&wndTopMost, m_rcWork.right - kWidth, m_rcWork.bottom - height - kBottomGap, kSlideWidth, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CTaskBarMsgWnd::Layout() {
  CRect client;
  GetClientRect(&client);
  m_rcClose.SetRect(client.left + 202, client.top + 3, client.left + 218, client.top + 19);
  m_rcNumber.SetRect(client.left + 162, client.top + 8, client.left + 198, client.top + 24);
}

void CTaskBarMsgWnd::DrawNumber() {
  CClientDC dc(this);
  const uih::SavedDC saved(dc.GetSafeHdc());
  const uih::Selection font(dc.GetSafeHdc(),
                            m_hFont != NULL ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(m_crNumber);
  char text[32];
  snprintf(text, sizeof(text), "No.%d", m_nNumber);
  CRect rc = m_rcNumber;
  ::DrawTextA(dc.GetSafeHdc(), text, -1, &rc, DT_VCENTER);
}

int CTaskBarMsgWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
  m_hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LPCTSTR cursor = MAKEINTRESOURCE(kCloseCursor);
  m_hCloseCursor = ::LoadCursor(AfxFindResourceHandle(cursor, RT_GROUP_CURSOR), cursor);
  m_hArrow = ::LoadCursor(NULL, IDC_ARROW);
  m_hIcon = JyLoadIcon(100, 0);
  return 0;
}

void CTaskBarMsgWnd::OnSize(UINT nType, int cx, int cy) { CFrameWnd::OnSize(nType, cx, cy); }

void CTaskBarMsgWnd::OnTimer(UINT_PTR nIDEvent) {
  switch (nIDEvent) {
    case kSlideIn:
      m_nHeight += kStep;
      if (m_nHeight > kFullHeight) {
        KillTimer(kSlideIn);
        // Fully shown: a message with a dwell count goes by itself after that many ticks.
        if (m_queue.GetSize() > 0 && m_queue[0]->dwell > 0) SetTimer(kDwell, kDwellTick, NULL);
      } else {
        MoveTo(m_nHeight);
      }
      Layout();
      DrawNumber();
      break;
    case kSlideOut:
      m_nHeight -= kStep;
      if (m_queue.GetSize() == 0) {
        DestroyWindow();  // and this object with it
        return;
      }
      if (m_nHeight <= 0) {
        KillTimer(kSlideOut);
        RemoveHead();
        m_nHeight = 0;
        if (m_queue.GetSize() > 0) {
          ShowNextMessage();  // the next waiting message slides in: none goes unshown
          return;
        }
        m_bCloseRequested = TRUE;
        PostMessage(WM_CLOSE);
        return;
      }
      if (kFullHeight - m_nHeight > kHandOverDistance && m_queue[0]->keep == 0 && m_queue.GetSize() > 1) {
        RemoveHead();
        ShowNextMessage();
      }
      MoveTo(m_nHeight);
      break;
    case kDwell: {
      if (m_queue.GetSize() == 0) {
        KillTimer(kDwell);
        break;
      }
      NotificationRecord* head = m_queue[0];
      if (head->dwell > 0) --head->dwell;
      if (head->dwell == 0 || (head->keep == 0 && m_queue.GetSize() > 1)) {
        KillTimer(kDwell);
        SetTimer(kSlideOut, 1, NULL);
      }
      break;
    }
    default:
      CFrameWnd::OnTimer(nIDEvent);
  }
}

BOOL CTaskBarMsgWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  CPoint pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  if (CRect(kEditLeft, kEditTop, kEditRight, kEditBottom).PtInRect(pt))
    return CFrameWnd::OnSetCursor(pWnd, nHitTest, message);
  ::SetCursor(m_rcClose.PtInRect(pt) && m_hCloseCursor != NULL ? m_hCloseCursor : m_hArrow);
  return TRUE;
}

void CTaskBarMsgWnd::OnPaint() {
  { CPaintDC dc(this); }
  DrawNumber();
}

void CTaskBarMsgWnd::OnMouseMove(UINT nFlags, CPoint point) { CFrameWnd::OnMouseMove(nFlags, point); }

void CTaskBarMsgWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_rcClose.PtInRect(point) && m_queue.GetSize() > 0) SetTimer(kSlideOut, 1, NULL);
  CFrameWnd::OnLButtonDown(nFlags, point);
}

BOOL CTaskBarMsgWnd::OnEraseBkgnd(CDC* pDC) {
  BITMAP bm = {};
  if (m_bitmap.GetSafeHandle() != NULL && m_bitmap.GetBitmap(&bm)) {
    uih::MemoryDC mem(pDC->GetSafeHdc());
    if (mem.Select(static_cast<HBITMAP>(m_bitmap.GetSafeHandle())))
      ::BitBlt(pDC->GetSafeHdc(), 0, 0, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, SRCCOPY);
  }
  if (m_hIcon != NULL) ::DrawIcon(pDC->GetSafeHdc(), 0, 0, m_hIcon);
  return CFrameWnd::OnEraseBkgnd(pDC);
}

void CTaskBarMsgWnd::OnDestroy() { CFrameWnd::OnDestroy(); }

void CTaskBarMsgWnd::OnClose() {
  // Only the close that the slide-out asked for, and only while no new message came since.
  if (!m_bCloseRequested) return;
  CFrameWnd::OnClose();
}

void CTaskBarMsgWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  lpMMI->ptMinTrackSize.x = lpMMI->ptMaxTrackSize.x = kWidth;
  lpMMI->ptMinTrackSize.y = lpMMI->ptMaxTrackSize.y = kFullHeight;
}
