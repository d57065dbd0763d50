// tsyT on a virtual display: it opens its main window and its tray icon
// without a Qt complaint, stays up, and ends cleanly on a termination signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/machine_builder.h"
#include "platform/open_machine.h"
#include "platform/shell/tray.h"
#include "support/temp_folder.h"
#include "support/temp_machine.h"

namespace {

using namespace std::chrono_literals;

bool Installed(const char* program) {
  std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lines a healthy start writes; anything else (Qt's warnings, a sanitizer's
// report, xvfb-run's own errors) is a fault.
bool ExpectedLine(const std::string& line) {
  return line.empty() || line.starts_with("Opened machine ") || line.starts_with("Created machine ");
}

class TsyTDisplayTest : public ::testing::Test {
 protected:
  TsyTDisplayTest() { tessaly::testing::TestMachine().Build(machine()); }

  std::filesystem::path machine() const { return temp_.path() / "machine"; }
  std::filesystem::path log() const { return temp_.path() / "tsyT.log"; }
  std::filesystem::path pidFile() const { return temp_.path() / "tsyT.pid"; }

  // xvfb-run starts a shell that records its process id and becomes tsyT.
  pid_t StartUnderXvfb() const {
    std::filesystem::path runtime = temp_.path() / "runtime";
    std::filesystem::create_directories(runtime);
    chmod(runtime.c_str(), 0700);
    pid_t pid = fork();
    if (pid == 0) {
      setenv("TESSALY_MACHINE", machine().c_str(), 1);
      setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
      setenv("HOME", temp_.path().c_str(), 1);
      unsetenv("TESSALY_HEADLESS");
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("LSAN_OPTIONS", "print_suppressions=0", 1);  // the program's own excuses, not faults
      std::string script = "echo $$ > '" + pidFile().string() + "'; exec '" TESSALY_TSYT_PATH "'";
      FILE* out = std::freopen(log().c_str(), "w", stdout);
      if (!out || dup2(fileno(stdout), 2) < 0) _exit(126);
      execlp("xvfb-run", "xvfb-run", "-a", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid;
  }

  pid_t ProgramPid() const {
    std::ifstream in(pidFile());
    pid_t pid = 0;
    in >> pid;
    return pid;
  }

  std::size_t TrayIconCount() const {
    auto opened = platform::OpenMachine(machine());
    platform::MachineBinding binding(*opened);
    return platform::shell::TrayIcons().size();
  }

  static int Wait(pid_t pid, std::chrono::milliseconds limit) {
    auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
      if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
      std::this_thread::sleep_for(50ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }

  tessaly::testing::TempFolder temp_;
};

TEST_F(TsyTDisplayTest, OpensItsWindowAndTrayIconAndClosesCleanlyOnSigterm) {
  // The set-up installs xvfb: without it this test must fail, not pass unseen.
  ASSERT_TRUE(Installed("xvfb-run")) << "xvfb-run is not installed (Debian package xvfb)";
  pid_t runner = StartUnderXvfb();
  // Up: the main window loaded and added its tray icon.
  auto until = std::chrono::steady_clock::now() + 60s;
  while ((ProgramPid() == 0 || TrayIconCount() == 0) && std::chrono::steady_clock::now() < until &&
         waitpid(runner, nullptr, WNOHANG) == 0)
    std::this_thread::sleep_for(100ms);
  ASSERT_NE(ProgramPid(), 0) << ReadText(log());
  ASSERT_EQ(TrayIconCount(), 1u) << ReadText(log());
  std::this_thread::sleep_for(1500ms);  // drawn, splash shown and gone
  ASSERT_EQ(kill(ProgramPid(), 0), 0) << "tsyT ended by itself:\n" << ReadText(log());
  EXPECT_EQ(waitpid(runner, nullptr, WNOHANG), 0);

  ASSERT_EQ(kill(ProgramPid(), SIGTERM), 0);
  EXPECT_EQ(Wait(runner, 30s), 0) << ReadText(log());
  EXPECT_EQ(TrayIconCount(), 0u);  // the orderly shut-down removed it

  std::istringstream lines(ReadText(log()));
  bool opened = false;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(ExpectedLine(line)) << line;
    opened = opened || line.starts_with("Opened machine ");
  }
  EXPECT_TRUE(opened);
}

}  // namespace
