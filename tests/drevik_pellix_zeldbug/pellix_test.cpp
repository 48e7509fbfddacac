// Pellix: id sets and their VARIANT form, user numbers, limited users and their filter.
#include <gtest/gtest.h>

#include <Pellix.h>

#include <string>
#include <vector>

namespace {

struct Var {
  VARIANT v;
  Var() { VariantInit(&v); }
  explicit Var(const wchar_t* s) {
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(s);
  }
  explicit Var(DWORD n) {
    VariantInit(&v);
    V_VT(&v) = VT_UI4;
    V_UI4(&v) = n;
  }
  ~Var() { VariantClear(&v); }
  Var(const Var&) = delete;
  Var& operator=(const Var&) = delete;
};

// A VARIANT array of the given items (taken over).
void MakeArray(VARIANT* out, std::initializer_list<VARIANT> items) {
  SAFEARRAY* sa = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
  LONG i = 0;
  for (VARIANT it : items) {
    SafeArrayPutElement(sa, &i, &it);
    VariantClear(&it);
    ++i;
  }
  V_VT(out) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(out) = sa;
}

VARIANT I4(int n) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = n;
  return v;
}
VARIANT Str(const wchar_t* s) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(s);
  return v;
}
VARIANT UI4(DWORD n) {
  VARIANT v;
  V_VT(&v) = VT_UI4;
  V_UI4(&v) = n;
  return v;
}

TEST(Boid, AddKeepsTypesAndIdsApartAndRefusesBeyondItsBounds) {
  CBoid set(4);
  Var alice(L"100.0.1"), bob(L"200.0.1"), carol(L"300.0.1"), group(7u);
  struct Case {
    int type;
    const VARIANT* id;
    DWORD limit;
    BOOL added;
    const char* why;
  } cases[] = {
      {BOID_USER, &alice.v, 0x7FFFFFFF, TRUE, "a user"},
      {BOID_USER, &alice.v, 0x7FFFFFFF, FALSE, "the same user again"},
      {BOID_GROUP, &alice.v, 0x7FFFFFFF, FALSE, "a group with a user's id"},
      {BOID_USER, &group.v, 0x7FFFFFFF, FALSE, "a user with a group's id"},
      {4, &group.v, 0x7FFFFFFF, FALSE, "an unknown type"},
      {BOID_GROUP, &group.v, 0x7FFFFFFF, TRUE, "a group"},
      {BOID_DEPARTMENT, &group.v, 0x7FFFFFFF, TRUE, "the same number as another type"},
      {BOID_USER, &bob.v, 1, FALSE, "a second user beyond a limit of one"},
      {BOID_USER, &bob.v, 0x7FFFFFFF, TRUE, "the fourth entry"},
      {BOID_USER, &carol.v, 0x7FFFFFFF, FALSE, "a fifth entry beyond the capacity"},
  };
  for (const Case& c : cases) EXPECT_EQ(set.Add(c.type, *c.id, c.limit), c.added) << c.why;
  EXPECT_EQ(set.GetCount(), 4);
  EXPECT_EQ(set.GetType(1), BOID_GROUP);
  EXPECT_EQ(set.GetNumber(1), 7u);
  EXPECT_EQ(set.GetNumber(0), 0u);  // a user has no number
  EXPECT_EQ(V_VT(&set.GetId(9)), VT_EMPTY);
}

TEST(Boid, OutputThenInputGivesTheSameSet) {
  CBoid set;
  Var alice(L"100.0.1");
  ASSERT_TRUE(set.Add(BOID_USER, alice.v));
  ASSERT_TRUE(set.Add(BOID_MOBILEGROUP, 12));
  ASSERT_TRUE(set.Add(BOID_DEPARTMENT, 3));
  Var out;
  ASSERT_TRUE(set.Output(&out.v));
  CBoid back;
  ASSERT_TRUE(back.Input(out.v));
  ASSERT_EQ(back.GetCount(), 3);
  EXPECT_TRUE(back.Contains(BOID_USER, alice.v));
  EXPECT_EQ(back.GetType(1), BOID_MOBILEGROUP);
  EXPECT_EQ(back.GetNumber(1), 12u);
  EXPECT_EQ(back.GetNumber(2), 3u);
  // An empty set is a set too.
  CBoid empty;
  Var none;
  ASSERT_TRUE(empty.Output(&none.v));
  EXPECT_TRUE(back.Input(none.v));
  EXPECT_EQ(back.GetCount(), 0);
}

TEST(Boid, HostileValuesAreRefusedOrSkipped) {
  CBoid set;
  Var number(5u), text(L"1.0.1");
  EXPECT_FALSE(set.Input(number.v));  // not an array
  EXPECT_FALSE(set.Input(text.v));
  Var nullArray;
  V_VT(&nullArray.v) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&nullArray.v) = NULL;
  EXPECT_FALSE(set.Input(nullArray.v));
  Var odd;  // a type without its id
  MakeArray(&odd.v, {I4(BOID_USER), Str(L"1.0.1"), I4(BOID_GROUP)});
  EXPECT_FALSE(set.Input(odd.v));
  Var twoDim;
  SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
  V_VT(&twoDim.v) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&twoDim.v) = SafeArrayCreate(VT_VARIANT, 2, bounds);
  EXPECT_FALSE(set.Input(twoDim.v));
  // Pairs of the wrong kinds are skipped, the rest read.
  Var mixed;
  MakeArray(&mixed.v, {Str(L"5"), UI4(1), I4(BOID_GROUP), Str(L"x"), I4(99), UI4(1), I4(BOID_GROUP), UI4(8)});
  ASSERT_TRUE(set.Input(mixed.v));
  ASSERT_EQ(set.GetCount(), 1);
  EXPECT_EQ(set.GetNumber(0), 8u);
  // More entries than the capacity: the first ones are kept.
  CBoid small(2);
  Var many;
  MakeArray(&many.v, {I4(BOID_GROUP), UI4(1), I4(BOID_GROUP), UI4(2), I4(BOID_GROUP), UI4(3)});
  ASSERT_TRUE(small.Input(many.v));
  EXPECT_EQ(small.GetCount(), 2);
}

TEST(Users, NumbersSelfAndLimitFilter) {
  struct Case {
    const wchar_t* id;
    DWORD number;
  } ids[] = {{L"123.0.1", 123}, {L"123", 0}, {L"abc.0.1", 0}, {L"", 0}, {L"99999999999.0.1", 0}};
  for (const Case& c : ids) {
    Var v(c.id);
    EXPECT_EQ(PxUserNumberOf(v.v), c.number);
  }
  Var group(4u);
  EXPECT_EQ(PxUserNumberOf(group.v), 0u);

  EXPECT_TRUE(SetSelfUin(42));
  EXPECT_FALSE(SetSelfUin(42));
  EXPECT_EQ(GetSelfUin(), 42u);

  const DWORD limited[] = {200, 100};
  SetLimitUsers(limited, 2);
  EXPECT_TRUE(IsLimitUser(100));
  EXPECT_FALSE(IsLimitUser(300));
  CBoid set;
  Var a(L"100.0.1"), b(L"300.0.1");
  set.Add(BOID_USER, a.v);
  set.Add(BOID_USER, b.v);
  set.Add(BOID_GROUP, 100);  // a group's number is not a user number
  Var in, out;
  set.Output(&in.v);
  const GUID context = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  ASSERT_EQ(FilterLimitUser(in.v, &out.v, context), S_OK);
  CBoid kept;
  ASSERT_TRUE(kept.Input(out.v));
  ASSERT_EQ(kept.GetCount(), 2);
  EXPECT_TRUE(kept.Contains(BOID_USER, b.v));
  EXPECT_EQ(kept.GetNumber(1), 100u);
  EXPECT_EQ(FilterLimitUser(in.v, NULL, context), E_INVALIDARG);
  EXPECT_EQ(FilterLimitUser(in.v, &out.v, GUID_NULL), E_INVALIDARG);
  EXPECT_EQ(FilterLimitUser(group.v, &out.v, context), E_INVALIDARG);
  SetLimitUsers(NULL, 0);
  EXPECT_FALSE(IsLimitUser(100));
}

TEST(Users, FaceImagesByPresence) {
  const struct {
    DWORD presence;
    int image;
  } cases[] = {{0, 0}, {1, 1}, {4, 4}, {5, 0}, {0xFFFFFFFF, 0}};
  for (const auto& c : cases) EXPECT_EQ(GetFaceImage(c.presence), c.image) << c.presence;
}

std::vector<std::pair<std::string, int>> g_opened;
BOOL CALLBACK Opened(LPCSTR text, int show) {
  g_opened.emplace_back(text, show);
  return TRUE;
}

TEST(Links, NavigateGoesToTheObserverAndRefusesEmptyTexts) {
  PxNavigateObserver before = PxSetNavigateObserver(&Opened);
  g_opened.clear();
  EXPECT_TRUE(NavigateURL("http://example.org/", SW_SHOW));
  EXPECT_FALSE(NavigateURL("", SW_SHOW));
  EXPECT_FALSE(NavigateURL(NULL, SW_SHOW));
  EXPECT_EQ(PxSetNavigateObserver(before), &Opened);
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(g_opened[0].first, "http://example.org/");
  EXPECT_EQ(g_opened[0].second, SW_SHOW);
}

TEST(Options, ActiveGroupAgeAndServerTime) {
  CAGOption option = {sizeof(option), 0};
  EXPECT_TRUE(GetAGOption(&option));
  EXPECT_EQ(option.dwAgeLimitHours, 72u);
  SetAGOption(5);
  EXPECT_TRUE(GetAGOption(&option));
  EXPECT_EQ(option.dwAgeLimitHours, 5u);
  SetAGOption(72);
  CAGOption small = {sizeof(DWORD), 99};
  EXPECT_FALSE(GetAGOption(&small));
  EXPECT_EQ(small.dwAgeLimitHours, 99u);
  EXPECT_FALSE(GetAGOption(NULL));

  EXPECT_EQ(LocalTimeToServerTime(1000), 1000);
  SetServerTimeOffset(-300);
  EXPECT_EQ(LocalTimeToServerTime(1000), 700);
  SetServerTimeOffset(0);
}

}  // namespace
