// Run-time classes: derivation, creation and lookup by name through the module chain.
#include <gtest/gtest.h>

#include <framework.h>

#include <string.h>

namespace {

class CAnimal : public CObject {
  DECLARE_DYNAMIC(CAnimal)
};
class CDog : public CAnimal {
  DECLARE_DYNCREATE(CDog)
};
class CPuppy : public CDog {
  DECLARE_SERIAL(CPuppy)
};

}  // namespace

IMPLEMENT_DYNAMIC(CAnimal, CObject)
IMPLEMENT_DYNCREATE(CDog, CAnimal)
IMPLEMENT_SERIAL(CPuppy, CDog, 2)

namespace {

TEST(RuntimeClass, DerivationAndKinds) {
  CPuppy puppy;
  CDog dog;
  EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CAnimal)));
  EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CPuppy)));
  EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CPuppy)));
  EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CStringArray)));
  EXPECT_STREQ(puppy.GetRuntimeClass()->m_lpszClassName, "CPuppy");
  EXPECT_EQ(RUNTIME_CLASS(CPuppy)->m_pBaseClass, RUNTIME_CLASS(CDog));
  EXPECT_EQ(RUNTIME_CLASS(CPuppy)->m_wSchema, 2u);
  EXPECT_TRUE(puppy.IsSerializable());
  EXPECT_FALSE(dog.IsSerializable());
  EXPECT_EQ(DYNAMIC_DOWNCAST(CDog, &puppy), &puppy);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CPuppy, &dog), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CDog, (CObject*)NULL), nullptr);
}

TEST(RuntimeClass, CreatesByClassAndByName) {
  EXPECT_EQ(RUNTIME_CLASS(CAnimal)->CreateObject(), nullptr);  // not creatable
  CObject* made = RUNTIME_CLASS(CDog)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDog)));
  delete made;
  EXPECT_EQ(CRuntimeClass::FromName("CPuppy"), RUNTIME_CLASS(CPuppy));
  EXPECT_EQ(CRuntimeClass::FromName(L"CPuppy"), RUNTIME_CLASS(CPuppy));
  EXPECT_EQ(CRuntimeClass::FromName("CObArray"), RUNTIME_CLASS(CObArray));  // the framework's own
  EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName((LPCSTR)NULL), nullptr);
  made = CRuntimeClass::CreateObject("CPuppy");
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CPuppy)));
  delete made;
  EXPECT_EQ(CRuntimeClass::CreateObject("CAnimal"), nullptr);
}

int ChainLength() {
  int n = 0;
  for (CDynLinkLibrary* p = AfxGetModuleState()->m_libraryList; p; p = p->m_pNextDLL) ++n;
  return n;
}

TEST(RuntimeClass, ExtensionModuleClassesAreFoundWhileLoaded) {
  EXPECT_EQ(CRuntimeClass::FromName("CExtShape"), nullptr);
  int before = ChainLength();
  HMODULE ext = LoadLibraryW(L"fwcore_ext.dll");
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(ChainLength(), before + 1);
  CDynLinkLibrary* lib = AfxGetModuleState()->m_libraryList;
  EXPECT_EQ(lib->m_hModule, ext);
  bool listed = false;
  for (CRuntimeClass* c = lib->GetFirstClass(); c; c = c->m_pNextClass)
    listed |= strcmp(c->m_lpszClassName, "CExtShape") == 0;
  EXPECT_TRUE(listed);

  CRuntimeClass* shape = CRuntimeClass::FromName("CExtShape");
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->m_wSchema, 1u);
  // Its objects cross an archive by name and come back as its class.
  CMemFile file;
  {
    CObject* original = shape->CreateObject();
    ASSERT_NE(original, nullptr);
    CArchive ar(&file, CArchive::store);
    ar << original;
    ar.Close();
    delete original;
  }
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    CObject* back = ar.ReadObject(RUNTIME_CLASS(CObject));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsKindOf(shape));
    delete back;
  }
  FreeLibrary(ext);
  EXPECT_EQ(ChainLength(), before);
  EXPECT_EQ(CRuntimeClass::FromName("CExtShape"), nullptr);
  // Without the module the archive names an unknown class.
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  try {
    ar.ReadObject(NULL);
    ADD_FAILURE() << "read an object of an unloaded class";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::badClass);
    e->Delete();
  }
}

}  // namespace
