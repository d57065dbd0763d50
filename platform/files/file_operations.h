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
// DeleteFileAt on an entry already resolved: removed relative to its held
// folder (3 when the folder is no longer where it was found).
DWORD DeleteResolved(FileSystem& fs, const Resolved& r);
// Opens the resolved entry relative to its held folder, never through a
// link (3 when the folder moved, 5 when the host refuses); no checks.
DWORD OpenResolved(FileSystem& fs, const Resolved& r, int flags, UniqueFd& fd);
DWORD CreateDirectoryAt(FileSystem& fs, std::string_view path);
DWORD RemoveDirectoryAt(FileSystem& fs, std::string_view path);
DWORD SetAttributesAt(FileSystem& fs, std::string_view path, DWORD attributes);
DWORD SetAttributesOf(FileSystem& fs, const Resolved& r, DWORD attributes);
// What CreateFileA checks before it opens an existing or new entry.
DWORD CheckOpen(FileSystem& fs, const Resolved& r, DWORD access, DWORD share, DWORD disposition);
// The short (8.3) form of a resolved path, as GetShortPathNameA gives it.
DWORD ShortFormOf(FileSystem& fs, const Resolved& r, std::string& out);
// Rename or move a file or folder (folders within one drive).
DWORD MoveEntry(FileSystem& fs, std::string_view source, std::string_view destination, bool replaceExisting);
DWORD CopyFileAt(FileSystem& fs, std::string_view source, std::string_view destination, bool failIfExists);

DWORD ReadContent(FileSystem& fs, std::string_view path, std::string& bytes);
// Replaces the whole content atomically (the old content stays on failure).
DWORD WriteContent(FileSystem& fs, std::string_view path, std::string_view bytes);

// Sets a host file's modification time to the machine clock's now.
void StampWriteTime(FileSystem& fs, int fd);

}  // namespace platform::files
