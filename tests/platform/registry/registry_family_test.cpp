// Where the 9x and NT families differ, each case on a machine of each family.
#include <gtest/gtest.h>

#include "support/registry_calls.h"
#include "support/temp_machine.h"

using namespace tessaly::testing;
using platform::OsKind;

namespace {

TEST(RegistryFamilies, DeleteKeyWithSubkeys) {
  struct Case {
    OsKind os;
    LONG expected;
    bool subtreeGone;
  };
  for (const Case& c : {Case{OsKind::WinXP, ERROR_ACCESS_DENIED, false}, Case{OsKind::Win2000, ERROR_ACCESS_DENIED, false},
                        Case{OsKind::Win98, ERROR_SUCCESS, true}, Case{OsKind::WinMe, ERROR_SUCCESS, true}}) {
    TempMachine scratch(c.os);
    HKEY deep = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tree\\Branch\\Leaf");
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tree"), c.expected);
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tree\\Branch\\Leaf"), !c.subtreeGone);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(deep, "x", nullptr, nullptr, nullptr, &size),
              c.subtreeGone ? ERROR_KEY_DELETED : ERROR_FILE_NOT_FOUND);
    // Values never block a delete; a key without subkeys goes on both.
    HKEY lone = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lone");
    ASSERT_EQ(SetString(lone, "v", "x"), 0);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lone"), ERROR_SUCCESS);
    // A subtree holding a protected key is never deleted (9x: HKCC's target).
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, c.os == OsKind::Win98 || c.os == OsKind::WinMe
                                                    ? "Config"
                                                    : "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"),
              ERROR_ACCESS_DENIED);
  }
}

TEST(RegistryFamilies, ValueSizeAndNameLimits) {
  struct Case {
    OsKind os;
    std::size_t dataSize;
    std::size_t nameLength;
    LONG expected;
  };
  const Case cases[] = {
      {OsKind::Win98, 16300, 10, ERROR_SUCCESS},
      {OsKind::Win98, 16301, 10, ERROR_INVALID_PARAMETER},
      {OsKind::Win95, 16301, 10, ERROR_INVALID_PARAMETER},
      {OsKind::Win98, 1, 255, ERROR_SUCCESS},
      {OsKind::Win98, 1, 256, ERROR_INVALID_PARAMETER},
      {OsKind::WinXP, 16301, 10, ERROR_SUCCESS},
      {OsKind::WinXP, 1024 * 1024, 10, ERROR_SUCCESS},
      {OsKind::WinXP, 1, 16383, ERROR_SUCCESS},
      {OsKind::WinXP, 1, 16384, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    TempMachine scratch(c.os);
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sizes");
    std::string name(c.nameLength, 'v');
    EXPECT_EQ(SetValue(key, name.c_str(), REG_BINARY, std::string(c.dataSize, 'd')), c.expected)
        << c.dataSize << " bytes, name " << c.nameLength;
    EXPECT_EQ(QueryValue(key, nullptr, name.c_str()).has_value(), c.expected == ERROR_SUCCESS) << "nothing stored on 87";
  }
}

TEST(RegistryFamilies, CurrentUserAndClassesAliases) {
  const std::string sid = platform::MachineDescription{}.userSid;
  struct Case {
    OsKind os;
    std::string userKey;
    const char* configKey;
  };
  for (const Case& c : {Case{OsKind::WinXP, sid, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"},
                        Case{OsKind::NT4, sid, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"},
                        Case{OsKind::Win98, ".DEFAULT", "Config\\0001"}}) {
    TempMachine scratch(c.os);
    HKEY user = CreateKey(HKEY_CURRENT_USER, "Software\\Alias");
    ASSERT_EQ(SetString(user, "v", "user"), 0);
    EXPECT_EQ(QueryValue(HKEY_USERS, (c.userKey + "\\Software\\Alias").c_str(), "v"), (TypedData{REG_SZ, Bytes("user\0")}));

    HKEY cls = CreateKey(HKEY_CLASSES_ROOT, ".tsy");
    ASSERT_EQ(SetString(cls, nullptr, "TsyFile"), 0);
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.tsy", nullptr), (TypedData{REG_SZ, Bytes("TsyFile\0")}));

    HKEY config = CreateKey(HKEY_CURRENT_CONFIG, "Display");
    ASSERT_NE(config, 0u);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, (std::string(c.configKey) + "\\Display").c_str()));

    // Aliases are not stored apart: after a restart they still point there.
    scratch.Reopen();
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, "Software\\Alias", "v"), (TypedData{REG_SZ, Bytes("user\0")}));
    EXPECT_EQ(QueryValue(HKEY_CLASSES_ROOT, ".tsy", nullptr), (TypedData{REG_SZ, Bytes("TsyFile\0")}));
    EXPECT_EQ(ReadHostFile(scratch.hiveFile("HKU")).find("HKEY_CURRENT_USER"), std::string::npos);
  }
}

TEST(RegistryFamilies, PerformanceAndDynamicDataRoots) {
  {
    TempMachine nt(OsKind::WinXP);
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_PERFORMANCE_DATA, "", 0, KEY_READ, &key), 0);
    EXPECT_NE(key, 0u);
    EXPECT_EQ(RegOpenKeyExA(HKEY_PERFORMANCE_DATA, "Counters", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyExA(HKEY_PERFORMANCE_DATA, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_PERFORMANCE_DATA, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExA(HKEY_DYN_DATA, "", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_DYN_DATA), ERROR_INVALID_HANDLE);
  }
  {
    TempMachine nine(OsKind::Win98);
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_DYN_DATA, "", 0, KEY_ALL_ACCESS, &key), 0);
    EXPECT_EQ(SetString(key, "x", "y"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetString(HKEY_DYN_DATA, "x", "y"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(HKEY_DYN_DATA, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExA(HKEY_PERFORMANCE_DATA, "", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    nine.Reopen();
    EXPECT_EQ(ReadHostFile(nine.hiveFile("HKLM")).find("DYN_DATA"), std::string::npos);
  }
}

}  // namespace
