// Enciphers 64 MiB in the program's file layout and prints the throughput
// beside OpenSSL's Blowfish-CBC on the same machine. Both are timed on the
// process's user CPU time, as `openssl speed` divides by by default, and
// each figure is the best of TSY_BENCH_REPEAT rounds (default 3), taken in
// turn, so that a loaded host slows neither side more than the other.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/clsBlowfish.h"

namespace {
constexpr std::size_t kBytes = 64u << 20;

double UserSeconds() {
  rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec) + static_cast<double>(usage.ru_utime.tv_usec) / 1e6;
}

double OpenSslMegabytesPerSecond() {
  std::string command = "openssl speed -provider legacy -provider default -evp bf-cbc -bytes " +
                        std::to_string(16384) + " -seconds 2 2>/dev/null | tail -1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return 0;
  char line[512] = {};
  std::string last;
  while (fgets(line, sizeof line, pipe)) last = line;
  pclose(pipe);
  // The last line ends with the throughput in thousands of bytes per second.
  auto pos = last.find_last_of(' ', last.find_last_not_of(" \nk"));
  if (pos == std::string::npos) return 0;
  return std::stod(last.substr(pos + 1)) * 1000.0 / (1 << 20);
}
}  // namespace

int main() {
  const char* repeatText = std::getenv("TSY_BENCH_REPEAT");
  int repeat = repeatText ? std::max(1, std::atoi(repeatText)) : 3;
  clsBlowfish cipher;
  double best = 0, bestOpenSsl = 0;
  for (int round = 0; round < repeat; ++round) {
    clsBlowfish::ByteArray data(kBytes, 0x5A);
    auto start = std::chrono::steady_clock::now();
    double cpuStart = UserSeconds();
    cipher.EncryptByte(data, "qz_mnb482vlk[dusk]");
    double seconds = UserSeconds() - cpuStart;
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    double ours = kBytes / seconds / (1 << 20);
    double openssl = OpenSslMegabytesPerSecond();
    std::printf("round %d: clsBlowfish 64 MiB in %.3f s of CPU (%.3f s wall) = %.1f MiB/s; openssl %.1f MiB/s\n",
                round + 1, seconds, wall, ours, openssl);
    best = std::max(best, ours);
    bestOpenSsl = std::max(bestOpenSsl, openssl);
  }
  std::printf("clsBlowfish file layout: %.1f MiB/s (best of %d)\n", best, repeat);
  if (bestOpenSsl > 0)
    std::printf("openssl bf-cbc:          %.1f MiB/s (best of %d; ratio %.2f)\n", bestOpenSsl, repeat,
                best / bestOpenSsl);
  else
    std::printf("openssl bf-cbc:          not available\n");
  return 0;
}
