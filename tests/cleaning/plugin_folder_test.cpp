#include <gtest/gtest.h>

#include <string>

#include "cleaning/modPlugins.h"
#include "platform/files/file_content.h"
#include "support/cInifile.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

constexpr const char* kOpera = "Opera 4.x, 5.x, or 6.x";
constexpr const char* kOperaDefault = "C:\\Program Files\\Opera";

class PluginFolderTest : public ::testing::Test {
 protected:
  void WriteWinIni(const std::string& text) {
    ASSERT_EQ(platform::files::WriteFileContent("C:\\WINDOWS\\WIN.INI", text), 0u);
  }
  TempMachine machine_;
};

TEST_F(PluginFolderTest, MissingSectionGivesTheDefault) {
  WriteWinIni("[windows]\r\nload=\r\n");
  EXPECT_EQ(GetPluginFolder(kOpera, "folder", kOperaDefault), kOperaDefault);
  EXPECT_EQ(GetPluginFolder("Windows Scan Disk Logs", "folder", "C:\\"), "C:\\");
}

TEST_F(PluginFolderTest, WinIniSectionsNameTheFolder) {
  WriteWinIni(
      "[opera 4.x, 5.X, or 6.x]\r\nFOLDER=D:\\Opera\r\n"
      "[LingoMail 1.x]\r\nfolder=\"E:\\Mail\\LINGO\"\r\nfolder1=   \r\n");
  EXPECT_EQ(GetPluginFolder(kOpera, "folder", kOperaDefault), "D:\\Opera");
  EXPECT_EQ(GetPluginFolder("LingoMail 1.x", "folder", "C:\\LINGO"), "E:\\Mail\\LINGO");
  EXPECT_EQ(GetPluginFolder("LingoMail 1.x", "folder1", "C:\\Program Files\\LINGO"), "C:\\Program Files\\LINGO");
  EXPECT_NE(g_PluginIni, nullptr);
  EXPECT_FALSE(g_PluginIni->path().has_value());  // never given a file: WIN.INI
}

TEST_F(PluginFolderTest, LongValuesAreCutTo254Characters) {
  const std::string folder = "D:\\" + std::string(297, 'x');
  WriteWinIni("[" + std::string(kOpera) + "]\r\nfolder=" + folder + "\r\n");
  EXPECT_EQ(GetPluginFolder(kOpera, "folder", kOperaDefault), folder.substr(0, 254));
}

TEST(PluginFolderWithoutMachine, FailureGivesTheDefault) {
  EXPECT_EQ(GetPluginFolder(kOpera, "folder", kOperaDefault), kOperaDefault);
}

}  // namespace
}  // namespace tessaly::testing
