// The date/time field on a real parent window: an edit, the field and a button in tab order,
// the parent routing WM_NOTIFY as the portable windows do, a container that notes the
// portable notifications, and the locale's date and time format chosen per test.
#pragma once
#include <GUIDateTimeCtrl.h>
#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <QvDateTimeCtrl.h>
#include <QvGUIContainer.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

enum : unsigned short { kBefore = 10, kField = 20, kAfter = 30 };

// The portable notifications reaching the container, as (control id, code).
class NotedContainer : public QvGUIContainer {
 public:
  NotedContainer() : QvGUIContainer(nullptr, 0) {}
  bool OnControlNotification(QvControlNotification& n) override {
    seen.push_back({n.m_controlID, n.m_code});
    if (onNotify) onNotify(n);
    return true;
  }
  std::vector<std::pair<unsigned short, int>> seen;
  std::function<void(QvControlNotification&)> onNotify;
};

// The parent: logs WM_NOTIFY for the recorder and hands it to the portable routing.
class FieldParent : public CWnd {
 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class DateTimeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  // The format of a Windows locale ("de-DE", ...), with or without four-digit years, made
  // the global locale's until the test ends.
  void UseLocale(const wchar_t* name, bool fourDigitYears = true);
  // The field's edit at a position (0, 2, 4, 5).
  HWND FieldAt(int position) const;
  std::wstring TextAt(int position) const;
  // Characters typed into the edit at a position (as WM_CHAR messages), after its whole text
  // is selected.
  void TypeInto(int position, const std::wstring& text);
  // Gives the focus to the edit at the position (foreground first).
  void Focus(int position);
  int ChangeCount() const;  // portable notifications 1800

  FieldParent parent;
  NotedContainer* container = nullptr;
  QvDateTimeCtrl* control = nullptr;
  CGUIDateTimeCtrl* platform = nullptr;
  HWND field = NULL;
  QvDateTimeFormat saved;
};

// The Unicode text as the clipboard's.
void PutTextOnClipboard(HWND owner, const wchar_t* text);
