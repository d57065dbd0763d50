// A scheduled run of tsyT whose extra plug-in names the guarded folders in
// every spelling: the folder guard refuses each row with its reason, the
// run goes on, and only what lies below a guarded folder is cleaned.
#include "tsyT_process_fixture.h"

#include <fstream>
#include <set>

#include "mainwindow/plugins/plugin_store.h"

namespace tessaly::testing {
namespace {

using namespace std::chrono_literals;

struct GuardedRow {
  const char* row;
  const char* line;  // the log line that refuses it
};

// Folder rows, then file rows.
const GuardedRow kGuardedRows[] = {
    {"C:\\. .+ Value`= *.*", "Folder not cleaned C:\\. .: it is a drive root"},
    {"C:\\.+ Value`= *.*", "Skipped: C:\\.+ Value`= *.*: it is not a plain folder path"},
    {"C:\\WINDOWS+ Value`= *.*", "Folder not cleaned C:\\WINDOWS: it is the Windows folder"},
    {"c:\\windows. \\+ Value`= *.*", "Folder not cleaned c:\\windows. : it is the Windows folder"},
    {"C:\\WINDOWS\\system32+ Value`= *.dll", "Folder not cleaned C:\\WINDOWS\\system32: it is the system folder"},
    {"C:\\WINDOWS\\SYSTEM32.+ Value`= *.*", "Folder not cleaned C:\\WINDOWS\\SYSTEM32.: it is the system folder"},
    {"C:\\Program Files+ Value`= *.*", "Folder not cleaned C:\\Program Files: it is the Program Files folder"},
    {"C:\\PROGRA~1+ Value`= *.*", "Folder not cleaned C:\\PROGRA~1: it is the Program Files folder"},
    {"C:\\Program Files.+ Value`= *.*", "Folder not cleaned C:\\Program Files.: it is the Program Files folder"},
    {"%PF%+ Value`= *.*", "Folder not cleaned C:\\Program Files: it is the Program Files folder"},
    {"C:\\Program Files\\Tessaly+ Value`= *.*", "Folder not cleaned C:\\Program Files\\Tessaly: it is the program's folder"},
    {"C:\\PROGRA~1\\TESSALY.+ Value`= *.*", "Folder not cleaned C:\\PROGRA~1\\TESSALY.: it is the program's folder"},
    {"%APP%+ Value`= *.*", "Folder not cleaned C:\\WINDOWS: it is the Windows folder"},
    {"C:\\DOCUME~1+ Value`= *.*", "Folder not cleaned C:\\DOCUME~1: it contains the All Users profile"},
    {"C:\\Documents and Settings\\All Users+ Value`= *.*",
     "Folder not cleaned C:\\Documents and Settings\\All Users: it is the All Users profile"},
    {"%AUP%+ Value`= *.*", "Folder not cleaned C:\\Documents and Settings\\All Users: it is the All Users profile"},
    {"C:\\Documents and Settings\\User.+ Value`= *.*",
     "Folder not cleaned C:\\Documents and Settings\\User.: it is the user profile"},
    {"%CUP%\\+ Value`= *.*", "Folder not cleaned C:\\Documents and Settings\\User: it is the user profile"},
    {"%WINDIR%+ Value`= *.*", "Skipped: %WINDIR%+ Value`= *.*: it holds a macro that was not expanded"},
    {"C:\\Temp\\..\\WINDOWS+ Value`= *.*", "Skipped: C:\\Temp\\..\\WINDOWS+ Value`= *.*: it is not a plain folder path"},
    {"C:\\readme.txt", "File not deleted C:\\readme.txt: it is in a drive root"},
    {"C:\\WINDOWS.\\WIN.INI", "File not deleted C:\\WINDOWS.\\WIN.INI: it is in the Windows folder"},
    {"C:\\WINDOWS\\SYSTEM32\\rundll32.exe",
     "File not deleted C:\\WINDOWS\\SYSTEM32\\rundll32.exe: it is in the system folder"},
    {"C:\\PROGRA~1\\Tessaly\\Schedule.dll",
     "File not deleted C:\\PROGRA~1\\Tessaly\\Schedule.dll: it is in the program's folder"},
};

// The same on the other folder layouts: Windows 98 keeps its profiles at the
// root (the profile macros stay and are skipped), Windows 2000 lives in WINNT.
const GuardedRow kWin98Rows[] = {
    {"C:\\WINDOWS\\SYSTEM.+ Value`= *.*", "Folder not cleaned C:\\WINDOWS\\SYSTEM.: it is the system folder"},
    {"C:\\WINDOWS\\+ Value`= *.tmp", "Folder not cleaned C:\\WINDOWS: it is the Windows folder"},
    {"C:\\WINDOWS\\SYSTEM\\rundll32.exe", "File not deleted C:\\WINDOWS\\SYSTEM\\rundll32.exe: it is in the system folder"},
    {"%CUP%+ Value`= *.*", "Skipped: %CUP%+ Value`= *.*: it holds a macro that was not expanded"},
    {"C:\\PROGRA~1\\Tessaly\\.+ Value`= *.*", "Skipped: C:\\PROGRA~1\\Tessaly\\.+ Value`= *.*: it is not a plain folder path"},
    {"C:\\PROGRA~1\\Tessaly. \\+ Value`= *.*", "Folder not cleaned C:\\PROGRA~1\\Tessaly. : it is the program's folder"},
};
const GuardedRow kWin2000Rows[] = {
    {"C:\\WINNT.+ Value`= *.*", "Folder not cleaned C:\\WINNT.: it is the Windows folder"},
    {"c:\\winnt\\SYSTEM32+ Value`= *.*", "Folder not cleaned c:\\winnt\\SYSTEM32: it is the system folder"},
    {"C:\\WINNT\\WIN.INI", "File not deleted C:\\WINNT\\WIN.INI: it is in the Windows folder"},
    {"%CUP%\\..+ Value`= *.*", "Skipped: %CUP%\\..+ Value`= *.*: it is not a plain folder path"},
    {"%CUP%.+ Value`= *.*", "Folder not cleaned C:\\Documents and Settings\\User.: it is the user profile"},
};

// Every file of drive C on the host, as paths below the drive's folder.
std::set<std::string> FilesOfDriveC(const std::filesystem::path& drive) {
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(drive))
    if (entry.is_regular_file()) files.insert(std::filesystem::relative(entry.path(), drive).string());
  return files;
}

class PluginGuardRunTest : public TsyTProcessTest {
 protected:
  // A scheduled run on a fresh machine of `os` whose one ticked plug-in holds
  // `rows` and then two rows below guarded folders; every refusal line is in
  // the transcript, and only the files those two rows name are gone.
  template <std::size_t N>
  void RunRows(platform::OsKind os, const GuardedRow (&rows)[N], const std::string& appExe) {
    std::string plain =
        "[Guard]\r\nCAT=Test\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
        "APP=HKey_Local_Machine\\Software\\Tool+ Value`= ExePath\r\nRC=0\r\n";
    int n = 0;
    for (const auto& guarded : rows) plain += "FK" + std::to_string(++n) + "=" + guarded.row + "\r\n";
    plain += "FK" + std::to_string(++n) + "=C:\\PROGRA~1\\App\\cache+ Value`= *.*\r\n";
    plain += "FK" + std::to_string(++n) + "=C:\\Program Files\\App\\app.log\r\n";
    plain += "FC=" + std::to_string(n) + "\r\n";
    FileBytes store = EncipherStoreBytes(FileBytes(plain.begin(), plain.end()));
    std::string exe;
    for (char c : appExe) exe += c == '\\' ? std::string("\\\\") : std::string(1, c);
    std::filesystem::remove_all(folder());
    tessaly::testing::TestMachine(os)
        .file("C:\\readme.txt", "keep")
        .file("C:\\Temp\\keep.txt", "keep")
        .file("C:\\Documents and Settings\\User\\letter.doc", "keep")
        .file("C:\\Documents and Settings\\All Users\\shared.doc", "keep")
        .file("C:\\Program Files\\App\\app.exe", "keep")
        .file("C:\\Program Files\\App\\app.log", "log")
        .file("C:\\Program Files\\App\\cache\\page.htm", "cached")
        .file("C:\\Program Files\\App\\cache\\img\\logo.gif", "cached")
        .file("C:\\Program Files\\Tessaly\\Plugins\\PLUGINS.dbs", std::string(store.begin(), store.end()))
        .registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS]\n\"CloseAfterClean\"=\"1\"\n"
                  "\"CleanThis\"=\"1\"\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Tool]\n\"ExePath\"=\"" + exe + "\"\n")
        .Build(folder());
    const std::filesystem::path drive = platform::HostPathForBuilder(folder(), "C:\\");
    auto onDrive = [&](const char* path) {
      return platform::HostPathForBuilder(folder(), path).lexically_relative(drive).string();
    };
    const std::set<std::string> before = FilesOfDriveC(drive);
    const std::set<std::string> cleaned = {onDrive("C:\\Program Files\\App\\app.log"),
                                           onDrive("C:\\Program Files\\App\\cache\\page.htm"),
                                           onDrive("C:\\Program Files\\App\\cache\\img\\logo.gif")};
    for (const auto& file : cleaned) ASSERT_TRUE(before.count(file)) << file;

    const std::string output = (temp_.path() / "stdout.txt").string();
    ASSERT_EQ(Wait(Start({"/SCHEDULER"}, nullptr, output.c_str()), 120s), 0);
    std::ifstream in(output, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});

    const std::set<std::string> after = FilesOfDriveC(drive);
    for (const auto& file : before) EXPECT_EQ(after.count(file), cleaned.count(file) ? 0u : 1u) << file;
    for (const auto& guarded : rows)
      EXPECT_NE(text.find(std::string(guarded.line) + "\n"), std::string::npos) << guarded.row << "\n" << text;
    // The rows below guarded folders are logged as the walker logs any file.
    EXPECT_NE(text.find("\\cache\\img\\logo.gif\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\\App\\app.log\n"), std::string::npos) << text;
  }
};

TEST_F(PluginGuardRunTest, AnExtraPluginEmptiesNoGuardedFolderInAnySpellingAndCleansBelowThem) {
  RunRows(platform::OsKind::WinXP, kGuardedRows, "C:\\WINDOWS\\notepad.exe");
}

TEST_F(PluginGuardRunTest, TheGuardFollowsTheFolderLayoutOfEachSystem) {
  {
    SCOPED_TRACE("Windows 98");
    RunRows(platform::OsKind::Win98, kWin98Rows, "C:\\Program Files\\App\\app.exe");
  }
  {
    SCOPED_TRACE("Windows 2000");
    RunRows(platform::OsKind::Win2000, kWin2000Rows, "C:\\Program Files\\App\\app.exe");
  }
}

}  // namespace
}  // namespace tessaly::testing
