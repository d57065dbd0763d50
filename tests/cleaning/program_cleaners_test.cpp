#include <gtest/gtest.h>

#include <functional>

#include "browser_fixture.h"
#include "platform/registry/advapi32.h"
#include "support/registry_calls.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;

class ProgramCleanersTest : public BrowserTest {};

TEST_P(ProgramCleanersTest, EachCleanerDeletesItsTargetOnly) {
  const bool nt = GetParam() == OsKind::WinXP;
  const std::string received = nt ? g_UserProfileDir + "\\My Documents\\My Received Files" : "C:\\My Documents\\My Received Files";
  HKEY key = CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Mirabilis\\ICQ\\Install\\General");
  SetString(key, "InstalledDir", "   ");  // only blanks: the default folder
  RegCloseKey(key);
  key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe");
  SetString(key, "Path", "C:\\Opera7");
  RegCloseKey(key);
  Put(received + "\\photo.jpg", std::string(70, 'p'));
  Put(received + "\\Sub\\inner.jpg", "stays");
  Put("C:\\America Online 5.0\\AOLTEMP\\a.tmp", std::string(300, 'a'));
  Put("C:\\America Online 6.0\\AOLTEMP\\b.tmp", std::string(200, 'b'));
  Put("C:\\America Online 5.0\\download\\c.exe", std::string(9, 'c'));
  Put("C:\\Program Files\\ICQ\\Bookmark\\bm.txt", std::string(3, 'i'));
  Put("C:\\Program Files\\ICQ\\Received Files\\r.zip", std::string(4, 'i'));
  Put("C:\\Program Files\\ICQ\\Chats\\c.txt", std::string(5, 'i'));
  Put("C:\\Program Files\\ICQ\\AteBrowser\\x.htm", std::string(6, 'i'));
  Put("C:\\Opera7\\vlink4.dat", std::string(11, 'o'));
  Put("C:\\Opera7\\cookies4.dat", std::string(12, 'o'));
  Put("C:\\Opera7\\Cache4\\opr0001.tmp", std::string(13, 'o'));
  Put("C:\\Program Files\\Yahoo\\messenger\\YPager.log", std::string(14, 'y'));
  Put("C:\\Program Files\\Yahoo\\messenger\\profiles\\me.ini", std::string(15, 'y'));
  struct Case {
    const char* name;
    std::function<std::int32_t()> clean;
    std::int32_t bytes;
    std::vector<std::string> gone;
    std::string extraLog;  // besides the Delete lines
  } cases[] = {
      {"MSN files", [] { return frmClean().CleanMSNRecivedFolder(); }, 70, {received + "\\photo.jpg"}, ""},
      {"MSN account", [] { return frmClean().CleanMSNAccountSettings(); }, 0, {}, ""},
      {"AOL temp", [] { return frmClean().CleanAOLTemp(); }, 500,
       {"C:\\America Online 5.0\\AOLTEMP\\a.tmp", "C:\\America Online 6.0\\AOLTEMP\\b.tmp"}, ""},
      {"AOL downloads", [] { return frmClean().CleanAOLDownloads(); }, 9, {"C:\\America Online 5.0\\download\\c.exe"},
       "Path not found\r\n"},
      {"ICQ bookmarks", [] { return frmClean().CleanICQBookmarks(); }, 3, {"C:\\Program Files\\ICQ\\Bookmark\\bm.txt"}, ""},
      {"ICQ received", [] { return frmClean().CleanICQReceivedFiles(); }, 4, {"C:\\Program Files\\ICQ\\Received Files\\r.zip"}, ""},
      {"ICQ chats", [] { return frmClean().CleanICQChats(); }, 5, {"C:\\Program Files\\ICQ\\Chats\\c.txt"}, ""},
      {"ICQ cache", [] { return frmClean().CleanICQBrowserCache(); }, 6, {"C:\\Program Files\\ICQ\\AteBrowser\\x.htm"}, ""},
      {"Opera history", [] { return frmClean().CleanOperaHistory(); }, 11, {"C:\\Opera7\\vlink4.dat"}, ""},
      {"Opera cookies", [] { return frmClean().CleanOperaCookie(); }, 12, {"C:\\Opera7\\cookies4.dat"}, ""},
      {"Opera cookies again", [] { return frmClean().CleanOperaCookie(); }, 0, {}, ""},
      {"Opera cache", [] { return frmClean().CleanOperaCache(); }, 13, {"C:\\Opera7\\Cache4\\opr0001.tmp"}, ""},
      {"Yahoo pager", [] { return frmClean().CleanYahooPager(); }, 14, {"C:\\Program Files\\Yahoo\\messenger\\YPager.log"}, ""},
      {"Yahoo profiles", [] { return frmClean().CleanYahooProfiles(); }, 15,
       {"C:\\Program Files\\Yahoo\\messenger\\profiles\\me.ini"}, ""},
  };
  for (const auto& c : cases) {
    Form1().txtResult.Text("");
    EXPECT_EQ(c.clean(), c.bytes) << c.name;
    for (const auto& path : c.gone) EXPECT_FALSE(Exists(path)) << c.name << ": " << path;
    EXPECT_EQ(CountOf(Log(), "\tDeleting file "), c.gone.size()) << c.name;
    if (!c.extraLog.empty()) {
      EXPECT_NE(Log().find(c.extraLog), std::string::npos) << c.name << Log();
    }
  }
  EXPECT_TRUE(Exists(received + "\\Sub\\inner.jpg"));
  EXPECT_TRUE(Exists("C:\\America Online 5.0\\AOLTEMP"));
}

TEST_P(ProgramCleanersTest, OfficeRecentListsAndRecentFolder) {
  const std::string recent = ShellFolder("AppData") + "\\Microsoft\\Office\\Recent";
  Put(recent + "\\doc.lnk", std::string(40, 'l'));
  HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\9.0\\Word\\Data");
  SetValue(key, "Settings", REG_BINARY, "mru");
  SetValue(key, "Other", REG_BINARY, "keep");
  RegCloseKey(key);
  platform::forms::Property result = frmClean().CleanOfficeWordMRU();
  EXPECT_TRUE(std::holds_alternative<std::monostate>(result));
  EXPECT_EQ(Log(), "TSY has cleaned the Office Word MRU, with the following results:\r\n\r\n"
                   "\tRemoved Files - Recent File History\r\n");
  EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\9.0\\Word\\Data", "Settings").has_value());
  EXPECT_TRUE(QueryValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\9.0\\Word\\Data", "Other").has_value());
  Form1().txtResult.Text("");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(frmClean().CleanOfficePhotoEditorMRU()));
  EXPECT_EQ(Log(), "TSY has cleaned the Office PhotoEditor MRU, with the following results:\r\n\r\n"
                   "\tRemoved Files - Recent File History\r\n\tDeleting file doc.lnk\r\n"
                   "\tRemoved registry entries - Recent File List\r\n");
  EXPECT_TRUE(Exists(recent));
  EXPECT_FALSE(Exists(recent + "\\doc.lnk"));
  Put(recent + "\\again.lnk", std::string(25, 'l'));
  Form1().txtResult.Text("");
  EXPECT_EQ(frmClean().CleanOfficeRecent(), 25);
  EXPECT_EQ(Log(), "TSY has cleaned the Office recent files, with the following results:\r\n\r\n"
                   "\tRemoved Files - Recent File Folder\r\n\tDeleting file again.lnk\r\n");
}

TEST_P(ProgramCleanersTest, EmptyAppDataKeepsTheLogButDeletesNothing) {
  Put("C:\\microsoft\\office\\recent\\root.lnk", "must stay");
  HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
  RegDeleteValueA(key, "AppData");
  RegCloseKey(key);
  EXPECT_EQ(frmClean().CleanOfficeRecent(), 0);
  frmClean().CleanOfficePhotoEditorMRU();
  EXPECT_TRUE(Exists("C:\\microsoft\\office\\recent\\root.lnk"));
  EXPECT_EQ(CountOf(Log(), "Removed"), 3u);
}

INSTANTIATE_TEST_SUITE_P(Families, ProgramCleanersTest, ::testing::Values(OsKind::Win98, OsKind::WinXP), OsLabel);

}  // namespace
}  // namespace tessaly::testing
