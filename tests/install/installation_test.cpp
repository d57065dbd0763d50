// The program's installation on a machine being built, on either family.
#include "install/installation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "install/program_folder.h"
#include "platform/files/stand_in.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

constexpr const char* kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tsy.exe";
constexpr const char* kScheduleClass = "CLSID\\{A3B16D2A-FBCC-481F-8D1A-10799D9D1129}";

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

std::string ModuleOf(const std::string& windowsPath) {
  std::optional<platform::files::StandInHeader> header;
  if (platform::files::ReadStandInHeader(windowsPath, header) != ERROR_SUCCESS || !header) return "<no stand-in>";
  return header->module();
}

TEST(Installation, PutsTheProgramItsEntryAndItsLibraryOnEachFamily) {
  for (auto os : {platform::OsKind::WinXP, platform::OsKind::Win98, platform::OsKind::NT4}) {
    SCOPED_TRACE(platform::OsKindName(os));
    TempMachine m(TestMachine(os));
    EXPECT_EQ(ModuleOf("C:\\Program Files\\Tessaly\\tsy.exe"), "tsyT");
    EXPECT_EQ(ModuleOf("C:\\Program Files\\Tessaly\\Schedule.dll"), "Schedule");
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kAppPaths, nullptr),
              (TypedData{REG_SZ, Sz("C:\\Program Files\\Tessaly\\tsy.exe")}));
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kAppPaths, "Path"), (TypedData{REG_SZ, Sz("C:\\Program Files\\Tessaly")}));
    EXPECT_EQ(install::ProgramImage(), "C:\\Program Files\\Tessaly\\tsy.exe");
    EXPECT_EQ(m.machine().programFolder(), install::kProgramFolder);
  }
}

TEST(Installation, RegistersScheduleUnlessAskedNotTo) {
  struct Case {
    bool registerSchedule;
    bool registered;
  };
  for (const Case c : {Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(c.registerSchedule);
    TempMachine m(TestMachine(platform::OsKind::WinXP, {.registerSchedule = c.registerSchedule}));
    EXPECT_EQ(ModuleOf("C:\\Program Files\\Tessaly\\Schedule.dll"), "Schedule");
    EXPECT_EQ(KeyExists(HKEY_CLASSES_ROOT, kScheduleClass), c.registered);
  }
}

}  // namespace
}  // namespace tessaly::testing
