// The hive files: byte-exact round trips, the written format, hand-written
// hives, refusal of broken ones, and writes that a crash cannot break.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/base/host_file.h"
#include "platform/registry/registry_store.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

using namespace tessaly::testing;
using platform::MachineError;
using namespace std::string_literals;
using platform::OsKind;
using platform::registry::RegistryStore;

namespace {

struct NamedValue {
  const char* what;
  std::string name;
  DWORD type;
  std::string data;
};

std::vector<NamedValue> EveryKindOfValue() {
  std::string longBinary;
  for (int i = 0; i < 300; ++i) longBinary += static_cast<char>(i * 7);
  return {
      {"string with its NUL", "Text", REG_SZ, Bytes("hello\0")},
      {"string without NUL", "NoNul", REG_SZ, "hello"},
      {"empty string", "EmptyText", REG_SZ, Bytes("\0")},
      {"REG_SZ with no bytes", "NoBytes", REG_SZ, ""},
      {"string with embedded NUL", "Embedded", REG_SZ, Bytes("a\0b\0")},
      {"string with two final NULs", "TwoNuls", REG_SZ, Bytes("ab\0\0")},
      {"string with a line break", "Lines", REG_SZ, Bytes("a\r\nb\0")},
      {"quotes and backslashes", "Q\"uo\\te", REG_SZ, Bytes("C:\\\"x\"\\\0")},
      {"Windows-1252 bytes", "Caf\xE9", REG_SZ, Bytes("\x80\xFF\xE9\0")},
      {"expandable string", "Path", REG_EXPAND_SZ, Bytes("%SystemRoot%\\x\0")},
      {"multi-string", "Multi", REG_MULTI_SZ, Bytes("a\0bc\0\0")},
      {"binary", "Bin", REG_BINARY, Bytes("\x00\x01\xFE\xFF")},
      {"long binary (wrapped lines)", "LongBin", REG_BINARY, longBinary},
      {"empty binary", "EmptyBin", REG_BINARY, ""},
      {"dword", "Dword", REG_DWORD, Bytes("\x2C\x01\x00\x00")},
      {"dword of 3 bytes", "ShortDword", REG_DWORD, Bytes("\x2C\x01\x00")},
      {"big-endian dword", "Big", REG_DWORD_BIG_ENDIAN, Bytes("\x00\x00\x01\x2C")},
      {"none, empty", "None", REG_NONE, ""},
      {"qword", "Qword", REG_QWORD, Bytes("\x01\x02\x03\x04\x05\x06\x07\x08")},
      {"unknown type number", "Odd", 0x12345678, "xyz"},
      {"long unknown type data", "OddLong", 0xFFFFFFFF, longBinary},
      {"default value", "", REG_SZ, Bytes("default\0")},
      {"name with = and blanks", " a = b ", REG_SZ, Bytes("v\0")},
      {"name that is @", "@", REG_DWORD, Bytes("\x01\x00\x00\x00")},
  };
}

TEST(HivePersistence, EveryValueTypeRoundTripsByteExact) {
  for (OsKind os : {OsKind::WinXP, OsKind::Win98}) {
    TempMachine scratch(os);
    auto values = EveryKindOfValue();
    HKEY machineKey = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\RoundTrip");
    HKEY userKey = CreateKey(HKEY_CURRENT_USER, "RoundTrip");
    for (const auto& v : values) {
      ASSERT_EQ(SetValue(machineKey, v.name.c_str(), v.type, v.data), ERROR_SUCCESS) << v.what;
      ASSERT_EQ(SetValue(userKey, v.name.c_str(), v.type, v.data), ERROR_SUCCESS) << v.what;
    }
    scratch.Reopen();

    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      const char* path = root == HKEY_LOCAL_MACHINE ? "SOFTWARE\\RoundTrip" : "RoundTrip";
      for (const auto& v : values)
        EXPECT_EQ(QueryValue(root, path, v.name.c_str()), (TypedData{v.type, v.data})) << v.what;
      // The creation order survives too.
      HKEY key = 0;
      ASSERT_EQ(RegOpenKeyExA(root, path, 0, KEY_READ, &key), ERROR_SUCCESS);
      for (DWORD i = 0; i < values.size(); ++i) {
        char name[64];
        DWORD cch = sizeof name;
        ASSERT_EQ(RegEnumValueA(key, i, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
        EXPECT_EQ(std::string(name, cch), values[i].name);
      }
      RegCloseKey(key);
    }

    // Loading then saving gives the same bytes.
    std::string firstSave = ReadHostFile(scratch.hiveFile("HKLM"));
    HKEY again = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\RoundTrip");
    ASSERT_EQ(SetValue(again, "Text", REG_SZ, Bytes("hello\0")), ERROR_SUCCESS);  // same data: marks the hive changed
    ASSERT_EQ(RegFlushKey(again), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFile(scratch.hiveFile("HKLM")), firstSave);
  }
}

TEST(HivePersistence, WritesRegedit4TextSortedDepthFirst) {
  TempMachine scratch(OsKind::Win98);
  HKEY b = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\beta");
  HKEY a = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Alpha\\inner");
  CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\alpha\\Empty");
  ASSERT_EQ(SetValue(b, "z", REG_DWORD, Bytes("\x2C\x01\x00\x00")), 0);
  ASSERT_EQ(SetString(b, nullptr, "C:\\Path \"quoted\""), 0);
  ASSERT_EQ(SetValue(b, "a\\b", REG_BINARY, Bytes("\x01\xAB")), 0);
  ASSERT_EQ(SetValue(a, "raw", REG_SZ, "no nul"), 0);
  ASSERT_EQ(SetValue(a, "x", REG_EXPAND_SZ, Bytes("%a%\0")), 0);
  ASSERT_EQ(RegFlushKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);

  // The image's own keys follow Classes.
  const std::string expected =
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Config]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Config\\0001]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Alpha]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Alpha\\Empty]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Alpha\\inner]\r\n"
      "\"raw\"=hex(1):6e,6f,20,6e,75,6c\r\n"
      "\"x\"=hex(2):25,61,25,00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\beta]\r\n"
      "\"z\"=dword:0000012c\r\n"
      "@=\"C:\\\\Path \\\"quoted\\\"\"\r\n"
      "\"a\\\\b\"=hex:01,ab\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes]\r\n";
  EXPECT_EQ(ReadHostFile(scratch.hiveFile("HKLM")).substr(0, expected.size()), expected);
}

TEST(HivePersistence, HandWrittenHiveLoads) {
  TempMachine scratch;
  scratch.Abandon();
  // LF and CR LF line ends, a comment, blanks, continuations, a repeated
  // section, lower-case root and hex digits.
  WriteHostFile(scratch.hiveFile("HKLM"),
                "REGEDIT4\n"
                "\n"
                "; written by hand\r\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
                "\"Name\"=\"Tessaly \\\"TSY\\\"\"\n"
                "  \"Count\" = dword:0000000A  \n"
                "@=\"C:\\\\Program Files\"\n"
                "\"Multi\"=hex(7):61,00,\\\n"
                "  62,00,\\\n"
                "  00\n"
                "\"Blob\"=HEX:1,FF\n"
                "\n"
                "[hkey_local_machine\\software\\vendor\\Sub Key]\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\n"
                "\"Name\"=\"second wins\"\n"
                "\"Later\"=dword:1\n");
  scratch.Open();

  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", "Name"), (TypedData{REG_SZ, Bytes("second wins\0")}));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", "count"), (TypedData{REG_DWORD, Bytes("\x0A\0\0\0")}));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", nullptr),
            (TypedData{REG_SZ, Bytes("C:\\Program Files\0")}));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", "Multi"), (TypedData{REG_MULTI_SZ, Bytes("a\0b\0\0")}));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", "Blob"), (TypedData{REG_BINARY, Bytes("\x01\xFF")}));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", "Later"), (TypedData{REG_DWORD, Bytes("\1\0\0\0")}));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENDOR\\sub key"));
  // The repeated section kept the value's first place.
  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vendor", 0, KEY_READ, &key), 0);
  char name[32];
  DWORD cch = sizeof name;
  ASSERT_EQ(RegEnumValueA(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_STREQ(name, "Name");
  RegCloseKey(key);
}

TEST(HivePersistence, BrokenHiveIsRefusedWithFileAndLineAndLeftAsItIs) {
  struct Case {
    const char* what;
    std::string text;
    int line;
  };
  const Case cases[] = {
      {"no header", "[HKEY_LOCAL_MACHINE\\X]\r\n", 1},
      {"other header", "Windows Registry Editor Version 5.00\r\n", 1},
      {"value before a key", "REGEDIT4\r\n\r\n\"a\"=\"b\"\r\n", 3},
      {"unterminated text", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=\"b\r\n", 3},
      {"unknown escape", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=\"C:\\Windows\"\r\n", 3},
      {"bad dword", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=dword:123456789\r\n", 3},
      {"bad hex byte", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=hex:01,zz\r\n", 3},
      {"bad hex in continuation", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=hex:01,\\\r\n  0g\r\n", 4},
      {"continuation at end", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=hex:01,\\", 3},
      {"unknown data kind", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\"=qword:1\r\n", 3},
      {"missing =", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\" \"b\"\r\n", 3},
      {"key line without ]", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\X\r\n", 3},
      {"empty component", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\X\\\\Y]\r\n", 3},
      {"key of another hive", "REGEDIT4\r\n\r\n[HKEY_USERS\\X]\r\n", 3},
      {"stray text", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\nhello\r\n", 3},
      {"key name over 255", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\" + std::string(256, 'k') + "]\r\n", 2},
      {"NUL in a key name", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFT\0WARE]\r\n"s, 3},
      {"NUL in a root name", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\0\\X]\r\n"s, 3},
      {"NUL in a value name", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\X]\r\n\"a\0b\"=\"c\"\r\n"s, 3},
  };
  for (const Case& c : cases) {
    TempMachine scratch;
    scratch.Abandon();
    auto file = scratch.hiveFile("HKLM");
    WriteHostFile(file, c.text);
    auto before = std::filesystem::last_write_time(file);
    scratch.OpenLazily();
    try {
      scratch.machine().area<RegistryStore>();
      ADD_FAILURE() << c.what << ": loaded";
    } catch (const MachineError& error) {
      std::string message = error.what();
      EXPECT_NE(message.find(file.string()), std::string::npos) << c.what << ": " << message;
      EXPECT_NE(message.find("line " + std::to_string(c.line) + ":"), std::string::npos) << c.what << ": " << message;
    }
    // The calls fail cleanly instead of acting on an empty registry.
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key), ERROR_INVALID_HANDLE) << c.what;
    // Ending the process writes nothing over it, and the next start refuses it too.
    EXPECT_THROW(scratch.Reopen(), MachineError) << c.what;
    EXPECT_EQ(ReadHostFile(file), c.text) << c.what;
    EXPECT_EQ(std::filesystem::last_write_time(file), before) << c.what;
  }
}

// Starts the machine again with its hive files gone.
void WithoutHives(TempMachine& machine) {
  machine.Abandon();
  for (const char* hive : {"HKLM", "HKU"}) std::filesystem::remove(machine.hiveFile(hive));
  machine.Open();
}

TEST(HivePersistence, MissingHivesGiveTheProtectedTopKeys) {
  struct Case {
    OsKind os;
    HKEY root;
    const char* path;
  };
  const std::string sid = platform::MachineDescription{}.userSid;
  const Case cases[] = {
      {OsKind::WinXP, HKEY_LOCAL_MACHINE, "SOFTWARE"},
      {OsKind::WinXP, HKEY_LOCAL_MACHINE, "SYSTEM"},
      {OsKind::WinXP, HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes"},
      {OsKind::WinXP, HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"},
      {OsKind::WinXP, HKEY_USERS, ".DEFAULT"},
      {OsKind::WinXP, HKEY_USERS, sid.c_str()},
      {OsKind::Win95, HKEY_LOCAL_MACHINE, "Config\\0001"},
      {OsKind::Win95, HKEY_USERS, ".DEFAULT"},
  };
  for (const Case& c : cases) {
    TempMachine scratch(c.os);
    WithoutHives(scratch);
    EXPECT_TRUE(KeyExists(c.root, c.path)) << c.path;
    EXPECT_EQ(RegDeleteKeyA(c.root, c.path), ERROR_ACCESS_DENIED) << c.path;
  }
  TempMachine nine(OsKind::Win95);
  WithoutHives(nine);
  EXPECT_FALSE(KeyExists(HKEY_USERS, sid.c_str()));
}

TEST(HivePersistence, CleanHiveIsNotRewritten) {
  TempMachine scratch;
  const std::string users = ReadHostFile(scratch.hiveFile("HKU"));
  const auto usersWritten = std::filesystem::last_write_time(scratch.hiveFile("HKU"));
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept");
  ASSERT_EQ(SetString(key, "v", "1"), 0);
  ASSERT_EQ(RegFlushKey(key), 0);
  ASSERT_TRUE(std::filesystem::exists(scratch.hiveFile("HKLM")));
  // Never changed, never written.
  EXPECT_EQ(ReadHostFile(scratch.hiveFile("HKU")), users);
  EXPECT_EQ(std::filesystem::last_write_time(scratch.hiveFile("HKU")), usersWritten);

  // Another editor changes the file; reading and flushing must not undo it.
  std::string edited = ReadHostFile(scratch.hiveFile("HKLM")) + "; edited\r\n";
  WriteHostFile(scratch.hiveFile("HKLM"), edited);
  EXPECT_TRUE(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept", "v").has_value());
  ASSERT_EQ(RegFlushKey(key), 0);
  EXPECT_EQ(ReadHostFile(scratch.hiveFile("HKLM")), edited);

  // A change makes it dirty again.
  ASSERT_EQ(SetString(key, "v", "2"), 0);
  ASSERT_EQ(RegFlushKey(key), 0);
  EXPECT_NE(ReadHostFile(scratch.hiveFile("HKLM")), edited);
}

TEST(HivePersistence, VolatileKeysAreNeverStoredAndGoAtRestart) {
  TempMachine scratch;
  HKEY temp = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Session", REG_OPTION_VOLATILE);
  CreateKey(temp, "Child");
  HKEY kept = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept");
  ASSERT_EQ(SetString(temp, "v", "x"), 0);
  ASSERT_EQ(SetString(kept, "v", "x"), 0);
  ASSERT_EQ(RegFlushKey(kept), 0);
  EXPECT_EQ(ReadHostFile(scratch.hiveFile("HKLM")).find("SOFTWARE\\Session"), std::string::npos);

  scratch.machine().Restart();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Session"));
  EXPECT_EQ(RegSetValueExA(temp, "v", 0, REG_SZ, nullptr, 0), ERROR_KEY_DELETED);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept"));
}

// A write cut off anywhere before the rename leaves the previous hive.
TEST(HivePersistence, SaveKilledPartWayLeavesTheOldHive) {
  const std::size_t cuts[] = {0, 1, 9, 100, 5000, SIZE_MAX};
  for (std::size_t cut : cuts) {
    TempMachine scratch;
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Faulty");
    ASSERT_EQ(SetString(key, "State", "old"), 0);
    ASSERT_EQ(RegFlushKey(key), 0);
    std::string oldHive = ReadHostFile(scratch.hiveFile("HKLM"));

    ASSERT_EQ(SetString(key, "State", "new"), 0);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(SetString(key, ("Filler" + std::to_string(i)).c_str(), "data"), 0);
    platform::testing::FailNextHostWriteAfter(cut);
    EXPECT_EQ(RegFlushKey(key), ERROR_ACCESS_DENIED) << cut;
    EXPECT_EQ(ReadHostFile(scratch.hiveFile("HKLM")), oldHive) << cut;
    EXPECT_TRUE(std::filesystem::exists(platform::TemporaryFileOf(scratch.hiveFile("HKLM"))));

    scratch.Abandon();  // the process dies
    scratch.Open();
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Faulty", "State"), (TypedData{REG_SZ, Bytes("old\0")})) << cut;
    EXPECT_FALSE(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Faulty", "Filler0").has_value()) << cut;

    // The next save goes through despite the leftover temporary file.
    HKEY again = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Faulty");
    ASSERT_EQ(SetString(again, "State", "new"), 0);
    scratch.Reopen();
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Faulty", "State"), (TypedData{REG_SZ, Bytes("new\0")})) << cut;
    EXPECT_FALSE(std::filesystem::exists(platform::TemporaryFileOf(scratch.hiveFile("HKLM"))));
  }
}

}  // namespace
