#include <windows.h>

#include <gtest/gtest.h>

#include "framework.h"
#include "vekkel.h"

namespace {

// Restores the display-label-ids mode when a test ends.
struct DisplayIdsGuard {
  bool saved = Get_bDisplayLabelID();
  ~DisplayIdsGuard() { Set_bDisplayLabelID(saved); }
};

struct LabelCase {
  unsigned long id;
  bool found;
  const char* text;  // what QvGetMyLabel gives
};

TEST(Labels, LookupFromTheProgramsResources) {
  DisplayIdsGuard guard;
  Set_bDisplayLabelID(false);
  const LabelCase cases[] = {
      {31198, true, "OK"},
      {31199, true, "Cancel"},
      {100, true, "Caf\xC3\xA9"},       // UTF-16 resource text comes back as UTF-8
      {390000, true, "Lundi"},           // wide ids from the label tables
      {390006, true, "Dimanche"},
      {500000, true, "Good"},
      {500001, false, "[label 500001]"},  // record cut off at the end of its resource
      {31197, false, "[label 31197]"},    // empty entry of an existing string block
      {31198 + 65536, false, "[label 96734]"},  // no folding onto 16-bit string ids
      {390103, true, ""},                 // a label whose text is empty
      {0, false, ""},                     // no label
      {0xFFFFFFFFUL, false, ""},
  };
  for (const LabelCase& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_STREQ(QvGetMyLabel(c.id).c_str(), c.text);
    QvString text("old");
    EXPECT_EQ(QvFindLabel(c.id, text), c.found);
    if (!c.found) {
      EXPECT_TRUE(text.IsEmpty());
    }
  }
}

TEST(Labels, DisplayIdsModeShowsTheIdBesideTheText) {
  DisplayIdsGuard guard;
  Set_bDisplayLabelID(true);
  EXPECT_TRUE(Get_bDisplayLabelID());
  EXPECT_STREQ(QvGetMyLabel(31198).c_str(), "[31198] OK");
  EXPECT_STREQ(QvGetMyLabel(390001).c_str(), "[390001] Mardi");
  EXPECT_STREQ(QvGetMyLabel(4242).c_str(), "[label 4242]");
  EXPECT_STREQ(QvGetMyLabel(0).c_str(), "");
  // The plain lookup ignores the mode.
  QvString text;
  EXPECT_TRUE(QvFindLabel(31198, text));
  EXPECT_STREQ(text.c_str(), "OK");
  Set_bDisplayLabelID(false);
  EXPECT_STREQ(QvGetMyLabel(31198).c_str(), "OK");
}

// An id that user32 has as a string resource and this program has not.
unsigned long ForeignLabelId(HMODULE user32) {
  for (unsigned id = 1; id < 4096; ++id) {
    const wchar_t* p = nullptr;
    QvString mine;
    if (LoadStringW(user32, id, reinterpret_cast<LPWSTR>(&p), 0) > 0 && !QvFindLabel(id, mine))
      return id;
  }
  return 0;
}

TEST(Labels, ManagersAndTheFrameworkChainAddModulesToTheSearch) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  ASSERT_TRUE(user32);
  unsigned long id = ForeignLabelId(user32);
  ASSERT_NE(id, 0UL) << "user32 carries string resources this program lacks";
  QvString text;
  ASSERT_FALSE(QvFindLabel(id, text));

  QvLabelManager* manager = nullptr;
  QvResourceFile* file = nullptr;
  ASSERT_TRUE(QvLabelManagerCreationFromResourceName("user32", manager, file).Succeeded());
  ASSERT_TRUE(manager && file);
  EXPECT_EQ(file->GetPlateformInfo().GetInstance(), user32);
  EXPECT_STREQ(file->GetName().c_str(), "user32");
  EXPECT_TRUE(QvFindLabel(id, text));
  EXPECT_FALSE(text.IsEmpty());
  EXPECT_STREQ(manager->GetLabel(id).c_str(), text.c_str());
  // The host deletes the resource file first; the manager still answers.
  delete file;
  EXPECT_TRUE(manager->FindLabel(id, text));
  delete manager;
  EXPECT_FALSE(QvFindLabel(id, text));

  // An extension module of the framework's chain.
  CDynLinkLibrary* library = new CDynLinkLibrary(user32, user32);
  EXPECT_TRUE(QvFindLabel(id, text));
  delete library;
  EXPECT_FALSE(QvFindLabel(id, text));
}

TEST(Labels, CreationFromResourceName) {
  QvLabelManager* manager = reinterpret_cast<QvLabelManager*>(1);
  QvResourceFile* file = reinterpret_cast<QvResourceFile*>(1);
  EXPECT_TRUE(QvLabelManagerCreationFromResourceName("", manager, file).Failed());
  EXPECT_EQ(manager, nullptr);
  EXPECT_EQ(file, nullptr);
  EXPECT_TRUE(QvLabelManagerCreationFromResourceName(nullptr, manager, file).Failed());

  // No module of that name: the host's resources.
  ASSERT_TRUE(QvLabelManagerCreationFromResourceName("qvgui", manager, file).Succeeded());
  HINSTANCE host = AfxGetModuleState()->m_hCurrentResourceHandle;
  EXPECT_EQ(file->GetPlateformInfo().GetInstance(), host ? host : GetModuleHandleW(NULL));
  EXPECT_STREQ(manager->GetLabel(31199).c_str(), "Cancel");
  delete file;
  delete manager;
}

}  // namespace
