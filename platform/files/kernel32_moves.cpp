// Deleting, moving and copying files and folders.
#include "platform/files/call_result.h"
#include "platform/files/delayed_moves.h"
#include "platform/files/file_operations.h"
#include "platform/files/kernel32_files.h"

using namespace platform::files;

BOOL DeleteFileA(LPCSTR fileName) {
  if (!fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return RunBoolCall([&](FileSystem& fs) { return DeleteFileAt(fs, fileName); });
}

BOOL MoveFileA(LPCSTR existingFileName, LPCSTR newFileName) {
  if (!existingFileName || !newFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return RunBoolCall([&](FileSystem& fs) { return MoveEntry(fs, existingFileName, newFileName, false); });
}

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  return RunBoolCall([&](FileSystem& fs) -> DWORD {
    if (!fs.machine().isNt()) return ERROR_CALL_NOT_IMPLEMENTED;
    if (!existingFileName) return ERROR_INVALID_PARAMETER;
    if (flags & MOVEFILE_DELAY_UNTIL_REBOOT) return ScheduleMoveAtRestart(fs, existingFileName, newFileName, flags);
    if (!newFileName) return ERROR_INVALID_PARAMETER;
    return MoveEntry(fs, existingFileName, newFileName, (flags & MOVEFILE_REPLACE_EXISTING) != 0);
  });
}

BOOL CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists) {
  if (!existingFileName || !newFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return RunBoolCall([&](FileSystem& fs) { return CopyFileAt(fs, existingFileName, newFileName, failIfExists != 0); });
}
