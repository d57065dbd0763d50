#pragma once
// Creates machine folders: the default image tsyT starts on, and the small
// machines tests describe. Everything is made by code; no binary images.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/machine/description.h"

namespace platform {

class MachineBuilder {
 public:
  // A freshly installed `os` with the program installed under
  // C:\Program Files\Tessaly and the standard drives (A:, a 4 GiB C:, D:).
  explicit MachineBuilder(OsKind os = OsKind::WinXP);

  MachineDescription& description() { return description_; }
  MachineBuilder& userKind(UserKind kind);
  // Whether the installation registers Schedule.dll (on by default); off
  // leaves a machine where the library is present but not registered.
  MachineBuilder& registerSchedule(bool enabled);
  // Replaces drive C:'s capacity (tests use a few tens of MB).
  MachineBuilder& systemDriveCapacity(std::uint64_t bytes);
  // Adds or replaces a drive.
  MachineBuilder& drive(const DriveDescription& drive);
  // Extra content, made after the standard image.
  MachineBuilder& folder(const std::string& windowsPath);
  MachineBuilder& file(const std::string& windowsPath, const std::string& content);
  // REGEDIT4 text (without the "REGEDIT4" line or with it), merged after the
  // standard keys.
  MachineBuilder& registry(const std::string& regText);

  // Writes the machine into `folder`, which must be missing or empty.
  void Build(const std::filesystem::path& folder) const;

 private:
  void BuildInto(const std::filesystem::path& folder) const;

  MachineDescription description_;
  std::vector<std::string> folders_;
  std::vector<std::pair<std::string, std::string>> files_;
  std::vector<std::string> registryTexts_;
  bool registerSchedule_ = true;
};

// The host path of a Windows path ("C:\WINDOWS\x") inside a machine folder,
// for the builder and fixtures that lay files down before the machine opens.
std::filesystem::path HostPathForBuilder(const std::filesystem::path& machineFolder, const std::string& windowsPath);

// The folder tsyT uses: TESSALY_MACHINE, else $XDG_DATA_HOME/tessaly/machine,
// else ~/.local/share/tessaly/machine.
std::filesystem::path DefaultMachineFolder();

}  // namespace platform
