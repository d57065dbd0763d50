#pragma once
// Per-user settings: REG_SZ values under
// HKCU\Software\VB and VBA Program Settings\<app>\<section>.
#include <optional>
#include <string>

namespace platform::forms {

// The value, or `defaultValue` when it is missing or not REG_SZ.
std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& defaultValue = "");
// Writes REG_SZ, creating the keys.
void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value);
// Removes the value, the section's key, or the application's key (with
// everything below it).
void DeleteSetting(const std::string& app, const std::optional<std::string>& section = std::nullopt,
                   const std::optional<std::string>& key = std::nullopt);

}  // namespace platform::forms
