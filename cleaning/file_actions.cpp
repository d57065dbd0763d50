#include "cleaning/file_actions.h"

#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/strings.h"
#include "support/path_helpers.h"

namespace cleaning {

namespace {

constexpr DWORD kShortPathBuffer = 256;

int LastRuntimeError() { return platform::RuntimeErrorForWin32(GetLastError()); }

bool EndsInBackslash(const std::string& path) { return !path.empty() && (path.back() == '\\' || path.back() == '/'); }

bool IsDriveRoot(const std::string& path) {
  return path.size() <= 3 && path.size() >= 2 && path[1] == ':' && (path.size() == 2 || EndsInBackslash(path));
}

}  // namespace

std::string ShortPathOf(const std::string& path) {
  std::string buffer(kShortPathBuffer, '\0');
  DWORD length = GetShortPathNameA(path.c_str(), buffer.data(), kShortPathBuffer);
  if (length == 0 || length >= kShortPathBuffer) return "";
  return platform::forms::Trim(TrimNullChars(buffer));
}

DWORD AttributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool FileExists(const std::string& path) {
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
  DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
  DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int SetAttrNormal(const std::string& path) {
  return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) ? 0 : LastRuntimeError();
}

int FileLength(const std::string& path, std::uint64_t& length) {
  if (FolderExists(path)) return 75;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastRuntimeError();
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  length = (static_cast<std::uint64_t>(high) << 32) | low;
  CloseHandle(file);
  return 0;
}

int Kill(const std::string& path) { return DeleteFileA(path.c_str()) ? 0 : LastRuntimeError(); }

int FsoDeleteFile(const std::string& path, bool force) {
  DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 53;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    if (!force) return 70;
    if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return LastRuntimeError();
  }
  if (DeleteFileA(path.c_str())) return 0;
  DWORD error = GetLastError();
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? 70 : platform::RuntimeErrorForWin32(error);
}

int FsoDeleteFolder(const std::string& path, bool force) {
  if (EndsInBackslash(path)) return 76;
  if (IsDriveRoot(path)) return 70;
  DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 76;
  if ((attributes & FILE_ATTRIBUTE_READONLY) && !force) return 70;
  int failure = 0;
  ForEachEntry(path + "\\", "*", [&](const FoundEntry& entry) {
    std::string child = path + "\\" + entry.name;
    failure = entry.isDirectory() ? FsoDeleteFolder(child, force) : FsoDeleteFile(child, force);
    return failure == 0;
  });
  if (failure) return failure;
  if (force && (attributes & FILE_ATTRIBUTE_READONLY)) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (RemoveDirectoryA(path.c_str())) return 0;
  return GetLastError() == ERROR_ACCESS_DENIED ? 70 : LastRuntimeError();
}

int FsoCreateFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return 0;
  return GetLastError() == ERROR_ALREADY_EXISTS ? 58 : LastRuntimeError();
}

std::string ErrorText(int number) { return platform::StandardErrorText(number); }

DWORD ForEachEntry(const std::string& folder, const std::string& pattern,
                   const std::function<bool(const FoundEntry&)>& visit) {
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA((folder + pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return GetLastError();
  do {
    FoundEntry entry;
    entry.name = TrimNullChars(std::string_view(data.cFileName, sizeof data.cFileName));
    if (entry.name == "." || entry.name == "..") continue;
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (!visit(entry)) break;
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return ERROR_SUCCESS;
}

}  // namespace cleaning
