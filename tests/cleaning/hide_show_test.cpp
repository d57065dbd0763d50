#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "cleaning/favorites_backup.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include <tuple>
#include "support/registry_calls.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;

constexpr const char* kSPW = "Software\\Microsoft\\Internet Explorer\\Intelliforms\\SPW";
constexpr const char* kTyped = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kAutoComplete = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";

std::string Hide(const char* key) {
  return CRegister().REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE), key, "Hide", "(none)");
}

std::vector<std::string> Messages() {
  std::vector<std::string> texts;
  for (const auto& record : platform::forms::Answers().records()) texts.push_back(record.request.prompt);
  return texts;
}

class HideShowTest : public BrowserTest {
 public:
  HideShowTest() : favorites(ShellFolder("Favorites")) {}
  // Password data as Internet Explorer stores it: binary with NULs, beside
  // text with quotes and a value longer than the old 250-character buffers.
  static void PutPasswords() {
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, kSPW);
    SetValue(key, "{A1B2}", REG_BINARY, Bytes("\x01\x00\x00\x00\"pw\"\x00\xff\x00"));
    SetString(key, "site \"quoted\"", "say \"hi\"");
    SetString(key, std::string(252, 'n').c_str(), std::string(600, 'd'));
    SetValue(key, "", REG_SZ, Bytes("default\0"));
    RegCloseKey(key);
  }
  static void PutTypedURLs() {
    HKEY key = CreateKey(HKEY_CURRENT_USER, kTyped);
    SetString(key, "url1", "http://www.example.com/");
    SetString(key, "url2", "http://a.b/?q=\"x\"");
    RegCloseKey(key);
  }
  void PutFavorites() {
    Put(favorites + "\\Example.url", "[InternetShortcut]\r\nURL=http://www.example.com/\r\n");
    Put(favorites + "\\Links\\Free Hotmail.url", "[DEFAULT]\r\nBASEURL=\"http://www.hotmail.com/\"\r\n");
    Put(favorites + "\\Links\\Deep\\zero.url", Bytes("[InternetShortcut]\r\nURL=a\0b\r\n"));
    Put(favorites + "\\readme.txt", "not a favourite");
  }

  std::string favorites;
};

TEST_P(HideShowTest, PasswordsHideAndShowRestoreEveryValueExactly) {
  PutPasswords();
  auto before = KeyExport(HKEY_LOCAL_MACHINE, kSPW);
  ASSERT_EQ(before.size(), 4u);
  frmClean().HidePassword();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSPW));
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempP"), "True");
  auto backup = KeyExport(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\TempP");
  ASSERT_EQ(backup.size(), 5u);
  EXPECT_EQ(std::vector<cleaning::StoredValue>(backup.begin(), backup.end() - 1), before);
  EXPECT_TRUE(Form1().cmdPasswordsShow.Enabled());
  EXPECT_FALSE(Form1().cmdPasswordsHide.Enabled());
  frmClean().ShowPassword();
  EXPECT_EQ(KeyExport(HKEY_LOCAL_MACHINE, kSPW), before);
  auto after = KeyExport(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\TempP");
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0].name, "Hide");
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempP"), "False");
  EXPECT_FALSE(Form1().cmdPasswordsShow.Enabled());
  EXPECT_TRUE(Form1().cmdPasswordsHide.Enabled());
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Hide Passwords is successfully finished!",
                                                  "Show Passwords is successfully finished!"}));
  EXPECT_EQ(BoxTitles(), (std::vector<std::string>{platform::forms::App.Title(), platform::forms::App.Title()}));
}

TEST_P(HideShowTest, TypedURLsWarnFirstAndSwitchAutoSuggest) {
  PutTypedURLs();
  auto before = KeyExport(HKEY_CURRENT_USER, kTyped);
  frmClean().HideTypedURL();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTyped));
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kAutoComplete, "AutoSuggest")->data, Bytes("no\0"));
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempU"), "True");
  frmClean().ShowTypedURL();
  EXPECT_EQ(KeyExport(HKEY_CURRENT_USER, kTyped), before);
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kAutoComplete, "AutoSuggest")->data, Bytes("yes\0"));
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Be sure that Internt Explorer is not running! and then click OK",
                                                  "Hide Typed URLs is successfully finished!",
                                                  "Show Typed URLs is successfully finished!"}));
}

TEST_P(HideShowTest, HidingTwiceKeepsTheFirstBackup) {
  PutTypedURLs();
  frmClean().HideTypedURL();
  auto backup = KeyExport(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\TempU");
  HKEY key = CreateKey(HKEY_CURRENT_USER, kTyped);
  SetString(key, "url1", "http://typed.later/");
  RegCloseKey(key);
  frmClean().HideTypedURL();
  EXPECT_EQ(KeyExport(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\TempU"), backup);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTyped));
  EXPECT_EQ(Messages().back(), "Typed URLs are already hidden; nothing was changed.");
  // A show while nothing is hidden changes nothing either.
  frmClean().ShowPassword();
  EXPECT_EQ(Messages().back(), "Passwords are not hidden; nothing was changed.");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\TempP"));
}

TEST_P(HideShowTest, FavoritesHideAndShowRestoreTheFolder) {
  PutFavorites();
  auto before = FolderTree(favorites);
  frmClean().HideFavorites();
  EXPECT_EQ(FolderTree(favorites),
            (std::map<std::string, std::string>{{"Links\\", ""}, {"Links\\Deep\\", ""}, {"readme.txt", "not a favourite"}}));
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "True");
  const std::string text = CRegister().REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE),
                                                     "SOFTWARE\\TESSALY\\TempFP", "Name", "");
  const std::string first = favorites + "\\Example.url";
  EXPECT_EQ(text.rfind("[PATH:" + std::to_string(first.size()) + "]" + first + "[DATA:49][InternetShortcut]", 0), 0u)
      << text;
  EXPECT_TRUE(Form1().cmdFavoritesShow.Enabled());
  frmClean().ShowFavorites();
  EXPECT_EQ(FolderTree(favorites), before);
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "False");
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Hide Favorites is successfully finished!",
                                                  "Show Favorites is successfully finished!"}));
}

TEST_P(HideShowTest, ReadOnlyFavoriteStaysAndShowStillSucceeds) {
  PutFavorites();
  SetFileAttributesA((favorites + "\\Example.url").c_str(), FILE_ATTRIBUTE_READONLY);
  auto before = FolderTree(favorites);
  frmClean().HideFavorites();
  EXPECT_TRUE(Exists(favorites + "\\Example.url"));
  EXPECT_FALSE(Exists(favorites + "\\Links\\Free Hotmail.url"));
  EXPECT_EQ(Messages().back(), "Hide Favorites is finished, but 1 favourites could not be removed and stay visible.");
  frmClean().ShowFavorites();
  EXPECT_EQ(FolderTree(favorites), before);
  EXPECT_EQ(Messages().back(), "Show Favorites is successfully finished!");
}

// A backup in the older "[PATH]"/"[DATA]" form with records the show must
// not place: they are refused, the rest is written, and the switch ends
// "shown" since retrying could never place them.
TEST_P(HideShowTest, ShowWritesOnlyFavoritesInsideTheFolder) {
  Put("C:\\outside.url", "original");
  CRegister registry;
  const auto hklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
  registry.REGSaveSetting(hklm, "SOFTWARE\\TESSALY\\TempF", "Hide", "True");
  registry.REGSaveSetting(hklm, "SOFTWARE\\TESSALY\\TempFP", "Name",
                          "junk[PATH]" + favorites + "\\nodata.url" +                   //
                              "[PATH]" + favorites + "\\ok.url[DATA]good" +               //
                              "[PATH]C:\\outside.url[DATA]evil" +                           //
                              "[PATH]" + favorites + "\\..\\escape.url[DATA]evil" +        //
                              "[PATH]" + favorites + "\\note.txt[DATA]note" +              //
                              "[PATH]" + favorites + "\\New\\Sub\\made.url[DATA]made" +    //
                              "[PATH]" + favorites + "\\ads.url:stream[DATA]evil");
  frmClean().ShowFavorites();
  EXPECT_EQ(Content(favorites + "\\ok.url"), "good");
  EXPECT_EQ(Content(favorites + "\\New\\Sub\\made.url"), "made");
  EXPECT_EQ(Content(favorites + "\\note.txt"), "note");
  EXPECT_EQ(Content("C:\\outside.url"), "original");
  EXPECT_FALSE(Exists(favorites.substr(0, favorites.find_last_of('\\')) + "\\escape.url"));
  EXPECT_FALSE(Exists(favorites + "\\nodata.url"));
  EXPECT_FALSE(Exists(favorites + "\\ads.url"));
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "False");
  EXPECT_EQ(Messages().back(),
            "Show Favorites is finished, but 4 records of the backup name no file in the favourites folder and were "
            "not written.");
  EXPECT_TRUE(Form1().cmdFavoritesHide.Enabled());
}

// A favourite that cannot be written back keeps the switch "hidden", and a
// later show, once the file can be written, finishes it.
TEST_P(HideShowTest, FailedRestoreKeepsTheSwitchUntilAShowSucceeds) {
  Put(favorites + "\\Held.url", "[InternetShortcut]\r\nURL=http://held/\r\n");
  Put(favorites + "\\Free.url", "[InternetShortcut]\r\nURL=http://free/\r\n");
  auto before = FolderTree(favorites);
  frmClean().HideFavorites();
  ASSERT_EQ(FolderTree(favorites).size(), 0u);
  Put(favorites + "\\Held.url", "in the way");
  SetFileAttributesA((favorites + "\\Held.url").c_str(), FILE_ATTRIBUTE_READONLY);
  frmClean().ShowFavorites();
  EXPECT_EQ(Content(favorites + "\\Free.url"), before.at("Free.url"));
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "True");
  EXPECT_EQ(Messages().back(), "Show Favorites could not be finished; the hidden data is kept.");
  SetFileAttributesA((favorites + "\\Held.url").c_str(), FILE_ATTRIBUTE_NORMAL);
  frmClean().ShowFavorites();
  EXPECT_EQ(FolderTree(favorites), before);
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "False");
  EXPECT_EQ(Messages().back(), "Show Favorites is successfully finished!");
}

// Every name the "*.url" search finds (by its long or its 8.3 name) and any
// text come back byte for byte, and the switch ends "shown".
TEST_P(HideShowTest, HideShowRoundTripOverNamesAndTexts) {
  const std::pair<const char*, std::string> texts[] = {
      {"plain", "[InternetShortcut]\r\nURL=http://www.example.com/\r\n"},
      {"path", "[InternetShortcut]\r\nURL=http://a/[PATH]C:\\x.url[DATA]y\r\n[PATH]"},
      {"data", "[InternetShortcut]\r\nURL=http://b/?q=[DATA]\r\n[DATA][PATH:3]abc"},
      {"empty", ""},
  };
  for (const char* name : {"A.url", "a.URL", "Fav.urlx", "My favourite site with blanks.url"}) {
    SCOPED_TRACE(name);
    for (const auto& [folder, text] : texts) Put(favorites + "\\" + folder + "\\" + name, text);
    Put(favorites + "\\" + name, texts[0].second);
    auto before = FolderTree(favorites);
    frmClean().HideFavorites();
    for (const auto& [path, content] : FolderTree(favorites)) EXPECT_EQ(path.back(), '\\') << path;
    frmClean().ShowFavorites();
    EXPECT_EQ(FolderTree(favorites), before);
    EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "False");
    EXPECT_EQ(Messages().back(), "Show Favorites is successfully finished!");
    EXPECT_TRUE(Form1().cmdFavoritesHide.Enabled());
    EXPECT_FALSE(Form1().cmdFavoritesShow.Enabled());
    EXPECT_TRUE(cleaning::FsoDeleteFolder(favorites, true) == 0);
    CreateDirectoryA(favorites.c_str(), nullptr);
  }
}

// A backup the older version wrote, with "[PATH]" and "[DATA]" inside the
// favourites' texts, shows every favourite whole.
TEST_P(HideShowTest, OlderBackupFormatStillShows) {
  CRegister registry;
  const auto hklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
  registry.REGSaveSetting(hklm, "SOFTWARE\\TESSALY\\TempF", "Hide", "True");
  registry.REGSaveSetting(hklm, "SOFTWARE\\TESSALY\\TempFP", "Name",
                          "[PATH]" + favorites + "\\Plain.url[DATA][InternetShortcut]\r\nURL=http://p/\r\n" +
                              "[PATH]" + favorites + "\\Links\\Marks.url[DATA]URL=http://m/[DATA]x[PATH]not a path\r\n" +
                              "[PATH]" + favorites + "\\Empty.url[DATA]");
  frmClean().ShowFavorites();
  EXPECT_EQ(FolderTree(favorites), (std::map<std::string, std::string>{
                                       {"Empty.url", ""},
                                       {"Links\\", ""},
                                       {"Links\\Marks.url", "URL=http://m/[DATA]x[PATH]not a path\r\n"},
                                       {"Plain.url", "[InternetShortcut]\r\nURL=http://p/\r\n"},
                                   }));
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "False");
  EXPECT_EQ(Messages().back(), "Show Favorites is successfully finished!");
}

TEST(FavoritePaths, AnyFileInsideTheFolder) {
  const std::string fav = "C:\\WINDOWS\\Favorites";
  struct Case {
    const char* path;
    const char* restored;  // "" = refused
  } cases[] = {
      {"C:\\WINDOWS\\Favorites\\a.url", "C:\\WINDOWS\\Favorites\\a.url"},
      {"c:\\windows\\FAVORITES\\Sub\\.\\b.URL", "c:\\windows\\FAVORITES\\Sub\\b.URL"},
      {"C:\\WINDOWS\\Favorites\\Sub\\..\\c.url", "C:\\WINDOWS\\Favorites\\c.url"},
      {"C:\\WINDOWS\\Favorites\\..\\d.url", ""},
      {"C:\\WINDOWS\\Favorites\\..\\..\\..\\..\\WINDOWS\\Favorites\\e.url", "C:\\WINDOWS\\Favorites\\e.url"},
      {"C:\\WINDOWS\\FavoritesX\\f.url", ""},
      {"C:\\WINDOWS\\Favorites\\Fav.urlx", "C:\\WINDOWS\\Favorites\\Fav.urlx"},
      {"C:\\WINDOWS\\Favorites\\g.txt", "C:\\WINDOWS\\Favorites\\g.txt"},
      {"C:\\WINDOWS\\Favorites", ""},
      {"C:\\WINDOWS\\Favorites\\.", ""},
      {"\\WINDOWS\\Favorites\\i.url", ""},
      {"C:WINDOWS\\Favorites\\j.url", ""},
      {"C:\\WINDOWS\\Favorites\\k.url:stream", ""},
      {"D:\\WINDOWS\\Favorites\\m.url", ""},
      {"C:\\WINDOWS\\Favorites\\l.url  ", "C:\\WINDOWS\\Favorites\\l.url  "},
  };
  for (const auto& c : cases) {
    auto restored = cleaning::SafeFavoritePath(fav, c.path);
    EXPECT_EQ(restored.value_or(""), c.restored) << c.path;
  }
}

TEST(FavoriteRecords, CountedRecordsCarryAnyTextAndOlderTextsStillParse) {
  const std::string odd = std::string("[PATH:9][DATA:1]]\0[PATH]", 24);
  const std::string text = cleaning::FavoriteRecord("C:\\F\\a.url", odd) + cleaning::FavoriteRecord("C:\\F\\b", "");
  auto records = cleaning::ParseFavoriteRecords(text);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].path, "C:\\F\\a.url");
  EXPECT_EQ(records[0].content, odd);
  EXPECT_TRUE(records[1].complete);
  EXPECT_EQ(records[1].content, "");

  struct Case {
    std::string text;
    std::vector<std::tuple<std::string, std::string, bool>> records;  // path, content, complete
  } cases[] = {
      {"DEF", {}},
      {"", {}},
      // A counted record cut short ends the list there.
      {text.substr(0, text.size() - 3), {{"C:\\F\\a.url", odd, true}, {"C:\\F\\b", "", false}}},
      {"[PATH:99]C:\\x", {{"", "", false}}},
      {"[PATH:4]C:\\x[DATA:x]", {{"C:\\x", "", false}}},
      // The older form: a content runs to the next "[PATH]" that opens a record.
      {"x[PATH]C:\\a[DATA]b[DATA]c[PATH][PATH]d", {{"C:\\a", "b[DATA]c[PATH][PATH]d", true}}},
      {"[PATH]C:\\a[DATA]1[PATH]C:\\b[DATA]2", {{"C:\\a", "1", true}, {"C:\\b", "2", true}}},
      {"[PATH]nodata[PATH]C:\\b[DATA]", {{"nodata", "", false}, {"C:\\b", "", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto parsed = cleaning::ParseFavoriteRecords(c.text);
    ASSERT_EQ(parsed.size(), c.records.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
      EXPECT_EQ(parsed[i].path, std::get<0>(c.records[i]));
      EXPECT_EQ(parsed[i].content, std::get<1>(c.records[i]));
      EXPECT_EQ(parsed[i].complete, std::get<2>(c.records[i]));
    }
  }
}

TEST_P(HideShowTest, EmptyFavoritesFolderHidesAnEmptyBackup) {
  frmClean().HideFavorites();
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "True");
  frmClean().ShowFavorites();
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "False");
  EXPECT_EQ(FolderTree(favorites).size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Families, HideShowTest, ::testing::Values(OsKind::Win98, OsKind::WinXP), OsLabel);

// A user who may not write HKEY_LOCAL_MACHINE: every backup write fails.
class HideShowLimitedTest : public EngineTest {
 public:
  HideShowLimitedTest() : EngineTest(OsKind::WinXP, platform::UserKind::Limited) { InitSystemFolders(); }
};

TEST_F(HideShowLimitedTest, FailedBackupWriteLeavesEverythingInPlace) {
  HKEY key = CreateKey(HKEY_CURRENT_USER, kTyped);
  SetString(key, "url1", "http://www.example.com/");
  RegCloseKey(key);
  auto typed = KeyExport(HKEY_CURRENT_USER, kTyped);
  const std::string favorites = BrowserTest::ShellFolder("Favorites");
  Put(favorites + "\\Example.url", "[InternetShortcut]\r\nURL=http://www.example.com/\r\n");
  auto tree = FolderTree(favorites);
  frmClean().HideTypedURL();
  frmClean().HideFavorites();
  EXPECT_EQ(KeyExport(HKEY_CURRENT_USER, kTyped), typed);
  EXPECT_EQ(FolderTree(favorites), tree);
  EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kAutoComplete, "AutoSuggest").has_value());
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempU"), "(none)");
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "(none)");
  auto messages = Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1], "Hide Typed URLs could not be finished; the data was left where it was.");
  EXPECT_EQ(messages[2], "Hide Favorites could not be finished; the data was left where it was.");
}

// The 9x registry refuses values over 16,300 bytes: a large favourites set
// cannot be backed up, so none of it is removed.
class HideShow9xTest : public EngineTest {
 public:
  HideShow9xTest() : EngineTest(OsKind::Win98) { InitSystemFolders(); }
};

TEST_F(HideShow9xTest, OversizedFavoritesBackupRemovesNothing) {
  const std::string favorites = BrowserTest::ShellFolder("Favorites");
  for (int i = 0; i < 40; ++i)
    Put(favorites + "\\Site " + std::to_string(i) + ".url", "[InternetShortcut]\r\nURL=http://" + std::string(500, 'a') + "\r\n");
  auto tree = FolderTree(favorites);
  frmClean().HideFavorites();
  EXPECT_EQ(FolderTree(favorites), tree);
  EXPECT_EQ(Hide("SOFTWARE\\TESSALY\\TempF"), "(none)");
  EXPECT_EQ(Messages().back(), "Hide Favorites could not be finished; the data was left where it was.");
}

}  // namespace
}  // namespace tessaly::testing
