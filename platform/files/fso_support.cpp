#include "platform/files/fso_support.h"

#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"

namespace platform::scripting::detail {
namespace {

struct Row {
  DWORD win32;
  std::int32_t runtime;
};
constexpr Row kFsoErrors[] = {{2, 53},  {3, 76},   {5, 70},   {19, 70},  {21, 71}, {32, 70},
                              {33, 70}, {80, 58},  {183, 58}, {112, 61}, {123, 52}, {206, 76}};

}  // namespace

std::int32_t FsoErrorFor(DWORD win32Code) {
  for (const Row& row : kFsoErrors)
    if (row.win32 == win32Code) return row.runtime;
  return 75;
}

void RaiseFsoError(DWORD win32Code) { RaiseRuntimeError(FsoErrorFor(win32Code)); }

DWORD List(std::string_view pattern, std::vector<Listed>& out) {
  out.clear();
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(std::string(pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return GetLastError();
  do {
    std::string_view name = data.cFileName;
    if (name == "." || name == "..") continue;
    out.push_back({std::string(name), data.dwFileAttributes,
                   (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return ERROR_SUCCESS;
}

std::string FolderPrefix(std::string_view path) {
  std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

}  // namespace platform::scripting::detail
