#include "tuning/tcp_profile.h"

namespace tuning {

TcpProfile CurrentProfile;
std::array<TcpProfile, kPresetCount> Presets;

namespace {

struct PresetRow {
  const char* caption;
  std::int32_t mss, mtu, rwin, ttl, keepAliveTime, keepAliveInterval, maxPer1_0Server, maxPerServer;
  std::int16_t connectionKind;
  bool mtuFlag, rwinFlagB, keepAliveFlagB, ndiFlagB;
  std::int16_t http11Flag;
};

const std::array<PresetRow, kPresetCount> kPresets = {{
    {"Automatic-A", 536, 576, 4288, 128, 600000, 1000, 16, 8, 0, false, false, false, false, 0},
    {"Automatic-B", 536, 576, -1, 128, 600000, 1000, 16, 8, 1, false, true, false, true, 0},
    {"Automatic-C", -1, -1, -1, 128, 600000, 1000, 16, 8, 2, false, true, true, true, 0},
    {"Automatic-D", 536, 576, 5432, 64, 7200000, 1000, 20, 20, 4, true, false, false, true, 0},
    {"Automatic-E", 1460, 1500, 256960, 64, 7200000, 1000, 20, 20, 4, true, false, false, true, 0},
    {"Automatic-F", 1452, 1492, 255552, 64, 7200000, 1000, 20, 20, 4, true, false, false, true, 0},
    {"Automatic-G", 1460, 1500, 256960, 32, 6400000, 1000, 20, 20, 4, true, false, false, true, 0},
    {"Windows default", 1500, 1500, 8192, 32, 3600000, 1000, 2, 4, 3, false, false, false, false, 2},
}};

}  // namespace

void LoadPreset(int k) {
  if (k < 0 || k >= kPresetCount) return;
  const PresetRow& row = kPresets[k];
  TcpProfile preset;
  preset.ConnectionKind = row.connectionKind;
  preset.MSS = row.mss;
  preset.MTU = row.mtu;
  preset.MTUFlag = row.mtuFlag;
  preset.RWIN = row.rwin;
  preset.RWINFlagB = row.rwinFlagB;
  preset.TTL = row.ttl;
  preset.KeepAliveTime = row.keepAliveTime;
  preset.KeepAliveFlagB = row.keepAliveFlagB;
  preset.KeepAliveInterval = row.keepAliveInterval;
  preset.SYNAttackProtect = 2;
  preset.NDICacheSize = 0;
  preset.NDIFlagB = row.ndiFlagB;
  preset.PMTUDiscovery = true;
  preset.PMTUBlackHoleDetect = false;
  preset.MaxConnectionsPer1_0Server = row.maxPer1_0Server;
  preset.MaxConnectionsPerServer = row.maxPerServer;
  preset.HTTP11Flag = row.http11Flag;
  preset.EnableICMPRedirects = false;
  Presets[k] = preset;
}

const std::string& PresetCaption(int k) {
  static const std::array<std::string, kPresetCount> captions = [] {
    std::array<std::string, kPresetCount> texts;
    for (int i = 0; i < kPresetCount; ++i) texts[i] = kPresets[i].caption;
    return texts;
  }();
  static const std::string none;
  return k >= 0 && k < kPresetCount ? captions[k] : none;
}

}  // namespace tuning
