#include "platform/registry/hive_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/host_write.h"
#include "platform/machine/description.h"

namespace platform::registry {
namespace {

std::optional<std::size_t> g_failAfter;

[[noreturn]] void HostFailure(const std::filesystem::path& file, const char* what, int error) {
  throw MachineError(file.string() + ": " + what + ": " + std::strerror(error));
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace

std::filesystem::path HiveTemporaryFile(const std::filesystem::path& file) {
  std::filesystem::path temp = file;
  temp += ".tmp";
  return temp;
}

std::optional<std::string> ReadHiveFile(const std::filesystem::path& file) {
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    HostFailure(file, "cannot be read", errno);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) HostFailure(file, "cannot be read", errno);
  if (!S_ISREG(info.st_mode)) throw MachineError(file.string() + ": not a regular file");
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

void WriteHiveFileAtomically(const std::filesystem::path& file, std::string_view content) {
  std::filesystem::path temp = HiveTemporaryFile(file);
  FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (fd.get() < 0) HostFailure(temp, "cannot be created", errno);

  if (g_failAfter) {
    std::size_t cut = std::min(*g_failAfter, content.size());
    g_failAfter.reset();
    WriteAllToHost(fd.get(), content.data(), cut);
    throw MachineError(file.string() + ": write stopped by an injected fault");
  }

  if (!WriteAllToHost(fd.get(), content.data(), content.size()) || ::fsync(fd.get()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    HostFailure(temp, "cannot be written", error);
  }
  if (::close(fd.release()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    HostFailure(temp, "cannot be written", error);
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    HostFailure(file, "cannot be replaced", error);
  }
  // The rename itself must reach the disk before the write counts as done.
  FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
}

namespace testing {
void FailNextHiveWriteAfter(std::optional<std::size_t> bytes) { g_failAfter = bytes; }
}  // namespace testing

}  // namespace platform::registry
