// Arrays, maps, lists and the dictionary.
#include <gtest/gtest.h>

#include "throw_check.h"

#include <QvContainers.h>

#include <map>
#include <set>
#include <string>

namespace {

using vekkel_testing::ThrownCode;
const unsigned long kOut = vekkel_testing::kIndexOutOfRange;

template <class A>
std::vector<long> Items(const A& a) {
  std::vector<long> v;
  for (long i = 0; i < a.GetSize(); ++i) v.push_back(static_cast<long>(a[i]));
  return v;
}

TEST(QvArray, Operations) {
  QvArraySLong a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.Add(10), 0);
  EXPECT_EQ(a.Add(20), 1);
  a.InsertAt(1, 15);
  a.InsertAt(0, 5, 2);
  EXPECT_EQ(Items(a), (std::vector<long>{5, 5, 10, 15, 20}));
  a.RemoveAt(0, 2);
  EXPECT_EQ(Items(a), (std::vector<long>{10, 15, 20}));
  a.SetAtGrow(5, 60);
  EXPECT_EQ(Items(a), (std::vector<long>{10, 15, 20, 0, 0, 60}));
  a.InsertAt(8, 90);  // past the end: grows first
  EXPECT_EQ(a.GetSize(), 9);
  EXPECT_EQ(a[8], 90);
  a.InsertAt(0, a[8]);  // an element of the array itself
  EXPECT_EQ(a[0], 90);
  QvArraySLong b;
  b.Add(1);
  b.Add(2);
  a.InsertAt(1, &b);
  EXPECT_EQ(a[1], 1);
  EXPECT_EQ(a[2], 2);
  EXPECT_EQ(a.Find(60), 8);
  EXPECT_EQ(a.Find(61), -1);
  a.Append(a);
  EXPECT_EQ(a.GetSize(), 24);
  a.SetSize(2);
  EXPECT_EQ(Items(a), (std::vector<long>{90, 1}));
  a.SetSize(0);
  EXPECT_EQ(a.GetData(), nullptr);

  QvArrayQvString s;
  s.Add(QvString("b"));
  s.Add(QvString("a"));
  QvArrayQvString copy(s);
  s.SetAt(0, QvString("z"));
  EXPECT_STREQ(copy[0].c_str(), "b");
  EXPECT_EQ(copy.Find(QvString("a")), 1);
}

TEST(QvArray, BadIndexesThrow) {
  QvArrayUShort a;
  a.Add(1);
  EXPECT_EQ(ThrownCode([&] { a.GetAt(1); }), kOut);
  EXPECT_EQ(ThrownCode([&] { a.GetAt(-1); }), kOut);
  EXPECT_EQ(ThrownCode([&] { a.SetAt(3, 1); }), kOut);
  EXPECT_EQ(ThrownCode([&] { a.RemoveAt(0, 2); }), kOut);
  EXPECT_EQ(ThrownCode([&] { a.RemoveAt(-1); }), kOut);
  EXPECT_EQ(ThrownCode([&] { a.InsertAt(-1, 1); }), kOut);
  EXPECT_EQ(ThrownCode([&] { a.SetSize(-1); }), kOut);
  EXPECT_EQ(ThrownCode([&] { a.SetAtGrow(-1, 1); }), kOut);
  EXPECT_EQ(a.GetSize(), 1);  // nothing changed
}

struct Counted : QvFirst {
  explicit Counted(int* live) : live(live) { ++*live; }
  ~Counted() override { --*live; }
  int* live;
};

TEST(QvArray, OwningPointerArrayDeletesItsObjects) {
  int live = 0;
  {
    QvArrayLPQvFirst owning(true);
    owning.Add(new Counted(&live));
    owning.Add(new Counted(&live));
    QvArrayLPQvFirst view(owning);  // a copy borrows
    EXPECT_FALSE(view.DeletesObjects());
    EXPECT_EQ(live, 2);
    owning.RemoveAll();
    EXPECT_EQ(live, 0);
    owning.Add(new Counted(&live));
  }
  EXPECT_EQ(live, 0);
  QvArrayLPQvFirst borrowing;
  Counted kept(&live);
  borrowing.Add(&kept);
  borrowing.RemoveAll();
  EXPECT_EQ(live, 1);
}

TEST(QvMap, MatchesAReferenceModel) {
  QvMapUShortUShort map;
  EXPECT_TRUE(map.InitHashTable(307));
  std::map<unsigned short, unsigned short> model;
  unsigned seed = 12345;
  for (int i = 0; i < 3000; ++i) {
    seed = seed * 1103515245u + 12345u;
    unsigned short key = static_cast<unsigned short>((seed >> 16) % 500);
    unsigned short value = static_cast<unsigned short>(seed & 0xFFFF);
    switch ((seed >> 8) % 3) {
      case 0:
      case 1:
        map.SetAt(key, value);
        model[key] = value;
        break;
      case 2:
        EXPECT_EQ(map.RemoveKey(key), model.erase(key) == 1);
        break;
    }
  }
  EXPECT_EQ(map.GetCount(), static_cast<long>(model.size()));
  EXPECT_FALSE(map.InitHashTable(17));  // not while it holds entries
  std::map<unsigned short, unsigned short> walked;
  QvPosition pos = map.GetStartPosition();
  while (pos) {
    unsigned short k, v;
    map.GetNextAssoc(pos, k, v);
    EXPECT_TRUE(walked.emplace(k, v).second);
  }
  EXPECT_EQ(walked, model);
  for (auto& kv : model) {
    unsigned short v = 0;
    EXPECT_TRUE(map.Lookup(kv.first, v));
    EXPECT_EQ(v, kv.second);
  }
  unsigned short v = 99;
  EXPECT_FALSE(map.Lookup(600, v));
  EXPECT_EQ(v, 99);
}

TEST(QvMap, RemovingDuringAWalkAndCopies) {
  QvMapULongLPQvFirst map(307);
  QvFirst objects[50];
  for (unsigned long i = 0; i < 50; ++i) map[i * 1000] = &objects[i];
  QvMapULongLPQvFirst copy(map);
  QvPosition pos = map.GetStartPosition();
  while (pos) {
    unsigned long k;
    QvFirst* o;
    map.GetNextAssoc(pos, k, o);
    EXPECT_EQ(o, &objects[k / 1000]);
    map.RemoveKey(k);  // the entry just returned
  }
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(copy.GetCount(), 50);
  QvPosition none = nullptr;
  unsigned long k;
  QvFirst* o;
  EXPECT_EQ(ThrownCode([&] { copy.GetNextAssoc(none, k, o); }), kOut);

  QvMapLPVoidLPVoid pointers;
  int a, b;
  pointers[&a] = &b;
  void* found = nullptr;
  EXPECT_TRUE(pointers.Lookup(&a, found));
  EXPECT_EQ(found, &b);
  EXPECT_FALSE(pointers.Lookup(&b, found));
}

// A map filled far past its first table keeps a bucket for each entry (lookups stay
// constant-time), and finds, walks and copies every entry after the moves; for each key kind.
TEST(QvMap, GrowsItsTableWithItsEntries) {
  const unsigned long n = 100000;
  QvMapULongLPQvFirst numbers;  // 17 buckets asked
  QvFirst object;
  for (unsigned long i = 0; i < n; ++i) numbers[i * 8] = &object;  // keys alike in their low bits
  EXPECT_EQ(numbers.GetCount(), static_cast<long>(n));
  EXPECT_GE(numbers.GetHashTableSize(), n);
  for (unsigned long i = 0; i < n; ++i) {
    QvFirst* o = nullptr;
    ASSERT_TRUE(numbers.Lookup(i * 8, o)) << i;
    EXPECT_EQ(o, &object);
  }
  EXPECT_FALSE(numbers.Contains(8 * n + 1));
  std::set<unsigned long> walked;
  for (QvPosition pos = numbers.GetStartPosition(); pos;) {
    unsigned long k;
    QvFirst* o;
    numbers.GetNextAssoc(pos, k, o);
    EXPECT_TRUE(walked.insert(k).second) << k;
  }
  EXPECT_EQ(walked.size(), n);
  QvMapULongLPQvFirst copy(numbers);
  EXPECT_EQ(copy.GetCount(), static_cast<long>(n));
  EXPECT_TRUE(copy.Contains(8 * (n - 1)));

  QvDictionaryLPVoid texts;
  for (unsigned long i = 0; i < 20000; ++i) texts[QvString("key ") + QvString(std::to_string(i).c_str())] = &object;
  EXPECT_GE(texts.GetHashTableSize(), 20000u);
  void* found = nullptr;
  EXPECT_TRUE(texts.Lookup(QvString("key 19999"), found));
  EXPECT_EQ(found, &object);
  EXPECT_FALSE(texts.Lookup(QvString("key 20000"), found));
  for (unsigned long i = 0; i < 20000; i += 2)
    EXPECT_TRUE(texts.RemoveKey(QvString("key ") + QvString(std::to_string(i).c_str())));
  EXPECT_EQ(texts.GetCount(), 10000);
  EXPECT_TRUE(texts.Contains(QvString("key 1")));
  EXPECT_FALSE(texts.Contains(QvString("key 0")));
}

TEST(QvDictionary, TextKeysAreExact) {
  QvDictionaryLPVoid dict;
  int one, two;
  dict.SetAt(QvString("Standard"), &one);
  dict.SetAt(QvString("standard"), &two);
  dict.SetAt(QvString("Standard"), &two);  // replaces
  EXPECT_EQ(dict.GetCount(), 2);
  void* p = nullptr;
  EXPECT_TRUE(dict.Lookup(QvString("Standard"), p));
  EXPECT_EQ(p, &two);
  EXPECT_FALSE(dict.Lookup(QvString("STANDARD"), p));
  EXPECT_TRUE(dict.RemoveKey(QvString("standard")));
  EXPECT_FALSE(dict.RemoveKey(QvString("standard")));
  EXPECT_EQ(dict.GetCount(), 1);
}

TEST(QvList, Operations) {
  QvListQvString list;
  list.AddTail(QvString("b"));
  list.AddHead(QvString("a"));
  QvPosition c = list.AddTail(QvString("d"));
  list.InsertBefore(c, QvString("c"));
  list.InsertAfter(c, QvString("e"));
  std::string joined;
  for (QvPosition pos = list.GetHeadPosition(); pos;) joined += list.GetNext(pos).c_str();
  EXPECT_EQ(joined, "abcde");
  joined.clear();
  for (QvPosition pos = list.GetTailPosition(); pos;) joined += list.GetPrev(pos).c_str();
  EXPECT_EQ(joined, "edcba");
  EXPECT_EQ(list.Find(QvString("c")), list.FindIndex(2));
  EXPECT_EQ(list.Find(QvString("x")), nullptr);
  EXPECT_EQ(list.FindIndex(5), nullptr);
  list.RemoveAt(list.Find(QvString("c")));
  EXPECT_STREQ(list.RemoveHead().c_str(), "a");
  EXPECT_STREQ(list.RemoveTail().c_str(), "e");
  EXPECT_EQ(list.GetCount(), 2);
  QvListQvString copy(list);
  list.RemoveAll();
  EXPECT_EQ(ThrownCode([&] { list.GetHead(); }), kOut);
  EXPECT_EQ(ThrownCode([&] { list.RemoveTail(); }), kOut);
  EXPECT_EQ(ThrownCode([&] { list.RemoveAt(nullptr); }), kOut);
  EXPECT_STREQ(copy.GetHead().c_str(), "b");
  EXPECT_STREQ(copy.GetTail().c_str(), "d");
  copy.AddTail(copy);
  EXPECT_EQ(copy.GetCount(), 4);

  QvListLPVoid pointers;
  int x;
  QvPosition p = pointers.AddTail(&x);
  pointers.SetAt(p, nullptr);
  EXPECT_EQ(pointers.GetAt(p), nullptr);
  QvListLPQvFirst objects;
  EXPECT_TRUE(objects.IsEmpty());
}

}  // namespace
