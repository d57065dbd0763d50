#pragma once
// A flag the kernel raises, in memory this process shares with it, as soon
// as a descriptor has something to read: reading the flag costs no system
// call. It is an io_uring poll request on the descriptor, with the ring
// set to flag pending completions the moment they are queued (before the
// task next enters the kernel). Where the kernel offers no such ring the
// flag is not armed, and the caller asks the descriptor itself.
//
// The kernel keeps the flag for the thread that armed it, and for one
// armed flag per thread: a thread's pending work is flagged on the ring
// that queued it first only, and the flag is cleared just before the
// completion is posted, in that thread. So only the arming thread reads
// the flag (elsewhere Raised() sends the caller to the descriptor), a
// thread arms one flag at a time, and nothing reads the descriptor while
// the flag is armed (a read would let the request quietly wait again).
#include <cstddef>
#include <cstdint>

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
  // when the kernel will not or this thread has a flag armed already.
  bool Arm(int fd);
  bool armed() const { return ring_.get() >= 0; }
  // Whether `fd` has had unread data since Arm, or the request ended some
  // other way; false only while it has had none. Not armed, or asked on
  // another thread than the arming one: true, so the caller asks the
  // descriptor.
  bool Raised() const;

 private:
  void Disarm();

  UniqueFd ring_;
  std::uint64_t id_ = 0;  // this ring's, as the arming thread knows it
  void* map_ = nullptr;   // the rings, one mapping
  std::size_t mapSize_ = 0;
  const unsigned* sqFlags_ = nullptr;
  const unsigned* cqHead_ = nullptr;
  const unsigned* cqTail_ = nullptr;
};

}  // namespace platform::files
