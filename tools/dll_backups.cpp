#include "tools/dll_backups.h"

#include <cmath>

#include "cleaning/file_actions.h"
#include "platform/base/cp1252.h"

namespace tools {
namespace {

using platform::activex::kBackupSuccess;

bool NotInFileName(unsigned char c) {
  return c < 32 || std::string_view("\\/:*?\"<>| ").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string DefaultName(platform::forms::Date now) {
  double day = std::floor(now);
  return platform::forms::DateText(day) + "_" + platform::forms::DateText(now - day);
}

std::string Sanitised(std::string name) {
  for (char& c : name)
    if (NotInFileName(static_cast<unsigned char>(c))) c = '-';
  // A trailing dot would be dropped from the folder's name.
  for (auto at = name.rbegin(); at != name.rend() && *at == '.'; ++at) *at = '-';
  return name;
}

}  // namespace

std::string ArchiveName(const std::string& typed, platform::forms::Date now) {
  bool onlyDots = typed.find_first_not_of('.') == std::string::npos;  // "" too
  return Sanitised(onlyDots ? DefaultName(now) : typed);
}

std::string FreeArchiveFolder(const std::string& backUps, std::string& name) {
  while (cleaning::AttributesOf(backUps + "\\" + name) != INVALID_FILE_ATTRIBUTES) name += "-";
  return backUps + "\\" + name;
}

bool SaveBackUp(platform::activex::XceedBackup& main, platform::activex::BackupJob& job,
                platform::activex::FileSelection& selection, const std::string& backUps, std::string name,
                const std::vector<std::string>& paths) {
  std::string folder = FreeArchiveFolder(backUps, name);
  if (cleaning::FsoCreateFolder(folder) != 0) return false;
  selection.Clear();
  for (const std::string& path : paths) selection.Add(path, true);
  job.Folder(folder);
  main.Folder(folder);
  job.ArchiveName(name);
  job.Compression(9);
  job.Password(kBackupPassword);
  job.Option(0);
  job.Selection(&selection);
  job.FullPaths(true);
  if (main.Backup(job) == kBackupSuccess) return true;
  cleaning::FsoDeleteFolder(folder, true);
  return false;
}

std::int32_t RestoreBackUp(platform::activex::XceedBackup& main, platform::activex::RestoreJob& job,
                           platform::activex::FileSelection& selection, const std::string& backUps,
                           const std::string& name) {
  std::string folder = backUps + "\\" + name;
  selection.Clear();
  selection.Add("*", true);
  selection.Restrict("*");
  main.Folder(folder);
  job.Folder(folder);
  if (std::int32_t code = main.Check(job.Folder(), selection); code != kBackupSuccess) return code;
  job.Selection(&selection);
  job.Password(kBackupPassword);
  job.Destination("");
  job.Overwrite(true);
  job.CreateFolders(true);
  job.RestorePaths(true);
  return main.Restore(job);
}

void LoadBackUps(platform::forms::DirListBox& folders, platform::forms::ListBox& names, const std::string& backUps) {
  folders.Path(backUps);
  folders.Refresh();
  names.Clear();
  std::string prefix = folders.Path() + "\\";
  for (int i = 0; i < folders.ListCount(); ++i) {
    std::string path = folders.List(i);
    bool below = path.size() > prefix.size() && platform::EqualsNoCase(path.substr(0, prefix.size()), prefix);
    names.AddItem(below ? path.substr(prefix.size()) : path);
  }
}

void DeleteBackUp(const std::string& backUps, const std::string& name) {
  cleaning::FsoDeleteFolder(backUps + "\\" + name, true);
}

}  // namespace tools
