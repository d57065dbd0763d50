#include "platform/taskscheduler/task_folder.h"

#include <algorithm>

#include "platform/base/cp1252.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
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

DWORD ListTaskFiles(std::vector<std::string>& names) {
  names.clear();
  if (!CurrentMachine()) return ERROR_NOT_READY;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((TasksFolder() + "\\*.job").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD rc = GetLastError();
    return rc == ERROR_FILE_NOT_FOUND || rc == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : rc;
  }
  do {
    std::string name = found.cFileName;
    // "*.job" also matches longer extensions through 8.3 names; keep the real ones.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() > 4 &&
        EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".job"))
      names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(), LessNoCase());
  return ERROR_SUCCESS;
}

DWORD DeleteTaskFile(std::string_view windowsPath) {
  return DeleteFileA(std::string(windowsPath).c_str()) ? ERROR_SUCCESS : GetLastError();
}

bool TaskFileExists(std::string_view windowsPath) {
  return GetFileAttributesA(std::string(windowsPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace platform::taskscheduler
