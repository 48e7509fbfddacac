// CTaskBarMsgWnd: the notification popup that slides up out of the bottom right corner of the
// work area to show queued messages, each followed by a link to the portal.
#pragma once
#include <Tessvik.h>
#include <framework.h>

#include "JyRichEdit.h"

class CTaskBarMsgWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CTaskBarMsgWnd)
 public:
  // Timers: slide in, slide out, dwell.
  enum { kSlideIn = 100, kSlideOut = 101, kDwell = 102 };
  enum { kWidth = 230, kFullHeight = 135, kHandOverHeight = 85, kStep = 3 };
  // A message's dwell count is in ticks of this many milliseconds.
  enum { kDwellTick = 1000 };
  // At most this many messages wait; a new one beyond drops the oldest.
  enum { kMaxQueued = 16 };
  // The text area keeps at most this many UTF-16 units; beyond, the oldest messages' text
  // goes (the newest message's always stays). Each message added re-marks every link of the
  // text area, which the bound also keeps short.
  enum { kMaxText = 2048 };

  CTaskBarMsgWnd();
  ~CTaskBarMsgWnd() override;

  // The hidden topmost popup with its background bitmap and text area; FALSE when the bitmap
  // is not in the resources or a window cannot be made. A window that could not be made takes
  // the object with it (PostNcDestroy), as with every frame.
  BOOL Create(UINT nBitmapID);
  // Queues a copy of the message on top and shows it. The copy takes what the record's size
  // covers, at most up to its keep flag.
  void AddMessage(const NotificationRecord* record);
  void ShowNextMessage();

  // *slot is set to NULL when this popup goes (its owner's pointer to it).
  void SetOwnerSlot(CTaskBarMsgWnd** slot) { m_ppOwnerSlot = slot; }

  int GetMessageCount() const { return static_cast<int>(m_queue.GetSize()); }
  // Messages dropped unshown from the full queue, and shown messages whose text left the
  // full text area, since the popup was made.
  int GetDroppedMessages() const { return m_nDroppedMessages; }
  int GetDroppedTexts() const { return m_nDroppedTexts; }
  const NotificationRecord* GetMessage(int i) const { return m_queue[i]; }
  int GetHeight() const { return m_nHeight; }
  int GetNumber() const { return m_nNumber; }
  CLinkRichEdit& GetTextArea() { return m_edit; }
  CRect GetCloseBox() const { return m_rcClose; }
  static const char* PortalUrl();
  static LPCWSTR LinkText();  // of the link after each message

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

 private:
  void Layout();
  void DrawNumber();
  void MoveTo(int height);
  void RemoveHead();
  void AppendShown(const NotificationRecord& message);
  static void Release(NotificationRecord* record);

  CArray<NotificationRecord*, NotificationRecord*> m_queue;  // owned, newest first
  int m_nNumber;
  CRect m_rcWork;
  int m_nHeight;
  CRect m_rcClose;
  CRect m_rcNumber;
  CBitmap m_bitmap;
  HFONT m_hFont;
  HCURSOR m_hCloseCursor;
  HCURSOR m_hArrow;
  HICON m_hIcon;
  COLORREF m_crNumber;
  CLinkRichEdit m_edit;
  BOOL m_bCloseRequested;
  CTaskBarMsgWnd** m_ppOwnerSlot;
  CArray<LONG, LONG> m_shownEnds;  // where the text of each message in the text area ends
  int m_nDroppedMessages;
  int m_nDroppedTexts;

  DECLARE_MESSAGE_MAP()
};
