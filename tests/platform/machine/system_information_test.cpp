#include "platform/machine/system_information.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/machine/host_facts.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using platform::HostFacts;
using platform::MemoryFigures;
using platform::OsKind;
using platform::ProcessorTimes;

constexpr std::uint64_t kMB = 1024 * 1024;
constexpr std::uint64_t kGB = 1024 * kMB;

template <typename T>
T At(const std::vector<unsigned char>& buffer, std::size_t offset) {
  T value;
  std::memcpy(&value, buffer.data() + offset, sizeof value);
  return value;
}

TEST(HostFactsParsing, ReadsTheCpuLinesAndTheMemoryFigures) {
  auto times = platform::ParseProcStat(
      "cpu  100 5 50 1000 20 3 2 7 9 0\n"
      "cpu0 50 2 25 500 10 1 1 3 4 0\n"
      "cpu1 50 3 25 500 10 2 1 4 5 0\n"
      "intr 12345\n");
  ASSERT_TRUE(times);
  EXPECT_EQ(times->processors, 2);
  EXPECT_EQ(times->idleTicks, 1020u);  // idle + iowait
  EXPECT_EQ(times->totalTicks, 100u + 5 + 50 + 1000 + 20 + 3 + 2 + 7);  // guest time is inside user
  auto single = platform::ParseProcStat("cpu 1 2 3 4\n");
  ASSERT_TRUE(single);
  EXPECT_EQ(single->processors, 1);  // no numbered line: still one processor
  EXPECT_EQ(single->idleTicks, 4u);
  EXPECT_FALSE(platform::ParseProcStat("intr 1\ncpu0 1 2 3 4\n"));
  EXPECT_FALSE(platform::ParseProcStat("cpu 1 2\n"));

  auto memory = platform::ParseMemInfo(
      "MemTotal:       24682260 kB\nMemFree:        1000 kB\nMemAvailable:   20355112 kB\n"
      "SwapTotal:       2048 kB\nSwapFree:        1024 kB\n");
  ASSERT_TRUE(memory);
  EXPECT_EQ(memory->totalPhys, 24682260ull * 1024);
  EXPECT_EQ(memory->availPhys, 20355112ull * 1024);
  EXPECT_EQ(memory->totalSwap, 2048ull * 1024);
  EXPECT_EQ(memory->freeSwap, 1024ull * 1024);
  auto old = platform::ParseMemInfo("MemTotal: 2000 kB\nMemFree: 500 kB\n");  // before MemAvailable
  ASSERT_TRUE(old);
  EXPECT_EQ(old->availPhys, 500ull * 1024);
  EXPECT_FALSE(platform::ParseMemInfo("MemFree: 5 kB\n"));
}

TEST(HostFacts, TheRealHostGivesPlausibleFigures) {
  TempMachine m;
  auto times = m.machine().area<HostFacts>().Processor();
  auto memory = m.machine().area<HostFacts>().Memory();
  ASSERT_TRUE(times);
  ASSERT_TRUE(memory);
  EXPECT_GE(times->processors, 1);
  EXPECT_GT(times->totalTicks, 0u);
  EXPECT_LE(times->idleTicks, times->totalTicks);
  EXPECT_GT(memory->totalPhys, 0u);
  EXPECT_LE(memory->availPhys, memory->totalPhys);
}

class SystemInformationTest : public ::testing::Test {
 protected:
  HostFacts& facts() { return machine_.machine().area<HostFacts>(); }
  NTSTATUS Query(ULONG cls, std::vector<unsigned char>& buffer) {
    ULONG length = 0;
    return NtQuerySystemInformation(cls, buffer.data(), static_cast<ULONG>(buffer.size()), &length);
  }
  TempMachine machine_{OsKind::WinXP};
};

TEST_F(SystemInformationTest, ServesTheThreeClassesFromTheHostFacts) {
  facts().InjectProcessor(ProcessorTimes{4, 1234, 9999, 100});
  std::vector<unsigned char> basic(kSystemBasicInformationLength), performance(kSystemPerformanceInformationLength),
      timeOfDay(kSystemTimeOfDayInformationLength);
  ASSERT_EQ(Query(SystemBasicInformation, basic), STATUS_SUCCESS);
  EXPECT_EQ(At<std::int8_t>(basic, kNumberOfProcessorsOffset), 4);
  EXPECT_EQ(At<DWORD>(basic, 8), 4096u);
  EXPECT_EQ(At<DWORD>(basic, 36), 0xFu);
  ASSERT_EQ(Query(SystemPerformanceInformation, performance), STATUS_SUCCESS);
  EXPECT_EQ(At<std::int64_t>(performance, kIdleProcessTimeOffset), 1234 * 100000LL);  // 100 Hz ticks in 100 ns
  ASSERT_EQ(Query(SystemTimeOfDayInformation, timeOfDay), STATUS_SUCCESS);
  EXPECT_EQ(At<std::int64_t>(timeOfDay, kCurrentTimeOffset), platform::VirtualClock::kDefaultStart);

  // The time is cut to the host's tick, so a query within one tick sees no time pass.
  machine_.clock().Advance(5);
  ASSERT_EQ(Query(SystemTimeOfDayInformation, timeOfDay), STATUS_SUCCESS);
  EXPECT_EQ(At<std::int64_t>(timeOfDay, kCurrentTimeOffset), platform::VirtualClock::kDefaultStart);
  machine_.clock().Advance(5);
  ASSERT_EQ(Query(SystemTimeOfDayInformation, timeOfDay), STATUS_SUCCESS);
  EXPECT_EQ(At<std::int64_t>(timeOfDay, kCurrentTimeOffset), platform::VirtualClock::kDefaultStart + 100000);
}

TEST_F(SystemInformationTest, ClampsTheProcessorCountToASignedByte) {
  struct Case {
    int host;
    std::int8_t reported;
  } cases[] = {{0, 1}, {1, 1}, {127, 127}, {128, 127}, {512, 127}};
  std::vector<unsigned char> basic(kSystemBasicInformationLength);
  for (const auto& c : cases) {
    facts().InjectProcessor(ProcessorTimes{c.host, 0, 0, 100});
    ASSERT_EQ(Query(SystemBasicInformation, basic), STATUS_SUCCESS);
    EXPECT_EQ(At<std::int8_t>(basic, kNumberOfProcessorsOffset), c.reported) << c.host;
  }
}

TEST_F(SystemInformationTest, RefusesWrongLengthsClassesAndFailedReads) {
  std::vector<unsigned char> buffer(400);
  ULONG length = 0;
  EXPECT_EQ(NtQuerySystemInformation(SystemBasicInformation, buffer.data(), 40, &length), STATUS_INFO_LENGTH_MISMATCH);
  EXPECT_EQ(length, kSystemBasicInformationLength);
  EXPECT_EQ(NtQuerySystemInformation(SystemPerformanceInformation, buffer.data(), 400, &length),
            STATUS_INFO_LENGTH_MISMATCH);
  EXPECT_EQ(length, kSystemPerformanceInformationLength);
  EXPECT_EQ(NtQuerySystemInformation(1, buffer.data(), 44, &length), STATUS_INVALID_INFO_CLASS);
  EXPECT_EQ(NtQuerySystemInformation(SystemBasicInformation, nullptr, 44, nullptr), STATUS_ACCESS_VIOLATION);

  facts().InjectProcessor(std::nullopt);
  std::vector<unsigned char> performance(kSystemPerformanceInformationLength);
  EXPECT_EQ(Query(SystemPerformanceInformation, performance), STATUS_UNSUCCESSFUL);
  std::vector<unsigned char> timeOfDay(kSystemTimeOfDayInformationLength);
  EXPECT_EQ(Query(SystemTimeOfDayInformation, timeOfDay), STATUS_SUCCESS);  // the clock never fails
}

TEST(SystemInformation9x, IsNotImplementedOnThe9xFamily) {
  TempMachine m(OsKind::Win98);
  std::vector<unsigned char> basic(kSystemBasicInformationLength);
  EXPECT_EQ(NtQuerySystemInformation(SystemBasicInformation, basic.data(), kSystemBasicInformationLength, nullptr),
            STATUS_NOT_IMPLEMENTED);
}

TEST_F(SystemInformationTest, MemoryStatusClampsSizesAsForAProgramThatIsNotLargeAddressAware) {
  struct Case {
    MemoryFigures host;
    DWORD load, totalPhys, availPhys, totalPageFile, availPageFile, availVirtual;
  } cases[] = {
      {{512 * kMB, 128 * kMB, 256 * kMB, 64 * kMB, 16 * kMB}, 75, 512 * kMB, 128 * kMB, 768 * kMB, 192 * kMB,
       0x7FFE0000 - 16 * kMB},
      // 3 GB with 1 GB free: total clamped, load from the real figures.
      {{3 * kGB, 1 * kGB, 0, 0, 0}, 66, 0x7FFFFFFF, 1 * kGB, 0x7FFFFFFF, 1 * kGB, 0x7FFE0000},
      // 24 GB with 20 GB free: both clamped, never the -1 of old systems.
      {{24 * kGB, 20 * kGB, 0, 0, 0}, 16, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFE0000},
      // Available above total is cut to total.
      {{100 * kMB, 200 * kMB, 0, 0, 0}, 0, 100 * kMB, 100 * kMB, 100 * kMB, 100 * kMB, 0x7FFE0000},
      // A resident size beyond the address space leaves nothing, never wraps.
      {{100 * kMB, 50 * kMB, 0, 0, 4 * kGB}, 50, 100 * kMB, 50 * kMB, 100 * kMB, 50 * kMB, 0},
  };
  for (const auto& c : cases) {
    facts().InjectMemory(c.host);
    MEMORYSTATUS status{};
    GlobalMemoryStatus(&status);
    EXPECT_EQ(status.dwLength, 32u);
    EXPECT_EQ(status.dwMemoryLoad, c.load);
    EXPECT_EQ(status.dwTotalPhys, c.totalPhys);
    EXPECT_EQ(status.dwAvailPhys, c.availPhys);
    EXPECT_EQ(status.dwTotalPageFile, c.totalPageFile);
    EXPECT_EQ(status.dwAvailPageFile, c.availPageFile);
    EXPECT_EQ(status.dwTotalVirtual, 0x7FFE0000u);
    EXPECT_EQ(status.dwAvailVirtual, c.availVirtual);
  }
  facts().InjectMemory(std::nullopt);
  MEMORYSTATUS status{};
  status.dwTotalPhys = 77;
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwLength, 32u);
  EXPECT_EQ(status.dwTotalPhys, 0u);
  GlobalMemoryStatus(nullptr);  // no crash
}

TEST_F(SystemInformationTest, TheToucherSeamSeesTheRequestedAmounts) {
  std::vector<std::uint64_t> asked;
  facts().InjectToucher([&](std::uint64_t bytes) {
    asked.push_back(bytes);
    return bytes < 100;
  });
  EXPECT_TRUE(facts().TouchAndRelease(10));
  EXPECT_FALSE(facts().TouchAndRelease(1000));
  EXPECT_EQ(asked, (std::vector<std::uint64_t>{10, 1000}));
}

TEST(HostFactsToucher, TakesAtMostHalfTheAvailableMemoryAndAGigabyte) {
  struct Case {
    std::uint64_t requested, available, touched;
  } cases[] = {
      {10 * kMB, 4 * kGB, 10 * kMB},
      {10 * kMB, 8 * kMB, 4 * kMB},
      {4 * kGB, 20 * kGB, platform::kMaxTouchedBytes},
      {kMB, 0, 0},
      {0, 4 * kGB, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::BytesToTouch(c.requested, c.available), c.touched);
  // The real toucher, with a small amount.
  TempMachine m;
  m.machine().area<HostFacts>().InjectMemory(MemoryFigures{64 * kMB, 2 * kMB, 0, 0, 0});
  EXPECT_TRUE(m.machine().area<HostFacts>().TouchAndRelease(64 * 1024));
}

}  // namespace
}  // namespace tessaly::testing
