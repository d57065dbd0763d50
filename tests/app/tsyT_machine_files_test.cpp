// tsyT meeting machine files that are not what they should be, a start-up
// ended by a signal, and its instance lock.
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>

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

// What a traced program did before it opened a given file.
struct Traced {
  bool stoppedThere = false;  // it has just opened the file, and waits, stopped
  int exitCode = -1;          // else how it ended (128 + a signal), -1 lost
};

// Lets a traced program run until it has just opened `file` (an open that
// gave it a descriptor on it) and keeps it stopped there. Signals it gets on
// the way are passed on.
Traced StopWhenItHasOpened(pid_t pid, const fs::path& file) {
  int status = 0;
  auto ended = [&] { return Traced{false, WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)}; };
  // The stop at its first instruction, after exec.
  if (waitpid(pid, &status, 0) != pid) return {};
  if (!WIFSTOPPED(status)) return ended();
#if defined(__x86_64__)
  if (ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL) != 0) return {};
  const std::string wanted = fs::weakly_canonical(file).string();
  bool inCall = false;
  int passOn = 0;
  while (ptrace(PTRACE_SYSCALL, pid, nullptr, passOn) == 0 && waitpid(pid, &status, 0) == pid) {
    passOn = 0;
    if (!WIFSTOPPED(status)) return ended();
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      passOn = WSTOPSIG(status);
      continue;
    }
    inCall = !inCall;
    if (inCall) continue;
    user_regs_struct regs {};
    if (ptrace(PTRACE_GETREGS, pid, nullptr, &regs) != 0) return {};
    if ((regs.orig_rax != SYS_openat && regs.orig_rax != SYS_open) || static_cast<long>(regs.rax) < 0) continue;
    std::error_code error;
    fs::path opened = fs::read_symlink("/proc/" + std::to_string(pid) + "/fd/" + std::to_string(regs.rax), error);
    if (!error && opened == wanted) return {true, -1};
  }
#endif
  return {};
}

// A start-up held on a machine file, as a slow disk or a file served from
// far away would hold it (here the test holds it, tracing the program, the
// moment it has opened the hive): a termination signal ends it there, and
// nothing is written.
TEST_F(TsyTMachineFilesTest, ATerminationSignalEndsAStartUpStuckOnASlowFile) {
#if !defined(__x86_64__)
  GTEST_SKIP() << "the test reads the traced program's calls as x86-64 registers";
#endif
  fs::path hive = folder() / "registry" / "HKU.reg";
  auto written = fs::last_write_time(hive);
  auto otherWritten = fs::last_write_time(folder() / "registry" / "HKLM.reg");

  TraceStartedPrograms();
  pid_t pid = StartScheduledRun();
  Traced traced = StopWhenItHasOpened(pid, hive);
  if (!traced.stoppedThere) {
    if (traced.exitCode < 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    if (traced.exitCode == kNotTraceable) GTEST_SKIP() << "this host does not let the test trace the program";
    FAIL() << "the start-up never opened the hive (exit " << traced.exitCode << ")";
  }
  kill(pid, SIGTERM);
  // Let go: the signal waits for it as it goes on to read.
  ASSERT_EQ(ptrace(PTRACE_DETACH, pid, nullptr, nullptr), 0);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Wait(pid, 10s), 128 + SIGTERM);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_EQ(fs::last_write_time(hive), written);
  EXPECT_EQ(fs::last_write_time(folder() / "registry" / "HKLM.reg"), otherWritten);
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
