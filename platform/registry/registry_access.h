#pragma once
// Per-key rights of the current user on the NT family: the longest matching
// registry rule of [Access], else the defaults of an admin or a limited user.
#include <string>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/machine/description.h"

namespace platform {
class Machine;
}

namespace platform::registry {

class Key;

inline constexpr REGSAM kKeyQueryValue = 0x0001;
inline constexpr REGSAM kKeySetValue = 0x0002;
inline constexpr REGSAM kKeyCreateSubKey = 0x0004;
inline constexpr REGSAM kKeyEnumerateSubKeys = 0x0008;
inline constexpr REGSAM kKeyRead = 0x20019;
inline constexpr REGSAM kKeyAllAccess = 0xF003F;
inline constexpr REGSAM kMaximumAllowed = 0x2000000;

class AccessRules {
 public:
  explicit AccessRules(const Machine& machine);
  // The current user's grant on a key stored in a hive.
  Grant GrantFor(const Key& key) const;
  // The same for a path as RulePath gives it (a key that may not exist yet).
  Grant GrantForPath(std::string_view rulePath) const;
  // "HKLM\SOFTWARE\X" or "HKU\...", upper case; "" for keys outside the hives.
  static std::string RulePath(const Key& key);

 private:
  struct Rule {
    std::string path;  // upper case, "HKLM\SOFTWARE\..." or "HKU\..."
    Grant grant;
  };
  std::vector<Rule> rules_;
  bool limited_;
  std::string userKey_;  // "HKU\<SID>" upper case
};

// Whether an open asking `sam` is allowed on a key with `grant`.
bool GrantCovers(Grant grant, REGSAM sam);
// The rights a handle opened with `sam` carries (MAXIMUM_ALLOWED: the grant).
REGSAM RightsFor(Grant grant, REGSAM sam);

}  // namespace platform::registry
