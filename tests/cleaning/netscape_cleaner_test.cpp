#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "cleaning/frmNSCookieKeep.h"
#include "cleaning/ns_cookie_file.h"
#include "platform/files/file_seams.h"
#include "platform/registry/advapi32.h"
#include "support/registry_calls.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;

const std::string kNews = ".news.com\tTRUE\t/\tFALSE\t1234567890\tid\tabc";
const std::string kAds = ".ads.net\tTRUE\t/\tFALSE\t1234567890\ttrack\tzzz";
const std::string kLong = "www.long.org\tFALSE\t/a/very/long/path/\tFALSE\t1234567890\tsess\tv";
const std::string kCookies = "# Netscape HTTP Cookie File\n   # generated\n\nno tab here\n" + kNews + "\n" + kAds + "\n" + kLong + "\n";

TEST(NetscapeCookieFields, PositionTwentyFourRule) {
  struct Case {
    std::string line, site, name, value, keep;
  } cases[] = {
      {"a.com\tFALSE\t/\tFALSE\t1234567890\tnm\tval", "a.com\t", "nm\t", "val", "a.com\tnm\t"},
      {"a.com\tTRUE\t/\tTRUE\t1234567890\tnm\tval", "a.com\t", "nm\t", "val", "a.com\tnm\t"},
      // A long path: an earlier field becomes the name.
      {kLong, "www.long.org\t", "FALSE\t", "1234567890\tsess\tv", "www.long.org\tFALSE\t"},
      // No TAB at or after 24: the rest is R1 whole, the name a lone TAB.
      {"b.org\tx\ty", "b.org\t", "\t", "x\ty", "b.org\t\t"},
      {"c.org\tTRUE\t/\tFALSE\t1234567890\tn\tv\r", "c.org\t", "n\t", "v\r", "c.org\tn\t"},
  };
  for (const auto& c : cases) {
    auto fields = cleaning::DeriveCookieFields(c.line);
    EXPECT_EQ(fields.site, c.site) << c.line;
    EXPECT_EQ(fields.name, c.name) << c.line;
    EXPECT_EQ(fields.value, c.value) << c.line;
    EXPECT_EQ(cleaning::KeepListEntry(c.line), c.keep) << c.line;
  }
  EXPECT_FALSE(cleaning::IsCookieLine("   # a\tb"));
  EXPECT_FALSE(cleaning::IsCookieLine("   "));
  EXPECT_FALSE(cleaning::IsCookieLine("notab"));
  EXPECT_TRUE(cleaning::IsCookieLine("a\tb"));
}

class NetscapeTest : public BrowserTest {
 public:
  NetscapeTest() : profiles(ShellFolder("AppData") + "\\Mozilla\\Profiles") {
    main = profiles + "\\default\\k2x8a1bc.slt";
    work = profiles + "\\work\\zz99yy00.slt";
  }
  void PutProfiles() {
    Put(main + "\\Cookies.txt", kCookies);
    Put(main + "\\history.dat", std::string(100, 'h'));
    Put(main + "\\history.mab", std::string(20, 'm'));
    Put(main + "\\Cache\\_CACHE_001_", std::string(300, 'c'));
    Put(main + "\\Cache\\Sub\\page", std::string(30, 'c'));
    Put(main + "\\NewCache\\x", std::string(7, 'n'));
    Put(main + "\\Mail\\Local Folders\\Trash", std::string(50, 't'));
    Put(main + "\\Mail\\Local Folders\\Trash.msf", std::string(5, 't'));
    Put(main + "\\Mail\\pop.isp.com\\Trash", std::string(60, 't'));
    Put(main + "\\Mail\\pop.isp.com\\Trash.old", "old");
    Put(main + "\\Mail\\pop.isp.com\\Trash.txt", "txt");
    Put(main + "\\formhistory.dat", std::string(11, 'f'));
    Put(main + "\\url-data.txt", std::string(13, 'u'));
    Put(work + "\\Cookies.txt", kAds + "\n");
    Put(profiles + "\\work\\nocookie.slt\\history.dat", "stays");
    Put(profiles + "\\work\\file.slt", "a file, not a folder");
  }
  static void Tick(std::initializer_list<int> boxes) {
    for (int i = 0; i < 6; ++i) Form1().chkNetScape(i).Value(0);
    for (int box : boxes) Form1().chkNetScape(box).Value(1);
  }
  static std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    auto& list = frmNSCookieKeep().lstDelete;
    for (int i = 0; i < list.ListCount(); ++i) rows.push_back(list.List(i) + (list.Selected(i) ? "[kept]" : ""));
    return rows;
  }

  std::string profiles, main, work;
};

TEST_P(NetscapeTest, ScanListsCookieFoldersAndKeepListsRoundTrip) {
  PutProfiles();
  auto& dialog = frmNSCookieKeep();
  ASSERT_EQ(dialog.cmbProfile.ListCount(), 2);
  EXPECT_EQ(dialog.cmbProfile.List(0), "default");
  EXPECT_EQ(dialog.cmbProfile.List(1), "work");
  EXPECT_EQ(dialog.cmbSelect.List(1), work);
  EXPECT_TRUE(dialog.NS6Exists);
  EXPECT_EQ(dialog.lblKeep.Caption(), "Cookies that are selected will not be deleted.");
  EXPECT_EQ(Rows(), (std::vector<std::string>{".news.com\t", ".ads.net\t", "www.long.org\t"}));
  dialog.lstDelete.Selected(0, true);
  dialog.lstDelete.Selected(2, true);
  dialog.cmbProfile.ListIndex(1);
  EXPECT_EQ(Content(main + "\\TSYKeepNS6.inf"), ".news.com\tid\t\r\nwww.long.org\tFALSE\t\r\n");
  EXPECT_EQ(Rows(), (std::vector<std::string>{".ads.net\t"}));
  dialog.cmbProfile.ListIndex(0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{".news.com\t[kept]", ".ads.net\t", "www.long.org\t[kept]"}));
  // The viewer shows name and value.
  dialog.lstDelete.ListIndex(1);
  EXPECT_EQ(dialog.txtKeep.Text(), "track\t\r\nzzz");
  // A case change in the file matches nothing.
  Put(main + "\\TSYKeepNS6.inf", ".NEWS.COM\tid\t\r\n");
  dialog.cmdRefresh_Click();
  EXPECT_EQ(Rows(), (std::vector<std::string>{".news.com\t", ".ads.net\t", "www.long.org\t"}));
  // OK only hides.
  dialog.Show();
  dialog.cmdOK_Click();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(dialog.loaded());
}

TEST_P(NetscapeTest, RunCleansEveryTickedStepOfEveryFolder) {
  PutProfiles();
  Put(main + "\\TSYKeepNS6.inf", ".news.com\tid\t\r\nwww.long.org\tFALSE\t\r\n");
  frmNSCookieKeep();
  Tick({0, 1, 2, 3, 4, 5});
  Form1().fcNetScape = 0;
  EXPECT_EQ(frmClean().CleanNetscape(), 100 + 20 + 300 + 30 + 7 + 50 + 5 + 60 + 11 + 13);
  EXPECT_EQ(Form1().fcNetScape, 12);  // six steps in each of two folders
  const std::string& log = Log();
  EXPECT_EQ(log.rfind("\r\nTSY has cleaned Netscape files ans registry entries, with the following results:\r\n", 0), 0u);
  EXPECT_EQ(CountOf(log, "\tRemoving cookies\r\n"), 2u);
  EXPECT_EQ(Content(main + "\\Cookies.txt"), kNews + "\n" + kLong + "\n");
  EXPECT_EQ(Content(work + "\\Cookies.txt"), "");
  for (const char* gone : {"\\history.dat", "\\history.mab", "\\Cache\\_CACHE_001_", "\\Cache\\Sub", "\\NewCache\\x",
                           "\\Mail\\Local Folders\\Trash", "\\Mail\\Local Folders\\Trash.msf",
                           "\\Mail\\pop.isp.com\\Trash", "\\formhistory.dat", "\\url-data.txt"})
    EXPECT_FALSE(Exists(main + gone)) << gone;
  for (const char* kept : {"\\Cache", "\\NewCache", "\\Mail\\pop.isp.com\\Trash.old", "\\Mail\\pop.isp.com\\Trash.txt",
                           "\\Mail\\Local Folders"})
    EXPECT_TRUE(Exists(main + kept)) << kept;
  EXPECT_TRUE(Exists(profiles + "\\work\\nocookie.slt\\history.dat"));
  // The display shows the remaining cookies of the profile it showed.
  EXPECT_EQ(Rows(), (std::vector<std::string>{".news.com\t[kept]", "www.long.org\t[kept]"}));
}

// A name with blanks around it, ticked in the dialog, survives the run
// that saves the keep-list and the next one that reads it back.
TEST_P(NetscapeTest, KeptNamesWithBlanksSurviveTheNextRuns) {
  const std::string gone = ".sp.com\tTRUE\t/\tFALSE\t1234567890\tother\tx";
  for (const char* name : {"SP", " SP", "SP "}) {
    SCOPED_TRACE(std::string("[") + name + "]");
    const std::string kept = ".sp.com\tTRUE\t/\tFALSE\t1234567890\t" + std::string(name) + "\tv";
    Put(main + "\\Cookies.txt", gone + "\n" + kept + "\n");
    DeleteFileA((main + "\\TSYKeepNS6.inf").c_str());
    auto& dialog = frmNSCookieKeep();
    dialog.cmdRefresh_Click();
    ASSERT_EQ(dialog.lstDelete.ListCount(), 2);
    dialog.lstDelete.Selected(1, true);
    Tick({5});
    frmClean().CleanNetscape();
    EXPECT_EQ(Content(main + "\\Cookies.txt"), kept + "\n");
    Put(main + "\\Cookies.txt", kept + "\n" + gone + "\n");
    frmClean().CleanNetscape();
    EXPECT_EQ(Content(main + "\\Cookies.txt"), kept + "\n");
    EXPECT_EQ(Rows(), (std::vector<std::string>{".sp.com\t[kept]"}));
  }
}

TEST_P(NetscapeTest, NothingTickedWritesTheHeaderOnly) {
  PutProfiles();
  Tick({});
  EXPECT_EQ(frmClean().CleanNetscape(), 0);
  EXPECT_EQ(Log(), "\r\nTSY has cleaned Netscape files ans registry entries, with the following results:\r\n");
  EXPECT_EQ(Content(main + "\\Cookies.txt"), kCookies);
  EXPECT_FALSE(Exists(main + "\\TSYKeepNS6.inf"));  // no change to save
}

TEST_P(NetscapeTest, FailedLoadsNeverTruncateCookiesOrShortenKeepLists) {
  PutProfiles();
  const std::string keep = ".news.com\tid\t\r\n.ads.net\ttrack\t\r\n";
  Put(main + "\\TSYKeepNS6.inf", keep);
  auto& dialog = frmNSCookieKeep();
  // The cookie file becomes unreadable after the scan.
  dialog.cmbProfile.ListIndex(1);
  ASSERT_EQ(platform::files::HoldFileByOtherProcess(main + "\\Cookies.txt", platform::files::HoldMode::DenyAll), 0u);
  dialog.cmbProfile.ListIndex(0);
  EXPECT_EQ(dialog.lstDelete.ListCount(), 0);
  dialog.chkSelectAll.Value(1);
  dialog.cmbProfile.ListIndex(1);  // the switch saves nothing from the failed load
  Tick({5});
  frmClean().CleanNetscape();
  platform::files::ReleaseHeldFile(main + "\\Cookies.txt");
  EXPECT_EQ(Content(main + "\\Cookies.txt"), kCookies);
  EXPECT_EQ(Content(main + "\\TSYKeepNS6.inf"), keep);
  // An unreadable keep-list: the cookie file stays whole.
  ASSERT_EQ(platform::files::HoldFileByOtherProcess(main + "\\TSYKeepNS6.inf", platform::files::HoldMode::DenyAll), 0u);
  frmClean().CleanNetscape();
  platform::files::ReleaseHeldFile(main + "\\TSYKeepNS6.inf");
  EXPECT_EQ(Content(main + "\\Cookies.txt"), kCookies);
}

TEST_P(NetscapeTest, ProfileSwitchesWhileRunningAreIgnored) {
  PutProfiles();
  Put(main + "\\TSYKeepNS6.inf", ".news.com\tid\t\r\n");
  auto& dialog = frmNSCookieKeep();
  Tick({5, 3});
  Form1().chkBleach.Value(1);  // shredding yields while the run deletes
  bool switched = false;
  platform::forms::AtYield(platform::forms::YieldCount() + 1, [&] {
    switched = true;
    dialog.cmbProfile.ListIndex(1);
    dialog.lstDelete.Selected(0, true);
    dialog.cmdRefresh_Click();
  });
  frmClean().CleanNetscape();
  EXPECT_TRUE(switched);
  EXPECT_EQ(dialog.cmbProfile.ListIndex(), 0);
  EXPECT_EQ(Content(main + "\\Cookies.txt"), kNews + "\n");
  EXPECT_EQ(Content(work + "\\Cookies.txt"), "");
  EXPECT_FALSE(Exists(work + "\\TSYKeepNS6.inf"));
}

// OK while a run cleans says so and leaves the dialog open; ticks changed
// meanwhile outlive the reload at the end of the run and are saved by the
// next one.
TEST_P(NetscapeTest, OkDuringARunSaysSoAndKeepsTheSelection) {
  PutProfiles();
  Put(main + "\\TSYKeepNS6.inf", ".news.com\tid\t\r\n");
  auto& dialog = frmNSCookieKeep();
  dialog.Show();
  Tick({5, 3});
  Form1().chkBleach.Value(1);
  platform::forms::AtYield(platform::forms::YieldCount() + 1, [] {
    auto& shown = frmNSCookieKeep();
    shown.lstDelete.Selected(0, false);
    shown.lstDelete.Selected(2, true);
    shown.cmdOK_Click();
  });
  frmClean().CleanNetscape();
  EXPECT_EQ(LastBox(), "Cookies are being cleaned now, so your selection cannot be saved yet. It is kept: press OK "
                       "again when the cleaning has finished.");
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(Content(main + "\\Cookies.txt"), kNews + "\n");  // the run kept what was saved
  EXPECT_EQ(Rows(), (std::vector<std::string>{".news.com\t"}));
  dialog.cmdOK_Click();
  EXPECT_FALSE(dialog.Visible());
  Put(main + "\\Cookies.txt", kCookies);
  frmClean().CleanNetscape();
  EXPECT_EQ(Content(main + "\\TSYKeepNS6.inf"), "");
  EXPECT_EQ(Content(main + "\\Cookies.txt"), "");
}

TEST_P(NetscapeTest, OkAfterAnIncompleteLoadSaysSo) {
  PutProfiles();
  auto& dialog = frmNSCookieKeep();
  dialog.Show();
  Put(main + "\\TSYKeepNS6.inf", ".ads.net\ttrack\t\r\n");
  ASSERT_EQ(platform::files::HoldFileByOtherProcess(main + "\\TSYKeepNS6.inf", platform::files::HoldMode::DenyAll), 0u);
  dialog.cmdRefresh_Click();
  ExpectOkRefusedAfterAnIncompleteLoad(dialog);
  platform::files::ReleaseHeldFile(main + "\\TSYKeepNS6.inf");
  // Unchanged rows close as before, incomplete or not.
  dialog.cmdRefresh_Click();
  dialog.cmdOK_Click();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(Rows(), (std::vector<std::string>{".news.com\t", ".ads.net\t[kept]", "www.long.org\t"}));
}

TEST_P(NetscapeTest, NotFoundStateIsDecidedAtTheEndOfTheScan) {
  // The first profile has no cookie folder; the second has one.
  Put(profiles + "\\aaa\\first.slt\\prefs.js", "x");
  Put(work + "\\Cookies.txt", kAds + "\n");
  auto& dialog = frmNSCookieKeep();
  EXPECT_TRUE(dialog.NS6Exists);
  EXPECT_TRUE(dialog.cmbProfile.Visible());
  EXPECT_EQ(dialog.lblKeep.Caption(), "Cookies that are selected will not be deleted.");
  // No AppData value: not found, and nothing under the drive root is scanned.
  HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
  RegDeleteValueA(key, "AppData");
  RegCloseKey(key);
  Put("C:\\Mozilla\\Profiles\\p\\r.slt\\Cookies.txt", kNews + "\n");
  dialog.cmdRefresh_Click();
  EXPECT_FALSE(dialog.NS6Exists);
  EXPECT_FALSE(dialog.cmbProfile.Visible());
  EXPECT_EQ(dialog.lblKeep.Caption(), "Cannot find a copy of Netscape");
  EXPECT_EQ(dialog.cmbSelect.ListCount(), 0);
  Tick({5});
  EXPECT_EQ(frmClean().CleanNetscape(), 0);
  EXPECT_EQ(Content("C:\\Mozilla\\Profiles\\p\\r.slt\\Cookies.txt"), kNews + "\n");
}

TEST_P(NetscapeTest, CrLfLinesAndALastLineWithoutLineFeedSurvive) {
  Put(main + "\\Cookies.txt", "# c\r\n" + kNews + "\r\n" + kAds + "\r\n" + kLong);
  Put(main + "\\TSYKeepNS6.inf", ".news.com\tid\t\r\nwww.long.org\tFALSE\t\r\n");
  frmNSCookieKeep();
  Tick({5});
  frmClean().CleanNetscape();
  EXPECT_EQ(Content(main + "\\Cookies.txt"), kNews + "\r\n" + kLong + "\n");
}

INSTANTIATE_TEST_SUITE_P(Families, NetscapeTest, ::testing::Values(OsKind::Win98, OsKind::WinXP), OsLabel);

}  // namespace
}  // namespace tessaly::testing
