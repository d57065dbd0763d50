// The FileSystemObject's members on paths: tests, look-ups, creating,
// deleting and copying, opening text files.
#include "platform/files/file_system_object.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/files/file_system.h"
#include "platform/files/fso_support.h"
#include "platform/files/handle_stream.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/path_syntax.h"
#include "platform/files/stand_in.h"
#include "platform/files/unmapped_drive.h"

namespace platform::scripting {
namespace {

using detail::Listed;
using detail::RaiseFsoError;

constexpr std::int32_t kInvalidCall = 5, kFileNotFound = 53, kPermissionDenied = 70, kPathNotFound = 76,
                       kDiskNotReady = 71, kDeviceUnavailable = 68;
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool EndsWithSeparator(std::string_view path) { return !path.empty() && (path.back() == '\\' || path.back() == '/'); }

// The letter of "c", "c:" or "c:\"; 0 for anything else.
char DriveLetterOf(std::string_view drive) {
  if (drive.empty() || drive.size() > 3) return 0;
  char letter = UpperChar(drive[0]);
  if (letter < 'A' || letter > 'Z') return 0;
  if (drive.size() >= 2 && drive[1] != ':') return 0;
  if (drive.size() == 3 && drive[2] != '\\' && drive[2] != '/') return 0;
  return letter;
}

bool IsMapped(char letter) {
  Machine* machine = CurrentMachine();
  return machine && machine->description().drive(letter);
}

// The full path with the stored spelling of an existing entry; the
// resolver's error otherwise.
DWORD LongPathOf(std::string_view path, std::string& longPath, bool& directory) {
  files::FileSystem* fs = files::CurrentFileSystem();
  if (!fs) return ERROR_NOT_READY;
  files::Resolved r;
  if (DWORD error = fs->Resolve(path, r)) return error;
  if (!r.exists) return ERROR_FILE_NOT_FOUND;
  longPath = r.longPath;
  directory = r.isDirectory();
  return ERROR_SUCCESS;
}

// Reads or clears the read-only bit before deleting; `force` allows it.
DWORD ClearReadOnlyIfForced(const std::string& path, DWORD attributes, bool force) {
  if (!(attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_SUCCESS;
  if (!force) return ERROR_ACCESS_DENIED;
  if (!SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY & ~FILE_ATTRIBUTE_DIRECTORY))
    return GetLastError();
  return ERROR_SUCCESS;
}

void DeleteOneFile(const std::string& path, DWORD attributes, bool force) {
  if (DWORD error = ClearReadOnlyIfForced(path, attributes, force)) RaiseFsoError(error);
  if (!DeleteFileA(path.c_str())) {
    DWORD error = GetLastError();
    // A forced delete that failed leaves the attributes as they were.
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_DIRECTORY);
    RaiseFsoError(error);
  }
}

void DeleteTree(const std::string& folder, DWORD attributes, bool force) {
  std::vector<Listed> entries;
  DWORD error = detail::List(folder + "\\*", entries);
  if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) RaiseFsoError(error);
  for (const Listed& entry : entries) {
    std::string child = folder + "\\" + entry.name;
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(child, entry.attributes, force);
    else DeleteOneFile(child, entry.attributes, force);
  }
  if (DWORD clear = ClearReadOnlyIfForced(folder, attributes, force)) RaiseFsoError(clear);
  if (!RemoveDirectoryA(folder.c_str())) RaiseFsoError(GetLastError());
}

// The matches of a pattern of one kind; `missing` when there are none.
std::vector<Listed> Matches(std::string_view pattern, bool folders, std::int32_t missing) {
  std::vector<Listed> found;
  DWORD error = detail::List(pattern, found);
  if (error == ERROR_FILE_NOT_FOUND) RaiseRuntimeError(missing);
  if (error) RaiseFsoError(error);
  std::vector<Listed> kept;
  for (auto& entry : found)
    if (((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folders) kept.push_back(std::move(entry));
  if (kept.empty()) RaiseRuntimeError(missing);
  return kept;
}

TextStream OpenStream(std::string_view path, DWORD access, DWORD disposition, IOMode mode, bool unicode) {
  files::RaiseIfUnmappedDrive(path);
  auto stream = std::make_unique<files::HandleStream>();
  if (DWORD error = stream->Open(path, access, kShareReadWrite, disposition)) RaiseFsoError(error);
  if (mode == IOMode::ForAppending) stream->Seek(stream->Size());
  return TextStream(std::move(stream), mode, unicode);
}

}  // namespace

bool FileSystemObject::FileExists(std::string_view path) const {
  if (path.empty() || EndsWithSeparator(path) || files::HasWildcard(path)) return false;
  std::string longPath;
  bool directory = false;
  return LongPathOf(path, longPath, directory) == ERROR_SUCCESS && !directory;
}

bool FileSystemObject::FolderExists(std::string_view path) const {
  if (path.empty() || files::HasWildcard(path)) return false;
  std::string longPath;
  bool directory = false;
  return LongPathOf(path, longPath, directory) == ERROR_SUCCESS && directory;
}

bool FileSystemObject::DriveExists(std::string_view drive) const {
  char letter = DriveLetterOf(drive);
  return letter && IsMapped(letter);
}

Drive FileSystemObject::GetDrive(std::string_view drive) const {
  char letter = DriveLetterOf(drive);
  if (!letter) RaiseRuntimeError(kInvalidCall);
  if (!CurrentMachine()) RaiseRuntimeError(kDiskNotReady);
  if (!IsMapped(letter)) RaiseRuntimeError(kDeviceUnavailable);
  return Drive(letter);
}

File FileSystemObject::GetFile(std::string_view path) const {
  files::RaiseIfUnmappedDrive(path);
  std::string longPath;
  bool directory = false;
  DWORD error = LongPathOf(path, longPath, directory);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || (!error && directory))
    RaiseRuntimeError(kFileNotFound);
  if (error) RaiseFsoError(error);
  return File(longPath);
}

Folder FileSystemObject::GetFolder(std::string_view path) const {
  files::RaiseIfUnmappedDrive(path);
  std::string longPath;
  bool directory = false;
  DWORD error = LongPathOf(path, longPath, directory);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || (!error && !directory))
    RaiseRuntimeError(kPathNotFound);
  if (error) RaiseFsoError(error);
  return Folder(longPath);
}

std::string FileSystemObject::GetFileVersion(std::string_view path) const {
  files::RaiseIfUnmappedDrive(path);
  std::optional<files::StandInHeader> header;
  DWORD error = files::ReadStandInHeader(path, header);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) RaiseRuntimeError(kFileNotFound);
  if (error) RaiseFsoError(error);
  return header ? header->version() : std::string();
}

Folder FileSystemObject::CreateFolder(std::string_view path) const {
  files::RaiseIfUnmappedDrive(path);
  if (!CreateDirectoryA(std::string(path).c_str(), nullptr)) RaiseFsoError(GetLastError());
  return GetFolder(path);
}

void FileSystemObject::DeleteFile(std::string_view pattern, bool force) const {
  files::RaiseIfUnmappedDrive(pattern);
  std::string folder = detail::FolderPrefix(pattern);
  for (const Listed& entry : Matches(pattern, false, kFileNotFound))
    DeleteOneFile(folder + entry.name, entry.attributes, force);
}

void FileSystemObject::DeleteFolder(std::string_view pattern, bool force) const {
  files::RaiseIfUnmappedDrive(pattern);
  files::FileSystem* fs = files::CurrentFileSystem();
  if (!fs) RaiseRuntimeError(kDiskNotReady);
  // A drive root is refused before anything is touched.
  files::Resolved r;
  DWORD error = fs->Resolve(pattern, r, true);
  if (error == ERROR_SUCCESS && r.isRoot()) RaiseRuntimeError(kPermissionDenied);
  if (EndsWithSeparator(pattern)) RaiseRuntimeError(kPathNotFound);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) RaiseRuntimeError(kPathNotFound);
  if (error) RaiseFsoError(error);
  std::string folder = detail::FolderPrefix(pattern);
  for (const Listed& entry : Matches(pattern, true, kPathNotFound))
    DeleteTree(folder + entry.name, entry.attributes, force);
}

void FileSystemObject::CopyFile(std::string_view source, std::string_view destination, bool overwrite) const {
  files::RaiseIfUnmappedDrive(source);
  files::RaiseIfUnmappedDrive(destination);
  std::string from = detail::FolderPrefix(source);
  bool many = files::HasWildcard(source);
  bool intoFolder = many || EndsWithSeparator(destination);
  std::string target(destination);
  if (intoFolder && !EndsWithSeparator(target)) target += '\\';
  for (const Listed& entry : Matches(source, false, kFileNotFound)) {
    std::string to = intoFolder ? target + entry.name : target;
    if (!CopyFileA((from + entry.name).c_str(), to.c_str(), overwrite ? FALSE : TRUE)) RaiseFsoError(GetLastError());
  }
}

TextStream FileSystemObject::CreateTextFile(std::string_view path, bool overwrite, bool unicode) const {
  return OpenStream(path, GENERIC_WRITE, overwrite ? CREATE_ALWAYS : CREATE_NEW, IOMode::ForWriting, unicode);
}

TextStream FileSystemObject::OpenTextFile(std::string_view path, IOMode mode, bool create, Tristate format) const {
  bool unicode = format == Tristate::True;
  switch (mode) {
    case IOMode::ForReading:
      return OpenStream(path, GENERIC_READ, create ? OPEN_ALWAYS : OPEN_EXISTING, mode, unicode);
    case IOMode::ForWriting:
      return OpenStream(path, GENERIC_WRITE, create ? CREATE_ALWAYS : TRUNCATE_EXISTING, mode, unicode);
    case IOMode::ForAppending:
      return OpenStream(path, GENERIC_WRITE, create ? OPEN_ALWAYS : OPEN_EXISTING, mode, unicode);
  }
  RaiseRuntimeError(kInvalidCall);
}

}  // namespace platform::scripting
