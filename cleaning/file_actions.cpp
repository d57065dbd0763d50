#include "cleaning/file_actions.h"

#include "platform/base/runtime_error.h"
#include "platform/files/file_system_object.h"
#include "platform/files/kernel32_files.h"
#include "platform/machine/sysinfo.h"
#include "platform/forms/strings.h"
#include "support/path_helpers.h"

namespace cleaning {

namespace {

constexpr DWORD kShortPathBuffer = 256;
constexpr UINT kFolderBuffer = 256;

int LastRuntimeError() { return platform::RuntimeErrorForWin32(GetLastError()); }

constexpr int kFileNotFound = 53;

// A missing file as the name statements report it (53), else the common mapping.
int NameStatementError(DWORD win32) {
  if (win32 == ERROR_FILE_NOT_FOUND) return kFileNotFound;
  return platform::RuntimeErrorForWin32(win32);
}

// The number of the runtime error the statement raised; 0 when none.
template <typename Statement>
int ErrorNumberOf(Statement statement) {
  try {
    statement();
  } catch (const platform::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace

std::string ShortPathOf(const std::string& path) {
  std::string buffer(kShortPathBuffer, '\0');
  DWORD length = GetShortPathNameA(path.c_str(), buffer.data(), kShortPathBuffer);
  if (length == 0 || length >= kShortPathBuffer) return "";
  return platform::forms::Trim(TrimNullChars(buffer));
}

std::string FileToDelete::ShortPath() {
  std::string text;
  if (file_.ShortPath(text) || text.size() >= kShortPathBuffer) return "";
  return platform::forms::Trim(text);
}

int FileToDelete::SetAttrNormal() {
  DWORD error = file_.SetAttributes(0);
  return error == ERROR_PATH_NOT_FOUND ? kFileNotFound : error ? NameStatementError(error) : 0;
}

int FileToDelete::FileLength(std::uint64_t& length) {
  DWORD error = file_.Length(length);
  return error ? platform::RuntimeErrorForWin32(error) : 0;
}

int FileToDelete::Kill() {
  DWORD error = file_.Remove();
  return error ? NameStatementError(error) : 0;
}

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string CurrentWindowsFolder() {
  std::string buffer(kFolderBuffer, '\0');
  UINT length = GetWindowsDirectoryA(buffer.data(), kFolderBuffer);
  return length && length < kFolderBuffer ? TrimNullChars(buffer) : std::string();
}

std::string CurrentSystemFolder() {
  std::string buffer(kFolderBuffer, '\0');
  UINT length = GetSystemDirectoryA(buffer.data(), kFolderBuffer);
  return length && length < kFolderBuffer ? TrimNullChars(buffer) : std::string();
}

DWORD AttributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool FileExists(const std::string& path) { return platform::scripting::FileSystemObject().FileExists(path); }

bool FolderExists(const std::string& path) { return platform::scripting::FileSystemObject().FolderExists(path); }

int SetAttrNormal(const std::string& path) {
  return ErrorNumberOf([&] { platform::vb::SetAttr(path, 0); });
}

int FileLength(const std::string& path, std::uint64_t& length) {
  // A folder cannot be opened as a file: both opens fail with access denied (75).
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

int Kill(const std::string& path) {
  return ErrorNumberOf([&] { platform::vb::Kill(path); });
}

int FsoDeleteFile(const std::string& path, bool force) {
  return ErrorNumberOf([&] { platform::scripting::FileSystemObject().DeleteFile(path, force); });
}

int FsoDeleteFolder(const std::string& path, bool force) {
  return ErrorNumberOf([&] { platform::scripting::FileSystemObject().DeleteFolder(path, force); });
}

int FsoCreateFolder(const std::string& path) {
  return ErrorNumberOf([&] { platform::scripting::FileSystemObject().CreateFolder(path); });
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  try {
    FileNumber file(path, platform::vb::OpenMode::Input);
    std::int64_t length = platform::vb::Lof(file.get());
    content = length > 0 ? platform::vb::Input(length, file.get()) : "";
    return true;
  } catch (const platform::RuntimeError&) {
    return false;
  }
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

DWORD FolderToEmpty::ForEachEntry(const std::string& pattern,
                                  const std::function<bool(const FoundEntry&)>& visit) {
  if (DWORD error = folder_.List(pattern, entries_)) return error;
  for (const auto& entry : entries_) {
    FoundEntry found;
    found.name = entry.name;
    found.attributes = entry.attributes;
    found.size = entry.size;
    found.listed = &entry;
    if (!visit(found)) break;
  }
  return ERROR_SUCCESS;
}

}  // namespace cleaning
