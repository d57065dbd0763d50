#pragma once
// Folders met by recent path resolutions, each held open so that a later
// resolution can start from it instead of walking from the drive folder.
// An entry counts only while the held folder still sits at the exact host
// path it was found at: a folder renamed, deleted or replaced (by a link or
// anything else) is never reached through a stale entry.
//
// The proof is asked of the kernel once, when a folder is kept; from then
// on the cache watches the folder and every folder above it, and any of
// them moved drops every entry; a deletion shows as a look-up that finds
// nothing, which the caller confirms. Where the kernel cannot watch, each
// use asks again where the folder is. Once asked about often (a big folder
// being emptied), the cache learns of events from a flag the kernel raises
// in shared memory instead of a call per question.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/host_file.h"
#include "platform/files/ready_flag.h"

namespace platform::files {

// Opens `name` in the folder `parent` as a folder, never through a link.
UniqueFd OpenFolderAt(int parent, const char* name);
// The host path the kernel gives an open descriptor now; nullopt when it
// has none (a deleted folder, no /proc).
std::optional<std::string> HostPathOfFd(int fd);

// A folder held open by descriptor: the entries a resolution found in it
// are opened and removed relative to it, so no folder on the way is walked
// (or followed) again.
struct HeldFolder {
  UniqueFd fd;           // O_PATH descriptor of the folder
  std::string hostPath;  // where the kernel saw it when it was opened
  // The watch generation of the cache that reports its moves; 0 for none.
  std::uint64_t watchedIn = 0;
};

// The kernel still names the held folder by the host path it was seen at.
bool HeldAtItsPath(const HeldFolder& folder);

// A folder on a cached path that was named by its 8.3 alias: the path
// names it only while the alias is still its own.
struct AliasUse {
  std::string folderKey;  // key of the folder it is in
  std::string nameKey;    // its upper-case long name
  std::string alias;
};

struct CachedFolder {
  std::shared_ptr<HeldFolder> held;
  std::filesystem::path host;
  std::string key;
  std::string longPath;
  std::vector<AliasUse> aliases;  // every alias the spelling goes through
};

class FolderCache {
 public:
  // `watch` false: every use asks where the folder is (as where the kernel
  // cannot watch).
  explicit FolderCache(bool watch = true) : unwatchable_(!watch), watch_(watch) {}

  // The entry for a path spelled exactly as `spelling` while the folder is
  // still the directory at its host path; null otherwise (a stale entry is
  // dropped).
  const CachedFolder* Find(const std::string& spelling);
  // Keeps the folder open on `fd` when the kernel sees it at `hostPath`.
  void Remember(const std::string& spelling, std::shared_ptr<HeldFolder> held, std::filesystem::path host,
                std::string key, std::string longPath, std::vector<AliasUse> aliases);
  void Forget(const std::string& spelling) { entries_.erase(spelling); }
  // After a look-up in a kept folder found nothing: false (and the entry
  // dropped) when the folder is no longer at its host path. A deleted
  // folder still held open is reported by no watch, but nothing is found
  // in it, so a miss is where it shows.
  bool Confirm(const std::string& spelling);
  // A held folder is still where it was seen: for one this cache watches,
  // no move was reported since (the kernel's flag, or one cheap call);
  // else the kernel is asked.
  bool StillInPlace(const HeldFolder& folder);
  void Clear();

 private:
  static constexpr std::size_t kCapacity = 64;
  // Drops every entry, and says so, when a watched folder was moved or
  // deleted since the last look.
  bool DropAllIfMoved();
  // No event waits on the watch instance (which exists).
  bool NothingReported();
  // Watches the folder open on `fd` and the host folders above `hostPath`;
  // false when the kernel would not.
  bool Watch(int fd, const std::string& hostPath);

  // A walk over many folders passes the capacity again and again: only the
  // entries go then, and the watch instance (whose close costs the kernel a
  // grace period) stays until it holds this many watches.
  static constexpr std::size_t kMostWatches = 4096;
  static constexpr int kChecksBeforeFlag = 16;
  std::unordered_map<std::string, CachedFolder> entries_;
  UniqueFd watcher_;                    // inotify instance; none until needed
  ReadyFlag news_;                      // raised by the kernel when watcher_ has events
  int checksSinceWatch_ = 0;            // calls made to ask watcher_, until news_ is armed
  std::set<std::string> watchedAbove_;  // host folders above kept ones, watched
  std::size_t watches_ = 0;             // added to watcher_ (some may be the same folder's)
  bool unwatchable_ = false;            // a folder above refused a watch
  std::uint64_t generation_ = 1;        // of watcher_; a new one after each Clear
  bool watch_ = true;
};

}  // namespace platform::files
