// Walks a tree of 100,000 files through FindFirstFileA/FindNextFileA and
// times `find` on the same host tree. Target: the walk within 1.5x of
// `find -printf '%s %T@'`, which stats every entry as a listing with sizes
// and times must. Both are timed on CPU time (user and system; find's as
// that of the finished children), so that a loaded host slows neither
// figure; wall times are printed beside.
#include <fcntl.h>
#include <sys/resource.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/file_system.h"
#include "platform/files/kernel32_files.h"
#include "platform/machine/machine.h"

namespace {

constexpr int kTop = 100, kSub = 10, kFiles = 100;  // 100,000 files

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double CpuSeconds(int who) {
  rusage usage {};
  getrusage(who, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Half the names are their own 8.3 name, half get an alias.
void BuildTree(const std::filesystem::path& root) {
  for (int t = 0; t < kTop; ++t) {
    for (int s = 0; s < kSub; ++s) {
      std::filesystem::path folder = root / (std::string("Folder ") += std::to_string(t)) / (std::string("SUB") += std::to_string(s));
      std::filesystem::create_directories(folder);
      for (int f = 0; f < kFiles; ++f) {
        std::string name = f % 2 ? "F" : "Long File Name ";
        name += std::to_string(f);
        name += f % 2 ? ".TXT" : ".text";
        int fd = ::open((folder / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
          if (::write(fd, "x", 1) != 1) std::perror("write");
          ::close(fd);
        }
      }
    }
  }
}

long Walk(const std::string& folder) {
  long count = 0;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    ++count;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) count += Walk(folder + "\\" + name);
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return count;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/tsy-bench-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  std::filesystem::path temp = pattern;
  std::filesystem::path machineFolder = temp / "machine";
  platform::MachineDescription description;
  description.drives.push_back({'C', platform::DriveType::Fixed, "NTFS", "SYSTEM", 4ull << 30, 4096, true, false, 1, ""});
  std::filesystem::create_directories(machineFolder / "drives" / "C");
  std::ofstream(machineFolder / "machine.ini") << platform::FormatMachineDescription(description);
  std::filesystem::path drive = machineFolder / "drives" / "C";

  auto start = std::chrono::steady_clock::now();
  BuildTree(drive / "Tree");
  std::printf("built %d files in %.2f s\n", kTop * kSub * kFiles, Seconds(start));

  auto machine = platform::Machine::Open(machineFolder);
  platform::MachineBinding binding(*machine);
  platform::files::LoadFileSystem(*machine);

  // The first walk meets every folder and assigns the 8.3 aliases.
  start = std::chrono::steady_clock::now();
  double cpu = CpuSeconds(RUSAGE_SELF);
  long first = Walk("C:\\Tree");
  double firstTime = CpuSeconds(RUSAGE_SELF) - cpu, firstWall = Seconds(start);
  // Further walks (TSY_BENCH_REPEAT, default 1) give a steadier figure.
  const char* repeatText = std::getenv("TSY_BENCH_REPEAT");
  int repeat = repeatText ? std::max(1, std::atoi(repeatText)) : 1;
  long second = 0;
  start = std::chrono::steady_clock::now();
  cpu = CpuSeconds(RUSAGE_SELF);
  for (int i = 0; i < repeat; ++i) second = Walk("C:\\Tree");
  double walkTime = (CpuSeconds(RUSAGE_SELF) - cpu) / repeat, walkWall = Seconds(start) / repeat;

  // find's figure is the best of `repeat` runs (its first may meet a cold cache).
  auto timeFind = [&](const std::string& options, long& lines, double& wall) {
    double best = 0;
    for (int i = 0; i < repeat; ++i) {
      auto begin = std::chrono::steady_clock::now();
      double children = CpuSeconds(RUSAGE_CHILDREN);
      std::string command = "find '" + drive.string() + "/Tree'" + options + " | wc -l";
      lines = -1;
      if (FILE* pipe = ::popen(command.c_str(), "r")) {
        if (std::fscanf(pipe, "%ld", &lines) != 1) lines = -1;
        ::pclose(pipe);
      }
      double spent = CpuSeconds(RUSAGE_CHILDREN) - children;
      if (i == 0 || spent < best) best = spent, wall = Seconds(begin);
    }
    return best;
  };
  long found = 0, foundWithStat = 0;
  double findWall = 0, findStatWall = 0;
  double findTime = timeFind("", found, findWall);
  double findStatTime = timeFind(" -printf '%s %T@\\n'", foundWithStat, findStatWall);

  std::printf("CPU seconds (wall in brackets)\n");
  std::printf("FindFirstFileA walk, first (assigns aliases): %ld entries in %.3f s (%.3f s)\n", first, firstTime,
              firstWall);
  std::printf("FindFirstFileA walk, again:                   %ld entries in %.3f s (%.3f s)\n", second, walkTime,
              walkWall);
  std::printf("find | wc -l:                                 %ld lines in %.3f s (%.3f s)\n", found, findTime,
              findWall);
  std::printf("find -printf size and time | wc -l:          %ld lines in %.3f s (%.3f s)\n", foundWithStat,
              findStatTime, findStatWall);
  std::printf("ratio walk / find: %.2f (first walk %.2f); walk / find with stat: %.2f (first walk %.2f)\n",
              walkTime / findTime, firstTime / findTime, walkTime / findStatTime, firstTime / findStatTime);

  start = std::chrono::steady_clock::now();
  machine->Flush();
  std::printf("metadata flush: %.3f s\n", Seconds(start));
  machine.reset();
  std::filesystem::remove_all(temp);
  return 0;
}
