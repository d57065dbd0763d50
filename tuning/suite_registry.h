#pragma once
// The suite's registry helpers: string settings with a default, and one
// writer that sets or deletes a REG_SZ or REG_DWORD value, creating the key.
// Failures are not reported; a read that fails gives the default.
#include <cstdint>
#include <string>

#include "platform/base/wintypes.h"
#include "platform/runtime/variant.h"

namespace tuning {

// Writes `value` as REG_SZ with its NUL, creating missing keys.
void SaveStringValue(HKEY root, const std::string& path, const std::string& name, const std::string& value);
// The stored text (a trailing NUL dropped); the default when the key or
// value is missing, is not a string, or takes 255 bytes or more.
std::string GetStringValue(HKEY root, const std::string& path, const std::string& name,
                           const std::string& defaultValue);

// The same under HKEY_LOCAL_MACHINE, as the suite's pages keep their settings.
void SaveSettingHKLM(const std::string& path, const std::string& name, const std::string& value);
std::string GetSettingHKLM(const std::string& path, const std::string& name, const std::string& defaultValue);

// Creates the key (also when only deleting), then deletes the value when
// `deleteValue`, else writes it: REG_SZ as the value's text, REG_DWORD as
// CLng of it (-1 is 0xFFFFFFFF; text that is no number raises 13). Other
// types write nothing and give 0. Returns the Win32 result of the write or
// delete.
LONG SetKeyValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                 const platform::vb::Variant& value, bool deleteValue);

// Whether the system is of the NT family (platform id 2).
bool IsNTPlatform();

}  // namespace tuning
