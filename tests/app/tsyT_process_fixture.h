#pragma once
// tsyT as real processes on a fixture machine folder: the machine, starting
// the program with its environment, waiting for it, and reading the machine
// afterwards.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/machine_builder.h"
#include "platform/open_machine.h"
#include "platform/registry/advapi32.h"
#include "platform/shell/tray.h"
#include "support/CRegister.h"
#include "support/temp_folder.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

using namespace std::chrono_literals;

const std::int32_t kHklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);

// Options ticking Windows items, the custom files of the hard-disk page
// ("*.tmp" under "C:\"), clean-all and close-after-cleaning.
const char* const kStoredOptions =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS]\n\"0\"=\"1\"\n\"2\"=\"1\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\HARDDISK]\n\"2\"=\"1\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\IE]\n\"0\"=\"1\"\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\n\"url1\"=\"http://example.test/\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS]\n\"CloseAfterClean\"=\"1\"\n\"CleanThis\"=\"1\"\n";

struct StoredValue {
  const char* key;
  const char* value;
  const char* data;
};
const StoredValue kStoredValues[] = {{"WINDOWS", "0", "1"},
                                     {"WINDOWS", "2", "1"},
                                     {"HARDDISK", "2", "1"},
                                     {"IE", "0", "1"},
                                     {"OPTIONS", "CloseAfterClean", "1"},
                                     {"OPTIONS", "CleanThis", "1"}};

class TsyTProcessTest : public ::testing::Test {
 protected:
  TsyTProcessTest() {
    tessaly::testing::TestMachine()
        .file("C:\\Temp\\trace.tmp", "left behind")
        .file("C:\\WINDOWS\\system32\\crash.dmp", "memory dump")
        .file("C:\\WINDOWS\\system32\\keep.dll", "a library")
        .file("C:\\Docs\\old.tmp", "left behind too")
        .file("C:\\Docs\\letter.txt", "keep me")
        .registry(kStoredOptions)
        .Build(folder());
  }

  std::filesystem::path folder() const { return temp_.path() / "machine"; }
  bool Exists(const std::string& windowsPath) const {
    return std::filesystem::exists(platform::HostPathForBuilder(folder(), windowsPath));
  }

  // Starts tsyT headless on the machine; standard output and error go to
  // the files named (else nowhere and to the test's own).
  pid_t Start(std::vector<std::string> args, const char* answers = nullptr, const char* output = nullptr,
              const char* errors = nullptr) const {
    pid_t pid = fork();
    if (pid == 0) {
      setenv("TESSALY_MACHINE", folder().c_str(), 1);
      setenv("TESSALY_HEADLESS", "1", 1);
      if (answers) setenv("TESSALY_ANSWERS", answers, 1);
      int devnull = output ? open(output, O_WRONLY | O_CREAT | O_TRUNC, 0600) : open("/dev/null", O_WRONLY);
      dup2(devnull, 1);
      if (errors) dup2(open(errors, O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      if (withoutFileRights_ && !DropFileRights()) _exit(126);
      if (traced_ && ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(kNotTraceable);
      std::vector<char*> argv{const_cast<char*>(TESSALY_TSYT_PATH)};
      for (auto& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      execv(TESSALY_TSYT_PATH, argv.data());
      _exit(127);
    }
    return pid;
  }

  // The exit code; 128 + the signal when a signal ended it; -1 when the
  // process did not end within `limit`.
  static int Wait(pid_t pid, std::chrono::milliseconds limit) {
    auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
      if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      std::this_thread::sleep_for(20ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }

  // Makes the programs started from now on obey file permissions as an
  // ordinary user does, also when the tests run as root; false when the
  // host does not allow it.
  bool StartWithoutFileRights() {
    // Proven the way the program will meet it: a started shell may not
    // write to a read-only file.
    std::filesystem::path probeFile = temp_.path() / "read-only probe";
    WriteHostFile(probeFile, "");
    std::filesystem::permissions(probeFile, std::filesystem::perms::owner_read);
    std::string command = "exec 2>/dev/null; : > '" + probeFile.string() + "'";
    pid_t probe = fork();
    if (probe == 0) {
      if (!DropFileRights()) _exit(0);
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(0);
    }
    int status = 0;
    waitpid(probe, &status, 0);
    withoutFileRights_ = WIFEXITED(status) && WEXITSTATUS(status) != 0;
    return withoutFileRights_;
  }

  // The text of a file the program wrote (its output, its errors).
  static std::string TextOf(const std::filesystem::path& file) { return ReadHostFile(file); }

  // Whether some process holds the machine's instance lock. Read from the
  // kernel's list of locks: a probe that took the lock itself, even for an
  // instant, could make a program starting then believe another instance
  // runs, and end.
  bool InstanceLockHeld() const {
    struct stat lock {};
    if (stat((folder() / "instance.lock").c_str(), &lock) != 0) return false;
    char file[64];
    std::snprintf(file, sizeof file, "%02x:%02x:%lu", major(lock.st_dev), minor(lock.st_dev),
                  static_cast<unsigned long>(lock.st_ino));
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
      // "1: FLOCK  ADVISORY  WRITE 4242 08:01:1234567 0 EOF"
      std::istringstream fields(line);
      std::string id, kind, mode, access, pid, device;
      if ((fields >> id >> kind >> mode >> access >> pid >> device) && kind == "FLOCK" && device == file) return true;
    }
    return false;
  }

  // Reads the machine after the program ended.
  std::string Stored(const std::string& key, const std::string& value) const {
    auto machine = platform::OpenMachine(folder());
    platform::MachineBinding binding(*machine);
    return CRegister().REGGetSetting(kHklm, "SOFTWARE\\TESSALY\\SETTINGS\\" + key, value, "<missing>");
  }
  bool UserKeyExists(const char* path) const {
    auto machine = platform::OpenMachine(folder());
    platform::MachineBinding binding(*machine);
    HKEY key = 0;
    bool exists = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists) RegCloseKey(key);
    return exists;
  }
  bool UserValueExists(const char* path, const char* value) const {
    auto machine = platform::OpenMachine(folder());
    platform::MachineBinding binding(*machine);
    HKEY key = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    bool exists = RegQueryValueExA(key, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return exists;
  }
  // Writes string values on the machine before the program starts.
  void Store(HKEY root, const std::string& key, const std::string& value, const std::string& data) const {
    auto machine = platform::OpenMachine(folder());
    platform::MachineBinding binding(*machine);
    CRegister().REGSaveSetting(static_cast<std::int32_t>(root), key, value, data);
  }
  std::size_t TrayIconCount() const {
    auto machine = platform::OpenMachine(folder());
    platform::MachineBinding binding(*machine);
    return platform::shell::TrayIcons().size();
  }

  // The programs started from now on stop for the test (as ptrace's
  // tracee) at their first instruction; they exit with kNotTraceable when
  // the host will not let them be traced.
  void TraceStartedPrograms() { traced_ = true; }
  static constexpr int kNotTraceable = 125;

  tessaly::testing::TempFolder temp_;

 private:
  // Root passes permission checks through two capabilities; taken out of
  // the bounding set they stay out across exec.
  static bool DropFileRights() {
    if (geteuid() != 0) return true;
    return prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) == 0 &&
           prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0) == 0;
  }
  bool withoutFileRights_ = false;
  bool traced_ = false;
};

}  // namespace tessaly::testing
