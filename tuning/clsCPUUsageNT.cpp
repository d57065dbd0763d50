#include "tuning/clsCPUUsageNT.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/machine/system_information.h"
#include "platform/runtime/conversions.h"

namespace {

// One information record, raw as the system returns it.
std::optional<std::vector<unsigned char>> QueryRecord(ULONG informationClass, ULONG length) {
  std::vector<unsigned char> record(length);
  ULONG returned = 0;
  if (NtQuerySystemInformation(informationClass, record.data(), length, &returned) != STATUS_SUCCESS)
    return std::nullopt;
  return record;
}

// Copies an 8-byte count out of a record.
std::int64_t CountAt(const std::vector<unsigned char>& record, ULONG offset) {
  std::int64_t count = 0;
  std::memcpy(&count, record.data() + offset, sizeof count);
  return count;
}

}  // namespace

void clsCPUUsageNT::Initialize() {
  auto timeOfDay = QueryRecord(SystemTimeOfDayInformation, kSystemTimeOfDayInformationLength);
  if (!timeOfDay) return;
  auto performance = QueryRecord(SystemPerformanceInformation, kSystemPerformanceInformationLength);
  if (!performance) return;
  baselines_ = Baselines{CountAt(*performance, kIdleProcessTimeOffset), CountAt(*timeOfDay, kCurrentTimeOffset)};
}

std::int32_t clsCPUUsageNT::Query() {
  auto basic = QueryRecord(SystemBasicInformation, kSystemBasicInformationLength);
  auto timeOfDay = QueryRecord(SystemTimeOfDayInformation, kSystemTimeOfDayInformationLength);
  auto performance = QueryRecord(SystemPerformanceInformation, kSystemPerformanceInformationLength);
  if (!basic || !timeOfDay || !performance) return -1;
  Baselines now{CountAt(*performance, kIdleProcessTimeOffset), CountAt(*timeOfDay, kCurrentTimeOffset)};
  // Two readings in one clock tick measure nothing: keep the baselines.
  if (baselines_ && now.time <= baselines_->time) return usage_;
  std::optional<Baselines> from = baselines_;
  baselines_ = now;
  if (!from || now.idle < from->idle) return usage_;
  int processors = static_cast<std::int8_t>((*basic)[kNumberOfProcessorsOffset]);
  if (processors < 1) processors = 1;
  double ratio = static_cast<double>(now.idle - from->idle) / static_cast<double>(now.time - from->time);
  ratio = platform::vb::RoundHalfEven(ratio * 10000) / 10000;
  usage_ = static_cast<std::int32_t>(std::floor(100 - ratio * 100 / processors + 0.5));
  return usage_;
}
