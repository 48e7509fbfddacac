// CStringA and CStringW: the same table of cases for both character sets.
#include <gtest/gtest.h>

#include <framework.h>

#include <map>
#include <string>

#include "fwcore_test.h"

namespace {

// A test string of type S from ASCII text.
template <class S>
S L(const char* text) {
  return S(CStringA(text));
}
template <class S>
std::string A(const S& s) {
  return std::string(CStringA(s).GetString());
}

// Runs f and reports whether it threw a CInvalidArgException (freed here).
using fwcore_test::ThrowsInvalidArg;

template <class S>
class StringTest : public ::testing::Test {};
typedef ::testing::Types<CStringA, CStringW> StringTypes;
TYPED_TEST_SUITE(StringTest, StringTypes);

TYPED_TEST(StringTest, ConstructsAndConverts) {
  typedef TypeParam S;
  S empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.GetLength(), 0);
  EXPECT_EQ(*empty.GetString(), 0);
  EXPECT_EQ(A(S(typename S::XCHAR_T('x'), 3)), "xxx");
  EXPECT_EQ(A(S(L<S>("abcdef").GetString(), 3)), "abc");
  EXPECT_EQ(A(S("narrow")), "narrow");
  EXPECT_EQ(A(S(L"wide")), "wide");
  EXPECT_EQ(A(S(CStringA("other set"))), "other set");
  EXPECT_EQ(A(S(CStringW(L"other set"))), "other set");
  S nul(static_cast<const typename S::XCHAR_T*>(NULL));
  EXPECT_TRUE(nul.IsEmpty());
  static_assert(sizeof(S) == sizeof(void*), "one pointer");
}

TEST(StringConversion, NonAsciiRoundTripsThroughTheAnsiCodePage) {
  // The test programs run under a C locale, which Wine maps to the western code page.
  ASSERT_EQ(GetACP(), 1252U);
  CStringW w(L"caf\u00e9 \u00fcber");
  CStringA a(w);
  EXPECT_STREQ(a, "caf\xe9 \xfc" "ber");
  EXPECT_EQ(CStringW(a), w);
}

TYPED_TEST(StringTest, FindsCharactersAndSubstrings) {
  typedef TypeParam S;
  S s = L<S>("hello world");
  struct {
    char ch;
    int start;
    int expected;
  } chars[] = {{'o', 0, 4}, {'o', 5, 7}, {'h', 1, -1}, {'z', 0, -1}, {'d', 10, 10}, {'o', 11, -1}, {'o', 99, -1},
               {'o', -5, 4}};
  for (auto& c : chars)
    EXPECT_EQ(s.Find(typename S::XCHAR_T(c.ch), c.start), c.expected) << c.ch << " from " << c.start;
  struct {
    const char* sub;
    int start;
    int expected;
  } subs[] = {{"world", 0, 6}, {"o w", 0, 4}, {"lo", 4, -1}, {"hello world!", 0, -1}, {"l", 3, 3}, {"x", 0, -1}};
  for (auto& c : subs) EXPECT_EQ(s.Find(L<S>(c.sub), c.start), c.expected) << c.sub;
  EXPECT_EQ(s.ReverseFind('o'), 7);
  EXPECT_EQ(s.ReverseFind('q'), -1);
  EXPECT_EQ(s.FindOneOf(L<S>("wr")), 6);
  EXPECT_EQ(s.FindOneOf(L<S>("xyz")), -1);
}

TYPED_TEST(StringTest, ReplacesAndRemoves) {
  typedef TypeParam S;
  struct {
    const char* text;
    const char* from;
    const char* to;
    int count;
    const char* expected;
  } cases[] = {
      {"aaa", "a", "bb", 3, "bbbbbb"},     {"abcabc", "bc", "", 2, "aa"},    {"abc", "x", "y", 0, "abc"},
      {"aaaa", "aa", "a", 2, "aa"},        {"", "a", "b", 0, ""},            {"a.b.c", ".", "::", 2, "a::b::c"},
      {"path\\to\\file", "\\", "/", 2, "path/to/file"},
  };
  for (auto& c : cases) {
    S s = L<S>(c.text);
    EXPECT_EQ(s.Replace(L<S>(c.from), L<S>(c.to)), c.count) << c.text;
    EXPECT_EQ(A(s), c.expected) << c.text;
  }
  S s = L<S>("a-b-c");
  EXPECT_EQ(s.Replace('-', '+'), 2);
  EXPECT_EQ(A(s), "a+b+c");
  EXPECT_EQ(s.Remove('+'), 2);
  EXPECT_EQ(A(s), "abc");
  EXPECT_EQ(s.Insert(1, L<S>("XY")), 5);
  EXPECT_EQ(A(s), "aXYbc");
  EXPECT_EQ(s.Insert(99, 'z'), 6);
  EXPECT_EQ(A(s), "aXYbcz");
  EXPECT_EQ(s.Delete(1, 2), 4);
  EXPECT_EQ(A(s), "abcz");
  EXPECT_EQ(s.Delete(3, 50), 3);
  EXPECT_EQ(A(s), "abc");
}

TYPED_TEST(StringTest, TrimsWhiteSpaceCharactersAndSets) {
  typedef TypeParam S;
  S s = L<S>(" \t hi there \r\n");
  EXPECT_EQ(A(S(s).TrimLeft()), "hi there \r\n");
  EXPECT_EQ(A(S(s).TrimRight()), " \t hi there");
  EXPECT_EQ(A(S(s).Trim()), "hi there");
  EXPECT_EQ(A(L<S>("xxabcxx").Trim('x')), "abc");
  EXPECT_EQ(A(L<S>("xyabcyx").Trim(L<S>("xy"))), "abc");
  EXPECT_EQ(A(L<S>("xyabcyx").TrimLeft(L<S>("xy"))), "abcyx");
  EXPECT_EQ(A(L<S>("   ").Trim()), "");
  EXPECT_EQ(A(S().Trim()), "");
}

TYPED_TEST(StringTest, ExtractsWithClampedBounds) {
  typedef TypeParam S;
  S s = L<S>("abcdef");
  struct {
    int first, count;
    const char* expected;
  } mids[] = {{0, 3, "abc"}, {2, 2, "cd"}, {4, 10, "ef"}, {-1, 2, "ab"}, {6, 1, ""}, {10, 1, ""}, {1, -1, ""}};
  for (auto& m : mids) EXPECT_EQ(A(s.Mid(m.first, m.count)), m.expected) << m.first << "," << m.count;
  EXPECT_EQ(A(s.Mid(3)), "def");
  EXPECT_EQ(A(s.Left(2)), "ab");
  EXPECT_EQ(A(s.Left(100)), "abcdef");
  EXPECT_EQ(A(s.Right(2)), "ef");
  EXPECT_EQ(A(s.Right(-1)), "");
  EXPECT_EQ(A(L<S>("12ab").SpanIncluding(L<S>("0123456789"))), "12");
  EXPECT_EQ(A(L<S>("name=value").SpanExcluding(L<S>("=;"))), "name");
}

TYPED_TEST(StringTest, TokenizesSkippingEmptyTokens) {
  typedef TypeParam S;
  S s = L<S>(",a,,b;c;");
  S delims = L<S>(",;");
  std::vector<std::string> tokens;
  int pos = 0;
  for (S t = s.Tokenize(delims, pos); pos >= 0; t = s.Tokenize(delims, pos)) tokens.push_back(A(t));
  EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b", "c"}));
  pos = 0;
  S none;
  EXPECT_TRUE(none.Tokenize(delims, pos).IsEmpty());
  EXPECT_EQ(pos, -1);
}

TYPED_TEST(StringTest, ChangesCaseComparesAndReverses) {
  typedef TypeParam S;
  EXPECT_EQ(A(L<S>("MiXeD 1").MakeUpper()), "MIXED 1");
  EXPECT_EQ(A(L<S>("MiXeD 1").MakeLower()), "mixed 1");
  EXPECT_EQ(A(L<S>("abc").MakeReverse()), "cba");
  S s = L<S>("Apple");
  EXPECT_EQ(s.Compare(L<S>("Apple")), 0);
  EXPECT_LT(s.Compare(L<S>("apple")), 0);
  EXPECT_EQ(s.CompareNoCase(L<S>("APPLE")), 0);
  EXPECT_GT(s.CompareNoCase(L<S>("APP")), 0);
  EXPECT_TRUE(s == L<S>("Apple"));
  EXPECT_TRUE(s != L<S>("apple"));
  EXPECT_TRUE(L<S>("a") < L<S>("b"));
  EXPECT_TRUE(s == L<S>("Apple").GetString());
  EXPECT_EQ(A(s + L<S>("!") + typename S::XCHAR_T('?')), "Apple!?");
  std::map<S, int> ordered{{L<S>("b"), 2}, {L<S>("a"), 1}};
  EXPECT_EQ(A(ordered.begin()->first), "a");
}

TYPED_TEST(StringTest, FormatsLikePrintf) {
  typedef TypeParam S;
  S s;
  if constexpr (sizeof(typename S::XCHAR_T) == 1)
    s.Format("%d-%s-%5.2f-%c-%04X", 42, "abc", 3.14159, 'z', 0xBEEF);
  else
    s.Format(L"%d-%s-%5.2f-%c-%04X", 42, L"abc", 3.14159, L'z', 0xBEEF);
  EXPECT_EQ(A(s), "42-abc- 3.14-z-BEEF");
  // A CString argument is passed as its text.
  S word = L<S>("word");
  S out;
  out.Format(L<S>("[%s]"), word);
  EXPECT_EQ(A(out), "[word]");
  out.AppendFormat(L<S>("%d"), 7);
  EXPECT_EQ(A(out), "[word]7");
  S longer;
  S big(typename S::XCHAR_T('x'), 3000);
  longer.Format(L<S>("%s%s"), big.GetString(), L<S>("end").GetString());
  EXPECT_EQ(longer.GetLength(), 3003);
  EXPECT_EQ(A(longer.Right(3)), "end");
  out.FormatMessage(L<S>("%1 and %2"), L<S>("one"), L<S>("two").GetString());
  EXPECT_EQ(A(out), "one and two");
}

TYPED_TEST(StringTest, LoadsStringResources) {
  typedef TypeParam S;
  S s;
  EXPECT_TRUE(s.LoadString(101));
  EXPECT_EQ(A(s), "Loaded text");
  EXPECT_FALSE(s.LoadString(999));
  EXPECT_EQ(A(S(MAKEINTRESOURCE(101))), "Loaded text");
  S f;
  f.Format(102U, 5, L<S>("ten"));
  EXPECT_EQ(A(f), "Value 5 of ten");
}

TYPED_TEST(StringTest, DirectBufferAccess) {
  typedef TypeParam S;
  S s = L<S>("ab");
  typename S::XCHAR_T* p = s.GetBuffer(10);
  EXPECT_GE(s.GetAllocLength(), 10);
  p[2] = 'c';
  p[3] = 0;
  s.ReleaseBuffer();
  EXPECT_EQ(A(s), "abc");
  p = s.GetBufferSetLength(5);
  p[3] = 'd';
  p[4] = 'e';
  s.ReleaseBuffer(5);
  EXPECT_EQ(A(s), "abcde");
  s.GetBuffer();
  s.ReleaseBuffer(2);
  EXPECT_EQ(A(s), "ab");
  s.Truncate(1);
  EXPECT_EQ(A(s), "a");
  s.FreeExtra();
  EXPECT_EQ(A(s), "a");
  BSTR b = L<S>("bstr").AllocSysString();
  EXPECT_EQ(SysStringLen(b), 4u);
  EXPECT_STREQ(b, L"bstr");
  SysFreeString(b);
}

TYPED_TEST(StringTest, OperationsOnItsOwnText) {
  typedef TypeParam S;
  S s = L<S>("abc");
  s += s;
  EXPECT_EQ(A(s), "abcabc");
  for (int i = 0; i < 6; ++i) s.Append(s.GetString() + 1);  // reallocates while reading itself
  EXPECT_EQ(s.GetLength(), 6 * 64 - 63);
  S t = L<S>("hello");
  t.SetString(t.GetString() + 2, 2);
  EXPECT_EQ(A(t), "ll");
  t.Insert(1, t.GetString());
  EXPECT_EQ(A(t), "llll");
  t = t;
  EXPECT_EQ(A(t), "llll");
}

TYPED_TEST(StringTest, IndexOutOfRangeThrows) {
  typedef TypeParam S;
  S s = L<S>("ab");
  EXPECT_EQ(s.GetAt(1), 'b');
  EXPECT_EQ(s[2], 0);
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(5, 'x'); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.Truncate(3); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetBuffer(-1); }));
  EXPECT_EQ(A(s), "ab");
}

TEST(Geometry, RectanglePointAndSize) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(r.Height(), 50);
  EXPECT_EQ(r.Size(), CSize(100, 50));
  EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));
  r.TopLeft() += CSize(5, 5);
  EXPECT_EQ(r, CRect(15, 25, 110, 70));
  r.InflateRect(5, 5);
  EXPECT_EQ(r, CRect(10, 20, 115, 75));
  r.DeflateRect(1, 2, 3, 4);
  EXPECT_EQ(r, CRect(11, 22, 112, 71));
  r.OffsetRect(-11, -22);
  EXPECT_EQ(r, CRect(0, 0, 101, 49));
  r.MoveToXY(5, 6);
  EXPECT_EQ(r, CRect(5, 6, 106, 55));
  CRect a(0, 0, 10, 10), b(5, 5, 20, 20);
  EXPECT_EQ(a & b, CRect(5, 5, 10, 10));
  EXPECT_EQ(a | b, CRect(0, 0, 20, 20));
  EXPECT_TRUE((a & CRect(20, 20, 30, 30)).IsRectEmpty());
  CRect n(10, 10, 0, 0);
  n.NormalizeRect();
  EXPECT_EQ(n, CRect(0, 0, 10, 10));
  EXPECT_EQ(CPoint(3, 4) - CPoint(1, 1), CSize(2, 3));
  EXPECT_EQ(CPoint(3, 4) + CSize(1, 1), CPoint(4, 5));
  EXPECT_EQ(CPoint(MAKELPARAM(-5, 7)), CPoint(-5, 7));
  EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
  EXPECT_EQ(CRect(0, 0, 100, 50).MulDiv(3, 2), CRect(0, 0, 150, 75));
  LPCRECT lp = a;
  EXPECT_EQ(lp->right, 10);
}

}  // namespace
