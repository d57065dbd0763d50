#pragma once
// What the real host tells the machine about its processors and memory: read
// from /proc, or injected by tests. Also the one place where memory is
// really allocated and touched on the program's behalf (the RAM optimiser).
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/machine/machine.h"

namespace platform {

// The "cpu" lines of /proc/stat.
struct ProcessorTimes {
  int processors = 1;                  // "cpuN" lines
  std::uint64_t idleTicks = 0;         // idle + iowait of the "cpu" line
  std::uint64_t totalTicks = 0;        // every field of the "cpu" line
  std::uint32_t ticksPerSecond = 100;  // USER_HZ
};

// Bytes, from /proc/meminfo and the process's own resident size.
struct MemoryFigures {
  std::uint64_t totalPhys = 0;
  std::uint64_t availPhys = 0;
  std::uint64_t totalSwap = 0;
  std::uint64_t freeSwap = 0;
  std::uint64_t residentBytes = 0;
};

// nullopt when the text lacks the "cpu" line or MemTotal.
std::optional<ProcessorTimes> ParseProcStat(std::string_view text);
std::optional<MemoryFigures> ParseMemInfo(std::string_view text);

// The largest block the real toucher allocates, whatever was asked: the host
// is shared, and a 32-bit program could never hold more than this at once
// beside its own code anyway.
inline constexpr std::uint64_t kMaxTouchedBytes = 1ull << 30;

// How much of a request the real toucher takes: at most half of what the
// host has available and at most kMaxTouchedBytes.
std::uint64_t BytesToTouch(std::uint64_t requested, std::uint64_t hostAvailable);

class HostFacts : public MachineArea {
 public:
  explicit HostFacts(Machine&) {}

  // nullopt when the host cannot be read.
  std::optional<ProcessorTimes> Processor();
  std::optional<MemoryFigures> Memory();

  // Allocates `bytes`, writes every page with blanks and releases the block;
  // false when the allocation failed. The real toucher takes at most half of
  // the host's available memory and kMaxTouchedBytes.
  bool TouchAndRelease(std::uint64_t bytes);

  // The host's clock ticks per second, which /proc/stat counts in.
  std::uint32_t TicksPerSecond();

  // Test seams: the reading the host gives from now on; nullopt is a failed
  // host read.
  void InjectProcessor(std::optional<ProcessorTimes> reading);
  void InjectMemory(std::optional<MemoryFigures> figures);
  using Toucher = std::function<bool(std::uint64_t bytes)>;
  void InjectToucher(Toucher toucher) { toucher_ = std::move(toucher); }

 private:
  bool processorInjected_ = false;
  std::optional<ProcessorTimes> processor_;
  bool memoryInjected_ = false;
  std::optional<MemoryFigures> memory_;
  Toucher toucher_;
};

}  // namespace platform
