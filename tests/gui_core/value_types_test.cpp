// Value types: colour and rectangle arithmetic, the stream round trips (and truncated
// streams), the font's platform description, the arrays and the list cell.
#include <gtest/gtest.h>

#include <QvColor.h>
#include <QvFont.h>
#include <QvGeometry.h>
#include <QvListCell.h>
#include <brevin.h>
#include <solvane.h>

#include <string.h>

namespace {

TEST(QvColorArithmetic, ClampsAndNeverDividesByZero) {
  struct Case {
    const char* what;
    QvColor result, expected;
  } cases[] = {
      {"sum", QvColor(60000, 10, 0) + QvColor(10000, 20, 0), QvColor(65535, 30, 0)},
      {"difference", QvColor(5, 50, 65535) - QvColor(10, 20, 0), QvColor(0, 30, 65535)},
      {"product", QvColor(300, 2, 0) * QvColor(300, 3, 9), QvColor(65535, 6, 0)},
      {"quotient", QvColor(100, 7, 65535) / QvColor(3, 2, 1), QvColor(33, 3, 65535)},
      {"by zero", QvColor(100, 0, 1) / QvColor(0, 0, 0), QvColor(65535, 0, 65535)},
      {"plus number", QvColor(65530, 0, 100) + 10L, QvColor(65535, 10, 110)},
      {"plus large", QvColor(1, 2, 3) + 0x7FFFFFFFL, QvColor(65535, 65535, 65535)},
      {"minus number", QvColor(5, 5, 5) - 10L, QvColor(0, 0, 0)},
      {"minus negative", QvColor(1, 2, 3) - (-0x7FFFFFFFL - 1), QvColor(65535, 65535, 65535)},
      {"times half", QvColor(100, 200, 301) * 0.5, QvColor(50, 100, 150)},
      {"times negative", QvColor(100, 200, 301) * -2.0, QvColor(0, 0, 0)},
      {"times huge", QvColor(1, 0, 3) * 1e300, QvColor(65535, 0, 65535)},
      {"divided", QvColor(100, 200, 301) / 3.0, QvColor(33, 66, 100)},
      {"divided by zero", QvColor(100, 0, 301) / 0.0, QvColor(65535, 0, 65535)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.result.red, c.expected.red) << c.what;
    EXPECT_EQ(c.result.green, c.expected.green) << c.what;
    EXPECT_EQ(c.result.blue, c.expected.blue) << c.what;
  }
}

TEST(QvRectOperations, AsStoredWithoutNormalising) {
  EXPECT_TRUE(QvRect(10, 10, 10, 50).isEmpty());
  EXPECT_TRUE(QvRect(0, 5, 9, 5).IsRectEmpty());
  EXPECT_FALSE(QvRect(20, 0, 10, 5).isEmpty());

  QvRect r(10, 20, 30, 40);
  EXPECT_TRUE(r.PointInRect(QvPoint(10, 20)));
  EXPECT_FALSE(r.PointInRect(QvPoint(30, 20)));
  EXPECT_FALSE(r.PointInRect(QvPoint(10, 40)));
  EXPECT_TRUE(r.PointInRect(QvPoint(29, 39)));
  EXPECT_TRUE(r.Inside(QvRect(10, 20, 30, 40)));
  EXPECT_FALSE(r.Inside(QvRect(9, 20, 30, 40)));

  r.Offset(5, -5);
  EXPECT_EQ(r, QvRect(15, 15, 35, 35));
  r.Offset(QvPoint(-5, 5));
  r.Inset(2, 3);
  EXPECT_EQ(r, QvRect(12, 23, 28, 37));
  r.InflateRect(2, 3);
  EXPECT_EQ(r, QvRect(10, 20, 30, 40));
  EXPECT_EQ(r + QvSize(1, 2), QvRect(11, 22, 31, 42));
  EXPECT_EQ(QvSize(3, 4) + QvSize(1, 1), QvSize(4, 5));
  EXPECT_EQ(QvSize(3, 4) - QvSize(1, 1), QvSize(2, 3));
  EXPECT_EQ(-QvSize(3, 4), QvSize(-3, -4));
  QvRect s;
  s.Set(QvPoint(1, 2), QvPoint(3, 4));
  EXPECT_EQ(s, QvRect(QvPoint(1, 2), QvPoint(3, 4)));
  s.SetRectEmpty();
  EXPECT_EQ(s, QvRect(0, 0, 0, 0));
}

TEST(QvRectOperations, UnionAndIntersection) {
  struct Case {
    QvRect a, b, unionAB, overlap;
    bool intersects;
  } cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, {0, 0, 20, 20}, {5, 5, 10, 10}, true},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 20, 10}, {0, 0, 0, 0}, false},  // touching edges
      {{0, 0, 10, 10}, {20, 20, 30, 30}, {0, 0, 30, 30}, {0, 0, 0, 0}, false},
      {{0, 0, 0, 10}, {5, 5, 20, 20}, {5, 5, 20, 20}, {0, 0, 0, 0}, false},  // a empty
      {{5, 5, 20, 20}, {3, 3, 3, 9}, {5, 5, 20, 20}, {0, 0, 0, 0}, false},  // b empty
      {{0, 0, 100, 100}, {10, 10, 20, 20}, {0, 0, 100, 100}, {10, 10, 20, 20}, true},
  };
  for (const Case& c : cases) {
    QvRect u;
    u.Union(c.a, c.b);
    EXPECT_EQ(u, c.unionAB);
    QvRect i(1, 2, 3, 4);
    EXPECT_EQ(i.Intersection(c.a, c.b), c.intersects);
    EXPECT_EQ(i, c.overlap);
    QvRect j(c.a);
    EXPECT_EQ(j.IntersectRect(c.a, c.b), c.intersects);
    EXPECT_EQ(QvIntersectRect(c.a, c.b), c.intersects);
  }
  QvRect keep(1, 1, 5, 5);
  keep.Union(QvRect(7, 7, 7, 9));
  EXPECT_EQ(keep, QvRect(1, 1, 5, 5));
  keep.Union(QvRect(0, 2, 3, 9));
  EXPECT_EQ(keep, QvRect(0, 1, 5, 9));
  EXPECT_TRUE(keep.Intersection(QvRect(4, 0, 10, 2)));
  EXPECT_EQ(keep, QvRect(4, 1, 5, 2));
}

TEST(QvRectOperations, CornersAreIndependentValues) {
  QvRect a(1, 2, 3, 4), b(10, 20, 30, 40);
  QvPoint topLeft = a.TopLeft();
  QvPoint bottomRight = b.BottomRight();
  EXPECT_EQ(topLeft, QvPoint(1, 2));
  EXPECT_EQ(bottomRight, QvPoint(30, 40));
  EXPECT_EQ(a.TopRight(), QvPoint(3, 2));
  EXPECT_EQ(a.BottomLeft(), QvPoint(1, 4));
}

template <class T>
T RoundTrip(const T& value) {
  QvMemoryOutputStream out;
  out << value;
  QvMemoryInputStream in(out.GetBytes());
  T read{};
  in >> read;
  EXPECT_FALSE(in.Failed());
  EXPECT_EQ(in.GetRemaining(), 0u);
  return read;
}

// Every shorter prefix of the written bytes fails to read and leaves the value as it was.
template <class T>
void ExpectTruncatedFails(const T& value, const T& before) {
  QvMemoryOutputStream out;
  out << value;
  const std::string bytes = out.GetBytes();
  for (size_t n = 0; n < bytes.size(); ++n) {
    QvMemoryInputStream in(bytes.data(), n);
    T read(before);
    in >> read;
    EXPECT_TRUE(in.Failed()) << n << " bytes";
    EXPECT_TRUE(read == before) << n << " bytes";
  }
}

TEST(ValueStreams, RoundTripsAndTruncatedStreams) {
  EXPECT_EQ(RoundTrip(QvPoint(-5, 70000)), QvPoint(-5, 70000));
  EXPECT_EQ(RoundTrip(QvRect(-1, 2, 0x7FFFFFFF, -0x7FFFFFFF)), QvRect(-1, 2, 0x7FFFFFFF, -0x7FFFFFFF));
  EXPECT_EQ(RoundTrip(QvColor(65535, 0, 4660)), QvColor(65535, 0, 4660));
  QvFont font("Courier New", 14, QVFONT_BOLD | QVFONT_STRIKEOUT);
  QvFont read = RoundTrip(font);
  EXPECT_EQ(read.m_size, 14);
  EXPECT_EQ(read.m_style, QVFONT_BOLD | QVFONT_STRIKEOUT);
  EXPECT_STREQ(read.m_faceName.c_str(), "Courier New");

  ExpectTruncatedFails(QvPoint(1, 2), QvPoint(7, 7));
  ExpectTruncatedFails(QvRect(1, 2, 3, 4), QvRect(7, 7, 7, 7));
  ExpectTruncatedFails(QvColor(1, 2, 3), QvColor(7, 7, 7));
  ExpectTruncatedFails(font, QvFont("Keep", 9, 1));

  // The encoding: longs and unsigned shorts, little-endian.
  QvMemoryOutputStream out;
  out << QvPoint(1, -2) << QvColor(0x102, 3, 4);
  EXPECT_EQ(out.GetBytes(), std::string("\1\0\0\0\xFE\xFF\xFF\xFF\2\1\3\0\4\0", 14));
}

TEST(ValueStreams, FontTakesTheOriginInformationsNameOnThisCodePage) {
  QvMemoryOutputStream out;
  out << QvFont("MS Gothic", 10, 0);
  QvMemoryInputStream in(out.GetBytes());
  QvFont read("x", 1, 1);
  in >> read;
  ASSERT_FALSE(in.Failed());
#ifdef _UNICODE
  const char* local = gOrgInfo.GetFontName(GetACP(), "MS Gothic");
#else
  const char* local = gOrgInfo.GetFontName(gOrgInfo.GetCodePage(), "MS Gothic");
#endif
  EXPECT_STREQ(read.m_faceName.c_str(), local && *local ? local : "MS Gothic");
}

TEST(QvFontDescription, DefaultsAndPlatformDescription) {
  QvFont font;
  EXPECT_STREQ(font.m_faceName.c_str(), "Arial");  // label 390103 is not in this program
  EXPECT_EQ(font.m_size, gOrgInfo.GetOrgDBCS() == 1 ? 9 : 12);
  EXPECT_EQ(font.m_style, 0);

  LOGFONTW lf;
  memset(&lf, 0x5A, sizeof lf);
  QvFontToLOGFONT(QvFont("Times New Roman", 11, QVFONT_BOLD | QVFONT_ITALIC | QVFONT_UNDERLINE), lf);
  EXPECT_STREQ(lf.lfFaceName, L"Times New Roman");
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWidth, 0);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfStrikeOut, 0);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(lf.lfClipPrecision, CLIP_LH_ANGLES);
  EXPECT_EQ(lf.lfQuality, 0);

  QvFontToLOGFONT(QvFont(QvString('x', 40), 8, QVFONT_STRIKEOUT), lf);
  EXPECT_EQ(wcslen(lf.lfFaceName), 31u);
  EXPECT_EQ(lf.lfWeight, 0);
  EXPECT_EQ(lf.lfStrikeOut, 1);
  // 30 letters and then a character outside the basic plane: the pair is not cut in half.
  QvFontToLOGFONT(QvFont(QvString('y', 30) + "\xF0\x9F\x98\x80", 8, 0), lf);
  EXPECT_EQ(wcslen(lf.lfFaceName), 30u);
}

TEST(QvFontDescription, FarEastMeasures) {
  const char* name = GetQvDBCSFontName();
  ASSERT_NE(name, nullptr);
  EXPECT_LT(strlen(name), 32u);
#ifdef _UNICODE
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  wchar_t face[17] = {};
  wcsncpy(face, metrics.lfMessageFont.lfFaceName, 16);
  EXPECT_STREQ(name, qv_utf8string(face).c_str());
#else
  EXPECT_STREQ(name, gOrgInfo.GetUIFontName());
#endif
  EXPECT_EQ(GetQvDBCSCaptionFontSize(), 12);
  unsigned short size = GetQvDBCSTextFontSize();
  EXPECT_GT(size, 0);
  EXPECT_EQ(GetQvDBCSTextFontSize(), size);
}

TEST(ValueArrays, GrowInsertRemove) {
  QvArrayQvPoint points;
  points.SetAtGrow(3, QvPoint(3, 3));
  ASSERT_EQ(points.GetSize(), 4);
  EXPECT_EQ(points[0], QvPoint(0, 0));
  EXPECT_EQ(points[3], QvPoint(3, 3));
  points.InsertAt(1, QvPoint(9, 9), 2);
  EXPECT_EQ(points.GetSize(), 6);
  EXPECT_EQ(points[2], QvPoint(9, 9));
  points.InsertAt(8, QvPoint(1, 1), 1);  // past the end: grows first
  EXPECT_EQ(points.GetSize(), 9);
  EXPECT_EQ(points[8], QvPoint(1, 1));
  points.RemoveAt(1, 2);
  EXPECT_EQ(points.GetSize(), 7);
  EXPECT_EQ(points[1], QvPoint(0, 0));
  QvArrayQvPoint more;
  more.Add(QvPoint(5, 6));
  more.Add(QvPoint(7, 8));
  points.InsertAt(0, &more);
  EXPECT_EQ(points[1], QvPoint(7, 8));
  EXPECT_EQ(points.GetSize(), 9);
  points.SetSizeWithOptionnalInit(2, 10, false);
  EXPECT_EQ(points.GetSize(), 2);
  points.SetSizeWithOptionnalInit(4, -1, true);
  EXPECT_EQ(points[3], QvPoint(0, 0));
  points.FreeExtra();
  points.SetSize(0, -1);
  EXPECT_EQ(points.GetSize(), 0);
  EXPECT_THROW(points[0], QvException);

  QvArrayQvRect rects;
  rects.SetSize(2, 4);
  rects.SetAt(1, QvRect(1, 2, 3, 4));
  EXPECT_EQ(rects[1], QvRect(1, 2, 3, 4));
  EXPECT_TRUE(rects.IsKindOf(QV_RUNTIME_CLASS(QvArrayQvRect)));
  QvFirst* made = QvRuntimeClass::FromClassName("QvArrayQvPoint")->CreateObject();
  EXPECT_TRUE(made->IsKindOf(QV_RUNTIME_CLASS(QvArrayQvPoint)));
  delete made;
}

TEST(ListCell, PartsReadAsSetOnlyWhenSet) {
  QvListCell cell;
  QvString text("x");
  void* data = &cell;
  EXPECT_FALSE(cell.GetText(text));
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_FALSE(cell.GetItemData(data));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(cell.GetPictureIndex(), -1);
  cell.SetText("Cell");
  cell.SetItemData(&text);
  cell.SetPictureIndex(4);
  QvListCell copy;
  copy = cell;
  EXPECT_TRUE(copy.GetText(text));
  EXPECT_STREQ(text.c_str(), "Cell");
  EXPECT_TRUE(copy.GetItemData(data));
  EXPECT_EQ(data, &text);
  EXPECT_EQ(copy.GetPictureIndex(), 4);
  cell.Reset();
  EXPECT_FALSE(cell.GetItemData(data));
  EXPECT_EQ(data, nullptr);
  EXPECT_FALSE(cell.GetText(text));
  EXPECT_EQ(cell.GetPictureIndex(), -1);
}

}  // namespace
