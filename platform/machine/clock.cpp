#include "platform/machine/clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {
std::int64_t MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

HostClock::HostClock() : startMonotonicMs_(MonotonicMs()) {}

std::int64_t HostClock::NowUtc() {
  using namespace std::chrono;
  auto sinceUnix = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
  return kUnixEpochAsFileTime + sinceUnix / 100;
}

std::uint64_t HostClock::TickMs() { return static_cast<std::uint64_t>(MonotonicMs() - startMonotonicMs_); }

void HostClock::Sleep(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

VirtualClock::VirtualClock(std::int64_t startUtc) : nowUtc_(startUtc) {}

void VirtualClock::Advance(std::uint64_t ms) {
  tickMs_ += ms;
  nowUtc_ += static_cast<std::int64_t>(ms) * 10000;
}

}  // namespace platform
