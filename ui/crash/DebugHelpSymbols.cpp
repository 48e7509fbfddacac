// Symbol lookup through dbghelp, for modules whose files carry no COFF symbol tables.
#include "DebugHelpSymbols.h"

#include <dbghelp.h>
#include <string.h>

namespace crash_report {

namespace {

typedef DWORD(WINAPI* SymSetOptionsFn)(DWORD);
typedef BOOL(WINAPI* SymInitializeFn)(HANDLE, PCSTR, BOOL);
typedef BOOL(WINAPI* SymCleanupFn)(HANDLE);
typedef DWORD64(WINAPI* SymGetModuleBase64Fn)(HANDLE, DWORD64);
typedef DWORD64(WINAPI* SymLoadModuleExWFn)(HANDLE, HANDLE, PCWSTR, PCWSTR, DWORD64, DWORD,
                                             PMODLOAD_DATA, DWORD);
typedef BOOL(WINAPI* SymFromAddrWFn)(HANDLE, DWORD64, PDWORD64, PSYMBOL_INFOW);
typedef BOOL(WINAPI* SymGetLineFromAddrW64Fn)(HANDLE, DWORD64, PDWORD, PIMAGEHLP_LINEW64);

struct DebugHelp {
  bool tried;
  HMODULE library;
  HANDLE process;  // our own handle: no clash with another user of dbghelp in the process
  SymCleanupFn cleanup;
  SymGetModuleBase64Fn moduleBase;
  SymLoadModuleExWFn loadModule;
  SymFromAddrWFn fromAddr;
  SymGetLineFromAddrW64Fn lineFromAddr;
};
DebugHelp s_help;

template <typename F>
F Proc(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(s_help.library, name)));
}

bool Ready() {
  if (s_help.tried) return s_help.process != NULL;
  s_help.tried = true;
  s_help.library = LoadLibraryW(L"dbghelp.dll");
  if (s_help.library == NULL) return false;
  auto setOptions = Proc<SymSetOptionsFn>("SymSetOptions");
  auto initialize = Proc<SymInitializeFn>("SymInitialize");
  s_help.cleanup = Proc<SymCleanupFn>("SymCleanup");
  s_help.moduleBase = Proc<SymGetModuleBase64Fn>("SymGetModuleBase64");
  s_help.loadModule = Proc<SymLoadModuleExWFn>("SymLoadModuleExW");
  s_help.fromAddr = Proc<SymFromAddrWFn>("SymFromAddrW");
  s_help.lineFromAddr = Proc<SymGetLineFromAddrW64Fn>("SymGetLineFromAddrW64");
  if (!setOptions || !initialize || !s_help.cleanup || !s_help.moduleBase || !s_help.loadModule ||
      !s_help.fromAddr || !s_help.lineFromAddr)
    return false;
  HANDLE process = NULL;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &process, 0,
                       FALSE, DUPLICATE_SAME_ACCESS))
    return false;
  setOptions(SYMOPT_UNDNAME | SYMOPT_LOAD_LINES | SYMOPT_DEFERRED_LOADS | SYMOPT_FAIL_CRITICAL_ERRORS |
             SYMOPT_NO_PROMPTS);
  if (!initialize(process, NULL, FALSE)) {
    CloseHandle(process);
    return false;
  }
  s_help.process = process;
  return true;
}

void ToUtf8(const wchar_t* text, char* out, int size) {
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, out, size, NULL, NULL) <= 0) out[0] = '\0';
}

}  // namespace

bool DebugHelpLookup(ULONG_PTR address, ULONG_PTR moduleBase, const wchar_t* modulePath,
                     DebugHelpLocation* out) {
  out->function[0] = out->file[0] = '\0';
  out->line = 0;
  if (!Ready()) return false;
  if (s_help.moduleBase(s_help.process, address) == 0 &&
      s_help.loadModule(s_help.process, NULL, modulePath, NULL, moduleBase, 0, NULL, 0) == 0)
    return false;

  const ULONG kNameChars = 255;
  union {
    SYMBOL_INFOW info;
    BYTE space[sizeof(SYMBOL_INFOW) + kNameChars * sizeof(wchar_t)];
  } symbol;
  memset(&symbol, 0, sizeof symbol);
  symbol.info.SizeOfStruct = sizeof(SYMBOL_INFOW);
  symbol.info.MaxNameLen = kNameChars;
  DWORD64 displacement = 0;
  if (!s_help.fromAddr(s_help.process, address, &displacement, &symbol.info) || symbol.info.Name[0] == 0)
    return false;
  ToUtf8(symbol.info.Name, out->function, sizeof out->function);

  IMAGEHLP_LINEW64 line;
  memset(&line, 0, sizeof line);
  line.SizeOfStruct = sizeof line;
  DWORD lineDisplacement = 0;
  if (s_help.lineFromAddr(s_help.process, address, &lineDisplacement, &line)) {
    if (line.FileName != NULL) ToUtf8(line.FileName, out->file, sizeof out->file);
    out->line = line.LineNumber;
  }
  return true;
}

void DebugHelpRelease() {
  if (s_help.process != NULL) {
    s_help.cleanup(s_help.process);
    CloseHandle(s_help.process);
  }
  // The library stays loaded: no FreeLibrary under the loader lock.
  HMODULE library = s_help.library;
  memset(&s_help, 0, sizeof s_help);
  s_help.library = library;
  s_help.tried = false;
}

}  // namespace crash_report
