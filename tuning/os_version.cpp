#include "tuning/os_version.h"

#include <array>

#include "platform/machine/sysinfo.h"

namespace tuning {

int OSCode = 0;
std::string OSName;

namespace {

constexpr std::array<const char*, 7> kOSNames = {"Windows 32", "Windows 95",   "Windows 98", "Windows ME",
                                                 "Windows NT", "Windows 2000", "Windows XP"};

}  // namespace

int GetOSVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return 0;
  if (info.dwPlatformId == 1) {
    switch (info.dwMinorVersion) {
      case 0: return 1;
      case 10: return 2;
      case 90: return 3;
      default: return 0;
    }
  }
  if (info.dwPlatformId == 2) {
    if (info.dwMajorVersion < 5) return 4;
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) return 5;
    // XP and every later NT release share the NT family's layout.
    return 6;
  }
  return 0;
}

void DetectOSVersion() {
  int index = GetOSVersion();
  OSCode = index + 1;
  OSName = kOSNames[index];
}

}  // namespace tuning
