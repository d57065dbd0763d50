// Times saving and loading a hive of 1,000,000 values (10,000 keys of 100
// values of mixed types) in a temporary machine folder.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "platform/machine/machine.h"
#include "platform/registry/advapi32.h"
#include "platform/registry/registry_store.h"

namespace {

constexpr int kKeys = 10000;
constexpr int kValuesPerKey = 100;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Fill(HKEY key, int keyIndex) {
  char name[32];
  for (int v = 0; v < kValuesPerKey; ++v) {
    std::snprintf(name, sizeof name, "Value%03d", v);
    DWORD number = static_cast<DWORD>(keyIndex * kValuesPerKey + v);
    switch (v % 4) {
      case 0: {
        std::string text = "C:\\Program Files\\Vendor " + std::to_string(number) + "\\app.exe";
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        break;
      }
      case 1:
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
        break;
      case 2: {
        BYTE bytes[16];
        for (int i = 0; i < 16; ++i) bytes[i] = static_cast<BYTE>(number >> (i % 4 * 8));
        RegSetValueExA(key, name, 0, REG_BINARY, bytes, sizeof bytes);
        break;
      }
      default: {
        static const char multi[] = "first\0second\0%SystemRoot%\0";
        RegSetValueExA(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi);
        break;
      }
    }
  }
}

}  // namespace

int main() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tsy-hive-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 1;
  std::filesystem::path folder = pattern;
  {
    std::FILE* ini = std::fopen((folder / "machine.ini").c_str(), "wb");
    std::string text = platform::FormatMachineDescription(platform::MachineDescription{});
    std::fwrite(text.data(), 1, text.size(), ini);
    std::fclose(ini);
  }

  int status = 0;
  try {
    auto machine = platform::Machine::Open(folder);
    platform::MachineBinding binding(*machine);
    auto start = std::chrono::steady_clock::now();
    char path[64];
    for (int k = 0; k < kKeys; ++k) {
      std::snprintf(path, sizeof path, "SOFTWARE\\Bench\\Group%02d\\Key%05d", k % 50, k);
      HKEY key = 0;
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
      Fill(key, k);
      RegCloseKey(key);
    }
    std::printf("build %d values in memory: %.3f s\n", kKeys * kValuesPerKey, SecondsSince(start));

    start = std::chrono::steady_clock::now();
    machine->area<platform::registry::RegistryStore>().Flush();
    double save = SecondsSince(start);
    auto size = std::filesystem::file_size(folder / "registry" / "HKLM.reg");
    std::printf("save: %.3f s (%.1f MB)\n", save, static_cast<double>(size) / 1e6);

    auto reopened = platform::Machine::Open(folder);
    start = std::chrono::steady_clock::now();
    reopened->area<platform::registry::RegistryStore>();
    double load = SecondsSince(start);
    std::printf("load: %.3f s\n", load);

    platform::MachineBinding again(*reopened);
    HKEY key = 0;
    DWORD values = 0;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Bench\\Group07\\Key09957", 0, KEY_READ, &key);
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    if (values != kValuesPerKey) {
      std::printf("check failed: %u values in the last key\n", values);
      status = 1;
    }
  } catch (const std::exception& error) {
    std::printf("failed: %s\n", error.what());
    status = 1;
  }
  std::filesystem::remove_all(folder);
  return status;
}
