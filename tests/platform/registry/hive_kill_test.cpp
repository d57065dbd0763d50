// A process killed at an arbitrary moment while it saves leaves a hive that
// loads and holds one whole generation of values.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "platform/base/host_file.h"
#include "platform/registry/registry_store.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

using namespace tessaly::testing;

namespace {

// The generation is written to kValues values; a large unchanging part
// makes every save long enough for the kill to land inside it.
constexpr int kValues = 200;
constexpr int kFillerValues = 10000;

std::string ValueName(int i) { return "Value" + std::to_string(i); }

// Writes generation after generation of every value, reporting each saved
// generation on `report`. Never returns.
[[noreturn]] void SaveForever(const std::filesystem::path& folder, int report) {
  try {
    auto machine = platform::Machine::Open(folder);
    platform::MachineBinding binding(*machine);
    HKEY key = 0;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Generations", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (DWORD generation = 1;; ++generation) {
      for (int i = 0; i < kValues; ++i)
        RegSetValueExA(key, ValueName(i).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&generation), 4);
      if (RegFlushKey(key) != ERROR_SUCCESS) break;
      char done = 1;
      if (::write(report, &done, 1) != 1) break;
    }
  } catch (...) {
  }
  ::_exit(1);
}

TEST(HiveKill, KilledWriterLeavesALoadableWholeGeneration) {
  // Negative: kill as soon as a save has created its temporary file (inside
  // the write); otherwise after that many microseconds.
  const long delaysUs[] = {-1, -1, -1, 0, 2500, 15000};
  int killedInsideWrite = 0;
  for (long delayUs : delaysUs) {
    TempMachine scratch;
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Generations");
    DWORD zero = 0;
    for (int i = 0; i < kValues; ++i)
      ASSERT_EQ(RegSetValueExA(key, ValueName(i).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), 4), 0);
    HKEY filler = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Filler");
    for (int i = 0; i < kFillerValues; ++i) ASSERT_EQ(SetString(filler, ValueName(i).c_str(), "unchanging filler text"), 0);
    scratch.Reopen();
    scratch.Abandon();  // the child is the only writer

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeFds[0]);
      SaveForever(scratch.machineFolder(), pipeFds[1]);
    }
    ::close(pipeFds[1]);
    // Let it save at least once, then kill it somewhere in a later save.
    char done = 0;
    ASSERT_EQ(::read(pipeFds[0], &done, 1), 1);
    auto temp = platform::TemporaryFileOf(scratch.hiveFile("HKLM"));
    if (delayUs < 0) {
      auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (!std::filesystem::exists(temp) && std::chrono::steady_clock::now() < deadline) {
      }
    } else {
      timespec pause{0, delayUs * 1000};
      ::nanosleep(&pause, nullptr);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(pipeFds[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own";

    if (std::filesystem::exists(temp)) ++killedInsideWrite;
    ASSERT_NO_THROW(scratch.Open()) << delayUs;
    ASSERT_NO_THROW(scratch.machine().area<platform::registry::RegistryStore>()) << delayUs;
    auto first = QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Generations", "Value0");
    ASSERT_TRUE(first.has_value());
    EXPECT_NE(first->data, std::string(4, '\0')) << "the first save was lost";
    for (int i = 1; i < kValues; ++i)
      ASSERT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Generations", ValueName(i).c_str()), first)
          << "mixed generations at " << i << ", delay " << delayUs;
  }
  EXPECT_GT(killedInsideWrite, 0) << "no kill landed inside a save";
}

}  // namespace
