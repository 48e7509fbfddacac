// Arrays, lists and maps: element life, bounds, positions, hashing and growth.
#include <gtest/gtest.h>

#include <framework.h>

#include <functional>
#include <set>
#include <string>

#include "fwcore_test.h"

namespace {

using fwcore_test::ThrowsInvalidArg;

// Counts live instances, so that every element made is also destroyed.
struct Tracked {
  static int live;
  int value;
  Tracked(int v = 0) : value(v) { ++live; }
  Tracked(const Tracked& o) : value(o.value) { ++live; }
  Tracked& operator=(const Tracked&) = default;
  ~Tracked() { --live; }
  bool operator==(const Tracked& o) const { return value == o.value; }
};
int Tracked::live = 0;

struct Item : CObject {
  explicit Item(int v) : value(v) {}
  int value;
};

TEST(Array, AddInsertRemoveAndGrow) {
  CArray<int, int> a;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.Add(i), i);
  a.InsertAt(0, -1);
  a.InsertAt(5, 99, 3);
  EXPECT_EQ(a.GetSize(), 14);
  EXPECT_EQ(a[0], -1);
  EXPECT_EQ(a[5], 99);
  EXPECT_EQ(a[7], 99);
  EXPECT_EQ(a[8], 4);
  a.RemoveAt(5, 3);
  a.RemoveAt(0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a[i], i);
  a.SetAtGrow(15, 7);
  EXPECT_EQ(a.GetSize(), 16);
  EXPECT_EQ(a[12], 0);  // new elements are zeroed
  EXPECT_EQ(a.GetUpperBound(), 15);
  CArray<int, int> b;
  b.Copy(a);
  b.Append(b);
  EXPECT_EQ(b.GetSize(), 32);
  EXPECT_EQ(b[16 + 15], 7);
  b.InsertAt(1, &b);
  EXPECT_EQ(b.GetSize(), 64);
  b.RemoveAll();
  EXPECT_TRUE(b.IsEmpty());
}

TEST(Array, IndexErrorsThrowAndLeaveTheArrayIntact) {
  CArray<int, int> a;
  a.Add(1);
  struct {
    const char* what;
    std::function<void()> f;
  } cases[] = {
      {"GetAt(-1)", [&] { a.GetAt(-1); }},
      {"GetAt(size)", [&] { a.GetAt(1); }},
      {"operator[]", [&] { a[5] = 0; }},
      {"SetAt", [&] { a.SetAt(1, 0); }},
      {"ElementAt", [&] { a.ElementAt(-3); }},
      {"RemoveAt past end", [&] { a.RemoveAt(0, 2); }},
      {"RemoveAt negative", [&] { a.RemoveAt(-1); }},
      {"InsertAt negative", [&] { a.InsertAt(-1, 0); }},
      {"SetAtGrow negative", [&] { a.SetAtGrow(-1, 0); }},
      {"SetSize negative", [&] { a.SetSize(-1); }},
  };
  for (auto& c : cases) EXPECT_TRUE(ThrowsInvalidArg(c.f)) << c.what;
  EXPECT_EQ(a.GetSize(), 1);
  EXPECT_EQ(a[0], 1);
}

TEST(Array, ElementsAreConstructedAndDestroyedOnce) {
  {
    CArray<Tracked> a;
    for (int i = 0; i < 100; ++i) a.Add(Tracked(i));
    for (int i = 0; i < 50; ++i) a.Add(a[0]);  // an element of the array itself, while growing
    EXPECT_EQ(a[149].value, 0);
    a.InsertAt(3, a[10], 5);
    EXPECT_EQ(a[7].value, 10);
    a.RemoveAt(0, 20);
    a.SetSize(10);
    a.FreeExtra();
    EXPECT_EQ(Tracked::live, 10);
  }
  EXPECT_EQ(Tracked::live, 0);
}

TEST(Array, NamedAndTypedArrays) {
  CStringArray s;
  s.Add(_T("one"));
  s.Add(CString(_T("two")));
  s.InsertAt(0, _T("zero"));
  EXPECT_EQ(s.GetSize(), 3);
  EXPECT_EQ(s[0], _T("zero"));
  EXPECT_EQ(s.GetAt(2), _T("two"));
  EXPECT_TRUE(s.IsKindOf(RUNTIME_CLASS(CStringArray)));

  CTypedPtrArray<CObArray, Item*> items;
  Item x(1), y(2);
  items.Add(&x);
  items.Add(&y);
  EXPECT_EQ(items[1]->value, 2);
  items[0] = &y;
  EXPECT_EQ(items.GetAt(0), &y);
  CTypedPtrArray<CPtrArray, int*> ptrs;
  int v = 5;
  ptrs.SetAtGrow(3, &v);
  EXPECT_EQ(ptrs.GetAt(0), nullptr);
  EXPECT_EQ(*ptrs[3], 5);
  CUIntArray u;
  u.Add(7);
  CDWordArray d;
  d.Add(0xFFFFFFFF);
  CByteArray by;
  by.SetSize(3);
  EXPECT_EQ(u[0] + d[0] + by[2], 6u);
}

TEST(List, PositionsAndEditing) {
  CList<int, int> l;
  EXPECT_EQ(l.GetHeadPosition(), nullptr);
  POSITION p2 = l.AddTail(2);
  l.AddHead(1);
  l.AddTail(4);
  l.InsertAfter(p2, 3);
  l.InsertBefore(l.GetHeadPosition(), 0);
  std::vector<int> seen;
  for (POSITION p = l.GetHeadPosition(); p;) seen.push_back(l.GetNext(p));
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
  seen.clear();
  for (POSITION p = l.GetTailPosition(); p;) seen.push_back(l.GetPrev(p));
  EXPECT_EQ(seen, (std::vector<int>{4, 3, 2, 1, 0}));
  EXPECT_EQ(l.Find(3), l.FindIndex(3));
  EXPECT_EQ(l.Find(3, l.Find(3)), nullptr);
  EXPECT_EQ(l.FindIndex(5), nullptr);
  EXPECT_EQ(l.FindIndex(-1), nullptr);
  l.RemoveAt(l.Find(2));
  l.SetAt(l.Find(3), 30);
  EXPECT_EQ(l.RemoveHead(), 0);
  EXPECT_EQ(l.RemoveTail(), 4);
  EXPECT_EQ(l.GetHead(), 1);
  EXPECT_EQ(l.GetTail(), 30);
  EXPECT_EQ(l.GetCount(), 2);
  l.AddTail(&l);
  EXPECT_EQ(l.GetCount(), 4);
  l.AddHead(&l);
  EXPECT_EQ(l.GetCount(), 8);
  EXPECT_EQ(l.GetHead(), 1);
  EXPECT_EQ(l.GetAt(l.FindIndex(1)), 30);
}

TEST(List, EmptyListAndNullPositionsThrow) {
  CStringList l;
  EXPECT_TRUE(ThrowsInvalidArg([&] { l.GetHead(); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { l.RemoveTail(); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { l.GetAt(NULL); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { l.RemoveAt(NULL); }));
  l.AddTail(_T("a"));
  l.AddTail(_T("b"));
  EXPECT_NE(l.Find(_T("b")), nullptr);
  EXPECT_EQ(l.Find(_T("c")), nullptr);
  {
    CList<Tracked> t;
    for (int i = 0; i < 10; ++i) t.AddTail(Tracked(i));
    t.RemoveHead();
    t.RemoveAt(t.FindIndex(3));
    EXPECT_EQ(Tracked::live, 8);
  }
  EXPECT_EQ(Tracked::live, 0);
  CTypedPtrList<CObList, Item*> items;
  Item a(1);
  items.AddTail(&a);
  EXPECT_EQ(items.GetHead()->value, 1);
  POSITION p = items.GetHeadPosition();
  EXPECT_EQ(items.GetNext(p), &a);
  EXPECT_EQ(p, nullptr);
}

TEST(Map, LookupSetRemoveAndIterate) {
  CMap<int, int, CString, LPCTSTR> m;
  m.SetAt(1, _T("one"));
  m[2] = _T("two");
  m[3];  // added empty
  CString v;
  EXPECT_TRUE(m.Lookup(1, v));
  EXPECT_EQ(v, _T("one"));
  EXPECT_TRUE(m.Lookup(3, v));
  EXPECT_TRUE(v.IsEmpty());
  EXPECT_FALSE(m.Lookup(4, v));
  EXPECT_EQ(m.GetCount(), 3);
  EXPECT_TRUE(m.RemoveKey(3));
  EXPECT_FALSE(m.RemoveKey(3));
  EXPECT_NE(m.PLookup(2), nullptr);
  EXPECT_EQ(m.PLookup(2)->value, _T("two"));
  std::set<int> keys;
  for (POSITION p = m.GetStartPosition(); p;) {
    int k;
    CString s;
    m.GetNextAssoc(p, k, s);
    keys.insert(k);
  }
  EXPECT_EQ(keys, (std::set<int>{1, 2}));
  m.RemoveAll();
  EXPECT_EQ(m.GetStartPosition(), nullptr);
  EXPECT_FALSE(m.Lookup(1, v));
}

TEST(Map, GrowsPastItsHintAndKeepsEveryKey) {
  CMap<UINT, UINT, UINT, UINT> m;
  m.InitHashTable(17);
  const UINT n = 5000;
  for (UINT i = 0; i < n; ++i) m[i * 16] = i;  // ids that share low bits
  EXPECT_EQ(m.GetCount(), static_cast<INT_PTR>(n));
  EXPECT_GE(m.GetHashTableSize(), n);
  for (UINT i = 0; i < n; ++i) {
    UINT v = 0;
    ASSERT_TRUE(m.Lookup(i * 16, v)) << i;
    EXPECT_EQ(v, i);
  }
  // Removing the entry just returned by the iteration is allowed.
  INT_PTR visited = 0;
  for (POSITION p = m.GetStartPosition(); p;) {
    UINT k, v;
    m.GetNextAssoc(p, k, v);
    ++visited;
    if (v % 2) m.RemoveKey(k);
  }
  EXPECT_EQ(visited, static_cast<INT_PTR>(n));
  EXPECT_EQ(m.GetCount(), static_cast<INT_PTR>(n / 2));
  UINT v;
  EXPECT_FALSE(m.Lookup(16, v));
  EXPECT_TRUE(m.Lookup(32, v));
}

TEST(Map, NamedMapsAndTypedPointers) {
  CMapStringToPtr sp;
  int a = 1, b = 2;
  sp[_T("a")] = &a;
  sp.SetAt(_T("b"), &b);
  void* p = NULL;
  EXPECT_TRUE(sp.Lookup(_T("b"), p));
  EXPECT_EQ(p, &b);
  EXPECT_FALSE(sp.Lookup(_T("B"), p));  // keys are case-sensitive
  CMapStringToString ss;
  ss[_T("k")] = _T("v");
  CString s;
  EXPECT_TRUE(ss.Lookup(_T("k"), s));
  EXPECT_EQ(s, _T("v"));
  CMapPtrToPtr pp;
  pp[&a] = &b;
  EXPECT_TRUE(pp.Lookup(&a, p));
  EXPECT_EQ(p, &b);
  CMapWordToPtr wp;
  wp[7] = &a;
  EXPECT_TRUE(wp.Lookup(7, p));
  CMapPtrToWord pw;
  pw[&a] = 9;
  WORD w = 0;
  EXPECT_TRUE(pw.Lookup(&a, w));
  EXPECT_EQ(w, 9);
  CTypedPtrMap<CMapStringToOb, CString, Item*> items;
  Item x(5);
  items[_T("x")] = &x;
  Item* found = NULL;
  EXPECT_TRUE(items.Lookup(_T("x"), found));
  EXPECT_EQ(found->value, 5);
  POSITION pos = items.GetStartPosition();
  CString key;
  items.GetNextAssoc(pos, key, found);
  EXPECT_EQ(key, _T("x"));
  {
    CMap<int, int, Tracked, const Tracked&> t;
    for (int i = 0; i < 100; ++i) t[i] = Tracked(i);
    for (int i = 0; i < 50; ++i) t.RemoveKey(i);
    EXPECT_EQ(Tracked::live, 50);
  }
  EXPECT_EQ(Tracked::live, 0);
}

}  // namespace
