#include "support/COpSysInfo.h"

#include <gtest/gtest.h>

#include "support/temp_machine.h"

using platform::OsKind;
using tessaly::testing::TempMachine;
using tessaly::testing::TestMachine;

namespace {

struct OsCase {
  OsKind os;
  bool win95, win98, me, nt, win2k, xp;
  const char* platform;
  const char* version;
};

TEST(COpSysInfo, FamilyFlagsAndTextsForEveryRelease) {
  const OsCase cases[] = {
      {OsKind::Win95, true, false, false, false, false, false, "Windows 95", "Windows 95 v4.0, Build 950"},
      {OsKind::Win98, true, true, false, false, false, false, "Windows 98", "Windows 98 v4.10, Build 1998"},
      {OsKind::Win98SE, true, true, false, false, false, false, "Windows 98", "Windows 98 v4.10, Build 2222"},
      {OsKind::WinMe, true, true, true, false, false, false, "Windows Me", "Windows Me v4.90, Build 3000"},
      {OsKind::NT4, false, false, false, true, false, false, "Windows NT", "Windows NT v4.0, Build 1381"},
      {OsKind::Win2000, false, false, false, true, true, false, "Windows 2000", "Windows 2000 v5.0, Build 2195"},
      {OsKind::WinXP, false, false, false, true, true, true, "Windows XP", "Windows XP v5.1, Build 2600"},
  };
  for (const auto& c : cases) {
    TempMachine m(c.os);
    COpSysInfo info;
    SCOPED_TRACE(c.platform);
    EXPECT_EQ(info.IsWin95(), c.win95);
    EXPECT_EQ(info.IsWin98(), c.win98);
    EXPECT_EQ(info.IsWinME(), c.me);
    EXPECT_EQ(info.IsWin9x(), c.win95 || c.win98 || c.me);
    EXPECT_EQ(info.IsWinNT(), c.nt);
    EXPECT_EQ(info.IsWin2K(), c.win2k);
    EXPECT_EQ(info.IsWinXP(), c.xp);
    EXPECT_EQ(info.Platform(), c.platform);
    EXPECT_EQ(info.Version(), c.version);
  }
}

TEST(COpSysInfo, ExtendedFieldsOfXpAndTheirAbsenceOn9x) {
  {
    TempMachine m(OsKind::WinXP);
    COpSysInfo info;
    EXPECT_EQ(info.ServicePackMajor(), 2);
    EXPECT_EQ(info.SuiteMask(), 0x0100);
    EXPECT_EQ(info.ProductTypeName(), "NT Workstation");
    EXPECT_EQ(info.CSDVersion(), "Service Pack 2");
  }
  {
    TempMachine m(OsKind::Win98);
    COpSysInfo info;
    EXPECT_EQ(info.ServicePackMajor(), 0);
    EXPECT_EQ(info.ProductType(), 0);
    EXPECT_EQ(info.ProductTypeName(), "Unknown");
    EXPECT_EQ(info.CSDVersion(), "");  // " " trims to nothing
  }
}

TEST(COpSysInfo, EdgeVersionRecords) {
  struct Edge {
    OsKind os;
    std::vector<std::pair<std::string, std::string>> overrides;
    std::function<void(const COpSysInfo&)> check;
  };
  const Edge edges[] = {
      // NT 4.0 before SP6 rejects the extended record: the extended fields stay 0.
      {OsKind::NT4, {{"AcceptsExtended", "0"}, {"CSDVersion", "Service Pack 5"}},
       [](const COpSysInfo& i) {
         EXPECT_TRUE(i.IsWinNT());
         EXPECT_EQ(i.ServicePackMajor(), 0);
         EXPECT_EQ(i.SuiteMask(), 0);
         EXPECT_EQ(i.ProductTypeName(), "Unknown");
         EXPECT_EQ(i.CSDVersion(), "Service Pack 5");
       }},
      {OsKind::Win98SE, {}, [](const COpSysInfo& i) { EXPECT_EQ(i.CSDVersion(), "A"); }},
      {OsKind::Win98, {{"Build", "0x040A8001"}}, [](const COpSysInfo& i) {
         EXPECT_EQ(i.BuildNumber(), -32767);
         EXPECT_FALSE(i.IsWinME()) << "a negative low word is below 3000";
       }},
      // 6.0 passes the 2000 test but not the XP one.
      {OsKind::WinXP, {{"Major", "6"}, {"Minor", "0"}}, [](const COpSysInfo& i) {
         EXPECT_TRUE(i.IsWin2K());
         EXPECT_FALSE(i.IsWinXP());
         EXPECT_EQ(i.Platform(), "Windows 2000");
       }},
      // An unknown platform id: no flags, no platform text.
      {OsKind::WinXP, {{"PlatformId", "0"}}, [](const COpSysInfo& i) {
         EXPECT_FALSE(i.IsWinNT());
         EXPECT_FALSE(i.IsWin9x());
         EXPECT_EQ(i.Platform(), "");
         EXPECT_EQ(i.Version(), " v5.1, Build 2600");
       }},
  };
  for (const auto& edge : edges) {
    auto builder = TestMachine(edge.os);
    builder.description().versionOverrides = edge.overrides;
    TempMachine m(builder);
    edge.check(COpSysInfo());
  }
}

}  // namespace
