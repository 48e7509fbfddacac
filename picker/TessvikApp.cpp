// CTessvikApp, the trace switch and the DLL's entry point.
#include "TessvikApp.h"

#include <fw_ole.h>
#include <stdio.h>
#include <string.h>

#include "Trace.h"

namespace tessvik {
unsigned char g_traceSwitch = 1;

int ReadDebugSwitch(const char* exePath) {
  const char* slash = exePath != NULL ? strrchr(exePath, '\\') : NULL;
  if (slash == NULL) return -1;
  char folder[MAX_PATH];
  size_t n = static_cast<size_t>(slash - exePath);
  if (n >= sizeof(folder)) return -1;
  memcpy(folder, exePath, n);
  folder[n] = 0;
  char ini[MAX_PATH + 16];
  if (snprintf(ini, sizeof(ini), "%s\\%s", folder, "Debug.ini") >= static_cast<int>(sizeof(ini))) return -1;
  return static_cast<int>(GetPrivateProfileIntA("Tessvik.DLL", "EnableDebug", 1, ini));
}
}  // namespace tessvik

BEGIN_MESSAGE_MAP(CTessvikApp, CWinApp)
END_MESSAGE_MAP()

CTessvikApp::CTessvikApp() : m_nReserved(0) { TESSVIK_TRACE("CTessvikApp::CTessvikApp"); }

BOOL CTessvikApp::InitInstance() {
  TESSVIK_TRACE("CTessvikApp::InitInstance");
  char exe[MAX_PATH];
  DWORD n = GetModuleFileNameA(NULL, exe, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    int value = tessvik::ReadDebugSwitch(exe);
    if (value >= 0) tessvik::g_traceSwitch = value != 0;
  }
  COleObjectFactory::RegisterAll();
  m_pResourceLink = new CDynLinkLibrary(m_hInstance, m_hInstance);
  return TRUE;
}

int CTessvikApp::ExitInstance() {
  delete m_pResourceLink;
  m_pResourceLink = NULL;
  COleObjectFactory::RevokeAll();
  return CWinApp::ExitInstance();
}

static CTessvikApp theApp;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(hInstance);
    return AfxDllProcessAttach(hInstance);
  }
  // At process end the other modules may be gone already: leave everything to the system.
  if (reason == DLL_PROCESS_DETACH && reserved == NULL) AfxDllProcessDetach(hInstance);
  return TRUE;
}
