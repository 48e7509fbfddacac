// MFCMsgDialog: the window of the portable message boxes (see QvMsgDialog.h). A multi-modal
// dialog on the library's own dialog template 256 that creates and lays out its icon, its text
// and a row of four push buttons itself, and optionally a read-only detail box under them.
//
// Its modal run (Run) answers the QvMsgButton of the pressed control: IDOK 0, IDCANCEL (Escape
// and the close box too) 1, and so on by the kind table of ButtonKindId/ButtonKindAnswer; a run
// that does not start (dialogs bypassed, no window) answers -1.
#pragma once
#include <framework.h>
#include <fw_stdctrls.h>

#include <string>

#include <MultiModalDialog.h>
#include <vekkel.h>

#include "quarnel_api.h"

// A button's kind: what it says and what pressing it answers.
enum QvMsgButton {
  QvOKButton = 0,
  QvCancelButton = 1,
  QvYesButton = 2,
  QvButton3 = 3,
  QvNoButton = 4,
  QvButton5 = 5,
  QvButton6 = 6,
  QvButton7 = 7,
  QvAbortButton = 8,
  QvButton9 = 9,
  QvHelpButton = 10,     // opens the detail box
  QvDetailsButton = 11,  // opens the detail box
};

// The four button slots, left to right.
enum QvButtonPosition { QvButtonPos0 = 0, QvButtonPos1 = 1, QvButtonPos2 = 2, QvButtonPos3 = 3 };

// 0 information, 1 warning, any other value error.
enum QvWarnLvl { QvInfoLevel = 0, QvWarningLevel = 1, QvErrorLevel = 2 };

// The command of the Help and details buttons.
enum { QV_ID_MSGHELP = 57670 };
// The library's template of the message dialog.
enum { IDD_QV_MSGDIALOG = 256 };

// The control id of a kind (65535 for a value outside the table), its label id (0 when none),
// and the answer of a control id (-1 for an id that answers nothing).
QUARNEL_API UINT ButtonKindId(int kind);
QUARNEL_API unsigned long ButtonKindLabel(int kind);
QUARNEL_API int ButtonKindAnswer(UINT controlId);

// Measures a message for the dialog and breaks its long lines, in the font selected in dc.
// Lines end at a line feed, a carriage return, or a CR LF pair (one break). A line `limit`
// pixels wide or more is broken at the last blank at or before the middle of its characters
// (position 1 up to the middle), else at the last blank of the next quarter, the blank then
// becoming a line feed; a line with no such blank gets a line feed inserted at its middle,
// keeping every character. The broken parts are measured again. Answers the widest line by
// the sum of the line heights (an empty line is measured as one blank).
QUARNEL_API SIZE MeasureAndBreakMessage(HDC dc, std::wstring& text, int limit = 500);

// One button slot: what the button is made with, and the button once made.
class QUARNEL_API CSTDButton : public CButton {
 public:
  DWORD m_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  std::wstring m_text;
  UINT m_id = 0;
  int m_width = 0;
  int m_height = 0;
};

class QUARNEL_API MFCMsgDialog : public CMultiModalDialog {
  DECLARE_DYNAMIC(MFCMsgDialog)
 public:
  explicit MFCMsgDialog(CWnd* parent = NULL);
  ~MFCMsgDialog() override;

  void SetButtonDefaultText(int pos, int kind);
  void SetButtonText(int pos, const std::wstring& text);
  void SetButtonVis(int pos, bool visible);
  void EnableButton(int pos, bool enabled);
  void SetDefaultButton(int pos);
  void SetCancelButton(int pos);
  void SetWarningLevel(int level) { m_warningLevel = level; }
  // Back to the state of a new dialog's slot: visible, empty, id pos + 1, not default.
  void ResetButton(int pos);

  // The modal run: the caption (the application's name when empty), the help id (non-zero:
  // slots 1 to 3 move one place left and slot 3 becomes the Help button), the detail text.
  // The application's modeless windows and the top-level owner are disabled for the run; only
  // what the run disabled is enabled again.
  int Run(const std::wstring& message, const std::wstring& caption, unsigned long helpId,
          const std::wstring& detail);

  const CSTDButton& Slot(int pos) const { return m_buttons[pos]; }
  const std::wstring& Message() const { return m_message; }
  bool DetailsShown() const { return m_detailsShown; }
  CEdit& DetailEdit() { return m_detailEdit; }
  CStatic& TextStatic() { return m_textStatic; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;
  void ShowDetails();
  // Ends the run with that answer.
  void Finish(int answer);

  CSTDButton m_buttons[4];
  CStatic m_iconStatic;
  CStatic m_textStatic;
  CEdit m_detailEdit;
  std::wstring m_message;
  std::wstring m_detail;
  std::wstring m_caption;
  int m_warningLevel = QvInfoLevel;
  unsigned long m_helpId = 0;
  bool m_hasDetails = false;
  bool m_detailsShown = false;
};
