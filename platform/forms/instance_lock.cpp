#include "platform/forms/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::forms {

InstanceLock::InstanceLock(Machine& machine) {
  std::string path = (machine.folder() / "instance.lock").string();
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    held_ = true;
  } else {
    heldElsewhere_ = errno == EWOULDBLOCK;
  }
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace platform::forms
