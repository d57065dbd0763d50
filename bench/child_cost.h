#pragma once
// What the list benchmarks share: the program's work runs in a child
// process of its own (this benchmark started again with --child), on a
// fresh copy of a machine built for that size, and the child's whole CPU
// time (user + system) is its cost. Each run over N items is paired with a
// run over none just before it; the pair's difference, over N, is the cost
// of an item, and the median over the pairs is reported.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "install/installation.h"
#include "install/program_folder.h"
#include "install/program_modules.h"
#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "mainwindow/run/tools_link.h"
#include "platform/machine_builder.h"
#include "platform/open_machine.h"
#include "scratch_folder.h"

namespace bench {

namespace fs = std::filesystem;

inline double Seconds(const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; }
inline double CpuOf(const rusage& usage) { return Seconds(usage.ru_utime) + Seconds(usage.ru_stime); }

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// CPU seconds of one child process running `argv` (the first is the program).
inline double ChildCpu(const std::vector<std::string>& argv) {
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    if (!freopen("/dev/null", "w", stdout)) _exit(126);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::printf("  (a run failed: status %d)\n", status);
  return CpuOf(usage);
}

inline std::string Self() { return fs::canonical("/proc/self/exe").string(); }

// A copy of `from` at `to`, replacing what was there.
inline void CopyMachine(const fs::path& from, const fs::path& to) {
  fs::remove_all(to);
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

// Builds an XP machine with the program installed and `registry` merged
// (REGEDIT4 text), then lets `files` lay down whatever else the row needs.
inline void BuildMachine(const fs::path& folder, const std::string& registry,
                         const std::function<void(const fs::path&)>& files) {
  platform::MachineBuilder builder(platform::OsKind::WinXP);
  builder.systemDriveCapacity(4ull << 30).registry(registry);
  install::InstallProgram(builder).Build(folder);
  if (files) files(folder);
}

struct Size {
  int items;
  double perItem;  // CPU seconds
};

// Per-item CPU of a child run over machines built by `build(folder, n)`:
// kRepeats pairs of (none, n) runs, each on a fresh copy.
inline Size MeasureItems(const fs::path& scratch, const std::string& row, int items,
                         const std::function<void(const fs::path&, int)>& build, int repeats = 5) {
  fs::path empty = scratch / ("empty-" + row), full = scratch / ("full-" + row), work = scratch / "work";
  if (!fs::exists(empty)) build(empty, 0);
  fs::remove_all(full);
  build(full, items);
  std::vector<double> perItem;
  for (int i = 0; i < repeats; ++i) {
    CopyMachine(empty, work);
    double none = ChildCpu({Self(), "--child", row, "0", work.string()});
    CopyMachine(full, work);
    double all = ChildCpu({Self(), "--child", row, std::to_string(items), work.string()});
    perItem.push_back((all - none) / items);
  }
  fs::remove_all(work);
  fs::remove_all(full);
  return {items, Median(perItem)};
}

inline void Report(const std::string& what, const Size& small, const Size& large, const char* unit) {
  std::printf("%-28s %7d %s: %8.2f us each; %7d: %8.2f us each; per item large / small: %.2f\n", what.c_str(),
              small.items, unit, 1e6 * small.perItem, large.items, 1e6 * large.perItem,
              large.perItem / small.perItem);
  std::fflush(stdout);
}

// The child: opens the machine as the program does, connects the engine
// and the tools, loads the main window (its start-up fills the lists),
// then runs `work` with the item count.
inline int ChildMain(const fs::path& machineFolder, int items, const std::function<void(int)>& work) {
  install::RegisterProgramModules();
  auto machine = platform::OpenMachine(machineFolder, install::ProgramImage());
  platform::MachineBinding binding(*machine);
  ConnectCleaningEngine();
  ConnectSystemTools();
  Form1();
  if (work) work(items);
  return 0;
}

// REGEDIT4 text of a Windows path or data.
inline std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

}  // namespace bench
