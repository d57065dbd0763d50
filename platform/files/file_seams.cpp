#include "platform/files/file_seams.h"

namespace platform::files {
namespace {

template <typename Action>
DWORD OnExistingFile(std::string_view windowsPath, Action action) {
  FileSystem* fs = CurrentFileSystem();
  if (!fs) return ERROR_NOT_READY;
  Resolved r;
  if (DWORD error = fs->Resolve(windowsPath, r)) return error;
  if (!r.exists) return ERROR_FILE_NOT_FOUND;
  action(*fs, r.key);
  return ERROR_SUCCESS;
}

}  // namespace

DWORD HoldFileByOtherProcess(std::string_view windowsPath, HoldMode mode) {
  return OnExistingFile(windowsPath, [mode](FileSystem& fs, const std::string& key) { fs.Hold(key, mode); });
}

DWORD ReleaseHeldFile(std::string_view windowsPath) {
  return OnExistingFile(windowsPath, [](FileSystem& fs, const std::string& key) { fs.Release(key); });
}

DWORD MarkFileInUse(std::string_view windowsPath) {
  return OnExistingFile(windowsPath, [](FileSystem& fs, const std::string& key) { fs.MarkInUse(key); });
}

void SetWriteBudget(std::optional<std::uint64_t> bytes) {
  if (FileSystem* fs = CurrentFileSystem()) fs->SetWriteBudget(bytes);
}

std::uint64_t PeakUsedBytes(char drive) {
  FileSystem* fs = CurrentFileSystem();
  return fs ? fs->PeakUsedBytes(drive) : 0;
}

void ResetPeakUsedBytes(char drive) {
  if (FileSystem* fs = CurrentFileSystem()) fs->ResetPeakUsedBytes(drive);
}

}  // namespace platform::files
