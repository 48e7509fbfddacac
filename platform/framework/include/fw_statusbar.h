// CStatusBar: a control bar on the common status control, with panes made from indicator ids
// (their texts from string resources), kept up to date in idle time like any bar's items.
// Pane 0 is the frame's message pane: the bar's window text is its text.
#pragma once
#include "fw_bars.h"

#include <commctrl.h>

#include <vector>

// Pane styles: the status control's drawing types, and two of the bar's own.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000  // the text is not shown
#define SBPS_STRETCH 0x08000000   // takes the room the other panes leave (one pane at most)

// The standard indicators (their texts are string resources of the framework).
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

class FW_API CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  CStatusBar();
  ~CStatusBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  // One pane per id: ID_SEPARATOR gives an empty pane, another id the string resource of that
  // id as text and its width. The first pane stretches. FALSE when a text is missing (the
  // pane stays, empty) or the control refuses the panes.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int GetCount() const { return static_cast<int>(m_panes.size()); }
  // The pane of an id; -1 when none.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  // The pane's rectangle in the bar's client area; empty for a bad index.
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
  // FALSE for a bad index. The pane is repainted later (invalidated), never at once.
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);

  // Owner-drawn panes (SBPS_OWNERDRAW) are drawn here; the default draws nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  // Each pane's id is probed: Enable shows or hides its text, SetText sets it, a check pops it
  // out. The keyboard indicators show their key's toggle state unless a handler answers.
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  struct Pane {
    UINT nID = 0;
    UINT nStyle = 0;
    int cxText = 0;  // width of the text part, without borders
    CString strText;
  };
  // Sends the panes' right edges (bUpdateRects) and texts (bUpdateText) to the control.
  void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
  void UpdatePaneText(int nIndex);
  const Pane* PaneAt(int nIndex) const;
  int TextWidth(const CString& text) const;

  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

  std::vector<Pane> m_panes;
  HFONT m_hFont = NULL;  // borrowed: the control's font

  DECLARE_MESSAGE_MAP()
};
