#include "support/cRegistry.h"

#include <gtest/gtest.h>

#include "platform/base/runtime_error.h"
#include "support/error_capture.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

using platform::OsKind;
using tessaly::testing::Bytes;
using tessaly::testing::KeyExists;
using tessaly::testing::QueryValue;
using tessaly::testing::TempMachine;

namespace {

constexpr std::int32_t kHKLM = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
constexpr std::int32_t kHKCR = static_cast<std::int32_t>(HKEY_CLASSES_ROOT);
constexpr std::int32_t kHKCU = static_cast<std::int32_t>(HKEY_CURRENT_USER);

cRegistry At(std::int32_t root, const std::string& section, const std::string& value = "") {
  cRegistry reg;
  reg.ClassKey(root);
  reg.SectionKey(section);
  reg.ValueKey(value);
  return reg;
}

void Seed(const std::string& name, DWORD type, const std::string& data) {
  HKEY key = tessaly::testing::CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test");
  tessaly::testing::SetValue(key, name.c_str(), type, data);
  RegCloseKey(key);
}

// The runtime error `action` raised; a failure when it raised none.
platform::RuntimeError RaisedBy(const std::function<void()>& action) {
  auto error = tessaly::testing::CaughtError(action);
  if (!error) ADD_FAILURE() << "no error raised";
  return error.value_or(platform::RuntimeError(0, "", ""));
}

TEST(cRegistry, MachineNames) {
  struct Case {
    const char* in;
    const char* stored;
  } cases[] = {{"pc1", "\\\\pc1"}, {"\\\\pc1", "\\\\pc1"}, {"ab", ""}, {"", ""}};
  for (const auto& c : cases) {
    cRegistry reg;
    reg.Machine("old");
    reg.Machine(c.in);
    EXPECT_EQ(reg.Machine(), c.stored) << c.in;
  }
}

TEST(cRegistry, ValueGetByType) {
  TempMachine m(OsKind::WinXP);
  Seed("sz", REG_SZ, Bytes("abc\0"));
  Seed("dword", REG_DWORD, Bytes("\xFF\xFF\xFF\xFF"));
  Seed("big", REG_DWORD_BIG_ENDIAN, Bytes("\0\0\x01\0"));
  Seed("bin", REG_BINARY, Bytes("\x01\x02\x03"));
  Seed("multi", REG_MULTI_SZ, Bytes("a\0b\0\0"));
  Seed("expand", REG_EXPAND_SZ, Bytes("%windir%\\x\0"));
  Seed("percents", REG_SZ, Bytes("50% to 60%\0"));
  Seed("empty", REG_SZ, "");

  struct Case {
    const char* name;
    Variant expected;
    std::int32_t type;
  } cases[] = {
      {"sz", std::string("abc"), 1},
      {"dword", std::int32_t{-1}, 4},
      {"big", std::int32_t{256}, 5},
      {"bin", ByteArray{1, 2, 3}, 3},
      {"multi", std::string("a\0b\0", 4), 7},
      {"expand", std::string("C:\\WINDOWS\\x"), 2},
      {"percents", std::string("50% to 60%"), 1},  // only REG_EXPAND_SZ is expanded on reading
      {"empty", std::string(), 1},
  };
  for (const auto& c : cases) {
    auto reg = At(kHKLM, "SOFTWARE\\Test", c.name);
    EXPECT_EQ(reg.Value(), c.expected) << c.name;
    EXPECT_EQ(reg.ValueType(), c.type) << c.name;
  }
}

TEST(cRegistry, MissingValueOrKeyGivesTheDefaultAndKeepsTheType) {
  TempMachine m(OsKind::Win98);
  for (const char* section : {"SOFTWARE\\Nowhere", "SOFTWARE"}) {
    auto reg = At(kHKLM, section, "missing");
    reg.Default(std::string("dflt"));
    reg.ValueType(7);
    EXPECT_EQ(reg.Value(), Variant(std::string("dflt")));
    EXPECT_EQ(reg.ValueType(), 7);
  }
}

TEST(cRegistry, ValueLetChoosesTheStringTypeAndRefusesWrongKinds) {
  TempMachine m(OsKind::WinXP);
  struct Case {
    std::int32_t valueType;
    Variant value;
    std::optional<tessaly::testing::TypedData> stored;
  } cases[] = {
      {1, std::string("%TEMP%\\x"), tessaly::testing::TypedData{REG_EXPAND_SZ, Bytes("%TEMP%\\x\0")}},
      {1, std::string("100%"), tessaly::testing::TypedData{REG_SZ, Bytes("100%\0")}},
      {1, std::string("%%"), tessaly::testing::TypedData{REG_SZ, Bytes("%%\0")}},
      {2, std::string("plain"), tessaly::testing::TypedData{REG_SZ, Bytes("plain\0")}},
      {4, std::int16_t{5}, tessaly::testing::TypedData{REG_DWORD, Bytes("\x05\0\0\0")}},
      {5, std::int32_t{0x01020304}, tessaly::testing::TypedData{REG_DWORD, Bytes("\x04\x03\x02\x01")}},
      {4, std::string("5"), std::nullopt},  // not an integer: nothing written, no error
      {3, ByteArray{9, 8}, tessaly::testing::TypedData{REG_BINARY, Bytes("\x09\x08")}},
  };
  int n = 0;
  for (const auto& c : cases) {
    std::string name = "v" + std::to_string(n++);
    auto reg = At(kHKLM, "SOFTWARE\\Written", name);
    reg.ValueType(c.valueType);
    reg.Value(c.value);
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Written", name.c_str()), c.stored) << name;
  }

  auto binary = At(kHKLM, "SOFTWARE\\Written", "bad");
  binary.ValueType(3);
  auto e = RaisedBy([&] { binary.Value(std::string("not bytes")); });
  EXPECT_EQ(e.number(), kRegistryError);
  EXPECT_EQ(e.description(), "");

  auto unknown = At(kHKLM, "SOFTWARE\\Written", "x");
  unknown.ValueType(7);
  e = RaisedBy([&] { unknown.Value(std::string("y")); });
  EXPECT_EQ(e.number(), kRegistrySetValueError);
  EXPECT_EQ(e.source(), "tsy.cRegistry");
  EXPECT_EQ(e.description(),
            "Failed to set registry value Key: '-2147483646',Section: 'SOFTWARE\\Written',Key: 'x' to value: 'y'");
}

TEST(cRegistry, ValueExLetFallsBackToTheDefaultForEmptyText) {
  TempMachine m(OsKind::WinXP);
  cRegistry reg;
  reg.ValueEx(kHKCU, "Software\\T", "name", 1, std::string("x"), std::string());
  EXPECT_EQ(reg.ValueEx(kHKCU, "Software\\T", "name", 1, std::string("d")), Variant(std::string("x")));
  EXPECT_EQ(reg.SectionKey(), "Software\\T");
}

TEST(cRegistry, RemoteMachineIsTheLocalOneOnlyByItsOwnName) {
  TempMachine m(OsKind::WinXP);
  Seed("sz", REG_SZ, Bytes("local\0"));
  auto reg = At(kHKLM, "SOFTWARE\\Test", "sz");
  reg.Default(std::string("unreachable"));
  reg.Machine("TESSALY-PC");
  EXPECT_EQ(reg.Value(), Variant(std::string("local")));
  reg.Machine("OTHER-PC");
  EXPECT_EQ(reg.Value(), Variant(std::string("unreachable")));
  reg.ValueType(1);
  // Writing to a computer that cannot be reached is an error, not silence.
  EXPECT_EQ(RaisedBy([&] { reg.Value(std::string("v")); }).number(), kRegistrySetValueError);
}

TEST(cRegistry, KeyOperationsAndTheirErrorsOnBothFamilies) {
  for (OsKind os : {OsKind::Win98, OsKind::WinXP}) {
    TempMachine m(os);
    auto reg = At(kHKLM, "SOFTWARE\\A\\B");
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());
    auto parent = At(kHKLM, "SOFTWARE\\A");
    if (os == OsKind::WinXP) {
      auto e = RaisedBy([&] { parent.DeleteKey(); });
      EXPECT_EQ(e.number(), kRegistryError);
      EXPECT_EQ(e.description(), "Failed to delete registry Key: '-2147483646',Section: 'SOFTWARE\\A");
      EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B"));
    } else {
      EXPECT_TRUE(parent.DeleteKey()) << "9x deletes the subtree";
      EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
    }

    auto value = At(kHKLM, "SOFTWARE\\Nowhere", "v");
    EXPECT_EQ(RaisedBy([&] { value.DeleteValue(); }).description(),
              "Failed to open key '-2147483646',Section: 'SOFTWARE\\Nowhere' for delete access");
    auto missing = At(kHKLM, "SOFTWARE", "nothing");
    EXPECT_EQ(RaisedBy([&] { missing.DeleteValue(); }).description(),
              "Failed to delete registry Key: '-2147483646',Section: 'SOFTWARE',Key: 'nothing");
  }
}

TEST(cRegistry, CreateKeyRefusedForALimitedUser) {
  auto builder = tessaly::testing::TestMachine(OsKind::WinXP);
  builder.userKind(platform::UserKind::Limited);
  TempMachine m(builder);
  auto reg = At(kHKLM, "SOFTWARE\\Mine");
  auto e = RaisedBy([&] { reg.CreateKey(); });
  EXPECT_EQ(e.number(), kRegistryError);
  EXPECT_EQ(e.description(), "Failed to create registry Key: 'SOFTWARE\\Mine");
}

TEST(cRegistry, Enumerations) {
  TempMachine m(OsKind::WinXP);
  Seed("first", REG_SZ, Bytes("1\0"));
  Seed("", REG_SZ, Bytes("d\0"));
  tessaly::testing::CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test\\zeta");
  tessaly::testing::CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test\\Alpha");

  std::vector<std::string> names;
  std::int32_t count = -1;
  auto reg = At(kHKLM, "SOFTWARE\\Test");
  EXPECT_TRUE(reg.EnumerateValues(names, count));
  ASSERT_EQ(count, 2);
  EXPECT_EQ(names[1], "first");
  EXPECT_EQ(names[2], "") << "the default value is listed with an empty name";
  EXPECT_TRUE(reg.EnumerateSections(names, count));
  ASSERT_EQ(count, 2);
  EXPECT_EQ(names[1], "Alpha");
  EXPECT_EQ(names[2], "zeta");

  for (const char* empty : {"SOFTWARE\\Test\\zeta", "SOFTWARE\\Missing"}) {
    auto leaf = At(kHKLM, empty);
    EXPECT_TRUE(leaf.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(leaf.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
  }
}

TEST(cRegistry, FileAssociationsAreWrittenUnderBothClassRoots) {
  TempMachine m(OsKind::WinXP);
  cRegistry reg;
  reg.CreateEXEAssociation("  \"C:\\Prog\\app.exe\" ", "App.Doc", "App document", "apd", "", true, "", true, "", true,
                           "", -1);
  auto text = [](const char* path) {
    auto value = QueryValue(HKEY_CLASSES_ROOT, path, "");
    return value ? value->data : std::string("<missing>");
  };
  EXPECT_EQ(text(".apd"), Bytes("App.Doc\0"));
  EXPECT_EQ(text("App.Doc\\shell\\open"), Bytes("&Open\0"));
  EXPECT_EQ(text("App.Doc\\shell\\add"), Bytes("&Install apd\0"));
  auto open = QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\App.Doc\\shell\\open\\command", "");
  ASSERT_TRUE(open);
  EXPECT_EQ(open->data, Bytes("\"C:\\Prog\\app.exe\" \"%1\"\0"));
  auto print = QueryValue(HKEY_CLASSES_ROOT, "App.Doc\\shell\\print\\command", "");
  ASSERT_TRUE(print);
  EXPECT_EQ(print->data, Bytes("\"C:\\Prog\\app.exe\" /p \"%1\"\0"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "App.Doc\\DefaultIcon"));
  EXPECT_EQ(reg.ClassKey(), kHKLM);

  // Right after the association, with the root left at HKEY_LOCAL_MACHINE, the
  // class is still found where file classes live.
  reg.CreateAdditionalEXEAssociations("App.Doc", {std::string("edit"), std::string("&Edit"), std::string("e %1")});
  EXPECT_EQ(text("App.Doc\\shell\\edit\\command"), Bytes("e %1\0"));

  EXPECT_EQ(RaisedBy([&] {
              reg.CreateAdditionalEXEAssociations("App.Doc", {std::string("a"), std::string("b"), std::string("c"),
                                                              std::string("d")});
            }).number(),
            kRegistryParameterListError);
  EXPECT_EQ(RaisedBy([&] { reg.CreateAdditionalEXEAssociations("No.Class", {}); }).description(),
            "Error - attempt to create additional associations before class defined.");
}

TEST(INIFile, EveryCallFailsOnItsUnsetHandleAndSaysSo) {
  TempMachine m(OsKind::WinXP);
  INIFile ini;
  EXPECT_FALSE(ini.WriteText("name", "value"));
  EXPECT_FALSE(ini.WriteFlag("flag", 1));
  EXPECT_EQ(ini.ReadFlag("flag"), 0);
  EXPECT_EQ(ini.ReadNumber("n"), 0);
  EXPECT_EQ(ini.ReadText("name"), "");
}

}  // namespace
