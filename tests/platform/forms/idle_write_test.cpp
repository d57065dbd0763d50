// The main loop writes the machine's pending changes while the program
// runs: when it is idle, at most every two seconds on the machine's clock.
#include "forms_fixture.h"
#include "support/registry_calls.h"
#include "support/temp_folder.h"

namespace tessaly::testing {
namespace {

using IdleWrites = FormsTest;

// The "tick" value as the hive file on disk holds it now; 0 when absent.
int TickOnDisk(const std::filesystem::path& hive) {
  std::string text = ReadHostFile(hive);
  const std::string label = "\"tick\"=dword:";
  std::size_t at = text.find(label);
  return at == std::string::npos ? 0 : std::stoi(text.substr(at + label.size(), 8), nullptr, 16);
}

TEST_F(IdleWrites, TheMainLoopWritesPendingChangesAtMostEveryTwoSeconds) {
  TestForm& f = frmTest();
  f.tmrPoll.Interval(500);
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Idle");
  std::vector<int> seen;  // what the disk held when each tick came
  f.onTimer = [&] {
    int tick = static_cast<int>(seen.size()) + 1;
    seen.push_back(TickOnDisk(machine_.hiveFile("HKLM")));
    DWORD value = static_cast<DWORD>(tick);
    SetValue(key, "tick", REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
    if (tick == 12) PostMessageA(frmTest().hWnd(), WM_CLOSE, 0, 0);
  };
  RunMessageLoop();
  RegCloseKey(key);
  // The new key went to disk at the loop's first idle moment (0 ms); the
  // ticks' values each time two seconds had passed since the last write
  // (at 2000 and 4000 ms, after ticks 4 and 8); never in between.
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8}));
  EXPECT_NE(ReadHostFile(machine_.hiveFile("HKLM")).find("SOFTWARE\\Idle]"), std::string::npos);
}

TEST_F(IdleWrites, ALoopWithNothingPendingWritesNothing) {
  TestForm& f = frmTest();
  f.tmrPoll.Interval(1000);
  int ticks = 0;
  f.onTimer = [&] {
    if (++ticks == 4) PostMessageA(frmTest().hWnd(), WM_CLOSE, 0, 0);
  };
  auto before = std::filesystem::last_write_time(machine_.hiveFile("HKLM"));
  std::filesystem::remove(machine_.hiveFile("HKU"));
  RunMessageLoop();
  EXPECT_EQ(std::filesystem::last_write_time(machine_.hiveFile("HKLM")), before);
  EXPECT_FALSE(std::filesystem::exists(machine_.hiveFile("HKU")));
}

}  // namespace
}  // namespace tessaly::testing
