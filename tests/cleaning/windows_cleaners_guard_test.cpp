// The folder guard and the failures each cleaner keeps to itself.
#include <gtest/gtest.h>

#include "cleaning/ScanDisk.h"
#include "platform/shell/clipboard.h"
#include "windows_cleaners_fixture.h"

namespace tessaly::testing {
namespace {

const char* const kShellFoldersKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

platform::MachineBuilder WithTemp(platform::OsKind os, const std::string& temp) {
  auto builder = TracesMachine(os);
  builder.description().environment.push_back({"TEMP", temp});
  builder.description().environment.push_back({"TMP", temp});
  return builder;
}

struct TempCase {
  const char* name;
  platform::OsKind os;
  const char* temp;  // "" removes TMP and TEMP
  const char* keep;  // a file in the folder the temp path names
};

void PrintTo(const TempCase& c, std::ostream* out) { *out << c.name; }

class GuardedTemp : public CleanerTest, public ::testing::WithParamInterface<TempCase> {
 public:
  GuardedTemp() : CleanerTest(WithTemp(GetParam().os, GetParam().temp)) {}
};

TEST_P(GuardedTemp, NothingIsDeletedAndTheRefusalIsLoggedInPlaceOfTheHeader) {
  Put(GetParam().keep, "keep");
  Form1().chkSkipMessages.Value(1);
  EXPECT_EQ(frmClean().CleanTempFolder(), 0);
  EXPECT_TRUE(Exists(GetParam().keep));
  EXPECT_EQ(Log().rfind("\tFolder not cleaned ", 0), 0u) << Log();
  EXPECT_EQ(Log().find("TSY has cleaned"), std::string::npos) << Log();
  EXPECT_TRUE(BoxTitles().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, GuardedTemp,
    ::testing::Values(
        TempCase{"WindowsFolder", platform::OsKind::WinXP, "C:\\WINDOWS", "C:\\WINDOWS\\Fonts\\keep.ttf"},
        TempCase{"WindowsFolder98", platform::OsKind::Win98, "C:\\WINDOWS\\", "C:\\WINDOWS\\keep.ini"},
        TempCase{"SystemFolder", platform::OsKind::WinXP, "C:\\WINDOWS\\system32", "C:\\WINDOWS\\system32\\k.dll"},
        TempCase{"ProfileRoot", platform::OsKind::WinXP, "C:\\Documents and Settings\\User",
                 "C:\\Documents and Settings\\User\\My Documents\\keep.doc"},
        TempCase{"AboveTheProfiles", platform::OsKind::Win2000, "C:\\Documents and Settings",
                 "C:\\Documents and Settings\\User\\keep.doc"},
        TempCase{"ProgramFolder", platform::OsKind::WinXP, "C:\\Program Files\\Tessaly",
                 "C:\\Program Files\\Tessaly\\keep.dat"},
        // Without TMP and TEMP the 9x family falls back to the current
        // directory, the program's folder.
        TempCase{"CurrentDirectory98", platform::OsKind::Win98, "", "C:\\Program Files\\Tessaly\\keep.dat"}),
    [](const auto& info) { return std::string(info.param.name); });

class TempAtTheRoot : public CleanerTest {
 public:
  TempAtTheRoot() : CleanerTest(WithTemp(platform::OsKind::WinXP, "C:\\")) {}
};

// The box shows only with popups on; the log says it in every run, a
// headless one too.
TEST_F(TempAtTheRoot, RefusesInTheLogAndWithItsOwnOptionalMessage) {
  const std::string refusal = "\tFolder not cleaned C:\\: it is a drive root\r\n";
  Put("C:\\keep.txt", "keep");
  EXPECT_EQ(frmClean().CleanTempFolder(), 0);
  EXPECT_TRUE(BoxTitles().empty());  // the popups box is not ticked
  EXPECT_EQ(Log(), refusal);
  Form1().chkSkipMessages.Value(1);
  EXPECT_EQ(frmClean().CleanTempFolder(), 0);
  ASSERT_EQ(platform::forms::Answers().records().size(), 1u);
  const auto& box = platform::forms::Answers().records()[0].request;
  EXPECT_EQ(box.title, "Cannot delete folder");
  EXPECT_EQ(box.prompt, "Your temp folder is C:which is the root folder");
  EXPECT_EQ(box.style, 0);
  EXPECT_EQ(Log(), refusal + refusal);
  EXPECT_TRUE(Exists("C:\\keep.txt"));
}

class DamagedShellFolders : public CleanerTest, public ::testing::WithParamInterface<platform::OsKind> {
 public:
  DamagedShellFolders() : CleanerTest(Damaged(GetParam())) {}
  static platform::MachineBuilder Damaged(platform::OsKind os) {
    auto builder = TracesMachine(os);
    builder.registry(std::string("[") + kShellFoldersKey +
                     "]\n\"Recent\"=\"C:\\\\\"\n\"CD Burning\"=\"C:\\\\WINDOWS\"\n\"Templates\"=\"Templates\"\n");
    return builder;
  }
};

TEST_P(DamagedShellFolders, ARootWindowsOrRelativeValueDeletesNothing) {
  Put("C:\\keep.txt", "keep");
  Put("C:\\Folder\\f.txt", "keep");
  Put("C:\\WINDOWS\\keep.ini", "keep");
  Put("C:\\Program Files\\Tessaly\\Templates\\t.dot", "keep");  // relative to the current directory
  EXPECT_EQ(frmClean().CleanDocument(), 0);
  EXPECT_EQ(Log(),
            "TSY has cleaned the document history, with the following results:\r\n\r\n"
            "\tRemoving registry entries - Recently opened documents\r\n"
            "\tRemoving registry entries - Stream MRU\r\n"
            "\tRemoving registry entries - Streams\r\n"
            "\tFolder not cleaned C:\\: it is a drive root\r\n");
  EXPECT_FALSE(KeyExists("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StreamMRU"));
  EXPECT_EQ(frmClean().CleanCDBurningFolder(), 0);
  EXPECT_EQ(frmClean().CleanTemplates(), 0);
  for (const char* path : {"C:\\keep.txt", "C:\\Folder\\f.txt", "C:\\WINDOWS\\keep.ini", "C:\\scandisk.log",
                           "C:\\Program Files\\Tessaly\\Templates\\t.dot"})
    EXPECT_TRUE(Exists(path)) << path;
}

TEST_P(DamagedShellFolders, AMissingRecentValueStillRunsTheEntries) {
  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, std::string(kShellFoldersKey).substr(18).c_str(), 0, KEY_ALL_ACCESS,
                          &key),
            ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueA(key, "Recent"), ERROR_SUCCESS);
  RegCloseKey(key);
  const Layout l = LayoutOf(GetParam());
  EXPECT_EQ(frmClean().CleanDocument(), 0);
  EXPECT_EQ(Log(),
            "TSY has cleaned the document history, with the following results:\r\n\r\n"
            "\tRemoving registry entries - Recently opened documents\r\n"
            "\tRemoving registry entries - Stream MRU\r\n"
            "\tRemoving registry entries - Streams\r\n");
  EXPECT_FALSE(KeyExists("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Streams"));
  EXPECT_TRUE(Exists(l.recent + "\\a.lnk"));
}

TEST_P(DamagedShellFolders, AnEmptyFolderGlobalDeletesNothing) {
  // The globals an unfinished start-up would leave: every path built from
  // them would name a folder of the current drive's root.
  g_WindowsDir.clear();
  g_UserProfileDir.clear();
  g_AllUsersDir.clear();
  const std::string dead = ShellLink("C:\\Gone\\app.exe");
  Put("C:\\Help\\x.hlp", "keep");
  Put("C:\\Desktop\\dead.lnk", dead);
  Put("C:\\Start Menu\\dead.lnk", dead);
  Put("C:\\Program Files\\Tessaly\\Help\\x.hlp", "keep");
  Put("C:\\Program Files\\Tessaly\\Desktop\\dead.lnk", dead);
  const Layout l = LayoutOf(GetParam());
  EXPECT_EQ(frmClean().CleanWindowsHelpFiles(), 0);
  EXPECT_EQ(frmClean().CleanWindowsLogFiles(), 0);
  EXPECT_EQ(frmClean().CleanDesktopShortCuts(), 0);
  EXPECT_EQ(frmClean().CleanStartMenuShortCuts(), 0);
  EXPECT_EQ(Log(), "");
  for (const std::string& path :
       {std::string("C:\\Help\\x.hlp"), std::string("C:\\Desktop\\dead.lnk"), std::string("C:\\Start Menu\\dead.lnk"),
        std::string("C:\\Program Files\\Tessaly\\Help\\x.hlp"),
        std::string("C:\\Program Files\\Tessaly\\Desktop\\dead.lnk"), std::string("C:\\setup.log"),
        l.windows + "\\win.log", l.windows + "\\Help\\a.hlp"})
    EXPECT_TRUE(Exists(path)) << path;
}

TEST_P(DamagedShellFolders, AHeldClipboardEndsOnlyItsOwnItem) {
  platform::forms::Clipboard.SetText("copied password");
  platform::shell::HoldClipboard(true);
  EXPECT_EQ(frmClean().CleanClipboard(), 0);
  EXPECT_EQ(Log(),
            "TSY has cleaned the clipboard data, with the following results:\r\n\r\n"
            "\tRemoving data\r\n");
  platform::shell::HoldClipboard(false);
  EXPECT_EQ(platform::forms::Clipboard.GetText(), "copied password");
  // The run goes on with the next item.
  EXPECT_EQ(frmClean().CleanPageFile(), 128);
}

TEST_P(DamagedShellFolders, ScanDiskListsTheRootLeftoversOfFixedDrivesOnly) {
  Put("C:\\hidden.chk", "h");
  SetFileAttributesA("C:\\hidden.chk", FILE_ATTRIBUTE_HIDDEN);
  ScanDisk().GetFiles();
  EXPECT_EQ(ScanDisk().lstDelFiles.Items(), (std::vector<std::string>{"c:\\scandisk.log", "c:\\FILE0000.CHK"}));
  // Asked again, the list starts afresh.
  ScanDisk().GetFiles();
  EXPECT_EQ(ScanDisk().lstDelFiles.ListCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Families, DamagedShellFolders,
                         ::testing::Values(platform::OsKind::Win98, platform::OsKind::WinXP),
                         [](const auto& info) { return platform::OsKindName(info.param); });

// A fixed drive that cannot be read ends the ScanDisk item before anything
// is deleted; nothing escapes to the run.
class UnreadableDrive : public CleanerTest {
 public:
  UnreadableDrive() : CleanerTest(WithDrive()) {}
  static platform::MachineBuilder WithDrive() {
    auto builder = TracesMachine(platform::OsKind::WinXP);
    platform::DriveDescription drive;
    drive.letter = 'R';
    drive.type = platform::DriveType::Fixed;
    drive.capacity = 4 * 1024 * 1024;
    drive.mediaPresent = false;
    builder.drive(drive);
    return builder;
  }
};

TEST_F(UnreadableDrive, EndsTheScanDiskItemWithNothingCounted) {
  EXPECT_EQ(frmClean().CleanScanDisk(), 0);
  EXPECT_EQ(Log(), "");
  EXPECT_TRUE(Exists("C:\\scandisk.log"));
  EXPECT_TRUE(Exists("C:\\FILE0000.CHK"));
  // The recycle-bin walk only tests the drive's folder: it goes on.
  EXPECT_EQ(frmClean().CleanRecycle(), 0);
  EXPECT_EQ(platform::TheJournal().Of("SHEmptyRecycleBin").size(), 1u);
}

}  // namespace
}  // namespace tessaly::testing
