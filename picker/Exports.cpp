// The server's entry points; each runs in this library's framework module state.
#include <fw_ole.h>
#include <olectl.h>

#include "Trace.h"

#define TESSVIK_EXPORT extern "C" __declspec(dllexport)

TESSVIK_EXPORT HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  TESSVIK_TRACE("STDAPI DllGetClassObject");
  return AfxDllGetClassObject(rclsid, riid, ppv);
}

TESSVIK_EXPORT HRESULT WINAPI DllCanUnloadNow() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  TESSVIK_TRACE("STDAPI DllCanUnloadNow");
  return AfxDllCanUnloadNow();
}

// A registration that could not write every key is reported, not hidden.
TESSVIK_EXPORT HRESULT WINAPI DllRegisterServer() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  TESSVIK_TRACE("STDAPI DllRegisterServer");
  return COleObjectFactory::UpdateRegistryAll(TRUE) ? S_OK : SELFREG_E_CLASS;
}

TESSVIK_EXPORT HRESULT WINAPI DllUnregisterServer() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  TESSVIK_TRACE("STDAPI DllUnregisterServer");
  return COleObjectFactory::UpdateRegistryAll(FALSE) ? S_OK : SELFREG_E_CLASS;
}
