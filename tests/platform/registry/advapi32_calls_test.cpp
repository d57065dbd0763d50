// The advapi32 registry calls: paths, handles, buffer rules, enumeration
// order, names, and failures without a machine.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/cp1252.h"
#include "platform/base/last_error.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

using namespace tessaly::testing;
using platform::OsKind;

namespace {

TEST(RegistryPaths, SubKeyRules) {
  TempMachine scratch;
  HKEY base = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Paths\\Child");
  RegCloseKey(base);
  const std::string longName(256, 'n');
  const std::string longestName(255, 'n');
  struct Case {
    const char* sub;
    LONG expected;
  };
  const Case cases[] = {
      {nullptr, ERROR_SUCCESS},
      {"", ERROR_SUCCESS},
      {"Child", ERROR_SUCCESS},
      {"CHILD\\", ERROR_SUCCESS},
      {"child\\\\", ERROR_BAD_PATHNAME},
      {"\\Child", ERROR_BAD_PATHNAME},
      {"\\", ERROR_BAD_PATHNAME},
      {"Child\\\\X", ERROR_BAD_PATHNAME},
      {"Missing", ERROR_FILE_NOT_FOUND},
      {"Missing\\Deeper", ERROR_FILE_NOT_FOUND},
      {longName.c_str(), ERROR_BAD_PATHNAME},
      {longestName.c_str(), ERROR_FILE_NOT_FOUND},
  };
  HKEY parent = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Paths", 0, KEY_ALL_ACCESS, &parent), 0);
  for (const Case& c : cases) {
    HKEY key = 12345;
    EXPECT_EQ(RegOpenKeyExA(parent, c.sub, 0, KEY_READ, &key), c.expected) << (c.sub ? c.sub : "NULL");
    if (c.expected == ERROR_SUCCESS) {
      EXPECT_NE(key, 0u);
      RegCloseKey(key);
    } else {
      EXPECT_EQ(key, 0u) << "the result must be cleared on failure";
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.expected));
    }
  }
  // A 255-character name can be created; "*" is an ordinary name.
  EXPECT_NE(CreateKey(parent, longestName.c_str()), 0u);
  EXPECT_NE(CreateKey(parent, "*"), 0u);
  HKEY key = 0;
  EXPECT_EQ(RegCreateKeyExA(parent, longName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegCreateKeyExA(parent, "Bad\\\\Name", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_FALSE(KeyExists(parent, "Bad"));
  // A line break in a new key's name could not be stored; nothing above it is made.
  for (const char* broken : {"Lines\\a\nb", "Lines\\a\rb"}) {
    EXPECT_EQ(RegCreateKeyExA(parent, broken, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(key, 0u);
  }
  EXPECT_FALSE(KeyExists(parent, "Lines"));
}

TEST(RegistryKeys, NamesAreCaseInsensitiveAndKeepTheirCase) {
  TempMachine scratch;
  HKEY key = 0;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\MixedCase", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            0);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\MIXEDCASE", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            0);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  ASSERT_EQ(SetString(key, "ValueName", "a"), 0);
  ASSERT_EQ(SetString(key, "VALUENAME", "b"), 0);  // the same value
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\mixedcase", "valuename"), (TypedData{REG_SZ, Bytes("b\0")}));
  // Windows-1252 case folding: é and É are one name.
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Caf\xE9");
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\CAF\xC9"));

  HKEY parent = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &parent), 0);
  char name[32];
  bool found = false;
  for (DWORD i = 0; RegEnumKeyA(parent, i, name, sizeof name) == 0; ++i) found |= std::strcmp(name, "MixedCase") == 0;
  EXPECT_TRUE(found) << "the first spelling is kept";
  DWORD cch = sizeof name;
  ASSERT_EQ(RegEnumValueA(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_STREQ(name, "ValueName");
}

TEST(RegistryKeys, EnumerationOrder) {
  TempMachine scratch;
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Order");
  for (const char* sub : {"b", "A", "_x", "a1", "\xE4", "Z", "[", "10", "9"}) CreateKey(key, sub);
  // Sorted by the upper-cased bytes: "_" (0x5F) after "Z", "[" (0x5B) between.
  const std::vector<std::string> sortedKeys = {"10", "9", "A", "a1", "b", "Z", "[", "_x", "\xE4"};
  std::vector<std::string> listed;
  char name[16];
  for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == 0; ++i) listed.push_back(name);
  EXPECT_EQ(listed, sortedKeys);

  ASSERT_EQ(SetString(key, "second", "2"), 0);
  ASSERT_EQ(SetString(key, "first", "1"), 0);
  ASSERT_EQ(SetString(key, nullptr, "default"), 0);
  ASSERT_EQ(SetString(key, "third", "3"), 0);
  ASSERT_EQ(SetString(key, "SECOND", "2 again"), 0);  // keeps its place
  ASSERT_EQ(RegDeleteValueA(key, "first"), 0);
  ASSERT_EQ(SetString(key, "First", "1 again"), 0);  // moves to the end
  std::vector<std::string> values;
  DWORD cch = sizeof name;
  for (DWORD i = 0; RegEnumValueA(key, i, name, &cch, nullptr, nullptr, nullptr, nullptr) == 0; ++i, cch = sizeof name)
    values.push_back(name);
  EXPECT_EQ(values, (std::vector<std::string>{"second", "", "third", "First"}));
}

TEST(RegistryValues, QueryBufferRules) {
  TempMachine scratch;
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Buffers");
  ASSERT_EQ(SetString(key, "Text", "hello"), 0);  // 6 bytes
  ASSERT_EQ(SetValue(key, "Empty", REG_BINARY, ""), 0);

  DWORD type = 99, size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size), 0);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, REG_SZ);

  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  size = 5;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::string(buffer, 8), std::string(8, '#')) << "untouched on 234";

  size = 8;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), 0);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::string(buffer, 8), Bytes("hello\0##"));

  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND)
      << "the default value exists only once set";
  size = 8;
  EXPECT_EQ(RegQueryValueExA(key, "Empty", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), 0);
  EXPECT_EQ(size, 0u);

  // "" and NULL both name the default value.
  ASSERT_EQ(SetString(key, "", "dflt"), 0);
  EXPECT_EQ(QueryValue(key, nullptr, nullptr), (TypedData{REG_SZ, Bytes("dflt\0")}));
  // Data NULL with a count is refused; NULL with 0 stores empty data.
  EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_BINARY, nullptr, 0), 0);
  EXPECT_EQ(QueryValue(key, nullptr, "x"), (TypedData{REG_BINARY, ""}));
  // A line break in a value name could not be stored.
  EXPECT_EQ(SetString(key, "a\nb", "v"), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteValueA(key, "Missing"), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryValues, EnumValueBufferRules) {
  TempMachine scratch;
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\EnumValues");
  ASSERT_EQ(SetString(key, "Name", "data"), 0);  // 5 bytes

  char name[8];
  BYTE data[8];
  std::memset(name, '#', sizeof name);
  std::memset(data, '#', sizeof data);
  DWORD cchName = 4, type = 0, size = sizeof data;
  // Name too long: nothing written, counts unchanged.
  EXPECT_EQ(RegEnumValueA(key, 0, name, &cchName, nullptr, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(cchName, 4u);
  EXPECT_EQ(size, sizeof data);
  EXPECT_EQ(name[0], '#');

  // Name fits, data does not: the name, type and needed size come back.
  cchName = 5;
  size = 2;
  EXPECT_EQ(RegEnumValueA(key, 0, name, &cchName, nullptr, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_STREQ(name, "Name");
  EXPECT_EQ(cchName, 4u);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(data[0], '#');

  cchName = sizeof name;
  size = 0;
  EXPECT_EQ(RegEnumValueA(key, 0, name, &cchName, nullptr, &type, nullptr, &size), 0);
  EXPECT_EQ(size, 5u);
  cchName = sizeof name;
  size = sizeof data;
  EXPECT_EQ(RegEnumValueA(key, 0, name, &cchName, nullptr, &type, data, &size), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), Bytes("data\0"));
  cchName = sizeof name;
  EXPECT_EQ(RegEnumValueA(key, 1, name, &cchName, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegEnumValueA(key, 0, nullptr, &cchName, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
}

TEST(RegistryKeys, EnumKeyBufferRules) {
  TempMachine scratch;
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\EnumKeys");
  CreateKey(key, "Four");
  scratch.clock().Advance(60000);
  CreateKey(key, "Later");

  char name[8];
  std::memset(name, '#', sizeof name);
  EXPECT_EQ(RegEnumKeyA(key, 0, name, 4), ERROR_MORE_DATA) << "cch counts the NUL";
  EXPECT_EQ(name[0], '#');
  EXPECT_EQ(RegEnumKeyA(key, 0, name, 5), 0);
  EXPECT_STREQ(name, "Four");
  EXPECT_EQ(RegEnumKeyA(key, 2, name, 8), ERROR_NO_MORE_ITEMS);

  DWORD cch = 4;
  char cls[4] = "###";
  DWORD cchClass = sizeof cls;
  FILETIME first{}, second{};
  EXPECT_EQ(RegEnumKeyExA(key, 0, name, &cch, nullptr, cls, &cchClass, &first), ERROR_MORE_DATA);
  EXPECT_EQ(cch, 4u) << "unchanged on 234";
  cch = 5;
  EXPECT_EQ(RegEnumKeyExA(key, 0, name, &cch, nullptr, cls, &cchClass, &first), 0);
  EXPECT_EQ(cch, 4u) << "length without the NUL";
  EXPECT_STREQ(cls, "");
  EXPECT_EQ(cchClass, 0u);
  cch = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(key, 1, name, &cch, nullptr, nullptr, nullptr, &second), 0);
  auto asInt = [](FILETIME ft) { return (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; };
  EXPECT_EQ(asInt(first), platform::VirtualClock::kDefaultStart);
  EXPECT_EQ(asInt(second) - asInt(first), 60000 * 10000LL) << "last-write times come from the clock";

  DWORD subkeys = 0, maxSub = 0, values = 0, maxName = 0, maxData = 0, security = 7;
  ASSERT_EQ(SetString(key, "LongestName", "123456789"), 0);
  ASSERT_EQ(SetString(key, "x", "1"), 0);
  EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &maxSub, nullptr, &values, &maxName, &maxData,
                             &security, nullptr),
            0);
  EXPECT_EQ(subkeys, 2u);
  EXPECT_EQ(maxSub, 5u);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(maxName, 11u);
  EXPECT_EQ(maxData, 10u);
  EXPECT_EQ(security, 0u);
}

TEST(RegistryHandles, LifecycleAndDeletedKeys) {
  TempMachine scratch;
  HKEY first = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Handles");
  HKEY second = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Handles", 0, KEY_ALL_ACCESS, &second), 0);
  EXPECT_EQ(second, first + 4) << "handles come from a counter";

  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), 0);
  EXPECT_EQ(RegCloseKey(0), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(0x12345), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(0x80000007u), ERROR_INVALID_HANDLE);

  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Handles"), 0);
  DWORD size = 0;
  char name[8];
  EXPECT_EQ(RegQueryValueExA(second, "x", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(SetString(second, "x", "y"), ERROR_KEY_DELETED);
  EXPECT_EQ(RegEnumKeyA(second, 0, name, sizeof name), ERROR_KEY_DELETED);
  HKEY child = 0;
  EXPECT_EQ(RegCreateKeyExA(second, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(second), 0);
  EXPECT_EQ(RegCloseKey(second), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Handles"));

  // A key deleted through its own handle.
  HKEY self = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Self");
  EXPECT_EQ(RegDeleteKeyA(self, ""), 0);
  EXPECT_EQ(RegFlushKey(self), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Self"), ERROR_FILE_NOT_FOUND);
  // Roots and hive top keys stay.
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, nullptr), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
}

TEST(RegistryHandles, ConnectRegistry) {
  TempMachine scratch;
  const std::string computer = platform::MachineDescription{}.computerName;
  struct Case {
    std::optional<std::string> name;
    HKEY root;
    LONG expected;
  };
  const Case cases[] = {
      {std::nullopt, HKEY_LOCAL_MACHINE, 0},
      {"", HKEY_USERS, 0},
      {"\\\\" + computer, HKEY_LOCAL_MACHINE, 0},
      {"\\\\" + platform::ToUpper(computer), HKEY_LOCAL_MACHINE, 0},
      {computer, HKEY_LOCAL_MACHINE, ERROR_BAD_NETPATH},
      {"\\\\OTHER-PC", HKEY_LOCAL_MACHINE, ERROR_BAD_NETPATH},
      {"\\\\", HKEY_LOCAL_MACHINE, ERROR_BAD_NETPATH},
      {"", 0x1234, ERROR_INVALID_HANDLE},
      {"", HKEY_DYN_DATA, ERROR_INVALID_HANDLE},  // NT has none
  };
  for (const Case& c : cases) {
    HKEY out = 77;
    EXPECT_EQ(RegConnectRegistryA(c.name ? c.name->c_str() : nullptr, c.root, &out), c.expected)
        << (c.name ? *c.name : "NULL");
    EXPECT_EQ(out, c.expected == 0 ? c.root : 0u);
  }
  EXPECT_EQ(RegConnectRegistryA(nullptr, HKEY_LOCAL_MACHINE, nullptr), ERROR_INVALID_PARAMETER);
}

TEST(RegistryHandles, EveryCallFailsCleanlyWithoutAMachine) {
  HKEY key = 5;
  DWORD size = 0, disposition = 0, cch = 8;
  char name[8];
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(HKEY_LOCAL_MACHINE, "x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegSetValueExA(HKEY_LOCAL_MACHINE, "x", 0, REG_SZ, nullptr, 0), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegDeleteValueA(HKEY_LOCAL_MACHINE, "x"), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "x"), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegEnumKeyA(HKEY_LOCAL_MACHINE, 0, name, 8), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegEnumValueA(HKEY_LOCAL_MACHINE, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryInfoKeyA(HKEY_LOCAL_MACHINE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegConnectRegistryA(nullptr, HKEY_LOCAL_MACHINE, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegFlushKey(HKEY_LOCAL_MACHINE), ERROR_INVALID_HANDLE);
}

}  // namespace
