#include "tuning/clsCPUUsage.h"

#include "platform/registry/advapi32.h"

namespace {

constexpr const char* kUsageValue = "KERNEL\\CPUUsage";

// Reads the usage value of an open PerfStats key; false when the read fails.
bool ReadUsage(HKEY key, DWORD& usage) {
  DWORD size = sizeof usage;
  return RegQueryValueExA(key, kUsageValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&usage), &size) == ERROR_SUCCESS;
}

// Opens a PerfStats key with all access and reads its value once, which is
// what starts or stops the statistic.
bool TouchStatisticKey(const char* subKey) {
  HKEY key = 0;
  if (RegOpenKeyExA(HKEY_DYN_DATA, subKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
  DWORD ignored = 0;
  ReadUsage(key, ignored);
  RegCloseKey(key);
  return true;
}

}  // namespace

clsCPUUsage::~clsCPUUsage() {
  if (statData_) RegCloseKey(statData_);
}

void clsCPUUsage::Initialize() {
  if (!TouchStatisticKey("PerfStats\\StartStat")) return;
  if (statData_) RegCloseKey(statData_);
  statData_ = 0;
  if (RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StatData", 0, KEY_READ, &statData_) != ERROR_SUCCESS) statData_ = 0;
}

std::int32_t clsCPUUsage::Query() {
  DWORD usage = 0;
  if (statData_ && ReadUsage(statData_, usage)) usage_ = static_cast<std::int32_t>(usage & 0xFF);
  return usage_;
}

void clsCPUUsage::Terminate() {
  if (statData_) RegCloseKey(statData_);
  statData_ = 0;
  TouchStatisticKey("PerfStats\\StopStat");
}
