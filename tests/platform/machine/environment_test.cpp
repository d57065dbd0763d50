#include "platform/machine/environment.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/last_error.h"
#include "support/temp_machine.h"

using platform::EnvironmentValue;
using platform::OsKind;
using tessaly::testing::TempMachine;
using tessaly::testing::TestMachine;

TEST(Environment, DefaultsOfEachFamily) {
  struct Case {
    OsKind os;
    const char* name;
    const char* value;  // nullptr: not set
  } cases[] = {
      {OsKind::WinXP, "temp", "C:\\Documents and Settings\\User\\Local Settings\\Temp"},
      {OsKind::WinXP, "SystemRoot", "C:\\WINDOWS"},
      {OsKind::WinXP, "HOMEPATH", "\\Documents and Settings\\User"},
      {OsKind::WinXP, "ComSpec", "C:\\WINDOWS\\system32\\cmd.exe"},
      {OsKind::NT4, "TEMP", "C:\\TEMP"},
      {OsKind::NT4, "ALLUSERSPROFILE", nullptr},
      {OsKind::Win2000, "APPDATA", "C:\\Documents and Settings\\User\\Application Data"},
      {OsKind::Win98, "windir", "C:\\WINDOWS"},
      {OsKind::Win98, "TMP", "C:\\WINDOWS\\TEMP"},
      {OsKind::Win98, "USERPROFILE", nullptr},
  };
  for (const auto& c : cases) {
    TempMachine m(c.os);
    auto value = EnvironmentValue(c.name);
    if (c.value) EXPECT_EQ(value, c.value) << c.name;
    else EXPECT_FALSE(value) << c.name;
  }
}

TEST(Environment, MachineDescriptionAddsChangesAndRemoves) {
  auto builder = TestMachine(OsKind::WinXP);
  builder.description().environment = {{"TMP", ""}, {"temp", "D:\\T"}, {"Extra", "1"}};
  TempMachine m(builder);
  EXPECT_FALSE(EnvironmentValue("TMP"));
  EXPECT_EQ(EnvironmentValue("TEMP"), "D:\\T");
  EXPECT_EQ(EnvironmentValue("EXTRA"), "1");
}

TEST(Environment, ProcessChangesLastUntilRestart) {
  TempMachine m(OsKind::WinXP);
  ASSERT_TRUE(SetEnvironmentVariableA("Mine", "x"));
  ASSERT_TRUE(SetEnvironmentVariableA("TEMP", nullptr));
  EXPECT_EQ(EnvironmentValue("MINE"), "x");
  EXPECT_FALSE(EnvironmentValue("TEMP"));
  EXPECT_FALSE(SetEnvironmentVariableA("TEMP", nullptr)) << "removing an unset variable";
  m.machine().Restart();
  EXPECT_FALSE(EnvironmentValue("MINE"));
  EXPECT_TRUE(EnvironmentValue("TEMP"));
}

TEST(GetEnvironmentVariableA, BufferRules) {
  TempMachine m(OsKind::Win98);
  char buffer[32];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(GetEnvironmentVariableA("windir", buffer, 5), 11u) << "needed size with the NUL";
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_EQ(GetEnvironmentVariableA("WINDIR", buffer, sizeof buffer), 10u);
  EXPECT_STREQ(buffer, "C:\\WINDOWS");
  EXPECT_EQ(GetEnvironmentVariableA("nope", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);
  EXPECT_EQ(GetEnvironmentVariableA(nullptr, buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(ExpandEnvironmentStringsA, ExpansionAndExactSize) {
  TempMachine m(OsKind::Win98);
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"%windir%\\x", "C:\\WINDOWS\\x"},
      {"%WINDIR%%TEMP%", "C:\\WINDOWSC:\\WINDOWS\\TEMP"},
      {"%unknown%\\a", "%unknown%\\a"},
      {"100%", "100%"},
      {"a%%b", "a%%b"},
      {"%nope%windir%", "%nopeC:\\WINDOWS"},  // the closing % of an unknown name opens the next
  };
  for (const auto& c : cases) {
    char buffer[64];
    DWORD needed = static_cast<DWORD>(std::strlen(c.out) + 1);
    EXPECT_EQ(ExpandEnvironmentStringsA(c.in, buffer, sizeof buffer), needed) << c.in;
    EXPECT_STREQ(buffer, c.out);
  }
  char small[4] = "abc";
  EXPECT_EQ(ExpandEnvironmentStringsA("%windir%", small, sizeof small), 11u);
  EXPECT_STREQ(small, "abc") << "nothing written when the buffer is too small";
}
