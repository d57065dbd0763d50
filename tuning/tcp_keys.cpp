#include "tuning/tcp_keys.h"

#include "platform/forms/strings.h"
#include "platform/registry/advapi32.h"
#include "tuning/os_version.h"

namespace tuning {

namespace {

constexpr DWORD kNameBuffer = 255;
const std::string kServicesPrefix = "SYSTEM\\CurrentControlSet\\Services\\";
const std::string kServiceTcpipSuffix = "\\Parameters\\Tcpip";

bool SameText(const std::string& a, const std::string& b) {
  return platform::forms::LCase(a) == platform::forms::LCase(b);
}

// `key` = prefix + one non-empty segment + suffix, letter case ignored.
std::optional<std::string> SegmentBetween(const std::string& key, const std::string& prefix,
                                          const std::string& suffix) {
  if (key.size() <= prefix.size() + suffix.size()) return std::nullopt;
  if (!SameText(key.substr(0, prefix.size()), prefix)) return std::nullopt;
  if (!SameText(key.substr(key.size() - suffix.size()), suffix)) return std::nullopt;
  std::string segment = key.substr(prefix.size(), key.size() - prefix.size() - suffix.size());
  if (segment.find('\\') != std::string::npos) return std::nullopt;
  return segment;
}

}  // namespace

std::vector<ValueBlock> FixedBlocks(int osCode) {
  if (Is9xCode(osCode))
    return {
        {HKEY_LOCAL_MACHINE, kMstcpKey,
         {"SackOpts", "Tcp1323Opts", "DefaultTTL", "DefaultRcvWindow", "GlobalMaxTcpWindowSize",
          "PMTUBlackHoleDetect", "DefaultRcvWindow", "PMTUDiscovery", "KeepAliveTime", "KeepAliveInterval"}},
        {HKEY_CURRENT_USER, kInternetSettingsKey9x, {"MaxConnectionsPer1_0Server", "MaxConnectionsPerServer"}},
        {HKEY_LOCAL_MACHINE, kNdiCacheSizeKey, {""}},
    };
  if (IsNTCode(osCode))
    return {
        {HKEY_LOCAL_MACHINE, kTcpipParametersKey,
         {"SackOpts", "Tcp1323Opts", "TcpMaxDupAcks", "DefaultReceiveWindow", "DefaultTTL", "GlobalMaxTcpWindowSize",
          "TcpWindowSize", "EnablePMTUBHDetect", "EnablePMTUDiscovery", "KeepAliveTime", "KeepAliveInterval",
          "SYNAttackProtect", "EnableICMPRedirects"}},
        {HKEY_CURRENT_USER, kInternetSettingsKeyNT, {"MaxConnectionsPer1_0Server", "MaxConnectionsPerServer"}},
        {HKEY_LOCAL_MACHINE, kNdiCacheSizeKey, {""}},
    };
  return {};
}

std::string AdapterListKey(int osCode) {
  if (Is9xCode(osCode)) return kNetTransKey;
  if (IsNTCode(osCode)) return kInterfacesKey;
  return "";
}

std::vector<ValueBlock> AdapterBlocks(int osCode, const std::string& adapter) {
  if (Is9xCode(osCode)) return {{HKEY_LOCAL_MACHINE, AdapterListKey(osCode) + "\\" + adapter, {"MaxMTU", "MaxMSS"}}};
  if (IsNTCode(osCode))
    return {{HKEY_LOCAL_MACHINE, AdapterListKey(osCode) + "\\" + adapter, {"MTU", "MSS"}},
            {HKEY_LOCAL_MACHINE, kServicesPrefix + adapter + kServiceTcpipSuffix, {"MTU", "MSS"}}};
  return {};
}

std::size_t AdapterBlockCount(int osCode) { return AdapterBlocks(osCode, "x").size(); }

std::optional<std::string> AdapterOfBlock(int osCode, const std::string& key, std::size_t position) {
  if (position == 0) return SegmentBetween(key, AdapterListKey(osCode) + "\\", "");
  if (IsNTCode(osCode) && position == 1) return SegmentBetween(key, kServicesPrefix, kServiceTcpipSuffix);
  return std::nullopt;
}

std::optional<std::vector<std::string>> AdapterNames(int osCode) {
  HKEY list = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AdapterListKey(osCode).c_str(), 0, KEY_READ, &list) != ERROR_SUCCESS)
    return std::nullopt;
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[kNameBuffer + 1] = {};
    DWORD length = kNameBuffer;
    LONG result = RegEnumKeyExA(list, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(list);
  return names;
}

}  // namespace tuning
