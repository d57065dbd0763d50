#pragma once
// A kernel32 file handle with its own byte position and a read-ahead
// buffer: the ground of the runtime's file numbers and of the FSO text
// streams. Reads and writes go through ReadFile/WriteFile, so share modes,
// rights, capacity and the write budget apply exactly as for any handle.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

namespace platform::files {

class HandleStream {
 public:
  HandleStream() = default;
  ~HandleStream() { Close(); }
  HandleStream(const HandleStream&) = delete;
  HandleStream& operator=(const HandleStream&) = delete;

  // CreateFileA with these arguments; 0 or its Win32 error.
  DWORD Open(std::string_view windowsPath, DWORD access, DWORD share, DWORD disposition);
  void Close();
  bool isOpen() const { return handle_ != nullptr; }

  std::uint64_t position() const { return position_; }
  void Seek(std::uint64_t position) { position_ = position; }
  // Drops the read-ahead, so the next read sees writes made through other
  // handles of the file.
  void Refresh() { buffer_.clear(); }
  // The file's length now (0 when the handle cannot tell).
  std::uint64_t Size() const;

  // The byte at the position, or -1 at the end. A host read failure
  // raises runtime error 57.
  int Peek();
  int Next();
  // Up to `count` bytes from the position, appended to `out`; the number read.
  std::size_t Read(std::size_t count, std::string& out);
  // All of `bytes` at the position, or nothing: 0 or the Win32 error
  // (112 full, 5 not open for writing ...).
  DWORD Write(std::string_view bytes);

 private:
  bool Fill();

  HANDLE handle_ = nullptr;
  std::uint64_t position_ = 0;
  std::string buffer_;
  std::uint64_t bufferStart_ = 0;
};

}  // namespace platform::files
