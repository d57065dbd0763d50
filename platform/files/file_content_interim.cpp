// Interim whole-file access over the drive folders, replaced by the file
// layer's own implementation when it lands on this branch.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/files/file_content.h"
#include "platform/machine/builder.h"
#include "platform/machine/machine.h"

namespace platform::files {

DWORD ReadFileContent(std::string_view windowsPath, std::string& bytes) {
  Machine* machine = CurrentMachine();
  if (!machine) return ERROR_NOT_READY;
  std::filesystem::path path;
  try {
    path = HostPathForBuilder(machine->folder(), std::string(windowsPath));
  } catch (const std::exception&) {
    return ERROR_INVALID_NAME;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(path.parent_path(), ec)) return ERROR_PATH_NOT_FOUND;
  if (!std::filesystem::is_regular_file(path, ec)) return ERROR_FILE_NOT_FOUND;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  bytes = content.str();
  return ERROR_SUCCESS;
}

DWORD WriteFileContent(std::string_view windowsPath, std::string_view bytes) {
  Machine* machine = CurrentMachine();
  if (!machine) return ERROR_NOT_READY;
  std::filesystem::path path;
  try {
    path = HostPathForBuilder(machine->folder(), std::string(windowsPath));
  } catch (const std::exception&) {
    return ERROR_INVALID_NAME;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(path.parent_path(), ec)) return ERROR_PATH_NOT_FOUND;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

}  // namespace platform::files
