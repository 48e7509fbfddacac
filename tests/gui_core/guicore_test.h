// Shared pieces of the portable-core tests: the layer started with a recording rights
// callback, and the extension module joined to the framework's module chain.
#pragma once
#include <GUIInitialisations.h>
#include <QvCommandCenter.h>
#include <framework.h>

#include <map>
#include <vector>

// The rights callback: answers from a table (1 for ids not in it) and records each question.
struct RightsCallback {
  static std::map<unsigned long, unsigned long> answers;
  static std::vector<unsigned long> questions;
  static unsigned long Answer(unsigned long id, bool flag);
  static void Reset() {
    answers.clear();
    questions.clear();
  }
};

// A module loaded for the scope and joined to the current module state's chain as an
// extension module.
class ExtensionModule {
 public:
  explicit ExtensionModule(const wchar_t* file);
  ~ExtensionModule();
  ExtensionModule(const ExtensionModule&) = delete;
  ExtensionModule& operator=(const ExtensionModule&) = delete;
  HMODULE get() const { return m_module; }

 private:
  HMODULE m_module;
  CDynLinkLibrary* m_link;
};

// The portable layer started for each test (with the extension module in the chain) and
// released after it.
class PortableLayerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
