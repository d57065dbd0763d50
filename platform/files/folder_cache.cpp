#include "platform/files/folder_cache.h"

#include <fcntl.h>
#include <unistd.h>

#include <climits>

namespace platform::files {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

int UniqueFd::release() {
  int fd = fd_;
  fd_ = -1;
  return fd;
}

UniqueFd OpenFolderAt(int parent, const char* name) {
  return UniqueFd(::openat(parent, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::optional<std::string> HostPathOfFd(int fd) {
  std::string link = "/proc/self/fd/" + std::to_string(fd);
  char buffer[PATH_MAX];
  ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer || buffer[0] != '/') return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(n));
}

const CachedFolder* FolderCache::Find(const std::string& spelling) {
  auto it = entries_.find(spelling);
  if (it == entries_.end()) return nullptr;
  // The kernel names a descriptor by the folder's current place: a folder
  // renamed or deleted, or any folder on the way replaced, no longer has
  // the path it was found at (a link is never a folder on the way).
  std::optional<std::string> now = HostPathOfFd(it->second.fd.get());
  if (now && *now == it->second.hostPath) return &it->second;
  entries_.erase(it);
  return nullptr;
}

void FolderCache::Remember(const std::string& spelling, UniqueFd fd, std::string hostPath,
                           std::filesystem::path host, std::string key, std::string longPath) {
  std::optional<std::string> now = HostPathOfFd(fd.get());
  if (!now || *now != hostPath) return;
  if (entries_.size() >= kCapacity && !entries_.count(spelling)) entries_.clear();
  entries_[spelling] = CachedFolder{std::move(fd), std::move(hostPath), std::move(host), std::move(key),
                                    std::move(longPath)};
}

}  // namespace platform::files
