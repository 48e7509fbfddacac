// CMobileGroupDlg: puts the caller's mobile contacts into a mobile group that the user
// chooses from the list or names anew. Template 17012 from the host's resources.
#pragma once
#include <Tessvik.h>
#include <framework.h>

class CMobileGroupDlg : public CDialog {
 public:
  enum { IDD = 17012 };
  enum { IDC_CAPTION = 1031, IDC_NAME = 17038, IDC_MEMBERS = 17039, IDC_GROUPS = 17040 };
  static const DWORD kMaxGroups = 128;
  static const DWORD kMaxMembers = 1024;

  CMobileGroupDlg(CWnd* pParent, MobileGroupRecord* records, int count, VARIANT* result);
  ~CMobileGroupDlg() override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg void OnGroupChosen(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  CListCtrl m_memberList;
  CListCtrl m_groupList;
  CImageList m_images;
  IOrgDirectory* m_orgDir = NULL;
  IUserDirectory* m_userDir = NULL;
  MobileGroupRecord* m_records;
  int m_count;
  VARIANT* m_result;
};
