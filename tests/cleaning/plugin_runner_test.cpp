#include "cleaning/plugin_runner.h"

#include <gtest/gtest.h>

#include <string>

#include "cleaning/RegistryHelper.h"
#include "cleaning/modPlugins.h"
#include "engine_fixture.h"
#include "platform/registry/advapi32.h"
#include "support/registry_calls.h"

namespace tessaly::testing {
namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kNotFound = "Path not found\r\n";

std::string Header(const std::string& name) {
  return "\r\n\r\nTSY has cleaned " + name + " , with the following results:\r\n\tDeleting registry items for " + name +
         "\r\n";
}

class PluginRunnerTest : public EngineTest {
 protected:
  PluginRunnerTest() { CleanedBytesTotal = 0; }

  static void WriteWinIni(const std::string& text) {
    ASSERT_EQ(platform::files::WriteFileContent("C:\\WINDOWS\\WIN.INI", text), 0u);
  }
  static void SetUserValue(const char* path, const char* name, const std::string& text) {
    HKEY key = CreateKey(HKEY_CURRENT_USER, path);
    EXPECT_EQ(SetString(key, name, text), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void DeleteUserValue(const char* path, const char* name) {
    HKEY key = CreateKey(HKEY_CURRENT_USER, path);
    RegDeleteValueA(key, name);
    RegCloseKey(key);
  }
  static bool KeyExists(HKEY root, const char* path) {
    HKEY key = 0;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  // The user's application-data folder on this machine.
  static std::string AppData() {
    return ReadTraceValue("HKEY_CURRENT_USER\\" + std::string(kShellFolders) + "+ Value`= AppData");
  }
  static std::int32_t Run(const std::string& name) { return frmClean().CleanStandardPlugins(name); }
};

TEST_F(PluginRunnerTest, UnknownNamesWriteTheHeaderOnlyAndReturnZero) {
  SetUserValue("Software\\ACD Systems\\ACDSee", "openfolder", "C:\\Photos");
  Put(AppData() + "\\ACD Systems\\ACDSee\\ImageDB.ddf");
  std::string expected;
  for (const char* name : {"acdsee", "ACDSee ", "No Such Plug-in"}) {
    EXPECT_EQ(Run(name), 0) << name;
    expected += Header(name);
  }
  EXPECT_EQ(Log(), expected);
  EXPECT_TRUE(QueryValue(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee", "openfolder"));
  EXPECT_TRUE(Exists(AppData() + "\\ACD Systems\\ACDSee\\ImageDB.ddf"));
}

TEST_F(PluginRunnerTest, AnAbsentApplicationLogsOneLinePerFolderAction) {
  EXPECT_EQ(Run("AOL Browsers 5.x and 6.x"), 1000);
  EXPECT_EQ(Run("Qualcomm Eudora Pro All Versions"), 1000);  // files only: silent
  EXPECT_EQ(Log(), Header("AOL Browsers 5.x and 6.x") + kNotFound + kNotFound + kNotFound + kNotFound +
                       Header("Qualcomm Eudora Pro All Versions"));
  EXPECT_EQ(CleanedBytesTotal, 0);
}

TEST_F(PluginRunnerTest, AWinIniSectionMovesTheInstallFolder) {
  WriteWinIni("[Opera 4.x, 5.x, or 6.x]\r\nfolder=C:\\Net\\Opera\r\n");
  Put("C:\\Net\\Opera\\CACHE4\\OPR00001.HTM", std::string(100, 'c'));
  Put("C:\\Net\\Opera\\CACHE4\\SUB\\KEEP.HTM");
  Put("C:\\Net\\Opera\\OPERA.WIN", std::string(20, 'w'));
  Put("C:\\Net\\Opera\\VLINK4.DAT", std::string(3, 'v'));
  Put("C:\\Net\\Opera\\OPERA.INI");
  Put("C:\\Program Files\\Opera\\OPERA.WIN");  // the default folder is not used
  EXPECT_EQ(Run("Opera 4.x, 5.x, or 6.x"), 1000);
  EXPECT_EQ(Log(), Header("Opera 4.x, 5.x, or 6.x") +
                       "\tDeleting file OPR00001.HTM\r\n\tDeleting file OPERA.WIN\r\n\tDeleting file VLINK4.DAT\r\n");
  EXPECT_EQ(CleanedBytesTotal, 123);
  EXPECT_FALSE(Exists("C:\\Net\\Opera\\OPERA.WIN"));
  EXPECT_TRUE(Exists("C:\\Net\\Opera\\CACHE4\\SUB\\KEEP.HTM"));
  EXPECT_TRUE(Exists("C:\\Net\\Opera\\OPERA.INI"));
  EXPECT_TRUE(Exists("C:\\Program Files\\Opera\\OPERA.WIN"));
}

TEST_F(PluginRunnerTest, IcqFallsBackWhenItsInstallValueIsMissingOrBlank) {
  constexpr const char* kIcqKey = "SOFTWARE\\Mirabilis\\ICQ\\Install\\General";
  const std::string lines = "\tDeleting file CHAT1.TXT\r\n";
  const std::string notFoundTwice = std::string(kNotFound) + kNotFound;
  for (const char* value : {static_cast<const char*>(nullptr), "   "}) {
    if (value) SetUserValue(kIcqKey, "InstalledDir", value);
    Form1().txtResult.Text("");
    Put("C:\\Program Files\\ICQ\\Chats\\CHAT1.TXT");
    EXPECT_EQ(Run("ICQ 2000 All Versions"), 1000);
    EXPECT_EQ(Log(), Header("ICQ 2000 All Versions") + kNotFound + lines + notFoundTwice);
  }
  SetUserValue(kIcqKey, "InstalledDir", "C:\\Apps\\ICQ");
  Put("C:\\Apps\\ICQ\\Bookmark\\MARK.URL");
  Put("C:\\Program Files\\ICQ\\Chats\\CHAT1.TXT");
  Form1().txtResult.Text("");
  EXPECT_EQ(Run("ICQ 2000 All Versions"), 1000);
  EXPECT_EQ(Log(), Header("ICQ 2000 All Versions") + kNotFound + notFoundTwice + "\tDeleting file MARK.URL\r\n");
  EXPECT_TRUE(Exists("C:\\Program Files\\ICQ\\Chats\\CHAT1.TXT"));
}

TEST_F(PluginRunnerTest, ABlankRegistryBaseDeletesNothingAtTheDriveRoot) {
  Put("C:\\Activity.log");
  Put("C:\\newfileitems\\ITEM.TXT");
  Put("C:\\Microsoft\\Word\\DOC.TMP");
  SetUserValue("Software\\Microsoft\\MSE\\9.0", "lastloadedsolution", "C:\\Src\\a.sln");
  CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\MSE\\9.0\\FileMRUList");
  DeleteUserValue(kShellFolders, "AppData");

  EXPECT_EQ(Run("Norton AntiVirus 2000"), 1000);
  EXPECT_EQ(Run("Miscrosoft Visual Studio 6.0"), 1000);
  EXPECT_EQ(Run("Microsoft Word"), 1000);
  EXPECT_EQ(Log(), Header("Norton AntiVirus 2000") + Header("Miscrosoft Visual Studio 6.0") + kNotFound +
                       Header("Microsoft Word") + kNotFound);
  EXPECT_TRUE(Exists("C:\\Activity.log"));
  EXPECT_TRUE(Exists("C:\\newfileitems\\ITEM.TXT"));
  EXPECT_TRUE(Exists("C:\\Microsoft\\Word\\DOC.TMP"));
  // The registry actions of the entry still ran.
  EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, "Software\\Microsoft\\MSE\\9.0", "lastloadedsolution"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\MSE\\9.0\\FileMRUList"));
}

TEST_F(PluginRunnerTest, TwoBasesRunInTheirEntrysOrder) {
  for (const char* folder : {"C:\\", "C:\\Program Files\\Napster\\"})
    for (const char* file : {"SHARED.DAT", "NOTIFY.DAT", "CHANNELS.DAT"}) Put(std::string(folder) + file);
  EXPECT_EQ(Run("Napster All Versions"), 1000);
  EXPECT_EQ(Log(), Header("Napster All Versions") +
                       "\tDeleting file SHARED.DAT\r\n\tDeleting file NOTIFY.DAT\r\n\tDeleting file CHANNELS.DAT\r\n"
                       "\tDeleting file CHANNELS.DAT\r\n\tDeleting file NOTIFY.DAT\r\n\tDeleting file SHARED.DAT\r\n");
  EXPECT_FALSE(Exists("C:\\SHARED.DAT"));
  EXPECT_FALSE(Exists("C:\\Program Files\\Napster\\SHARED.DAT"));

  Form1().txtResult.Text("");
  Put("C:\\WINDOWS\\cookies\\1\\index.dat");
  Put("C:\\WINDOWS\\cookies\\3\\index.dat");
  ASSERT_FALSE(AppData().empty());
  Put(AppData() + "\\MSN6\\MAIL.DAT");
  Put(AppData() + "\\MSN6\\MAIL.DBX");
  EXPECT_EQ(Run("MSN Explorer Browser 6.x"), 1000);
  EXPECT_EQ(Log(), Header("MSN Explorer Browser 6.x") +
                       "\tDeleting file index.dat\r\n\tDeleting file index.dat\r\n\tDeleting file MAIL.DAT\r\n");
  EXPECT_FALSE(Exists("C:\\WINDOWS\\cookies\\3\\index.dat"));
  EXPECT_TRUE(Exists(AppData() + "\\MSN6\\MAIL.DBX"));
}

TEST_F(PluginRunnerTest, FoldersWithoutARelativePathAndTheDriveRootDefault) {
  Put("C:\\Program Files\\audiograbber\\TRACK1.WAV", "ww");
  Put("C:\\Program Files\\audiograbber\\TRACK1.MP3", "mmm");
  Put("C:\\Program Files\\audiograbber\\AG.EXE");
  Put("C:\\Program Files\\audiograbber\\rips\\TRACK2.WAV");
  Put("C:\\SCANDISK.LOG", "log");
  EXPECT_EQ(Run("Audio Grabber All Versions"), 1000);
  EXPECT_EQ(Run("Windows Scan Disk Logs"), 1000);
  EXPECT_EQ(Log(), Header("Audio Grabber All Versions") +
                       "\tDeleting file TRACK1.WAV\r\n\tDeleting file TRACK1.MP3\r\n" +
                       Header("Windows Scan Disk Logs") + "\tDeleting file SCANDISK.LOG\r\n");
  EXPECT_TRUE(Exists("C:\\Program Files\\audiograbber\\AG.EXE"));
  EXPECT_TRUE(Exists("C:\\Program Files\\audiograbber\\rips\\TRACK2.WAV"));
  EXPECT_FALSE(Exists("C:\\SCANDISK.LOG"));
  EXPECT_EQ(CleanedBytesTotal, 8);
}

TEST_F(PluginRunnerTest, ShreddingDeletesWithoutTheFileLineAndStillCounts) {
  Form1().chkBleach.Value(1);
  Form1().cmbShredder.Text("2");
  Put("C:\\WINDOWS\\Directx.log", std::string(500, 'd'));
  EXPECT_EQ(Run("Windows Direct X Logs"), 1000);
  EXPECT_EQ(Log(), Header("Windows Direct X Logs"));
  EXPECT_FALSE(Exists("C:\\WINDOWS\\Directx.log"));
  EXPECT_EQ(CleanedBytesTotal, 500);
}

TEST_F(PluginRunnerTest, RegistryActionsRunInOrderAndARepeatFindsNothing) {
  constexpr const char* kSites = "Software\\Rhino Software\\FTP Voyager\\Most Recent Sites";
  SetUserValue(kSites, "Site1", "ftp.example.com");
  SetUserValue("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "File2", "x.bmp");
  SetUserValue("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "Keep", "y");
  EXPECT_EQ(Run("FTP Voyager"), 1000);
  EXPECT_EQ(Run("Windows Paint"), 1000);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSites));
  EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "File2"));
  EXPECT_TRUE(QueryValue(HKEY_CURRENT_USER,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "Keep"));
  EXPECT_EQ(Log(), Header("FTP Voyager") + Header("Windows Paint"));
}

TEST_F(PluginRunnerTest, TheMainWindowRunsTheTickedEntriesAndReportsTheExactTotal) {
  ConnectBuiltInPluginRunner(Form1());
  CleanedBytesTotal = 999;
  Put("C:\\WINDOWS\\Directx.log", std::string(16777217, 'd'));  // more than a Single holds exactly
  Put("C:\\SCANDISK.LOG", "log");
  Form1().lstBPI.Selected(11, true);
  Form1().lstBPI.Selected(157, true);
  platform::forms::Answers().Script("Yes");
  EXPECT_EQ(Form1().BPI_Do_Plugins(), 16777220.0);
  EXPECT_EQ(Log(), Header("Windows Direct X Logs") + "\tDeleting file Directx.log\r\n" +
                       Header("Windows Scan Disk Logs") + "\tDeleting file SCANDISK.LOG\r\n");
  EXPECT_EQ(Form1().fcBuiltIn, 2);
  EXPECT_EQ(Form1().BPI_Do_Plugins(), 0);  // No: nothing runs, the total starts again
}

}  // namespace
}  // namespace tessaly::testing
