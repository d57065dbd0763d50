#pragma once
// The layer's own host files (hives, state files, the machine description):
// descriptors closed by scope, whole reads that refuse anything but a
// regular file, and atomic replacement (temporary file in the same folder,
// fsync, rename, fsync of the folder), so a crash at any moment leaves the
// old file or the new one.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A host descriptor closed when it goes out of scope.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int release();
  // Closes now; false with errno set when the close reports a failure.
  bool Close();

 private:
  int fd_ = -1;
};

// Writes all of `data`, retrying short and interrupted writes; false with
// errno set on failure.
bool WriteAllToHost(int fd, const char* data, std::size_t size);

// The bytes of `file`; nullopt when it does not exist. Never follows a link
// and never waits on a pipe or device: anything but a regular file (a
// named pipe, a device, a folder, a link, dangling or not) is refused at once
// with MachineError naming the file and what it is; so is a read that fails.
std::optional<std::string> ReadHostFile(const std::filesystem::path& file);

// Replaces `file` with `content` atomically, creating its folder when
// missing. Throws MachineError naming the file on a host failure; the old
// file is then unchanged.
void WriteHostFileAtomically(const std::filesystem::path& file, std::string_view content);

// The temporary file a write goes through before the rename.
std::filesystem::path TemporaryFileOf(const std::filesystem::path& file);

namespace testing {
// Makes the next atomic write stop after `bytes` bytes of the temporary
// file, as if the process died there: nothing is renamed, the partial
// temporary file stays, and the write throws MachineError. nullopt clears
// the fault.
void FailNextHostWriteAfter(std::optional<std::size_t> bytes);
}  // namespace testing

}  // namespace platform
