#pragma once
// A snapshot of the running Windows version, taken once at creation, with the
// family tests the cleaners choose their folder layouts by.
#include <cstdint>
#include <string>

#include "platform/machine/sysinfo.h"

class COpSysInfo {
 public:
  COpSysInfo();

  std::int32_t BuildNumber() const;
  std::string CSDVersion() const;
  std::int32_t MajorVersion() const { return static_cast<std::int32_t>(info_.dwMajorVersion); }
  std::int32_t MinorVersion() const { return static_cast<std::int32_t>(info_.dwMinorVersion); }
  std::int32_t PlatformID() const { return static_cast<std::int32_t>(info_.dwPlatformId); }
  std::int32_t ProductType() const { return info_.wProductType; }
  std::uint16_t ServicePackMajor() const { return info_.wServicePackMajor; }
  std::uint16_t ServicePackMinor() const { return info_.wServicePackMinor; }
  std::uint16_t SuiteMask() const { return info_.wSuiteMask; }
  bool HasAS() const { return info_.wSuiteMask & 0x0002; }
  bool HasBO() const { return info_.wSuiteMask & 0x0004; }
  bool HasDC() const { return info_.wSuiteMask & 0x0080; }
  bool HasSBS() const { return info_.wSuiteMask & 0x0001; }
  bool HasSBSr() const { return info_.wSuiteMask & 0x0020; }
  bool HasTS() const { return info_.wSuiteMask & 0x0010; }
  bool IsWinXP() const { return xp_; }
  bool IsWin2K() const { return win2k_; }
  bool IsWinNT() const { return nt_; }
  bool IsWin9x() const { return me_ || win98_ || win95_; }
  bool IsWin95() const { return win95_; }
  bool IsWin98() const { return win98_; }
  bool IsWinME() const { return me_; }
  // Versions 6.x come out as "Windows 2000" (6.0) or "Windows XP" (6.1): the
  // at-least tests were written before those releases existed.
  std::string Platform() const;
  std::string Version() const;
  std::string ProductTypeName() const;

 private:
  OSVERSIONINFOEXA info_{};
  bool nt_ = false, win2k_ = false, xp_ = false, win95_ = false, win98_ = false, me_ = false;
};

// The one instance, created on first use.
COpSysInfo& g_OSInfo();
// Drops the instance so the next use takes a new snapshot (a new process).
void ResetOSInfo();
