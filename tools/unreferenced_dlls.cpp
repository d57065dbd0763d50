#include "tools/unreferenced_dlls.h"

#include <optional>
#include <vector>

#include "cleaning/file_actions.h"
#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/event_loop.h"
#include "platform/forms/strings.h"
#include "platform/registry/advapi32.h"
#include "support/cRegistry.h"
#include "tools/dll_paths.h"
#include "tools/registered_files.h"

namespace tools {
namespace {

using platform::forms::ListItem;
using platform::forms::ListView;

const char* const kSkippedWords[] = {"_restore", "dllcache", "system32", "office",
                                     "dao",      "msagent",  "microsoft", "recycle"};

bool HoldsSkippedWord(const std::string& folder) {
  std::string lower = platform::forms::LCase(folder);
  for (const char* word : kSkippedWords)
    if (lower.find(word) != std::string::npos) return true;
  return false;
}

std::vector<std::string> Listing(const std::string& search) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE handle = FindFirstFileA(search.c_str(), &found);
  if (handle == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    bool folder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    names.push_back(folder ? name + "\\" : name);
  } while (FindNextFileA(handle, &found));
  FindClose(handle);
  return names;
}

// The default value of the first subkey's first subkey's "win32" key: the
// file the type library is registered as; nothing when it is not.
std::optional<std::string> RegisteredTypeLibrary(const std::string& libraryId) {
  cRegistry registry;
  registry.ClassKey(static_cast<std::int32_t>(HKEY_CLASSES_ROOT));
  std::string key = "typelib\\" + libraryId;
  registry.SectionKey(key);
  if (!registry.KeyExists()) return std::nullopt;
  std::vector<std::string> names;
  std::int32_t count = 0;
  registry.EnumerateSections(names, count);
  if (count < 1) return std::nullopt;
  key += "\\" + names[1];
  registry.SectionKey(key);
  registry.EnumerateSections(names, count);
  if (count < 1) return std::nullopt;
  registry.SectionKey(key + "\\" + names[1] + "\\win32");
  if (!registry.KeyExists()) return std::nullopt;
  registry.ValueKey("");
  return platform::vb::CStr(registry.Value());
}

bool HoldsNoCase(const std::string& text, const char* word) {
  return platform::ToUpper(text).find(platform::ToUpper(word)) != std::string::npos;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// "name.dll", else "name (2).dll", "name (3).dll" ...: the first free name.
std::string FreeCopyName(const std::string& folder, const std::string& name) {
  std::size_t dot = name.find_last_of('.');
  std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  std::string candidate = folder + "\\" + name;
  for (int n = 2; cleaning::AttributesOf(candidate) != INVALID_FILE_ATTRIBUTES; ++n)
    candidate = folder + "\\" + stem + " (" + std::to_string(n) + ")" + extension;
  return candidate;
}

}  // namespace

void FindDllFiles(const std::string& folder, const std::string& pattern, platform::forms::ListBox& found) {
  std::string base = cleaning::WithTrailingBackslash(folder);
  std::vector<std::string> entries = Listing(base + "*");
  if (!HoldsSkippedWord(base))
    for (const std::string& name : Listing(base + pattern))
      if (name.back() != '\\') found.AddItem(base + name);
  for (const std::string& name : entries)
    if (name.back() == '\\') FindDllFiles(base + name, pattern, found);
}

void ListUnreferencedDlls(platform::forms::ListBox& found, ListView& registered, ListView& unreferenced,
                          TypeLibraryClient& typeLibraries, const std::string& windowsDir) {
  for (int i = 0; i < found.ListCount(); ++i) {
    platform::forms::DoEvents();
    std::string path = found.List(i);
    auto libraryId = typeLibraries.LibraryId(path);
    if (!libraryId) continue;
    auto libraryFile = RegisteredTypeLibrary(*libraryId);
    if (!libraryFile || HoldsNoCase(*libraryFile, "~") || HoldsNoCase(*libraryFile, "_restore")) continue;
    ListItem& row = registered.Add(std::nullopt, "", path);
    row.SubItems(1, typeLibraries.FirstCoClass(path).value_or(""));
    row.SubItems(2, platform::forms::LCase(RegisteredPath(*libraryFile, windowsDir)));
  }
  if (registered.Count() == 0) return;
  // Any version or locale of any library, or any class's server, may name
  // the file; the first version of its own library is not the only one.
  RegisteredFiles everyRegistration = RegisteredFiles::Read(windowsDir);
  for (int i = 1; i <= registered.Count(); ++i) {
    ListItem& row = registered.Item(i);
    std::string libraryFile = row.SubItems(2);
    if (!IsFullPath(libraryFile) || SameFile(libraryFile, row.Text)) continue;
    if (everyRegistration.MayName(row.Text)) continue;
    unreferenced.Add(std::nullopt, "", row.Text);
  }
}

RowDeletion DeleteCheckedRows(ListView& rows, int pathColumn, const std::string& backupFolder) {
  RowDeletion result;
  for (int i = rows.Count(); i >= 1; --i) {
    ListItem& row = rows.Item(i);
    if (!row.Checked) continue;
    std::string path = pathColumn == 0 ? row.Text : row.SubItems(pathColumn);
    if (!backupFolder.empty()) {
      std::string copy = FreeCopyName(backupFolder, NameOf(path));
      if (!CopyFileA(path.c_str(), copy.c_str(), TRUE)) {
        ++result.notCopied;
        continue;
      }
    }
    cleaning::FsoDeleteFile(path, false);
    if (cleaning::AttributesOf(path) != INVALID_FILE_ATTRIBUTES) continue;
    rows.Remove(i);
    ++result.removed;
  }
  return result;
}

}  // namespace tools
