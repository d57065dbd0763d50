// tsyT meeting machine files that are not what they should be, a start-up
// ended by a signal, and its instance lock.
#include "support/odd_files.h"
#include "tsyT_process_fixture.h"

namespace tessaly::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class TsyTMachineFilesTest : public TsyTProcessTest {
 protected:
  fs::path errors() const { return temp_.path() / "stderr.txt"; }
  pid_t StartScheduledRun() const { return Start({"/SCHEDULER"}, nullptr, nullptr, errors().c_str()); }
  // The machine was left as it was: no run cleaned anything.
  void ExpectNoRun() const { EXPECT_TRUE(Exists("C:\\Temp\\trace.tmp")); }
};

TEST_F(TsyTMachineFilesTest, AMachineFileThatIsNotAFileStopsStartUpAtOnceNamingIt) {
  // What starting and refusing a machine costs at all on this host (a
  // description without its OS is refused as the first file is read): a
  // refusal "at once" comes within a second of that, with room for a host
  // so loaded that starting a process twice costs seconds apart. (Before,
  // a pipe held the start-up for ever.)
  fs::path ini = folder() / "machine.ini";
  std::string description = ReadHostFile(ini);
  WriteHostFile(ini, "[Machine]\r\n");
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Wait(StartScheduledRun(), 30s), 1);
  auto refusalCost = std::chrono::steady_clock::now() - start;
  WriteHostFile(ini, description);

  const char* const files[] = {"machine.ini",      "registry/HKLM.reg", "registry/HKU.reg",
                               "state/files.meta", "state/tray.txt",    "state/clipboard.txt"};
  for (const char* name : files) {
    fs::path file = folder() / name;
    std::optional<std::string> original;
    if (fs::exists(file)) original = ReadHostFile(file);
    for (const auto& c : OddFileCases()) {
      SCOPED_TRACE(std::string(name) + " as " + c.name);
      if (!PutOddFile(file, c.kind)) continue;  // no device nodes without the right to make them
      start = std::chrono::steady_clock::now();
      EXPECT_EQ(Wait(StartScheduledRun(), 30s), 1);
      EXPECT_LT(std::chrono::steady_clock::now() - start, 2 * refusalCost + 1s);
      EXPECT_EQ(TextOf(errors()), "tsyT: " + file.string() + ": not a regular file (" + c.what + ")\n");
      EXPECT_EQ(fs::symlink_status(file).type(), c.kind == OddFile::DanglingLink ? fs::file_type::symlink
                                                 : c.kind == OddFile::Folder     ? fs::file_type::directory
                                                 : c.kind == OddFile::NamedPipe  ? fs::file_type::fifo
                                                                                 : fs::file_type::character);
      ExpectNoRun();
    }
    fs::remove_all(file);
    if (original) WriteHostFile(file, *original);
  }
}

TEST_F(TsyTMachineFilesTest, ATrayStateThatDoesNotParseStopsStartUpAndIsKeptByteForByte) {
  const std::string broken = "65538 0 7 512 1 Tessaly\nnot an icon\n";
  fs::path tray = folder() / "state" / "tray.txt";
  WriteHostFile(tray, broken);
  EXPECT_EQ(Wait(StartScheduledRun(), 30s), 1);
  EXPECT_EQ(TextOf(errors()), "tsyT: " + tray.string() +
                                  " line 2: expected the window, id, flags, callback message and icon as numbers, "
                                  "then the tip\n");
  EXPECT_EQ(ReadHostFile(tray), broken);
  ExpectNoRun();
  // The next start refuses it the same way: nothing rewrote it in between.
  EXPECT_EQ(Wait(StartScheduledRun(), 30s), 1);
  EXPECT_EQ(ReadHostFile(tray), broken);
}

// A hive large enough that reading it takes a while stands for any slow
// file: a termination signal during the start-up ends it there, and nothing
// is written.
TEST_F(TsyTMachineFilesTest, ATerminationSignalEndsAStartUpStuckOnASlowFile) {
  fs::path hive = folder() / "registry" / "HKU.reg";
  std::string text = ReadHostFile(hive);
  for (int i = 0; i < 60000; ++i)
    text += "[HKEY_USERS\\.DEFAULT\\Software\\Bulk\\Key" + std::to_string(i) +
            "]\r\n\"value\"=\"a value long enough to take its time to read and parse\"\r\n\r\n";
  WriteHostFile(hive, text);
  auto written = fs::last_write_time(hive);

  pid_t pid = StartScheduledRun();
  std::this_thread::sleep_for(500ms);
  ASSERT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << "the start-up was over before the signal";
  kill(pid, SIGTERM);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Wait(pid, 10s), 128 + SIGTERM);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_EQ(fs::last_write_time(hive), written);
  ExpectNoRun();
}

TEST_F(TsyTMachineFilesTest, ALockThatCannotBeOpenedStopsStartUpNamingTheFileAndTheReason) {
  fs::path lock = folder() / "instance.lock";
  fs::create_directories(lock);
  auto hiveWritten = fs::last_write_time(folder() / "registry" / "HKLM.reg");
  EXPECT_EQ(Wait(StartScheduledRun(), 30s), 1);
  EXPECT_EQ(TextOf(errors()), "tsyT: " + lock.string() + ": cannot be opened: Is a directory\n");
  EXPECT_EQ(fs::last_write_time(folder() / "registry" / "HKLM.reg"), hiveWritten);
  ExpectNoRun();

  // A machine folder where no lock file can be made, for a user without
  // rights there.
  fs::remove(lock);
  if (!StartWithoutFileRights()) GTEST_SKIP() << "the tests cannot give up their file rights here";
  fs::permissions(folder(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(Wait(StartScheduledRun(), 30s), 1);
  fs::permissions(folder(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(TextOf(errors()), "tsyT: " + lock.string() + ": cannot be opened: Permission denied\n");
  ExpectNoRun();
}

// A lock file that may only be read is still locked (through a read-only
// descriptor), so a second program still sees the first and ends.
TEST_F(TsyTMachineFilesTest, AReadOnlyLockFileStillKeepsASecondInstanceFromRunning) {
  if (!StartWithoutFileRights()) GTEST_SKIP() << "the tests cannot give up their file rights here";
  fs::path lock = folder() / "instance.lock";
  WriteHostFile(lock, "");
  fs::permissions(lock, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  pid_t first = Start({}, nullptr, nullptr, errors().c_str());
  auto until = std::chrono::steady_clock::now() + 30s;
  while (!InstanceLockHeld() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(20ms);
  ASSERT_TRUE(InstanceLockHeld());
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0);

  EXPECT_EQ(Wait(Start({"/SCHEDULER"}), 30s), 0);  // ends at once, as a second instance does
  ExpectNoRun();
  kill(first, SIGTERM);
  EXPECT_EQ(Wait(first, 30s), 0);
  EXPECT_EQ(TextOf(errors()), "");
}

}  // namespace
}  // namespace tessaly::testing
