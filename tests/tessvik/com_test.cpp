// Tessvik as a COM server: the trace switch of Debug.ini, registration with regsvr32,
// the class object, interfaces, reference and lock counts, and SelectObjects' refusals.
#include <gtest/gtest.h>

#include <olectl.h>

#include <string>
#include <vector>

#include <child_process.h>

#include "picker_driver.h"

#include "client_paths.h"

namespace {


// regsvr32's exit code; ~0u when it could not be run.
DWORD Regsvr32(const std::string& switches) {
  std::string cmd = "regsvr32.exe " + switches + " \"" + TessvikPath() + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back(0);
  if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, BinFolder().c_str(), &si, &pi)) return ~0u;
  DWORD code = ~0u;
  if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

std::string ReadKey(const std::string& key, const char* name = NULL) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<missing>";
  char buf[MAX_PATH * 2];
  DWORD size = sizeof(buf), type = 0;
  LONG rc = RegQueryValueExA(h, name, NULL, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(h);
  return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(buf) : "<no value>";
}

const std::string kClsidKey = "CLSID\\{8B2DB6AF-5D3B-4946-8752-46DF2252C74F}";

class ComEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    ASSERT_EQ(Regsvr32("/s"), 0u);
  }
  void TearDown() override { CoUninitialize(); }
};
testing::Environment* const g_env = testing::AddGlobalTestEnvironment(new ComEnvironment);

TEST(Registration, Regsvr32WritesTheClassAndItsProgID) {
  char full[MAX_PATH];
  GetFullPathNameA(TessvikPath().c_str(), MAX_PATH, full, NULL);
  struct Case {
    std::string key;
    const char* value;
    std::string expected;
  } cases[] = {
      {kClsidKey, NULL, "WexModule."},
      {kClsidKey + "\\ProgID", NULL, "WexModule."},
      {kClsidKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {"WexModule.", NULL, "WexModule."},
      {"WexModule.\\CLSID", NULL, "{8B2DB6AF-5D3B-4946-8752-46DF2252C74F}"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadKey(c.key, c.value), c.expected) << c.key;
  EXPECT_EQ(lstrcmpiA(ReadKey(kClsidKey + "\\InprocServer32").c_str(), full), 0) << ReadKey(kClsidKey + "\\InprocServer32");
  EXPECT_EQ(ReadKey(kClsidKey + "\\LocalServer32"), "<missing>");
}

// Sets (deny = true) or lifts an access list on HKCR\WexModule. that refuses everything.
void LockProgIdKey(bool deny) {
  HKEY key;
  REGSAM access = deny ? KEY_ALL_ACCESS : WRITE_DAC;
  if (deny)
    RegCreateKeyExA(HKEY_CLASSES_ROOT, "WexModule.", 0, NULL, 0, access, NULL, &key, NULL);
  else
    RegOpenKeyExA(HKEY_CLASSES_ROOT, "WexModule.", 0, access, &key);
  SECURITY_DESCRIPTOR sd;
  ACL acl;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, deny ? &acl : NULL, FALSE);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
  RegCloseKey(key);
}

TEST(Registration, AFailedRegistrationIsReported) {
  LockProgIdKey(true);
  DWORD exitCode = Regsvr32("/s");
  HMODULE dll = LoadLibraryA(TessvikPath().c_str());
  auto reg = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
  ASSERT_NE(reg, nullptr);
  HRESULT hr = reg();
  LockProgIdKey(false);
  EXPECT_NE(exitCode, 0u);
  EXPECT_EQ(hr, SELFREG_E_CLASS);
  EXPECT_EQ(reg(), S_OK);  // once the key can be written again
  FreeLibrary(dll);
}

TEST(Registration, UnregistrationRemovesTheKeys) {
  ASSERT_EQ(Regsvr32("/u /s"), 0u);
  for (const std::string& key : {kClsidKey, kClsidKey + "\\InprocServer32", std::string("WexModule.")})
    EXPECT_EQ(ReadKey(key), "<missing>") << key;
  IUnknown* unk = NULL;
  EXPECT_EQ(CoCreateInstance(CLSID_WexModule, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&unk)),
            REGDB_E_CLASSNOTREG);
  ASSERT_EQ(Regsvr32("/s"), 0u);  // the other tests need it
  EXPECT_EQ(ReadKey("WexModule.\\CLSID"), "{8B2DB6AF-5D3B-4946-8752-46DF2252C74F}");
}

template <class T>
T* Export(const char* name) {
  return reinterpret_cast<T*>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("Tessvik.dll"), name)));
}

TEST(Server, InitializeWithoutTheHostServiceKeepsTheResources) {
  FakeHost host;
  {
    PickerClient first;  // gives the library the client's resources
    ASSERT_EQ(first.Create(host), S_OK);
  }
  host.serviceAnswers = false;
  PickerClient client;
  ASSERT_EQ(client.Create(host), S_OK);  // Initialize still succeeds
  VARIANT initial, result;
  VariantInit(&initial);
  VariantInit(&result);
  bool shown = false;
  EXPECT_EQ(RunPicker(client.picker, 1, 0, initial, &result,
                      {[&](HWND d) {
                        shown = true;
                        SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
                      }}),
            TESSVIK_E_CANCELLED);
  EXPECT_TRUE(shown);  // the template still came from the resources given before
}

TEST(Server, ClassObjectInterfacesAndCounts) {
  FakeHost host;
  PickerClient client;
  ASSERT_EQ(client.Create(host), S_OK);
  using GetClassObjectFn = HRESULT WINAPI(REFCLSID, REFIID, void**);
  using CanUnloadFn = HRESULT WINAPI();
  auto getClassObject = Export<GetClassObjectFn>("DllGetClassObject");
  auto canUnload = Export<CanUnloadFn>("DllCanUnloadNow");
  ASSERT_NE(getClassObject, nullptr);
  ASSERT_NE(canUnload, nullptr);

  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject(IID_IPickerModule, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);

  // Every IID of the module's map, and one identity.
  const IID* iids[] = {&IID_IUnknown, &IID_IModule, &IID_IPickerModule};
  for (const IID* iid : iids) {
    IUnknown* part = NULL;
    ASSERT_EQ(client.object->QueryInterface(*iid, reinterpret_cast<void**>(&part)), S_OK);
    IUnknown* id = NULL;
    part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&id));
    EXPECT_EQ(id, client.object);
    id->Release();
    part->Release();
  }
  EXPECT_EQ(client.object->QueryInterface(IID_IDispatch, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  char name[16];
  EXPECT_EQ(client.module->GetName(name, sizeof(name)), S_OK);
  EXPECT_STREQ(name, "Tessvik");

  // The module holds the server while it lives, as does a locked class factory.
  EXPECT_EQ(canUnload(), S_FALSE);
  client.Release();
  EXPECT_EQ(canUnload(), S_OK);
  IClassFactory* factory = NULL;
  ASSERT_EQ(getClassObject(CLSID_WexModule, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(canUnload(), S_FALSE);  // the class object held keeps the server
  factory->AddRef();
  factory->Release();
  EXPECT_EQ(canUnload(), S_FALSE);
  factory->LockServer(TRUE);
  EXPECT_EQ(canUnload(), S_FALSE);
  factory->LockServer(FALSE);
  EXPECT_EQ(canUnload(), S_FALSE);
  // Made through the factory, the last Release ends it too.
  IPickerModule* picker = NULL;
  ASSERT_EQ(factory->CreateInstance(NULL, IID_IPickerModule, reinterpret_cast<void**>(&picker)), S_OK);
  factory->Release();
  EXPECT_EQ(canUnload(), S_FALSE);
  EXPECT_EQ(picker->Release(), 0u);
  EXPECT_EQ(canUnload(), S_OK);
}

// Run by the test below in a process of its own, where only COM loads the server.
TEST(DISABLED_HeldFactoryChild, AClassObjectAClientHoldsKeepsTheServerLoaded) {
  IClassFactory* factory = NULL;
  ASSERT_EQ(CoGetClassObject(CLSID_WexModule, CLSCTX_INPROC_SERVER, NULL, IID_IClassFactory,
                             reinterpret_cast<void**>(&factory)),
            S_OK);
  ASSERT_NE(GetModuleHandleA("Tessvik.dll"), nullptr);
  // Every module COM may unload now, at once.
  CoFreeUnusedLibrariesEx(0, 0);
  ASSERT_NE(GetModuleHandleA("Tessvik.dll"), nullptr) << "unloaded under the client's class object";
  IPickerModule* picker = NULL;
  ASSERT_EQ(factory->CreateInstance(NULL, IID_IPickerModule, reinterpret_cast<void**>(&picker)), S_OK);
  factory->Release();
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_NE(GetModuleHandleA("Tessvik.dll"), nullptr);  // the object holds it
  EXPECT_EQ(picker->Release(), 0u);
  // Nothing held any more: the server goes.
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_EQ(GetModuleHandleA("Tessvik.dll"), nullptr);
}

TEST(Server, AClassObjectAClientHoldsKeepsTheServerLoaded) {
  EXPECT_EQ(testing_support::RunThisProgram(
                L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_HeldFactoryChild.*"),
            0);
}

TEST(Server, SelectObjectsRefusesWhatItCannotUse) {
  FakeHost host;
  PickerClient client;
  ASSERT_EQ(client.Create(host), S_OK);
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  VARIANT initial, result;
  VariantInit(&initial);
  VariantInit(&result);
  struct Case {
    HWND parent;
    VARIANT* result;
  } cases[] = {{NULL, &result}, {reinterpret_cast<HWND>(static_cast<INT_PTR>(-4)), &result}, {owner, NULL}};
  for (const Case& c : cases)
    EXPECT_EQ(client.picker->SelectObjects(1, c.parent, initial, 0, c.result), E_INVALIDARG);
  DestroyWindow(owner);
  // Kind 4 is the active-group picker, never the user picker.
  bool activeGroups = false, users = true;
  EXPECT_EQ(RunPicker(client.picker, 4, 0, initial, &result,
                      {[&](HWND d) {
                        activeGroups = GetDlgItem(d, 17022) != NULL;
                        users = GetDlgItem(d, 17033) != NULL;
                        SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
                      }}),
            TESSVIK_E_CANCELLED);
  EXPECT_TRUE(activeGroups);
  EXPECT_FALSE(users);
  EXPECT_EQ(V_VT(&result), VT_EMPTY);
}

}  // namespace
