#pragma once
// The processor-usage object the status page owns and the RAM optimiser
// asks: Initialize, Query (usage in percent) and Terminate, served by
// clsCPUUsage on the 9x family and clsCPUUsageNT on the NT family.
#include <cstdint>

class CpuUsageObject {
 public:
  virtual ~CpuUsageObject() = default;
  virtual void Initialize() = 0;
  virtual std::int32_t Query() = 0;
  virtual void Terminate() = 0;
};
