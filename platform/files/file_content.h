#pragma once
// Whole-file access by Windows path for the layer's own areas (the profile
// calls, the machine builder): the same resolver, rights, locks and capacity
// as the kernel32 calls.
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

namespace platform::files {

// ERROR_SUCCESS and the file's bytes, or the Win32 error (2, 3, 5, 21, 32, 123,
// 206 ...).
DWORD ReadFileContent(std::string_view windowsPath, std::string& bytes);

// Replaces the whole content, creating the file but never its folder. Fails
// with the Win32 error (3, 5 read-only or denied, 32 held, 112 full, 19 ...)
// and then leaves the old content as it was.
DWORD WriteFileContent(std::string_view windowsPath, std::string_view bytes);

}  // namespace platform::files
