#pragma once
// A temporary XP machine for the profile tests: drive C (64 MB) with the
// Windows folder, plus whatever extra drives a test describes.
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/files/file_content.h"
#include "platform/machine/description.h"
#include "platform/machine/machine.h"
#include "support/temp_folder.h"

namespace tessaly::testing {

class ProfileTestMachine {
 public:
  using Tweak = std::function<void(platform::MachineDescription&)>;

  explicit ProfileTestMachine(const Tweak& tweak = {}) {
    platform::MachineDescription description;
    description.os = platform::OsKind::WinXP;
    platform::DriveDescription c;
    c.letter = 'C';
    c.capacity = 64ull << 20;
    description.drives.push_back(c);
    if (tweak) tweak(description);
    {
      std::ofstream out(folder_.path() / "machine.ini", std::ios::binary);
      out << platform::FormatMachineDescription(description);
    }
    for (const auto& drive : description.drives) {
      std::filesystem::create_directories(folder_.path() / "drives" / std::string(1, drive.letter));
    }
    MakeFolder('C', "WINDOWS");
    machine_ = platform::Machine::Open(folder_.path());
    binding_.emplace(*machine_);
  }

  platform::Machine& machine() { return *machine_; }

  // A folder made on the host side, as a user editing the machine would.
  void MakeFolder(char drive, const std::string& relative) {
    std::filesystem::create_directories(folder_.path() / "drives" / std::string(1, drive) / relative);
  }

  void Put(const std::string& windowsPath, const std::string& bytes) {
    ASSERT_EQ(platform::files::WriteFileContent(windowsPath, bytes), 0u) << windowsPath;
  }
  // The file's bytes, or nullopt when it cannot be read.
  std::optional<std::string> Get(const std::string& windowsPath) {
    std::string bytes;
    if (platform::files::ReadFileContent(windowsPath, bytes) != 0) return std::nullopt;
    return bytes;
  }

 private:
  TempFolder folder_{"tsy-profile"};
  std::unique_ptr<platform::Machine> machine_;
  std::optional<platform::MachineBinding> binding_;
};

}  // namespace tessaly::testing
