// The message recorder: windows and hooks log the messages they see; a test states the
// sequence it expects as data and compares.
//
//   Recorder().Reset();                 // drain the queue, clear the log
//   ...act...
//   Recorder().Pump();                  // dispatch what was posted (marked as posted)
//   EXPECT_TRUE(Recorder().Matches(kExpected));
//
// Expected sequences are arrays of ExpectedMsg ended by {0}. A recorded message matches an
// expected one when the message is the same, its kind flags (sent or posted, parent,
// default processing, hook) are equal, and wParam/lParam are equal where kWparam/kLparam
// ask for it. kOptional entries may be missing; any recorded message left over fails.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

enum MsgFlags : unsigned {
  kSent = 0x01,        // sent to the window procedure (SendMessage, or by the system)
  kPosted = 0x02,      // taken from the queue and dispatched
  kParent = 0x04,      // seen by a LoggingParent
  kDefWinProc = 0x08,  // sent while a logging window's default processing ran
  kOptional = 0x100,   // expected only: may be missing
  kWparam = 0x200,     // expected only: wParam must match
  kLparam = 0x400,     // expected only: lParam must match
};

struct ExpectedMsg {
  UINT message;
  unsigned flags;
  WPARAM wParam;
  LPARAM lParam;
};

struct RecordedMsg {
  HWND hwnd;
  UINT message;
  unsigned flags;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageRecorder {
 public:
  MessageRecorder();

  // Adds a message; `flags` says where it was seen (kParent), sent or posted is found
  // here unless given. Ignored messages and windows not watched (when a watch list is set)
  // are dropped.
  void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned flags = 0);
  void Clear() { m_log.clear(); }
  // Dispatches everything waiting, then clears the log.
  void Reset();
  // Dispatches everything waiting in this thread's queue; those messages log as posted.
  void Pump();
  const std::vector<RecordedMsg>& Messages() const { return m_log; }
  // Count of recorded messages of this kind (to any window).
  size_t Count(UINT message) const;

  // Only these windows are logged (empty: all).
  void Watch(HWND hwnd) { m_watched.insert(hwnd); }
  // Leaves a message out of the log until Unignore (painting that a sequence does not speak of).
  void Ignore(UINT message) { m_ignored.insert(message); }
  void Unignore(UINT message) { m_ignored.erase(message); }
  void UnwatchAll() { m_watched.clear(); }

  testing::AssertionResult Matches(const ExpectedMsg* expected) const;

  // Marks the messages sent meanwhile as sent by default processing.
  class DefaultScope {
   public:
    explicit DefaultScope(MessageRecorder& r) : m_r(r) { ++m_r.m_defaultDepth; }
    ~DefaultScope() { --m_r.m_defaultDepth; }
    DefaultScope(const DefaultScope&) = delete;
    DefaultScope& operator=(const DefaultScope&) = delete;
   private:
    MessageRecorder& m_r;
  };

 private:
  std::vector<RecordedMsg> m_log;
  std::set<UINT> m_ignored;  // system noise no sequence mentions (icons, IME, accessibility)
  std::set<HWND> m_watched;
  int m_defaultDepth = 0;
  MSG m_dispatching = {};  // the queue message being dispatched by Pump, until it is logged
  bool m_dispatchPending = false;
};

// The recorder of this process.
MessageRecorder& Recorder();

// A window of a registered test class that logs every message (kParent) and then does the
// default processing (unless `answer` handles it).
class LoggingParent {
 public:
  explicit LoggingParent(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = NULL, const RECT& rc = {0, 0, 300, 200});
  ~LoggingParent();
  LoggingParent(const LoggingParent&) = delete;
  LoggingParent& operator=(const LoggingParent&) = delete;
  HWND hwnd() const { return m_hwnd; }
  // Answers a message in place of the default processing when it returns true.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> answer;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND m_hwnd = NULL;
};

// Subclasses an existing window: logs each message it gets, then hands it on to the
// procedure it had. The destructor puts that procedure back.
class SubclassedControl {
 public:
  explicit SubclassedControl(HWND hwnd);
  ~SubclassedControl();
  SubclassedControl(const SubclassedControl&) = delete;
  SubclassedControl& operator=(const SubclassedControl&) = delete;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND m_hwnd;
  WNDPROC m_previous;
};

}  // namespace testing_support
