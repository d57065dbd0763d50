// Dir: one search per process, taken whole at Dir(pattern) and handed out
// one name at a time by Dir().
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/runtime_file_table.h"

namespace platform::vb {
namespace {

constexpr std::int32_t kInvalidCall = 5;

// A folder given as "C:\Dir\", "C:" or "" lists everything in it.
std::string SearchPattern(std::string_view pattern) {
  std::string text(pattern);
  if (text.empty() || text.back() == '\\' || text.back() == '/' || text.back() == ':') text += "*.*";
  return text;
}

bool Wanted(DWORD entry, int attributes) {
  if ((entry & FILE_ATTRIBUTE_HIDDEN) && !(attributes & vbHidden)) return false;
  if ((entry & FILE_ATTRIBUTE_SYSTEM) && !(attributes & vbSystem)) return false;
  if ((entry & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & vbDirectory)) return false;
  return true;
}

std::string VolumeLabel(std::string_view pattern) {
  char root[4] = {0, ':', '\\', 0};
  if (pattern.size() >= 2 && pattern[1] == ':') root[0] = pattern[0];
  char label[MAX_PATH] = "";
  if (!GetVolumeInformationA(root[0] ? root : nullptr, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0))
    detail::RaiseForWin32(GetLastError());
  return label;
}

std::vector<std::string> Search(std::string_view pattern, int attributes) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(SearchPattern(pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    // Nothing matching, a missing folder and a folder that may not be
    // listed all end the search at once.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED) return names;
    detail::RaiseForWin32(error);
  }
  do {
    if (Wanted(data.dwFileAttributes, attributes)) names.emplace_back(data.cFileName);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return names;
}

std::string NextName(detail::RuntimeFileTable& table) {
  if (!table.dirNames) RaiseRuntimeError(kInvalidCall);
  if (table.dirNext >= table.dirNames->size()) {
    // The search is over; a further Dir() needs a new pattern.
    table.dirNames.reset();
    return {};
  }
  return (*table.dirNames)[table.dirNext++];
}

}  // namespace

std::string Dir(std::string_view pattern, int attributes) {
  detail::CheckDriveOf(pattern);
  auto& table = detail::Table();
  table.dirNames.reset();
  table.dirNext = 0;
  if (attributes & vbVolume) return VolumeLabel(pattern);
  table.dirNames = Search(pattern, attributes);
  return NextName(table);
}

std::string Dir() { return NextName(detail::Table()); }

}  // namespace platform::vb
