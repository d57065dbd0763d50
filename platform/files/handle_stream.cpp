#include "platform/files/handle_stream.h"

#include <string>

#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"

namespace platform::files {
namespace {

constexpr std::size_t kReadAhead = 1 << 14;
constexpr std::int32_t kDeviceIoError = 57;

bool MoveTo(HANDLE handle, std::uint64_t position) {
  LONG high = static_cast<LONG>(position >> 32);
  DWORD low = SetFilePointer(handle, static_cast<LONG>(position & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS);
}

}  // namespace

DWORD HandleStream::Open(std::string_view windowsPath, DWORD access, DWORD share, DWORD disposition) {
  Close();
  std::string path(windowsPath);
  HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, disposition, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError();
  handle_ = handle;
  position_ = 0;
  buffer_.clear();
  return ERROR_SUCCESS;
}

void HandleStream::Close() {
  if (handle_) CloseHandle(handle_);
  handle_ = nullptr;
  buffer_.clear();
}

std::uint64_t HandleStream::Size() const {
  if (!handle_) return 0;
  DWORD high = 0;
  DWORD low = GetFileSize(handle_, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return 0;
  return (std::uint64_t{high} << 32) | low;
}

bool HandleStream::Fill() {
  buffer_.clear();
  bufferStart_ = position_;
  if (!handle_) return false;
  std::string chunk(kReadAhead, '\0');
  DWORD got = 0;
  if (!MoveTo(handle_, position_) || !ReadFile(handle_, chunk.data(), kReadAhead, &got, nullptr))
    RaiseRuntimeError(kDeviceIoError);
  chunk.resize(got);
  buffer_ = std::move(chunk);
  return got > 0;
}

int HandleStream::Peek() {
  if (position_ < bufferStart_ || position_ >= bufferStart_ + buffer_.size()) {
    if (!Fill()) return -1;
  }
  return static_cast<unsigned char>(buffer_[position_ - bufferStart_]);
}

int HandleStream::Next() {
  int c = Peek();
  if (c >= 0) ++position_;
  return c;
}

std::size_t HandleStream::Read(std::size_t count, std::string& out) {
  std::size_t done = 0;
  while (done < count) {
    if (Peek() < 0) break;
    std::size_t offset = position_ - bufferStart_;
    std::size_t take = std::min(count - done, buffer_.size() - offset);
    out.append(buffer_, offset, take);
    position_ += take;
    done += take;
  }
  return done;
}

DWORD HandleStream::Write(std::string_view bytes) {
  if (!handle_) return ERROR_INVALID_HANDLE;
  buffer_.clear();
  if (bytes.empty()) return ERROR_SUCCESS;
  if (bytes.size() > 0xFFFFFFFFu) return ERROR_INVALID_PARAMETER;
  if (!MoveTo(handle_, position_)) return GetLastError();
  DWORD written = 0;
  if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return GetLastError();
  position_ += written;
  return ERROR_SUCCESS;
}

}  // namespace platform::files
