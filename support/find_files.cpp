#include "support/find_files.h"

#include <vector>

#include "platform/files/kernel32_files.h"
#include "platform/forms/event_loop.h"
#include "support/main_window_link.h"
#include "support/path_helpers.h"

namespace {

// The name of a search entry, cut at its NUL.
std::string EntryName(WIN32_FIND_DATAA& data) {
  std::string name(data.cFileName, sizeof data.cFileName);
  return StripNulls(name);
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

void FindFiles(std::string& folder, const std::string& pattern, std::int32_t& folderCount,
               std::int32_t& subFolderCount) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';

  std::vector<std::string> subFolders;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &data)) {
    platform::forms::DoEvents();
    std::string name = EntryName(data);
    if (IsDotEntry(name)) continue;
    // A failed attribute read (0xFFFFFFFF) counts as a folder, as it always has.
    if (GetFileAttributesA((folder + name).c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      subFolders.push_back(name);
      ++subFolderCount;
    }
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);

  find = FindFirstFileA((folder + pattern).c_str(), &data);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &data)) {
    platform::forms::DoEvents();
    if (IsDotEntry(EntryName(data))) continue;
    ++folderCount;
    MainWindow().FoundFoldersList().AddItem(folder);
    FindClose(find);
    return;
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);

  for (const auto& name : subFolders) {
    platform::forms::DoEvents();
    std::string sub = folder + name + "\\";
    FindFiles(sub, pattern, folderCount, subFolderCount);
  }
}
