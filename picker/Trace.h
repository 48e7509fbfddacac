// The entry and exit trace every function of the library carries.
#pragma once
#include <ZelDbug.h>

namespace tessvik {
// Process-wide trace switch: 1 at load, then "EnableDebug" of Debug.ini (CTessvikApp).
extern unsigned char g_traceSwitch;

// Traces entry on construction and exit on every way out, while ZelDbug is on and the
// switch is set. An exit is traced only after a traced entry, so nesting stays balanced.
class TraceScope {
 public:
  explicit TraceScope(const char* function) : m_entered(Enabled()) {
    if (m_entered)
      _db_enter_("Tessvik", function, "../../Include\\ZelDbug", 91, &m_frame.func, &m_frame.file, &m_frame.level,
                 &m_frame.framep);
  }
  ~TraceScope() {
    if (m_entered && Enabled()) _db_return_("Tessvik", 98, &m_frame.func, &m_frame.file, &m_frame.level);
  }
  TraceScope(const TraceScope&) = delete;
  TraceScope& operator=(const TraceScope&) = delete;

 private:
  static bool Enabled() { return _db_on_ != 0 && g_traceSwitch != 0; }
  ZelDbugFrame m_frame;
  bool m_entered;
};
}  // namespace tessvik

#define TESSVIK_TRACE(text) ::tessvik::TraceScope tessvikTrace_(text)
