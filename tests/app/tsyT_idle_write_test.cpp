// What a killed tsyT leaves on disk: a run's registry cleaning is written
// when the run ends, not when the program does.
#include "tsyT_process_fixture.h"

namespace tessaly::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const char* const kRunHistory = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

class TsyTIdleWriteTest : public TsyTProcessTest {
 protected:
  TsyTIdleWriteTest() {
    Store(HKEY_CURRENT_USER, kRunHistory, "a", "notepad\\1");
    Store(HKEY_CURRENT_USER, kRunHistory, "MRUList", "a");
    Store(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS", "16", "1");  // "Run History"
    Store(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS", "CloseAfterClean", "0");
  }
  fs::path output() const { return temp_.path() / "stdout.txt"; }
  bool RunHistoryOnDisk() const { return ReadHostFile(folder() / "registry" / "HKU.reg").find("RunMRU") != std::string::npos; }
};

// A scheduled run with "Close after cleaning" off stays in the tray; killed
// without warning well after its run, it has nothing of the run to lose.
TEST_F(TsyTIdleWriteTest, AResidentScheduledRunKilledAfterItsCleaningKeepsTheCleanedKeysGone) {
  ASSERT_TRUE(RunHistoryOnDisk());
  pid_t pid = Start({"/SCHEDULER"}, nullptr, output().c_str());
  auto until = std::chrono::steady_clock::now() + 60s;
  while (TextOf(output()).find("All Restored Size is ") == std::string::npos && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(20ms);
  ASSERT_NE(TextOf(output()).find("All Restored Size is "), std::string::npos) << TextOf(output());
  // Written before the summary was printed.
  EXPECT_FALSE(RunHistoryOnDisk());
  std::this_thread::sleep_for(5s);
  ASSERT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "the run did not stay resident";
  kill(pid, SIGKILL);
  EXPECT_EQ(Wait(pid, 10s), 128 + SIGKILL);
  EXPECT_FALSE(UserKeyExists(kRunHistory));
  EXPECT_FALSE(Exists("C:\\Temp\\trace.tmp"));
}

}  // namespace
}  // namespace tessaly::testing
