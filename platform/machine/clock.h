#pragma once
// The one time source of the machine: host time, or a virtual clock that
// tests drive.
#include <cstdint>
#include <memory>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // UTC as 100-ns units since 1601-01-01 (a FILETIME value).
  virtual std::int64_t NowUtc() = 0;
  // Milliseconds since the clock started (GetTickCount).
  virtual std::uint64_t TickMs() = 0;
  // Waits `ms` milliseconds on this clock.
  virtual void Sleep(std::uint32_t ms) = 0;
};

class HostClock : public Clock {
 public:
  HostClock();
  std::int64_t NowUtc() override;
  std::uint64_t TickMs() override;
  void Sleep(std::uint32_t ms) override;

 private:
  std::int64_t startMonotonicMs_;
};

// Starts at a fixed instant; only Advance and Sleep move it.
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(std::int64_t startUtc = kDefaultStart);
  std::int64_t NowUtc() override { return nowUtc_; }
  std::uint64_t TickMs() override { return tickMs_; }
  void Sleep(std::uint32_t ms) override { Advance(ms); }
  void Advance(std::uint64_t ms);

  // 2006-06-15 12:00:00 UTC.
  static constexpr std::int64_t kDefaultStart = 127948464000000000LL;

 private:
  std::int64_t nowUtc_;
  std::uint64_t tickMs_ = 0;
};

// FILETIME units between 1601-01-01 and 1970-01-01.
inline constexpr std::int64_t kUnixEpochAsFileTime = 116444736000000000LL;

}  // namespace platform
