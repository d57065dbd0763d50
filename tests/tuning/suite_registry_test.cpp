// The suite's registry helpers and the system detection they stand on.
#include <gtest/gtest.h>

#include "suite_fixture.h"
#include "tuning/control_panel.h"
#include "tuning/suite_registry.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;
using namespace tuning;

const char* kKey = "SOFTWARE\\DMW\\Velotune\\Settings\\Test";

class SuiteRegistryTest : public SuiteTest {
 protected:
  SuiteRegistryTest() { UseMachine(OsKind::WinXP); }
};

TEST_F(SuiteRegistryTest, StringsReadBackAsWrittenElseTheDefault) {
  SaveSettingHKLM(kKey, "text", "Velotune 1");
  EXPECT_EQ(GetSettingHKLM(kKey, "text", "0"), "Velotune 1");
  EXPECT_EQ(GetSettingHKLM(kKey, "absent", "0"), "0");
  EXPECT_EQ(GetSettingHKLM("SOFTWARE\\DMW\\Missing", "text", "0"), "0");
  SaveSettingHKLM(kKey, "long", std::string(254, 'x'));
  EXPECT_EQ(GetSettingHKLM(kKey, "long", "0"), std::string(254, 'x'));
  SaveSettingHKLM(kKey, "too long", std::string(255, 'x'));
  EXPECT_EQ(GetSettingHKLM(kKey, "too long", "0"), "0");
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, kKey);
  SetValue(key, "empty", REG_SZ, "");
  SetValue(key, "no nul", REG_SZ, "abc");
  SetValue(key, "number", REG_DWORD, Bytes("\x01\x00\x00\x00"));
  RegCloseKey(key);
  EXPECT_EQ(GetSettingHKLM(kKey, "empty", "0"), "");
  EXPECT_EQ(GetSettingHKLM(kKey, "no nul", "0"), "abc");
  EXPECT_EQ(GetSettingHKLM(kKey, "number", "0"), "0");
}

TEST_F(SuiteRegistryTest, SetKeyValueWritesDeletesOrIgnores) {
  EXPECT_EQ(SetKeyValue(HKEY_LOCAL_MACHINE, kKey, "d", REG_DWORD, -1.0, false), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kKey, "d"), Dword(0xFFFFFFFF));
  EXPECT_EQ(SetKeyValue(HKEY_LOCAL_MACHINE, kKey, "s", REG_SZ, 1460.0, false), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kKey, "s"), Sz("1460"));
  EXPECT_EQ(SetKeyValue(HKEY_LOCAL_MACHINE, kKey, "s", REG_SZ, 0.0, true), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kKey, "s"), std::nullopt);
  EXPECT_EQ(SetKeyValue(HKEY_LOCAL_MACHINE, kKey, "x", REG_EXPAND_SZ, 5.0, false), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kKey, "x"), std::nullopt);
  // Deleting under a missing key leaves the key behind, empty.
  const char* fresh = "SOFTWARE\\DMW\\Velotune\\Fresh";
  EXPECT_NE(SetKeyValue(HKEY_LOCAL_MACHINE, fresh, "v", REG_SZ, 1.0, true), ERROR_SUCCESS);
  HKEY key = 0;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, fresh, 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  // A number that is none changes nothing.
  EXPECT_THROW(SetKeyValue(HKEY_LOCAL_MACHINE, kKey, "bad", REG_DWORD, std::string("abc"), false),
               platform::RuntimeError);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kKey, "bad"), std::nullopt);
}

TEST(SuiteOsVersion, TheFamilyFollowsThePlatformId) {
  struct Case {
    OsKind os;
    std::vector<std::pair<std::string, std::string>> overrides;
    int code;
    const char* name;
    bool nt;
  };
  const Case cases[] = {
      {OsKind::Win95, {}, 2, "Windows 95", false},
      {OsKind::Win98, {}, 3, "Windows 98", false},
      {OsKind::WinMe, {}, 4, "Windows ME", false},
      {OsKind::Win98, {{"Minor", "5"}}, 1, "Windows 32", false},
      {OsKind::WinXP, {{"PlatformId", "0"}}, 1, "Windows 32", false},
      {OsKind::WinXP, {{"PlatformId", "3"}}, 1, "Windows 32", false},
      {OsKind::NT4, {}, 5, "Windows NT", true},
      {OsKind::Win2000, {}, 6, "Windows 2000", true},
      {OsKind::WinXP, {}, 7, "Windows XP", true},
      {OsKind::WinXP, {{"Minor", "2"}}, 7, "Windows XP", true},
      {OsKind::WinXP, {{"Major", "6"}, {"Minor", "1"}}, 7, "Windows XP", true},
      {OsKind::WinXP, {{"Major", "10"}, {"Minor", "0"}}, 7, "Windows XP", true},
  };
  for (const Case& c : cases) {
    auto builder = TestMachine(c.os);
    builder.description().versionOverrides = c.overrides;
    TempMachine machine(builder);
    DetectOSVersion();
    EXPECT_EQ(OSCode, c.code) << c.name;
    EXPECT_EQ(OSName, c.name);
    EXPECT_EQ(IsNTPlatform(), c.nt) << c.name;
  }
}

TEST_F(SuiteRegistryTest, NetworkAppletByFamily) {
  const std::pair<int, const char*> cases[] = {
      {0, nullptr},
      {3, "rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl"},
      {6, "rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl"},
  };
  for (const auto& [code, line] : cases) {
    OSCode = code;
    platform::TheJournal().Clear();
    double task = OpenNetworkSettings();
    auto starts = platform::TheJournal().Of("Shell");
    if (!line) {
      EXPECT_EQ(task, 0);
      EXPECT_TRUE(starts.empty());
    } else {
      EXPECT_NE(task, 0);
      ASSERT_EQ(starts.size(), 1u);
      EXPECT_EQ(starts[0].args.at(0), line);
      EXPECT_EQ(starts[0].args.at(1), "5");
    }
  }
}

}  // namespace
}  // namespace tessaly::testing
