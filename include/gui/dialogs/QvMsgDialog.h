// The portable message boxes: a text with an icon, a caption and up to four push buttons, and
// optionally a Help or details button that opens a read-only detail box; Process answers the
// QvMsgButton of the button pressed. Captions and details are UTF-8.
//
// While the host bypasses dialogs (BypassDialogs) no window is shown: the text goes to the
// scripting error text and each preset answers a fixed value (QvMsgDialog 1, QvInfoDialog 0,
// QvActionDialog 1, QvYesNoDialog 4, QvOKCancelDialog 0, QvActionNoActionDialog 4;
// QvSaveChangesDialog answers 1 and records nothing). A run that does not start answers 1.
#pragma once
#include <vekkel.h>

#include "MFCMsgDialog.h"
#include "quarnel_api.h"

class QUARNEL_API QvRootMsgDialog : public QvFirst {
  QV_DECLARE_CLASS(QvRootMsgDialog)
 public:
  ~QvRootMsgDialog() override;
  virtual QvMsgButton Process(const QvString& text, const char* caption, unsigned long helpId) = 0;
};

class QUARNEL_API QvMsgDialog : public QvRootMsgDialog {
  QV_DECLARE_CLASS(QvMsgDialog)
 public:
  // Buttons 1 to 4 with empty texts, the last one the default; the warning level information.
  explicit QvMsgDialog(CWnd* parent = NULL);
  ~QvMsgDialog() override;

  QvMsgButton Process(const QvString& text, const char* caption, unsigned long helpId) override;
  virtual void SetButtonDefaultText(QvButtonPosition pos, QvMsgButton kind);
  virtual void SetButtonText(QvButtonPosition pos, const QvString& text);
  virtual void SetButtonVis(QvButtonPosition pos, bool visible);
  virtual void EnableButton(QvButtonPosition pos, bool enabled);
  virtual void SetDefaultButton(QvButtonPosition pos);
  // Escape presses that button (its control id becomes IDCANCEL).
  virtual void SetCancelButton(QvButtonPosition pos);
  virtual void SetWarningLevel(QvWarnLvl level);

  MFCMsgDialog& Window() { return m_dialog; }

 protected:
  // Runs the window modally; -1 (not started) becomes Cancel.
  QvMsgButton RunWindow(const QvString& text, const char* caption, unsigned long helpId, const char* detail);
  MFCMsgDialog m_dialog;
};

// An OK box, with a details button when Process is given a detail text.
class QUARNEL_API QvInfoDialog : public QvMsgDialog {
  QV_DECLARE_CLASS(QvInfoDialog)
 public:
  explicit QvInfoDialog(CWnd* parent = NULL);
  QvMsgButton Process(const QvString& text, const char* caption, unsigned long helpId) override;
  QvMsgButton Process(const QvString& text, const char* caption, unsigned long helpId, const char* detail);
};

// Yes and No, a warning.
class QUARNEL_API QvActionDialog : public QvMsgDialog {
  QV_DECLARE_CLASS(QvActionDialog)
 public:
  explicit QvActionDialog(CWnd* parent = NULL);
  using QvMsgDialog::Process;
  // Non-empty button texts replace those of the two buttons.
  QvMsgButton Process(const QvString& text, const QvString& actionText, const char* caption, unsigned long helpId,
                      const QvString& noActionText);
};

class QUARNEL_API QvYesNoDialog : public QvActionDialog {
  QV_DECLARE_CLASS(QvYesNoDialog)
 public:
  explicit QvYesNoDialog(CWnd* parent = NULL);
  using QvActionDialog::Process;
  QvMsgButton Process(const QvString& text, const char* caption, unsigned long helpId) override;
};

class QUARNEL_API QvOKCancelDialog : public QvMsgDialog {
  QV_DECLARE_CLASS(QvOKCancelDialog)
 public:
  explicit QvOKCancelDialog(CWnd* parent = NULL);
  QvMsgButton Process(const QvString& text, const char* caption, unsigned long helpId) override;
};

// Yes, No and Cancel, the first two with the given texts (an empty text gives an empty button).
class QUARNEL_API QvActionNoActionDialog : public QvMsgDialog {
  QV_DECLARE_CLASS(QvActionNoActionDialog)
 public:
  explicit QvActionNoActionDialog(CWnd* parent = NULL);
  using QvMsgDialog::Process;
  QvMsgButton Process(const QvString& text, const QvString& actionText, const QvString& noActionText,
                      const char* caption, unsigned long helpId);
};

// Save the changes? Runs a window of its own without a parent and answers 5 for Yes, 6 for No
// and 1 for anything else (Cancel, the close box, a run that did not start).
class QUARNEL_API QvSaveChangesDialog : public QvMsgDialog {
  QV_DECLARE_CLASS(QvSaveChangesDialog)
 public:
  explicit QvSaveChangesDialog(CWnd* parent = NULL);
  QvMsgButton Process(const QvString& text, const char* caption, unsigned long helpId) override;
};
