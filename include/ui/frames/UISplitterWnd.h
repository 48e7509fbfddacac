// The splitter window of document frames, with small command buttons at the left end of its
// horizontal scroll bar; each shows the icon of a command of the command centre, runs it when
// pressed (WM_COMMAND with the command id to the splitter's parent chain) and shows its tip.
#pragma once
#include <fw_controls.h>
#include <fw_splitter.h>

#include "quarnel_api.h"

class CUICommand;
class CImageList;

// An owner-drawn button without a caption that shows one image of an image list.
class QUARNEL_API CImageButton : public CButton {
  DECLARE_DYNAMIC(CImageButton)

 public:
  explicit CImageButton(DWORD flags = 3);
  ~CImageButton() override;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetImage(CImageList* pImageList, int nIndex);
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  DWORD m_dwFlags;
  CImageList* m_pImageList = NULL;  // not owned
  int m_nImage = -1;
};

// An image button bound to a command: the command's image from the command centre, none
// when the centre does not know the id.
class QUARNEL_API CCmdButton : public CImageButton {
  DECLARE_DYNAMIC(CCmdButton)

 public:
  explicit CCmdButton(UINT nCommand);
  ~CCmdButton() override;
  UINT GetCommand() const { return m_nCommand; }

 protected:
  UINT m_nCommand;
};

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
