#include "platform/registry/registry_access.h"

#include "platform/base/cp1252.h"
#include "platform/machine/machine.h"
#include "platform/registry/registry_key.h"

namespace platform::registry {
namespace {

// Bits a read grant allows besides KEY_READ: the request for the maximum
// and the 32/64-bit view flags.
constexpr REGSAM kIgnoredBits = kMaximumAllowed | 0x0100 | 0x0200;

REGSAM MaskOf(Grant grant) {
  switch (grant) {
    case Grant::Full:
      return kKeyAllAccess;
    case Grant::Read:
      return kKeyRead;
    case Grant::None:
      break;
  }
  return 0;
}

bool IsUnder(std::string_view path, std::string_view prefix) {
  return path.size() >= prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
         (path.size() == prefix.size() || path[prefix.size()] == '\\');
}

}  // namespace

AccessRules::AccessRules(const Machine& machine)
    : limited_(machine.isNt() && machine.isLimitedUser()),
      userKey_(ToUpper("HKU\\" + machine.description().userSid)) {
  if (!machine.isNt()) return;  // the 9x family has no rights at all
  struct Alias {
    std::string_view name;
    std::string target;
  };
  const Alias aliases[] = {
      {"HKLM", "HKLM"},
      {"HKEY_LOCAL_MACHINE", "HKLM"},
      {"HKU", "HKU"},
      {"HKEY_USERS", "HKU"},
      {"HKCU", userKey_},
      {"HKEY_CURRENT_USER", userKey_},
      {"HKCR", "HKLM\\SOFTWARE\\CLASSES"},
      {"HKEY_CLASSES_ROOT", "HKLM\\SOFTWARE\\CLASSES"},
  };
  for (const AccessRule& rule : machine.description().accessRules) {
    std::string_view path = rule.path;
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    std::size_t slash = path.find('\\');
    std::string_view root = path.substr(0, slash);
    for (const Alias& alias : aliases) {
      if (!EqualsNoCase(root, alias.name)) continue;
      std::string normalized = alias.target;
      if (slash != std::string_view::npos) normalized += ToUpper(path.substr(slash));
      rules_.push_back({std::move(normalized), rule.grant});
      break;
    }
    // Rules naming folders ("C:\...") belong to the files area.
  }
}

std::string AccessRules::RulePath(const Key& key) {
  const Hive* hive = key.hive();
  if (!hive) return {};
  std::string path = hive->shortName;
  auto parts = key.PathComponents();
  for (std::size_t i = 1; i < parts.size(); ++i) {
    path += '\\';
    path += ToUpper(parts[i]);
  }
  return path;
}

Grant AccessRules::GrantFor(const Key& key) const {
  // Keys outside the hives (performance and dynamic data) carry their own limits.
  if (!key.hive()) return Grant::Full;
  return GrantForPath(RulePath(key));
}

Grant AccessRules::GrantForPath(std::string_view path) const {
  const Rule* best = nullptr;
  for (const Rule& rule : rules_)
    if (IsUnder(path, rule.path) && (!best || rule.path.size() >= best->path.size())) best = &rule;
  if (best) return best->grant;
  if (!limited_) return Grant::Full;
  return IsUnder(path, userKey_) ? Grant::Full : Grant::Read;
}

bool GrantCovers(Grant grant, REGSAM sam) {
  switch (grant) {
    case Grant::Full:
      return true;
    case Grant::Read:
      return (sam & ~(kKeyRead | kIgnoredBits)) == 0;
    case Grant::None:
      break;
  }
  return false;
}

REGSAM RightsFor(Grant grant, REGSAM sam) {
  REGSAM rights = sam & ~kMaximumAllowed;
  if (sam & kMaximumAllowed) rights |= MaskOf(grant);
  return rights;
}

}  // namespace platform::registry
