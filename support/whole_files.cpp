#include "support/whole_files.h"

#include "platform/files/kernel32_files.h"

namespace {

// Closes a file handle when the step ends.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

bool IsPlainFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::string& path, FileBytes& bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0) return false;
  bytes.assign(size, 0);
  if (size == 0) return true;
  DWORD read = 0;
  return ReadFile(file.get(), bytes.data(), size, &read, nullptr) && read == size;
}

bool WriteWholeFile(const std::string& path, const FileBytes& bytes) {
  bool written = false;
  {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD count = 0;
    written = bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                                count == bytes.size());
    written = written && FlushFileBuffers(file.get());
  }
  if (!written) DeleteFileA(path.c_str());
  return written;
}

std::string SetAsideName(const std::string& output) { return output + ".~old"; }

bool ReplaceFileWith(const std::string& temporary, const std::string& output) {
  if (!IsPlainFile(output)) {
    if (MoveFileA(temporary.c_str(), output.c_str())) return true;
    DeleteFileA(temporary.c_str());
    return false;
  }
  const std::string aside = SetAsideName(output);
  DeleteFileA(aside.c_str());
  if (!MoveFileA(output.c_str(), aside.c_str())) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  if (!MoveFileA(temporary.c_str(), output.c_str())) {
    MoveFileA(aside.c_str(), output.c_str());
    DeleteFileA(temporary.c_str());
    return false;
  }
  DeleteFileA(aside.c_str());
  return true;
}
