// The folder picker: the shell's folder dialog starting at a folder, for file-system folders
// only. DoModal answers IDOK with the chosen folder kept (GetFolderName), or IDCANCEL with the
// folder of an earlier choice left as it was.
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CQvGetDirDlg : public CDialog {
 public:
  CQvGetDirDlg(LPCTSTR initialFolder, LPCTSTR title, CWnd* parent);
  ~CQvGetDirDlg() override;

  INT_PTR DoModal() override;
  virtual void GetFolderName(CString& folder);

 protected:
  CString m_strInitialFolder;
  CString m_strTitle;
  CString m_strFolder;
  CWnd* m_pParent;

 private:
  static int CALLBACK BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM data);
};
