// Deletion on the paths users clean, each beside `rm -rf` of an identical
// copy written in the same run (files in the page cache):
//   temp     DeleteFolder "*.*" of a tree under the user's Temp folder, as
//            the Temp cleaner reaches it (through its 8.3 aliases);
//   tree     the same tree at C:\Tree;
//   schedule a whole `tsyT /SCHEDULER` run with only "Temp Folder" ticked
//            over a flat Temp folder of 2,000 and of 20,000 files, less
//            the same run over an empty Temp folder made just before it.
// Each prints wall and CPU ratios to `rm -rf` (medians of paired runs) and,
// when strace is present, the system calls per file.
//
//   delete_paths_bench [files-per-tree]      all layouts
//   delete_paths_bench --one LAYOUT N        one deletion, no timing (for strace)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cleaning/Delete.h"
#include "install/installation.h"
#include "install/program_folder.h"
#include "install/program_modules.h"
#include "mainwindow/Form1.h"
#include "platform/files/kernel32_files.h"
#include "platform/machine_builder.h"
#include "platform/open_machine.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFilesPerFolder = 1000;
constexpr int kRepeats = 3;
constexpr int kScheduledRepeats = 5;
// Only "Temp Folder" (Windows item 2) ticked; the run closes when done.
const char* const kTempOnly =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS]\n\"2\"=\"1\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS]\n\"CloseAfterClean\"=\"1\"\n\"CleanThis\"=\"1\"\n";

struct Cost {
  double wall = 0, cpu = 0;
};

double CpuSeconds(const rusage& usage) {
  auto s = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return s(usage.ru_utime) + s(usage.ru_stime);
}

// Wall and CPU time (this process and the children it waited for) of `action`.
Cost Measure(const std::function<void()>& action) {
  rusage self0{}, child0{}, self1{}, child1{};
  getrusage(RUSAGE_SELF, &self0);
  getrusage(RUSAGE_CHILDREN, &child0);
  auto start = std::chrono::steady_clock::now();
  action();
  Cost cost;
  cost.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  getrusage(RUSAGE_SELF, &self1);
  getrusage(RUSAGE_CHILDREN, &child1);
  cost.cpu = CpuSeconds(self1) - CpuSeconds(self0) + CpuSeconds(child1) - CpuSeconds(child0);
  return cost;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// `files` small files, in folders of a thousand (flat: all in `root`).
void MakeFiles(const fs::path& root, int files, bool flat) {
  fs::create_directories(root);
  for (int i = 0; i < files; ++i) {
    fs::path folder = flat ? root : root / ("dir" + std::to_string(i / kFilesPerFolder));
    if (!flat && i % kFilesPerFolder == 0) fs::create_directories(folder);
    std::ofstream(folder / ("file" + std::to_string(i) + ".tmp")) << "small file " << i;
  }
}

int Run(const std::string& command) { return std::system(command.c_str()); }

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

std::string TempFolder() {
  char buffer[512] = {};
  DWORD length = GetTempPathA(sizeof buffer, buffer);
  return std::string(buffer, length ? length - 1 : 0);
}

// System calls per file of `command` (strace -f -c), or -1 without strace.
double SyscallsPerFile(const std::string& command, int files, const fs::path& scratch) {
  if (Run("command -v strace >/dev/null 2>&1") != 0) return -1;
  fs::path out = scratch / "strace.txt";
  Run("strace -f -c -o " + Quoted(out) + " " + command + " >/dev/null 2>&1");
  std::ifstream in(out);
  std::string line, last;
  while (std::getline(in, line))
    if (line.find("total") != std::string::npos) last = line;
  // "100.00    0.123456      1     12345      67 total": the fourth column.
  double pct = 0, seconds = 0, calls = 0;
  char rest[64];
  if (std::sscanf(last.c_str(), "%lf %lf %63s %lf", &pct, &seconds, rest, &calls) < 4) return -1;
  return calls / files;
}

void Report(const char* layout, int files, const std::vector<Cost>& ours, const std::vector<Cost>& rm,
            double syscalls, double rmSyscalls) {
  std::vector<double> wall, cpu, rmWall, rmCpu;
  for (const auto& c : ours) wall.push_back(c.wall), cpu.push_back(c.cpu);
  for (const auto& c : rm) rmWall.push_back(c.wall), rmCpu.push_back(c.cpu);
  double w = Median(wall), c = Median(cpu), rw = Median(rmWall), rc = Median(rmCpu);
  std::printf("%-9s %6d files: ours %.3f s wall %.3f s CPU (%.1f us/file); rm -rf %.3f s wall %.3f s CPU; "
              "ratio wall %.2f CPU %.2f; syscalls/file %.1f (rm %.1f)\n",
              layout, files, w, c, 1e6 * c / files, rw, rc, w / rw, c / rc, syscalls, rmSyscalls);
  std::fflush(stdout);
}

// In-process: DeleteFolder of a tree at `windowsFolder` on the bound machine.
Cost DeleteTree(const fs::path& machineFolder, const std::string& windowsFolder, int files) {
  fs::path tree = platform::HostPathForBuilder(machineFolder, windowsFolder);
  MakeFiles(tree, files, false);
  std::string path = windowsFolder;
  Cost cost = Measure([&] { Delete().DeleteFolder(path, "*.*"); });
  Form1().txtResult.Text("");
  return cost;
}

Cost RemoveCopy(const fs::path& copy, int files, bool flat) {
  MakeFiles(copy, files, flat);
  return Measure([&] { Run("rm -rf " + Quoted(copy)); });
}

int Scheduled(const fs::path& machineFolder) {
  pid_t pid = fork();
  if (pid == 0) {
    setenv("TESSALY_MACHINE", machineFolder.c_str(), 1);
    setenv("TESSALY_HEADLESS", "1", 1);
    if (!freopen("/dev/null", "w", stdout)) _exit(126);
    execl(TESSALY_TSYT_PATH, TESSALY_TSYT_PATH, "/SCHEDULER", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// The folder each in-process layout deletes, on the bound machine.
std::string LayoutFolder(const std::string& layout) {
  return layout == "temp" ? TempFolder() + "\\Tree" : "C:\\Tree";
}

}  // namespace

int main(int argc, char** argv) {
  install::RegisterProgramModules();
  if (argc == 5 && std::string(argv[1]) == "--one") {
    // One DeleteFolder of the tree already written, for strace.
    fs::path machineFolder = argv[2];
    auto machine = platform::OpenMachine(machineFolder, install::ProgramImage());
    platform::MachineBinding binding(*machine);
    Form1();
    std::string folder = LayoutFolder(argv[3]);
    if (std::atoi(argv[4]) > 0) Delete().DeleteFolder(folder, "*.*");
    return 0;
  }

  bench::ScratchFolder scratch("tsy-paths-bench");
  fs::path machineFolder = scratch.path_ / "machine";
  platform::MachineBuilder builder(platform::OsKind::WinXP);
  builder.systemDriveCapacity(4ull << 30).registry(kTempOnly);
  install::InstallProgram(builder).Build(machineFolder);
  int treeFiles = argc > 1 ? std::atoi(argv[1]) : 20000;
  std::string self = Quoted(fs::canonical("/proc/self/exe"));
  fs::path copy = scratch.path_ / "copy";
  std::string temp;
  {
    auto machine = platform::OpenMachine(machineFolder, install::ProgramImage());
    platform::MachineBinding binding(*machine);
    temp = TempFolder();
  }
  std::printf("Temp folder: %s\n", temp.c_str());

  // System calls per file of rm -rf on a tree of `files`.
  auto rmCalls = [&](int files, bool flat) {
    MakeFiles(copy, files, flat);
    double calls = SyscallsPerFile("rm -rf " + Quoted(copy), files, scratch.path_);
    fs::remove_all(copy);
    return calls;
  };

  for (const std::string layout : {"temp", "tree"}) {
    std::vector<Cost> ours, rm;
    {
      auto machine = platform::OpenMachine(machineFolder, install::ProgramImage());
      platform::MachineBinding binding(*machine);
      Form1();
      std::string folder = LayoutFolder(layout);
      for (int i = 0; i < kRepeats; ++i) {
        sync();
        rm.push_back(RemoveCopy(copy, treeFiles, false));
        sync();
        ours.push_back(DeleteTree(machineFolder, folder, treeFiles));
      }
    }  // the machine is saved before the strace runs open it
    double calls = -1;
    {
      std::string folder;
      {
        auto machine = platform::OpenMachine(machineFolder, install::ProgramImage());
        platform::MachineBinding binding(*machine);
        folder = LayoutFolder(layout);
      }
      std::string run = self + " --one " + Quoted(machineFolder) + " " + layout + " ";
      MakeFiles(platform::HostPathForBuilder(machineFolder, folder), treeFiles, false);
      double all = SyscallsPerFile(run + std::to_string(treeFiles), treeFiles, scratch.path_);
      double none = SyscallsPerFile(run + "0", treeFiles, scratch.path_);
      if (all >= 0 && none >= 0) calls = all - none;
    }
    Report(layout.c_str(), treeFiles, ours, rm, calls, rmCalls(treeFiles, false));
  }

  // A whole scheduled run over a flat Temp folder.
  fs::path tempHost = platform::HostPathForBuilder(machineFolder, temp);
  std::string env = "env TESSALY_MACHINE=" + Quoted(machineFolder) + " TESSALY_HEADLESS=1 " +
                    Quoted(TESSALY_TSYT_PATH) + " /SCHEDULER";
  double emptyCalls = SyscallsPerFile(env, 1, scratch.path_);
  std::fflush(stdout);  // before the next fork, or the child writes it again
  for (int files : {2000, 20000}) {
    // Each run over the files is paired with a run over none just before
    // it, and the pair's difference counts: the fixed part (start-up, timed
    // pauses, shut-down) is much larger than 2,000 files' share.
    std::vector<Cost> ours, rm, empty;
    for (int i = 0; i < kScheduledRepeats; ++i) {
      // Both sides delete files just written (dirty in the page cache):
      // a sync between writing and deleting would charge one side the disk.
      sync();
      rm.push_back(RemoveCopy(copy, files, true));
      sync();
      Cost none = Measure([&] { Scheduled(machineFolder); });
      MakeFiles(tempHost, files, true);
      Cost all = Measure([&] {
        if (Scheduled(machineFolder) != 0) std::printf("scheduled run failed\n");
      });
      ours.push_back({all.wall - none.wall, all.cpu - none.cpu});
      empty.push_back(none);
      if (fs::exists(tempHost) && !fs::is_empty(tempHost)) std::printf("Temp folder not emptied\n");
    }
    std::vector<double> wall, cpu;
    for (const auto& c : empty) wall.push_back(c.wall), cpu.push_back(c.cpu);
    std::printf("schedule with no files: %.3f s wall %.3f s CPU (taken off below, run by run)\n", Median(wall),
                Median(cpu));
    double calls = -1;
    if (emptyCalls >= 0) {
      MakeFiles(tempHost, files, true);
      calls = SyscallsPerFile(env, files, scratch.path_) - emptyCalls / files;
    }
    Report("schedule", files, ours, rm, calls, rmCalls(files, true));
    std::fflush(stdout);
  }
  return 0;
}
