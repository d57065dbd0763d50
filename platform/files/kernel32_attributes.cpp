// GetFileAttributesA, SetFileAttributesA, GetShortPathNameA.
#include "platform/base/cp1252.h"
#include "platform/files/call_result.h"
#include "platform/files/file_operations.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/short_names.h"

namespace platform::files {
namespace {

DWORD ShortPathOf(FileSystem& fs, const char* path, std::string& out) {
  Resolved r;
  if (DWORD error = fs.Resolve(path, r)) return error;
  return ShortFormOf(fs, r, out);
}

}  // namespace

// "C:\PROGRA~1\COMMON~1": each component by its short name.
DWORD ShortFormOf(FileSystem& fs, const Resolved& r, std::string& out) {
  if (!r.exists) return ERROR_FILE_NOT_FOUND;
  std::vector<std::string> longNames;
  {
    std::string_view rest(r.longPath);
    rest.remove_prefix(std::min<std::size_t>(3, rest.size()));
    while (!rest.empty()) {
      std::size_t slash = rest.find('\\');
      longNames.emplace_back(rest.substr(0, slash));
      rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
  }
  // The host folder holding component i, for a folder whose aliases are
  // unmet (rare: most were met on the way here).
  auto hostFolder = [&](std::size_t i) {
    std::filesystem::path host = r.host;
    for (std::size_t up = longNames.size(); up > i; --up) host = host.parent_path();
    return host;
  };
  out = std::string{r.drive(), ':', '\\'};
  std::string folderKey{r.drive(), ':'};
  for (std::size_t i = 0; i < longNames.size(); ++i) {
    const std::string& name = longNames[i];
    std::string nameKey = ToUpper(name);
    std::string shortName = name;
    if (fs.shortNamesOn() && !IsValidShortName(name)) {
      const FileMeta* meta = fs.metadata().Find(folderKey, nameKey);
      if (!meta || meta->alias.empty()) {
        std::vector<Entry> entries;
        fs.ListFolder(hostFolder(i), folderKey, entries);
        meta = fs.metadata().Find(folderKey, nameKey);
      }
      if (meta && !meta->alias.empty()) shortName = meta->alias;
    }
    if (i) out += '\\';
    out += shortName;
    folderKey = JoinKey(folderKey, nameKey);
  }
  if (r.path.trailingSeparator && !r.isRoot()) out += '\\';
  fs.KeepShortForm(out, r);  // callers go on with the short form
  return ERROR_SUCCESS;
}

}  // namespace platform::files

using namespace platform::files;

DWORD GetFileAttributesA(LPCSTR fileName) {
  if (!fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  FileSystem* fs = CurrentFileSystem();
  Resolved r;
  DWORD error = fs ? fs->Resolve(fileName, r) : ERROR_NOT_READY;
  if (error == ERROR_SUCCESS && !r.exists) error = ERROR_FILE_NOT_FOUND;
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return INVALID_FILE_ATTRIBUTES;
  }
  return fs->AttributesOf(r);
}

BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes) {
  if (!fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return RunBoolCall([&](FileSystem& fs) { return SetAttributesAt(fs, fileName, attributes); });
}

DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) {
  if (!longPath || (!shortPath && size > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  FileSystem* fs = CurrentFileSystem();
  std::string text;
  DWORD error = fs ? ShortPathOf(*fs, longPath, text) : ERROR_NOT_READY;
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return 0;
  }
  return CopyOut(text, shortPath, size);
}
