#pragma once
// The task files of the machine: <Windows>\Tasks\<name>.job, reached only
// through the file layer (confinement, capacity, locks).
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"

namespace platform::taskscheduler {

// <Windows>\Tasks of the bound machine ("" when none is bound).
std::string TasksFolder();
std::string TaskFilePath(std::string_view fileName);

// The "*.job" names of the Tasks folder, sorted as listings are; a Win32
// error (3 when the folder is missing) otherwise.
DWORD ListTaskFiles(std::vector<std::string>& names);
DWORD ReadTaskFile(std::string_view windowsPath, std::string& content);
DWORD WriteTaskFile(std::string_view windowsPath, std::string_view content);
DWORD DeleteTaskFile(std::string_view windowsPath);
bool TaskFileExists(std::string_view windowsPath);

}  // namespace platform::taskscheduler
