#include "platform/registry/perf_stats.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/base/cp1252.h"
#include "platform/machine/host_facts.h"
#include "platform/registry/registry_store.h"

namespace platform::registry {
namespace {

constexpr std::string_view kUsageValue = "KERNEL\\CPUUsage";
constexpr const char* kStatKeys[] = {"StartStat", "StatData", "StopStat"};

std::string DwordBytes(DWORD value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                     static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
}

// The statistic: running or not, the reading its next usage is measured
// from, and the last usage served (kept while stopped or when the host
// cannot be read).
class ProcessorStatistic {
 public:
  explicit ProcessorStatistic(HostFacts& facts) : facts_(facts) {}

  DWORD Read(std::string_view keyName) {
    if (EqualsNoCase(keyName, "StartStat")) {
      running_ = true;
      from_ = facts_.Processor();
      return 0;
    }
    if (EqualsNoCase(keyName, "StopStat")) {
      running_ = false;
      return 0;
    }
    if (running_) Measure();
    return usage_;
  }

 private:
  // Usage over the time since `from_`; a reading that does not advance (or
  // runs back, as the host's idle count may) keeps the last usage.
  void Measure() {
    auto now = facts_.Processor();
    if (!now) return;
    if (from_ && now->totalTicks > from_->totalTicks && now->idleTicks >= from_->idleTicks) {
      std::uint64_t total = now->totalTicks - from_->totalTicks;
      std::uint64_t idle = std::min(now->idleTicks - from_->idleTicks, total);
      usage_ = static_cast<DWORD>((total - idle) * 100 / total);
    }
    from_ = now;
  }

  HostFacts& facts_;
  bool running_ = false;
  std::optional<ProcessorTimes> from_;
  DWORD usage_ = 0;
};

}  // namespace

void AddProcessorStatistics(RegistryStore& store) {
  Key* root = store.dynamicDataRoot();
  if (!root) return;
  Key& perfStats = FindOrCreatePath(*root, "PerfStats", store.Now());
  for (const char* name : kStatKeys) {
    Key& key = FindOrCreatePath(perfStats, name, store.Now());
    key.SetValue(kUsageValue, 4, DwordBytes(0));
  }
  auto statistic = std::make_shared<ProcessorStatistic>(store.machine().area<HostFacts>());
  store.setDynamicValueRefresher([statistic](const Key& key, RegValue& value) {
    if (!EqualsNoCase(value.name, kUsageValue) || !key.parent() || !EqualsNoCase(key.parent()->name(), "PerfStats"))
      return;
    value.data = DwordBytes(statistic->Read(key.name()));
  });
}

}  // namespace platform::registry
