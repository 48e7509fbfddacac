#include "UITrace.h"

#include <windows.h>

namespace quarnel {

void TraceFailedCall(const UlmLogger& log, const char* file, int line, const char* signature,
                     const char* function, const char* call) {
  const DWORD error = GetLastError();
  UlmEvent(log, UlmLogger::Error, file, line, signature)
      << function << " - " << call << " failed, error " << static_cast<unsigned long>(error);
  SetLastError(error);  // for the caller, as the failed call left it
}

void TraceRefused(const UlmLogger& log, const char* file, int line, const char* signature,
                  const char* function, const char* what) {
  UlmEvent(log, UlmLogger::Info, file, line, signature) << function << " - refused: " << what;
}

}  // namespace quarnel
