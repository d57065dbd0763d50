#include "platform/base/host_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/base/machine_error.h"
#include "support/odd_files.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using tessaly::testing::TempFolder;

std::string Refusal(const fs::path& file) {
  try {
    ReadHostFile(file);
  } catch (const MachineError& error) {
    return error.what();
  }
  return "<read>";
}

TEST(HostFile, ReadsWholeFilesAndTellsAMissingOne) {
  TempFolder folder;
  EXPECT_EQ(ReadHostFile(folder.path() / "missing"), std::nullopt);
  std::string big(200000, 'x');
  big[123456] = '\0';
  tessaly::testing::WriteHostFile(folder.path() / "big", big);
  EXPECT_EQ(ReadHostFile(folder.path() / "big"), big);
}

// Nothing but a regular file is opened for reading: a pipe would wait for a
// writer for ever, a link may lead anywhere (or nowhere).
TEST(HostFile, AnythingButARegularFileIsRefusedAtOnceByName) {
  TempFolder folder;
  for (const auto& c : tessaly::testing::OddFileCases()) {
    fs::path file = folder.path() / "state" / "tray.txt";
    if (!PutOddFile(file, c.kind)) {
      ASSERT_EQ(c.kind, tessaly::testing::OddFile::Device) << c.name;
      continue;  // no right to make a device node here
    }
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Refusal(file), file.string() + ": not a regular file (" + c.what + ")") << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.name;
  }
  // A link to a good file is refused as well: the machine's files are its own.
  fs::path real = folder.path() / "real.txt";
  tessaly::testing::WriteHostFile(real, "text");
  fs::path link = folder.path() / "link.txt";
  fs::create_symlink(real, link);
  EXPECT_EQ(Refusal(link), link.string() + ": not a regular file (a link)");
}

TEST(HostFile, AtomicWriteReplacesCreatesItsFolderAndLeavesNoTemporaryFile) {
  TempFolder folder;
  fs::path file = folder.path() / "new" / "deeper" / "HKLM.reg";
  WriteHostFileAtomically(file, "first");
  EXPECT_EQ(ReadHostFile(file), "first");
  WriteHostFileAtomically(file, "second, longer");
  EXPECT_EQ(ReadHostFile(file), "second, longer");
  EXPECT_FALSE(fs::exists(TemporaryFileOf(file)));
}

// A left-over temporary file, whatever it is, never receives the write: a
// pipe there would block it, a link there would write through it.
TEST(HostFile, AtomicWriteNeverWritesThroughWhatLiesAtTheTemporaryName) {
  TempFolder folder;
  fs::path file = folder.path() / "tray.txt";
  fs::path outside = folder.path() / "outside.txt";
  tessaly::testing::WriteHostFile(outside, "untouched");
  fs::create_symlink(outside, TemporaryFileOf(file));
  WriteHostFileAtomically(file, "icons");
  EXPECT_EQ(ReadHostFile(file), "icons");
  EXPECT_EQ(tessaly::testing::ReadHostFile(outside), "untouched");

  ASSERT_EQ(::mkfifo(TemporaryFileOf(file).c_str(), 0644), 0);
  WriteHostFileAtomically(file, "more icons");
  EXPECT_EQ(ReadHostFile(file), "more icons");
}

TEST(HostFile, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
  TempFolder folder;
  fs::path file = folder.path() / "files.meta";
  // A folder in the file's place cannot be renamed over.
  fs::create_directories(file / "inside");
  try {
    WriteHostFileAtomically(file, "new");
    ADD_FAILURE() << "written";
  } catch (const MachineError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(file.string() + ": cannot be replaced: ", 0), 0u) << error.what();
  }
  EXPECT_TRUE(fs::is_directory(file / "inside"));
  EXPECT_FALSE(fs::exists(TemporaryFileOf(file)));
}

void OnAlarm(int) {}

// A signal that interrupts a write before it moved any byte is no failure.
TEST(HostFile, WriteAllGoesOnAfterAnInterruptedWrite) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  // A full pipe makes the next write wait; the alarm interrupts the wait.
  ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
  char chunk[4096] = {};
  std::size_t queued = 0;
  for (ssize_t n; (n = ::write(ends[1], chunk, sizeof chunk)) > 0;) queued += static_cast<std::size_t>(n);
  ::fcntl(ends[1], F_SETFL, 0);

  struct sigaction action {}, previous {};
  action.sa_handler = OnAlarm;  // no SA_RESTART: the write returns EINTR
  ::sigaction(SIGALRM, &action, &previous);
  itimerval timer{{0, 20000}, {0, 20000}};
  ::setitimer(ITIMER_REAL, &timer, nullptr);

  std::string data(100000, 'd');
  std::size_t drained = 0;
  // The alarm is for the writing thread only: the reader starts with it held.
  sigset_t alarm;
  sigemptyset(&alarm);
  sigaddset(&alarm, SIGALRM);
  ::pthread_sigmask(SIG_BLOCK, &alarm, nullptr);
  std::thread reader([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    char buffer[8192];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) drained += static_cast<std::size_t>(n);
  });
  ::pthread_sigmask(SIG_UNBLOCK, &alarm, nullptr);
  bool written = WriteAllToHost(ends[1], data.data(), data.size());
  itimerval off{};
  ::setitimer(ITIMER_REAL, &off, nullptr);
  ::sigaction(SIGALRM, &previous, nullptr);
  ::close(ends[1]);
  reader.join();
  ::close(ends[0]);
  EXPECT_TRUE(written);
  EXPECT_EQ(drained, queued + data.size());
}

}  // namespace
}  // namespace platform
