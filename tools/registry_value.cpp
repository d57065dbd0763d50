#include "tools/registry_value.h"

#include <vector>

#include "support/key_holder.h"
#include "platform/base/cp1252.h"
#include "platform/registry/advapi32.h"

namespace tools {

std::optional<cleaning::StoredValue> ReadNamedValue(HKEY root, const std::string& path, const std::string& name) {
  std::vector<cleaning::StoredValue> values;
  if (!cleaning::ReadStoredValues(root, path, values)) return std::nullopt;
  for (auto& value : values)
    if (platform::EqualsNoCase(value.name, name)) return std::move(value);
  return std::nullopt;
}

bool DeleteNamedValue(HKEY root, const std::string& path, const std::string& name) {
  KeyHolder key;
  LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.out());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  LONG result = RegDeleteValueA(key.get(), name.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace tools
