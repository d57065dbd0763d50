#pragma once
// The file operations every front end shares (kernel32 calls, whole-file
// helpers, restart, runtime statements). Each returns 0 or the Win32 error
// and changes nothing when it fails.
#include <functional>
#include <string>
#include <string_view>

#include "platform/files/file_system.h"

namespace platform::files {

// 32 system-locked, 19 read-only drive, 5 no rights or read-only file,
// 32 held by another process, in use or open here without the share.
DWORD CheckFileWritable(FileSystem& fs, const Resolved& r);
// 5 no rights, 32 system-locked or held deny-all.
DWORD CheckFileReadable(FileSystem& fs, const Resolved& r);

DWORD DeleteFileAt(FileSystem& fs, std::string_view path);
DWORD CreateDirectoryAt(FileSystem& fs, std::string_view path);
DWORD RemoveDirectoryAt(FileSystem& fs, std::string_view path);
DWORD SetAttributesAt(FileSystem& fs, std::string_view path, DWORD attributes);
// Rename or move a file or folder (folders within one drive).
DWORD MoveEntry(FileSystem& fs, std::string_view source, std::string_view destination, bool replaceExisting);
DWORD CopyFileAt(FileSystem& fs, std::string_view source, std::string_view destination, bool failIfExists);

DWORD ReadContent(FileSystem& fs, std::string_view path, std::string& bytes);
// Replaces the whole content atomically (the old content stays on failure).
DWORD WriteContent(FileSystem& fs, std::string_view path, std::string_view bytes);

// Sets a host file's modification time to the machine clock's now.
void StampWriteTime(FileSystem& fs, int fd);

}  // namespace platform::files
