#include "platform/forms/settings.h"

#include <vector>

#include "platform/registry/advapi32.h"

namespace platform::forms {
namespace {

constexpr const char* kSettingsRoot = "Software\\VB and VBA Program Settings";

std::string KeyPath(const std::string& app, const std::optional<std::string>& section = std::nullopt) {
  std::string path = std::string(kSettingsRoot) + "\\" + app;
  if (section) path += "\\" + *section;
  return path;
}

// Closes a key when it goes out of scope.
struct OpenKey {
  HKEY key = 0;
  ~OpenKey() {
    if (key) RegCloseKey(key);
  }
};

void DeleteTree(HKEY parent, const std::string& name) {
  {
    OpenKey open;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &open.key) != ERROR_SUCCESS) return;
    std::vector<std::string> children;
    char child[256];
    for (DWORD i = 0; RegEnumKeyA(open.key, i, child, sizeof child) == ERROR_SUCCESS; ++i) children.emplace_back(child);
    for (const auto& sub : children) DeleteTree(open.key, sub);
  }
  RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
  OpenKey open;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, &open.key) !=
      ERROR_SUCCESS)
    return defaultValue;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(open.key, key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return defaultValue;
  std::string data(size, '\0');
  if (size > 0 && RegQueryValueExA(open.key, key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                   &size) != ERROR_SUCCESS)
    return defaultValue;
  data.resize(size);
  if (auto nul = data.find('\0'); nul != std::string::npos) data.resize(nul);
  return data;
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
  OpenKey open;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &open.key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(open.key, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

void DeleteSetting(const std::string& app, const std::optional<std::string>& section,
                   const std::optional<std::string>& key) {
  if (key && section) {
    OpenKey open;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_SET_VALUE, &open.key) ==
        ERROR_SUCCESS)
      RegDeleteValueA(open.key, key->c_str());
    return;
  }
  OpenKey parent;
  std::string parentPath = section ? KeyPath(app) : std::string(kSettingsRoot);
  if (RegOpenKeyExA(HKEY_CURRENT_USER, parentPath.c_str(), 0, KEY_ALL_ACCESS, &parent.key) != ERROR_SUCCESS) return;
  DeleteTree(parent.key, section ? *section : app);
}

}  // namespace platform::forms
