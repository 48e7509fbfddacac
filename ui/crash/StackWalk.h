// The call stack of the crash and assertion reports.
#pragma once
#include <windows.h>

namespace crash_report {

// The part of a thread's stack that holds its frames.
struct StackBounds {
  ULONG_PTR low;   // committed bottom
  ULONG_PTR high;  // top (exclusive)
};
StackBounds CurrentStackBounds();

// "Call stack:\r\n", the separator, the frames, the separator. With ipGiven the first
// frame is the context's instruction pointer; without, the context is one RtlCaptureContext
// made and the walk starts in the caller of the function that captured it. The walk stops at
// a frame whose stack pointer is misaligned, leaves the stack or does not rise, at an address
// in no allocated region, after 128 frames or when the report is full.
void AppendCallStack(const CONTEXT& context, bool ipGiven, const StackBounds& bounds);

// Forgets the module and file last described (each report starts afresh).
void ResetFrameInfo();
// Closes the symbol reader and the debug-help session (at unload).
void ReleaseSymbols();

}  // namespace crash_report
