// The COM side of command targets: interface maps, reference and lock counts, aggregation,
// class factories, registration with COM and in the registry, module-state switching.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_ole.h>

#include <string>

namespace {

// {5C1E8A40-3B7D-4E52-9F61-0A2B3C4D5E01} and neighbours: interfaces and classes of the tests.
const IID IID_ICounter = {0x5c1e8a40, 0x3b7d, 0x4e52, {0x9f, 0x61, 0x0a, 0x2b, 0x3c, 0x4d, 0x5e, 0x01}};
const IID IID_IStateProbe = {0x5c1e8a40, 0x3b7d, 0x4e52, {0x9f, 0x61, 0x0a, 0x2b, 0x3c, 0x4d, 0x5e, 0x02}};
const CLSID CLSID_Counter = {0x5c1e8a40, 0x3b7d, 0x4e52, {0x9f, 0x61, 0x0a, 0x2b, 0x3c, 0x4d, 0x5e, 0x10}};
const CLSID CLSID_Probe = {0x5c1e8a40, 0x3b7d, 0x4e52, {0x9f, 0x61, 0x0a, 0x2b, 0x3c, 0x4d, 0x5e, 0x11}};
const CLSID CLSID_Unknown = {0x5c1e8a40, 0x3b7d, 0x4e52, {0x9f, 0x61, 0x0a, 0x2b, 0x3c, 0x4d, 0x5e, 0x1f}};

struct ICounter : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Add(int n, int* total) = 0;
};
struct IStateProbe : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CurrentState(AFX_MODULE_STATE** state) = 0;
};

int g_alive = 0;

// One interface; holds the module's lock while it lives.
class CCounter : public CCmdTarget {
  DECLARE_DYNCREATE(CCounter)
 public:
  CCounter() {
    ++g_alive;
    AfxOleLockApp();
  }
  ~CCounter() override {
    --g_alive;
    AfxOleUnlockApp();
  }
  int m_total = 0;

 protected:
  BEGIN_INTERFACE_PART(Counter, ICounter)
    STDMETHOD(Add)(int n, int* total) override;
  END_INTERFACE_PART(Counter)
  DECLARE_INTERFACE_MAP()
};

IMPLEMENT_DYNCREATE(CCounter, CCmdTarget)
BEGIN_INTERFACE_MAP(CCounter, CCmdTarget)
  INTERFACE_PART(CCounter, IID_ICounter, Counter)
END_INTERFACE_MAP()
IMPLEMENT_PART_IUNKNOWN(CCounter, Counter)

STDMETHODIMP CCounter::XCounter::Add(int n, int* total) {
  METHOD_PROLOGUE(CCounter, Counter)
  pThis->m_total += n;
  *total = pThis->m_total;
  return S_OK;
}

// A second interface in a derived map; aggregatable.
class CProbe : public CCounter {
  DECLARE_DYNCREATE(CProbe)
 public:
  CProbe() { EnableAggregation(); }

 protected:
  BEGIN_INTERFACE_PART(Probe, IStateProbe)
    STDMETHOD(CurrentState)(AFX_MODULE_STATE** state) override;
  END_INTERFACE_PART(Probe)
  DECLARE_INTERFACE_MAP()
};

IMPLEMENT_DYNCREATE(CProbe, CCounter)
BEGIN_INTERFACE_MAP(CProbe, CCounter)
  INTERFACE_PART(CProbe, IID_IStateProbe, Probe)
END_INTERFACE_MAP()
IMPLEMENT_PART_IUNKNOWN(CProbe, Probe)

STDMETHODIMP CProbe::XProbe::CurrentState(AFX_MODULE_STATE** state) {
  METHOD_PROLOGUE(CProbe, Probe)
  *state = AfxGetModuleState();
  return S_OK;
}

COleObjectFactory g_counterFactory(CLSID_Counter, RUNTIME_CLASS(CCounter), FALSE, _T("FwCom.Counter"));
COleObjectFactory g_probeFactory(CLSID_Probe, RUNTIME_CLASS(CProbe), FALSE, _T("FwCom.Probe"));

template <class I>
I* Query(IUnknown* unk, const IID& iid) {
  void* p = NULL;
  return SUCCEEDED(unk->QueryInterface(iid, &p)) ? static_cast<I*>(p) : NULL;
}

IClassFactory* FactoryOf(const CLSID& clsid) {
  void* p = NULL;
  EXPECT_EQ(AfxDllGetClassObject(clsid, IID_IClassFactory, &p), S_OK);
  return static_cast<IClassFactory*>(p);
}

// An outer object that counts its references; it hands every query to the inner unknown.
struct Outer : IUnknown {
  LONG refs = 1;
  IUnknown* inner = NULL;
  STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
  STDMETHOD_(ULONG, Release)() override { return --refs; }
  STDMETHOD(QueryInterface)(REFIID iid, void** ppv) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(iid, ppv);
  }
};

TEST(InterfaceMap, EveryIidOfTheMapsAndOneIdentity) {
  IClassFactory* factory = FactoryOf(CLSID_Probe);
  ASSERT_NE(factory, nullptr);
  IUnknown* unk = NULL;
  ASSERT_EQ(factory->CreateInstance(NULL, IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
  factory->Release();
  EXPECT_EQ(g_alive, 1);
  struct Case {
    const IID* iid;
    HRESULT expected;
  } cases[] = {{&IID_IUnknown, S_OK}, {&IID_ICounter, S_OK}, {&IID_IStateProbe, S_OK},
               {&IID_IDispatch, E_NOINTERFACE}, {&IID_IClassFactory, E_NOINTERFACE}};
  for (const Case& c : cases) {
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(unk->QueryInterface(*c.iid, &p), c.expected);
    if (c.expected != S_OK) {
      EXPECT_EQ(p, nullptr);
      continue;
    }
    ASSERT_NE(p, nullptr);
    // Every part answers the same IUnknown.
    IUnknown* id = Query<IUnknown>(static_cast<IUnknown*>(p), IID_IUnknown);
    EXPECT_EQ(id, unk);
    id->Release();
    static_cast<IUnknown*>(p)->Release();
  }
  // Parts reach their owner's state: the base class's part and the derived one share it.
  ICounter* counter = Query<ICounter>(unk, IID_ICounter);
  int total = 0;
  counter->Add(2, &total);
  counter->Add(3, &total);
  EXPECT_EQ(total, 5);
  EXPECT_EQ(counter->Release(), 1u);
  EXPECT_EQ(AfxDllCanUnloadNow(), S_FALSE);
  EXPECT_EQ(unk->Release(), 0u);
  EXPECT_EQ(g_alive, 0);
  EXPECT_EQ(AfxDllCanUnloadNow(), S_OK);
}

TEST(InterfaceMap, MethodsRunInTheObjectsModuleState) {
  AFX_MODULE_STATE* dllState = AfxGetModuleStateOf(GetModuleHandle(_T("framework.dll")));
  ASSERT_NE(dllState, AfxGetAppModuleState());
  CProbe* probe;
  {
    AFX_MANAGE_STATE(dllState);
    probe = new CProbe;
  }
  IStateProbe* p = Query<IStateProbe>(probe->GetControllingUnknown(), IID_IStateProbe);
  ASSERT_NE(p, nullptr);
  AFX_MODULE_STATE* seen = NULL;
  p->CurrentState(&seen);
  EXPECT_EQ(seen, dllState);
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());  // restored on return
  p->Release();
  {
    AFX_MANAGE_STATE(dllState);  // the object's lock was taken in the DLL's state
    EXPECT_FALSE(AfxOleCanExitApp());
    EXPECT_EQ(probe->InternalRelease(), 0u);
    EXPECT_TRUE(AfxOleCanExitApp());
  }
  EXPECT_EQ(g_alive, 0);
}

TEST(ClassFactory, UnknownClassLocksAndAggregation) {
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(AfxDllGetClassObject(CLSID_Unknown, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);

  IClassFactory* counters = FactoryOf(CLSID_Counter);
  ASSERT_NE(counters, nullptr);
  // A class object that a client holds keeps the module: its next CreateInstance runs there.
  EXPECT_EQ(AfxDllCanUnloadNow(), S_FALSE);
  counters->Release();
  EXPECT_EQ(AfxDllCanUnloadNow(), S_OK);
  // LockServer holds the module like an object does, after the class object was let go.
  counters = FactoryOf(CLSID_Counter);
  counters->LockServer(TRUE);
  counters->Release();
  EXPECT_EQ(AfxDllCanUnloadNow(), S_FALSE);
  counters = FactoryOf(CLSID_Counter);
  counters->LockServer(FALSE);
  counters->LockServer(FALSE);  // one unlock too many changes nothing
  counters->LockServer(TRUE);
  counters->Release();
  EXPECT_EQ(AfxDllCanUnloadNow(), S_FALSE);
  counters = FactoryOf(CLSID_Counter);
  counters->LockServer(FALSE);
  counters->Release();
  EXPECT_EQ(AfxDllCanUnloadNow(), S_OK);
  counters = FactoryOf(CLSID_Counter);

  Outer outer;
  // Aggregation asks for IUnknown only, and only of an aggregatable class.
  EXPECT_EQ(counters->CreateInstance(&outer, IID_ICounter, &p), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(counters->CreateInstance(&outer, IID_IUnknown, &p), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(g_alive, 0);
  counters->Release();

  IClassFactory* probes = FactoryOf(CLSID_Probe);
  ASSERT_NE(probes, nullptr);
  ASSERT_EQ(probes->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
  probes->Release();
  ICounter* counter = Query<ICounter>(outer.inner, IID_ICounter);
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(outer.refs, 2);  // the part's reference is the outer object's
  // Queries through a part go to the outer object, which answers its own IUnknown.
  IUnknown* id = Query<IUnknown>(counter, IID_IUnknown);
  EXPECT_EQ(id, static_cast<IUnknown*>(&outer));
  id->Release();
  counter->Release();
  EXPECT_EQ(outer.refs, 1);
  EXPECT_EQ(g_alive, 1);
  EXPECT_EQ(outer.inner->Release(), 0u);
  EXPECT_EQ(g_alive, 0);
  EXPECT_EQ(AfxDllCanUnloadNow(), S_OK);
}

std::string ReadDefault(const std::string& key, const char* name = NULL) {
  char buf[512];
  LONG size = sizeof(buf);
  DWORD dsize = sizeof(buf), type = 0;
  HKEY h;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<missing>";
  LONG rc = RegQueryValueExA(h, name, NULL, &type, reinterpret_cast<BYTE*>(buf), &dsize);
  RegCloseKey(h);
  (void)size;
  return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(buf) : "<no value>";
}

TEST(ClassFactory, RegistryKeysWrittenAndRemoved) {
  const std::string clsid = "CLSID\\{5C1E8A40-3B7D-4E52-9F61-0A2B3C4D5E10}";
  char exe[MAX_PATH];
  GetModuleFileNameA(NULL, exe, MAX_PATH);
  ASSERT_TRUE(COleObjectFactory::UpdateRegistryAll(TRUE));
  struct Case {
    std::string key;
    const char* value;
    std::string expected;
  } cases[] = {
      {clsid, NULL, "FwCom.Counter"},
      {clsid + "\\LocalServer32", NULL, exe},  // an executable's factory
      {clsid + "\\ProgID", NULL, "FwCom.Counter"},
      {"FwCom.Counter", NULL, "FwCom.Counter"},
      {"FwCom.Counter\\CLSID", NULL, "{5C1E8A40-3B7D-4E52-9F61-0A2B3C4D5E10}"},
      {"FwCom.Probe\\CLSID", NULL, "{5C1E8A40-3B7D-4E52-9F61-0A2B3C4D5E11}"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadDefault(c.key, c.value), c.expected) << c.key;
  EXPECT_EQ(ReadDefault(clsid + "\\InprocServer32"), "<missing>");
  ASSERT_TRUE(COleObjectFactory::UpdateRegistryAll(FALSE));
  for (const Case& c : cases) EXPECT_EQ(ReadDefault(c.key, c.value), "<missing>") << c.key;
  // Removing what is already gone succeeds.
  EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(FALSE));
}

TEST(ClassFactory, RegistrationThatCannotWriteFails) {
  // The ProgID's key exists and refuses every access: the registration cannot complete.
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "FwCom.Probe", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
            ERROR_SUCCESS);
  SECURITY_DESCRIPTOR sd;
  ACL acl;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);  // an empty list: nobody may do anything
  ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
  RegCloseKey(key);
  BOOL ok = COleObjectFactory::UpdateRegistryAll(TRUE);
  // The owner may still give the rights back.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "FwCom.Probe", 0, WRITE_DAC, &key), ERROR_SUCCESS);
  SetSecurityDescriptorDacl(&sd, TRUE, NULL, FALSE);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
  RegCloseKey(key);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(FALSE));
  EXPECT_EQ(ReadDefault("FwCom.Probe"), "<missing>");
}

TEST(ClassFactory, RegisterAllMakesTheClassObjectsKnownToCom) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
  ASSERT_TRUE(COleObjectFactory::RegisterAll());
  EXPECT_TRUE(g_counterFactory.IsRegistered());
  ICounter* counter = NULL;
  ASSERT_EQ(CoCreateInstance(CLSID_Counter, NULL, CLSCTX_LOCAL_SERVER, IID_ICounter, reinterpret_cast<void**>(&counter)),
            S_OK);
  int total = 0;
  counter->Add(7, &total);
  EXPECT_EQ(total, 7);
  counter->Release();
  EXPECT_EQ(g_alive, 0);
  COleObjectFactory::RevokeAll();
  EXPECT_FALSE(g_counterFactory.IsRegistered());
  EXPECT_NE(CoCreateInstance(CLSID_Counter, NULL, CLSCTX_LOCAL_SERVER, IID_ICounter, reinterpret_cast<void**>(&counter)),
            S_OK);
  CoUninitialize();
}

}  // namespace
