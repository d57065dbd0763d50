// The statements on names: Kill, Name, FileCopy, folders, current
// directories and drives, attributes, lengths and times.
#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/files/file_dates.h"
#include "platform/files/file_system.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/path_syntax.h"
#include "platform/files/runtime_file_table.h"

namespace platform::vb {
namespace {

using detail::CString;
using detail::RaiseForWin32;

constexpr std::int32_t kBadFileName = 52, kFileNotFound = 53, kFileExists = 58, kDiskNotReady = 71,
                       kPathNotFound = 76, kDeviceUnavailable = 68;

// The folder part of a path or pattern, with its separator ("" for a bare name).
std::string FolderPrefix(std::string_view path) {
  std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

// Runs a kernel32 call; a failure raises with the statement's own rows
// (`overrides`: Win32 code -> runtime error) before the common mapping.
struct Override {
  DWORD win32;
  std::int32_t runtime;
};
void Check(BOOL ok, std::initializer_list<Override> overrides = {}) {
  if (ok) return;
  DWORD error = GetLastError();
  for (const Override& o : overrides)
    if (o.win32 == error) RaiseRuntimeError(o.runtime);
  RaiseForWin32(error);
}

// The one entry a path names (no wildcards): 53 when it does not exist.
WIN32_FIND_DATAA EntryOf(std::string_view path) {
  detail::CheckDriveOf(path);
  if (files::HasWildcard(path)) RaiseRuntimeError(kBadFileName);
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(CString(path).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) RaiseRuntimeError(kFileNotFound);
    RaiseForWin32(error);
  }
  FindClose(search);
  return data;
}

files::FileSystem& FilesOrRaise() {
  files::FileSystem* fs = files::CurrentFileSystem();
  if (!fs) RaiseRuntimeError(kDiskNotReady);
  return *fs;
}

// The drive a ChDrive/CurDir argument names (its first letter).
char DriveLetterOf(files::FileSystem& fs, std::string_view drive) {
  if (drive.empty()) return fs.currentDrive();
  char letter = UpperChar(drive[0]);
  if (letter < 'A' || letter > 'Z' || !fs.machine().description().drive(letter)) RaiseRuntimeError(kDeviceUnavailable);
  return letter;
}

}  // namespace

std::int64_t FileLen(std::string_view path) {
  WIN32_FIND_DATAA data = EntryOf(path);
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return static_cast<std::int64_t>((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
}

forms::Date FileDateTime(std::string_view path) { return files::LocalDateOfFileTime(EntryOf(path).ftLastWriteTime); }

void Kill(std::string_view pattern) {
  detail::CheckDriveOf(pattern);
  std::string folder = FolderPrefix(pattern);
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(CString(pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) Check(FALSE, {{ERROR_FILE_NOT_FOUND, kFileNotFound}});
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  if (names.empty()) RaiseRuntimeError(kFileNotFound);
  for (const std::string& name : names) Check(DeleteFileA((folder + name).c_str()));
}

void Name(std::string_view from, std::string_view to) {
  detail::CheckDriveOf(from);
  detail::CheckDriveOf(to);
  Check(MoveFileA(CString(from).c_str(), CString(to).c_str()), {{ERROR_ALREADY_EXISTS, kFileExists}});
}

void FileCopy(std::string_view from, std::string_view to) {
  detail::CheckDriveOf(from);
  detail::CheckDriveOf(to);
  Check(CopyFileA(CString(from).c_str(), CString(to).c_str(), FALSE));
}

void MkDir(std::string_view path) {
  detail::CheckDriveOf(path);
  Check(CreateDirectoryA(CString(path).c_str(), nullptr));
}

void RmDir(std::string_view path) {
  detail::CheckDriveOf(path);
  Check(RemoveDirectoryA(CString(path).c_str()), {{ERROR_FILE_NOT_FOUND, kPathNotFound}});
}

void ChDir(std::string_view path) {
  detail::CheckDriveOf(path);
  files::FileSystem& fs = FilesOrRaise();
  char currentDrive = fs.currentDrive();
  Check(SetCurrentDirectoryA(CString(path).c_str()), {{ERROR_FILE_NOT_FOUND, kPathNotFound}});
  // ChDir sets that drive's directory; the current drive stays.
  if (fs.currentDrive() != currentDrive) fs.SetCurrentDirectory(currentDrive, fs.CurrentDirectory(currentDrive));
}

void ChDrive(std::string_view drive) {
  if (drive.empty()) return;
  files::FileSystem& fs = FilesOrRaise();
  char letter = DriveLetterOf(fs, drive);
  if (!fs.machine().description().drive(letter)->mediaPresent) RaiseRuntimeError(kDiskNotReady);
  fs.SetCurrentDirectory(letter, fs.CurrentDirectory(letter));
}

std::string CurDir(std::string_view drive) {
  files::FileSystem& fs = FilesOrRaise();
  return fs.CurrentDirectory(DriveLetterOf(fs, drive));
}

std::int32_t GetAttr(std::string_view path) {
  detail::CheckDriveOf(path);
  DWORD attributes = GetFileAttributesA(CString(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    Check(FALSE, {{ERROR_FILE_NOT_FOUND, kFileNotFound}, {ERROR_PATH_NOT_FOUND, kFileNotFound}});
  return static_cast<std::int32_t>(attributes);
}

void SetAttr(std::string_view path, std::int32_t attributes) {
  detail::CheckDriveOf(path);
  Check(SetFileAttributesA(CString(path).c_str(), static_cast<DWORD>(attributes)),
        {{ERROR_FILE_NOT_FOUND, kFileNotFound}, {ERROR_PATH_NOT_FOUND, kFileNotFound}});
}

}  // namespace platform::vb
