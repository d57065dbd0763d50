// Per-key rights of the current user on the NT family, from the defaults of
// admins and limited users and from the [Access] rules.
#include <gtest/gtest.h>

#include "support/registry_calls.h"
#include "support/temp_machine.h"

using namespace tessaly::testing;
using platform::AccessRule;
using platform::Grant;
using platform::OsKind;
using platform::UserKind;

namespace {

// Builds keys as the admin would, then opens the folder as `user` with `rules`.
struct LimitedMachine {
  explicit LimitedMachine(std::vector<AccessRule> rules = {}, OsKind os = OsKind::WinXP)
      : scratch(Limited(std::move(rules), os)) {}
  static platform::MachineBuilder Limited(std::vector<AccessRule> rules, OsKind os) {
    auto builder = TestMachine(os);
    builder.userKind(UserKind::Limited).description().accessRules = std::move(rules);
    return builder;
  }
  TempMachine scratch;
};

TEST(RegistryAccess, LimitedUserReadsHklmAndWritesHkcu) {
  LimitedMachine limited;
  struct Case {
    HKEY root;
    const char* path;
    REGSAM sam;
    LONG expected;
  };
  const Case cases[] = {
      {HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_ALL_ACCESS, ERROR_ACCESS_DENIED},
      {HKEY_LOCAL_MACHINE, "SOFTWARE", 0x3F, ERROR_ACCESS_DENIED},
      {HKEY_LOCAL_MACHINE, "SOFTWARE", 0x2003F, ERROR_ACCESS_DENIED},
      {HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_WRITE, ERROR_ACCESS_DENIED},
      {HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_READ, ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_QUERY_VALUE, ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_ENUMERATE_SUB_KEYS, ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "", KEY_ALL_ACCESS, ERROR_ACCESS_DENIED},
      {HKEY_CLASSES_ROOT, "", KEY_ALL_ACCESS, ERROR_ACCESS_DENIED},
      {HKEY_USERS, ".DEFAULT", KEY_ALL_ACCESS, ERROR_ACCESS_DENIED},
      {HKEY_CURRENT_USER, "", KEY_ALL_ACCESS, ERROR_SUCCESS},
  };
  for (const Case& c : cases) {
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(c.root, c.path, 0, c.sam, &key), c.expected) << c.path << " " << std::hex << c.sam;
    if (key) RegCloseKey(key);
  }
  // RegOpenKeyA opens a read-only key with what it allows.
  HKEY software = 0;
  ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &software), 0);
  char name[32];
  EXPECT_EQ(RegEnumKeyA(software, 0, name, sizeof name), 0);
  EXPECT_EQ(SetString(software, "x", "y"), ERROR_ACCESS_DENIED);
  HKEY created = 0;
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly\\Settings", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &created, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly"));
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes"), ERROR_ACCESS_DENIED);

  HKEY mine = CreateKey(HKEY_CURRENT_USER, "Software\\Tessaly");
  EXPECT_EQ(SetString(mine, "x", "y"), 0);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessaly"), 0);
}

TEST(RegistryAccess, HandlesCarryTheirRights) {
  TempMachine admin;
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Rights");
  ASSERT_EQ(SetString(key, "v", "x"), 0);
  CreateKey(key, "Sub");
  struct Case {
    REGSAM sam;
    bool query, set, enumerate, create;
  };
  for (const Case& c : {Case{KEY_QUERY_VALUE, true, false, false, false}, Case{KEY_SET_VALUE, false, true, false, false},
                        Case{KEY_ENUMERATE_SUB_KEYS, false, false, true, false},
                        Case{KEY_CREATE_SUB_KEY, false, false, false, true}, Case{KEY_READ, true, false, true, false},
                        Case{KEY_ALL_ACCESS, true, true, true, true}}) {
    HKEY h = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Rights", 0, c.sam, &h), 0);
    auto expect = [](bool allowed, LONG result) { return allowed ? result != ERROR_ACCESS_DENIED : result == ERROR_ACCESS_DENIED; };
    DWORD size = 0;
    char name[8];
    HKEY child = 0;
    EXPECT_TRUE(expect(c.query, RegQueryValueExA(h, "v", nullptr, nullptr, nullptr, &size))) << std::hex << c.sam;
    EXPECT_TRUE(expect(c.set, SetString(h, "v", "x"))) << std::hex << c.sam;
    EXPECT_TRUE(expect(c.set, RegDeleteValueA(h, "none"))) << std::hex << c.sam;
    EXPECT_TRUE(expect(c.enumerate, RegEnumKeyA(h, 0, name, sizeof name))) << std::hex << c.sam;
    EXPECT_TRUE(expect(c.create, RegCreateKeyExA(h, "New", 0, nullptr, 0, KEY_READ, nullptr, &child, nullptr)))
        << std::hex << c.sam;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Rights\\New");
    RegCloseKey(h);
  }
  // The rights of the handle do not matter to a delete below it.
  HKEY readOnly = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Rights", 0, KEY_READ, &readOnly), 0);
  EXPECT_EQ(RegDeleteKeyA(readOnly, "Sub"), 0);
}

TEST(RegistryAccess, AccessRulesPickTheLongestMatch) {
  TempMachine scratch;
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly");
  scratch.ReopenAsLimitedUser({
                           {"HKLM\\SOFTWARE\\Tessaly\\", Grant::Full},
                           {"hklm\\software\\tessaly\\Locked", Grant::Read},
                           {"C:\\Windows", Grant::Read},
                       });
  EXPECT_NE(CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly\\Settings"), 0u);
  HKEY key = 0;
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly\\Locked", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_ACCESS_DENIED)
      << "the new key itself would be read-only";
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly\\Locked\\Inner", 0, nullptr, 0, KEY_READ, nullptr,
                            &key, nullptr),
            ERROR_ACCESS_DENIED)
      << "its parent on the way would be read-only";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tessaly\\Locked"));
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY", 0, KEY_ALL_ACCESS, &key), 0);
}

TEST(RegistryAccess, NoneRulesAndRulesThroughAliases) {
  // The keys exist before the rules apply: build them as an admin first.
  TempMachine scratch;
  CreateKey(HKEY_CLASSES_ROOT, ".secret");
  CreateKey(HKEY_CURRENT_USER, "Software\\Policies");
  scratch.ReopenAsLimitedUser({{"HKCR\\.secret", Grant::None}, {"HKCU\\Software\\Policies", Grant::Read}});

  HKEY key = 0;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, ".secret", 0, KEY_QUERY_VALUE, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.SECRET", &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Policies", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Policies", 0, KEY_READ, &key), 0);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Policies"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &key), 0);
}

TEST(RegistryAccess, NineXIgnoresMasksAndRules) {
  LimitedMachine nine({{"HKLM\\SOFTWARE", Grant::None}}, OsKind::Win98);
  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_QUERY_VALUE, &key), 0);
  EXPECT_EQ(SetString(key, "v", "x"), 0) << "the mask is ignored";
  EXPECT_NE(CreateKey(key, "Sub"), 0u);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "", 0, KEY_ALL_ACCESS, &key), 0);
}

}  // namespace
