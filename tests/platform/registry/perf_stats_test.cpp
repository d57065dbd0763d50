#include <gtest/gtest.h>

#include "platform/machine/host_facts.h"
#include "platform/registry/advapi32.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using platform::HostFacts;
using platform::OsKind;
using platform::ProcessorTimes;

constexpr const char* kValue = "KERNEL\\CPUUsage";

// Reads the usage value of one PerfStats key the way the 9x statistic is read.
LONG ReadUsage(const char* key, DWORD& usage) {
  HKEY handle = 0;
  if (LONG error = RegOpenKeyExA(HKEY_DYN_DATA, key, 0, KEY_ALL_ACCESS, &handle)) return error;
  DWORD type = 0, size = sizeof usage;
  LONG result = RegQueryValueExA(handle, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&usage), &size);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(size, 4u);
  RegCloseKey(handle);
  return result;
}

TEST(PerfStats, MeasuresUsageBetweenReadingsWhileStarted) {
  TempMachine m(OsKind::Win98);
  HostFacts& facts = m.machine().area<HostFacts>();
  DWORD usage = 99;
  facts.InjectProcessor(ProcessorTimes{1, 100, 1000, 100});
  ASSERT_EQ(ReadUsage("PerfStats\\StatData", usage), ERROR_SUCCESS);
  EXPECT_EQ(usage, 0u);  // not started: the last value, 0 at first
  ASSERT_EQ(ReadUsage("PerfStats\\StartStat", usage), ERROR_SUCCESS);
  EXPECT_EQ(usage, 0u);

  struct Step {
    std::uint64_t idle, total;
    DWORD usage;
  } steps[] = {
      {150, 1100, 50},  // 50 idle of 100
      {150, 1200, 100}, // busy throughout
      {250, 1300, 0},   // idle throughout
      {250, 1300, 0},   // no time passed: the last value
      {240, 1400, 0},   // the idle count ran back: the last value
      {290, 1500, 50},  // measured from the reading before
  };
  for (const auto& step : steps) {
    facts.InjectProcessor(ProcessorTimes{1, step.idle, step.total, 100});
    ASSERT_EQ(ReadUsage("PerfStats\\StatData", usage), ERROR_SUCCESS);
    EXPECT_EQ(usage, step.usage) << step.idle << "/" << step.total;
  }
  facts.InjectProcessor(std::nullopt);
  ASSERT_EQ(ReadUsage("PerfStats\\StatData", usage), ERROR_SUCCESS);
  EXPECT_EQ(usage, 50u);  // a failed host read keeps the last value

  facts.InjectProcessor(ProcessorTimes{1, 290, 1600, 100});
  ASSERT_EQ(ReadUsage("PerfStats\\StopStat", usage), ERROR_SUCCESS);
  EXPECT_EQ(usage, 0u);
  ASSERT_EQ(ReadUsage("PerfStats\\StatData", usage), ERROR_SUCCESS);
  EXPECT_EQ(usage, 50u);  // stopped: the last value
}

TEST(PerfStats, KeysAreReadOnlyAndAbsentOnTheNtFamily) {
  {
    TempMachine m(OsKind::WinMe);
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StatData", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD value = 5;
    EXPECT_EQ(RegSetValueExA(key, kValue, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, kValue), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyA(HKEY_DYN_DATA, "PerfStats\\StopStat"), ERROR_ACCESS_DENIED);
  }
  {
    TempMachine m(OsKind::Win2000);
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StartStat", 0, KEY_ALL_ACCESS, &key), ERROR_INVALID_HANDLE);
  }
}

}  // namespace
}  // namespace tessaly::testing
