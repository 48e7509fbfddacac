// The command-table reader: records by type, the end of a table, damaged tables, the module chain.
#include <gtest/gtest.h>

#include <CommandTables.h>

#include <string.h>

#include <vector>

#include "command_test_modules.h"

namespace {

// Records as the reader delivers them: the type and the key of each.
struct Recorder : CCommandTableSink {
  std::vector<tagCOMMAND> commands;
  std::vector<tagSECURITY_FAMILY> families;
  std::vector<tagSECURITY_COMMAND> security;
  std::vector<tagCOMMAND_CATEGORY> categories;
  void OnCategory(const tagCOMMAND_CATEGORY& r) override { categories.push_back(r); }
  void OnCommand(const tagCOMMAND& r) override { commands.push_back(r); }
  void OnSecurityFamily(const tagSECURITY_FAMILY& r) override { families.push_back(r); }
  void OnSecurityCommand(const tagSECURITY_COMMAND& r) override { security.push_back(r); }
  std::vector<unsigned> CommandIds() const {
    std::vector<unsigned> ids;
    for (auto& c : commands) ids.push_back(c.wID);
    return ids;
  }
};

// Memory whose end is followed by a page that cannot be read: a read past the end faults.
class GuardedBlock {
 public:
  explicit GuardedBlock(const std::vector<BYTE>& bytes) {
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    m_page = si.dwPageSize;
    m_base = static_cast<BYTE*>(VirtualAlloc(NULL, 2 * m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(m_base + m_page, m_page, PAGE_NOACCESS, &old);
    m_data = m_base + m_page - bytes.size();
    if (!bytes.empty()) memcpy(m_data, bytes.data(), bytes.size());
  }
  ~GuardedBlock() { VirtualFree(m_base, 0, MEM_RELEASE); }
  const BYTE* data() const { return m_data; }

 private:
  BYTE* m_base;
  BYTE* m_data;
  DWORD m_page;
};

template <class Record>
void Append(std::vector<BYTE>& out, const Record& r) {
  const BYTE* p = reinterpret_cast<const BYTE*>(&r);
  out.insert(out.end(), p, p + sizeof r);
}

tagCOMMAND Command(WORD id) {
  tagCOMMAND c = {};
  c.wID = id;
  c.dwNameLabel = 1000u + id;
  return c;
}

TEST(CommandTableReader, RecordSizes) {
  EXPECT_EQ(CommandTableRecordSize(300), 8u);
  EXPECT_EQ(CommandTableRecordSize(301), 52u);
  EXPECT_EQ(CommandTableRecordSize(302), 8u);
  EXPECT_EQ(CommandTableRecordSize(303), 16u);
  EXPECT_EQ(CommandTableRecordSize(304), 0u);
  EXPECT_EQ(CommandTableRecordSize(10), 0u);
}

// How each table ends and what it gives, for commands; the data always ends at a page's end.
TEST(CommandTableReader, EndsAtTerminatorOrAtTheDataEndAndNeverReadsPast) {
  struct Case {
    const char* what;
    std::vector<WORD> ids;  // 0 writes a terminator
    size_t extra;           // bytes of a partial record after the ids
    CommandTableEnd end;
    std::vector<unsigned> read;
  } cases[] = {
      {"well formed", {1, 2, 3, 0}, 0, CTE_TERMINATED, {1, 2, 3}},
      {"records after the terminator are not read", {1, 0, 2, 0}, 0, CTE_TERMINATED, {1}},
      {"terminator only", {0}, 0, CTE_TERMINATED, {}},
      {"unterminated", {1, 2}, 0, CTE_UNTERMINATED, {1, 2}},
      {"empty", {}, 0, CTE_UNTERMINATED, {}},
      {"truncated inside a record", {1, 2}, 30, CTE_TRUNCATED, {1, 2}},
      {"only a partial record", {}, 51, CTE_TRUNCATED, {}},
      {"partial terminator", {4}, 2, CTE_TRUNCATED, {4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<BYTE> bytes;
    for (WORD id : c.ids) Append(bytes, Command(id));
    tagCOMMAND partial = Command(99);
    bytes.insert(bytes.end(), reinterpret_cast<BYTE*>(&partial), reinterpret_cast<BYTE*>(&partial) + c.extra);
    GuardedBlock block(bytes);
    Recorder rec;
    EXPECT_EQ(ReadCommandTable(RT_QVCOMMANDS, block.data(), static_cast<DWORD>(bytes.size()), rec), c.end);
    EXPECT_EQ(rec.CommandIds(), c.read);
  }
}

TEST(CommandTableReader, TerminatorOfEachType) {
  // Categories end only when both values are 0.
  std::vector<BYTE> cats;
  Append(cats, tagCOMMAND_CATEGORY{0, 5});
  Append(cats, tagCOMMAND_CATEGORY{6, 0});
  Append(cats, tagCOMMAND_CATEGORY{0, 0});
  Append(cats, tagCOMMAND_CATEGORY{7, 7});
  Recorder r1;
  EXPECT_EQ(ReadCommandTable(RT_QVCOMMAND_CATEGORIES, cats.data(), static_cast<DWORD>(cats.size()), r1), CTE_TERMINATED);
  ASSERT_EQ(r1.categories.size(), 2u);
  EXPECT_EQ(r1.categories[0].dwLabel, 5u);
  EXPECT_EQ(r1.categories[1].dwCategoryID, 6u);

  // Families end at a zero family id.
  std::vector<BYTE> fams;
  Append(fams, tagSECURITY_FAMILY{3, 0, 33});
  Append(fams, tagSECURITY_FAMILY{0, 1, 44});
  Recorder r2;
  EXPECT_EQ(ReadCommandTable(RT_QVSECURITY_FAMILIES, fams.data(), static_cast<DWORD>(fams.size()), r2), CTE_TERMINATED);
  ASSERT_EQ(r2.families.size(), 1u);
  EXPECT_EQ(r2.families[0].dwDescriptionLabel, 33u);

  // Security commands end at a zero security id, whatever the family.
  std::vector<BYTE> secs;
  Append(secs, tagSECURITY_COMMAND{0, 0, 1, 500, 2});
  Append(secs, tagSECURITY_COMMAND{4, 0, 1, 0, 2});
  Recorder r3;
  EXPECT_EQ(ReadCommandTable(RT_QVSECURITY_COMMANDS, secs.data(), static_cast<DWORD>(secs.size()), r3), CTE_TERMINATED);
  ASSERT_EQ(r3.security.size(), 1u);
  EXPECT_EQ(r3.security[0].dwSecurityID, 500u);
}

TEST(CommandTableReader, RefusesUnknownTypesAndMissingData) {
  BYTE bytes[16] = {1};
  Recorder rec;
  EXPECT_EQ(ReadCommandTable(304, bytes, sizeof bytes, rec), CTE_UNKNOWN_TYPE);
  EXPECT_EQ(ReadCommandTable(RT_QVCOMMANDS, NULL, 100, rec), CTE_UNTERMINATED);
  EXPECT_TRUE(rec.commands.empty());
  EXPECT_FALSE(ReadCommandTables(NULL, RT_QVCOMMANDS, rec));
  EXPECT_FALSE(ReadCommandTables(GetModuleHandle(NULL), 304, rec));
}

// Every field of a command record comes through at its offset.
TEST(CommandTableReader, ReadsTheHostModulesTables) {
  Recorder rec;
  HMODULE host = GetModuleHandle(NULL);
  ASSERT_TRUE(ReadCommandTables(host, RT_QVCOMMANDS, rec));
  ASSERT_TRUE(ReadCommandTables(host, RT_QVSECURITY_FAMILIES, rec));
  ASSERT_TRUE(ReadCommandTables(host, RT_QVSECURITY_COMMANDS, rec));
  ASSERT_TRUE(ReadCommandTables(host, RT_QVCOMMAND_CATEGORIES, rec));
  std::vector<unsigned> ids = {110, 111, 112, 113, 114, 115, 116, 100, 101, 102, 0xE110, 0xE118, 0xE210, 0xFF00, 0xFF08, 0xE119, 100, 103};
  EXPECT_EQ(rec.CommandIds(), ids);
  const tagCOMMAND& c = rec.commands[7];
  EXPECT_EQ(c.wSpare1, 7);
  EXPECT_EQ(c.wCheckStyle, 2);
  EXPECT_EQ(c.wSpare3, 9);
  EXPECT_EQ(c.dwSecurityID, 1001u);
  EXPECT_EQ(c.wKey, 0x74);
  EXPECT_EQ(c.wModifiers, CMDMOD_CTRL | CMDMOD_ALT);
  EXPECT_EQ(c.dwCommandClassLabel, 0u);
  EXPECT_EQ(c.dwNameLabel, 20100u);
  EXPECT_EQ(c.dwMenuLabel, 20101u);
  EXPECT_EQ(c.dwAltMenuLabel, 20102u);
  EXPECT_EQ(c.dwTooltipLabel, 20103u);
  EXPECT_EQ(c.dwMessageLabel, 20104u);
  EXPECT_EQ(c.wBitmapID, 300);
  EXPECT_EQ(c.wImageIndex, 3);
  EXPECT_EQ(c.dwHelpID, 4242u);
  ASSERT_EQ(rec.families.size(), 2u);
  EXPECT_EQ(rec.families[1].wFamilyID, 2);
  EXPECT_EQ(rec.families[1].dwDescriptionLabel, 20002u);
  ASSERT_EQ(rec.security.size(), 2u);
  EXPECT_EQ(rec.security[1].wFamilyID, 2);
  EXPECT_EQ(rec.security[1].dwDescriptionLabel, 20021u);
  EXPECT_EQ(rec.security[1].dwSecurityID, 1002u);
  EXPECT_EQ(rec.security[1].dwAdditionalDescriptionLabel, 20022u);
  ASSERT_EQ(rec.categories.size(), 2u);
  EXPECT_EQ(rec.categories[1].dwLabel, 20502u);
}

// Damaged tables in a module: each ends where its data ends, and the next table is read whole.
TEST(CommandTableReader, DamagedTablesInAModuleEndAtTheirSize) {
  TestModule bad(L"cmdtab_bad.dll");
  ASSERT_TRUE(bad.get());
  Recorder rec;
  ASSERT_TRUE(ReadCommandTables(bad.get(), RT_QVCOMMANDS, rec));
  std::vector<unsigned> ids = {300, 301, 310, 320, 320, 330};
  EXPECT_EQ(rec.CommandIds(), ids);
  ASSERT_TRUE(ReadCommandTables(bad.get(), RT_QVSECURITY_FAMILIES, rec));
  ASSERT_EQ(rec.families.size(), 1u);
  EXPECT_EQ(rec.families[0].wFamilyID, 7);
  ASSERT_TRUE(ReadCommandTables(bad.get(), RT_QVSECURITY_COMMANDS, rec));
  ASSERT_EQ(rec.security.size(), 2u);
  EXPECT_EQ(rec.security[0].dwSecurityID, 1007u);
  EXPECT_EQ(rec.security[1].dwSecurityID, 1008u);
  ASSERT_TRUE(ReadCommandTables(bad.get(), RT_QVCOMMAND_CATEGORIES, rec));
  ASSERT_EQ(rec.categories.size(), 1u);
  EXPECT_EQ(rec.categories[0].dwLabel, 40507u);
}

TEST(CommandTableReader, ModuleWithoutTablesOfAType) {
  TestModule ext(L"cmdtab_ext.dll");
  ASSERT_TRUE(ext.get());
  Recorder rec;
  EXPECT_FALSE(ReadCommandTables(ext.get(), 299, rec));
  // A module loaded as a data file only reads the same.
  HMODULE data = LoadLibraryExW(L"cmdtab_ext.dll", NULL, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(data);
  EXPECT_TRUE(ReadCommandTables(data, RT_QVCOMMANDS, rec));
  FreeLibrary(data);
  std::vector<unsigned> ids = {100, 200, 201};
  EXPECT_EQ(rec.CommandIds(), ids);
}

BOOL CollectModule(HMODULE module, void* context) {
  auto* out = static_cast<std::vector<HMODULE>*>(context);
  out->push_back(module);
  return out->size() < 64;
}

TEST(CommandTableReader, ModuleChainOrderSkipsSystemModules) {
  TestModule ext(L"cmdtab_ext.dll");
  TestModule bad(L"cmdtab_bad.dll");
  ASSERT_TRUE(ext.get() && bad.get());
  std::vector<HMODULE> before;
  EnumCommandTableModules(CollectModule, &before);
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(before[0], GetModuleHandle(NULL));

  {
    ChainLink extLink(ext.get());
    ChainLink badLink(bad.get(), TRUE);  // a system module: not read
    std::vector<HMODULE> chain;
    EnumCommandTableModules(CollectModule, &chain);
    ASSERT_EQ(chain.size(), before.size() + 1);
    EXPECT_EQ(chain[0], GetModuleHandle(NULL));
    EXPECT_EQ(chain[1], ext.get());  // the newest link comes first in the chain

    Recorder rec;
    ReadCommandTablesOfChain(RT_QVSECURITY_FAMILIES, rec);
    std::vector<unsigned> families;
    for (auto& f : rec.families) families.push_back(f.wFamilyID);
    EXPECT_EQ(families, (std::vector<unsigned>{1, 2, 1, 3}));
  }
  std::vector<HMODULE> after;
  EnumCommandTableModules(CollectModule, &after);
  EXPECT_EQ(after, before);
}

BOOL StopAtOnce(HMODULE, void* context) {
  ++*static_cast<int*>(context);
  return FALSE;
}

TEST(CommandTableReader, VisitorStopsTheWalk) {
  TestModule ext(L"cmdtab_ext.dll");
  ChainLink link(ext.get());
  int visits = 0;
  EnumCommandTableModules(StopAtOnce, &visits);
  EXPECT_EQ(visits, 1);
}

}  // namespace
