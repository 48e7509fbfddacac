// drevik: CModuleBase, the base of every module object the messaging client loads.
//
// The client creates a module through COM and hands it its module manager through IModule
// (Init). CModuleBase keeps the manager (one reference, released when the module goes) and
// then calls the derived class's Initialize; SetUser reaches OnSetUser.
#pragma once
#include <framework.h>
#include <fw_ole.h>

#ifdef DREVIK_BUILD
#define DREVIK_API __declspec(dllexport)
#else
#define DREVIK_API __declspec(dllimport)
#endif

// {0CBE47AF-8A37-4F44-BBE2-A5A04BA2A8D0}
extern "C" DREVIK_API const IID IID_IModule;

struct IModule : IUnknown {
  // Stores the manager and initialises the module: S_OK, E_POINTER without a manager,
  // E_FAIL when Initialize answered FALSE.
  STDMETHOD(Init)(IUnknown* pModuleManager) = 0;
  // OnSetUser's answer: S_OK for TRUE, S_FALSE for FALSE.
  STDMETHOD(SetUser)(DWORD user) = 0;
  // The module's name, cut to the buffer (always terminated); E_POINTER without a buffer.
  STDMETHOD(GetName)(LPSTR buffer, DWORD size) = 0;
  STDMETHOD(GetClassID)(GUID* clsid) = 0;
};

class DREVIK_API CModuleBase : public CCmdTarget {
  DECLARE_DYNAMIC(CModuleBase)
 public:
  CModuleBase();
  ~CModuleBase() override;

  void OnFinalRelease() override;
  LPUNKNOWN GetInterfaceHook(const void* iid) override;

  // Persistence: the client asks a module to start empty, load or save. Defaults do nothing
  // and succeed.
  virtual BOOL OnInitNew(const char* lpszName, CFile* pFile);
  virtual BOOL OnInitNew();
  virtual void OnHandsOff();
  virtual BOOL OnSave(const char* lpszName, CFile* pFile);
  virtual BOOL OnSave(CFile* pFile);
  virtual BOOL OnLoad(const char* lpszName, CFile* pFile);
  virtual BOOL OnLoad(CFile* pFile);
  // Called once the manager is stored.
  virtual BOOL Initialize();
  virtual BOOL OnSetUser(DWORD user);
  // The module's class id; the base knows none (GUID_NULL and FALSE).
  virtual BOOL GetClassID(GUID* pClsid);

  void SetModuleName(const char* name);
  const char* GetModuleName() const { return m_szName; }
  // IModule's methods run in the module's own framework state (else in the caller's).
  void EnableMFCFramework() { m_bMFCFramework = TRUE; }
  BOOL IsMFCFramework() const { return m_bMFCFramework; }
  // The client's module manager (no reference added); NULL before Init.
  IUnknown* GetModuleManager() const { return m_pModuleManager; }

 protected:
  BEGIN_INTERFACE_PART(Module, IModule)
    STDMETHOD(Init)(IUnknown* pModuleManager) override;
    STDMETHOD(SetUser)(DWORD user) override;
    STDMETHOD(GetName)(LPSTR buffer, DWORD size) override;
    STDMETHOD(GetClassID)(GUID* clsid) override;
  END_INTERFACE_PART(Module)
  DECLARE_INTERFACE_MAP()

 private:
  void ReleaseManager();
  char m_szName[64];
  BOOL m_bMFCFramework = FALSE;
  IUnknown* m_pModuleManager = NULL;
};
