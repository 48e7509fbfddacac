// Streams and archives: round trips, and truncated, oversized or corrupt data.
#include <gtest/gtest.h>

#include <windows.h>
#include <string.h>

#include <QvArchive.h>
#include <QvDateTime.h>
#include <test_support.h>

namespace {

const QvVersionDescriptor kKernel("V1.0.3", "Qv 4 Kernel Page Format", 1.03);

class QvTestRecord : public QvFirst {
  QV_DECLARE_CREATABLE(QvTestRecord)
 public:
  long id = 0;
  QvString name;
  void SerializeIn(QvArchiveIn& a) override { a >> id >> name; }
  void SerializeOut(QvArchiveOut& a) override { a << id << name; }
};
QV_IMPLEMENT_CREATABLE(QvTestRecord, QV_RUNTIME_CLASS(QvFirst))
QV_CLASSINIT(QvTestRecord)

// Every kind of value, written to an archive.
std::string WriteSample() {
  QvMemoryOutputStream out;
  QvArchiveOut archive(out, kKernel);
  unsigned char block[300];
  for (int i = 0; i < 300; ++i) block[i] = static_cast<unsigned char>(i * 7);
  QvTestRecord record;
  record.id = -5;
  record.name = "first";
  archive << true << 'x' << static_cast<unsigned char>(0xFE) << static_cast<short>(-2)
          << static_cast<unsigned short>(65535) << -2147483647L - 1 << 4000000000UL << 3.25
          << QvString("\xc3\xa9t\xc3\xa9") << static_cast<const char*>(nullptr) << QvMemory(block, 300)
          << QvMemory()
          << QvDateTime(QvDate(2024, 2, 29), QvTime(23, 59, 58, 999), QvZone(-60));
  archive.WriteObject(&record);
  archive.WriteObject(nullptr);
  EXPECT_TRUE(archive.IsValid());
  return out.GetBytes();
}

// Reads what WriteSample wrote; true when every value came back and nothing failed.
bool ReadSample(const std::string& bytes) {
  QvMemoryInputStream in(bytes);
  QvArchiveIn archive(in, &kKernel);
  bool b = false;
  char c = 0;
  unsigned char uc = 0;
  short s = 0;
  unsigned short us = 0;
  long l = 0;
  unsigned long ul = 0;
  double d = 0;
  QvString text, empty("not empty");
  QvMemory block, none(3);
  QvDateTime when;
  archive >> b >> c >> uc >> s >> us >> l >> ul >> d >> text >> empty >> block >> none >> when;
  QvFirst* object = archive.ReadObject(QV_RUNTIME_CLASS(QvFirst));
  auto* record = dynamic_cast<QvTestRecord*>(object);
  bool recordOk = record && record->id == -5 && record->name == "first";
  delete object;
  EXPECT_EQ(archive.ReadObject(nullptr), nullptr);  // the null object
  if (!archive.IsValid()) return false;
  EXPECT_TRUE(b);
  EXPECT_EQ(c, 'x');
  EXPECT_EQ(uc, 0xFE);
  EXPECT_EQ(s, -2);
  EXPECT_EQ(us, 65535);
  EXPECT_EQ(l, -2147483647L - 1);
  EXPECT_EQ(ul, 4000000000UL);
  EXPECT_EQ(d, 3.25);
  EXPECT_STREQ(text.c_str(), "\xc3\xa9t\xc3\xa9");
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(block.GetSize(), 300u);
  EXPECT_EQ(block.GetData()[299], static_cast<unsigned char>(299 * 7));
  EXPECT_TRUE(none.IsEmpty());
  EXPECT_EQ(when.GetDate(), QvDate(2024, 2, 29));
  EXPECT_EQ(when.GetTime(), QvTime(23, 59, 58, 999));
  EXPECT_EQ(when.GetZone().GetBias(), -60);
  EXPECT_TRUE(recordOk);
  EXPECT_EQ(archive.GetVersion(), kKernel);
  return true;
}

TEST(QvArchive, RoundTripsEveryKindOfValue) {
  std::string bytes = WriteSample();
  EXPECT_TRUE(ReadSample(bytes));
  // The header: magic, then the descriptor with little-endian counts.
  ASSERT_GT(bytes.size(), 12u);
  EXPECT_EQ(bytes.substr(0, 4), "QvAr");
  EXPECT_EQ(bytes.substr(4, 4), std::string("\x06\x00\x00\x00", 4));
  EXPECT_EQ(bytes.substr(8, 6), "V1.0.3");
}

TEST(QvArchive, EveryTruncationFailsCleanly) {
  std::string bytes = WriteSample();
  for (size_t n = 0; n < bytes.size(); ++n)
    EXPECT_FALSE(ReadSample(bytes.substr(0, n))) << "cut at " << n;
}

TEST(QvArchive, CorruptHeadersAndCountsFail) {
  std::string good = WriteSample();
  struct { const char* what; size_t at; std::string patch; } cases[] = {
      {"magic", 0, "QvAx"},
      {"version text count beyond the data", 4, std::string("\xff\xff\xff\x0f", 4)},
      {"count above the block limit", 4, std::string("\xff\xff\xff\xff", 4)},
  };
  for (auto& c : cases) {
    std::string bad = good;
    bad.replace(c.at, c.patch.size(), c.patch);
    QvMemoryInputStream in(bad);
    QvArchiveIn archive(in);
    EXPECT_FALSE(archive.IsValid()) << c.what;
    QvString s("kept?");
    archive >> s;
    EXPECT_TRUE(s.IsEmpty()) << c.what;  // a failed archive reads nothing
  }
  // A descriptor of another kind of archive.
  QvMemoryInputStream in(good);
  QvVersionDescriptor other("V1.01", "Tavrine V1 Platform Page Format", 1.01);
  EXPECT_FALSE(QvArchiveIn(in, &other).IsValid());
}

TEST(QvArchive, BadValuesFailTheStream) {
  struct { const char* what; std::string bytes; } cases[] = {
      {"month 13", std::string("\xe8\x07\x0d\x01", 4)},
      {"30 February", std::string("\xe8\x07\x02\x1e", 4)},
      {"year 5", std::string("\x05\x00\x01\x01", 4)},
  };
  for (auto& c : cases) {
    QvMemoryInputStream in(c.bytes);
    QvDate d(2000, 1, 1);
    in >> d;
    EXPECT_TRUE(in.Failed()) << c.what;
    EXPECT_FALSE(d.IsValid()) << c.what;
  }
  QvMemoryInputStream badTime(std::string("\x18\x00\x00\x00\x00", 5));  // hour 24
  QvTime t(1, 2, 3);
  badTime >> t;
  EXPECT_TRUE(badTime.Failed());
  EXPECT_EQ(t, QvTime());
  QvMemoryInputStream badZone(std::string("\x00\x10\x00\x00", 4));
  QvZone z(30);
  badZone >> z;
  EXPECT_TRUE(badZone.Failed());
}

TEST(QvArchive, ObjectsOfUnknownOrUnexpectedClassesAreRefused) {
  struct { const char* name; const QvRuntimeClass* expected; } cases[] = {
      {"QvNoSuchClass", nullptr},
      {"QvTestRecord", QV_RUNTIME_CLASS(QvDate)},
      {"QvRuntimeClassThatIsNot", QV_RUNTIME_CLASS(QvFirst)},
  };
  for (auto& c : cases) {
    QvMemoryOutputStream out;
    {
      QvArchiveOut archive(out, kKernel);
      archive << c.name << 5L << "x";
    }
    QvMemoryInputStream in(out.GetBytes());
    QvArchiveIn archive(in);
    EXPECT_EQ(archive.ReadObject(c.expected), nullptr) << c.name;
    EXPECT_FALSE(archive.IsValid()) << c.name;
  }
}

TEST(QvArchive, VersionNumbersCompareAsWritten) {
  QvVersionDescriptor v("V1.0.2", "x", 1.02);
  EXPECT_TRUE(v.IsAtLeast(1.02));
  EXPECT_TRUE(v.IsAtLeast(1.0));
  EXPECT_FALSE(v.IsAtLeast(1.03));
}

TEST(QvContainer, ItemsRoundTripThroughBytesAndFiles) {
  QvContainer doc;
  QvContainerItem* item = doc.CreateItem("KernelPageFormat");
  {
    QvArchiveOut archive(*item->GetOutputStream(), kKernel);
    archive << 42L;
  }
  item->CloseStream();
  item->Release();
  QvContainerItem* other = doc.CreateItem("WindowsPageFormat");
  *other->GetOutputStream() << QvMemory("\x01\x02", 2);
  other->Release();  // closing commits too
  EXPECT_EQ(doc.GetItemCount(), 2);
  EXPECT_EQ(doc.FindItem("Missing"), nullptr);

  std::string path = testing_support::TempPath("container");
  std::wstring wpath(path.begin(), path.end());
  ASSERT_TRUE(doc.SaveToFile(wpath.c_str()));
  QvContainer loaded;
  ASSERT_TRUE(loaded.LoadFromFile(wpath.c_str()));
  DeleteFileW(wpath.c_str());
  QvContainerItem* read = loaded.FindItem("KernelPageFormat");
  ASSERT_NE(read, nullptr);
  QvArchiveIn archive(*read->GetInputStream(), &kKernel);
  long v = 0;
  archive >> v;
  EXPECT_TRUE(archive.IsValid());
  EXPECT_EQ(v, 42);
  read->Release();
  EXPECT_STREQ(loaded.GetItemName(1).c_str(), "WindowsPageFormat");
  EXPECT_FALSE(loaded.LoadFromFile(L"C:\\no\\such\\file.qvc"));
}

TEST(QvContainer, CorruptDataLeavesTheContainerAsItWas) {
  QvContainer doc;
  QvContainerItem* item = doc.CreateItem("A");
  *item->GetOutputStream() << QvString("payload");
  item->Release();
  std::string good = doc.SaveToBytes();

  QvContainer target;
  target.CreateItem("Existing")->Release();
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(target.LoadFromBytes(good.data(), n)) << "cut at " << n;
  std::string trailing = good + "x";
  EXPECT_FALSE(target.LoadFromBytes(trailing.data(), trailing.size()));
  std::string huge = good;
  huge.replace(4, 4, std::string("\xff\xff\xff\x7f", 4));  // item count far beyond the data
  EXPECT_FALSE(target.LoadFromBytes(huge.data(), huge.size()));
  ASSERT_EQ(target.GetItemCount(), 1);
  EXPECT_STREQ(target.GetItemName(0).c_str(), "Existing");
  QvContainerItem* busy = target.FindItem("Existing");
  EXPECT_FALSE(target.LoadFromBytes(good.data(), good.size()));  // an item is in use
  busy->Release();
  EXPECT_TRUE(target.LoadFromBytes(good.data(), good.size()));
  EXPECT_STREQ(target.GetItemName(0).c_str(), "A");
}

TEST(QvContainer, AFailedWriteKeepsTheStoredBytes) {
  QvContainer doc;
  QvContainerItem* item = doc.CreateItem("A");
  *item->GetOutputStream() << 7L;
  item->CloseStream();
  QvVirtualOutputStream* out = item->GetOutputStream();
  *out << 8L;
  out->SetFailed();
  item->CloseStream();
  long v = 0;
  *item->GetInputStream() >> v;
  EXPECT_EQ(v, 7);
  EXPECT_FALSE(doc.RemoveItem("A"));  // still in use
  item->Release();
  EXPECT_TRUE(doc.RemoveItem("A"));
}

}  // namespace
