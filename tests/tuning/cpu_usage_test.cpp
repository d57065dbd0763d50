// Processor usage from two readings of the host's processor times, on both
// families.
#include <gtest/gtest.h>

#include "platform/machine/host_facts.h"
#include "platform/registry/advapi32.h"
#include "support/temp_machine.h"
#include "tuning/clsCPUUsage.h"
#include "tuning/clsCPUUsageNT.h"

namespace tessaly::testing {
namespace {

using platform::HostFacts;
using platform::OsKind;
using platform::ProcessorTimes;

constexpr std::uint64_t kStartIdle = 100000;

class CpuUsageNTTest : public ::testing::Test {
 protected:
  // The host's idle count (in 100 Hz ticks) and processor count from now on.
  void Host(std::uint64_t idle, int processors = 1) {
    machine_.machine().area<HostFacts>().InjectProcessor(ProcessorTimes{processors, idle, idle * 2, 100});
  }
  TempMachine machine_{OsKind::WinXP};
};

TEST_F(CpuUsageNTTest, UsageIsTheShareOfTimeNotIdleOverAllProcessors) {
  struct Case {
    int processors;
    std::uint64_t idleTicks;  // idle ticks in one second (100 per processor when idle)
    std::int32_t usage;
  } cases[] = {
      {2, 100, 50},  // ratio 1.0 on two processors
      {1, 100, 0},   // ratio 1.0 on one
      {1, 0, 100},   // ratio 0
      {1, 50, 50},   // ratio 0.5
      {4, 300, 25},
      {2, 150, 25},
      {1, 33, 67},   // ratio 0.33: 67.5 is cut to 67
      {1, 150, -50}, // more idle than time: graphed as it is
      {0, 50, 50},   // a processor count of 0 counts as one
  };
  for (const auto& c : cases) {
    Host(kStartIdle, c.processors);
    clsCPUUsageNT usage;
    usage.Initialize();
    machine_.clock().Advance(1000);
    Host(kStartIdle + c.idleTicks, c.processors);
    EXPECT_EQ(usage.Query(), c.usage) << c.processors << " processors, " << c.idleTicks << " idle ticks";
  }
}

TEST_F(CpuUsageNTTest, ReadingsThatMeasureNothingKeepThePreviousUsage) {
  Host(kStartIdle);
  clsCPUUsageNT usage;
  usage.Initialize();
  machine_.clock().Advance(1000);
  Host(kStartIdle + 50);
  EXPECT_EQ(usage.Query(), 50);
  // Within the same clock tick (the RAM timer and the graph share the object).
  machine_.clock().Advance(5);
  EXPECT_EQ(usage.Query(), 50);
  // The baselines stayed: the next second is measured from the last real reading.
  machine_.clock().Advance(995);
  Host(kStartIdle + 150);
  EXPECT_EQ(usage.Query(), 0);
  // An idle count that runs back.
  machine_.clock().Advance(1000);
  Host(kStartIdle + 120);
  EXPECT_EQ(usage.Query(), 0);
  machine_.clock().Advance(1000);
  Host(kStartIdle + 170);
  EXPECT_EQ(usage.Query(), 50);  // measured from the reading that ran back
}

TEST_F(CpuUsageNTTest, AFailedQueryGivesMinusOneAndKeepsTheBaselines) {
  Host(kStartIdle);
  clsCPUUsageNT usage;
  usage.Initialize();
  machine_.clock().Advance(1000);
  machine_.machine().area<HostFacts>().InjectProcessor(std::nullopt);
  EXPECT_EQ(usage.Query(), -1);
  machine_.clock().Advance(1000);
  Host(kStartIdle + 100);
  EXPECT_EQ(usage.Query(), 50);  // over the two seconds since Initialize
}

TEST_F(CpuUsageNTTest, WithoutBaselinesTheFirstQueryOnlyTakesThem) {
  machine_.machine().area<HostFacts>().InjectProcessor(std::nullopt);
  clsCPUUsageNT usage;
  usage.Initialize();  // fails: no baselines
  Host(kStartIdle);
  machine_.clock().Advance(1000);
  EXPECT_EQ(usage.Query(), 0);  // no false figure from readings since 1601
  machine_.clock().Advance(1000);
  Host(kStartIdle + 25);
  EXPECT_EQ(usage.Query(), 75);
}

TEST(CpuUsage9x, ReadsTheKernelStatisticUntilTerminated) {
  TempMachine m(OsKind::Win98);
  HostFacts& facts = m.machine().area<HostFacts>();
  facts.InjectProcessor(ProcessorTimes{1, 100, 1000, 100});
  clsCPUUsage usage;
  EXPECT_EQ(usage.Query(), 0);  // before Initialize: 0
  usage.Initialize();
  facts.InjectProcessor(ProcessorTimes{1, 130, 1100, 100});
  EXPECT_EQ(usage.Query(), 70);
  facts.InjectProcessor(ProcessorTimes{1, 230, 1200, 100});
  EXPECT_EQ(usage.Query(), 0);
  facts.InjectProcessor(ProcessorTimes{1, 240, 1300, 100});
  EXPECT_EQ(usage.Query(), 90);
  usage.Terminate();
  facts.InjectProcessor(ProcessorTimes{1, 340, 1400, 100});
  EXPECT_EQ(usage.Query(), 90);  // the key is closed: the last value

  // The statistic itself is stopped: StatData no longer measures.
  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StatData", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD value = 0, size = sizeof value;
  ASSERT_EQ(RegQueryValueExA(key, "KERNEL\\CPUUsage", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 90u);
  RegCloseKey(key);
}

TEST(CpuUsage9x, OnTheNtFamilyTheStatisticIsAbsentAndQueryStaysZero) {
  TempMachine m(OsKind::WinXP);
  clsCPUUsage usage;
  usage.Initialize();
  EXPECT_EQ(usage.Query(), 0);
  usage.Terminate();
}

}  // namespace
}  // namespace tessaly::testing
