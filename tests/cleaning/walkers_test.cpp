#include <gtest/gtest.h>

#include <algorithm>

#include "engine_fixture.h"
#include "shell_link_bytes.h"

namespace tessaly::testing {
namespace {

using platform::forms::AtYield;

TEST_F(EngineTest, DeleteWalkerSizeBoundsAndLogLines) {
  struct File {
    const char* name;
    std::size_t size;
  } files[] = {{"a.dmp", 1023}, {"b.dmp", 1024}, {"c.dmp", 2048}, {"d.dmp", 2049}, {"e.dmp", 100000}};
  for (const auto& f : files) Put(std::string("C:\\D\\Sub\\") + f.name, std::string(f.size, 'x'));
  EXPECT_EQ(frmClean().FindFilesAPI_Del("C:\\D", "*.dmp", "1", "2"), 1024 + 2048);
  EXPECT_EQ(Log(), "C:\\D\\Sub\\b.dmp\r\nC:\\D\\Sub\\c.dmp\r\n");
  // One -1 disables only its own bound.
  EXPECT_EQ(frmClean().FindFilesAPI_Del("C:\\D\\", "*.dmp", "-1", "1"), 1023);
  EXPECT_EQ(frmClean().FindFilesAPI_Del("C:\\D\\", "*.dmp", "2", "-1"), 2049 + 100000);
  EXPECT_EQ(frmClean().CleanCustomFile("C:\\D", "*.dmp", -1, -1), 0);
  // Not a number, or a blank folder: refused.
  Put("C:\\D\\f.dmp", "1");
  EXPECT_EQ(frmClean().FindFilesAPI_Del("C:\\D", "*.dmp", "abc", "-1"), 0);
  EXPECT_EQ(frmClean().FindFilesAPI_Del("  ", "*.dmp", "-1", "-1"), 0);
  EXPECT_TRUE(Exists("C:\\D\\f.dmp"));
}

TEST_F(EngineTest, DeleteWalkerCountsOnlyFilesReallyGone) {
  Put("C:\\D\\ro.dmp", "12");
  SetFileAttributesA("C:\\D\\ro.dmp", FILE_ATTRIBUTE_READONLY);
  Put("C:\\D\\folder.dmp\\inner.dmp", "123");
  Put("C:\\D\\ok.dmp", "1234");
  EXPECT_EQ(frmClean().FindFilesAPI_Del("C:\\D", "*.dmp", "-1", "-1"), 7);
  EXPECT_EQ(Log(), "C:\\D\\ok.dmp\r\nC:\\D\\folder.dmp\\inner.dmp\r\n");
  EXPECT_TRUE(Exists("C:\\D\\ro.dmp"));
  EXPECT_TRUE(Exists("C:\\D\\folder.dmp"));
}

TEST_F(EngineTest, ShredWalkerRemovesSubfoldersAndAdvancesProgress) {
  Put("C:\\S\\one.bin", std::string(100, 'a'));
  Put("C:\\S\\Sub\\two.bin", std::string(300, 'b'));
  Put("C:\\S\\Sub\\Deeper\\three.bin", std::string(600, 'c'));
  Form1().ShredBytesDone = 0;
  Form1().ShredBytesTotal = 2000;
  EXPECT_EQ(frmClean().FindFilesAPI_Shred("C:\\S", "*.*", "-1", "-1"), 1000);
  EXPECT_EQ(Form1().ShredBytesDone, 1000);
  EXPECT_EQ(Form1().ShredProg.history(), (std::vector<float>{5, 20, 50}));
  EXPECT_FALSE(Exists("C:\\S\\Sub"));
  EXPECT_TRUE(Exists("C:\\S"));
  // xShredFolder removes the top folder too.
  Put("C:\\S\\again.bin", "zz");
  EXPECT_EQ(Delete().xShredFolder("C:\\S\\"), 2);
  EXPECT_FALSE(Exists("C:\\S"));
}

TEST_F(EngineTest, ShredWalkerSkipsFailuresWithoutCounting) {
  Put("C:\\S\\ro.bin", "abc");
  SetFileAttributesA("C:\\S\\ro.bin", FILE_ATTRIBUTE_READONLY);
  Form1().ShredBytesDone = 0;
  Form1().ShredBytesTotal = 0;
  EXPECT_EQ(frmClean().FindFilesAPI_Shred("C:\\S", "*.*", "-1", "-1"), 0);
  EXPECT_EQ(Form1().ShredBytesDone, 0);
  EXPECT_TRUE(Form1().ShredProg.history().empty());
  EXPECT_EQ(Content("C:\\S\\ro.bin"), "abc");
}

TEST_F(EngineTest, DllWalkerSkipsTheSystemFolderAndExcludedFolders) {
  InitSystemFolders();
  Put("C:\\WINDOWS\\top.dll");
  Put(g_SystemDir + "\\sys.dll");
  Put("C:\\WINDOWS\\System32Extra\\near.dll");  // not the system folder
  Put("C:\\WINDOWS\\Skip\\skipped.dll");
  Put("C:\\WINDOWS\\Skip\\Below\\below.dll");
  Form1().lstDllFolders.AddItem("C:\\WINDOWS\\Skip");
  Form1().StopDllNow = false;
  EXPECT_EQ(frmClean().FindFilesAPI_DLL("C:\\WINDOWS", "*.dll", false), 0);
  std::vector<std::string> found;
  for (const auto& record : Form1().otherDlls) found.push_back(record.path);
  EXPECT_EQ(found, (std::vector<std::string>{"C:\\WINDOWS\\top.dll", "C:\\WINDOWS\\System32Extra\\near.dll"}));
  // The system folder's own walk hands over its files, flagged (the image
  // has its own libraries there too).
  frmClean().FindFilesAPI_DLL(g_SystemDir, "*.dll", true);
  std::vector<std::string> system;
  for (const auto& record : Form1().systemDlls) system.push_back(record.path);
  EXPECT_NE(std::find(system.begin(), system.end(), g_SystemDir + "\\sys.dll"), system.end());
  for (const auto& path : system) EXPECT_EQ(path.rfind(g_SystemDir + "\\", 0), 0u) << path;
}

TEST_F(EngineTest, DllWalkerStopsAtEveryLevelWhenCancelled) {
  InitSystemFolders();
  Put("C:\\Apps\\a.dll");
  Put("C:\\Apps\\Deep\\b.dll");
  Put("C:\\Apps\\Deep\\c.dll");
  Put("C:\\Apps\\Later\\d.dll");
  Form1().StopDllNow = false;
  // The user presses Stop during the yield before b.dll is handed over.
  AtYield(platform::forms::YieldCount() + 2, [] { Form1().StopDllNow = true; });
  frmClean().FindFilesAPI_DLL("C:\\Apps", "*.dll", false);
  ASSERT_EQ(Form1().otherDlls.size(), 2u);
  EXPECT_EQ(Form1().otherDlls[1].path, "C:\\Apps\\Deep\\b.dll");
}

TEST_F(EngineTest, ShortcutWalkerDeletesOnlyProvablyDeadShortcuts) {
  Put("C:\\Target\\file.exe");
  MakeFolders("C:\\Target\\Folder");
  struct Case {
    const char* name;
    std::string bytes;
    bool dead;
  } cases[] = {
      {"C:\\Desk\\file.lnk", ShellLink("C:\\Target\\file.exe"), false},
      {"C:\\Desk\\folder.lnk", ShellLink("C:\\Target\\Folder"), false},
      {"C:\\Desk\\gone.lnk", ShellLink("C:\\Target\\gone.exe"), true},
      {"C:\\Desk\\nopath.lnk", ShellLink(""), false},
      {"C:\\Desk\\corrupt.lnk", "not a link", false},
      {"C:\\Desk\\cut.lnk", ShellLink("C:\\Target\\gone.exe").substr(0, 0x50), false},
      {"C:\\Desk\\Sub\\zgone.lnk", ShellLink("D:\\gone.exe"), true},
  };
  std::int32_t expected = 0;
  for (const auto& c : cases) {
    Put(c.name, c.bytes);
    if (c.dead) expected += static_cast<std::int32_t>(c.bytes.size());
  }
  EXPECT_EQ(frmClean().FindFilesAP2_Shortcuts("C:\\Desk", "*.lnk"), expected);
  for (const auto& c : cases) EXPECT_EQ(Exists(c.name), !c.dead) << c.name;
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace tessaly::testing
