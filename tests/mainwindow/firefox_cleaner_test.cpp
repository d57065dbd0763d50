// The Firefox cleaner inside real runs: which profile it finds, which files
// it deletes, and when it logs.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "main_window_fixture.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
namespace fs = std::filesystem;

constexpr const char* kProfiles = "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\Firefox\\Profiles";
const std::string kShown = std::string(kProfiles) + "\\b.Work";       // listed last (names sort ignoring case)
const std::string kOther = std::string(kProfiles) + "\\A.default";  // listed first

const char* const kProfileFiles[] = {
    "history.dat", "cookies.txt", "bookmarks.html", "bookmarks.bak", "prefs.js",
    "cache\\_CACHE_001_", "cache\\_CACHE_MAP_", "cache\\sub\\kept.bin",
};

platform::MachineBuilder WithProfiles(platform::MachineBuilder builder, const std::vector<std::string>& profiles) {
  for (const auto& profile : profiles)
    for (const char* file : kProfileFiles) builder.file(profile + "\\" + file, std::string("data of ") + file);
  return builder;
}

// The lookup lower-cases the user's folder name.
std::string LowerUser(const std::string& path) { return Replace(path, "\\User\\", "\\user\\"); }

// "Local AppData" in the layout of later Windows versions.
constexpr const char* kUsersLayout =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
    "\"Local AppData\"=\"C:\\\\Users\\\\User\\\\AppData\\\\Local\"\r\n";

const char* const kAllLines[] = {"Mozilla FireFox History cleaned", "Mozilla FireFox Cache cleaned",
                                 "Mozilla FireFox Cookies cleaned", "Mozilla FireFox Bookmarks cleaned"};

class FirefoxCleanerTest : public ::testing::Test {
 protected:
  FirefoxCleanerTest() {
    ResetFormsRuntime();
    InstallCleaningEngine(engine_);
  }
  ~FirefoxCleanerTest() override {
    InstallCleaningEngine(nullptr);
    ResetFormsRuntime();
  }

  Form1Form& Open(const platform::MachineBuilder& builder) {
    machine_.emplace(builder);
    return Form1();
  }
  // A run from the Firefox page: no section takes part, only the cleaner.
  std::vector<std::string> RunFromFirefoxPage(Form1Form& form) {
    form.ShowThatFrame(form.Frame_FF);
    form.CmdClean_Click();
    std::vector<std::string> lines;
    for (const auto& line : Split(form.txtResult.Text(), "\r\n"))
      if (line.find("FireFox") != std::string::npos) lines.push_back(line);
    return lines;
  }
  bool Exists(const std::string& path) { return fs::exists(machine_->hostPath(path)); }
  std::vector<std::string> Remaining(const std::string& profile) {
    std::vector<std::string> left;
    for (const char* file : kProfileFiles)
      if (Exists(profile + "\\" + file)) left.push_back(file);
    return left;
  }
  void TickAll(Form1Form& form) {
    for (auto* box : {&form.chk_ff_history, &form.chk_ff_Cache, &form.chk_ff_Cookies, &form.chk_ff_Bookmarks})
      box->Value(vbChecked);
  }

  std::shared_ptr<ScriptedEngine> engine_ = std::make_shared<ScriptedEngine>();
  std::optional<TempMachine> machine_;
};

const std::vector<std::string> kAllFiles(std::begin(kProfileFiles), std::end(kProfileFiles));

TEST_F(FirefoxCleanerTest, AllBoxesCleanOnlyTheProfileListedLastAndLogFourLines) {
  Form1Form& form = Open(WithProfiles(TestMachine(), {kOther, kShown}));
  // The user name comes back lower-cased; the file system ignores case.
  EXPECT_EQ(form.getFirefoxpath(), LowerUser(kShown));
  TickAll(form);
  EXPECT_EQ(RunFromFirefoxPage(form), std::vector<std::string>(std::begin(kAllLines), std::end(kAllLines)));
  // Only the cache's own files go; its sub-folder and the other profile stay.
  EXPECT_EQ(Remaining(kShown), (std::vector<std::string>{"prefs.js", "cache\\sub\\kept.bin"}));
  EXPECT_EQ(Remaining(kOther), kAllFiles);
  // Nothing the Firefox cleaner removes counts in the run's total.
  EXPECT_NE(form.txtResult.Text().find("All Restored Size is 0 KB"), std::string::npos);
  EXPECT_TRUE(engine_->calls.empty());
}

TEST_F(FirefoxCleanerTest, EachBoxDeletesItsOwnFilesAndLogsOneLine) {
  struct Case {
    platform::forms::CheckBox Form1Form::*box;
    std::vector<std::string> kept;
    const char* line;
  };
  const Case cases[] = {
      {&Form1Form::chk_ff_history,
       {"cookies.txt", "bookmarks.html", "bookmarks.bak", "prefs.js", "cache\\_CACHE_001_", "cache\\_CACHE_MAP_",
        "cache\\sub\\kept.bin"},
       kAllLines[0]},
      {&Form1Form::chk_ff_Bookmarks,
       {"history.dat", "cookies.txt", "prefs.js", "cache\\_CACHE_001_", "cache\\_CACHE_MAP_", "cache\\sub\\kept.bin"},
       kAllLines[3]},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ResetFormsRuntime();
    InstallCleaningEngine(engine_);
    machine_.reset();
    Form1Form& form = Open(WithProfiles(TestMachine(), {kShown}));
    (form.*c.box).Value(vbChecked);
    EXPECT_EQ(RunFromFirefoxPage(form), std::vector<std::string>{c.line});
    EXPECT_EQ(Remaining(kShown), c.kept);
  }
}

TEST_F(FirefoxCleanerTest, NoBoxTickedDeletesAndLogsNothing) {
  Form1Form& form = Open(WithProfiles(TestMachine(), {kShown}));
  EXPECT_TRUE(RunFromFirefoxPage(form).empty());
  EXPECT_EQ(Remaining(kShown), kAllFiles);
}

// Where no profile folder is found nothing is deleted and no line claims a
// cleaning; the profile laid out in the XP place shows that nothing else
// was taken instead.
TEST_F(FirefoxCleanerTest, WithoutAProfileFolderNothingIsDeletedOrLogged) {
  struct Case {
    const char* what;
    platform::MachineBuilder builder;
    std::vector<std::string> profiles;
  };
  const Case cases[] = {
      {"a C:\\Users layout", TestMachine().registry(kUsersLayout), {kShown}},
      {"Windows 98 (no Local AppData)", TestMachine(platform::OsKind::Win98), {kShown}},
      {"no Firefox installed", TestMachine(), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetFormsRuntime();
    InstallCleaningEngine(engine_);
    machine_.reset();
    Form1Form& form = Open(WithProfiles(c.builder, c.profiles));
    TickAll(form);
    EXPECT_TRUE(RunFromFirefoxPage(form).empty());
    for (const auto& profile : c.profiles) EXPECT_EQ(Remaining(profile), kAllFiles);
    EXPECT_NE(form.txtResult.Text().find("All Restored Size is 0 KB"), std::string::npos);
  }
}

TEST_F(FirefoxCleanerTest, AnEmptyProfilesFolderNamesItselfAndNothingIsLogged) {
  Form1Form& form = Open(TestMachine().folder(kProfiles));
  EXPECT_EQ(form.getFirefoxpath(), LowerUser(std::string(kProfiles) + "\\Profiles"));
  TickAll(form);
  EXPECT_TRUE(RunFromFirefoxPage(form).empty());
}

}  // namespace
}  // namespace tessaly::testing
