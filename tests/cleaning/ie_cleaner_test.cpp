#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "cleaning/frmIECookieKeep.h"
#include "cleaning/ie_cookie_index.h"
#include "platform/files/file_seams.h"
#include "platform/registry/advapi32.h"
#include "platform/registry/registry_import.h"
#include "support/registry_calls.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;

constexpr const char* kHeader = "TSY has cleaned IE files and registry entries, with the following results:\r\n\r\n\r\n";

class IECleanerTest : public BrowserTest {
 public:
  IECleanerTest() : cookies(ShellFolder("Cookies")), cache(ShellFolder("Cache")), history(ShellFolder("History")) {}
  static void Tick(std::initializer_list<int> boxes) {
    for (int i = 0; i < 7; ++i) Form1().chkIE(i).Value(0);
    for (int box : boxes) Form1().chkIE(box).Value(1);
  }
  // Three cookie files of two sites, one file no record names, one hidden.
  void PutCookies() {
    Put(cookies + "\\user@news.com[1].txt", std::string(100, 'n'));
    Put(cookies + "\\user@news.com[2].txt", std::string(200, 'm'));
    Put(cookies + "\\user@ads.net[1].txt", std::string(300, 'a'));
    Put(cookies + "\\orphan.txt", std::string(40, 'o'));
    Put(cookies + "\\secret.txt", "hidden");
    SetFileAttributesA((cookies + "\\secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Put(cookies + "\\index.dat", IndexDat({{"URL ", CookieArea("user", "news.com/", "user@news.com[1].txt")},
                                           {"URL ", CookieArea("user", "ads.net/", "user@ads.net[1].txt")},
                                           {"LEAK", CookieArea("user", "news.com/", "USER@NEWS.COM[2].TXT")}}));
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    auto& list = frmIECookieKeep().lstDelete;
    for (int i = 0; i < list.ListCount(); ++i) rows.push_back(list.List(i) + (list.Selected(i) ? "[kept]" : ""));
    return rows;
  }

  std::string cookies, cache, history;
};

TEST_P(IECleanerTest, NothingTickedWritesTheHeaderOnlyAndLeavesTheDialogUncreated) {
  Tick({});
  Form1().fcIE = 3;
  EXPECT_EQ(frmClean().CleanIE(), 0);
  EXPECT_EQ(Log(), kHeader);
  EXPECT_EQ(Form1().fcIE, 3);
  EXPECT_FALSE(platform::forms::IsLoaded<FrmIECookieKeepForm>());
}

TEST_P(IECleanerTest, EveryStepInItsOrderWithExactBytes) {
  PutCookies();
  Put(cookies + "\\TSYKeep.inf", "http://news.com/ \r\n");
  Put(cache + "\\Content.IE5\\AB12CD34\\page[1].htm", std::string(1000, 'p'));
  Put(cache + "\\Content.IE5\\index.dat", std::string(500, 'i'));
  Put(history + "\\History.IE5\\index.dat", std::string(700, 'h'));
  Put(history + "\\History.IE5\\MSHist012004\\index.dat", std::string(50, 'x'));
  Put(g_WindowsDir + "\\Downloaded Program Files\\plugin.ocx", std::string(60, 'd'));
  platform::registry::ImportRegistryText(machine_.machine(),
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\Extensible Cache]\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\Extensible Cache\\MSHist01]\r\n"
      "\"CachePath\"=\"x\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\r\n\"url1\"=\"http://news.com/\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Download Directory]\r\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete]\r\n"
      "\"Use FormSuggest\"=\"yes\"\r\n");
  Tick({0, 1, 2, 3, 4, 5, 6});
  Form1().fcIE = 0;
  const std::int32_t cookieBytes = 300 + 40;
  EXPECT_EQ(frmClean().CleanIE(), cookieBytes + 1000 + 500 + 700 + 50 + 60);
  EXPECT_EQ(Form1().fcIE, 7);
  const std::string& log = Log();
  ASSERT_EQ(log.rfind(kHeader, 0), 0u);
  std::size_t at = 0;
  for (const char* line : {"\tCleaning Cookies\r\n", "\tDeleting Cache Entries\r\n", "\tDeleting History Entries\r\n",
                           "\tDeleting INDEX.DAT\r\n", "\tRemoving registry entries - AutoComplete\r\n",
                           "\tRemoving registry entries - Typed URLs\r\n"}) {
    std::size_t found = log.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << " after " << at << " in\n" << log;
    at = found;
  }
  EXPECT_EQ(CountOf(log, "\tDeleting file "), 7u);  // two cookies, five in the trees
  // Kept: both news.com cookies (one keep line, two rows); the hidden file.
  EXPECT_TRUE(Exists(cookies + "\\user@news.com[1].txt"));
  EXPECT_TRUE(Exists(cookies + "\\user@news.com[2].txt"));
  EXPECT_TRUE(Exists(cookies + "\\secret.txt"));
  EXPECT_FALSE(Exists(cookies + "\\user@ads.net[1].txt"));
  EXPECT_FALSE(Exists(cookies + "\\orphan.txt"));
  EXPECT_TRUE(Exists(cookies + "\\index.dat"));
  EXPECT_TRUE(Exists(cache));
  EXPECT_FALSE(Exists(cache + "\\Content.IE5"));
  EXPECT_FALSE(Exists(history + "\\History.IE5"));
  EXPECT_TRUE(Exists(g_WindowsDir + "\\Downloaded Program Files"));
  EXPECT_FALSE(Exists(g_WindowsDir + "\\Downloaded Program Files\\plugin.ocx"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Download Directory"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\Extensible Cache\\MSHist01"));
  // The dialog lists the survivors afterwards, still kept.
  EXPECT_EQ(Rows(), (std::vector<std::string>{"http://news.com/ [kept]", "http://news.com/ [kept]"}));
  EXPECT_FALSE(frmIECookieKeep().Visible());
}

TEST_P(IECleanerTest, IndexStepDeletesOnlyTheTwoIndexFiles) {
  Put(cache + "\\Content.IE5\\index.dat", std::string(500, 'i'));
  Put(cache + "\\Content.IE5\\page.htm", "p");
  Put(history + "\\History.IE5\\index.dat", std::string(700, 'h'));
  Tick({2});
  EXPECT_EQ(frmClean().CleanIE(), 1200);
  EXPECT_EQ(Log(), std::string(kHeader) + "\tDeleting INDEX.DAT\r\n\tDeleting file index.dat\r\n\tDeleting file index.dat\r\n");
  EXPECT_TRUE(Exists(cache + "\\Content.IE5\\page.htm"));
}

TEST_P(IECleanerTest, RowsFromTheIndexRecords) {
  Put(cookies + "\\a@one.com[1].txt");
  Put(cookies + "\\a@two.com[1].txt");
  Put(cookies + "\\b@three.com[1].txt");
  Put(cookies + "\\lone.TXT");
  std::string leadingNul = std::string(1, '\0') + "Cookie:a@two.com/" + std::string(1, '\0') + "a@two.com[1].txt";
  std::string extraRuns = CookieArea("b", "three.com/", "b@three.com[1].txt") + "more" + std::string(1, '\0');
  // A record off the 256-byte grid is not seen.
  std::string offGrid = std::string(10, '\0') + "URL ";
  std::string index = IndexDat({{"URL ", CookieArea("a", "one.com/", "A@ONE.COM[1].TXT")},
                                {"REDR", CookieArea("a", "gone.com/", "a@one.com[1].txt")},
                                {offGrid, CookieArea("a", "hidden.com/", "lone.TXT")},
                                {"URL ", leadingNul},
                                {"URL ", extraRuns}},
                               100);
  Put(cookies + "\\index.dat", index);
  frmIECookieKeep().LoadCookies();
  auto& dialog = frmIECookieKeep();
  std::vector<std::pair<std::string, std::string>> rows;
  for (int i = 0; i < dialog.lstDelete.ListCount(); ++i) rows.emplace_back(dialog.lstDelete.List(i), dialog.lstFiles.List(i));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"http://one.com/ ", "A@ONE.COM[1].TXT "}));
  EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"http://two.com/ ", "a@two.com[1].txt "}));
  EXPECT_EQ(rows[2].first, "b@three.com[1].txt");  // extra runs: listed under its own name
  EXPECT_EQ(rows[3].first, "lone.TXT");
  EXPECT_EQ(dialog.g_strPath, cookies + "\\");
  EXPECT_TRUE(dialog.loadComplete());
}

TEST(IECookieIndex, RecordTextAndParts) {
  using cleaning::CookieRecordText;
  using cleaning::SplitCookieRecord;
  EXPECT_EQ(CookieRecordText(std::string("\0ab\0\0c\x01\x7f\xff" "d\0", 11)), " ab cd ");
  EXPECT_EQ(CookieRecordText(std::string("x y\0", 4)), "xy ");  // a blank is not printable here
  auto parts = SplitCookieRecord("Cookie:u@site.com/ u@site[1].txt ");
  EXPECT_EQ(parts.siteRow, "http://site.com/ ");
  EXPECT_EQ(parts.filePart, "u@site[1].txt ");
  parts = SplitCookieRecord("noat");
  EXPECT_EQ(parts.siteRow, "");
  EXPECT_EQ(parts.filePart, "http://noat");
}

TEST_P(IECleanerTest, ShortOrMissingIndexListsFilesUnderTheirNames) {
  Put(cookies + "\\u@x.com[1].txt");
  Put(cookies + "\\index.dat", std::string(20000, '\0'));
  frmIECookieKeep().LoadCookies();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"u@x.com[1].txt"}));
  DeleteFileA((cookies + "\\index.dat").c_str());
  frmIECookieKeep().LoadCookies();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"u@x.com[1].txt"}));
  EXPECT_FALSE(Exists(cookies + "\\index.dat"));  // never created by the read
}

TEST_P(IECleanerTest, KeepListRoundTripsThroughOK) {
  PutCookies();
  auto& dialog = frmIECookieKeep();
  dialog.Show();
  ASSERT_EQ(Rows(), (std::vector<std::string>{"http://news.com/ ", "http://ads.net/ ", "http://news.com/ ",
                                              "orphan.txt"}));
  dialog.lstDelete.Selected(1, true);
  dialog.lstDelete.Selected(3, true);
  dialog.cmdOK_Click();
  EXPECT_EQ(Content(cookies + "\\TSYKeep.inf"), "http://ads.net/ \r\norphan.txt\r\n");
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(dialog.loaded());
  // Case and surrounding blanks do not matter; a LF-only file is one line.
  Put(cookies + "\\TSYKeep.inf", "  HTTP://NEWS.COM/\r\nads.net\nORPHAN.TXT\r\n");
  dialog.cmdRefresh_Click();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"http://news.com/ [kept]", "http://ads.net/ ", "http://news.com/ [kept]",
                                              "orphan.txt"}));
  // Select All, then an unsaved change is lost at the next fill.
  dialog.chkSelectAll.Value(1);
  EXPECT_EQ(dialog.lstDelete.SelCount(), 4);
  dialog.chkSelectAll.Value(0);
  EXPECT_EQ(dialog.lstDelete.SelCount(), 0);
  Tick({6});
  frmClean().CleanIE();
  EXPECT_TRUE(Exists(cookies + "\\user@news.com[2].txt"));
  EXPECT_FALSE(Exists(cookies + "\\orphan.txt"));  // "ORPHAN.TXT\r\n" followed a LF-joined line
  EXPECT_FALSE(Exists(cookies + "\\user@ads.net[1].txt"));
}

TEST_P(IECleanerTest, ViewerShowsCompleteLinesOnly) {
  Put(cookies + "\\a.txt", "name\nvalue\r\n\nsite/\nlast");
  auto& dialog = frmIECookieKeep();
  dialog.txtKeep.Text("before");
  dialog.lstDelete_Click();  // no current row: emptied all the same
  EXPECT_EQ(dialog.txtKeep.Text(), "");
  dialog.lstDelete.ListIndex(0);
  dialog.lstDelete_Click();
  EXPECT_EQ(dialog.txtKeep.Text(), "name\r\nvalue\r\r\nsite/\r\n");
  // A row whose file has gone shows nothing, not the previous file.
  DeleteFileA((cookies + "\\a.txt").c_str());
  dialog.lstDelete_Click();
  EXPECT_EQ(dialog.txtKeep.Text(), "");
}

TEST_P(IECleanerTest, NoCookiesFolderValueDeletesAndWritesNothing) {
  PutCookies();
  Put("C:\\root.txt", "must stay");
  HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
  RegDeleteValueA(key, "Cookies");
  RegCloseKey(key);
  Tick({6});
  EXPECT_EQ(frmClean().CleanIE(), 0);
  EXPECT_EQ(Log(), std::string(kHeader) + "\tCleaning Cookies\r\n");
  EXPECT_TRUE(Exists("C:\\root.txt"));
  EXPECT_TRUE(Exists(cookies + "\\orphan.txt"));
  auto& dialog = frmIECookieKeep();
  EXPECT_EQ(dialog.g_strPath, "");
  EXPECT_EQ(dialog.lstDelete.ListCount(), 0);
  dialog.cmdOK_Click();
  EXPECT_FALSE(Exists("C:\\TSYKeep.inf"));
}

TEST_P(IECleanerTest, UnreadableKeepListDeletesNothing) {
  PutCookies();
  Put(cookies + "\\TSYKeep.inf", "http://ads.net/ \r\n");
  ASSERT_EQ(platform::files::HoldFileByOtherProcess(cookies + "\\TSYKeep.inf", platform::files::HoldMode::DenyAll), 0u);
  Tick({6});
  EXPECT_EQ(frmClean().CleanIE(), 0);
  EXPECT_TRUE(Exists(cookies + "\\user@news.com[1].txt"));
  EXPECT_TRUE(Exists(cookies + "\\orphan.txt"));
  // Nor may OK replace the list it could not read.
  frmIECookieKeep().cmdOK_Click();
  platform::files::ReleaseHeldFile(cookies + "\\TSYKeep.inf");
  EXPECT_EQ(Content(cookies + "\\TSYKeep.inf"), "http://ads.net/ \r\n");
}

TEST_P(IECleanerTest, ClicksWhileDeletingDoNotChangeWhatGoes) {
  PutCookies();
  Put(cookies + "\\TSYKeep.inf", "http://news.com/ \r\n");
  Tick({6});
  frmIECookieKeep();
  // Shredding yields to the message loop while it overwrites.
  Form1().chkBleach.Value(1);
  bool clicked = false;
  platform::forms::AtYield(platform::forms::YieldCount() + 1, [&clicked] {
    clicked = true;
    auto& dialog = frmIECookieKeep();
    dialog.chkSelectAll.Value(1);
    dialog.cmdOK_Click();  // ignored while the run deletes
    dialog.lstDelete.Clear();
    dialog.cmdRefresh_Click();
  });
  EXPECT_EQ(frmClean().CleanIE(), 340);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(Content(cookies + "\\TSYKeep.inf"), "http://news.com/ \r\n");
  EXPECT_TRUE(Exists(cookies + "\\user@news.com[1].txt"));
  EXPECT_FALSE(Exists(cookies + "\\orphan.txt"));
  EXPECT_TRUE(Exists(cookies));
}

// OK during the cookie step cannot save: it says so, the dialog stays, and
// the selection outlives the refill after the step, for the next OK.
TEST_P(IECleanerTest, OkDuringTheCookieStepSaysSoAndKeepsTheSelection) {
  PutCookies();
  Put(cookies + "\\TSYKeep.inf", "http://news.com/ \r\n");
  Tick({6});
  auto& dialog = frmIECookieKeep();
  dialog.Show();
  Form1().chkBleach.Value(1);
  platform::forms::AtYield(platform::forms::YieldCount() + 1, [] {
    auto& shown = frmIECookieKeep();
    for (int row = 0; row < shown.lstDelete.ListCount(); ++row)
      shown.lstDelete.Selected(row, shown.lstDelete.List(row) == "orphan.txt");
    shown.cmdOK_Click();
  });
  frmClean().CleanIE();
  EXPECT_EQ(LastBox(), "Cookies are being cleaned now, so your selection cannot be saved yet. It is kept: press OK "
                       "again when the cleaning has finished.");
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(Content(cookies + "\\TSYKeep.inf"), "http://news.com/ \r\n");
  EXPECT_FALSE(Exists(cookies + "\\orphan.txt"));  // the run decided by the saved list
  EXPECT_EQ(Rows(), (std::vector<std::string>{"http://news.com/ ", "http://news.com/ "}));
  // The refused selection is on the new rows: orphan.txt is gone, so none.
  Put(cookies + "\\orphan.txt", "back");
  platform::forms::AtYield(platform::forms::YieldCount() + 1, [] {
    auto& shown = frmIECookieKeep();
    shown.chkSelectAll.Value(1);
    shown.cmdOK_Click();
  });
  frmClean().CleanIE();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"http://news.com/ [kept]", "http://news.com/ [kept]"}));
  dialog.cmdOK_Click();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(Content(cookies + "\\TSYKeep.inf"), "http://news.com/ \r\nhttp://news.com/ \r\n");
}

TEST_P(IECleanerTest, OkAfterAnIncompleteLoadOrAFailedWriteSaysSo) {
  PutCookies();
  Put(cookies + "\\TSYKeep.inf", "http://ads.net/ \r\n");
  ASSERT_EQ(platform::files::HoldFileByOtherProcess(cookies + "\\TSYKeep.inf", platform::files::HoldMode::DenyAll), 0u);
  auto& dialog = frmIECookieKeep();
  dialog.Show();
  ExpectOkRefusedAfterAnIncompleteLoad(dialog);
  platform::files::ReleaseHeldFile(cookies + "\\TSYKeep.inf");
  EXPECT_EQ(Content(cookies + "\\TSYKeep.inf"), "http://ads.net/ \r\n");
  // Read whole, but the file cannot be written.
  dialog.cmdRefresh_Click();
  ASSERT_EQ(platform::files::HoldFileByOtherProcess(cookies + "\\TSYKeep.inf", platform::files::HoldMode::DenyAll), 0u);
  dialog.lstDelete.Selected(3, true);
  dialog.cmdOK_Click();
  EXPECT_EQ(LastBox().rfind("The list of kept cookies could not be saved (", 0), 0u) << LastBox();
  EXPECT_TRUE(dialog.Visible());
  EXPECT_TRUE(dialog.lstDelete.Selected(3));
  platform::files::ReleaseHeldFile(cookies + "\\TSYKeep.inf");
  dialog.cmdOK_Click();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(Content(cookies + "\\TSYKeep.inf"), "http://ads.net/ \r\norphan.txt\r\n");
}

INSTANTIATE_TEST_SUITE_P(Families, IECleanerTest, ::testing::Values(OsKind::Win98, OsKind::WinXP), OsLabel);

}  // namespace
}  // namespace tessaly::testing
