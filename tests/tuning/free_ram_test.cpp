// Freeing memory really takes it: the pages of the block become resident
// in the process before they are let go, in every build.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/forms/forms.h"
#include "platform/machine/host_facts.h"
#include "support/temp_machine.h"
#include "tuning/FreeRAM.h"

namespace tessaly::testing {
namespace {

constexpr std::uint64_t kMB = 1024 * 1024;

// A "Vm..." figure of /proc/self/status, in bytes; 0 when missing.
std::uint64_t ProcessFigure(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) != 0) continue;
    std::istringstream figures(line.substr(field.size() + 1));
    std::uint64_t kilobytes = 0;
    figures >> kilobytes;
    return kilobytes * 1024;
  }
  return 0;
}

// The peak resident size is compared with the resident size just before
// the call, so earlier peaks of the process (or a sanitizer's own memory)
// cannot make up for a block that was never written, and the time it
// takes does not matter.
TEST(FreeRamTest, FreeUpMemoryMakesTheAmountResidentBeforeLettingItGo) {
  TempMachine machine;
  platform::forms::ResetFormsRuntime();
  auto host = machine.machine().area<platform::HostFacts>().Memory();
  ASSERT_TRUE(host);
  const std::uint64_t requested = 64 * kMB;
  const std::uint64_t expected = platform::BytesToTouch(requested, host->availPhys);
  if (expected < 16 * kMB) GTEST_SKIP() << "the host has too little memory available to tell";

  std::uint64_t residentBefore = ProcessFigure("VmRSS");
  ASSERT_GT(residentBefore, 0u);
  EXPECT_EQ(FreeRAM().FreeUpMemory(static_cast<std::int64_t>(requested / 2)),
            static_cast<std::int64_t>(requested / 2));
  std::uint64_t peak = ProcessFigure("VmHWM");
  EXPECT_GE(peak, residentBefore + expected * 3 / 4)
      << "peak " << peak / kMB << " MB, resident before " << residentBefore / kMB << " MB, touched "
      << expected / kMB << " MB";
  platform::forms::ResetFormsRuntime();
}

}  // namespace
}  // namespace tessaly::testing
