// The four file walkers of the engine form over the shared walk.
#include "cleaning/Delete.h"
#include "cleaning/file_actions.h"
#include "cleaning/file_walk.h"
#include "cleaning/frmClean.h"
#include "mainwindow/Form1.h"
#include "platform/base/cp1252.h"
#include "platform/forms/strings.h"
#include "support/system_folders.h"

using namespace cleaning;

namespace {

constexpr std::uint64_t kKilobyte = 1024;

bool Blank(const std::string& folder) { return platform::forms::Trim(folder).empty(); }

// Whether `path` holds the system folder at a path-component boundary
// (ignoring case). An unknown system folder matches everything, so no
// subfolder is entered rather than the system folder by mistake.
bool ContainsSystemFolder(const std::string& path) {
  std::string system = platform::ToUpper(g_SystemDir);
  while (!system.empty() && system.back() == '\\') system.pop_back();
  if (system.empty()) return true;
  std::string upper = platform::ToUpper(path);
  for (std::size_t at = upper.find(system); at != std::string::npos; at = upper.find(system, at + 1)) {
    bool startsComponent = at == 0 || upper[at - 1] == '\\';
    std::size_t end = at + system.size();
    bool endsComponent = end == upper.size() || upper[end] == '\\';
    if (startsComponent && endsComponent) return true;
  }
  return false;
}

bool IsExcludedDllFolder(const std::string& path) {
  auto& excluded = Form1().lstDllFolders;
  for (int i = 0; i < excluded.ListCount(); ++i)
    if (excluded.List(i) == path) return true;
  return false;
}

}  // namespace

std::int32_t FrmCleanForm::FindFilesAPI_Del(std::string folder, std::string pattern, std::string lower,
                                            std::string upper) {
  SizeBounds bounds(lower, upper, kKilobyte);
  if (Blank(folder) || !bounds.valid()) return 0;
  WalkActions actions;
  actions.onListedFile = [&](const std::string& path, std::uint64_t size, FileToDelete& file, std::uint64_t& total) {
    if (!bounds.Takes(size)) return;
    // Not forced: a read-only file is refused. The removal's own result
    // tells whether the file is gone.
    if (file.Kill() != 0) return;
    AddItem(std::string(path));
    total += size;
  };
  return ClampedBytes(WalkFiles(folder, pattern, actions));
}

std::int32_t FrmCleanForm::FindFilesAPI_Shred(std::string folder, std::string pattern, std::string lower,
                                              std::string upper) {
  SizeBounds bounds(lower, upper, 1);
  if (Blank(folder) || !bounds.valid()) return 0;
  WalkActions actions;
  actions.onListedFile = [&](const std::string& path, std::uint64_t size, FileToDelete& file, std::uint64_t& total) {
    if (!bounds.Takes(size)) return;
    std::uint64_t length = 0;
    if (!Delete().ShredFile(path, length, false, &file)) return;
    total += size;
    auto& main = Form1();
    main.ShredBytesDone += static_cast<double>(size);
    if (main.ShredBytesTotal != 0)
      main.ShredProg.Value(static_cast<float>(100 * main.ShredBytesDone / main.ShredBytesTotal));
  };
  actions.afterSubfolder = [](const std::string& subfolder) { FsoDeleteFolder(subfolder, false); };
  return ClampedBytes(WalkFiles(folder, pattern, actions));
}

std::int32_t FrmCleanForm::FindFilesAPI_DLL(std::string folder, std::string pattern, bool system) {
  if (Blank(folder)) return 0;
  WalkActions actions;
  actions.stopped = [] { return Form1().StopDllNow; };
  actions.enter = [](const std::string& subfolder) {
    return !ContainsSystemFolder(subfolder) && !IsExcludedDllFolder(subfolder);
  };
  actions.onFile = [&](const std::string& path, std::uint64_t, std::uint64_t&) {
    bool flag = system;
    Form1().AddToDllList(path, flag);
  };
  WalkFiles(folder, pattern, actions);
  return 0;
}

std::int32_t FrmCleanForm::FindFilesAP2_Shortcuts(const std::string& folder, const std::string& pattern) {
  if (Blank(folder)) return 0;
  WalkActions actions;
  actions.onListedFile = [&](const std::string& path, std::uint64_t size, FileToDelete& file, std::uint64_t& total) {
    if (ShortcutTargetExists(path)) return;
    if (file.Kill() == 0) total += size;
  };
  return ClampedBytes(WalkFiles(folder, pattern, actions));
}
