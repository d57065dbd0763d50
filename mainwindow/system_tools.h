#pragma once
// What the main window's tool pages ask of the system tools. The tools use
// the cleaning engine, which reads the main window, so they sit above this
// library; the program installs them before the main window loads
// (mainwindow/run), tests install their own. Each main window gets its own
// tools object. Without one the pages stay empty and the start-up options
// write nothing.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/activex/backup.h"
#include "platform/forms/controls/file_system_lists.h"
#include "platform/forms/controls/list_box.h"
#include "platform/forms/controls/list_view.h"
#include "platform/forms/controls/tree_view.h"
#include "platform/runtime/dates.h"

class SystemTools {
 public:
  virtual ~SystemTools() = default;
  // Start-up manager: fills the list; enables or disables the selected row;
  // deletes the selected rows; the toggle button's caption for a row.
  virtual void LoadStartUpPrograms(platform::forms::ListView& list) {}
  // What the user must be told ("" for nothing).
  virtual std::string ToggleStartUpProgram(platform::forms::ListView& list) { return ""; }
  virtual void ClearStartUpPrograms(platform::forms::ListView& list) {}
  virtual std::string ToggleCaption(const platform::forms::ListItem& row) { return "Disable"; }
  // Uninstall list: the display names and the parallel "name##command" rows.
  virtual void LoadUninstallList(platform::forms::ListBox& names, platform::forms::ListBox& commands) {}
  virtual void StartUninstaller(platform::forms::ListBox& names, platform::forms::ListBox& commands) {}
  // The program's own log-on entry.
  virtual void EnableStartupEntry(const std::string& command, const std::string& title) {}
  virtual void DisableStartupEntry(const std::string& command, const std::string& title) {}

  // DLL search: the drive tree from the drive list; the roots of the ticked
  // drives; the engine's walk of one folder tree ("*.dll"), which records
  // through the main window's AddToDllList; the grouping by COM class and
  // the removal of registered servers from the matches.
  virtual void LoadDllDrives(const platform::forms::DriveListBox& drives, platform::forms::TreeView& tree) {}
  virtual std::vector<std::string> CheckedDllDriveRoots(platform::forms::TreeView& tree) { return {}; }
  virtual void WalkDlls(const std::string& folder, bool system) {}
  virtual void DropRegisteredServers(platform::forms::ListView& list, platform::forms::ListView& scratch,
                                     const std::string& windowsDir) {}
  // Unreferenced-DLL scan: the "*.dll" files of a drive outside the system's
  // own folders; those that are copies of a registered type library.
  virtual void FindDllFiles(const std::string& root, platform::forms::ListBox& found) {}
  virtual void ListUnreferencedDlls(platform::forms::ListBox& found, platform::forms::ListView& registered,
                                    platform::forms::ListView& unreferenced, const std::string& windowsDir) {}
  // Deletes the checked rows' files (path in the text, or sub-item
  // `pathColumn`), first copying each into `backupFolder` when one is
  // given; returns the rows removed and counts the files kept because
  // their copy failed.
  virtual int DeleteCheckedDllRows(platform::forms::ListView& rows, int pathColumn, const std::string& backupFolder,
                                   int& notCopied) {
    notCopied = 0;
    return 0;
  }
  // DLL backup archives under `backUps`.
  virtual std::string ArchiveName(const std::string& typed, platform::forms::Date now) { return typed; }
  virtual bool SaveBackUp(platform::activex::XceedBackup& main, platform::activex::BackupJob& job,
                          platform::activex::FileSelection& selection, const std::string& backUps,
                          const std::string& name, const std::vector<std::string>& paths) {
    return false;
  }
  virtual std::int32_t RestoreBackUp(platform::activex::XceedBackup& main, platform::activex::RestoreJob& job,
                                     platform::activex::FileSelection& selection, const std::string& backUps,
                                     const std::string& name) {
    return platform::activex::kBackupNoArchive;
  }
  virtual void LoadBackUps(platform::forms::DirListBox& folders, platform::forms::ListBox& names,
                           const std::string& backUps) {}
  virtual void DeleteBackUp(const std::string& backUps, const std::string& name) {}
};

using SystemToolsFactory = std::function<std::shared_ptr<SystemTools>()>;

// The tools every main window created from now on gets (none: no tools).
void InstallSystemTools(SystemToolsFactory factory);
std::shared_ptr<SystemTools> MakeSystemTools();
