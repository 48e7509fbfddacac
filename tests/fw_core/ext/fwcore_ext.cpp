// A small extension module: joins the module chain at load and leaves it at unload; its
// serializable class is found by name only while it is loaded.
#include <framework.h>

class CExtShape : public CObject {
  DECLARE_SERIAL(CExtShape)
 public:
  CExtShape() = default;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_nSides << m_strName;
    else
      ar >> m_nSides >> m_strName;
  }
  int m_nSides = 3;
  CString m_strName;
};

IMPLEMENT_SERIAL(CExtShape, CObject, 1)

static AFX_EXTENSION_MODULE g_extModule = {FALSE, NULL, NULL, NULL, NULL};
static CDynLinkLibrary* g_library = NULL;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_extModule, hInstance)) return FALSE;
    g_library = new CDynLinkLibrary(g_extModule);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    delete g_library;
    g_library = NULL;
    AfxTermExtensionModule(g_extModule);
  }
  return TRUE;
}
