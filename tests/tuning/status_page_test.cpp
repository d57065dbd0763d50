// The status page: its graphs sample the host while the page is loaded,
// and "Optimize Now" frees the chosen amount at once.
#include <gtest/gtest.h>

#include "monitor_fixture.h"
#include "platform/registry/advapi32.h"
#include "tuning/VLTfrmSystemStatus.h"
#include "tuning/clsCPUUsageNT.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

constexpr std::uint64_t kGB = 1024 * kMB;

class StatusPageTest : public MonitorPageTest {
 protected:
  explicit StatusPageTest(platform::OsKind os = platform::OsKind::WinXP) : MonitorPageTest(os) {}
  VLTfrmSystemStatusForm& page() { return VLTfrmSystemStatus(); }
};

TEST_F(StatusPageTest, LoadSetsTheFreeAmountTextsAndTheSliderRange) {
  VLTfrmSystemStatusForm& p = page();
  EXPECT_NE(dynamic_cast<clsCPUUsageNT*>(p.UsageObject()), nullptr);
  EXPECT_EQ(p.sldFreeMomoryReq.ToolTipText(), "0 MB to free when Optimize is clicked");
  EXPECT_EQ(p.lblTargetMemoryNeeded.Caption(), "Target Level Of RAM 0MB.");
  EXPECT_EQ(p.sldFreeMomoryReq.Max(), 512);
  EXPECT_EQ(p.TotalMB(), 512);
  EXPECT_EQ(p.cmdOptimaize.Caption(), "Optimize Now");
  EXPECT_EQ(p.tmrCPU.Interval(), 300);
  EXPECT_EQ(p.tmrMemory.Interval(), 300);
  p.sldFreeMomoryReq.Value(64);
  EXPECT_EQ(p.sldFreeMomoryReq.ToolTipText(), "64 MB to free when Optimize is clicked");
  EXPECT_EQ(p.lblTargetMemoryNeeded.Caption(), "Target Level Of RAM 64MB.");
}

TEST_F(StatusPageTest, TheSliderMaximumIsTheTotalInWholeMegabytes) {
  struct Case {
    std::uint64_t total;
    std::int32_t max;
  } cases[] = {{512 * kMB, 512}, {512 * kMB + 1048575, 512}, {3 * kGB, 2047}, {64 * kGB, 2047}, {0, 0}};
  for (const auto& c : cases) {
    ResetFormsRuntime();
    facts().InjectMemory(platform::MemoryFigures{c.total, c.total / 2, 0, 0, 0});
    EXPECT_EQ(page().sldFreeMomoryReq.Max(), c.max) << c.total;
  }
}

TEST_F(StatusPageTest, SpeedSlidersSetTheIntervalsAndZoomSlidersTheGraphs) {
  struct Case {
    std::int32_t value, interval;
  } cases[] = {{0, 1300}, {1000, 300}, {1200, 100}};
  for (const auto& c : cases) {
    page().sldCPUSpeed.Value(c.value);
    page().sldMemorySpeed.Value(c.value);
    EXPECT_EQ(page().tmrCPU.Interval(), c.interval);
    EXPECT_EQ(page().tmrMemory.Interval(), c.interval);
  }
  EXPECT_LT(page().sldCPUSpeed.Max(), 1300);  // an interval never reaches 0
  page().sldCPUZoom.Value(4);
  page().sldMemoryZoom.Value(7);
  EXPECT_EQ(page().histCPU.Zoom(), 4);
  EXPECT_EQ(page().histMemory.Zoom(), 7);
}

TEST_F(StatusPageTest, TheGraphsSampleTheHostWhileThePageIsLoaded) {
  page();
  // One second later the host was idle half the time, and 100 of 512 MB are free.
  facts().InjectProcessor(platform::ProcessorTimes{1, 1050, 2100, 100});
  facts().InjectMemory(platform::MemoryFigures{512 * kMB, 100 * kMB, 0, 0, 0});
  machine_.clock().Advance(700);
  Tick(300);
  ASSERT_EQ(page().histCPU.samples().size(), 1u);
  EXPECT_EQ(page().histCPU.Value(), 50);
  EXPECT_EQ(page().frameCPUUsage.Caption(), "Processor usage (50%).");
  ASSERT_EQ(page().histMemory.samples().size(), 1u);
  EXPECT_DOUBLE_EQ(page().histMemory.Value(), 100.0 / 512 * 100);
  EXPECT_EQ(page().fameMemoryUsage.Caption(), "Memory Usage (19.53125%).");
  Tick(300);
  Tick(300);
  EXPECT_EQ(page().histCPU.samples().size(), 3u);
  EXPECT_EQ(page().histMemory.samples().size(), 3u);

  std::uint64_t reads = page().histCPU.sampleCount();
  Unload(page());
  EXPECT_FALSE(IsLoaded<VLTfrmSystemStatusForm>());
  Tick(300);
  Tick(300);
  EXPECT_EQ(RunUntilIdle(), 0);  // no timer of the page is left to run
  EXPECT_EQ(reads, 3u);
}

// Past the 2 GB clamp the free figure follows the host's memory load: it
// moves as the host's free memory does and tells its true share.
TEST_F(StatusPageTest, TheMemoryGraphTellsTheHostsFreeSharePastTheClamp) {
  facts().InjectMemory(platform::MemoryFigures{64 * kGB, 60 * kGB, 0, 0, 0});
  page();
  struct Case {
    std::uint64_t total, free;
    double shown;
    const char* caption;
  } cases[] = {
      {64 * kGB, 60 * kGB, 94, "Memory Usage (94%)."},  // load 6%: both figures clamped to 2047 MB
      {64 * kGB, 32 * kGB, 50, "Memory Usage (50%)."},
      {64 * kGB, 1 * kGB, 2, "Memory Usage (2%)."},  // the free figure under the clamp, the total over it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.free);
    facts().InjectMemory(platform::MemoryFigures{c.total, c.free, 0, 0, 0});
    Tick(300);
    EXPECT_DOUBLE_EQ(page().histMemory.Value(), c.shown);
    EXPECT_EQ(page().fameMemoryUsage.Caption(), c.caption);
  }
}

TEST_F(StatusPageTest, OptimizeFreesTheChosenAmountOnly) {
  page().cmdOptimaize_Click();
  EXPECT_TRUE(touched_.empty());  // 0 MB: nothing taken
  page().sldFreeMomoryReq.Value(5);
  std::uint64_t before = YieldCount();
  page().cmdOptimaize_Click();
  EXPECT_EQ(touched_, (std::vector<std::uint64_t>{2 * 5 * kMB}));
  EXPECT_EQ(YieldCount() - before, 6u + 5 + 5 + 6);
  EXPECT_EQ(page().MousePointer(), 0);
}

TEST_F(StatusPageTest, AFailedProcessorReadIsGraphedAsMinusOne) {
  page();
  facts().InjectProcessor(std::nullopt);
  Tick(300);
  EXPECT_EQ(page().histCPU.Value(), -1);
  EXPECT_EQ(page().frameCPUUsage.Caption(), "Processor usage (-1%).");
}

class StatusPage9xTest : public StatusPageTest {
 protected:
  StatusPage9xTest() : StatusPageTest(platform::OsKind::Win98) {}
  // What the statistic itself says now, read as any program would.
  DWORD StatisticNow() {
    HKEY key = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StatData", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD value = 0, size = sizeof value;
    RegQueryValueExA(key, "KERNEL\\CPUUsage", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return value;
  }
};

TEST_F(StatusPage9xTest, GraphsTheKernelStatisticAndStopsItWithThePage) {
  EXPECT_EQ(dynamic_cast<clsCPUUsageNT*>(page().UsageObject()), nullptr);
  facts().InjectProcessor(platform::ProcessorTimes{1, 1030, 2100, 100});
  Tick(300);
  EXPECT_EQ(page().histCPU.Value(), 70);
  EXPECT_EQ(page().frameCPUUsage.Caption(), "Processor usage (70%).");
  Unload(page());
  facts().InjectProcessor(platform::ProcessorTimes{1, 1130, 2200, 100});
  EXPECT_EQ(StatisticNow(), 70u);  // stopped: it measures no more
}

}  // namespace
}  // namespace tessaly::testing
