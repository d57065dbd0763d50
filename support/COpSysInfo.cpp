#include "support/COpSysInfo.h"

#include <cstring>
#include <memory>

#include "platform/forms/strings.h"

namespace {
std::int16_t LoWord(std::uint32_t value) { return static_cast<std::int16_t>(value & 0xFFFF); }

std::unique_ptr<COpSysInfo>& Instance() {
  static std::unique_ptr<COpSysInfo> instance;
  return instance;
}
}  // namespace

COpSysInfo::COpSysInfo() {
  info_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  if (!GetVersionExA(&info_)) {
    // The basic record leaves the extended fields at 0; its result is not
    // needed: a failure leaves the whole record at 0.
    info_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info_));
  }
  // Keep the text before the first NUL, padded with blanks to 128 characters.
  std::size_t length = strnlen(info_.szCSDVersion, sizeof info_.szCSDVersion);
  std::memset(info_.szCSDVersion + length, ' ', sizeof info_.szCSDVersion - length);

  switch (info_.dwPlatformId) {
    case 1:
      win95_ = true;
      win98_ = info_.dwMinorVersion >= 10;
      me_ = LoWord(info_.dwBuildNumber) >= 3000;
      break;
    case 2:
      nt_ = true;
      win2k_ = info_.dwMajorVersion >= 5;
      xp_ = info_.dwMajorVersion >= 5 && info_.dwMinorVersion >= 1;
      break;
    default:
      break;
  }
}

std::int32_t COpSysInfo::BuildNumber() const { return LoWord(info_.dwBuildNumber); }

std::string COpSysInfo::CSDVersion() const {
  return platform::forms::Trim(std::string_view(info_.szCSDVersion, sizeof info_.szCSDVersion));
}

std::string COpSysInfo::Platform() const {
  if (me_) return "Windows Me";
  if (win98_) return "Windows 98";
  if (win95_) return "Windows 95";
  if (xp_) return "Windows XP";
  if (win2k_) return "Windows 2000";
  if (nt_) return "Windows NT";
  return {};
}

std::string COpSysInfo::Version() const {
  return Platform() + " v" + std::to_string(MajorVersion()) + "." + std::to_string(MinorVersion()) + ", Build " +
         std::to_string(BuildNumber());
}

std::string COpSysInfo::ProductTypeName() const {
  switch (info_.wProductType) {
    case 0:
      return "Unknown";
    case 1:
      return "NT Workstation";
    case 2:
      return "Domain Controller";
    case 3:
      return "NT Server";
    default:
      return {};
  }
}

COpSysInfo& g_OSInfo() {
  auto& instance = Instance();
  if (!instance) instance = std::make_unique<COpSysInfo>();
  return *instance;
}

void ResetOSInfo() { Instance().reset(); }
