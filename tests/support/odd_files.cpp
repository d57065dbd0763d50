#include "support/odd_files.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tessaly::testing {

const std::vector<OddFileCase>& OddFileCases() {
  static const std::vector<OddFileCase> cases = {
      {OddFile::NamedPipe, "named pipe", "a named pipe"},
      {OddFile::Device, "device", "a device"},
      {OddFile::Folder, "folder", "a folder"},
      {OddFile::DanglingLink, "dangling link", "a link"},
  };
  return cases;
}

bool PutOddFile(const std::filesystem::path& file, OddFile kind) {
  std::error_code ec;
  std::filesystem::remove_all(file, ec);
  std::filesystem::create_directories(file.parent_path(), ec);
  switch (kind) {
    case OddFile::NamedPipe: return ::mkfifo(file.c_str(), 0644) == 0;
    // The same numbers as /dev/null: harmless even if something opened it.
    case OddFile::Device: return ::mknod(file.c_str(), S_IFCHR | 0644, makedev(1, 3)) == 0;
    case OddFile::Folder: return std::filesystem::create_directory(file, ec);
    case OddFile::DanglingLink: return ::symlink("gone-for-good", file.c_str()) == 0;
  }
  return false;
}

}  // namespace tessaly::testing
