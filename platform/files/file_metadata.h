#pragma once
// What Windows keeps about a file that the host cannot: the R, H, S, A
// attributes, the creation time and the 8.3 alias. Kept in memory, keyed by
// the upper-cased long path, and written atomically to one state file.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/base/wintypes.h"

namespace platform::files {

struct FileMeta {
  std::optional<DWORD> attributes;  // R, H, S, A only; none = the default
  std::optional<std::int64_t> creationTime;  // FILETIME units
  std::string alias;                // upper case; "" = none assigned

  bool empty() const { return !attributes && !creationTime && alias.empty(); }
};

class MetadataStore {
 public:
  // Loads `file` if it exists; throws MachineError naming the file and line
  // when it does not parse (the file is then left untouched).
  explicit MetadataStore(std::filesystem::path file);
  // Not copied: the memo of the last folder asked points into this store.
  MetadataStore(const MetadataStore&) = delete;
  MetadataStore& operator=(const MetadataStore&) = delete;

  // Entries are addressed by folder key ("C:\DIR" or "C:") and upper-case name.
  const FileMeta* Find(const std::string& folderKey, const std::string& nameKey) const;
  // Every entry of one folder that has metadata (null when none has).
  const std::unordered_map<std::string, FileMeta>* EntriesOf(const std::string& folderKey) const;
  FileMeta& Edit(const std::string& folderKey, const std::string& nameKey);
  // Stores an entry's attributes in one look-up; unchanged ones leave the
  // store as it was.
  void SetAttributes(const std::string& folderKey, const std::string& nameKey, DWORD attributes);
  // The upper-case name whose alias is `aliasKey`, or null.
  const std::string* NameForAlias(const std::string& folderKey, const std::string& aliasKey) const;
  bool AliasTaken(const std::string& folderKey, const std::string& aliasKey) const;
  void SetAlias(const std::string& folderKey, const std::string& nameKey, const std::string& aliasKey);

  // Drops an entry and, for a folder, everything below it.
  void Remove(const std::string& folderKey, const std::string& nameKey);
  // Carries an entry (and a folder's subtree) to a new place; the moved
  // entry loses its alias, its descendants keep theirs.
  void Move(const std::string& fromFolder, const std::string& fromName, const std::string& toFolder,
            const std::string& toName);

  // Writes the file atomically when anything changed.
  void Save();
  bool dirty() const { return dirty_; }

 private:
  // A folder's tables are hashed: a deletion asks them several times per
  // file, in folders of thousands. The file is written sorted all the same.
  struct Folder {
    std::unordered_map<std::string, FileMeta> entries;     // by upper-case name
    std::unordered_map<std::string, std::string> aliases;  // upper-case alias -> name
  };
  using Folders = std::map<std::string, Folder>;
  void Load();
  // A folder's tables, or end(). The last folder asked is kept: a big
  // folder's files are asked about one after another.
  Folders::iterator FolderAt(const std::string& folderKey) const;
  Folder& FolderFor(const std::string& folderKey);
  Folders::iterator Erase(Folders::iterator folder);

  std::filesystem::path file_;
  Folders folders_;
  mutable Folders::iterator lastFolder_ = folders_.end();
  std::string scratchKey_;  // Remove's joined key, kept for its storage
  bool dirty_ = false;
};

// "C:\A\B" -> ("C:\A", "B"); "C:\B" -> ("C:", "B").
std::pair<std::string, std::string> SplitKey(std::string_view key);
std::string JoinKey(std::string_view folderKey, std::string_view nameKey);
// The same into `out`, reusing its storage.
void JoinKey(std::string_view folderKey, std::string_view nameKey, std::string& out);

}  // namespace platform::files
