#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/machine/environment.h"

namespace tessaly::testing {
namespace {

// A, B, A\A1, A\A2, A\A1\x, B\B1, each with one file, and two files at the top.
void MakeTree() {
  for (const char* file : {"C:\\T\\top.tmp", "C:\\T\\Top Long Name.txt", "C:\\T\\A\\a.tmp", "C:\\T\\B\\b.txt",
                           "C:\\T\\A\\A1\\a1.tmp", "C:\\T\\A\\A2\\a2.txt", "C:\\T\\A\\A1\\x\\deep.tmp",
                           "C:\\T\\B\\B1\\b1.tmp"})
    EngineTest::Put(file, "12345");
}

TEST_F(EngineTest, DeleteFolderAllFilesLogsFilesThenFoldersDeepestLast) {
  MakeTree();
  std::string path = "C:\\T";
  EXPECT_EQ(Delete().DeleteFolder(path, "*.*"), 40);
  EXPECT_EQ(path, "C:\\T");
  EXPECT_EQ(Log(),
            "\tDeleting file TOPLON~1.TXT\r\n"
            "\tDeleting file top.tmp\r\n"
            "\tDeleting file a.tmp\r\n"
            "\tDeleting file a1.tmp\r\n"
            "\tDeleting file deep.tmp\r\n"
            "\tDeleting file a2.txt\r\n"
            "\tDeleting file b.txt\r\n"
            "\tDeleting file b1.tmp\r\n"
            "\tDeleting Folder B1\r\n"
            "\tDeleting Folder x\r\n"
            "\tDeleting Folder A2\r\n"
            "\tDeleting Folder A1\r\n"
            "\tDeleting Folder B\r\n"
            "\tDeleting Folder A\r\n");
  EXPECT_TRUE(Exists("C:\\T"));
  EXPECT_FALSE(Exists("C:\\T\\A"));
  EXPECT_FALSE(Exists("C:\\T\\B"));
}

TEST_F(EngineTest, DeleteFolderWithAPatternKeepsFoldersAndOtherFiles) {
  MakeTree();
  std::string path = "C:\\T";
  EXPECT_EQ(Delete().DeleteFolder(path, "*.tmp"), 25);
  EXPECT_EQ(Log().find("Deleting Folder"), std::string::npos);
  EXPECT_TRUE(Exists("C:\\T\\A\\A1\\x"));
  EXPECT_TRUE(Exists("C:\\T\\A\\A2\\a2.txt"));
  EXPECT_FALSE(Exists("C:\\T\\A\\A1\\x\\deep.tmp"));
}

TEST_F(EngineTest, DeleteFolderRewritesThePathToItsShortForm) {
  Put("C:\\Long Folder Name\\f.txt");
  std::string path = "C:\\Long Folder Name";
  Delete().DeleteFolder(path, "*.txt");
  EXPECT_EQ(path, "C:\\LONGFO~1");
  std::string missing = "C:\\Nowhere";
  EXPECT_EQ(Delete().DeleteFolder(missing, "*.*"), 0);
  EXPECT_EQ(Log(), "\tDeleting file f.txt\r\n");
}

TEST_F(EngineTest, DeleteFilesInFolderIsOneLevel) {
  MakeTree();
  EXPECT_EQ(Delete().DeleteFilesInFolder("C:\\T", "*.tmp;*.txt"), 10);
  EXPECT_TRUE(Exists("C:\\T\\A\\a.tmp"));
  EXPECT_EQ(Delete().DeleteFilesInFolder("C:\\Nowhere", "*.*"), 0);
  EXPECT_EQ(Delete().DeleteFilesInFolder("C:\\T\\A\\a.tmp", "*.*"), 0);
  EXPECT_EQ(Log(),
            "\tDeleting file TOPLON~1.TXT\r\n\tDeleting file top.tmp\r\nPath not found\r\nPath not found\r\n");
}

// A sentinel in every protected place; the guard cases must leave them all.
class FolderGuardTest : public EngineTest {
 protected:
  FolderGuardTest() {
    InitSystemFolders();
    for (const std::string& file : {g_WindowsDir + "\\sentinel.txt", g_SystemDir + "\\sentinel.txt",
                                    g_UserProfileDir + "\\sentinel.txt", std::string("C:\\sentinel.txt"),
                                    platform::forms::App.Path() + "\\sentinel.txt"})
      Put(file, "keep");
  }
  void ExpectNothingDeleted() {
    for (const std::string& file : {g_WindowsDir + "\\sentinel.txt", g_SystemDir + "\\sentinel.txt",
                                    g_UserProfileDir + "\\sentinel.txt", std::string("C:\\sentinel.txt"),
                                    platform::forms::App.Path() + "\\sentinel.txt"})
      EXPECT_TRUE(Exists(file)) << file;
  }
  // Nothing deleted, and the refusal logged with its reason (a blank base,
  // no setting at all, refused without a line).
  void ExpectRefusedAndLogged(const std::string& base, const std::string& reason) {
    ExpectNothingDeleted();
    if (platform::forms::Trim(base).empty()) EXPECT_EQ(Log(), "");
    else EXPECT_EQ(Log(), "\tFolder not cleaned " + base + ": " + reason + "\r\n");
    Form1().txtResult.Text("");
  }
};

TEST_F(FolderGuardTest, TempPointingAtTheWindowsFolder) {
  platform::SetEnvironmentValue("TEMP", g_WindowsDir.c_str());
  std::string temp = platform::EnvironmentValue("TEMP").value_or("");
  EXPECT_EQ(Delete().DeleteFolder(temp, "*.*"), 0);
  ExpectRefusedAndLogged(g_WindowsDir, "it is the Windows folder");
}

TEST_F(FolderGuardTest, RefusedBases) {
  const std::string windows = g_WindowsDir;
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\", "it is a drive root"},
      {"C:", "it is not a full folder path"},
      {"c:\\\\", "it is a drive root"},
      {windows, "it is the Windows folder"},
      {g_SystemDir, "it is the system folder"},
      {"C:\\WINDOWS\\SYSTEM32\\", "it is the system folder"},
      {g_UserProfileDir, "it is the user profile"},
      {"C:\\DOCUME~1", "it contains the All Users profile"},
      {"C:\\Documents and Settings", "it contains the All Users profile"},
      {platform::forms::App.Path(), "it is the program's folder"},
      {"C:\\WINDOWS\\Temp\\..", "it is the Windows folder"},
      {"Temp", "it is not a full folder path"},
      {"", ""}};
  for (const auto& [given, reason] : cases) {
    SCOPED_TRACE(given);
    std::string base = given;
    EXPECT_EQ(Delete().DeleteFolder(base, "*.*"), 0);
    // The line names the folder as given, without a trailing separator.
    std::string shown = given;
    while (shown.size() > 3 && shown.back() == '\\') shown.pop_back();
    ExpectRefusedAndLogged(shown, reason);
  }
  // An empty Windows-folder global: the cleaner's "<Windows>\Temp" is "\Temp".
  g_WindowsDir.clear();
  std::string temp = g_WindowsDir + "\\Temp";
  EXPECT_EQ(Delete().DeleteFolder(temp, "*.*"), 0);
  g_WindowsDir = windows;
  ExpectRefusedAndLogged("\\Temp", "it is not a full folder path");
  EXPECT_EQ(Delete().xShredFolder("C:\\"), 0);
  ExpectRefusedAndLogged("C:\\", "it is a drive root");
}

TEST_F(FolderGuardTest, FoldersBelowTheGuardedOnesStillClean) {
  Put(g_WindowsDir + "\\Temp\\old.tmp", "12");
  std::string temp = g_WindowsDir + "\\Temp";
  EXPECT_EQ(Delete().DeleteFolder(temp, "*.*"), 2);
  EXPECT_FALSE(Exists(g_WindowsDir + "\\Temp\\old.tmp"));
  EXPECT_TRUE(Exists(g_WindowsDir + "\\Temp"));
}

}  // namespace
}  // namespace tessaly::testing
