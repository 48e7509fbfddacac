// Where the client finds Tessvik: beside the test program.
#pragma once
#include <windows.h>

#include <string>

inline std::string BinFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(NULL, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.rfind('\\'));
}

inline std::string TessvikPath() { return BinFolder() + "\\Tessvik.dll"; }
