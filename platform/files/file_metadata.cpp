#include "platform/files/file_metadata.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <vector>

#include "platform/base/host_file.h"
#include "platform/base/machine_error.h"

namespace platform::files {
namespace {

constexpr std::string_view kHeader = "TESSALY FILE METADATA 1";

bool StartsWithFolder(const std::string& key, const std::string& folder) {
  return key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 && key[folder.size()] == '\\';
}

template <typename T>
bool ParseField(std::string_view text, T& value, int base) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::pair<std::string, std::string> SplitKey(std::string_view key) {
  std::size_t slash = key.rfind('\\');
  if (slash == std::string_view::npos) return {std::string(key), std::string()};
  return {std::string(key.substr(0, slash)), std::string(key.substr(slash + 1))};
}

std::string JoinKey(std::string_view folderKey, std::string_view nameKey) {
  std::string key;
  JoinKey(folderKey, nameKey, key);
  return key;
}

void JoinKey(std::string_view folderKey, std::string_view nameKey, std::string& out) {
  out.reserve(folderKey.size() + 1 + nameKey.size());
  out.assign(folderKey);
  out += '\\';
  out += nameKey;
}

MetadataStore::MetadataStore(std::filesystem::path file) : file_(std::move(file)) { Load(); }

void MetadataStore::Load() {
  std::optional<std::string> text = ReadHostFile(file_);
  if (!text) return;
  std::istringstream in(*text);
  std::string name = file_.string();
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& what) -> void {
    throw MachineError(name + " line " + std::to_string(number) + ": " + what);
  };
  while (std::getline(in, line)) {
    ++number;
    if (number == 1) {
      if (line != kHeader) fail("not a file metadata file");
      continue;
    }
    if (line.empty()) continue;
    // key TAB attributes TAB creation TAB alias
    std::string fields[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
      std::size_t tab = line.find('\t', start);
      if ((tab == std::string::npos) != (i == 3)) fail("expected four tab-separated fields");
      fields[i] = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
      start = tab + 1;
    }
    if (fields[0].size() < 4 || fields[0][1] != ':' || fields[0][2] != '\\') fail("bad path: " + fields[0]);
    FileMeta meta;
    if (!fields[1].empty()) {
      DWORD attributes = 0;
      if (!ParseField(fields[1], attributes, 16)) fail("bad attributes: " + fields[1]);
      meta.attributes = attributes;
    }
    if (!fields[2].empty()) {
      std::int64_t created = 0;
      if (!ParseField(fields[2], created, 10)) fail("bad creation time: " + fields[2]);
      meta.creationTime = created;
    }
    meta.alias = fields[3];
    auto [folderKey, nameKey] = SplitKey(fields[0]);
    Folder& folder = FolderFor(folderKey);
    if (!meta.alias.empty()) folder.aliases[meta.alias] = nameKey;
    folder.entries[nameKey] = std::move(meta);
  }
  if (number == 0) {
    number = 1;
    fail("empty file");
  }
}

MetadataStore::Folders::iterator MetadataStore::FolderAt(const std::string& folderKey) const {
  if (lastFolder_ != folders_.end() && lastFolder_->first == folderKey) return lastFolder_;
  // The memo keeps a mutable iterator; finding it changes nothing.
  auto folder = const_cast<Folders&>(folders_).find(folderKey);
  if (folder != folders_.end()) lastFolder_ = folder;
  return folder;
}

MetadataStore::Folder& MetadataStore::FolderFor(const std::string& folderKey) {
  if (lastFolder_ == folders_.end() || lastFolder_->first != folderKey)
    lastFolder_ = folders_.try_emplace(folderKey).first;
  return lastFolder_->second;
}

MetadataStore::Folders::iterator MetadataStore::Erase(Folders::iterator folder) {
  if (folder == lastFolder_) lastFolder_ = folders_.end();
  return folders_.erase(folder);
}

const FileMeta* MetadataStore::Find(const std::string& folderKey, const std::string& nameKey) const {
  auto folder = FolderAt(folderKey);
  if (folder == folders_.end()) return nullptr;
  auto entry = folder->second.entries.find(nameKey);
  return entry == folder->second.entries.end() ? nullptr : &entry->second;
}

const std::unordered_map<std::string, FileMeta>* MetadataStore::EntriesOf(const std::string& folderKey) const {
  auto folder = FolderAt(folderKey);
  return folder == folders_.end() ? nullptr : &folder->second.entries;
}

FileMeta& MetadataStore::Edit(const std::string& folderKey, const std::string& nameKey) {
  dirty_ = true;
  return FolderFor(folderKey).entries[nameKey];
}

void MetadataStore::SetAttributes(const std::string& folderKey, const std::string& nameKey, DWORD attributes) {
  auto [entry, added] = FolderFor(folderKey).entries.try_emplace(nameKey);
  if (!added && entry->second.attributes == attributes) return;
  entry->second.attributes = attributes;
  dirty_ = true;
}

const std::string* MetadataStore::NameForAlias(const std::string& folderKey, const std::string& aliasKey) const {
  auto folder = FolderAt(folderKey);
  if (folder == folders_.end()) return nullptr;
  auto alias = folder->second.aliases.find(aliasKey);
  return alias == folder->second.aliases.end() ? nullptr : &alias->second;
}

bool MetadataStore::AliasTaken(const std::string& folderKey, const std::string& aliasKey) const {
  return NameForAlias(folderKey, aliasKey) != nullptr;
}

void MetadataStore::SetAlias(const std::string& folderKey, const std::string& nameKey, const std::string& aliasKey) {
  Folder& folder = FolderFor(folderKey);
  FileMeta& meta = folder.entries[nameKey];
  if (!meta.alias.empty()) folder.aliases.erase(meta.alias);
  meta.alias = aliasKey;
  if (!aliasKey.empty()) folder.aliases[aliasKey] = nameKey;
  dirty_ = true;
}

void MetadataStore::Remove(const std::string& folderKey, const std::string& nameKey) {
  std::string& key = scratchKey_;
  JoinKey(folderKey, nameKey, key);
  for (auto it = folders_.lower_bound(key); it != folders_.end() && (it->first == key || StartsWithFolder(it->first, key));) {
    it = Erase(it);
    dirty_ = true;
  }
  auto folder = FolderAt(folderKey);
  if (folder == folders_.end()) return;
  auto entry = folder->second.entries.find(nameKey);
  if (entry == folder->second.entries.end()) return;
  if (!entry->second.alias.empty()) folder->second.aliases.erase(entry->second.alias);
  folder->second.entries.erase(entry);
  if (folder->second.entries.empty()) Erase(folder);
  dirty_ = true;
}

void MetadataStore::Move(const std::string& fromFolder, const std::string& fromName, const std::string& toFolder,
                         const std::string& toName) {
  if (fromFolder == toFolder && fromName == toName) return;
  Remove(toFolder, toName);
  std::string fromKey = JoinKey(fromFolder, fromName);
  std::string toKey = JoinKey(toFolder, toName);

  // The subtree: every folder table at or below the moved entry.
  std::vector<std::pair<std::string, Folder>> moved;
  for (auto it = folders_.lower_bound(fromKey);
       it != folders_.end() && (it->first == fromKey || StartsWithFolder(it->first, fromKey));) {
    moved.emplace_back(toKey + it->first.substr(fromKey.size()), std::move(it->second));
    it = Erase(it);
  }
  for (auto& [key, folder] : moved) FolderFor(key) = std::move(folder);

  std::optional<FileMeta> own;
  if (const FileMeta* found = Find(fromFolder, fromName)) own = *found;
  Remove(fromFolder, fromName);
  if (own) {
    own->alias.clear();
    if (!own->empty()) FolderFor(toFolder).entries[toName] = std::move(*own);
  }
  dirty_ = true;
}

void MetadataStore::Save() {
  if (!dirty_) return;
  std::ostringstream out;
  out << kHeader << '\n';
  std::vector<const std::pair<const std::string, FileMeta>*> sorted;
  for (const auto& [folderKey, folder] : folders_) {
    sorted.clear();
    for (const auto& entry : folder.entries) sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) { return a->first < b->first; });
    for (const auto* entry : sorted) {
      const auto& [nameKey, meta] = *entry;
      if (meta.empty()) continue;
      out << folderKey << '\\' << nameKey << '\t';
      if (meta.attributes) {
        char hex[16];
        auto [end, ec] = std::to_chars(hex, hex + sizeof hex, *meta.attributes, 16);
        out.write(hex, end - hex);
      }
      out << '\t';
      if (meta.creationTime) out << *meta.creationTime;
      out << '\t' << meta.alias << '\n';
    }
  }
  WriteHostFileAtomically(file_, out.str());
  dirty_ = false;
}

}  // namespace platform::files
