#include "cleaning/RegistryHelper.h"

#include <gtest/gtest.h>

#include "hive_snapshot.h"
#include "platform/forms/forms.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

using platform::OsKind;
using namespace tessaly::testing;

namespace {

// One small hive: a key with values, a default value, leaf subkeys and a
// deep child; a run key with quoted command lines; a vendor key whose name
// holds a hyphen.
const char* const kFixture = R"(
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Deep]
"One"="1"
@="default"
"Two"=dword:00000002
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Deep\Leaf]
"x"="y"
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Deep\Branch\Child]
"z"="w"
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Flat]
"A"="a"
@="d"
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Flat\Leaf1]
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Flat\Leaf2]
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Vendor]
"keep"="1"
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Vendor-Product\Sub]
"v"="1"
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Values]
"Str"="hello world"
"Empty"=""
"Blank"="  padded"
"Expand"=hex(2):25,55,53,45,52,50,52,4f,46,49,4c,45,25,5c,78,00
"NoNul"=hex(1):61,62,63
"Dword"=dword:00000005
[HKEY_LOCAL_MACHINE\SOFTWARE\Fixture\Run]
"First"="\"C:\\Program Files\\A\\a.exe\" /s"
"Number"=dword:00000041
[HKEY_CURRENT_USER\Software\Explorer\UserAssist\{75048700-EF1F-11D0-9888-006097DEACF9}\Count]
"HRZR"=hex:01,02
[HKEY_CURRENT_USER\Software\Explorer\UserAssist\{75048700-EF1F-11D0-9888-006097DEACF9}]
"Version"=dword:00000003
)";

class RegistryHelperTest : public ::testing::TestWithParam<OsKind> {
 protected:
  RegistryHelperTest() : machine_(TestMachine(GetParam()).registry(kFixture)) {}
  ~RegistryHelperTest() override { platform::forms::ResetFormsRuntime(); }
  bool Nt() const { return GetParam() == OsKind::WinXP; }
  TempMachine machine_;
};

constexpr const char* kFix = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\";

std::string Fix(const std::string& rest) { return kFix + rest; }
bool Exists(const std::string& path) { return KeyExists(HKEY_LOCAL_MACHINE, ("SOFTWARE\\Fixture\\" + path).c_str()); }
bool HasValue(const std::string& path, const char* name) {
  return QueryValue(HKEY_LOCAL_MACHINE, ("SOFTWARE\\Fixture\\" + path).c_str(), name).has_value();
}

TEST_P(RegistryHelperTest, KeyEntryOnDeepKeyDiffersByFamily) {
  bool failed = RunTraceEntry(Fix("Deep- TSYRegKey"));
  // Values and leaf subkeys go on both families.
  EXPECT_FALSE(HasValue("Deep", "One"));
  EXPECT_FALSE(Exists("Deep\\Leaf"));
  if (Nt()) {
    EXPECT_TRUE(failed);
    EXPECT_TRUE(Exists("Deep"));
    EXPECT_TRUE(Exists("Deep\\Branch\\Child"));
    EXPECT_FALSE(HasValue("Deep", ""));
  } else {
    EXPECT_FALSE(failed);
    EXPECT_FALSE(Exists("Deep"));
  }
  EXPECT_TRUE(Exists("Flat"));
}

TEST_P(RegistryHelperTest, KeyEntryOnFlatKeyRemovesIt) {
  EXPECT_FALSE(RunTraceEntry(Fix("Flat- TSYRegKey")));
  EXPECT_FALSE(Exists("Flat"));
  EXPECT_TRUE(Exists("Deep"));
}

TEST_P(RegistryHelperTest, ContentsEntryEmptiesTheKeyButKeepsIt) {
  EXPECT_FALSE(RunTraceEntry(Fix("Flat - TSYRegSubKeys")));
  EXPECT_TRUE(Exists("Flat"));
  EXPECT_FALSE(HasValue("Flat", "A"));
  EXPECT_FALSE(HasValue("Flat", ""));
  EXPECT_FALSE(Exists("Flat\\Leaf1"));
  EXPECT_FALSE(Exists("Flat\\Leaf2"));
}

TEST_P(RegistryHelperTest, ContentsEntryListsValuesWhoseDataExceedsTheBuffer) {
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Fixture\\Big");
  ASSERT_EQ(SetString(key, "Huge", std::string(3000, 'x')), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key, "Small", "s"), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_FALSE(RunTraceEntry(Fix("Big- TSYRegSubKeys")));
  EXPECT_FALSE(HasValue("Big", "Huge"));
  EXPECT_FALSE(HasValue("Big", "Small"));
}

TEST_P(RegistryHelperTest, ValueEntriesDeleteOnlyTheirValueAndShareNoState) {
  EXPECT_FALSE(RunTraceEntry(Fix("Values+ Value`= Str")));
  EXPECT_FALSE(HasValue("Values", "Str"));
  EXPECT_TRUE(HasValue("Values", "Empty"));
  // Missing value: failure.
  EXPECT_TRUE(RunTraceEntry(Fix("Values+ Value`= Str")));
  // A key entry after a value entry acts on its own key only.
  EXPECT_FALSE(RunTraceEntry(Fix("Flat- TSYRegKey")));
  EXPECT_TRUE(HasValue("Values", "Empty"));
  // "+Value`=" without the blank parses the same.
  EXPECT_FALSE(RunTraceEntry(Fix("Values+Value`=Empty")));
  EXPECT_FALSE(HasValue("Values", "Empty"));
}

TEST_P(RegistryHelperTest, RootSpellingsAndHyphenatedPaths) {
  EXPECT_FALSE(RunTraceEntry(" hkey_local_machine \\SOFTWARE\\Fixture\\Values+ Value`= Str"));
  EXPECT_FALSE(HasValue("Values", "Str"));
  EXPECT_FALSE(RunTraceEntry("HKey_Current_User\\software\\explorer\\userassist\\"
                             "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count- TSYRegKey"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER,
                         "Software\\Explorer\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count"));
  EXPECT_TRUE(
      KeyExists(HKEY_CURRENT_USER, "Software\\Explorer\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}"));
  // The vendor key with a hyphen in its name is a path of its own.
  EXPECT_FALSE(RunTraceEntry(Fix("Vendor-Product\\Sub - TSYRegKey")));
  EXPECT_FALSE(Exists("Vendor-Product\\Sub"));
  EXPECT_TRUE(HasValue("Vendor", "keep"));
}

TEST_P(RegistryHelperTest, MalformedEntriesFailAndLeaveTheHiveByteIdentical) {
  const char* const entries[] = {
      "",                                                   // nothing at all
      "HKEY_LOCAL_MACHINE",                                 // no "\"
      "HKEY_LOCAL_MACHINE SOFTWARE- TSYRegKey",             // no "\"
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\Values Value`= Str",  // no "+"
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\Values+ Value` Str",  // no "="
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\FlatTSYRegKey",       // no "-"
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\Flat TSYRegSubKeys",  // no "-"
      // A hyphen inside a key name must not cut the path at a parent key.
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\Vendor-Product\\SubTSYRegKey",
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\Vendor-Product\\Sub TSYRegSubKeys",
      // A root is never deleted or emptied.
      "HKEY_CURRENT_USER\\- TSYRegKey",
      "HKEY_LOCAL_MACHINE\\ - TSYRegSubKeys",
      // Misspelt root.
      "HKEY_LOCAL_MACHIN\\SOFTWARE\\Fixture\\Flat- TSYRegKey",
  };
  auto before = HiveSnapshot(machine_.machine());
  for (const char* entry : entries) {
    SCOPED_TRACE(entry);
    EXPECT_TRUE(RunTraceEntry(entry));
    EXPECT_EQ(ReadTraceValue(entry), "");
    std::vector<std::string> names{"stale"}, data{"stale"};
    std::string text = entry;
    if (text.find("TSYReg") == std::string::npos && text.find("Value`") == std::string::npos) {
      EnumTraceValues(text, names, data);
      EXPECT_EQ(names[0], "");
    }
  }
  EXPECT_EQ(HiveSnapshot(machine_.machine()), before);
}

TEST_P(RegistryHelperTest, ReadTraceValueTable) {
  struct Case {
    const char* rest;
    std::string expected;
  } cases[] = {
      {"Values+ Value`= Str", "hello world"},
      {"Values+ Value`= Empty", ""},
      // Leading blanks: the terminating NUL is dropped before the trim.
      {"Values+ Value`= Blank", "padded"},
      // Not expanded.
      {"Values+ Value`= Expand", "%USERPROFILE%\\x"},
      // Stored without a NUL: nothing is lost.
      {"Values+ Value`= NoNul", "abc"},
      // Raw bytes cut at the first NUL.
      {"Values+ Value`= Dword", "\x05"},
      {"Values+ Value`= Missing", ""},
      {"Nowhere+ Value`= Str", ""},
      {"Values", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rest);
    EXPECT_EQ(ReadTraceValue(Fix(c.rest)), c.expected);
  }
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Fixture\\Values");
  ASSERT_EQ(SetString(key, "Long", std::string(1100, 'y')), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(ReadTraceValue(Fix("Values+ Value`= Long")), "");
}

TEST_P(RegistryHelperTest, ReadTraceValueHandsBackTheRest) {
  std::string rest;
  ReadTraceValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\Values+ Value`= Str", &rest);
  EXPECT_EQ(rest, "SOFTWARE\\Fixture\\Values+ Value`= Str");
}

TEST_P(RegistryHelperTest, TraceKeyExists) {
  std::string rest = "untouched";
  EXPECT_FALSE(TraceKeyExists("0", &rest));
  EXPECT_EQ(rest, "untouched");
  EXPECT_TRUE(TraceKeyExists("hkey_local_machine\\software\\fixture\\deep\\branch", &rest));
  EXPECT_EQ(rest, "software\\fixture\\deep\\branch");
  EXPECT_FALSE(TraceKeyExists(Fix("Nowhere")));
  EXPECT_TRUE(TraceKeyExists("HKEY_LOCAL_MACHINE\\"));
  EXPECT_FALSE(TraceKeyExists("HKEY_NOWHERE\\SOFTWARE"));
  EXPECT_FALSE(TraceKeyExists("no backslash"));
  EXPECT_EQ(TraceKeyExists("HKEY_DYN_DATA\\"), !Nt());
}

TEST_P(RegistryHelperTest, EnumTraceValuesListsEveryValue) {
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Fixture\\Run");
  // Long data in the middle, then a long name: neither hides later values.
  ASSERT_EQ(SetString(key, "Long", std::string(300, 'L')), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key, std::string(252, 'N').c_str(), "n"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key, "Last", "\"q\""), ERROR_SUCCESS);
  RegCloseKey(key);
  std::vector<std::string> names, data;
  std::string canonical;
  EXPECT_EQ(EnumTraceValues("Hkey_Local_Machine\\SOFTWARE\\Fixture\\Run", names, data, &canonical), 5);
  EXPECT_EQ(canonical, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fixture\\Run");
  std::vector<std::string> expectedNames = {"First", "Number", "Long", std::string(252, 'N'), "Last"};
  std::vector<std::string> expectedData = {"C:\\Program Files\\A\\a.exe /s", "A", std::string(300, 'L'), "n", "q"};
  EXPECT_EQ(names, expectedNames);
  EXPECT_EQ(data, expectedData);
  // A missing key lists nothing, even after a call that listed values.
  EXPECT_EQ(EnumTraceValues(Fix("Nowhere"), names, data), 0);
  EXPECT_EQ(names, std::vector<std::string>{""});
  EXPECT_EQ(data, std::vector<std::string>{""});
}

INSTANTIATE_TEST_SUITE_P(Families, RegistryHelperTest, ::testing::Values(OsKind::WinXP, OsKind::Win98),
                         [](const auto& info) { return info.param == OsKind::WinXP ? "NT" : "Win9x"; });

}  // namespace
