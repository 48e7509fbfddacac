// Portable tab dialogs: a QvTabDialog shows one page (QvTab) at a time in a tab control; the
// standard one (QvStdTabDialog) has the library's OK / Cancel / Apply / Help buttons. Pages
// are portable containers of their own, each made from its own dialog template: the
// application makes them (QvTab::Init) before the dialog runs, in tab order. The windows are
// CGUITabDialog and CGUITab (GUITabDialog.h).
//
// Counts and indexes are bytes: 0xFF is "none", and a dialog holds at most 255 pages.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include <memory>

#include "QvDialog.h"
#include "quarnel_api.h"

class CGUITab;
class CGUITabDialog;
class QvTab;
class QvTabDialog;

class QUARNEL_API QvRootTabDialog : public QvDialog {
  QV_DECLARE_CLASS(QvRootTabDialog)
 public:
  QvRootTabDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose);
  // 1: the saved "Active Tab" is restored with the other preferences.
  void SetRestoreActiveTab(unsigned short flag) { m_restoreActiveTab = flag; }
  unsigned short GetRestoreActiveTab() const { return m_restoreActiveTab; }

 protected:
  unsigned short m_restoreActiveTab = 0;
};

class QUARNEL_API QvTabDialog : public QvRootTabDialog {
  QV_DECLARE_CLASS(QvTabDialog)
 public:
  QvTabDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose);
  ~QvTabDialog() override;

  virtual unsigned char CountTabs();               // 0 without a window object
  virtual QvTab* GetCurrentTab();                  // null when none
  virtual unsigned char GetCurrentTabIndex();      // 0xFF when none
  virtual QvTab* GetTabByIndex(unsigned char index);  // null out of range
  virtual void SetCurrentTab(QvTab* tab);
  virtual void SetCurrentTabByIndex(unsigned char index);
  virtual bool GetIndex(QvTab* tab, unsigned char& index);
  // OnAction(action) on every page in tab order.
  virtual void SendAction(unsigned short action);
  virtual void OnTabHasBeenHide(unsigned short index);
  virtual void OnTabHasBeenShow(unsigned short index);

  CWnd* OnCreatePlatform() override;  // a CGUITabDialog of the dialog id
  // The current index as the DWORD "Active Tab".
  bool OnSaveUserPrefs(const char* key) override;
  // With the restore flag 1: the saved "Active Tab" becomes current when it names a page;
  // false for a missing value or one that names no page.
  bool OnRestoreUserPrefs(const char* key) override;

  // The window title, set when the window is initialised; null when none.
  const QvString* GetTitle() const { return m_title.get(); }
  void SetTitle(const QvString& title) { m_title = std::make_unique<QvString>(title); }
  CGUITabDialog* GetPlatformTabDialog() const;

 protected:
  std::unique_ptr<QvString> m_title;
};

class QUARNEL_API QvStdTabDialog : public QvTabDialog {
  QV_DECLARE_CLASS(QvStdTabDialog)
 public:
  // The library's standard template (258) with the title and help id; `reserved` is kept for
  // callers and has no effect.
  QvStdTabDialog(const QvString& title, bool reserved, unsigned long helpId, QvCommandHandler* parent,
                 QvDialog* parentDialog, bool modal, bool deleteOnClose);
  void ShowOKButton(bool show);
  void ShowCancelButton(bool show);
  void ShowApplyButton(bool show);
  void EnableOKButton(bool enable);
  void EnableCancelButton(bool enable);
  void EnableApplyButton(bool enable);
  bool OnInit() override;  // true
};

class QUARNEL_API QvRootTab : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootTab)
 public:
  QvRootTab(QvCommandHandler* parent, QvTabDialog* dialog);
  void SetParentDialog(QvTabDialog* dialog) { m_parentDialog = dialog; }
  QvTabDialog* GetParentDialog() const { return m_parentDialog; }

  virtual void SetTabID(unsigned short id) = 0;
  virtual void SetTabTitle(const QvString& title) = 0;
  // Asked before the user leaves this page; false keeps it.
  virtual bool OnConfirmHide();
  virtual void OnHide() = 0;
  virtual void OnShow() = 0;
  virtual bool OnInit() = 0;
  // Asked by the standard dialog's OK; false keeps the dialog open.
  virtual bool CheckValidate();
  virtual void OnAction(unsigned short action);
  virtual void Init() = 0;

 protected:
  QvTabDialog* m_parentDialog;
};

class QUARNEL_API QvTab : public QvRootTab {
  QV_DECLARE_CLASS(QvTab)
 public:
  QvTab(QvCommandHandler* parent, QvTabDialog* dialog);
  // Deletes the page's window object, which leaves the dialog.
  ~QvTab() override;

  void SetTabID(unsigned short id) override { m_tabID = id; }
  unsigned short GetTabID() const { return m_tabID; }
  void SetTabTitle(const QvString& title) override;
  void SetTooltip(unsigned short id, const QvString& text) override;
  void OnHide() override {}
  void OnShow() override {}
  // Makes the page's window object (appended to the dialog) and binds it both ways.
  void Init() override;
  // A CGUITab of the tab id in the parent's dialog; null without either.
  CWnd* OnCreatePlatform() override;
  // Destroys the page's window; the window object stays in the dialog.
  void DestroyPlatform() override;
  CGUITab* GetPlatformTab() const;

 protected:
  unsigned short m_tabID = 0;
  std::unique_ptr<QvString> m_pendingTitle;
};
