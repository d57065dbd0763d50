#include "platform/files/folder_cache.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

namespace platform::files {
namespace {

constexpr std::uint32_t kMovedOrGone = IN_MOVE_SELF | IN_DELETE_SELF | IN_UNMOUNT | IN_ONLYDIR;

std::string DescriptorLink(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

}  // namespace

// The kernel names a descriptor by the folder's current place: a folder
// renamed or deleted, or any folder on the way replaced, no longer has the
// path it was found at (a link is never a folder on the way).
bool HeldAtItsPath(const HeldFolder& folder) {
  if (folder.hostPath.empty()) return false;
  std::optional<std::string> now = HostPathOfFd(folder.fd.get());
  return now && *now == folder.hostPath;
}

UniqueFd OpenFolderAt(int parent, const char* name) {
  return UniqueFd(::openat(parent, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::optional<std::string> HostPathOfFd(int fd) {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink(DescriptorLink(fd).c_str(), buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer || buffer[0] != '/') return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(n));
}

void FolderCache::Clear() {
  entries_.clear();
  // Closing the instance ends every watch with it. The flag's request holds
  // the instance too, until its ring is closed.
  news_ = ReadyFlag();
  checksSinceWatch_ = 0;
  watcher_ = UniqueFd();
  watchedAbove_.clear();
  watches_ = 0;
  unwatchable_ = !watch_;
  ++generation_;
}

bool FolderCache::NothingReported() {
  if (news_.armed()) {
    if (!news_.Raised()) return true;
  } else if (checksSinceWatch_ < kChecksBeforeFlag && ++checksSinceWatch_ == kChecksBeforeFlag) {
    // A folder asked about this often (a big one being emptied) is worth
    // the ring that answers without a call. Not tried again when refused.
    news_.Arm(watcher_.get());
  }
  // Asking how many bytes of events wait is cheaper than a read that finds none.
  int pending = 0;
  return ::ioctl(watcher_.get(), FIONREAD, &pending) == 0 && pending == 0;
}

bool FolderCache::DropAllIfMoved() {
  if (!watcher_ || NothingReported()) return false;
  // An event, an overflowed queue or a broken instance: nothing kept counts.
  Clear();
  return true;
}

bool FolderCache::Watch(int fd, const std::string& hostPath) {
  // Once a folder above could not be watched, nothing kept with this
  // instance counts as watched: every folder's chain goes up through it.
  if (unwatchable_) return false;
  if (!watcher_) watcher_ = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (!watcher_) return false;
  // The folder itself through its descriptor, the ones above by path: a
  // folder above that is not the one the descriptor lies under makes the
  // check that follows fail.
  if (::inotify_add_watch(watcher_.get(), DescriptorLink(fd).c_str(), kMovedOrGone) < 0) return false;
  ++watches_;
  for (std::size_t slash = hostPath.find_last_of('/'); slash != std::string::npos && slash > 0;
       slash = hostPath.find_last_of('/', slash - 1)) {
    std::string above = hostPath.substr(0, slash);
    if (!watchedAbove_.insert(above).second) break;  // this one and all above it are watched
    if (::inotify_add_watch(watcher_.get(), above.c_str(), kMovedOrGone | IN_DONT_FOLLOW) < 0) {
      unwatchable_ = true;
      return false;
    }
    ++watches_;
  }
  return true;
}

const CachedFolder* FolderCache::Find(const std::string& spelling) {
  // A miss needs no news of moves: the events wait for the next hit.
  auto it = entries_.find(spelling);
  if (it == entries_.end() || DropAllIfMoved()) return nullptr;
  if (it->second.held->watchedIn == generation_ || HeldAtItsPath(*it->second.held)) return &it->second;
  entries_.erase(it);
  return nullptr;
}

bool FolderCache::Confirm(const std::string& spelling) {
  auto it = entries_.find(spelling);
  if (it == entries_.end()) return false;
  if (HeldAtItsPath(*it->second.held)) return true;
  entries_.erase(it);
  return false;
}

bool FolderCache::StillInPlace(const HeldFolder& folder) {
  if (folder.watchedIn == generation_ && watcher_ && NothingReported()) return true;
  return HeldAtItsPath(folder);
}

void FolderCache::Remember(const std::string& spelling, std::shared_ptr<HeldFolder> held,
                           std::filesystem::path host, std::string key, std::string longPath,
                           std::vector<AliasUse> aliases) {
  DropAllIfMoved();
  if (entries_.size() >= kCapacity && !entries_.count(spelling)) {
    // Watches of folders no longer kept only ever drop entries that need
    // not have gone: never one that should.
    if (watches_ >= kMostWatches) Clear();
    else entries_.clear();
  }
  // Watched first, proved after: a move between the two is either seen by
  // the proof or reported by the watch.
  held->watchedIn = Watch(held->fd.get(), held->hostPath) ? generation_ : 0;
  if (!HeldAtItsPath(*held)) {
    held->watchedIn = 0;
    return;
  }
  entries_[spelling] = CachedFolder{std::move(held), std::move(host), std::move(key), std::move(longPath),
                                    std::move(aliases)};
}

}  // namespace platform::files
