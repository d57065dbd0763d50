#include "cleaning/modPlugins.h"

#include <optional>

#include "platform/base/runtime_error.h"
#include "platform/forms/strings.h"
#include "support/cInifile.h"

std::int64_t CleanedBytesTotal = 0;

namespace {

// The plug-in settings file. Nothing assigns it, so look-ups read WIN.INI.
const std::optional<std::string> kPluginSettingsPath;

}  // namespace

std::string GetPluginFolder(const std::string& section, const std::string& key, const std::string& defaultFolder) {
  try {
    cInifile& ini = PluginIni();
    ini.SetPath(kPluginSettingsPath);
    ini.SetSection(section);
    ini.SetKey(key);
    ini.SetDefault(defaultFolder);
    std::string value = ini.Value();
    if (platform::forms::Trim(value).empty()) return ini.Default().value_or(defaultFolder);
    return value;
  } catch (const platform::RuntimeError&) {
    return defaultFolder;
  }
}
