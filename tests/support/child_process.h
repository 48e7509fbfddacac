// Running this test program again as a child process, for what needs its own process (a
// command line of its own, a fresh start-up).
#pragma once
#include <string>

namespace testing_support {
// Runs this program with the arguments appended to its path and waits up to a minute; its
// exit code, -1 when it could not start, WAIT_TIMEOUT (258) when it had to be ended.
int RunThisProgram(const std::wstring& arguments);
// The same, dispatching this thread's messages while it waits: for a child that sends to
// this process's windows.
int RunThisProgramPumping(const std::wstring& arguments);
}  // namespace testing_support
