// Unwinding one 32-bit x86 frame by the DWARF call-frame information (the .eh_frame section)
// that mingw images carry for every function, those built without a frame pointer included.
#pragma once
#include <windows.h>

#include "StackWalk.h"

namespace crash_report {

#if !defined(_WIN64)

// Moves the context (Eip, Esp, Ebp and the registers the callee saved) to the caller of the
// function holding `pc`: the instruction pointer, or a return address less one. False, with
// the context untouched, when the image holding `pc` has no entry for it or a rule cannot be
// followed (an unknown instruction, a read outside the stack).
bool UnwindByCallFrameInfo(CONTEXT* context, ULONG_PTR pc, const StackBounds& bounds);

#endif

}  // namespace crash_report
