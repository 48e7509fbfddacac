// The library's application object.
#pragma once
#include <framework.h>

class CTessvikApp : public CWinApp {
 public:
  CTessvikApp();
  // Reads the trace switch from Debug.ini beside the host executable, registers the class
  // factory and joins the framework's resource chain.
  BOOL InitInstance() override;
  int ExitInstance() override;

  int m_nReserved;  // 0 at construction

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  CDynLinkLibrary* m_pResourceLink = NULL;
};

namespace tessvik {
// "EnableDebug" of section "Tessvik.DLL" in "<folder of exePath>\Debug.ini", default 1;
// -1 when exePath has no folder.
int ReadDebugSwitch(const char* exePath);
}  // namespace tessvik
