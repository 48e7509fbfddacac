// A message box made from the library's dialog template "IDD_UIDLG_MESSAGEBOX": a text, an
// icon and one to three buttons whose texts can be replaced. The flags are those of
// MessageBox: the button set (0 OK; 1 OK, Cancel; 2 Abort, Retry, Ignore; 3 Yes, No, Cancel;
// 4 Yes, No; 5 Retry, Cancel), the icon (0x10 stop, 0x20 question, 0x30 exclamation,
// 0x40 information, 0x80 the caller's icon) and the default button (0, 0x100, 0x200).
// Button 1 is the rightmost; DoModal answers the id of the button pressed (IDOK, IDNO...).
#pragma once
#include <framework.h>

#include "quarnel_api.h"

#define QV_MESSAGE_USERICON 0x80

class QUARNEL_API CQvMessageDlg : public CDialog {
 public:
  // Every argument may be 0; userIcon is the caller's icon id (kind 0x80), found in the
  // modules of the framework's chain.
  CQvMessageDlg(CWnd* parent, LPCTSTR text, LPCTSTR caption, UINT type, UINT userIcon);
  ~CQvMessageDlg() override;

  // A text for button pos (1 to 3), or for the button that answers id in this set; empty
  // texts and ids the set has no button for are ignored.
  virtual void SetButtonTextFromPos(UINT pos, LPCTSTR text);
  virtual void SetButtonTextFromID(UINT id, LPCTSTR text);
  // The answer of button pos (1 to 3) in this set; -1 for a set above 5.
  virtual int ButtonID(UINT pos);

  BOOL OnInitDialog() override;

  // Controls of the template.
  enum { kTextId = 1000, kIconId = 1001, kButton1 = 1002, kButton2 = 1003, kButton3 = 1004 };

 protected:
  virtual void SetIconStyle();
  virtual void SetButtonStyle();
  virtual void OverrideButtonsText();
  virtual void SetDefaultPos();
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  UINT m_nButtonSet;
  UINT m_nIconKind;
  UINT m_nDefault;
  CString m_strText;
  CString m_strCaption;
  CString m_strButtonText[3];
  UINT m_nUserIcon;

 private:
  // How many buttons the set shows (1 to 3; 1 for an unknown set).
  UINT VisibleButtons() const;
};
