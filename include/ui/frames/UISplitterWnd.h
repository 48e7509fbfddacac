// The splitter window of document frames, with small command buttons at the left end of its
// horizontal scroll bar; each shows the icon of a command of the command centre, runs it when
// pressed (WM_COMMAND with the command id to the splitter's parent chain) and shows its tip.
#pragma once
#include <fw_tooltipctrl.h>
#include <fw_splitter.h>

#include "quarnel_api.h"

#include "ImageButton.h"

class CUICommand;

class QUARNEL_API CUISplitterWnd : public CSplitterWnd {
  DECLARE_DYNCREATE(CUISplitterWnd)

 public:
  CUISplitterWnd();
  ~CUISplitterWnd() override;

  // NULL does nothing. The first call makes the tooltip control. With bAdd a button for the
  // command (child id = the command id) joins the row left of the first horizontal scroll bar.
  void AddCommandInScrollBar(CUICommand* pCommand, BOOL bAdd);
  // The splitter's layout, then the buttons (20 pixels each, as high as the scroll bar) right
  // to left before the first horizontal scroll bar, which gives up their width.
  void RecalcLayout() override;

  int GetButtonCount() const { return m_pButtons != NULL ? static_cast<int>(m_pButtons->GetSize()) : 0; }
  CCmdButton* GetButton(int i) const { return static_cast<CCmdButton*>(m_pButtons->GetAt(i)); }
  CToolTipCtrl* GetToolTip() const { return m_pToolTip; }

 protected:
  // TTN_NEEDTEXT: the second line-feed separated part of the string resource with the
  // button's command id; nothing for a window that is not one of the buttons.
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  CPtrArray* m_pButtons = NULL;  // CCmdButton*, owned
  CToolTipCtrl* m_pToolTip = NULL;

  DECLARE_MESSAGE_MAP()
};
