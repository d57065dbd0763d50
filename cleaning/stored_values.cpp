#include "cleaning/stored_values.h"

#include "platform/registry/advapi32.h"
#include "support/key_holder.h"

namespace cleaning {
namespace {

constexpr DWORD kLongestValueName = 16384;

// Value `index` whole; the result of the last call.
LONG ReadValueAt(HKEY key, DWORD index, StoredValue& value) {
  DWORD dataSize = 256;
  for (;;) {
    std::string name(kLongestValueName, '\0'), data(dataSize, '\0');
    DWORD cch = kLongestValueName, cb = dataSize, type = 0;
    LONG result =
        RegEnumValueA(key, index, name.data(), &cch, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &cb);
    if (result == ERROR_MORE_DATA && cb > dataSize) {
      dataSize = cb;
      continue;
    }
    if (result == ERROR_SUCCESS) value = {name.substr(0, cch), type, data.substr(0, cb)};
    return result;
  }
}

bool ReadsBack(HKEY key, const StoredValue& value) {
  DWORD type = 0, cb = 0;
  if (RegQueryValueExA(key, value.name.c_str(), nullptr, &type, nullptr, &cb) != ERROR_SUCCESS) return false;
  std::string data(cb, '\0');
  if (RegQueryValueExA(key, value.name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &cb) !=
      ERROR_SUCCESS)
    return false;
  return type == value.type && data.substr(0, cb) == value.data;
}

}  // namespace

bool ReadStoredValues(HKEY root, const std::string& path, std::vector<StoredValue>& values) {
  values.clear();
  KeyHolder key;
  LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.out());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  for (DWORD index = 0;; ++index) {
    StoredValue value;
    LONG result = ReadValueAt(key.get(), index, value);
    if (result == ERROR_NO_MORE_ITEMS) return true;
    if (result != ERROR_SUCCESS) return false;
    values.push_back(std::move(value));
  }
}

bool WriteStoredValues(HKEY root, const std::string& path, const std::vector<StoredValue>& values) {
  KeyHolder key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), nullptr) !=
      ERROR_SUCCESS)
    return false;
  for (const auto& value : values) {
    if (RegSetValueExA(key.get(), value.name.c_str(), 0, value.type,
                       reinterpret_cast<const BYTE*>(value.data.data()),
                       static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS)
      return false;
    if (!ReadsBack(key.get(), value)) return false;
  }
  return true;
}

bool RemoveStoredValues(HKEY root, const std::string& path, const std::vector<StoredValue>& values) {
  if (RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS) return true;
  KeyHolder key;
  LONG opened = RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, key.out());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  bool allGone = true;
  for (const auto& value : values) {
    LONG result = RegDeleteValueA(key.get(), value.name.c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) allGone = false;
  }
  return allGone;
}

}  // namespace cleaning
