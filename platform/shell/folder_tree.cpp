#include "platform/shell/folder_tree.h"

#include <cstring>

#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"

namespace platform::shell {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

struct Listed {
  std::string name;
  bool folder;
};

// The folder's entries without "." and ".." (the listing is taken first so
// that removing entries does not disturb it).
std::vector<Listed> List(const std::string& folder) {
  std::vector<Listed> entries;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(Join(folder, "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    std::string name(data.cFileName, strnlen(data.cFileName, sizeof data.cFileName));
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return entries;
}

bool RemoveEntry(const std::string& path, bool folder) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!folder) return DeleteFileA(path.c_str()) != FALSE;
  bool emptied = RemoveFolderContents(path);
  return RemoveDirectoryA(path.c_str()) != FALSE && emptied;
}

}  // namespace

bool RemoveFolderContents(const std::string& folder, const std::vector<std::string>& keep) {
  bool complete = true;
  for (const auto& entry : List(folder)) {
    bool kept = false;
    for (const auto& name : keep) kept = kept || EqualsNoCase(name, entry.name);
    if (kept) continue;
    if (!RemoveEntry(Join(folder, entry.name), entry.folder)) complete = false;
  }
  return complete;
}

}  // namespace platform::shell
