#pragma once
// Where each family's network stack keeps the values the suite tunes, and
// the blocks a backup records: the same keys and value names the apply
// writes, in the backup file's order.
#include <optional>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"

namespace tuning {

inline constexpr const char* kMstcpKey = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline constexpr const char* kTcpipParametersKey = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline constexpr const char* kInternetSettingsKey9x = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* kInternetSettingsKeyNT = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* kNdiCacheSizeKey = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
inline constexpr const char* kNetTransKey = "System\\CurrentControlSet\\Services\\Class\\NetTrans";
inline constexpr const char* kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";

// One key of a backup: its root, its path as the file names it, and its
// value names in order ("" is the key's default value).
struct ValueBlock {
  HKEY root;
  std::string key;
  std::vector<std::string> names;
};

// The three fixed blocks of the family of `osCode` (none for code 0).
std::vector<ValueBlock> FixedBlocks(int osCode);
// The adapter list key of the family, "" for code 0.
std::string AdapterListKey(int osCode);
// The blocks one adapter (a subkey name of the list key) contributes.
std::vector<ValueBlock> AdapterBlocks(int osCode, const std::string& adapter);
// The adapter a block's key names, when it is one of the family's adapter
// block keys at `position` within the adapter's blocks.
std::optional<std::string> AdapterOfBlock(int osCode, const std::string& key, std::size_t position);
// How many blocks each adapter contributes.
std::size_t AdapterBlockCount(int osCode);

// The subkey names of a key, in enumeration order; nullopt when the key
// cannot be opened. Names longer than the enumeration's buffer are skipped;
// any other failure ends the list.
std::optional<std::vector<std::string>> AdapterNames(int osCode);

}  // namespace tuning
