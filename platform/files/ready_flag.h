#pragma once
// A flag the kernel raises, in memory this process shares with it, as soon
// as a descriptor has something to read: reading the flag costs no system
// call. It is an io_uring poll request on the descriptor, with the ring
// set to flag pending completions the moment they are queued (before the
// task next enters the kernel). Where the kernel offers no such ring the
// flag is not armed, and the caller asks the descriptor itself.
#include <cstddef>

#include "platform/base/host_file.h"

namespace platform::files {

class ReadyFlag {
 public:
  ReadyFlag() = default;
  ReadyFlag(ReadyFlag&& other) noexcept;
  ReadyFlag& operator=(ReadyFlag&& other) noexcept;
  ReadyFlag(const ReadyFlag&) = delete;
  ReadyFlag& operator=(const ReadyFlag&) = delete;
  ~ReadyFlag();

  // Arms the flag on `fd` (which must outlive it); false, and not armed,
  // when the kernel will not.
  bool Arm(int fd);
  bool armed() const { return ring_.get() >= 0; }
  // Whether `fd` had something to read at any moment since Arm, or the
  // request ended some other way; false only while it never had. Not armed:
  // true, so the caller asks the descriptor.
  bool Raised() const;

 private:
  void Disarm();

  UniqueFd ring_;
  void* map_ = nullptr;  // the rings, one mapping
  std::size_t mapSize_ = 0;
  const unsigned* sqFlags_ = nullptr;
  const unsigned* cqHead_ = nullptr;
  const unsigned* cqTail_ = nullptr;
};

}  // namespace platform::files
