#include "cleaning/overwrite.h"

#include <algorithm>

#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "support/message_loop.h"

namespace cleaning {

namespace {

// Whole blocks are gathered into writes of about this size; the bytes on
// the disk are the same as one write per block.
constexpr std::size_t kWriteChunk = 256 * 1024;

std::function<void(const std::string&, int)>& PassObserver() {
  static std::function<void(const std::string&, int)> observer;
  return observer;
}

class FileCloser {
 public:
  explicit FileCloser(HANDLE file) : file_(file) {}
  ~FileCloser() { CloseHandle(file_); }
  FileCloser(const FileCloser&) = delete;
  FileCloser& operator=(const FileCloser&) = delete;

 private:
  HANDLE file_;
};

int LastRuntimeError() { return platform::RuntimeErrorForWin32(GetLastError()); }

bool Rewind(HANDLE file) {
  LONG high = 0;
  return !(SetFilePointer(file, 0, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER && GetLastError() != 0);
}

// One pass: the pattern repeated over [0, length), one yield per block.
int WritePass(HANDLE file, std::string_view pattern, std::uint64_t length) {
  if (!Rewind(file)) return LastRuntimeError();
  const std::size_t block = pattern.size();
  std::string chunk;
  chunk.reserve(std::max(block, kWriteChunk - kWriteChunk % block));
  while (chunk.size() + block <= chunk.capacity()) chunk.append(pattern);
  std::uint64_t written = 0;
  while (written < length) {
    auto part = static_cast<DWORD>(std::min<std::uint64_t>(chunk.size(), length - written));
    DWORD done = 0;
    if (!WriteFile(file, chunk.data(), part, &done, nullptr) || done != part) return LastRuntimeError();
    for (std::uint64_t blocks = (part + block - 1) / block; blocks > 0; --blocks) YieldToMessageLoop();
    written += part;
  }
  return FlushFileBuffers(file) ? 0 : LastRuntimeError();
}

}  // namespace

int OverwriteFile(const std::string& path, const std::vector<std::string_view>& passes, std::uint64_t& length) {
  length = 0;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastRuntimeError();
  FileCloser closer(file);
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  length = (static_cast<std::uint64_t>(high) << 32) | low;
  // Overwriting data another name shares would destroy a file nobody asked
  // to touch; the count is the opened file's own.
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file, &information)) return LastRuntimeError();
  if (information.nNumberOfLinks > 1) return kSharedData;
  int pass = 0;
  for (std::string_view pattern : passes) {
    ++pass;
    if (pattern.empty()) continue;
    if (int error = WritePass(file, pattern, length)) return error;
    if (PassObserver()) PassObserver()(path, pass);
  }
  return 0;
}

void SetOverwritePassObserver(std::function<void(const std::string& path, int pass)> observer) {
  PassObserver() = std::move(observer);
}

}  // namespace cleaning
