// Opening links in the browser.
#include "Pellix.h"

#include <shellapi.h>

namespace {
PxNavigateObserver g_observer = NULL;
}  // namespace

PxNavigateObserver PxSetNavigateObserver(PxNavigateObserver observer) {
  PxNavigateObserver old = g_observer;
  g_observer = observer;
  return old;
}

BOOL NavigateURL(LPCSTR text, int show) {
  if (text == NULL || *text == 0) return FALSE;
  if (g_observer != NULL) return g_observer(text, show);
  return reinterpret_cast<INT_PTR>(ShellExecuteA(NULL, "open", text, NULL, NULL, show)) > 32;
}
