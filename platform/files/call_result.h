#pragma once
// How the kernel32 wrappers turn an operation's Win32 code into a result
// and the last error.
#include <cstring>
#include <string_view>

#include "platform/base/last_error.h"
#include "platform/files/file_system.h"

namespace platform::files {

// Runs `operation(fs)` on the bound machine; TRUE on 0, else FALSE with the
// code as last error. Without a machine: FALSE with 21.
template <typename Operation>
BOOL RunBoolCall(Operation operation) {
  FileSystem* fs = CurrentFileSystem();
  DWORD error = fs ? operation(*fs) : ERROR_NOT_READY;
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

// The ANSI buffer rule: copies `text` with its NUL and returns its length
// when it fits in `size`; otherwise returns the size needed (with the NUL)
// and leaves the buffer untouched.
inline DWORD CopyOut(std::string_view text, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

}  // namespace platform::files
