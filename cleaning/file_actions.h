#pragma once
// The file statements and file-system-object members the engine uses,
// over the kernel32 calls. Each returns 0 or the runtime error number the
// statement would raise (53 missing, 70 locked, 75 access, 76 no path ...);
// none of them throws but FileNumber's constructor.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/files/resolved_file.h"
#include "platform/files/runtime_files.h"

namespace cleaning {

// The short (8.3) form through a 256-character buffer, cut at the first
// NUL and trimmed; "" when the path does not exist or the short form does
// not fit.
std::string ShortPathOf(const std::string& path);

// The folder with a "\" at its end (added when missing, also to "").
std::string WithTrailingBackslash(std::string folder);

// The Windows and system folders asked afresh; "" when the call fails.
std::string CurrentWindowsFolder();
std::string CurrentSystemFolder();

// Attributes, or INVALID_FILE_ATTRIBUTES.
DWORD AttributesOf(const std::string& path);
bool FileExists(const std::string& path);
// Accepts a trailing "\".
bool FolderExists(const std::string& path);

// SetAttr path, vbNormal.
int SetAttrNormal(const std::string& path);
// The length as Open ... For Binary, LOF, Close give it (read/write, else
// read only); 64-bit.
int FileLength(const std::string& path, std::uint64_t& length);
// Kill path (files only).
int Kill(const std::string& path);
// The file-system object's DeleteFile(path, force).
int FsoDeleteFile(const std::string& path, bool force);
// The file-system object's DeleteFolder(path, force): the folder and all
// it holds; a trailing "\" gives 76, a drive root 70. Stops at the first
// failure (what was deleted stays deleted).
int FsoDeleteFolder(const std::string& path, bool force);
// The file-system object's CreateFolder (one level).
int FsoCreateFolder(const std::string& path);

// One file resolved once for the steps of its deletion: each step answers
// as the function above of the same name (runtime error numbers), without
// another look-up of the path.
class FileToDelete {
 public:
  explicit FileToDelete(const std::string& path) : file_(path) {}
  std::string ShortPath();
  DWORD Attributes() { return file_.Attributes(); }
  int SetAttrNormal();
  int FileLength(std::uint64_t& length);
  int Kill();

 private:
  friend class FolderToEmpty;
  FileToDelete() = default;

  platform::files::ResolvedFile file_;
};

// An Open file number, closed when the scope ends by return or by raise.
// The constructor raises the runtime error of the Open.
class FileNumber {
 public:
  FileNumber(const std::string& path, platform::vb::OpenMode mode,
             platform::vb::OpenAccess access = platform::vb::OpenAccess::Default)
      : number_(platform::vb::Open(path, mode, access)) {}
  ~FileNumber() { platform::vb::Close(number_); }
  FileNumber(const FileNumber&) = delete;
  FileNumber& operator=(const FileNumber&) = delete;
  int get() const { return number_; }

 private:
  int number_;
};

// The whole file through Open For Input; false when the runtime raised.
bool ReadWholeFile(const std::string& path, std::string& content);

// The text of a runtime error number.
std::string ErrorText(int number);

// One entry of a folder search.
struct FoundEntry {
  std::string name;  // long name
  DWORD attributes = 0;
  std::uint64_t size = 0;
  // The listing's own entry, while `visit` runs (FolderToEmpty only).
  const platform::files::Entry* listed = nullptr;
  bool isDirectory() const { return attributes & 0x10; }
};
// Calls `visit` for each entry of folder + pattern in the search's order
// ("." and ".." skipped); `visit` returns false to stop. The folder must end
// in "\". Returns the Win32 result of the search's start (0, 2 or 3 ...).
DWORD ForEachEntry(const std::string& folder, const std::string& pattern,
                   const std::function<bool(const FoundEntry&)>& visit);

// A folder resolved once for the deletion of its files: listed as
// ForEachEntry lists it, and each file found is deleted without another
// look-up of its path.
class FolderToEmpty {
 public:
  // `folder` ends in "\".
  explicit FolderToEmpty(const std::string& folder) : folder_(folder) {}
  // As ForEachEntry(folder, pattern, visit).
  DWORD ForEachEntry(const std::string& pattern, const std::function<bool(const FoundEntry&)>& visit);
  // A file entry of one of this folder's listings, in a record the next
  // call reuses.
  FileToDelete& File(const platform::files::Entry& entry) {
    folder_.File(entry, file_.file_);
    return file_;
  }
  // The entries of the last listing, in its order (kept until the next).
  const std::vector<platform::files::Entry>& listing() const { return entries_; }

 private:
  platform::files::ResolvedFolder folder_;
  std::vector<platform::files::Entry> entries_;
  FileToDelete file_;
};

}  // namespace cleaning
