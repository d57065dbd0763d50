#pragma once
// One registry value by its exact name: read whole, or deleted. Unlike the
// string-oriented helpers, an empty name is the key's default value here,
// never the key itself.
#include <optional>
#include <string>

#include "cleaning/stored_values.h"
#include "platform/base/wintypes.h"

namespace tools {

// The value named `name` (case ignored, as the registry does) of
// root\path, whole; nothing when the key or the value is missing or unreadable.
std::optional<cleaning::StoredValue> ReadNamedValue(HKEY root, const std::string& path, const std::string& name);
// Deletes that value. True when it is gone, also when it (or its key) was
// never there.
bool DeleteNamedValue(HKEY root, const std::string& path, const std::string& name);

}  // namespace tools
