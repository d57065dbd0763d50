#include "platform/files/ready_flag.h"

#include <linux/io_uring.h>
#include <poll.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

namespace platform::files {
namespace {

const unsigned* At(void* map, std::size_t offset) {
  return reinterpret_cast<const unsigned*>(static_cast<char*>(map) + offset);
}

unsigned Load(const unsigned* shared) { return __atomic_load_n(shared, __ATOMIC_ACQUIRE); }

// The ring armed on this thread (0 for none). A child process's thread
// reads none: the kernel runs the ring's work in the parent.
thread_local std::uint64_t tArmedHere = 0;

std::uint64_t NextRingId() {
  static std::atomic<std::uint64_t> last{0};
  static const bool forgottenInChildren = [] {
    return ::pthread_atfork(nullptr, nullptr, [] { tArmedHere = 0; }) == 0;
  }();
  return forgottenInChildren ? ++last : 0;
}

}  // namespace

ReadyFlag::ReadyFlag(ReadyFlag&& other) noexcept { *this = std::move(other); }

ReadyFlag& ReadyFlag::operator=(ReadyFlag&& other) noexcept {
  if (this == &other) return *this;
  Disarm();
  ring_ = std::move(other.ring_);
  id_ = std::exchange(other.id_, 0);
  map_ = std::exchange(other.map_, nullptr);
  mapSize_ = std::exchange(other.mapSize_, 0);
  sqFlags_ = std::exchange(other.sqFlags_, nullptr);
  cqHead_ = std::exchange(other.cqHead_, nullptr);
  cqTail_ = std::exchange(other.cqTail_, nullptr);
  return *this;
}

ReadyFlag::~ReadyFlag() { Disarm(); }

void ReadyFlag::Disarm() {
  // Disarmed on another thread, the arming one keeps the id: it arms no
  // other flag and asks its descriptors instead.
  if (id_ != 0 && tArmedHere == id_) tArmedHere = 0;
  id_ = 0;
  if (map_) ::munmap(map_, mapSize_);
  map_ = nullptr;
  mapSize_ = 0;
  sqFlags_ = cqHead_ = cqTail_ = nullptr;
  ring_ = UniqueFd();
}

bool ReadyFlag::Arm(int fd) {
  Disarm();
  if (tArmedHere != 0) return false;
  const std::uint64_t id = NextRingId();
  if (id == 0) return false;
  // The task-run flag is what makes the news immediate: without it a
  // completion would show only after this task next entered the kernel.
  io_uring_params params{};
  params.flags = IORING_SETUP_COOP_TASKRUN | IORING_SETUP_TASKRUN_FLAG;
  UniqueFd ring(static_cast<int>(::syscall(__NR_io_uring_setup, 1, &params)));
  if (!ring || !(params.features & IORING_FEAT_SINGLE_MMAP)) return false;

  const std::size_t size = std::max<std::size_t>(params.sq_off.array + params.sq_entries * sizeof(unsigned),
                                                 params.cq_off.cqes + params.cq_entries * sizeof(io_uring_cqe));
  void* map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, ring.get(), IORING_OFF_SQ_RING);
  if (map == MAP_FAILED) return false;
  const std::size_t sqesSize = params.sq_entries * sizeof(io_uring_sqe);
  void* sqes = ::mmap(nullptr, sqesSize, PROT_READ | PROT_WRITE, MAP_SHARED, ring.get(), IORING_OFF_SQES);
  if (sqes == MAP_FAILED) {
    ::munmap(map, size);
    return false;
  }

  auto* sqe = static_cast<io_uring_sqe*>(sqes);
  std::memset(sqe, 0, sizeof *sqe);
  sqe->opcode = IORING_OP_POLL_ADD;
  sqe->fd = fd;
  sqe->poll32_events = POLLIN;
  auto* base = static_cast<char*>(map);
  auto* tail = reinterpret_cast<unsigned*>(base + params.sq_off.tail);
  const unsigned mask = *At(map, params.sq_off.ring_mask);
  const unsigned at = *tail;
  reinterpret_cast<unsigned*>(base + params.sq_off.array)[at & mask] = 0;
  __atomic_store_n(tail, at + 1, __ATOMIC_RELEASE);
  const long submitted = ::syscall(__NR_io_uring_enter, ring.get(), 1, 0, 0, nullptr, 0);
  ::munmap(sqes, sqesSize);
  if (submitted != 1) {
    ::munmap(map, size);
    return false;
  }

  ring_ = std::move(ring);
  id_ = id;
  tArmedHere = id;
  map_ = map;
  mapSize_ = size;
  sqFlags_ = At(map, params.sq_off.flags);
  cqHead_ = At(map, params.cq_off.head);
  cqTail_ = At(map, params.cq_off.tail);
  return true;
}

bool ReadyFlag::Raised() const {
  if (!map_ || tArmedHere != id_) return true;
  // Work queued for this task (the poll's wake-up, not yet turned into a
  // completion) or a completion already there.
  return (Load(sqFlags_) & IORING_SQ_TASKRUN) != 0 || Load(cqTail_) != Load(cqHead_);
}

}  // namespace platform::files
