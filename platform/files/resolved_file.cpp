#include "platform/files/resolved_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>

#include "platform/base/cp1252.h"
#include "platform/base/last_error.h"
#include "platform/files/file_metadata.h"
#include "platform/files/file_operations.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/wildcard.h"

namespace platform::files {

ResolvedFile::ResolvedFile(std::string_view path) : fs_(CurrentFileSystem()) {
  error_ = fs_ ? fs_->Resolve(path, resolved_) : ERROR_NOT_READY;
}

DWORD ResolvedFile::ShortPath(std::string& out) {
  if (error_) return error_;
  if (shortPath_.empty()) return ShortFormOf(*fs_, resolved_, out);
  out = shortPath_;
  return ERROR_SUCCESS;
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
  auto open = [&](DWORD access, int flags, std::uint8_t needed) {
    DWORD error = CheckOpen(*fs_, resolved_, access, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (error) return error;
    if ((resolved_.entry.hostAccess & needed) == needed) {
      length = resolved_.entry.size;
      return DWORD{ERROR_SUCCESS};
    }
    UniqueFd fd;
    if ((error = OpenResolved(*fs_, resolved_, flags, fd))) return error;
    struct stat st {};
    length = ::fstat(fd.get(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    return DWORD{ERROR_SUCCESS};
  };
  if (open(GENERIC_READ | GENERIC_WRITE, O_RDWR, kHostRead | kHostWrite) == ERROR_SUCCESS) return ERROR_SUCCESS;
  return open(GENERIC_READ, O_RDONLY, kHostRead);
}

DWORD ResolvedFile::Remove() {
  if (error_) return error_;
  if (!resolved_.exists || resolved_.isDirectory()) return ERROR_FILE_NOT_FOUND;
  // The search that finds the file by name reads its folder first.
  if (DWORD error = fs_->CheckCanRead(resolved_)) return error;
  DWORD error = DeleteResolved(*fs_, resolved_);
  // A search by name would no longer find a listed file whose folder left
  // its place: it is gone from where it was listed.
  if (error == ERROR_PATH_NOT_FOUND && !shortPath_.empty()) return ERROR_FILE_NOT_FOUND;
  return error;
}

namespace {
std::uint64_t NextFolderId() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}
}  // namespace

ResolvedFolder::ResolvedFolder(std::string_view folder)
    : fs_(CurrentFileSystem()), text_(folder), id_(NextFolderId()) {
  if (!fs_) {
    error_ = ERROR_NOT_READY;
    return;
  }
  if (text_.empty() || text_.back() != '\\') text_ += '\\';
  // Walked to as a search walks to its folder; a kept folder is proved
  // still in place once here, as a deleted one held open shows to no watch.
  for (int attempt = 0; attempt < 2; ++attempt) {
    error_ = fs_->Resolve(text_ + "*", listing_, true);
    if (error_ || fs_->FolderProvenInPlace(listing_)) break;
    fs_->ForgetKeptFolders();
    error_ = ERROR_PATH_NOT_FOUND;
  }
}

DWORD ResolvedFolder::List(std::string_view pattern, std::vector<Entry>& out) {
  out.clear();
  if (error_) return error_;
  if (!HasWildcard(pattern)) {
    // One entry named: what the search reports of it.
    ResolvedFile file(text_ + std::string(pattern));
    if (file.error()) return file.error();
    if (!file.exists()) return ERROR_FILE_NOT_FOUND;
    if (DWORD error = fs_->CheckCanRead(file.resolved())) return error;
    out.push_back(fs_->AsFound(file.resolved()));
    return ERROR_SUCCESS;
  }
  Resolved named = listing_;
  named.path.components.back() = std::string(pattern);
  const int fd = listing_.folder ? listing_.folder->fd.get() : -1;
  if (DWORD error = fs_->ListMatching(named, out, fd)) return error;
  return out.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

void ResolvedFolder::File(const Entry& entry, ResolvedFile& file) {
  if (error_ || !entry.openable || !KnowShortPath()) {
    file = ResolvedFile(text_ + entry.name);
    return;
  }
  // Assigned field by field: each string keeps the storage it had, and
  // what the folder gives is copied only when the record last held
  // another folder's file.
  Resolved& r = file.resolved_;
  const bool sameFolder = file.filledBy_ == id_;
  if (!sameFolder) {
    r.path = listing_.path;
    r.path.trailingSeparator = false;
    r.folderKey = listing_.folderKey;
    r.folder = listing_.folder;
    file.fs_ = fs_;
    file.filledBy_ = id_;
  }
  r.path.components.back() = entry.name;
  r.nameKey = entry.name;
  platform::UpperInPlace(r.nameKey);
  JoinKey(r.folderKey, r.nameKey, r.key);
  r.longPath.assign(listing_.longPath, 0, listing_.longPath.size() - 1);
  r.longPath += entry.name;
  if (sameFolder) {
    r.host.replace_filename(entry.hostName);
  } else {
    r.host = listing_.host;
    r.host /= entry.hostName;
  }
  r.exists = true;
  r.entry = entry;
  file.shortPath_.assign(shortPath_);
  file.shortPath_ += entry.alias.empty() ? entry.name : entry.alias;
  file.error_ = ERROR_SUCCESS;
}

bool ResolvedFolder::KnowShortPath() {
  if (!shortPath_.empty()) return true;
  // The folder's own short form, from the folder resolved as an entry.
  Resolved self = listing_;
  self.path.components.pop_back();
  self.longPath.resize(self.longPath.size() - 2);
  self.exists = true;
  if (self.path.components.empty()) self.longPath += '\\';
  if (ShortFormOf(*fs_, self, shortPath_) != ERROR_SUCCESS) {
    shortPath_.clear();
    return false;
  }
  if (shortPath_.back() != '\\') shortPath_ += '\\';
  return true;
}

}  // namespace platform::files
