#pragma once
// One file of the bound machine resolved once and held (its folder's
// descriptor and its entry with the metadata): the steps of a deletion ask
// it instead of resolving the path again for each call. Each step answers
// and fails as the kernel32 call it stands for would on the same path.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/file_system.h"

namespace platform::files {

class ResolvedFile {
 public:
  // Nothing resolved yet (error() is ERROR_FILE_NOT_FOUND): a record for
  // ResolvedFolder::File to fill.
  ResolvedFile() = default;
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
  // GetFileSize: the length, or the Win32 error. The host is asked only
  // where its mode bits leave the open in doubt; else the length is the
  // one the look-up saw.
  DWORD Length(std::uint64_t& length);
  // As the single-file search and DeleteFileA of a removal by name: 2 when
  // it is gone or a folder (a listed file also when its folder was moved
  // away since), else what the search or the removal refused.
  DWORD Remove();

 private:
  friend class ResolvedFolder;

  FileSystem* fs_ = nullptr;
  Resolved resolved_;
  std::string shortPath_;  // given by a folder listing; "" to work it out
  DWORD error_ = ERROR_FILE_NOT_FOUND;
  std::uint64_t filledBy_ = 0;  // the ResolvedFolder whose file this is last; 0 = none
};

// A folder of the bound machine resolved once, proved still in place and
// held: it is listed through its descriptor, and each file the listing
// found becomes a ResolvedFile with no look-up of its own.
class ResolvedFolder {
 public:
  // `folder` with or without its trailing "\".
  explicit ResolvedFolder(std::string_view folder);

  DWORD error() const { return error_; }
  // As FindFirstFileA/FindNextFileA of the folder and `pattern`, "." and
  // ".." left out: the entries with the search's attributes, and the
  // search's result (2 when nothing matches).
  DWORD List(std::string_view pattern, std::vector<Entry>& out);
  // Makes `file` the file `entry` of one of this folder's listings. The
  // files of a big folder go one after another through one record, whose
  // storage is reused.
  void File(const Entry& entry, ResolvedFile& file);

 private:
  FileSystem* fs_ = nullptr;
  std::string text_;    // the folder as given, ending in "\"
  Resolved listing_;    // the folder's "*": its held folder, key and host path
  // Works out the folder's short form once; false when it has none.
  bool KnowShortPath();

  std::string shortPath_;  // the folder's short form, ending in "\"
  DWORD error_ = ERROR_SUCCESS;
  std::uint64_t id_;  // tells its files from another folder's
};

}  // namespace platform::files
