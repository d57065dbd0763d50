// FindFirstFileA / FindNextFileA / FindClose: the listing is taken at the
// first call and handed out one entry at a time.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <memory>
#include <vector>

#include "platform/files/call_result.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/wildcard.h"

namespace platform::files {
namespace {

class FindSearch : public KernelObject {
 public:
  std::vector<Entry> items;
  std::size_t next = 0;
};

FILETIME ToFileTime(std::int64_t value) {
  auto units = static_cast<std::uint64_t>(value);
  return FILETIME{static_cast<DWORD>(units & 0xFFFFFFFFu), static_cast<DWORD>(units >> 32)};
}

void Fill(const Entry& item, WIN32_FIND_DATAA& data) {
  std::memset(&data, 0, sizeof data);
  data.dwFileAttributes = item.attributes;
  data.ftCreationTime = ToFileTime(item.creationTime);
  data.ftLastWriteTime = ToFileTime(item.writeTime);
  data.ftLastAccessTime = data.ftLastWriteTime;
  data.nFileSizeHigh = static_cast<DWORD>(item.size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(item.size & 0xFFFFFFFFu);
  std::memcpy(data.cFileName, item.name.data(), std::min<std::size_t>(item.name.size(), MAX_PATH - 1));
  std::memcpy(data.cAlternateFileName, item.alias.data(), std::min<std::size_t>(item.alias.size(), 13));
}

DWORD Search(FileSystem& fs, const char* pattern, std::vector<Entry>& items) {
  Resolved r;
  if (DWORD error = fs.Resolve(pattern, r, true)) return error;
  if (r.isRoot()) return ERROR_FILE_NOT_FOUND;
  const std::string& last = r.path.components.back();
  if (!HasWildcard(last)) {
    if (!r.exists) return ERROR_FILE_NOT_FOUND;
    if (DWORD error = fs.CheckCanRead(r)) return error;
    items.push_back(fs.AsFound(r));
    return ERROR_SUCCESS;
  }
  // Listed by its host path, which a folder deleted while the cache holds
  // it open no longer has; the listing's own look at the folder dates "."
  // and "..".
  std::vector<Entry> entries;
  std::optional<std::int64_t> folderWritten;
  if (DWORD error = fs.ListMatching(r, entries, -1, &folderWritten)) return error;
  bool atRoot = r.path.components.size() == 1;
  if (!atRoot && folderWritten) {
    for (const char* dots : {".", ".."}) {
      if (!MatchesPattern(last, dots)) continue;
      Entry item;
      item.name = dots;
      item.directory = true;
      item.attributes = FILE_ATTRIBUTE_DIRECTORY;
      item.writeTime = item.creationTime = *folderWritten;
      items.push_back(std::move(item));
    }
  }
  if (items.empty()) items = std::move(entries);
  else items.insert(items.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
  return items.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

}  // namespace
}  // namespace platform::files

using namespace platform::files;

HANDLE FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData) {
  if (!fileName || !findData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  FileSystem* fs = CurrentFileSystem();
  auto search = std::make_unique<FindSearch>();
  DWORD error = fs ? Search(*fs, fileName, search->items) : ERROR_NOT_READY;
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  Fill(search->items[0], *findData);
  search->next = 1;
  return platform::RegisterKernelObject(std::move(search));
}

BOOL FindNextFileA(HANDLE findFile, LPWIN32_FIND_DATAA findData) {
  auto* search = platform::LookupKernelObjectAs<FindSearch>(findFile);
  if (!search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!findData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (search->next >= search->items.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  Fill(search->items[search->next++], *findData);
  return TRUE;
}

BOOL FindClose(HANDLE findFile) {
  if (!platform::LookupKernelObjectAs<FindSearch>(findFile)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  platform::ReleaseKernelObject(findFile);
  return TRUE;
}
