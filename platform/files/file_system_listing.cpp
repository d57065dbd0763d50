// Folder listings: entries sorted as Windows lists them, with the metadata
// and the 8.3 aliases given on first meeting, and look-ups by alias.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <unordered_set>

#include "platform/base/cp1252.h"
#include "platform/files/dir_handle.h"
#include "platform/files/file_system.h"
#include "platform/files/short_names.h"
#include "platform/files/wildcard.h"

namespace platform::files {

DWORD FileSystem::ListFolder(const std::filesystem::path& hostFolder, const std::string& folderKey,
                             std::vector<Entry>& out, int folderFd) {
  out.clear();
  DirPtr dir;
  if (folderFd < 0) {
    dir.reset(::opendir(hostFolder.c_str()));
  } else if (int listed = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); listed >= 0) {
    dir.reset(::fdopendir(listed));
    if (!dir) ::close(listed);
  }
  if (!dir) return ERROR_PATH_NOT_FOUND;
  int fd = ::dirfd(dir.get());
  while (dirent* d = ::readdir(dir.get())) {
    std::string_view raw = d->d_name;
    if (raw == "." || raw == "..") continue;
    if (d->d_type != DT_REG && d->d_type != DT_DIR && d->d_type != DT_UNKNOWN) continue;
    Entry entry;
    struct stat st {};
    if (::fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !EntryFromStat(st, entry)) continue;
    entry.hostName = std::string(raw);
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      entry.name = entry.hostName;  // ASCII is the same in both encodings
    } else {
      auto converted = Utf8ToCp1252(raw);
      entry.openable = converted.has_value();
      entry.name = converted ? std::move(*converted) : Utf8ToCp1252Lossy(raw);
    }
    out.push_back(std::move(entry));
  }
  std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
    int order = CompareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });

  // One pass for what the metadata says; only folders with metadata pay
  // for the name keys.
  const auto* stored = metadata_.EntriesOf(folderKey);
  bool aliases = shortNamesOn();
  bool needsAliases = false;
  for (auto& entry : out) {
    const FileMeta* meta = nullptr;
    if (stored) {
      auto it = stored->find(ToUpper(entry.name));
      if (it != stored->end()) meta = &it->second;
    }
    entry.attributes = StoredOrDefaultAttributes(meta, entry.directory);
    entry.creationTime = meta && meta->creationTime ? *meta->creationTime : entry.writeTime;
    if (!aliases || !entry.openable || IsValidShortName(entry.name)) continue;
    if (meta) entry.alias = meta->alias;
    if (entry.alias.empty()) needsAliases = true;
  }
  if (!needsAliases) {
    RememberAliases(folderKey, out);
    return ERROR_SUCCESS;
  }

  std::unordered_set<std::string> shortNamesHere;
  for (const auto& entry : out)
    if (entry.openable && IsValidShortName(entry.name)) shortNamesHere.insert(ToUpper(entry.name));
  auto taken = [&](const std::string& alias) {
    return shortNamesHere.count(alias) != 0 || metadata_.AliasTaken(folderKey, alias);
  };
  AliasNumbers numbers;
  for (auto& entry : out) {
    if (!entry.openable || !entry.alias.empty() || IsValidShortName(entry.name)) continue;
    entry.alias = MakeAlias(entry.name, taken, &numbers);
    metadata_.SetAlias(folderKey, ToUpper(entry.name), entry.alias);
  }
  RememberAliases(folderKey, out);
  return ERROR_SUCCESS;
}

DWORD FileSystem::ListMatching(const Resolved& pattern, std::vector<Entry>& out, int folderFd) {
  out.clear();
  Resolved folder;
  folder.key = pattern.folderKey;
  if (DWORD error = CheckCanRead(folder)) return error;
  std::vector<Entry> entries;
  if (ListFolder(pattern.host, pattern.folderKey, entries, folderFd) != ERROR_SUCCESS) return ERROR_PATH_NOT_FOUND;
  const std::string& last = pattern.path.components.back();
  if (last == "*" || last == "*.*") {
    out = std::move(entries);
  } else {
    for (Entry& entry : entries)
      if (MatchesEntry(last, entry.name, entry.alias)) out.push_back(std::move(entry));
  }
  return ERROR_SUCCESS;
}

Entry FileSystem::AsFound(const Resolved& r) const {
  Entry item = r.entry;
  item.attributes = AttributesOf(r);
  item.creationTime = CreationTimeOf(r.folderKey, r.entry);
  return item;
}

void FileSystem::RememberAliases(const std::string& folderKey, const std::vector<Entry>& entries) {
  auto& hints = aliasHints_[folderKey];
  for (const auto& entry : entries)
    if (!entry.alias.empty()) hints[entry.alias] = entry.hostName;
}

// A look-up by alias without listing the folder again: the hint names the
// host entry last seen with that alias, and counts only while the metadata
// still gives that entry the same alias.
std::optional<Entry> FileSystem::FindByAliasHint(int folder, const std::string& folderKey,
                                                 const std::string& aliasKey) {
  auto hints = aliasHints_.find(folderKey);
  if (hints == aliasHints_.end()) return std::nullopt;
  auto hint = hints->second.find(aliasKey);
  if (hint == hints->second.end()) return std::nullopt;
  auto name = Utf8ToCp1252(hint->second);
  struct stat st {};
  Entry entry;
  if (!name || ::fstatat(folder, hint->second.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !EntryFromStat(st, entry))
    return std::nullopt;
  const FileMeta* meta = metadata_.Find(folderKey, ToUpper(*name));
  if (!meta || meta->alias != aliasKey) return std::nullopt;
  entry.name = *name;
  entry.hostName = hint->second;
  entry.alias = aliasKey;
  return entry;
}

void FileSystem::AssignAliasOnCreation(const std::filesystem::path& hostFolder, const std::string& folderKey,
                                       const std::string& name) {
  if (!shortNamesOn() || IsValidShortName(name)) return;
  std::vector<Entry> entries;
  ListFolder(hostFolder, folderKey, entries);
}

}  // namespace platform::files
