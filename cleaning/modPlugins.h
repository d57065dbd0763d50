#pragma once
// The built-in plug-ins' shared state: the byte total of the current
// built-in section and the install-folder look-up of the catalogue.
#include <cstdint>
#include <string>

// Bytes the built-in plug-ins deleted since the main window last set it to
// 0; kept exact and converted only where the main window reads it.
extern std::int64_t CleanedBytesTotal;

// The install folder an entry names: the value `key` of `section` in the
// plug-in settings (WIN.INI, since no settings file is set), or
// `defaultFolder` when it is missing or blank or the look-up fails.
std::string GetPluginFolder(const std::string& section, const std::string& key, const std::string& defaultFolder);
