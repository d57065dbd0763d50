#pragma once
// The TCP/IP settings the suite writes, as one record: the current one the
// pages edit and apply, and the eight preset optimisation modes.
#include <array>
#include <cstdint>
#include <string>

namespace tuning {

struct TcpProfile {
  std::int16_t Reserved0 = 0;
  std::int16_t ConnectionKind = 0;
  std::int32_t MSS = 0;
  std::int32_t MTU = 0;  // -1 deletes MTU and MSS
  bool MTUFlag = false;
  std::int32_t RWIN = 0;  // -1 deletes the window sizes
  bool RWINFlagA = false, RWINFlagB = false;
  std::int32_t TTL = 0;
  bool TTLFlag = false;
  std::int32_t KeepAliveTime = 0;
  bool KeepAliveFlagA = false, KeepAliveFlagB = false;
  std::int32_t KeepAliveInterval = 0;
  std::int16_t SYNAttackProtect = 0;
  std::int32_t NDICacheSize = 0;
  bool NDIFlagA = false, NDIFlagB = false;
  bool PMTUDiscovery = false;
  bool PMTUBlackHoleDetect = false;
  std::int32_t MaxConnectionsPer1_0Server = 0;
  std::int16_t HTTP10Flag = 0;
  std::int32_t MaxConnectionsPerServer = 0;
  std::int16_t HTTP11Flag = 0;
  bool EnableICMPRedirects = false;
};

inline constexpr int kPresetCount = 8;

// The record the wizard and the advanced mode fill and apply.
extern TcpProfile CurrentProfile;
// The presets, filled by LoadPreset.
extern std::array<TcpProfile, kPresetCount> Presets;

// Fills preset k (0..7) from the built-in table; another k changes nothing.
void LoadPreset(int k);
// Its caption ("Automatic-A" ... "Windows default").
const std::string& PresetCaption(int k);

// 1 for True, 0 for False: how a switch is stored.
inline int BoolToFlag(bool value) { return value ? 1 : 0; }

}  // namespace tuning
