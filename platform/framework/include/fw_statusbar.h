// The frame's status bar: a status-bar control that takes the bottom (or top) of its frame
// in the frame's layout, with one part per indicator id.
#pragma once

#include "fw_bars.h"
#include "fw_controls.h"

#include <vector>

class FW_API CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  CStatusBar();
  ~CStatusBar() override;

  // The window bits of dwStyle style the control; its low word holds the bar style
  // (CBRS_…). The control never moves or sizes itself: the frame's layout places it.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);
  // One part per id, separators (ID_SEPARATOR) included. An indicator part is as wide as
  // the string resource of its id (when there is one) and starts empty; the first part takes
  // what the others leave, also when the bar is resized. FALSE for a null array with a count, or a failed SB_SETPARTS.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
  // The part of the id; -1 when none.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  int GetCount() const { return static_cast<int>(m_ids.size()); }
  // Keeps the part's drawing type; bUpdate FALSE leaves the part unpainted until it is next
  // painted anyway. FALSE for a part that does not exist.
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  CString GetPaneText(int nIndex) const;
  CStatusBarCtrl& GetStatusBarCtrl() const { return *reinterpret_cast<CStatusBarCtrl*>(const_cast<CStatusBar*>(this)); }

  // The bar's thickness follows the control's font and borders.
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  // Owner-drawn parts (SBT_OWNERDRAW); nothing here.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The indicator parts follow the bar's width.
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL SetParts(const std::vector<int>& widths);
  std::vector<UINT> m_ids;
  std::vector<int> m_widths;  // of the indicator parts; 0 for the first
};
