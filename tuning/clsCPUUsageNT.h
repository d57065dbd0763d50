#pragma once
// Processor usage on the NT family: the share of idle time in the system
// time that passed since the previous reading, over all processors.
#include <cstdint>
#include <optional>

#include "tuning/cpu_usage.h"

class clsCPUUsageNT : public CpuUsageObject {
 public:
  // Takes the first baselines (idle time and system time).
  void Initialize() override;
  // Usage in percent since the previous reading, or -1 when a query fails
  // (the baselines then stay). A reading in which no time has passed, or
  // whose idle time ran back, gives the previous usage instead of a false
  // figure.
  std::int32_t Query() override;
  void Terminate() override {}

 private:
  struct Baselines {
    std::int64_t idle = 0;
    std::int64_t time = 0;
  };
  std::optional<Baselines> baselines_;
  std::int32_t usage_ = 0;
};
