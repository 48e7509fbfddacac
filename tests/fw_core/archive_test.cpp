// CArchive: round trips of values, strings, counts, collections and object graphs; damaged
// archives fail with CArchiveException and never read past their data.
#include <gtest/gtest.h>

#include <framework.h>

#include <functional>
#include <set>
#include <vector>

#include "fwcore_test.h"

namespace {

// A node of a small graph: shared and cyclic references must come back as one object.
class CNode : public CObject {
  DECLARE_SERIAL(CNode)
 public:
  CNode() { Live().insert(this); }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_strName << m_rect << m_pPeer;
    } else {
      ar >> m_strName >> m_rect;
      CObject* peer = NULL;
      ar >> peer;
      m_pPeer = static_cast<CNode*>(peer);
    }
    m_children.Serialize(ar);
  }
  CString m_strName;
  CRect m_rect;
  CNode* m_pPeer = NULL;
  CObArray m_children;  // not owned: a damaged archive may name one node twice

  // Every node alive, so that a test frees what a load made, whatever its shape.
  static std::set<CNode*>& Live() {
    static std::set<CNode*> live;
    return live;
  }
  static void DeleteAll() {
    while (!Live().empty()) delete *Live().begin();
  }
  ~CNode() override { Live().erase(this); }
};

// Reads schema 1 or 2 of itself.
class CVersioned : public CObject {
  DECLARE_SERIAL(CVersioned)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_a << m_b;
      return;
    }
    UINT schema = ar.GetObjectSchema();
    ar >> m_a;
    if (schema >= 2) ar >> m_b;
    m_readSchema = schema;
  }
  int m_a = 1, m_b = 2;
  UINT m_readSchema = 0;
};

}  // namespace

IMPLEMENT_SERIAL(CNode, CObject, 1)
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

using fwcore_test::Throws;

// Bytes written by store(ar).
std::vector<BYTE> Store(const std::function<void(CArchive&)>& store) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

// Runs load(ar) over the bytes; returns the CArchiveException cause, or -1 when it read fine.
int Load(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& load) {
  CMemFile file(bytes.empty() ? NULL : bytes.data(), static_cast<UINT>(bytes.size()));
  try {
    CArchive ar(&file, CArchive::load);
    load(ar);
  } catch (CArchiveException* e) {
    int cause = e->m_cause;
    e->Delete();
    CNode::DeleteAll();
    return cause;
  }
  CNode::DeleteAll();
  return -1;
}

TEST(Archive, ValuesAndGeometryRoundTrip) {
  auto bytes = Store([](CArchive& ar) {
    ar << BYTE(0xAB) << WORD(0xBEEF) << LONG(-5) << DWORD(0xDEADBEEF) << 3.5f << 2.25 << LONGLONG(-1) << 42 << true
       << CPoint(1, -2) << CSize(3, 4) << CRect(5, 6, 7, 8);
  });
  EXPECT_EQ(Load(bytes, [](CArchive& ar) {
              BYTE by;
              WORD w;
              LONG l;
              DWORD dw;
              float f;
              double d;
              LONGLONG ll;
              int i;
              bool b;
              CPoint pt;
              CSize sz;
              CRect rc;
              ar >> by >> w >> l >> dw >> f >> d >> ll >> i >> b >> pt >> sz >> rc;
              EXPECT_EQ(by, 0xAB);
              EXPECT_EQ(w, 0xBEEF);
              EXPECT_EQ(l, -5);
              EXPECT_EQ(dw, 0xDEADBEEFu);
              EXPECT_EQ(f, 3.5f);
              EXPECT_EQ(d, 2.25);
              EXPECT_EQ(ll, -1);
              EXPECT_EQ(i, 42);
              EXPECT_TRUE(b);
              EXPECT_EQ(pt, CPoint(1, -2));
              EXPECT_EQ(sz, CSize(3, 4));
              EXPECT_EQ(rc, CRect(5, 6, 7, 8));
            }),
            -1);
}

TEST(Archive, StringsOfEveryLengthAndBothCharacterSets) {
  const int lengths[] = {0, 1, 254, 255, 256, 0xFFFD, 0xFFFE, 0xFFFF, 70000};
  for (int n : lengths) {
    CStringA a('a', n);
    CStringW w(L'w', n);
    auto bytes = Store([&](CArchive& ar) { ar << a << w << w << a; });
    EXPECT_EQ(Load(bytes,
                   [&](CArchive& ar) {
                     CStringA a2, wAsA;
                     CStringW w2, aAsW;
                     ar >> a2 >> w2 >> wAsA >> aAsW;  // each also read into the other set
                     EXPECT_EQ(a2, a);
                     EXPECT_EQ(w2, w);
                     EXPECT_EQ(wAsA, CStringA(w));
                     EXPECT_EQ(aAsW, CStringW(a));
                   }),
              -1)
        << n;
  }
}

TEST(Archive, CountsOfEverySize) {
  const DWORD_PTR counts[] = {0, 1, 0xFFFE, 0xFFFF, 0x10000, 0xFFFFFFFE};
  for (DWORD_PTR c : counts) {
    auto bytes = Store([&](CArchive& ar) { ar.WriteCount(c); });
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c); }), -1) << c;
  }
}

void StoreGraph(CArchive& ar) {
  CNode root, a, b;
  root.m_strName = _T("root");
  a.m_strName = _T("a");
  b.m_strName = _T("b");
  a.m_rect = CRect(1, 2, 3, 4);
  a.m_pPeer = &b;
  b.m_pPeer = &a;  // a cycle
  root.m_pPeer = &a;
  root.m_children.Add(&a);
  root.m_children.Add(&b);
  root.m_children.Add(NULL);
  ar << &root;
  root.m_children.RemoveAll();  // not owned here
}

TEST(Archive, ObjectGraphsKeepSharedAndCyclicReferences) {
  auto bytes = Store(StoreGraph);
  EXPECT_EQ(Load(bytes,
                 [](CArchive& ar) {
                   EXPECT_TRUE(CNode::Live().empty());
                   CNode* root = NULL;
                   ar >> root;
                   EXPECT_EQ(CNode::Live().size(), 3u);
                   ASSERT_NE(root, nullptr);
                   ASSERT_EQ(root->m_children.GetSize(), 3);
                   CNode* a = static_cast<CNode*>(root->m_children[0]);
                   CNode* b = static_cast<CNode*>(root->m_children[1]);
                   EXPECT_EQ(root->m_children[2], nullptr);
                   EXPECT_EQ(root->m_pPeer, a);
                   EXPECT_EQ(a->m_pPeer, b);
                   EXPECT_EQ(b->m_pPeer, a);
                   EXPECT_EQ(a->m_strName, _T("a"));
                   EXPECT_EQ(a->m_rect, CRect(1, 2, 3, 4));
                 }),
            -1);
}

TEST(Archive, CollectionsRoundTrip) {
  auto bytes = Store([](CArchive& ar) {
    CStringArray s;
    s.Add(_T("x"));
    s.Add(_T("yy"));
    CDWordArray d;
    for (DWORD i = 0; i < 10000; ++i) d.Add(i * 3);
    CStringList l;
    l.AddTail(_T("first"));
    l.AddTail(_T("second"));
    CMapStringToString m;
    m[_T("k1")] = _T("v1");
    m[_T("k2")] = _T("v2");
    s.Serialize(ar);
    d.Serialize(ar);
    l.Serialize(ar);
    m.Serialize(ar);
  });
  EXPECT_EQ(Load(bytes,
                 [](CArchive& ar) {
                   CStringArray s;
                   CDWordArray d;
                   CStringList l;
                   CMapStringToString m;
                   s.Serialize(ar);
                   d.Serialize(ar);
                   l.Serialize(ar);
                   m.Serialize(ar);
                   ASSERT_EQ(s.GetSize(), 2);
                   EXPECT_EQ(s[1], _T("yy"));
                   ASSERT_EQ(d.GetSize(), 10000);
                   EXPECT_EQ(d[9999], 29997u);
                   EXPECT_EQ(l.GetTail(), _T("second"));
                   CString v;
                   EXPECT_TRUE(m.Lookup(_T("k2"), v));
                   EXPECT_EQ(v, _T("v2"));
                 }),
            -1);
}

TEST(Archive, SchemasAndRequestedClassesAreChecked) {
  auto versioned = Store([](CArchive& ar) {
    CVersioned v;
    ar << &v;
  });
  EXPECT_EQ(Load(versioned,
                 [](CArchive& ar) {
                   CVersioned* v = NULL;
                   ar >> v;
                   ASSERT_NE(v, nullptr);
                   EXPECT_EQ(v->m_readSchema, 2u);
                   delete v;
                 }),
            -1);
  // An archive of schema 1 of CNode read by a build whose schema is different fails.
  auto graph = Store(StoreGraph);
  std::vector<BYTE> oldSchema = graph;
  ASSERT_EQ(oldSchema[2], 1);  // tag FFFF, then the schema
  oldSchema[2] = 7;
  EXPECT_EQ(Load(oldSchema, [](CArchive& ar) { delete ar.ReadObject(NULL); }), CArchiveException::badSchema);
  // Asking for an unrelated class fails and frees nothing it did not make.
  EXPECT_EQ(Load(graph, [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CVersioned)); }),
            CArchiveException::badClass);
  // An unknown class name fails.
  std::vector<BYTE> unknown = graph;
  unknown[6] = 'X';  // "CNode" -> "CXode"
  EXPECT_EQ(Load(unknown, [](CArchive& ar) { delete ar.ReadObject(NULL); }), CArchiveException::badClass);
}

TEST(Archive, EveryTruncationFailsCleanly) {
  auto graph = Store(StoreGraph);
  for (size_t n = 0; n < graph.size(); ++n) {
    std::vector<BYTE> cut(graph.begin(), graph.begin() + n);
    EXPECT_EQ(Load(cut, [](CArchive& ar) { delete ar.ReadObject(NULL); }), CArchiveException::endOfFile)
        << "at " << n << " of " << graph.size();
  }
}

TEST(Archive, CorruptBytesFailWithArchiveExceptionsOrReadSomethingValid) {
  auto graph = Store(StoreGraph);
  for (size_t i = 0; i < graph.size(); ++i) {
    for (BYTE flip : {BYTE(0xFF), BYTE(0x01), BYTE(0x80)}) {
      std::vector<BYTE> bad = graph;
      bad[i] ^= flip;
      // Anything but a CArchiveException escaping (or a crash) fails the test.
      Load(bad, [](CArchive& ar) { delete ar.ReadObject(NULL); });
    }
  }
}

TEST(Archive, ForgedLengthsDoNotAllocateWhatIsNotThere) {
  // A string claiming 1 G characters and an array claiming 4 G elements, with no data.
  std::vector<BYTE> hugeString = {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x3F, 'a', 'b'};
  auto readString = [](CArchive& ar) {
    CStringA s;
    ar >> s;
  };
  EXPECT_EQ(Load(hugeString, readString), CArchiveException::endOfFile);
  // Past what a string can hold, the length itself is refused.
  std::vector<BYTE> tooLong = {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b'};
  EXPECT_EQ(Load(tooLong, readString), CArchiveException::badIndex);
  std::vector<BYTE> hugeCount = {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4};
  EXPECT_EQ(Load(hugeCount,
                 [](CArchive& ar) {
                   CDWordArray d;
                   d.Serialize(ar);
                 }),
            CArchiveException::endOfFile);
  EXPECT_EQ(Load(hugeCount,
                 [](CArchive& ar) {
                   CStringList l;
                   l.Serialize(ar);
                 }),
            CArchiveException::endOfFile);
  // A reference to an object that was never read.
  std::vector<BYTE> badRef = {0x05, 0x00};
  EXPECT_EQ(Load(badRef, [](CArchive& ar) { ar.ReadObject(NULL); }), CArchiveException::badIndex);
}

TEST(Archive, WrongDirectionAndTextLines) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    BYTE b;
    EXPECT_TRUE(Throws<CArchiveException>([&] { ar >> b; }));
    ar.WriteString(_T("first line\r\nsecond\nthird"));
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  EXPECT_TRUE(Throws<CArchiveException>([&] { ar << BYTE(1); }));
  CString line;
  EXPECT_TRUE(ar.ReadString(line));
  EXPECT_EQ(line, _T("first line"));
  TCHAR buf[4];
  EXPECT_NE(ar.ReadString(buf, 4), nullptr);
  EXPECT_STREQ(buf, _T("sec"));
  EXPECT_TRUE(ar.ReadString(line));
  EXPECT_EQ(line, _T("ond"));
  EXPECT_TRUE(ar.ReadString(line));
  EXPECT_EQ(line, _T("third"));
  EXPECT_FALSE(ar.ReadString(line));
}

TEST(Archive, ClosingAStoreFlushesAndTheFileCarriesOn) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar << DWORD(1);
  EXPECT_EQ(file.GetLength(), 0u);  // still buffered
  ar.Flush();
  EXPECT_EQ(file.GetLength(), 4u);
  ar << DWORD(2);
  ar.Close();
  EXPECT_EQ(file.GetLength(), 8u);
  EXPECT_TRUE(Throws<CArchiveException>([&] { ar << DWORD(3); }));
  // Reading gives back what it read ahead, so the file stands after the last byte used.
  file.SeekToBegin();
  CArchive in(&file, CArchive::load);
  DWORD v;
  in >> v;
  in.Close();
  EXPECT_EQ(file.GetPosition(), 4u);
}

}  // namespace
