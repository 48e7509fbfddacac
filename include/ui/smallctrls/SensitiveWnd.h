// A framework window that shows several lines of text with clickable zones in them.
//
// The window text carries the zones inline: U+0007, the label, U+000C, the id in decimal
// digits, U+000C. A zone starts where U+0007 begins a piece (at the start of the text, after a
// blank or after a line end); lines end at "\n". Moving the mouse onto a zone highlights it,
// shows the hand cursor and tells the parent; a click on a zone tells the parent too: the
// parent gets WM_COMMAND with MAKEWPARAM(zone id, code) and the window as lParam, codes
// SensitiveEntered, SensitiveLeft and SensitiveClicked. The window scrolls in pixels in both
// directions.
#pragma once
#include <fw_wnd.h>
#include <fw_string.h>

#include "quarnel_api.h"

#include <UIHandles.h>

#include <string>
#include <vector>

class CDC;

// One zone: its id, its line, its rectangle in unscrolled client coordinates, its label.
class QUARNEL_API CSensibleZone {
 public:
  CSensibleZone(int id, int line, const RECT& rect, const CString& label)
      : m_id(id), m_line(line), m_rect(rect), m_label(label) {}
  virtual ~CSensibleZone() = default;

  int m_id;
  int m_line;
  RECT m_rect;
  CString m_label;
};

class QUARNEL_API CSensitiveWnd : public CWnd {
  DECLARE_DYNAMIC(CSensitiveWnd)

 public:
  enum NotifyCode { SensitiveEntered = 1, SensitiveLeft = 2, SensitiveClicked = 3 };
  // Pixels a line step of the scroll bars moves.
  enum { kLineStep = 5 };

  CSensitiveWnd();
  ~CSensitiveWnd() override;

  // Creates the window as a child of pParent with both scroll bars; its fonts come from the
  // parent's font (the default GUI font when the parent has none).
  BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* pParent, UINT id);

  // What the last layout made (the layout runs on every size, text and font change).
  int GetZoneCount() const { return static_cast<int>(m_zones.size()); }
  // NULL outside 0..count-1. The zone lives until the next layout.
  const CSensibleZone* GetZone(int index) const;
  int GetLineCount() const { return static_cast<int>(m_lines.size()); }
  // The laid-out line without the zone mark-up (the labels in place); empty outside the range.
  CString GetLine(int index) const;
  // Distance between the tops of two lines: the font's height plus its external leading.
  int GetLinePitch() const { return m_fontHeight + m_externalLeading; }
  int GetWidestLine() const { return m_widest; }
  // Index of the hovered (pressed) zone, -1 when none.
  int GetHoveredZone() const { return m_hovered; }
  int GetPressedZone() const { return m_pressed; }
  // The zone's rectangle in client coordinates as scrolled now; empty outside the range.
  CRect GetScrolledRect(int index) const;
  // First zone, in creation order, whose scrolled rectangle holds the client point; -1 when none.
  int IsInZone(int x, int y) const;
  // Draws the visible part of the text into dc, as painting does.
  void DrawArea(HDC dc);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM, LPARAM text);
  afx_msg LRESULT OnSetFont(WPARAM font, LPARAM redraw);
  afx_msg LRESULT OnGetFont(WPARAM, LPARAM);
  afx_msg LRESULT OnPrintClient(WPARAM dc, LPARAM);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()

 private:
  // A run of one line drawn in one go: plain text, or the label of a zone.
  struct Run {
    int start, length;  // in the line's text
    int x, width;       // unscrolled pixels
    int zone;           // index into the zones, -1 for plain text
  };
  struct Line {
    std::basic_string<TCHAR> text;
    std::vector<Run> runs;
  };

  // Lays the stored text out for a client area `width` wide and re-finds the hovered and
  // pressed zones by their ids (a hovered zone that no longer exists is left: code 2).
  void ComputeString(int width, int height, const TCHAR* text);
  void Layout(HDC dc, const TCHAR* text);
  void DefaultReset();
  void RepositionScrollBars();
  void MakeFonts(HFONT from);
  void Scroll(int bar, UINT code);
  // Sends WM_COMMAND to the parent; FALSE when this window did not survive it.
  BOOL NotifyParent(int code, int id);
  void InvalidateZone(int index);

  HCURSOR m_handCursor = NULL;
  CString m_text;
  std::vector<CSensibleZone> m_zones;
  int m_hovered = -1;
  std::vector<Line> m_lines;
  int m_externalLeading = 0, m_fontHeight = 0;
  int m_widest = 0;
  uih::OwnedBrush m_highlightBrush;
  uih::OwnedFont m_normalFont, m_underlinedFont;
  int m_pressed = -1;
};
