#pragma once
// What the file-system object's members share: its error numbers and the
// listing of a folder or pattern through FindFirstFileA.
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"

namespace platform::scripting::detail {

// 2->53, 3->76, 5/19/32->70, 21->71, 80/183->58, 112->61, 123->52,
// 206->76, others 75.
std::int32_t FsoErrorFor(DWORD win32Code);
[[noreturn]] void RaiseFsoError(DWORD win32Code);

struct Listed {
  std::string name;
  DWORD attributes = 0;
  std::uint64_t size = 0;
};
// The entries a path or pattern finds ("." and ".." left out), or the
// Win32 error of the search (2 nothing found, 3 folder missing ...).
DWORD List(std::string_view pattern, std::vector<Listed>& out);
// The folder part of a path or pattern, with its separator.
std::string FolderPrefix(std::string_view path);

}  // namespace platform::scripting::detail
