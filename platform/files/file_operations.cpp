#include "platform/files/file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdio.h>

#include <atomic>
#include <cerrno>

#include "platform/base/cp1252.h"
#include "platform/base/host_file.h"

namespace platform::files {
namespace {

constexpr DWORD kGenericWrite = 0x40000000;
constexpr std::size_t kCopyChunk = 1 << 16;

// rename(2) that never replaces an existing host entry: a name taken by
// something the layer does not show (a link, a fifo) stays taken.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

std::filesystem::path NewScratchFile(FileSystem& fs) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path folder = fs.scratchFolder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder / ("replace-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

// Writes a new content through a scratch file that replaces the target in
// one rename, so a failure at any point leaves the old content.
DWORD ReplaceContent(FileSystem& fs, const Resolved& target, std::uint64_t newSize,
                     const std::function<bool(int fd)>& writer, std::optional<DWORD> newAttributes) {
  std::uint64_t oldSize = target.exists ? target.entry.size : 0;
  if (DWORD error = fs.CheckGrowth(target.drive(), oldSize, newSize, newSize)) return error;
  std::filesystem::path scratch = NewScratchFile(fs);
  UniqueFd fd(::open(scratch.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
  if (!fd) return ERROR_ACCESS_DENIED;
  bool ok = writer(fd.get()) && ::fsync(fd.get()) == 0;
  if (ok) StampWriteTime(fs, fd.get());
  ok = fd.Close() && ok;
  if (ok) ok = target.exists ? ::rename(scratch.c_str(), target.host.c_str()) == 0 : RenameNoReplace(scratch, target.host);
  if (!ok) {
    ::unlink(scratch.c_str());
    return ERROR_ACCESS_DENIED;
  }
  fs.CommitGrowth(target.drive(), oldSize, newSize, newSize);
  if (!target.exists) {
    fs.RecordCreation(target.folderKey, target.nameKey, newAttributes.value_or(FILE_ATTRIBUTE_ARCHIVE) | FILE_ATTRIBUTE_ARCHIVE);
    fs.AssignAliasOnCreation(target.host.parent_path(), target.folderKey, target.entry.name);
  } else if (newAttributes) {
    fs.SetStoredAttributes(target.folderKey, target.nameKey, *newAttributes | FILE_ATTRIBUTE_ARCHIVE);
  } else {
    fs.MarkWritten(target);
  }
  return ERROR_SUCCESS;
}

}  // namespace

void StampWriteTime(FileSystem& fs, int fd) {
  std::int64_t units = fs.machine().clock().NowUtc() - kUnixEpochAsFileTime;
  struct timespec times[2];
  times[0].tv_sec = static_cast<time_t>(units / 10000000);
  times[0].tv_nsec = static_cast<long>(units % 10000000) * 100;
  times[1] = times[0];
  ::futimens(fd, times);
}

DWORD CheckFileWritable(FileSystem& fs, const Resolved& r) {
  if (fs.IsSystemLocked(r)) return ERROR_SHARING_VIOLATION;
  if (DWORD error = fs.CheckCanModify(r)) return error;
  if (r.exists && (fs.AttributesOf(r) & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
  if (fs.HeldMode(r.key)) return ERROR_SHARING_VIOLATION;
  if (fs.IsInUse(r.key)) return ERROR_SHARING_VIOLATION;
  return fs.CheckOwnHandles(r.key, kGenericWrite, 0x7);
}

DWORD CheckFileReadable(FileSystem& fs, const Resolved& r) {
  if (fs.IsSystemLocked(r)) return ERROR_SHARING_VIOLATION;
  if (DWORD error = fs.CheckCanRead(r)) return error;
  if (fs.HeldMode(r.key) == HoldMode::DenyAll) return ERROR_SHARING_VIOLATION;
  return ERROR_SUCCESS;
}

DWORD DeleteFileAt(FileSystem& fs, std::string_view path) {
  Resolved r;
  if (DWORD error = fs.Resolve(path, r)) return error;
  return DeleteResolved(fs, r);
}

DWORD DeleteResolved(FileSystem& fs, const Resolved& r) {
  if (!r.exists) return ERROR_FILE_NOT_FOUND;
  if (r.isDirectory()) return ERROR_ACCESS_DENIED;
  if (fs.IsSystemLocked(r)) return ERROR_SHARING_VIOLATION;
  if (DWORD error = fs.CheckCanModify(r)) return error;
  if (fs.AttributesOf(r) & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
  if (fs.HeldMode(r.key)) return ERROR_SHARING_VIOLATION;
  if (DWORD error = fs.CheckOwnHandles(r.key, 0, 0, true)) return error;
  if (fs.IsInUse(r.key)) return ERROR_ACCESS_DENIED;
  if (!r.folder || !fs.FolderStillInPlace(r)) return ERROR_PATH_NOT_FOUND;
  if (::unlinkat(r.folder->fd.get(), r.entry.hostName.c_str(), 0) != 0)
    return errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;  // gone since it was found
  fs.CommitGrowth(r.drive(), r.entry.size, 0, 0);
  fs.metadata().Remove(r.folderKey, r.nameKey);
  return ERROR_SUCCESS;
}

DWORD OpenResolved(FileSystem& fs, const Resolved& r, int flags, UniqueFd& fd) {
  if (!r.folder || !fs.FolderStillInPlace(r)) return ERROR_PATH_NOT_FOUND;
  fd = UniqueFd(::openat(r.folder->fd.get(), r.entry.hostName.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0644));
  return fd ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

DWORD CreateDirectoryAt(FileSystem& fs, std::string_view path) {
  Resolved r;
  if (DWORD error = fs.Resolve(path, r)) return error;
  if (r.exists) return ERROR_ALREADY_EXISTS;
  if (DWORD error = fs.CheckCanModify(r)) return error;
  if (::mkdir(r.host.c_str(), 0755) != 0) return errno == EEXIST ? ERROR_ALREADY_EXISTS : ERROR_ACCESS_DENIED;
  fs.RecordCreation(r.folderKey, r.nameKey, 0);
  fs.AssignAliasOnCreation(r.host.parent_path(), r.folderKey, r.entry.name);
  return ERROR_SUCCESS;
}

DWORD RemoveDirectoryAt(FileSystem& fs, std::string_view path) {
  Resolved r;
  if (DWORD error = fs.Resolve(path, r)) return error;
  if (!r.exists) return ERROR_FILE_NOT_FOUND;
  if (r.isRoot() || !r.isDirectory()) return ERROR_ACCESS_DENIED;
  if (DWORD error = fs.CheckCanModify(r)) return error;
  if (fs.AttributesOf(r) & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
  if (::rmdir(r.host.c_str()) != 0)
    return (errno == ENOTEMPTY || errno == EEXIST) ? ERROR_DIR_NOT_EMPTY : ERROR_ACCESS_DENIED;
  fs.metadata().Remove(r.folderKey, r.nameKey);
  return ERROR_SUCCESS;
}

DWORD SetAttributesAt(FileSystem& fs, std::string_view path, DWORD attributes) {
  Resolved r;
  if (DWORD error = fs.Resolve(path, r)) return error;
  return SetAttributesOf(fs, r, attributes);
}

DWORD SetAttributesOf(FileSystem& fs, const Resolved& r, DWORD attributes) {
  if (!r.exists) return ERROR_FILE_NOT_FOUND;
  if (r.isRoot()) return ERROR_ACCESS_DENIED;
  if (fs.IsSystemLocked(r)) return ERROR_SHARING_VIOLATION;
  if (DWORD error = fs.CheckCanModify(r)) return error;
  fs.SetStoredAttributes(r.folderKey, r.nameKey, attributes & kStoredAttributes);
  return ERROR_SUCCESS;
}

DWORD MoveEntry(FileSystem& fs, std::string_view source, std::string_view destination, bool replaceExisting) {
  Resolved from, to;
  if (DWORD error = fs.Resolve(source, from)) return error;
  if (!from.exists) return ERROR_FILE_NOT_FOUND;
  if (from.isRoot()) return ERROR_ACCESS_DENIED;
  if (DWORD error = fs.Resolve(destination, to)) return error;
  if (to.isRoot()) return ERROR_ALREADY_EXISTS;
  if (fs.IsSystemLocked(from)) return ERROR_SHARING_VIOLATION;
  if (fs.HeldMode(from.key)) return ERROR_SHARING_VIOLATION;
  if (DWORD error = fs.CheckOwnHandles(from.key, 0, 0, true)) return error;
  if (DWORD error = fs.CheckCanModify(from)) return error;
  if (DWORD error = fs.CheckCanModify(to)) return error;
  // A folder cannot move into itself.
  if (to.key.size() > from.key.size() && to.key.compare(0, from.key.size(), from.key) == 0 &&
      to.key[from.key.size()] == '\\')
    return ERROR_ACCESS_DENIED;

  bool sameEntry = to.exists && to.key == from.key;
  if (to.exists && !sameEntry) {
    if (!replaceExisting) return ERROR_ALREADY_EXISTS;
    if (to.isDirectory() || from.isDirectory()) return ERROR_ACCESS_DENIED;
    if (DWORD error = CheckFileWritable(fs, to)) return error;
  }
  const std::string& newName = to.path.components.back();
  std::filesystem::path newHost = to.host.parent_path() / Cp1252ToUtf8(newName);

  if (from.drive() != to.drive()) {
    if (from.isDirectory() || fs.IsInUse(from.key)) return ERROR_ACCESS_DENIED;
    if (fs.AttributesOf(from) & FILE_ATTRIBUTE_READONLY) {
      // Moving between drives deletes the source, which read-only forbids.
      return ERROR_ACCESS_DENIED;
    }
    DWORD attributes = fs.AttributesOf(from) & kStoredAttributes;
    std::optional<std::int64_t> created;
    if (const FileMeta* meta = fs.metadata().Find(from.folderKey, from.nameKey)) created = meta->creationTime;
    if (DWORD error = CopyFileAt(fs, source, destination, false)) return error;
    if (DWORD error = DeleteFileAt(fs, source)) return error;
    Resolved copied;
    if (fs.Resolve(destination, copied) == ERROR_SUCCESS && copied.exists) {
      fs.SetStoredAttributes(copied.folderKey, copied.nameKey, attributes);
      if (created) fs.metadata().Edit(copied.folderKey, copied.nameKey).creationTime = created;
    }
    return ERROR_SUCCESS;
  }

  std::filesystem::path target = to.exists ? to.host : newHost;
  if (!sameEntry) {
    bool moved = to.exists ? ::rename(from.host.c_str(), target.c_str()) == 0 : RenameNoReplace(from.host, target);
    if (!moved) return ERROR_ACCESS_DENIED;
  }
  // The new spelling (also a change of case only).
  if (target != newHost && !RenameNoReplace(target, newHost)) newHost = target;
  if (to.exists && !sameEntry) fs.CommitGrowth(to.drive(), to.entry.size, 0, 0);
  std::string newNameKey = ToUpper(newName);
  fs.metadata().Move(from.folderKey, from.nameKey, to.folderKey, newNameKey);
  fs.AssignAliasOnCreation(newHost.parent_path(), to.folderKey, newName);
  return ERROR_SUCCESS;
}

DWORD CopyFileAt(FileSystem& fs, std::string_view source, std::string_view destination, bool failIfExists) {
  Resolved from, to;
  if (DWORD error = fs.Resolve(source, from)) return error;
  if (!from.exists) return ERROR_FILE_NOT_FOUND;
  if (from.isDirectory()) return ERROR_ACCESS_DENIED;
  if (DWORD error = CheckFileReadable(fs, from)) return error;
  if (DWORD error = fs.Resolve(destination, to)) return error;
  if (to.isDirectory()) return ERROR_ACCESS_DENIED;
  if (to.exists) {
    if (failIfExists) return ERROR_FILE_EXISTS;
    if (to.key == from.key) return ERROR_SHARING_VIOLATION;
    if (DWORD error = CheckFileWritable(fs, to)) return error;
  } else if (DWORD error = fs.CheckCanModify(to)) {
    return error;
  }
  UniqueFd in(::open(from.host.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!in) return ERROR_ACCESS_DENIED;
  struct stat st {};
  if (::fstat(in.get(), &st) != 0) return ERROR_ACCESS_DENIED;
  auto copy = [&](int out) {
    std::string buffer(kCopyChunk, '\0');
    for (;;) {
      ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) return true;
      if (!WriteAllToHost(out, buffer.data(), static_cast<std::size_t>(n))) return false;
    }
  };
  DWORD attributes = (fs.AttributesOf(from) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) | FILE_ATTRIBUTE_ARCHIVE;
  return ReplaceContent(fs, to, static_cast<std::uint64_t>(st.st_size), copy, attributes);
}

DWORD ReadContent(FileSystem& fs, std::string_view path, std::string& bytes) {
  Resolved r;
  if (DWORD error = fs.Resolve(path, r)) return error;
  if (!r.exists) return ERROR_FILE_NOT_FOUND;
  if (r.isDirectory()) return ERROR_ACCESS_DENIED;
  if (DWORD error = CheckFileReadable(fs, r)) return error;
  UniqueFd fd(::open(r.host.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd) return ERROR_FILE_NOT_FOUND;
  std::string data;
  char buffer[1 << 14];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ERROR_ACCESS_DENIED;
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  bytes = std::move(data);
  return ERROR_SUCCESS;
}

DWORD WriteContent(FileSystem& fs, std::string_view path, std::string_view bytes) {
  Resolved r;
  if (DWORD error = fs.Resolve(path, r)) return error;
  if (r.isDirectory()) return ERROR_ACCESS_DENIED;
  if (DWORD error = r.exists ? CheckFileWritable(fs, r) : fs.CheckCanModify(r)) return error;
  auto write = [&](int fd) { return WriteAllToHost(fd, bytes.data(), bytes.size()); };
  return ReplaceContent(fs, r, bytes.size(), write, std::nullopt);
}

}  // namespace platform::files
