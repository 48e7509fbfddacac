// QvFirst and QvRuntimeClass: registration by name, creation by name, IsKindOf.
#include <gtest/gtest.h>

#include <QvFirst.h>

namespace {

class QvTestBase : public QvFirst {
  QV_DECLARE_CREATABLE(QvTestBase)
 public:
  int value = 7;
};
class QvTestDerived : public QvTestBase {
  QV_DECLARE_CREATABLE(QvTestDerived)
};
// Registered under a base that is not its language base.
class QvTestSideways : public QvTestBase {
  QV_DECLARE_CLASS(QvTestSideways)
};
class QvTestErrors : public QvFirst {
 public:
  void Fail(unsigned long id) { SetLastErrorObject(new QvError(id, "failed")); }
};

QV_IMPLEMENT_CREATABLE(QvTestBase, QV_RUNTIME_CLASS(QvFirst))
QV_IMPLEMENT_CREATABLE(QvTestDerived, QV_RUNTIME_CLASS(QvTestBase))
QV_IMPLEMENT_CLASS(QvTestSideways, nullptr)
QV_CLASSINIT(QvTestBase)
QV_CLASSINIT(QvTestDerived)
QV_CLASSINIT(QvTestSideways)

TEST(QvRuntimeClass, CreatesByName) {
  struct { const char* name; bool found; bool creatable; } cases[] = {
      {"QvTestBase", true, true}, {"QvTestDerived", true, true}, {"QvTestSideways", true, false},
      {"QvFirst", true, true},    {"qvtestbase", false, false},  {"", false, false},
      {"QvNoSuchClass", false, false},
  };
  for (auto& c : cases) {
    const QvRuntimeClass* rc = QvRuntimeClass::FromClassName(c.name);
    ASSERT_EQ(rc != nullptr, c.found) << c.name;
    if (!rc) continue;
    EXPECT_STREQ(rc->GetName(), c.name);
    QvFirst* object = rc->CreateObject();
    EXPECT_EQ(object != nullptr, c.creatable) << c.name;
    if (object) {
      EXPECT_EQ(object->GetRuntimeClass(), rc);
    }
    delete object;
  }
  EXPECT_EQ(QvRuntimeClass::FromClassName(nullptr), nullptr);
  EXPECT_EQ(QV_RUNTIME_CLASS(QvTestDerived)->GetObjectSize(), sizeof(QvTestDerived));

  QvFirst* made = QvRuntimeClass::FromClassName("QvTestDerived")->CreateObject();
  auto* derived = dynamic_cast<QvTestDerived*>(made);
  ASSERT_NE(derived, nullptr);
  EXPECT_EQ(derived->value, 7);  // its default constructor ran
  delete made;
}

TEST(QvRuntimeClass, IsKindOfWalksTheRegisteredBases) {
  QvTestDerived derived;
  QvTestSideways sideways;
  QvTestBase base;
  EXPECT_TRUE(derived.IsKindOf(QV_RUNTIME_CLASS(QvTestDerived)));
  EXPECT_TRUE(derived.IsKindOf(QV_RUNTIME_CLASS(QvTestBase)));
  EXPECT_TRUE(derived.IsKindOf(QV_RUNTIME_CLASS(QvFirst)));
  EXPECT_FALSE(base.IsKindOf(QV_RUNTIME_CLASS(QvTestDerived)));
  EXPECT_FALSE(sideways.IsKindOf(QV_RUNTIME_CLASS(QvTestBase)));  // registered without a base
  EXPECT_TRUE(sideways.IsKindOf(QV_RUNTIME_CLASS(QvFirst)));
  EXPECT_FALSE(derived.IsKindOf(nullptr));
}

TEST(QvRuntimeClass, RegistrationEndsWithItsOwner) {
  static QvRuntimeClass shadow("QvTestBase", sizeof(QvTestBase), nullptr, nullptr);
  {
    QvClassInit later(&shadow);
    EXPECT_EQ(QvRuntimeClass::FromClassName("QvTestBase"), &shadow);  // the later one wins
  }
  EXPECT_EQ(QvRuntimeClass::FromClassName("QvTestBase"), QV_RUNTIME_CLASS(QvTestBase));
}

TEST(QvFirst, KeepsItsLastError) {
  QvTestErrors object;
  EXPECT_EQ(object.GetLastErrorId(), 0u);
  EXPECT_EQ(object.GetLastErrorObject(), nullptr);
  object.Fail(12);
  object.Fail(13);  // replaces (and frees) the first
  EXPECT_EQ(object.GetLastErrorId(), 13u);
  EXPECT_STREQ(object.GetLastErrorObject()->GetText(), "failed");
  QvTestErrors copy(object);
  EXPECT_EQ(copy.GetLastErrorId(), 0u);  // errors are not copied
  object.RemoveAndDestroyLastErrorObject();
  EXPECT_EQ(object.GetLastErrorId(), 0u);
  EXPECT_EQ(object.QvPatch(1, nullptr), 0);
}

}  // namespace
