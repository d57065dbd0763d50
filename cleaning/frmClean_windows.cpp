// The Windows and hard-disk cleaners of the engine form. Most are table
// data: an optional header, then log lines and registry entries in order,
// then at most one folder operation.
#include <initializer_list>

#include "cleaning/Delete.h"
#include "cleaning/RegistryHelper.h"
#include "cleaning/Recycle.h"
#include "cleaning/ScanDisk.h"
#include "cleaning/file_actions.h"
#include "cleaning/frmClean.h"
#include "cleaning/protected_folders.h"
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/shell/clipboard.h"
#include "support/COpSysInfo.h"
#include "support/path_helpers.h"
#include "support/skins.h"
#include "support/system_folders.h"

using cleaning::MayEmptyFolder;

namespace {

constexpr const char* kAllFiles = "*.*";
constexpr const char* kShellFolders =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders+ Value`= ";
constexpr const char* kRemovingEntries = "Removing registry entries";

// One step of a table cleaner: a detail line (written with its TAB) or a
// registry entry.
struct Step {
  enum Kind { Line, Entry } kind;
  const char* text;
};
Step Line(const char* text) { return {Step::Line, text}; }
Step Entry(const char* text) { return {Step::Entry, text}; }

namespace entries {
constexpr const char* kRecentDocs =
    "HKey_Current_User\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs- TSYRegKey";
constexpr const char* kStreamMRU =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StreamMRU- TSYRegKey";
constexpr const char* kStreams =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Streams- TSYRegKey";
constexpr const char* kFindHistory =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU- TSYRegKey";
constexpr const char* kRunMRU =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU- TSYRegKey";
constexpr const char* kRecentFileList =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList- TSYRegKey";
constexpr const char* kRecentURLList =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList- TSYRegKey";
constexpr const char* kComDlg32 =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32- TSYRegSubKeys";
constexpr const char* kPaint =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List- TSYRegKey";
constexpr const char* kWordPad =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List- TSYRegKey";
constexpr const char* kRegEdit =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit- TSYRegKey";
constexpr const char* kUserAssistIE =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    "{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count- TSYRegKey";
constexpr const char* kUserAssistShell =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count- TSYRegKey";
constexpr const char* kPrinters = "HKEY_CURRENT_USER\\Printers\\Connections- TSYRegKey";
constexpr const char* kNetwork = "HKEY_CURRENT_USER\\Network\\Connections- TSYRegKey";
// The key name carries a stray "t" the program has always written; kept so
// that the cleaners remove exactly what they always removed.
constexpr const char* kDirectInput = "HKEY_CURRENT_USER\\Software\\Microsoft\\DirectInput\\MostRecentApplicationt- TSYRegKey";
constexpr const char* kDirect3D = "HKEY_CURRENT_USER\\Software\\Microsoft\\Direct3D\\MostRecentApplicationt- TSYRegKey";
constexpr const char* kDirectDraw = "HKEY_CURRENT_USER\\Software\\Microsoft\\DirectDraw\\MostRecentApplicationt- TSYRegKey";
}  // namespace entries

std::string Header(const char* what) {
  return std::string("TSY has cleaned ") + what + ", with the following results:\r\n";
}

// Writes the header (when given) and runs the steps in order.
void RunSteps(FrmCleanForm& form, const char* header, std::initializer_list<Step> steps) {
  if (header) form.AddItem(Header(header));
  for (const Step& step : steps) {
    if (step.kind == Step::Line) form.AddItem(std::string("\t") + step.text);
    else RunTraceEntry(step.text);
  }
}

// Runs `body`, which adds what it removes to its argument; a failure inside
// ends the cleaner with the bytes counted so far.
template <class Body>
std::int32_t AtBoundary(Body body) {
  std::uint64_t bytes = 0;
  try {
    body(bytes);
  } catch (const platform::RuntimeError&) {
    // The item ends here; the cleaning run goes on with the next one.
  }
  return ClampedBytes(bytes);
}

bool IsNineX() { return g_OSInfo().IsWin9x() || g_OSInfo().IsWinME(); }

// global & "\" & name, or "" when the global is not an absolute folder (an
// empty global would otherwise name a folder of the current drive's root).
std::string UnderGlobal(const std::string& global, const char* name) {
  bool absolute = global.size() >= 3 && global[1] == ':' && (global[2] == '\\' || global[2] == '/');
  return absolute ? JoinPath(global, name) : std::string();
}

// Empties a shell folder named by the current user's "Shell Folders" value
// (the deletion refuses a guarded folder).
std::uint64_t EmptyShellFolder(const std::string& valueName) {
  std::string folder = ReadTraceValue(kShellFolders + valueName);
  return static_cast<std::uint64_t>(Delete().DeleteFolder(folder, kAllFiles));
}

std::uint64_t DeadShortcuts(FrmCleanForm& form, const std::string& folder) {
  if (!MayEmptyFolder(folder)) return 0;
  return static_cast<std::uint64_t>(form.FindFilesAP2_Shortcuts(folder, "*.lnk"));
}

}  // namespace

std::int32_t FrmCleanForm::CleanDocument() {
  return AtBoundary([&](std::uint64_t& bytes) {
    AddItem(Header("the document history"));
    std::string recent = ReadTraceValue(std::string(kShellFolders) + "Recent");
    RunSteps(*this, nullptr,
             {Line("Removing registry entries - Recently opened documents"), Entry(entries::kRecentDocs),
              Line("Removing registry entries - Stream MRU"), Entry(entries::kStreamMRU),
              Line("Removing registry entries - Streams"), Entry(entries::kStreams)});
    // Refused before the deletion, so that MakeDir never makes a folder
    // from a relative value.
    if (!MayEmptyFolder(recent)) return;
    bytes += static_cast<std::uint64_t>(Delete().DeleteFolder(recent, kAllFiles));
    Delete().MakeDir(recent);
  });
}

std::int32_t FrmCleanForm::CleanRecycle() {
  return AtBoundary([&](std::uint64_t& bytes) {
    AddItem(Header("the recycle bin"));
    bytes += static_cast<std::uint64_t>(Recycle().CleanBin());
  });
}

std::int32_t FrmCleanForm::CleanFindHistory() {
  RunSteps(*this, "the Find history", {Line(kRemovingEntries), Entry(entries::kFindHistory)});
  return 0;
}

std::int32_t FrmCleanForm::CleanRunMRU() {
  RunSteps(*this, "the Run MRU", {Line(kRemovingEntries), Entry(entries::kRunMRU)});
  return 0;
}

std::int32_t FrmCleanForm::CleanTempFolder() {
  return AtBoundary([&](std::uint64_t& bytes) {
    char buffer[512] = {};
    DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return;
    std::string folder(buffer, length - 1);
    if (folder.size() <= 3) {
      ShowMessage("Your temp folder is " + folder + "which is the root folder", 0, "Cannot delete folder", true);
      // The box shows only with popups on: the log says it in every run.
      MayEmptyFolder(std::string(buffer, length));
      return;
    }
    // TMP or TEMP naming the Windows folder, a profile or the program folder
    // (the 9x fallback to the current directory) is left alone, and said so
    // in place of the header.
    if (!MayEmptyFolder(folder)) return;
    AddItem(Header("the TEMP folder"));
    bytes += static_cast<std::uint64_t>(Delete().DeleteFolder(folder, kAllFiles));
    Delete().MakeDir(folder);
  });
}

std::int32_t FrmCleanForm::CleanScanDisk() {
  return AtBoundary([&](std::uint64_t& bytes) {
    ScanDisk().GetFiles();
    AddItem(Header("the SCANDISK files"));
    auto& found = ScanDisk().lstDelFiles;
    for (int i = 0; i < found.ListCount(); ++i) bytes += static_cast<std::uint64_t>(Delete().DeleteFile(found.List(i)));
  });
}

std::int32_t FrmCleanForm::CleanWMP() {
  RunSteps(*this, "the Windows Media Player MRU",
           {Line("Removed registry entries - RecentFileList"), Line("Removed registry entries - RecentURLList"),
            Entry(entries::kRecentFileList), Entry(entries::kRecentURLList)});
  return 0;
}

std::int32_t FrmCleanForm::CleanComDlg() {
  RunSteps(*this, "the Common dialog history", {Line(kRemovingEntries), Entry(entries::kComDlg32)});
  return 0;
}

std::int32_t FrmCleanForm::CleanClipboard() {
  return AtBoundary([&](std::uint64_t&) {
    RunSteps(*this, "the clipboard data", {Line("Removing data")});
    platform::forms::Clipboard.Clear();  // 521 while another program holds it
  });
}

std::int32_t FrmCleanForm::CleanPaintMRU() {
  RunSteps(*this, "the MS Paint MRU", {Line(kRemovingEntries), Entry(entries::kPaint)});
  return 0;
}

std::int32_t FrmCleanForm::CleanWordPadMRU() {
  RunSteps(*this, "the word pad MRU", {Line(kRemovingEntries), Entry(entries::kWordPad)});
  return 0;
}

std::int32_t FrmCleanForm::CleanDesktopShortCuts() {
  return AtBoundary([&](std::uint64_t& bytes) {
    bytes += DeadShortcuts(*this, UnderGlobal(IsNineX() ? g_WindowsDir : g_UserProfileDir, "Desktop"));
  });
}

std::int32_t FrmCleanForm::CleanStartMenuShortCuts() {
  return AtBoundary([&](std::uint64_t& bytes) {
    if (IsNineX()) {
      bytes += DeadShortcuts(*this, UnderGlobal(g_WindowsDir, "Start Menu"));
      return;
    }
    bytes += DeadShortcuts(*this, UnderGlobal(g_AllUsersDir, "Start Menu"));
    bytes += DeadShortcuts(*this, UnderGlobal(g_UserProfileDir, "Start Menu"));
  });
}

std::int32_t FrmCleanForm::CleanCDBurningFolder() {
  return AtBoundary([&](std::uint64_t& bytes) { bytes += EmptyShellFolder("CD Burning"); });
}

std::int32_t FrmCleanForm::CleanTemplates() {
  return AtBoundary([&](std::uint64_t& bytes) { bytes += EmptyShellFolder("Templates"); });
}

std::int32_t FrmCleanForm::CleanMemoryDumpFile() {
  // Searched below the system folder, as the program always has.
  return AtBoundary([&](std::uint64_t& bytes) {
    std::string system = cleaning::CurrentSystemFolder();
    if (system.empty()) return;
    bytes += static_cast<std::uint64_t>(FindFilesAPI_Del(system, "*.dmp", "-1", "-1"));
  });
}

std::int32_t FrmCleanForm::CleanPageFile() {
  return AtBoundary([&](std::uint64_t& bytes) {
    std::string system = cleaning::CurrentSystemFolder();
    if (system.empty()) return;
    bytes += static_cast<std::uint64_t>(Delete().DeleteFile(JoinPath(system, "pagefile.sys")));
  });
}

std::int32_t FrmCleanForm::CleanDircetXMRU() {
  RunSteps(*this, nullptr, {Entry(entries::kDirectInput), Entry(entries::kDirect3D), Entry(entries::kDirectDraw)});
  return 0;
}

std::int32_t FrmCleanForm::CleanPrinterConnections() {
  RunSteps(*this, nullptr, {Entry(entries::kPrinters)});
  return 0;
}

std::int32_t FrmCleanForm::CleanNetworkConnections() {
  RunSteps(*this, nullptr, {Entry(entries::kNetwork)});
  return 0;
}

std::int32_t FrmCleanForm::CleanRegEdit() {
  RunSteps(*this, nullptr, {Entry(entries::kRegEdit)});
  return 0;
}

std::int32_t FrmCleanForm::CleanWindowsHelpFiles() {
  // The whole Help folder, as the program always has.
  return AtBoundary([&](std::uint64_t& bytes) {
    std::string help = UnderGlobal(g_WindowsDir, "Help");
    bytes += static_cast<std::uint64_t>(Delete().DeleteFolder(help, kAllFiles));
  });
}

std::int32_t FrmCleanForm::CleanWindowsLogFiles() {
  // Only "*.log" of the two folders themselves, so the drive root and the
  // Windows folder are meant here; they only have to be real folders.
  return AtBoundary([&](std::uint64_t& bytes) {
    if (UnderGlobal(g_WindowsDir, "").empty()) return;
    bytes += static_cast<std::uint64_t>(Delete().DeleteFilesInFolder(g_WindowsDir.substr(0, 3), "*.log"));
    bytes += static_cast<std::uint64_t>(Delete().DeleteFilesInFolder(g_WindowsDir, "*.log"));
  });
}

std::int32_t FrmCleanForm::CleanUserAssistHistory() {
  RunSteps(*this, "the user assist history",
           {Line("Removing User Assist History"), Entry(entries::kUserAssistIE), Entry(entries::kUserAssistShell)});
  return 0;
}

std::int32_t FrmCleanForm::CleanDircet3DMRU() {
  RunSteps(*this, nullptr, {Entry(entries::kDirect3D)});
  return 0;
}

std::int32_t FrmCleanForm::CleanDircetDrawMRU() {
  RunSteps(*this, nullptr, {Entry(entries::kDirectDraw)});
  return 0;
}

std::int32_t FrmCleanForm::CleanDircetInputMRU() {
  RunSteps(*this, nullptr, {Entry(entries::kDirectInput)});
  return 0;
}
