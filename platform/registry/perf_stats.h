#pragma once
// The 9x family's kernel statistics under HKEY_DYN_DATA: "PerfStats\StartStat",
// "PerfStats\StatData" and "PerfStats\StopStat", each with the REG_DWORD value
// "KERNEL\CPUUsage". Reading StartStat's value starts the statistic, reading
// StatData's gives the processor usage in percent since the previous reading
// (byte 0), reading StopStat's stops it.
namespace platform::registry {

class RegistryStore;

// Adds the keys below the store's HKEY_DYN_DATA root and serves their values
// from the host's processor times.
void AddProcessorStatistics(RegistryStore& store);

}  // namespace platform::registry
