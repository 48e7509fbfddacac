// The trace switch of Tessvik: "EnableDebug" of Debug.ini beside the host executable, read
// when the library loads. A program of its own, so that nothing else has Tessvik loaded.
#include <gtest/gtest.h>

#include <ZelDbug.h>
#include <windows.h>

#include <string>
#include <vector>

#include "client_paths.h"

namespace {


std::vector<std::string> g_trace;
void __cdecl CollectTrace(const char* line) { g_trace.push_back(line); }

// Loads Tessvik by itself (before COM ever does) with the given Debug.ini and calls
// DllCanUnloadNow with ZelDbug on: the trace lines it wrote.
std::vector<std::string> TraceOfOneCall(const char* ini) {
  std::string iniPath = BinFolder() + "\\Debug.ini";
  DeleteFileA(iniPath.c_str());
  if (ini != NULL) {
    HANDLE f = CreateFileA(iniPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(f, ini, lstrlenA(ini), &written, NULL);
    CloseHandle(f);
  }
  HMODULE dll = LoadLibraryA(TessvikPath().c_str());
  g_trace.clear();
  DbOutputFn old = _db_set_output_(&CollectTrace);
  _db_on_ = 1;
  auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  if (canUnload) canUnload();
  _db_on_ = 0;
  _db_set_output_(old);
  FreeLibrary(dll);
  DeleteFileA(iniPath.c_str());
  return g_trace;
}

TEST(TraceSwitch, DebugIniBesideTheExecutable) {
  ASSERT_EQ(GetModuleHandleA("Tessvik.dll"), nullptr);
  const std::vector<std::string> traced = {"Tessvik: >STDAPI DllCanUnloadNow (91)\n",
                                           "Tessvik: <STDAPI DllCanUnloadNow (98)\n"};
  struct Case {
    const char* ini;
    bool on;
  } cases[] = {
      {NULL, true},  // no Debug.ini: the default 1
      {"[Tessvik.DLL]\r\nEnableDebug=0\r\n", false},
      {"[Tessvik.DLL]\r\nEnableDebug=5\r\n", true},
      {"[Other]\r\nEnableDebug=0\r\n", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TraceOfOneCall(c.ini), c.on ? traced : std::vector<std::string>()) << (c.ini ? c.ini : "none");
    ASSERT_EQ(GetModuleHandleA("Tessvik.dll"), nullptr);
  }
}

}  // namespace
