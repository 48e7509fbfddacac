// The crash and assertion report: one module-wide block of at most 32000 UTF-8 characters,
// and the sections the filter writes into it. Callers hold the report lock.
#pragma once
#include <windows.h>

namespace crash_report {

const size_t kCapacity = 32000;

void Clear();
// Appends while fewer than kCapacity characters are written; the rest is cut (never in the
// middle of a UTF-8 sequence).
void Append(const char* text);
void AppendF(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
// Wide text, converted to UTF-8.
void AppendWide(const wchar_t* text);
void AppendSeparator();
bool IsFull();
const char* Text();
size_t Length();

// An address as at least 8 hex digits after "0x" (wider on 64-bit when needed).
inline unsigned long long Address(const void* p) {
  return static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(p));
}

void AppendSystemInfo();
void AppendExceptionInfo(const EXCEPTION_RECORD* record);
// The exception names by code; NULL for other codes.
const char* ExceptionName(DWORD code);
// The thread named is the faulting one (the report may be built on another).
void AppendApplicationInfo(DWORD threadId);
void AppendLoadedModules();

}  // namespace crash_report
