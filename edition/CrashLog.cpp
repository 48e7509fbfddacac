// The earlier edition's crash log: what the exception filter reports in GPF blind mode, kept
// in a file in the temporary directory when the configuration asks for it.
#include "CrashLog.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <QvConfigKeys.h>
#include <ulmora.h>

bool IsCrashLogEnabled() {
  unsigned long value = 0;
  return GetKeyDWORDValue("%APPCONFIG%", "LogGPF", value) >= 0 && value == 1;
}

bool GetCrashLogPath(char* path) {
  char directory[260];
  DWORD n = GetTempPathA(sizeof directory, directory);
  if (n == 0 || n >= sizeof directory) return false;
  snprintf(path, MAX_PATH + 16, "%shalvan.log", directory);
  return true;
}

void WriteCrashLog(const char* report) {
  char path[MAX_PATH + 16];
  if (IsCrashLogEnabled() && GetCrashLogPath(path)) {
    // Binary: the report's lines already end in CR LF and must not gain a second CR.
    if (FILE* file = fopen(path, "ab")) {
      fputs("\r\n<<<<<<<<<<<<<<< UNHANDLED EXCEPTION OCCURED >>>>>>>>>>>>>\r\n\r\n", file);
      fputs(report, file);
      fputs("\r\n", file);
      fclose(file);
    }
  }
  UlmLogger log("GPF");
  ULM_LOG(log, UlmLogger::Error, "void __cdecl WriteCrashLog(void)") << "Unhandled exception occured";
}
