// Walking and describing the frames of a call stack: x64 through the images' unwind tables,
// x86 through their DWARF call-frame information, else along the chain of frame pointers.
#include "StackWalk.h"

#include <string.h>
#include <wchar.h>

#include <new>

#include "CallFrameInfo.h"
#include "CrashReport.h"
#include "DebugHelpSymbols.h"
#include "UICoffSymbols.h"
#include "UIModuleVersion.h"

namespace crash_report {

namespace {

const int kMaxFrames = 128;

// What the last frame described: its module (the module line is written once per run of
// frames in one module) and source file.
struct FrameState {
  wchar_t module[MAX_PATH * 2];
  char file[MAX_PATH * 2];
  bool opened;
};
FrameState s_state;
CCoffSymbols* s_coff = NULL;  // made on first use, one per process

void WriteFile(const char* file) {
  if (file[0] == '\0') {
    Append("  file: unknown\r\n");
    s_state.file[0] = '\0';
  } else if (strcmp(file, s_state.file) != 0) {
    AppendF("  file: %s\r\n", file);
    strncpy(s_state.file, file, sizeof s_state.file - 1);
    s_state.file[sizeof s_state.file - 1] = '\0';
  }
}

void WriteFunctionAndLine(const char* function, int line) {
  AppendF("    function: %s", function[0] != '\0' ? function : "<unknown>");
  if (line > 0)
    AppendF("  line: %d\r\n", line);
  else
    Append("  line: <unknown>\r\n");
}

bool WriteDebugHelp(ULONG_PTR lookup, ULONG_PTR module) {
  DebugHelpLocation where;
  if (!DebugHelpLookup(lookup, module, s_state.module, &where)) return false;
  WriteFile(where.file);
  WriteFunctionAndLine(where.function, static_cast<int>(where.line));
  return true;
}

// One frame. A return address is looked up one byte back, inside the call instruction: the
// call may be the last instruction of its function.
void AppendFrameInfo(ULONG_PTR address, ULONG_PTR module, bool returnAddress) {
  wchar_t path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(reinterpret_cast<HMODULE>(module), path, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) path[0] = L'\0';
  if (s_coff == NULL) s_coff = new (std::nothrow) CCoffSymbols;
  if (_wcsicmp(path, s_state.module) != 0 || s_state.module[0] == L'\0') {
    wcscpy(s_state.module, path);
    s_state.opened = path[0] != L'\0' && s_coff != NULL && s_coff->Open(path);
    AppendF("Module  at   %#010llx: ", static_cast<unsigned long long>(module));
    AppendWide(path);
    Append("  ");
    CModuleVersion version;
    if (path[0] != L'\0' && version.GetFileVersionInfo(path)) {
      AppendF("v %d.%d.%d.%d ", HIWORD(version.GetVersionMS()), LOWORD(version.GetVersionMS()),
              HIWORD(version.GetVersionLS()), LOWORD(version.GetVersionLS()));
      if (!version.GetLanguageName().empty()) AppendF("[%s]", version.GetLanguageName().c_str());
    }
    Append("\r\n");
  }
  ULONG_PTR lookup = returnAddress ? address - 1 : address;
  DWORD offset = static_cast<DWORD>(lookup - module);
  if (!s_state.opened) {
    Append("  module not accessible\r\n");
    AppendF("    address: %#010llx\r\n", static_cast<unsigned long long>(address));
    if (path[0] != L'\0') WriteDebugHelp(lookup, module);
    return;
  }
  std::string function = s_coff->HasSymbols() ? s_coff->FindFunction(offset) : std::string();
  if (function.empty()) {
    AppendF("    address: %#010llx\r\n", static_cast<unsigned long long>(address));
    if (WriteDebugHelp(lookup, module) || !s_coff->HasSymbols()) return;
  }
  WriteFile(s_coff->FindFile(offset).c_str());
  AppendF("    function: %s", function.empty() ? "<unknown>" : function.c_str());
  if (!s_coff->HasLines()) {
    Append("\r\n");
    return;
  }
  int line = s_coff->FindLine(offset);
  if (line > 0)
    AppendF("  line: %d\r\n", line);
  else
    Append("  line: <unknown>\r\n");
}

// The allocation base of the committed region holding an address; 0 when there is none.
ULONG_PTR ModuleOf(ULONG_PTR address) {
  MEMORY_BASIC_INFORMATION mbi;
  if (address == 0 || VirtualQuery(reinterpret_cast<void*>(address), &mbi, sizeof mbi) != sizeof mbi ||
      mbi.State != MEM_COMMIT)
    return 0;
  return reinterpret_cast<ULONG_PTR>(mbi.AllocationBase);
}

bool InStack(ULONG_PTR p, ULONG_PTR size, const StackBounds& bounds) {
  return p >= bounds.low && p < bounds.high && bounds.high - p >= size;
}

bool IsExecutable(ULONG_PTR address) {
  MEMORY_BASIC_INFORMATION mbi;
  const DWORD kExecute = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  return VirtualQuery(reinterpret_cast<void*>(address), &mbi, sizeof mbi) == sizeof mbi &&
         mbi.State == MEM_COMMIT && (mbi.Protect & kExecute) != 0;
}

#if defined(_WIN64)

// An address that a call instruction pushed: inside a function with unwind information and
// right after a call (E8 rel32, or FF /2 in its register and memory forms).
bool IsReturnAddress(ULONG_PTR address) {
  DWORD64 imageBase = 0;
  if (address < 8 || !IsExecutable(address) || !IsExecutable(address - 7) ||
      RtlLookupFunctionEntry(address, &imageBase, NULL) == NULL)
    return false;
  const BYTE* code = reinterpret_cast<const BYTE*>(address);
  if (code[-5] == 0xE8) return true;
  static const int kModrmAt[] = {1, 2, 5, 6};  // FF modrm [sib] [disp8 | disp32]
  for (int at : kModrmAt)
    if (code[-at - 1] == 0xFF && (code[-at] & 0x38) == 0x10) return true;
  return false;
}

// Unwinds one frame; false when there is no caller.
bool Unwind(CONTEXT* context, const StackBounds& bounds) {
  DWORD64 imageBase = 0;
  PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context->Rip, &imageBase, NULL);
  DWORD64 sp = context->Rsp;
  if (function != NULL) {
    void* handlerData = NULL;
    DWORD64 establisher = 0;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context->Rip, function, context, &handlerData,
                     &establisher, NULL);
  } else {
    // A function without unwind information: a leaf has its return address on top of the
    // stack; a helper that pushed registers first (the stack probe) has it a few slots up.
    const int kSlots = 16;
    int slot = 0;
    while (slot < kSlots && InStack(sp + slot * 8, 8, bounds) &&
           !IsReturnAddress(*reinterpret_cast<DWORD64*>(sp + slot * 8)))
      ++slot;
    if (slot == kSlots || !InStack(sp + slot * 8, 8, bounds)) slot = 0;
    if (!InStack(sp + slot * 8, 8, bounds)) return false;
    context->Rip = *reinterpret_cast<DWORD64*>(sp + slot * 8);
    context->Rsp = sp + slot * 8 + 8;
  }
  return context->Rip != 0 && context->Rsp > sp;
}

void WalkStack(CONTEXT context, bool ipGiven, const StackBounds& bounds) {
  if (!ipGiven && !Unwind(&context, bounds)) return;
  bool returnAddress = !ipGiven;
  for (int frame = 0; frame < kMaxFrames && !IsFull(); ++frame) {
    ULONG_PTR sp = context.Rsp;
    if (sp % 8 != 0 || !InStack(sp, 8, bounds)) return;
    ULONG_PTR module = ModuleOf(context.Rip);
    if (module == 0) return;
    AppendFrameInfo(context.Rip, module, returnAddress);
    if (!Unwind(&context, bounds)) return;
    returnAddress = true;
  }
}

#else

// One frame up the chain of frame pointers, for code without call-frame information.
bool UnwindByFramePointer(CONTEXT* context, const StackBounds& bounds) {
  ULONG_PTR fp = context->Ebp;
  if (fp % 4 != 0 || !InStack(fp, 8, bounds) || fp < context->Esp) return false;
  const ULONG_PTR* saved = reinterpret_cast<const ULONG_PTR*>(fp);
  context->Eip = saved[1];
  context->Ebp = saved[0];
  context->Esp = fp + 8;
  return true;
}

// For the innermost frame in code without call-frame information that pushed no frame of
// its own (the stack probe, which pushes two registers and leaves Ebp to its caller): the
// return address a few slots up whose call (E8 rel32) went to at most kReach below the
// instruction pointer, that is into the function holding it.
bool UnwindByCallIntoHere(CONTEXT* context, const StackBounds& bounds) {
  const int kSlots = 8;
  const ULONG_PTR kReach = 4096;
  ULONG_PTR pc = context->Eip;
  for (int slot = 0; slot < kSlots; ++slot) {
    ULONG_PTR at = context->Esp + slot * 4;
    if (!InStack(at, 4, bounds)) return false;
    ULONG_PTR address = *reinterpret_cast<const ULONG_PTR*>(at);
    if (address < 5 || !IsExecutable(address - 5) || !IsExecutable(address - 1)) continue;
    const BYTE* code = reinterpret_cast<const BYTE*>(address);
    LONG relative;
    memcpy(&relative, code - 4, sizeof relative);
    ULONG_PTR target = address + relative;
    if (code[-5] != 0xE8 || target > pc || pc - target > kReach) continue;
    context->Eip = address;
    context->Esp = at + 4;
    return true;
  }
  return false;
}

// Unwinds one frame; false when there is no caller. A return address is looked up one byte
// back, inside its call: a call to a function that does not return may end its function.
bool Unwind(CONTEXT* context, bool returnAddress, const StackBounds& bounds) {
  ULONG_PTR sp = context->Esp;
  ULONG_PTR pc = returnAddress ? context->Eip - 1 : context->Eip;
  if (!UnwindByCallFrameInfo(context, pc, bounds) && (returnAddress || !UnwindByCallIntoHere(context, bounds)) &&
      !UnwindByFramePointer(context, bounds))
    return false;
  return context->Eip != 0 && context->Esp > sp;
}

void WalkStack(CONTEXT context, bool ipGiven, const StackBounds& bounds) {
  // Without ipGiven the context is already the capturing function's caller's: the 32-bit
  // RtlCaptureContext takes Eip, Esp and Ebp from its caller's frame record, so Eip is the
  // return address into that caller.
  bool returnAddress = !ipGiven;
  for (int frame = 0; frame < kMaxFrames && !IsFull(); ++frame) {
    ULONG_PTR sp = context.Esp;
    if (sp % 4 != 0 || !InStack(sp, 4, bounds)) return;
    ULONG_PTR module = ModuleOf(context.Eip);
    if (module == 0) return;
    AppendFrameInfo(context.Eip, module, returnAddress);
    if (!Unwind(&context, returnAddress, bounds)) return;
    returnAddress = true;
  }
}

#endif

}  // namespace

StackBounds CurrentStackBounds() {
  // The thread's information block names itself in its Self field.
  const NT_TIB* tib;
#if defined(_WIN64)
  __asm__("movq %%gs:0x30, %0" : "=r"(tib));
#else
  __asm__("movl %%fs:0x18, %0" : "=r"(tib));
#endif
  StackBounds b = {reinterpret_cast<ULONG_PTR>(tib->StackLimit), reinterpret_cast<ULONG_PTR>(tib->StackBase)};
  return b;
}

void AppendCallStack(const CONTEXT& context, bool ipGiven, const StackBounds& bounds) {
  ResetFrameInfo();
  Append("Call stack:\r\n");
  AppendSeparator();
  WalkStack(context, ipGiven, bounds);
  AppendSeparator();
}

void ResetFrameInfo() {
  s_state.module[0] = L'\0';
  s_state.file[0] = '\0';
  s_state.opened = false;
}

void ReleaseSymbols() {
  delete s_coff;
  s_coff = NULL;
  DebugHelpRelease();
  ResetFrameInfo();
}

}  // namespace crash_report
