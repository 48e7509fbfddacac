// Portable dialogs: the application derives from QvDialog, sets a dialog template id and calls
// Run. The portable object owns the logic (OnInit, its command and notification handlers,
// Terminate); its window is a CGUIDialog (GUIDialog.h), bound both ways: the container holds
// the window and the window map holds the container, so that the window hands its commands,
// notifications and help requests to the portable layer.
//
// A handler ends the dialog with Terminate(code); the window closes once the handler has
// returned, and a modal Run answers the code (-1 when the dialog could not be run).
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "QvGUIContainer.h"
#include "QvGeometry.h"
#include "quarnel_api.h"

class CGUIDialog;
class CGUIFormView;
class QvDialog;
class QvModifier;

class QUARNEL_API QvRootDialog : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootDialog)
 public:
  QvRootDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose);
  ~QvRootDialog() override;

  virtual void SetDialogID(unsigned short id) = 0;
  virtual short Run() = 0;
  virtual void SetDefaultPushButton(unsigned short id) = 0;
  virtual void SetCancelPushButton(unsigned short id) = 0;
  virtual void BringToFront() = 0;
  // The application's dialog sets up its controls here; false closes the dialog.
  virtual bool OnInit() = 0;
  // Ends the dialog with the code once the running handler has returned.
  virtual void Terminate(short code);

  // A modal dialog keeps what it does not handle (false, nothing passed on); a modeless one
  // passes it to its parent handler.
  bool OnCommand(QvCommand& command) override;
  bool OnUpdateCommandStatus(QvCommandStatus& status) override;
  bool OnControlNotification(QvControlNotification& notification) override;

  // The window's screen rectangle as "Dialog Rect" (16 bytes) under the key.
  bool OnSaveUserPrefs(const char* key) override;
  // Moves the window to the saved rectangle, shifted onto the desktop. False, the window left
  // alone, when the value is missing, not 16 bytes, or no rectangle a window can take.
  bool OnRestoreUserPrefs(const char* key) override;

  QvDialog* GetParentDialog() const { return m_parentDialog; }
  bool IsModal() const { return m_modal; }
  bool IsDeleteOnClose() const { return m_deleteOnClose; }
  bool IsTerminated() const { return m_terminated; }
  short GetResultCode() const { return m_resultCode; }

 protected:
  QvDialog* m_parentDialog;
  bool m_modal;
  bool m_deleteOnClose;
  bool m_terminated = false;
  short m_resultCode = 0;
};

class QUARNEL_API QvDialog : public QvRootDialog {
  QV_DECLARE_CLASS(QvDialog)
 public:
  QvDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose);
  // Closes the window and deletes a platform dialog made to go with this object.
  ~QvDialog() override;

  void SetDialogID(unsigned short id) override { m_dialogID = id; }
  unsigned short GetDialogID() const { return m_dialogID; }
  // Modal: the code given to Terminate, -1 when the dialog could not be run. Modeless: 0 once
  // the window exists, else -1.
  short Run() override;
  void SetDefaultPushButton(unsigned short id) override;
  // The button whose command the cancel key (Escape, IDCANCEL) becomes.
  void SetCancelPushButton(unsigned short id) override;
  void BringToFront() override;
  void SetDialogIconID(unsigned short id);

  // Makes the window object (OnCreatePlatform) and enters it in the window map.
  bool CreatePlatform(bool flag) override;
  CWnd* OnCreatePlatform() override;  // a CGUIDialog, made for the first run
  // Closes the window: EndDialog with the result code when modal, DestroyWindow when not.
  void DestroyPlatform() override;
  void SetTooltip(unsigned short id, const QvString& text) override;

  CGUIDialog* GetPlatformDialog() const;

 protected:
  unsigned short m_dialogID = 0;
};

// A dialog-shaped view: the application derives from QvDialogView and makes a CGUIFormView
// (GUIDialog.h) for it, which calls OnInitView after its initial update and hands its
// commands, notifications and mouse clicks to the view.
class QUARNEL_API QvRootDialogView : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootDialogView)
 public:
  explicit QvRootDialogView(QvCommandHandler* parent);
  ~QvRootDialogView() override;

  CWnd* OnCreatePlatform() override;  // none: the application makes the form view
  virtual void onRightMouseDown(const QvPoint& point, const QvModifier& modifier);
  virtual void onMouseDown(const QvPoint& point, const QvModifier& modifier);
  virtual void SetDefaultPushButton(unsigned short id) = 0;
  virtual void SetCancelPushButton(unsigned short id) = 0;
  // The view's initialisation, after the form view's initial update.
  virtual void OnInitView() = 0;

 protected:
  void* m_reserved = nullptr;
};

class QUARNEL_API QvDialogView : public QvRootDialogView {
  QV_DECLARE_CLASS(QvDialogView)
 public:
  explicit QvDialogView(QvCommandHandler* parent);
  void SetDefaultPushButton(unsigned short id) override;  // nothing
  void SetCancelPushButton(unsigned short id) override;   // nothing
};
