// Enciphers 64 MiB in the program's file layout and prints the throughput
// beside OpenSSL's Blowfish-CBC on the same machine.
#include <chrono>
#include <cstdio>
#include <string>

#include "support/clsBlowfish.h"

namespace {
constexpr std::size_t kBytes = 64u << 20;

double OpenSslMegabytesPerSecond() {
  std::string command = "openssl speed -provider legacy -provider default -evp bf-cbc -bytes " +
                        std::to_string(16384) + " -seconds 3 2>/dev/null | tail -1";
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
  clsBlowfish cipher;
  clsBlowfish::ByteArray data(kBytes, 0x5A);
  auto start = std::chrono::steady_clock::now();
  cipher.EncryptByte(data, "qz_mnb482vlk[dusk]");
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  double ours = kBytes / seconds / (1 << 20);
  double openssl = OpenSslMegabytesPerSecond();
  std::printf("clsBlowfish file layout: 64 MiB in %.3f s = %.1f MiB/s\n", seconds, ours);
  if (openssl > 0)
    std::printf("openssl bf-cbc:          %.1f MiB/s (ratio %.2f)\n", openssl, ours / openssl);
  else
    std::printf("openssl bf-cbc:          not available\n");
  return 0;
}
