// Writing the machine's state: every area is written even when another
// fails, and pending changes reach the disk while the program runs.
#include <gtest/gtest.h>

#include "platform/files/kernel32_files.h"
#include "platform/machine/machine.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

namespace fs = std::filesystem;

// Areas that fail or count their writes, in the order the machine made them.
struct WriteLog {
  std::vector<std::string> writes;
};
WriteLog& Log() {
  static WriteLog log;
  return log;
}
template <int N>
struct FailingArea : platform::MachineArea {
  explicit FailingArea(platform::Machine&) {}
  void Flush() override {
    Log().writes.push_back("failing " + std::to_string(N));
    throw platform::MachineError("area " + std::to_string(N) + " cannot be written");
  }
};
struct CountingArea : platform::MachineArea {
  explicit CountingArea(platform::Machine&) {}
  void Flush() override { Log().writes.push_back("counting"); }
};

TEST(MachineFlush, OneFailingAreaDoesNotStopTheOthersAndTheFirstFailureIsReported) {
  TempMachine m;
  Log().writes.clear();
  m.machine().area<FailingArea<1>>();
  m.machine().area<FailingArea<2>>();
  m.machine().area<CountingArea>();
  try {
    m.machine().Flush();
    ADD_FAILURE() << "no failure reported";
  } catch (const platform::MachineError& error) {
    EXPECT_STREQ(error.what(), "area 1 cannot be written");
  }
  EXPECT_EQ(Log().writes, (std::vector<std::string>{"failing 1", "failing 2", "counting"}));
  m.Abandon();
}

// With real files: the HKLM hive cannot be replaced (a folder holds its
// name), yet HKU and the file metadata, written after it, reach the disk.
TEST(MachineFlush, AHiveThatCannotBeWrittenLeavesTheOtherFilesWritten) {
  TempMachine m;
  m.Put("a.txt");
  ASSERT_EQ(SetFileAttributesA("C:\\a.txt", FILE_ATTRIBUTE_HIDDEN), TRUE);
  HKEY lm = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Flushed");
  HKEY user = CreateKey(HKEY_CURRENT_USER, "Software\\Flushed");
  RegCloseKey(lm);
  RegCloseKey(user);
  fs::remove(m.hiveFile("HKLM"));
  fs::create_directories(m.hiveFile("HKLM") / "in the way");
  try {
    m.machine().Flush();
    ADD_FAILURE() << "no failure reported";
  } catch (const platform::MachineError& error) {
    EXPECT_NE(std::string(error.what()).find(m.hiveFile("HKLM").string() + ": cannot be replaced"), std::string::npos)
        << error.what();
  }
  EXPECT_NE(ReadHostFile(m.hiveFile("HKU")).find("Software\\Flushed]"), std::string::npos);
  EXPECT_NE(ReadHostFile(m.machineFolder() / "state" / "files.meta").find("C:\\A.TXT"), std::string::npos);
  EXPECT_TRUE(m.machine().HasPendingWrites());  // HKLM waits for the next write
  fs::remove_all(m.hiveFile("HKLM"));
  m.machine().Flush();
  EXPECT_FALSE(m.machine().HasPendingWrites());
  EXPECT_NE(ReadHostFile(m.hiveFile("HKLM")).find("SOFTWARE\\Flushed]"), std::string::npos);
}

class PendingWrites : public ::testing::Test {
 protected:
  PendingWrites() {
    platform::SetWriteFailureReporter([this](const std::string& message) { reported_.push_back(message); });
  }
  ~PendingWrites() override { platform::SetWriteFailureReporter({}); }

  void Change(const char* name) {
    HKEY key = CreateKey(HKEY_CURRENT_USER, "Software\\Pending");
    SetString(key, name, "1");
    RegCloseKey(key);
  }
  bool OnDisk(const char* name) const {
    return ReadHostFile(m_.hiveFile("HKU")).find(std::string("\"") + name + "\"=") != std::string::npos;
  }

  TempMachine m_;
  std::vector<std::string> reported_;
};

TEST_F(PendingWrites, IdleWritesComeAtOnceThenAtMostEveryTwoSeconds) {
  platform::Machine& machine = m_.machine();
  EXPECT_EQ(machine.NextIdleWrite(), std::nullopt);  // nothing pending
  Change("first");
  EXPECT_EQ(machine.NextIdleWrite(), m_.clock().TickMs());
  machine.WriteWhenIdle();
  EXPECT_TRUE(OnDisk("first"));

  m_.clock().Advance(500);
  Change("second");
  EXPECT_EQ(machine.NextIdleWrite(), m_.clock().TickMs() + 1500);
  machine.WriteWhenIdle();
  EXPECT_FALSE(OnDisk("second"));
  m_.clock().Advance(1499);
  machine.WriteWhenIdle();
  EXPECT_FALSE(OnDisk("second"));
  m_.clock().Advance(1);
  machine.WriteWhenIdle();
  EXPECT_TRUE(OnDisk("second"));
  EXPECT_EQ(machine.NextIdleWrite(), std::nullopt);

  // A finished cleaning run does not wait for the interval.
  Change("third");
  platform::WritePendingMachineChanges();
  EXPECT_TRUE(OnDisk("third"));
  EXPECT_TRUE(reported_.empty());
}

TEST_F(PendingWrites, AFailedWriteIsReportedOnceAndTriedAgainAtTheNextIdleWrite) {
  platform::Machine& machine = m_.machine();
  fs::path hive = m_.hiveFile("HKU");
  fs::remove(hive);
  fs::create_directories(hive / "in the way");
  Change("kept");
  EXPECT_FALSE(machine.WritePending());
  ASSERT_EQ(reported_.size(), 1u);
  EXPECT_EQ(reported_[0].rfind(hive.string() + ": cannot be replaced: ", 0), 0u) << reported_[0];
  EXPECT_TRUE(machine.HasPendingWrites());

  // The next try is an idle write two seconds on; the same failure again is
  // not reported again.
  EXPECT_EQ(machine.NextIdleWrite(), m_.clock().TickMs() + 2000);
  m_.clock().Advance(2000);
  machine.WriteWhenIdle();
  EXPECT_EQ(reported_.size(), 1u);
  fs::remove_all(hive);
  m_.clock().Advance(2000);
  machine.WriteWhenIdle();
  EXPECT_TRUE(OnDisk("kept"));
  EXPECT_FALSE(machine.HasPendingWrites());
  EXPECT_EQ(reported_.size(), 1u);
}

}  // namespace
}  // namespace tessaly::testing
