#pragma once
// The registry as it stands on disk: every hive file's text after a flush,
// for checks that an operation changed nothing at all.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/machine/machine.h"
#include "platform/registry/advapi32.h"

namespace tessaly::testing {

inline std::map<std::string, std::string> HiveSnapshot(platform::Machine& machine) {
  RegFlushKey(HKEY_LOCAL_MACHINE);
  RegFlushKey(HKEY_USERS);
  std::map<std::string, std::string> files;
  for (const auto& item : std::filesystem::directory_iterator(machine.registryFolder())) {
    std::ifstream in(item.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    files[item.path().filename().string()] = text.str();
  }
  return files;
}

}  // namespace tessaly::testing
