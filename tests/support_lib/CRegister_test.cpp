// CRegister over the emulated registry: reading, writing and deleting by
// root, path and name, with the edge cases of its algorithms.
#include <gtest/gtest.h>

#include <cmath>

#include "support/CRegister.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

using namespace tessaly::testing;
using platform::Grant;
using platform::OsKind;
using platform::UserKind;

namespace {

constexpr std::int32_t kHKLM = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
constexpr std::int32_t kHKCU = static_cast<std::int32_t>(HKEY_CURRENT_USER);
constexpr char kTestKey[] = "SOFTWARE\\TESSALY\\Test";

// Plants raw values as another writer would.
void Plant(const char* name, DWORD type, const std::string& data) {
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, kTestKey);
  ASSERT_EQ(SetValue(key, name, type, data), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(CRegisterRead, GetSettingTable) {
  TempMachine scratch;
  Plant("Text", REG_SZ, Bytes("abc\0"));
  Plant("EmptyText", REG_SZ, Bytes("\0"));
  Plant("NoBytes", REG_SZ, "");
  Plant("NoNul", REG_SZ, "abc");
  Plant("Dword", REG_DWORD, Bytes("\x2C\x01\x00\x00"));
  Plant(nullptr, REG_SZ, Bytes("default value\0"));
  struct Case {
    const char* what;
    std::string section;
    std::string name;
    std::string expected;
  };
  const Case cases[] = {
      {"string", kTestKey, "Text", "abc"},
      {"empty string is not the default", kTestKey, "EmptyText", ""},
      {"no bytes gives the default", kTestKey, "NoBytes", "DEF"},
      {"string stored without NUL loses its last character", kTestKey, "NoNul", "ab"},
      {"type is not looked at", kTestKey, "Dword", Bytes("\x2C\x01\x00")},
      {"missing value", kTestKey, "Missing", "DEF"},
      {"missing key", "SOFTWARE\\TESSALY\\Missing", "Text", "DEF"},
      {"* is the default value", kTestKey, "*", "default value"},
      {"empty name is the default value", kTestKey, "", "default value"},
      {"one backslash trimmed at each end", "\\SOFTWARE\\TESSALY\\Test\\", "Text", "abc"},
      {"second leading backslash stays and fails", "\\\\SOFTWARE\\TESSALY\\Test", "Text", "DEF"},
      {"name is case-insensitive", "software\\tessaly\\TEST", "TEXT", "abc"},
  };
  CRegister reg;
  for (const Case& c : cases) EXPECT_EQ(reg.REGGetSetting(kHKLM, c.section, c.name, "DEF"), c.expected) << c.what;
}

TEST(CRegisterRead, NumberTable) {
  TempMachine scratch;
  Plant("Dword", REG_DWORD, Bytes("\x2C\x01\x00\x00"));
  Plant("HighBit", REG_DWORD, Bytes("\x00\x00\x00\x80"));
  Plant("One", REG_SZ, Bytes("1\0"));
  Plant("NoBytes", REG_BINARY, "");
  Plant("Eight", REG_BINARY, std::string(8, '\xFF'));
  struct Case {
    const char* name;
    double expected;
  };
  const Case cases[] = {
      {"Dword", 300.0},       {"HighBit", 2147483648.0}, {"One", 49.0},
      {"Missing", 0.0},       {"NoBytes", 0.0},          {"Eight", 18446744073709551615.0},
  };
  CRegister reg;
  for (const Case& c : cases) EXPECT_EQ(reg.myREGGetSetting(kHKLM, kTestKey, c.name, 0), c.expected) << c.name;
  EXPECT_EQ(reg.myREGGetSetting(kHKLM, kTestKey, "Missing", 7.5), 7.5);
  EXPECT_EQ(reg.myREGGetSetting(kHKLM, "SOFTWARE\\Nowhere", "Dword", 3), 3);
}

TEST(CRegisterRead, ReadOnlyKeyIsReadAfterTheRefusedFullOpen) {
  TempMachine scratch;
  Plant("Hide", REG_SZ, Bytes("True\0"));
  Plant("Count", REG_DWORD, Bytes("\x05\x00\x00\x00"));
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Hidden");
  scratch.ReopenAsLimitedUser({{"HKLM\\SOFTWARE\\TESSALY\\Hidden", Grant::None}});

  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  CRegister reg;
  EXPECT_EQ(reg.REGGetSetting(kHKLM, kTestKey, "Hide", "False"), "True");
  EXPECT_EQ(reg.myREGGetSetting(kHKLM, kTestKey, "Count", 0), 5.0);
  EXPECT_FALSE(reg.REGSaveSetting(kHKLM, kTestKey, "Hide", "False"));
  EXPECT_FALSE(reg.REGDeleteSetting(kHKLM, kTestKey, "Hide"));
  EXPECT_EQ(reg.REGGetSetting(kHKLM, kTestKey, "Hide", "False"), "True");
  EXPECT_EQ(reg.REGGetSetting(kHKLM, "SOFTWARE\\TESSALY\\Hidden", "*", "none"), "none");
  // The user's own hive is writable.
  EXPECT_TRUE(reg.REGSaveSetting(kHKCU, "Software\\TESSALY", "x", "y"));
}

TEST(CRegisterWrite, SaveSettingTable) {
  TempMachine scratch;
  CRegister reg;
  EXPECT_TRUE(reg.REGSaveSetting(kHKLM, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS\\Deep", "Value", "text"));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS\\Deep", "Value"),
            (TypedData{REG_SZ, Bytes("text\0")}))
      << "stored as REG_SZ with its NUL";
  EXPECT_TRUE(reg.REGSaveSetting(kHKLM, "\\SOFTWARE\\TESSALY\\Trimmed\\", "*", "dflt"));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Trimmed", nullptr), (TypedData{REG_SZ, Bytes("dflt\0")}));
  EXPECT_TRUE(reg.REGSaveSetting(kHKLM, kTestKey, "", "empty name"));
  EXPECT_EQ(reg.REGGetSetting(kHKLM, kTestKey, "*", ""), "empty name");
  EXPECT_TRUE(reg.REGSaveSetting(kHKLM, kTestKey, "Empty", ""));
  EXPECT_EQ(reg.REGGetSetting(kHKLM, kTestKey, "Empty", "DEF"), "");
  EXPECT_FALSE(reg.REGSaveSetting(kHKLM, "\\\\SOFTWARE\\X", "a", "b"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\X"));
}

TEST(CRegisterWrite, FailedWriteAfterASuccessfulOpenIsFalse) {
  TempMachine scratch(OsKind::Win98);
  CRegister reg;
  // The open succeeds, the 9x size limit refuses the write, the close succeeds.
  EXPECT_FALSE(reg.REGSaveSetting(kHKLM, kTestKey, "Big", std::string(16300, 'x')));
  EXPECT_TRUE(reg.REGSaveSetting(kHKLM, kTestKey, "Fits", std::string(16299, 'x')));
  EXPECT_EQ(reg.REGGetSetting(kHKLM, kTestKey, "Big", "none"), "none");
}

TEST(CRegisterDelete, DeleteSettingTable) {
  TempMachine scratch;
  CRegister reg;
  Plant("Value", REG_SZ, Bytes("v\0"));
  Plant(nullptr, REG_SZ, Bytes("d\0"));
  EXPECT_TRUE(reg.REGDeleteSetting(kHKLM, kTestKey, "Value"));
  EXPECT_FALSE(reg.REGDeleteSetting(kHKLM, kTestKey, "Value")) << "already gone";
  EXPECT_TRUE(reg.REGDeleteSetting(kHKLM, std::string("\\").append(kTestKey).append("\\"), "*"));
  EXPECT_FALSE(QueryValue(HKEY_LOCAL_MACHINE, kTestKey, nullptr).has_value());
  EXPECT_FALSE(reg.REGDeleteSetting(kHKLM, "SOFTWARE\\Missing", "Value"));

  // An empty name deletes the key, its path taken untrimmed.
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Gone");
  EXPECT_FALSE(reg.REGDeleteSetting(kHKLM, "\\SOFTWARE\\TESSALY\\Gone", ""));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Gone"));
  EXPECT_TRUE(reg.REGDeleteSetting(kHKLM, "SOFTWARE\\TESSALY\\Gone\\", ""));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Gone"));

  // Never a root.
  EXPECT_FALSE(reg.REGDeleteSetting(kHKLM, "", ""));
  EXPECT_FALSE(reg.REGDeleteSetting(kHKCU, "", ""));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE"));
}

TEST(CRegisterDelete, KeyWithSubkeysByFamily) {
  for (OsKind os : {OsKind::WinXP, OsKind::Win98}) {
    TempMachine scratch(os);
    CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\TempU\\Child");
    CRegister reg;
    bool nine = os == OsKind::Win98;
    EXPECT_EQ(reg.REGDeleteSetting(kHKLM, "SOFTWARE\\TESSALY\\TempU", ""), nine);
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\TempU\\Child"), !nine);
  }
}

TEST(CRegisterDelete, LimitedUserCannotOpenTheRootForAKeyDelete) {
  TempMachine scratch;
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Mine");
  scratch.ReopenAsLimitedUser({{"HKLM\\SOFTWARE\\TESSALY\\Mine", Grant::Full}});
  CRegister reg;
  EXPECT_FALSE(reg.REGDeleteSetting(kHKLM, "SOFTWARE\\TESSALY\\Mine", ""));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Mine"));
  // The key itself could be deleted directly.
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\Mine"), ERROR_SUCCESS);
}

TEST(CRegisterKeys, GetAllKeysListsDirectSubkeysInOrder) {
  TempMachine scratch;
  for (const char* sub : {"Zeta", "alpha", "Beta\\Deeper"}) CreateKey(HKEY_LOCAL_MACHINE, (std::string(kTestKey) + "\\" + sub).c_str());
  CRegister reg;
  std::int32_t root = kHKLM;
  std::string path = kTestKey;
  EXPECT_EQ(reg.GetAllKeys(root, path), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
  std::string untrimmed = "\\" + path;
  EXPECT_TRUE(reg.GetAllKeys(root, untrimmed).empty()) << "the path is not trimmed";
  std::string missing = "SOFTWARE\\Missing";
  EXPECT_TRUE(reg.GetAllKeys(root, missing).empty());
  std::string leaf = path + "\\Zeta";
  EXPECT_TRUE(reg.GetAllKeys(root, leaf).empty());
}

}  // namespace
