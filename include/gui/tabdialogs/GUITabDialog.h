// The windows of the portable tab dialogs (QvTabDialog.h): CGUITabDialog shows one page at a
// time in a tab control that takes the place of its placeholder child (id 8); each page is a
// CGUITab, a child dialog made from its own template. The standard dialog (template 258, the
// library's own) has OK, Cancel, Apply and Help buttons, closes up the row of those shown and
// grows to fit its largest page. CGUIResizeTabDialog and CGUIResizeTab add the resizable
// layout.
//
// Pages are kept in tab order; an index is 0..CountTabs()-1 and -1 stands for none. A dialog
// holds at most kMaxTabs pages (the portable side counts them in a byte).
#pragma once
#include <GUIDialog.h>
#include <ResizableLayout.h>
#include <framework.h>
#include <vekkel.h>

#include <memory>
#include <vector>

#include "quarnel_api.h"

class CGUITab;
class QvRootTab;
class QvTabDialog;

class QUARNEL_API CGUITabDialog : public CGUIDialog {
  DECLARE_DYNAMIC(CGUITabDialog)
 public:
  enum : UINT {
    kStandardTemplate = 258,
    kTabControlID = 8,
    kApplyButton = 12321,
    kHelpButton = 57670,
  };
  enum : unsigned {
    kTabModal = 0x1,
    kTabStandard = 0x2,
    kTabKeepDefault = 0x4,
    kTabInitialised = 0x8,
  };
  static const int kMaxTabs = 255;

  CGUITabDialog(UINT nIDTemplate, BOOL bModal, CWnd* pParentWnd, BOOL bKeepDefault);
  ~CGUITabDialog() override;

  // Puts the page at `index` (appended when outside 0..count-1), taking it out first where it
  // was; the current page stays current. On an open dialog the page's window and tab item are
  // made. The index used, or -1 when the dialog is full or the page's window cannot be made.
  int InsertTab(CGUITab* page, int index);
  // Takes the page out; the current page stays current (item 0 when it was this one). FALSE
  // for a page that is not in the dialog.
  BOOL RemoveTab(CGUITab* page);
  int FindTabIndex(const CGUITab* page) const;
  CGUITab* GetTabByIndex(int index) const;
  int CountTabs() const { return static_cast<int>(m_pages.size()); }
  int GetCurrentTabIndex() const { return m_current; }
  // The placeholder before the window is initialised, the tab control afterwards.
  CWnd* GetOwnerControl() { return m_hWnd ? GetDlgItem(kTabControlID) : nullptr; }
  CTabCtrl* GetTabControl() const { return m_tabCtrl.get(); }
  // Makes the page current; TRUE when it is (also when it already was), FALSE for an index
  // out of range. Before the window exists it only chooses the page to start with.
  BOOL SetCurrentTab(int index);
  void ShowButton(UINT id, BOOL show);
  // Enabling also shows a hidden button; a button losing its enabling hands the focus to
  // the current page first.
  void EnableButton(UINT id, BOOL enable);

  BOOL IsStandard() const { return (m_tabFlags & kTabStandard) != 0; }
  BOOL IsInitialised() const { return (m_tabFlags & kTabInitialised) != 0; }
  QvTabDialog* GetPortableTabDialog();

  // Ctrl+Tab / Ctrl+Shift+Tab: the next / previous page, wrapping; TRUE when the key was
  // taken. Ctrl and Shift are read from the key state of the thread.
  BOOL HandleTabKey(MSG* pMsg);

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override;
  void OnCancel() override;
  // Places every page in the tab control.
  void ResizePages();
  // Closes up the row OK, Cancel, Apply, Help to the right around the hidden ones.
  void RemoveHolesInButtons();
  void OffsetButton(UINT id, int dx);
  // Answers whether the change away from the current page may happen.
  BOOL ConfirmLeavingCurrent();
  afx_msg LRESULT OnTabCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  BOOL InitialisePages();
  void GrowToLargestPage();
  unsigned m_tabFlags = 0;
  std::vector<CGUITab*> m_pages;  // not owned: each page removes itself when deleted
  int m_current = -1;
  std::unique_ptr<CTabCtrl> m_tabCtrl;
};

class QUARNEL_API CGUITab : public CGUIDialog {
  DECLARE_DYNAMIC(CGUITab)
 public:
  // Joins the dialog at `index` (-1 appends).
  CGUITab(UINT nIDTemplate, CGUITabDialog* dialog, int index);
  // Destroys the window and leaves the dialog.
  ~CGUITab() override;

  // The page's title, also on its tab; kept until the window exists.
  void SetTitle(const CString& text);
  // Makes the hidden child page from its template and its tab item at `index`, placed in the
  // tab control when `resize`. TRUE when the item was made.
  BOOL CreateYourself(int index, BOOL resize);
  // Takes the tab control's area below the tabs, 2 pixels in on every side.
  void ResizeYourself();
  UINT GetTemplateID() const { return m_templateID; }
  CGUITabDialog* GetTabDialog() const { return m_dialog; }
  // The dialog goes before its pages: they no longer reach it.
  void ForgetTabDialog() { m_dialog = nullptr; }
  QvRootTab* GetPortableTab();

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void ApplyPendingTitle();
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  UINT m_templateID;
  CGUITabDialog* m_dialog;
  std::unique_ptr<CString> m_pendingTitle;
};

class QUARNEL_API CGUIResizeTabDialog : public CGUITabDialog, public CResizeDialogLayout {
  DECLARE_DYNAMIC(CGUIResizeTabDialog)
 public:
  CGUIResizeTabDialog(UINT nIDTemplate, BOOL bModal, CWnd* pParentWnd, BOOL bKeepDefault)
      : CGUITabDialog(nIDTemplate, bModal, pParentWnd, bKeepDefault) {}
  // The profile section of the saved placement ("Dsgn Edit Objects" when empty).
  void SetSaveRestoreSection(LPCTSTR section) { m_saveSection = section; }
  BOOL OnInitDialog() override;

 protected:
  CWnd* GetResizableWnd() override { return this; }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  CString m_saveSection;
};

class QUARNEL_API CGUIResizeTab : public CGUITab, public CResizableLayout {
  DECLARE_DYNAMIC(CGUIResizeTab)
 public:
  CGUIResizeTab(UINT nIDTemplate, CGUITabDialog* dialog, int index) : CGUITab(nIDTemplate, dialog, index) {}
  BOOL OnInitDialog() override;
  using CResizableLayout::AddAnchor;

 protected:
  CWnd* GetResizableWnd() override { return this; }
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_initialised = FALSE;
};
