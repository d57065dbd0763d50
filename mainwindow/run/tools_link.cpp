#include "mainwindow/run/tools_link.h"

#include "cleaning/frmClean.h"
#include "mainwindow/system_tools.h"
#include "tools/WindowsStartup.h"
#include "tools/dll_backups.h"
#include "tools/dll_search.h"
#include "tools/unreferenced_dlls.h"
#include "tools/startup_manager.h"
#include "tools/uninstall_list.h"

namespace {

using platform::activex::BackupJob;
using platform::activex::FileSelection;
using platform::activex::RestoreJob;
using platform::activex::XceedBackup;
using platform::forms::DirListBox;
using platform::forms::DriveListBox;
using platform::forms::ListBox;
using platform::forms::ListItem;
using platform::forms::ListView;
using platform::forms::TreeView;

class Tools : public SystemTools {
 public:
  void LoadStartUpPrograms(ListView& list) override { startUp_.LoadStartUpPrograms(list); }
  std::string ToggleStartUpProgram(ListView& list) override { return startUp_.ToggleSelected(list); }
  void ClearStartUpPrograms(ListView& list) override { startUp_.ClearSelected(list); }
  std::string ToggleCaption(const ListItem& row) override { return tools::StartUpManager::ToggleCaption(row); }
  void LoadUninstallList(ListBox& names, ListBox& commands) override { tools::LoadUninstallList(names, commands); }
  void StartUninstaller(ListBox& names, ListBox& commands) override { tools::StartUninstaller(names, commands); }
  void EnableStartupEntry(const std::string& command, const std::string& title) override {
    tools::EnableStartupEntry(command, title);
  }
  void DisableStartupEntry(const std::string& command, const std::string& title) override {
    tools::DisableStartupEntry(command, title);
  }


  void LoadDllDrives(const DriveListBox& drives, TreeView& tree) override { tools::LoadDllDrives(drives, tree); }
  std::vector<std::string> CheckedDllDriveRoots(TreeView& tree) override { return tools::CheckedDllDriveRoots(tree); }
  void WalkDlls(const std::string& folder, bool system) override { frmClean().FindFilesAPI_DLL(folder, "*.dll", system); }
  void DropRegisteredServers(ListView& list, ListView& scratch, const std::string& windowsDir) override {
    tools::DropRegisteredServers(list, scratch, typeLibraries_, windowsDir);
  }
  void FindDllFiles(const std::string& root, ListBox& found) override { tools::FindDllFiles(root, "*.dll", found); }
  void ListUnreferencedDlls(ListBox& found, ListView& registered, ListView& unreferenced,
                            const std::string& windowsDir) override {
    tools::ListUnreferencedDlls(found, registered, unreferenced, typeLibraries_, windowsDir);
  }
  int DeleteCheckedDllRows(ListView& rows, int pathColumn, const std::string& backupFolder, int& notCopied) override {
    tools::RowDeletion done = tools::DeleteCheckedRows(rows, pathColumn, backupFolder);
    notCopied = done.notCopied;
    return done.removed;
  }
  std::string ArchiveName(const std::string& typed, platform::forms::Date now) override {
    return tools::ArchiveName(typed, now);
  }
  bool SaveBackUp(XceedBackup& main, BackupJob& job, FileSelection& selection, const std::string& backUps,
                  const std::string& name, const std::vector<std::string>& paths) override {
    return tools::SaveBackUp(main, job, selection, backUps, name, paths);
  }
  std::int32_t RestoreBackUp(XceedBackup& main, RestoreJob& job, FileSelection& selection, const std::string& backUps,
                             const std::string& name) override {
    return tools::RestoreBackUp(main, job, selection, backUps, name);
  }
  void LoadBackUps(DirListBox& folders, ListBox& names, const std::string& backUps) override {
    tools::LoadBackUps(folders, names, backUps);
  }
  void DeleteBackUp(const std::string& backUps, const std::string& name) override {
    tools::DeleteBackUp(backUps, name);
  }

 private:
  tools::StartUpManager startUp_;  // keeps the file's unreadable lines for this window
  tools::TypeLibraryClient typeLibraries_;  // the main window's one component, made on first use
};

}  // namespace

void ConnectSystemTools() {
  InstallSystemTools([] { return std::make_shared<Tools>(); });
}
