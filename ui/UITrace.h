// Failure traces of the library (the ulmora convention, through the calling file's logger):
// a system call that failed is named with the system's error code (Error level); an argument
// or input refused before any call says what was refused (Info level). The two are told apart
// in the field by level and text: "<function> - <call> failed, error <n>" and
// "<function> - refused: <what>".
#pragma once
#include <ulmora.h>

namespace quarnel {

void TraceFailedCall(const UlmLogger& log, const char* file, int line, const char* signature,
                     const char* function, const char* call);
void TraceRefused(const UlmLogger& log, const char* file, int line, const char* signature,
                  const char* function, const char* what);

}  // namespace quarnel

#define UI_TRACE_FAILED(log, call) \
  ::quarnel::TraceFailedCall((log), __FILE__, __LINE__, __PRETTY_FUNCTION__, __func__, (call))
#define UI_TRACE_REFUSED(log, what) \
  ::quarnel::TraceRefused((log), __FILE__, __LINE__, __PRETTY_FUNCTION__, __func__, (what))
