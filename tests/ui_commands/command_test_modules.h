// Test modules that carry command tables, and their place in the framework's module chain.
#pragma once
#include <framework.h>

// A loaded module, freed at the end of the scope.
class TestModule {
 public:
  explicit TestModule(const wchar_t* file) : m_module(LoadLibraryW(file)) {}
  ~TestModule() {
    if (m_module) FreeLibrary(m_module);
  }
  TestModule(const TestModule&) = delete;
  TestModule& operator=(const TestModule&) = delete;
  HMODULE get() const { return m_module; }

 private:
  HMODULE m_module;
};

// A module joined to the current module state's chain as an extension module for the scope.
class ChainLink {
 public:
  explicit ChainLink(HMODULE module, BOOL system = FALSE) {
    AFX_EXTENSION_MODULE state = {TRUE, module, module, NULL, NULL};
    m_link = new CDynLinkLibrary(state, system);
  }
  ~ChainLink() { delete m_link; }
  ChainLink(const ChainLink&) = delete;
  ChainLink& operator=(const ChainLink&) = delete;

 private:
  CDynLinkLibrary* m_link;
};
