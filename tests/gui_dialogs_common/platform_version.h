// Runs a scope as if the library ran on another Windows version (the paths of old systems on
// a current one), and puts the running one back after it.
#pragma once
#include <GUIPlatformUtilities.h>

struct PlatformVersion {
  WindowsVersion before;
  explicit PlatformVersion(WindowsVersion version) : before(GUISetWindowsVersion(version)) {}
  ~PlatformVersion() { GUISetWindowsVersion(before); }
  PlatformVersion(const PlatformVersion&) = delete;
  PlatformVersion& operator=(const PlatformVersion&) = delete;
};
