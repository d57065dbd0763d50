#pragma once
// The files area of a machine: resolves Windows paths to host paths inside
// the drive folders, keeps the metadata, the space used per drive, the
// process's current directories and the test seams (held and in-use files,
// write budget).
#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/files/file_attributes.h"
#include "platform/files/file_metadata.h"
#include "platform/files/folder_cache.h"
#include "platform/files/path_syntax.h"
#include "platform/machine/machine.h"

namespace platform::files {

// The attributes kept in the metadata; directory and normal are derived.
constexpr DWORD kStoredAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

constexpr std::uint8_t kHostRead = 1, kHostWrite = 2;

// One visible entry of a folder (a regular file or a folder on the host).
// The small members come last, packed: a big folder lists tens of thousands.
struct Entry {
  std::string name;      // Windows-1252 long name; "?" for host characters without one
  std::string hostName;  // the name on disk (UTF-8)
  std::string alias;     // upper-case 8.3 alias; "" when the name is its own short name
  std::uint64_t size = 0;
  std::int64_t writeTime = 0;  // FILETIME units
  // Filled by listings: what a search reports.
  std::int64_t creationTime = 0;
  DWORD attributes = 0;
  bool openable = true;  // false when the host name has no Windows-1252 form
  bool directory = false;
  // What the host's mode bits surely grant this process (kHostRead,
  // kHostWrite); an open is still tried for anything not granted here.
  std::uint8_t hostAccess = 0;
};

// A path resolved against the drive folders. `exists` is false when every
// folder on the way exists but the last component does not.
struct Resolved {
  WindowsPath path;
  std::string key;        // "C:\DIR\NAME", "C:" for a root
  std::string folderKey;  // key of the containing folder ("" for a root)
  std::string nameKey;    // upper-case last long name ("" for a root)
  std::string longPath;   // "C:\Dir\Name" with the stored spelling
  std::filesystem::path host;
  bool exists = false;
  Entry entry;            // valid when exists (not for a root)
  // The folder the entry is (or would be) in, held open: opened and removed
  // relative to it; null for a root.
  std::shared_ptr<HeldFolder> folder;

  char drive() const { return path.drive; }
  bool isRoot() const { return path.isRoot(); }
  bool isDirectory() const { return isRoot() || (exists && entry.directory); }
};

enum class HoldMode { DenyWrite, DenyAll };
enum class FolderGrant { Full, Read, None };

// Handles of this process that are open on each file, for share modes.
struct OpenRecord {
  DWORD access = 0;  // GENERIC_READ / GENERIC_WRITE bits
  DWORD share = 0;   // FILE_SHARE_* bits
};
struct OpenTable {
  std::multimap<std::string, const OpenRecord*> byKey;
};

class FileSystem : public MachineArea {
 public:
  explicit FileSystem(Machine& machine);
  void Flush() override;
  bool HasPendingWrites() const override { return metadata_.dirty(); }
  void OnRestart() override;

  Machine& machine() { return machine_; }
  MetadataStore& metadata() { return metadata_; }
  bool shortNamesOn() const { return machine_.description().shortNames; }

  // --- paths ---
  DWORD Resolve(std::string_view windowsPath, Resolved& out, bool allowPattern = false);
  // The folder's visible entries, sorted, with aliases assigned on first
  // meeting; read through `folderFd` (an O_PATH descriptor) when given.
  // `folderWriteTime`, when given, gets the listed folder's own write time
  // (unset when the host would not tell it).
  DWORD ListFolder(const std::filesystem::path& hostFolder, const std::string& folderKey, std::vector<Entry>& out,
                   int folderFd = -1, std::optional<std::int64_t>* folderWriteTime = nullptr);
  // The entries of the folder `pattern` (a path ending in a wildcard name)
  // resolved to, that the name matches, as a search reports them ("." and
  // ".." left out): 0, 2 for none, or what stops the search.
  DWORD ListMatching(const Resolved& pattern, std::vector<Entry>& out, int folderFd = -1,
                     std::optional<std::int64_t>* folderWriteTime = nullptr);
  // What a search reports of one resolved entry found by its name.
  Entry AsFound(const Resolved& r) const;
  char currentDrive() const { return currentDrive_; }
  std::string CurrentDirectory(char drive) const;
  void SetCurrentDirectory(char drive, std::string longPath);
  // Gives `name` in `folderKey` its alias now when it needs one.
  void AssignAliasOnCreation(const std::filesystem::path& hostFolder, const std::string& folderKey,
                             const std::string& name);

  // `text`, a short form made from `result` ("C:\PROGRA~1\COMMON~1"), names
  // the same entry: the next call with it is answered from `result`.
  void KeepShortForm(const std::string& text, const Resolved& result);

  // The folder holding `r`'s entry is still where the resolution found it
  // (nothing on the way renamed, deleted or replaced): asked before each
  // host call made relative to it.
  bool FolderStillInPlace(const Resolved& r);
  // The same, asked of the kernel whatever the watches say (a folder
  // deleted while held open shows only so): once per folder an operation
  // goes on to use for many calls.
  bool FolderProvenInPlace(const Resolved& r);
  // Drops every kept folder: the next resolutions walk from the drives.
  void ForgetKeptFolders() { folderCache_.Clear(); }

  // --- metadata ---
  DWORD AttributesOf(const Resolved& r) const;
  std::int64_t CreationTimeOf(const std::string& folderKey, const Entry& entry) const;
  void SetStoredAttributes(const std::string& folderKey, const std::string& nameKey, DWORD attributes);
  void MarkWritten(const Resolved& r);  // sets A
  void RecordCreation(const std::string& folderKey, const std::string& nameKey, DWORD attributes);

  // --- capacity and write budget ---
  std::uint64_t UsedBytes(char drive);
  std::uint64_t ClusterRounded(char drive, std::uint64_t size) const;
  // 112 when growing a file of `oldSize` to `newSize` would pass the
  // capacity or the write budget; nothing is recorded.
  DWORD CheckGrowth(char drive, std::uint64_t oldSize, std::uint64_t newSize, std::uint64_t bytesWritten);
  void CommitGrowth(char drive, std::uint64_t oldSize, std::uint64_t newSize, std::uint64_t bytesWritten);
  // The most bytes the drive held at once since the last reset (a test
  // seam: a drive whose peak reached its capacity had every cluster written).
  std::uint64_t PeakUsedBytes(char drive);
  void ResetPeakUsedBytes(char drive);
  void SetWriteBudget(std::optional<std::uint64_t> bytes) { writeBudget_ = bytes; budgetUsed_ = 0; }

  // --- rights, locks, holds ---
  FolderGrant GrantFor(const std::string& key) const;
  // 19 on a read-only drive, 5 without write rights, else 0.
  DWORD CheckCanModify(const Resolved& r) const;
  DWORD CheckCanRead(const Resolved& r) const;
  bool IsSystemLocked(const Resolved& r) const;
  std::optional<HoldMode> HeldMode(const std::string& key) const;
  bool IsInUse(const std::string& key) const;
  void Hold(const std::string& key, HoldMode mode) { holds_[key] = mode; }
  void Release(const std::string& key) { holds_.erase(key); }
  void MarkInUse(const std::string& key) { inUse_.insert(key); }
  // 32 when a handle of this process conflicts with (access, share); with
  // `forDelete`, any handle opened without FILE_SHARE_DELETE conflicts.
  DWORD CheckOwnHandles(const std::string& key, DWORD access, DWORD share, bool forDelete = false) const;
  const std::shared_ptr<OpenTable>& openTable() const { return openTable_; }

  // Layer-private scratch folder for atomic replacements (outside the drives).
  std::filesystem::path scratchFolder() const;

 private:
  // `folder` is a descriptor of `hostFolder`; every look-up goes through it.
  std::optional<Entry> FindChild(int folder, const std::filesystem::path& hostFolder, const std::string& folderKey,
                                 const std::string& name);
  std::optional<Entry> FindByAliasHint(int folder, const std::string& folderKey, const std::string& aliasKey);
  std::optional<Entry> FindAliasByListing(const std::filesystem::path& hostFolder, const std::string& folderKey,
                                          const std::string& aliasKey);
  void RememberAliases(const std::string& folderKey, const std::vector<Entry>& entries);
  // The last few resolutions, each answered again after a check of its
  // folder and entry instead of a new walk: the engine asks about the same
  // file several times in a row.
  struct RecentResolution {
    std::string text;
    std::string folderSpelling;  // key of the kept folder the entry is in
    std::string alias;           // the alias the text named; "" for a long name
    Resolved result;
  };
  // The cached folder for `spelling` while every alias it was named by is
  // still its folder's alias.
  const CachedFolder* KeptFolder(const std::string& spelling);
  void Keep(std::string_view text, const std::string& folderSpelling, const Resolved& result);
  bool Recall(std::string_view text, Resolved& out);
  DWORD DriveRoot(char drive, std::filesystem::path& root) const;
  DWORD OpenDriveRoot(const std::filesystem::path& root, UniqueFd& fd) const;
  void ResetProcess();

  Machine& machine_;
  MetadataStore metadata_;
  // Folder key -> alias -> host name, as last listed: a hint that spares
  // a listing per look-up by 8.3 name.
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> aliasHints_;
  FolderCache folderCache_;
  std::array<RecentResolution, 4> recent_;
  std::size_t nextRecent_ = 0;
  // Host folder of each drive letter, filled on first use.
  mutable std::array<std::filesystem::path, 26> driveFolders_;
  std::map<char, std::uint64_t> used_;
  std::map<char, std::uint64_t> peakUsed_;
  std::optional<std::uint64_t> writeBudget_;
  std::uint64_t budgetUsed_ = 0;
  char currentDrive_ = 'C';
  std::map<char, std::string> currentDirs_;
  std::map<std::string, HoldMode> holds_;
  std::set<std::string> inUse_;
  // Key of the running program's image ("" for none), worked out once:
  // every deletion asks whether it names that file.
  std::string programImageKey_;
  bool restarting_ = false;
  std::shared_ptr<OpenTable> openTable_ = std::make_shared<OpenTable>();
};

// The files area of the bound machine, or null when none is bound.
FileSystem* CurrentFileSystem();
// Loads the area now, so that a state file that does not parse stops the
// machine from opening (MachineError naming the file and line).
FileSystem& LoadFileSystem(Machine& machine);

// The reported attributes of an entry with this metadata (NORMAL when none).
DWORD StoredOrDefaultAttributes(const FileMeta* meta, bool directory);

// FILETIME units of a host modification time.
std::int64_t FileTimeOf(const struct timespec& time);
// Entry facts from a host lstat; false for what the layer does not show
// (links, sockets, fifos, devices).
bool EntryFromStat(const struct stat& st, Entry& entry);

}  // namespace platform::files
