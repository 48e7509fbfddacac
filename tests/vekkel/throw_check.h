// Shared by the vekkel tests.
#pragma once
#include <tamrick.h>

namespace vekkel_testing {
const unsigned long kIndexOutOfRange = 0x80041128UL;

// Runs f and answers the code of the QvException it throws, 0 when it throws none.
template <class F>
unsigned long ThrownCode(F f) {
  try {
    f();
  } catch (const QvException& e) {
    return e.Code();
  }
  return 0;
}
}  // namespace vekkel_testing
