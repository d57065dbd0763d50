#include "platform/files/file_content.h"

#include "platform/files/file_operations.h"

namespace platform::files {

DWORD ReadFileContent(std::string_view windowsPath, std::string& bytes) {
  FileSystem* fs = CurrentFileSystem();
  if (!fs) return ERROR_NOT_READY;
  return ReadContent(*fs, windowsPath, bytes);
}

DWORD WriteFileContent(std::string_view windowsPath, std::string_view bytes) {
  FileSystem* fs = CurrentFileSystem();
  if (!fs) return ERROR_NOT_READY;
  return WriteContent(*fs, windowsPath, bytes);
}

}  // namespace platform::files
