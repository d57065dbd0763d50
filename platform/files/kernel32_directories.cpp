// Folders, current directories and the temporary folder.
#include "platform/base/cp1252.h"
#include "platform/files/call_result.h"
#include "platform/files/file_operations.h"
#include "platform/files/kernel32_files.h"
#include "platform/machine/environment.h"

using namespace platform::files;

BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES) {
  if (!pathName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return RunBoolCall([&](FileSystem& fs) { return CreateDirectoryAt(fs, pathName); });
}

BOOL RemoveDirectoryA(LPCSTR pathName) {
  if (!pathName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return RunBoolCall([&](FileSystem& fs) { return RemoveDirectoryAt(fs, pathName); });
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  if (!buffer && size > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  FileSystem* fs = CurrentFileSystem();
  if (!fs) {
    SetLastError(ERROR_NOT_READY);
    return 0;
  }
  return CopyOut(fs->CurrentDirectory(fs->currentDrive()), buffer, size);
}

BOOL SetCurrentDirectoryA(LPCSTR pathName) {
  if (!pathName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return RunBoolCall([&](FileSystem& fs) -> DWORD {
    Resolved r;
    if (DWORD error = fs.Resolve(pathName, r)) return error;
    if (!r.exists) return ERROR_FILE_NOT_FOUND;
    if (!r.isDirectory()) return ERROR_PATH_NOT_FOUND;
    if (DWORD error = fs.CheckCanRead(r)) return error;
    fs.SetCurrentDirectory(r.drive(), r.longPath);
    return ERROR_SUCCESS;
  });
}

DWORD GetTempPathA(DWORD size, LPSTR buffer) {
  if (!buffer && size > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  FileSystem* fs = CurrentFileSystem();
  if (!fs) {
    SetLastError(ERROR_NOT_READY);
    return 0;
  }
  bool nt = fs->machine().isNt();
  std::optional<std::string> folder;
  for (const char* name : {"TMP", "TEMP", nt ? "USERPROFILE" : nullptr}) {
    if (!name) break;
    folder = platform::EnvironmentValue(name);
    if (folder && !folder->empty()) break;
    folder.reset();
  }
  if (!folder) folder = nt ? fs->machine().folders().windows : fs->CurrentDirectory(fs->currentDrive());
  if (folder->empty() || folder->back() != '\\') *folder += '\\';
  return CopyOut(*folder, buffer, size);
}
