// Property sheets and their pages, on the system's property sheet (comctl32).
//
// A CPropertyPage describes its page in m_psp (template, caption, Wizard97 header texts);
// the system makes the page window when the page is first shown and the page object is bound
// to it at WM_INITDIALOG, before OnInitDialog. The page's sheet notifications (PSN_) reach
// OnSetActive, OnKillActive, OnApply, OnReset and the wizard handlers.
//
// A CPropertySheet holds its pages (not owned) and m_psh. DoModal runs the system's modal
// sheet; Create makes it modeless (ended with DestroyWindow). The sheet window is bound to the
// object through the creation hook, so WM_CREATE and WM_INITDIALOG reach it; OnInitDialog runs
// after the system has made the tab control, buttons and first page.
#pragma once
#include "fw_tabctrl.h"
#include "fw_dialog.h"

#include <prsht.h>

#include <vector>

class CPropertySheet;

class FW_API CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
  // The Wizard97 forms: the header title and subtitle are string ids (0: none).
  CPropertyPage(UINT nIDTemplate, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle);
  CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle);
  ~CPropertyPage() override;

  // The page's description; the system keeps a copy from when the page is added to a shown
  // sheet or the sheet is made.
  PROPSHEETPAGE m_psp;

  // TRUE: the sheet's Apply button is enabled.
  void SetModified(BOOL bChanged = TRUE);
  // The sheet the page is shown in (NULL before).
  CPropertySheet* GetParentSheet() const;

  // Sheet notifications. OnSetActive and OnKillActive answer whether the change may happen;
  // OnApply calls OnOK and answers TRUE; the wizard handlers answer 0 (the next page in order)
  // or a page's template id, -1 to stay.
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  virtual BOOL OnWizardFinish();
  void OnOK() override;      // the sheet's OK or Apply: nothing (the page is not a dialog of its own)
  void OnCancel() override;  // the sheet's Cancel: nothing

  // A new system handle for this page (the sheet it is given to frees it); NULL when the page
  // has no template or the handle cannot be made.
  HPROPSHEETPAGE MakeHandle();

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle);
  static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  CString m_strCaption;
  CString m_strHeaderTitle;
  CString m_strHeaderSubTitle;
};

class FW_API CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  // The Wizard97 forms: a watermark (background) bitmap, its palette and a header bitmap.
  CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                 HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
  CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                 HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
  ~CPropertySheet() override;

  // The sheet's description; its page handles, caption and parent are filled when it is shown.
  PROPSHEETHEADER m_psh;

  // Pages: added at the end (to the window too when it is shown) and removed (index out of
  // range: nothing).
  void AddPage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  void RemovePage(CPropertyPage* pPage);
  int GetPageCount() const;
  CPropertyPage* GetPage(int nPage) const;  // NULL out of range
  int GetPageIndex(CPropertyPage* pPage) const;  // -1 when not in the sheet

  // The active page: the selection of the shown sheet, else the page it will start at.
  int GetActiveIndex() const;
  CPropertyPage* GetActivePage() const;
  // FALSE for an index out of range or when the sheet refuses the change.
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  CTabCtrl* GetTabControl() const;

  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  void SetWizardButtons(DWORD dwFlags);
  BOOL PressButton(int nButton);
  void EndDialog(int nEndID);

  // The modal sheet: IDOK, IDCANCEL (or the id given to EndDialog); -1 when it could not be made.
  virtual INT_PTR DoModal();
  // The modeless sheet (PSH_MODELESS); FALSE when it could not be made.
  virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
  virtual BOOL OnInitDialog();
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  void PostNcDestroy() override;
  DECLARE_MESSAGE_MAP()

 private:
  void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
  // Fills m_psh with the handles of the pages; FALSE when one cannot be made.
  BOOL BuildPages(CWnd* pParentWnd, std::vector<HPROPSHEETPAGE>& handles);
  static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

  std::vector<CPropertyPage*> m_pages;
  CString m_strCaption;
  CWnd* m_pParentWnd = NULL;
  DWORD m_dwCreateStyle = (DWORD)-1;
  DWORD m_dwCreateExStyle = 0;
  BOOL m_bModeless = FALSE;
};
