// Helpers shared by the test programs.
#pragma once
#include <windows.h>
#include <string>

namespace testing_support {
// Dispatches every message waiting in this thread's queue.
void PumpMessages();
// Reads a whole file; empty when it does not exist.
std::string ReadFile(const std::string& path);
// A fresh path in the temporary folder, unique per call.
std::string TempPath(const char* stem);
}  // namespace testing_support
