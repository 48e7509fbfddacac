// CActiveGroupDlg: the active-group picker. Lists the host's active groups (all of them, or
// only the recent ones) and the members of the group chosen; the chosen group's GUID comes
// back. Template 17002 from the host's resources.
#pragma once
#include <Pellix.h>
#include <TessvikHost.h>
#include <framework.h>

#include <map>

class CActiveGroupDlg : public CDialog {
 public:
  enum { IDD = 17002 };
  enum { IDC_RECENT = 17020, IDC_SUMMARY = 17021, IDC_GROUPS = 17022, IDC_MEMBERS = 17027 };
  static const DWORD kMaxGroups = 10240;

  explicit CActiveGroupDlg(CWnd* pParent);
  ~CActiveGroupDlg() override;

  // GUID_NULL until a group was selected.
  const GUID& GetChosenGroup() const { return m_chosen; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg void OnRecentChanged();
  afx_msg void OnGroupChanged(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  // Fills the tree with the active groups (all, or those younger than the option's age
  // limit); TRUE when at least one was inserted.
  BOOL FillGroups(BOOL all);
  BOOL QueryGroup(const CString& id, HostGroupQuery* query);

  CTreeCtrl m_tree;
  CListCtrl m_members;
  int m_bRecent = FALSE;
  CImageList m_images;
  std::map<HTREEITEM, CString> m_groupIds;
  GUID m_chosen;
  BOOL m_bAll = TRUE;
  CAGOption m_option;
  IUserDirectory* m_userDir = NULL;
};
