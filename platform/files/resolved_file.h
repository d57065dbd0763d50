#pragma once
// One file of the bound machine resolved once and held (its folder's
// descriptor and its entry with the metadata): the steps of a deletion ask
// it instead of resolving the path again for each call. Each step answers
// and fails as the kernel32 call it stands for would on the same path.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files/file_system.h"

namespace platform::files {

class ResolvedFile {
 public:
  // Resolves `path` on the bound machine; error() holds the Win32 result.
  explicit ResolvedFile(std::string_view path);

  DWORD error() const { return error_; }
  bool exists() const { return !error_ && resolved_.exists; }
  const Resolved& resolved() const { return resolved_; }

  // As GetShortPathNameA: the short form, or the Win32 error.
  DWORD ShortPath(std::string& out);
  // As GetFileAttributesA (INVALID_FILE_ATTRIBUTES and the last error set).
  DWORD Attributes();
  // As SetFileAttributesA; the Win32 result.
  DWORD SetAttributes(DWORD attributes);
  // As CreateFileA for reading and writing, else for reading only, then
  // GetFileSize: the length from the opened file, or the Win32 error.
  DWORD Length(std::uint64_t& length);
  // As the single-file search and DeleteFileA of a removal by name: 2 when
  // it is gone or a folder, else what the search or the removal refused.
  DWORD Remove();

 private:
  FileSystem* fs_ = nullptr;
  Resolved resolved_;
  DWORD error_ = ERROR_SUCCESS;
};

}  // namespace platform::files
