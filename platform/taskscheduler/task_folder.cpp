#include "platform/taskscheduler/task_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/base/cp1252.h"
#include "platform/files/file_content.h"
#include "platform/machine/builder.h"
#include "platform/machine/machine.h"

namespace platform::taskscheduler {

std::string TasksFolder() {
  Machine* machine = CurrentMachine();
  return machine ? machine->folders().windows + "\\Tasks" : std::string();
}

std::string TaskFilePath(std::string_view fileName) { return TasksFolder() + "\\" + std::string(fileName); }

DWORD ReadTaskFile(std::string_view windowsPath, std::string& content) {
  return files::ReadFileContent(windowsPath, content);
}

DWORD WriteTaskFile(std::string_view windowsPath, std::string_view content) {
  return files::WriteFileContent(windowsPath, content);
}

// Interim: listing and deleting go to the host folder directly until the
// kernel32 find and delete calls are on this branch.
namespace {
std::filesystem::path HostPath(std::string_view windowsPath) {
  return HostPathForBuilder(CurrentMachine()->folder(), std::string(windowsPath));
}
}  // namespace

DWORD ListTaskFiles(std::vector<std::string>& names) {
  names.clear();
  if (!CurrentMachine()) return ERROR_NOT_READY;
  std::error_code ec;
  std::filesystem::path folder = HostPath(TasksFolder());
  if (!std::filesystem::is_directory(folder, ec)) return ERROR_PATH_NOT_FOUND;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    std::string name = Utf8ToCp1252Lossy(entry.path().filename().string());
    if (name.size() > 4 && EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".job")) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), LessNoCase());
  return ERROR_SUCCESS;
}

DWORD DeleteTaskFile(std::string_view windowsPath) {
  if (!CurrentMachine()) return ERROR_NOT_READY;
  std::error_code ec;
  auto path = HostPath(windowsPath);
  if (!std::filesystem::is_regular_file(path, ec)) return ERROR_FILE_NOT_FOUND;
  return std::filesystem::remove(path, ec) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

bool TaskFileExists(std::string_view windowsPath) {
  std::string content;
  return ReadTaskFile(windowsPath, content) == ERROR_SUCCESS;
}

}  // namespace platform::taskscheduler
