#include "tools/WindowsStartup.h"

#include "cleaning/RegistryHelper.h"
#include "platform/forms/strings.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include "tools/registry_value.h"

namespace tools {
namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunOff = kRun + "-";

struct Hive {
  HKEY root;
  const char* name;
};

// Machine first, then user.
const Hive kHives[] = {{HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"}};

// A value entry names the trimmed text after its last "="; a title the
// entry cannot name is deleted by its exact name instead.
void DeleteTitle(const Hive& hive, const std::string& path, const std::string& title) {
  if (title.find('=') == std::string::npos && platform::forms::Trim(title) == title)
    RunTraceEntry(std::string(hive.name) + "\\" + path + "+Value`= " + title);
  else
    DeleteNamedValue(hive.root, path, title);
}

void Move(const std::string& command, const std::string& title, const std::string& from, const std::string& to) {
  if (title.empty()) return;  // the key's default value is no entry of ours
  for (const Hive& hive : kHives) {
    DeleteTitle(hive, from, title);
    CRegister().REGSaveSetting(static_cast<std::int32_t>(hive.root), to, title, command);
  }
}

}  // namespace

void EnableStartupEntry(const std::string& command, const std::string& title) { Move(command, title, kRunOff, kRun); }

void DisableStartupEntry(const std::string& command, const std::string& title) {
  Move(command, title, kRun, kRunOff);
}

}  // namespace tools
