// Shared pieces of the portable frame tests: the portable layer started over the program's
// command tables, a portable window that records what it is asked and answers status from a
// table, and both portable frames with a command and an update handler of their own that log
// every message to the recorder.
#pragma once
#include <GUIFrameWnd.h>
#include <GUIInitialisations.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <QvEffectiveCommands.h>
#include <QvWindow.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "recorder.h"

// Commands of the program's table (pframes_test.rc).
enum {
  kOpen = 300,        // message-bar text, help id 4711
  kPrint = 301,       // no message-bar text, no help id; Ctrl+P
  kRedirected = 302,  // redirected to kTarget by the tests
  kTarget = 303,      // help id 4733
  kOwn = 305,         // run by the frame's message map, disabled by its update handler
  kFrameOnly = 306,   // run by the frame's message map, no update handler
};

// What became of the portable windows of a test.
struct WindowLog {
  int terminated = 0;
  int destroyed = 0;
};

// A portable window: executes the commands it answers for, answers status from a table and
// may refuse a close from the system menu.
class TestWindow : public QvWindow {
 public:
  explicit TestWindow(WindowLog* log) : QvWindow(nullptr), m_log(log) {}
  ~TestWindow() override { ++m_log->destroyed; }
  bool OnCommand(QvCommand& command) override;
  bool OnUpdateCommandStatus(QvCommandStatus& status) override;
  bool OnSystemClose() override { return allowClose; }
  void OnTerminate() override {
    ++m_log->terminated;
    QvWindow::OnTerminate();
  }
  struct Answer {
    bool enable = true;
    QvTriState check = QvUnchecked;
  };
  std::map<unsigned short, Answer> answers;
  std::vector<unsigned short> executed;
  bool allowClose = true;

 private:
  WindowLog* m_log;
};

// A container that is not a window: its OnTerminate does nothing, so its frame deletes it.
class TestContainer : public QvGUIContainer {
 public:
  explicit TestContainer(WindowLog* log) : QvGUIContainer(nullptr, 0), m_log(log) {}
  ~TestContainer() override { ++m_log->destroyed; }
  void OnTerminate() override { ++m_log->terminated; }

 private:
  WindowLog* m_log;
};

// The frames' own handlers: what ran, and how often the update handler of kOwn was asked.
struct FrameHandlers {
  int ownRuns = 0;
  int ownProbes = 0;
  int frameOnlyRuns = 0;
};

class SdiFrame : public CGUIFrameWnd {
 public:
  FrameHandlers handlers;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    testing_support::Recorder().Record(m_hWnd, message, wParam, lParam);
    return CGUIFrameWnd::WindowProc(message, wParam, lParam);
  }
  afx_msg void OnOwn() { ++handlers.ownRuns; }
  afx_msg void OnFrameOnly() { ++handlers.frameOnlyRuns; }
  afx_msg void OnUpdateOwn(CCmdUI* probe) {
    ++handlers.ownProbes;
    probe->Enable(FALSE);
  }
  DECLARE_MESSAGE_MAP()
};

class MdiFrame : public CGUIMDIFrameWnd {
 public:
  FrameHandlers handlers;
  HWND Client() const { return m_hWndMDIClient; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    testing_support::Recorder().Record(m_hWnd, message, wParam, lParam);
    return CGUIMDIFrameWnd::WindowProc(message, wParam, lParam);
  }
  afx_msg void OnOwn() { ++handlers.ownRuns; }
  afx_msg void OnFrameOnly() { ++handlers.frameOnlyRuns; }
  afx_msg void OnUpdateOwn(CCmdUI* probe) {
    ++handlers.ownProbes;
    probe->Enable(FALSE);
  }
  DECLARE_MESSAGE_MAP()
};

enum FrameKind { kSdi, kMdi };
const char* KindName(FrameKind kind);

// A portable frame of either kind, made hidden (or as a child of `parent`). The frame object
// deletes itself when its window is destroyed.
CFrameWnd* MakeFrame(FrameKind kind, HWND parent = NULL, const RECT& rect = {40, 30, 440, 330});
FrameHandlers& HandlersOf(CFrameWnd* frame);
// A window and its frame entered in the window map, both ways.
void Bind(QvGUIContainer* container, CFrameWnd* frame);

// The layer started over the program's tables, with an effective-command map; released
// after the test.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  WindowLog log;
};
