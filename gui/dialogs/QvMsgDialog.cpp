#include "QvMsgDialog.h"

#include <GUIInitialisations.h>

QV_IMPLEMENT_CLASS(QvRootMsgDialog, QV_RUNTIME_CLASS(QvFirst))
QV_IMPLEMENT_CLASS(QvMsgDialog, QV_RUNTIME_CLASS(QvRootMsgDialog))
QV_IMPLEMENT_CLASS(QvInfoDialog, QV_RUNTIME_CLASS(QvMsgDialog))
QV_IMPLEMENT_CLASS(QvActionDialog, QV_RUNTIME_CLASS(QvMsgDialog))
QV_IMPLEMENT_CLASS(QvYesNoDialog, QV_RUNTIME_CLASS(QvActionDialog))
QV_IMPLEMENT_CLASS(QvOKCancelDialog, QV_RUNTIME_CLASS(QvMsgDialog))
QV_IMPLEMENT_CLASS(QvActionNoActionDialog, QV_RUNTIME_CLASS(QvMsgDialog))
QV_IMPLEMENT_CLASS(QvSaveChangesDialog, QV_RUNTIME_CLASS(QvMsgDialog))
QV_CLASSINIT(QvRootMsgDialog)
QV_CLASSINIT(QvMsgDialog)
QV_CLASSINIT(QvInfoDialog)
QV_CLASSINIT(QvActionDialog)
QV_CLASSINIT(QvYesNoDialog)
QV_CLASSINIT(QvOKCancelDialog)
QV_CLASSINIT(QvActionNoActionDialog)
QV_CLASSINIT(QvSaveChangesDialog)

namespace {

// The Yes, No and Cancel buttons in slots 1 to 3, Yes the default.
void ConfigureActionNoAction(QvMsgDialog& d) {
  d.SetButtonVis(QvButtonPos0, false);
  d.SetButtonDefaultText(QvButtonPos1, QvYesButton);
  d.SetButtonDefaultText(QvButtonPos2, QvNoButton);
  d.SetButtonDefaultText(QvButtonPos3, QvCancelButton);
  d.SetDefaultButton(QvButtonPos1);
}

// Two buttons in slots 2 and 3, the first the default; a warning.
void ConfigurePair(QvMsgDialog& d, QvMsgButton first, QvMsgButton second) {
  d.SetButtonVis(QvButtonPos0, false);
  d.SetButtonVis(QvButtonPos1, false);
  d.SetButtonDefaultText(QvButtonPos2, first);
  d.SetButtonDefaultText(QvButtonPos3, second);
  d.SetDefaultButton(QvButtonPos2);
  d.SetWarningLevel(QvWarningLevel);
}

}  // namespace

QvRootMsgDialog::~QvRootMsgDialog() = default;

QvMsgDialog::QvMsgDialog(CWnd* parent) : m_dialog(parent) { m_dialog.SetDefaultButton(QvButtonPos3); }

QvMsgDialog::~QvMsgDialog() = default;

QvMsgButton QvMsgDialog::RunWindow(const QvString& text, const char* caption, unsigned long helpId,
                                   const char* detail) {
  const int answer = m_dialog.Run(text.ToWide(), QvString(caption).ToWide(), helpId, QvString(detail).ToWide());
  return answer < 0 ? QvCancelButton : static_cast<QvMsgButton>(answer);
}

QvMsgButton QvMsgDialog::Process(const QvString& text, const char* caption, unsigned long helpId) {
  if (BypassDialogs()) {
    AppendScriptingErrorText(text);
    return QvCancelButton;
  }
  return RunWindow(text, caption, helpId, nullptr);
}

void QvMsgDialog::SetButtonDefaultText(QvButtonPosition pos, QvMsgButton kind) {
  m_dialog.SetButtonDefaultText(pos, kind);
}
void QvMsgDialog::SetButtonText(QvButtonPosition pos, const QvString& text) {
  m_dialog.SetButtonText(pos, text.ToWide());
}
void QvMsgDialog::SetButtonVis(QvButtonPosition pos, bool visible) { m_dialog.SetButtonVis(pos, visible); }
void QvMsgDialog::EnableButton(QvButtonPosition pos, bool enabled) { m_dialog.EnableButton(pos, enabled); }
void QvMsgDialog::SetDefaultButton(QvButtonPosition pos) { m_dialog.SetDefaultButton(pos); }
void QvMsgDialog::SetCancelButton(QvButtonPosition pos) { m_dialog.SetCancelButton(pos); }
void QvMsgDialog::SetWarningLevel(QvWarnLvl level) { m_dialog.SetWarningLevel(level); }

QvInfoDialog::QvInfoDialog(CWnd* parent) : QvMsgDialog(parent) {}

QvMsgButton QvInfoDialog::Process(const QvString& text, const char* caption, unsigned long helpId) {
  return Process(text, caption, helpId, nullptr);
}

QvMsgButton QvInfoDialog::Process(const QvString& text, const char* caption, unsigned long helpId,
                                  const char* detail) {
  if (BypassDialogs()) {
    QvString gathered(text);
    if (detail != nullptr) {
      gathered += ": [";
      gathered += detail;
      gathered += "]";
    }
    AppendScriptingErrorText(gathered);
    return QvOKButton;
  }
  if (detail != nullptr && *detail != '\0')
    SetButtonDefaultText(QvButtonPos0, QvDetailsButton);
  else
    SetButtonVis(QvButtonPos0, false);
  SetButtonVis(QvButtonPos1, false);
  SetButtonVis(QvButtonPos2, false);
  SetButtonDefaultText(QvButtonPos3, QvOKButton);
  SetWarningLevel(QvInfoLevel);
  return RunWindow(text, caption, helpId, detail);
}

QvActionDialog::QvActionDialog(CWnd* parent) : QvMsgDialog(parent) { ConfigurePair(*this, QvYesButton, QvNoButton); }

QvMsgButton QvActionDialog::Process(const QvString& text, const QvString& actionText, const char* caption,
                                    unsigned long helpId, const QvString& noActionText) {
  if (BypassDialogs()) {
    AppendScriptingErrorText(text);
    return QvCancelButton;
  }
  if (!actionText.IsEmpty()) SetButtonText(QvButtonPos2, actionText);
  if (!noActionText.IsEmpty()) SetButtonText(QvButtonPos3, noActionText);
  return RunWindow(text, caption, helpId, nullptr);
}

QvYesNoDialog::QvYesNoDialog(CWnd* parent) : QvActionDialog(parent) {}

QvMsgButton QvYesNoDialog::Process(const QvString& text, const char* caption, unsigned long helpId) {
  if (BypassDialogs()) {
    AppendScriptingErrorText(text);
    return QvNoButton;
  }
  return RunWindow(text, caption, helpId, nullptr);
}

QvOKCancelDialog::QvOKCancelDialog(CWnd* parent) : QvMsgDialog(parent) {
  ConfigurePair(*this, QvOKButton, QvCancelButton);
}

QvMsgButton QvOKCancelDialog::Process(const QvString& text, const char* caption, unsigned long helpId) {
  if (BypassDialogs()) {
    AppendScriptingErrorText(text);
    return QvOKButton;
  }
  return RunWindow(text, caption, helpId, nullptr);
}

QvActionNoActionDialog::QvActionNoActionDialog(CWnd* parent) : QvMsgDialog(parent) {
  ConfigureActionNoAction(*this);
  SetWarningLevel(QvWarningLevel);
}

QvMsgButton QvActionNoActionDialog::Process(const QvString& text, const QvString& actionText,
                                            const QvString& noActionText, const char* caption,
                                            unsigned long helpId) {
  if (BypassDialogs()) {
    AppendScriptingErrorText(text);
    return QvNoButton;
  }
  SetButtonText(QvButtonPos1, actionText);
  SetButtonText(QvButtonPos2, noActionText);
  return RunWindow(text, caption, helpId, nullptr);
}

QvSaveChangesDialog::QvSaveChangesDialog(CWnd* parent) : QvMsgDialog(parent) {}

QvMsgButton QvSaveChangesDialog::Process(const QvString& text, const char* caption, unsigned long helpId) {
  // A window of its own without a parent; no bypass test of its own: a bypassed run does not
  // start, which answers Cancel.
  QvMsgDialog own(nullptr);
  ConfigureActionNoAction(own);
  own.SetWarningLevel(QvInfoLevel);
  const int answer = own.Window().Run(text.ToWide(), QvString(caption).ToWide(), helpId, std::wstring());
  if (answer == QvYesButton) return QvButton5;
  if (answer == QvNoButton) return QvButton6;
  return QvCancelButton;
}
