// The library's start-up and shut-down: the extension module, the window classes it registers
// and the process-wide state it frees when it unloads.
#include "UIModule.h"
#include "UIStackTrace.h"
#include "UIView.h"
#include "ControlClasses.h"

#include <ulmora.h>

#include <new>

AFX_EXTENSION_MODULE UIViewDLL = {FALSE, NULL, NULL, NULL, NULL};

namespace {
UlmLogger s_log("UIView");
CDynLinkLibrary* s_pDynLinkLibrary = NULL;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    StackTraceModuleEntry(hInstance, reason, reserved);
    AfxInitExtensionModule(UIViewDLL, hInstance);
    s_pDynLinkLibrary = new (std::nothrow) CDynLinkLibrary(UIViewDLL, FALSE);
    RegisterToolTableClass(hInstance);
    RegisterIconPaneControlClass(hInstance);
    RegisterTileControlClass(hInstance);
  } else if (reason == DLL_PROCESS_DETACH) {
    StackTraceModuleEntry(hInstance, reason, reserved);
    ULM_LOG(s_log, s_log.DefaultLevel(), "int __stdcall DllMain(struct HINSTANCE__ *,unsigned long,void *)")
        << "DllMain - quarnel terminates";
    if (s_pDynLinkLibrary != NULL) {
      delete s_pDynLinkLibrary;
      s_pDynLinkLibrary = NULL;
    }
    UIViewReleaseSharedResources();
    UnregisterIconPaneControlClass(hInstance);
    UnregisterTileControlClass(hInstance);
    // Kept while windows of it remain; otherwise it would point at this image once unloaded.
    UnregisterToolTableClass(hInstance);
    AfxTermExtensionModule(UIViewDLL, FALSE);
  } else {
    StackTraceModuleEntry(hInstance, reason, reserved);
  }
  return TRUE;
}
