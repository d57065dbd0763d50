#pragma once
// machine.ini: the description of one emulated computer, in a form users may
// read and edit.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/machine_error.h"
#include "platform/machine/os_kind.h"

namespace platform {

enum class UserKind { Admin, Limited };
enum class DriveType : std::uint32_t { Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };
enum class Grant { Full, Read, None };
enum class TaskSchedulerState { Running, Stopped, Absent };

struct DriveDescription {
  char letter = 'C';  // upper case
  DriveType type = DriveType::Fixed;
  std::string fileSystem = "NTFS";
  std::string label;
  std::uint64_t capacity = 0;
  std::uint32_t clusterSize = 4096;
  bool mediaPresent = true;
  bool readOnly = false;
  std::uint32_t serial = 0;
  std::string share;  // "\\server\share" of a network drive
};

// A rule of [Access]: a registry key ("HKLM\...", "HKU\...", "HKCU\...") or a
// folder ("C:\...") and the grant the current user has below it.
struct AccessRule {
  std::string path;
  Grant grant = Grant::Full;
};

struct MachineDescription {
  OsKind os = OsKind::WinXP;
  std::string computerName = "TESSALY-PC";
  std::string userName = "User";
  UserKind userKind = UserKind::Admin;
  std::string userSid = "S-1-5-21-1004336348-1177238915-682003330-1003";
  std::optional<int> timeZoneBias;  // minutes; empty = the host's
  bool shortNames = true;
  TaskSchedulerState taskScheduler = TaskSchedulerState::Running;
  // [Version] overrides, applied over the OS's default record.
  std::vector<std::pair<std::string, std::string>> versionOverrides;
  std::vector<DriveDescription> drives;
  // [Environment]: additions and changes; an empty value removes a variable.
  std::vector<std::pair<std::string, std::string>> environment;
  std::vector<AccessRule> accessRules;
  int screenWidth = 1024;
  int screenHeight = 768;

  OsFamily family() const { return FamilyOf(os); }
  const DriveDescription* drive(char letter) const;
  // The default record with the [Version] overrides applied.
  VersionRecord version() const;
};

MachineDescription ParseMachineDescription(const std::string& text, const std::string& fileName);
MachineDescription LoadMachineDescription(const std::filesystem::path& file);
std::string FormatMachineDescription(const MachineDescription& description);

std::string DriveTypeName(DriveType type);
std::optional<DriveType> ParseDriveType(std::string_view name);

}  // namespace platform
