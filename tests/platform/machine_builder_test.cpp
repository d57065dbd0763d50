#include "platform/machine_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/files/kernel32_files.h"
#include "platform/machine/machine.h"
#include "platform/open_machine.h"
#include "support/registry_calls.h"
#include "support/temp_folder.h"
#include "support/temp_machine.h"

using platform::MachineBuilder;
using platform::OsKind;
using tessaly::testing::TempFolder;
using tessaly::testing::TempMachine;

TEST(MachineBuilder, LaysOutTheStandardFoldersOfEachFamily) {
  struct Case {
    OsKind os;
    std::vector<const char*> folders;
  } cases[] = {
      {OsKind::WinXP,
       {"C:\\WINDOWS\\Temp", "C:\\WINDOWS\\inf", "C:\\WINDOWS\\Tasks", "C:\\WINDOWS\\system32",
        "C:\\Documents and Settings\\User\\Cookies", "C:\\Documents and Settings\\User\\Local Settings\\Temp",
        "C:\\Documents and Settings\\User\\Local Settings\\Application Data\\Microsoft\\CD Burning",
        "C:\\Documents and Settings\\All Users\\Desktop", "C:\\Program Files\\Tessaly"}},
      {OsKind::NT4, {"C:\\WINNT\\system32", "C:\\TEMP", "C:\\WINNT\\Profiles\\User\\Personal"}},
      {OsKind::Win98,
       {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\TEMP", "C:\\WINDOWS\\Cookies", "C:\\WINDOWS\\ShellNew",
        "C:\\My Documents"}},
  };
  for (const auto& c : cases) {
    TempMachine m(c.os);
    for (const char* folder : c.folders) EXPECT_TRUE(std::filesystem::is_directory(m.hostPath(folder))) << folder;
    EXPECT_TRUE(std::filesystem::is_regular_file(m.hostPath("C:\\Program Files\\Tessaly\\tsy.exe")));
  }
}

TEST(MachineBuilder, ProgramFilesAreStandInsNotCode) {
  TempMachine m(OsKind::WinXP);
  std::ifstream in(m.hostPath("C:\\Program Files\\Tessaly\\tsy.exe"), std::ios::binary);
  std::string firstLine;
  std::getline(in, firstLine);
  EXPECT_EQ(firstLine.rfind("MZ-STANDIN ", 0), 0u);
}

TEST(MachineBuilder, RefusesAFolderThatHoldsAnything) {
  TempFolder folder;
  std::ofstream(folder.path() / "keep.txt") << "user data";
  EXPECT_THROW(MachineBuilder().Build(folder.path()), platform::MachineError);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "keep.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "machine.ini"));
}

TEST(MachineBuilder, ExtraFilesAndTheDescriptionReachTheMachine) {
  auto builder = tessaly::testing::TestMachine(OsKind::Win2000);
  builder.file("C:\\Data\\notes.txt", "hello").userKind(platform::UserKind::Limited);
  TempMachine m(builder);
  EXPECT_TRUE(m.machine().isLimitedUser());
  EXPECT_EQ(m.machine().description().drive('C')->capacity, tessaly::testing::kTestDriveBytes);
  std::ifstream in(m.hostPath("C:\\Data\\notes.txt"));
  std::string text;
  in >> text;
  EXPECT_EQ(text, "hello");
}

// The image is Windows alone; software comes only through install steps,
// which run on the finished image with the machine bound, as its installer.
TEST(MachineBuilder, InstallStepsRunOnTheBoundImageAfterItsContent) {
  TempFolder folder;
  std::vector<std::string> seen;
  MachineBuilder builder(OsKind::Win2000);
  builder.file("C:\\Data\\notes.txt", "hello").userKind(platform::UserKind::Limited);
  builder.install([&](platform::Machine& machine) {
    seen.push_back(platform::CurrentMachine() == &machine ? "bound" : "not bound");
    seen.push_back(machine.isLimitedUser() ? "limited" : "admin");
    seen.push_back(GetFileAttributesA("C:\\Data\\notes.txt") != INVALID_FILE_ATTRIBUTES ? "content" : "no content");
    HKEY key = tessaly::testing::CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Maker\\Tool");
    tessaly::testing::SetString(key, "Step", "first");
    RegCloseKey(key);
  });
  builder.install([&](platform::Machine&) {
    seen.push_back(tessaly::testing::QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Maker\\Tool", "Step") ? "after first"
                                                                                                       : "before first");
  });
  builder.Build(folder.path() / "machine");
  EXPECT_EQ(seen, (std::vector<std::string>{"bound", "admin", "content", "after first"}));

  auto machine = platform::OpenMachine(folder.path() / "machine");
  platform::MachineBinding binding(*machine);
  EXPECT_TRUE(machine->isLimitedUser());
  EXPECT_EQ(tessaly::testing::QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Maker\\Tool", "Step"),
            (tessaly::testing::TypedData{REG_SZ, tessaly::testing::Bytes("first\0")}));
  // Nothing of any program is on a bare image.
  EXPECT_FALSE(std::filesystem::exists(platform::HostPathForBuilder(machine->folder(), "C:\\Program Files\\Tessaly")));
  EXPECT_FALSE(tessaly::testing::KeyExists(HKEY_LOCAL_MACHINE,
                                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tsy.exe"));
}

TEST(MachineBuilder, AFailingInstallStepLeavesNoMachine) {
  TempFolder folder;
  MachineBuilder builder;
  builder.install([](platform::Machine&) { throw platform::MachineError("setup.exe: disk full"); });
  EXPECT_THROW(builder.Build(folder.path() / "machine"), platform::MachineError);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "machine" / "machine.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "machine.partial"));
}
