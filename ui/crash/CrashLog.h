// The earlier edition's crash log (built from edition/ in the ANSI edition only).
#pragma once

// True when the configuration DWORD "LogGPF" under "%APPCONFIG%" is 1.
bool IsCrashLogEnabled();
// "%shalvan.log" with the temporary directory; path holds at least MAX_PATH + 16 characters.
// False when the temporary directory is unknown.
bool GetCrashLogPath(char* path);
// When enabled, appends a banner and the report, as it stands, to the log file; always logs
// "Unhandled exception occured" at error level through the logger "GPF".
void WriteCrashLog(const char* report);
