#include "platform/files/kernel32_files.h"
#include "platform/shell/shell32.h"

BOOL PathFileExistsA(LPCSTR path) {
  if (!path || !*path) return FALSE;
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
