// The COFF symbol reader on small image files written here, whole and damaged.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "UICoffSymbols.h"
#include "test_support.h"

namespace {

void Put32(std::vector<BYTE>& b, size_t at, DWORD v) { memcpy(&b[at], &v, 4); }
void Put16(std::vector<BYTE>& b, size_t at, WORD v) { memcpy(&b[at], &v, 2); }

// Symbol records and line records as the image's COFF debug information holds them.
struct Tables {
  std::vector<BYTE> symbols, strings, lines;
  DWORD count = 0;

  void Symbol(const char* name, DWORD value, WORD type, BYTE storage, BYTE aux) {
    BYTE r[18] = {};
    if (strlen(name) <= 8) {
      memcpy(r, name, strlen(name));
    } else {
      DWORD offset = static_cast<DWORD>(4 + strings.size());
      memcpy(r + 4, &offset, 4);
      strings.insert(strings.end(), name, name + strlen(name) + 1);
    }
    memcpy(r + 8, &value, 4);
    memcpy(r + 14, &type, 2);
    r[16] = storage;
    r[17] = aux;
    symbols.insert(symbols.end(), r, r + 18);
    ++count;
  }
  void Aux(const void* data, size_t size) {
    BYTE r[18] = {};
    memcpy(r, data, size < 18 ? size : 18);
    symbols.insert(symbols.end(), r, r + 18);
    ++count;
  }
  void File(const char* name) {
    size_t records = (strlen(name) + 17) / 18;
    Symbol(".file", 0, 0, 0x67, static_cast<BYTE>(records));
    std::string padded(name);
    padded.resize(records * 18, '\0');
    for (size_t i = 0; i < records; ++i) Aux(padded.data() + i * 18, 18);
  }
  void Section(const char* name, DWORD start, DWORD length) {
    Symbol(name, start, 0, 3, 1);
    Aux(&length, 4);
  }
  void Line(DWORD address, WORD line) {
    BYTE r[6];
    memcpy(r, &address, 4);
    memcpy(r + 4, &line, 2);
    lines.insert(lines.end(), r, r + 6);
  }
};

Tables SampleTables() {
  Tables t;
  t.File("alpha.c");
  t.Section(".text", 0x1000, 0x100);
  t.Symbol("FuncA", 0x1010, 0x20, 2, 0);
  t.Symbol("AVeryLongFunctionName", 0x1080, 0x20, 3, 0);
  t.Symbol("notfunc", 0x1090, 0x00, 2, 0);
  t.File("a_longer_source_file_name.cpp");
  t.Section("CODE", 0x2000, 0x100);
  t.Symbol("FuncB", 0x2000, 0x20, 2, 0);
  t.Line(0x1000, 0);  // a function's marker record: no line
  t.Line(0x1010, 10);
  t.Line(0x1020, 11);
  t.Line(0x2004, 40);
  return t;
}

// A PE32 image with one ".rdata" section holding the debug directory, whose COFF entry points
// at the tables placed after the section.
std::vector<BYTE> Image(const Tables& t) {
  const size_t kHeaders = 0x200, kSection = 0x200, kCoff = 0x400;
  std::vector<BYTE> b(kCoff + 32);
  b[0] = 'M';
  b[1] = 'Z';
  Put32(b, 0x3C, 0x40);
  memcpy(&b[0x40], "PE\0\0", 4);
  size_t fh = 0x44;
  Put16(b, fh, 0x14C);
  Put16(b, fh + 2, 1);
  Put16(b, fh + 16, 224);
  size_t opt = fh + 20;
  Put16(b, opt, 0x10B);
  Put32(b, opt + 92, 16);
  Put32(b, opt + 96 + 8 * 6, 0x1000);  // debug directory: RVA, size
  Put32(b, opt + 96 + 8 * 6 + 4, 28);
  size_t sec = opt + 224;
  memcpy(&b[sec], ".rdata", 6);
  Put32(b, sec + 8, 0x200);
  Put32(b, sec + 12, 0x1000);
  Put32(b, sec + 16, 0x200);
  Put32(b, sec + 20, static_cast<DWORD>(kSection));
  (void)kHeaders;
  Put32(b, kSection + 12, 1);  // IMAGE_DEBUG_TYPE_COFF
  Put32(b, kSection + 16, 32);
  Put32(b, kSection + 24, static_cast<DWORD>(kCoff));
  DWORD stringsSize = static_cast<DWORD>(4 + t.strings.size());
  Put32(b, kCoff, t.count);
  Put32(b, kCoff + 4, 32);
  Put32(b, kCoff + 8, static_cast<DWORD>(t.lines.size() / 6));
  Put32(b, kCoff + 12, static_cast<DWORD>(32 + t.symbols.size() + stringsSize));
  b.insert(b.end(), t.symbols.begin(), t.symbols.end());
  BYTE size[4];
  memcpy(size, &stringsSize, 4);
  b.insert(b.end(), size, size + 4);
  b.insert(b.end(), t.strings.begin(), t.strings.end());
  b.insert(b.end(), t.lines.begin(), t.lines.end());
  return b;
}

class CoffFile : public testing::Test {
 protected:
  void TearDown() override {
    m_reader.Close();
    DeleteFileW(m_path.c_str());
  }
  bool Write(const std::vector<BYTE>& bytes) {
    std::string p = testing_support::TempPath("coff");
    m_path.assign(p.begin(), p.end());
    HANDLE f = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(f);
    return written == bytes.size() && m_reader.Open(m_path.c_str());
  }
  std::wstring m_path;
  CCoffSymbols m_reader;
};

TEST_F(CoffFile, FindsFileFunctionAndLine) {
  ASSERT_TRUE(Write(Image(SampleTables())));
  ASSERT_TRUE(m_reader.HasSymbols());
  ASSERT_TRUE(m_reader.HasLines());
  struct {
    DWORD offset;
    const char* file;
    const char* function;
    int line;
  } cases[] = {
      {0x1005, "alpha.c", "", 0},  // before the first function; the marker has no line
      {0x1010, "alpha.c", "FuncA", 10},
      {0x101F, "alpha.c", "FuncA", 10},
      {0x1025, "alpha.c", "FuncA", 11},
      {0x1085, "alpha.c", "AVeryLongFunctionName", 11},  // name from the string table
      {0x1095, "alpha.c", "AVeryLongFunctionName", 11},  // "notfunc" is no function
      {0x2010, "a_longer_source_file_name.cpp", "FuncB", 40},  // name over two records
      {0x3000, "", "FuncB", 40},  // in no code section
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.offset);
    EXPECT_EQ(m_reader.FindFile(c.offset), c.file);
    EXPECT_EQ(m_reader.FindFunction(c.offset), c.function);
    EXPECT_EQ(m_reader.FindLine(c.offset), c.line);
  }
}

TEST_F(CoffFile, DamagedImagesFindNothing) {
  std::vector<BYTE> whole = Image(SampleTables());
  // Cut short at every interesting place: never a read past the end.
  for (size_t cut : {size_t(10), size_t(0x50), size_t(0x150), size_t(0x210), size_t(0x410), size_t(0x430),
                     whole.size() - 30, whole.size() - 1}) {
    SCOPED_TRACE(cut);
    ASSERT_TRUE(Write(std::vector<BYTE>(whole.begin(), whole.begin() + cut)));
    m_reader.FindFile(0x1010);
    m_reader.FindFunction(0x1010);
    m_reader.FindLine(0x1010);
    m_reader.Close();
    DeleteFileW(m_path.c_str());
  }
  // Counts and offsets far beyond the file.
  std::vector<BYTE> huge = whole;
  Put32(huge, 0x400, 0x7FFFFFFF);
  Put32(huge, 0x408, 0x7FFFFFFF);
  ASSERT_TRUE(Write(huge));
  EXPECT_FALSE(m_reader.HasSymbols());
  EXPECT_FALSE(m_reader.HasLines());
  m_reader.Close();
  // A long name whose string-table offset lies outside the table.
  std::vector<BYTE> badName = whole;
  size_t longName = 0x420 + 18 * 5;  // the record of "AVeryLongFunctionName"
  Put32(badName, longName + 4, 0x10000);
  ASSERT_TRUE(Write(badName));
  EXPECT_EQ(m_reader.FindFunction(0x1085), "");
  m_reader.Close();
  // Text that is no image at all.
  ASSERT_TRUE(Write(std::vector<BYTE>{'h', 'e', 'l', 'l', 'o'}));
  EXPECT_FALSE(m_reader.HasSymbols());
}

TEST(CoffSymbols, MissingFileDoesNotOpen) {
  CCoffSymbols reader;
  EXPECT_FALSE(reader.Open(L"C:\\no\\such\\module.dll"));
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_EQ(reader.FindFunction(0x1000), "");
}

}  // namespace
