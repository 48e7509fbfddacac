// Helpers shared by the framework-core tests.
#pragma once
#include <framework.h>

namespace fwcore_test {

// Runs f; true when it threw an exception of type E (which is freed here). Other framework
// exceptions propagate and fail the test.
template <class E, class F>
bool Throws(F f) {
  try {
    f();
  } catch (E* e) {
    e->Delete();
    return true;
  }
  return false;
}

template <class F>
bool ThrowsInvalidArg(F f) {
  return Throws<CInvalidArgException>(f);
}

}  // namespace fwcore_test
