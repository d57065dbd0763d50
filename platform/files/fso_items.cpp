// The Drive, File and Folder objects of the file-system object.
#include <vector>

#include "platform/base/runtime_error.h"
#include "platform/files/file_dates.h"
#include "platform/files/file_system_object.h"
#include "platform/files/fso_support.h"
#include "platform/files/kernel32_files.h"
#include "platform/machine/machine.h"

namespace platform::scripting {
namespace {

constexpr std::int32_t kFileNotFound = 53, kPathNotFound = 76;

std::string RootOf(char letter) { return std::string{letter, ':', '\\'}; }

ULARGE_INTEGER SpaceOf(char letter, int which) {
  ULARGE_INTEGER caller{}, total{}, free{};
  if (!GetDiskFreeSpaceExA(RootOf(letter).c_str(), &caller, &total, &free)) detail::RaiseFsoError(GetLastError());
  return which == 0 ? total : which == 1 ? free : caller;
}

// The one entry a path names; `missing` when it does not exist.
WIN32_FIND_DATAA FindEntry(const std::string& path, std::int32_t missing) {
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) RaiseRuntimeError(missing);
    detail::RaiseFsoError(error);
  }
  FindClose(search);
  return data;
}

std::uint32_t AttributesOf(const std::string& path, std::int32_t missing) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) RaiseRuntimeError(missing);
    detail::RaiseFsoError(error);
  }
  return attributes;
}

std::string LastComponent(const std::string& path) {
  std::size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string Child(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

bool IsRoot(const std::string& path) { return path.size() == 3 && path[1] == ':'; }

}  // namespace

DriveKind Drive::DriveType() const {
  UINT type = GetDriveTypeA(RootOf(letter_).c_str());
  return type >= 2 && type <= 6 ? static_cast<DriveKind>(type - 1) : DriveKind::Unknown;
}

bool Drive::IsReady() const {
  Machine* machine = CurrentMachine();
  const DriveDescription* drive = machine ? machine->description().drive(letter_) : nullptr;
  return drive && drive->mediaPresent;
}

std::string Drive::VolumeName() const {
  char label[MAX_PATH] = "";
  if (!GetVolumeInformationA(RootOf(letter_).c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0))
    detail::RaiseFsoError(GetLastError());
  return label;
}

std::string Drive::FileSystem() const {
  char name[MAX_PATH] = "";
  if (!GetVolumeInformationA(RootOf(letter_).c_str(), nullptr, 0, nullptr, nullptr, nullptr, name, sizeof name))
    detail::RaiseFsoError(GetLastError());
  return name;
}

std::uint64_t Drive::TotalSize() const { return SpaceOf(letter_, 0).QuadPart; }
std::uint64_t Drive::FreeSpace() const { return SpaceOf(letter_, 1).QuadPart; }
std::uint64_t Drive::AvailableSpace() const { return SpaceOf(letter_, 2).QuadPart; }

std::string File::Name() const { return LastComponent(path_); }

std::uint64_t File::Size() const {
  WIN32_FIND_DATAA data = FindEntry(path_, kFileNotFound);
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::uint32_t File::Attributes() const { return AttributesOf(path_, kFileNotFound); }

forms::Date File::DateLastModified() const {
  return files::LocalDateOfFileTime(FindEntry(path_, kFileNotFound).ftLastWriteTime);
}

std::string Folder::Name() const { return IsRoot(path_) ? std::string() : LastComponent(path_); }

std::uint64_t Folder::Size() const {
  AttributesOf(path_, kPathNotFound);
  // Depth-first, one folder's listing at a time.
  std::uint64_t total = 0;
  std::vector<std::string> pending{path_};
  std::vector<detail::Listed> entries;
  while (!pending.empty()) {
    std::string folder = std::move(pending.back());
    pending.pop_back();
    if (detail::List(Child(folder, "*"), entries) != ERROR_SUCCESS) continue;
    for (const auto& entry : entries) {
      if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) pending.push_back(Child(folder, entry.name));
      else total += entry.size;
    }
  }
  return total;
}

std::uint32_t Folder::Attributes() const { return AttributesOf(path_, kPathNotFound); }

forms::Date Folder::DateLastModified() const {
  if (IsRoot(path_)) {
    AttributesOf(path_, kPathNotFound);
    return 0;
  }
  return files::LocalDateOfFileTime(FindEntry(path_, kPathNotFound).ftLastWriteTime);
}

}  // namespace platform::scripting
