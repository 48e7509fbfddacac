// Shared pieces of the portable-core tests.
#include <gtest/gtest.h>

#include "guicore_test.h"

std::map<unsigned long, unsigned long> RightsCallback::answers;
std::vector<unsigned long> RightsCallback::questions;

unsigned long RightsCallback::Answer(unsigned long id, bool flag) {
  EXPECT_FALSE(flag);
  questions.push_back(id);
  auto it = answers.find(id);
  return it == answers.end() ? 1 : it->second;
}

ExtensionModule::ExtensionModule(const wchar_t* file) : m_module(LoadLibraryW(file)), m_link(nullptr) {
  if (m_module) {
    AFX_EXTENSION_MODULE state = {TRUE, m_module, m_module, NULL, NULL};
    m_link = new CDynLinkLibrary(state, FALSE);
  }
}

ExtensionModule::~ExtensionModule() {
  delete m_link;
  if (m_module) FreeLibrary(m_module);
}

namespace {
ExtensionModule* s_ext = nullptr;
}

void PortableLayerTest::SetUp() {
  RightsCallback::Reset();
  s_ext = new ExtensionModule(L"guicmd_ext.dll");
  ASSERT_NE(s_ext->get(), nullptr);
  ASSERT_TRUE(GUIInitialisations(&RightsCallback::Answer).Succeeded());
}

void PortableLayerTest::TearDown() {
  GUIRelease();
  delete s_ext;
  s_ext = nullptr;
}
