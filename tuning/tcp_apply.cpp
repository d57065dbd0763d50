#include "tuning/tcp_apply.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/message_box.h"
#include "platform/registry/advapi32.h"
#include "tuning/os_version.h"
#include "tuning/suite_registry.h"
#include "tuning/tcp_backup.h"
#include "tuning/tcp_keys.h"

namespace tuning {

namespace {

constexpr const char* kMstcpKeyForNT = "SYSTEM\\CurrentControlSet\\Services\\tcpip\\parameters";

struct ValueWrite {
  const char* name;
  std::int64_t value;
  bool remove = false;
};

void WriteAll(HKEY root, const std::string& key, DWORD type, const std::vector<ValueWrite>& writes) {
  for (const ValueWrite& write : writes)
    SetKeyValue(root, key, write.name, type, static_cast<double>(write.value), write.remove);
}

void Apply9x(const TcpProfile& p) {
  const bool noWindow = p.RWIN == -1, noMtu = p.MTU == -1;
  WriteAll(HKEY_LOCAL_MACHINE, kMstcpKey, REG_SZ,
           {{"SackOpts", 1},
            {"Tcp1323Opts", 1},
            {"DefaultTTL", p.TTL},
            {"DefaultRcvWindow", p.RWIN, noWindow},
            {"GlobalMaxTcpWindowSize", p.RWIN, noWindow},
            {"PMTUBlackHoleDetect", BoolToFlag(p.PMTUBlackHoleDetect)},
            {"PMTUDiscovery", BoolToFlag(p.PMTUDiscovery)},
            {"KeepAliveTime", p.KeepAliveTime},
            {"KeepAliveInterval", p.KeepAliveInterval}});
  WriteAll(HKEY_CURRENT_USER, kInternetSettingsKey9x, REG_SZ,
           {{"MaxConnectionsPer1_0Server", p.MaxConnectionsPer1_0Server},
            {"MaxConnectionsPerServer", p.MaxConnectionsPerServer}});
  WriteAll(HKEY_LOCAL_MACHINE, kNdiCacheSizeKey, REG_SZ, {{"", p.NDICacheSize}});
  auto adapters = AdapterNames(OSCode);
  if (!adapters) return;
  for (const std::string& adapter : *adapters)
    // The MTU decides for the MSS as well.
    WriteAll(HKEY_LOCAL_MACHINE, std::string(kNetTransKey) + "\\" + adapter, REG_SZ,
             {{"MaxMTU", p.MTU, noMtu}, {"MaxMSS", p.MSS, noMtu}});
}

void ApplyNT(const TcpProfile& p) {
  const bool noWindow = p.RWIN == -1, noMtu = p.MTU == -1;
  WriteAll(HKEY_LOCAL_MACHINE, kTcpipParametersKey, REG_DWORD,
           {{"SackOpts", 1}, {"Tcp1323Opts", 1}, {"TcpMaxDupAcks", 2}, {"DefaultReceiveWindow", 8192}});
  WriteAll(HKEY_LOCAL_MACHINE, kMstcpKeyForNT, REG_DWORD,
           {{"DefaultTTL", p.TTL},
            {"GlobalMaxTcpWindowSize", p.RWIN, noWindow},
            {"TcpWindowSize", p.RWIN, noWindow},
            {"EnablePMTUBHDetect", BoolToFlag(p.PMTUBlackHoleDetect)},
            {"EnablePMTUDiscovery", BoolToFlag(p.PMTUDiscovery)},
            {"KeepAliveTime", p.KeepAliveTime},
            {"KeepAliveInterval", p.KeepAliveInterval},
            {"SYNAttackProtect", p.SYNAttackProtect},
            {"EnableICMPRedirects", BoolToFlag(p.EnableICMPRedirects)}});
  WriteAll(HKEY_CURRENT_USER, kInternetSettingsKeyNT, REG_DWORD,
           {{"MaxConnectionsPer1_0Server", p.MaxConnectionsPer1_0Server},
            {"MaxConnectionsPerServer", p.MaxConnectionsPerServer}});
  if (auto adapters = AdapterNames(OSCode)) {
    for (const std::string& adapter : *adapters) {
      std::vector<ValueBlock> blocks = AdapterBlocks(OSCode, adapter);
      for (const char* name : {"MTU", "MSS"})
        for (const ValueBlock& block : blocks)
          WriteAll(HKEY_LOCAL_MACHINE, block.key, REG_DWORD,
                   {{name, std::string(name) == "MTU" ? p.MTU : p.MSS, noMtu}});
    }
  }
  WriteAll(HKEY_LOCAL_MACHINE, kNdiCacheSizeKey, REG_DWORD, {{"", p.NDICacheSize}});
}

}  // namespace

ApplyResult ApplyTcpSettings(const TcpProfile& profile) {
  if (!Is9xCode(OSCode) && !IsNTCode(OSCode)) return ApplyResult::UnknownSystem;
  if (auto failure = WriteTcpBackup()) {
    platform::forms::MsgBox("The network settings were not changed: no backup could be written (" + *failure + ").",
                            platform::forms::vbOKOnly | platform::forms::vbCritical);
    return ApplyResult::NoBackup;
  }
  if (Is9xCode(OSCode)) Apply9x(profile);
  else ApplyNT(profile);
  return ApplyResult::Applied;
}

}  // namespace tuning
