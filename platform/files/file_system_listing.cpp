// Folder listings: entries sorted as Windows lists them, with the metadata
// and the 8.3 aliases given on first meeting, and look-ups by alias.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "platform/base/cp1252.h"
#include "platform/files/dir_handle.h"
#include "platform/files/file_system.h"
#include "platform/files/short_names.h"
#include "platform/files/wildcard.h"

namespace platform::files {
namespace {

constexpr off_t kFolderBlock = 4096;
constexpr std::size_t kMostReserved = 1 << 20;

// A key's first eight bytes as one number that orders as the bytes do (a
// name holds no NUL, so a shorter key's zero padding sorts it first): most
// comparisons in a sort of thousands of names end there.
std::uint64_t SortHead(std::string_view key) {
  std::uint64_t head = 0;
  for (std::size_t i = 0; i < 8; ++i)
    head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  return head;
}

// Puts entries[order[k]] (and its key) at k, moving each element once.
void ApplyOrder(std::vector<std::uint32_t>& order, std::vector<Entry>& entries, std::vector<std::string>& keys) {
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    // Walk the cycle through `start`, pulling each element into place.
    Entry entry = std::move(entries[start]);
    std::string key = std::move(keys[start]);
    std::size_t at = start;
    while (order[at] != start) {
      std::size_t from = order[at];
      entries[at] = std::move(entries[from]);
      keys[at] = std::move(keys[from]);
      order[at] = static_cast<std::uint32_t>(at);
      at = from;
    }
    entries[at] = std::move(entry);
    keys[at] = std::move(key);
    order[at] = static_cast<std::uint32_t>(at);
  }
}

}  // namespace

DWORD FileSystem::ListFolder(const std::filesystem::path& hostFolder, const std::string& folderKey,
                             std::vector<Entry>& out, int folderFd, std::optional<std::int64_t>* folderWriteTime) {
  out.clear();
  if (folderWriteTime) folderWriteTime->reset();
  DirPtr dir;
  if (folderFd < 0) {
    dir.reset(::opendir(hostFolder.c_str()));
  } else if (int listed = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); listed >= 0) {
    dir.reset(::fdopendir(listed));
    if (!dir) ::close(listed);
  }
  if (!dir) return ERROR_PATH_NOT_FOUND;
  int fd = ::dirfd(dir.get());
  // A big folder's host size tells roughly how many names it holds (some
  // 32 bytes each on ext4): room for them at once spares copying a growing
  // list of thousands of entries.
  struct stat folder {};
  if (::fstat(fd, &folder) == 0) {
    if (folder.st_size > kFolderBlock)
      out.reserve(std::min<std::size_t>(static_cast<std::size_t>(folder.st_size) / 32, kMostReserved));
    if (folderWriteTime && S_ISDIR(folder.st_mode)) *folderWriteTime = FileTimeOf(folder.st_mtim);
  }
  while (dirent* d = ::readdir(dir.get())) {
    std::string_view raw = d->d_name;
    if (raw == "." || raw == "..") continue;
    if (d->d_type != DT_REG && d->d_type != DT_DIR && d->d_type != DT_UNKNOWN) continue;
    Entry entry;
    struct stat st {};
    if (::fstatat(fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !EntryFromStat(st, entry)) continue;
    entry.hostName = std::string(raw);
    if (IsAscii(raw)) {
      entry.name = entry.hostName;
    } else {
      auto converted = Utf8ToCp1252(raw);
      entry.openable = converted.has_value();
      entry.name = converted ? std::move(*converted) : Utf8ToCp1252Lossy(raw);
    }
    out.push_back(std::move(entry));
  }
  // Windows order: by upper-case name, then by exact name. The keys serve
  // the metadata look-ups below too; a big folder is sorted by index and
  // its entries moved once, not swapped about.
  std::vector<std::string> keys;
  keys.reserve(out.size());
  for (const Entry& entry : out) keys.push_back(ToUpper(entry.name));
  std::vector<std::uint32_t> order(out.size());
  std::iota(order.begin(), order.end(), 0u);
  std::vector<std::uint64_t> heads;
  heads.reserve(keys.size());
  for (const std::string& key : keys) heads.push_back(SortHead(key));
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    if (heads[a] != heads[b]) return heads[a] < heads[b];
    int byKey = keys[a].compare(keys[b]);
    return byKey != 0 ? byKey < 0 : out[a].name < out[b].name;
  });
  ApplyOrder(order, out, keys);

  // One pass for what the metadata says.
  const auto* stored = metadata_.EntriesOf(folderKey);
  bool aliases = shortNamesOn();
  bool needsAliases = false;
  // Which entries are their own short name, asked once each.
  std::vector<bool> ownShortName(aliases ? out.size() : 0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    Entry& entry = out[i];
    const FileMeta* meta = nullptr;
    if (stored) {
      auto it = stored->find(keys[i]);
      if (it != stored->end()) meta = &it->second;
    }
    entry.attributes = StoredOrDefaultAttributes(meta, entry.directory);
    entry.creationTime = meta && meta->creationTime ? *meta->creationTime : entry.writeTime;
    if (!aliases || !entry.openable) continue;
    if (IsValidShortName(entry.name)) {
      ownShortName[i] = true;
      continue;
    }
    if (meta) entry.alias = meta->alias;
    if (entry.alias.empty()) needsAliases = true;
  }
  if (!needsAliases) return ERROR_SUCCESS;

  // An alias is taken by a name here that is its own short name, which is
  // just a key equal to it (an alias is a valid short name in upper case),
  // found in the sorted keys; or by another entry's alias.
  auto taken = [&](const std::string& alias) {
    return std::binary_search(keys.begin(), keys.end(), alias) || metadata_.AliasTaken(folderKey, alias);
  };
  AliasNumbers numbers;
  for (std::size_t i = 0; i < out.size(); ++i) {
    Entry& entry = out[i];
    if (!entry.openable || !entry.alias.empty() || ownShortName[i]) continue;
    // Host names that differ only in case share one key, and so the one
    // alias the metadata keeps for it: a second alias would take the
    // first's away.
    if (i > 0 && keys[i] == keys[i - 1] && !out[i - 1].alias.empty()) {
      entry.alias = out[i - 1].alias;
      continue;
    }
    entry.alias = MakeAlias(entry.name, taken, &numbers);
    metadata_.SetAlias(folderKey, keys[i], entry.alias);
  }
  return ERROR_SUCCESS;
}

DWORD FileSystem::ListMatching(const Resolved& pattern, std::vector<Entry>& out, int folderFd,
                               std::optional<std::int64_t>* folderWriteTime) {
  out.clear();
  Resolved folder;
  folder.key = pattern.folderKey;
  if (DWORD error = CheckCanRead(folder)) return error;
  std::vector<Entry> entries;
  if (ListFolder(pattern.host, pattern.folderKey, entries, folderFd, folderWriteTime) != ERROR_SUCCESS)
    return ERROR_PATH_NOT_FOUND;
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
  hints.clear();
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
