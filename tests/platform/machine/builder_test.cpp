#include "platform/machine/builder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/machine/machine.h"
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
