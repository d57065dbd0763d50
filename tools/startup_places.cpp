#include "tools/startup_places.h"

#include "platform/base/cp1252.h"
#include "platform/registry/advapi32.h"

namespace tools {
namespace {

constexpr const char* kMachine = "HKEY_LOCAL_MACHINE";
constexpr const char* kUser = "HKEY_CURRENT_USER";

const StartUpPlace kPlaces[] = {
    {HKEY_CURRENT_USER, kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {HKEY_LOCAL_MACHINE, kMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {HKEY_LOCAL_MACHINE, kMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {HKEY_LOCAL_MACHINE, kMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx"},
    {HKEY_LOCAL_MACHINE, kMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
};

}  // namespace

std::span<const StartUpPlace> StartUpPlaces() { return kPlaces; }

std::string LocationText(const StartUpPlace& place) { return std::string(place.rootName) + "/" + place.path; }

std::optional<RunKey> ParseLocation(const std::string& location) {
  std::size_t slash = location.find('/');
  if (slash == std::string::npos) return std::nullopt;
  std::string rootName = location.substr(0, slash);
  std::string path = location.substr(slash + 1);
  if (platform::EqualsNoCase(rootName, kMachine)) return RunKey{HKEY_LOCAL_MACHINE, kMachine, path};
  if (platform::EqualsNoCase(rootName, kUser)) return RunKey{HKEY_CURRENT_USER, kUser, path};
  return std::nullopt;
}

}  // namespace tools
