// A popup tool table: a small window ("QvPopupToolTable32") showing a tool table below an
// optional 8-pixel tear-off strip. It drops down under a button or lives as a child; a click
// selects, Escape or a click elsewhere closes it, and dragging its strip tears it off into a
// captioned floating window, which can be docked back.
#pragma once
#include "ToolTableWnd.h"
#include "quarnel_api.h"

// Construction styles.
#define PTT_MULTISEL 0x02
#define PTT_RELAY 0x04
#define PTT_RESIZABLE 0x08
#define PTT_TEAROFF 0x10
#define PTT_CLOSEONSELECT 0x20
#define PTT_TOGGLE 0x40
#define PTT_CLICKOUTCLOSES 0x80
#define PTT_STAYHIDDEN 0x100

class QUARNEL_API CPopupToolTable : public CToolTableContainer {
  DECLARE_DYNAMIC(CPopupToolTable)
 public:
  explicit CPopupToolTable(long style = 0);
  ~CPopupToolTable() override;

  // A hidden 10 x 10 popup owned by the owner's window (0 when the class cannot be
  // registered, the owner is null or the window cannot be made), its table at (0, strip).
  virtual BOOL Create(const wchar_t* title, CWnd* owner, unsigned int id, int x, int y, int columns, int cellWidth,
                      int cellHeight, int sepX, int sepY);
  // The same as a child window of the owner.
  virtual BOOL CreateChild(const wchar_t* title, CWnd* owner, unsigned int id, int x, int y, int columns,
                           int cellWidth, int cellHeight, int sepX, int sepY);
  // 0 docks back first; the value is stored.
  virtual void TearOff(int on);
  virtual int TornOff() { return m_bTornOff; }
  virtual void OnDockWindow();
  virtual int CaptionHeight();
  // Follows a press on the strip; 1 when the popup was torn off.
  virtual int HandleTearOff(CPoint point);
  virtual void DrawCaption();
  virtual LRESULT SendNotification(unsigned int code, DWORD_PTR value);
  virtual void HandleItemHover();

  void Close() override;
  int SetClickOutExits(int on);
  // The floating window while torn off or after, NULL before the first tear-off.
  HWND GetFloatingFrame() const { return m_hFrame; }
  // The popup's own window (also while the object is on the floating frame).
  HWND GetPopupWindow() const { return m_bTornOff ? m_hPopupWnd : m_hWnd; }
  int StripHeight() const { return m_nStrip; }

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnBoundsChanged(unsigned short width, unsigned short height) override;
  void OnItemsResized(unsigned short width, unsigned short height) override;

  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg void OnDestroy();
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnKillFocus(CWnd* next);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnSizing(UINT edge, LPRECT rect);
  afx_msg void OnClose();
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* wnd);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL Make(const wchar_t* title, CWnd* owner, unsigned int id, DWORD exStyle, DWORD style, int x, int y,
            int columns, int cellWidth, int cellHeight, int sepX, int sepY);
  // Sizes the window that carries the object so that its client holds the strip and the table.
  void FitToTable();
  bool InStrip(CPoint client) const;
  // Runs the drag that leaves the strip; true when the pointer left it with the button down.
  bool TrackStripDrag();

  int m_bResizable, m_bTearOffStrip, m_bRelay, m_bMultiSel;
  int m_bHasFocus;
  int m_bDestroyed;
  int m_bHoverHilite;
  int m_bCloseOnSelect, m_bToggle;
  int m_bVisible;
  int m_bClickOutCloses;
  int m_bTornOff;
  int m_bCaptured;
  int m_bStayHidden;
  HWND m_hPopupWnd;  // the popup's own window while the object is on the floating frame
  HWND m_hFrame;     // the floating frame, made at the first tear-off
  CString m_title;
  int m_nStrip;
  tagTT_CLICKSTRUCT m_lastHover;  // of this popup only
};
