// DeleteFolder "*.*" on 100,000 small files beside `rm -rf` on a copy of the
// same tree, and 3-pass shredding of a 256 MiB file (xShredFile and
// xShredDrive) beside `shred -n 3` on a file of the same size.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include "cleaning/Delete.h"
#include "install/installation.h"
#include "install/program_folder.h"
#include "install/program_modules.h"
#include "mainwindow/Form1.h"
#include "platform/machine_builder.h"
#include "platform/open_machine.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

int kFiles = 100000;
constexpr int kFilesPerFolder = 1000;
constexpr std::uint64_t kShredBytes = 256ull << 20;

double CpuSeconds(const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; }

// Wall time of `action`; prints the process's own user and system time in it.
double Seconds(const std::function<void()>& action) {
  rusage before{}, after{}, childrenBefore{}, childrenAfter{};
  getrusage(RUSAGE_SELF, &before);
  getrusage(RUSAGE_CHILDREN, &childrenBefore);
  auto start = std::chrono::steady_clock::now();
  action();
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  getrusage(RUSAGE_SELF, &after);
  getrusage(RUSAGE_CHILDREN, &childrenAfter);
  auto spent = [](const timeval& from, const timeval& to) { return CpuSeconds(to) - CpuSeconds(from); };
  std::printf("  (user %.2f s, system %.2f s)\n",
              spent(before.ru_utime, after.ru_utime) + spent(childrenBefore.ru_utime, childrenAfter.ru_utime),
              spent(before.ru_stime, after.ru_stime) + spent(childrenBefore.ru_stime, childrenAfter.ru_stime));
  return wall;
}

void MakeTree(const fs::path& root) {
  for (int i = 0; i < kFiles; ++i) {
    fs::path folder = root / ("dir" + std::to_string(i / kFilesPerFolder));
    if (i % kFilesPerFolder == 0) fs::create_directories(folder);
    std::ofstream(folder / ("file" + std::to_string(i) + ".tmp")) << "small file " << i;
  }
}

void MakeFile(const fs::path& file) {
  std::ofstream out(file, std::ios::binary);
  std::string block(1 << 20, 'D');
  for (std::uint64_t done = 0; done < kShredBytes; done += block.size()) out << block;
}

int Run(const std::string& command) { return std::system(command.c_str()); }

}  // namespace

int main(int argc, char** argv) {
  install::RegisterProgramModules();
  // A file count given: that many files, deletion only (for profiling).
  if (argc > 1) kFiles = std::atoi(argv[1]);
  bench::ScratchFolder temp("tsy-bench");
  fs::path machineFolder = temp.path() / "machine";
  platform::MachineBuilder builder(platform::OsKind::WinXP);
  builder.systemDriveCapacity(4ull << 30);
  install::InstallProgram(builder).Build(machineFolder);
  auto machine = platform::OpenMachine(machineFolder, install::ProgramImage());
  platform::MachineBinding binding(*machine);
  Form1();  // loads the main window, as the program's start-up does

  // --- folder deletion ---
  // Once on trees just written (still in the page cache, so the cost is the
  // processor's) and once on trees flushed to the disk first, as the files a
  // cleaner deletes usually are. Each side gets a tree of its own written
  // after a sync, so neither inherits the other's write-back or journal.
  fs::path tree = platform::HostPathForBuilder(machineFolder, "C:\\Tree");
  fs::path copy = temp.path() / "copy";
  auto prepare = [](const fs::path& root, bool flushed) {
    sync();
    MakeTree(root);
    if (flushed) sync();
  };
  std::int32_t bytes = 0;
  for (bool flushed : {false, true}) {
    prepare(copy, flushed);
    double rm = Seconds([&] { Run("rm -rf '" + copy.string() + "'"); });
    prepare(tree, flushed);
    std::string path = "C:\\Tree";
    bytes = 0;
    double ours = Seconds([&] { bytes = Delete().DeleteFolder(path, "*.*"); });
    std::printf("%s: DeleteFolder *.* %d files, %d bytes in %.2f s (log %zu bytes); rm -rf %.2f s; ratio %.2f\n",
                flushed ? "on disk " : "in cache", kFiles, bytes, ours, Form1().txtResult.Text().size(), rm,
                ours / rm);
    Form1().txtResult.Text("");
  }

  if (argc > 1) return 0;

  // --- shredding ---
  fs::path big = platform::HostPathForBuilder(machineFolder, "C:\\big.bin");
  fs::path outside = temp.path() / "big.bin";
  for (bool longBlocks : {false, true}) {
    MakeFile(big);
    double shredOurs = Seconds([&] {
      bytes = longBlocks ? Delete().xShredDrive("C:\\big.bin") : Delete().xShredFile("C:\\big.bin");
    });
    std::printf("%s 3 passes, 256 MiB: %.2f s = %.1f MiB/s (result %d)\n",
                longBlocks ? "xShredDrive" : "xShredFile ", shredOurs, 3 * 256 / shredOurs, bytes);
  }
  MakeFile(outside);
  double shredGnu = Seconds([&] { Run("shred -n 3 '" + outside.string() + "'"); });
  std::printf("shred -n 3, 256 MiB:  %.2f s = %.1f MiB/s\n", shredGnu, 3 * 256 / shredGnu);
  return 0;
}
