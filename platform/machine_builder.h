#pragma once
// Creates machine folders: a freshly installed Windows of either family, and
// the small machines tests describe. Everything is made by code; no binary
// images. Software comes onto the image through install steps.
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/machine/description.h"
#include "platform/machine/machine.h"

namespace platform {

class MachineBuilder {
 public:
  // A freshly installed `os` with the standard drives (A:, a 4 GiB C:, D:).
  explicit MachineBuilder(OsKind os = OsKind::WinXP);

  // Installing software: a step runs once the image and the extra content
  // are laid down, with the machine open and bound as the administrator
  // who installs it; steps run in the order they were added.
  using InstallStep = std::function<void(Machine& machine)>;
  MachineBuilder& install(InstallStep step);

  MachineDescription& description() { return description_; }
  MachineBuilder& userKind(UserKind kind);
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
  std::vector<InstallStep> installSteps_;
};

// The host path of a Windows path ("C:\WINDOWS\x") inside a machine folder,
// for the builder, install steps and fixtures that lay files down directly.
std::filesystem::path HostPathForBuilder(const std::filesystem::path& machineFolder, const std::string& windowsPath);

// Lays `content` down as the file at `windowsPath` inside a machine folder,
// creating its folders: how the builder and install steps put files in place.
void PutBuilderFile(const std::filesystem::path& machineFolder, const std::string& windowsPath,
                    const std::string& content);

// A stand-in program or library: its identity line with `fields`, then
// `padding` bytes that give it a size.
std::string StandInFile(const std::vector<std::pair<std::string, std::string>>& fields, std::size_t padding);

}  // namespace platform
