// The extra plug-ins' part of a cleaning run: in one store cycle, each
// ticked installed plug-in's registry rows go to the executor and its
// folder rows, macros expanded, to the delete walker.
#include <vector>

#include "mainwindow/Form1.h"
#include "mainwindow/plugins/plugin_rows.h"
#include "mainwindow/plugins/plugin_store.h"
#include "mainwindow/plugins/whole_profile_reads.h"
#include "platform/files/kernel32_files.h"
#include "support/COpSysInfo.h"
#include "support/system_folders.h"

using namespace platform::forms;

namespace {

// A row the list showed when the run began.
struct PluginRow {
  std::string name;
  bool installed, ticked;
};

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsMissingRow(const std::string& value) {
  std::string text = Trim(value);
  return text.empty() || text == "0";
}

}  // namespace

std::string Form1Form::GetUnkown(const std::string& path) {
  const auto& os = g_OSInfo();
  return ExpandFolderMacros(path, {os.IsWin9x() || os.IsWinME(), g_AllUsersDir, g_UserProfileDir, g_WindowsDir});
}

std::int64_t Form1Form::EPI_Do_Plugins() {
  // The rows as they stand now: ticks given later wait for the next run.
  std::vector<PluginRow> rows;
  for (int i = 1; i <= LSTEPI.Count(); ++i) {
    const ListItem& row = LSTEPI.Item(i);
    rows.push_back({row.Text, row.SubItems(2) == "Installed", row.Checked});
  }
  if (extraPlugins_->storePath().empty() || rows.empty()) return 0;
  auto cycle = extraPlugins_->Open(true);
  if (!cycle->readable()) return 0;

  std::int64_t total = 0;
  bool written = true;  // a copy that missed a write is not enciphered back
  OnErrorResumeNext guard;
  for (const PluginRow& row : rows) {
    // A plug-in whose program is absent keeps its stored choice and never runs.
    if (!row.installed) continue;
    written = SetToINI(row.name, "Default", row.ticked ? "True" : "False") && written;
    if (!row.ticked) continue;
    guard([&] { total += RunExtraPlugin(row.name); });
    fcExtra += 1;
    CalcProg("Extra");
  }
  if (written) cycle->Commit();
  return total;
}

std::int64_t Form1Form::RunExtraPlugin(const std::string& name) {
  const std::string& copy = extraPlugins_->clearCopyPath();
  int keys = static_cast<int>(ReadProfileKeyNames(name, copy).size());
  int registryRows = StoredRowCount(GetFromINI(name, "RC"), keys);
  for (int n = 1; n <= registryRows; ++n) {
    std::string entry = GetFromINI(name, "RK" + std::to_string(n));
    if (!IsMissingRow(entry)) engine_->RunTraceEntry(entry);
  }
  std::int64_t total = 0;
  int folderRows = StoredRowCount(GetFromINI(name, "FC"), keys);
  for (int n = 1; n <= folderRows; ++n) {
    std::string row = GetFromINI(name, "FK" + std::to_string(n));
    if (!IsMissingRow(row)) total += RunFolderRow(name, row);
  }
  return total;
}

// A row whose text cannot be walked as it stands (a macro left, a relative
// path, no pattern) is skipped with its reason; any other reaches the
// engine's folder guard, which judges the folder or file it resolves to.
std::int64_t Form1Form::RunFolderRow(const std::string& name, const std::string& row) {
  StoredFolderRow split = SplitStoredFolderRow(row);
  std::string folder = GetUnkown(split.folder);
  if (folder.find("%APP%") != std::string::npos) {
    std::string data = engine_->ReadTraceValue(GetFromINI(name, "APP"));
    if (auto appFolder = AppFolderFromData(data, FolderExists)) folder = Replace(folder, "%APP%", *appFolder);
  }
  std::string problem = RowProblem(split, folder);
  if (!problem.empty()) {
    engine_->AddItem("Skipped: " + row + ": " + problem);
    return 0;
  }
  return split.singleFile ? engine_->DeleteOneFile(folder) : engine_->DeleteTreeFiles(folder, split.pattern);
}
