#include "platform/base/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/base/machine_error.h"

namespace platform {
namespace {

std::optional<std::size_t> g_failAfter;

[[noreturn]] void HostFailure(const std::filesystem::path& file, const char* what, int error) {
  throw MachineError(file.string() + ": " + what + ": " + std::strerror(error));
}

const char* KindOf(mode_t mode) {
  if (S_ISLNK(mode)) return "a link";
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a plain file";
}

[[noreturn]] void NotRegular(const std::filesystem::path& file, mode_t mode) {
  throw MachineError(file.string() + ": not a regular file (" + KindOf(mode) + ")");
}

}  // namespace

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

bool UniqueFd::Close() { return fd_ < 0 || ::close(release()) == 0; }

bool WriteAllToHost(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<std::string> ReadHostFile(const std::filesystem::path& file) {
  // The type is known before anything is opened: a pipe or device is never
  // opened at all, so nothing can wait on it.
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0) {
    if (errno == ENOENT) return std::nullopt;
    HostFailure(file, "cannot be read", errno);
  }
  if (!S_ISREG(info.st_mode)) NotRegular(file, info.st_mode);
  // Whatever took its place since is checked again on the descriptor.
  UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
  if (!fd) {
    if (errno == ELOOP) NotRegular(file, S_IFLNK);
    HostFailure(file, "cannot be read", errno);
  }
  if (::fstat(fd.get(), &info) != 0) HostFailure(file, "cannot be read", errno);
  if (!S_ISREG(info.st_mode)) NotRegular(file, info.st_mode);
  std::string content;
  content.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (true) {
    if (done == content.size()) content.resize(content.size() + 65536);
    ssize_t n = ::read(fd.get(), content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      HostFailure(file, "cannot be read", errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  content.resize(done);
  return content;
}

std::filesystem::path TemporaryFileOf(const std::filesystem::path& file) {
  std::filesystem::path temp = file;
  temp += ".tmp";
  return temp;
}

void WriteHostFileAtomically(const std::filesystem::path& file, std::string_view content) {
  std::filesystem::path folder = file.parent_path();
  std::error_code created;
  std::filesystem::create_directories(folder, created);
  if (created) throw MachineError(folder.string() + ": cannot be created: " + created.message());

  // A leftover of an interrupted write goes first, so the temporary file is
  // always a fresh one of our own (never a pipe or link put in its place).
  std::filesystem::path temp = TemporaryFileOf(file);
  if (::unlink(temp.c_str()) != 0 && errno != ENOENT) HostFailure(temp, "cannot be replaced", errno);
  UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!fd) HostFailure(temp, "cannot be created", errno);

  if (g_failAfter) {
    std::size_t cut = std::min(*g_failAfter, content.size());
    g_failAfter.reset();
    WriteAllToHost(fd.get(), content.data(), cut);
    throw MachineError(file.string() + ": write stopped by an injected fault");
  }

  auto fail = [&temp](const std::filesystem::path& named, const char* what) {
    int error = errno;
    ::unlink(temp.c_str());
    HostFailure(named, what, error);
  };
  if (!WriteAllToHost(fd.get(), content.data(), content.size()) || ::fsync(fd.get()) != 0 || !fd.Close())
    fail(temp, "cannot be written");
  if (::rename(temp.c_str(), file.c_str()) != 0) fail(file, "cannot be replaced");
  // The rename itself must reach the disk before the write counts as done;
  // a file system that cannot sync a folder (EINVAL) has nothing to sync.
  UniqueFd held(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!held || (::fsync(held.get()) != 0 && errno != EINVAL)) HostFailure(folder, "cannot be synced", errno);
}

namespace testing {
void FailNextHostWriteAfter(std::optional<std::size_t> bytes) { g_failAfter = bytes; }
}  // namespace testing

}  // namespace platform
