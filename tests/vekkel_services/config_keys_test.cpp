#include <windows.h>
#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "vekkel.h"

namespace {

// Every test works under a company name of its own, removed with everything under it.
class ConfigKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    m_company = "QvTest-" + std::to_string(GetCurrentProcessId());
    m_root = L"Software\\" + QvString(m_company.c_str()).ToWide();
    SetConfigurationNames(m_company.c_str(), "App", "Short");
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, m_root.c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_root.c_str());
  }
  std::string Under(const char* rest) const { return "Software\\" + m_company + "\\" + rest; }

  std::string m_company;
  std::wstring m_root;
};

TEST_F(ConfigKeys, PlaceholdersExpand) {
  struct Case {
    const char* key;
    const char* expected;  // below Software\<company>\, null for an invalid key
  } const cases[] = {
      {"%QVGENERALCFG%\\Font Settings", "General\\Font Settings"},
      {"%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\%APPSHORTNAME%\\Toolbar",
       "App\\Desktop\\UserPrefs\\Short\\Toolbar"},
      {"%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\MCListForTabs", "App\\Desktop\\UserPrefs\\MCListForTabs"},
      {"%APPLICATION_PREFS%\\Settings", "App\\Preferences\\Settings"},
      {"%APPCONFIG%", "App\\Configuration"},
      {"%APPCONFIG%\\", "App\\Configuration"},
      {"%NOPE%\\x", nullptr},
      {"%APPCONFIG", nullptr},
      {"%APPCONFIG%\\\\x", nullptr},
      {"", nullptr},
      {"\\\\", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    QvString expanded("old");
    bool ok = ExpandConfigurationKey(c.key, expanded);
    EXPECT_EQ(ok, c.expected != nullptr);
    EXPECT_STREQ(expanded.c_str(), c.expected ? Under(c.expected).c_str() : "");
  }
  QvString plain;
  EXPECT_TRUE(ExpandConfigurationKey("\\Software\\Plain\\Key", plain));
  EXPECT_STREQ(plain.c_str(), "Software\\Plain\\Key");
  EXPECT_FALSE(ExpandConfigurationKey(nullptr, plain));
}

TEST_F(ConfigKeys, ValuesRoundTripThroughTheUsersKey) {
  const char* key = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\%APPSHORTNAME%\\Options";
  for (const char* text : {"C:\\Reports", "", "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC"}) {
    SCOPED_TRACE(text);
    ASSERT_GE(SetUserKeyStringValue(key, "open", text), 0);
    char buffer[520];
    EXPECT_EQ(GetKeyStringValue(key, "open", buffer, sizeof buffer), long(strlen(text)));
    EXPECT_STREQ(buffer, text);
  }
  for (unsigned long v : {0UL, 1UL, 0xFFFFFFFFUL}) {
    ASSERT_GE(SetUserKeyDWORDValue(key, "Large", v), 0);
    unsigned long read = 12345;
    EXPECT_GE(GetKeyDWORDValue(key, "Large", read), 0);
    EXPECT_EQ(read, v);
  }
  unsigned char colours[64];
  for (int i = 0; i < 64; ++i) colours[i] = static_cast<unsigned char>(i * 3 + 1);
  ASSERT_GE(SetUserKeyBinaryValue("%APPLICATION_PREFS%\\Settings", "Custom Colors", colours, 64), 0);
  unsigned char read[64] = {};
  EXPECT_EQ(GetKeyBinaryValue("%APPLICATION_PREFS%\\Settings", "Custom Colors", read, 64), 64);
  EXPECT_EQ(memcmp(read, colours, 64), 0);
  // An empty binary value is a value.
  ASSERT_GE(SetUserKeyBinaryValue(key, "Empty", nullptr, 0), 0);
  EXPECT_EQ(GetKeyBinaryValue(key, "Empty", read, 64), 0);

  // Stored where the expansion says, as REG_SZ text.
  wchar_t stored[64];
  DWORD size = sizeof stored;
  std::wstring path = QvString(Under("App\\Desktop\\UserPrefs\\Short\\Options").c_str()).ToWide();
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"open", RRF_RT_REG_SZ, NULL, stored, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(stored, L"Caf\u00e9 \u65e5\u672c");
}

TEST_F(ConfigKeys, MissingValuesAndBadArguments) {
  char text[16] = "untouched";
  unsigned long dword = 7;
  unsigned char bytes[4] = {1, 2, 3, 4};
  EXPECT_EQ(GetKeyStringValue("%APPCONFIG%\\Nothing", "x", text, sizeof text), QVKEY_E_NOTFOUND);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(GetKeyDWORDValue("%APPCONFIG%", "LogGPF", dword), QVKEY_E_NOTFOUND);
  EXPECT_EQ(dword, 7UL);
  ASSERT_GE(SetUserKeyDWORDValue("%APPCONFIG%", "Other", 1), 0);
  EXPECT_EQ(GetKeyBinaryValue("%APPCONFIG%", "Missing", bytes, 4), QVKEY_E_NOTFOUND);
  EXPECT_EQ(bytes[0], 1);

  EXPECT_EQ(SetUserKeyStringValue("%BAD%\\x", "v", "t"), QVKEY_E_BADKEY);
  EXPECT_EQ(SetUserKeyStringValue("%APPCONFIG%", nullptr, "t"), QVKEY_E_BADKEY);
  EXPECT_EQ(SetUserKeyStringValue("%APPCONFIG%", "v", nullptr), QVKEY_E_BADKEY);
  EXPECT_EQ(SetUserKeyBinaryValue("%APPCONFIG%", "v", nullptr, 4), QVKEY_E_BADKEY);
  EXPECT_EQ(GetKeyStringValue("%APPCONFIG%", "Other", nullptr, 10), QVKEY_E_BADKEY);
  EXPECT_EQ(GetKeyStringValue("%APPCONFIG%", "Other", text, 0), QVKEY_E_BADKEY);
  EXPECT_EQ(GetKeyDWORDValue(nullptr, "Other", dword), QVKEY_E_BADKEY);
}

TEST_F(ConfigKeys, WrongTypeOrOversizedValuesFailAndLoseNothing) {
  const char* key = "%APPCONFIG%\\Types";
  const unsigned char blob[8] = {9, 8, 7, 6, 5, 4, 3, 2};
  ASSERT_GE(SetUserKeyStringValue(key, "text", "hello"), 0);
  ASSERT_GE(SetUserKeyDWORDValue(key, "number", 42), 0);
  ASSERT_GE(SetUserKeyBinaryValue(key, "blob", blob, 8), 0);

  char text[16] = "x";
  unsigned long number = 5;
  unsigned char bytes[16];
  memset(bytes, 0xAA, sizeof bytes);
  EXPECT_EQ(GetKeyStringValue(key, "number", text, sizeof text), QVKEY_E_WRONGTYPE);
  EXPECT_EQ(GetKeyStringValue(key, "blob", text, sizeof text), QVKEY_E_WRONGTYPE);
  EXPECT_EQ(GetKeyDWORDValue(key, "text", number), QVKEY_E_WRONGTYPE);
  EXPECT_EQ(GetKeyDWORDValue(key, "blob", number), QVKEY_E_WRONGTYPE);
  EXPECT_EQ(number, 5UL);
  EXPECT_EQ(GetKeyBinaryValue(key, "text", bytes, sizeof bytes), QVKEY_E_WRONGTYPE);
  EXPECT_EQ(GetKeyBinaryValue(key, "number", bytes, sizeof bytes), QVKEY_E_WRONGTYPE);
  EXPECT_EQ(bytes[0], 0xAA);

  // Too large for the caller's buffer: nothing written past it, nothing half-read.
  char small[6];
  memset(small, 'z', sizeof small);
  EXPECT_EQ(GetKeyStringValue(key, "text", small, 5), QVKEY_E_TOOLARGE);
  EXPECT_EQ(small[0], '\0');
  EXPECT_EQ(small[5], 'z');
  EXPECT_EQ(GetKeyStringValue(key, "text", small, 6), 5);
  EXPECT_STREQ(small, "hello");
  EXPECT_EQ(GetKeyBinaryValue(key, "blob", bytes, 7), QVKEY_E_TOOLARGE);
  EXPECT_EQ(bytes[0], 0xAA);
  // A shorter value than the buffer reads as many bytes as it has.
  EXPECT_EQ(GetKeyBinaryValue(key, "blob", bytes, sizeof bytes), 8);
  EXPECT_EQ(memcmp(bytes, blob, 8), 0);
  EXPECT_EQ(bytes[8], 0xAA);

  // The stored values are still there.
  EXPECT_GE(GetKeyDWORDValue(key, "number", number), 0);
  EXPECT_EQ(number, 42UL);
  EXPECT_EQ(GetKeyStringValue(key, "text", text, sizeof text), 5);
}

TEST_F(ConfigKeys, AStringValueIsReadWholeWhateverItsLength) {
  const char* key = "%APPCONFIG%\\Whole";
  // 400 characters of three UTF-8 bytes each, then one of four: no fixed buffer holds it.
  std::string text;
  for (int i = 0; i < 400; ++i) text += "\xE5\xA0\xB1";
  text += "\xF0\x9F\x93\x8A";
  ASSERT_GE(SetUserKeyStringValue(key, "long", text.c_str()), 0);
  ASSERT_GE(SetUserKeyDWORDValue(key, "number", 7), 0);
  QvString read("old");
  EXPECT_EQ(GetKeyStringValue(key, "long", read), long(text.size()));
  EXPECT_EQ(read.str(), text);
  EXPECT_EQ(GetKeyStringValue(key, "number", read), QVKEY_E_WRONGTYPE);
  EXPECT_TRUE(read.IsEmpty());
  read = "old";
  EXPECT_EQ(GetKeyStringValue(key, "missing", read), QVKEY_E_NOTFOUND);
  EXPECT_TRUE(read.IsEmpty());
}

TEST_F(ConfigKeys, MachineValuesAreDefaultsTheUserOverrides) {
  std::wstring path = QvString(Under("App\\Configuration").c_str()).ToWide();
  HKEY h;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &h, NULL),
            ERROR_SUCCESS)
      << "the machine's defaults are written by the test itself";
  DWORD one = 1;
  RegSetValueExW(h, L"LogGPF", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
  RegCloseKey(h);
  unsigned long value = 0;
  EXPECT_GE(GetKeyDWORDValue("%APPCONFIG%", "LogGPF", value), 0);
  EXPECT_EQ(value, 1UL);
  ASSERT_GE(SetUserKeyDWORDValue("%APPCONFIG%", "LogGPF", 0), 0);
  EXPECT_GE(GetKeyDWORDValue("%APPCONFIG%", "LogGPF", value), 0);
  EXPECT_EQ(value, 0UL);
}

}  // namespace
