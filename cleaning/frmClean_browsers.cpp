// The Internet Explorer and Netscape steps of a cleaning run.
#include "cleaning/Delete.h"
#include "cleaning/RegistryHelper.h"
#include "cleaning/file_actions.h"
#include "cleaning/frmClean.h"
#include "cleaning/frmIECookieKeep.h"
#include "cleaning/frmNSCookieKeep.h"
#include "cleaning/protected_folders.h"
#include "mainwindow/Form1.h"
#include "support/path_helpers.h"

namespace {

constexpr const char* kShellFolders =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders+ Value`= ";

// Which box of chkIE runs each step; the steps run in this order.
enum class IEStep { Cookies, Cache, History, IndexFiles, AutoComplete, TypedURLs, DownloadFolder };
struct IEStepRow {
  IEStep step;
  int box;
  const char* logLine;  // after a TAB; none for the download folder
};
const IEStepRow kIESteps[] = {
    {IEStep::Cookies, 6, "Cleaning Cookies"},
    {IEStep::Cache, 4, "Deleting Cache Entries"},
    {IEStep::History, 5, "Deleting History Entries"},
    {IEStep::IndexFiles, 2, "Deleting INDEX.DAT"},
    {IEStep::AutoComplete, 1, "Removing registry entries - AutoComplete"},
    {IEStep::TypedURLs, 0, "Removing registry entries - Typed URLs"},
    {IEStep::DownloadFolder, 3, nullptr},
};

// Deletes the cookie files the user does not keep, from a snapshot of the
// rows taken after the refill, so clicks while deleting change nothing.
std::uint64_t CleanCookies() {
  FrmIECookieKeepForm& dialog = frmIECookieKeep();
  dialog.LoadValues();
  frmClean().AddItem("\tCleaning Cookies");
  std::uint64_t total = 0;
  const std::string folder = dialog.g_strPath;
  if (!folder.empty() && !cleaning::MayEmptyFolder(folder)) return 0;
  dialog.SetRunActive(true);
  for (const auto& [file, kept] : dialog.KeptSnapshot())
    if (!kept) total += static_cast<std::uint64_t>(Delete().DeleteFile(folder + file));
  dialog.SetRunActive(false);
  dialog.LoadCookies();
  return total;
}

std::uint64_t DeleteTree(const std::string& folder) {
  std::string path = folder;
  return static_cast<std::uint64_t>(Delete().DeleteFolder(path, "*.*"));
}

}  // namespace

std::int32_t FrmCleanForm::CleanIE() {
  const std::string cache = ReadTraceValue(std::string(kShellFolders) + "Cache");
  const std::string history = ReadTraceValue(std::string(kShellFolders) + "History");
  AddItem("TSY has cleaned IE files and registry entries, with the following results:\r\n");
  AddItem("");
  std::uint64_t total = 0;
  for (const auto& row : kIESteps) {
    if (Form1().chkIE(row.box).Value() != 1) continue;
    if (row.step != IEStep::Cookies && row.logLine) AddItem(std::string("\t") + row.logLine);
    switch (row.step) {
      case IEStep::Cookies:
        total += CleanCookies();
        break;
      case IEStep::Cache:
        RunTraceEntry(
            "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\"
            "Extensible Cache- TSYRegKey");
        RunTraceEntry(
            "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\4.0\\Cache\\"
            "Extensible Cache- TSYRegKey");
        total += DeleteTree(cache);
        break;
      case IEStep::History:
        total += DeleteTree(history);
        break;
      case IEStep::IndexFiles:
        // Without a folder the path would name the root of the current drive.
        if (!cache.empty()) total += static_cast<std::uint64_t>(Delete().DeleteFile(JoinPath(cache, "Content.IE5\\index.dat")));
        if (!history.empty())
          total += static_cast<std::uint64_t>(Delete().DeleteFile(JoinPath(history, "History.IE5\\index.dat")));
        break;
      case IEStep::AutoComplete:
        RunTraceEntry("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete- TSYRegKey");
        break;
      case IEStep::TypedURLs:
        RunTraceEntry("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs- TSYRegKey");
        break;
      case IEStep::DownloadFolder: {
        const std::string windows = cleaning::CurrentWindowsFolder();
        if (!windows.empty()) total += DeleteTree(windows + "\\Downloaded Program Files");
        RunTraceEntry("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Download Directory- TSYRegKey");
        break;
      }
    }
    Form1().fcIE = Form1().fcIE + 1;
    Form1().CalcProg("IE");
  }
  return ClampedBytes(total);
}

std::int32_t FrmCleanForm::CleanNetscape() {
  AddItem("\r\nTSY has cleaned Netscape files ans registry entries, with the following results:");
  return frmNSCookieKeep().CleanNS6();
}
