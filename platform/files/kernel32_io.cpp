// CreateFileA and the calls on file handles. Share modes apply between this
// process's handles and against files another process holds.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/files/call_result.h"
#include "platform/files/file_operations.h"
#include "platform/files/kernel32_files.h"

namespace platform::files {
namespace {

class FileHandle : public KernelObject {
 public:
  FileHandle(const std::shared_ptr<OpenTable>& table, const Resolved& r, int fd, DWORD access, DWORD share)
      : table_(table), key(r.key), folderKey(r.folderKey), nameKey(r.nameKey), drive(r.drive()), fd(fd) {
    record.access = access;
    record.share = share;
    table->byKey.emplace(key, &record);
  }
  ~FileHandle() override {
    ::close(fd);
    if (auto table = table_.lock()) {
      auto range = table->byKey.equal_range(key);
      for (auto it = range.first; it != range.second; ++it)
        if (it->second == &record) {
          table->byKey.erase(it);
          break;
        }
    }
  }
  // The handle belongs to the bound machine's files area.
  bool BelongsTo(const FileSystem& fs) const { return table_.lock() == fs.openTable(); }

  std::weak_ptr<OpenTable> table_;
  OpenRecord record;
  std::string key, folderKey, nameKey;
  char drive;
  int fd;
  std::uint64_t position = 0;
};

// The handle and its machine's files area, or null with 6.
FileHandle* HandleOf(HANDLE handle, FileSystem*& fs) {
  auto* file = LookupKernelObjectAs<FileHandle>(handle);
  fs = CurrentFileSystem();
  if (!file || !fs || !file->BelongsTo(*fs)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return file;
}

std::uint64_t SizeOf(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

void MarkHandleWritten(FileSystem& fs, const FileHandle& file) {
  const FileMeta* meta = fs.metadata().Find(file.folderKey, file.nameKey);
  DWORD current = StoredOrDefaultAttributes(meta, false) & kStoredAttributes;
  if (!(current & FILE_ATTRIBUTE_ARCHIVE)) fs.SetStoredAttributes(file.folderKey, file.nameKey, current | FILE_ATTRIBUTE_ARCHIVE);
}

}  // namespace

DWORD CheckOpen(FileSystem& fs, const Resolved& r, DWORD access, DWORD share, DWORD disposition) {
  bool wantWrite = (access & GENERIC_WRITE) != 0;
  bool truncates = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  if (r.isDirectory()) return ERROR_ACCESS_DENIED;
  if (!r.exists) {
    if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) return ERROR_FILE_NOT_FOUND;
    return fs.CheckCanModify(r);
  }
  if (disposition == CREATE_NEW) return ERROR_FILE_EXISTS;
  if (fs.IsSystemLocked(r)) return ERROR_SHARING_VIOLATION;
  if (DWORD error = fs.CheckCanRead(r)) return error;
  auto held = fs.HeldMode(r.key);
  if (held == HoldMode::DenyAll || (held && (wantWrite || truncates))) return ERROR_SHARING_VIOLATION;
  if (wantWrite || truncates) {
    if (DWORD error = fs.CheckCanModify(r)) return error;
    if (fs.AttributesOf(r) & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
    if (fs.IsInUse(r.key)) return ERROR_SHARING_VIOLATION;
  }
  return fs.CheckOwnHandles(r.key, access, share);
}

namespace {

// The handle of a read or write: checks the arguments and the handle's
// access, zeroes the count done; null (last error set) when the call fails.
FileHandle* TransferHandle(HANDLE handle, FileSystem*& fs, const void* buffer, DWORD count, DWORD* done,
                           DWORD access) {
  FileHandle* file = HandleOf(handle, fs);
  if (!file) return nullptr;
  if (!done || (!buffer && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  *done = 0;
  if (!(file->record.access & access)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return file;
}

}  // namespace
}  // namespace platform::files

using namespace platform::files;

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE) {
  if (!fileName || creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  FileSystem* fs = CurrentFileSystem();
  Resolved r;
  DWORD error = fs ? fs->Resolve(fileName, r) : ERROR_NOT_READY;
  if (error == ERROR_SUCCESS) error = CheckOpen(*fs, r, desiredAccess, shareMode, creationDisposition);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  bool wantWrite = (desiredAccess & GENERIC_WRITE) != 0;
  int flags = (wantWrite ? O_RDWR : O_RDONLY) | O_NOFOLLOW | O_CLOEXEC;
  if (!r.exists) flags |= O_CREAT | O_EXCL;
  platform::UniqueFd opened;
  if (DWORD failure = OpenResolved(*fs, r, flags, opened)) {
    SetLastError(failure);
    return INVALID_HANDLE_VALUE;
  }
  int fd = opened.release();
  bool truncates = creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
  if (!r.exists) {
    fs->RecordCreation(r.folderKey, r.nameKey, (flagsAndAttributes & kStoredAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    fs->AssignAliasOnCreation(r.host.parent_path(), r.folderKey, r.entry.name);
    StampWriteTime(*fs, fd);
  } else if (truncates && r.entry.size > 0) {
    if (::ftruncate(fd, 0) != 0) {
      ::close(fd);
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    fs->CommitGrowth(r.drive(), r.entry.size, 0, 0);
    fs->MarkWritten(r);
    StampWriteTime(*fs, fd);
  }
  auto file = std::make_unique<FileHandle>(fs->openTable(), r, fd, desiredAccess, shareMode);
  bool existed = r.exists && (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return platform::RegisterKernelObject(std::move(file));
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesRead, OVERLAPPED*) {
  FileSystem* fs = nullptr;
  FileHandle* file = TransferHandle(handle, fs, buffer, bytesToRead, bytesRead, GENERIC_READ);
  if (!file) return FALSE;
  DWORD done = 0;
  while (done < bytesToRead) {
    ssize_t n = ::pread(file->fd, static_cast<char*>(buffer) + done, bytesToRead - done,
                        static_cast<off_t>(file->position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  file->position += done;
  *bytesRead = done;
  return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten, OVERLAPPED*) {
  FileSystem* fs = nullptr;
  FileHandle* file = TransferHandle(handle, fs, buffer, bytesToWrite, bytesWritten, GENERIC_WRITE);
  if (!file) return FALSE;
  std::uint64_t oldSize = SizeOf(file->fd);
  std::uint64_t newSize = std::max(oldSize, file->position + bytesToWrite);
  if (DWORD error = fs->CheckGrowth(file->drive, oldSize, newSize, bytesToWrite)) {
    SetLastError(error);
    return FALSE;
  }
  DWORD done = 0;
  while (done < bytesToWrite) {
    ssize_t n = ::pwrite(file->fd, static_cast<const char*>(buffer) + done, bytesToWrite - done,
                         static_cast<off_t>(file->position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Undo a partial write so the file keeps its old size.
      if (::ftruncate(file->fd, static_cast<off_t>(oldSize)) != 0) {}
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    done += static_cast<DWORD>(n);
  }
  fs->CommitGrowth(file->drive, oldSize, newSize, bytesToWrite);
  file->position += done;
  *bytesWritten = done;
  if (done > 0) {
    StampWriteTime(*fs, file->fd);
    MarkHandleWritten(*fs, *file);
  }
  return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distanceToMove, LONG* distanceToMoveHigh, DWORD moveMethod) {
  FileSystem* fs = nullptr;
  FileHandle* file = HandleOf(handle, fs);
  if (!file) return INVALID_SET_FILE_POINTER;
  std::int64_t distance = distanceToMoveHigh
                              ? static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*distanceToMoveHigh)) << 32) |
                                                          static_cast<DWORD>(distanceToMove))
                              : distanceToMove;
  std::int64_t base = 0;
  switch (moveMethod) {
    case FILE_BEGIN:
      break;
    case FILE_CURRENT:
      base = static_cast<std::int64_t>(file->position);
      break;
    case FILE_END:
      base = static_cast<std::int64_t>(SizeOf(file->fd));
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_SET_FILE_POINTER;
  }
  std::int64_t target = base + distance;
  if (target < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  file->position = static_cast<std::uint64_t>(target);
  if (distanceToMoveHigh) *distanceToMoveHigh = static_cast<LONG>(file->position >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(file->position & 0xFFFFFFFFu);
}

DWORD GetFileSize(HANDLE handle, DWORD* fileSizeHigh) {
  FileSystem* fs = nullptr;
  FileHandle* file = HandleOf(handle, fs);
  if (!file) return INVALID_FILE_SIZE;
  std::uint64_t size = SizeOf(file->fd);
  if (fileSizeHigh) *fileSizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL SetEndOfFile(HANDLE handle) {
  FileSystem* fs = nullptr;
  FileHandle* file = HandleOf(handle, fs);
  if (!file) return FALSE;
  if (!(file->record.access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  std::uint64_t oldSize = SizeOf(file->fd), newSize = file->position;
  std::uint64_t grown = newSize > oldSize ? newSize - oldSize : 0;
  if (DWORD error = fs->CheckGrowth(file->drive, oldSize, newSize, grown)) {
    SetLastError(error);
    return FALSE;
  }
  if (::ftruncate(file->fd, static_cast<off_t>(newSize)) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  fs->CommitGrowth(file->drive, oldSize, newSize, grown);
  StampWriteTime(*fs, file->fd);
  MarkHandleWritten(*fs, *file);
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE handle) {
  FileSystem* fs = nullptr;
  FileHandle* file = HandleOf(handle, fs);
  if (!file) return FALSE;
  if (!(file->record.access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::fdatasync(file->fd) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return TRUE;
}

BOOL GetFileInformationByHandle(HANDLE handle, BY_HANDLE_FILE_INFORMATION* information) {
  FileSystem* fs = nullptr;
  FileHandle* file = HandleOf(handle, fs);
  if (!file) return FALSE;
  if (!information) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct stat st {};
  if (::fstat(file->fd, &st) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  auto fileTime = [](std::int64_t units) {
    auto value = static_cast<std::uint64_t>(units);
    return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
  };
  *information = BY_HANDLE_FILE_INFORMATION{};
  information->dwFileAttributes = StoredOrDefaultAttributes(fs->metadata().Find(file->folderKey, file->nameKey), false);
  information->ftLastWriteTime = information->ftLastAccessTime = fileTime(FileTimeOf(st.st_mtim));
  information->ftCreationTime = information->ftLastWriteTime;
  information->nFileSizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(st.st_size) >> 32);
  information->nFileSizeLow = static_cast<DWORD>(static_cast<std::uint64_t>(st.st_size) & 0xFFFFFFFFu);
  information->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
  information->nFileIndexHigh = static_cast<DWORD>(static_cast<std::uint64_t>(st.st_ino) >> 32);
  information->nFileIndexLow = static_cast<DWORD>(static_cast<std::uint64_t>(st.st_ino) & 0xFFFFFFFFu);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
