#include "platform/forms/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace platform::forms {
namespace {

constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

std::string OpenFailure(int error) {
  return error == ELOOP ? "cannot be opened: it is a link" : std::string("cannot be opened: ") + std::strerror(error);
}

}  // namespace

InstanceLock::InstanceLock(Machine& machine) : path_((machine.folder() / "instance.lock").string()) {
  fd_ = UniqueFd(::open(path_.c_str(), O_RDWR | O_CREAT | kOpenFlags, 0644));
  if (!fd_) {
    int error = errno;
    // A lock is taken on a read-only descriptor as well, so a lock file
    // that exists but may not be written to still serves.
    if (error == EACCES || error == EPERM || error == EROFS) fd_ = UniqueFd(::open(path_.c_str(), O_RDONLY | kOpenFlags));
    if (!fd_) {
      failure_ = OpenFailure(errno == ENOENT ? error : errno);
      return;
    }
  }
  struct stat info {};
  if (::fstat(fd_.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    failure_ = "cannot be opened: not a regular file";
    return;
  }
  if (::flock(fd_.get(), LOCK_EX | LOCK_NB) == 0) {
    held_ = true;
  } else if (errno == EWOULDBLOCK) {
    heldElsewhere_ = true;
  } else {
    failure_ = std::string("cannot be locked: ") + std::strerror(errno);
  }
}

void InstanceLock::Require() const {
  if (!failure_.empty()) throw MachineError(path_ + ": " + failure_);
}

}  // namespace platform::forms
