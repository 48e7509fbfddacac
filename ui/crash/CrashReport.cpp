// The report block and its sections (system, exception, application, loaded modules).
#include "CrashReport.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "UIModuleVersion.h"
#include "UIOSVersion.h"

namespace crash_report {

namespace {

char s_text[kCapacity + 1];
size_t s_length = 0;
bool s_full = false;

void AppendBytes(const char* text, size_t n) {
  if (s_full) return;
  size_t room = kCapacity - s_length;
  if (n > room) {
    n = room;
    // Cut before the whole of a UTF-8 sequence that would not fit.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    s_full = true;
  }
  memcpy(s_text + s_length, text, n);
  s_length += n;
  s_text[s_length] = '\0';
  if (s_length == kCapacity) s_full = true;
}

void AppendDateTime(const SYSTEMTIME& st, const char* between) {
  wchar_t date[128], time[64];
  if (GetDateFormatW(LOCALE_SYSTEM_DEFAULT, LOCALE_NOUSEROVERRIDE | DATE_LONGDATE, &st, NULL, date, 128) == 0)
    date[0] = L'\0';
  // 24-hour, no seconds, whatever the locale's own time format.
  if (GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, LOCALE_NOUSEROVERRIDE, &st, L"HH':'mm", time, 64) == 0)
    time[0] = L'\0';
  AppendWide(date);
  Append(between);
  AppendWide(time);
}

}  // namespace

void Clear() {
  s_length = 0;
  s_full = false;
  s_text[0] = '\0';
}

void Append(const char* text) {
  if (text != NULL) AppendBytes(text, strlen(text));
}

void AppendF(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (n < 0) return;
  AppendBytes(line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
}

void AppendWide(const wchar_t* text) {
  if (text == NULL) return;
  // In pieces through a stack buffer: no heap while the process may be damaged.
  const int kPiece = 256;
  char utf8[kPiece * 3 + 4];
  while (*text != L'\0' && !s_full) {
    int n = 0;
    while (n < kPiece && text[n] != L'\0') ++n;
    // Keep a surrogate pair together.
    if (n == kPiece && text[n] != L'\0' && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, n, utf8, sizeof utf8, NULL, NULL);
    if (bytes <= 0) return;
    AppendBytes(utf8, bytes);
    text += n;
  }
}

void AppendSeparator() {
  Append("------------------------------------------------------------------\r\n");
}

bool IsFull() { return s_full; }
const char* Text() { return s_text; }
size_t Length() { return s_length; }

void AppendSystemInfo() {
  COSVersion os;
  AppendF("%u processor %s Family %u Model %u Stepping %u\r\n", 1u, os.GetProcessorName().c_str(),
          static_cast<unsigned>(os.GetProcessorFamily()), static_cast<unsigned>(os.GetProcessorModel()),
          static_cast<unsigned>(os.GetProcessorStepping()));
  Append(os.GetSystemName().c_str());
  const char* pack = os.GetServicePack().c_str();
  while (*pack == ' ') ++pack;
  unsigned major = os.GetMajor(), minor = os.GetMinor(), build = os.GetBuild();
  if (*pack != '\0')
    AppendF(" v%u.%u build %u (%s)\r\n", major, minor, build, pack);
  else
    AppendF(" v%u.%u build %u\r\n", major, minor, build);
  AppendF("Physical Total/Avail: %s Kb / %s Kb\r\n", UIGroupDigits(os.GetTotalPhysicalKb()).c_str(),
          UIGroupDigits(os.GetAvailPhysicalKb()).c_str());
  wchar_t temp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) temp[0] = L'\0';
  Append("Temp directory ");
  AppendWide(temp);
  AppendF(" (%s Kb available)\r\n", UIGroupDigits(COSVersion::GetFreeSpaceKb(temp)).c_str());
  std::string adapter = os.GetDisplayAdapter();
  DWORD width, height, colors;
  os.GetDisplayMode(&width, &height, &colors);
  Append("'");
  Append(adapter.empty() ? "Unknown" : adapter.c_str());
  if (colors == 0xFFFFFFFF)
    AppendF("' video card\r\n   %u x %u in true color", static_cast<unsigned>(width), static_cast<unsigned>(height));
  else
    AppendF("' video card\r\n   %u x %u with %u colors", static_cast<unsigned>(width),
            static_cast<unsigned>(height), static_cast<unsigned>(colors));
  Append("\r\n");
  AppendSeparator();
  Append("\r\n\r\n");
}

const char* ExceptionName(DWORD code) {
  static const struct {
    DWORD code;
    const char* name;
  } kNames[] = {
      {0xC0000005, "EXCEPTION_ACCESS_VIOLATION"},     {0xC000008C, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
      {0x80000003, "EXCEPTION_BREAKPOINT"},           {0x80000002, "EXCEPTION_DATATYPE_MISALIGNMENT"},
      {0xC000008D, "EXCEPTION_FLT_DENORMAL_OPERAND"}, {0xC000008E, "EXCEPTION_FLT_DIVIDE_BY_ZERO"},
      {0xC000008F, "EXCEPTION_FLT_INEXACT_RESULT"},   {0xC0000090, "EXCEPTION_FLT_INVALID_OPERATION"},
      {0xC0000091, "EXCEPTION_FLT_OVERFLOW"},         {0xC0000092, "EXCEPTION_FLT_STACK_CHECK"},
      {0xC0000093, "EXCEPTION_FLT_UNDERFLOW"},        {0x80000001, "EXCEPTION_GUARD_PAGE"},
      {0xC000001D, "EXCEPTION_ILLEGAL_INSTRUCTION"},  {0xC0000006, "EXCEPTION_IN_PAGE_ERROR"},
      {0xC0000094, "EXCEPTION_INT_DIVIDE_BY_ZERO"},   {0xC0000095, "EXCEPTION_INT_OVERFLOW"},
      {0xC0000026, "EXCEPTION_INVALID_DISPOSITION"},  {0xC0000025, "EXCEPTION_NONCONTINUABLE_EXCEPTION"},
      {0xC0000096, "EXCEPTION_PRIV_INSTRUCTION"},     {0x80000004, "EXCEPTION_SINGLE_STEP"},
      {0xC00000FD, "EXCEPTION_STACK_OVERFLOW"},
  };
  for (const auto& n : kNames)
    if (n.code == code) return n.name;
  return NULL;
}

void AppendExceptionInfo(const EXCEPTION_RECORD* record) {
  DWORD code = record != NULL ? record->ExceptionCode : 0;
  AppendF("Unhandled Exception\r\n  Code: %x\r\n", static_cast<unsigned>(code));
  const char* name = ExceptionName(code);
  if (name != NULL)
    AppendF("  Description: %s\r\n", name);
  else
    Append("  Description unavailable\r\n");
}

void AppendApplicationInfo(DWORD threadId) {
  Append("\r\n\r\n");
  Append("Application: \r\n");
  AppendSeparator();
  COSVersion os;
  if (os.IsNT())
    AppendF("%u ", static_cast<unsigned>(GetCurrentProcessId()));
  else
    AppendF("0x%X ", static_cast<unsigned>(GetCurrentProcessId()));
  AppendWide(GetCommandLineW());
  AppendF("\r\n  current thread 0x%X", static_cast<unsigned>(threadId));
  Append("\r\n");
  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
    SYSTEMTIME st;
    if (FileTimeToSystemTime(&created, &st)) {
      Append("started: ");
      AppendDateTime(st, " at ");
      Append("\r\n");
    }
    GetSystemTime(&st);
    Append("ends:    ");
    AppendDateTime(st, "  at ");
    Append("\r\n");
    ULARGE_INTEGER u, k;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    AppendF("  User mode: %u ms   Kernel mode: %u ms", static_cast<unsigned>(u.QuadPart / 10000),
            static_cast<unsigned>(k.QuadPart / 10000));
    Append("\r\n");
  }
  Append("\r\n");
}

void AppendLoadedModules() {
  Append("\r\n");
  Append("Loaded modules: \r\n");
  AppendSeparator();
  const BYTE* address = NULL;
  MEMORY_BASIC_INFORMATION mbi;
  while (!IsFull() && VirtualQuery(address, &mbi, sizeof mbi) == sizeof mbi) {
    wchar_t path[MAX_PATH * 2];
    if (mbi.Type == MEM_IMAGE && mbi.BaseAddress == mbi.AllocationBase &&
        GetModuleFileNameW(static_cast<HMODULE>(mbi.AllocationBase), path, MAX_PATH * 2) > 0) {
      Append("  ");
      AppendF("  0x%08llX\t", Address(mbi.BaseAddress));
      AppendWide(path);
      CModuleVersion version;
      if (version.GetFileVersionInfo(path)) {
        AppendF("\t v %d.%d.%d.%d ", HIWORD(version.GetVersionMS()), LOWORD(version.GetVersionMS()),
                HIWORD(version.GetVersionLS()), LOWORD(version.GetVersionLS()));
        AppendF("\t[%s]", version.GetLanguageName().empty() ? "?" : version.GetLanguageName().c_str());
      } else {
        Append("\t v 0.0.0.0 ");
      }
      Append("\r\n");
    }
    const BYTE* next = static_cast<const BYTE*>(mbi.BaseAddress) + mbi.RegionSize;
    if (next <= address) break;
    address = next;
  }
}

}  // namespace crash_report
