// Cleaners of the messengers, AOL, Opera, Yahoo and Office: each a base
// folder or registry value and one deletion.
#include "cleaning/Delete.h"
#include "cleaning/RegistryHelper.h"
#include "cleaning/frmClean.h"
#include "cleaning/protected_folders.h"
#include "support/COpSysInfo.h"
#include "support/system_folders.h"

using platform::forms::Trim;

namespace {

enum class Base { Icq, Opera, Yahoo, DriveRoot, AppData };
enum class Action { File, FilesInFolder };

struct BaseRow {
  Base base;
  const char* entry;     // the install value, or none
  const char* fallback;  // when the value is empty
};
const BaseRow kBases[] = {
    {Base::Icq, "HKEY_CURRENT_USER\\SOFTWARE\\Mirabilis\\ICQ\\Install\\General+ Value`= InstalledDir",
     "C:\\Program Files\\ICQ"},
    {Base::Opera, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe+ Value`= Path",
     "C:\\Program Files\\Opera"},
    {Base::Yahoo, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Yahoo\\Essentials+ Value`= mainDir", "C:\\Program Files\\Yahoo"},
    {Base::AppData, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders+ Value`= AppData",
     ""},
};

// The base folder; "" when there is none (nothing is then deleted, rather
// than something below the root of the current drive).
std::string BaseFolder(Base base) {
  if (base == Base::DriveRoot) return g_WindowsDir.size() >= 3 ? g_WindowsDir.substr(0, 3) : "";
  for (const auto& row : kBases) {
    if (row.base != base) continue;
    std::string value = ReadTraceValue(row.entry);
    return Trim(value).empty() ? row.fallback : value;
  }
  return "";
}

std::uint64_t Run(Action action, const std::string& base, const std::string& target) {
  if (base.empty()) return 0;
  const std::string path = base + target;
  if (action == Action::File) return static_cast<std::uint64_t>(Delete().DeleteFile(path));
  return static_cast<std::uint64_t>(Delete().DeleteFilesInFolder(path, "*.*"));
}

std::int32_t RunAll(Base base, Action action, std::initializer_list<const char*> targets) {
  const std::string folder = BaseFolder(base);
  std::uint64_t total = 0;
  for (const char* target : targets) total += Run(action, folder, target);
  return ClampedBytes(total);
}

std::uint64_t CleanRecentFolder() {
  std::string appData = BaseFolder(Base::AppData);
  // A setting naming a guarded folder is wrong as a whole: nothing is
  // taken from below it either.
  if (!cleaning::MayEmptyFolder(appData)) return 0;
  std::string path = appData + "\\microsoft\\office\\recent";
  return static_cast<std::uint64_t>(Delete().DeleteFolder(path, "*.*"));
}

platform::forms::Property CleanOfficeMRU(const std::string& program) {
  frmClean().AddItem("TSY has cleaned the Office " + program + " MRU, with the following results:\r\n");
  frmClean().AddItem("\tRemoved Files - Recent File History");
  if (program == "PhotoEditor") {
    CleanRecentFolder();  // not counted
    frmClean().AddItem("\tRemoved registry entries - Recent File List");
  }
  for (const char* version : {"10.0", "9.0", "8.0"})
    RunTraceEntry(std::string("HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\") + version + "\\" + program +
                  "\\Data+ Value`= Settings");
  return {};
}

}  // namespace

std::int32_t FrmCleanForm::CleanMSNAccountSettings() {
  // A plain key entry: it is opened and nothing changes.
  RunTraceEntry("HKEY_CURRENT_USER\\Software\\Microsoft\\MSNMessenger\\PerPassportSettings");
  return 0;
}

std::int32_t FrmCleanForm::CleanMSNRecivedFolder() {
  if (g_OSInfo().IsWin9x() || g_OSInfo().IsWinME())
    return RunAll(Base::DriveRoot, Action::FilesInFolder, {"My Documents\\My Received Files"});
  return ClampedBytes(Run(Action::FilesInFolder, g_UserProfileDir, "\\My Documents\\My Received Files"));
}

std::int32_t FrmCleanForm::CleanAOLTemp() {
  return RunAll(Base::DriveRoot, Action::FilesInFolder, {"\\America Online 5.0\\AOLTEMP", "\\America Online 6.0\\AOLTEMP"});
}
std::int32_t FrmCleanForm::CleanAOLDownloads() {
  return RunAll(Base::DriveRoot, Action::FilesInFolder, {"\\America Online 5.0\\download", "\\America Online 6.0\\download"});
}
std::int32_t FrmCleanForm::CleanICQBookmarks() { return RunAll(Base::Icq, Action::FilesInFolder, {"\\Bookmark"}); }
std::int32_t FrmCleanForm::CleanICQReceivedFiles() { return RunAll(Base::Icq, Action::FilesInFolder, {"\\Received Files"}); }
std::int32_t FrmCleanForm::CleanICQChats() { return RunAll(Base::Icq, Action::FilesInFolder, {"\\Chats"}); }
std::int32_t FrmCleanForm::CleanICQBrowserCache() { return RunAll(Base::Icq, Action::FilesInFolder, {"\\AteBrowser"}); }
std::int32_t FrmCleanForm::CleanOperaCookie() { return RunAll(Base::Opera, Action::File, {"\\cookies4.dat"}); }
std::int32_t FrmCleanForm::CleanOperaHistory() { return RunAll(Base::Opera, Action::File, {"\\vlink4.dat"}); }
std::int32_t FrmCleanForm::CleanOperaCache() { return RunAll(Base::Opera, Action::FilesInFolder, {"\\Cache4"}); }
std::int32_t FrmCleanForm::CleanYahooPager() { return RunAll(Base::Yahoo, Action::File, {"\\messenger\\YPager.log"}); }
std::int32_t FrmCleanForm::CleanYahooProfiles() {
  return RunAll(Base::Yahoo, Action::FilesInFolder, {"\\messenger\\profiles"});
}

platform::forms::Property FrmCleanForm::CleanOfficeWordMRU() { return CleanOfficeMRU("Word"); }
platform::forms::Property FrmCleanForm::CleanOfficeExcelMRU() { return CleanOfficeMRU("Excel"); }
platform::forms::Property FrmCleanForm::CleanOfficePowerPointMRU() { return CleanOfficeMRU("PowerPoint"); }
platform::forms::Property FrmCleanForm::CleanOfficeAccessMRU() { return CleanOfficeMRU("Access"); }
platform::forms::Property FrmCleanForm::CleanOfficeOutlookMRU() { return CleanOfficeMRU("Outlook"); }
platform::forms::Property FrmCleanForm::CleanOfficePhotoEditorMRU() { return CleanOfficeMRU("PhotoEditor"); }

std::int32_t FrmCleanForm::CleanOfficeRecent() {
  AddItem("TSY has cleaned the Office recent files, with the following results:\r\n");
  AddItem("\tRemoved Files - Recent File Folder");
  return ClampedBytes(CleanRecentFolder());
}
