// The assertion handler of checked builds.
#include "fw_defs.h"

#include <stdio.h>

namespace {

void DefaultHandler(const char* file, int line, const char* expression) {
  char text[1024];
  snprintf(text, sizeof text, "%s(%d): assertion failed: %s\n", file != NULL ? file : "?", line,
           expression != NULL ? expression : "?");
  ::OutputDebugStringA(text);
  if (::IsDebuggerPresent()) ::DebugBreak();
}

FwAssertHandler volatile s_handler = NULL;  // NULL: DefaultHandler

}  // namespace

extern "C" FwAssertHandler FwSetAssertHandler(FwAssertHandler handler) {
  return reinterpret_cast<FwAssertHandler>(
      ::InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&s_handler), reinterpret_cast<void*>(handler)));
}

extern "C" void FwAssertFailed(const char* file, int line, const char* expression) {
  FwAssertHandler handler = reinterpret_cast<FwAssertHandler>(
      ::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&s_handler), NULL, NULL));
  (handler != NULL ? handler : DefaultHandler)(file, line, expression);
}
