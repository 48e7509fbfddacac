// drevik: CModuleBase keeps the module manager, initialises and runs in its module state.
#include <gtest/gtest.h>

#include <drevik.h>

namespace {

struct Manager : IUnknown {
  LONG refs = 1;
  STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
  STDMETHOD_(ULONG, Release)() override { return --refs; }
  STDMETHOD(QueryInterface)(REFIID, void** ppv) override {
    *ppv = NULL;
    return E_NOINTERFACE;
  }
};

int g_deleted = 0;

class CTestModule : public CModuleBase {
 public:
  CTestModule(BOOL framework) {
    SetModuleName("TestModule");
    if (framework) EnableMFCFramework();
  }
  ~CTestModule() override { ++g_deleted; }
  BOOL Initialize() override {
    seenManager = GetModuleManager();
    seenState = AfxGetModuleState();
    return answer;
  }
  BOOL OnSetUser(DWORD user) override {
    lastUser = user;
    return user != 0;
  }
  IUnknown* seenManager = NULL;
  AFX_MODULE_STATE* seenState = NULL;
  BOOL answer = TRUE;
  DWORD lastUser = 0;
};

IModule* ModuleOf(CCmdTarget* t) {
  void* p = NULL;
  t->InternalQueryInterface(&IID_IModule, &p);
  return static_cast<IModule*>(p);
}

TEST(ModuleBase, InitKeepsTheManagerUntilTheModuleGoes) {
  AFX_MODULE_STATE* dllState = AfxGetModuleStateOf(GetModuleHandle("drevik.dll"));
  CTestModule* module;
  {
    AFX_MANAGE_STATE(dllState);  // made in another module's state
    module = new CTestModule(TRUE);
  }
  IModule* m = ModuleOf(module);
  ASSERT_NE(m, nullptr);
  Manager manager;
  EXPECT_EQ(m->Init(NULL), E_POINTER);
  EXPECT_EQ(m->Init(&manager), S_OK);
  EXPECT_EQ(module->seenManager, &manager);
  EXPECT_EQ(module->seenState, dllState);  // Initialize ran in the module's state
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
  EXPECT_EQ(manager.refs, 2);
  module->answer = FALSE;
  EXPECT_EQ(m->Init(&manager), E_FAIL);
  EXPECT_EQ(manager.refs, 2);  // a second Init replaces, not adds

  EXPECT_EQ(m->SetUser(7), S_OK);
  EXPECT_EQ(m->SetUser(0), S_FALSE);
  EXPECT_EQ(module->lastUser, 0u);
  char name[5];
  EXPECT_EQ(m->GetName(name, sizeof(name)), S_OK);
  EXPECT_STREQ(name, "Test");  // cut to the buffer
  EXPECT_EQ(m->GetName(NULL, 10), E_POINTER);
  GUID clsid;
  EXPECT_EQ(m->GetClassID(&clsid), E_FAIL);
  EXPECT_TRUE(IsEqualGUID(clsid, GUID_NULL));

  g_deleted = 0;
  module->InternalRelease();  // the creation's reference
  EXPECT_EQ(g_deleted, 0);
  EXPECT_EQ(m->Release(), 0u);
  EXPECT_EQ(g_deleted, 1);
  EXPECT_EQ(manager.refs, 1);
}

TEST(ModuleBase, WithoutTheFrameworkSwitchMethodsRunInTheCallersState) {
  AFX_MODULE_STATE* dllState = AfxGetModuleStateOf(GetModuleHandle("drevik.dll"));
  CTestModule* module;
  {
    AFX_MANAGE_STATE(dllState);
    module = new CTestModule(FALSE);
  }
  Manager manager;
  IModule* m = ModuleOf(module);
  module->InternalRelease();
  EXPECT_EQ(m->Init(&manager), S_OK);
  EXPECT_EQ(module->seenState, AfxGetAppModuleState());
  m->Release();
  EXPECT_EQ(manager.refs, 1);
}

}  // namespace
