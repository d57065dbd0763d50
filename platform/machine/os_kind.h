#pragma once
// The emulated Windows releases and what follows from each: family, version
// record and the standard folder layout.
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

namespace platform {

enum class OsKind { Win95, Win98, Win98SE, WinMe, NT4, Win2000, WinXP };
enum class OsFamily { Win9x, WinNT };

OsFamily FamilyOf(OsKind os);
// The name used in machine.ini: "95", "98", "98SE", "ME", "NT4", "2000", "XP".
std::string OsKindName(OsKind os);
std::optional<OsKind> ParseOsKind(std::string_view name);

// The record GetVersionExA fills, plus whether the 156-byte form is accepted.
struct VersionRecord {
  DWORD major = 0;
  DWORD minor = 0;
  DWORD build = 0;
  DWORD platformId = 0;
  std::string csdVersion;
  bool acceptsExtended = false;
  WORD servicePackMajor = 0;
  WORD servicePackMinor = 0;
  WORD suiteMask = 0;
  BYTE productType = 0;
};

VersionRecord DefaultVersionRecord(OsKind os);

// Standard folders of a fresh installation (no trailing backslash).
struct StandardFolders {
  std::string windows;
  std::string system;
  std::string userProfile;  // "" on the 9x family (no profile calls)
  std::string allUsers;     // "" where the OS lacks the all-users call
};

StandardFolders DefaultFolders(OsKind os, std::string_view userName);

}  // namespace platform
