#include "platform/machine/description.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(MachineDescription, FormatThenParseKeepsEveryField) {
  MachineDescription d;
  d.os = OsKind::NT4;
  d.computerName = "BOX";
  d.userName = "Ann Lee";
  d.userKind = UserKind::Limited;
  d.timeZoneBias = -60;
  d.shortNames = false;
  d.taskScheduler = TaskSchedulerState::Absent;
  d.versionOverrides = {{"CSDVersion", " A "}, {"AcceptsExtended", "0"}};
  d.drives.push_back({'C', DriveType::Fixed, "NTFS", "SYSTEM", 64ull << 20, 4096, true, false, 0x1234, ""});
  d.drives.push_back({'N', DriveType::Remote, "NTFS", "", 1 << 20, 512, true, true, 0, "\\\\srv\\share"});
  d.environment = {{"FOO", "bar"}, {"TEMP", ""}};
  d.accessRules = {{"HKLM\\SOFTWARE\\Locked", Grant::None}, {"C:\\Secret", Grant::Read}};
  d.screenWidth = 800;

  MachineDescription back = ParseMachineDescription(FormatMachineDescription(d), "machine.ini");
  EXPECT_EQ(back.os, OsKind::NT4);
  EXPECT_EQ(back.userName, "Ann Lee");
  EXPECT_EQ(back.userKind, UserKind::Limited);
  EXPECT_EQ(back.timeZoneBias, -60);
  EXPECT_FALSE(back.shortNames);
  EXPECT_EQ(back.taskScheduler, TaskSchedulerState::Absent);
  EXPECT_EQ(back.version().csdVersion, " A ");
  EXPECT_FALSE(back.version().acceptsExtended);
  ASSERT_EQ(back.drives.size(), 2u);
  EXPECT_EQ(back.drives[0].capacity, 64ull << 20);
  EXPECT_EQ(back.drives[0].serial, 0x1234u);
  EXPECT_EQ(back.drives[1].share, "\\\\srv\\share");
  EXPECT_TRUE(back.drives[1].readOnly);
  EXPECT_EQ(back.environment, d.environment);
  ASSERT_EQ(back.accessRules.size(), 2u);
  EXPECT_EQ(back.accessRules[0].grant, Grant::None);
  EXPECT_EQ(back.screenWidth, 800);
}

TEST(MachineDescription, ErrorsNameFileAndLine) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"[Machine]\nOS=3.11\n", "m.ini line 2"},
      {"[Machine]\nOS=XP\n[Drives]\nC=floppy,FAT,,1,512,1,0\n", "m.ini line 4"},
      {"[Machine]\nOS=XP\n[Drives]\nC=fixed,FAT\n", "m.ini line 4"},
      {"[Machine]\nOS=XP\nnonsense\n", "m.ini line 3"},
      {"[Machine]\nComputerName=X\n", "no OS"},
      {"[Machine]\nOS=XP\n[Drives]\n\n[Machine]\nOS=98\n", "m.ini line 5: [Machine] given twice"},
      {"[Machine]\nOS=XP\n; a note\n[ machine ]\n", "m.ini line 4: [Machine] given twice"},
      {"[Machine]\nOS=XP\nUserName=A\nOS=98\n", "m.ini line 4: OS given twice in [Machine]"},
      {"[Machine]\nOS=XP\nshortnames=0\nShortNames = 1\n", "m.ini line 4: ShortNames given twice in [Machine]"},
  };
  for (const auto& c : cases) {
    try {
      ParseMachineDescription(c.text, "m.ini");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const MachineError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
  }
}

TEST(MachineDescription, NineXUserIsAlwaysAdmin) {
  auto d = ParseMachineDescription("[Machine]\nOS=98\nUserKind=limited\n", "m.ini");
  EXPECT_EQ(d.userKind, UserKind::Admin);
  EXPECT_EQ(d.family(), OsFamily::Win9x);
}

}  // namespace
}  // namespace platform
