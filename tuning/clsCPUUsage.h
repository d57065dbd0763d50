#pragma once
// Processor usage on the 9x family: the kernel's statistic under
// HKEY_DYN_DATA, started by Initialize and stopped by Terminate.
#include "platform/base/wintypes.h"
#include "tuning/cpu_usage.h"

class clsCPUUsage : public CpuUsageObject {
 public:
  ~clsCPUUsage() override;
  // Starts the statistic and keeps "PerfStats\StatData" open.
  void Initialize() override;
  // Byte 0 of the statistic; a failed read gives the last value (0 at first).
  std::int32_t Query() override;
  // Closes the kept key and stops the statistic.
  void Terminate() override;

 private:
  HKEY statData_ = 0;
  std::int32_t usage_ = 0;
};
