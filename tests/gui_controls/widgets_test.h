// Shared pieces of the portable-control tests: a framework dialog made from a template in
// memory that routes its children's notifications as the portable dialogs do, holding one
// child of every kind, and a container that notes the portable notifications reaching it.
#pragma once
#include <GUIControls.h>
#include <GUIPlatformGlue.h>
#include <QvControls.h>
#include <QvGUIContainer.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <functional>

#include <functional>
#include <string>
#include <vector>

#include "recorder.h"

// The children of the test dialog.
enum ChildId : unsigned short {
  kStatic = 10,
  kEdit = 11,
  kPassword = 12,
  kPush = 13,
  kRadio = 14,
  kCheck = 15,
  kGroup = 16,
  kList = 17,
  kExtendedList = 18,
  kDropList = 19,
  kDropDown = 20,
  kSpinner = 21,
  kSlider = 22,
  kProgress = 23,
  kMultiLine = 24,
  kTriState = 25,
  kMultiList = 26,
  kFontsCombo = 27,
  kSizesCombo = 28,
  kZoomCombo = 29,
  kPatternCombo = 30,
  kLineCombo = 31,
};

// A portable notification as it reached the container.
struct Seen {
  unsigned short id;
  NotificationCode code;
  LONG_PTR value;
  bool operator==(const Seen& o) const { return id == o.id && code == o.code && value == o.value; }
};
std::ostream& operator<<(std::ostream& os, const Seen& s);

class RecordingContainer : public QvGUIContainer {
 public:
  RecordingContainer() : QvGUIContainer(nullptr, 0) {}
  bool OnControlNotification(QvControlNotification& n) override {
    seen.push_back({n.m_controlID, n.m_code, n.m_value});
    if (onNotify) onNotify(n);
    return true;
  }
  std::vector<Seen> seen;
  std::function<void(QvControlNotification&)> onNotify;  // what the test does meanwhile
};

// The dialog: WM_COMMAND to GUIOnCommand, WM_NOTIFY to GUIOnNotify, trackbar scrolling to the
// container's translation, WM_CTLCOLOR to GUIOnCtlColor; the children's notifications are
// logged to the recorder as seen by a parent.
class ControlsDialog : public CDialog {
 public:
  ControlsDialog() = default;
  // Made modeless, shown, from the template of every kind.
  bool Make();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnOK() override {}
  void OnCancel() override {}
};

class WidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:  // for the case tables
  HWND Child(unsigned short id) const { return ::GetDlgItem(dialog.m_hWnd, id); }
  // The control of the child as that kind.
  template <class Kind>
  Kind* Get(unsigned short id) {
    Kind* control = nullptr;
    EXPECT_TRUE(container->GetControlFromID(control, id, 0)) << id;
    return control;
  }
  std::wstring Text(unsigned short id) const;
  // Moves the focus to the child through the dialog (foreground first).
  void Focus(unsigned short id);

  ControlsDialog dialog;
  RecordingContainer* container = nullptr;
};

// A notification sent to the dialog by one of its children, and its WM_COMMAND wParam.
const unsigned kParentSent = testing_support::kSent | testing_support::kParent;
inline WPARAM Cmd(unsigned short id, int code) { return MAKEWPARAM(id, code); }

// An action on the dialog's children, the Windows notifications the dialog gets (in order,
// ended by {0}), and the portable notifications that reach the container.
struct NotificationCase {
  const char* what;
  std::function<void(WidgetsTest&)> act;
  std::vector<testing_support::ExpectedMsg> windows;
  std::vector<Seen> portable;
};

// Clears both logs, acts, pumps, then compares the dialog's messages and, unless `portable` is
// empty and `emptyPortableUnchecked`, what reached the container.
void ExpectNotifications(WidgetsTest& test, const NotificationCase& c, bool emptyPortableUnchecked = false);

// Puts the text on the clipboard as Unicode text.
void PutOnClipboard(HWND owner, const wchar_t* text);
