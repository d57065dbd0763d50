#include "platform/files/resolved_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/base/last_error.h"
#include "platform/files/file_operations.h"
#include "platform/files/kernel32_files.h"

namespace platform::files {

ResolvedFile::ResolvedFile(std::string_view path) : fs_(CurrentFileSystem()) {
  error_ = fs_ ? fs_->Resolve(path, resolved_) : ERROR_NOT_READY;
}

DWORD ResolvedFile::ShortPath(std::string& out) {
  return error_ ? error_ : ShortFormOf(*fs_, resolved_, out);
}

DWORD ResolvedFile::Attributes() {
  DWORD error = error_ ? error_ : (resolved_.exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
  if (error) {
    SetLastError(error);
    return INVALID_FILE_ATTRIBUTES;
  }
  return fs_->AttributesOf(resolved_);
}

DWORD ResolvedFile::SetAttributes(DWORD attributes) {
  return error_ ? error_ : SetAttributesOf(*fs_, resolved_, attributes);
}

DWORD ResolvedFile::Length(std::uint64_t& length) {
  if (error_) return error_;
  // Read-write first, read-only after, as Open For Binary tries them.
  DWORD error = CheckOpen(*fs_, resolved_, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          OPEN_EXISTING);
  UniqueFd fd;
  if (!error) error = OpenResolved(*fs_, resolved_, O_RDWR, fd);
  if (error) {
    error = CheckOpen(*fs_, resolved_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!error) error = OpenResolved(*fs_, resolved_, O_RDONLY, fd);
  }
  if (error) return error;
  struct stat st {};
  length = ::fstat(fd.get(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  return ERROR_SUCCESS;
}

DWORD ResolvedFile::Remove() {
  if (error_) return error_;
  if (!resolved_.exists || resolved_.isDirectory()) return ERROR_FILE_NOT_FOUND;
  // The search that finds the file by name reads its folder first.
  if (DWORD error = fs_->CheckCanRead(resolved_)) return error;
  return DeleteResolved(*fs_, resolved_);
}

}  // namespace platform::files
