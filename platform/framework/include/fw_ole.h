// The COM side of command targets: interface maps, nested interface parts, class factories,
// the lock count of a module and the entry points of an in-process server.
//
// A class that implements interfaces declares DECLARE_INTERFACE_MAP() and one nested part per
// interface (BEGIN_INTERFACE_PART/END_INTERFACE_PART); its map lists the parts by IID between
// BEGIN_INTERFACE_MAP(theClass, baseClass) and END_INTERFACE_MAP(), chained to the base's map.
// A part's methods start with METHOD_PROLOGUE(theClass, localClass), which gives pThis and
// switches to the module state the object was made in until the method returns.
#pragma once
#include "fw_cmdtarget.h"
#include "fw_thread_state.h"

#include <ole2.h>

struct AFX_INTERFACEMAP_ENTRY {
  const void* piid;  // NULL ends the table
  size_t nOffset;    // of the part within the object
};

struct AFX_INTERFACEMAP {
  const AFX_INTERFACEMAP* (PASCAL* pfnGetBaseMap)();
  const AFX_INTERFACEMAP_ENTRY* pEntry;
};

#define DECLARE_INTERFACE_MAP()                                 \
 protected:                                                     \
  static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap();  \
  const AFX_INTERFACEMAP* GetInterfaceMap() const override;     \
                                                                \
 private:

#define BEGIN_INTERFACE_MAP(theClass, theBase)                                          \
  const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
  const AFX_INTERFACEMAP* PASCAL theClass::GetThisInterfaceMap() {                      \
    using TheBaseClass = theBase;                                                       \
    static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {
#define INTERFACE_PART(theClass, iid, localClass) {&(iid), offsetof(theClass, m_x##localClass)},
#define END_INTERFACE_MAP()                                                                  \
  {NULL, (size_t)-1}                                                                         \
  }                                                                                          \
  ;                                                                                          \
  static const AFX_INTERFACEMAP interfaceMap = {&TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0]}; \
  return &interfaceMap;                                                                      \
  }

// A nested part implementing baseInterface; declare its own methods between the two macros.
#define BEGIN_INTERFACE_PART(localClass, baseInterface)                     \
  class X##localClass : public baseInterface {                              \
   public:                                                                  \
    STDMETHOD_(ULONG, AddRef)() override;                                   \
    STDMETHOD_(ULONG, Release)() override;                                  \
    STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;
#define END_INTERFACE_PART(localClass) \
  } m_x##localClass;                   \
  friend class X##localClass;

// The owner of the part, and the owner's module state for the rest of the method.
#define METHOD_PROLOGUE(theClass, localClass)                                                       \
  theClass* pThis = reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) -                    \
                                                offsetof(theClass, m_x##localClass));              \
  AFX_MANAGE_STATE(pThis->m_pModuleState);                                                          \
  (void)pThis;
#define METHOD_PROLOGUE_EX(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)

// The three IUnknown methods of a part, forwarded to the owner's External* functions.
#define IMPLEMENT_PART_IUNKNOWN(theClass, localClass)                                         \
  STDMETHODIMP_(ULONG) theClass::X##localClass::AddRef() {                                    \
    METHOD_PROLOGUE(theClass, localClass)                                                     \
    return pThis->ExternalAddRef();                                                           \
  }                                                                                           \
  STDMETHODIMP_(ULONG) theClass::X##localClass::Release() {                                   \
    METHOD_PROLOGUE(theClass, localClass)                                                     \
    return pThis->ExternalRelease();                                                          \
  }                                                                                           \
  STDMETHODIMP theClass::X##localClass::QueryInterface(REFIID iid, LPVOID* ppvObj) {          \
    METHOD_PROLOGUE(theClass, localClass)                                                     \
    return pThis->ExternalQueryInterface(&iid, ppvObj);                                       \
  }

// Lock count of the current module state: each live COM object and each IClassFactory
// LockServer(TRUE) holds one.
FW_API void AFXAPI AfxOleLockApp();
FW_API void AFXAPI AfxOleUnlockApp();  // never below zero
FW_API BOOL AFXAPI AfxOleCanExitApp();  // the count is zero

// A class factory for the objects of one run-time class (a CCmdTarget), made as a static
// object of the module that serves the class. Factories are listed per module state.
class FW_API COleObjectFactory : public CCmdTarget {
  DECLARE_DYNAMIC(COleObjectFactory)
 public:
  // bMultiInstance: an executable server is started anew for each object.
  COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance, LPCTSTR lpszProgID);
  ~COleObjectFactory() override;

  REFCLSID GetClassID() const { return m_clsid; }
  BOOL IsRegistered() const { return m_bRegistered; }

  // An executable's factory registers its class object with COM (CoRegisterClassObject);
  // a DLL's answers through AfxDllGetClassObject and only notes it is registered.
  virtual BOOL Register();
  void Revoke();
  // Every factory of the current module state; FALSE when one failed.
  static BOOL PASCAL RegisterAll();
  static void PASCAL RevokeAll();

  // Writes (or removes) the class's keys under HKEY_CLASSES_ROOT: CLSID\{clsid} with its
  // server (InprocServer32 for a DLL, LocalServer32 for an executable) and ProgID, and the
  // ProgID's CLSID key. FALSE when a key or value could not be written or removed.
  virtual BOOL UpdateRegistry(BOOL bRegister = TRUE);
  static BOOL PASCAL UpdateRegistryAll(BOOL bRegister = TRUE);

  // The factory of the current module state for clsid; NULL when none.
  static COleObjectFactory* PASCAL Find(REFCLSID clsid);

  CLSID m_clsid;
  CRuntimeClass* m_pRuntimeClass;
  BOOL m_bMultiInstance;
  LPCTSTR m_lpszProgID;
  COleObjectFactory* m_pNextFactory = NULL;

 protected:
  // A new object of the run-time class (with one reference); NULL when it cannot be made.
  virtual CCmdTarget* OnCreateObject();

  BEGIN_INTERFACE_PART(ClassFactory, IClassFactory)
    STDMETHOD(CreateInstance)(LPUNKNOWN pUnkOuter, REFIID riid, LPVOID* ppvObject) override;
    STDMETHOD(LockServer)(BOOL fLock) override;
  END_INTERFACE_PART(ClassFactory)

  DECLARE_INTERFACE_MAP()

 private:
  HRESULT CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, LPVOID* ppvObject);
  BOOL m_bRegistered = FALSE;
  DWORD m_dwRegister = 0;
};

// The entry points of an in-process server, for the current module state (switch to the
// server's state first): the factory of rclsid, CLASS_E_CLASSNOTAVAILABLE when none; S_OK
// when no object, lock or class object that a client holds is left, else S_FALSE.
FW_API HRESULT AFXAPI AfxDllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
FW_API HRESULT AFXAPI AfxDllCanUnloadNow();

// Start-up of a DLL that has its own application object: run from its DllMain, in its own
// module state. Attach records the instance and runs InitInstance (FALSE when it fails);
// detach runs ExitInstance.
FW_API BOOL AFXAPI AfxDllProcessAttach(HINSTANCE hInstance);
FW_API void AFXAPI AfxDllProcessDetach(HINSTANCE hInstance);
