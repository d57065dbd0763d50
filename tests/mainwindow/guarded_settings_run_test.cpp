// Real cleaning runs with a folder setting (an environment variable, a
// shell folder, the custom-file folder) spelt as a guarded folder: nothing
// on the drive changes and the log says why; a folder merely below a
// guarded one is still cleaned.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <functional>
#include <set>

#include "main_window_fixture.h"
#include "mainwindow/run/engine_link.h"
#include "platform/forms/forms.h"
#include "platform/machine/environment.h"
#include "platform/registry/advapi32.h"

namespace tessaly::testing {
namespace {

namespace fs = std::filesystem;
using namespace platform::forms;

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// One file in (and one below) every guarded folder, each a cookie-like
// ".txt" so that the cookie cleaner's listing would take it too.
const char* const kGuardedFiles[] = {
    "C:\\keep.txt",
    "C:\\WINDOWS\\keep.txt",
    "C:\\WINDOWS\\system32\\keep.txt",
    "C:\\WINDOWS\\system32\\drivers\\keep.txt",
    "C:\\Program Files\\keep.txt",
    "C:\\Program Files\\App\\app.txt",
    "C:\\Program Files\\Tessaly\\keep.txt",
    "C:\\Documents and Settings\\keep.txt",
    "C:\\Documents and Settings\\All Users\\keep.txt",
    "C:\\Documents and Settings\\User\\keep.txt",
    "C:\\Documents and Settings\\User\\My Documents\\keep.txt",
    // Where a cleaner would go below its setting.
    "C:\\Program Files\\microsoft\\office\\recent\\doc.lnk",
    "C:\\Documents and Settings\\User\\microsoft\\office\\recent\\doc.lnk",
};

// Spellings of the drive root, the Windows, system, Program Files and
// program folders, All Users, a profile root and a folder above them.
const char* const kGuardedSpellings[] = {
    "C:\\.",
    "C:/",
    "C:\\WINDOWS\\..",
    "c:\\windows",
    "C:\\WINDOWS.",
    "C:\\WINDOWS\\SYSTEM32\\",
    "C:\\WINDOWS\\system32 ",
    "C:\\PROGRA~1",
    "C:\\Program Files.",
    "c:/program files",
    "C:\\Program Files\\App\\..",
    "C:\\PROGRA~1\\Tessaly",
    "C:\\Program Files\\Tessaly\\.",
    "%ProgramFiles%\\Tessaly",
    "C:\\DOCUME~1\\ALLUSE~1",
    "C:\\Documents and Settings\\All Users\\",
    "C:\\DOCUME~1\\User",
    "C:\\Documents and Settings\\User\\My Documents\\..",
    "C:/Documents and Settings/User",
    "C:\\\\Documents and Settings",
};

struct Setting {
  const char* name;
  std::function<void(Form1Form&, const std::string& folder)> apply;
  // Where a file of the setting's folder lies relative to it.
  const char* cleanedBelow;
};

void SetShellFolder(const char* value, const std::string& folder) {
  HKEY key = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                           static_cast<DWORD>(folder.size() + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

Setting ShellFolder(const char* name, const char* value, std::function<void(Form1Form&)> tick,
                    const char* cleanedBelow = "") {
  return {name,
          [value, tick](Form1Form& form, const std::string& folder) {
            SetShellFolder(value, folder);
            tick(form);
          },
          cleanedBelow};
}

const std::vector<Setting>& Settings() {
  static const std::vector<Setting> settings = {
      {"TEMP",
       [](Form1Form& form, const std::string& folder) {
         SetEnvironmentVariableA("TMP", folder.c_str());
         SetEnvironmentVariableA("TEMP", folder.c_str());
         form.chkWindows(2).Value(vbChecked);
       },
       ""},
      ShellFolder("Recent", "Recent", [](Form1Form& form) { form.chkWindows(18).Value(vbChecked); }),
      ShellFolder("CD Burning", "CD Burning", [](Form1Form& form) { form.chkWindows(4).Value(vbChecked); }),
      ShellFolder("Templates", "Templates", [](Form1Form& form) { form.chkWindows(5).Value(vbChecked); }),
      ShellFolder("Cookies", "Cookies", [](Form1Form& form) { form.chkIE(6).Value(vbChecked); }),
      ShellFolder("Cache", "Cache", [](Form1Form& form) { form.chkIE(4).Value(vbChecked); }),
      ShellFolder("History", "History", [](Form1Form& form) { form.chkIE(5).Value(vbChecked); }),
      ShellFolder("AppData", "AppData", [](Form1Form& form) { form.chkOffice(6).Value(vbChecked); },
                  "\\microsoft\\office\\recent"),
      {"custom-file folder",
       [](Form1Form& form, const std::string& folder) {
         form.chkHardDisk(2).Value(vbChecked);
         form.txtPath.Text(folder);
         form.txtPattern.Text("*.*");
       },
       ""},
  };
  return settings;
}

class GuardedSettingsRunTest : public ::testing::Test {
 protected:
  ~GuardedSettingsRunTest() override {
    ResetFormsRuntime();
    InstallCleaningEngine(nullptr);
  }

  // Every file and folder on drive C:, as host paths.
  std::set<fs::path> DriveContent() const {
    std::set<fs::path> content;
    for (const auto& entry : fs::recursive_directory_iterator(machine_.drive('C'))) content.insert(entry.path());
    return content;
  }

  // What the run removed from, or added to, the drive.
  static void ExpectSameContent(const std::set<fs::path>& before, const std::set<fs::path>& after) {
    std::vector<fs::path> removed, added;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(removed));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    EXPECT_TRUE(removed.empty()) << removed.front();
    EXPECT_TRUE(added.empty()) << added.front();
  }

  // A fresh main window with only `setting` ticked, spelt as `folder`.
  void Run(const Setting& setting, const std::string& folder) {
    ResetFormsRuntime();
    platform::ResetProcessEnvironment();
    Form1Form& form = Form1();
    for (int i = 0; i < form.chkWindows.Count(); ++i) form.chkWindows(i).Value(vbUnchecked);
    for (int i = 0; i < form.chkHardDisk.Count(); ++i) form.chkHardDisk(i).Value(vbUnchecked);
    for (int i = 0; i < form.chkIE.Count(); ++i) form.chkIE(i).Value(vbUnchecked);
    for (int i = 0; i < form.chkOffice.Count(); ++i) form.chkOffice(i).Value(vbUnchecked);
    form.chkCleanAll.Value(vbChecked);
    form.chkCloseAfterWash.Value(vbUnchecked);
    setting.apply(form, folder);
    form.CmdClean_Click();
  }

  TempMachine machine_{[] {
    auto builder = TestMachine();
    for (const char* file : kGuardedFiles) builder.file(file, "keep");
    return builder;
  }()};
  bool connected_ = (ResetFormsRuntime(), ConnectCleaningEngine(), true);
};

TEST_F(GuardedSettingsRunTest, ASettingSpeltAsAGuardedFolderRemovesNothingAndIsLogged) {
  Form1();  // the program's own folders exist from its start on
  const std::set<fs::path> before = DriveContent();
  for (const auto& setting : Settings()) {
    for (const char* spelling : kGuardedSpellings) {
      SCOPED_TRACE(std::string(setting.name) + " = " + spelling);
      Run(setting, spelling);
      ExpectSameContent(before, DriveContent());
      const std::string& log = Form1().txtResult.Text();
      // A temporary folder of three characters gets the root-folder box of
      // its own instead of a log line.
      if (std::string(setting.name) != "TEMP" || std::string(spelling).size() > 3) {
        EXPECT_NE(log.find("\tFolder not cleaned "), std::string::npos) << log;
        EXPECT_NE(log.find(": it "), std::string::npos) << log;
      }
      // The run went on to its end.
      EXPECT_NE(log.find("All Restored Size is 0 KB"), std::string::npos) << log;
    }
  }
}

TEST_F(GuardedSettingsRunTest, AFolderBelowAGuardedOneIsStillCleaned) {
  const std::string folder = "C:\\Program Files\\App\\cache";
  for (const auto& setting : Settings()) {
    SCOPED_TRACE(setting.name);
    const std::string file = folder + setting.cleanedBelow + "\\page.txt";
    std::string relative = file.substr(3);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    machine_.Put(relative, "cached");
    Run(setting, folder);
    EXPECT_FALSE(fs::exists(machine_.hostPath(file)));
    EXPECT_TRUE(fs::exists(machine_.hostPath("C:\\Program Files\\App\\app.txt")));
    EXPECT_EQ(Form1().txtResult.Text().find("Folder not cleaned"), std::string::npos) << Form1().txtResult.Text();
  }
}

}  // namespace
}  // namespace tessaly::testing
